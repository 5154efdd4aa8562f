#include "app/lists/FoundFileSave.h"

#include "engine/save/FileSavers.h"
#include "engine/save/SaveState.h"
#include "engine/save/SaveTarget.h"

namespace {

// A file that a loaded snapshot lists but the disk no longer holds as it lists it: refused, also
// for a preview (SaveFoundFile returns 0, nothing is created).
template <class Record>
bool Refused(const Record* r, const std::u16string& folder, const std::u16string& name, bool counting)
{
    return RefusedAsChangedOnDisk(r->changedOnDisk, folder, name.c_str(), counting,
        r->deleted ? DeletedState::kDeleted : DeletedState::kLive);
}

}  // namespace

int SaveFoundFile(const ResultFileInfo& file, const std::u16string& folder, const std::u16string& name, bool counting)
{
    const int count = counting ? 1 : 0;
    switch (file.kind) {
    case ResultFileKind::kFat: {
        const auto* r = static_cast<const FatEntryRecord*>(file.record);
        if (Refused(r, folder, name, counting))
            return 0;
        g_qwSaveFileTime = r->writeDate;
        return SaveFatFile(folder, name.c_str(), r->firstCluster, r->size, count, r->deleted);
    }
    case ResultFileKind::kMft: {
        const auto* r = static_cast<const MftEntryRecord*>(file.record);
        if (Refused(r, folder, name, counting))
            return 0;
        g_qwSaveFileTime = (static_cast<uint64_t>(r->creationTimeHigh) << 32) | r->creationTimeLow;
        return SaveNtfsFile(folder, name.c_str(), r->dataRecordSector, r->recordNumber, file.size, count, r->deleted);
    }
    case ResultFileKind::kNtfsFile: {
        const auto* r = static_cast<const NtfsFileRecord*>(file.record);
        if (Refused(r, folder, name, counting))
            return 0;
        g_qwSaveFileTime = (static_cast<uint64_t>(r->creationTimeHigh) << 32) | r->creationTimeLow;
        return SaveNtfsFile(folder, name.c_str(), r->sector, kAnyRecordNumber, file.size, count, r->deleted);
    }
    case ResultFileKind::kTraced: {
        const auto* r = static_cast<const TracedFileRecord*>(file.record);
        if (RefusedAsChangedOnDisk(r->changedOnDisk, folder, name.c_str(), counting, DeletedState::kNotApplicable))
            return 0;
        if (counting) {
            g_qwSaveFileTime = 0;
            return SaveTracedFile(folder, name.c_str(), r->sector, 1);
        }
        return SaveRawExtent(folder, name, r->sector);
    }
    }
    return 0;
}
