// Copies the data of an NTFS compressed attribute: compression units of 2^n clusters, each stored
// raw (all its clusters on disk), as a hole (none on disk) or LZNT1-compressed in its first clusters.
#pragma once

#include "engine/save/SectorCopy.h"

#include <cstdint>
#include <vector>

// One run of the attribute in virtual-cluster order: `length` clusters at `lcn`, or a hole.
struct ClusterRun {
    uint64_t length = 0;
    uint64_t lcn = 0;
    bool sparse = false;
};

struct CompressedLayout {
    uint64_t clusterBase = 0;        // sector of cluster 0
    uint32_t sectorsPerCluster = 0;  // at most 8 (compression needs clusters of 4 KiB or less)
    uint32_t unitClusters = 16;      // clusters per compression unit
};

// Writes `size` bytes expanded from the runs. Runs that end early leave zeros and mark the outcome
// as missing data; a unit that does not expand marks it undecodable.
CopyOutcome CopyCompressedRuns(COutputFile& file, const std::vector<ClusterRun>& runs, uint64_t size,
    const CompressedLayout& layout, const SectorReadFunction& read, uint32_t retries,
    const CopyProgressFunction& progress = nullptr);
