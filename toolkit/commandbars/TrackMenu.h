// Context menus of the toolkit's themed controls drawn as command-bar popups.
#pragma once

#include "classlib/win/AfxWin.h"

class CMenu;

// Shows pMenu at (x, y) (screen coordinates) as a command-bar popup in the installed command-bar
// theme and tracks it until it closes. The chosen command reaches pWnd as WM_COMMAND unless
// nFlags holds TPM_RETURNCMD, in which case it is returned (0 when nothing was chosen). A positive
// nIDToolBar gives the items the icons of that toolbar resource by command id. Falls back to the
// platform's menu when no command-bar popup can be made.
UINT TrackMenuWithCommandBars(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, int nIDToolBar = 0);
