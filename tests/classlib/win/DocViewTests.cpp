// A frame, its view and its document made by a single-document template: creation, the pane id,
// the route of commands, the idle update of commands, bar layout and closing.
#include <gtest/gtest.h>

#include "tests/classlib/win/TestSupport.h"

namespace {

const UINT ID_ROUTE_PROBE = 3000;
const UINT ID_APP_ONLY = 3005;
const UINT ID_IDLE_CHECKED = 3020;

bool g_bEnableIdleChecked = false;
int g_nIdleCheckedRuns = 0;
int g_nInitialUpdates = 0;
int g_nDocsDeleted = 0;

class CRouteDoc : public CDocument {
  DECLARE_DYNCREATE(CRouteDoc)
 public:
  ~CRouteDoc() override { g_nDocsDeleted++; }
  afx_msg BOOL OnRouteProbe(UINT) {
    theTestApp.m_route.push_back(L"document");
    return FALSE;
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRouteDoc, CDocument)
BEGIN_MESSAGE_MAP(CRouteDoc, CDocument)
  ON_COMMAND_EX(ID_ROUTE_PROBE, OnRouteProbe)
END_MESSAGE_MAP()

class CRouteView : public CView {
  DECLARE_DYNCREATE(CRouteView)
 public:
  void OnDraw(CDC*) override {}
  void OnInitialUpdate() override {
    g_nInitialUpdates++;
    CView::OnInitialUpdate();
  }
  afx_msg BOOL OnRouteProbe(UINT) {
    theTestApp.m_route.push_back(L"view");
    return FALSE;
  }
  afx_msg void OnUpdateIdleChecked(CCmdUI* pCmdUI) { pCmdUI->Enable(g_bEnableIdleChecked); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRouteView, CView)
BEGIN_MESSAGE_MAP(CRouteView, CView)
  ON_COMMAND_EX(ID_ROUTE_PROBE, OnRouteProbe)
  ON_UPDATE_COMMAND_UI(ID_IDLE_CHECKED, OnUpdateIdleChecked)
END_MESSAGE_MAP()

// A bar that asks the frame about one command each idle pass, as a toolbar does.
class CIdleBar : public CWnd {
 public:
  int m_nPasses = 0;
  BOOL m_bLastEnabled = TRUE;
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    CTestCmdUI state;
    state.m_nID = ID_IDLE_CHECKED;
    state.m_pOther = this;
    state.DoUpdate(GetParentFrame(), (BOOL)wParam);
    m_bLastEnabled = state.m_bEnabled;
    m_nPasses++;
    return 0;
  }
  // Takes 25 pixels at the top of the frame.
  afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam) {
    AFX_SIZEPARENTPARAMS* p = (AFX_SIZEPARENTPARAMS*)lParam;
    RECT rc = p->rect;
    p->rect.top += 25;
    p->sizeTotal.cy += 25;
    if (p->hDWP != NULL)
      p->hDWP = ::DeferWindowPos(p->hDWP, m_hWnd, NULL, rc.left, rc.top, rc.right - rc.left, 25,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CIdleBar, CWnd)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

class CRouteFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CRouteFrame)
 public:
  CIdleBar m_bar;
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    RECT rc = {0, 0, 0, 0};
    if (!m_bar.Create(NULL, L"bar", WS_CHILD | WS_VISIBLE, rc, this, AFX_IDW_TOOLBAR)) return -1;
    RecalcLayout();
    return 0;
  }
  afx_msg BOOL OnRouteProbe(UINT) {
    theTestApp.m_route.push_back(L"frame");
    return FALSE;
  }
  afx_msg void OnIdleChecked() { g_nIdleCheckedRuns++; }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRouteFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CRouteFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND_EX(ID_ROUTE_PROBE, OnRouteProbe)
  ON_COMMAND(ID_IDLE_CHECKED, OnIdleChecked)
END_MESSAGE_MAP()

class CRouteTemplate : public CSingleDocTemplate {
 public:
  CRouteTemplate()
      : CSingleDocTemplate(0, RUNTIME_CLASS(CRouteDoc), RUNTIME_CLASS(CRouteFrame), RUNTIME_CLASS(CRouteView)) {}
  afx_msg BOOL OnRouteProbe(UINT) {
    theTestApp.m_route.push_back(L"template");
    return FALSE;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteTemplate, CSingleDocTemplate)
  ON_COMMAND_EX(ID_ROUTE_PROBE, OnRouteProbe)
END_MESSAGE_MAP()

class DocViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static CRouteTemplate* pTemplate = NULL;
    if (pTemplate == NULL) {
      pTemplate = new CRouteTemplate;
      theTestApp.AddDocTemplate(pTemplate);
    }
  }
  void SetUp() override {
    g_nInitialUpdates = 0;
    g_nDocsDeleted = 0;
    theTestApp.m_route.clear();
    theTestApp.OnFileNew();
    m_pFrame = static_cast<CFrameWnd*>(theTestApp.m_pMainWnd);
  }
  void TearDown() override {
    if (theTestApp.m_pMainWnd != NULL) theTestApp.m_pMainWnd->SendMessage(WM_CLOSE);
    PumpPending();
  }
  CFrameWnd* m_pFrame = NULL;
};

