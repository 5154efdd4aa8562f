// CWnd's layout of control bars (WM_SIZEPARENT), the idle update of dialog controls, and the
// registration of window classes.
#include "classlib/win/AfxThreadState.h"
#include "classlib/win/CWinApp.h"
#include "classlib/win/CWnd.h"

#include <cwchar>
#include <mutex>
#include <set>
#include <string>

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                          LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch) {
  AFX_SIZEPARENTPARAMS layout;
  layout.bStretch = bStretch;
  layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
  if (lpRectClient != NULL)
    layout.rect = *lpRectClient;
  else
    ::GetClientRect(m_hWnd, &layout.rect);

  BOOL bQuery = (nFlags & ~reposNoPosLeftOver) == reposQuery;
  layout.hDWP = bQuery ? NULL : ::BeginDeferWindowPos(8);

  // Each bar takes its part of layout.rect.
  HWND hWndLeftOver = NULL;
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
       hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    UINT nIDC = (UINT)::GetDlgCtrlID(hWndChild);
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (nIDC == nIDLeftOver)
      hWndLeftOver = hWndChild;
    else if (nIDC >= nIDFirst && nIDC <= nIDLast && pWnd != NULL)
      ::SendMessageW(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
  }

  if (bQuery) {
    if (lpRectParam != NULL) {
      if (bStretch) {
        ::CopyRect(lpRectParam, &layout.rect);
      } else {
        lpRectParam->left = lpRectParam->top = 0;
        lpRectParam->right = layout.sizeTotal.cx;
        lpRectParam->bottom = layout.sizeTotal.cy;
      }
    }
    return;
  }

  // The rest goes to the pane, optionally shrunk by the margins in lpRectParam.
  if (nIDLeftOver != 0 && hWndLeftOver != NULL) {
    if ((nFlags & ~reposNoPosLeftOver) == reposExtra && lpRectParam != NULL) {
      layout.rect.left += lpRectParam->left;
      layout.rect.top += lpRectParam->top;
      layout.rect.right -= lpRectParam->right;
      layout.rect.bottom -= lpRectParam->bottom;
    }
    if (!(nFlags & reposNoPosLeftOver)) {
      RECT rc = layout.rect;
      CWnd* pLeftOver = FromHandle(hWndLeftOver);
      pLeftOver->CalcWindowRect(&rc);
      if (layout.hDWP != NULL)
        layout.hDWP = ::DeferWindowPos(layout.hDWP, hWndLeftOver, NULL, rc.left, rc.top,
                                       rc.right - rc.left, rc.bottom - rc.top,
                                       SWP_NOACTIVATE | SWP_NOZORDER);
    }
  }
  if (layout.hDWP != NULL) ::EndDeferWindowPos(layout.hDWP);
  if (lpRectParam != NULL && (nFlags & ~reposNoPosLeftOver) != reposExtra)
    ::CopyRect(lpRectParam, &layout.rect);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CCmdUI state;
  CWnd wndTemp;  // wraps each child that has no object, only for the update
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
       hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    state.m_nID = (UINT)(WORD)::GetDlgCtrlID(hWndChild);
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (pWnd != NULL) {
      // A control with an object may update itself (reflected CN_UPDATE_COMMAND_UI).
      if (pWnd->OnCmdMsg(0, MAKELONG((WORD)CN_UPDATE_COMMAND_UI, WM_COMMAND + WM_REFLECT_BASE), &state, NULL))
        continue;
      state.m_pOther = pWnd;
    } else {
      wndTemp.m_hWnd = hWndChild;
      state.m_pOther = &wndTemp;
    }
    // Push buttons without a handler are disabled; other controls and automatic check boxes
    // and radio buttons are left alone.
    BOOL bAutoDisable = bDisableIfNoHndler;
    if (bAutoDisable) {
      UINT nCode = (UINT)::SendMessageW(hWndChild, WM_GETDLGCODE, 0, 0);
      if (nCode & DLGC_BUTTON) {
        DWORD dwStyle = (DWORD)::GetWindowLongW(hWndChild, GWL_STYLE) & 0x0F;
        if (dwStyle == BS_AUTOCHECKBOX || dwStyle == BS_AUTO3STATE || dwStyle == BS_GROUPBOX ||
            dwStyle == BS_AUTORADIOBUTTON)
          bAutoDisable = FALSE;
      } else {
        bAutoDisable = FALSE;  // only buttons are disabled for lack of a handler
      }
    }
    state.DoUpdate(pTarget, bAutoDisable);
  }
  wndTemp.m_hWnd = NULL;
}

// --- Window classes ---------------------------------------------------------------------------

const TCHAR _afxWnd[] = L"MorvickWnd";
const TCHAR _afxWndFrameOrView[] = L"MorvickFrameOrView";

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass) {
  WNDCLASSW wndcls;
  if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls)) return TRUE;
  return ::RegisterClassW(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  // Names are kept for the life of the process: windows refer to them.
  static std::mutex lock;
  static std::set<std::wstring>* pNames = new std::set<std::wstring>;
  WCHAR szName[96];
  if (hCursor == NULL && hbrBackground == NULL && hIcon == NULL)
    swprintf(szName, 96, L"Afx:%p:%x", (void*)AfxGetInstanceHandle(), nClassStyle);
  else
    swprintf(szName, 96, L"Afx:%p:%x:%p:%p:%p", (void*)AfxGetInstanceHandle(), nClassStyle,
             (void*)hCursor, (void*)hbrBackground, (void*)hIcon);

  std::lock_guard<std::mutex> guard(lock);
  LPCTSTR lpszName = pNames->insert(szName).first->c_str();
  WNDCLASSW wc = {};
  if (::GetClassInfoW(AfxGetInstanceHandle(), lpszName, &wc)) return lpszName;
  wc.style = nClassStyle;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = AfxGetInstanceHandle();
  wc.hIcon = hIcon;
  wc.hCursor = hCursor;
  wc.hbrBackground = hbrBackground;
  wc.lpszClassName = lpszName;
  if (!::RegisterClassW(&wc)) return NULL;
  return lpszName;
}

// The layer's own classes: registered on first use.
BOOL AFXAPI AfxEndDeferRegisterClass(LPCTSTR lpszClassName) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = AfxGetInstanceHandle();
  wc.hCursor = ::LoadCursorW(NULL, IDC_ARROW);
  if (lstrcmpW(lpszClassName, _afxWnd) == 0) {
    wc.style = CS_DBLCLKS;
  } else if (lstrcmpW(lpszClassName, _afxWndFrameOrView) == 0) {
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.hIcon = ::LoadIconW(NULL, IDI_APPLICATION);
  } else {
    return FALSE;
  }
  wc.lpszClassName = lpszClassName;
  return AfxRegisterClass(&wc);
}
