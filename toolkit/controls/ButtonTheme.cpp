#include "toolkit/controls/ButtonTheme.h"

#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ControlColors.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CTKButtonThemeFactory, CTKThemeManagerStyleFactory)

CTKThemeManagerStyle* CTKButtonThemeFactory::CreateTheme(int nTheme)
{
    CTKThemeManagerStyle* pStyle;
    if (nTheme == 1)
        pStyle = new CTKButtonThemeFlat;
    else if (nTheme == 2)
        pStyle = new CTKButtonThemeGradient;
    else
        pStyle = new CTKButtonTheme;
    pStyle->m_nTheme = nTheme;
    return pStyle;
}

namespace {
// The button's "pressed" for the default look: held down or checked.
BOOL IsPushed(UINT nItemState, CTKButton* pButton)
{
    return (nItemState & ODS_SELECTED) || pButton->GetChecked();
}
}  // namespace

CTKButtonTheme::CTKButtonTheme() : m_bShowImage(TRUE), m_bShiftWhenPressed(TRUE), m_pFont(NULL) {}

CTKButtonTheme::~CTKButtonTheme() {}

void CTKButtonTheme::RefreshMetrics()
{
    m_clrFace.SetStandardValue(tkcolor::Get(tkcolor::Face));
    m_clrText.SetStandardValue(tkcolor::Get(tkcolor::ButtonText));
    m_clrDisabledText.SetStandardValue(tkcolor::Get(tkcolor::GrayText));
    m_clrLight.SetStandardValue(tkcolor::Get(tkcolor::Face));
    m_clrShadow.SetStandardValue(tkcolor::Get(tkcolor::Shadow));
    m_clrHighlight.SetStandardValue(tkcolor::Get(tkcolor::Hilite));
    m_clrDarkShadow.SetStandardValue(tkcolor::Get(tkcolor::DarkShadow));
}

void CTKButtonTheme::SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText)
{
    m_clrFace.SetOverrideValue(clrFace);
    m_clrLight.SetOverrideValue(clrLight);
    m_clrShadow.SetOverrideValue(clrShadow);
    m_clrText.SetOverrideValue(clrText);
}

BOOL CTKButtonTheme::IsThemeActive(CTKButton* pButton)
{
    if (pButton == NULL || (pButton->GetButtonStyleFlags() & TKBS_VISUALSTYLES) == 0)
        return FALSE;
    if (m_themeButton.GetThemeHandle() == NULL)
        m_themeButton.OpenThemeData(pButton->GetSafeHwnd(), L"BUTTON");
    return m_themeButton.IsAppThemed() && m_themeButton.GetThemeHandle() != NULL;
}

BOOL CTKButtonTheme::IsHotTrackingEnabled(CTKButton* pButton)
{
    if (IsThemeActive(pButton))
        return TRUE;
    return (pButton->GetButtonStyleFlags() & (TKBS_FLAT | TKBS_SEMIFLAT)) != 0;
}

CFont* CTKButtonTheme::GetTextFont(CTKButton* pButton) const
{
    return m_pFont ? m_pFont : pButton->CWnd::GetFont();
}

CSize CTKButtonTheme::MeasureText(CDC* pDC, CTKButton* pButton) const
{
    CString strText;
    pButton->GetButtonText(strText, TRUE);
    if (strText.IsEmpty())
        return CSize(0, 0);
    CTKPFontSelector font(pDC, GetTextFont(pButton));
    return pDC->GetTextExtent(strText);
}

CPoint CTKButtonTheme::CalcImageOffset(int cx, int cy, CTKButton* pButton)
{
    CRect rcClient;
    pButton->GetClientRect(&rcClient);
    CPoint pt;
    if (pButton->GetButtonStyleFlags() & TKBS_IMAGEABOVETEXT)
        pt.x = std::max(0, (rcClient.Width() - cx) / 2);
    else
        pt.x = pButton->m_nMargin;
    pt.y = std::max(0, (rcClient.Height() - cy) / 2);
    return pt;
}

