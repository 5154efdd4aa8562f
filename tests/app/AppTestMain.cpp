// The wizard's tests run with one plain application object whose profile lives in a test key.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/app/AppTestSupport.h"
#include "tests/support/win/SavedScratchFolder.h"

namespace morvick::test {

AppTestApp theAppTestApp;
const wchar_t kRegistryKey[] = L"Morvick Wizard Tests";

HostWindow::HostWindow(int width, int height)
{
    CreateEx(0, AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1)), L"host",
        WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height, nullptr, nullptr);
    // Shown without being activated: under Wine without a window manager every activation of a new
    // top-level window waits two seconds.
    ShowWindow(SW_SHOWNA);
    PumpPending();
}

HostWindow::~HostWindow()
{
    DestroyWindow();
    PumpPending();
}

}  // namespace morvick::test

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    AfxWinInit(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    morvick::test::theAppTestApp.InitApplication();
    morvick::test::theAppTestApp.SetRegistryKey(morvick::test::kRegistryKey);
    ::testing::InitGoogleTest(&argc, argv);
    int rc = 0;
    {
        // The program's clean-up removes its scratch folder: one found there is put back at the end.
        const morvick::test::SavedScratchFolder scratch;
        rc = RUN_ALL_TESTS();
    }
    std::wstring key = std::wstring(L"Software\\") + morvick::test::kRegistryKey;
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    return rc;
}
