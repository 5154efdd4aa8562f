#include "toolkit/docking/DockingPaneSchemeTheme.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/docking/DockingPaneCaptionButton.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/tabs/TabTheme.h"

namespace {

// The colours of the blue, olive and silver schemes.
struct SchemeColors {
    COLORREF inactiveLight, inactiveDark;
    float inactiveMiddle;
    COLORREF second;
    COLORREF c38, c39, c40, c41, c43, c31, c32, c33, c36, c30;
};

const SchemeColors kSchemes[3] = {
    {0xFEECDD, 0xE2A981, 0.75f, 0xFCE7D8, 0x764127, 0xCB8C6A, 0xD0966D, 0xF6F6F6, 0x962D00, 0xC2EEFF, 0x800000,
        0x3E80FE, 0x6FC0FF, 0xF5BE9E},
    {0xDEF7F4, 0x91C6B7, 0.3f, 0xBFE7E2, 0x335E51, 0x588060, 0x7AAE9F, 0xEEF4F4, 0x5E8D75, 0xC2EEFF, 0x385D3F,
        0x3E80FE, 0x6FC0FF, 0xA7D9D9},
    {0xFFF9F9, 0xB79B9C, 0.75f, 0xEADFDF, 0x755454, 0x8F6D6E, 0xBEA7A8, 0xFFFAFD, 0x947C7C, 0xC2EEFF, 0x6F4B4B,
        0x3E80FE, 0x6FC0FF, 0xE5D7D7},
};

}  // namespace

// ---- Theme 2 -----------------------------------------------------------------------------------

CTKPDockingPaneSchemeTheme::CTKPDockingPaneSchemeTheme() : m_bSchemeColors(FALSE), m_bGrip(TRUE), m_bCaptionFrame(TRUE)
{
    m_nCaptionExtraHeight = 7;
    m_bBoldCaption = TRUE;
    for (CTKPTabTheme* pTabs : {m_pPaneTabTheme, m_pAutoHideTabTheme}) {
        pTabs->SetAppearance(2);
        pTabs->SetColorSet(4);
        pTabs->m_bHotTracking = TRUE;
    }
}

void CTKPDockingPaneSchemeTheme::RefreshMetrics()
{
    CTKPDockingPaneGradientTheme::RefreshMetrics();
    m_grcInactiveCaption.SetStandardValues(CTKPColorTable::BlendColors(GetColor(15), GetColor(5), 205), GetColor(15), 0.5f);
    m_clrInactiveCaptionText.SetStandardValue(18);
    m_grcActiveCaption.SetStandardValue(GetColor(36));
    m_clrActiveCaptionText.SetStandardValue(18);
    m_bSchemeColors = FALSE;
    const int nScheme = GetSchemeMode();
    if (nScheme < 1 || nScheme > 3)
        return;
    const SchemeColors& s = kSchemes[nScheme - 1];
    m_grcInactiveCaption.SetStandardValues(s.inactiveLight, s.inactiveDark, s.inactiveMiddle);
    m_clrSecond.SetStandardValue(s.second);
    m_clrFirst.SetStandardValue(GetColor(38));
    const UINT indexes[13] = {38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47};
    const COLORREF values[13] = {s.c38, s.c39, s.c40, s.c41, s.c43, s.c31, s.c32, s.c32, s.c32, s.c33, s.c36, s.c30, 0};
    SetColors(13, indexes, values);
    m_bSchemeColors = TRUE;
    m_grcActiveCaption.SetStandardValues(0x8CD5FF, 0x4CA6FF, 0.5f);
    m_grcCaption.CopyEffective(GetColorManager()->m_gradients[1]);
}

void CTKPDockingPaneSchemeTheme::DrawCaption(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc)
{
    const BOOL bVertical = pContainer->IsCaptionVertical();
    const BOOL bActive = IsCaptionActive(pContainer);
    CRect rcCaption = rc;
    if (bVertical)
        rcCaption.right = rcCaption.left + m_nCaptionHeight + 3;
    else
        rcCaption.bottom = rcCaption.top + m_nCaptionHeight + 3;
    const CTKPColorGradient& gradient = bActive ? m_grcActiveCaption : m_grcInactiveCaption;
    if (m_bCaptionFrame) {
        pDC->FillSolidRect(rcCaption, m_clrSecond.GetEffective());
        CRect rcInner = rcCaption;
        if (bVertical)
            rcInner.top += 1;
        else
            rcInner.left += 1;
        const int nSaved = pDC->SaveDC();
        CTKPDrawingHelper::ExcludeCorners(pDC, rcInner);
        CTKPDrawingHelper::FillColorGradient(pDC, rcInner, &gradient, bVertical);
        pDC->RestoreDC(nSaved);
    } else {
        CTKPDrawingHelper::FillColorGradient(pDC, rcCaption, &gradient, bVertical);
        DrawLine(pDC, rcCaption.left, rcCaption.top, rcCaption.left, rcCaption.bottom, 54);
        DrawLine(pDC, rcCaption.left, rcCaption.top, rcCaption.right, rcCaption.top, 54);
        DrawLine(pDC, rcCaption.right - 1, rcCaption.top, rcCaption.right - 1, rcCaption.bottom, 54);
    }
    DrawPaneCaption(pDC, pContainer, rcCaption, pContainer->GetTitle(), bActive, bVertical);
}

