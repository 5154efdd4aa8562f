#include "engine/save/FatFileExtents.h"

#include "engine/fat/FatEntryLists.h"
#include "engine/fat/FatTable.h"
#include "engine/state/EngineState.h"

namespace {

// The chain from FAT 1 (selector 1) or FAT 2, as far as the file's clusters and one more; empty when
// that FAT is not known.
std::vector<uint32_t> FatChain(morvick::SectorSource& disk, int selector, uint32_t firstCluster, uint32_t clusters)
{
    const VolumeParameterBlock& b = g_VolumeParams;
    const uint32_t fatStart = selector == 2 ? b.secondFat : b.firstFat;
    const FileSystemKind type = b.browsedFileSystemType;
    if (fatStart == 0 || (type != FileSystemKind::kFat16 && type != FileSystemKind::kFat32))
        return {};
    morvick::FatTable fat(disk, type, fatStart, b.sectorsPerFat, ChosenVolumeClusterCount());
    return morvick::FollowClusterChain(fat, firstCluster, static_cast<size_t>(clusters) + 1, nullptr);
}

}  // namespace

std::vector<SectorExtent> FatFileExtents(morvick::SectorSource& disk, uint32_t firstCluster, uint32_t clusters)
{
    const VolumeParameterBlock& b = g_VolumeParams;
    const uint32_t spc = b.sectorsPerCluster;
    std::vector<uint32_t> chain;
    for (int selector = 1; selector <= 2 && chain.empty(); ++selector) {
        chain = FatChain(disk, selector, firstCluster, clusters);
        if (chain.size() != clusters)
            chain.clear();
    }
    if (chain.empty()) {
        for (uint32_t i = 0; i < clusters; ++i)
            chain.push_back(firstCluster + i);
    }
    const uint32_t volumeClusters = ChosenVolumeClusterCount();
    std::vector<SectorExtent> extents;
    for (uint32_t cluster : chain) {
        if (cluster < 2 || cluster - 2 >= volumeClusters)
            break;
        AppendSectorExtent(extents, static_cast<uint32_t>(b.clusterBase + cluster * spc), spc, false);
    }
    return extents;
}
