// Searches a disk for the boot sectors of FAT16, FAT32 and NTFS volumes when its partition table is
// lost or the user asks for it.
#pragma once

#include "engine/volume/DiskPartition.h"
#include "engine/volume/SectorSource.h"

#include <functional>
#include <vector>

namespace morvick {

struct DiskGeometry {
    uint32_t cylinders = 0;
    uint32_t heads = 0;
    uint32_t sectorsPerTrack = 0;
};

// The search works on cylinders of 255 heads x 63 sectors: a geometry with another track length is
// converted to as many such cylinders as it holds.
DiskGeometry NormaliseSearchGeometry(const DiskGeometry& geometry);

// The search geometry of a disk that has none of its own (VHDX): its size in whole cylinders of
// 255 x 63 sectors.
DiskGeometry GeometryFromSectorCount(uint64_t sectors);

struct PartitionSearchEvents {
    std::function<void(int percent)> progress;      // 0 to 99 as the cylinders searched go by, each figure once
    std::function<void(size_t index)> listed;       // a table entry was listed or added
    std::function<bool()> stopRequested;            // true ends the search between cylinders
};

// Lists the entries already in `table`, then, when `searchDisk` is set, probes every cylinder (the
// sector after its first track, else its first sector) and every 1 MiB boundary for a boot sector
// and adds each volume found at a new start. Stops at kMaxDiskPartitions entries, at the end of the
// disk or of the sectors the table holds (engine/state/SectorLimit.h: the cylinders past them are not
// counted either), or when the stop flag is set. Without `searchDisk` nothing is read. Returns the
// number of sectors probed.
uint64_t SearchPartitions(SectorSource& disk, const DiskGeometry& geometry, bool searchDisk,
                          std::vector<DiskPartition>& table, const PartitionSearchEvents& events);

}  // namespace morvick
