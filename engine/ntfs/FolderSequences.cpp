#include "engine/ntfs/FolderSequences.h"

#include "engine/ntfs/MftRecord.h"
#include "engine/state/FoundRecords.h"

namespace morvick {

void FolderSequences::Add(uint32_t number, uint16_t sequence, bool inUse)
{
    m_folders.emplace(number, Folder{sequence, inUse});
}

uint32_t FolderSequences::ListedParent(uint32_t parent, uint16_t parentHigh, uint16_t parentSequence) const
{
    // The reference is read whole, not as its low 32 bits alone: a folder made in the record of a
    // deleted one would be shown holding the deleted folder's files, and saved with them.
    if (parentHigh != 0)
        return kLostDirRecordNumber;
    const auto it = m_folders.find(parent);
    if (it == m_folders.end() || ReferenceNamesRecord(parentSequence, it->second.sequence, it->second.inUse))
        return parent;
    return kLostDirRecordNumber;
}

}  // namespace morvick
