// The list base on a real list control: sorting by header clicks, column widths in the profile,
// auto-size, sizing refused, row moves, the sub-item hit test, and the colours of custom drawing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/controls/ListCtrl.h"
#include "toolkit/controls/ListView.h"

using namespace tktest;

namespace {

// A list that sorts its rows by the text of the clicked column; each row's data is its index in
// the table of texts.
class SortingList : public CTKListCtrl {
public:
    int sorts = 0;
    std::vector<std::vector<std::wstring>> texts;
    struct Key {
        const SortingList* list;
        int column;
        BOOL ascending;
    };
    static int CALLBACK Compare(LPARAM a, LPARAM b, LPARAM k)
    {
        const Key* p = reinterpret_cast<const Key*>(k);
        const int c = p->list->texts[a][p->column].compare(p->list->texts[b][p->column]);
        return p->ascending ? c : -c;
    }
    BOOL SortList(int nColumn, BOOL bAscending) override
    {
        ++sorts;
        Key key = {this, nColumn, bAscending};
        return SortItems(Compare, reinterpret_cast<DWORD_PTR>(&key));
    }
};

struct ListFixture {
    explicit ListFixture(DWORD extraStyle = 0, int width = 320)
    {
        list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | extraStyle, CRect(10, 10, 10 + width, 210),
            &parent, 400);
        static const LPCTSTR headings[] = {L"Name", L"Size", L"Type"};
        static const int widths[] = {100, 80, 60};
        list.AddColumns(3, widths, headings);
        static const wchar_t* rows[][3] = {{L"delta.txt", L"30", L"Text"}, {L"alpha.jpg", L"10", L"Picture"},
            {L"charlie.doc", L"20", L"Document"}, {L"bravo.png", L"40", L"Picture"}};
        for (int i = 0; i < 4; ++i) {
            list.texts.push_back({rows[i][0], rows[i][1], rows[i][2]});
            list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, rows[i][0], 0, 0, 0, i);
            list.SetItemText(i, 1, rows[i][1]);
            list.SetItemText(i, 2, rows[i][2]);
        }
        PumpPending();
    }
    std::vector<std::wstring> Column(int column)
    {
        std::vector<std::wstring> out;
        for (int i = 0; i < list.GetItemCount(); ++i)
            out.push_back(static_cast<LPCWSTR>(list.GetItemText(i, column)));
        return out;
    }
    HWND Header() { return ::GetDlgItem(list.GetSafeHwnd(), 0); }
    // A click of the left button on the header item, as the mouse gives it.
    void ClickHeading(int item)
    {
        RECT rc;
        ::SendMessageW(Header(), HDM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rc));
        const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        CursorToClient(Header(), (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        ::SendMessageW(Header(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(Header(), WM_LBUTTONUP, 0, at);
        PumpPending();
    }
    TestParent parent{480, 320};
    SortingList list;
};

// The raw text stored in the test profile.
std::wstring StoredText(LPCWSTR section, LPCWSTR entry)
{
    CWinApp* pApp = AfxGetApp();
    std::wstring path =
        std::wstring(L"Software\\") + pApp->m_pszRegistryKey + L"\\" + pApp->m_pszProfileName + L"\\" + section;
    wchar_t buffer[256] = L"";
    DWORD cb = sizeof(buffer);
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), entry, RRF_RT_REG_SZ, nullptr, buffer, &cb) != ERROR_SUCCESS)
        return L"<none>";
    return buffer;
}

void StoreText(LPCWSTR section, LPCWSTR entry, LPCWSTR text)
{
    CWinApp* pApp = AfxGetApp();
    std::wstring path =
        std::wstring(L"Software\\") + pApp->m_pszRegistryKey + L"\\" + pApp->m_pszProfileName + L"\\" + section;
    if (text == nullptr) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, path.c_str(), entry);
        return;
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), entry, REG_SZ, text,
        static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
}

}  // namespace

