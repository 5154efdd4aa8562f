// The first step of each turn of the toolkit's capture loops: the windows repaint while the mouse is
// held.
#pragma once

#include "classlib/win/AfxWin.h"

// Dispatches every WM_PAINT message that waits. A quit message comes out of the queue whatever the
// filter: it is not dispatched (it would be lost) but handed back in *pQuit, and TRUE is returned,
// so that the loop ends and puts it back for the program's own loop.
BOOL TKPDispatchPendingPaints(MSG* pQuit);
