#include "toolkit/controls/HotTracking.h"

void TKStartHotTracking(CWnd* pWnd, UINT_PTR nIDTimer)
{
    pWnd->SetTimer(nIDTimer, 10, NULL);
    pWnd->SendMessage(WM_TIMER, nIDTimer);
}

BOOL TKHotTrackStep(CWnd* pWnd, UINT_PTR nIDTimer, BOOL bCursorOver, BOOL& bHot)
{
    if (!bCursorOver)
        pWnd->KillTimer(nIDTimer);
    const BOOL bChanged = (bHot != FALSE) != (bCursorOver != FALSE);
    bHot = bCursorOver;
    return bChanged;
}
