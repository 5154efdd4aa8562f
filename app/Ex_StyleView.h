// CEx_StyleView: the first page of the main frame (pane id AFX_IDW_PANE_FIRST).
#pragma once

#include "classlib/win/AfxWin.h"

class CEx_StyleView : public CView {
  DECLARE_DYNCREATE(CEx_StyleView)
 public:
  CEx_StyleView();
  void OnDraw(CDC* pDC) override;

  DECLARE_MESSAGE_MAP()
};
