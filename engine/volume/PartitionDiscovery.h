// The partition walk and search as the wizard runs them: over the engine's current source, into
// g_PartitionTable, reporting through the scan observer.
#pragma once

#include <atomic>
#include <cstdint>

// The status shown while the disk is searched.
extern const char16_t kSearchingPartitionsText[];

// Empties g_PartitionTable, sets g_bSearchPartitions to 0 and fills the table from the master boot
// record at `mbrSector` and its extended chain. Returns g_nPartitionCount.
uint32_t WalkPartitionTable(uint32_t mbrSector);

// Lists the table's partitions as device-tree items "Partition %d" under `diskItem`, then searches
// the disk when the table is empty or `searchRequested` is set (the answer of the "Partition Type"
// dialog, which the drive page asks before it starts the search): g_bSearchPartitions records the
// choice. The disk's geometry comes from DeviceGeometryTables, or for a VHDX image (which has none)
// from its size. The search ends between cylinders once the worker's finished word is 1.
void SearchPartitions(bool searchRequested, uint32_t diskItem, const std::atomic<int32_t>* finished);
