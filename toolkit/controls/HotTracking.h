// Hot tracking by timer, shared by the flat combo box, the flat edit and the hyperlink: while the
// cursor is over the control a 10 ms timer runs this step, which stops the timer when it has left.
#pragma once

#include "classlib/win/AfxWin.h"

// Starts the control's timer (10 ms) and runs the first step at once.
void TKStartHotTracking(CWnd* pWnd, UINT_PTR nIDTimer);
// Sets bHot to bCursorOver, killing the timer when the cursor has left; TRUE when bHot changed.
BOOL TKHotTrackStep(CWnd* pWnd, UINT_PTR nIDTimer, BOOL bCursorOver, BOOL& bHot);
