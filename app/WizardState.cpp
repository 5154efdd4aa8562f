#include "app/WizardState.h"

#include "app/Ex_StyleApp.h"
#include "app/MainFrame.h"
#include "engine/state/EngineState.h"

CString g_strSelectedModeText;
int g_nProgressShown = 1;
wchar_t g_szProgramFolder[MAX_PATH + 1] = L"";

CEx_StyleApp* WizardApp()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->IsKindOf(RUNTIME_CLASS(CEx_StyleApp)) ? static_cast<CEx_StyleApp*>(app) : nullptr;
}

CMainFrame* WizardFrame()
{
    CWnd* main = AfxGetMainWnd();
    return main != nullptr && main->IsKindOf(RUNTIME_CLASS(CMainFrame)) ? static_cast<CMainFrame*>(main) : nullptr;
}

namespace wizard {

namespace {

LPCWSTR ModeName(int scanMode)
{
    switch (scanMode) {
    case kScanQuick:
        return L"Quick Scan";
    case kScanExtensive:
        return L"Extensive Scan";
    default:
        return L"File Trace";
    }
}

}  // namespace

CString ModeOnlyText(int scanMode)
{
    return CString(L"Selected Mode : ") + ModeName(scanMode);
}

CString ModeAndDriveText(int scanMode, bool logicalDrive)
{
    return CString(L"Selected Mode : ") + ModeName(scanMode) + L" \r\nDrive Type        : " +
        (logicalDrive ? L"Logical Drive" : L"Virtual Hard Disk");
}

CString TreeModeText(int scanMode, bool logicalDrive)
{
    const LPCWSTR drive = logicalDrive ? L"Logical Drive" : L"Virtual Hard Disk";
    if (scanMode == kScanQuick)
        return CString(L"Selected Mode  : Quick Scan \r\nDrive Type         : ") + drive;
    return CString(L"Selected Mode : ") + ModeName(scanMode) + L" \r\nDrive Type        : " + drive;
}

CString WindowText(const CWnd& window)
{
    CString text;
    window.GetWindowText(text);
    return text;
}

}  // namespace wizard
