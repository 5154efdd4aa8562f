// The header control: its three looks and the sort arrow read from DIB sections, the right-click
// menu (tracked by a stand-in), fixed columns, and sharing the list's width among the columns.
#include <gtest/gtest.h>

#include <vector>

#include "res/toolkit-controls.h"
#include "tests/toolkit/controls/ControlsTestSupport.h"
#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/controls/ControlColors.h"
#include "toolkit/controls/ControlMenu.h"
#include "toolkit/controls/ListCtrl.h"

using namespace tktest;

namespace {

struct HeaderFixture {
    explicit HeaderFixture(DWORD listStyle = 0)
    {
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | listStyle, CRect(10, 10, 330, 200), &parent, 500);
        static const LPCTSTR headings[] = {L"Name", L"Size", L"Type"};
        static const int widths[] = {100, 80, 60};
        list.AddColumns(3, widths, headings);
        header.SubclassWindow(::GetDlgItem(list.GetSafeHwnd(), 0));
        PumpPending();
    }
    ~HeaderFixture()
    {
        if (::IsWindow(header.GetSafeHwnd()))
            header.UnsubclassWindow();
    }
    CRect Item(int i)
    {
        CRect rc;
        header.GetItemRect(i, &rc);
        return rc;
    }
    CRect Client()
    {
        CRect rc;
        header.GetClientRect(&rc);
        return rc;
    }
    // The header's picture in the style, drawn by hand.
    void Draw(DibCanvas& canvas, CTKHeaderCtrlTheme& style)
    {
        canvas.Fill(RGB(1, 2, 3));
        style.DrawHeader(canvas.DC(), &header);
    }
    TestParent parent{400, 260};
    CTKListCtrl list;
    CTKHeaderCtrl header;
};

// What the stand-in tracker saw.
struct Tracked {
    int calls = 0;
    UINT flags = 0;
    CPoint at;
    HWND owner = nullptr;
    int toolbar = 0;
    std::vector<UINT> checked;
    UINT choose = 0;  // command posted to the owner as the user's choice
} g_tracked;

UINT TrackStandIn(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, int nIDToolBar)
{
    ++g_tracked.calls;
    g_tracked.flags = nFlags;
    g_tracked.at = CPoint(x, y);
    g_tracked.owner = pWnd->GetSafeHwnd();
    g_tracked.toolbar = nIDToolBar;
    g_tracked.checked.clear();
    for (UINT id : {9158u, 9159u, 9160u, 9161u, 9162u})
        if (pMenu->GetMenuState(id, MF_BYCOMMAND) & MF_CHECKED)
            g_tracked.checked.push_back(id);
    if (g_tracked.choose)
        pWnd->PostMessage(WM_COMMAND, g_tracked.choose);
    return 0;
}

class TrackerScope {
public:
    TrackerScope() : m_old(TKSetTrackMenuFunction(TrackStandIn)) { g_tracked = Tracked(); }
    ~TrackerScope() { TKSetTrackMenuFunction(m_old); }

private:
    TKTrackMenuFunction m_old;
};

// Without the visual styles the looks draw themselves.
class PlainLooks {
public:
    PlainLooks() { CTKPUxThemeWrapper::SetForceUnavailable(TRUE); }
    ~PlainLooks() { CTKPUxThemeWrapper::SetForceUnavailable(FALSE); }
};

}  // namespace

