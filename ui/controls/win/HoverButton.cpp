#include "ui/controls/win/HoverButton.h"

#include "res/controls.h"

namespace morvick::ui {

IMPLEMENT_DYNAMIC(CHoverButton, CBitmapButton)

BEGIN_MESSAGE_MAP(CHoverButton, CBitmapButton)
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_MESSAGE(WM_MOUSEHOVER, OnMouseHoverMsg)
  ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeaveMsg)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL TrackHoverAndLeave(HWND hwnd) {
  TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, hwnd, 1};
  return TrackMouseEvent(&tme);
}

void ShowCursorIfLoaded(HCURSOR cursor) {
  if (cursor != nullptr) SetCursor(cursor);
}

CHoverButton::CHoverButton() {
  HINSTANCE module = AfxGetResourceHandle();
  m_overCursor = LoadCursorW(module, MAKEINTRESOURCEW(IDC_HOVER_POINTER));
  m_pressedCursor = LoadCursorW(module, MAKEINTRESOURCEW(IDC_PRESSED_POINTER));
}

CHoverButton::~CHoverButton() {
  if (g_nHoveredModeButton == m_hoverId && m_hover) g_nHoveredModeButton = 0;
}

BOOL CHoverButton::LoadHoverBitmaps(UINT normalId, UINT hoverId) {
  m_bitmaps.Load(normalId, hoverId);
  if (m_hWnd != nullptr) {
    SetWindowPos(nullptr, 0, 0, m_bitmaps.Width(), m_bitmaps.Height(), SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOZORDER);
  }
  return TRUE;
}

void CHoverButton::Paint(HDC dc, UINT) { m_bitmaps.Draw(dc, m_hover != FALSE, 0, 0); }

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) { Paint(lpDIS->hDC, lpDIS->itemState); }

void CHoverButton::RepaintWithBuddy() {
  if (m_buddy != nullptr && m_buddy->m_hWnd != nullptr) m_buddy->Invalidate();
  Invalidate();
}

void CHoverButton::OnMouseMove(UINT, CPoint) {
  if (!m_tracking) m_tracking = TrackHoverAndLeave(m_hWnd);
  Default();
  ShowCursorIfLoaded(m_overCursor);
}

void CHoverButton::OnLButtonDown(UINT, CPoint) {
  ShowCursorIfLoaded(m_pressedCursor);
  Default();
}

LRESULT CHoverButton::OnMouseHoverMsg(WPARAM, LPARAM) {
  m_hover = TRUE;
  ShowCursorIfLoaded(m_overCursor);
  g_nHoveredModeButton = m_hoverId;
  RepaintWithBuddy();
  return 0;
}

LRESULT CHoverButton::OnMouseLeaveMsg(WPARAM, LPARAM) {
  m_tracking = FALSE;
  m_hover = FALSE;
  // A neighbour that the mouse moved on to may already have published its own id.
  if (g_nHoveredModeButton == m_hoverId) g_nHoveredModeButton = 0;
  RepaintWithBuddy();
  return 0;
}

BOOL CHoverButton::OnEraseBkgnd(CDC*) { return FALSE; }

}  // namespace morvick::ui
