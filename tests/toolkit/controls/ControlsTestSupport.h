#pragma once
// Shared pieces of the themed-control tests: the application object (its registry profile lives in
// a test key), a visible parent window that keeps what its children send, message pumping, and
// helpers to place the cursor.

#include <functional>
#include <vector>

#include "classlib/win/AfxWin.h"
#include "tests/support/StateWait.h"
#include "tests/toolkit/base/DibCanvas.h"

namespace tktest {

// The registry company key of the tests' profile (HKCU\Software\<key>\<profile name>).
extern const wchar_t kRegistryKey[];
extern const wchar_t kProfileName[];

// A visible window for the controls under test (a child of one top-level host at the screen's
// top-left corner, so its client coordinates are screen coordinates plus (x, y)); it keeps the commands and notifications
// its children send and the messages its owner-bound children post to it.
class TestParent : public CWnd {
public:
    explicit TestParent(int width = 400, int height = 300, int x = 0, int y = 0);
    ~TestParent() override;

    std::vector<WPARAM> commands;
    std::vector<UINT> notifyCodes;
    std::vector<UINT> messages;  // private messages (WM_USER and above) in arrival order
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

void PumpPending();
bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = morvick::test::kStateWaitMs);
// Places the cursor at a point of the window's client area.
void CursorToClient(HWND hWnd, int x, int y);
// Places the cursor far from every test window.
void CursorAway();

}  // namespace tktest
