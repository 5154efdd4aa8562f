// File Trace of pictures through the File Types dialog, end to end; and an image whose names try to
// leave the save folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "tests/e2e/ResultSteps.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/support/win/WindowCapture.h"

namespace fs = std::filesystem;

namespace morvick::e2e {
namespace {

[[maybe_unused]] auto* const kDisks = ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment(
    {"make-trace-disk.sh", "make-hostile-disk.sh", "make-blank-volume-disk.sh"}));

std::wstring FixtureImage(const char* script, const char* name)
{
    return WindowsPath(morvick::test::FixtureFolder(script) + "/" + name);
}

TEST(TraceRoad, FileTraceOfPicturesThroughTheFileTypesDialog)
{
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_NO_FATAL_FAILURE(OpenImage(driver, FixtureImage("make-trace-disk.sh", "containers/fixed.vhd"), kFileTrace));
    ASSERT_NO_FATAL_FAILURE(SearchPartitions(driver, true));
    ASSERT_TRUE(WaitForTree(driver, kPartitionTree, 2));
    ASSERT_TRUE(driver.SelectTreeItem(driver.Control(kPartitionTree), L"Partition 0"));
    ASSERT_TRUE(driver.Click(kNext));
    HWND types = driver.WaitForWindow(L"File Types");
    ASSERT_NE(types, nullptr);
    HWND typeTree = MorvickDriver::DialogControl(types, 1085);
    const std::wstring gallery = morvick::test::GalleryFolder("app2");
    EXPECT_TRUE(driver.Capture(types, gallery + L"\\file-types-dialog.png"));

    // Nothing ticked: OK refuses. Then the JPEG type alone, in a closed folder, at 1 MB.
    ASSERT_TRUE(driver.TickTreeItem(typeTree, L"File Types", 1));
    {
        const size_t before = driver.MessageCount();
        PostMessageW(MorvickDriver::DialogControl(types, IDOK), BM_CLICK, 0, 0);
        LoggedMessage message;
        ASSERT_TRUE(driver.WaitForMessage(before, message));
        EXPECT_EQ(message.kind, "2");
        EXPECT_EQ(message.text, "Please select a file types and then \\r\\nclick [Next] to continue with recovery.");
        ASSERT_TRUE(driver.AnswerMessage(IDOK));
    }
    driver.ExpandTree(typeTree);
    ASSERT_TRUE(driver.TickTreeItem(typeTree, L".jpg", 2));
    SendMessageW(typeTree, TVM_EXPAND, TVE_COLLAPSE,
        reinterpret_cast<LPARAM>(driver.FindTreeItem(typeTree, L"Graphics Files")));
    SendMessageW(MorvickDriver::DialogControl(types, 1105), CB_SETCURSEL, 0, 0);
    const size_t before = driver.MessageCount();
    ASSERT_TRUE(driver.PressDialogButton(L"File Types", IDOK));
    ASSERT_TRUE(driver.WaitForPage(4, 120000));
    ASSERT_TRUE(WaitForTree(driver, kResultTree, 1));
    EXPECT_EQ(driver.MessageCount(), before) << "File Trace ends without a message";

    // Three columns; the type folder lists its traced files.
    HWND list = driver.Control(kResultList);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
    std::vector<ListRowInfo> rows = driver.ListRows(list, 3);
    ASSERT_EQ(rows.size(), 1u) << "one type";
    ASSERT_TRUE(driver.DoubleClickListRow(list, 0));
    ASSERT_TRUE(WaitUntil([&] { return (rows = driver.ListRows(list, 3)).size() >= 2; }, kStateWaitMs))
        << "photo.jpg and the deleted gone.jpg";
    EXPECT_EQ(rows[0].texts[0], L"1.jpg");
    // The picture's copy for the preview, then its picture, which the pane shows once the copy is
    // whole: a traced file is 1 MiB long, and cannot be read at all while it is being written.
    for (const fs::path& copy : PreviewCopies(driver))
        fs::remove(copy);
    ASSERT_TRUE(driver.ClickListRow(list, 0));
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<fs::path> copies = PreviewCopies(driver);
            return copies.size() == 1 && ReadBytes(copies[0]).size() == 1024u * 1024u;
        },
        kStateWaitMs))
        << "the picture was not extracted whole";
    EXPECT_TRUE(driver.Capture(driver.Frame(), gallery + L"\\results-page-trace.png"));

    // Find and Settings are not offered in File Trace.
    ExpectRefused(driver, kFindCommand, L"Find File(s)");
    ExpectRefused(driver, kSettingsCommand, L"Recovery Settings");

    // The traced pictures saved: 1 MiB each from their first sector.
    ASSERT_NO_FATAL_FAILURE(TickRoot(driver));
    const fs::path traced = NewSaveFolder("traced");
    const LoggedMessage done = SaveInto(driver, traced);
    EXPECT_EQ(done.text, "Files Saved Successfully.");
    const fs::path samples = fs::u8path(morvick::test::FixtureFile("make-trace-disk.sh", "samples"));
    std::vector<std::string> pictures;
    for (const char* sample : {"photo.jpg", "gone.jpg"})
        pictures.push_back(ReadBytes(samples / sample));
    size_t saved = 0;
    for (const auto& entry : fs::directory_iterator(traced)) {
        const std::string bytes = ReadBytes(entry.path());
        EXPECT_EQ(bytes.size(), 1024u * 1024u) << entry.path();
        // A traced file holds its picture from its first byte on, and whatever follows it.
        bool begins = false;
        for (const std::string& picture : pictures)
            begins = begins || bytes.compare(0, picture.size(), picture) == 0;
        EXPECT_TRUE(begins) << entry.path();
        ++saved;
    }
    EXPECT_EQ(saved, 2u);
    // Back: the partition page without the trace's counters.
    ASSERT_TRUE(driver.Click(kBack));
    ASSERT_TRUE(driver.WaitForPage(2));
    ExpectPartitionRowsBack(driver);
    driver.Kill();
}

