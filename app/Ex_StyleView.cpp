#include "app/Ex_StyleView.h"

IMPLEMENT_DYNCREATE(CEx_StyleView, CView)

BEGIN_MESSAGE_MAP(CEx_StyleView, CView)
END_MESSAGE_MAP()

CEx_StyleView::CEx_StyleView() {}

void CEx_StyleView::OnDraw(CDC*) {}
