#pragma once
// The one channel through which the program shows its messages and asks its yes/no questions.
//
// A caller sets g_strMessageText, constructs a CMessageDlg or CConfirmDlg (MessageDialogs.h), sets
// g_nMessageKind and calls DoModal. The text and kind are kept per thread, so that a worker and the user-interface
// thread never overwrite each other's message. A message from a worker thread is shown on the
// user-interface thread (once AttachMessageChannel has run there) and the worker waits for the
// answer; the user-interface thread itself never waits on anything but the user.
//
// Message texts are markup. Put names and paths that come from outside the program through
// EscapeMessageText, or show a whole plain text with ShowPlainMessage.

#include <windows.h>

#include <functional>
#include <string>

#include "classlib/core/AfxCore.h"

// The text and the kind (1 information, 2 error, 3 question) of the next message of the calling
// thread. Each thread has its own pair (kept in a fiber-local slot, freed when the thread ends).
class CMessageText {
 public:
  CMessageText& operator=(const CString& text);
  CMessageText& operator=(LPCWSTR text);
  operator CString() const { return Get(); }
  CString Get() const;
};
class CMessageKind {
 public:
  CMessageKind& operator=(int kind);
  operator int() const;
};
extern CMessageText g_strMessageText;
extern CMessageKind g_nMessageKind;

namespace morvick::ui {

// The caption of every message.
extern const wchar_t kMessageCaption[];

// Call on the user-interface thread once the main window exists (and Detach before it goes):
// messages from other threads are then shown on this thread, owned by its active window or by
// mainWindow.
void AttachMessageChannel(HWND mainWindow);
void DetachMessageChannel();

// Runs show on the user-interface thread when called from another thread once the channel is
// attached (the caller waits for it), else on the calling thread. show gets the window that owns
// the message there (null: none known; the message finds its owner itself).
int RunOnMessageThread(const std::function<int(HWND owner)>& show);

// The same two messages without the per-thread fields. kind: 1, 2 or 3.
int ShowMessage(const std::wstring& markup, int kind);
bool AskQuestion(const std::wstring& markup, int kind);
// A text that is not markup at all (for instance a message built by the engine).
int ShowPlainMessage(const std::wstring& text, int kind);
bool AskPlainQuestion(const std::wstring& text, int kind);

// Makes a name or path safe to put into a message text: it shows exactly as written.
std::wstring EscapeMessageText(const std::wstring& text);
CString EscapeMessageText(const CString& text);

}  // namespace morvick::ui
