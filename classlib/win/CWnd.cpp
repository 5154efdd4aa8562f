// CWnd: handle map, attaching and subclassing, creation, destruction and the window procedure.
#include "classlib/win/CWnd.h"

#include "classlib/win/AfxThreadState.h"
#include "classlib/win/CWinApp.h"
#include "classlib/win/CWndHandleMap.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() : m_hWnd(NULL), m_hWndOwner(NULL), m_bToolTipsEnabled(FALSE), m_pfnSuper(NULL) {}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_hWndOwner(NULL), m_bToolTipsEnabled(FALSE), m_pfnSuper(NULL) {}

namespace {

bool IsPlacementHandle(HWND hWnd) {
  return hWnd == HWND_TOP || hWnd == HWND_BOTTOM || hWnd == HWND_TOPMOST || hWnd == HWND_NOTOPMOST;
}

}  // namespace

CWnd::~CWnd() {
  if (m_hWnd == NULL || IsPlacementHandle(m_hWnd)) return;
  if (CWndHandleMap::Lookup(m_hWnd) != this) {
    m_hWnd = NULL;
    return;
  }
  // The object goes before its window: destroy the window when this thread owns it, otherwise
  // give the window back its own procedure so that no message reaches a deleted object.
  HWND hWnd = m_hWnd;
  if (::GetWindowThreadProcessId(hWnd, NULL) == ::GetCurrentThreadId()) ::DestroyWindow(hWnd);
  if (m_hWnd != NULL) {
    if (m_pfnSuper != NULL && (WNDPROC)::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == AfxWndProc)
      ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    Detach();
  }
}

// --- Handle map -----------------------------------------------------------------------------

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) { return CWndHandleMap::Lookup(hWnd); }

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
  if (hWnd == NULL) return NULL;
  CWnd* pWnd = CWndHandleMap::Lookup(hWnd);
  if (pWnd != NULL) return pWnd;
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  auto it = pState->m_tempWndMap.find(hWnd);
  if (it != pState->m_tempWndMap.end()) return it->second;
  CWnd* pTemp = new CWnd;
  pTemp->m_hWnd = hWnd;
  pState->m_tempWndMap.emplace(hWnd, pTemp);
  return pTemp;
}

void PASCAL CWnd::DeleteTempMap() { AfxDeleteTempMaps(); }

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == NULL || m_hWnd != NULL) return FALSE;
  if (!CWndHandleMap::Add(hWndNew, this)) return FALSE;
  m_hWnd = hWndNew;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd != NULL) CWndHandleMap::Remove(hWnd, this);
  m_hWnd = NULL;
  return hWnd;
}

void CWnd::PreSubclassWindow() {}

WNDPROC* CWnd::GetSuperWndProcAddr() { return &m_pfnSuper; }

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!::IsWindow(hWnd) || !Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  WNDPROC* lplpfn = GetSuperWndProcAddr();
  WNDPROC oldWndProc = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
  if (oldWndProc == NULL) {
    Detach();
    return FALSE;
  }
  if (oldWndProc != AfxWndProc) *lplpfn = oldWndProc;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  if (pParent == NULL || pParent->m_hWnd == NULL) return FALSE;
  HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, (int)nID);
  return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
  if (m_hWnd == NULL) return NULL;
  WNDPROC* lplpfn = GetSuperWndProcAddr();
  if (*lplpfn != NULL) {
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*lplpfn);
    *lplpfn = NULL;
  }
  return Detach();
}

// --- Creation -------------------------------------------------------------------------------

namespace {

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (code != HCBT_CREATEWND || pState->m_pWndInit == NULL)
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);

  HWND hWnd = (HWND)wParam;
  // Input-method windows the system makes on the side are not the window being created.
  if (::GetClassLongW(hWnd, GCL_STYLE) & CS_IME)
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
  TCHAR szClass[8];
  if (::GetClassNameW(hWnd, szClass, 8) && lstrcmpiW(szClass, L"ime") == 0)
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);

  CWnd* pWndInit = pState->m_pWndInit;
  pState->m_pWndInit = NULL;
  if (pWndInit->Attach(hWnd)) {
    pWndInit->PreSubclassWindow();
    WNDPROC* ppfnSuper = pWndInit->GetSuperWndProcAddr();
    WNDPROC oldWndProc = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (oldWndProc != AfxWndProc) *ppfnSuper = oldWndProc;
  }
  return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

}  // namespace

void AFXAPI AfxHookWindowCreate(CWnd* pWnd) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_hHookOldCbtFilter == NULL)
    pState->m_hHookOldCbtFilter =
        ::SetWindowsHookExW(WH_CBT, CbtFilterHook, NULL, ::GetCurrentThreadId());
  pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate() {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_hHookOldCbtFilter != NULL) {
    ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
    pState->m_hHookOldCbtFilter = NULL;
  }
  if (pState->m_pWndInit != NULL) {
    pState->m_pWndInit = NULL;
    return FALSE;  // the hook never saw the window: creation failed early
  }
  return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL) {
    if (!AfxEndDeferRegisterClass(_afxWnd)) return FALSE;
    cs.lpszClass = _afxWnd;
  }
  return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
  if (m_hWnd != NULL) return FALSE;  // one object, one window
  CREATESTRUCT cs;
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;

  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                cs.lpCreateParams);
  if (!AfxUnhookWindowCreate()) {
    PostNcDestroy();  // the window never existed; the object is finished with
    return FALSE;
  }
  return hWnd != NULL;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                  (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                  (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

void CWnd::PostNcDestroy() {}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
  DWORD dwExStyle = GetExStyle();
  if (nAdjustType == 0) dwExStyle &= ~WS_EX_CLIENTEDGE;
  ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == NULL) return FALSE;
  HWND hWndOrig = m_hWnd;
  CWnd* pWnd = FromHandlePermanent(hWndOrig);
  BOOL bResult = ::DestroyWindow(hWndOrig);
  // A permanent object may have been deleted by PostNcDestroy; only a wrapper is touched here.
  if (pWnd != this) m_hWnd = NULL;
  return bResult;
}

