// A top-level window for the control tests: controls are created as its children. It records
// the WM_COMMAND notifications its children send.
#pragma once

#include "classlib/win/AfxWin.h"

#include <vector>

class TestHost : public CWnd {
public:
    TestHost()
    {
        CreateEx(0, AfxRegisterWndClass(0), L"test host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 500, 400,
                 nullptr, nullptr);
    }
    ~TestHost() override { DestroyWindow(); }

    struct Command {
        UINT id;
        UINT code;
    };
    std::vector<Command> commands;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back({LOWORD(wParam), HIWORD(wParam)});
        return CWnd::OnCommand(wParam, lParam);
    }
};

// Delivers the messages waiting for this thread.
inline void PumpMessages()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}
