// Rectangles between a window's client coordinates and the screen: in a right-to-left window the
// client's x runs from its right edge, and a mapped rectangle still has left below right.
#include <gtest/gtest.h>

#include "tests/classlib/gdi/GeometryPrinters.h"
#include "tests/classlib/win/TestSupport.h"

namespace {

class WindowCoordinatesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_rtl.CreateEx(WS_EX_LAYOUTRTL, NULL, L"rtl", WS_POPUP, 100, 50, 300, 200, NULL, NULL));
    ASSERT_TRUE(m_ltr.CreateEx(0, NULL, L"ltr", WS_POPUP, 100, 50, 300, 200, NULL, NULL));
    m_hChild = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 10, 20, 100, 80, m_rtl.m_hWnd, NULL, NULL, NULL);
    ASSERT_NE(m_hChild, (HWND)NULL);
  }
  void TearDown() override {
    m_child.Detach();
    m_rtl.DestroyWindow();
    m_ltr.DestroyWindow();
  }
  CWnd m_rtl, m_ltr, m_child;
  HWND m_hChild = NULL;
};

}  // namespace

TEST_F(WindowCoordinatesTest, RectanglesMapAsMapWindowPointsMapsThemAndStayNormalised) {
  ASSERT_TRUE(m_child.Attach(m_hChild));
  ASSERT_TRUE(m_child.GetExStyle() & WS_EX_LAYOUTRTL);  // a child takes its parent's layout
  for (CWnd* pWnd : {&m_rtl, &m_child, &m_ltr}) {
    const CRect rcClient(5, 6, 25, 16);
    CRect rcExpected = rcClient;
    ::MapWindowPoints(pWnd->m_hWnd, NULL, (LPPOINT)&rcExpected, 2);
    CRect rc = rcClient;
    pWnd->ClientToScreen(&rc);
    EXPECT_EQ(rcExpected, rc);
    EXPECT_LT(rc.left, rc.right);
    EXPECT_EQ(rcClient.Size(), rc.Size());
    pWnd->ScreenToClient(&rc);
    EXPECT_EQ(rcClient, rc);
  }
  // The same client rectangle lies at the far side of a mirrored window.
  CRect rcRtl(0, 0, 20, 10), rcLtr(0, 0, 20, 10), rcWindow;
  m_rtl.ClientToScreen(&rcRtl);
  m_ltr.ClientToScreen(&rcLtr);
  m_rtl.GetWindowRect(&rcWindow);
  EXPECT_GT(rcRtl.left, rcLtr.left);
  EXPECT_LE(rcRtl.right, rcWindow.right);
}
