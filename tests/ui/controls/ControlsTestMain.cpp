// The control tests run with one application object whose profile lives in a test key.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/ui/controls/ControlsTestSupport.h"

namespace morvick::test {

ControlsTestApp theControlsApp;
const wchar_t kControlsRegistryKey[] = L"Morvick Controls Tests";

TestParent::TestParent(int width, int height) {
  CreateEx(0, AfxRegisterWndClass(0, LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)), L"controls",
           WS_POPUP | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr);
  PumpPending();
}

TestParent::~TestParent() {
  DestroyWindow();
  PumpPending();
}

LRESULT TestParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) ++paints;
  if (message == WM_COMMAND) commands.push_back(wParam);
  return CWnd::WindowProc(message, wParam, lParam);
}

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    if (!AfxGetThread() || !AfxGetThread()->PreTranslateMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!pred()) {
    if (GetTickCount() - start > timeoutMs) return false;
    PumpPending();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

}  // namespace morvick::test

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  AfxWinInit(GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
  morvick::test::theControlsApp.InitApplication();
  morvick::test::theControlsApp.SetRegistryKey(morvick::test::kControlsRegistryKey);
  ::testing::InitGoogleTest(&argc, argv);
  const int rc = RUN_ALL_TESTS();
  std::wstring key = std::wstring(L"Software\\") + morvick::test::kControlsRegistryKey;
  RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
  return rc;
}
