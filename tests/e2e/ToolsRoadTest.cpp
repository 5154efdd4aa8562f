// The tools of the results page end to end: Find with its hits saved, the file filters, the
// recovery settings, the drive information and Help; and a long save stopped and skipped from the
// saving dialog (Stop asks first, and a file ended early is not left behind as if whole).
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/e2e/ResultSteps.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/support/win/WindowCapture.h"

namespace fs = std::filesystem;

namespace morvick::e2e {
namespace {

[[maybe_unused]] auto* const kDisks =
    ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment({kResultsDisks}));

std::wstring ControlText(HWND control)
{
    wchar_t text[512] = L"";
    DWORD_PTR result = 0;
    MorvickDriver::Send(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), &result);
    return text;
}

bool WaitForText(HWND control, const std::function<bool(const std::wstring&)>& done)
{
    return WaitUntil([&] { return done(ControlText(control)); }, kStateWaitMs);
}

void Press(HWND dialog, UINT id)
{
    PostMessageW(MorvickDriver::DialogControl(dialog, id), BM_CLICK, 0, 0);
}

// Presses a button of a dialog and expects one message, answered with `answer`.
void PressExpecting(MorvickDriver& driver, HWND dialog, UINT id, const std::string& kind, const std::string& text,
    UINT answer = IDOK)
{
    const size_t before = driver.MessageCount();
    Press(dialog, id);
    LoggedMessage message;
    ASSERT_TRUE(driver.WaitForMessage(before, message)) << "no message after " << id;
    EXPECT_EQ(message.kind, kind);
    EXPECT_EQ(message.text, text);
    ASSERT_TRUE(driver.AnswerMessage(answer));
}

// The text files sleuthkit recovers, its orphans too: the files of a deleted folder that no entry
// found names are listed under "Lost Dir".
size_t TextFilesOf(const fs::path& recovered)
{
    size_t count = 0;
    for (const auto& [key, path] : morvick::test::FilesBelow(recovered, true))
        count += key.size() > 4 && key.compare(key.size() - 4, 4, ".txt") == 0;
    return count;
}

// The window with the keyboard focus in the program's user-interface thread.
HWND ProgramFocus(HWND frame)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(frame, nullptr), &info) ? info.hwndFocus : nullptr;
}

constexpr UINT kSaveCount = 1076, kSaveBar = 1074, kSkipFile = 1071;

