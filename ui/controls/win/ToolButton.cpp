#include "ui/controls/win/ToolButton.h"

#include "ui/controls/win/HoverButton.h"

namespace morvick::ui {

IMPLEMENT_DYNAMIC(CToolButton, CBitmapButton)

BEGIN_MESSAGE_MAP(CToolButton, CBitmapButton)
  ON_WM_MOUSEMOVE()
  ON_MESSAGE(WM_MOUSEHOVER, OnMouseHoverMsg)
  ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeaveMsg)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CToolButton::LoadHoverBitmaps(UINT normalId, UINT hoverId) {
  m_bitmaps.Load(normalId, hoverId);
  if (m_hWnd != nullptr) {
    SetWindowPos(nullptr, 0, 0, m_bitmaps.Width(), m_bitmaps.Height(), SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOZORDER);
  }
  return TRUE;
}

void CToolButton::EnsureToolTip() {
  if (m_toolTip.m_hWnd == nullptr && m_hWnd != nullptr) {
    m_toolTip.Create(this);
    m_toolTip.Activate(FALSE);
  }
}

void CToolButton::SetToolTipText(LPCTSTR text, BOOL activate) {
  if (text == nullptr || m_hWnd == nullptr) return;
  m_toolTipText = text;
  EnsureToolTip();
  if (!m_toolAdded) {
    RECT r;
    GetClientRect(&r);
    m_toolAdded = m_toolTip.AddTool(this, m_toolTipText.GetString(), &r, 1);
  }
  m_toolTip.UpdateTipText(m_toolTipText.GetString(), this, 1);
  m_toolTip.Activate(activate);
}

BOOL CToolButton::PreTranslateMessage(MSG* pMsg) {
  EnsureToolTip();
  if (m_toolTip.m_hWnd != nullptr) m_toolTip.RelayEvent(pMsg);
  return CBitmapButton::PreTranslateMessage(pMsg);
}

void CToolButton::Paint(HDC dc, UINT itemState) {
  const bool pressed = (itemState & ODS_SELECTED) != 0;
  m_bitmaps.Draw(dc, m_hover && !pressed, 0, pressed ? 1 : 0);
}

void CToolButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) { Paint(lpDIS->hDC, lpDIS->itemState); }

void CToolButton::OnMouseMove(UINT, CPoint point) {
  if (!m_tracking) m_tracking = TrackHoverAndLeave(m_hWnd);
  Default();
  POINT screen = point;
  ClientToScreen(&screen);
  if (::WindowFromPoint(screen) == m_hWnd && ::GetActiveWindow() != nullptr) m_firstMove = FALSE;
}

LRESULT CToolButton::OnMouseHoverMsg(WPARAM, LPARAM) {
  m_hover = TRUE;
  Invalidate();
  return 0;
}

LRESULT CToolButton::OnMouseLeaveMsg(WPARAM, LPARAM) {
  m_tracking = FALSE;
  m_hover = FALSE;
  m_firstMove = TRUE;
  Invalidate();
  return 0;
}

BOOL CToolButton::OnEraseBkgnd(CDC*) { return FALSE; }

}  // namespace morvick::ui
