// What the pages of the wizard share besides the engine's words: the mode summary that the drive
// and partition pages draw, the switch of the scan progress, the program's folder, and the way to
// the application object and the main frame.
#pragma once

#include "classlib/win/AfxWin.h"

class CEx_StyleApp;
class CMainFrame;

// The mode summary the drive and partition pages draw ("Selected Mode : Quick Scan" and the like).
extern CString g_strSelectedModeText;
// 1 while the scan progress view shows its counters; "Hide Progress" makes it 0.
extern int g_nProgressShown;
// The program's folder, ending with a backslash.
extern wchar_t g_szProgramFolder[MAX_PATH + 1];

// The application object and the main frame when they are the program's (null in tests that run
// without them).
CEx_StyleApp* WizardApp();
CMainFrame* WizardFrame();

namespace wizard {

// The summary texts of the modes.
CString ModeOnlyText(int scanMode);                         // "Selected Mode : Quick Scan"
CString ModeAndDriveText(int scanMode, bool logicalDrive);  // "... \r\nDrive Type        : ..."
// The device tree's summary: the same with the tree's own spacing (its columns are aligned differently).
CString TreeModeText(int scanMode, bool logicalDrive);

// Whole text of a window as a CString.
CString WindowText(const CWnd& window);

}  // namespace wizard
