// One partition of the chosen disk as the walk and the search find it.
#pragma once

#include "engine/volume/FileSystemKind.h"

#include <cstddef>
#include <cstdint>

namespace morvick {

struct DiskPartition {
    uint32_t startSector = 0;  // absolute, from the start of the disk
    uint32_t sectorCount = 0;
    FileSystemKind fileSystem = FileSystemKind::kNone;
};

inline bool operator==(const DiskPartition& a, const DiskPartition& b)
{
    return a.startSector == b.startSector && a.sectorCount == b.sectorCount && a.fileSystem == b.fileSystem;
}

// The partition table of a disk holds no more than this many entries.
constexpr size_t kMaxDiskPartitions = 25;

}  // namespace morvick
