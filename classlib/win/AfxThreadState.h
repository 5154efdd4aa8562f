// The per-thread state of the window layer: the message being handled, the window being created,
// the thread object, the temporary window wrappers and the routing context.
#pragma once

#include "classlib/win/AfxWinDefs.h"

#include <unordered_map>

class CWnd;
class CWinThread;
class CView;
class CFrameWnd;

struct AFX_THREAD_STATE {
  AFX_THREAD_STATE();
  ~AFX_THREAD_STATE();

  MSG m_lastSentMsg;           // the message the window procedure is handling now
  MSG m_msgCur;                // the message the thread's loop took last
  CWnd* m_pWndInit;            // the object to attach to the next window created
  HHOOK m_hHookOldCbtFilter;   // the creation hook while it is installed
  HWND m_hLockoutNotifyWindow; // a window whose notifications are ignored (during UpdateData)
  CWinThread* m_pCurrentWinThread;
  CView* m_pRoutingView;       // view that is routing a command now
  CFrameWnd* m_pRoutingFrame;  // frame that is routing a command now
  POINT m_ptCursorLast;        // last mouse position seen by the idle test
  UINT m_nMsgLast;
  int m_nTempMapLock;          // temporaries are not freed while this is above 0

  // Temporary wrappers made by CWnd::FromHandle for windows without an object, owned here.
  std::unordered_map<HWND, CWnd*> m_tempWndMap;
};

AFX_THREAD_STATE* AFXAPI AfxGetThreadState();

// Frees the calling thread's temporary wrappers unless they are locked.
void AFXAPI AfxDeleteTempMaps();
void AFXAPI AfxLockTempMaps();
BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);
