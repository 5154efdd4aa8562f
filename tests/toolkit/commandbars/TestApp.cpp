// The application object of the command-bar test programs, with its registry profile under
// HKEY_CURRENT_USER\Software\MorvickTest\CommandBarTests.
#include "classlib/win/CWinApp.h"

namespace {

class CCommandBarTestApp : public CWinApp {
public:
    CCommandBarTestApp() : CWinApp(L"CommandBarTests") { SetRegistryKey(L"MorvickTest"); }
};

CCommandBarTestApp theTestApp;

}  // namespace
