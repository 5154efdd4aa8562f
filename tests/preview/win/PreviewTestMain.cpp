// The preview's Windows tests: one application object, OLE for the picture loader, and the sample
// pictures built once by the fixture scripts.
#include "classlib/win/AfxWin.h"
#include "tests/engine/diskfixtures/DiskFixture.h"

#include <gtest/gtest.h>

#include <cstdio>

class CPreviewTestApp : public CWinApp {
 public:
  CPreviewTestApp() : CWinApp(L"MorvickPreviewTests") {}
};

CPreviewTestApp thePreviewTestApp;

int main(int argc, char** argv) {
  setvbuf(stdout, NULL, _IONBF, 0);
  AfxWinInit(::GetModuleHandleW(NULL), NULL, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
  thePreviewTestApp.InitApplication();
  OleInitialize(NULL);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(
      new morvick::test::DiskFixtureEnvironment({"make-image-samples.sh", "make-psd-samples.sh"}));
  int rc = RUN_ALL_TESTS();
  OleUninitialize();
  return rc;
}
