#include "toolkit/docking/DockingPaneGripperTheme.h"

#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/docking/DockingPaneCaptionButton.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/tabs/TabTheme.h"

// ---- Theme 4 -----------------------------------------------------------------------------------

void CTKPDockingPaneGripperTheme::DrawCaption(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc)
{
    const BOOL bVertical = pContainer->IsCaptionVertical();
    const CRect rcBand = PrepareCaptionBand(pDC, rc, bVertical, m_rcCaptionMargin.top, m_clrSecond.GetEffective());
    DrawPaneCaption(pDC, pContainer, rcBand, pContainer->GetTitle(), IsCaptionActive(pContainer), bVertical);
}

void CTKPDockingPaneGripperTheme::DrawPaneCaption(
    CDC* pDC, CTKPDockingNode* pNode, CRect rc, const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    CutFarEnd(rc, 2, bVertical);
    LayoutCaptionButtons(pDC, pNode->m_arrCaptionButtons, rc, 18, 14, 2, bVertical);
    DeflateBand(rc, 4, 1, 2, 0, bVertical);
    int nStart = 4;
    if (!strTitle.IsEmpty()) {
        pDC->SetTextColor(GetColor(18));
        pDC->SetBkMode(TRANSPARENT);
        nStart = DrawCaptionTitle(pDC, strTitle, rc, bVertical, TRUE) + 4;
    }
    // Two raised bars from the title's end to the band's far end.
    if (bVertical) {
        const int y0 = rc.top + nStart;
        if (y0 >= rc.bottom)
            return;
        const int cx = (rc.left + rc.right) / 2;
        pDC->Draw3dRect(cx - 3, y0, 3, rc.bottom - y0, GetColor(20), GetColor(16));
        pDC->Draw3dRect(cx + 1, y0, 3, rc.bottom - y0, GetColor(20), GetColor(16));
    } else {
        const int x0 = rc.left + nStart;
        if (x0 >= rc.right)
            return;
        const int cy = (rc.top + rc.bottom) / 2;
        pDC->Draw3dRect(x0, cy - 3, rc.right - x0, 3, GetColor(20), GetColor(16));
        pDC->Draw3dRect(x0, cy + 1, rc.right - x0, 3, GetColor(20), GetColor(16));
    }
}

