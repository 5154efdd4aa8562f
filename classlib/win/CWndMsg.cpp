// CWnd's message dispatch: the map walk, commands and notifications, and the default handlers
// that need no drawing types.
#include "classlib/win/AfxThreadState.h"
#include "classlib/win/CWnd.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_NCDESTROY()
  ON_WM_CTLCOLOR()
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_PARENTNOTIFY()
  { WM_COMPAREITEM, 0, 0, 0, AfxSig_lwl, AFX_MSG_CAST(LRESULT (CWnd::*)(WPARAM, LPARAM), &CWnd::ReflectCompareItem) },
  { WM_DELETEITEM, 0, 0, 0, AfxSig_lwl, AFX_MSG_CAST(LRESULT (CWnd::*)(WPARAM, LPARAM), &CWnd::ReflectDeleteItem) },
END_MESSAGE_MAP()

namespace {

template <typename T>
T As(AFX_PMSG pfn) {
  return reinterpret_cast<T>(pfn);
}

// Finds the map entry for a window message, looking registered messages up by their number.
const AFX_MSGMAP_ENTRY* FindWndMsgEntry(const AFX_MSGMAP* pMap, UINT message) {
  UINT nKey = message;
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) nKey = WM_CTLCOLOR;
  for (; pMap != NULL; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : NULL) {
    if (message < 0xC000) {
      const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, nKey, 0, 0);
      // Thread-message entries share the table but are not window handlers.
      if (lpEntry != NULL && lpEntry->nSig != AfxSig_vwl_thread) return lpEntry;
    } else {
      for (const AFX_MSGMAP_ENTRY* lpEntry = pMap->lpEntries; lpEntry->nSig != AfxSig_end; ++lpEntry) {
        if (lpEntry->nMessage == 0xC000 && lpEntry->nCode == 0 && *(const UINT*)lpEntry->nSig == message)
          return lpEntry;
      }
    }
  }
  return NULL;
}

}  // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;

  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    if (pResult != NULL) *pResult = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR == NULL || pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult))
      return FALSE;
    if (pResult != NULL) *pResult = lResult;
    return TRUE;
  }

  const AFX_MSGMAP_ENTRY* lpEntry = FindWndMsgEntry(GetMessageMap(), message);
  if (lpEntry == NULL) return FALSE;

  // Registered messages all take (WPARAM, LPARAM).
  UINT_PTR nSig = (lpEntry->nMessage == 0xC000) ? (UINT_PTR)AfxSig_lwl : lpEntry->nSig;
  AFX_PMSG pfn = lpEntry->pfn;

  switch (nSig) {
    case AfxSig_vv:
      (this->*As<void (CWnd::*)()>(pfn))();
      break;
    case AfxSig_bv:
      lResult = (this->*As<BOOL (CWnd::*)()>(pfn))();
      break;
    case AfxSig_lwl:
      lResult = (this->*As<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
      break;
    case AfxSig_vwii:
      (this->*As<void (CWnd::*)(UINT, int, int)>(pfn))((UINT)wParam, (short)LOWORD(lParam),
                                                       (short)HIWORD(lParam));
      break;
    case AfxSig_vvii:
      (this->*As<void (CWnd::*)(int, int)>(pfn))((short)LOWORD(lParam), (short)HIWORD(lParam));
      break;
    case AfxSig_is:
      lResult = (this->*As<int (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
      break;
    case AfxSig_bs:
      lResult = (this->*As<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
      break;
    case AfxSig_vw:
      (this->*As<void (CWnd::*)(UINT_PTR)>(pfn))((UINT_PTR)wParam);
      break;
    case AfxSig_vbw:
      (this->*As<void (CWnd::*)(BOOL, UINT)>(pfn))((BOOL)wParam, (UINT)lParam);
      break;
    case AfxSig_vW:
      (this->*As<void (CWnd::*)(CWnd*)>(pfn))(
          CWnd::FromHandle(message == WM_CAPTURECHANGED ? (HWND)lParam : (HWND)wParam));
      break;
    case AfxSig_bWww:
      lResult = (this->*As<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
          CWnd::FromHandle((HWND)wParam), (short)LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_vwww:
      (this->*As<void (CWnd::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam),
                                                         HIWORD(lParam));
      break;
    case AfxSig_vwl:
      (this->*As<void (CWnd::*)(UINT, LPARAM)>(pfn))((UINT)wParam, lParam);
      break;
    case AfxSig_vs:
      (this->*As<void (CWnd::*)(void*)>(pfn))((void*)lParam);
      break;
    case AfxSig_vOWNER:
      (this->*As<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))((int)wParam, (LPDRAWITEMSTRUCT)lParam);
      lResult = TRUE;
      break;
    case AfxSig_vMEASURE:
      (this->*As<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))((int)wParam,
                                                                 (LPMEASUREITEMSTRUCT)lParam);
      lResult = TRUE;
      break;
    case AfxSig_vDRAW_REFLECT:
      (this->*As<void (CWnd::*)(LPDRAWITEMSTRUCT)>(pfn))((LPDRAWITEMSTRUCT)lParam);
      lResult = TRUE;
      break;
    case AfxSig_vMEASURE_REFLECT:
      (this->*As<void (CWnd::*)(LPMEASUREITEMSTRUCT)>(pfn))((LPMEASUREITEMSTRUCT)lParam);
      lResult = TRUE;
      break;
    case AfxSig_vwwx:
      (this->*As<void (CWnd::*)(UINT, UINT)>(pfn))(LOWORD(wParam), HIWORD(wParam));
      break;
    case AfxSig_wv:
      lResult = (this->*As<UINT (CWnd::*)()>(pfn))();
      break;
    case AfxSig_iWww:
      lResult = (this->*As<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
          CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_vwWb:
      (this->*As<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam),
                                                          CWnd::FromHandle((HWND)lParam),
                                                          (BOOL)HIWORD(wParam));
      break;
    case AfxSig_vbh:
      (this->*As<void (CWnd::*)(BOOL, DWORD)>(pfn))((BOOL)wParam, (DWORD)lParam);
      break;
    case AfxSig_bb:
      lResult = (this->*As<BOOL (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
      break;
    case AfxSig_vb:
      (this->*As<void (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
      break;
    case AfxSig_vbs:
      (this->*As<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))((BOOL)wParam,
                                                                 (NCCALCSIZE_PARAMS*)lParam);
      break;
    case AfxSig_vwwh:
      (this->*As<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam),
                                                          (HMENU)lParam);
      break;
    case AfxSig_vh:
      (this->*As<void (CWnd::*)(HDROP)>(pfn))((HDROP)wParam);
      break;
    case AfxSig_vwL:
      (this->*As<void (CWnd::*)(UINT, LPCTSTR)>(pfn))((UINT)wParam, (LPCTSTR)lParam);
      break;
    case AfxSig_vwpR:
      (this->*As<void (CWnd::*)(UINT, LPRECT)>(pfn))((UINT)wParam, (LPRECT)lParam);
      lResult = TRUE;
      break;
    case AfxSig_viS:
      (this->*As<void (CWnd::*)(int, LPSTYLESTRUCT)>(pfn))((int)wParam, (LPSTYLESTRUCT)lParam);
      break;
    case AfxSig_bHELPINFO:
      lResult = (this->*As<BOOL (CWnd::*)(HELPINFO*)>(pfn))((HELPINFO*)lParam);
      break;
    default:
      // Handlers taking drawing, point or menu wrappers.
      if (!AfxDispatchWndMsgGdi(this, nSig, pfn, message, wParam, lParam, &lResult)) return FALSE;
      break;
  }
  if (pResult != NULL) *pResult = lResult;
  return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND hWndCtrl = (HWND)lParam;
  int nCode = HIWORD(wParam);

  if (hWndCtrl == NULL) {
    // Menu or accelerator command: ask the update handlers first; a disabled command is
    // swallowed, so a stale menu or a posted message cannot run it.
    if (nID == 0) return FALSE;
    CTestCmdUI state;
    state.m_nID = nID;
    OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, NULL);
    if (!state.m_bEnabled) return TRUE;
    nCode = CN_COMMAND;
  } else {
    // Control notification: the control itself gets it first.
    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd) return TRUE;
    if (ReflectLastMsg(hWndCtrl)) return TRUE;
    if (nID == 0) return FALSE;
  }
  return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  NMHDR* pNMHDR = (NMHDR*)lParam;
  HWND hWndCtrl = pNMHDR->hwndFrom;
  UINT nID = (UINT)::GetDlgCtrlID(hWndCtrl);
  if (nID == 0) nID = (UINT)pNMHDR->idFrom;
  int nCode = (int)pNMHDR->code;

  if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd) return TRUE;
  if (ReflectLastMsg(hWndCtrl, pResult)) return TRUE;

  AFX_NOTIFY notify;
  notify.pResult = pResult;
  notify.pNMHDR = pNMHDR;
  return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, NULL);
}

