// Every container the program opens, end to end: the FAT16, FAT32 and NTFS partitions of one disk
// scanned with the Quick Scan, the top item ticked and the whole volume saved, each file compared
// with what sleuthkit recovers of it (live and deleted, bytes and times). Each container has a program
// of its own (MORVICK_ROAD_CONTAINER names it), so that each stays short.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/e2e/ResultSteps.h"
#include "tests/engine/diskfixtures/DiskFixture.h"

namespace fs = std::filesystem;

namespace morvick::e2e {
namespace {

[[maybe_unused]] auto* const kDisks =
    ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment({kResultsDisks}));

struct PartitionCase {
    const wchar_t* item;
    int number;  // as the oracles name it
    bool ntfs;
};
const PartitionCase kPartitions[] = {{L"Partition 0", 1, false}, {L"Partition 1", 2, false}, {L"Partition 2", 3, true}};

TEST(ContainerRoad, EveryPartitionScannedAndSavedWholeAsSleuthkitRecoversIt)
{
    const std::string container = MORVICK_ROAD_CONTAINER;
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    bool first = true;
    for (const PartitionCase& partition : kPartitions) {
        SCOPED_TRACE(container + " partition " + std::to_string(partition.number));
        if (first) {
            ASSERT_NO_FATAL_FAILURE(ScanToResults(driver, ResultsDisk(container.c_str()), kQuickScan, partition.item));
        } else {
            ASSERT_TRUE(driver.Click(kBack));
            ASSERT_NO_FATAL_FAILURE(ScanAnotherPartition(driver, partition.item));
        }
        first = false;
        ASSERT_NO_FATAL_FAILURE(TickRoot(driver));
        const fs::path saved = NewSaveFolder(container + "-" + std::to_string(partition.number));
        const LoggedMessage done = SaveInto(driver, saved);
        EXPECT_EQ(done.text, "Files Saved Successfully.");
        EXPECT_GT(ExpectSameAsRecovered(saved, partition.number, partition.ntfs), 300u);
        fs::remove_all(saved);
    }
    driver.Kill();
}

}  // namespace
}  // namespace morvick::e2e