CPoint CTKPDockingPaneGripperTheme::DrawGripperButtonFace(CDC* pDC, CTKPDockingPaneCaptionButton* pButton)
{
    const CRect rc = pButton->GetRect();
    CPoint c((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    if (pButton->IsPressed()) {
        pDC->Draw3dRect(rc, GetColor(18), GetColor(20));
        c.Offset(1, 1);
    } else if (pButton->IsHot()) {
        pDC->Draw3dRect(rc, GetColor(20), GetColor(18));
    }
    return c;
}

void CTKPDockingPaneGripperTheme::DrawCaptionButton(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    const CPoint c = DrawGripperButtonFace(pDC, pButton);
    DrawButtonGlyph(pDC, pButton, c.x, c.y, clrGlyph);
}

void CTKPDockingPaneGripperTheme::DrawButtonGlyph(
    CDC* pDC, CTKPDockingPaneCaptionButton* pButton, int x, int y, COLORREF clrGlyph)
{
    const COLORREF clr = GetColor(clrGlyph);
    CTKPPenSelector pen(pDC->GetSafeHdc(), clr);
    switch (pButton->GetId()) {
    case tkpcbClose: {
        const int lines[4][4] = {
            {x - 4, y - 3, x + 3, y + 4}, {x - 4, y + 3, x + 3, y - 4}, {x - 3, y - 3, x + 4, y + 4}, {x - 3, y + 3, x + 4, y - 4}};
        for (const auto& l : lines) {
            pDC->MoveTo(l[0], l[1]);
            pDC->LineTo(l[2], l[3]);
        }
        break;
    }
    case tkpcbMenu: {
        CTKPBrushSelector brush(pDC->GetSafeHdc(), clr);
        const POINT pts[4] = {{x - 4, y - 1}, {x - 1, y + 2}, {x, y + 2}, {x + 3, y - 1}};
        pDC->Polygon(pts, 4);
        break;
    }
    case tkpcbPin:
        CTKPDockingPaneCaptionButton::DrawPinGlyph(pDC, x, y, pButton->GetState() & 2);
        break;
    case tkpcbMaximise:
    case tkpcbRestore:
        CTKPDockingPaneCaptionButton::DrawMaximiseGlyph(pDC, x, y, pButton->GetId() == tkpcbRestore ? 0 : 1, clr);
        break;
    default:
        break;
    }
}

void CTKPDockingPaneGripperTheme::DrawFloatingFrame(CDC* pDC, CTKPDockingPaneMiniWnd* pMini, CRect rc)
{
    CTKPDockingPaneDefaultTheme::DrawFloatingFrame(pDC, pMini, rc);
}

// ---- Theme 8 -----------------------------------------------------------------------------------

CTKPDockingPaneNativeTheme::CTKPDockingPaneNativeTheme()
{
    m_bBoldCaption = FALSE;
    m_rcCaptionMargin.SetRectEmpty();
    m_nCaptionExtraHeight = 9;
}

void CTKPDockingPaneNativeTheme::RefreshMetrics()
{
    CTKPDockingPaneGripperTheme::RefreshMetrics();
    m_themeRebar.OpenThemeData(NULL, L"REBAR");
    m_themeToolbar.OpenThemeData(NULL, L"TOOLBAR");
    if (m_themeRebar.IsAppThemed() && m_themeRebar.GetThemeHandle()) {
        m_pPaneTabTheme->SetAppearance(0);
        m_pPaneTabTheme->SetColorSet(8);
        m_pPaneTabTheme->m_bHotTracking = TRUE;
        m_pAutoHideTabTheme->SetAppearance(0);
        m_pAutoHideTabTheme->SetColorSet(8);
        m_pAutoHideTabTheme->m_bHotTracking = TRUE;
    } else {
        m_pAutoHideTabTheme->SetAppearance(6);
        m_pPaneTabTheme->SetAppearance(5);
        m_pPaneTabTheme->m_bHotTracking = FALSE;
        m_pAutoHideTabTheme->m_bHotTracking = FALSE;
    }
    m_pPaneTabTheme->RefreshMetrics();
    m_pAutoHideTabTheme->RefreshMetrics();
}

void CTKPDockingPaneNativeTheme::DrawPaneCaption(
    CDC* pDC, CTKPDockingNode* pNode, CRect rc, const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    HWND hWnd = pNode->GetWindowHandle();
    if (CTKPDockingPaneMiniWnd* pMini = pNode->AsMiniWnd())
        hWnd = pMini->GetSafeHwnd();
    if (hWnd && m_themeRebar.IsAppThemed() && m_themeRebar.GetThemeHandle()) {
        // The part of the frame's rebar background that lies under the band.
        CWnd* pWnd = CWnd::FromHandle(hWnd);
        CWnd* pFrame = pNode->AsMiniWnd() ? pWnd : pWnd->GetParentFrame();
        CRect rcBack;
        pWnd->GetClientRect(&rcBack);
        if (pFrame) {
            CRect rcFrame, rcWindow;
            pFrame->GetWindowRect(&rcFrame);
            pWnd->GetWindowRect(&rcWindow);
            rcBack.left -= rcWindow.left - rcFrame.left;
            rcBack.top -= rcWindow.top - rcFrame.top;
            rcBack.right += rcFrame.right - rcWindow.right;
            rcBack.bottom += rcFrame.bottom - rcWindow.bottom;
        }
        m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), 0, 0, &rcBack, &rc);
    }
    CutFarEnd(rc, 2, bVertical);
    LayoutCaptionButtons(pDC, pNode->m_arrCaptionButtons, rc, 18, 16, 2, bVertical);
    pDC->SetTextColor(GetColor(18));
    pDC->SetBkMode(TRANSPARENT);
    DeflateBand(rc, 4, 1, 0, 0, bVertical);
    DrawCaptionTitle(pDC, strTitle, rc, bVertical, FALSE);
}

void CTKPDockingPaneNativeTheme::DrawCaptionButton(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    if (!m_themeToolbar.IsAppThemed() || !m_themeToolbar.GetThemeHandle()) {
        CTKPDockingPaneGripperTheme::DrawCaptionButton(pDC, pButton, clrGlyph);
        return;
    }
    const CRect rc = pButton->GetRect();
    if (pButton->IsPressed())
        m_themeToolbar.DrawThemeBackground(pDC->GetSafeHdc(), 1, 3, &rc, NULL);
    else if (pButton->IsHot())
        m_themeToolbar.DrawThemeBackground(pDC->GetSafeHdc(), 1, 2, &rc, NULL);
    CPoint c((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    if (pButton->IsPressed())
        c.Offset(1, 1);
    DrawButtonGlyph(pDC, pButton, c.x, c.y, clrGlyph);
}