TEST_F(DocViewTest, TheTemplateMakesFrameViewAndDocument) {
  ASSERT_NE(m_pFrame, (CFrameWnd*)NULL);
  EXPECT_TRUE(m_pFrame->IsKindOf(RUNTIME_CLASS(CRouteFrame)));
  CView* pView = m_pFrame->GetActiveView();
  ASSERT_NE(pView, (CView*)NULL);
  EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CRouteView)));
  EXPECT_EQ(pView->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(pView->GetParentFrame(), m_pFrame);
  CDocument* pDoc = m_pFrame->GetActiveDocument();
  ASSERT_NE(pDoc, (CDocument*)NULL);
  EXPECT_TRUE(pDoc->IsKindOf(RUNTIME_CLASS(CRouteDoc)));
  EXPECT_EQ(pView->GetDocument(), pDoc);
  POSITION pos = pDoc->GetFirstViewPosition();
  EXPECT_EQ(pDoc->GetNextView(pos), pView);
  EXPECT_EQ(pos, (POSITION)NULL);
  EXPECT_EQ(g_nInitialUpdates, 1);
  EXPECT_TRUE(m_pFrame->IsWindowVisible());
  EXPECT_EQ(theTestApp.GetOpenDocumentCount(), 1);
}

TEST_F(DocViewTest, CommandsRunThroughViewDocumentTemplateFrameAndApplication) {
  ASSERT_NE(m_pFrame, (CFrameWnd*)NULL);
  m_pFrame->SendMessage(WM_COMMAND, ID_ROUTE_PROBE);
  EXPECT_EQ(theTestApp.m_route,
            (std::vector<std::wstring>{L"view", L"document", L"template", L"frame", L"app"}));
  int nBefore = theTestApp.m_nAppOnly;
  m_pFrame->SendMessage(WM_COMMAND, ID_APP_ONLY);
  EXPECT_EQ(theTestApp.m_nAppOnly, nBefore + 1);
}

TEST_F(DocViewTest, TheIdlePassDisablesACommandAndTheFrameRefusesIt) {
  ASSERT_NE(m_pFrame, (CFrameWnd*)NULL);
  CRouteFrame* pFrame = static_cast<CRouteFrame*>(m_pFrame);
  g_bEnableIdleChecked = false;
  g_nIdleCheckedRuns = 0;
  theTestApp.OnIdle(0);
  EXPECT_GE(pFrame->m_bar.m_nPasses, 1);
  EXPECT_FALSE(pFrame->m_bar.m_bLastEnabled);
  m_pFrame->SendMessage(WM_COMMAND, ID_IDLE_CHECKED);
  EXPECT_EQ(g_nIdleCheckedRuns, 0);

  g_bEnableIdleChecked = true;
  theTestApp.OnIdle(0);
  EXPECT_TRUE(pFrame->m_bar.m_bLastEnabled);
  m_pFrame->SendMessage(WM_COMMAND, ID_IDLE_CHECKED);
  EXPECT_EQ(g_nIdleCheckedRuns, 1);
}

