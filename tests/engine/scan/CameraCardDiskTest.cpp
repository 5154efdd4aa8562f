// A camera's card (FAT32 of one sector per cluster, DCIM/100CAMERA holding 40 photos of short names,
// made by mkfs.fat and mtools) whose first FAT was zeroed, and the same card whose boot sectors were
// zeroed as well. The photo folder's later clusters are named by the second FAT alone. The Quick Scan
// and the Extensive Scan each save all 40 photos byte for byte, as tsk_recover saves them from the
// undamaged card.
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "engine/volume/EngineSectorSource.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <map>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_card = ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-camera-card.sh"}));

namespace {

const char* const kCard = "make-camera-card.sh";

uint32_t CardValue(const char* name)
{
    return static_cast<uint32_t>(std::stoul(morvick::test::ReadTextFile(FixtureFile(kCard, name))));
}

class CameraCard : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kCard).empty()) << "the card was not built";
        ASSERT_TRUE(OpenFixtureImage(FixtureFile(kCard, GetParam()), disk));
        ResetSaveState();
        ClearFileFilters();
    }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetExtensiveScanState();
        ResetEngineState();
        ResetSaveState();
    }

    // The Extensive Scan of the card's partition with FAT32 chosen, or of the whole disk with no
    // type chosen, and the found-volume scan of the one volume it finds.
    void ExtensiveScan(bool wholeDisk)
    {
        g_nScanMode = kScanExtensive;
        g_VolumeParams = VolumeParameterBlock();
        if (wholeDisk) {
            g_VolumeParams.partitionSectors = static_cast<uint32_t>(morvick::EngineSectorSource().SectorCount());
        } else {
            g_VolumeParams.chosenFileSystemType = FileSystemKind::kFat32;
            g_VolumeParams.partitionStart = CardValue("part1.start");
            g_VolumeParams.partitionSectors = CardValue("part1.sectors");
        }
        g_VolumeParams.partitionEnd = g_VolumeParams.partitionStart + g_VolumeParams.partitionSectors - 1;
        ScanFinishedWord finished{0};
        ASSERT_EQ(RunExtensiveScan(finished).search, ExtensiveSearchResult::kCompleted);
        ASSERT_EQ(g_FoundPartitions.count, 1u);
        ASSERT_TRUE(ChooseFoundVolume(1));
        RunFoundVolumeScan(finished);
        EXPECT_EQ(FileSystemKind{g_VolumeParams.browsedFileSystemType}, FileSystemKind::kFat32);
    }

    // Saves the whole volume and compares it with what tsk_recover saved from the undamaged card.
    void ExpectEveryPhotoSaved()
    {
        const fs::path out = temp.Path() / "out";
        SaveWholeVolume(ToPath16(out));
        EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
        const std::map<std::string, fs::path> ours = morvick::test::FilesBelow(out, false);
        const std::map<std::string, fs::path> theirs =
            morvick::test::FilesBelow(fs::u8path(FixtureFile(kCard, "card.recover")), false);
        ASSERT_EQ(theirs.size(), 40u);
        EXPECT_EQ(morvick::test::ExpectSameBytes(ours, theirs), 40u);
    }

    CVirtualDisk disk;
    TempFolder temp;
};

}  // namespace

TEST_P(CameraCard, TheQuickScanSavesEveryPhoto)
{
    ASSERT_TRUE(QuickScanPartition(0));
    ExpectEveryPhotoSaved();
}

TEST_P(CameraCard, TheExtensiveScanOfThePartitionSavesEveryPhoto)
{
    ASSERT_NO_FATAL_FAILURE(ExtensiveScan(false));
    ExpectEveryPhotoSaved();
}

TEST_P(CameraCard, TheExtensiveScanOfTheWholeDiskSavesEveryPhoto)
{
    ASSERT_NO_FATAL_FAILURE(ExtensiveScan(true));
    ExpectEveryPhotoSaved();
}

INSTANTIATE_TEST_SUITE_P(Damage, CameraCard, ::testing::Values("fat1-zeroed.vhd", "boot-fat1-zeroed.vhd"),
    [](const ::testing::TestParamInfo<const char*>& info) {
        return std::string(info.param) == "fat1-zeroed.vhd" ? std::string("fat1zeroed") : std::string("bootfat1zeroed");
    });
