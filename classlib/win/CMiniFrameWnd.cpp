#include "classlib/win/CMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
  ON_WM_NCACTIVATE()
  ON_WM_SYSCOMMAND()
  ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd()
    : m_bSysTracking(FALSE), m_bInSys(FALSE), m_bActive(FALSE), m_dwMiniFrameStyle(0) {}

CMiniFrameWnd::~CMiniFrameWnd() {}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID) {
  m_strCaption = lpWindowName != NULL ? lpWindowName : L"";
  m_strTitle = m_strCaption;
  // A child mini frame carries its id; a popup is owned by pParentWnd.
  HMENU hMenuOrId = (dwStyle & WS_CHILD) ? (HMENU)(UINT_PTR)nID : NULL;
  return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                        hMenuOrId, NULL);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
  m_dwMiniFrameStyle = (DWORD)cs.style & MFS_ALL;
  cs.style &= ~(LONG)MFS_ALL;
  if (m_dwMiniFrameStyle & (MFS_THICKFRAME | MFS_4THICKFRAME)) cs.style |= WS_THICKFRAME;
  if (m_dwMiniFrameStyle & MFS_BLOCKSYSMENU) cs.style &= ~WS_SYSMENU;
  // The small caption of a tool window.
  if (!(cs.style & WS_CHILD)) cs.dwExStyle |= WS_EX_TOOLWINDOW;
  return TRUE;
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive) {
  // A synchronised mini frame keeps the active look while its owner is the active window.
  if ((m_dwMiniFrameStyle & MFS_SYNCACTIVE) && !bActive) {
    HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
    HWND hWndActive = ::GetActiveWindow();
    if (hWndOwner != NULL && (hWndActive == hWndOwner || ::GetWindow(hWndActive, GW_OWNER) == hWndOwner))
      bActive = TRUE;
  }
  m_bActive = bActive;
  return (BOOL)DefWindowProc(WM_NCACTIVATE, (WPARAM)bActive, 0);
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam) {
  // Without a system menu of its own, the keyboard menu goes to the owner.
  if ((m_dwMiniFrameStyle & MFS_BLOCKSYSMENU) && (nID & 0xFFF0) == SC_KEYMENU) {
    HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndOwner != NULL) ::SendMessageW(hWndOwner, WM_SYSCOMMAND, nID, lParam);
    return;
  }
  Default();
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM) {
  if (wParam & FS_SHOW) ShowWindow(SW_SHOWNOACTIVATE);
  if (wParam & FS_HIDE) ShowWindow(SW_HIDE);
  if (wParam & (FS_ACTIVATE | FS_DEACTIVATE)) {
    if (m_dwMiniFrameStyle & MFS_SYNCACTIVE) {
      m_bActive = (wParam & FS_ACTIVATE) != 0;
      DefWindowProc(WM_NCACTIVATE, (WPARAM)m_bActive, 0);
    }
  }
  if (wParam & (FS_ENABLE | FS_DISABLE)) EnableWindow((wParam & FS_ENABLE) != 0);
  return 0;
}
