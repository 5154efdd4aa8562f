// Shared pieces of the wizard's tests: the application object (its profile in a test key), a
// window to hold controls, and message pumping.
#pragma once

#include "classlib/win/AfxWin.h"
#include "tests/support/win/InputSupport.h"

namespace morvick::test {

class AppTestApp : public CWinApp {
public:
    AppTestApp() : CWinApp(L"MorvickWizardTests") {}
};

// A top-level window for the controls under test.
class HostWindow : public CWnd {
public:
    HostWindow(int width = 500, int height = 400);
    ~HostWindow() override;
};

}  // namespace morvick::test
