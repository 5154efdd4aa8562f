// The Extensive Scan end to end: a disk without its master boot record and a VHDX, the partition
// search that finds their volumes, the sector range's checks, and a scan of a valid range.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/e2e/RoadSteps.h"
#include "tests/engine/diskfixtures/DiskFixture.h"

namespace morvick::e2e {
namespace {

[[maybe_unused]] auto* const kDisks =
    ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment({kWizardDisks}));

TEST(WizardRoad, ExtensiveScanChecksItsSectorRangeAndScansAValidOne) {
  MorvickDriver driver;
  ASSERT_TRUE(driver.Start());
  ASSERT_NE(driver.WaitForFrame(), nullptr);
  ASSERT_TRUE(driver.WaitForPage(0));

  // A disk without its master boot record: the search finds the volumes by their boot sectors.
  ASSERT_NO_FATAL_FAILURE(OpenImage(driver, Disk("mbr-wiped.vhd"), kExtensiveScan));
  ASSERT_NO_FATAL_FAILURE(SearchPartitions(driver, false));
  for (UINT id : {kFileSystemChoice, kStartSector, kEndSector}) EXPECT_TRUE(driver.IsVisible(id)) << id;

  ASSERT_TRUE(driver.SetText(kStartSector, L"10"));
  ASSERT_TRUE(driver.SetText(kEndSector, L"5"));
  PressAndExpect(driver, kNext, "2", "End sector should be bigger than start sector");
  ASSERT_TRUE(driver.SetText(kEndSector, L"10"));
  PressAndExpect(driver, kNext, "2", "End sector should be bigger than start sector");
  ASSERT_TRUE(driver.SetText(kStartSector, L"abc"));
  PressAndExpect(driver, kNext, "2", "Start sector value is not valid, It should be a positive number");
  ASSERT_TRUE(driver.SetText(kStartSector, L"10"));
  ASSERT_TRUE(driver.SetText(kEndSector, L"-20"));
  PressAndExpect(driver, kNext, "2", "End sector value is not valid, It should be a positive number");
  EXPECT_EQ(driver.ShownPage(), 2);
  EXPECT_TRUE(driver.IsVisible(kNext)) << "nothing started";

  // The FAT32 volume's range: the scan runs and the file-system page follows without an error.
  ASSERT_TRUE(driver.SelectComboIndex(kFileSystemChoice, 1));
  ASSERT_TRUE(driver.SetText(kStartSector, L"36864"));
  ASSERT_TRUE(driver.SetText(kEndSector, L"106495"));
  const size_t before = driver.MessageCount();
  ASSERT_TRUE(driver.Click(kNext));
  ASSERT_TRUE(driver.WaitForPage(3, 120000)) << "the file-system page did not come";
  Sleep(500);
  EXPECT_EQ(driver.MessageCount(), before) << "a file system was found";
  driver.Kill();
}

TEST(WizardRoad, AVhdxOffersOnlyTheFileSystemChoice) {
  MorvickDriver driver;
  ASSERT_TRUE(driver.Start());
  ASSERT_NE(driver.WaitForFrame(), nullptr);
  ASSERT_TRUE(driver.WaitForPage(0));
  ASSERT_NO_FATAL_FAILURE(OpenImage(driver, Disk("fixed.vhdx"), kExtensiveScan));
  ASSERT_NO_FATAL_FAILURE(SearchPartitions(driver, true));
  EXPECT_TRUE(driver.IsVisible(kFileSystemChoice));
  EXPECT_FALSE(driver.IsVisible(kStartSector));
  EXPECT_FALSE(driver.IsVisible(kEndSector));
  driver.Kill();
}

}  // namespace
}  // namespace morvick::e2e
