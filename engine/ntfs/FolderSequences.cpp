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
    // The whole reference, not its low 32 bits: else a folder made in a deleted one's record gets its files.
    if (parentHigh != 0)
        return kLostDirRecordNumber;
    const auto it = m_folders.find(parent);
    if (it == m_folders.end() || ReferenceNamesRecord(parentSequence, it->second.sequence, it->second.inUse))
        return parent;
    return kLostDirRecordNumber;
}

}  // namespace morvick
