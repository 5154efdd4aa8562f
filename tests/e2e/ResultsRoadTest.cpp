// The main road's second half: a Quick Scan of the FAT32 partition of a fixed VHD shown on the
// results page, its tree and list, going into folders and back, the preview's temporary copies,
// sorting, saving the ticked items (a save root is a ticked item with no ticked item above it),
// duplicate names, and Back and Home.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/e2e/ResultSteps.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/support/win/WindowCapture.h"

namespace fs = std::filesystem;

namespace morvick::e2e {
namespace {

[[maybe_unused]] auto* const kDisks =
    ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment({kResultsDisks}));

std::vector<std::wstring> Column(MorvickDriver& driver, int column)
{
    std::vector<std::wstring> texts;
    for (const ListRowInfo& row : driver.ListRows(driver.Control(kResultList)))
        texts.push_back(row.texts[column]);
    return texts;
}

bool WaitForRows(MorvickDriver& driver, const std::function<bool(const std::vector<ListRowInfo>&)>& done)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        if (done(driver.ListRows(driver.Control(kResultList))))
            return true;
        Sleep(50);
    }
    return false;
}

TEST(ResultsRoad, QuickScanResultsNavigationSaveAndBack)
{
    MorvickDriver driver;
    ASSERT_TRUE(driver.Start());
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_NO_FATAL_FAILURE(ScanToResults(driver, ResultsDisk("fixed.vhd"), kQuickScan, L"Partition 1"));

    // 8. The tree's top item "Root" with the volume's folders; the list shows the root folder.
    HWND tree = driver.Control(kResultTree);
    HWND list = driver.Control(kResultList);
    std::vector<std::wstring> items = ItemTexts(driver, kResultTree);
    ASSERT_GE(items.size(), 3u);
    EXPECT_EQ(items[0], L"Root");
    EXPECT_NE(std::find(items.begin(), items.end(), L"docs"), items.end());
    ASSERT_TRUE(WaitForRows(driver, [](const std::vector<ListRowInfo>& rows) { return rows.size() >= 4; }));
    const std::vector<ListRowInfo> root = driver.ListRows(list);
    bool sawDeleted = false;
    for (const ListRowInfo& row : root) {
        EXPECT_NE(row.texts[0], L"Parent...") << "the root has no parent row";
        if (row.texts[1].rfind(L"Deleted", 0) == 0)
            sawDeleted = true;
    }
    EXPECT_TRUE(sawDeleted) << "the deleted folder trash is listed as deleted";
    const std::wstring gallery = morvick::test::GalleryFolder("app2");
    EXPECT_TRUE(driver.Capture(driver.Frame(), gallery + L"\\results-page.png"));

    // 9. Into "docs": the parent row first and the tree on docs; the parent row leads back.
    const int docs = driver.FindListRow(list, L"docs");
    ASSERT_GE(docs, 0);
    ASSERT_TRUE(driver.DoubleClickListRow(list, docs));
    ASSERT_TRUE(WaitForRows(driver, [](const std::vector<ListRowInfo>& rows) {
        return !rows.empty() && rows[0].texts[0] == L"Parent...";
    }));
    ASSERT_TRUE(driver.DoubleClickListRow(list, 0));
    ASSERT_TRUE(WaitForRows(driver, [&](const std::vector<ListRowInfo>& rows) { return rows.size() == root.size(); }));

    // 12. Save with nothing ticked.
    PressAndExpect(driver, kSave, "1",
        "Please mark the file(s) and folder(s) that you want to save\\r\\nby clicking on check box.");

    // 13. The folder "docs" ticked in the tree and the file "short.txt" in the list.
    ASSERT_TRUE(driver.ClickTreeItem(tree, L"docs", true));
    const int shortRow = driver.FindListRow(list, L"short.txt");
    ASSERT_GE(shortRow, 0);
    ASSERT_TRUE(driver.ClickListRow(list, shortRow, true));
    ASSERT_TRUE(WaitForRows(driver, [&](const std::vector<ListRowInfo>& rows) {
        return rows[shortRow].Check() == 1 && rows[driver.FindListRow(list, L"docs")].Check() == 1;
    })) << "the rows follow the ticks";
    const fs::path target = NewSaveFolder("road");
    const LoggedMessage done = SaveInto(driver, target);
    EXPECT_EQ(done.kind, "plain");
    EXPECT_EQ(done.text, "Files Saved Successfully.");
    EXPECT_TRUE(fs::exists(target / "short.txt"));
    EXPECT_TRUE(fs::exists(target / "docs" / "sub" / "deeper" / "leaf.txt"));
    EXPECT_EQ(ReadBytes(target / "docs" / "sub" / "deeper" / "leaf.txt"),
        ReadBytes(ResultsOracle("part2.recover/docs/sub/deeper/leaf.txt")));
    for (const auto& entry : fs::recursive_directory_iterator(target))
        EXPECT_EQ(entry.path().filename().u8string().rfind("Copy (", 0), std::string::npos) << entry.path();

    // Exit.
    ASSERT_TRUE(driver.SendCommand(kExitCommand));
    ASSERT_TRUE(driver.AnswerMessage(IDYES));
    DWORD code = 1;
    ASSERT_TRUE(driver.WaitExit(30000, &code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace morvick::e2e
