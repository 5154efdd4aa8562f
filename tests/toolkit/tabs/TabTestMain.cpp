// The tab tests run with an application object, so that windows and message loops behave as in
// the program.
#include <gtest/gtest.h>

#include <cstdio>

#include "TabTestSupport.h"

namespace {

class TabTestApp : public CWinApp {
public:
    TabTestApp() : CWinApp(L"MorvickTabTests") {}
};
TabTestApp theApp;

}  // namespace

namespace tabtest {

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

bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        PumpPending();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

std::vector<CString> ManyCaptions(int n)
{
    std::vector<CString> captions;
    for (int i = 0; i < n; ++i) {
        CString s;
        s.Format(L"Folder %d", i);
        captions.push_back(s);
    }
    return captions;
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

RowFixture::RowFixture(const std::vector<CString>& captions, DWORD dwExStyle, CRect rcScreen)
    : row(new CTabRowWindow(&theme))
{
    row->Create(rcScreen, dwExStyle);
    row->AddTabs(captions);
    row->SetForegroundWindow();
    row->SetActiveWindow();
    row->Layout();
    PumpPending();
    row->ClearLog();
}

RowFixture::~RowFixture()
{
    if (GetCapture() == row->GetSafeHwnd())
        ReleaseCapture();
    row.reset();
    PumpPending();
}

CPoint RowFixture::Centre(int i)
{
    return Tab(i)->GetRect().CenterPoint();
}

CPoint RowFixture::ScreenCentre(int i)
{
    CPoint pt = Centre(i);
    row->ClientToScreen(&pt);
    return pt;
}

}  // namespace tabtest

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    AfxWinInit(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    theApp.InitApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