TEST(HeaderLooks, BackgroundsDividersAndTheirStates)
{
    PlainLooks plain;
    HeaderFixture f;
    const CRect client = f.Client();
    const int w = client.Width(), h = client.Height();
    DibCanvas canvas(w, h);

    CTKHeaderCtrlTheme classic;
    classic.RefreshMetrics();
    EXPECT_FALSE(classic.m_bUseVisualStyles);
    const COLORREF face = classic.m_clrFace, shadow = classic.m_clrShadow, dark = classic.m_clrDarkShadow,
                   hilite = classic.m_clrHighlight;
    f.Draw(canvas, classic);
    EXPECT_EQ(canvas.Pixel(0, 0), hilite);
    EXPECT_EQ(canvas.Pixel(10, h - 1), dark);
    EXPECT_EQ(canvas.Pixel(10, h - 2), shadow);
    // Three lines at each item's right edge: shadow, dark shadow, then the next item's highlight.
    const int x = f.Item(0).right;
    EXPECT_EQ(canvas.Pixel(x - 2, h / 2), shadow);
    EXPECT_EQ(canvas.Pixel(x - 1, h / 2), dark);
    EXPECT_EQ(canvas.Pixel(x, h / 2), hilite);
    EXPECT_EQ(canvas.Pixel(x - 3, 3), face);

    CTKHeaderCtrlThemeFlat flat;
    flat.RefreshMetrics();
    f.Draw(canvas, flat);
    EXPECT_EQ(canvas.Pixel(10, h - 1), shadow);
    EXPECT_EQ(canvas.Pixel(x - 2, h / 2), shadow);
    EXPECT_EQ(canvas.Pixel(x - 1, h / 2), hilite);
    EXPECT_EQ(canvas.Pixel(x - 2, 1), face);  // the flat divider stops two pixels short
    EXPECT_EQ(canvas.Pixel(x - 2, h - 2), face);

    CTKHeaderCtrlThemeGradient gradient;
    gradient.RefreshMetrics();
    f.Draw(canvas, gradient);
    auto between = [&](int percent) {
        return RGB(GetRValue(face) + (GetRValue(shadow) - GetRValue(face)) * percent / 100,
            GetGValue(face) + (GetGValue(shadow) - GetGValue(face)) * percent / 100,
            GetBValue(face) + (GetBValue(shadow) - GetBValue(face)) * percent / 100);
    };
    EXPECT_EQ(canvas.Pixel(10, h - 1), between(60));
    EXPECT_EQ(canvas.Pixel(10, h - 2), between(40));
    EXPECT_EQ(canvas.Pixel(10, h - 3), between(25));
}

TEST(HeaderLooks, PressedItemsAndTheEngravedSortArrow)
{
    PlainLooks plain;
    HeaderFixture f;
    const CRect client = f.Client();
    DibCanvas canvas(client.Width(), client.Height());
    CTKHeaderCtrlTheme classic;
    classic.RefreshMetrics();
    const COLORREF shadow = classic.m_clrShadow, hilite = classic.m_clrHighlight, face = classic.m_clrFace;

    // Pressed: the item framed in shadow, its text one pixel down and right.
    const CRect item = f.Item(1);
    classic.DrawItemDivider(canvas.DC(), item, 0);
    classic.DrawItemDivider(canvas.DC(), item, TKHIS_PRESSED);
    EXPECT_EQ(canvas.Pixel(item.left, item.top + 3), shadow);
    EXPECT_EQ(canvas.Pixel(item.left + 5, item.top), shadow);
    EXPECT_EQ(canvas.Pixel(item.left + 5, item.bottom - 2), face);

    // The arrow: the gap right of the text, an engraved triangle pointing the sort's way.
    int textWidth = 0;
    {
        CClientDC dc(&f.header);
        CFont* pOld = dc.SelectObject(f.header.GetFont());
        textWidth = dc.GetTextExtent(L"Size").cx;
        dc.SelectObject(pOld);
    }
    f.header.SetSortArrow(1, TRUE);
    canvas.DC()->SelectObject(f.header.GetFont());
    canvas.Fill(face);
    classic.DrawItemText(canvas.DC(), item, 1, 0, &f.header);
    CRect arrow(item.right, item.bottom, item.left, item.top);
    for (int y = item.top; y < item.bottom; ++y)
        for (int x = item.left; x < item.right; ++x) {
            const COLORREF c = canvas.Pixel(x, y);
            if (c == hilite || c == shadow) {
                arrow.left = std::min<LONG>(arrow.left, x);
                arrow.right = std::max<LONG>(arrow.right, x + 1);
                arrow.top = std::min<LONG>(arrow.top, y);
                arrow.bottom = std::max<LONG>(arrow.bottom, y + 1);
            }
        }
    ASSERT_LT(arrow.left, arrow.right);
    EXPECT_EQ(arrow.Width(), classic.m_nArrowWidth + 1);
    EXPECT_EQ(arrow.Height(), classic.m_nArrowHeight + 1);
    EXPECT_EQ(arrow.left, item.left + classic.m_nTextMargin + textWidth + classic.m_nArrowGap);
    EXPECT_NEAR(arrow.CenterPoint().y, item.CenterPoint().y, 2);
    // Ascending: the base at the bottom in the highlight, the left edge in shadow.
    EXPECT_EQ(canvas.Pixel(arrow.CenterPoint().x, arrow.bottom - 1), hilite);
    EXPECT_EQ(canvas.Pixel(arrow.left + 1, arrow.bottom - 2), shadow);

    f.header.SetSortArrow(1, FALSE);
    canvas.Fill(face);
    classic.DrawItemText(canvas.DC(), item, 1, 0, &f.header);
    EXPECT_EQ(canvas.Pixel(arrow.CenterPoint().x, arrow.top), shadow);
    EXPECT_EQ(canvas.Pixel(arrow.right - 2, arrow.top + 1), hilite);

    // Without sort arrows there is no triangle.
    classic.SetDrawFlags(0);
    canvas.Fill(face);
    classic.DrawItemText(canvas.DC(), item, 1, 0, &f.header);
    EXPECT_EQ(canvas.Pixel(arrow.CenterPoint().x, arrow.top), face);
}

