// CWinThread: a thread of the program, either a worker running one function or a user-interface
// thread with its own message loop and idle processing.
#pragma once

#include "classlib/win/CCmdTarget.h"

class CWnd;

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWinThread();
  CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
  virtual ~CWinThread();

  // Starts the thread (suspended when dwCreateFlags has CREATE_SUSPENDED).
  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                    LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);

  CWnd* m_pMainWnd;    // the thread's main window: its end ends the thread's loop
  CWnd* m_pActiveWnd;  // the active main window (in-place activation), may be NULL
  BOOL m_bAutoDelete;  // delete this object when the thread ends
  HANDLE m_hThread;
  operator HANDLE() const {
    const void* p = this;
    __asm__("" : "+r"(p));  // keeps the NULL test (see AfxSafeHandleOf)
    return p == NULL ? NULL : static_cast<const CWinThread*>(p)->m_hThread;
  }
  DWORD m_nThreadID;

  int GetThreadPriority();
  BOOL SetThreadPriority(int nPriority);
  DWORD SuspendThread();
  DWORD ResumeThread();
  BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

  virtual CWnd* GetMainWnd();

  // User-interface threads
  virtual BOOL InitInstance();
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL PumpMessage();
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL IsIdleMessage(MSG* pMsg);
  virtual int ExitInstance();
  virtual void Delete();

  // Thread messages (hwnd NULL) are handled through ON_THREAD_MESSAGE entries.
  BOOL DispatchThreadMessageEx(MSG* pMsg);

  // Worker threads
  LPVOID m_pThreadParams;
  AFX_THREADPROC m_pfnThreadProc;

  // Used by AfxBeginThread for user-interface threads created by run-time class.
  CRuntimeClass* m_pRuntimeClass;

 protected:
  void CommonConstruct();
};

// Starts a worker thread running pfnThreadProc(pParam).
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                  int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                  DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Starts a user-interface thread whose object is made from pThreadClass.
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass,
                                  int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                  DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Ends the calling thread at once (its stack is not unwound); prefer returning from the thread
// function.
void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

// The thread object of the calling thread (the application object on the main thread).
CWinThread* AFXAPI AfxGetThread();
void AFXAPI AfxPostQuitMessage(int nExitCode);