CPoint CTKButtonTheme::GetImagePosition(CDC* pDC, UINT, const CRect& rect, BOOL, CTKButton* pButton)
{
    if (pButton->HasFixedPositions())
        return pButton->m_ptImage;
    const CSize size = GetShowImage() ? pButton->GetImageSize() : CSize(0, 0);
    CPoint pt(pButton->m_nMargin, CalcImageOffset(size.cx, size.cy, pButton).y);
    const DWORD dwAlign = pButton->GetStyle();
    const CSize sizeText = MeasureText(pDC, pButton);
    const BOOL bHasText = sizeText.cx > 0;

    if ((pButton->GetButtonStyleFlags() & TKBS_IMAGEABOVETEXT) == 0) {
        if (!bHasText) {
            if ((dwAlign & BS_CENTER) == BS_CENTER && size.cx <= rect.Width())
                pt.x = (rect.Width() - size.cx) / 2;
            if ((dwAlign & BS_VCENTER) == BS_VCENTER && size.cy <= rect.Height())
                pt.y = (rect.Height() - size.cy) / 2;
        }
        return pt;
    }
    if (bHasText)
        pt.y -= sizeText.cy / 2 + pButton->m_nImageTextGap / 2;
    switch (dwAlign & BS_CENTER) {
    case BS_LEFT:
        break;
    case BS_RIGHT:
        pt.x = rect.right - pButton->m_nMargin - size.cx;
        break;
    default: {
        const int nHalf = (rect.Width() - size.cx) / 2;
        pt.x = nHalf < 0 ? rect.left : rect.left + nHalf;
    }
    }
    return pt;
}

CPoint CTKButtonTheme::GetTextPosition(UINT, const CRect& rect, CSize sizeText, CTKButton* pButton)
{
    if (pButton->HasFixedPositions())
        return pButton->m_ptText;
    const BOOL bAbove = (pButton->GetButtonStyleFlags() & TKBS_IMAGEABOVETEXT) != 0;
    // The image's room stays when the image is hidden, so that toggling it does not move the text.
    const CSize sizeImage = pButton->GetImageSize();
    const int nMargin = pButton->m_nMargin;
    CPoint pt(0, CalcImageOffset(sizeText.cx, sizeText.cy, pButton).y);
    if (bAbove)
        pt.y += pButton->m_nImageTextGap / 2 + sizeImage.cy / 2;

    switch (pButton->GetStyle() & BS_CENTER) {
    case BS_LEFT:
        pt.x = nMargin + (bAbove ? 0 : sizeImage.cx + pButton->m_nImageTextGap);
        break;
    case BS_RIGHT:
        pt.x = rect.right - nMargin - sizeText.cx;
        break;
    default: {
        const int nStart = nMargin + (bAbove ? 0 : sizeImage.cx);
        pt.x = nStart + (rect.right - nMargin - sizeText.cx - nStart) / 2;
    }
    }
    return pt;
}

COLORREF CTKButtonTheme::GetTextColor(UINT nItemState, CTKButton*)
{
    return (nItemState & ODS_DISABLED) ? m_clrDisabledText : m_clrText;
}

void CTKButtonTheme::DrawButtonText(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    CString strText;
    pButton->GetButtonText(strText, FALSE);
    if (strText.IsEmpty())
        return;
    CTKPFontSelector font(pDC, GetTextFont(pButton));
    CString strPlain = strText;
    CTKPDrawingHelper::StripMnemonics(strPlain);
    const CSize size = pDC->GetTextExtent(strPlain);
    CPoint pt = GetTextPosition(nItemState, rect, size, pButton);
    if (IsPushed(nItemState, pButton) && m_bShiftWhenPressed)
        pt.Offset(1, 1);
    const COLORREF clrOld = pDC->SetTextColor(GetTextColor(nItemState, pButton));
    const UINT nOldAlign = pDC->SetTextAlign(0);
    ::DrawStateW(pDC->GetSafeHdc(), NULL, NULL, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(strText)),
        strText.GetLength(), pt.x, pt.y, size.cx, size.cy, DST_PREFIXTEXT);
    pDC->SetTextAlign(nOldAlign);
    pDC->SetTextColor(clrOld);
}

