#include "ui/controls/win/TransparentStatic.h"

namespace morvick::ui {

BEGIN_MESSAGE_MAP(CTransparentStatic, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

void RepaintParentBehind(CWnd* wnd) {
  CWnd* parent = wnd->GetParent();
  if (parent == nullptr) return;
  RECT r;
  wnd->GetWindowRect(&r);
  parent->ScreenToClient(&r);
  parent->InvalidateRect(&r, TRUE);
  parent->UpdateWindow();
}

HBRUSH CTransparentStatic::CtlColor(CDC* pDC, UINT) {
  pDC->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

LRESULT CTransparentStatic::OnSetText(WPARAM, LPARAM) {
  const LRESULT result = Default();
  // The old text would stay visible through the transparent background.
  RepaintParentBehind(this);
  return result;
}

}  // namespace morvick::ui
