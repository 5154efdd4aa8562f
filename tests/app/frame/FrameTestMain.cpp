// The program's own application object, started as Morvick.exe starts it, before the tests run;
// its message boxes are answered with their default buttons and written to a log. The program's
// profile here is the tests' own, and what start-up writes elsewhere in the registry (the snapshot
// file type, the spreadsheet classes' flags) is put back when the tests are over.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/app/frame/FrameTestSupport.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/support/win/SavedProgramRegistry.h"
#include "tests/support/win/SavedScratchFolder.h"

CEx_StyleApp theApp;

namespace {

[[maybe_unused]] auto* const kDisks =
    ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment({morvick::test::kWizardDisks, morvick::test::kTraceDisks}));

// The name the profile takes in place of the program's title.
const wchar_t kProfileName[] = L"Morvick Frame Tests";

// The application's title names its profile; the tests take their own name (the class library's
// strings are its own copies, made and freed with new[] and delete[]).
void UseOwnProfileName()
{
    delete[] const_cast<LPWSTR>(theApp.m_pszAppName);
    LPWSTR name = new wchar_t[std::wcslen(kProfileName) + 1];
    std::wcscpy(name, kProfileName);
    theApp.m_pszAppName = name;
}

}  // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring log = std::wstring(temp) + L"morvick-frame-" + std::to_wstring(GetCurrentProcessId()) + L".log";
    SetEnvironmentVariableW(L"MORVICK_TEST_MSGLOG", log.c_str());
    SetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", L"1");

    AfxWinInit(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    theApp.InitApplication();
    UseOwnProfileName();
    // A profile an earlier run left behind is the tests' own: each run starts without one.
    RegDeleteTreeW(HKEY_CURRENT_USER, morvick::test::ProgramProfileKey(kProfileName).c_str());
    morvick::test::SavedProgramRegistry saved(kProfileName);
    // The program's clean-up removes its scratch folder: one found there is put back at the end.
    morvick::test::SavedScratchFolder scratch;
    if (!theApp.InitInstance()) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    morvick::test::PumpPending();
    morvick::test::TakeMessages();
    const int rc = RUN_ALL_TESTS();

    saved.Restore();
    scratch.Restore();
    DeleteFileW(log.c_str());
    // The program ends its process from its exit, without tearing its windows down: so does this.
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(rc));
    return rc;
}
