// Shared pieces of the window-layer tests: the one application object, message pumping and a
// plain top-level test window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/win/AfxWin.h"
#include "tests/support/StateWait.h"

class CTestApp : public CWinApp {
 public:
  CTestApp() : CWinApp(L"MorvickClasslibTests") {}
  std::vector<std::wstring> m_route;  // names of the handlers a routed command reached

  afx_msg BOOL OnRouteProbe(UINT nID);
  afx_msg void OnAppOnly();
  int m_nAppOnly = 0;

  DECLARE_MESSAGE_MAP()
};

extern CTestApp theTestApp;

// Dispatches whatever is queued for this thread (WM_QUIT is dropped).
void PumpPending();
// Pumps until pred() holds or timeout ms pass; returns pred().
bool PumpUntil(const std::function<bool()>& pred, DWORD timeout = morvick::test::kStateWaitMs);
// Waits for a handle while pumping this thread's messages.
bool WaitPumping(HANDLE h, DWORD timeout = morvick::test::kStateWaitMs);

// The lines MORVICK_TEST_MSGLOG received since ResetMessageLog.
void ResetMessageLog();
std::vector<std::wstring> ReadMessageLog();

// In-memory dialog template made item by item.
class DialogTemplateBuilder {
 public:
  DialogTemplateBuilder(DWORD style, short cx, short cy, LPCWSTR title);
  void AddItem(WORD id, WORD classAtom, DWORD style, short x, short y, short cx, short cy, LPCWSTR text);
  LPCDLGTEMPLATE Get();

 private:
  void Align();
  void Word(WORD w);
  void Dword(DWORD d);
  void Text(LPCWSTR s);
  std::vector<WORD> m_words;
  size_t m_countIndex;
};
