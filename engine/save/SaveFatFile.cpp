#include "engine/fat/FatEntryLists.h"
#include "engine/image/SectorSize.h"
#include "engine/save/FileSavers.h"
#include "engine/save/SaveState.h"
#include "engine/save/SaveTarget.h"
#include "engine/state/EngineState.h"
#include "engine/state/RecoverySettings.h"

namespace {

// The sectors of the file's clusters: the chain from FAT 1, else from FAT 2, else consecutive
// clusters from the first. Clusters outside the volume end the extents (the rest is missing).
std::vector<SectorExtent> FatFileExtents(uint32_t firstCluster, uint32_t clusters)
{
    const VolumeParameterBlock& b = g_VolumeParams;
    const uint32_t spc = b.sectorsPerCluster;
    std::vector<uint32_t> chain;
    for (int selector = 1; selector <= 2 && chain.empty(); ++selector) {
        ReadClusterChain(firstCluster, clusters, selector, nullptr);
        if (g_ClusterChain.count == clusters) {
            for (const ClusterNode* n = g_ClusterChain.head; n; n = n->next)
                chain.push_back(n->cluster);
        }
    }
    FreeClusterChain();
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

}  // namespace

int SaveFatFile(const std::u16string& folder, const char16_t* name, uint32_t firstCluster, uint32_t size, int counting,
    uint32_t deleted)
{
    std::u16string path;
    if (!PrepareSaveTarget(folder, name, counting != 0, deleted ? DeletedState::kDeleted : DeletedState::kLive, path))
        return 0;
    const uint32_t spc = g_VolumeParams.sectorsPerCluster;
    if (spc == 0)
        return 0;
    COutputFile file;
    if (!CreateSaveFile(file, folder, path, name, counting != 0))
        return 0;
    const uint64_t clusterBytes = uint64_t{spc} * kSectorSize;
    const uint32_t clusters = static_cast<uint32_t>((size + clusterBytes - 1) / clusterBytes);
    std::vector<SectorExtent> extents = clusters ? FatFileExtents(firstCluster, clusters) : std::vector<SectorExtent>();
    CopyOutcome outcome =
        CopySectorExtents(file, extents, size, ReadSourceSectors, g_wReadRetries, [&](uint64_t written) {
            if (counting)
                ReportSaveProgress(written, size);
        });
    // Through the handle that wrote the file: no second look-up of its name.
    RestoreFatFileTimes(file, g_qwSaveFileTime);
    return FinishSaveFile(file, path, name, outcome) ? 1 : 0;
}
