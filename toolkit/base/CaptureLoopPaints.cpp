#include "toolkit/base/CaptureLoopPaints.h"

BOOL TKPDispatchPendingPaints(MSG* pQuit, int nMaxPaints)
{
    MSG msg;
    for (int i = 0; i < nMaxPaints && ::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) {
            *pQuit = msg;
            return TRUE;
        }
        ::DispatchMessageW(&msg);
    }
    return FALSE;
}

BOOL TKPGetCaptureLoopMessage(MSG* pMsg)
{
    return TKPDispatchPendingPaints(pMsg) ? FALSE : ::GetMessageW(pMsg, NULL, 0, 0);
}
