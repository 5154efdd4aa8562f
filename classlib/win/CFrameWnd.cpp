#include "classlib/win/CFrameWnd.h"

#include "classlib/win/AfxThreadState.h"
#include "classlib/win/CControlBar.h"
#include "classlib/win/CDocTemplate.h"
#include "classlib/win/CDocument.h"
#include "classlib/win/CMiniFrameWnd.h"
#include "classlib/win/CView.h"
#include "classlib/win/CWinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_ACTIVATE()
  ON_WM_INITMENUPOPUP()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
  ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
END_MESSAGE_MAP()

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

CFrameWnd::CFrameWnd()
    : m_bAutoMenuEnable(TRUE),
      m_nIdleFlags(0),
      m_bHelpMode(FALSE),
      m_nIDHelp(0),
      m_hMenuDefault(NULL),
      m_hAccelTable(NULL),
      m_nWindow(-1),
      m_pViewActive(NULL) {}

CFrameWnd::~CFrameWnd() {
  if (m_hAccelTable != NULL) ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL) {
    if (!AfxEndDeferRegisterClass(_afxWndFrameOrView)) return FALSE;
    cs.lpszClass = _afxWndFrameOrView;
  }
  if (cs.style & FWS_ADDTOTITLE) cs.style |= FWS_PREFIXTITLE;
  cs.dwExStyle |= WS_EX_CLIENTEDGE;
  return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  HMENU hMenu = NULL;
  if (lpszMenuName != NULL) {
    hMenu = ::LoadMenuW(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
    if (hMenu == NULL) {
      PostNcDestroy();
      return FALSE;
    }
  }
  m_strTitle = lpszWindowName != NULL ? lpszWindowName : L"";
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenu,
                (LPVOID)pContext)) {
    if (hMenu != NULL) ::DestroyMenu(hMenu);
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  WCHAR szFull[512];
  if (::LoadStringW(AfxGetResourceHandle(), nIDResource, szFull, 512) > 0) {
    LPWSTR pEnd = wcschr(szFull, L'\n');
    if (pEnd != NULL) *pEnd = 0;
    m_strTitle = szFull;
  }
  // The icon of the same id goes into the window class.
  LPCTSTR lpszClass = NULL;
  HICON hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
  if (hIcon != NULL)
    lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW),
                                    (HBRUSH)(COLOR_WINDOW + 1), hIcon);
  LPCTSTR lpszMenu = NULL;
  if (::FindResourceW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource), RT_MENU) != NULL)
    lpszMenu = MAKEINTRESOURCEW(nIDResource);
  CString strTitle = m_strTitle;
  if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszMenu, 0L, pContext))
    return FALSE;
  m_hMenuDefault = ::GetMenu(m_hWnd);
  LoadAccelTable(MAKEINTRESOURCEW(nIDResource));
  if (pContext == NULL) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName) {
  if (m_hAccelTable != NULL) return FALSE;
  m_hAccelTable = ::LoadAcceleratorsW(AfxGetResourceHandle(), lpszResourceName);
  return m_hAccelTable != NULL;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  if (!OnCreateClient(lpcs, pContext)) return -1;
  PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext != NULL && pContext->m_pNewViewClass != NULL) {
    if (CreateView(pContext, AFX_IDW_PANE_FIRST) == NULL) return FALSE;
  }
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  CWnd* pView = AfxCreateView(this, pContext, nID);
  if (pView == NULL) return NULL;
  if (pView->GetExStyle() & WS_EX_CLIENTEDGE) ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  return pView;
}

