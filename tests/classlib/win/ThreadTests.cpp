// Threads: the handle map seen from a worker, messages sent from a worker, worker and interface
// threads started by AfxBeginThread.
#include <gtest/gtest.h>

#include "tests/classlib/win/TestSupport.h"

namespace {

const UINT WM_FROM_WORKER = WM_APP + 20;

class CTargetWnd : public CWnd {
 public:
  DWORD m_dwHandlerThread = 0;
  afx_msg LRESULT OnFromWorker(WPARAM wParam, LPARAM lParam) {
    m_dwHandlerThread = ::GetCurrentThreadId();
    return (LRESULT)(wParam * lParam);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTargetWnd, CWnd)
  ON_MESSAGE(WM_FROM_WORKER, OnFromWorker)
END_MESSAGE_MAP()

struct WorkerData {
  HWND hWnd = NULL;
  HWND hUnknown = NULL;
  CWnd* pFound = NULL;
  CWnd* pFoundPermanent = NULL;
  bool bTempWrapsUnknown = false;
  LRESULT lSent = 0;
  CString strText;
};

UINT AFX_CDECL WorkerProc(LPVOID pParam) {
  WorkerData* pData = static_cast<WorkerData*>(pParam);
  pData->pFound = CWnd::FromHandle(pData->hWnd);
  pData->pFoundPermanent = CWnd::FromHandlePermanent(pData->hWnd);
  CWnd* pTemp = CWnd::FromHandle(pData->hUnknown);  // freed when this thread ends
  pData->bTempWrapsUnknown = pTemp != NULL && pTemp->m_hWnd == pData->hUnknown;
  pData->lSent = pData->pFound->SendMessage(WM_FROM_WORKER, 6, 7);
  pData->pFound->SetWindowText(L"set by worker");
  pData->pFound->GetWindowText(pData->strText);
  return 1234;
}

TEST(ThreadTest, AWorkerFindsThePermanentObjectAndReachesItsMap) {
  CTargetWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, NULL, L"target", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  HWND hUnknown = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
  WorkerData data;
  data.hWnd = wnd.m_hWnd;
  data.hUnknown = hUnknown;

  CWinThread* pThread = AfxBeginThread(WorkerProc, &data, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(pThread, (CWinThread*)NULL);
  pThread->m_bAutoDelete = FALSE;
  pThread->ResumeThread();
  ASSERT_TRUE(WaitPumping(pThread->m_hThread));
  DWORD dwExit = 0;
  ::GetExitCodeThread(pThread->m_hThread, &dwExit);
  delete pThread;

  EXPECT_EQ(dwExit, 1234u);
  EXPECT_EQ(data.pFound, &wnd);
  EXPECT_EQ(data.pFoundPermanent, &wnd);
  EXPECT_TRUE(data.bTempWrapsUnknown);
  EXPECT_EQ(data.lSent, 42);
  EXPECT_EQ(wnd.m_dwHandlerThread, ::GetCurrentThreadId());  // handled on the window's thread
  EXPECT_STREQ((LPCTSTR)data.strText, L"set by worker");
  EXPECT_TRUE(::IsWindow(hUnknown));  // the worker's wrapper went without the window
  ::DestroyWindow(hUnknown);
  wnd.DestroyWindow();
}

UINT AFX_CDECL EndingWorker(LPVOID) {
  AfxEndThread(77);
  return 0;
}

TEST(ThreadTest, AfxEndThreadEndsTheWorkerWithItsCode) {
  CWinThread* pThread = AfxBeginThread(EndingWorker, NULL, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(pThread, (CWinThread*)NULL);
  pThread->m_bAutoDelete = FALSE;
  HANDLE hThread = NULL;
  ::DuplicateHandle(::GetCurrentProcess(), pThread->m_hThread, ::GetCurrentProcess(), &hThread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
  pThread->ResumeThread();
  ASSERT_TRUE(WaitPumping(hThread));
  DWORD dwExit = 0;
  ::GetExitCodeThread(hThread, &dwExit);
  ::CloseHandle(hThread);
  delete pThread;
  EXPECT_EQ(dwExit, 77u);
}

const UINT WM_THREAD_PING = WM_APP + 21;
LONG g_nPings = 0;

// An interface thread: its own loop, a thread message handled through its map.
class CPingThread : public CWinThread {
  DECLARE_DYNCREATE(CPingThread)
 public:
  BOOL InitInstance() override {
    PostThreadMessage(WM_THREAD_PING, 5, 0);
    return TRUE;
  }
  afx_msg void OnPing(WPARAM wParam, LPARAM) {
    InterlockedIncrement(&g_nPings);
    ::PostQuitMessage((int)wParam);
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CPingThread, CWinThread)
BEGIN_MESSAGE_MAP(CPingThread, CWinThread)
  ON_THREAD_MESSAGE(WM_THREAD_PING, OnPing)
END_MESSAGE_MAP()

TEST(ThreadTest, AnInterfaceThreadRunsItsLoopAndHandlesThreadMessages) {
  g_nPings = 0;
  CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CPingThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(pThread, (CWinThread*)NULL);
  EXPECT_TRUE(pThread->IsKindOf(RUNTIME_CLASS(CPingThread)));
  pThread->m_bAutoDelete = FALSE;
  pThread->ResumeThread();
  ASSERT_TRUE(WaitPumping(pThread->m_hThread));
  DWORD dwExit = 0;
  ::GetExitCodeThread(pThread->m_hThread, &dwExit);
  delete pThread;
  EXPECT_EQ(g_nPings, 1);
  EXPECT_EQ(dwExit, 5u);  // the quit code is the thread's exit code
}

TEST(ThreadTest, BeginThreadRefusesWhatIsNotAThread) {
  EXPECT_EQ(AfxBeginThread((AFX_THREADPROC)NULL, NULL), (CWinThread*)NULL);
  EXPECT_EQ(AfxBeginThread(RUNTIME_CLASS(CWnd)), (CWinThread*)NULL);
}

}  // namespace
