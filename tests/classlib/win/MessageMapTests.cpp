// Message maps on real windows: window messages, commands and ranges, notifications, update
// handlers that refuse commands, reflection to the control before its parent, and the end of a
// window's object.
#include <gtest/gtest.h>

#include "tests/classlib/win/TestSupport.h"

namespace {

const UINT WM_TEST_SUM = WM_APP + 1;
const UINT WM_TEST_THROW = WM_APP + 2;
UINT g_nRegisteredMsg = ::RegisterWindowMessageW(L"MorvickTestRegistered");

std::vector<std::wstring> g_log;

class CBaseTestWnd : public CWnd {
 public:
  afx_msg void OnBaseCommand() { g_log.push_back(L"base 2003"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
  ON_COMMAND(2003, OnBaseCommand)
END_MESSAGE_MAP()

class CTestWnd : public CBaseTestWnd {
 public:
  bool m_bSawNcCreate = false;
  bool m_bSawCreate = false;
  UINT m_nSizeType = 99;
  int m_cx = -1, m_cy = -1;
  int m_nPostNcDestroy = 0;
  int* m_pPostNcDestroyCount = NULL;
  bool m_bDisable2002 = true;

  afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs) {
    m_bSawNcCreate = true;
    return CWnd::OnNcCreate(lpcs);
  }
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    m_bSawCreate = CWnd::FromHandlePermanent(m_hWnd) == this;
    return CWnd::OnCreate(lpcs);
  }
  afx_msg void OnSize(UINT nType, int cx, int cy) {
    m_nSizeType = nType;
    m_cx = cx;
    m_cy = cy;
  }
  afx_msg LRESULT OnTestSum(WPARAM wParam, LPARAM lParam) { return (LRESULT)(wParam + lParam); }
  afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { return (LRESULT)(wParam * 10); }
  afx_msg LRESULT OnTestThrow(WPARAM, LPARAM) { throw new CUserException(); }
  afx_msg void OnCmd2001() { g_log.push_back(L"2001"); }
  afx_msg void OnCmd2002() { g_log.push_back(L"2002"); }
  afx_msg void OnUpdate2002(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_bDisable2002); }
  afx_msg BOOL OnCmdEx2003(UINT nID) {
    g_log.push_back(L"ex " + std::to_wstring(nID));
    return FALSE;  // let the base class handle it too
  }
  afx_msg void OnCmdRange(UINT nID) { g_log.push_back(L"range " + std::to_wstring(nID)); }
  afx_msg void OnParentClicked() { g_log.push_back(L"parent clicked"); }
  afx_msg void OnParentNmClick(NMHDR*, LRESULT* pResult) {
    g_log.push_back(L"parent nm_click");
    *pResult = 11;
  }
  afx_msg void OnNotifyRange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult) {
    g_log.push_back(L"notify range " + std::to_wstring(nID) + L" from " +
                    std::to_wstring(pNMHDR->idFrom));
    *pResult = 22;
  }
  void PostNcDestroy() override {
    if (m_pPostNcDestroyCount != NULL) ++*m_pPostNcDestroyCount;
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestWnd, CBaseTestWnd)
  ON_WM_NCCREATE()
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_MESSAGE(WM_TEST_SUM, OnTestSum)
  ON_MESSAGE(WM_TEST_THROW, OnTestThrow)
  ON_REGISTERED_MESSAGE(g_nRegisteredMsg, OnRegistered)
  ON_COMMAND(2001, OnCmd2001)
  ON_COMMAND(2002, OnCmd2002)
  ON_UPDATE_COMMAND_UI(2002, OnUpdate2002)
  ON_COMMAND_EX(2003, OnCmdEx2003)
  ON_COMMAND_RANGE(2100, 2110, OnCmdRange)
  ON_BN_CLICKED(1001, OnParentClicked)
  ON_NOTIFY(NM_CLICK, 1001, OnParentNmClick)
  ON_NOTIFY_RANGE(NM_DBLCLK, 1100, 1110, OnNotifyRange)
END_MESSAGE_MAP()

// A push button that sees its own notifications first.
class CReflectButton : public CWnd {
 public:
  bool m_bLetParentSee = false;
  afx_msg BOOL OnReflectClicked() {
    g_log.push_back(L"child clicked");
    return m_bLetParentSee ? FALSE : TRUE;
  }
  afx_msg void OnReflectNmClick(NMHDR*, LRESULT* pResult) {
    g_log.push_back(L"child nm_click");
    *pResult = 33;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CWnd)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectClicked)
  ON_NOTIFY_REFLECT(NM_CLICK, OnReflectNmClick)
END_MESSAGE_MAP()

// A static control that picks its own background brush.
class CColorStatic : public CWnd {
 public:
  HBRUSH m_hbr = NULL;
  UINT m_nCtlColor = 99;
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) {
    m_nCtlColor = nCtlColor;
    if (m_hbr != NULL) pDC->SetTextColor(RGB(255, 0, 0));
    return m_hbr;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorStatic, CWnd)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// A parent that chooses colours itself, and reports mouse clicks.
class CColorParent : public CWnd {
 public:
  CWnd* m_pCtlColorWnd = NULL;
  UINT m_nCtlColor = 99;
  UINT m_nFlags = 0;
  POINT m_pt = {0, 0};
  afx_msg HBRUSH OnCtlColor(CDC*, CWnd* pWnd, UINT nCtlColor) {
    m_pCtlColorWnd = pWnd;
    m_nCtlColor = nCtlColor;
    return (HBRUSH)::GetStockObject(GRAY_BRUSH);
  }
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {
    m_nFlags = nFlags;
    m_pt = point;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorParent, CWnd)
  ON_WM_CTLCOLOR()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_log.clear();
    ASSERT_TRUE(m_wnd.CreateEx(0, AfxRegisterWndClass(0), L"map test", WS_OVERLAPPEDWINDOW, 0, 0, 300,
                               200, NULL, NULL));
  }
  void TearDown() override {
    if (m_wnd.m_hWnd != NULL) m_wnd.DestroyWindow();
  }
  LRESULT Notify(HWND hWndFrom, UINT id, UINT code) {
    NMHDR nm = {hWndFrom, id, code};
    return m_wnd.SendMessage(WM_NOTIFY, id, (LPARAM)&nm);
  }
  CTestWnd m_wnd;
};

