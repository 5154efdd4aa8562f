#include "toolkit/docking/DockingPaneGradientTheme.h"

#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/WindowsVersion.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/docking/DockingPaneCaptionButton.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/tabs/TabColorSet.h"
#include "toolkit/tabs/TabTheme.h"

#include <algorithm>

// ---- Theme 1 -----------------------------------------------------------------------------------

CTKPDockingPaneGradientTheme::CTKPDockingPaneGradientTheme() : m_bGradientCaption(FALSE)
{
    m_pAutoHideTabTheme->SetAppearance(6);
    m_pPaneTabTheme->SetAppearance(5);
    m_bBoldCaption = FALSE;
}

void CTKPDockingPaneGradientTheme::RefreshMetrics()
{
    CTKPDockingPaneGripperTheme::RefreshMetrics();
    m_grcActiveCaption.SetStandardValues(GetColor(2), GetColor(27), 0.5f);
    m_grcInactiveCaption.SetStandardValues(GetColor(3), ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION), 0.5f);
    m_clrInactiveCaptionText.SetStandardValue(18);
    m_clrActiveCaptionText.SetStandardValue(9);
    const OSVERSIONINFOW& version = CTKPWindowsVersion::GetRecord();
    if (version.dwMajorVersion < 4 || (version.dwMajorVersion == 4 && version.dwMinorVersion == 0)) {
        m_grcInactiveCaption.SetStandardValue(GetColor(3));
        m_grcActiveCaption.SetStandardValue(GetColor(2));
    }
}

COLORREF CTKPDockingPaneGradientTheme::DrawCaptionBackground(
    CDC* pDC, CTKPDockingNode*, CRect rc, BOOL bActive, BOOL)
{
    if (m_bGradientCaption) {
        CTKPDrawingHelper::FillColorGradient(pDC, rc, bActive ? &m_grcActiveCaption : &m_grcInactiveCaption, TRUE);
        return bActive ? 9 : 18;
    }
    if (bActive) {
        pDC->FillSolidRect(rc, m_grcActiveCaption.m_clrLight.GetEffective());
        return 9;
    }
    DrawLine(pDC, rc.left + 1, rc.top, rc.right - 1, rc.top, 52);
    DrawLine(pDC, rc.left, rc.top + 1, rc.left, rc.bottom - 1, 52);
    DrawLine(pDC, rc.left + 1, rc.bottom - 1, rc.right - 1, rc.bottom - 1, 52);
    DrawLine(pDC, rc.right - 1, rc.top + 1, rc.right - 1, rc.bottom - 1, 52);
    return 18;
}

void CTKPDockingPaneGradientTheme::DrawPaneCaption(
    CDC* pDC, CTKPDockingNode* pNode, CRect rc, const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    const COLORREF clrGlyph = DrawCaptionBackground(pDC, pNode, rc, bActive, bVertical);
    CutFarEnd(rc, 2, bVertical);
    LayoutCaptionButtons(pDC, pNode->m_arrCaptionButtons, rc, clrGlyph, 14, 2, bVertical);
    pDC->SetTextColor(GetColor(bActive ? m_clrActiveCaptionText.GetEffective() : m_clrInactiveCaptionText.GetEffective()));
    pDC->SetBkMode(TRANSPARENT);
    DeflateBand(rc, 4, 1, 0, 0, bVertical);
    DrawCaptionTitle(pDC, strTitle, rc, bVertical, FALSE);
}

// ---- Theme 3 -----------------------------------------------------------------------------------

CTKPDockingPaneExplorerTheme::CTKPDockingPaneExplorerTheme()
{
    for (CTKPTabTheme* pTabs : {m_pPaneTabTheme, m_pAutoHideTabTheme}) {
        pTabs->SetAppearance(0);
        pTabs->SetColorSet(8);
        pTabs->m_bHotTracking = TRUE;
    }
    m_bGradientCaption = TRUE;
    m_nCaptionExtraHeight = 7;
}

void CTKPDockingPaneExplorerTheme::RefreshMetrics()
{
    CTKPDockingPaneGradientTheme::RefreshMetrics();
    m_themeWindow.OpenThemeData(NULL, L"WINDOW");
    m_themeExplorerBar.OpenThemeData(NULL, L"EXPLORERBAR");
}

