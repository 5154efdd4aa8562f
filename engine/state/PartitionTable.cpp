#include "engine/state/PartitionTable.h"

PartitionTableEntry g_PartitionTable[kMaxPartitionTableEntries];
uint32_t g_nPartitionCount = 0;

bool AddPartitionTableEntry(uint32_t startSector, uint32_t sectorCount, FileSystemKind fileSystemType)
{
    if (g_nPartitionCount >= kMaxPartitionTableEntries)
        return false;
    g_PartitionTable[g_nPartitionCount++] = {startSector, sectorCount, fileSystemType};
    return true;
}

void ClearPartitionTable()
{
    for (PartitionTableEntry& entry : g_PartitionTable)
        entry = {};
    g_nPartitionCount = 0;
}
