// The volume's cluster bitmap ($Bitmap, MFT record 6): which clusters a file holds now. Read where its
// runs put it, a sector at a time as clusters are asked about, each sector once; never past the bits
// of the volume's own clusters, whatever size the record gives.
#pragma once

#include "engine/ntfs/RunList.h"
#include "engine/volume/SectorSource.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace morvick {

enum class ClusterUse { kFree, kInUse, kUnknown };

class VolumeBitmap {
public:
    // Finds the bitmap's data through the MFT's runs: record 6, in use, named $Bitmap, its unnamed
    // $DATA resident or in runs inside the volume. `volumeClusters` (nonzero) are the clusters from
    // cluster 0 to the volume's end; cluster 0 lies at sector `clusterBase`. False where it cannot be
    // found: every cluster is then unknown.
    bool Open(SectorSource& disk, const SectorRunTable& mft, uint64_t clusterBase, uint32_t sectorsPerCluster,
        uint64_t volumeClusters);
    bool IsOpen() const { return open_; }

    // Whether `cluster` is in use; unknown past the volume, past the bitmap's data, and where its
    // sector cannot be read.
    ClusterUse Use(SectorSource& disk, uint64_t cluster);

private:
    bool open_ = false;
    bool resident_ = false;
    std::vector<uint8_t> value_;  // resident data
    SectorRunTable runs_;
    uint64_t clusters_ = 0;  // clusters the bitmap's data answers for
    // Sectors of the bitmap read so far by their place in it; empty where the read failed.
    std::unordered_map<uint64_t, std::vector<uint8_t>> sectors_;
};

}  // namespace morvick
