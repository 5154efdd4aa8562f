#include "ui/controls/win/HyperLinkStatic.h"

#include <string>

#include "ui/controls/win/ControlShell.h"
#include "ui/html/win/HtmlShell.h"

namespace morvick::ui {

IMPLEMENT_DYNAMIC(CHyperLinkStatic, CStatic)

BEGIN_MESSAGE_MAP(CHyperLinkStatic, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_SETCURSOR()
  ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

const UINT_PTR kToolId = 1;
const WORD kLinkCursorId = 106;

std::wstring RegistryDefault(HKEY root, const std::wstring& key) {
  wchar_t value[1024] = {};
  LONG size = sizeof(value) - sizeof(wchar_t);
  if (RegQueryValueW(root, key.c_str(), value, &size) != ERROR_SUCCESS) return std::wstring();
  return value;
}

// Started as a process, not through the old narrow-text call, which loses characters outside the code page.
int StartCommand(const std::wstring& commandLine, int showCommand) {
  std::wstring line = commandLine;
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION pi = {};
  if (!CurrentControlShellHooks().createProcess(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    switch (GetLastError()) {
      case ERROR_FILE_NOT_FOUND: return 2;
      case ERROR_PATH_NOT_FOUND: return 3;
      case ERROR_BAD_EXE_FORMAT: return 11;
      default: return 0;
    }
  }
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  return 33;  // started, as the shell counts success
}

// The link pointer: cursor 106 of the help program in the Windows folder, copied so that it
// outlives the file; null (the default cursor) without it. The file is mapped as data only.
HCURSOR LoadLinkCursor() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = CurrentControlShellHooks().getWindowsDirectory(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  std::wstring path = folder;
  if (path.back() != L'\\') path += L'\\';
  path += L"winhlp32.exe";
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return nullptr;
  HCURSOR cursor = LoadCursorW(module, MAKEINTRESOURCEW(kLinkCursorId));
  HCURSOR copy = cursor != nullptr ? static_cast<HCURSOR>(CopyIcon(cursor)) : nullptr;
  FreeLibrary(module);
  return copy;
}

}  // namespace

CHyperLinkStatic::~CHyperLinkStatic() {
  if (m_linkCursor != nullptr) DestroyCursor(m_linkCursor);
}

int CHyperLinkStatic::GotoURL(LPCTSTR url, int showCommand) {
  const std::wstring target = url != nullptr ? url : L"";
  const int code = static_cast<int>(reinterpret_cast<INT_PTR>(
      CurrentControlShellHooks().shellExecute(nullptr, L"open", target.c_str(), nullptr, nullptr, showCommand)));
  if (code > 32) return code;
  // The browser registered for web pages, then, for web and mail addresses only and quoted: a file path or a
  // quote in the address would start a program of its own or add arguments to the browser's command.
  const std::wstring documentClass = RegistryDefault(HKEY_CLASSES_ROOT, L".htm");
  if (documentClass.empty()) return code;
  const std::wstring command = RegistryDefault(HKEY_CLASSES_ROOT, documentClass + L"\\shell\\open\\command");
  if (command.empty()) return code;
  const std::wstring line = html::BuildBrowserCommand(command, target);
  if (line.empty()) return code;
  return StartCommand(line, showCommand);
}

CString CHyperLinkStatic::ShellErrorText(int code) {
  switch (code) {
    case 0: return L"The operating system is out\nof memory or resources.";
    case SE_ERR_FNF: return L"The specified file was not found.";
    case SE_ERR_PNF: return L"The specified path was not found.";
    case SE_ERR_ACCESSDENIED: return L"The operating system denied\naccess to the specified file.";
    case SE_ERR_OOM: return L"There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT: return L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE: return L"A sharing violation occurred. ";
    case SE_ERR_ASSOCINCOMPLETE: return L"The filename association is\nincomplete or invalid.";
    case SE_ERR_DDETIMEOUT: return L"The DDE transaction could not\nbe completed because the request timed out.";
    case SE_ERR_DDEFAIL: return L"The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
      return L"The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
    case SE_ERR_NOASSOC: return L"There is no application associated\nwith the given filename extension.";
    case SE_ERR_DLLNOTFOUND: return L"The specified dynamic-link library was not found.";
    default: {
      CString text;
      text.Format(L"Unknown Error (%d) occurred.", code);
      return text;
    }
  }
}

void CHyperLinkStatic::PreSubclassWindow() {
  CStatic::PreSubclassWindow();
  ModifyStyle(0, SS_NOTIFY);
  CString text;
  GetWindowText(text);
  if (m_url.IsEmpty()) m_url = text;
  if (text.IsEmpty()) SetWindowText(m_url);

  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
  LOGFONTW lf = {};
  GetObjectW(font, sizeof(lf), &lf);
  m_normalFont.DeleteObject();
  m_normalFont.CreateFontIndirect(&lf);
  lf.lfUnderline = TRUE;
  m_underlinedFont.DeleteObject();
  m_underlinedFont.CreateFontIndirect(&lf);

  ApplyFont(m_underline == kUnderlineAlways);
  FitToText();
  if (m_linkCursor == nullptr) m_linkCursor = LoadLinkCursor();

  if (m_toolTip.m_hWnd == nullptr && m_toolTip.Create(this)) {
    RECT r;
    GetClientRect(&r);
    m_toolTip.AddTool(this, m_url.GetString(), &r, kToolId);
  }
}

void CHyperLinkStatic::ApplyFont(bool underlined) {
  CFont& font = underlined ? m_underlinedFont : m_normalFont;
  if (m_hWnd != nullptr && font.m_hObject != nullptr) {
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.m_hObject), TRUE);
  }
}

