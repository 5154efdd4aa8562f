#include "engine/extensive/ExtensiveScan.h"

#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FatVolumeAnalysis.h"
#include "engine/extensive/NtfsVolumeAnalysis.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"

ExtensiveScanOutcome RunExtensiveScan(ScanFinishedWord& finished)
{
    FreeScanRecordLists();
    ResetExtensiveScanState();
    const VolumeParameterBlock& b = g_VolumeParams;
    const FileSystemKind type = b.chosenFileSystemType;
    // No chosen type (the benchmark's whole-disk search; the wizard always chooses one) searches for
    // both kinds rather than for nothing.
    const bool fat = type == FileSystemKind::kFat16 || type == FileSystemKind::kFat32 || type == FileSystemKind::kNone;
    const bool ntfs = type == FileSystemKind::kNtfs || type == FileSystemKind::kNone;

    ExtensiveScanOutcome outcome;
    finished.store(0);
    if (fat || ntfs) {
        const unsigned kinds = (fat ? kSearchFat : 0u) | (ntfs ? kSearchNtfs : 0u);
        g_ExtensiveSearchCounters = ExtensiveSearchCounters();
        outcome.search =
            SearchDiskStructures(b.partitionStart, b.partitionSectors, kinds, finished, g_ExtensiveSearchCounters);
        outcome.counters = g_ExtensiveSearchCounters;
    }

    // The analysis runs on what was found, also after Stop; Stop can end it too.
    finished.store(0);
    if (fat)
        AnalyzeFoundFatData(type == FileSystemKind::kNone ? FileSystemKind::kFat16 : type, finished);
    // The range's last sector whole: an inferred volume ends there, also past the sectors searched.
    if (ntfs)
        AnalyzeNtfsStructures(PartitionLastSector(b), finished);
    if (!fat && !ntfs) {
        g_nBootPassFinished = 1;
        g_nLeftoverPassFinished = 1;
    }
    finished.store(1);
    return outcome;
}
