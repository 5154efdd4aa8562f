// The main road's second half: a Quick Scan of the FAT32 partition of a fixed VHD shown on the
// results page, its tree and list, going into folders and back, the preview's temporary copies,
// sorting, saving the ticked items (nothing saved twice), duplicate names, the recovery snapshot,
// Back and Home; then the snapshot loaded in a new run: the files saved from it and the snapshot saved
// again have the same bytes; and the snapshot opened with no image open (on the command line, and
// through the start page's Load command): its image asked for, a wrong one refused.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>

#include "tests/e2e/ResultSteps.h"
#include "tests/e2e/ScreenPictures.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/support/win/WindowCapture.h"

namespace fs = std::filesystem;

namespace morvick::e2e {
namespace {

[[maybe_unused]] auto* const kDisks =
    ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment({kResultsDisks}));

bool WaitForRows(MorvickDriver& driver, const std::function<bool(const std::vector<ListRowInfo>&)>& done)
{
    return WaitUntil([&] { return done(driver.ListRows(driver.Control(kResultList))); }, kStateWaitMs);
}

bool WaitForCopies(const MorvickDriver& driver, size_t count)
{
    return WaitUntil([&] { return PreviewCopies(driver).size() == count; }, kStateWaitMs);
}

// A run's whole FAT32 volume saved through the top item and the recovery snapshot saved after it,
// which the snapshot's tests load and compare with. Made by the main road when it runs first, else by
// a short road of its own the first time a test asks for them.
struct ScanSaves {
    fs::path wholeSave;
    fs::path snapshot;
};
ScanSaves g_scanSaves;

// Every file of the first run's whole save, and nothing else, saved again with the same bytes.
void ExpectSameAsTheScanSaved(const fs::path& again)
{
    const auto first = morvick::test::FilesBelow(g_scanSaves.wholeSave, false);
    const auto second = morvick::test::FilesBelow(again, false);
    EXPECT_EQ(first.size(), second.size());
    for (const auto& [key, path] : first) {
        auto it = second.find(key);
        if (it == second.end()) {
            ADD_FAILURE() << "not saved from the snapshot: " << key;
            continue;
        }
        EXPECT_EQ(ReadBytes(it->second), ReadBytes(path)) << key;
    }
}

// The progress dialog of a snapshot's load, shown or hidden; null when there is none.
HWND SnapshotProgressDialog(MorvickDriver& driver)
{
    return driver.ProgramWindow(L"Progress...");
}

// Once a load is over its progress dialog is gone and the frame takes input again.
void ExpectTheLoadsProgressGone(MorvickDriver& driver)
{
    EXPECT_TRUE(WaitUntil([&] { return SnapshotProgressDialog(driver) == nullptr; }, kStateWaitMs))
        << "the load's progress dialog stayed";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(driver.Frame()) != FALSE; }, kStateWaitMs))
        << "the frame stayed disabled after the load";
}

// The results page after a snapshot loaded: the top item ticked and everything saved.
void SaveTheLoadedSnapshot(MorvickDriver& driver, const std::string& name)
{
    ASSERT_TRUE(driver.WaitForPage(4));
    ExpectTheLoadsProgressGone(driver);
    ASSERT_TRUE(WaitForTree(driver, kResultTree, 3));
    ASSERT_NO_FATAL_FAILURE(TickRoot(driver));
    const fs::path again = NewSaveFolder(name);
    const LoggedMessage done = SaveInto(driver, again);
    EXPECT_EQ(done.text, "Files Saved Successfully.");
    ExpectSameAsTheScanSaved(again);
}

