#include "ui/msgbox/win/MessageChannel.h"

#include <atomic>

#include "ui/html/HtmlText.h"
#include "ui/msgbox/win/RichMessageBox.h"

namespace {

struct ThreadMessage {
  CString text;
  int kind = 1;
};

void WINAPI FreeThreadMessage(void* p) { delete static_cast<ThreadMessage*>(p); }

ThreadMessage& Current() {
  static const DWORD slot = FlsAlloc(FreeThreadMessage);
  auto* m = static_cast<ThreadMessage*>(FlsGetValue(slot));
  if (!m) {
    m = new ThreadMessage;
    FlsSetValue(slot, m);
  }
  return *m;
}

}  // namespace

CMessageText g_strMessageText;
CMessageKind g_nMessageKind;

CMessageText& CMessageText::operator=(const CString& text) {
  Current().text = text;
  return *this;
}
CMessageText& CMessageText::operator=(LPCWSTR text) {
  Current().text = text;
  return *this;
}
CString CMessageText::Get() const { return Current().text; }
CMessageKind& CMessageKind::operator=(int kind) {
  Current().kind = kind;
  return *this;
}
CMessageKind::operator int() const { return Current().kind; }

namespace morvick::ui {

const wchar_t kMessageCaption[] = L"Morvick";

namespace {

constexpr UINT kShowRequest = WM_APP + 0x5E1;
const wchar_t kDispatcherClass[] = L"Morvick.MessageChannel";

std::atomic<HWND> g_dispatcher{nullptr};
std::atomic<HWND> g_mainWindow{nullptr};
std::atomic<DWORD> g_uiThread{0};

struct Request {
  const std::function<int(HWND)>* show;
  int result;
};

// The parameter block of the two message dialogs: a flat light grey background.
RichMsgBoxParams MessageParams() {
  RichMsgBoxParams p = DefaultRichMsgBoxParams();
  const COLORREF grey = RGB(0xF2, 0xF2, 0xF2);
  p.background = RichMsgBoxArea{0, 2, nullptr, 12, grey, grey, grey};
  return p;
}

UINT IconOf(int kind) {
  switch (kind) {
    case 1: return MB_ICONINFORMATION;
    case 2: return MB_ICONERROR;
    case 3: return MB_ICONQUESTION;
    default: return 0;
  }
}

HWND OwnerOnUiThread() {
  HWND active = GetActiveWindow();
  if (active) return GetLastActivePopup(active);
  HWND main = g_mainWindow.load();
  return (main && IsWindow(main)) ? main : nullptr;
}

LRESULT CALLBACK DispatcherProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == kShowRequest) {
    Request* r = reinterpret_cast<Request*>(lp);
    r->result = (*r->show)(OwnerOnUiThread());
    return 1;
  }
  return DefWindowProcW(w, m, wp, lp);
}

int Show(const std::wstring& text, UINT style) {
  const RichMsgBoxParams params = MessageParams();
  return RunOnMessageThread(
      [&](HWND owner) { return RichMessageBox(owner, text.c_str(), kMessageCaption, style, &params); });
}

std::wstring ToStd(const CString& s) { return std::wstring(s.GetString(), s.GetLength()); }

}  // namespace

int RunOnMessageThread(const std::function<int(HWND owner)>& show) {
  HWND dispatcher = g_dispatcher.load();
  if (dispatcher && GetCurrentThreadId() != g_uiThread.load() && IsWindow(dispatcher)) {
    Request r{&show, IDCANCEL};
    if (SendMessageW(dispatcher, kShowRequest, 0, reinterpret_cast<LPARAM>(&r))) return r.result;
  }
  return show(dispatcher ? OwnerOnUiThread() : nullptr);
}

int ShowMessage(const std::wstring& markup, int kind) { return Show(markup, MB_OK | IconOf(kind)); }

bool AskQuestion(const std::wstring& markup, int kind) {
  return (Show(markup, MB_YESNO | IconOf(kind)) & 0xFFFF) == IDYES;
}

int ShowPlainMessage(const std::wstring& text, int kind) { return ShowMessage(EscapeMessageText(text), kind); }

bool AskPlainQuestion(const std::wstring& text, int kind) { return AskQuestion(EscapeMessageText(text), kind); }

std::wstring EscapeMessageText(const std::wstring& text) { return html::EscapeHtml(text); }

CString EscapeMessageText(const CString& text) {
  std::wstring e = html::EscapeHtml(ToStd(text));
  return CString(e.c_str(), static_cast<int>(e.size()));
}

void AttachMessageChannel(HWND mainWindow) {
  DetachMessageChannel();
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DispatcherProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kDispatcherClass;
  RegisterClassW(&wc);  // fails harmlessly when already registered
  HWND d = CreateWindowExW(0, kDispatcherClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  g_mainWindow = mainWindow;
  g_uiThread = GetCurrentThreadId();
  g_dispatcher = d;
}

void DetachMessageChannel() {
  HWND d = g_dispatcher.exchange(nullptr);
  if (d) DestroyWindow(d);
  g_mainWindow = nullptr;
  g_uiThread = 0;
}

}  // namespace morvick::ui