CDocument* CFrameWnd::GetActiveDocument() {
  CView* pView = GetActiveView();
  return pView != NULL ? pView->GetDocument() : NULL;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* pViewOld = m_pViewActive;
  if (pViewNew == pViewOld) return;
  m_pViewActive = NULL;  // no view is active while the old one deactivates
  if (pViewOld != NULL && bNotify) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
  m_pViewActive = pViewNew;
  if (pViewNew != NULL && bNotify) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

void CFrameWnd::RecalcLayout(BOOL bNotify) {
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, NULL, NULL, TRUE);
  (void)bNotify;
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) {
    if (!IsWindowVisible())
      nCmdShow = SW_SHOWNORMAL;
    else if (IsIconic())
      nCmdShow = SW_RESTORE;
  }
  if (nCmdShow != -1) {
    ShowWindow(nCmdShow);
    BringWindowToTop();
  }
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  // The first view of the pane id becomes active when none is.
  CView* pView = NULL;
  if (GetActiveView() == NULL) {
    HWND hWndPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    CWnd* pWnd = FromHandlePermanent(hWndPane);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
      pView = static_cast<CView*>(pWnd);
      SetActiveView(pView, FALSE);
    }
  }
  if (bMakeVisible) {
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (pView != NULL) pView->OnActivateView(TRUE, pView, pView);
    int nCmdShow = -1;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this) {
      nCmdShow = pApp->m_nCmdShow;
      pApp->m_nCmdShow = -1;  // the program's show state is used once
    }
    ActivateFrame(nCmdShow);
    if (pView != NULL) pView->OnActivateView(TRUE, pView, pView);
  }
  if (pDoc != NULL) pDoc->UpdateAllViews(NULL);
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if ((GetStyle() & FWS_ADDTOTITLE) == 0) return;
  CDocument* pDoc = GetActiveDocument();
  if (bAddToTitle && pDoc != NULL)
    UpdateFrameTitleForDocument(pDoc->GetTitle());
  else
    UpdateFrameTitleForDocument(NULL);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName) {
  CString strText;
  if (lpszDocName != NULL && *lpszDocName != 0) {
    if (GetStyle() & FWS_PREFIXTITLE) {
      strText = lpszDocName;
      if (m_nWindow > 0) {
        CString strNum;
        strNum.Format(L":%d", m_nWindow);
        strText += strNum;
      }
      strText += L" - ";
      strText += m_strTitle;
    } else {
      strText = m_strTitle;
      strText += L" - ";
      strText += lpszDocName;
    }
  } else {
    strText = m_strTitle;
  }
  CString strOld;
  GetWindowText(strOld);
  if (lstrcmpW(strOld, strText) != 0) SetWindowText(strText);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  if (hMenuAlt == NULL) hMenuAlt = m_hMenuDefault;
  if (hMenuAlt != NULL && ::GetMenu(m_hWnd) != hMenuAlt) ::SetMenu(m_hWnd, hMenuAlt);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
  HWND hWndBar = ::GetDlgItem(m_hWnd, (int)nID);
  CWnd* pWnd = FromHandlePermanent(hWndBar);
  return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) ? static_cast<CControlBar*>(pWnd) : NULL;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (pBar == NULL || pBar->m_hWnd == NULL) return;
  pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
  if (bDelay)
    DelayRecalcLayout();
  else
    RecalcLayout();
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

void CFrameWnd::SetMessageText(LPCTSTR lpszText) {
  CWnd* pMessageBar = GetMessageBar();
  if (pMessageBar != NULL) {
    pMessageBar->SetWindowText(lpszText);
    pMessageBar->UpdateWindow();
  }
}

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID); }

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  rMessage.Empty();
  WCHAR szText[512];
  if (::LoadStringW(AfxGetResourceHandle(), nID, szText, 512) > 0) {
    // The prompt is the part before the tooltip ("prompt\ntip").
    LPWSTR pEnd = wcschr(szText, L'\n');
    if (pEnd != NULL) *pEnd = 0;
    rMessage = szText;
  }
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  CWnd* pMessageBar = GetMessageBar();
  if (pMessageBar == NULL) return 0;
  CString strMessage;
  LPCTSTR lpsz = NULL;
  if (lParam != 0) {
    lpsz = (LPCTSTR)lParam;
  } else if (wParam != 0) {
    GetMessageString((UINT)wParam, strMessage);
    if (strMessage.IsEmpty() && wParam == AFX_IDS_IDLEMESSAGE) strMessage = L"Ready";
    lpsz = strMessage;
  }
  pMessageBar->SetWindowText(lpsz != NULL ? lpsz : L"");
  return 0;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != NULL &&
      ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg))
    return TRUE;
  return CWnd::PreTranslateMessage(pMsg);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  CFrameWnd* pOldFrame = pState->m_pRoutingFrame;
  pState->m_pRoutingFrame = this;
  BOOL bHandled = FALSE;
  // The active view first (it passes on to its document and template), then the frame, then
  // the application.
  CView* pView = GetActiveView();
  if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    bHandled = TRUE;
  else if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    bHandled = TRUE;
  else {
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) bHandled = TRUE;
  }
  pState->m_pRoutingFrame = pOldFrame;
  return bHandled;
}