// On the results page of the FAT32 partition: the whole volume saved through the top item, then the
// recovery snapshot; both kept as the run's.
void SaveWholeVolumeAndSnapshot(MorvickDriver& driver)
{
    ASSERT_NO_FATAL_FAILURE(TickRoot(driver));
    ScanSaves saves;
    saves.wholeSave = NewSaveFolder("whole");
    const LoggedMessage done = SaveInto(driver, saves.wholeSave);
    EXPECT_EQ(done.text, "Files Saved Successfully.");
    EXPECT_GT(ExpectSameAsRecovered(saves.wholeSave, 2, false), 400u);

    const fs::path folder = NewSaveFolder("snapshot");
    fs::create_directories(folder);
    saves.snapshot = folder / "Road.srzq";
    ASSERT_TRUE(driver.SendCommand(kSaveSnapshotCommand));
    EXPECT_EQ(driver.FileDialogType(L"Save As"), L"*.srzq");
    ASSERT_TRUE(driver.AnswerFileDialog(L"Save As", saves.snapshot.wstring()));
    // A snapshot is written under another name and takes its own only once it is whole: the name as
    // the user typed it, capital and all.
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (const auto& entry : fs::directory_iterator(folder)) {
                if (entry.path().filename() == L"Road.srzq")
                    return true;
            }
            return false;
        },
        kStateWaitMs))
        << "no snapshot saved as Road.srzq";
    EXPECT_EQ(ReadBytes(saves.snapshot).substr(0, 2), std::string("D\0", 2)) << "a Quick Scan's snapshot";
    g_scanSaves = saves;
}

// The run's whole save and snapshot, made now by a road of their own when no test has made them.
const ScanSaves& TheScanSaves()
{
    if (g_scanSaves.snapshot.empty()) {
        MorvickDriver driver;
        if (StartProgram(driver) && driver.WaitForFrame() != nullptr) {
            ScanToResults(driver, ResultsDisk("fixed.vhd"), kQuickScan, L"Partition 1");
            if (!::testing::Test::HasFatalFailure())
                SaveWholeVolumeAndSnapshot(driver);
        }
        driver.Kill();
    }
    return g_scanSaves;
}

// After a refused snapshot: the start page, no message box, and no command of results offered.
void ExpectNothingOfTheSnapshot(MorvickDriver& driver)
{
    EXPECT_TRUE(driver.WaitForPage(0));
    EXPECT_TRUE(driver.NoMessageBox());
    ExpectRefused(driver, kSaveSnapshotCommand, L"Save As");
    ExpectRefused(driver, kDriveInfoCommand, L"Drive Information");
    ExpectRefused(driver, kFindCommand, L"Find File(s)");
}

// The mismatch message, answered. The load's progress dialog, which came when the load began,
// steps aside for the message and goes with the load.
void ExpectMismatch(MorvickDriver& driver, size_t before)
{
    LoggedMessage message;
    ASSERT_TRUE(driver.WaitForMessage(before, message)) << "the wrong image was not refused";
    EXPECT_EQ(message.kind, "plain");
    EXPECT_EQ(message.text, "Source file and load recovery snapshot mismatch");
    HWND progress = SnapshotProgressDialog(driver);
    EXPECT_NE(progress, nullptr) << "the load showed no progress dialog";
    if (progress != nullptr) {
        EXPECT_FALSE(IsWindowVisible(progress)) << "the progress dialog covers the message";
    }
    ASSERT_TRUE(driver.AnswerMessage(IDOK));
    ExpectTheLoadsProgressGone(driver);
}