TEST_F(MessageMapTest, TheObjectReceivesTheWindowsFirstMessages) {
  EXPECT_TRUE(m_wnd.m_bSawNcCreate);
  EXPECT_TRUE(m_wnd.m_bSawCreate);
  EXPECT_EQ(CWnd::FromHandlePermanent(m_wnd.m_hWnd), &m_wnd);
}

TEST_F(MessageMapTest, WindowMessagesReachTheirHandlersWithUnpackedArguments) {
  m_wnd.SetWindowPos(NULL, 0, 0, 250, 180, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  RECT rc;
  m_wnd.GetClientRect(&rc);
  EXPECT_EQ(m_wnd.m_nSizeType, (UINT)SIZE_RESTORED);
  EXPECT_EQ(m_wnd.m_cx, rc.right);
  EXPECT_EQ(m_wnd.m_cy, rc.bottom);
  EXPECT_EQ(m_wnd.SendMessage(WM_TEST_SUM, 30, 12), 42);
  EXPECT_EQ(m_wnd.SendMessage(g_nRegisteredMsg, 7, 0), 70);
  // Unmapped messages go on to the default procedure.
  m_wnd.SetWindowText(L"changed");
  CString str;
  m_wnd.GetWindowText(str);
  EXPECT_STREQ((LPCTSTR)str, L"changed");
}

TEST_F(MessageMapTest, CommandsRangesAndExtendedHandlers) {
  m_wnd.SendMessage(WM_COMMAND, 2001);
  m_wnd.SendMessage(WM_COMMAND, 2105);
  EXPECT_FALSE(m_wnd.OnCmdMsg(2111, CN_COMMAND, NULL, NULL));  // outside the range: nobody
  // The derived class's entry hides the base's; an EX handler that declines passes the command
  // on to the next target of the route, not to the base class.
  EXPECT_FALSE(m_wnd.OnCmdMsg(2003, CN_COMMAND, NULL, NULL));
  EXPECT_EQ(g_log, (std::vector<std::wstring>{L"2001", L"range 2105", L"ex 2003"}));
}

TEST_F(MessageMapTest, CommandDisabledByItsUpdateHandlerIsRefused) {
  m_wnd.SendMessage(WM_COMMAND, 2002);
  EXPECT_TRUE(g_log.empty());
  m_wnd.m_bDisable2002 = false;
  m_wnd.SendMessage(WM_COMMAND, 2002);
  EXPECT_EQ(g_log, std::vector<std::wstring>{L"2002"});
  // DoUpdate reports what the handler decided, and disables commands with no handler at all.
  CTestCmdUI state;
  state.m_nID = 2002;
  m_wnd.m_bDisable2002 = true;
  state.DoUpdate(&m_wnd, TRUE);
  EXPECT_FALSE(state.m_bEnabled);
  CTestCmdUI orphan;
  orphan.m_nID = 2999;
  orphan.DoUpdate(&m_wnd, TRUE);
  EXPECT_FALSE(orphan.m_bEnabled);
  CTestCmdUI handled;
  handled.m_nID = 2001;
  handled.DoUpdate(&m_wnd, TRUE);
  EXPECT_TRUE(handled.m_bEnabled);
}

TEST_F(MessageMapTest, ControlNotificationsAreReflectedToTheControlFirst) {
  CReflectButton button;
  ASSERT_TRUE(button.CreateEx(0, L"BUTTON", L"b", WS_CHILD | BS_PUSHBUTTON, 0, 0, 50, 20, m_wnd.m_hWnd,
                              (HMENU)1001));
  m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), (LPARAM)button.m_hWnd);
  EXPECT_EQ(g_log, std::vector<std::wstring>{L"child clicked"});

  g_log.clear();
  button.m_bLetParentSee = true;
  m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), (LPARAM)button.m_hWnd);
  EXPECT_EQ(g_log, (std::vector<std::wstring>{L"child clicked", L"parent clicked"}));

  g_log.clear();
  EXPECT_EQ(Notify(button.m_hWnd, 1001, NM_CLICK), 33);
  EXPECT_EQ(g_log, std::vector<std::wstring>{L"child nm_click"});
}

