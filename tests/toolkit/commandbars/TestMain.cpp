// The command-bar tests run with one application object and message boxes answered by a hook.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/toolkit/commandbars/CommandBarsTestSupport.h"

int main(int argc, char** argv)
{
    setvbuf(stdout, NULL, _IONBF, 0);  // progress stays visible if a test hangs
    AfxWinInit(::GetModuleHandleW(NULL), NULL, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    theTestApp.InitApplication();
    theTestApp.SetRegistryKey(L"MorvickTest");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
