#include "toolkit/base/DragTracker.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/SharedMetrics.h"
#include "toolkit/base/WindowRects.h"

#include "TestWindow.h"

#include <gtest/gtest.h>

TEST(WindowHelpers, RectanglesOfWindows)
{
  TestWindow window;
  RECT rc;
  GetWindowRect(window.Handle(), &rc);
  EXPECT_EQ(CRect(rc), CTKPWindowRect(window.Wnd()));
  GetClientRect(window.Handle(), &rc);
  EXPECT_EQ(CRect(rc), CTKPClientRect(window.Handle()));
  EXPECT_TRUE(CTKPWindowRect(HWND(nullptr)).IsRectEmpty());
  EXPECT_TRUE(CTKPClientRect(static_cast<CWnd*>(nullptr)).IsRectEmpty());
  EXPECT_TRUE(CTKPEmptyRect().IsRectEmpty());

  CRect work;
  CTKPDrawingHelper::GetWorkAreaFromWindow(&work, window.Wnd());
  RECT primary;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
  EXPECT_EQ(CRect(primary), work);

  SetCursorPos(100, 100);
  CTKPClientCursorPos pos(window.Handle());
  POINT screen = {100, 100};
  ScreenToClient(window.Handle(), &screen);
  EXPECT_EQ(CPoint(screen), pos);
}

TEST(WindowHelpers, ArrowKeysSwapInRightToLeftWindows)
{
  TestWindow rtl(WS_EX_LAYOUTRTL), ltr;
  UINT key = VK_LEFT;
  EXPECT_EQ(static_cast<UINT>(VK_RIGHT), CTKPDrawingHelper::MirrorArrowKey(rtl.Wnd(), key));
  EXPECT_EQ(static_cast<UINT>(VK_RIGHT), key);
  key = VK_LEFT;
  EXPECT_EQ(static_cast<UINT>(VK_LEFT), CTKPDrawingHelper::MirrorArrowKey(ltr.Wnd(), key));
  key = VK_UP;
  EXPECT_EQ(static_cast<UINT>(VK_UP), CTKPDrawingHelper::MirrorArrowKey(rtl.Wnd(), key));
}

TEST(WindowHelpers, DragTrackerFollowsOneAxisWithinLimits)
{
  TestWindow window;
  ShowWindow(window.Handle(), SW_SHOW);
  POINT origin = {0, 0};
  ClientToScreen(window.Handle(), &origin);
  CRect rect(100, 50, 104, 150);
  // Moves to x = 400 (beyond the limit 200), then the button is released.
  PostMessageW(window.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(400 - origin.x, 60 - origin.y));
  PostMessageW(window.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(400 - origin.x, 60 - origin.y));
  CTKPDragTracker tracker;
  EXPECT_TRUE(tracker.Track(window.Wnd(), 0, 0, 200, 1000, &rect, CPoint(100, 60), TRUE));
  EXPECT_EQ(200, rect.left);
  EXPECT_EQ(50, rect.top);  // the other axis stays
  EXPECT_NE(window.Handle(), GetCapture());

  PostMessageW(window.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(120 - origin.x, 60 - origin.y));
  PostMessageW(window.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  CTKPDragTracker solid(TRUE);
  EXPECT_FALSE(solid.Track(window.Wnd(), 0, 0, 1000, 1000, &rect, CPoint(200, 60), TRUE));
  EXPECT_EQ(120, rect.left);
}