TEST(TraceRoad, AFailedFileTraceStaysOnThePartitionPageWithOpenRefused)
{
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_NO_FATAL_FAILURE(OpenImage(driver, FixtureImage("make-blank-volume-disk.sh", "fixed.vhd"), kFileTrace));
    ASSERT_NO_FATAL_FAILURE(SearchPartitions(driver, true));
    ASSERT_TRUE(WaitForTree(driver, kPartitionTree, 2));
    ASSERT_TRUE(driver.SelectTreeItem(driver.Control(kPartitionTree), L"Partition 0"));
    ASSERT_TRUE(driver.Click(kNext));
    const size_t before = driver.MessageCount();
    ASSERT_TRUE(driver.PressDialogButton(L"File Types", IDOK));
    // The volume holds nothing but zeros: the trace can work out no parameters.
    LoggedMessage message;
    ASSERT_TRUE(driver.WaitForMessage(before, message, 120000)) << "the trace did not end";
    EXPECT_EQ(message.kind, "2");
    EXPECT_EQ(message.text.rfind("Morvick was unable to find correct partition parameters.", 0), 0u) << message.text;
    ASSERT_TRUE(driver.AnswerMessage(IDOK));
    EXPECT_EQ(driver.ShownPage(), 2);
    ASSERT_TRUE(WaitUntil([&] { return driver.IsVisible(kNext) && driver.IsEnabled(kNext); }, kStateWaitMs));
    // "&Open", which fills in the start page, is refused here.
    ExpectRefused(driver, kOpenCommand, L"Add  file to repair");
    // Back to the start page offers it again.
    ASSERT_TRUE(driver.Click(kBack));
    ASSERT_TRUE(driver.WaitForPage(1));
    ASSERT_TRUE(driver.Click(kBack));
    ASSERT_TRUE(driver.WaitForPage(0));
    ASSERT_TRUE(driver.SendCommand(kOpenCommand));
    ASSERT_TRUE(driver.PressDialogButton(L"Add  file to repair", IDCANCEL)) << "Open is offered on the start page";
    driver.Kill();
}

TEST(HostileRoad, NamesStayInsideTheChosenFolder)
{
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    const fs::path outside = SaveStaging().parent_path();
    std::set<std::string> before;
    for (const auto& entry : fs::directory_iterator(outside))
        before.insert(entry.path().filename().u8string());
    bool first = true;
    int number = 0;
    for (const wchar_t* partition : {L"Partition 0", L"Partition 1"}) {
        if (first) {
            ASSERT_NO_FATAL_FAILURE(
                ScanToResults(driver, FixtureImage("make-hostile-disk.sh", "fixed.vhd"), kQuickScan, partition));
        } else {
            ASSERT_TRUE(driver.Click(kBack));
            ASSERT_NO_FATAL_FAILURE(ScanAnotherPartition(driver, partition));
        }
        first = false;
        ASSERT_NO_FATAL_FAILURE(TickRoot(driver));
        const fs::path folder = NewSaveFolder("hostile-" + std::to_string(number++));
        SaveInto(driver, folder);
        size_t files = 0;
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            files += entry.is_regular_file();
        EXPECT_GE(files, 6u) << "every hostile name saved under a name of its own";
        fs::remove_all(folder);
    }
    // Nothing appeared beside the save folders.
    for (const auto& entry : fs::directory_iterator(outside)) {
        const std::string name = entry.path().filename().u8string();
        EXPECT_TRUE(before.count(name) || name.rfind("morvick-saved-", 0) == 0 || name.rfind("morvick-e2e-", 0) == 0 ||
            name.rfind("tmp", 0) == 0)
            << "written outside the save folder: " << name;
    }
    driver.Kill();
}

}  // namespace
}  // namespace morvick::e2e
