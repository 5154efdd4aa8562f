#include "engine/ScanObserver.h"
#include "engine/image/SectorSize.h"
#include "engine/save/FileSavers.h"
#include "engine/save/SaveState.h"
#include "engine/save/SafeFileName.h"
#include "engine/save/SaveTarget.h"
#include "engine/state/RecoverySettings.h"

namespace {

constexpr uint64_t kSectorsPerMiB = 2048;

std::vector<SectorExtent> TraceExtents(uint32_t firstSector, uint64_t& size)
{
    uint32_t sizeClass = g_nTraceSizeClass ? g_nTraceSizeClass : 1;
    size = sizeClass * kSectorsPerMiB * kSectorSize;
    return {SectorExtent{firstSector, sizeClass * kSectorsPerMiB, false}};
}

}  // namespace

int SaveTracedFile(const std::u16string& folder, const char16_t* name, uint32_t firstSector, int counting)
{
    std::u16string path;
    if (!PrepareSaveTarget(folder, name, counting != 0, DeletedState::kNotApplicable, path))
        return 0;
    COutputFile file;
    if (!CreateSaveFile(file, folder, path, name, counting != 0))
        return 0;
    if (counting && g_nTickedFileCount)
        CurrentScanObserver().OnProgress(static_cast<int>(g_nSavedFileCount.load() * 100ull / g_nTickedFileCount));
    uint64_t size = 0;
    std::vector<SectorExtent> extents = TraceExtents(firstSector, size);
    CopyOutcome outcome = CopySectorExtents(file, extents, size, ReadSourceSectors, g_wReadRetries);
    // Through the handle that wrote the file: no second look-up of its name.
    RestoreFatFileTimes(file, g_qwSaveFileTime);
    return FinishSaveFile(file, path, name, outcome) ? 1 : 0;
}

int SaveRawExtent(const std::u16string& folder, const std::u16string& name, uint32_t firstSector)
{
    std::u16string path = folder + MakeSafeFileName(name);
    COutputFile file;
    if (!file.Create(path))
        return 0;
    uint64_t size = 0;
    std::vector<SectorExtent> extents = TraceExtents(firstSector, size);
    CopyOutcome outcome = CopySectorExtents(file, extents, size, ReadSourceSectors, g_wReadRetries);
    bool closed = file.Close();
    if (outcome.writeFailed || !closed) {
        DeleteOutputFile(path);
        return 0;
    }
    return 1;
}
