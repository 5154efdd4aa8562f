// VHDs whose footer geometry covers less than the disk, through the program's windows: the drive
// page gives the disk's own size, the partition search goes on to the disk's end, and the Extensive
// Scan's first range is the whole disk, its last sectors included.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/e2e/RoadSteps.h"
#include "tests/engine/diskfixtures/DiskFixture.h"

namespace morvick::e2e {
namespace {

const char kPastGeometryDisks[] = "make-past-geometry-disks.sh";

[[maybe_unused]] auto* const kDisks =
    ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment({kPastGeometryDisks}));

// Starts the program, opens a disk of the fixture in Extensive Scan mode and waits for the drive page.
void OpenPastGeometryDisk(MorvickDriver& driver, const char* name)
{
    ASSERT_TRUE(driver.Start());
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_TRUE(driver.WaitForPage(0));
    ASSERT_NO_FATAL_FAILURE(OpenImage(
        driver, WindowsPath(morvick::test::FixtureFolder(kPastGeometryDisks) + "/" + name), kExtensiveScan));
}

TEST(WizardRoad, AVhdPastTheLargestGeometryIsDescribedSearchedAndOfferedWhole)
{
    // 200 GiB behind the geometry of 127.5 GiB, its table lost, a FAT32 volume at 150 GiB.
    MorvickDriver driver;
    ASSERT_NO_FATAL_FAILURE(OpenPastGeometryDisk(driver, "far-fat32.vhd"));
    EXPECT_TRUE(WaitUntil([&] { return driver.Text(kRowValue + 1) == L"204800 MB (Approx)"; }, kStateWaitMs))
        << Utf8(driver.Text(kRowValue + 1));
    EXPECT_EQ(driver.Text(kRowValue + 2), L"65535") << "the footer's cylinders";
    ASSERT_NO_FATAL_FAILURE(SearchPartitions(driver, false));
    EXPECT_TRUE(WaitForTree(driver, kPartitionTree, 2)) << "the search did not reach 150 GiB";
    EXPECT_EQ(ItemTexts(driver, kPartitionTree), (std::vector<std::wstring>{L"Virtual Hard Disk ", L"Partition 1"}));
    EXPECT_EQ(driver.Text(kStartSector), L"0");
    EXPECT_EQ(driver.Text(kEndSector), L"419430399");
    driver.Kill();
}

TEST(WizardRoad, AWholeDiskNtfsIsFoundByTheBootCopyItKeepsPastTheLastWholeCylinder)
{
    // 64 MiB whose geometry (963 x 8 x 17) stops 104 sectors short; the volume's first boot sector
    // is lost, its copy lies in the disk's last sector.
    MorvickDriver driver;
    ASSERT_NO_FATAL_FAILURE(OpenPastGeometryDisk(driver, "whole-ntfs.vhd"));
    EXPECT_TRUE(WaitUntil([&] { return driver.Text(kRowValue + 1) == L"64 MB (Approx)"; }, kStateWaitMs))
        << Utf8(driver.Text(kRowValue + 1));
    ASSERT_NO_FATAL_FAILURE(SearchPartitions(driver, false));
    EXPECT_EQ(driver.Text(kStartSector), L"0");
    EXPECT_EQ(driver.Text(kEndSector), L"131071");

    // The range as offered is scanned: the volume is found by its boot copy, without a message.
    ASSERT_NO_FATAL_FAILURE(ScanToFileSystems(driver));
    driver.Kill();
}

}  // namespace
}  // namespace morvick::e2e
