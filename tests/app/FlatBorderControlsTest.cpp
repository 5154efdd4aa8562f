// The main frame's flat-bordered static and edit: the toolkit's default font from their creation on,
// a client area one pixel in from every side, and the one-pixel frame in the toolkit's colour.
#include <gtest/gtest.h>

#include "app/FlatBorderControls.h"
#include "tests/app/AppTestSupport.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/base/SharedMetrics.h"

namespace morvick::test {
namespace {

// What a made control shows: its font, its client area within its window, and the colour of each
// corner of its frame as the screen holds it.
void ExpectFlatBorder(CWnd& control)
{
    const HFONT expected = static_cast<HFONT>(GetSharedMetrics()->m_fontNormal.GetSafeHandle());
    EXPECT_EQ(reinterpret_cast<HFONT>(control.SendMessage(WM_GETFONT)),
        expected != nullptr ? expected : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));

    CRect window, client;
    control.GetWindowRect(&window);
    control.GetClientRect(&client);
    control.ClientToScreen(&client);
    EXPECT_EQ(client, CRect(window.left + 1, window.top + 1, window.right - 1, window.bottom - 1));

    control.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    const COLORREF line = GetColorManager()->GetColor(kFlatBorderColourIndex);
    HDC dc = ::GetWindowDC(control.GetSafeHwnd());
    const int right = window.Width() - 1, bottom = window.Height() - 1;
    for (const POINT corner : {POINT{0, 0}, POINT{right, 0}, POINT{0, bottom}, POINT{right, bottom}})
        EXPECT_EQ(::GetNearestColor(dc, ::GetPixel(dc, corner.x, corner.y)), ::GetNearestColor(dc, line))
            << corner.x << "," << corner.y;
    ::ReleaseDC(control.GetSafeHwnd(), dc);
}

TEST(FlatBorderControls, TheStaticAndTheEditDrawTheirOwnOnePixelFrameInTheToolkitFont)
{
    HostWindow host(300, 200);
    CFlatBorderStatic label;
    ASSERT_TRUE(label.Create(L"label", WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 40), &host, 1001));
    ExpectFlatBorder(label);

    CFlatBorderEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 60, 150, 90), &host, 1002));
    ExpectFlatBorder(edit);
}

}  // namespace
}  // namespace morvick::test
