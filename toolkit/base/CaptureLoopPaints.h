// The first step of each turn of the toolkit's capture loops: the windows repaint while the mouse is
// held.
#pragma once

#include "classlib/win/AfxWin.h"

#include <climits>

// Dispatches every WM_PAINT message that waits, at most nMaxPaints of them (a window that keeps
// invalidating itself would otherwise hold the caller here). A quit message comes out of the queue
// whatever the filter: it is not dispatched (it would be lost) but handed back in *pQuit, and TRUE is
// returned, so that the loop ends and puts it back for the program's own loop.
BOOL TKPDispatchPendingPaints(MSG* pQuit, int nMaxPaints = INT_MAX);

// The next message of a capture loop after the pending paints, as GetMessage answers: 0 for a quit
// message (whether it came among the paints or after them; *pMsg holds it), -1 when the queue cannot
// be read, else non-zero.
BOOL TKPGetCaptureLoopMessage(MSG* pMsg);
