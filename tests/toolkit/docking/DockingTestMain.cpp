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

}  // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    AfxWinInit(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    theApp.InitApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
