#include "classlib/win/CWinThread.h"

#include <process.h>

#include "classlib/win/AfxThreadState.h"
#include "classlib/win/CWinApp.h"
#include "classlib/win/CWnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

void CWinThread::CommonConstruct() {
  m_pMainWnd = NULL;
  m_pActiveWnd = NULL;
  m_bAutoDelete = TRUE;
  m_hThread = NULL;
  m_nThreadID = 0;
  m_pRuntimeClass = NULL;
}

CWinThread::CWinThread() : m_pThreadParams(NULL), m_pfnThreadProc(NULL) { CommonConstruct(); }

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pThreadParams(pParam), m_pfnThreadProc(pfnThreadProc) {
  CommonConstruct();
}

CWinThread::~CWinThread() {
  if (m_hThread != NULL) ::CloseHandle(m_hThread);
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_pCurrentWinThread == this) pState->m_pCurrentWinThread = NULL;
}

namespace {

// Runs in the new thread: InitInstance/Run for interface threads, the function for workers.
unsigned __stdcall ThreadEntry(void* pParam) {
  CWinThread* pThread = static_cast<CWinThread*>(pParam);
  AfxGetThreadState()->m_pCurrentWinThread = pThread;
  UINT nResult = 0;
  try {
    if (pThread->m_pfnThreadProc != NULL) {
      nResult = (*pThread->m_pfnThreadProc)(pThread->m_pThreadParams);
    } else if (!pThread->InitInstance()) {
      nResult = (UINT)pThread->ExitInstance();
    } else {
      nResult = (UINT)pThread->Run();
    }
  } catch (CException* e) {
    AfxReportWindowProcException(e);
    nResult = (UINT)-1;
  } catch (...) {
    AfxReportWindowProcException(NULL);
    nResult = (UINT)-1;
  }
  AfxEndThread(nResult, TRUE);
  return nResult;  // not reached
}

}  // namespace

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  if (m_hThread != NULL) return FALSE;
  unsigned nThreadID = 0;
  // Always created suspended so that m_hThread and m_nThreadID are set before it runs.
  uintptr_t h = _beginthreadex(lpSecurityAttrs, nStackSize, ThreadEntry, this,
                               (dwCreateFlags | CREATE_SUSPENDED), &nThreadID);
  if (h == 0) return FALSE;
  m_hThread = (HANDLE)h;
  m_nThreadID = nThreadID;
  if (!(dwCreateFlags & CREATE_SUSPENDED)) ::ResumeThread(m_hThread);
  return TRUE;
}

int CWinThread::GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
BOOL CWinThread::SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
DWORD CWinThread::SuspendThread() { return ::SuspendThread(m_hThread); }
DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }
BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
}

CWnd* CWinThread::GetMainWnd() {
  if (m_pActiveWnd != NULL) return m_pActiveWnd;
  return m_pMainWnd;
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() {
  int nResult = (int)AfxGetThreadState()->m_msgCur.wParam;
  return nResult;
}

void CWinThread::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  // Mouse moves to the same place and the caret's blink must not restart idle processing.
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    if (pState->m_ptCursorLast.x == pMsg->pt.x && pState->m_ptCursorLast.y == pMsg->pt.y &&
        pMsg->message == pState->m_nMsgLast)
      return FALSE;
    pState->m_ptCursorLast = pMsg->pt;
    pState->m_nMsgLast = pMsg->message;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118;  // 0x0118: the caret timer
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    // Let the main window and its bars update their commands.
    CWnd* pMainWnd = m_pMainWnd;
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMainWnd->IsWindowVisible()) {
      AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
      pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
    }
  } else {
    AfxDeleteTempMaps();
  }
  return lCount < 0;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg) {
  for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
       pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : NULL) {
    for (const AFX_MSGMAP_ENTRY* lpEntry = pMap->lpEntries; lpEntry->nSig != AfxSig_end; ++lpEntry) {
      BOOL bMatch = FALSE;
      if (pMsg->message < 0xC000)
        bMatch = lpEntry->nMessage == pMsg->message && lpEntry->nSig == AfxSig_vwl_thread;
      else
        bMatch = lpEntry->nMessage == 0xC000 && lpEntry->nCode == 1 &&
                 *(const UINT*)lpEntry->nSig == pMsg->message;
      if (bMatch) {
        (this->*reinterpret_cast<void (CCmdTarget::*)(WPARAM, LPARAM)>(lpEntry->pfn))(pMsg->wParam,
                                                                                      pMsg->lParam);
        return TRUE;
      }
    }
  }
  return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == NULL && DispatchThreadMessageEx(pMsg)) return TRUE;
  CWnd* pMainWnd = AfxGetMainWnd();
  if (CWnd::WalkPreTranslateTree(pMainWnd->GetSafeHwnd(), pMsg)) return TRUE;
  // A modeless window outside the main window's tree still gets the main window's accelerators.
  if (pMainWnd != NULL && pMsg->hwnd != NULL) {
    CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
    if (pWnd->GetTopLevelParent() != pMainWnd) return pMainWnd->PreTranslateMessage(pMsg);
  }
  return FALSE;
}

BOOL CWinThread::PumpMessage() {
  MSG& msg = AfxGetThreadState()->m_msgCur;
  BOOL bRet = ::GetMessageW(&msg, NULL, 0, 0);
  if (bRet == 0 || bRet == -1) return FALSE;  // WM_QUIT, or the queue is gone
  if (msg.message != WM_KICKIDLE && !PreTranslateMessage(&msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return TRUE;
}

int CWinThread::Run() {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  for (;;) {
    while (bIdle && !::PeekMessageW(&pState->m_msgCur, NULL, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&pState->m_msgCur)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessageW(&pState->m_msgCur, NULL, 0, 0, PM_NOREMOVE));
  }
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                                  UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  if (pfnThreadProc == NULL) return NULL;
  CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
  if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    pThread->Delete();
    return NULL;
  }
  pThread->SetThreadPriority(nPriority);
  if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
  return pThread;
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  if (pThreadClass == NULL || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread))) return NULL;
  CWinThread* pThread = static_cast<CWinThread*>(pThreadClass->CreateObject());
  if (pThread == NULL) return NULL;
  pThread->m_pRuntimeClass = pThreadClass;
  if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    pThread->Delete();
    return NULL;
  }
  pThread->SetThreadPriority(nPriority);
  if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
  return pThread;
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  CWinThread* pThread = pState->m_pCurrentWinThread;
  if (pThread != NULL && pThread != AfxGetApp()) {
    pState->m_pCurrentWinThread = NULL;
    if (bDelete) pThread->Delete();
  }
  AfxDeleteTempMaps();
  _endthreadex(nExitCode);
}

CWinThread* AFXAPI AfxGetThread() { return AfxGetThreadState()->m_pCurrentWinThread; }

void AFXAPI AfxPostQuitMessage(int nExitCode) { ::PostQuitMessage(nExitCode); }
