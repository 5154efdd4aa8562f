// The Unicode entry point of a GUI program (linked with -municode): hands over to AfxWinMain.
// Test programs have their own main and never pull this file in.
#include "classlib/win/CWinApp.h"

extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