TEST(ListBase, HeaderClicksSortRealRowsBothWays)
{
    ListFixture f;
    ASSERT_TRUE(f.list.SubclassHeader());
    EXPECT_FALSE(f.list.SubclassHeader());  // only once

    f.ClickHeading(0);
    EXPECT_EQ(f.Column(0), (std::vector<std::wstring>{L"alpha.jpg", L"bravo.png", L"charlie.doc", L"delta.txt"}));
    BOOL ascending = FALSE;
    EXPECT_EQ(f.list.GetFlatHeader().GetSortColumn(&ascending), 0);
    EXPECT_TRUE(ascending);

    f.ClickHeading(0);
    EXPECT_EQ(f.Column(0), (std::vector<std::wstring>{L"delta.txt", L"charlie.doc", L"bravo.png", L"alpha.jpg"}));
    EXPECT_EQ(f.list.GetFlatHeader().GetSortColumn(&ascending), 0);
    EXPECT_FALSE(ascending);

    // Another column starts ascending again; the sub-items travel with their rows.
    f.ClickHeading(1);
    EXPECT_EQ(f.Column(1), (std::vector<std::wstring>{L"10", L"20", L"30", L"40"}));
    EXPECT_EQ(f.Column(0), (std::vector<std::wstring>{L"alpha.jpg", L"charlie.doc", L"delta.txt", L"bravo.png"}));
    EXPECT_EQ(f.list.GetSortColumn(&ascending), 1);
    EXPECT_TRUE(ascending);
    EXPECT_EQ(f.list.sorts, 3);

    // A click sent for the right button takes the header's own direction.
    f.list.GetFlatHeader().SetSortArrow(2, FALSE);
    f.list.GetFlatHeader().SendSortClick(2);
    EXPECT_EQ(f.Column(2), (std::vector<std::wstring>{L"Text", L"Picture", L"Picture", L"Document"}));
    EXPECT_EQ(f.list.GetSortColumn(&ascending), 2);
    EXPECT_FALSE(ascending);
}

TEST(ListBase, SortColumnReachesATKHeaderOnTheList)
{
    ListFixture f;
    EXPECT_EQ(f.list.SetSortColumn(1, TRUE), -1);  // a plain header: the previous column
    EXPECT_EQ(f.list.SetSortColumn(2, TRUE), 1);
    CTKHeaderCtrl header;
    ASSERT_TRUE(header.SubclassWindow(f.Header()));
    EXPECT_EQ(f.list.SetSortColumn(0, FALSE), -1);  // the header's previous column
    BOOL ascending = TRUE;
    EXPECT_EQ(header.GetSortColumn(&ascending), 0);
    EXPECT_FALSE(ascending);
    // Any value but 1 counts as descending.
    f.list.SetSortColumn(0, 2);
    header.GetSortColumn(&ascending);
    EXPECT_FALSE(ascending);
    header.UnsubclassWindow();
}

TEST(ListBase, WidthsAreSavedAndRestoredByColumnNumber)
{
    const LPCWSTR section = L"Settings", entry = L"Column Info";
    StoreText(section, entry, nullptr);
    {
        // Nothing stored and no default: the columns keep the widths they were made with.
        ListFixture f;
        f.list.SetColumnProfile();
        EXPECT_EQ(f.list.GetColumnWidth(0), 100);
        EXPECT_EQ(f.list.GetColumnWidth(1), 80);
        EXPECT_EQ(f.list.GetColumnWidth(2), 60);
        EXPECT_EQ(f.list.LoadColumnWidth(1), 0);

        // The user moves the columns around and sizes them; the widths are saved on destruction.
        int order[] = {2, 0, 1};
        f.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
        f.list.SetColumnWidth(0, 110);
        f.list.SetColumnWidth(1, 70);
        f.list.SetColumnWidth(2, 50);
        f.list.DestroyWindow();
    }
    EXPECT_EQ(StoredText(section, entry), L"110,70,50,");
    {
        ListFixture f;
        int order[] = {1, 2, 0};
        f.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
        f.list.SetColumnProfile(section, entry);
        EXPECT_EQ(f.list.GetColumnWidth(0), 110);
        EXPECT_EQ(f.list.GetColumnWidth(1), 70);
        EXPECT_EQ(f.list.GetColumnWidth(2), 50);
        f.list.m_bSaveColumnWidths = FALSE;
    }
    // Missing or broken fields leave their columns alone.
    StoreText(section, entry, L"120,x9,");
    {
        ListFixture f;
        f.list.SetColumnProfile();
        EXPECT_EQ(f.list.GetColumnWidth(0), 120);
        EXPECT_EQ(f.list.GetColumnWidth(1), 80);
        EXPECT_EQ(f.list.GetColumnWidth(2), 60);
        EXPECT_EQ(f.list.LoadColumnWidth(2), 0);
        f.list.m_bSaveColumnWidths = FALSE;
    }
    // The default string counts when nothing is stored.
    StoreText(section, entry, nullptr);
    {
        ListFixture f;
        f.list.SetColumnProfile(L"Other", nullptr, L"70,71,72,");
        EXPECT_EQ(f.list.GetColumnWidth(0), 70);
        EXPECT_EQ(f.list.GetColumnWidth(2), 72);
        f.list.m_bSaveColumnWidths = FALSE;
    }
}

