#include "engine/state/VolumeEnd.h"

#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"

uint64_t VolumeEndSector(const VolumeParameterBlock& b)
{
    if (b.volumeEnd != 0)
        return WholeVolumeEnd(b);
    if (b.partitionSectors != 0)
        return uint64_t{b.partitionStart} + b.partitionSectors;
    return 0;
}

uint64_t ChosenVolumeEndSector(const morvick::SectorSource& disk)
{
    const uint64_t end = VolumeEndSector(g_VolumeParams);
    return end != 0 ? end : disk.SectorCount();
}

uint64_t ChosenVolumeClusters(const morvick::SectorSource& disk)
{
    return VolumeClustersUpTo(g_VolumeParams, ChosenVolumeEndSector(disk));
}

uint64_t VolumeClustersUpTo(const VolumeParameterBlock& b, uint64_t end)
{
    if (b.sectorsPerCluster == 0 || end <= b.clusterBase)
        return 0;
    return (end - b.clusterBase) / b.sectorsPerCluster;
}