TEST(HeaderLooks, GradientHeaderIsTallerAndStylesSwitchTheLayout)
{
    HeaderFixture f;
    TEXTMETRICW tm = {};
    {
        CClientDC dc(&f.header);
        CFont* pOld = dc.SelectObject(f.header.GetFont());
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
    }
    f.header.SetStyle(new CTKHeaderCtrlThemeGradient);
    EXPECT_EQ(f.Client().Height(), tm.tmHeight + 10);
    // The list follows: its first row starts below the new header.
    f.list.InsertItem(0, L"row");
    CRect row;
    f.list.GetItemRect(0, &row, LVIR_BOUNDS);
    EXPECT_GE(row.top, tm.tmHeight + 10);
    f.header.SetStyle(nullptr);
    EXPECT_LT(f.Client().Height(), tm.tmHeight + 10);
}

namespace {

// The plain style, answering as though the header's visual styles were active or not, so that the
// tracking is tried whether the platform has them or not.
class VisualStylesStandIn : public CTKHeaderCtrlTheme {
public:
    explicit VisualStylesStandIn(BOOL bActive) : m_bActive(bActive) {}
    BOOL IsThemeActive() override { return m_bActive; }

private:
    BOOL m_bActive;
};

}  // namespace

TEST(HeaderLooks, HotItemFollowsTheCursorWhileVisualStylesAreActive)
{
    HeaderFixture f;
    // Without them the mouse starts no tracking.
    f.header.SetStyle(new VisualStylesStandIn(FALSE));
    const CRect name = f.Item(0);
    CursorToClient(f.header.GetSafeHwnd(), name.CenterPoint().x, name.CenterPoint().y);
    f.header.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(name.CenterPoint().x, name.CenterPoint().y));
    EXPECT_FALSE(::KillTimer(f.header.GetSafeHwnd(), 1));
    EXPECT_EQ(f.header.GetHotItem(), -1);

    f.header.SetStyle(new VisualStylesStandIn(TRUE));
    const CRect size = f.Item(1);
    CursorToClient(f.header.GetSafeHwnd(), size.CenterPoint().x, size.CenterPoint().y);
    f.header.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(size.CenterPoint().x, size.CenterPoint().y));
    ASSERT_TRUE(PumpUntil([&] { return f.header.GetHotItem() == 1; }));
    const CRect type = f.Item(2);
    CursorToClient(f.header.GetSafeHwnd(), type.CenterPoint().x, type.CenterPoint().y);
    ASSERT_TRUE(PumpUntil([&] { return f.header.GetHotItem() == 2; }));
    CursorAway();
    ASSERT_TRUE(PumpUntil([&] { return f.header.GetHotItem() == -1; }));
    // The flat look has no hot tracking.
    CTKFlatHeaderCtrl flat;
    EXPECT_FALSE(flat.GetHeaderTheme()->IsThemeActive());
}