TEST(ListBase, AutoSizeTakesTheWiderOfContentsAndHeading)
{
    ListFixture f;
    f.list.InsertColumn(3, L"A very long heading for a column", LVCFMT_LEFT, 20, 3);
    f.list.SetItemText(0, 3, L"x");
    ASSERT_TRUE(f.list.SubclassHeader());
    CClientDC dc(CWnd::FromHandle(f.Header()));
    CFont* pOld =
        dc.SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageW(f.Header(), WM_GETFONT, 0, 0))));
    const int heading = dc.GetTextExtent(L"A very long heading for a column").cx;
    const int name = dc.GetTextExtent(L"Name").cx;
    dc.SelectObject(pOld);

    f.list.AutoSizeColumn(3);
    EXPECT_EQ(f.list.GetColumnWidth(3), heading + 12);
    // The sorted column of a flat header with arrows leaves room for the arrow.
    f.list.SetSortColumn(3, TRUE);
    f.list.AutoSizeColumn(3);
    EXPECT_EQ(f.list.GetColumnWidth(3), heading + 12 + 24);
    // A column whose texts are wider than its heading takes the texts' width.
    f.list.SetItemText(0, 0, L"a name much longer than its heading.txt");
    f.list.AutoSizeColumn(-1);
    EXPECT_GT(f.list.GetColumnWidth(0), name + 12);
    EXPECT_GE(f.list.GetColumnWidth(0), f.list.GetStringWidth(L"a name much longer than its heading.txt"));
    // The minimum width holds.
    f.list.m_nMinColumnWidth = 400;
    f.list.AutoSizeColumn(1);
    EXPECT_EQ(f.list.GetColumnWidth(1), 400);
}

TEST(ListBase, SizingRefusedWhenDisabled)
{
    ListFixture f;
    ASSERT_TRUE(f.list.SubclassHeader());
    HWND header = f.Header();
    RECT rc;
    ::SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc));
    auto drag = [&](int dx) {
        const int y = (rc.top + rc.bottom) / 2;
        CursorToClient(header, rc.right, y);
        ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.right, y));
        CursorToClient(header, rc.right + dx, y);
        ::SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rc.right + dx, y));
        ::SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(rc.right + dx, y));
        PumpPending();
    };
    f.list.DisableColumnSizing();
    drag(30);
    EXPECT_EQ(f.list.GetColumnWidth(0), 100);
    f.list.DisableColumnSizing(FALSE);
    drag(30);
    EXPECT_EQ(f.list.GetColumnWidth(0), 130);
}

