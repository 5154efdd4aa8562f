#include "app/FlatBorderControls.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/SharedMetrics.h"

namespace {

HFONT FlatBorderFont()
{
    const HFONT font = static_cast<HFONT>(GetSharedMetrics()->m_fontNormal.GetSafeHandle());
    return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void DrawFlatBorder(HWND window)
{
    RECT bounds;
    GetWindowRect(window, &bounds);
    OffsetRect(&bounds, -bounds.left, -bounds.top);
    HDC dc = GetWindowDC(window);
    if (dc == nullptr)
        return;
    HBRUSH brush = CreateSolidBrush(GetColorManager()->GetColor(kFlatBorderColourIndex));
    FrameRect(dc, &bounds, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

}  // namespace

LRESULT FlatBorderWindowProc(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam,
    const std::function<LRESULT()>& base)
{
    switch (message) {
    case WM_CREATE: {
        const LRESULT result = base();
        if (result != -1)
            ::SendMessageW(window.GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(FlatBorderFont()), FALSE);
        return result;
    }
    case WM_NCCALCSIZE: {
        const LRESULT result = base();
        // Both forms of the message begin with the window's new rectangle, which becomes the client's.
        RECT* client = reinterpret_cast<RECT*>(lParam);
        if (client != nullptr)
            InflateRect(client, -1, -1);
        return result;
    }
    case WM_NCPAINT: {
        const LRESULT result = base();
        DrawFlatBorder(window.GetSafeHwnd());
        return result;
    }
    default:
        return base();
    }
}
