#include "ui/controls/win/TransparentButtonCtrl.h"

namespace morvick::ui {

BEGIN_MESSAGE_MAP(CTransparentButtonCtrl, CButton)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

HBRUSH CTransparentButtonCtrl::CtlColor(CDC* pDC, UINT) {
  pDC->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

BOOL CTransparentButtonCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

}  // namespace morvick::ui
