#include "toolkit/commandbars/CaptureLoopPaints.h"

BOOL TKPDispatchPendingPaints(MSG* pQuit)
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            *pQuit = msg;
            return TRUE;
        }
        ::DispatchMessageW(&msg);
    }
    return FALSE;
}
