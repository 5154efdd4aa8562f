#include "ui/html/win/HtmlShell.h"

#include <shellapi.h>

#include "ui/html/HtmlStrings.h"

namespace morvick::html {

namespace {

bool IsWebOrMailAddress(const std::wstring& target) {
  std::wstring t = ToLower(target);
  return t.rfind(L"http://", 0) == 0 || t.rfind(L"https://", 0) == 0 || t.rfind(L"mailto:", 0) == 0;
}

std::wstring ReadClassesDefault(const std::wstring& subKey) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return L"";
  wchar_t buffer[1024] = {};
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  DWORD type = 0;
  std::wstring result;
  if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    result.assign(buffer, wcsnlen(buffer, size / sizeof(wchar_t)));
  }
  RegCloseKey(key);
  return result;
}

}  // namespace

HtmlShellHooks& CurrentHtmlShellHooks() {
  static HtmlShellHooks hooks;
  return hooks;
}

std::wstring BuildBrowserCommand(const std::wstring& registered, const std::wstring& target) {
  // Web and mail addresses only, quoted: a file path or a quote would start a program or add browser arguments.
  if (!IsWebOrMailAddress(target) || target.find(L'"') != std::wstring::npos) return L"";
  std::wstring command = registered;
  size_t cut = command.find(L"\"%1\"");
  if (cut == std::wstring::npos) cut = command.find(L"%1");
  if (cut != std::wstring::npos) command.erase(cut);
  command = TrimRight(command);
  if (command.empty()) return L"";
  return command + L" \"" + target + L"\"";
}

bool OpenHtmlDocument(const std::wstring& target, int show) {
  if (target.empty()) return false;
  HtmlShellHooks& hooks = CurrentHtmlShellHooks();
  HINSTANCE r = hooks.shellExecute(nullptr, L"open", target.c_str(), nullptr, nullptr, show);
  if (reinterpret_cast<INT_PTR>(r) > 32) return true;
  std::wstring cls = ReadClassesDefault(L".htm");
  if (cls.empty()) return false;
  std::wstring command = BuildBrowserCommand(ReadClassesDefault(cls + L"\\shell\\open\\command"), target);
  if (command.empty()) return false;
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION pi = {};
  std::wstring buffer = command;
  if (!hooks.createProcess(nullptr, &buffer[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  return true;
}

}  // namespace morvick::html