TEST_F(DocViewTest, MenusAreUpdatedWhenTheyOpen) {
  ASSERT_NE(m_pFrame, (CFrameWnd*)NULL);
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuW(hMenu, MF_STRING, ID_IDLE_CHECKED, L"checked by the view");
  ::AppendMenuW(hMenu, MF_STRING, 3999, L"no handler");
  ::AppendMenuW(hMenu, MF_SEPARATOR, 0, NULL);
  ::AppendMenuW(hMenu, MF_STRING, ID_APP_ONLY, L"handled by the application");
  g_bEnableIdleChecked = false;
  m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenu, MAKELPARAM(0, FALSE));
  EXPECT_TRUE(::GetMenuState(hMenu, ID_IDLE_CHECKED, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(::GetMenuState(hMenu, 3999, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(::GetMenuState(hMenu, ID_APP_ONLY, MF_BYCOMMAND) & MF_GRAYED);
  g_bEnableIdleChecked = true;
  m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenu, MAKELPARAM(0, FALSE));
  EXPECT_FALSE(::GetMenuState(hMenu, ID_IDLE_CHECKED, MF_BYCOMMAND) & MF_GRAYED);
  ::DestroyMenu(hMenu);
}

TEST_F(DocViewTest, LayoutPutsTheBarOnTopAndTheViewInTheRest) {
  ASSERT_NE(m_pFrame, (CFrameWnd*)NULL);
  m_pFrame->SetWindowPos(NULL, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
  m_pFrame->RecalcLayout();
  RECT rcClient, rcView, rcBar;
  m_pFrame->GetClientRect(&rcClient);
  CView* pView = m_pFrame->GetActiveView();
  pView->GetWindowRect(&rcView);
  m_pFrame->ScreenToClient(&rcView);
  static_cast<CRouteFrame*>(m_pFrame)->m_bar.GetWindowRect(&rcBar);
  m_pFrame->ScreenToClient(&rcBar);
  EXPECT_EQ(rcBar.top, 0);
  EXPECT_EQ(rcBar.bottom, 25);
  EXPECT_EQ(rcView.top, 25);
  EXPECT_EQ(rcView.bottom, rcClient.bottom);
  EXPECT_EQ(rcView.right - rcView.left, rcClient.right);
}

TEST_F(DocViewTest, ClosingTheMainFrameEndsDocumentViewFrameAndTheLoop) {
  ASSERT_NE(m_pFrame, (CFrameWnd*)NULL);
  HWND hFrame = m_pFrame->m_hWnd;
  HWND hView = m_pFrame->GetActiveView()->m_hWnd;
  m_pFrame->SendMessage(WM_CLOSE);
  EXPECT_FALSE(::IsWindow(hFrame));
  EXPECT_FALSE(::IsWindow(hView));
  EXPECT_EQ(theTestApp.m_pMainWnd, (CWnd*)NULL);
  EXPECT_EQ(g_nDocsDeleted, 1);
  EXPECT_EQ(theTestApp.GetOpenDocumentCount(), 0);
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 0u);
}

}  // namespace

namespace {

TEST(MiniFrame, MiniFrameStylesBecomeAToolWindowAndTheObjectGoesWithTheWindow) {
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, NULL, L"owner", WS_POPUP, 0, 0, 100, 100, NULL, NULL));
  CMiniFrameWnd* pMini = new CMiniFrameWnd;
  RECT rc = {10, 10, 210, 110};
  ASSERT_TRUE(pMini->CreateEx(0, NULL, L"Floating", 0x80CC1000 | MFS_SYNCACTIVE, rc, &owner));
  HWND hMini = pMini->m_hWnd;
  DWORD dwStyle = pMini->GetStyle();
  EXPECT_EQ(dwStyle & MFS_ALL, 0u);
  EXPECT_TRUE(dwStyle & WS_THICKFRAME);
  EXPECT_FALSE(dwStyle & WS_SYSMENU);  // MFS_BLOCKSYSMENU
  EXPECT_TRUE(pMini->GetExStyle() & WS_EX_TOOLWINDOW);
  EXPECT_EQ(pMini->GetMiniFrameStyle(), (DWORD)(MFS_BLOCKSYSMENU | MFS_SYNCACTIVE));
  EXPECT_EQ(::GetWindow(hMini, GW_OWNER), owner.m_hWnd);
  CString strText;
  pMini->GetWindowText(strText);
  EXPECT_STREQ((LPCTSTR)strText, L"Floating");
  pMini->DestroyWindow();  // deletes the object, like every frame
  EXPECT_EQ(CWnd::FromHandlePermanent(hMini), (CWnd*)NULL);
  owner.DestroyWindow();
}

}  // namespace
