#pragma once
// A bitmap button that shows a second picture while the mouse is over it and publishes its hover
// id in g_nHoveredModeButton meanwhile (the start page's mode buttons).

#include "classlib/win/AfxWin.h"
#include "ui/controls/win/HoverBitmaps.h"

namespace morvick::ui {

class CHoverButton : public CBitmapButton {
  DECLARE_DYNAMIC(CHoverButton)
 public:
  CHoverButton();
  ~CHoverButton() override;

  // Loads the normal and hovered pictures and sizes the button to the normal one.
  BOOL LoadHoverBitmaps(UINT normalId, UINT hoverId);
  void SetBuddy(CWnd* buddy) { m_buddy = buddy; }
  void SetHoverId(UINT id) { m_hoverId = id; }
  BOOL IsHovered() const { return m_hover; }

  // Draws the button in the given item state into dc.
  void Paint(HDC dc, UINT itemState);
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

 protected:
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg LRESULT OnMouseHoverMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMouseLeaveMsg(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  void RepaintWithBuddy();

  CWnd* m_buddy = nullptr;
  UINT m_hoverId = 0;
  BOOL m_hover = FALSE;
  HoverBitmaps m_bitmaps;
  BOOL m_tracking = FALSE;
  HCURSOR m_overCursor = nullptr;
  HCURSOR m_pressedCursor = nullptr;
};

// Asks for WM_MOUSEHOVER (after 1 ms) and WM_MOUSELEAVE for a window.
BOOL TrackHoverAndLeave(HWND hwnd);
// Shows a cursor when there is one (a missing cursor keeps the current one).
void ShowCursorIfLoaded(HCURSOR cursor);

}  // namespace morvick::ui
