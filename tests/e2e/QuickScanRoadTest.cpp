// The wizard end to end on its main road: Morvick.exe started as a user starts it and driven
// through its windows on a disk made by sfdisk, mkfs.fat with mtools, mkntfs with ntfs-3g and
// qemu-img: the start page's checks, the drive page and its device tree, the partition search, the
// partition page, and the end of the program.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/e2e/RoadSteps.h"
#include "tests/e2e/ScreenPictures.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/support/win/WindowCapture.h"

namespace morvick::e2e {
namespace {

const char kFarPartitionDisk[] = "make-far-partition-disk.sh";

[[maybe_unused]] auto* const kDisks =
    ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment({kWizardDisks, kFarPartitionDisk}));

TEST(WizardRoad, QuickScanFromTheStartPageToThePartitionChosenAndTheEnd)
{
    // What the end of the program saves is gone before it starts (and back once the tests are over).
    DeleteProfileValue(L"Settings", L"Window Position");
    DeleteProfileValue(L"CommandBars", L"Accelerators");
    MorvickDriver driver;
    ASSERT_TRUE(driver.Start());
    ASSERT_NE(driver.WaitForFrame(), nullptr) << "no main window";

    // 1. The start page in the maximised frame, which cannot be made smaller than 875 x 690.
    ASSERT_TRUE(driver.WaitForPage(0));
    // The frame is maximised once it is shown; on a busy machine that may come after the page.
    EXPECT_TRUE(WaitUntil([&] { return driver.IsFrameMaximized(); }, kStateWaitMs));
    const POINT minimum = driver.MinimumTrackSize();
    EXPECT_EQ(minimum.x, 875);
    EXPECT_EQ(minimum.y, 690);
    for (UINT id : {kImagePath, kQuickScan, kFileTrace, kExtensiveScan, kBrowse, kModeLabel})
        EXPECT_TRUE(driver.IsVisible(id)) << id;
    EXPECT_EQ(driver.Text(kModeLabel), L"VHD/VHDX");
    const std::wstring gallery = morvick::test::GalleryFolder("app");
    EXPECT_TRUE(driver.Capture(driver.Frame(), gallery + L"\\start-page.png"));

    // 3. The start page's checks: no file, a missing file, a file that is no image.
    PressAndExpect(driver, kQuickScan, "1", "\\nPlease Select VHD/VHDX file...");
    const std::wstring missing = Disk("missing.vhd");
    ASSERT_TRUE(driver.SetText(kImagePath, missing));
    PressAndExpect(driver, kQuickScan, "3", Utf8(missing) + " file does not exists.");
    // A ".vhd" too short for its footer and a ".vhdx" without the VHDX signature are no images.
    for (const char* junk : {"junk.vhd", "junk.vhdx"}) {
        ASSERT_TRUE(driver.SetText(kImagePath, Disk(junk)));
        PressAndExpect(driver, kQuickScan, "2",
            "This file is highly corrupted or it is invalid file type.  Please select another file to recover.");
        EXPECT_EQ(driver.Text(kImagePath), L"") << "the box is emptied";
    }
    EXPECT_EQ(driver.ShownPage(), 0);

    // 4. The image, typed with blanks around it: the drive page lists it and describes it.
    ASSERT_NO_FATAL_FAILURE(OpenImage(driver, L"  " + Disk("fixed.vhd") + L"  ", kQuickScan));
    ASSERT_TRUE(WaitForTree(driver, kDriveTree, 3));
    EXPECT_EQ(ItemTexts(driver, kDriveTree),
        (std::vector<std::wstring>{L"My Computer", L"Physical Devices", L"Virtual Hard Disk 0 "}));
    EXPECT_EQ(driver.Text(kRowLabel), L"Model\t\t\t:");
    EXPECT_EQ(driver.Text(kRowValue), L"Virtual Hard Disk");
    const std::wstring capacity = driver.Text(kRowValue + 1);
    EXPECT_NE(capacity.find(L" MB (Approx)"), std::wstring::npos) << Utf8(capacity);
    EXPECT_FALSE(driver.Text(kRowValue + 2).empty()) << "cylinders";
    EXPECT_TRUE(driver.Capture(driver.Frame(), gallery + L"\\drive-page.png"));
    // "&Open" is refused now; "&Load Recovery Snapshot..." is offered.
    ExpectRefused(driver, kOpenCommand, L"Add  file to repair");
    ASSERT_TRUE(driver.SendCommand(kLoadSnapshotCommand));
    ASSERT_TRUE(driver.PressDialogButton(L"Open", IDCANCEL)) << "the snapshot's file dialog did not open";

    // Next with a branch of the tree chosen instead of the disk asks for a drive.
    ASSERT_TRUE(driver.ClickTreeItem(driver.Control(kDriveTree), L"Physical Devices"));
    PressAndExpect(driver, kNext, "2",
        "Please select the drive that contain the lost data \\r\\nfrom the left panel and click [Next].");
    EXPECT_EQ(driver.ShownPage(), 1);
    ASSERT_TRUE(driver.ClickTreeItem(driver.Control(kDriveTree), L"Virtual Hard Disk 0 "));

    // 5. Next: the partition search lists the disk's four partitions on the partition page.
    ASSERT_NO_FATAL_FAILURE(SearchPartitions(driver, true));
    ASSERT_TRUE(WaitForTree(driver, kPartitionTree, 5));
    EXPECT_EQ(ItemTexts(driver, kPartitionTree),
        (std::vector<std::wstring>{L"Virtual Hard Disk ", L"Partition 0", L"Partition 1", L"Partition 2",
            L"Partition 3"}));

    // 6. Scan before a partition is chosen; then the FAT32 partition is chosen and described.
    PressAndExpect(driver, kNext, "1",
        "Please select the partition that you want to recover \\r\\nfrom the left panel and click [Scan].");
    ASSERT_TRUE(driver.ClickTreeItem(driver.Control(kPartitionTree), L"Partition 1"));
    EXPECT_TRUE(WaitUntil([&] { return driver.Text(kRowValue) == L"FAT32"; }, kStateWaitMs))
        << Utf8(driver.Text(kRowValue));
    EXPECT_EQ(driver.Text(kRowLabel), L"Partition type\t\t:");
    EXPECT_EQ(driver.Text(kRowValue + 1), L"36864");
    EXPECT_EQ(driver.Text(kRowValue + 2), L"106495");
    EXPECT_EQ(driver.Text(kRowValue + 3), L"34 MB (Approx)");
    EXPECT_TRUE(driver.Capture(driver.Frame(), gallery + L"\\partition-page.png"));

    // The About box.
    ASSERT_TRUE(driver.SendCommand(kAboutCommand));
    HWND about = driver.WaitForWindow(L"About Morvick");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(driver.Capture(about, gallery + L"\\about.png"));
    ASSERT_TRUE(driver.PressDialogButton(L"About Morvick", IDOK));

    // 7. Scan: the Quick Scan runs on its worker; once its thread has ended the poll shows the
    // results page and its hint, and the commands of the results are offered.
    const size_t beforeScan = driver.MessageCount();
    ASSERT_TRUE(driver.Click(kNext));
    LoggedMessage hint;
    ASSERT_TRUE(driver.WaitForMessage(beforeScan, hint, 60000)) << "the scan did not end";
    EXPECT_EQ(hint.kind, "1");
    EXPECT_EQ(hint.text,
        "If you don't find the required file(s) and folder(s) here then please go back \\r\\nto the first step "
        "and select Extensive Scan for recovery.");
    ASSERT_TRUE(driver.AnswerMessage(IDOK));
    EXPECT_TRUE(driver.WaitForPage(4));
    // The results page offers Back once the scan's end is handled, after the hint: a command sent
    // before that would be run inside the hint's own message loop, which a user cannot do.
    ASSERT_TRUE(WaitUntil([&] { return driver.IsVisible(kBack) && driver.IsEnabled(kBack); }, kStateWaitMs));
    // No snapshot is loaded over results.
    ExpectRefused(driver, kLoadSnapshotCommand, L"Open");
    ASSERT_TRUE(driver.Click(kBack));
    ASSERT_TRUE(driver.WaitForPage(2));

    // 16. Back to the start page and the same image again: still exactly one disk in the tree.
    ASSERT_TRUE(driver.Click(kBack));
    ASSERT_TRUE(driver.WaitForPage(1));
    ASSERT_TRUE(driver.Click(kBack));
    ASSERT_TRUE(driver.WaitForPage(0));
    ASSERT_TRUE(driver.Click(kFileTrace));
    ASSERT_TRUE(driver.WaitForPage(1));
    EXPECT_EQ(ItemTexts(driver, kDriveTree),
        (std::vector<std::wstring>{L"My Computer", L"Physical Devices", L"Virtual Hard Disk 0 "}));

    // 18. Exit: No keeps the program running, Yes ends it with exit code 0, its placement and its
    // command bars' shortcuts saved.
    const size_t before = driver.MessageCount();
    ASSERT_TRUE(driver.SendCommand(kExitCommand));
    LoggedMessage message;
    ASSERT_TRUE(driver.WaitForMessage(before, message));
    EXPECT_EQ(message.kind, "3");
    EXPECT_EQ(message.text, "Do you really want to exit ?");
    ASSERT_TRUE(driver.AnswerMessage(IDNO));
    DWORD code = 1234;
    EXPECT_FALSE(driver.WaitExit(1000, &code));
    ASSERT_TRUE(driver.SendCommand(kExitCommand));
    ASSERT_TRUE(driver.WaitForMessage(before + 1, message));
    EXPECT_EQ(message.text, "Do you really want to exit ?");
    ASSERT_TRUE(driver.AnswerMessage(IDYES));
    ASSERT_TRUE(driver.WaitExit(kStateWaitMs, &code)) << "the program did not end";
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(ProfileValueExists(L"Settings", L"Window Position"));
    EXPECT_TRUE(ProfileValueExists(L"CommandBars", L"Accelerators")) << "the command bars' shortcuts were saved";
}

TEST(WizardRoad, AVhdxIsDescribedWithItsSizeAndThePieShowsItsPartitions)
{
    MorvickDriver driver;
    ASSERT_TRUE(driver.Start());
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_TRUE(driver.WaitForPage(0));
    ASSERT_NO_FATAL_FAILURE(OpenImage(driver, Disk("fixed.vhdx"), kQuickScan));
    ASSERT_TRUE(WaitForTree(driver, kDriveTree, 3));
    ASSERT_TRUE(driver.SelectTreeItem(driver.Control(kDriveTree), L"Virtual Hard Disk 0 "));
    // The disk of 120 MiB, as its container gives it.
    EXPECT_TRUE(WaitUntil([&] { return driver.Text(kRowValue + 1) == L"120 MB "; }, kStateWaitMs))
        << Utf8(driver.Text(kRowValue + 1));
    // Each partition has its share of the pie: the FAT32 partition (28 %) covers more of it than the
    // free rest (23 %).
    constexpr COLORREF kFat32Slice = 0xFF7777, kFreeSlice = 0xFF00FF;
    constexpr UINT kPieGroup = 61426;
    HWND pie = driver.Control(kPieGroup);
    ASSERT_NE(pie, nullptr);
    RECT area = {};
    GetWindowRect(pie, &area);
    std::map<COLORREF, size_t> colours;
    EXPECT_TRUE(WaitUntil(
        [&] {
            colours = ScreenColours(area);
            return colours[kFat32Slice] > 1000;
        },
        kStateWaitMs));
    EXPECT_GT(colours[kFat32Slice], colours[kFreeSlice]) << "the pie is all free space";
    EXPECT_TRUE(driver.Capture(driver.Frame(), morvick::test::GalleryFolder("app") + L"\\drive-page-vhdx.png"));
    driver.Kill();
}

TEST(WizardRoad, APartitionPastTwoToTheThirtyFirstSectorIsDescribedWithItsSectorNumbers)
{
    MorvickDriver driver;
    ASSERT_TRUE(driver.Start());
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_TRUE(driver.WaitForPage(0));
    ASSERT_NO_FATAL_FAILURE(
        OpenImage(driver, WindowsPath(morvick::test::FixtureFolder(kFarPartitionDisk) + "/far.vhd"), kQuickScan));
    ASSERT_NO_FATAL_FAILURE(SearchPartitions(driver, true));
    ASSERT_TRUE(WaitForTree(driver, kPartitionTree, 2));
    ASSERT_TRUE(driver.SelectTreeItem(driver.Control(kPartitionTree), L"Partition 0"));
    EXPECT_TRUE(WaitUntil([&] { return driver.Text(kRowValue) == L"FAT32"; }, kStateWaitMs))
        << Utf8(driver.Text(kRowValue));
    EXPECT_EQ(driver.Text(kRowValue + 1), L"2147485696");
    EXPECT_EQ(driver.Text(kRowValue + 2), L"2147551231");
    EXPECT_EQ(driver.Text(kRowValue + 3), L"32 MB (Approx)");
    driver.Kill();
}

TEST(WizardRoad, ASnapshotOnTheCommandLineThatIsNoSnapshotIsRefusedAndTheStartPageShown)
{
    // A file whose first character names no scan mode, given in quotes and capitals.
    const char bytes[] = {'X', 0, 'Y', 0, 'Z', 0};
    ASSERT_TRUE(morvick::test::WriteFileBytes(morvick::test::FixtureFolder(kWizardDisks) + "/not-a-snapshot.srzq",
        reinterpret_cast<const uint8_t*>(bytes), sizeof(bytes)));
    const std::wstring path = Disk("NOT-A-SNAPSHOT.SRZQ");
    MorvickDriver driver;
    ASSERT_TRUE(driver.Start(L"\"" + path + L"\""));
    LoggedMessage message;
    ASSERT_TRUE(driver.WaitForMessage(0, message));
    EXPECT_EQ(message.kind, "3");
    EXPECT_EQ(message.text, "Invalid File.");
    ASSERT_TRUE(driver.AnswerMessage(IDOK));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    EXPECT_TRUE(driver.WaitForPage(0));
    driver.Kill();
}

}  // namespace
}  // namespace morvick::e2e