// --- Default handlers without drawing types --------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
BOOL CWnd::OnQueryEndSession() { return (BOOL)Default(); }
void CWnd::OnEndSession(BOOL) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return (BOOL)Default(); }
void CWnd::OnEnterSizeMove() { Default(); }
void CWnd::OnExitSizeMove() { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
void CWnd::OnNcMouseLeave() { Default(); }

void CWnd::OnParentNotify(UINT message, LPARAM lParam) {
  if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) &&
      ReflectLastMsg((HWND)lParam))
    return;
  Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct) {
  LRESULT lResult;
  if (lpCompareItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
    return (int)lResult;
  return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct) {
  if (lpDeleteItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDeleteItemStruct->hwndItem)) return;
  Default();
}

LRESULT CWnd::ReflectCompareItem(WPARAM wParam, LPARAM lParam) {
  return OnCompareItem((int)wParam, (LPCOMPAREITEMSTRUCT)lParam);
}

LRESULT CWnd::ReflectDeleteItem(WPARAM wParam, LPARAM lParam) {
  OnDeleteItem((int)wParam, (LPDELETEITEMSTRUCT)lParam);
  return TRUE;
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
  // The control may give its own brush (ON_WM_CTLCOLOR_REFLECT); otherwise the default.
  LRESULT lResult = 0;
  if (pWnd != NULL && pWnd->SendChildNotifyLastMsg(&lResult)) return (HBRUSH)lResult;
  return (HBRUSH)Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
  HWND hWndScroll = (HWND)AfxGetThreadState()->m_lastSentMsg.lParam;
  if (hWndScroll != NULL && ReflectLastMsg(hWndScroll)) return;
  Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {
  HWND hWndScroll = (HWND)AfxGetThreadState()->m_lastSentMsg.lParam;
  if (hWndScroll != NULL && ReflectLastMsg(hWndScroll)) return;
  Default();
}
