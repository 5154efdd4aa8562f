#pragma once
// A text label that lets the page's background show through it.

#include "classlib/win/AfxWin.h"

namespace morvick::ui {

class CTransparentStatic : public CStatic {
 public:
  CTransparentStatic() = default;

 protected:
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// Repaints the part of a window's parent that lies under the window, at once.
void RepaintParentBehind(CWnd* wnd);

}  // namespace morvick::ui