void CTKButtonTheme::DrawButtonImage(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    CTKPImageIcon* pImage = pButton->GetImage();
    if (!GetShowImage() || pImage == NULL)
        return;
    CPoint pt = GetImagePosition(pDC, nItemState, rect, !pImage->GetHotIcon().IsEmpty(), pButton);
    const BOOL bPushed = IsPushed(nItemState, pButton);
    if (bPushed)
        pt.Offset(1, 1);
    if (nItemState & ODS_DISABLED)
        pImage->Draw(pDC, pt, pImage->GetDisabledIcon());
    else if (!pButton->IsHot() && !bPushed)
        pImage->Draw(pDC, pt, pImage->GetIcon());
    else
        pImage->Draw(pDC, pt, pImage->GetHotIcon());
}

void CTKButtonTheme::DrawItem(LPDRAWITEMSTRUCT lpDIS, CTKButton* pButton)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rect(lpDIS->rcItem);
    const UINT nState = lpDIS->itemState;
    if (!DrawThemedBackground(pDC, nState, rect, pButton))
        DrawBackground(pDC, nState, rect, pButton);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    DrawButtonText(pDC, nState, rect, pButton);
    DrawButtonImage(pDC, nState, rect, pButton);
    if ((pButton->GetButtonStyleFlags() & TKBS_FOCUSRECT) && (nState & ODS_FOCUS))
        DrawFocus(pDC, nState, rect, pButton);
    pDC->SetBkMode(nOldMode);
}

BOOL CTKButtonTheme::DrawThemedBackground(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    if (!IsThemeActive(pButton))
        return FALSE;
    int nState = 1;  // PBS_NORMAL
    if (nItemState & ODS_FOCUS)
        nState = 5;  // PBS_DEFAULTED
    if (pButton->IsHot())
        nState = 2;  // PBS_HOT
    if (IsPushed(nItemState, pButton))
        nState = 3;  // PBS_PRESSED
    if (nItemState & ODS_DISABLED)
        nState = 4;  // PBS_DISABLED
    return SUCCEEDED(m_themeButton.DrawThemeBackground(pDC->GetSafeHdc(), 1, nState, &rect, NULL));
}

void CTKButtonTheme::DrawBackground(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    const BOOL bPushed = IsPushed(nItemState, pButton);
    const DWORD dwFlags = pButton->GetButtonStyleFlags();
    pDC->FillSolidRect(&rect, m_clrFace);
    if ((dwFlags & TKBS_PATTERNPRESSED) && bPushed)
        CTKPDrawingHelper::FillCheckerPattern(pDC, &rect);

    if (dwFlags & TKBS_FLAT) {
        if (bPushed)
            pDC->Draw3dRect(&rect, m_clrShadow, m_clrHighlight);
        else if (pButton->IsHot())
            pDC->Draw3dRect(&rect, m_clrHighlight, m_clrShadow);
    } else if (dwFlags & TKBS_SEMIFLAT) {
        if (bPushed)
            pDC->Draw3dRect(&rect, m_clrShadow, m_clrHighlight);
        else
            pDC->Draw3dRect(&rect, m_clrHighlight, m_clrShadow);
    } else {
        CRect rc = rect;
        if (bPushed) {
            pDC->Draw3dRect(&rc, m_clrDarkShadow, m_clrHighlight);
            rc.DeflateRect(1, 1);
            pDC->Draw3dRect(&rc, m_clrShadow, m_clrLight);
        } else {
            pDC->Draw3dRect(&rc, m_clrHighlight, m_clrDarkShadow);
            rc.DeflateRect(1, 1);
            pDC->Draw3dRect(&rc, m_clrLight, m_clrShadow);
        }
    }
}

void CTKButtonTheme::DrawFocus(CDC* pDC, UINT, const CRect& rect, CTKButton* pButton)
{
    const COLORREF clrOld = pDC->SetTextColor(m_clrText);
    CRect rc = rect;
    const int nInset = IsThemeActive(pButton) ? 4 : 2;
    rc.DeflateRect(nInset, nInset);
    pDC->DrawFocusRect(&rc);
    pDC->SetTextColor(clrOld);
}

