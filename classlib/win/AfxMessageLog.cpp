#include "classlib/win/AfxMessageLog.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace {

std::mutex g_logLock;

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), NULL, 0, NULL, NULL);
  std::string out((size_t)n, '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &out[0], n, NULL, NULL);
  return out;
}

}  // namespace

void AFXAPI AfxLogShownMessage(LPCTSTR lpszKind, LPCTSTR lpszText) {
  WCHAR szPath[MAX_PATH];
  DWORD n = ::GetEnvironmentVariableW(L"MORVICK_TEST_MSGLOG", szPath, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  std::wstring line = lpszKind != NULL ? lpszKind : L"";
  line += L'\t';
  for (LPCTSTR p = lpszText != NULL ? lpszText : L""; *p != 0; ++p) {
    switch (*p) {
      case L'\r': line += L"\\r"; break;
      case L'\n': line += L"\\n"; break;
      case L'\t': line += L"\\t"; break;
      default: line += *p; break;
    }
  }
  line += L'\n';
  std::string bytes = ToUtf8(line);
  std::lock_guard<std::mutex> guard(g_logLock);
  HANDLE hFile = ::CreateFileW(szPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (hFile == INVALID_HANDLE_VALUE) return;
  DWORD dwWritten = 0;
  ::WriteFile(hFile, bytes.data(), (DWORD)bytes.size(), &dwWritten, NULL);
  ::CloseHandle(hFile);
}

BOOL AFXAPI AfxAutoCloseMessages() {
  return ::GetEnvironmentVariableW(L"MORVICK_TEST_AUTOCLOSE_MESSAGES", NULL, 0) > 0;
}

int AFXAPI AfxDefaultMessageBoxResult(UINT nType) {
  static const int buttons[][3] = {
      {IDOK, 0, 0},                     // MB_OK
      {IDOK, IDCANCEL, 0},              // MB_OKCANCEL
      {IDABORT, IDRETRY, IDIGNORE},     // MB_ABORTRETRYIGNORE
      {IDYES, IDNO, IDCANCEL},          // MB_YESNOCANCEL
      {IDYES, IDNO, 0},                 // MB_YESNO
      {IDRETRY, IDCANCEL, 0},           // MB_RETRYCANCEL
      {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, // MB_CANCELTRYCONTINUE
  };
  UINT nButtons = nType & MB_TYPEMASK;
  if (nButtons >= sizeof(buttons) / sizeof(buttons[0])) nButtons = 0;
  UINT nDefault = (nType & MB_DEFMASK) >> 8;  // 0, 1, 2 for the first, second, third button
  if (nDefault > 2 || buttons[nButtons][nDefault] == 0) nDefault = 0;
  return buttons[nButtons][nDefault];
}

int AFXAPI AfxShowMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
  AfxLogShownMessage(L"plain", lpszText);
  if (AfxAutoCloseMessages()) return AfxDefaultMessageBoxResult(nType);
  return ::MessageBoxW(hWndOwner, lpszText, lpszCaption, nType);
}
