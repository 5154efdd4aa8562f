#include "toolkit/controls/ControlMenu.h"

#include "toolkit/commandbars/TrackMenu.h"

namespace {
TKTrackMenuFunction g_pfnTrackMenu = NULL;
}

UINT TKTrackControlMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pWnd, int nIDToolBar)
{
    if (g_pfnTrackMenu)
        return g_pfnTrackMenu(pMenu, nFlags, x, y, pWnd, nIDToolBar);
    return TrackMenuWithCommandBars(pMenu, nFlags, x, y, pWnd, nIDToolBar);
}

TKTrackMenuFunction TKSetTrackMenuFunction(TKTrackMenuFunction pfnTrack)
{
    TKTrackMenuFunction pfnOld = g_pfnTrackMenu;
    g_pfnTrackMenu = pfnTrack;
    return pfnOld;
}
