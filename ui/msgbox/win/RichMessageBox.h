#pragma once
// The program's message box: marked-up text, header and details areas, fills and separators, extra
// button sets and custom buttons, "Do not show again", countdowns and disabled periods.

#include <windows.h>

#include <string>

#include "ui/msgbox/win/RichMsgBoxParams.h"

namespace morvick::ui {

// Shows the box modally on the calling thread. Returns the id of the pressed button (with bit 25
// when the check box was ticked), a remembered answer, -1 when the dialog cannot be created, or 2
// when its template cannot be allocated.
int RichMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style, const RichMsgBoxParams* params = nullptr);

// Replaceable side effects, so that tests neither beep nor start the help viewer, and can reach
// the box while it runs.
struct RichMsgBoxHooks {
  BOOL(WINAPI* messageBeep)(UINT) = MessageBeep;
  BOOL(WINAPI* winHelp)(HWND, LPCWSTR, UINT, ULONG_PTR) = WinHelpW;
  // Called once the box is set up (at the end of WM_INITDIALOG), before it is shown.
  void (*created)(HWND box) = nullptr;
  // Tests: create the box without WS_VISIBLE (the modal loop shows it once it is idle). Under Wine
  // without a window manager every activation of a new top-level window waits two seconds.
  bool startHidden = false;
};
RichMsgBoxHooks& CurrentRichMsgBoxHooks();

// The registry key and value under which an answer is remembered ("Software\<program>[\...]").
std::wstring RichMsgBoxAnswerKey(const std::wstring& section);
std::wstring RichMsgBoxAnswerValue(const std::wstring& prefix, int messageId);

}  // namespace morvick::ui
