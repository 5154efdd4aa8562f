#pragma once
// Message pumping and real input for the Windows tests.

#include "tests/support/StateWait.h"

#include <windows.h>

#include <functional>

namespace morvick::test {

// Handles every message queued now (a WM_QUIT is dropped).
void PumpPending();
// Pumps until `done` answers true or the time is up; false when it timed out.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kStateWaitMs);

// Puts the cursor at a screen point and waits until the display has taken the move and the mouse
// message it makes has been handled. On a busy display that message otherwise comes late, in the
// middle of a later test's capture loop, as a move back to wherever the cursor was last put.
void SettleCursorAt(int x, int y);

// Real input through SendInput, at screen coordinates (hooks see only real input under Wine).
void MouseMoveTo(int x, int y);
void MouseDown(int x, int y);
void MouseUp(int x, int y);
void KeyPress(WORD vk);

// Posts Escape to the window once ms have passed (a timer of the thread; KillTimer(NULL, id) stops
// it): it ends a capture loop that missed what should have ended it, so that a failing test does
// not hang.
UINT_PTR PostEscapeLater(HWND hWnd, UINT ms);

// Runs a modal loop with a quit message of the code already queued and Escape posted to hWnd once
// the wait for a sure state is over (a loop that misses the quit still ends). Answers the code of
// the quit message left in the queue afterwards, which is taken out again, or -1 when the loop lost
// it.
int QuitCodeLeftBy(HWND hWnd, int code, const std::function<void()>& runLoop);

}  // namespace morvick::test
