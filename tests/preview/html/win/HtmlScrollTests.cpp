// The canvas scrolling on a window of its own: ranges, thumbs, line, page, thumb and wheel
// scrolling, panning, and the records of the windows.
#include "preview/html/win/HtmlScroll.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvick::test {
namespace {

struct Moved {
    int dx, dy;
};
std::vector<Moved> g_moved;

LRESULT CALLBACK ScrollWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kHtmlScrolled:
        g_moved.push_back(Moved{static_cast<int>(wParam), static_cast<int>(lParam)});
        return 0;
    case WM_CREATE:
    case WM_DESTROY:
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        HtmlScrollProc(window, message, wParam, lParam);
        break;
    default:
        if (message >= kHtmlScrollSetContent && message <= kHtmlScrollRangeY)
            return HtmlScrollProc(window, message, wParam, lParam);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A top-level window whose client area is width x height before any bar shows.
class ScrollingWindow {
public:
    ScrollingWindow(int width, int height)
    {
        static bool registered = false;
        if (!registered) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = ScrollWindowProc;
            wc.hInstance = GetModuleHandleW(NULL);
            wc.lpszClassName = L"MorvickHtmlScrollTest";
            wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
            RegisterClassW(&wc);
            registered = true;
        }
        RECT r = {0, 0, width, height};
        AdjustWindowRect(&r, WS_POPUP | WS_BORDER, FALSE);
        m_window = CreateWindowW(L"MorvickHtmlScrollTest", L"scroll", WS_POPUP | WS_BORDER, 0, 0, r.right - r.left,
            r.bottom - r.top, NULL, NULL, GetModuleHandleW(NULL), NULL);
        g_moved.clear();
    }
    ~ScrollingWindow() { DestroyWindow(m_window); }
    HWND Handle() const { return m_window; }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageW(m_window, message, wParam, lParam);
    }
    int X() const { return static_cast<int>(Send(kHtmlScrollGetX)); }
    int Y() const { return static_cast<int>(Send(kHtmlScrollGetY)); }
    RECT Client() const
    {
        RECT r;
        GetClientRect(m_window, &r);
        return r;
    }
    // Resizes the window so that its client area (bars included) is width x height.
    void Resize(int width, int height) const
    {
        RECT r = {0, 0, width, height};
        AdjustWindowRect(&r, WS_POPUP | WS_BORDER, FALSE);
        SetWindowPos(m_window, NULL, 0, 0, r.right - r.left, r.bottom - r.top,
            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

private:
    HWND m_window;
};

TEST(HtmlScroll, AWideContentGetsAHorizontalRangeAndAProportionalThumb)
{
    ScrollingWindow w(400, 300);
    w.Send(kHtmlScrollSetContent, 1000, 100);
    EXPECT_EQ(w.Send(kHtmlScrollRangeX), 600);
    EXPECT_EQ(w.Send(kHtmlScrollRangeY), 0);
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(w.Handle(), SB_HORZ, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 100);
    EXPECT_EQ(info.nPage, 40u);
    w.Send(kHtmlScrollSetX, 0, 300);
    EXPECT_EQ(w.X(), 300);
    EXPECT_EQ(GetScrollPos(w.Handle(), SB_HORZ), 300 * 60 / 600 + 1);
    ASSERT_EQ(g_moved.size(), 1u);
    EXPECT_EQ(g_moved[0].dx, -300);
    // Set past the range: the range.
    w.Send(kHtmlScrollSetX, 0, 5000);
    EXPECT_EQ(w.X(), 600);
    int stored = -1;
    EXPECT_EQ(w.Send(kHtmlScrollGetX, 0, reinterpret_cast<LPARAM>(&stored)), 600);
    EXPECT_EQ(stored, 600);
}

TEST(HtmlScroll, TallAndWideContentTakesRoomForBothBars)
{
    ScrollingWindow w(400, 300);
    w.Send(kHtmlScrollSetContent, 1000, 2000);
    RECT client = w.Client();
    EXPECT_EQ(w.Send(kHtmlScrollRangeX), 1000 - (400 - GetSystemMetrics(SM_CYVTHUMB)));
    EXPECT_EQ(w.Send(kHtmlScrollRangeY), 2000 - (300 - GetSystemMetrics(SM_CXHTHUMB)));
    EXPECT_EQ(client.right, 400 - GetSystemMetrics(SM_CXVSCROLL));
    // Content just wider than the window: the vertical bar's room makes the horizontal one too.
    ScrollingWindow v(400, 300);
    v.Send(kHtmlScrollSetContent, 395, 2000);
    EXPECT_GT(v.Send(kHtmlScrollRangeX), 0);
}

TEST(HtmlScroll, LinePageThumbAndWheelScrollWithinTheRange)
{
    ScrollingWindow w(400, 300);
    w.Send(kHtmlScrollSetContent, 300, 3000);
    const int range = static_cast<int>(w.Send(kHtmlScrollRangeY));
    const int client = w.Client().bottom;
    ASSERT_EQ(range, 3000 - 300);
    w.Send(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(w.Y(), kHtmlScrollLineStep);
    ASSERT_EQ(g_moved.size(), 1u);
    EXPECT_EQ(g_moved[0].dy, -kHtmlScrollLineStep);
    w.Send(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(w.Y(), kHtmlScrollLineStep + client);
    w.Send(WM_VSCROLL, SB_PAGEUP);
    w.Send(WM_VSCROLL, SB_LINEUP);
    w.Send(WM_VSCROLL, SB_LINEUP);  // already at the top: nothing moves
    EXPECT_EQ(w.Y(), 0);
    EXPECT_EQ(g_moved.size(), 4u);
    // The wheel: three lines per notch, in both directions.
    w.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)));
    EXPECT_EQ(w.Y(), 3 * kHtmlScrollLineStep);
    w.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA));
    EXPECT_EQ(w.Y(), 0);
    // The thumb: its position maps back through the page share.
    SCROLLINFO info = {sizeof info, SIF_PAGE, 0, 0, 0, 0, 0};
    GetScrollInfo(w.Handle(), SB_VERT, &info);
    const int page = 100 - static_cast<int>(info.nPage);
    w.Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 45));
    EXPECT_EQ(w.Y(), 45 * range / page);
    w.Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100));
    EXPECT_EQ(w.Y(), range);
    w.Send(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(w.Y(), range);
    // From a scroll-bar control (lParam) or the end of a scroll: ignored.
    w.Send(WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(w.Handle()));
    w.Send(WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_EQ(w.Y(), range);
}

TEST(HtmlScroll, ContentThatFitsHasNoBarsAndScrollsNowhere)
{
    ScrollingWindow w(400, 300);
    w.Send(kHtmlScrollSetContent, 100, 100);
    // A wheel over a page that fits: no range and no page share to divide by.
    w.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)));
    w.Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 50));
    w.Send(WM_HSCROLL, SB_PAGEDOWN);
    w.Send(kHtmlScrollSetY, 0, 50);
    EXPECT_EQ(w.X(), 0);
    EXPECT_EQ(w.Y(), 0);
    EXPECT_TRUE(g_moved.empty());
    EXPECT_FALSE(GetWindowLongW(w.Handle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
}

TEST(HtmlScroll, GrowingTheWindowUntilAllFitsHidesTheBarsAndReturnsToTheStart)
{
    ScrollingWindow w(400, 300);
    w.Send(kHtmlScrollSetContent, 800, 900);
    w.Send(kHtmlScrollSetX, 0, 200);
    w.Send(kHtmlScrollSetY, 0, 250);
    EXPECT_TRUE(GetWindowLongW(w.Handle(), GWL_STYLE) & WS_VSCROLL);
    // Smaller content: the position comes back to the new range.
    w.Send(kHtmlScrollSetContent, 800, 400);
    EXPECT_EQ(w.Y(), static_cast<int>(w.Send(kHtmlScrollRangeY)));
    w.Resize(1000, 1000);
    EXPECT_EQ(w.Send(kHtmlScrollRangeX), 0);
    EXPECT_EQ(w.Send(kHtmlScrollRangeY), 0);
    EXPECT_EQ(w.X(), 0);
    EXPECT_EQ(w.Y(), 0);
    EXPECT_FALSE(GetWindowLongW(w.Handle(), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
}

TEST(HtmlScroll, PanningWithTheLeftButtonMovesTheContentWithThePointer)
{
    ScrollingWindow w(400, 300);
    w.Send(kHtmlScrollSetContent, 1000, 1000);
    w.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
    ASSERT_EQ(GetCapture(), w.Handle());
    w.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 170));
    EXPECT_EQ(w.X(), 50);
    EXPECT_EQ(w.Y(), 30);
    // Beyond the start: only as far as the start.
    w.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 300));
    EXPECT_EQ(w.X(), 0);
    EXPECT_EQ(w.Y(), 0);
    w.Send(WM_LBUTTONUP, 0, MAKELPARAM(400, 300));
    EXPECT_EQ(GetCapture(), static_cast<HWND>(NULL));
    w.Send(WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
    EXPECT_EQ(w.X(), 0);
}