TEST(ResultsRoad, QuickScanResultsNavigationPreviewSaveSnapshotAndBack)
{
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_NO_FATAL_FAILURE(ScanToResults(driver, ResultsDisk("fixed.vhd"), kQuickScan, L"Partition 1"));

    // 8. The tree's top item "Root" with the volume's folders; the list shows the root folder.
    HWND tree = driver.Control(kResultTree);
    HWND list = driver.Control(kResultList);
    std::vector<std::wstring> items = ItemTexts(driver, kResultTree);
    ASSERT_GE(items.size(), 3u);
    EXPECT_EQ(items[0], L"Root");
    EXPECT_NE(std::find(items.begin(), items.end(), L"DOCS"), items.end());
    ASSERT_TRUE(WaitForRows(driver, [](const std::vector<ListRowInfo>& rows) { return rows.size() >= 6; }));
    const std::vector<ListRowInfo> root = driver.ListRows(list);
    for (const ListRowInfo& row : root)
        EXPECT_NE(row.texts[0], L"Parent...") << "the root has no parent row";
    EXPECT_TRUE(driver.IsVisible(kSave));
    EXPECT_TRUE(driver.IsVisible(kBack));
    const std::wstring gallery = morvick::test::GalleryFolder("app2");

    // 9. Into "docs": the parent row first, the deleted files marked; the parent row leads back.
    const int docs = driver.FindListRow(list, L"DOCS");
    ASSERT_GE(docs, 0);
    ASSERT_TRUE(driver.DoubleClickListRow(list, docs));
    ASSERT_TRUE(WaitForRows(driver,
        [](const std::vector<ListRowInfo>& rows) { return !rows.empty() && rows[0].texts[0] == L"Parent..."; }));
    bool sawDeletedFile = false;
    for (const ListRowInfo& row : driver.ListRows(list))
        sawDeletedFile = sawDeletedFile || row.texts[1].rfind(L"Deleted ", 0) == 0;
    EXPECT_TRUE(sawDeletedFile) << "gone.txt is listed as deleted";

    // 10. A click on a text file extracts it once into the temporary folder for the preview, which
    // shows it once the copy is whole.
    const int german = driver.FindListRow(list, L"Grüße aus Köln.txt");
    ASSERT_GE(german, 0);
    ASSERT_TRUE(driver.ClickListRow(list, german));
    ASSERT_TRUE(WaitForCopies(driver, 1)) << "no preview copy";
    const fs::path copy = PreviewCopies(driver)[0];
    EXPECT_EQ(copy.extension(), ".txt");
    EXPECT_TRUE(WaitForBytes(copy, ReadBytes(ResultsOracle("part2.recover/docs/Grüße aus Köln.txt"))));
    EXPECT_TRUE(WaitUntil([&] { return ShownPreviewText(driver).find(L" aus K") != std::wstring::npos; },
        kStateWaitMs))
        << "the preview shows " << Utf8(ShownPreviewText(driver).substr(0, 40));
    EXPECT_TRUE(driver.Capture(driver.Frame(), gallery + L"\\results-page.png"));
    ASSERT_TRUE(driver.ClickListRow(list, german));
    ASSERT_TRUE(driver.DoubleClickListRow(list, 0));
    // "docs" lists as many rows as the root does: the root is back once its parent row is gone.
    ASSERT_TRUE(WaitForRows(driver, [&](const std::vector<ListRowInfo>& rows) {
        return rows.size() == root.size() && !rows.empty() && rows[0].texts[0] != L"Parent...";
    }));
    // 5 MiB is extracted, one byte more is not. The clicks are handled in order: once the copy of
    // exact.zip is there, the second click on the German file and the click on over.zip are over,
    // and neither may have left a copy of its own.
    ASSERT_TRUE(driver.ClickListRow(list, driver.FindListRow(list, L"OVER.ZIP")));
    ASSERT_TRUE(driver.ClickListRow(list, driver.FindListRow(list, L"EXACT.ZIP")));
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (const fs::path& copy : PreviewCopies(driver)) {
                std::error_code error;
                if (fs::file_size(copy, error) == 5242880)
                    return true;
            }
            return false;
        },
        kStateWaitMs))
        << "exact.zip was not extracted";
    EXPECT_EQ(PreviewCopies(driver).size(), 2u) << "the same file again, or a file over 5 MiB, was extracted";

    // 11. The size heading sorts numerically, the folders staying first; a second click reverses.
    ASSERT_TRUE(driver.ClickListHeader(list, 2));
    auto sizesOrdered = [](const std::vector<ListRowInfo>& rows, bool ascending) {
        bool filesStarted = false;
        unsigned long long last = ascending ? 0 : ~0ull;
        for (const ListRowInfo& row : rows) {
            const bool folder = row.texts[1] == L"Folder" || row.texts[1] == L"Deleted Folder";
            if (folder && filesStarted)
                return false;
            if (folder)
                continue;
            filesStarted = true;
            const unsigned long long size = std::stoull(row.texts[2]);
            if (ascending ? size < last : size > last)
                return false;
            last = size;
        }
        return filesStarted;
    };
    EXPECT_TRUE(WaitForRows(driver, [&](const std::vector<ListRowInfo>& rows) { return sizesOrdered(rows, true); }));
    ASSERT_TRUE(driver.ClickListHeader(list, 2));
    EXPECT_TRUE(WaitForRows(driver, [&](const std::vector<ListRowInfo>& rows) { return sizesOrdered(rows, false); }));

    // 12. Save with nothing ticked.
    PressAndExpect(driver, kSave, "1",
        "Please mark the file(s) and folder(s) that you want to save\\r\\nby clicking on check box.");

    // 13. The folder "docs" ticked in the tree, "sub" below it too, and "short.txt" in the list:
    // docs is saved once with its folders, short.txt by itself, nothing twice.
    ASSERT_TRUE(driver.ClickTreeItem(tree, L"DOCS", true));
    const int shortRow = driver.FindListRow(list, L"SHORT.TXT");
    ASSERT_GE(shortRow, 0);
    ASSERT_TRUE(driver.ClickListRow(list, shortRow, true));
    ASSERT_TRUE(WaitForRows(driver, [&](const std::vector<ListRowInfo>& rows) {
        return CheckOf(rows, L"SHORT.TXT") == 1 && CheckOf(rows, L"DOCS") == 1;
    })) << "the rows follow the ticks";
    EXPECT_TRUE(driver.Capture(driver.Frame(), gallery + L"\\results-page-ticked.png"));
    const fs::path picked = NewSaveFolder("picked");
    LoggedMessage done = SaveInto(driver, picked);
    EXPECT_EQ(done.kind, "plain");
    EXPECT_EQ(done.text, "Files Saved Successfully.");
    EXPECT_EQ(ReadBytes(picked / "SHORT.TXT"), ReadBytes(ResultsOracle("part2.recover/short.txt")));
    EXPECT_EQ(ReadBytes(picked / "DOCS" / "SUB" / "DEEPER" / "LEAF.TXT"),
        ReadBytes(ResultsOracle("part2.recover/docs/sub/deeper/leaf.txt")));
    size_t saved = 0;
    for (const auto& entry : fs::recursive_directory_iterator(picked)) {
        EXPECT_EQ(entry.path().filename().u8string().rfind("Copy (", 0), std::string::npos) << entry.path();
        saved += entry.is_regular_file();
    }
    EXPECT_EQ(saved, 1 + morvick::test::FilesBelow(ResultsOracle("part2.recover/docs"), true).size());
    // The ticks are cleared once the save's message is answered.
    auto shortTicked = [&](int check) {
        return WaitForRows(driver,
            [&](const std::vector<ListRowInfo>& rows) { return CheckOf(rows, L"SHORT.TXT") == check; });
    };
    EXPECT_TRUE(shortTicked(0)) << "a save clears the ticks";

    // 14. The same file saved twice into one folder: the second is a renamed copy.
    const fs::path twice = NewSaveFolder("twice");
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_TRUE(shortTicked(0));
        ASSERT_TRUE(driver.ClickListRow(list, driver.FindListRow(list, L"SHORT.TXT"), true));
        ASSERT_TRUE(shortTicked(1));
        done = SaveInto(driver, pass == 1 ? twice : fs::path());
    }
    EXPECT_TRUE(fs::exists(twice / "SHORT.TXT"));
    EXPECT_TRUE(fs::exists(twice / "Copy (1 ) of SHORT.TXT"));

    // The whole volume through the top item, and 15. the recovery snapshot, for the snapshot's runs
    // to compare with.
    ASSERT_NO_FATAL_FAILURE(SaveWholeVolumeAndSnapshot(driver));

    // 16. Back: the partition page without the scan's counters, and the preview's copies gone; Home
    // from there to the start.
    ASSERT_TRUE(driver.Click(kBack));
    ASSERT_TRUE(driver.WaitForPage(2));
    ExpectPartitionRowsBack(driver);
    if (!WaitForCopies(driver, 0)) {
        std::string left;
        for (const fs::path& copy : PreviewCopies(driver))
            left += " " + copy.filename().u8string();
        ADD_FAILURE() << "the preview's copies are not deleted:" << left;
    }
    ASSERT_TRUE(driver.Click(kBack));
    ASSERT_TRUE(driver.WaitForPage(1));
    ASSERT_TRUE(driver.Click(kBack));
    ASSERT_TRUE(driver.WaitForPage(0));

    // 18. Exit.
    ASSERT_TRUE(driver.SendCommand(kExitCommand));
    ASSERT_TRUE(driver.AnswerMessage(IDYES));
    DWORD code = 1;
    ASSERT_TRUE(driver.WaitExit(kStateWaitMs, &code));
    EXPECT_EQ(code, 0u);
}

