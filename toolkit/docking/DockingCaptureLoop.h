// The message loop of a press-and-drag in the docking windows (splitter bars, resize edges, caption
// buttons, pane drags): it runs while a window holds the mouse capture.
#pragma once

#include <windows.h>

#include <functional>

// Takes the thread's messages while hWnd holds the capture and hands each to onMessage, which answers
// FALSE to end the loop (and dispatches what it does not want itself). A quit message is put back for
// the program's own loop and ends this one. With bPaintFirst every pending WM_PAINT is dispatched
// before the next message is taken. TRUE when onMessage ended the loop.
BOOL TKPRunCaptureLoop(HWND hWnd, BOOL bPaintFirst, const std::function<BOOL(MSG&)>& onMessage);

// The loop of a live resize: pending paints first, every mouse move's screen point to onMove
// (FALSE ends the loop), the button's release or Escape end it, everything else is dispatched.
void TKPRunMoveLoop(HWND hWnd, const std::function<BOOL(POINT)>& onMove);
