// The result list on a real list control: its rows and boxes kept in step with the tree, the parent
// row and the folders first in every order, renames that could leave the save folder refused, the
// properties of files and folders, and the context menus of the list and the tree.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "app/dialogs/PropertiesDlg.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/save/EngineReset.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "res/toolkit-controls.h"
#include "toolkit/controls/ControlMenu.h"
#include "tests/app/results/ResultsTestSupport.h"

namespace morvick::test {
namespace {

// A double-click on a row's label, as the mouse sends it.
void DoubleClickRow(CResultListCtrl& list, int row)
{
    CRect label;
    ASSERT_TRUE(list.GetItemRect(row, &label, LVIR_LABEL));
    const LPARAM at = MAKELPARAM(label.left + 4, label.CenterPoint().y);
    list.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    list.PostMessage(WM_LBUTTONUP, 0, at);
    list.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    list.PostMessage(WM_LBUTTONUP, 0, at);
    PumpPending();
}

// What the list's parent hears of a drag: begin-drag notifications counted.
LRESULT CALLBACK CountDrags(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR count)
{
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_BEGINDRAG)
        ++*reinterpret_cast<int*>(count);
    return DefSubclassProc(window, message, wParam, lParam);
}

// The mouse pressed on a row's label and moved along the row, further than a click, with the
// button held.
void DragAlongRow(CResultListCtrl& list, int row)
{
    CRect label;
    ASSERT_TRUE(list.GetItemRect(row, &label, LVIR_LABEL));
    ASSERT_GT(label.Width(), 40);
    const CPoint from(label.left + 4, label.CenterPoint().y), to(label.left + 36, label.CenterPoint().y);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    PumpPending();
}

// The font the list selects for a row, as its paint asks the row's custom draw.
LOGFONTW RowFont(CResultListCtrl& list, int row)
{
    CClientDC screen(&list);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    dc.SelectObject(list.GetFont());
    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.hdr.hwndFrom = list.GetSafeHwnd();
    draw.nmcd.hdr.idFrom = static_cast<UINT_PTR>(list.GetDlgCtrlID());
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    draw.nmcd.lItemlParam = static_cast<LPARAM>(list.GetItemData(row));
    draw.nmcd.hdc = dc.GetSafeHdc();
    list.GetParent()->SendMessage(WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
    LOGFONTW font = {};
    GetObjectW(GetCurrentObject(dc.GetSafeHdc(), OBJ_FONT), sizeof(font), &font);
    return font;
}

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

TEST_F(ResultList, TheParentRowGoesOneFolderUpAndOpensOrClosesItInTheTree)
{
    AppendNewFatFolder(u"E", 12, 11, 0x5863, 0x5863, 0, 0);  // an empty folder in A1
    ResultPanes panes;
    CResultListCtrl& list = panes.list;
    CResultTreeCtrl& tree = panes.tree;
    auto open = [&](int row) {
        list.OpenRow(row);
        PumpPending();
    };
    auto expanded = [&](const wchar_t* text) {
        return (tree.GetItemState(panes.Item(text), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    };
    open(panes.Row(L"A"));
    open(panes.Row(L"A1"));
    open(panes.Row(L"E"));
    ASSERT_EQ(panes.RowNames(), (std::vector<CString>{L"Parent..."}));
    ASSERT_TRUE(expanded(L"A1"));

    // Up from the empty folder: its own parent, chosen in the tree and closed there (the mouse's
    // own double-click on the parent row).
    ASSERT_NO_FATAL_FAILURE(DoubleClickRow(list, 0));
    EXPECT_EQ(tree.ListedItem(), panes.Item(L"A1"));
    EXPECT_EQ(tree.GetSelectedItem(), panes.Item(L"A1"));
    EXPECT_EQ(panes.RowNames(), (std::vector<CString>{L"Parent...", L"E", L"x.jpg"}));
    EXPECT_FALSE(expanded(L"A1"));
    // Up again: A, closed likewise; up once more: the top item, which stays open.
    ASSERT_NO_FATAL_FAILURE(DoubleClickRow(list, 0));
    EXPECT_EQ(tree.GetSelectedItem(), panes.Item(L"A"));
    EXPECT_EQ(panes.RowNames(), (std::vector<CString>{L"Parent...", L"A1", L"a1.txt", L"a2.txt"}));
    EXPECT_FALSE(expanded(L"A"));
    open(0);
    EXPECT_EQ(tree.GetSelectedItem(), tree.GetRootItem());
    EXPECT_EQ(panes.RowNames(), (std::vector<CString>{L"A", L"B", L"r1.txt", L"r2.bin"}));
    EXPECT_TRUE(expanded(L"Root"));
}

TEST_F(ResultList, TheParentRowIsBoldAndCannotBeDragged)
{
    ResultPanes panes;
    CResultListCtrl& list = panes.list;
    list.OpenRow(panes.Row(L"A"));
    PumpPending();
    list.ToggleRowCheck(panes.Row(L"a1.txt"));
    ASSERT_EQ(panes.RowNames()[0], L"Parent...");
    // Bold: the parent row and the ticked rows; the others in the list's own font.
    EXPECT_EQ(RowFont(list, 0).lfWeight, FW_BOLD);
    EXPECT_EQ(RowFont(list, panes.Row(L"a1.txt")).lfWeight, FW_BOLD);
    EXPECT_LT(RowFont(list, panes.Row(L"a2.txt")).lfWeight, FW_BOLD);

    // A drag begins from a file row, never from the parent row: its mouse moves go nowhere.
    int drags = 0;
    ASSERT_TRUE(SetWindowSubclass(panes.host.GetSafeHwnd(), CountDrags, 1, reinterpret_cast<DWORD_PTR>(&drags)));
    ASSERT_NO_FATAL_FAILURE(DragAlongRow(list, panes.Row(L"a2.txt")));
    EXPECT_EQ(drags, 1) << "the list's own drag from a file row";
    ASSERT_NO_FATAL_FAILURE(DragAlongRow(list, 0));
    EXPECT_EQ(drags, 1) << "a drag began from the parent row";
    RemoveWindowSubclass(panes.host.GetSafeHwnd(), CountDrags, 1);
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

TEST_F(ResultList, EqualTextsKeepTheirOrderAndDescendingIsTheExactReverse)
{
    ResultPanes panes;
    panes.list.OpenRow(panes.Row(L"A"));
    PumpPending();
    ASSERT_EQ(panes.list.GetItemText(panes.Row(L"a1.txt"), 1), panes.list.GetItemText(panes.Row(L"a2.txt"), 1));
    panes.list.SortByColumn(2, false);
    EXPECT_EQ(panes.RowNames(), (std::vector<CString>{L"Parent...", L"A1", L"a2.txt", L"a1.txt"}));
    // The same type: the order of the size sort stays, and is reversed whole by a descending sort.
    panes.list.SortByColumn(1, true);
    EXPECT_EQ(panes.RowNames(), (std::vector<CString>{L"Parent...", L"A1", L"a2.txt", L"a1.txt"}));
    panes.list.SortByColumn(1, false);
    EXPECT_EQ(panes.RowNames(), (std::vector<CString>{L"Parent...", L"A1", L"a1.txt", L"a2.txt"}));
    // Every row keeps what it shows and what it stands for.
    for (const wchar_t* name : {L"a1.txt", L"a2.txt"}) {
        const CResultListCtrl::RowInfo* info = panes.list.Row(panes.Row(name));
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(CString(reinterpret_cast<const wchar_t*>(info->name.c_str())), name);
    }
}

// The header's menu as the command bars' popup shows it: the pick is posted to the header, its owner.
UINT g_headerPick = 0;

UINT PickFromHeaderMenu(CMenu*, UINT, int, int, CWnd* owner, int)
{
    if (g_headerPick != 0)
        owner->PostMessage(WM_COMMAND, g_headerPick);
    return 0;
}

// A heading of the list pressed with a mouse button: the right one opens the header's menu, from
// which `pick` is chosen; the left one is a plain click.
void PressHeading(CResultListCtrl& list, int column, bool right, UINT pick = 0)
{
    CHeaderCtrl* header = list.GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    CRect item;
    ASSERT_TRUE(header->GetItemRect(column, &item));
    const LPARAM at = MAKELPARAM(item.CenterPoint().x, item.CenterPoint().y);
    g_headerPick = pick;
    header->SendMessage(right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    header->SendMessage(right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
    PumpPending();
    g_headerPick = 0;
}

// The header's arrow: its column, and 1 ascending or 0 descending.
std::pair<int, int> Arrow(CResultListCtrl& list)
{
    auto* header = dynamic_cast<CTKHeaderCtrl*>(CWnd::FromHandlePermanent(list.GetHeaderCtrl()->GetSafeHwnd()));
    if (header == nullptr)
        return {-2, -1};
    BOOL ascending = FALSE;
    const int column = header->GetSortColumn(&ascending);
    return {column, ascending ? 1 : 0};
}

TEST_F(ResultList, TheHeadersMenuSortsTheWayItNamesAndAPlainClickKeepsItsRule)
{
    struct Restore {
        TKTrackMenuFunction old = TKSetTrackMenuFunction(PickFromHeaderMenu);
        ~Restore() { TKSetTrackMenuFunction(old); }
    } restore;
    ResultPanes panes;
    CResultListCtrl& list = panes.list;
    using Names = std::vector<CString>;
    ASSERT_EQ(panes.RowNames(), (Names{L"A", L"B", L"r1.txt", L"r2.bin"}));
    ASSERT_EQ(list.GetItemText(panes.Row(L"B"), 1).Left(7), L"Deleted");

    // Each step: a heading pressed (kMenuAscending, kMenuDescending or a plain click), then the rows
    // and the header's arrow (its column, 1 ascending, 0 descending).
    enum Press { kMenuAscending, kMenuDescending, kPlainClick };
    struct Step {
        const char* what;
        int column;
        Press press;
        Names rows;
        std::pair<int, int> arrow;
    };
    const Step steps[] = {
        {"Sort Ascending on Type, the column the list counts as sorted, as the first choice", 1, kMenuAscending,
            {L"B", L"A", L"r2.bin", L"r1.txt"}, {1, 1}},
        {"Sort Descending on Size: the larger file first, the equal folders the other way round", 2, kMenuDescending,
            {L"A", L"B", L"r2.bin", L"r1.txt"}, {2, 0}},
        {"Sort Descending on Name", 0, kMenuDescending, {L"B", L"A", L"r2.bin", L"r1.txt"}, {0, 0}},
        {"Sort Ascending on Name", 0, kMenuAscending, {L"A", L"B", L"r1.txt", L"r2.bin"}, {0, 1}},
        {"a plain click on the sorted column reverses it", 0, kPlainClick, {L"B", L"A", L"r2.bin", L"r1.txt"}, {0, 0}},
        {"a plain click on another column sorts it ascending", 2, kPlainClick, {L"B", L"A", L"r1.txt", L"r2.bin"},
            {2, 1}},
        {"after a plain click the menu still sorts the way it names", 2, kMenuDescending,
            {L"A", L"B", L"r2.bin", L"r1.txt"}, {2, 0}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        PressHeading(list, step.column, step.press != kPlainClick,
            step.press == kMenuAscending ? ID_TKHEADER_SORT_ASC : ID_TKHEADER_SORT_DESC);
        EXPECT_EQ(panes.RowNames(), step.rows);
        EXPECT_EQ(Arrow(list), step.arrow);
    }
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

TEST_F(ResultList, PropertiesOfEveryRowTheMenuOffersThemOn)
{
    ResultPanes panes;
    CResultListCtrl& list = panes.list;
    CItemProperties properties;
    // A file row: its columns, the size in KB.
    const int file = panes.Row(L"r1.txt");
    ASSERT_TRUE(list.RowProperties(file, properties));
    EXPECT_FALSE(properties.folder);
    EXPECT_EQ(properties.name, L"r1.txt");
    EXPECT_EQ(properties.number, panes.Key(L"r1.txt"));
    EXPECT_EQ(properties.size, L"1 KB");
    EXPECT_EQ(properties.created, list.GetItemText(file, 3));
    EXPECT_EQ(properties.modified, list.GetItemText(file, 4));
    // A folder row: its folder's.
    ASSERT_TRUE(list.RowProperties(panes.Row(L"A"), properties));
    EXPECT_TRUE(properties.folder);
    EXPECT_EQ(properties.name, L"A");
    EXPECT_EQ(properties.created, L"03-03-2024 ");
    // The parent row: its name, nothing else.
    list.OpenRow(panes.Row(L"A"));
    PumpPending();
    ASSERT_EQ(list.GetItemText(0, 0), L"Parent...");
    ASSERT_TRUE(list.RowProperties(0, properties));
    EXPECT_FALSE(properties.folder);
    EXPECT_EQ(properties.name, L"Parent...");
    EXPECT_EQ(properties.size, L"0 KB");
    EXPECT_EQ(properties.created, L"");
    EXPECT_EQ(properties.modified, L"");
    // No such row.
    EXPECT_FALSE(list.RowProperties(list.GetItemCount(), properties));
}

// What the last context menu offered (its commands, those of its submenus too), and the command the
// user picks from the next one.
std::vector<UINT> g_offered;
UINT g_offeredFlags = 0;
UINT g_pick = 0;

UINT PickFromMenu(CMenu* menu, UINT flags, int, int, CWnd*)
{
    g_offered.clear();
    g_offeredFlags = flags;
    for (int i = 0; i < static_cast<int>(menu->GetMenuItemCount()); ++i) {
        if (CMenu* sub = menu->GetSubMenu(i)) {
            for (int j = 0; j < static_cast<int>(sub->GetMenuItemCount()); ++j)
                g_offered.push_back(sub->GetMenuItemID(j));
        } else if (menu->GetMenuItemID(i) != 0) {
            g_offered.push_back(menu->GetMenuItemID(i));
        }
    }
    return g_pick;
}

// The page's side of the menus: the commands the tree and the list hand on.
struct RecordedCommands : IResultCommands {
    void RunResultCommand(UINT command, HTREEITEM folder) override { runs.emplace_back(command, folder); }
    void ShowPreviewFile(const CString&, const CString&) override {}
    std::vector<std::pair<UINT, HTREEITEM>> runs;
};

bool Offered(UINT command)
{
    return std::find(g_offered.begin(), g_offered.end(), command) != g_offered.end();
}

TEST_F(ResultList, ContextMenusOfferTheirCommandsAndRunThePickedOne)
{
    RecordedCommands page;
    // The seam and the mode are put back however the test ends.
    struct Restore {
        int mode = g_nScanMode;
        ~Restore()
        {
            CResultListCtrl::SetMenuTracker(nullptr);
            g_nScanMode = mode;
        }
    } restore;
    ResultPanes panes;
    CResultListCtrl& list = panes.list;
    panes.tree.SetCommands(&page);
    list.SetCommands(&page);
    CResultListCtrl::SetMenuTracker(PickFromMenu);
    const auto rightClick = [](CWnd& window, const CRect& rect) {
        const CPoint at = rect.CenterPoint();
        window.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        window.SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        PumpPending();
    };

    // The list's menu on a row: rename among the rest; the small-icon view picked.
    CRect row;
    ASSERT_TRUE(list.GetItemRect(panes.Row(L"r1.txt"), &row, LVIR_LABEL));
    g_pick = ID_VIEW_LIST_MODE;
    rightClick(list, row);
    EXPECT_EQ(g_offeredFlags & TPM_RETURNCMD, static_cast<UINT>(TPM_RETURNCMD)) << "the menu returns the command";
    for (UINT command : {ID_RECOVER_SELECTED, ID_VIEW_ICONS, ID_VIEW_LIST_MODE, ID_VIEW_DETAILS, ID_FIND_FILES,
             ID_RECOVERY_SETTINGS, ID_SHOW_PROPERTIES, ID_RENAME_ROW})
        EXPECT_TRUE(Offered(command)) << command;
    EXPECT_EQ(list.GetStyle() & LVS_TYPEMASK, static_cast<DWORD>(LVS_LIST));

    // A command the list does not do itself goes to the page.
    g_pick = ID_FIND_FILES;
    ASSERT_TRUE(list.GetItemRect(panes.Row(L"r1.txt"), &row, LVIR_LABEL));
    rightClick(list, row);
    EXPECT_EQ(page.runs, (std::vector<std::pair<UINT, HTREEITEM>>{{ID_FIND_FILES, nullptr}}));

    // The tree's menu on a folder: no rename; what is picked goes to the page with the folder.
    CRect item;
    ASSERT_TRUE(panes.tree.GetItemRect(panes.Item(L"A"), &item, TRUE));
    g_pick = ID_SHOW_PROPERTIES;
    g_offered.clear();
    page.runs.clear();
    rightClick(panes.tree, item);
    EXPECT_TRUE(Offered(ID_RECOVER_SELECTED));
    EXPECT_TRUE(Offered(ID_VIEW_DETAILS));
    EXPECT_FALSE(Offered(ID_RENAME_ROW));
    EXPECT_EQ(panes.tree.GetSelectedItem(), panes.Item(L"A")) << "the item clicked is the one the menu is for";
    EXPECT_EQ(page.runs, (std::vector<std::pair<UINT, HTREEITEM>>{{ID_SHOW_PROPERTIES, panes.Item(L"A")}}));

    // In File Trace neither menu offers Find, the settings or the properties.
    g_nScanMode = kScanFileTrace;
    g_pick = 0;
    ASSERT_TRUE(panes.tree.GetItemRect(panes.Item(L"A"), &item, TRUE));
    rightClick(panes.tree, item);
    for (CWnd* window : {static_cast<CWnd*>(&panes.tree), static_cast<CWnd*>(&list)}) {
        if (window == &list) {
            ASSERT_TRUE(list.GetItemRect(0, &row, LVIR_LABEL));
            g_offered.clear();
            rightClick(list, row);
        }
        EXPECT_FALSE(g_offered.empty());
        EXPECT_FALSE(Offered(ID_FIND_FILES));
        EXPECT_FALSE(Offered(ID_RECOVERY_SETTINGS));
        EXPECT_FALSE(Offered(ID_SHOW_PROPERTIES));
    }
}

}  // namespace
}  // namespace morvick::test
