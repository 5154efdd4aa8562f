#include "tests/engine/scan/BothScansDisk.h"

#include "engine/extensive/ExtensiveScanState.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "tests/engine/scan/ScanFixture.h"

namespace morvick::test {

void ScannedDisk::SetUp()
{
    ResetSaveState();
    ClearFileFilters();
}

void ScannedDisk::TearDown()
{
    SetCurrentVirtualDisk(nullptr);
    ResetExtensiveScanState();
    ResetEngineState();
    ResetSaveState();
}

void ScannedDisk::Scan(ScanKind kind, const std::string& image, uint32_t index)
{
    ASSERT_TRUE(OpenFixtureImage(image, disk)) << image;
    if (kind == ScanKind::kQuick)
        ASSERT_TRUE(QuickScanPartition(index)) << image;
    else
        ASSERT_TRUE(ExtensiveScanAndBrowsePartition(index)) << image;
}

std::filesystem::path ScannedDisk::SaveAll(const std::string& name)
{
    const std::filesystem::path target = temp.Path() / name;
    ResetSaveState();
    SaveWholeVolume(ToPath16(target));
    return target;
}

std::string ScanKindName(const ::testing::TestParamInfo<ScanKind>& info)
{
    return info.param == ScanKind::kQuick ? "quick" : "extensive";
}

}  // namespace morvick::test
