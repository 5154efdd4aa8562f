// The FAT appenders over the engine's lists, and the chains that the Quick Scan and the savers
// follow through g_VolumeParams on a VHD image.
#include "engine/save/EngineReset.h"
#include "engine/fat/FatBootSector.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"

#include <gtest/gtest.h>

namespace morvick::test {

namespace {

class FatEntryListsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { CloseEngineImage(); }
};

std::vector<uint32_t> Chain()
{
    std::vector<uint32_t> clusters;
    for (const ClusterNode* n = g_ClusterChain.head; n; n = n->next)
        clusters.push_back(n->cluster);
    return clusters;
}

}  // namespace

TEST_F(FatEntryListsTest, FoldersAreKeptOncePerClusterAndRevivedByALiveEntry)
{
    AppendFatFolder(u"OLD", 10, 2, 1, 1, 0, 1);
    AppendFatFolder(u"live", 10, 2, 1, 1, 0, 0);  // live after deleted: renames, undeletes
    AppendFatFolder(u"gone", 10, 2, 1, 1, 0, 1);  // deleted after live: nothing
    AppendFatFolder(u"second", 11, 2, 1, 1, 0, 0);
    ASSERT_EQ(g_FatFolders.count, 2u);
    EXPECT_EQ(g_nFatFolderCount, 2u);
    EXPECT_EQ(std::u16string(g_FatFolders.head->name), u"live");
    EXPECT_EQ(g_FatFolders.head->deleted, 0u);

    // Files: the ordinal is the file count before the entry; sizes add up.
    FatFoundEntry file;
    file.name = u"a.txt";
    file.firstCluster = 20;
    file.size = 100;
    RecordingObserver observer;
    g_VolumeParams.partitionSectors = 1000;
    g_VolumeParams.sectorsPerCluster = 0;  // no division by a zero cluster size
    AddFatDirectoryEntry(file);
    g_VolumeParams.sectorsPerCluster = 4;
    file.name = u"b.txt";
    file.size = 50;
    file.deleted = true;
    AddFatDirectoryEntry(file);
    ASSERT_EQ(g_FatEntries.count, 2u);
    EXPECT_EQ(g_FatEntries.head->ordinal, 0u);
    EXPECT_EQ(g_FatEntries.tail->ordinal, 1u);
    EXPECT_EQ(g_FatEntries.tail->deleted, 1u);
    EXPECT_EQ(g_nFatFileCount, 2u);
    EXPECT_EQ(g_qwFoundBytes, 150u);
    EXPECT_EQ(g_nEntriesParsed, 2u);
    EXPECT_EQ(observer.progress, std::vector<int>{0});
}

TEST_F(FatEntryListsTest, EachPercentOfAPassIsReportedOnceInOrderUpTo99)
{
    // 250 clusters: the percent moves every two or three entries and would pass 100 at the 250th.
    g_VolumeParams.partitionSectors = 1000;
    g_VolumeParams.sectorsPerCluster = 4;
    FatFoundEntry file;
    file.name = u"a.txt";
    file.firstCluster = 20;
    std::vector<int> each;
    for (int percent = 0; percent <= 99; ++percent)
        each.push_back(percent);
    for (int pass = 0; pass < 2; ++pass) {
        // A new pass counts its entries from 0 again and reports from 0 again.
        FreeFoundEntryLists();
        RecordingObserver observer;
        for (int i = 0; i < 300; ++i)
            AddFatDirectoryEntry(file);
        EXPECT_EQ(observer.progress, each) << pass;
    }

    // Other clusters: the percent is worked out against them from the next entry on.
    FreeFoundEntryLists();
    RecordingObserver observer;
    for (int i = 0; i < 10; ++i)
        AddFatDirectoryEntry(file);
    g_VolumeParams.partitionSectors = 40;  // 10 clusters: the 11th entry is past them all
    AddFatDirectoryEntry(file);
    EXPECT_EQ(observer.progress, (std::vector<int>{0, 1, 2, 3, 4, 99}));
}

TEST_F(FatEntryListsTest, ChainsFollowTheChosenVolumesFats)
{
    auto disk = OpenEngineImage(FixtureFile("make-aligned-containers.sh", "table/dynamic.vhd"));
    ASSERT_TRUE(disk);
    // The FAT32 volume at 36864, as the scan pages set the parameters.
    uint8_t sector[512];
    ASSERT_TRUE(disk->ReadAt(36864ull * 512, sector, sizeof sector));
    FatBootSector boot;
    ASSERT_TRUE(ParseFatBootSector(sector, sizeof sector, FileSystemKind::kFat32, boot));
    const FatLayout layout = MakeFatLayout(boot, 36864);
    ASSERT_NE(layout.clusterCount, 0u);
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat32;
    g_VolumeParams.partitionStart = 36864;
    g_VolumeParams.partitionSectors = boot.totalSectors;
    g_VolumeParams.sectorsPerCluster = layout.sectorsPerCluster;
    g_VolumeParams.sectorsPerFat = layout.sectorsPerFat;
    g_VolumeParams.clusterBase = static_cast<uint32_t>(layout.clusterBase);
    g_VolumeParams.firstFat = static_cast<uint32_t>(layout.firstFat);
    g_VolumeParams.secondFat = static_cast<uint32_t>(layout.secondFat);
    EXPECT_EQ(ChosenVolumeClusterCount(), layout.clusterCount);
    // A partition size that ends at or before the data area is damaged: the FAT alone bounds the
    // clusters then, as it does when the size is unknown.
    const uint32_t fatClusters = layout.sectorsPerFat * 512 / 4 - 2;
    for (uint32_t size : {0u, 1u, static_cast<uint32_t>(layout.dataStart - 36864)}) {
        g_VolumeParams.partitionSectors = size;
        EXPECT_EQ(ChosenVolumeClusterCount(), std::min(fatClusters, 0x0FFFFFF0u)) << size;
    }
    g_VolumeParams.partitionSectors = static_cast<uint32_t>(layout.dataStart - 36864) + 3 * layout.sectorsPerCluster;
    EXPECT_EQ(ChosenVolumeClusterCount(), 3u);
    g_VolumeParams.partitionSectors = boot.totalSectors;

    // The root folder's chain ends at mkfs.fat's end mark 0x0FFFFFF8 in both FATs.
    BuildClusterChain(layout.rootCluster);
    EXPECT_EQ(Chain(), std::vector<uint32_t>{layout.rootCluster});
    ReadClusterChain(layout.rootCluster, 10, 2, nullptr);
    EXPECT_EQ(Chain(), std::vector<uint32_t>{layout.rootCluster});
    // A cluster past the volume gives no chain; a volume of another type none either.
    BuildClusterChain(layout.clusterCount + 2);
    EXPECT_TRUE(Chain().empty());
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kNtfs;
    BuildClusterChain(layout.rootCluster);
    EXPECT_TRUE(Chain().empty());
}

}  // namespace morvick::test