// --- Flat ---------------------------------------------------------------------------------------------

CTKButtonThemeFlat::CTKButtonThemeFlat(BOOL bAlternateFace)
    : m_bAlternateFace(bAlternateFace), m_bFadedIdleImage(TRUE), m_bImageShadow(TRUE)
{
    m_bShiftWhenPressed = FALSE;
}

void CTKButtonThemeFlat::RefreshMetrics()
{
    CTKButtonTheme::RefreshMetrics();
    m_clrPressedFill.SetStandardValue(tkcolor::Get(tkcolor::PressedFill));
    m_clrHotFill.SetStandardValue(tkcolor::Get(tkcolor::HotFill));
    m_clrPressedText.SetStandardValue(tkcolor::Get(tkcolor::PressedText));
    m_clrHotText.SetStandardValue(tkcolor::Get(tkcolor::HotText));
    m_clrCheckedFill.SetStandardValue(tkcolor::Get(tkcolor::CheckedFill));
    m_clrFace.SetStandardValue(tkcolor::Get(m_bAlternateFace ? tkcolor::AltFace : tkcolor::Face));
    m_clrShadow.SetStandardValue(tkcolor::Get(tkcolor::Shadow));
    m_clrLight.SetStandardValue(tkcolor::Get(tkcolor::HotBorder));
    m_clrText.SetStandardValue(tkcolor::Get(tkcolor::FlatText));
}

void CTKButtonThemeFlat::SetAlternateFace(BOOL bAlternateFace)
{
    m_bAlternateFace = bAlternateFace;
    RefreshMetrics();
}

COLORREF CTKButtonThemeFlat::GetTextColor(UINT nItemState, CTKButton* pButton)
{
    if (nItemState & ODS_DISABLED)
        return tkcolor::Get(tkcolor::GrayText);
    if (pButton->IsHot())
        return m_clrHotText;
    if (nItemState & ODS_SELECTED)
        return m_clrPressedText;
    return m_clrText;
}

void CTKButtonThemeFlat::DrawButtonImage(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    CTKPImageIcon* pImage = pButton->GetImage();
    if (!GetShowImage() || pImage == NULL)
        return;
    const CPoint pt = GetImagePosition(pDC, nItemState, rect, !pImage->GetHotIcon().IsEmpty(), pButton);
    const BOOL bSelected = (nItemState & ODS_SELECTED) != 0;
    if (nItemState & ODS_DISABLED) {
        pImage->Draw(pDC, pt, pImage->GetDisabledIcon());
    } else if (pButton->IsHot() && m_bImageShadow) {
        pImage->Draw(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetShadowIcon());
        pImage->Draw(pDC, CPoint(pt.x - 1, pt.y - 1), pImage->GetHotIcon());
    } else if (pButton->IsHot() || bSelected) {
        pImage->Draw(pDC, pt, pImage->GetHotIcon());
    } else {
        pImage->Draw(pDC, pt, m_bFadedIdleImage ? pImage->GetFadedIcon() : pImage->GetIcon());
    }
}

CTKButtonThemeFlat::FaceState CTKButtonThemeFlat::GetFaceState(UINT nItemState, CTKButton* pButton)
{
    const BOOL bHot = pButton->IsHot();
    const BOOL bPressed = (nItemState & ODS_SELECTED) != 0;
    const BOOL bChecked = pButton->GetChecked();
    if (bPressed || (bChecked && bHot))
        return facePressed;
    if (bChecked)
        return faceChecked;
    return bHot ? faceHot : faceIdle;
}

void CTKButtonThemeFlat::FillActiveFace(CDC* pDC, const CRect& rect, FaceState state)
{
    const COLORREF clr = state == faceHot ? m_clrHotFill : state == facePressed ? m_clrPressedFill : m_clrCheckedFill;
    pDC->FillSolidRect(&rect, clr);
}