TEST(HeaderMenu, SortAndAlignFromTheRightClickMenu)
{
    TrackerScope tracker;
    HeaderFixture f;
    f.header.SetSortArrow(1, TRUE);
    const CRect size = f.Item(1), name = f.Item(0);

    // On the sorted column: Sort Ascending checked, the column's alignment checked.
    f.header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(size.CenterPoint().x, size.CenterPoint().y));
    ASSERT_EQ(g_tracked.calls, 1);
    EXPECT_EQ(g_tracked.flags, static_cast<UINT>(TPM_RIGHTBUTTON));
    EXPECT_EQ(g_tracked.owner, f.header.GetSafeHwnd());
    EXPECT_EQ(g_tracked.toolbar, IDR_TKHEADER_MENU_ICONS);
    CPoint screen = size.CenterPoint();
    f.header.ClientToScreen(&screen);
    EXPECT_EQ(g_tracked.at, screen);
    EXPECT_EQ(g_tracked.checked, (std::vector<UINT>{ID_TKHEADER_SORT_ASC, ID_TKHEADER_ALIGN_LEFT}));

    // Choosing the direction it already has does nothing; the other direction sorts through the list.
    f.parent.notifyCodes.clear();
    g_tracked.choose = ID_TKHEADER_SORT_ASC;
    f.header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(size.CenterPoint().x, size.CenterPoint().y));
    PumpPending();
    BOOL ascending = FALSE;
    EXPECT_EQ(f.header.GetSortColumn(&ascending), 1);
    EXPECT_TRUE(ascending);
    EXPECT_TRUE(f.parent.notifyCodes.empty() ||
        std::find(f.parent.notifyCodes.begin(), f.parent.notifyCodes.end(), LVN_COLUMNCLICK) ==
            f.parent.notifyCodes.end());
    g_tracked.choose = ID_TKHEADER_SORT_DESC;
    f.header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(size.CenterPoint().x, size.CenterPoint().y));
    PumpPending();
    EXPECT_EQ(f.header.GetSortColumn(&ascending), 1);
    EXPECT_FALSE(ascending);
    EXPECT_NE(std::find(f.parent.notifyCodes.begin(), f.parent.notifyCodes.end(), LVN_COLUMNCLICK),
        f.parent.notifyCodes.end());

    // Another column: nothing checked for sorting; align it right, then centre.
    g_tracked.choose = ID_TKHEADER_ALIGN_RIGHT;
    f.header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(f.Item(2).CenterPoint().x, 5));
    PumpPending();
    EXPECT_EQ(g_tracked.checked, (std::vector<UINT>{ID_TKHEADER_ALIGN_LEFT}));
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT;
    f.list.GetColumn(2, &column);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
    g_tracked.choose = ID_TKHEADER_ALIGN_CENTER;
    f.header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(f.Item(2).CenterPoint().x, 5));
    PumpPending();
    EXPECT_EQ(g_tracked.checked, (std::vector<UINT>{ID_TKHEADER_ALIGN_RIGHT}));
    f.list.GetColumn(2, &column);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER);
    g_tracked.choose = 0;

    // Beside the items there is no menu.
    const int calls = g_tracked.calls;
    f.header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(f.Item(2).right + 20, 5));
    EXPECT_EQ(g_tracked.calls, calls);
    (void)name;
}

TEST(HeaderMenu, ListsWithoutSortHeaderGetNoMenu)
{
    TrackerScope tracker;
    HeaderFixture f(LVS_NOSORTHEADER);
    f.header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(f.Item(0).CenterPoint().x, 5));
    EXPECT_EQ(g_tracked.calls, 0);
    HeaderFixture g;
    g.header.EnableContextMenu(FALSE);
    g.header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(g.Item(0).CenterPoint().x, 5));
    EXPECT_EQ(g_tracked.calls, 0);
}

