// The docking tests run with an application object, so that windows and message loops behave as
// in the program.
#include <gtest/gtest.h>

#include <cstdio>

#include "classlib/win/AfxWin.h"

namespace {

class DockingTestApp : public CWinApp {
public:
    DockingTestApp() : CWinApp(L"MorvickDockingTests") {}
};
DockingTestApp theApp;

// A fault ends the program at once with a message, instead of waiting for a debugger.
LONG WINAPI ReportFault(EXCEPTION_POINTERS* pInfo)
{
    std::printf("\nFault 0x%08lx at %p: the test program ends.\n", pInfo->ExceptionRecord->ExceptionCode,
        pInfo->ExceptionRecord->ExceptionAddress);
    ::ExitProcess(3);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    ::SetUnhandledExceptionFilter(ReportFault);
    AfxWinInit(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    theApp.InitApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
