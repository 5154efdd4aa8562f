#include "toolkit/controls/CaptionButtonTheme.h"

#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/controls/Caption.h"
#include "toolkit/controls/CaptionButton.h"
#include "toolkit/controls/ControlColors.h"

IMPLEMENT_DYNCREATE(CTKCaptionButtonThemeFactory, CTKThemeManagerStyleFactory)

CTKThemeManagerStyle* CTKCaptionButtonThemeFactory::CreateTheme(int nTheme)
{
    CTKThemeManagerStyle* pStyle;
    if (nTheme == 1)
        pStyle = new CTKCaptionButtonThemeFlat;
    else if (nTheme == 2)
        pStyle = new CTKCaptionButtonThemeGradient;
    else
        pStyle = new CTKCaptionButtonTheme;
    pStyle->m_nTheme = nTheme;
    return pStyle;
}

namespace {
CTKCaption* CaptionOf(CTKButton* pButton)
{
    CTKCaptionButton* pCaptionButton = DYNAMIC_DOWNCAST(CTKCaptionButton, pButton);
    return pCaptionButton ? pCaptionButton->GetCaption() : NULL;
}

// The caption's text on the button (only in caption-button mode).
void DrawCaptionText(CTKButtonTheme* pTheme, CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    CTKCaption* pCaption = CaptionOf(pButton);
    if (pCaption == NULL || !pCaption->IsCaptionButtonMode() || pCaption->GetCaptionText().IsEmpty())
        return;
    CTKPFontSelector font(pDC, pTheme->GetFont() ? pTheme->GetFont() : pButton->GetFont());
    const COLORREF clrOld = pDC->SetTextColor(pTheme->GetTextColor(nItemState, pButton));
    CRect rc = rect;
    if ((nItemState & ODS_SELECTED) && pTheme->m_bShiftWhenPressed)
        rc.OffsetRect(1, 1);
    pDC->DrawText(pCaption->GetCaptionText(), &rc,
        DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SetTextColor(clrOld);
}

// Disabled, hot or pressed colours of the flat and gradient looks; otherwise the caption's text.
COLORREF ActiveTextColor(CTKButtonThemeFlat* pTheme, UINT nItemState, CTKButton* pButton)
{
    if (nItemState & ODS_DISABLED)
        return tkcolor::Get(tkcolor::GrayText);
    if (pButton->IsHot() || (nItemState & ODS_SELECTED))
        return pTheme->m_clrHotText;
    CTKCaption* pCaption = CaptionOf(pButton);
    return pCaption ? pCaption->m_clrText : static_cast<COLORREF>(pTheme->m_clrText);
}
}  // namespace

// --- Default ------------------------------------------------------------------------------------------

CTKCaptionButtonTheme::CTKCaptionButtonTheme()
{
    m_bShiftWhenPressed = FALSE;
}

COLORREF CTKCaptionButtonTheme::GetTextColor(UINT, CTKButton* pButton)
{
    CTKCaption* pCaption = CaptionOf(pButton);
    return pCaption ? pCaption->m_clrText : static_cast<COLORREF>(m_clrText);
}

void CTKCaptionButtonTheme::DrawButtonText(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    DrawCaptionText(this, pDC, nItemState, rect, pButton);
}

void CTKCaptionButtonTheme::DrawBackground(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    if (CTKCaption* pCaption = CaptionOf(pButton))
        SetFaceColor(pCaption->m_clrBackground);
    CTKButtonTheme::DrawBackground(pDC, nItemState, rect, pButton);
}

// --- Flat ---------------------------------------------------------------------------------------------

CTKCaptionButtonThemeFlat::CTKCaptionButtonThemeFlat()
{
    m_bFadedIdleImage = FALSE;
    m_bImageShadow = FALSE;
    m_bShiftWhenPressed = FALSE;
}

COLORREF CTKCaptionButtonThemeFlat::GetTextColor(UINT nItemState, CTKButton* pButton)
{
    return ActiveTextColor(this, nItemState, pButton);
}

void CTKCaptionButtonThemeFlat::DrawButtonText(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    DrawCaptionText(this, pDC, nItemState, rect, pButton);
}

void CTKCaptionButtonThemeFlat::DrawBackground(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    CTKCaption* pCaption = CaptionOf(pButton);
    const BOOL bPressed = (nItemState & ODS_SELECTED) != 0;
    if (!bPressed && !pButton->IsHot()) {
        if (pCaption)
            SetFaceColor(pCaption->m_clrBackground);
        pDC->FillSolidRect(&rect, m_clrFace);
        if (m_bAlternateFace)
            pDC->Draw3dRect(&rect, m_clrShadow, m_clrShadow);
        return;
    }
    pDC->FillSolidRect(&rect, tkcolor::Get(bPressed ? tkcolor::PressedFill : tkcolor::HotFill));
    const COLORREF clrFrame = tkcolor::Get(tkcolor::HotBorder);
    pDC->Draw3dRect(&rect, clrFrame, clrFrame);
}

// --- Gradient -----------------------------------------------------------------------------------------

CTKCaptionButtonThemeGradient::CTKCaptionButtonThemeGradient()
{
    m_bShiftWhenPressed = FALSE;
}

COLORREF CTKCaptionButtonThemeGradient::GetTextColor(UINT nItemState, CTKButton* pButton)
{
    return ActiveTextColor(this, nItemState, pButton);
}

void CTKCaptionButtonThemeGradient::DrawButtonText(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    DrawCaptionText(this, pDC, nItemState, rect, pButton);
}

BOOL CTKCaptionButtonThemeGradient::SampleCaptionGradient(CTKCaption* pCaption, const CRect& rcButton,
    CTKPColorGradient& gradient)
{
    CRect rcCaption;
    pCaption->GetClientRect(&rcCaption);
    if (rcCaption.IsRectEmpty())
        return FALSE;
    HDC hdcScreen = ::GetDC(NULL);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hdcScreen, rcCaption.Width(), rcCaption.Height());
    ::ReleaseDC(NULL, hdcScreen);
    if (hdc == NULL || hBitmap == NULL) {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        if (hdc)
            ::DeleteDC(hdc);
        return FALSE;
    }
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    const tkcolor::Gradient band = pCaption->IsCaptionButtonMode() ? tkcolor::CaptionButtonBand : tkcolor::CaptionBand;
    CTKPDrawingHelper::FillColorGradient(CDC::FromHandle(hdc), &rcCaption, &tkcolor::GetGradient(band), FALSE);
    CRect rc = rcButton;
    rc.IntersectRect(&rc, &rcCaption);
    const COLORREF clrTop = ::GetPixel(hdc, rc.left, rc.top);
    const COLORREF clrBottom = ::GetPixel(hdc, rc.right - 1, rc.bottom - 1);
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdc);
    gradient.SetStandardValues(clrTop, clrBottom, 0.5f);
    return TRUE;
}

void CTKCaptionButtonThemeGradient::DrawBackground(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    CTKCaption* pCaption = CaptionOf(pButton);
    if (pCaption == NULL) {
        CTKButtonThemeGradient::DrawBackground(pDC, nItemState, rect, pButton);
        return;
    }
    const BOOL bPressed = (nItemState & ODS_SELECTED) != 0;
    if (!bPressed && !pButton->IsHot()) {
        CRect rcButton;
        pButton->GetWindowRect(&rcButton);
        pCaption->ScreenToClient(&rcButton);
        CTKPColorGradient gradient;
        if (SampleCaptionGradient(pCaption, rcButton, gradient))
            CTKPDrawingHelper::FillColorGradient(pDC, &rect, &gradient, FALSE);
        else
            pDC->FillSolidRect(&rect, pCaption->m_clrBackground);
        return;
    }
    const tkcolor::Gradient fill = bPressed ? tkcolor::PressedButton : tkcolor::HotButton;
    CTKPDrawingHelper::FillColorGradient(pDC, &rect, &tkcolor::GetGradient(fill), FALSE);
    const COLORREF clrFrame = tkcolor::GetScheme(tkcolor::HotBorder);
    pDC->Draw3dRect(&rect, clrFrame, clrFrame);
}
