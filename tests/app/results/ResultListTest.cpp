// The result list on a real list control: its rows and boxes kept in step with the tree, the parent
// row and the folders first in every order, renames that could leave the save folder refused, and
// the properties of files and folders.
#include <gtest/gtest.h>

#include "app/dialogs/PropertiesDlg.h"
#include "engine/save/EngineReset.h"
#include "engine/state/EngineState.h"
#include "tests/app/results/ResultsTestSupport.h"

namespace morvick::test {
namespace {

class ResultList : public ::testing::Test {
protected:
    void SetUp() override { FillTestVolume(TestVolume::kFat32); }
    void TearDown() override { ResetEngineState(); }
};

TEST_F(ResultList, BoxesOfRowsAndOfTheTreeStayInStep)
{
    ResultPanes panes;
    CResultListCtrl& list = panes.list;
    EXPECT_EQ(panes.RowNames(), (std::vector<CString>{L"A", L"B", L"r1.txt", L"r2.bin"}));
    // A file's box: the file is ticked and the top item partly.
    list.ToggleRowCheck(panes.Row(L"r1.txt"));
    EXPECT_EQ(list.GetCheck(panes.Row(L"r1.txt")), 1);
    EXPECT_EQ(panes.tree.GetCheck(panes.tree.GetRootItem()), 2);
    // A folder's box: the folder with all it holds, shown ticked in the tree and in its own listing.
    list.ToggleRowCheck(panes.Row(L"A"));
    EXPECT_EQ(panes.tree.GetCheck(panes.Item(L"A")), 1);
    EXPECT_EQ(panes.tree.GetCheck(panes.Item(L"A1")), 1);
    list.OpenRow(panes.Row(L"A"));
    PumpPending();
    EXPECT_EQ(panes.RowNames(), (std::vector<CString>{L"Parent...", L"A1", L"a1.txt", L"a2.txt"}));
    EXPECT_EQ(list.GetCheck(0), 2) << "the parent row carries its mark, no box";
    EXPECT_TRUE(list.AllRowsChecked());
    // One file cleared inside: the folder is partly ticked, its other files stay ticked.
    list.ToggleRowCheck(panes.Row(L"a2.txt"));
    EXPECT_EQ(panes.tree.GetCheck(panes.Item(L"A")), 2);
    EXPECT_EQ(list.GetCheck(panes.Row(L"a1.txt")), 1);
    // The parent row leads back to the root's rows, with their boxes.
    list.OpenRow(0);
    PumpPending();
    EXPECT_EQ(list.GetCheck(panes.Row(L"A")), 0) << "a partly ticked folder shows no tick";
    EXPECT_EQ(list.GetCheck(panes.Row(L"r1.txt")), 1);
    // The list's own handling of a hit on a box, through the mouse.
    CRect icon;
    ASSERT_TRUE(list.GetItemRect(panes.Row(L"r2.bin"), &icon, LVIR_ICON));
    const CPoint box(icon.left - 8, icon.CenterPoint().y);
    LVHITTESTINFO hit = {};
    hit.pt = box;
    ASSERT_EQ(list.HitTest(&hit), panes.Row(L"r2.bin"));
    ASSERT_TRUE(hit.flags & LVHT_ONITEMSTATEICON);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
    PumpPending();
    EXPECT_EQ(list.GetCheck(panes.Row(L"r2.bin")), 1) << "one click, one toggle";
}

TEST_F(ResultList, SortingKeepsTheParentRowAndTheFoldersFirst)
{
    ResultPanes panes;
    panes.list.OpenRow(panes.Row(L"A"));
    PumpPending();
    // Size: folders read 0; descending puts the larger file first but keeps the folder above.
    panes.list.SortByColumn(2, false);
    EXPECT_EQ(panes.RowNames(), (std::vector<CString>{L"Parent...", L"A1", L"a2.txt", L"a1.txt"}));
    panes.list.SortByColumn(2, true);
    EXPECT_EQ(panes.RowNames(), (std::vector<CString>{L"Parent...", L"A1", L"a1.txt", L"a2.txt"}));
    // The same heading twice: one way, then the other.
    panes.list.OnHeaderClick(0);
    const std::vector<CString> once = panes.RowNames();
    panes.list.OnHeaderClick(0);
    EXPECT_EQ(panes.RowNames()[0], L"Parent...");
    EXPECT_EQ(panes.RowNames()[1], L"A1");
    EXPECT_NE(panes.RowNames(), once);
    // The boxes travel with their rows.
    panes.list.ToggleRowCheck(panes.Row(L"a2.txt"));
    panes.list.SortByColumn(2, false);
    EXPECT_EQ(panes.list.GetCheck(panes.Row(L"a2.txt")), 1);
    EXPECT_EQ(panes.list.GetCheck(panes.Row(L"a1.txt")), 0);
}

TEST_F(ResultList, RenamesThatCouldLeaveTheSaveFolderAreRefused)
{
    ResultPanes panes;
    CResultListCtrl& list = panes.list;
    const int row = panes.Row(L"r1.txt");
    for (const wchar_t* name : {L"..\\escape.txt", L"a/b.txt", L"c:d.txt", L"..", L"con", L"nul.txt", L"name. "}) {
        EXPECT_FALSE(list.RenameRow(row, name)) << wcslen(name);
        EXPECT_EQ(list.GetItemText(row, 0), L"r1.txt");
    }
    EXPECT_EQ(TakeMessages().size(), 7u) << "each refusal is told";
    EXPECT_FALSE(list.RenameRow(row, L"")) << "an empty name keeps the old one";
    const uint32_t key = panes.Key(L"r1.txt");
    EXPECT_TRUE(list.RenameRow(row, L"renamed.txt"));
    EXPECT_EQ(std::u16string(panes.tree.Index().FileByKey(key)->Name()), u"renamed.txt") << "the save uses it";
    // A folder's new name is its tree item's and its record's.
    EXPECT_TRUE(list.RenameRow(panes.Row(L"A"), L"Renamed folder"));
    EXPECT_NE(panes.Item(L"Renamed folder"), nullptr);
    EXPECT_EQ(std::u16string(g_FatFolders.head->name), u"Renamed folder");
    // The parent row is no entry.
    list.OpenRow(panes.Row(L"Renamed folder"));
    PumpPending();
    EXPECT_FALSE(list.BeginRename(0));
}

TEST_F(ResultList, PropertiesCountAFoldersContentsAfreshEachTime)
{
    ResultPanes panes;
    const CItemProperties folder = FolderProperties(panes.tree, panes.Item(L"A"));
    EXPECT_TRUE(folder.folder);
    EXPECT_EQ(folder.name, L"A");
    EXPECT_EQ(folder.created, L"03-03-2024 ");
    for (int opening = 0; opening < 2; ++opening) {
        const CPropertiesDlg::Totals totals = CPropertiesDlg::CountFilesAndFolders(panes.tree, panes.Item(L"A"));
        EXPECT_EQ(totals.files, 3u);
        EXPECT_EQ(totals.folders, 2u);
        EXPECT_EQ(totals.bytes, 1024u + 1025u + 5000u);
        EXPECT_EQ(CPropertiesDlg::ContainsText(totals), L"3 File(s) and 1 Folder(s)");
        EXPECT_EQ(CPropertiesDlg::FolderSizeText(totals.bytes), L"Less than 1 MB");
    }
    EXPECT_EQ(CPropertiesDlg::FolderSizeText(3u << 20), L"3 MB");
    // A file's size in KB, rounded up.
    EXPECT_EQ(CPropertiesDlg::FileSizeText(0), L"0 KB");
    EXPECT_EQ(CPropertiesDlg::FileSizeText(1024), L"1 KB");
    EXPECT_EQ(CPropertiesDlg::FileSizeText(1025), L"2 KB");
    EXPECT_EQ(CPropertiesDlg::FileSizeText(5ull << 32), L"20971520 KB") << "sizes past 4 GiB";
}

}  // namespace
}  // namespace morvick::test