void CTKButtonThemeFlat::DrawBackground(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    const FaceState state = GetFaceState(nItemState, pButton);
    if (state == faceIdle) {
        pDC->FillSolidRect(&rect, m_clrFace);
        if (m_bAlternateFace)
            pDC->Draw3dRect(&rect, m_clrShadow, m_clrShadow);
        return;
    }
    FillActiveFace(pDC, rect, state);
    pDC->Draw3dRect(&rect, m_clrLight, m_clrLight);
}

void CTKButtonThemeFlat::DrawFocus(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    if (m_bAlternateFace && !pButton->IsHot() && !(nItemState & ODS_SELECTED) &&
        (pButton->GetButtonStyleFlags() & TKBS_VISUALSTYLES) == 0) {
        const COLORREF clr = tkcolor::Get(tkcolor::Highlight);
        CRect rc = rect;
        pDC->Draw3dRect(&rc, clr, clr);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, clr, clr);
        return;
    }
    CTKButtonTheme::DrawFocus(pDC, nItemState, rect, pButton);
}

// --- Gradient -----------------------------------------------------------------------------------------

CTKButtonThemeGradient::CTKButtonThemeGradient(BOOL bAlternateFace) : CTKButtonThemeFlat(bAlternateFace)
{
    m_bFadedIdleImage = FALSE;
    m_bImageShadow = FALSE;
}

void CTKButtonThemeGradient::RefreshMetrics()
{
    CTKButtonThemeFlat::RefreshMetrics();
    m_clrFace.SetStandardValue(tkcolor::Get(tkcolor::Face));
    // Face, shadow and border of the blue, olive and silver schemes.
    static const COLORREF kSchemeColors[3][3] = {
        {0x00F0C7A9, 0x00B99D7F, 0x00800000},
        {0x009FD4C5, 0x007FB9A4, 0x00385D3F},
        {0x00D3C0C0, 0x00B2ACA5, 0x000B4B4B},
    };
    const int nScheme = GetColorManager()->GetCurrentColorScheme();
    if (nScheme != 0) {
        m_clrHotFill.SetStandardValue(0x00C2EEFF);
        m_clrPressedFill.SetStandardValue(0x003E80FE);
        m_clrCheckedFill.SetStandardValue(0x006FC0FF);
        m_clrText.SetStandardValue(0);
        m_clrPressedText.SetStandardValue(0);
        m_clrHotText.SetStandardValue(0);
        if (nScheme >= 1 && nScheme <= 3) {
            m_clrFace.SetStandardValue(kSchemeColors[nScheme - 1][0]);
            m_clrShadow.SetStandardValue(kSchemeColors[nScheme - 1][1]);
            m_clrLight.SetStandardValue(kSchemeColors[nScheme - 1][2]);
        }
    }
    if (!m_bAlternateFace)
        m_clrFace.SetStandardValue(tkcolor::Get(tkcolor::Face));
}

void CTKButtonThemeGradient::FillActiveFace(CDC* pDC, const CRect& rect, FaceState state)
{
    const tkcolor::Gradient gradient = state == faceHot ? tkcolor::HotButton
        : state == facePressed                          ? tkcolor::PressedButton
                                                        : tkcolor::CheckedButton;
    CTKPDrawingHelper::FillColorGradient(pDC, &rect, &tkcolor::GetGradient(gradient), FALSE);
}

void CTKButtonThemeGradient::DrawButtonImage(CDC* pDC, UINT nItemState, const CRect& rect, CTKButton* pButton)
{
    CTKPImageIcon* pImage = pButton->GetImage();
    if (!GetShowImage() || pImage == NULL)
        return;
    const CPoint pt = GetImagePosition(pDC, nItemState, rect, !pImage->GetHotIcon().IsEmpty(), pButton);
    if (nItemState & ODS_DISABLED)
        pImage->Draw(pDC, pt, pImage->GetDisabledIcon());
    else if (nItemState & ODS_SELECTED)
        pImage->Draw(pDC, pt, pImage->GetHotIcon());
    else
        pImage->Draw(pDC, pt, pImage->GetIcon());
}