TEST_F(MessageMapTest, ControlColoursComeFromTheControlWhenItAnswers) {
  CColorStatic label;
  ASSERT_TRUE(label.CreateEx(0, L"STATIC", L"s", WS_CHILD, 0, 0, 50, 20, m_wnd.m_hWnd, (HMENU)1200));
  HDC hDC = ::GetDC(m_wnd.m_hWnd);
  label.m_hbr = (HBRUSH)::GetStockObject(BLACK_BRUSH);
  EXPECT_EQ((HBRUSH)m_wnd.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)label.m_hWnd), label.m_hbr);
  EXPECT_EQ(label.m_nCtlColor, (UINT)CTLCOLOR_STATIC);
  EXPECT_EQ(::GetTextColor(hDC), RGB(255, 0, 0));
  // No brush from the control: the parent's default answer.
  label.m_hbr = NULL;
  LRESULT lDefault = ::DefWindowProcW(m_wnd.m_hWnd, WM_CTLCOLOREDIT, (WPARAM)hDC, (LPARAM)label.m_hWnd);
  EXPECT_EQ(m_wnd.SendMessage(WM_CTLCOLOREDIT, (WPARAM)hDC, (LPARAM)label.m_hWnd), lDefault);
  EXPECT_EQ(label.m_nCtlColor, (UINT)CTLCOLOR_EDIT);
  ::ReleaseDC(m_wnd.m_hWnd, hDC);
}

TEST(MessageArguments, ParentHandlersGetTheControlAndPointArguments) {
  CColorParent parent;
  ASSERT_TRUE(parent.CreateEx(0, NULL, L"p", WS_POPUP, 0, 0, 100, 100, NULL, NULL));
  HWND hChild = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd, (HMENU)7, NULL, NULL);
  HDC hDC = ::GetDC(parent.m_hWnd);
  EXPECT_EQ((HBRUSH)parent.SendMessage(WM_CTLCOLORBTN, (WPARAM)hDC, (LPARAM)hChild),
            (HBRUSH)::GetStockObject(GRAY_BRUSH));
  EXPECT_EQ(parent.m_nCtlColor, (UINT)CTLCOLOR_BTN);
  ASSERT_NE(parent.m_pCtlColorWnd, (CWnd*)NULL);
  EXPECT_EQ(parent.m_pCtlColorWnd->m_hWnd, hChild);
  ::ReleaseDC(parent.m_hWnd, hDC);
  parent.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 7));
  EXPECT_EQ(parent.m_nFlags, (UINT)(MK_LBUTTON | MK_SHIFT));
  EXPECT_EQ(parent.m_pt.x, -5);  // coordinates are signed
  EXPECT_EQ(parent.m_pt.y, 7);
  parent.DestroyWindow();
}

