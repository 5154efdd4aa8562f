#include "toolkit/base/DragTracker.h"

#include <algorithm>

namespace {

HBRUSH HalftoneBrush()
{
  static const WORD kRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, kRows);
  HBRUSH brush = CreatePatternBrush(pattern);
  DeleteObject(pattern);
  return brush;
}

}  // namespace

CTKPDragTracker::CTKPDragTracker(BOOL bSolid) : m_pDC(NULL), m_bSolid(bSolid) { m_rcSecond.SetRectEmpty(); }

void CTKPDragTracker::DrawRect(const CRect& rect)
{
  HDC hdc = m_pDC->GetSafeHdc();
  if (m_bSolid) {
    ::InvertRect(hdc, &rect);
    return;
  }
  HBRUSH brush = HalftoneBrush();
  HGDIOBJ old = ::SelectObject(hdc, brush);
  ::PatBlt(hdc, rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
  ::SelectObject(hdc, old);
  ::DeleteObject(brush);
}

BOOL CTKPDragTracker::Track(CWnd* pWnd, int nMinX, int nMinY, int nMaxX, int nMaxY, CRect* pRect, CPoint ptStart,
                            BOOL bHorz)
{
  HWND hWnd = pWnd->GetSafeHwnd();
  ::SetCapture(hWnd);
  HWND desktop = ::GetDesktopWindow();
  const BOOL bLocked = ::LockWindowUpdate(desktop);
  HDC hdc = ::GetDCEx(desktop, NULL, DCX_WINDOW | DCX_CACHE | (bLocked ? DCX_LOCKWINDOWUPDATE : 0));
  CDC dc;
  dc.Attach(hdc);
  m_pDC = &dc;

  const CPoint offset = bHorz ? CPoint(pRect->left - ptStart.x, 0) : CPoint(0, pRect->top - ptStart.y);
  DrawRect(*pRect);
  if (!m_rcSecond.IsRectEmpty())
    DrawRect(m_rcSecond);

  BOOL bAccept = FALSE;
  MSG msg;
  while (::GetCapture() == hWnd) {
    const BOOL got = ::GetMessageW(&msg, NULL, 0, 0);
    if (got == 0 || got == -1) {
      // Leave the quit message for the loop that owns the program.
      if (got == 0)
        ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE) {
      CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      ::ClientToScreen(msg.hwnd, &pt);
      pt += offset;
      pt.x = std::max(nMinX, std::min(nMaxX, static_cast<int>(pt.x)));
      pt.y = std::max(nMinY, std::min(nMaxY, static_cast<int>(pt.y)));
      const int delta = bHorz ? pt.x - pRect->left : pt.y - pRect->top;
      if (delta != 0) {
        DrawRect(*pRect);
        if (bHorz)
          pRect->OffsetRect(delta, 0);
        else
          pRect->OffsetRect(0, delta);
        DrawRect(*pRect);
      }
    } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      break;
    } else if (msg.message == WM_LBUTTONUP) {
      bAccept = TRUE;
      break;
    } else {
      ::DispatchMessageW(&msg);
    }
  }

  if (!m_rcSecond.IsRectEmpty())
    DrawRect(m_rcSecond);
  DrawRect(*pRect);
  if (::GetCapture() == hWnd)
    ::ReleaseCapture();
  if (bLocked)
    ::LockWindowUpdate(NULL);
  dc.Detach();
  ::ReleaseDC(desktop, hdc);
  m_pDC = NULL;
  return bAccept;
}
