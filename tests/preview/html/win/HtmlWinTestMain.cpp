// The HTML viewer's Windows tests: one application object for the pane harness.
#include "classlib/win/AfxWin.h"

#include <gtest/gtest.h>

#include <cstdio>

class CHtmlViewerTestApp : public CWinApp {
public:
    CHtmlViewerTestApp() : CWinApp(L"MorvickHtmlViewerTests") {}
};

CHtmlViewerTestApp theHtmlViewerTestApp;

int main(int argc, char** argv)
{
    setvbuf(stdout, NULL, _IONBF, 0);
    AfxWinInit(::GetModuleHandleW(NULL), NULL, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    theHtmlViewerTestApp.InitApplication();
    OleInitialize(NULL);
    ::testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    OleUninitialize();
    return rc;
}
