// A FAT12 volume with folders (make-fat12-disk.sh). Its partition is not offered: read as FAT16, its
// structures would be garbage. The Extensive Scan of the whole disk finds it by its folders and
// saves its files byte for byte, as tsk_recover does, reading each from the clusters that follow its
// first: its FAT, read as a FAT16 one, would give chains through other files' clusters.
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "engine/volume/EngineSectorSource.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/BothScansDisk.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace morvick::test {

namespace {

static auto* const g_disk = ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-fat12-disk.sh"}));

const char* const kScript = "make-fat12-disk.sh";

using Fat12Disk = ScannedDisk;

TEST_F(Fat12Disk, TheExtensiveScanOfTheDiskSavesItsFiles)
{
    ASSERT_FALSE(FixtureFolder(kScript).empty());
    EXPECT_FALSE(OpenFixtureImage(FixtureFile(kScript, "fat12.vhd"), disk)) << "no partition is offered";
    EXPECT_EQ(g_nPartitionCount, 0u);

    g_nScanMode = kScanExtensive;
    g_VolumeParams = VolumeParameterBlock();
    g_VolumeParams.partitionSectors = static_cast<uint32_t>(EngineSectorSource().SectorCount());
    g_VolumeParams.partitionEnd = g_VolumeParams.partitionSectors - 1;
    ScanFinishedWord finished{0};
    ASSERT_EQ(RunExtensiveScan(finished).search, ExtensiveSearchResult::kCompleted);
    ASSERT_EQ(g_FoundPartitions.count, 1u);
    ASSERT_TRUE(ChooseFoundVolume(1));
    RunFoundVolumeScan(finished);

    const fs::path out = SaveAll("out");
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    const std::map<std::string, fs::path> theirs = FilesBelow(fs::u8path(FixtureFile(kScript, "recover")), false);
    ASSERT_EQ(theirs.size(), 3u);
    EXPECT_EQ(ExpectSameBytes(FilesBelow(out, false), theirs), 3u);

    // Its snapshot loads over it with every file as the scan listed it, also TOP.BIN of the root,
    // which the found-volume scan read where a root of 512 entries before the data lies (the block,
    // whose FAT is left out for its size, keeps no root's place), and saves the same bytes.
    const std::u16string snapshot = ToPath16(temp.Path() / "fat12.srzq");
    ASSERT_TRUE(SaveSnapshotFile(snapshot));
    ResetSaveState();
    ASSERT_TRUE(LoadSnapshotFile(snapshot));
    for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next)
        EXPECT_EQ(r->changedOnDisk, 0u) << std::string(r->name, r->name + std::char_traits<char16_t>::length(r->name));
    const fs::path loaded = SaveAll("loaded");
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    EXPECT_EQ(ExpectSameBytes(FilesBelow(loaded, false), theirs), 3u);
}

}  // namespace

}  // namespace morvick::test
