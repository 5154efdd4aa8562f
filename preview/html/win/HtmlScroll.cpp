#include "preview/html/win/HtmlScroll.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct ScrollRecord {
    int rangeX = 0, rangeY = 0;
    int posX = 0, posY = 0;
    int pageX = 0, pageY = 0;  // 100 less the thumb's share
    int stepX = kHtmlScrollLineStep, stepY = kHtmlScrollLineStep;
    int contentWidth = 0, contentHeight = 0;
    int resizing = 0;
    HWND window = NULL;
    int dragging = 0;
};

std::vector<std::unique_ptr<ScrollRecord>> g_records;
POINT g_lastDrag = {0, 0};

ScrollRecord* Find(HWND window)
{
    for (auto& r : g_records) {
        if (r->window == window)
            return r.get();
    }
    return nullptr;
}

ScrollRecord& Record(HWND window)
{
    if (ScrollRecord* r = Find(window))
        return *r;
    g_records.push_back(std::make_unique<ScrollRecord>());
    g_records.back()->window = window;
    return *g_records.back();
}

void UpdateBars(ScrollRecord& r)
{
    // No range or no page share: nothing to map (a division by zero otherwise).
    if (r.rangeX > 0 && r.pageX > 0)
        SetScrollPos(r.window, SB_HORZ, HtmlScrollBarPosition(r.posX, r.pageX, r.rangeX), TRUE);
    if (r.rangeY > 0 && r.pageY > 0)
        SetScrollPos(r.window, SB_VERT, HtmlScrollBarPosition(r.posY, r.pageY, r.rangeY), TRUE);
}

// Moves the content by (dx, dy): positive moves it right or down (the position goes back).
void MoveContent(ScrollRecord& r, int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    SendMessageW(r.window, kHtmlScrolled, static_cast<WPARAM>(dx), static_cast<LPARAM>(dy));
    ScrollWindow(r.window, dx, dy, NULL, NULL);
    UpdateBars(r);
}

// Scrolls to the positions (clamped to the ranges).
void ScrollTo(ScrollRecord& r, int x, int y)
{
    x = std::max(0, std::min(x, r.rangeX));
    y = std::max(0, std::min(y, r.rangeY));
    int dx = r.posX - x, dy = r.posY - y;
    r.posX = x;
    r.posY = y;
    MoveContent(r, dx, dy);
}

void Recompute(ScrollRecord& r, int clientWidth, int clientHeight)
{
    if (r.resizing)
        return;
    r.resizing = 1;
    const int oldRangeX = r.rangeX, oldRangeY = r.rangeY;
    int usableWidth = clientWidth + (r.rangeY > 0 ? GetSystemMetrics(SM_CXHTHUMB) : 0);
    int usableHeight = clientHeight + (r.rangeX > 0 ? GetSystemMetrics(SM_CYVTHUMB) : 0);
    bool horizontalBar = false, verticalBar = false;
    for (int pass = 0; pass < 2; ++pass) {
        if (r.contentWidth > usableWidth) {
            r.rangeX = r.contentWidth - usableWidth;
            if (!horizontalBar) {
                horizontalBar = true;
                usableHeight -= GetSystemMetrics(SM_CXHTHUMB);
            }
        } else {
            r.rangeX = 0;
        }
        if (r.contentHeight > usableHeight) {
            r.rangeY = r.contentHeight - usableHeight;
            if (!verticalBar) {
                verticalBar = true;
                usableWidth -= GetSystemMetrics(SM_CYVTHUMB);
            }
        } else {
            r.rangeY = 0;
        }
    }
    // A position past its new range comes back to it in one move: a line scroll, its distance clamped
    // to the range, would move the content by the same excess.
    if (r.posX > r.rangeX || r.posY > r.rangeY)
        ScrollTo(r, r.posX, r.posY);
    SCROLLINFO range = {sizeof range, SIF_RANGE | SIF_POS, 0, 100, 0, 0, 0};
    if ((oldRangeX > 0) != (r.rangeX > 0)) {
        if (r.rangeX > 0)
            SetScrollInfo(r.window, SB_HORZ, &range, FALSE);
        ShowScrollBar(r.window, SB_HORZ, r.rangeX > 0);
    }
    if ((oldRangeY > 0) != (r.rangeY > 0)) {
        if (r.rangeY > 0)
            SetScrollInfo(r.window, SB_VERT, &range, FALSE);
        ShowScrollBar(r.window, SB_VERT, r.rangeY > 0);
    }
    if (r.contentWidth > 0 && r.rangeX > 0)
        r.pageX = SetScrollPageSize(r.window, SB_HORZ, static_cast<int>(100LL * usableWidth / r.contentWidth));
    if (r.contentHeight > 0 && r.rangeY > 0)
        r.pageY = SetScrollPageSize(r.window, SB_VERT, static_cast<int>(100LL * usableHeight / r.contentHeight));
    UpdateBars(r);
    r.resizing = 0;
}

void RecomputeForClient(ScrollRecord& r)
{
    RECT client;
    GetClientRect(r.window, &client);
    Recompute(r, client.right, client.bottom);
}

