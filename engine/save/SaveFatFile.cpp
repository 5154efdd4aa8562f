#include "engine/image/SectorSize.h"
#include "engine/save/FatFileExtents.h"
#include "engine/save/FileSavers.h"
#include "engine/save/SaveState.h"
#include "engine/save/SaveTarget.h"
#include "engine/state/EngineState.h"
#include "engine/state/RecoverySettings.h"
#include "engine/volume/EngineSectorSource.h"

#include <algorithm>

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
    morvick::EngineSectorSource disk;
    bool cut = false;
    std::vector<SectorExtent> extents =
        clusters ? FatFileExtents(disk, firstCluster, clusters, deleted != 0, &cut) : std::vector<SectorExtent>();
    // No more than the clusters there are up to the volume's end: a damaged size would otherwise be
    // made up with zeros up to 4 GiB. The file is cut there and reported as damaged.
    uint64_t extentBytes = 0;
    for (const SectorExtent& extent : extents)
        extentBytes += extent.count * kSectorSize;
    const uint64_t copied = std::min<uint64_t>(size, extentBytes);
    CopyOutcome outcome =
        CopySectorExtents(file, extents, copied, ReadSourceSectors, g_wReadRetries, [&](uint64_t written) {
            if (counting)
                ReportSaveProgress(written, copied);
        });
    outcome.cutByClusterInUse = cut;
    if (copied < size) {
        if (SaveInterrupted())
            outcome.stopped = true;  // the walk of the chain ended early
        else
            outcome.missingData = true;
    }
    // Through the handle that wrote the file: no second look-up of its name.
    RestoreFatFileTimes(file, g_qwSaveFileTime);
    return FinishSaveFile(file, path, name, outcome) ? 1 : 0;
}
