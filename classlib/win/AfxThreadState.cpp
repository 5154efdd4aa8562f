#include "classlib/win/AfxThreadState.h"
#include "classlib/win/GdiHandleTable.h"

#include "classlib/win/CWnd.h"

AFX_THREAD_STATE::AFX_THREAD_STATE()
    : m_lastSentMsg(),
      m_msgCur(),
      m_pWndInit(NULL),
      m_hHookOldCbtFilter(NULL),
      m_hLockoutNotifyWindow(NULL),
      m_pCurrentWinThread(NULL),
      m_pRoutingView(NULL),
      m_pRoutingFrame(NULL),
      m_ptCursorLast{-1, -1},
      m_nMsgLast(0),
      m_nTempMapLock(0) {}

AFX_THREAD_STATE::~AFX_THREAD_STATE() {
  if (m_hHookOldCbtFilter != NULL) ::UnhookWindowsHookEx(m_hHookOldCbtFilter);
  m_nTempMapLock = 0;
  for (auto& entry : m_tempWndMap) {
    entry.second->m_hWnd = NULL;  // a wrapper never destroys the window it wraps
    delete entry.second;
  }
  m_tempWndMap.clear();
}

namespace {

// The state lives in a fiber-local slot whose callback frees it when the thread ends, whichever
// way the thread was started.
void WINAPI FreeThreadState(void* pState) { delete static_cast<AFX_THREAD_STATE*>(pState); }

DWORD ThreadStateSlot() {
  static DWORD dwSlot = ::FlsAlloc(FreeThreadState);
  return dwSlot;
}

}  // namespace

AFX_THREAD_STATE* AFXAPI AfxGetThreadState() {
  DWORD dwSlot = ThreadStateSlot();
  AFX_THREAD_STATE* pState = static_cast<AFX_THREAD_STATE*>(::FlsGetValue(dwSlot));
  if (pState == NULL) {
    pState = new AFX_THREAD_STATE;
    ::FlsSetValue(dwSlot, pState);
  }
  return pState;
}

void AFXAPI AfxDeleteTempMaps() {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_nTempMapLock > 0) return;
  std::unordered_map<HWND, CWnd*> temps;
  temps.swap(pState->m_tempWndMap);
  for (auto& entry : temps) {
    entry.second->m_hWnd = NULL;
    delete entry.second;
  }
  // The drawing layer's temporaries (DCs, GDI objects, menus, image lists) go at the same time.
  AfxDeleteTempGdiMaps();
}

void AFXAPI AfxLockTempMaps() { ++AfxGetThreadState()->m_nTempMapLock; }

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_nTempMapLock > 0 && --pState->m_nTempMapLock == 0) {
    if (bDeleteTemps) AfxDeleteTempMaps();
    return TRUE;
  }
  return FALSE;
}
