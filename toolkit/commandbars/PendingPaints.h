// The first step of each turn of a capture loop: the windows it drags over repaint at once.
#pragma once

#include "classlib/win/AfxWin.h"

// Dispatches the thread's pending WM_PAINT messages. A quit message comes out of the queue whatever
// the filter: it is put back for the application's loop and FALSE returned, so that the capture
// loop ends instead of dispatching it and losing it.
BOOL TKPDispatchPendingPaints();
