// Files a loaded FAT snapshot lists that the disk shows deleted, whose clusters an entry written
// since may have taken.
#pragma once

#include "engine/snapshot/SnapshotFileMatch.h"
#include "engine/state/RecordList.h"

#include <functional>
#include <vector>

// A listed file and the record the disk shows of it now; `deletedSince`: listed live, shown deleted.
struct SnapshotFilePair {
    FatEntryRecord* listed;
    const FatEntryRecord* now;
    bool deletedSince;
};

// Each listed file of `found` deleted since the snapshot is saved from its first cluster, which its
// deleted entry still names whatever took the cluster since. Where
// an entry read now that the snapshot does not list names that cluster too, written on the file's
// write date or later (a file or folder, live or deleted: FILL.BIN written into REPORT.TXT's freed
// clusters and deleted in its turn), the cluster was given again and the bytes there are that
// entry's: the file is marked changed (`changedOnDisk`) and moved from `counts.confirmed` to
// `counts.changed`. An entry not listed is one of `read` that no listed file was found as, and
// that `same` does not take for the listed file itself (a scan may list one entry twice); a folder is
// one of `readFolders` of a first cluster no folder of `listedFolders` has. The snapshot keeps no time
// of day: an entry of an earlier hour of the same day that a stopped scan's snapshot did not reach
// fails the file too. A file listed deleted already is left to the save, which asks the FAT whether
// its clusters are free.
void MarkRefilledFiles(const std::vector<SnapshotFilePair>& found, const RecordList<FatEntryRecord>& read,
    const RecordList<FatFolderRecord>& readFolders, const RecordList<FatFolderRecord>& listedFolders,
    const std::function<bool(const FatEntryRecord&, const FatEntryRecord&)>& same, SnapshotFileCounts& counts);
