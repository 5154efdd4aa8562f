// The walk and the search as the wizard runs them: through the facade of a VHD or VHDX image into
// g_PartitionTable, with the device-tree items and status reported to the observer.
#include "engine/state/EngineState.h"
#include "engine/volume/PartitionDiscovery.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"

#include <gtest/gtest.h>

namespace morvick::test {

namespace {

const char* const kImages = "make-aligned-containers.sh";
const char* const kPastGeometry = "make-past-geometry-disks.sh";

[[maybe_unused]] auto* const g_pastGeometryDisks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({kPastGeometry}));

std::vector<std::u16string> ItemTexts(const RecordingObserver& o)
{
    std::vector<std::u16string> texts;
    for (const FoundItem& item : o.items)
        texts.push_back(item.text);
    return texts;
}

class PartitionDiscoveryTest : public ::testing::TestWithParam<const char*> {
protected:
    void TearDown() override { CloseEngineImage(); }
};

}  // namespace

TEST_P(PartitionDiscoveryTest, WalkFillsTheTableAndTheSearchListsIt)
{
    auto disk = OpenEngineImage(FixtureFile(kImages, std::string("table/") + GetParam()));
    ASSERT_TRUE(disk);
    ASSERT_EQ(WalkPartitionTable(0), 4u);
    std::vector<SfdiskEntry> expected;
    for (const SfdiskEntry& e : ReadSfdisk(FixtureFile(kImages, "sfdisk.txt"))) {
        if (e.type != 5)
            expected.push_back(e);
    }
    ASSERT_EQ(expected.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(g_PartitionTable[i].startSector, expected[i].start);
        EXPECT_EQ(g_PartitionTable[i].sectorCount, expected[i].size);
    }
    RecordingObserver observer;
    SearchPartitions(false, 77, nullptr);
    EXPECT_EQ(g_bSearchPartitions, 0);
    EXPECT_EQ(g_nPartitionCount, 4u);
    EXPECT_TRUE(observer.statuses.empty());
    EXPECT_EQ(ItemTexts(observer),
        (std::vector<std::u16string>{u"Partition 0", u"Partition 1", u"Partition 2", u"Partition 3"}));
    for (size_t i = 0; i < observer.items.size(); ++i) {
        EXPECT_EQ(observer.items[i].kind, kFoundPartition);
        EXPECT_EQ(observer.items[i].parentItem, 77u);
        EXPECT_EQ(observer.items[i].record, &g_PartitionTable[i]);
    }
    EXPECT_FALSE(observer.progress.empty());  // the bar moves even when nothing is read
}

TEST_P(PartitionDiscoveryTest, WipedTableIsSearched)
{
    auto disk = OpenEngineImage(FixtureFile(kImages, std::string("wiped/") + GetParam()));
    ASSERT_TRUE(disk);
    EXPECT_EQ(WalkPartitionTable(0), 0u);
    RecordingObserver observer;
    SearchPartitions(false, 1, nullptr);
    EXPECT_EQ(g_bSearchPartitions, 1);
    EXPECT_EQ(observer.statuses, std::vector<std::u16string>{kSearchingPartitionsText});
    ASSERT_EQ(g_nPartitionCount, 4u);
    const uint32_t starts[] = {2048, 36864, 108544, 159744};
    const FileSystemKind types[] = {FileSystemKind::kFat16, FileSystemKind::kFat32, FileSystemKind::kNtfs,
        FileSystemKind::kFat16};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(g_PartitionTable[i].startSector, starts[i]);
        EXPECT_EQ(g_PartitionTable[i].fileSystemType, types[i]);
    }
    EXPECT_EQ(g_PartitionTable[0].sectorCount, 32768u);  // FAT16: the 16-bit total
    EXPECT_EQ(g_PartitionTable[2].sectorCount, 49151u);  // NTFS: one less than its partition
    // Found FAT volumes carry the new count, NTFS ones the count before it.
    EXPECT_EQ(ItemTexts(observer),
        (std::vector<std::u16string>{u"Partition 1", u"Partition 2", u"Partition 2", u"Partition 4"}));
    EXPECT_LE(*std::max_element(observer.progress.begin(), observer.progress.end()), 99);
}

TEST_P(PartitionDiscoveryTest, StopEndsTheSearch)
{
    auto disk = OpenEngineImage(FixtureFile(kImages, std::string("wiped/") + GetParam()));
    ASSERT_TRUE(disk);
    WalkPartitionTable(0);
    std::atomic<int32_t> finished{1};
    SearchPartitions(false, 1, &finished);
    EXPECT_EQ(g_nPartitionCount, 0u);
}

TEST(PartitionDiscoveryPastGeometry, AVhdLargerThanItsGeometryIsSearchedToItsEnd)
{
    // 200 GiB behind the largest geometry a footer holds (127.5 GiB), its table lost: the FAT32
    // volume the fixture put at 150 GiB is found.
    auto disk = OpenEngineImage(FixtureFile(kPastGeometry, "far-fat32.vhd"));
    ASSERT_TRUE(disk);
    ASSERT_EQ(uint64_t{g_DeviceGeometry.cylinders[0]} * g_DeviceGeometry.heads[0] * g_DeviceGeometry.sectorsPerTrack[0],
        65535u * 16 * 255);
    EXPECT_EQ(WalkPartitionTable(0), 0u);
    RecordingObserver observer;
    SearchPartitions(false, 1, nullptr);
    ASSERT_EQ(g_nPartitionCount, 1u);
    EXPECT_EQ(g_PartitionTable[0].startSector, 150u << 21);
    EXPECT_EQ(g_PartitionTable[0].fileSystemType, FileSystemKind::kFat32);
    CloseEngineImage();
}

INSTANTIATE_TEST_SUITE_P(Containers, PartitionDiscoveryTest,
    ::testing::Values("fixed.vhd", "dynamic.vhd", "fixed.vhdx", "dynamic-1M.vhdx"));

}  // namespace morvick::test
