// The program's own application object, started as Morvick.exe starts it, before the tests run;
// its message boxes are answered with their default buttons and written to a log.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/app/frame/FrameTestSupport.h"
#include "tests/engine/diskfixtures/DiskFixture.h"

CEx_StyleApp theApp;

namespace {

[[maybe_unused]] auto* const kDisks =
    ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment({morvick::test::kWizardDisks}));

}  // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring log = std::wstring(temp) + L"morvick-frame-" + std::to_wstring(GetCurrentProcessId()) + L".log";
    SetEnvironmentVariableW(L"MORVICK_MSGLOG", log.c_str());
    SetEnvironmentVariableW(L"MORVICK_AUTOCLOSE_MESSAGES", L"1");

    AfxWinInit(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    theApp.InitApplication();
    if (!theApp.InitInstance()) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    morvick::test::PumpPending();
    morvick::test::TakeMessages();
    const int rc = RUN_ALL_TESTS();

    // The program's profile under this test's name goes with it.
    const std::wstring key = std::wstring(L"Software\\Local AppWizard-Generated Applications\\") + theApp.m_pszAppName;
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    DeleteFileW(log.c_str());
    // The program ends its process from its exit, without tearing its windows down: so does this.
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(rc));
    return rc;
}