TEST(HtmlScroll, PageSharesAndBarPositionsStayInRange)
{
    ScrollingWindow w(100, 100);
    EXPECT_EQ(SetScrollPageSize(w.Handle(), SB_VERT, 0), 99);
    EXPECT_EQ(SetScrollPageSize(w.Handle(), SB_VERT, 150), 1);
    EXPECT_EQ(SetScrollPageSize(w.Handle(), SB_VERT, 30), 70);
    EXPECT_EQ(HtmlScrollBarPosition(300, 60, 600), 31);
    EXPECT_EQ(HtmlScrollBarPosition(0, 60, 600), 0);
    EXPECT_EQ(HtmlScrollBarPosition(5, 0, 600), 0);
    EXPECT_EQ(HtmlScrollBarPosition(5, 60, 0), 0);
}

TEST(HtmlScroll, EachWindowHasOneRecordUntilItIsDestroyed)
{
    int before = HtmlScrollRecordCount();
    {
        ScrollingWindow a(100, 100), b(100, 100);
        a.Send(kHtmlScrollSetContent, 10, 10);
        b.Send(kHtmlScrollSetContent, 10, 10);
        EXPECT_EQ(HtmlScrollRecordCount(), before + 2);
    }
    EXPECT_EQ(HtmlScrollRecordCount(), before);
    ScrollingWindow c(100, 100);
    c.Send(kHtmlScrollSetContent, 10, 10);
    HtmlScrollProc(NULL, 0, 0, 0);
    EXPECT_EQ(HtmlScrollRecordCount(), 0);
}

}  // namespace
}  // namespace morvick::test
