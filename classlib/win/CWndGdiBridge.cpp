// The parts of CWnd that use the drawing and menu wrappers: dispatch of handlers that take CDC,
// CPoint or CMenu, their default handlers, and the device-context, font and menu accessors.
#include "classlib/win/AfxThreadState.h"
#include "classlib/win/CView.h"
#include "classlib/win/CWnd.h"

#include "classlib/win/AfxGdi.h"

namespace {

template <typename T>
T As(AFX_PMSG pfn) {
  return reinterpret_cast<T>(pfn);
}

CPoint PointOf(LPARAM lParam) { return CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)); }

}  // namespace

BOOL AFXAPI AfxDispatchWndMsgGdi(CWnd* pWnd, UINT_PTR nSig, AFX_PMSG pfn, UINT message,
                                 WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  switch (nSig) {
    case AfxSig_vwp:
    case AfxSig_vwp_nc:
      (pWnd->*As<void (CWnd::*)(UINT, CPoint)>(pfn))((UINT)wParam, PointOf(lParam));
      break;
    case AfxSig_bwsp:
      lResult = (pWnd->*As<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
          LOWORD(wParam), (short)HIWORD(wParam), PointOf(lParam));
      break;
    case AfxSig_bD:
      lResult = (pWnd->*As<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle((HDC)wParam));
      break;
    case AfxSig_hDWw: {
      UINT nCtlType = (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
                          ? message - WM_CTLCOLORMSGBOX : CTLCOLOR_STATIC;
      lResult = (LRESULT)(pWnd->*As<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
          CDC::FromHandle((HDC)wParam), CWnd::FromHandle((HWND)lParam), nCtlType);
      break;
    }
    case AfxSig_hDw: {
      // Reflected: the original WM_CTLCOLORxxx is the message the parent is handling.
      UINT nOrig = AfxGetThreadState()->m_lastSentMsg.message;
      UINT nCtlType = (nOrig >= WM_CTLCOLORMSGBOX && nOrig <= WM_CTLCOLORSTATIC)
                          ? nOrig - WM_CTLCOLORMSGBOX : CTLCOLOR_STATIC;
      lResult = (LRESULT)(pWnd->*As<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
          CDC::FromHandle((HDC)wParam), nCtlType);
      break;
    }
    case AfxSig_vWp:
      (pWnd->*As<void (CWnd::*)(CWnd*, CPoint)>(pfn))(CWnd::FromHandle((HWND)wParam),
                                                      PointOf(lParam));
      break;
    case AfxSig_vwwW:
      (pWnd->*As<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
          LOWORD(wParam), HIWORD(wParam),
          reinterpret_cast<CScrollBar*>(lParam != 0 ? CWnd::FromHandle((HWND)lParam) : NULL));
      break;
    case AfxSig_wp:
      lResult = (pWnd->*As<UINT (CWnd::*)(CPoint)>(pfn))(PointOf(lParam));
      break;
    case AfxSig_lp:
      lResult = (pWnd->*As<LRESULT (CWnd::*)(CPoint)>(pfn))(PointOf(lParam));
      break;
    case AfxSig_vMwb:
      (pWnd->*As<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(CMenu::FromHandle((HMENU)wParam),
                                                           LOWORD(lParam), (BOOL)HIWORD(lParam));
      break;
    case AfxSig_lwwM:
      lResult = (pWnd->*As<LRESULT (CWnd::*)(UINT, UINT, CMenu*)>(pfn))(
          LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle((HMENU)lParam));
      break;
    default:
      return FALSE;
  }
  *pResult = lResult;
  return TRUE;
}

void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseHover(UINT, CPoint) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct->CtlType == ODT_MENU) {
    CMenu* pMenu = CMenu::FromHandlePermanent((HMENU)lpDrawItemStruct->hwndItem);
    if (pMenu != NULL) {
      pMenu->DrawItem(lpDrawItemStruct);
      return;
    }
  } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
    return;
  }
  Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct->CtlType == ODT_MENU) {
    // The item's menu is not named by the message: look for the item in the window's own menu,
    // then in the popup being tracked, and let the wrapper of the menu that holds it measure.
    // (A child window's "menu" is its control id.)
    const BOOL bChild = (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD) != 0;
    const HMENU candidates[] = {bChild ? NULL : ::GetMenu(m_hWnd), CMenu::GetTrackedPopup()};
    for (HMENU hMenu : candidates) {
      CMenu* pMenu = CMenu::FindPopupMenuFromID(hMenu, lpMeasureItemStruct->itemID);
      if (pMenu != NULL) {
        pMenu->MeasureItem(lpMeasureItemStruct);
        return;
      }
    }
  } else {
    HWND hWndChild = ::GetDlgItem(m_hWnd, (int)lpMeasureItemStruct->CtlID);
    if (hWndChild != NULL && ReflectLastMsg(hWndChild)) return;
  }
  Default();
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
CDC* CWnd::GetDCEx(HRGN hRgnClip, DWORD flags) {
  return CDC::FromHandle(::GetDCEx(m_hWnd, hRgnClip, flags));
}
int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  ::SendMessageW(m_hWnd, WM_SETFONT, (WPARAM)(pFont != NULL ? (HFONT)pFont->GetSafeHandle() : NULL),
                 bRedraw);
}

CFont* CWnd::GetFont() const {
  HFONT hFont = (HFONT)::SendMessageW(m_hWnd, WM_GETFONT, 0, 0);
  return hFont != NULL ? CFont::FromHandle(hFont) : NULL;
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu != NULL ? pMenu->GetSafeHmenu() : NULL); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const {
  return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

HMENU AFXAPI AfxGetMenuHandle(CMenu* pMenu) { return pMenu != NULL ? pMenu->GetSafeHmenu() : NULL; }
CMenu* AFXAPI AfxMenuFromHandle(HMENU hMenu) { return CMenu::FromHandle(hMenu); }

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  // The top-most visible child under the point.
  HWND hWndChild = NULL;
  for (HWND h = ::GetTopWindow(m_hWnd); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (!(::GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE)) continue;
    RECT rc;
    ::GetWindowRect(h, &rc);
    ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)&rc, 2);
    if (::PtInRect(&rc, point)) {
      hWndChild = h;
      break;
    }
  }
  if (hWndChild == NULL) return -1;
  INT_PTR nHit = ::GetDlgCtrlID(hWndChild);
  if (pTI != NULL && pTI->cbSize >= sizeof(TTTOOLINFOW) - sizeof(void*)) {
    pTI->hwnd = m_hWnd;
    pTI->uId = (UINT_PTR)hWndChild;
    pTI->uFlags |= TTF_IDISHWND;
    pTI->lpszText = LPSTR_TEXTCALLBACKW;
  }
  return nHit;
}