TEST(ToolsRoad, FindFiltersSettingsDriveInformationAndHelp)
{
    SaveHold hold;
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_NO_FATAL_FAILURE(ScanToResults(driver, ResultsDisk("fixed.vhd"), kQuickScan, L"Partition 1"));
    const std::wstring gallery = morvick::test::GalleryFolder("app2");

    // Find: "*.txt" finds every text file of the volume; all of them ticked and saved.
    ASSERT_TRUE(driver.SendCommand(kFindCommand));
    HWND find = driver.WaitForWindow(L"Find File(s)");
    ASSERT_NE(find, nullptr);
    HWND pattern = MorvickDriver::DialogControl(find, 1032);
    DWORD_PTR result = 0;
    MorvickDriver::Send(pattern, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"*.txt"), &result);
    Press(find, IDOK);
    const size_t expected = TextFilesOf(ResultsOracle("part2.recover"));
    HWND status = MorvickDriver::DialogControl(find, 1089);
    ASSERT_TRUE(WaitForText(status, [](const std::wstring& text) { return !text.empty(); }));
    EXPECT_EQ(ControlText(status), L"There were " + std::to_wstring(expected) + L" files found.");
    HWND hits = MorvickDriver::DialogControl(find, 1040);
    const std::vector<ListRowInfo> hitRows = driver.ListRows(hits, 1);
    EXPECT_EQ(hitRows.size(), expected);
    ASSERT_GE(hitRows.size(), 4u);

    // A click on a hit previews it in the results page's pane (the dialog moved aside), and the
    // keys stay with the hits.
    SetWindowPos(find, nullptr, 0, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const fs::path& copy : PreviewCopies(driver))
        fs::remove(copy);
    ASSERT_TRUE(driver.ClickListRow(hits, driver.FindListRow(hits, L"SHORT.TXT")));
    EXPECT_TRUE(WaitUntil([&] { return PreviewCopies(driver).size() == 1; }, kStateWaitMs))
        << "the hit was not extracted";
    if (!PreviewCopies(driver).empty()) {
        EXPECT_TRUE(WaitForBytes(PreviewCopies(driver)[0], ReadBytes(ResultsOracle("part2.recover/short.txt"))));
    }
    EXPECT_TRUE(WaitUntil([&] { return ProgramFocus(driver.Frame()) == hits; }, kStateWaitMs))
        << "the focus left the hits";

    // Two hits ticked by their boxes (shown bold): the save's bar moves on by the rows done. The
    // second file waits at its start until the bar has been read.
    const int middle = static_cast<int>(hitRows.size() / 2), last = static_cast<int>(hitRows.size() - 1);
    for (int row : {middle, last}) {
        ASSERT_TRUE(driver.ClickListRow(hits, row, true));
        ASSERT_TRUE(WaitUntil(
            [&] {
                const std::vector<ListRowInfo> rows = driver.ListRows(hits, 1);
                return rows.size() == hitRows.size() && rows[row].Check() == 1;
            },
            kStateWaitMs))
            << "row " << row << " was not ticked";
    }
    EXPECT_TRUE(driver.Capture(driver.Frame(), gallery + L"\\find-dialog-preview.png"));
    {
        hold.Hold();
        const size_t before = driver.MessageCount();
        Press(find, 1080);
        ASSERT_TRUE(driver.ChooseSaveFolder());
        HWND saving = driver.WaitForWindow(L"Saving the data please wait...");
        ASSERT_NE(saving, nullptr);
        HWND count = MorvickDriver::DialogControl(saving, kSaveCount);
        ASSERT_TRUE(WaitForText(count, [](const std::wstring& text) { return text == L"1"; }));
        hold.Step();
        ASSERT_TRUE(WaitForText(count, [](const std::wstring& text) { return text == L"2"; }));
        const int rowsDone = middle * 100 / static_cast<int>(hitRows.size());
        HWND bar = MorvickDriver::DialogControl(saving, kSaveBar);
        EXPECT_TRUE(WaitUntil([&] { return MorvickDriver::BarPosition(bar) == rowsDone; }, kStateWaitMs))
            << "the bar shows " << MorvickDriver::BarPosition(bar) << ", not the " << rowsDone << " % of the rows done";
        EXPECT_TRUE(driver.Capture(saving, gallery + L"\\saving-dialog-find.png"));
        hold.Free();
        LoggedMessage done;
        ASSERT_TRUE(driver.WaitForMessage(before, done, kSaveWaitMs));
        EXPECT_EQ(done.text, "Files Saved Successfully.");
        ASSERT_TRUE(driver.AnswerMessage(IDOK));
        fs::remove_all(SaveStaging());
        fs::create_directories(SaveStaging());
    }
    Press(find, 1070);
    ASSERT_TRUE(WaitForText(MorvickDriver::DialogControl(find, 1070),
        [](const std::wstring& t) { return t == L"Unselect All"; }));
    EXPECT_TRUE(driver.Capture(find, gallery + L"\\find-dialog.png"));
    const fs::path found = NewSaveFolder("found");
    {
        const size_t before = driver.MessageCount();
        Press(find, 1080);
        ASSERT_TRUE(driver.ChooseSaveFolder());
        LoggedMessage done;
        ASSERT_TRUE(driver.WaitForMessage(before, done, kSaveWaitMs));
        EXPECT_EQ(done.text, "Files Saved Successfully.");
        ASSERT_TRUE(driver.AnswerMessage(IDOK));
        fs::rename(SaveStaging(), found);
        fs::create_directories(SaveStaging());
    }
    size_t saved = 0;
    for (const auto& entry : fs::directory_iterator(found))
        saved += entry.is_regular_file();
    EXPECT_EQ(saved, expected) << "each hit saved by itself, into the chosen folder";
    // F2 renames a hit; the results page's list shows the new name once the dialog is closed.
    ASSERT_TRUE(RenameListRow(driver, hits, L"SHORT.TXT", L"found short.txt"));
    // A pattern that finds nothing.
    MorvickDriver::Send(pattern, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"*.nothing"), &result);
    Press(find, IDOK);
    ASSERT_TRUE(
        WaitForText(status, [](const std::wstring& text) { return text.find(L"no results") != std::wstring::npos; }));
    EXPECT_EQ(ControlText(status), L"Search is complete. There are no results to display.");
    ASSERT_TRUE(driver.PressDialogButton(L"Find File(s)", IDCANCEL));
    HWND results = driver.Control(kResultList);
    EXPECT_TRUE(WaitUntil([&] { return driver.FindListRow(results, L"found short.txt") >= 0; }, kStateWaitMs))
        << "the results page's list keeps the old name";

    // Filters: "*.txt" added; the refusals; the list shows text files only, then all again.
    ASSERT_TRUE(driver.SendCommand(kFiltersCommand));
    HWND filters = driver.WaitForWindow(L"File Filters");
    ASSERT_NE(filters, nullptr);
    HWND edit = MorvickDriver::DialogControl(filters, 1064);
    auto typeFilter = [&](const wchar_t* text) {
        MorvickDriver::Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), &result);
    };
    typeFilter(L"*.txt");
    Press(filters, IDOK);
    ASSERT_TRUE(WaitForText(edit, [](const std::wstring& text) { return text.empty(); }));
    typeFilter(L"*.txt");
    PressExpecting(driver, filters, IDOK, "2", "      Filter already exists in the list     ");
    typeFilter(L"");
    PressExpecting(driver, filters, IDOK, "2", "      You can not add a blank entry.     ");
    typeFilter(L"12345678901234567890");
    PressExpecting(driver, filters, IDOK, "2", "      Filter too long     ");
    EXPECT_TRUE(driver.Capture(filters, gallery + L"\\filters-dialog.png"));
    ASSERT_TRUE(driver.PressDialogButton(L"File Filters", IDCANCEL));
    HWND list = driver.Control(kResultList);
    ASSERT_TRUE(WaitUntil(
        [&] {
            const std::vector<ListRowInfo> rows = driver.ListRows(list, 2);
            bool onlyText = !rows.empty();
            for (const ListRowInfo& row : rows) {
                const bool folder = row.texts[1] == L"Folder" || row.texts[1] == L"Deleted Folder";
                onlyText = onlyText &&
                    (folder || (row.texts[0].size() > 4 && row.texts[0].substr(row.texts[0].size() - 4) == L".txt"));
            }
            return onlyText;
        },
        kStateWaitMs))
        << "the list still shows other files";
    // The filter removed again.
    ASSERT_TRUE(driver.SendCommand(kFiltersCommand));
    filters = driver.WaitForWindow(L"File Filters");
    ASSERT_NE(filters, nullptr);
    SendMessageW(MorvickDriver::DialogControl(filters, 1063), LB_SETCURSEL, 0, 0);
    Press(filters, 1062);
    ASSERT_TRUE(
        WaitUntil([&] { return SendMessageW(MorvickDriver::DialogControl(filters, 1063), LB_GETCOUNT, 0, 0) == 0; },
            kStateWaitMs));
    ASSERT_TRUE(driver.PressDialogButton(L"File Filters", IDCANCEL));
    EXPECT_TRUE(driver.FindListRow(list, L"EXACT.ZIP") >= 0);

    // Settings: the defaults.
    ASSERT_TRUE(driver.SendCommand(kSettingsCommand));
    HWND settings = driver.WaitForWindow(L"Recovery Settings");
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(ControlText(MorvickDriver::DialogControl(settings, 1046)), L"60");
    EXPECT_EQ(ControlText(MorvickDriver::DialogControl(settings, 1055)), L"3");
    EXPECT_EQ(SendMessageW(MorvickDriver::DialogControl(settings, 1048), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(MorvickDriver::DialogControl(settings, 1051), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(driver.Capture(settings, gallery + L"\\settings-dialog.png"));
    ASSERT_TRUE(driver.PressDialogButton(L"Recovery Settings", IDCANCEL));

    // Drive information of the FAT32 partition.
    ASSERT_TRUE(driver.SendCommand(kDriveInfoCommand));
    HWND info = driver.WaitForWindow(L"Drive Information");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(ControlText(MorvickDriver::DialogControl(info, 1201)), L"FAT32");
    EXPECT_EQ(ControlText(MorvickDriver::DialogControl(info, 1202)), L"34816");
    EXPECT_EQ(ControlText(MorvickDriver::DialogControl(info, 1208)), L"N/A");
    EXPECT_TRUE(driver.Capture(info, gallery + L"\\drive-info-dialog.png"));
    ASSERT_TRUE(driver.PressDialogButton(L"Drive Information", IDOK));

    // Help has no help file here (Properties, through the list's context menu, is the commands
    // road's).
    {
        const size_t before = driver.MessageCount();
        ASSERT_TRUE(driver.SendCommand(kHelpCommand));
        LoggedMessage message;
        ASSERT_TRUE(driver.WaitForMessage(before, message));
        EXPECT_EQ(message.kind, "2");
        EXPECT_EQ(message.text, "Morvick.chm not found");
        ASSERT_TRUE(driver.AnswerMessage(IDOK));
    }
    driver.Kill();
}

// A file of the slow disk whose save was skipped or stopped: it stays, shorter than its 400 MiB. It is
// removed, so that the next save writes it under its own name again.
void ExpectCutShortAndRemove(const fs::path& file)
{
    std::error_code error;
    const uintmax_t size = fs::file_size(file, error);
    EXPECT_FALSE(error) << "the file cut short is not left: " << file;
    EXPECT_LT(size, uintmax_t(400) << 20);
    fs::remove(file, error);
}

// Waits until the saving dialog counts the one file of the slow disk, which then waits at its start.
void WaitForTheFileHeld(HWND saving)
{
    EXPECT_TRUE(WaitForText(MorvickDriver::DialogControl(saving, kSaveCount), [](const std::wstring& text) {
        return text == L"1";
    })) << "the save did not reach its file";
}

TEST(ToolsRoad, ALongSaveIsSkippedAndStoppedFromTheSavingDialog)
{
    SaveHold hold;
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_NO_FATAL_FAILURE(ScanToResults(driver, ResultsDisk("slow.vhd"), kQuickScan, L"Partition 0"));

    // Skip: the one file ends early and stays, cut short. The file waits at its start until Skip
    // has been pressed, so that no machine is fast enough to finish it first.
    ASSERT_NO_FATAL_FAILURE(TickRoot(driver));
    hold.Hold();
    size_t before = driver.MessageCount();
    ASSERT_TRUE(driver.Click(kSave));
    ASSERT_TRUE(driver.ChooseSaveFolder());
    HWND saving = driver.WaitForWindow(L"Saving the data please wait...");
    ASSERT_NE(saving, nullptr);
    WaitForTheFileHeld(saving);
    DWORD_PTR result = 0;
    MorvickDriver::Send(MorvickDriver::DialogControl(saving, kSkipFile), BM_CLICK, 0, 0, &result);
    hold.Free();
    LoggedMessage message;
    ASSERT_TRUE(driver.WaitForMessage(before, message, kSaveWaitMs));
    EXPECT_EQ(message.kind, "2");
    EXPECT_EQ(message.text, "0 file(s) saved.\\r\\n1 file(s) skipped.");
    ASSERT_TRUE(driver.AnswerMessage(IDOK));
    ExpectCutShortAndRemove(SaveStaging() / "ZEROS.BIN");

    // Stop: No lets the save go on, Yes stops it; no word of success. The file waits at its start
    // until Stop has been answered.
    ASSERT_NO_FATAL_FAILURE(TickRoot(driver));
    hold.Hold();
    before = driver.MessageCount();
    ASSERT_TRUE(driver.Click(kSave));
    ASSERT_TRUE(driver.ChooseSaveFolder());
    saving = driver.WaitForWindow(L"Saving the data please wait...");
    ASSERT_NE(saving, nullptr);
    WaitForTheFileHeld(saving);
    {
        // The save waits for the answer to Stop; meanwhile the dialog's picture, as a person sees it.
        const size_t asked = driver.MessageCount();
        Press(saving, IDOK);
        ASSERT_TRUE(driver.WaitForMessage(asked, message));
        EXPECT_EQ(message.kind, "3");
        EXPECT_EQ(message.text, "Do you want to stop the saving process?");
        EXPECT_TRUE(driver.Capture(saving, morvick::test::GalleryFolder("app2") + L"\\saving-dialog.png"));
        ASSERT_TRUE(driver.AnswerMessage(IDNO));
    }
    EXPECT_TRUE(IsWindowVisible(saving)) << "the save goes on";
    PressExpecting(driver, saving, IDOK, "3", "Do you want to stop the saving process?", IDYES);
    hold.Free();
    ASSERT_TRUE(MorvickDriver::WaitGone(saving, kSaveWaitMs));
    ASSERT_TRUE(driver.WaitForMessage(before + 2, message, kSaveWaitMs));
    EXPECT_EQ(message.text, "0 file(s) saved.\\r\\n1 file(s) skipped.");
    ASSERT_TRUE(driver.AnswerMessage(IDOK));
    ExpectCutShortAndRemove(SaveStaging() / "ZEROS.BIN");
    for (const LoggedMessage& m : driver.Messages())
        EXPECT_NE(m.text, "Files Saved Successfully.");
    driver.Kill();
}

// Presses Save with the top item ticked and the save held, and waits until the saving dialog shows
// its one file at its start; the dialog is returned.
HWND SaveHeld(MorvickDriver& driver, SaveHold& hold)
{
    TickRoot(driver);
    hold.Hold();
    EXPECT_TRUE(driver.Click(kSave));
    EXPECT_TRUE(driver.ChooseSaveFolder());
    HWND saving = driver.WaitForWindow(L"Saving the data please wait...");
    if (saving != nullptr)
        WaitForTheFileHeld(saving);
    return saving;
}

TEST(ToolsRoad, AHeldSaveGivesWayToStopAndToItsTimeLimit)
{
    {
        // Stop while the file waits at its start: the wait ends and the save stops, leaving the file
        // cut short, though the test never lets the file go on (the hold's own limit is a minute).
        SaveHold hold;
        MorvickDriver driver;
        ASSERT_TRUE(StartProgram(driver));
        ASSERT_NE(driver.WaitForFrame(), nullptr);
        ASSERT_NO_FATAL_FAILURE(ScanToResults(driver, ResultsDisk("slow.vhd"), kQuickScan, L"Partition 0"));
        const size_t before = driver.MessageCount();
        HWND saving = SaveHeld(driver, hold);
        ASSERT_NE(saving, nullptr);
        PressExpecting(driver, saving, IDOK, "3", "Do you want to stop the saving process?", IDYES);
        EXPECT_TRUE(MorvickDriver::WaitGone(saving, kStateWaitMs)) << "the held file did not give way to Stop";
        LoggedMessage message;
        ASSERT_TRUE(driver.WaitForMessage(before + 1, message, kStateWaitMs));
        EXPECT_EQ(message.text, "0 file(s) saved.\\r\\n1 file(s) skipped.");
        ASSERT_TRUE(driver.AnswerMessage(IDOK));
        ExpectCutShortAndRemove(SaveStaging() / "ZEROS.BIN");
        driver.Kill();
    }
    {
        // A test that never lets the file go on does not leave the program waiting: the file starts
        // by itself after the hold's limit, and the save ends as any other. With a limit of a second
        // the save may be over before its dialog could be seen: only its end is waited for.
        SaveHold hold(1000);
        MorvickDriver driver;
        ASSERT_TRUE(StartProgram(driver));
        ASSERT_NE(driver.WaitForFrame(), nullptr);
        ASSERT_NO_FATAL_FAILURE(ScanToResults(driver, ResultsDisk("slow.vhd"), kQuickScan, L"Partition 0"));
        const size_t before = driver.MessageCount();
        ASSERT_NO_FATAL_FAILURE(TickRoot(driver));
        hold.Hold();
        ASSERT_TRUE(driver.Click(kSave));
        ASSERT_TRUE(driver.ChooseSaveFolder());
        LoggedMessage message;
        ASSERT_TRUE(driver.WaitForMessage(before, message, kSaveWaitMs)) << "the held save did not end";
        EXPECT_EQ(message.text, "Files Saved Successfully.");
        ASSERT_TRUE(driver.AnswerMessage(IDOK));
        EXPECT_TRUE(fs::exists(SaveStaging() / "ZEROS.BIN"));
        fs::remove(SaveStaging() / "ZEROS.BIN");
        driver.Kill();
    }
}

}  // namespace
}  // namespace morvick::e2e
