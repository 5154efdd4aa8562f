// The commands of the results page as a user gives them, with real input: the menu bar opened by a
// mouse click and by Alt and a letter, a toolbar button clicked, an accelerator typed, and the list's
// context menu; the View commands, Properties, Rename by editing a label, Recover Selected from the
// menu and Save All, each checked by what it did; then Home, the Browse dialog and the partition
// search chosen in the "Partition Type" question.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/e2e/RealInput.h"
#include "tests/e2e/ResultSteps.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"

namespace fs = std::filesystem;

namespace morvick::e2e {
namespace {

[[maybe_unused]] auto* const kDisks =
    ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment({kResultsDisks}));

constexpr UINT kPropertiesValue = 1211;  // the first of the Properties dialog's five values
constexpr UINT kSearchPartitionsChoice = 1092;

DWORD ListView(HWND list)
{
    return static_cast<DWORD>(GetWindowLongW(list, GWL_STYLE)) & LVS_TYPEMASK;
}

bool WaitForView(HWND list, DWORD view)
{
    return WaitUntil([&] { return ListView(list) == view; }, kStateWaitMs);
}

std::wstring WindowTextOf(HWND window)
{
    wchar_t text[512] = L"";
    DWORD_PTR result = 0;
    MorvickDriver::Send(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), &result);
    return text;
}

// A row clicked with the mouse and its context menu opened with the menu key: open once it offers
// its last item.
bool OpenRowMenu(MorvickDriver& driver, HWND list, const std::wstring& rowText)
{
    const int row = driver.FindListRow(list, rowText);
    POINT point = {};
    RECT item = {};
    return driver.ListRowPoint(list, row, point) && RealClick(point) &&
        WaitUntil(
            [&] {
                return (SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) &
                           LVIS_SELECTED) != 0;
            },
            kStateWaitMs) &&
        RealKeys({VK_APPS}) &&
        WaitUntil([&] { return FindBarItem(driver.ProcessId(), L"Properties...", item); }, kStateWaitMs);
}