BOOL CFrameWnd::DestroyWindow() { return CWnd::DestroyWindow(); }

void CFrameWnd::PostNcDestroy() { delete this; }

void CFrameWnd::OnDestroy() {
  if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) != m_hMenuDefault) {
    // The menu shown now belongs to someone else: put the default one back so it is destroyed
    // with the window.
    ::SetMenu(m_hWnd, m_hMenuDefault);
  }
  m_pViewActive = NULL;
  CWnd::OnDestroy();
}

void CFrameWnd::OnClose() {
  CDocument* pDocument = GetActiveDocument();
  if (pDocument != NULL && !pDocument->CanCloseFrame(this)) return;
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL && pApp->m_pMainWnd == this) {
    if (pDocument == NULL && !pApp->SaveAllModified()) return;
    // Closing the main window closes every document (and with them their frames).
    pApp->CloseAllDocuments(FALSE);
    if (pApp->m_pMainWnd == NULL || !::IsWindow(m_hWnd)) return;  // this frame went with them
  }
  if (pDocument != NULL && ::IsWindow(m_hWnd)) pDocument->PreCloseFrame(this);
  DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  if (m_pViewActive != NULL && m_pViewActive->m_hWnd != NULL)
    m_pViewActive->SetFocus();
  else
    CWnd::OnSetFocus(pOldWnd);
}

namespace {

BOOL IsOwnedBy(HWND hWnd, HWND hOwner) {
  for (HWND h = ::GetWindow(hWnd, GW_OWNER); h != NULL; h = ::GetWindow(h, GW_OWNER))
    if (h == hOwner) return TRUE;
  return FALSE;
}

struct FloatNotice {
  HWND hFrame;
  DWORD dwFlags;
};

BOOL CALLBACK NotifyOwnedWindow(HWND hWnd, LPARAM lParam) {
  const FloatNotice* pNotice = reinterpret_cast<const FloatNotice*>(lParam);
  if (hWnd != pNotice->hFrame && IsOwnedBy(hWnd, pNotice->hFrame))
    ::SendMessageW(hWnd, WM_FLOATSTATUS, pNotice->dwFlags, 0);
  return TRUE;
}

}  // namespace

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags) {
  if (m_hWnd == NULL) return;
  FloatNotice notice = {m_hWnd, dwFlags};
  ::EnumThreadWindows(::GetCurrentThreadId(), NotifyOwnedWindow, reinterpret_cast<LPARAM>(&notice));
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CWnd::OnActivate(nState, pWndOther, bMinimized);
  if (!(GetStyle() & WS_CHILD)) {
    BOOL bStayActive = nState != WA_INACTIVE;
    const HWND hOther = pWndOther != NULL ? pWndOther->GetSafeHwnd() : NULL;
    if (!bStayActive && hOther != NULL && IsOwnedBy(hOther, m_hWnd))
      bStayActive = ::SendMessageW(hOther, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
    NotifyFloatingWindows(bStayActive ? FS_ACTIVATE : FS_DEACTIVATE);
  }
  CView* pView = GetActiveView();
  if (pView != NULL) pView->OnActivateFrame(nState, this);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC*) {
  // The active view paints the client area; erasing under it only flickers.
  if (m_pViewActive != NULL) return TRUE;
  return (BOOL)Default();
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  if (m_nIdleFlags & idleLayout) RecalcLayout((m_nIdleFlags & idleNotify) != 0);
  if (m_nIdleFlags & idleTitle) OnUpdateFrameTitle(TRUE);
  if (m_nIdleFlags & idleMenu) OnUpdateFrameMenu(NULL);
  m_nIdleFlags = 0;
  return 0;
}

LRESULT CFrameWnd::OnInitialUpdate(WPARAM, LPARAM) { return 0; }

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu) {
  if (bSysMenu) return;
  HMENU hMenu = AfxGetMenuHandle(pMenu);
  if (hMenu == NULL) hMenu = (HMENU)AfxGetThreadState()->m_lastSentMsg.wParam;
  UpdateMenuItems(hMenu);
}

void CFrameWnd::UpdateMenuItems(HMENU hMenu) { AfxUpdateMenuItems(this, hMenu, m_bAutoMenuEnable); }