// The preview pane's placeholder as rows are clicked: a folder or the parent row asks for a file,
// a file over 5 MiB is too large, a file whose viewer fails is corrupt, and a presentation, which
// no program here can show, is not available.
TEST(ResultsRoad, ThePreviewsPlaceholderTellsWhatTheClickedRowIs)
{
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_NO_FATAL_FAILURE(ScanToResults(driver, ResultsDisk("fixed.vhd"), kQuickScan, L"Partition 1"));
    HWND list = driver.Control(kResultList);
    ASSERT_TRUE(WaitUntil([&] { return driver.FindListRow(list, L"OVER.ZIP") >= 0; }, kStateWaitMs));
    auto expectPicture = [&](UINT picture, const char* what) {
        EXPECT_TRUE(WaitUntil([&] { return ShownPreviewPicture(driver) == picture; }, kStateWaitMs))
            << what << ": picture " << picture << " expected, " << ShownPreviewPicture(driver) << " shown";
    };
    // A row clicked by its name, and the picture the pane then shows; 0: no placeholder but the file
    // itself, whose text holds `shown`.
    auto click = [&](const std::wstring& name, UINT picture, const std::wstring& shown = std::wstring()) {
        ASSERT_TRUE(driver.ClickListRow(list, driver.FindListRow(list, name))) << Utf8(name);
        expectPicture(picture, Utf8(name).c_str());
        if (picture == 0) {
            EXPECT_TRUE(
                WaitUntil([&] { return ShownPreviewText(driver).find(shown) != std::wstring::npos; }, kStateWaitMs))
                << Utf8(name) << ": the preview shows \"" << Utf8(ShownPreviewText(driver).substr(0, 40)) << "\"";
        }
    };
    const std::wstring gallery = morvick::test::GalleryFolder("app2");
    expectPicture(kSelectFilePicture, "new results");
    click(L"OVER.ZIP", kTooLargePicture);
    click(L"DOCS", kSelectFilePicture);
    EXPECT_TRUE(driver.Capture(driver.Frame(), gallery + L"\\preview-select-file.png"));
    // exact.zip holds random bytes: the archive viewer gives up on it.
    click(L"EXACT.ZIP", kCorruptPicture);
    click(L"SHORT.TXT", 0, L"short.txt|short.txt|");
    // A presentation (its name changed with F2): no presentation program here, so not available.
    ASSERT_TRUE(RenameListRow(driver, list, L"SHORT.TXT", L"slides.pptx"));
    click(L"DOCS", kSelectFilePicture);
    click(L"slides.pptx", kNotAvailablePicture);
    EXPECT_TRUE(driver.Capture(driver.Frame(), gallery + L"\\preview-not-available.png"));
    // Into "docs": its parent row asks for a file again.
    ASSERT_TRUE(driver.DoubleClickListRow(list, driver.FindListRow(list, L"DOCS")));
    ASSERT_TRUE(WaitForRows(driver,
        [](const std::vector<ListRowInfo>& rows) { return !rows.empty() && rows[0].texts[0] == L"Parent..."; }));
    click(L"Grüße aus Köln.txt", 0, L" aus K");
    click(L"Parent...", kSelectFilePicture);
    driver.Kill();
}