TEST(ListBase, RowMovesAndSubItemHits)
{
    ListFixture f;
    EXPECT_FALSE(f.list.MoveRow(2, 2));
    EXPECT_FALSE(f.list.MoveRow(-1, 2));
    EXPECT_FALSE(f.list.MoveRow(1, -3));
    EXPECT_EQ(f.list.GetItemCount(), 4);

    ASSERT_TRUE(f.list.MoveRow(3, 0));
    EXPECT_EQ(f.Column(0), (std::vector<std::wstring>{L"bravo.png", L"delta.txt", L"alpha.jpg", L"charlie.doc"}));
    EXPECT_EQ(f.list.GetItemText(0, 2), CString(L"Picture"));
    EXPECT_EQ(f.list.GetItemData(0), 3u);
    ASSERT_TRUE(f.list.MoveRow(0, 3));
    EXPECT_EQ(f.Column(0), (std::vector<std::wstring>{L"delta.txt", L"alpha.jpg", L"bravo.png", L"charlie.doc"}));

    // The hit test gives the row and the column under the point, also with moved columns.
    int order[] = {2, 0, 1};
    f.list.SendMessage(LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
    CRect row;
    f.list.GetItemRect(1, &row, LVIR_BOUNDS);
    int column = -5;
    EXPECT_EQ(f.list.SubItemHitTest(CPoint(row.left + 10, row.CenterPoint().y), &column), 1);
    EXPECT_EQ(column, 2);
    EXPECT_EQ(f.list.SubItemHitTest(CPoint(row.left + 60 + 100 + 5, row.CenterPoint().y), &column), 1);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(f.list.SubItemHitTest(CPoint(row.left + 5, 190), &column), -1);
}

TEST(ListBase, CustomDrawColoursByRowSortAndState)
{
    ListFixture f;
    f.list.EnableRowColors();
    f.list.HighlightSortedColumn();
    f.list.SetSortColumn(1, TRUE);
    f.list.SetRowColor(2, RGB(200, 0, 0), RGB(0, 0, 100));
    f.list.SetRowColor(2, RGB(210, 0, 0), RGB(0, 0, 120));  // the same row again: updated, not added
    EXPECT_EQ(f.list.m_listRowColors.GetCount(), 1);

    auto colours = [&](int row, int sub, COLORREF* text, COLORREF* back, DWORD stage) {
        NMLVCUSTOMDRAW draw = {};
        draw.nmcd.hdr.hwndFrom = f.list.GetSafeHwnd();
        draw.nmcd.hdr.code = NM_CUSTOMDRAW;
        draw.nmcd.dwDrawStage = stage;
        draw.nmcd.dwItemSpec = row;
        draw.iSubItem = sub;
        LRESULT result = -1;
        f.list.OnCustomDraw(&draw.nmcd.hdr, &result);
        *text = draw.clrText;
        *back = draw.clrTextBk;
        return result;
    };
    COLORREF text, back;
    EXPECT_EQ(colours(0, 0, &text, &back, CDDS_PREPAINT), CDRF_NOTIFYITEMDRAW);
    EXPECT_EQ(colours(0, 0, &text, &back, CDDS_ITEMPREPAINT), CDRF_NOTIFYSUBITEMDRAW);
    EXPECT_EQ(colours(0, 0, &text, &back, CDDS_POSTPAINT), 0);

    const COLORREF window = GetSysColor(COLOR_WINDOW), windowText = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF sorted =
        RGB(std::max(0, GetRValue(window) - 8), std::max(0, GetGValue(window) - 8), std::max(0, GetBValue(window) - 8));
    const DWORD sub = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    colours(0, 0, &text, &back, sub);
    EXPECT_EQ(back, window);
    EXPECT_EQ(text, windowText);
    colours(0, 1, &text, &back, sub);
    EXPECT_EQ(back, sorted);
    colours(2, 0, &text, &back, sub);
    EXPECT_EQ(text, RGB(210, 0, 0));
    EXPECT_EQ(back, RGB(0, 0, 120));
    colours(2, 1, &text, &back, sub);
    EXPECT_EQ(back, CTKListBase::MixColors(RGB(0, 0, 120), sorted, 50));
    // A selected row loses its row colour, not the list's: the sorted column keeps its tint.
    f.list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(colours(2, 0, &text, &back, sub), CDRF_DODEFAULT);
    EXPECT_EQ(text, windowText);
    EXPECT_EQ(back, window);
    colours(2, 1, &text, &back, sub);
    EXPECT_EQ(back, sorted);
    // The list's own colours; the sorted tint follows them at the next settings change.
    f.list.SetListColors(RGB(1, 2, 3), RGB(100, 150, 200));
    colours(2, 0, &text, &back, sub);
    EXPECT_EQ(text, RGB(1, 2, 3));
    EXPECT_EQ(back, RGB(100, 150, 200));
    f.list.SetItemState(2, 0, LVIS_SELECTED);
    colours(0, 0, &text, &back, sub);
    EXPECT_EQ(text, RGB(1, 2, 3));
    EXPECT_EQ(back, RGB(100, 150, 200));
    colours(0, 1, &text, &back, sub);
    EXPECT_EQ(text, windowText);
    EXPECT_EQ(back, sorted);
    f.list.SendMessage(WM_SETTINGCHANGE, 0, 0);
    colours(0, 1, &text, &back, sub);
    EXPECT_EQ(text, RGB(1, 2, 3));
    EXPECT_EQ(back, RGB(92, 142, 192));
    f.list.EnableWindow(FALSE);
    colours(2, 1, &text, &back, sub);
    EXPECT_EQ(back, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(text, windowText);
    f.list.EnableWindow(TRUE);
    f.list.RemoveRowColors();
    EXPECT_EQ(f.list.FindRowColor(2), nullptr);

    // A real paint shows the sorted column's strip below the rows.
    f.list.RedrawWindow();
    PumpPending();
    CDC* pDC = f.list.GetDC();
    const COLORREF below = pDC->GetPixel(100 + 40, 180);
    const COLORREF beside = pDC->GetPixel(100 + 80 + 30, 180);
    f.list.ReleaseDC(pDC);
    EXPECT_EQ(below, RGB(92, 142, 192));
    EXPECT_EQ(beside, RGB(100, 150, 200));
}

TEST(ListBase, ColumnsAddedAndCounted)
{
    TestParent parent;
    CTKListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 100), &parent, 401));
    EXPECT_EQ(list.GetColumnCount(), 0);
    EXPECT_EQ(list.AddColumn(L"First", LVCFMT_LEFT, 90), 0);
    EXPECT_EQ(list.AddColumn(L"Second"), 1);
    EXPECT_EQ(list.GetColumnWidth(1), 90);  // the last column's width
    EXPECT_TRUE(list.AddColumns(0, nullptr, static_cast<const LPCTSTR*>(nullptr)));
    EXPECT_EQ(list.GetColumnCount(), 2);
    EXPECT_TRUE(list.ModifyExtendedStyle(0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    EXPECT_FALSE(list.ModifyExtendedStyle(0, LVS_EX_GRIDLINES));
    list.AddExtendedStyle(LVS_EX_CHECKBOXES);
    EXPECT_EQ(list.GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES),
        static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES));
    list.ModifyStyle(LVS_TYPEMASK, LVS_LIST);
    EXPECT_EQ(list.GetColumnCount(), -1);
    EXPECT_EQ(list.AddColumn(L"Third"), -1);
}

namespace {
class SortingView : public CTKListView {
public:
    int lastColumn = -1;
    BOOL lastAscending = FALSE;
    BOOL SortList(int nColumn, BOOL bAscending) override
    {
        lastColumn = nColumn;
        lastAscending = bAscending;
        return TRUE;
    }
};
}  // namespace

TEST(ListBase, ListViewsShareTheBehaviour)
{
    TestParent parent(480, 320);
    SortingView* pView = new SortingView;  // a view deletes itself with its window
    ASSERT_TRUE(pView->Create(nullptr, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 330, 200), &parent, 402));
    EXPECT_EQ(pView->AddColumn(L"Name", LVCFMT_LEFT, 100), 0);
    EXPECT_EQ(pView->AddColumn(L"Size"), 1);
    ASSERT_TRUE(pView->SubclassHeader());
    HWND header = ::GetDlgItem(pView->GetSafeHwnd(), 0);
    RECT rc;
    ::SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rc));
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, 5);
    CursorToClient(header, (rc.left + rc.right) / 2, 5);
    ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(header, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(pView->lastColumn, 1);
    EXPECT_TRUE(pView->lastAscending);
    pView->DestroyWindow();
}
