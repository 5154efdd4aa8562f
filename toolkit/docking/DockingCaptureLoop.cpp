#include "toolkit/docking/DockingCaptureLoop.h"

#include "toolkit/base/CaptureLoopPaints.h"

BOOL TKPRunCaptureLoop(HWND hWnd, BOOL bPaintFirst, const std::function<BOOL(MSG&)>& onMessage)
{
    MSG msg;
    while (::GetCapture() == hWnd) {
        // A quit message among the paints ends the loop as GetMessage's does, instead of being
        // dispatched and lost, which kept the program from ending.
        const BOOL bGot = bPaintFirst ? TKPGetCaptureLoopMessage(&msg) : ::GetMessageW(&msg, NULL, 0, 0);
        if (bGot == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return FALSE;
        }
        if (bGot == -1)
            return FALSE;
        if (!onMessage(msg))
            return TRUE;
    }
    return FALSE;
}

void TKPRunMoveLoop(HWND hWnd, const std::function<BOOL(POINT)>& onMove)
{
    TKPRunCaptureLoop(hWnd, TRUE, [&](MSG& msg) {
        if (msg.message == WM_MOUSEMOVE)
            return onMove(msg.pt);
        if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            return FALSE;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        return TRUE;
    });
}
