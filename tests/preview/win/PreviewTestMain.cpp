// The preview's Windows test programs: one application object, OLE for the picture loader and the
// controls, and the samples of the program's fixture scripts (MORVICK_PREVIEW_FIXTURES, a list
// separated by ","), built once. Message boxes answer themselves and are logged
// (PreviewMessageLog()).
#include "classlib/win/AfxMessageLog.h"
#include "classlib/win/AfxWin.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/preview/win/PreviewHarness.h"
#include "tests/support/win/SavedScratchFolder.h"
#include "ui/msgbox/win/MessageChannel.h"
#include "ui/msgbox/win/RichMessageBox.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

class CPreviewTestApp : public CWinApp {
 public:
  CPreviewTestApp() : CWinApp(L"MorvickPreviewTests") {}
};

CPreviewTestApp thePreviewTestApp;

namespace {

BOOL WINAPI Silent(UINT) { return TRUE; }

// The program's own message box: logged like the others and answered with its first button.
void AnswerRichBox(HWND box) {
  AfxLogShownMessage(L"rich", g_strMessageText.Get());
  PostMessageW(box, WM_COMMAND, GetDlgItem(box, IDYES) != NULL ? IDYES : IDOK, 0);
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, NULL, _IONBF, 0);
  SetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", L"1");
  SetEnvironmentVariableW(L"MORVICK_TEST_MSGLOG", morvick::test::PreviewMessageLog().c_str());
  morvick::ui::CurrentRichMsgBoxHooks().startHidden = true;
  morvick::ui::CurrentRichMsgBoxHooks().messageBeep = Silent;
  morvick::ui::CurrentRichMsgBoxHooks().created = AnswerRichBox;
  AfxWinInit(::GetModuleHandleW(NULL), NULL, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
  thePreviewTestApp.InitApplication();
  OleInitialize(NULL);
  ::testing::InitGoogleTest(&argc, argv);
  std::vector<std::string> scripts;
  std::istringstream list(MORVICK_PREVIEW_FIXTURES);
  for (std::string script; std::getline(list, script, ',');)
    if (!script.empty()) scripts.push_back(script);
  ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment(scripts));
  int rc = 0;
  {
    // The slides go to the program's scratch folder: one found there is put back at the end.
    const morvick::test::SavedScratchFolder scratch;
    rc = RUN_ALL_TESTS();
  }
  OleUninitialize();
  DeleteFileW(morvick::test::PreviewMessageLog().c_str());
  return rc;
}
