#pragma once
// The main frame's status bar: a message pane and, beside it, an owner-drawn "Contact Support"
// link that opens the support page.

#include "classlib/win/AfxWin.h"

namespace morvick::ui {

class CLinkStatusBar : public CStatusBar {
 public:
  static constexpr UINT kLinkPaneId = 101;
  static constexpr COLORREF kLinkColor = RGB(29, 117, 189);
  static const wchar_t kLinkText[];
  static const wchar_t kSupportUrl[];

  CLinkStatusBar() = default;

  // Pane 0 takes half the frame's width and 270 pixels; the link pane takes the rest.
  void UpdatePaneWidths(int frameWidth);
  // Draws the link text into dc at the left of the pane rectangle.
  void Paint(HDC dc, const RECT& pane);
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  // The part of the link pane that opens the support page, in client coordinates.
  RECT LinkRect();

 protected:
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  void MeasureText(HDC dc);

  CString m_text = kLinkText;
  int m_textWidth = 0;
  int m_textHeight = 0;
};

}  // namespace morvick::ui