TEST(ResultsRoad, TheSnapshotLoadedInANewRunSavesTheSameBytes)
{
    const fs::path snapshotFile = TheScanSaves().snapshot;
    ASSERT_FALSE(snapshotFile.empty()) << "no run saved a snapshot";
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    // The snapshot belongs to an image: the image is opened first, then the snapshot loaded.
    ASSERT_NO_FATAL_FAILURE(OpenImage(driver, ResultsDisk("fixed.vhd"), kQuickScan));
    ASSERT_TRUE(driver.SendCommand(kLoadSnapshotCommand));
    EXPECT_EQ(driver.FileDialogType(L"Open"), L"*.srzq");
    ASSERT_TRUE(driver.AnswerFileDialog(L"Open", snapshotFile.wstring()));
    ASSERT_NO_FATAL_FAILURE(SaveTheLoadedSnapshot(driver, "from-snapshot"));
    // Saved again from the loaded run, the snapshot has the same bytes.
    fs::path resaved = snapshotFile;
    resaved.replace_extension(".again.srzq");
    fs::remove(resaved);
    ASSERT_TRUE(driver.SendCommand(kSaveSnapshotCommand));
    ASSERT_TRUE(driver.AnswerFileDialog(L"Save As", resaved.wstring()));
    EXPECT_TRUE(WaitForBytes(resaved, ReadBytes(snapshotFile))) << "the snapshot saved from a loaded snapshot differs";
    fs::remove(resaved);
    driver.Kill();
}