BOOL CTKPDockingPaneExplorerTheme::IsWindowThemed()
{
    return m_themeWindow.GetThemeHandle() && m_themeWindow.IsAppThemed();
}

BOOL CTKPDockingPaneExplorerTheme::IsExplorerBarThemed()
{
    return m_themeExplorerBar.GetThemeHandle() && m_themeExplorerBar.IsAppThemed();
}

void CTKPDockingPaneExplorerTheme::DrawCaption(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc)
{
    if (!IsWindowThemed()) {
        CTKPDockingPaneGradientTheme::DrawCaption(pDC, pContainer, rc);
        return;
    }
    const BOOL bVertical = pContainer->IsCaptionVertical();
    const BOOL bActive = IsCaptionActive(pContainer);
    const CRect rcBand = bVertical ? CRect(0, 0, m_nCaptionHeight + 1, rc.bottom) : CRect(0, 0, rc.right, m_nCaptionHeight + 1);
    m_themeWindow.DrawThemeBackground(pDC->GetSafeHdc(), 2, bActive ? 1 : 2, &rcBand, NULL);
    DrawPaneCaption(pDC, pContainer, rcBand, pContainer->GetTitle(), bActive, bVertical);
}

void CTKPDockingPaneExplorerTheme::DrawPaneCaption(
    CDC* pDC, CTKPDockingNode* pNode, CRect rc, const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    if (!IsWindowThemed()) {
        CTKPDockingPaneGradientTheme::DrawPaneCaption(pDC, pNode, rc, strTitle, bActive, bVertical);
        return;
    }
    const COLORREF clr = bActive ? 9 : 19;
    CutFarEnd(rc, 2, bVertical);
    LayoutCaptionButtons(pDC, pNode->m_arrCaptionButtons, rc, clr, 16, 3, bVertical);
    pDC->SetTextColor(GetColor(clr));
    pDC->SetBkMode(TRANSPARENT);
    DeflateBand(rc, 4, 1, 0, 0, bVertical);
    DrawCaptionTitle(pDC, strTitle, rc, bVertical, FALSE);
}

void CTKPDockingPaneExplorerTheme::DrawCaptionButton(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    const int nId = pButton->GetId();
    if (!IsExplorerBarThemed() || (nId != tkpcbClose && nId != tkpcbPin)) {
        CTKPDockingPaneGradientTheme::DrawCaptionButton(pDC, pButton, clrGlyph);
        return;
    }
    const CRect rc = pButton->GetRect();
    if (nId == tkpcbClose) {
        BOOL bOwnerActive = TRUE;
        CTKPDockingNode* pOwner = pButton->GetOwner();
        if (CTKPDockingPaneTabbedContainer* pContainer = pOwner ? pOwner->AsTabbedContainer() : NULL)
            bOwnerActive = IsCaptionActive(pContainer);
        else if (CTKPDockingPaneMiniWnd* pMini = pOwner ? pOwner->AsMiniWnd() : NULL)
            bOwnerActive = m_bActiveCaption && pMini->m_bActive;
        const int nState = pButton->IsPressed() ? 3 : (pButton->IsHot() || bOwnerActive) ? 2 : 1;
        m_themeExplorerBar.DrawThemeBackground(pDC->GetSafeHdc(), 2, nState, &rc, NULL);
    } else {
        int nState = pButton->IsPressed() ? 3 : pButton->IsHot() ? 2 : 1;
        if (!(pButton->GetState() & 2))
            nState += 3;
        m_themeExplorerBar.DrawThemeBackground(pDC->GetSafeHdc(), 3, nState, &rc, NULL);
    }
}

