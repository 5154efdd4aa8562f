// A plain top-level window wrapped in a CWnd for the length of a test.
#pragma once

#include "classlib/win/AfxWin.h"

class TestWindow
{
public:
  explicit TestWindow(DWORD exStyle = 0, WNDPROC proc = nullptr)
  {
    const wchar_t* className = L"MorvickToolkitTestWindow";
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc ? proc : DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = proc ? L"MorvickToolkitTestWindowProc" : className;
    RegisterClassW(&wc);
    m_hWnd = CreateWindowExW(exStyle, wc.lpszClassName, L"Test", WS_OVERLAPPEDWINDOW, 10, 20, 300, 200, nullptr,
                             nullptr, wc.hInstance, nullptr);
    m_wnd.Attach(m_hWnd);
  }
  ~TestWindow()
  {
    m_wnd.Detach();
    DestroyWindow(m_hWnd);
  }

  HWND Handle() const { return m_hWnd; }
  CWnd* Wnd() { return &m_wnd; }

private:
  HWND m_hWnd;
  CWnd m_wnd;
};
