#pragma once
// A push button, check box or radio button whose surroundings show the page's background.

#include "classlib/win/AfxWin.h"

namespace morvick::ui {

class CTransparentButtonCtrl : public CButton {
 public:
  CTransparentButtonCtrl() = default;

 protected:
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()
};

}  // namespace morvick::ui
