#pragma once
// A single-line edit box whose text stands vertically centred in a taller box: the spare height
// becomes two white bands of the non-client area above and below the text line.

#include "classlib/win/AfxWin.h"

namespace morvick::ui {

class CCenteredEdit : public CEdit {
 public:
  CCenteredEdit() = default;

  // Fills both bands white in a device context of the whole window.
  void PaintBands(HDC windowDc);
  // The bands in window coordinates (empty until the frame was calculated with spare height).
  RECT TopBand() const { return m_topBand; }
  RECT BottomBand() const { return m_bottomBand; }

 protected:
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

 private:
  RECT m_topBand = {};
  RECT m_bottomBand = {};
  bool m_frameRecalculated = false;
};

}  // namespace morvick::ui