void CTKPDockingPaneExplorerTheme::DrawFloatingFrame(CDC* pDC, CTKPDockingPaneMiniWnd* pMini, CRect rc)
{
    if (!IsWindowThemed()) {
        CTKPDockingPaneGradientTheme::DrawFloatingFrame(pDC, pMini, rc);
        return;
    }
    const int nState = pMini->m_bActive ? 1 : 2;
    const HDC hDC = pDC->GetSafeHdc();
    const CRect rcLeft(rc.left, rc.top, rc.left + 3, rc.bottom);
    const CRect rcRight(rc.right - 3, rc.top, rc.right, rc.bottom);
    const CRect rcBottom(rc.left, rc.bottom - 3, rc.right, rc.bottom);
    m_themeWindow.DrawThemeBackground(hDC, 10, nState, &rcLeft, NULL);
    m_themeWindow.DrawThemeBackground(hDC, 11, nState, &rcRight, NULL);
    m_themeWindow.DrawThemeBackground(hDC, 12, nState, &rcBottom, NULL);
    CRect rcBand = rc;
    rcBand.bottom = rcBand.top + m_nCaptionHeight + 5;
    CTKPBufferedDC dc(hDC, rcBand);
    dc.SetBkMode(TRANSPARENT);
    m_themeWindow.DrawThemeBackground(dc.GetSafeHdc(), 2, nState, &rcBand, NULL);
    rcBand.DeflateRect(3, 0);
    CString strTitle;
    pMini->GetWindowText(strTitle);
    DrawPaneCaption(&dc, pMini, rcBand, strTitle, pMini->m_bActive, FALSE);
}

// ---- Theme 5 -----------------------------------------------------------------------------------

CTKPDockingPaneFlatTabTheme::CTKPDockingPaneFlatTabTheme()
{
    m_pAutoHideTabTheme->SetAppearance(6);
    m_pPaneTabTheme->SetAppearance(8);
    m_pPaneTabTheme->SetPosition(0);
    m_nCaptionExtraHeight = 2;
}

void CTKPDockingPaneFlatTabTheme::RefreshMetrics()
{
    // The root's refresh only: flat-tab captions use no caption gradients.
    CTKPDockingPaneTheme::RefreshMetrics();
}

void CTKPDockingPaneFlatTabTheme::AdjustCaptionRect(CTKPDockingPaneTabbedContainer* pContainer, CRect& rc)
{
    CTKPDockingPaneTheme::AdjustCaptionRect(pContainer, rc);
    const BOOL bVertical = pContainer->IsCaptionVertical();
    DeflateBand(rc, 3, 0, 3, 3, bVertical);
    if (!IsCaptionShown(pContainer))
        DeflateBand(rc, 0, 3, 0, 0, bVertical);
    if (!pContainer->IsTabsVisible() && m_pPaneTabTheme->m_nClientFrame != 2)
        rc.DeflateRect(1, 1);
}

void CTKPDockingPaneFlatTabTheme::DrawGrip(CDC* pDC, CRect rc, int nStart, int nEnd, BOOL bActive, BOOL bVertical)
{
    if (nEnd - nStart < 1)
        return;
    const COLORREF clr = GetColor(bActive ? 18 : 38);
    const int nCentre = bVertical ? (rc.left + rc.right) / 2 : (rc.top + rc.bottom) / 2;
    for (int d : {-3, -1, 1, 3}) {
        if (bVertical)
            pDC->FillSolidRect(nCentre + d, nStart, 1, nEnd - nStart, clr);
        else
            pDC->FillSolidRect(nStart, nCentre + d, nEnd - nStart, 1, clr);
    }
}

void CTKPDockingPaneFlatTabTheme::DrawCaption(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc)
{
    const BOOL bVertical = pContainer->IsCaptionVertical();
    const BOOL bActive = IsCaptionActive(pContainer);
    CRect rcBand = rc;
    if (bVertical) {
        rcBand.left = rc.left + 2;
        rcBand.right = rc.left + m_nCaptionHeight + 3;
        rcBand.bottom -= 1;
    } else {
        rcBand.top = rc.top + 2;
        rcBand.bottom = rc.top + m_nCaptionHeight + 3;
        rcBand.right -= 1;
    }
    LayoutCaptionButtons(pDC, pContainer->m_arrCaptionButtons, rcBand, 0, 16, 0, bVertical);
    DeflateBand(rcBand, 4, 1, 2, 0, bVertical);
    int nStart = bVertical ? rcBand.top + 4 : rcBand.left + 4;
    const CString strTitle = pContainer->GetTitle();
    if (!strTitle.IsEmpty()) {
        pDC->SetTextColor(GetColor(18));
        pDC->SetBkMode(TRANSPARENT);
        nStart = (bVertical ? rcBand.top : rcBand.left) + DrawCaptionTitle(pDC, strTitle, rcBand, bVertical, TRUE) + 10;
    }
    DrawGrip(pDC, rcBand, nStart, bVertical ? rcBand.bottom : rcBand.right, bActive, bVertical);
}

