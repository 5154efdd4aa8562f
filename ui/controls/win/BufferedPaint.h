// Painting a control's client area through an off-screen bitmap, so that it never flickers.
#pragma once

#include <windows.h>

#include <algorithm>

namespace morvick::ui {

// Answers WM_PAINT of hWnd: paint(memoryDc) draws into a bitmap of the client's size, which is then
// copied to the window. With startFromScreen the bitmap first takes what the window shows.
template <typename PaintFunction>
void PaintThroughBuffer(HWND hWnd, bool startFromScreen, PaintFunction paint) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hWnd, &ps);
  RECT client;
  ::GetClientRect(hWnd, &client);
  HDC memory = ::CreateCompatibleDC(dc);
  HBITMAP bitmap = ::CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom));
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  if (startFromScreen)
    ::BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  paint(memory);
  ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::EndPaint(hWnd, &ps);
}

}  // namespace morvick::ui
