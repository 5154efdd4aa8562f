#include "toolkit/controls/CaptionTheme.h"

#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/controls/Caption.h"
#include "toolkit/controls/ControlColors.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CTKCaptionThemeFactory, CTKThemeManagerStyleFactory)

CTKThemeManagerStyle* CTKCaptionThemeFactory::CreateTheme(int nTheme)
{
    CTKThemeManagerStyle* pStyle;
    if (nTheme == 1)
        pStyle = new CTKCaptionThemeFlat;
    else if (nTheme == 2)
        pStyle = new CTKCaptionThemeGradient;
    else
        pStyle = new CTKCaptionTheme;
    pStyle->m_nTheme = nTheme;
    return pStyle;
}

void CTKCaptionTheme::RefreshMetrics()
{
    m_clrShadow.SetStandardValue(tkcolor::Get(tkcolor::Shadow));
    m_clrHighlight.SetStandardValue(tkcolor::Get(tkcolor::Hilite));
}

void CTKCaptionTheme::DrawBackground(CDC* pDC, CTKCaption* pCaption, const CRect& rect)
{
    CRect rc = rect;
    pDC->FillSolidRect(&rc, pCaption->m_clrBorder);
    const DWORD dwStyle = pCaption->m_dwCaptionStyle;
    if (dwStyle & TKCS_DOUBLE3D) {
        pDC->Draw3dRect(&rc, m_clrShadow, m_clrHighlight);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, m_clrHighlight, m_clrShadow);
    } else if (dwStyle & TKCS_RAISED) {
        pDC->Draw3dRect(&rc, m_clrHighlight, m_clrShadow);
    }
    // Without a border the fill stops inside the frame.
    if ((dwStyle & (TKCS_DOUBLE3D | TKCS_RAISED)) && pCaption->m_nBorderSize == 0)
        rc.DeflateRect(1, 1);
    rc.DeflateRect(pCaption->m_nBorderSize, pCaption->m_nBorderSize);
    pDC->FillSolidRect(&rc, pCaption->m_clrBackground);
}

void CTKCaptionTheme::DrawText(CDC* pDC, CTKCaption* pCaption, const CRect& rect)
{
    const CString& strText = pCaption->GetCaptionText();
    if (strText.IsEmpty())
        return;
    CTKPFontSelector font(pDC, pCaption->GetFont());
    const COLORREF clrOld = pDC->SetTextColor(pCaption->m_clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rc = rect;
    pDC->DrawText(strText, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}

void CTKCaptionTheme::DrawIcon(CDC* pDC, CTKCaption* pCaption, const CRect& rect)
{
    HICON hIcon = pCaption->GetCaptionIcon();
    if (hIcon == NULL)
        return;
    const CSize size = pCaption->m_sizeIcon;
    const int nBorder = pCaption->m_nBorderSize;
    const int x = std::max<int>(rect.right - nBorder - size.cx - 2, nBorder);
    const int y = (rect.Height() - size.cy) / 2;
    if (x + size.cx <= rect.right - nBorder)
        ::DrawIconEx(pDC->GetSafeHdc(), x, y, hIcon, size.cx, size.cy, 0, NULL, DI_NORMAL);
}

void CTKCaptionThemeFlat::DrawBackground(CDC* pDC, CTKCaption* pCaption, const CRect& rect)
{
    CRect rc = rect;
    pDC->FillSolidRect(&rc, pCaption->m_clrBorder);
    if (pCaption->IsCaptionButtonMode()) {
        rc.DeflateRect(pCaption->m_nBorderSize, pCaption->m_nBorderSize);
        pDC->FillSolidRect(&rc, pCaption->m_clrBackground);
    } else {
        pDC->Draw3dRect(&rc, m_clrHighlight, m_clrShadow);
    }
}

void CTKCaptionThemeGradient::DrawBackground(CDC* pDC, CTKCaption* pCaption, const CRect& rect)
{
    const COLORREF clrFrame = tkcolor::Get(tkcolor::CaptionFrame);
    if (pCaption->IsCaptionButtonMode()) {
        CTKPDrawingHelper::FillColorGradient(pDC, &rect, &tkcolor::GetGradient(tkcolor::CaptionButtonBand), FALSE);
        pDC->Draw3dRect(&rect, clrFrame, clrFrame);
    } else {
        CTKPDrawingHelper::FillColorGradient(pDC, &rect, &tkcolor::GetGradient(tkcolor::CaptionBand), FALSE);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clrFrame);
    }
}
