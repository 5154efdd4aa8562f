// The themed-control tests run with one application object whose profile lives in a test key.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/toolkit/controls/ControlsTestSupport.h"

namespace tktest {

const wchar_t kRegistryKey[] = L"Morvick Toolkit Controls Tests";
const wchar_t kProfileName[] = L"ControlsTests";

class ControlsTestApp : public CWinApp {
public:
    ControlsTestApp() : CWinApp(kProfileName) {}
};
ControlsTestApp theApp;

namespace {
// Hiding a top-level window costs Wine two seconds without a window manager, so every test parent
// is a child of one visible host that lives as long as the program.
HWND Host()
{
    static HWND s_hWnd = nullptr;
    if (s_hWnd == nullptr) {
        s_hWnd =
            CreateWindowExW(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                L"controls host", WS_POPUP | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 1024, 768, nullptr, nullptr,
                GetModuleHandleW(nullptr), nullptr);
    }
    return s_hWnd;
}
}  // namespace

TestParent::TestParent(int width, int height, int x, int y)
{
    CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)), L"controls",
        WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, x, y, width, height, Host(), nullptr);
    PumpPending();
}

TestParent::~TestParent()
{
    DestroyWindow();
    PumpPending();
}

LRESULT TestParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        commands.push_back(wParam);
    if (message == WM_NOTIFY)
        notifyCodes.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
    if (message >= WM_USER && message < 0xC000)
        messages.push_back(message);
    return CWnd::WindowProc(message, wParam, lParam);
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        if (!AfxGetThread() || !AfxGetThread()->PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
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

void CursorToClient(HWND hWnd, int x, int y)
{
    POINT pt = {x, y};
    ClientToScreen(hWnd, &pt);
    SetCursorPos(pt.x, pt.y);
}

void CursorAway()
{
    SetCursorPos(1200, 1000);
}

}  // namespace tktest

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    AfxWinInit(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    tktest::theApp.InitApplication();
    tktest::theApp.SetRegistryKey(tktest::kRegistryKey);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    std::wstring key = std::wstring(L"Software\\") + tktest::kRegistryKey;
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    return rc;
}
