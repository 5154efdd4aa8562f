#include "engine/save/FatFileExtents.h"

#include "engine/fat/FatEntryLists.h"
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "engine/state/VolumeEnd.h"

#include <algorithm>

std::vector<SectorExtent> FatFileExtents(morvick::SectorSource& disk, uint32_t firstCluster, uint32_t clusters,
    bool deleted, bool* cut)
{
    if (cut)
        *cut = false;
    const VolumeParameterBlock& b = g_VolumeParams;
    const uint64_t spc = b.sectorsPerCluster;
    // A volume rebuilt from its folders alone has no FAT size, so no cluster count: its end bounds
    // the clusters instead.
    const uint32_t volumeClusters = ChosenVolumeClusterCount();
    const uint64_t endSector = volumeClusters == 0 ? ChosenVolumeEndSector(disk) : 0;
    // No file holds more clusters than its volume: a damaged size is not walked or listed beyond that.
    if (volumeClusters != 0)
        clusters = std::min(clusters, volumeClusters);
    else if (const uint64_t upToEnd = ChosenVolumeClusters(disk))
        clusters = static_cast<uint32_t>(std::min<uint64_t>(clusters, upToEnd));
    // A deleted file, whose chain was freed with it, takes its first cluster and the free ones after
    // it, not a chain or every cluster after its first: those in use hold another file's bytes. Free
    // clusters past one in use may be the file's or another deleted file's: such a file is cut.
    std::vector<uint32_t> chain;
    const bool free = deleted && ReadFreeClusters(disk, firstCluster, clusters, SaveInterrupted, chain, cut);
    for (int selector = 1; selector <= 2 && !free && chain.empty(); ++selector) {
        chain = ReadClusterChain(disk, firstCluster, clusters, selector, SaveInterrupted);
        if (SaveInterrupted())
            return {};
        if (chain.size() != clusters)
            chain.clear();
    }
    if (SaveInterrupted())
        return {};
    if (chain.empty() && !free) {
        for (uint32_t i = 0; i < clusters; ++i)
            chain.push_back(firstCluster + i);
    }
    std::vector<SectorExtent> extents;
    for (uint32_t cluster : chain) {
        const uint64_t sector = b.clusterBase + cluster * spc;
        if (cluster < 2 || (volumeClusters != 0 && cluster - 2 >= volumeClusters) ||
            (volumeClusters == 0 && endSector != 0 && sector + spc > endSector))
            break;
        AppendSectorExtent(extents, sector, spc, false);
    }
    return extents;
}
