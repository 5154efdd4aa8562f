#include "toolkit/commandbars/customize/ImageEditorPicker.h"

#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/commandbars/customize/ImageEditorPicture.h"

IMPLEMENT_DYNAMIC(CTKPImageEditorPicker, CStatic)

BEGIN_MESSAGE_MAP(CTKPImageEditorPicker, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void CTKPImageEditorPicker::SetColor(COLORREF clr)
{
    m_clr = clr;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CTKPImageEditorPicker::SetSelected(BOOL bSelected)
{
    m_bSelected = bSelected;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void CTKPImageEditorPicker::DrawCell(CDC* pDC, CRect rc)
{
    if (m_clr == CTKPEditorPicture::kTransparent) {
        pDC->FillSolidRect(rc, RGB(255, 255, 255));
        const int cx = rc.Width() / 2, cy = rc.Height() / 2;
        pDC->FillSolidRect(rc.left, rc.top, cx, cy, RGB(235, 235, 235));
        pDC->FillSolidRect(rc.left + cx, rc.top + cy, rc.Width() - cx, rc.Height() - cy, RGB(235, 235, 235));
    } else {
        pDC->FillSolidRect(rc, m_clr);
    }
    CTKPColorManager* pColors = GetColorManager();
    if (m_bSelected) {
        const COLORREF clrHighlight = pColors->GetColor(COLOR_HIGHLIGHT);
        pDC->Draw3dRect(rc, clrHighlight, clrHighlight);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(rc, RGB(255, 255, 255), RGB(255, 255, 255));
    } else {
        const COLORREF clrFrame = pColors->GetColor(COLOR_3DSHADOW);
        pDC->Draw3dRect(rc, clrFrame, clrFrame);
    }
}

void CTKPImageEditorPicker::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CTKPBufferedDC memDC(dc.GetSafeHdc(), rc);
    DrawCell(&memDC, rc);
}

void CTKPImageEditorPicker::OnLButtonDown(UINT, CPoint)
{
    NMHDR nm;
    nm.hwndFrom = m_hWnd;
    nm.idFrom = (UINT_PTR)GetDlgCtrlID();
    nm.code = NM_CLICK;
    GetParent()->SendMessage(WM_NOTIFY, nm.idFrom, (LPARAM)&nm);
}
