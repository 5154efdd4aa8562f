// The Extensive Scan: the sector search over the chosen range, then the analysis that turns what was
// found into volumes (g_FoundPartitions) for the file-system page. The wizard runs it on its worker
// and polls the finished word and the two analysis-finished words; everything shown goes through
// the scan observer.
#pragma once

#include "engine/extensive/ExtensiveSearch.h"
#include "engine/scan/ScanStop.h"

struct ExtensiveScanOutcome {
    ExtensiveSearchResult search = ExtensiveSearchResult::kCompleted;
    ExtensiveSearchCounters counters;
};

// Frees the candidate lists, searches the chosen range of g_VolumeParams (partitionStart,
// partitionSectors) and analyses it by its chosen type: FAT16 or FAT32, NTFS, or none for both (the whole
// disk with no type chosen). A stopped search is still analysed. The finished word is 1 at the end.
ExtensiveScanOutcome RunExtensiveScan(ScanFinishedWord& finished);