void ScrollByCode(ScrollRecord& r, bool vertical, WPARAM wParam)
{
    const int code = LOWORD(wParam);
    RECT client;
    GetClientRect(r.window, &client);
    int& pos = vertical ? r.posY : r.posX;
    const int range = vertical ? r.rangeY : r.rangeX;
    const int page = vertical ? r.pageY : r.pageX;
    const int step = vertical ? r.stepY : r.stepX;
    const int clientExtent = vertical ? client.bottom : client.right;
    long long distance = 0;
    switch (code) {
    case SB_LINEUP:
        distance = step;
        break;
    case SB_LINEDOWN:
        distance = -step;
        break;
    case SB_PAGEUP:
        distance = clientExtent;
        break;
    case SB_PAGEDOWN:
        distance = -clientExtent;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        if (page <= 0)
            return;
        int thumb = HIWORD(wParam);
        distance = pos - static_cast<long long>(thumb) * range / page;
        break;
    }
    default:
        return;
    }
    long long target = std::max<long long>(0, std::min<long long>(pos - distance, range));
    int moved = static_cast<int>(pos - target);
    pos = static_cast<int>(target);
    MoveContent(r, vertical ? 0 : moved, vertical ? moved : 0);
    UpdateBars(r);
}

}  // namespace

int SetScrollPageSize(HWND window, int bar, int percent)
{
    percent = std::max(1, std::min(percent, 99));
    SCROLLINFO info = {sizeof info, SIF_PAGE, 0, 0, static_cast<UINT>(percent), 0, 0};
    SetScrollInfo(window, bar, &info, TRUE);
    return 100 - percent;
}

int HtmlScrollBarPosition(int position, int pagePercent, int range)
{
    if (range <= 0 || pagePercent <= 0)
        return 0;
    return static_cast<int>(static_cast<long long>(position) * pagePercent / range) + (position >= 1 ? 1 : 0);
}

int HtmlScrollRecordCount()
{
    return static_cast<int>(g_records.size());
}

LRESULT CALLBACK HtmlScrollProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window == NULL && message == 0 && wParam == 0 && lParam == 0) {
        g_records.clear();
        return 0;
    }
    if (window == NULL)
        return 0;
    if (message == WM_DESTROY || message == WM_NCDESTROY) {
        g_records.erase(std::remove_if(g_records.begin(), g_records.end(),
                            [&](const std::unique_ptr<ScrollRecord>& r) { return r->window == window; }),
            g_records.end());
        return 0;
    }
    ScrollRecord& r = Record(window);
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_SIZE:
        Recompute(r, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam == 0 && LOWORD(wParam) != SB_ENDSCROLL)
            ScrollByCode(r, message == WM_VSCROLL, wParam);
        return 0;
    case WM_MOUSEWHEEL: {
        WPARAM code = GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN;
        for (int i = 0; i < 3; ++i)
            SendMessageW(window, WM_VSCROLL, code, 0);
        SendMessageW(window, WM_VSCROLL, SB_ENDSCROLL, 0);
        return 0;
    }
    case WM_LBUTTONDOWN:
        g_lastDrag.x = static_cast<short>(LOWORD(lParam));
        g_lastDrag.y = static_cast<short>(HIWORD(lParam));
        SetCapture(window);
        r.dragging = 1;
        return 0;
    case WM_MOUSEMOVE: {
        if (!r.dragging || GetCapture() != window)
            return 0;
        int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        int dx = std::max(-r.posX, std::min(static_cast<int>(g_lastDrag.x - x), r.rangeX - r.posX));
        int dy = std::max(-r.posY, std::min(static_cast<int>(g_lastDrag.y - y), r.rangeY - r.posY));
        r.posX += dx;
        r.posY += dy;
        MoveContent(r, -dx, -dy);
        g_lastDrag.x -= dx;
        g_lastDrag.y -= dy;
        SendMessageW(window, WM_VSCROLL, SB_ENDSCROLL, 0);
        return 0;
    }
    case WM_LBUTTONUP:
        if (GetCapture() == window)
            ReleaseCapture();
        r.dragging = 0;
        return 0;
    case WM_CAPTURECHANGED:
        r.dragging = 0;
        return 0;
    case kHtmlScrollSetContent:
        r.contentWidth = static_cast<int>(wParam);
        r.contentHeight = static_cast<int>(lParam);
        RecomputeForClient(r);
        return 0;
    case kHtmlScrollSetX:
        if (r.pageX != 0 && r.rangeX != 0)
            ScrollTo(r, static_cast<int>(lParam), r.posY);
        return 0;
    case kHtmlScrollSetY:
        if (r.pageY != 0 && r.rangeY != 0)
            ScrollTo(r, r.posX, static_cast<int>(lParam));
        return 0;
    case kHtmlScrollGetX:
    case kHtmlScrollGetY: {
        int value = message == kHtmlScrollGetX ? r.posX : r.posY;
        if (lParam != 0)
            *reinterpret_cast<int*>(lParam) = value;
        return value;
    }
    case kHtmlScrollRangeX:
        return r.rangeX;
    case kHtmlScrollRangeY:
        return r.rangeY;
    default:
        return 0;
    }
}
