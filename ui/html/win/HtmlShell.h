#pragma once
// How a document link is opened: the shell's "open" verb, then, for web and mail addresses only, the
// browser command registered for ".htm" with the address quoted. Both go through replaceable
// functions so that tests open nothing.

#include <windows.h>

#include <string>

namespace morvick::html {

struct HtmlShellHooks {
  HINSTANCE(WINAPI* shellExecute)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) = ShellExecuteW;
  BOOL(WINAPI* createProcess)(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID,
                              LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION) = CreateProcessW;
};

// The hooks in use; tests replace members and restore them.
HtmlShellHooks& CurrentHtmlShellHooks();

// Opens a link target. Returns true when something was started.
bool OpenHtmlDocument(const std::wstring& target, int showCommand);

// The fallback command line for a target from a registered "open" command, or empty when the
// target is not an http, https or mailto address. Exposed for tests.
std::wstring BuildBrowserCommand(const std::wstring& registeredCommand, const std::wstring& target);

}  // namespace morvick::html