TEST_F(MessageMapTest, DescendantsAndToolsAreFoundByIdAndPosition) {
  CWnd inner;
  ASSERT_TRUE(inner.CreateEx(0, NULL, L"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 60, m_wnd.m_hWnd, (HMENU)1300));
  HWND hDeep = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 5, 5, 20, 20, inner.m_hWnd,
                                 (HMENU)1301, NULL, NULL);
  CWnd* pFound = m_wnd.GetDescendantWindow(1301);
  ASSERT_NE(pFound, (CWnd*)NULL);
  EXPECT_EQ(pFound->m_hWnd, hDeep);
  EXPECT_EQ(m_wnd.GetDescendantWindow(1301, TRUE), (CWnd*)NULL);  // it has no object
  EXPECT_EQ(m_wnd.GetDescendantWindow(1300, TRUE), &inner);
  EXPECT_EQ(m_wnd.GetDescendantWindow(1399), (CWnd*)NULL);

  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  EXPECT_EQ(m_wnd.OnToolHitTest(CPoint(20, 20), &ti), 1300);
  EXPECT_EQ(ti.uId, (UINT_PTR)inner.m_hWnd);
  EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);
  EXPECT_EQ(m_wnd.OnToolHitTest(CPoint(200, 150), NULL), -1);
  inner.DestroyWindow();
}

TEST_F(MessageMapTest, NotificationsFromControlsWithoutObjects) {
  HWND hPlain = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, m_wnd.m_hWnd, (HMENU)1105,
                                  NULL, NULL);
  ASSERT_NE(hPlain, (HWND)NULL);
  EXPECT_EQ(Notify(hPlain, 1105, NM_DBLCLK), 22);
  EXPECT_EQ(g_log, std::vector<std::wstring>{L"notify range 1105 from 1105"});
  g_log.clear();
  EXPECT_EQ(Notify(hPlain, 1105, NM_CLICK), 0);  // no entry for this code and id
  EXPECT_TRUE(g_log.empty());
  // A temporary wrapper is what FromHandle gives for it, and it leaves the window alone.
  CWnd* pTemp = CWnd::FromHandle(hPlain);
  EXPECT_EQ(CWnd::FromHandlePermanent(hPlain), (CWnd*)NULL);
  EXPECT_EQ(pTemp->m_hWnd, hPlain);
  CWnd::DeleteTempMap();
  EXPECT_TRUE(::IsWindow(hPlain));
}

TEST_F(MessageMapTest, AnExceptionInAHandlerIsReportedAndTheWindowGoesOn) {
  ResetMessageLog();
  EXPECT_EQ(m_wnd.SendMessage(WM_TEST_THROW), 0);
  EXPECT_EQ(ReadMessageLog().size(), 1u);
  EXPECT_EQ(m_wnd.SendMessage(WM_TEST_SUM, 1, 2), 3);
}

TEST(WindowLifetime, DestroyingTheWindowDetachesTheObjectAndCallsPostNcDestroy) {
  int nPostNcDestroy = 0;
  CTestWnd wnd;
  wnd.m_pPostNcDestroyCount = &nPostNcDestroy;
  ASSERT_TRUE(wnd.CreateEx(0, NULL, L"x", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  HWND hWnd = wnd.m_hWnd;
  EXPECT_TRUE(wnd.DestroyWindow());
  EXPECT_EQ(wnd.m_hWnd, (HWND)NULL);
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), (CWnd*)NULL);
  EXPECT_EQ(nPostNcDestroy, 1);
}

TEST(WindowLifetime, AnObjectDeletedBeforeItsWindowTakesTheWindowWithIt) {
  CTestWnd* pWnd = new CTestWnd;
  ASSERT_TRUE(pWnd->CreateEx(0, NULL, L"x", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  HWND hWnd = pWnd->m_hWnd;
  delete pWnd;
  EXPECT_FALSE(::IsWindow(hWnd));
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), (CWnd*)NULL);
}

TEST(WindowLifetime, FailedCreationLeavesTheObjectUnattached) {
  CTestWnd wnd;
  EXPECT_FALSE(wnd.CreateEx(0, L"NoSuchClassAnywhere", L"x", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  EXPECT_EQ(wnd.m_hWnd, (HWND)NULL);
  // And the next window of this thread is not mistaken for it.
  HWND hOther = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
  EXPECT_EQ(CWnd::FromHandlePermanent(hOther), (CWnd*)NULL);
  ::DestroyWindow(hOther);
}

}  // namespace
