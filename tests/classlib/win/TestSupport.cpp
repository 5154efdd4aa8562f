#include "tests/classlib/win/TestSupport.h"

#include <fstream>
#include <sstream>

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_COMMAND_EX(3000, OnRouteProbe)
  ON_COMMAND(3005, OnAppOnly)
END_MESSAGE_MAP()

BOOL CTestApp::OnRouteProbe(UINT) {
  m_route.push_back(L"app");
  return FALSE;
}

void CTestApp::OnAppOnly() { m_nAppOnly++; }

CTestApp theTestApp;

void PumpPending() {
  MSG msg;
  while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

bool PumpUntil(const std::function<bool()>& pred, DWORD timeout) {
  DWORD start = ::GetTickCount();
  while (!pred()) {
    if (::GetTickCount() - start > timeout) return false;
    PumpPending();
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

bool WaitPumping(HANDLE h, DWORD timeout) {
  DWORD start = ::GetTickCount();
  for (;;) {
    DWORD r = ::MsgWaitForMultipleObjects(1, &h, FALSE, 50, QS_ALLINPUT);
    if (r == WAIT_OBJECT_0) return true;
    PumpPending();
    if (::GetTickCount() - start > timeout) return false;
  }
}

namespace {

std::wstring LogPath() {
  WCHAR sz[MAX_PATH];
  DWORD n = ::GetEnvironmentVariableW(L"MORVICK_TEST_MSGLOG", sz, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(sz) : std::wstring();
}

}  // namespace

void ResetMessageLog() { ::DeleteFileW(LogPath().c_str()); }

std::vector<std::wstring> ReadMessageLog() {
  std::vector<std::wstring> lines;
  HANDLE h = ::CreateFileW(LogPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, 0, NULL);
  if (h == INVALID_HANDLE_VALUE) return lines;
  std::string bytes;
  char buf[4096];
  DWORD got = 0;
  while (::ReadFile(h, buf, sizeof(buf), &got, NULL) && got > 0) bytes.append(buf, got);
  ::CloseHandle(h);
  std::istringstream in(bytes);
  std::string line;
  while (std::getline(in, line)) {
    int n = ::MultiByteToWideChar(CP_UTF8, 0, line.data(), (int)line.size(), NULL, 0);
    std::wstring w((size_t)n, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, line.data(), (int)line.size(), &w[0], n);
    lines.push_back(w);
  }
  return lines;
}

DialogTemplateBuilder::DialogTemplateBuilder(DWORD style, short cx, short cy, LPCWSTR title) {
  Dword(style);
  Dword(0);  // extended style
  m_countIndex = m_words.size();
  Word(0);  // item count
  Word(0);  // x
  Word(0);  // y
  Word((WORD)cx);
  Word((WORD)cy);
  Word(0);  // no menu
  Word(0);  // default class
  Text(title);
}

void DialogTemplateBuilder::AddItem(WORD id, WORD classAtom, DWORD style, short x, short y, short cx,
                                    short cy, LPCWSTR text) {
  Align();
  Dword(style | WS_CHILD | WS_VISIBLE);
  Dword(0);
  Word((WORD)x);
  Word((WORD)y);
  Word((WORD)cx);
  Word((WORD)cy);
  Word(id);
  Word(0xFFFF);
  Word(classAtom);
  Text(text);
  Word(0);  // no creation data
  m_words[m_countIndex]++;
}

LPCDLGTEMPLATE DialogTemplateBuilder::Get() { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

void DialogTemplateBuilder::Align() {
  if (m_words.size() % 2) m_words.push_back(0);  // items start on a DWORD boundary
}
void DialogTemplateBuilder::Word(WORD w) { m_words.push_back(w); }
void DialogTemplateBuilder::Dword(DWORD d) {
  m_words.push_back(LOWORD(d));
  m_words.push_back(HIWORD(d));
}
void DialogTemplateBuilder::Text(LPCWSTR s) {
  for (; *s; ++s) m_words.push_back((WORD)*s);
  m_words.push_back(0);
}
