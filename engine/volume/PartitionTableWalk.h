// Reads the master boot record and the chain of extended boot records into a partition list.
#pragma once

#include "engine/volume/DiskPartition.h"
#include "engine/volume/SectorSource.h"

#include <vector>

namespace morvick {

// At most this many extended boot records are followed; a chain longer than that is damaged.
constexpr size_t kMaxExtendedBootRecords = 128;

// Walks the master boot record at `mbrSector` and the extended chain behind it. Returns the
// partitions in table order (at most kMaxDiskPartitions); empty when the record lacks 55 AA or
// cannot be read. A chain that links back to a record already read, leaves 32-bit sector numbers or
// exceeds kMaxExtendedBootRecords ends where it stands.
std::vector<DiskPartition> WalkPartitionTable(SectorSource& disk, uint32_t mbrSector);

}  // namespace morvick
