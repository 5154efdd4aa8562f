#include "toolkit/commandbars/PendingPaints.h"

BOOL TKPDispatchPendingPaints()
{
    MSG msg;
    while (::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return FALSE;
        }
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}
