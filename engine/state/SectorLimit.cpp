#include "engine/state/SectorLimit.h"

#include "engine/state/FoundEntryLists.h"

uint64_t PartitionLastSector(const VolumeParameterBlock& b)
{
    return b.partitionSectors != 0 ? uint64_t{b.partitionStart} + b.partitionSectors - 1 : b.partitionEnd;
}

uint64_t WholeVolumeEnd(const VolumeParameterBlock& b)
{
    if (b.volumeEnd != kLastHeldSector)
        return b.volumeEnd;
    uint16_t position = 0;
    for (const FoundPartitionRecord* r = g_FoundPartitions.head; r; r = r->next) {
        if (++position == b.volumeNumber)
            return r->clusterBase == b.clusterBase && r->volumeEnd > kLastHeldSector ? r->volumeEnd : b.volumeEnd;
    }
    return b.volumeEnd;
}

void SetPartitionRange(VolumeParameterBlock& b, uint32_t start, uint32_t sectors)
{
    b.partitionStart = start;
    b.partitionSectors = sectors;
    b.partitionEnd = HeldSector(sectors != 0 ? uint64_t{start} + sectors - 1 : start);
}

void SetPartitionRangeTo(VolumeParameterBlock& b, uint32_t start, uint64_t last)
{
    b.partitionStart = start;
    b.partitionSectors = HeldSector(last - start + 1);
    b.partitionEnd = HeldSector(last);
}