void CTKPDockingPaneSchemeTheme::DrawPaneCaption(
    CDC* pDC, CTKPDockingNode* pNode, CRect rc, const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    const COLORREF clr = bActive ? m_clrActiveCaptionText.GetEffective() : m_clrInactiveCaptionText.GetEffective();
    CutFarEnd(rc, 4, bVertical);
    LayoutCaptionButtons(pDC, pNode->m_arrCaptionButtons, rc, clr, 16, 0, bVertical);
    if (m_bGrip && CTKPDockingPaneCaptionButton::RectLength(rc, !bVertical) > 7) {
        if (!bVertical && rc.Height() > 8) {
            for (int y = 5; y == 5 || y < rc.Height() - 3; y += 4) {
                pDC->FillSolidRect(rc.left + 6, y + 1, 2, 2, GetColor(20));
                pDC->FillSolidRect(rc.left + 5, y, 2, 2, GetColor(38));
            }
        } else if (bVertical && rc.Width() - 5 > 3) {
            for (int x = 4; x == 4 || x - 1 < rc.Width() - 5; x += 4) {
                pDC->FillSolidRect(x + 1, rc.top + 6, 2, 2, GetColor(20));
                pDC->FillSolidRect(x, rc.top + 5, 2, 2, GetColor(38));
            }
        }
        if (bVertical)
            rc.top += 8;
        else
            rc.left += 8;
    }
    DeflateBand(rc, 6, 1, 2, 0, bVertical);
    pDC->SetTextColor(GetColor(clr));
    pDC->SetBkMode(TRANSPARENT);
    DrawCaptionTitle(pDC, strTitle, rc, bVertical, FALSE);
}

void CTKPDockingPaneSchemeTheme::DrawCaptionButtonBackground(
    CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF& clrGlyph)
{
    const CRect rc = pButton->GetRect();
    if (pButton->IsHot() && !pButton->IsPressed()) {
        if (m_bSchemeColors) {
            CTKPDrawingHelper::GradientFill(pDC, rc, 0xC8F2FF, 0x97D4FF, FALSE);
            pDC->Draw3dRect(rc, GetColor(32), GetColor(32));
            clrGlyph = 0;
        } else {
            FillFramed(pDC, rc, 31, 32);
            clrGlyph = 45;
        }
    }
    if (pButton->IsPressed()) {
        if (m_bSchemeColors) {
            CTKPDrawingHelper::GradientFill(pDC, rc, 0x4B8EFE, 0x8BCFFF, FALSE);
            pDC->Draw3dRect(rc, GetColor(32), GetColor(32));
            clrGlyph = 0;
        } else {
            FillFramed(pDC, rc, 33, 32);
            clrGlyph = 47;
        }
    }
}

void CTKPDockingPaneSchemeTheme::DrawCaptionButton(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    DrawCaptionButtonBackground(pDC, pButton, clrGlyph);
    const CRect rc = pButton->GetRect();
    DrawButtonGlyph(pDC, pButton, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2, clrGlyph);
}

void CTKPDockingPaneSchemeTheme::DrawFloatingFrame(CDC* pDC, CTKPDockingPaneMiniWnd* pMini, CRect rc)
{
    const COLORREF clrFrame = GetColor(43);
    CRect rcFrame = rc;
    for (int i = 0; i < 3; ++i) {
        pDC->Draw3dRect(rcFrame, clrFrame, clrFrame);
        rcFrame.DeflateRect(1, 1);
    }
    CRect rcInner = rc;
    rcInner.DeflateRect(2, 2);
    {
        const int nSaved = pDC->SaveDC();
        CTKPDrawingHelper::ExcludeCorners(pDC, rcInner);
        const COLORREF clrDark = m_grcInactiveCaption.m_clrDark.GetEffective();
        pDC->Draw3dRect(rcInner, clrDark, clrDark);
        pDC->RestoreDC(nSaved);
    }
    CRect rcBand = rcInner;
    rcBand.bottom = rcBand.top + m_nCaptionHeight + 3;
    const BOOL bActive = pMini->m_bActive;
    CTKPBufferedDC dc(pDC->GetSafeHdc(), rcBand);
    dc.SetBkMode(TRANSPARENT);
    CTKPDrawingHelper::FillColorGradient(&dc, rcBand, bActive ? &m_grcActiveCaption : &m_grcInactiveCaption, FALSE);
    rcBand.DeflateRect(1, 0);
    CString strTitle;
    pMini->GetWindowText(strTitle);
    DrawPaneCaption(&dc, pMini, rcBand, strTitle, bActive, FALSE);
}

// ---- Theme 7 -----------------------------------------------------------------------------------

CTKPDockingPaneSchemeLargeCaptionTheme::CTKPDockingPaneSchemeLargeCaptionTheme()
{
    m_bGrip = FALSE;
    m_bCaptionFrame = FALSE;
    m_nCaptionExtraHeight = 3;
}

void CTKPDockingPaneSchemeLargeCaptionTheme::RefreshMetrics()
{
    CTKPDockingPaneSchemeTheme::RefreshMetrics();
    if (m_bUseSystemFont) {
        LOGFONT lf = {};
        ::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0);
        lstrcpyn(lf.lfFaceName, _T("Arial"), LF_FACESIZE);
        lf.lfWeight = FW_BOLD;
        lf.lfHeight = 20;
        // Set once: the system font is not taken again by later refreshes.
        SetCaptionFont(&lf, FALSE);
    }
    if (m_bSchemeColors) {
        m_grcInactiveCaption.CopyEffective(GetColorManager()->m_gradients[0]);
        m_clrInactiveCaptionText.SetStandardValue(0xFFFFFF);
    } else {
        m_grcInactiveCaption.SetStandardValues(
            CTKPColorTable::BlendColors(GetColor(16), GetColor(5), 205), GetColor(16), 0.5f);
    }
}
