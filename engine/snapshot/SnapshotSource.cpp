#include "engine/snapshot/SnapshotSource.h"

#include "engine/image/SectorReader.h"
#include "engine/snapshot/LoadedSnapshot.h"
#include "engine/snapshot/SnapshotFatCheck.h"
#include "engine/snapshot/SnapshotFormat.h"
#include "engine/snapshot/SnapshotNtfsCheck.h"
#include "engine/snapshot/SnapshotTraceCheck.h"

bool SourceHoldsSnapshotVolume(LoadedSnapshot& s, morvick::SectorRunTable& mftRuns)
{
    mftRuns = morvick::SectorRunTable();
    if (s.sourceType == kSourceLogicalDrive)
        return false;
    uint8_t first[kSectorSize];
    if (ReadSectors(0, 1, first) != 1)
        return false;
    if (s.kind == kSnapshotKindFileTrace)
        return HoldsTracedFiles(s);
    switch (s.block.browsedFileSystemType) {
    case FileSystemKind::kFat16:
    case FileSystemKind::kFat32:
        return HoldsFatVolume(s);
    case FileSystemKind::kNtfs:
        return HoldsNtfsVolume(s, mftRuns);
    default:
        return true;
    }
}
