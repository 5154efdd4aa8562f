// The Extensive Scan end to end: a disk without its master boot record and a VHDX, the partition
// search that finds their volumes, the sector range's checks, and a scan of a valid range.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/e2e/RealInput.h"
#include "tests/e2e/ResultSteps.h"
#include "tests/e2e/RoadSteps.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/support/win/WindowCapture.h"

namespace morvick::e2e {
namespace {

[[maybe_unused]] auto* const kDisks =
    ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment({kWizardDisks}));

// Starts the program and takes an image in Extensive Scan mode to the partition page.
void ReachPartitionPage(MorvickDriver& driver, const char* image, bool tableExpected)
{
    ASSERT_TRUE(driver.Start());
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_TRUE(driver.WaitForPage(0));
    ASSERT_NO_FATAL_FAILURE(OpenImage(driver, Disk(image), kExtensiveScan));
    ASSERT_NO_FATAL_FAILURE(SearchPartitions(driver, tableExpected));
}

// Starts the search of the large disk (for FAT 32 when chosen) and waits until it reads. The disk is
// far too large for the search to end while a test looks at it, however the machine's load shares
// the time between the test and the program: the tests below need it running throughout.
void StartLargeScan(MorvickDriver& driver, bool fat32)
{
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(driver, "large.vhd", true));
    if (fat32) {
        ASSERT_TRUE(driver.SelectComboIndex(kFileSystemChoice, 1));
    }
    ASSERT_TRUE(driver.Click(kNext));
    ASSERT_TRUE(WaitUntil([&] { return driver.Text(kPaneStatus).rfind(L"Reading Sector", 0) == 0; }, kStateWaitMs))
        << "the search did not start: " << Utf8(driver.Text(kPaneStatus));
    ASSERT_TRUE(driver.IsVisible(kStop));
}

// Waits until the bar moves past where it was: the search goes on.
bool WaitForTheBarToMove(MorvickDriver& driver)
{
    const int from = driver.ProgressPosition(kPaneProgress);
    return WaitUntil([&] { return driver.ProgressPosition(kPaneProgress) > from; }, kStateWaitMs);
}

// From the file-system page Back to the partition page, and Scan again as it stands: the search
// runs and the file-system page comes back without a message.
void BackAndScanAgain(MorvickDriver& driver)
{
    ASSERT_TRUE(WaitUntil([&] { return driver.IsVisible(kBack) && driver.IsEnabled(kBack); }, kStateWaitMs));
    ASSERT_TRUE(driver.Click(kBack));
    ASSERT_TRUE(driver.WaitForPage(2));
    ASSERT_TRUE(WaitUntil([&] { return driver.IsVisible(kNext) && driver.IsEnabled(kNext); }, kStateWaitMs));
    ASSERT_NO_FATAL_FAILURE(ScanToFileSystems(driver));
    ASSERT_TRUE(WaitUntil([&] { return driver.IsVisible(kBack) && driver.IsEnabled(kBack); }, kStateWaitMs));
    ASSERT_TRUE(driver.Click(kBack));
    ASSERT_TRUE(driver.WaitForPage(2));
}

TEST(WizardRoad, ExtensiveScanChecksItsSectorRangeAndScansAValidOne)
{
    // A disk without its master boot record: the search finds the volumes by their boot sectors.
    MorvickDriver driver;
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(driver, "mbr-wiped.vhd", false));
    for (UINT id : {kFileSystemChoice, kStartSector, kEndSector})
        EXPECT_TRUE(driver.IsVisible(id)) << id;

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
    // The page lists what the analysis found (the tree's root and the volume) before any message.
    EXPECT_TRUE(WaitForTree(driver, kFileSystemTree, 2)) << "no file system is listed";
    EXPECT_EQ(driver.MessageCount(), before) << "a file system was found";
    // The first file system found is chosen in the tree and shown in the form by itself.
    HWND tree = driver.Control(kDriveTree);  // the file-system tree has the drive tree's id
    EXPECT_TRUE(WaitUntil([&] { return !driver.Text(kRowValue + 1).empty(); }, kStateWaitMs))
        << "the form shows nothing";
    const std::vector<TreeItemInfo> items = driver.TreeItems(tree);
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)), items[1].item);

    // Back: the range scanned is in the boxes again, and Scan takes it without retyping.
    ASSERT_NO_FATAL_FAILURE(BackAndScanAgain(driver));
    EXPECT_EQ(driver.Text(kStartSector), L"36864");
    EXPECT_EQ(driver.Text(kEndSector), L"106495");
    driver.Kill();
}

TEST(WizardRoad, AVhdxOffersOnlyTheFileSystemChoiceAndScansTheSameRangeAfterBack)
{
    MorvickDriver driver;
    ASSERT_NO_FATAL_FAILURE(ReachPartitionPage(driver, "fixed.vhdx", true));
    EXPECT_TRUE(driver.IsVisible(kFileSystemChoice));
    EXPECT_FALSE(driver.IsVisible(kStartSector));
    EXPECT_FALSE(driver.IsVisible(kEndSector));
    // The FAT32 partition searched for FAT32; Back from the file systems found and Scan again: the
    // range, which the user cannot see here, is the partition's still.
    ASSERT_TRUE(WaitForTree(driver, kPartitionTree, 3));
    ASSERT_TRUE(driver.SelectTreeItem(driver.Control(kPartitionTree), L"Partition 1"));
    ASSERT_TRUE(WaitUntil([&] { return driver.Text(kRowValue) == L"FAT32"; }, kStateWaitMs));
    ASSERT_TRUE(driver.SelectComboIndex(kFileSystemChoice, 1));
    const size_t before = driver.MessageCount();
    ASSERT_TRUE(driver.Click(kNext));
    ASSERT_TRUE(driver.WaitForPage(3, 120000)) << "the file-system page did not come";
    EXPECT_TRUE(WaitForTree(driver, kFileSystemTree, 2)) << "no file system is listed";
    EXPECT_EQ(driver.MessageCount(), before);
    ASSERT_NO_FATAL_FAILURE(BackAndScanAgain(driver));
    driver.Kill();
}

