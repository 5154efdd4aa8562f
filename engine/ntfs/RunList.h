// NTFS data runs: the run list of a non-resident attribute decoded into extents of clusters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvick {

struct DataRun {
    uint64_t length = 0;  // clusters
    uint64_t lcn = 0;     // first cluster on the volume; unused for a sparse run
    bool sparse = false;  // no clusters on disk: the run reads as zeros
};

// Decodes a run list from `bytes` up to its 0 header or the end of the buffer. Each run's offset is
// a signed delta from the previous real run's first cluster (the first one from cluster 0); a sparse
// run leaves that base alone. False when a length or offset field is wider than 8 bytes or runs past
// the buffer, a length is 0, a cluster number goes below 0 or past 64 bits, or (with a nonzero
// `volumeClusters`: the volume's clusters from cluster 0 to the volume's end, wherever the image
// ends) a run that is not sparse reaches past the volume. `runs` then holds the runs decoded before
// the fault.
bool DecodeRunList(const uint8_t* bytes, size_t size, std::vector<DataRun>& runs, uint64_t volumeClusters = 0);

// Runs kept in sectors, as the MFT walk maps record numbers: one start (0 for a sparse run) and one
// length per run, in the order of the attribute's virtual clusters. The MFT's table also keeps the
// size of its records, by which record numbers map onto its sectors (the MFT walk sets it).
struct SectorRunTable {
    std::vector<uint64_t> start;
    std::vector<uint64_t> length;
    uint32_t recordSectors = 2;  // the MFT's records in 512-byte sectors: 2 (1,024 bytes), 4 or 8

    uint64_t TotalSectors() const;
};

// Appends runs to a table: start = base + lcn x sectorsPerCluster. False on 64-bit overflow.
bool AppendRunsToTable(const std::vector<DataRun>& runs, uint64_t base, uint32_t sectorsPerCluster,
                       SectorRunTable& table);

// The sector that holds relative sector `relative` of the attribute. False past the last run and
// inside a sparse run.
bool MapRelativeSector(const SectorRunTable& table, uint64_t relative, uint64_t& sector);

}  // namespace morvick
