// The window-layer tests run with message boxes answered automatically and logged to a file.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/classlib/win/TestSupport.h"

int main(int argc, char** argv) {
  setvbuf(stdout, NULL, _IONBF, 0);  // progress stays visible if a test hangs
  ::SetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", L"1");
  WCHAR szTemp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, szTemp);
  WCHAR szLog[MAX_PATH];
  swprintf(szLog, MAX_PATH, L"%lsmorvick-classlib-win-%lu.log", szTemp, ::GetCurrentProcessId());
  ::SetEnvironmentVariableW(L"MORVICK_TEST_MSGLOG", szLog);
  AfxWinInit(::GetModuleHandleW(NULL), NULL, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
  theTestApp.InitApplication();
  ::testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  ::DeleteFileW(szLog);
  return rc;
}
