// The partition table of the chosen disk: at most 25 entries, the first g_nPartitionCount used.
#pragma once

#include "engine/volume/FileSystemKind.h"

#include <cstdint>

struct PartitionTableEntry {
    uint32_t startSector;  // absolute first sector of the partition
    uint32_t sectorCount;  // from the partition table, or from the boot sector when searched
    FileSystemKind fileSystemType;
};

constexpr uint32_t kMaxPartitionTableEntries = 25;

extern PartitionTableEntry g_PartitionTable[kMaxPartitionTableEntries];
extern uint32_t g_nPartitionCount;

// Appends an entry; false (and nothing changes) when the table is full.
bool AddPartitionTableEntry(uint32_t startSector, uint32_t sectorCount, FileSystemKind fileSystemType);
// Empties the table.
void ClearPartitionTable();