TEST(ResultsRoad, ASnapshotOnTheCommandLineAsksForItsImageAndLoadsOnlyOverIt)
{
    const fs::path snapshotFile = TheScanSaves().snapshot;
    ASSERT_FALSE(snapshotFile.empty()) << "no run saved a snapshot";
    const std::wstring commandLine = L"\"" + snapshotFile.wstring() + L"\"";
    {
        // Another disk, which does not hold the volume.
        MorvickDriver driver;
        ASSERT_TRUE(StartProgram(driver, commandLine));
        ASSERT_NE(driver.WaitForFrame(), nullptr);
        ASSERT_TRUE(driver.AnswerFileDialog(kSnapshotImageTitle, ResultsDisk("slow.vhd")));
        ASSERT_NO_FATAL_FAILURE(ExpectMismatch(driver, 0));
        ExpectNothingOfTheSnapshot(driver);
        driver.Kill();
    }
    {
        // The question cancelled.
        MorvickDriver driver;
        ASSERT_TRUE(StartProgram(driver, commandLine));
        ASSERT_NE(driver.WaitForFrame(), nullptr);
        ASSERT_TRUE(driver.PressDialogButton(kSnapshotImageTitle, IDCANCEL));
        ExpectNothingOfTheSnapshot(driver);
        EXPECT_EQ(driver.MessageCount(), 0u);
        driver.Kill();
    }
    // The image the snapshot was made from: the files the scan saved, with the same bytes.
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver, commandLine));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_TRUE(driver.AnswerFileDialog(kSnapshotImageTitle, ResultsDisk("fixed.vhd")));
    ASSERT_NO_FATAL_FAILURE(SaveTheLoadedSnapshot(driver, "command-line-snapshot"));
    driver.Kill();
}

TEST(ResultsRoad, TheStartPagesLoadCommandAsksForTheSnapshotsImage)
{
    const fs::path snapshotFile = TheScanSaves().snapshot;
    ASSERT_FALSE(snapshotFile.empty()) << "no run saved a snapshot";
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_TRUE(driver.WaitForPage(0));
    // A wrong image first, then the right one.
    ASSERT_NO_FATAL_FAILURE(LoadSnapshotOver(driver, snapshotFile.wstring(), ResultsDisk("slow.vhd")));
    ASSERT_NO_FATAL_FAILURE(ExpectMismatch(driver, 0));
    ExpectNothingOfTheSnapshot(driver);
    ASSERT_NO_FATAL_FAILURE(LoadSnapshotOver(driver, snapshotFile.wstring(), ResultsDisk("fixed.vhd")));
    ASSERT_NO_FATAL_FAILURE(SaveTheLoadedSnapshot(driver, "start-page-snapshot"));
    driver.Kill();
}

}  // namespace
}  // namespace morvick::e2e