void CTKPDockingPaneFlatTabTheme::DrawTabbedContainer(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc)
{
    const CRect rcContainer = rc;
    const BOOL bActive = IsCaptionActive(pContainer);
    pDC->SetBkMode(TRANSPARENT);
    pDC->FillSolidRect(rc, GetColor(bActive ? 31 : 30));
    BOOL bLine = FALSE;
    if (IsCaptionShown(pContainer)) {
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, m_clrSecond.GetEffective());
        bLine = TRUE;
        DrawCaption(pDC, pContainer, rc);
    }
    AdjustCaptionRect(pContainer, rc);
    if (pContainer->IsTabsVisible()) {
        m_pPaneTabTheme->DrawTabControl(pDC, pContainer->GetTabStrip(), rc);
    } else if (m_pPaneTabTheme->m_nClientFrame != 2 && m_pPaneTabTheme->GetColorSetObject()) {
        CRect rcFrame = rc;
        rcFrame.InflateRect(1, 1);
        const COLORREF clrFrame = m_pPaneTabTheme->GetColorSetObject()->m_clrFrame.GetEffective();
        pDC->Draw3dRect(rcFrame, clrFrame, clrFrame);
    }
    const int nTop = rcContainer.top + (bLine ? 1 : 0);
    const COLORREF clrCorner = GetColor(51);
    pDC->SetPixel(rcContainer.left, nTop, clrCorner);
    pDC->SetPixel(rcContainer.right - 1, nTop, clrCorner);
    pDC->SetPixel(rcContainer.left, rcContainer.bottom - 1, clrCorner);
    pDC->SetPixel(rcContainer.right - 1, rcContainer.bottom - 1, clrCorner);
}

void CTKPDockingPaneFlatTabTheme::DrawCaptionButton(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    const CRect rc = pButton->GetRect();
    if (pButton->IsPressed()) {
        FillFramed(pDC, rc, 33, 32);
        clrGlyph = 47;
    } else if (pButton->IsHot()) {
        FillFramed(pDC, rc, 31, 32);
        clrGlyph = 45;
    }
    DrawButtonGlyph(pDC, pButton, (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2, clrGlyph);
}

void CTKPDockingPaneFlatTabTheme::DrawFloatingFrame(CDC* pDC, CTKPDockingPaneMiniWnd* pMini, CRect rc)
{
    const BOOL bActive = pMini->m_bActive;
    const COLORREF c = GetColor(bActive ? 31 : 30);
    CRect rcFrame = rc;
    pDC->Draw3dRect(rcFrame, c, RGB(0, 0, 0));
    rcFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(rcFrame, GetColor(20), GetColor(16));
    rcFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(rcFrame, c, c);
    CRect rcBand = rc;
    rcBand.DeflateRect(2, 2);
    rcBand.bottom = rcBand.top + m_nCaptionHeight + 3;
    pDC->FillSolidRect(rcBand, c);
    rcBand.right -= 2;
    LayoutCaptionButtons(pDC, pMini->m_arrCaptionButtons, rcBand, 18, 16, 0, FALSE);
    const int nEnd = rcBand.right - 4;
    int nStart = rcBand.left + 4;
    CString strTitle;
    pMini->GetWindowText(strTitle);
    if (!strTitle.IsEmpty()) {
        CRect rcText(rcBand.left + 4, rcBand.top + 1, rcBand.right - 2, rcBand.bottom);
        pDC->SetTextColor(GetColor(18));
        pDC->SetBkMode(TRANSPARENT);
        nStart = rcText.left + DrawCaptionTitle(pDC, strTitle, rcText, FALSE, TRUE) + 10;
    }
    DrawGrip(pDC, rcBand, nStart, nEnd, bActive, FALSE);
}
