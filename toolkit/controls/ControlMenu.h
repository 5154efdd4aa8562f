// How the themed controls show their context menus: through the command bars' popup, or through a
// function a test puts in its place.
#pragma once

#include "classlib/win/AfxWin.h"

// The signature of TrackMenuWithCommandBars.
typedef UINT (*TKTrackMenuFunction)(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, int nIDToolBar);

// Shows the menu as the command bars' popup (or through the function set below).
UINT TKTrackControlMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, int nIDToolBar);

// Test switch: a function that tracks the menus instead (null: the command bars' popup again).
// Returns the previous one.
TKTrackMenuFunction TKSetTrackMenuFunction(TKTrackMenuFunction pfnTrack);
