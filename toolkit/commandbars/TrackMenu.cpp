#include "toolkit/commandbars/TrackMenu.h"

#include "classlib/win/CMenu.h"

UINT TrackMenuWithCommandBars(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, int nIDToolBar)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL)
        return 0;
    return static_cast<UINT>(pMenu->TrackPopupMenu(nFlags, x, y, pWnd, NULL));
}
