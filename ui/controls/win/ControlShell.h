#pragma once
// The calls of the controls that reach outside the program: opening documents and addresses,
// sounds, beeps, message boxes, the size of drives and the Windows folder. They go through one table of replaceable functions so that a
// test can see them made without a browser opening or a sound playing.

#include <windows.h>
#include <shellapi.h>

namespace morvick::ui {

struct ControlShellHooks {
  HINSTANCE(WINAPI* shellExecute)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) = ShellExecuteW;
  BOOL(WINAPI* shellExecuteEx)(SHELLEXECUTEINFOW*) = ShellExecuteExW;
  BOOL(WINAPI* playSound)(LPCWSTR, HMODULE, DWORD) = nullptr;  // PlaySoundW, bound on first use
  BOOL(WINAPI* messageBeep)(UINT) = MessageBeep;
  int(WINAPI* messageBox)(HWND, LPCWSTR, LPCWSTR, UINT) = MessageBoxW;
  BOOL(WINAPI* createProcess)(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID,
                              LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION) = CreateProcessW;
  BOOL(WINAPI* getDiskFreeSpaceEx)(LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER) = GetDiskFreeSpaceExW;
  UINT(WINAPI* getWindowsDirectory)(LPWSTR, UINT) = GetWindowsDirectoryW;
};

// The hooks in use; tests replace members and restore them.
ControlShellHooks& CurrentControlShellHooks();

// Plays a sound through the hooks; an empty name plays nothing.
BOOL PlayControlSound(LPCWSTR name, HMODULE module, DWORD flags);

}  // namespace morvick::ui