void CWnd::HandleNcDestroy() {
  CWinThread* pThread = AfxGetThread();
  if (pThread != NULL) {
    if (pThread->m_pMainWnd == this) {
      ::PostQuitMessage(0);
      pThread->m_pMainWnd = NULL;
    }
    if (pThread->m_pActiveWnd == this) pThread->m_pActiveWnd = NULL;
  }
  if (m_pfnSuper != NULL && (WNDPROC)::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == AfxWndProc)
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
  m_pfnSuper = NULL;
  Detach();
  PostNcDestroy();
}

void CWnd::OnNcDestroy() {
  Default();
  HandleNcDestroy();
}

// --- The window procedure -------------------------------------------------------------------

WNDPROC AFXAPI AfxGetAfxWndProc() { return AfxWndProc; }

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == WM_QUERYAFXWNDPROC) return 1;
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == NULL) return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
  return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  MSG oldState = pState->m_lastSentMsg;
  pState->m_lastSentMsg.hwnd = hWnd;
  pState->m_lastSentMsg.message = nMsg;
  pState->m_lastSentMsg.wParam = wParam;
  pState->m_lastSentMsg.lParam = lParam;

  LRESULT lResult = 0;
  // Nothing may unwind through the system's frames: an exception ends here, reported.
  try {
    lResult = pWnd->WindowProc(nMsg, wParam, lParam);
  } catch (CException* e) {
    lResult = (nMsg == WM_CREATE || nMsg == WM_NCCREATE) ? (nMsg == WM_CREATE ? -1 : 0) : 0;
    AfxReportWindowProcException(e);
  } catch (...) {
    lResult = (nMsg == WM_CREATE) ? -1 : 0;
    AfxReportWindowProcException(NULL);
  }
  // A map that handles WM_NCDESTROY without calling the base leaves the object attached; finish
  // the job so that the map never holds a destroyed window.
  if (nMsg == WM_NCDESTROY && CWndHandleMap::Lookup(hWnd) == pWnd) pWnd->HandleNcDestroy();

  pState->m_lastSentMsg = oldState;
  return lResult;
}

const MSG* AFXAPI AfxGetCurrentMessage() { return &AfxGetThreadState()->m_msgCur; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
  return lResult;
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  WNDPROC pfnWndProc = *GetSuperWndProcAddr();
  if (pfnWndProc == NULL) return ::DefWindowProcW(m_hWnd, nMsg, wParam, lParam);
  return ::CallWindowProcW(pfnWndProc, m_hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
  return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    if (hWnd == hWndStop) break;
  }
  return FALSE;
}

// --- Reflection ------------------------------------------------------------------------------

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* pWnd = FromHandlePermanent(hWndChild);
  if (pWnd == NULL) return FALSE;
  return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
  return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(uMsg, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (uMsg >= WM_CTLCOLORMSGBOX && uMsg <= WM_CTLCOLORSTATIC) {
    LRESULT lResult = 0;
    BOOL bResult = OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, wParam, lParam, &lResult);
    if (pResult != NULL) *pResult = lResult;
    return bResult && lResult != 0;  // a control that gives no brush leaves it to the parent
  }
  switch (uMsg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
      return OnWndMsg(WM_REFLECT_BASE + uMsg, wParam, lParam, pResult);

    case WM_COMMAND: {
      int nCode = HIWORD(wParam);
      if (CCmdTarget::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL)) {
        if (pResult != NULL) *pResult = 1;
        return TRUE;
      }
      break;
    }
    case WM_NOTIFY: {
      NMHDR* pNMHDR = (NMHDR*)lParam;
      AFX_NOTIFY notify;
      LRESULT lDummy = 0;
      notify.pResult = pResult != NULL ? pResult : &lDummy;
      notify.pNMHDR = pNMHDR;
      return CCmdTarget::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify,
                                  NULL);
    }
    default:
      break;
  }
  return FALSE;
}

// --- Sending to descendants -----------------------------------------------------------------

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           BOOL bDeep, BOOL bOnlyPerm) {
  for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL;
       hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    if (bOnlyPerm) {
      CWnd* pWnd = FromHandlePermanent(hWndChild);
      if (pWnd != NULL) AfxCallWndProc(pWnd, pWnd->m_hWnd, message, wParam, lParam);
    } else {
      ::SendMessageW(hWndChild, message, wParam, lParam);
    }
    if (bDeep && ::GetTopWindow(hWndChild) != NULL)
      SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
  }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm) {
  SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}
