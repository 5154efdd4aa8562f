#pragma once
// A bitmap button of the wizard pages that shows a second picture while the mouse is over it and
// a tooltip.

#include "classlib/win/AfxWin.h"
#include "ui/controls/win/HoverBitmaps.h"

namespace morvick::ui {

class CToolButton : public CBitmapButton {
  DECLARE_DYNAMIC(CToolButton)
 public:
  CToolButton() = default;

  BOOL LoadHoverBitmaps(UINT normalId, UINT hoverId);
  // Creates the tooltip on first use, sets its text and turns it on or off.
  void SetToolTipText(LPCTSTR text, BOOL activate = TRUE);
  CToolTipCtrl& ToolTip() { return m_toolTip; }
  BOOL IsHovered() const { return m_hover; }
  BOOL IsFirstMove() const { return m_firstMove; }

  // Draws the button in the given item state into dc: the hovered picture while the mouse is
  // over it, the normal picture one pixel lower while it is pressed.
  void Paint(HDC dc, UINT itemState);
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg LRESULT OnMouseHoverMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMouseLeaveMsg(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  void EnsureToolTip();

  CString m_toolTipText;
  BOOL m_hover = FALSE;
  HoverBitmaps m_bitmaps;
  BOOL m_tracking = FALSE;
  BOOL m_firstMove = TRUE;
  CToolTipCtrl m_toolTip;
  BOOL m_toolAdded = FALSE;
};

}  // namespace morvick::ui
