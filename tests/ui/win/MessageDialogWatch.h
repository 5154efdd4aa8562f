#pragma once
// Drives a modal dialog 204 in tests: a thread timer, dispatched by the dialog's own modal loop,
// finds the dialog once it is shown on this thread and runs a script on it.

#include <windows.h>

#include <functional>
#include <utility>

#include "res/messages.h"

namespace morvick::test {

inline std::function<void(HWND)>& MessageDialogScript() {
  static std::function<void(HWND)> script;
  return script;
}

inline BOOL CALLBACK FindShownMessageDialog(HWND w, LPARAM found) {
  if (IsWindowVisible(w) && GetDlgItem(w, IDC_MESSAGE_TEXT)) {
    *reinterpret_cast<HWND*>(found) = w;
    return FALSE;
  }
  return TRUE;
}

inline void CALLBACK WatchForMessageDialog(HWND, UINT, UINT_PTR id, DWORD) {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindShownMessageDialog, reinterpret_cast<LPARAM>(&found));
  if (!found) return;
  KillTimer(nullptr, id);
  MessageDialogScript()(found);
}

// Runs script on the next dialog 204 shown on the calling thread.
inline void WhenMessageDialogShown(std::function<void(HWND)> script) {
  MessageDialogScript() = std::move(script);
  SetTimer(nullptr, 0, 20, WatchForMessageDialog);
}

}  // namespace morvick::test