TEST(WizardRoad, StopAnsweredNoLetsTheScanGoOnAndYesEndsIt)
{
    // The 120 GiB disk, searched for FAT32 volumes: stopped long before its end.
    MorvickDriver driver;
    ASSERT_NO_FATAL_FAILURE(StartLargeScan(driver, true));
    EXPECT_FALSE(driver.IsVisible(kNext));
    EXPECT_EQ(driver.Text(kHideProgress), L"Hide Progress");
    EXPECT_EQ(driver.Text(kRowLabel), L"Boot Sector(s) Found\t\t:");
    EXPECT_TRUE(driver.Capture(driver.Frame(), morvick::test::GalleryFolder("app") + L"\\scan-progress.png"));

    // Stop, No: the search goes on from where it was.
    const std::string question =
        "Do you want to stop file searching? This may result in incomplete \\r\\nrecovery and you will need to "
        "restart the process again.";
    PressAndExpect(driver, kStop, "3", question, IDNO);
    EXPECT_TRUE(WaitForTheBarToMove(driver)) << "the search did not go on";
    EXPECT_EQ(driver.ShownPage(), 2);

    // Stop, Yes: the search ends, the analysis runs on what it found, the file systems follow.
    PressAndExpect(driver, kStop, "3", question, IDYES);
    ASSERT_TRUE(driver.WaitForPage(3, 60000)) << "the file-system page did not come";
    EXPECT_TRUE(WaitForTree(driver, kFileSystemTree, 2)) << "no file system is listed";
    EXPECT_TRUE(driver.NoMessageBox()) << "the FAT32 volume at the start was found";
    driver.Kill();
}

// Clicks a control of the shown page with the mouse.
bool ClickWithMouse(MorvickDriver& driver, UINT id)
{
    HWND control = driver.Control(id);
    RECT rect = {};
    if (control == nullptr || !IsWindowVisible(control) || !GetWindowRect(control, &rect))
        return false;
    return RealClick(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

TEST(WizardRoad, HideProgressHoldsTheCountersWhileTheSearchGoesOnAndShowProgressLetsThemFollowAgain)
{
    MorvickDriver driver;
    ASSERT_NO_FATAL_FAILURE(StartLargeScan(driver, true));
    // The third row names the sector the search has reached; the status line names it too.
    const UINT sectorRow = kRowValue + 2;
    ASSERT_TRUE(WaitUntil([&] { return !driver.Text(sectorRow).empty(); }, kStateWaitMs));

    ASSERT_TRUE(ClickWithMouse(driver, kHideProgress));
    ASSERT_TRUE(WaitUntil([&] { return driver.Text(kHideProgress) == L"Show Progress"; }, kStateWaitMs));
    const std::wstring held = driver.Text(sectorRow);
    const std::wstring status = driver.Text(kPaneStatus);
    // The bar goes on with the search; the row and the reading position stay where they were.
    ASSERT_TRUE(WaitForTheBarToMove(driver)) << "the search did not go on";
    EXPECT_EQ(driver.Text(sectorRow), held);
    EXPECT_EQ(driver.Text(kPaneStatus), status);

    ASSERT_TRUE(ClickWithMouse(driver, kHideProgress));
    ASSERT_TRUE(WaitUntil([&] { return driver.Text(kHideProgress) == L"Hide Progress"; }, kStateWaitMs));
    EXPECT_TRUE(WaitUntil([&] { return driver.Text(sectorRow) != held; }, kStateWaitMs)) << "the counters stayed held";
    EXPECT_TRUE(WaitUntil([&] { return driver.Text(kPaneStatus) != status; }, kStateWaitMs))
        << "the status line stayed held";
    EXPECT_TRUE(driver.IsVisible(kStop)) << "the search was over before the test was";
    driver.Kill();
}

TEST(WizardRoad, ExitDuringAScanStopsTheScanAndEndsTheProgramCleanly)
{
    MorvickDriver driver;
    ASSERT_NO_FATAL_FAILURE(StartLargeScan(driver, false));

    const size_t before = driver.MessageCount();
    ASSERT_TRUE(driver.SendCommand(kExitCommand));
    LoggedMessage message;
    ASSERT_TRUE(driver.WaitForMessage(before, message));
    EXPECT_EQ(message.text, "Do you really want to exit ?");
    ASSERT_TRUE(driver.AnswerMessage(IDYES));
    DWORD code = 1234;
    ASSERT_TRUE(driver.WaitExit(60000, &code)) << "the program did not end";
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(driver.MessageCount(), before + 1) << "nothing else was asked or shown";
}

}  // namespace
}  // namespace morvick::e2e