void CHyperLinkStatic::FitToText() {
  if (!m_fitToText || m_hWnd == nullptr) return;
  CString text;
  GetWindowText(text);
  HDC dc = ::GetDC(m_hWnd);
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(ANSI_VAR_FONT));
  SIZE size = {0, 0};
  GetTextExtentPoint32W(dc, text.GetString(), text.GetLength(), &size);
  SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);

  RECT window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  CWnd* parent = GetParent();
  if (parent != nullptr) parent->ScreenToClient(&window);
  const int width = size.cx + (window.right - window.left) - client.right;
  const int height = size.cy + (window.bottom - window.top) - client.bottom;
  const DWORD style = GetStyle();
  int x = window.left, y = window.top;
  if (style & SS_CENTERIMAGE) y = (window.top + window.bottom) / 2 - height / 2;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER: x = (window.left + window.right) / 2 - width / 2; break;
    case SS_RIGHT: x = window.right - width; break;
    default: break;
  }
  SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHyperLinkStatic::SetURL(LPCTSTR url) {
  m_url = url != nullptr ? url : L"";
  if (m_hWnd != nullptr) {
    FitToText();
    if (m_toolTip.m_hWnd != nullptr) m_toolTip.UpdateTipText(m_url.GetString(), this, kToolId);
  }
}

void CHyperLinkStatic::SetUnderline(int mode) {
  if (mode == m_underline) return;
  m_underline = mode;
  if (m_hWnd != nullptr) {
    ApplyFont(mode == kUnderlineAlways || (mode == kUnderlineHover && m_hover));
    Invalidate();
  }
}

void CHyperLinkStatic::SetVisited(BOOL visited) {
  m_visited = visited;
  if (m_hWnd != nullptr) Invalidate();
}

COLORREF CHyperLinkStatic::CurrentTextColor() const {
  if (m_hover) return kHoverColor;
  return m_visited ? kVisitedColor : kLinkColor;
}

HBRUSH CHyperLinkStatic::CtlColor(CDC* pDC, UINT) {
  pDC->SetTextColor(CurrentTextColor());
  pDC->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void CHyperLinkStatic::OnMouseMove(UINT, CPoint) {
  if (!m_hover) {
    m_hover = TRUE;
    if (m_underline == kUnderlineHover) ApplyFont(true);
    Invalidate();
    SetTimer(kHoverTimer, 100);
  }
  Default();
}

void CHyperLinkStatic::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kHoverTimer) {
    Default();
    return;
  }
  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  RECT client;
  GetClientRect(&client);
  if (!PtInRect(&client, cursor)) {
    m_hover = FALSE;
    KillTimer(kHoverTimer);
    if (m_underline == kUnderlineHover) ApplyFont(false);
    Invalidate();
  }
}

BOOL CHyperLinkStatic::OnSetCursor(CWnd*, UINT, UINT) {
  if (m_linkCursor == nullptr) return static_cast<BOOL>(Default());
  ::SetCursor(m_linkCursor);
  return TRUE;
}

void CHyperLinkStatic::OnClicked() {
  m_hover = FALSE;
  const int code = GotoURL(m_url, SW_SHOW);
  m_visited = code > 32;
  if (m_visited) {
    Invalidate();
  } else {
    CurrentControlShellHooks().messageBeep(MB_ICONEXCLAMATION);
    ReportError(code);
  }
}

void CHyperLinkStatic::ReportError(int code) {
  const CString message = CString(L"Unable to open hyperlink:\n\n") + ShellErrorText(code);
  CurrentControlShellHooks().messageBox(m_hWnd, message.GetString(), AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
}

BOOL CHyperLinkStatic::OnEraseBkgnd(CDC* pDC) {
  pDC->SetBkMode(TRANSPARENT);
  return TRUE;
}

BOOL CHyperLinkStatic::PreTranslateMessage(MSG* pMsg) {
  if (m_toolTip.m_hWnd != nullptr) m_toolTip.RelayEvent(pMsg);
  return CStatic::PreTranslateMessage(pMsg);
}

BOOL CHyperLinkStatic::DestroyWindow() {
  if (m_hWnd != nullptr) KillTimer(kHoverTimer);
  return CStatic::DestroyWindow();
}

}  // namespace morvick::ui
