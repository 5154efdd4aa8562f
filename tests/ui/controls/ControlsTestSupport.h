#pragma once
// Shared pieces of the control tests: the application object (its registry profile), a parent
// window for the controls, message pumping and a DIB to paint into.

#include <functional>
#include <vector>

#include "classlib/win/AfxWin.h"
#include "tests/support/StateWait.h"
#include "tests/ui/win/DibCanvas.h"

namespace morvick::test {

class ControlsTestApp : public CWinApp {
 public:
  ControlsTestApp() : CWinApp(L"MorvickControlsTests") {}
};
extern ControlsTestApp theControlsApp;

// The registry company key the tests' profile lives under (HKCU\Software\<key>).
extern const wchar_t kControlsRegistryKey[];

// A visible top-level window to hold the controls under test; it counts its paints and keeps the
// commands its children send.
class TestParent : public CWnd {
 public:
  TestParent(int width = 400, int height = 300);
  ~TestParent() override;
  int paints = 0;
  std::vector<WPARAM> commands;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

void PumpPending();
bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = kStateWaitMs);

}  // namespace morvick::test