TEST(CommandsRoad, MenusToolbarKeysAndTheResultCommandsWithRealInput)
{
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_NO_FATAL_FAILURE(ScanToResults(driver, ResultsDisk("fixed.vhd"), kQuickScan, L"Partition 1"));
    ASSERT_TRUE(WaitUntil([&] { return driver.IsVisible(kBack) && driver.IsEnabled(kBack); }, kStateWaitMs));
    const DWORD program = driver.ProcessId();
    HWND list = driver.Control(kResultList);
    ASSERT_TRUE(WaitUntil([&] { return driver.FindListRow(list, L"SHORT.TXT") >= 0; }, kStateWaitMs));
    ASSERT_EQ(ListView(list), static_cast<DWORD>(LVS_REPORT));

    // View: the menu bar's "View" clicked with the mouse, then its "List".
    ASSERT_TRUE(ClickBarItem(program, L"View")) << "no menu bar item View";
    ASSERT_TRUE(ClickBarItem(program, L"List")) << "the View menu did not open";
    EXPECT_TRUE(WaitForView(list, LVS_LIST));
    // Alt+V chooses the same menu on the menu bar, Down opens it, and I picks its "Icons".
    RECT item = {};
    ASSERT_TRUE(WaitUntil([&] { return !FindBarItem(program, L"List", item); }, kStateWaitMs))
        << "the menu stayed open";
    ASSERT_TRUE(BringToFront(driver.Frame())) << "the frame is not the foreground window";
    ASSERT_TRUE(RealKeys({VK_MENU, 'V'}));
    ASSERT_TRUE(RealKeys({VK_DOWN}));
    ASSERT_TRUE(WaitUntil([&] { return FindBarItem(program, L"Icons", item); }, kStateWaitMs)) << "Alt+V chose no menu";
    ASSERT_TRUE(RealKeys({'I'}));
    EXPECT_TRUE(WaitForView(list, LVS_SMALLICON));
    // And "Details" by the mouse again.
    ASSERT_TRUE(WaitUntil([&] { return !FindBarItem(program, L"Icons", item); }, kStateWaitMs));
    ASSERT_TRUE(ClickBarItem(program, L"View"));
    ASSERT_TRUE(ClickBarItem(program, L"Details"));
    EXPECT_TRUE(WaitForView(list, LVS_REPORT));

    // The accelerator Ctrl+F: Find.
    ASSERT_TRUE(WaitUntil([&] { return !FindBarItem(program, L"Details", item); }, kStateWaitMs));
    ASSERT_TRUE(RealKeys({VK_CONTROL, 'F'}));
    ASSERT_TRUE(driver.PressDialogButton(L"Find File(s)", IDCANCEL)) << "Ctrl+F opened no Find dialog";
    // The toolbar's "Settings" clicked: the recovery settings.
    ASSERT_TRUE(ClickBarItem(program, L"Settings"));
    ASSERT_TRUE(driver.PressDialogButton(L"Recovery Settings", IDCANCEL)) << "the toolbar button did nothing";

    // Properties of the folder "docs" from its context menu: every file below it counted.
    ASSERT_TRUE(OpenRowMenu(driver, list, L"DOCS")) << "no context menu";
    ASSERT_TRUE(ClickBarItem(program, L"Properties..."));
    HWND properties = driver.WaitForWindow(L"File/Folder Properties");
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(WindowTextOf(MorvickDriver::DialogControl(properties, kPropertiesValue)), L"DOCS");
    const size_t files = morvick::test::FilesBelow(ResultsOracle("part2.recover/docs"), true).size();
    const std::wstring contains = WindowTextOf(MorvickDriver::DialogControl(properties, kPropertiesValue + 2));
    EXPECT_EQ(contains.rfind(std::to_wstring(files) + L" File(s) and ", 0), 0u) << Utf8(contains);
    ASSERT_TRUE(driver.PressDialogButton(L"File/Folder Properties", IDOK));

    // Save All (a command of the frame without a menu item): the whole volume, as sleuthkit
    // recovers it.
    const fs::path all = NewSaveFolder("save-all");
    LoggedMessage done = SaveInto(driver, all, kSaveAllCommand);
    EXPECT_EQ(done.text, "Files Saved Successfully.");
    EXPECT_GT(ExpectSameAsRecovered(all, 2, false), 400u);
    fs::remove_all(all);

    // Rename: the context menu's "Rename", the new name typed into the label and Enter.
    ASSERT_TRUE(OpenRowMenu(driver, list, L"SHORT.TXT"));
    ASSERT_TRUE(ClickBarItem(program, L"Rename"));
    HWND edit = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (edit = MorvickDriver::ListEditBox(list)) != nullptr; }, kStateWaitMs))
        << "the label is not being edited";
    ASSERT_TRUE(RealKeys({VK_CONTROL, 'A'}));
    ASSERT_TRUE(RealType(L"renamed.txt"));
    ASSERT_TRUE(WaitUntil([&] { return WindowTextOf(edit) == L"renamed.txt"; }, kStateWaitMs));
    ASSERT_TRUE(RealKeys({VK_RETURN}));
    ASSERT_TRUE(WaitUntil([&] { return driver.FindListRow(list, L"renamed.txt") >= 0; }, kStateWaitMs));
    EXPECT_LT(driver.FindListRow(list, L"SHORT.TXT"), 0);

    // Recover Selected from the menu: the renamed file saved under its new name with its bytes.
    ASSERT_TRUE(driver.ClickListRow(list, driver.FindListRow(list, L"renamed.txt"), true));
    ASSERT_TRUE(WaitUntil([&] { return CheckOf(driver.ListRows(list, 1), L"renamed.txt") == 1; }, kStateWaitMs))
        << "the renamed file's box";
    const fs::path picked = NewSaveFolder("recover-selected");
    {
        const size_t before = driver.MessageCount();
        ASSERT_TRUE(ClickBarItem(program, L"Recovery"));
        ASSERT_TRUE(ClickBarItem(program, L"Recover Selected..."));
        ASSERT_TRUE(driver.ChooseSaveFolder()) << "Recover Selected asked for no folder";
        ASSERT_TRUE(driver.WaitForMessage(before, done, kSaveWaitMs));
        EXPECT_EQ(done.text, "Files Saved Successfully.");
        ASSERT_TRUE(driver.AnswerMessage(IDOK));
        fs::rename(SaveStaging(), picked);
        fs::create_directories(SaveStaging());
    }
    EXPECT_EQ(ReadBytes(picked / "renamed.txt"), ReadBytes(ResultsOracle("part2.recover/short.txt")));
    EXPECT_FALSE(fs::exists(picked / "SHORT.TXT"));

    // Home, whose button takes no room on the page: its click, as the button tells the page. The start
    // page, everything of the scan left behind.
    ASSERT_TRUE(PostMessageW(driver.ShownPageWindow(), WM_COMMAND, MAKEWPARAM(kHome, BN_CLICKED),
        reinterpret_cast<LPARAM>(driver.Control(kHome))));
    ASSERT_TRUE(driver.WaitForPage(0)) << "Home did not lead to the start page";
    EXPECT_TRUE(driver.IsVisible(kQuickScan));

    // The Browse dialog fills in the image's box; Ctrl+O opens it too.
    ASSERT_TRUE(driver.SetText(kImagePath, L""));
    ASSERT_TRUE(driver.Click(kBrowse));
    ASSERT_TRUE(driver.AnswerFileDialog(L"Add  file to repair", ResultsDisk("fixed.vhd")));
    // The box is filled once the dialog has returned, which its window's going does not wait for.
    EXPECT_TRUE(WaitUntil([&] { return driver.Text(kImagePath) == ResultsDisk("fixed.vhd"); }, kStateWaitMs))
        << "the image box holds " << Utf8(driver.Text(kImagePath));
    ASSERT_TRUE(RealKeys({VK_CONTROL, 'O'}));
    ASSERT_TRUE(driver.PressDialogButton(L"Add  file to repair", IDCANCEL)) << "Ctrl+O opened no file dialog";

    // The partition search chosen instead of the table: it finds the same volumes.
    ASSERT_TRUE(driver.Click(kQuickScan));
    ASSERT_TRUE(driver.WaitForPage(1));
    ASSERT_TRUE(WaitForTree(driver, kDriveTree, 3));
    ASSERT_TRUE(driver.Click(kNext));
    HWND question = driver.WaitForWindow(L"Partition Type");
    ASSERT_NE(question, nullptr);
    PostMessageW(MorvickDriver::DialogControl(question, kSearchPartitionsChoice), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil(
        [&] {
            return SendMessageW(MorvickDriver::DialogControl(question, kSearchPartitionsChoice), BM_GETCHECK, 0, 0) ==
                BST_CHECKED;
        },
        kStateWaitMs));
    ASSERT_TRUE(driver.PressDialogButton(L"Partition Type", IDOK));
    ASSERT_TRUE(driver.WaitForPage(2, 120000)) << "the partition page did not come";
    ASSERT_TRUE(WaitForTree(driver, kPartitionTree, 4));
    const std::vector<std::wstring> found = ItemTexts(driver, kPartitionTree);
    EXPECT_EQ(found,
        (std::vector<std::wstring>{L"Virtual Hard Disk ", L"Partition 0", L"Partition 1", L"Partition 2"}));
    ASSERT_TRUE(driver.SelectTreeItem(driver.Control(kPartitionTree), L"Partition 1"));
    EXPECT_TRUE(WaitUntil([&] { return driver.Text(kRowValue) == L"FAT32"; }, kStateWaitMs))
        << Utf8(driver.Text(kRowValue));
    driver.Kill();
}

}  // namespace
}  // namespace morvick::e2e