TEST(HeaderColumns, FixedColumnsKeepTheirWidth)
{
    HeaderFixture f;
    f.header.FixColumn(1);
    EXPECT_TRUE(f.header.IsColumnFixed(1));
    EXPECT_FALSE(f.header.IsColumnFixed(0));

    // Neither a program nor the mouse changes the width of a fixed column.
    f.list.SetColumnWidth(1, 150);
    EXPECT_EQ(f.list.GetColumnWidth(1), 80);
    const CRect size = f.Item(1);
    const int y = size.CenterPoint().y;
    CursorToClient(f.header.GetSafeHwnd(), size.right, y);
    f.header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(size.right, y));
    f.header.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(size.right + 40, y));
    f.header.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(size.right + 40, y));
    EXPECT_EQ(f.list.GetColumnWidth(1), 80);
    f.list.SetColumnWidth(0, 120);
    EXPECT_EQ(f.list.GetColumnWidth(0), 120);
    EXPECT_EQ(f.header.GetFixedColumnsWidth(), 80);

    // Over a fixed column, and in the half of its neighbour next to it, the cursor stays an arrow.
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    auto cursorAt = [&](int x) {
        CursorToClient(f.header.GetSafeHwnd(), x, y);
        SetCursor(nullptr);
        const BOOL handled = static_cast<BOOL>(f.header.SendMessage(WM_SETCURSOR,
            reinterpret_cast<WPARAM>(f.header.GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        return handled && GetCursor() == arrow;
    };
    const CRect type = f.Item(2);
    EXPECT_TRUE(cursorAt(f.Item(1).CenterPoint().x));
    EXPECT_TRUE(cursorAt(type.left + 3));
    EXPECT_FALSE(cursorAt(type.right - 3));
    // Read right to left, the neighbour toward the divider is the next item.
    f.header.m_bRTL = TRUE;
    EXPECT_FALSE(cursorAt(type.left + 3));
    const CRect name = f.Item(0);
    EXPECT_TRUE(cursorAt(name.right - 3));
    EXPECT_FALSE(cursorAt(name.left + 3));
    f.header.m_bRTL = FALSE;
    CursorAway();
}

namespace {
// Counts how deep the sharing of the width nests.
class CountingHeader : public CTKHeaderCtrl {
public:
    int depth = 0, deepest = 0;
    void ResizeColumnsToFit(int nWidth) override
    {
        ++depth;
        deepest = std::max(deepest, depth);
        CTKHeaderCtrl::ResizeColumnsToFit(nWidth);
        --depth;
    }
};
}  // namespace

TEST(HeaderColumns, AutoSizeSharesTheListsWidthWithoutRecursing)
{
    TestParent parent(500, 300);
    CTKListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 330, 200), &parent, 501));
    static const LPCTSTR headings[] = {L"Name", L"Size", L"Type"};
    static const int widths[] = {100, 80, 60};
    list.AddColumns(3, widths, headings);
    CountingHeader header;
    ASSERT_TRUE(header.SubclassWindow(::GetDlgItem(list.GetSafeHwnd(), 0)));
    header.EnableAutoSize();
    header.FixColumn(2);

    list.MoveWindow(0, 0, 400, 200);
    PumpPending();
    CRect rc;
    header.GetWindowRect(&rc);
    const int share = (rc.Width() - 60) / 2;
    EXPECT_EQ(list.GetColumnWidth(0), share);
    EXPECT_EQ(list.GetColumnWidth(1), share);
    EXPECT_EQ(list.GetColumnWidth(2), 60);
    EXPECT_EQ(header.deepest, 1);

    // Enough rows for a vertical scroll bar: the bar's width is left out, and nothing nests.
    for (int i = 0; i < 40; ++i)
        list.InsertItem(i, L"row");
    list.MoveWindow(0, 0, 360, 200);
    PumpPending();
    header.GetWindowRect(&rc);
    EXPECT_TRUE(list.GetStyle() & WS_VSCROLL);
    EXPECT_EQ(list.GetColumnWidth(0), (rc.Width() - GetSystemMetrics(SM_CXVSCROLL) - 60) / 2);
    EXPECT_EQ(header.deepest, 1);

    // With every column fixed nothing changes.
    header.FixColumn(0);
    header.FixColumn(1);
    const int before = list.GetColumnWidth(0);
    header.ResizeColumnsToFit(900);
    EXPECT_EQ(list.GetColumnWidth(0), before);
    header.UnsubclassWindow();
}
