#include "tests/support/win/InputSupport.h"

namespace morvick::test {

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        PumpPending();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

void SettleCursorAt(int x, int y)
{
    // Already there: whatever the display still sends is a move to this same point.
    POINT now;
    if (GetCursorPos(&now) && now.x == x && now.y == y) {
        PumpPending();
        return;
    }
    SetCursorPos(x, y);
    // The position read back comes from the display itself only once the last move is some time
    // old; until it agrees, and for a little while after, let the queue take what the display sends.
    const DWORD start = GetTickCount();
    DWORD agreedSince = 0;
    for (;;) {
        PumpPending();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        const DWORD now = GetTickCount();
        POINT at;
        const bool agrees = GetCursorPos(&at) && at.x == x && at.y == y && now - start >= 150;
        if (!agrees) {
            agreedSince = 0;
        } else if (agreedSince == 0) {
            agreedSince = now;
        } else if (now - agreedSince >= 30 && GetQueueStatus(QS_INPUT) == 0) {
            break;
        }
        if (now - start > 2000)
            break;
    }
    PumpPending();
}

namespace {

void SendMouse(int x, int y, DWORD flags)
{
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = (x * 65536 + cx / 2) / cx;
    in.mi.dy = (y * 65536 + cy / 2) / cy;
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof(in));
}

}  // namespace

void MouseMoveTo(int x, int y)
{
    SendMouse(x, y, 0);
}
void MouseDown(int x, int y)
{
    SendMouse(x, y, MOUSEEVENTF_LEFTDOWN);
}
void MouseUp(int x, int y)
{
    SendMouse(x, y, MOUSEEVENTF_LEFTUP);
}

void KeyPress(WORD vk)
{
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

namespace {

HWND g_escapeTarget = nullptr;

void CALLBACK PostEscape(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    PostMessageW(g_escapeTarget, WM_KEYDOWN, VK_ESCAPE, 0);
}

}  // namespace

UINT_PTR PostEscapeLater(HWND hWnd, UINT ms)
{
    g_escapeTarget = hWnd;
    return SetTimer(nullptr, 0, ms, PostEscape);
}

int QuitCodeLeftBy(HWND hWnd, int code, const std::function<void()>& runLoop)
{
    const UINT_PTR timer = PostEscapeLater(hWnd, kStateWaitMs);
    PostQuitMessage(code);
    runLoop();
    KillTimer(nullptr, timer);
    MSG msg;
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<int>(msg.wParam) : -1;
}

}  // namespace morvick::test
