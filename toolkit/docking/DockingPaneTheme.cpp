#include "toolkit/docking/DockingPaneTheme.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/docking/DockablePane.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/docking/DockingPaneCaptionButton.h"
#include "toolkit/docking/DockingPaneGradientTheme.h"
#include "toolkit/docking/DockingPaneGripperTheme.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneSchemeTheme.h"
#include "toolkit/docking/DockingPaneShadedTheme.h"
#include "toolkit/docking/DockingPaneSplitterBar.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/tabs/TabTheme.h"

#include <algorithm>

CTKPDockingPaneTheme::CTKPDockingPaneTheme()
    : m_bBoldCaption(TRUE), m_bActiveCaption(TRUE), m_nSplitterWidth(4), m_bShowCaption(TRUE), m_bAlwaysShowTabs(FALSE),
      m_dwSplitterStyle(0), m_nCaptionHeight(18), m_nCaptionExtraHeight(5), m_nTabRowHeight(24), m_bUseTahoma(FALSE),
      m_bUseSystemFont(TRUE), m_pPaneTabTheme(NULL), m_pAutoHideTabTheme(NULL), m_nTheme(0),
      m_rcCaptionMargin(0, 2, 0, 1), m_nSchemeSelection(5)
{
    for (int i = 0; i < COLOR_COUNT; ++i)
        m_arrColors[i] = 0;
    m_pPaneTabTheme = new CTKPTabTheme;
    m_pPaneTabTheme->SetLayout(1);
    m_pPaneTabTheme->SetPosition(2);
    m_pPaneTabTheme->m_nClientFrame = 1;
    m_pPaneTabTheme->m_bBoldSelected = FALSE;
    m_pPaneTabTheme->m_nTooltipMode = 1;
    m_pAutoHideTabTheme = new CTKPTabTheme;
    m_pAutoHideTabTheme->SetLayout(3);
    m_pAutoHideTabTheme->m_nClientFrame = 2;
    m_pAutoHideTabTheme->m_bBoldSelected = FALSE;
    m_pAutoHideTabTheme->m_bInvertGradient = TRUE;
    m_pAutoHideTabTheme->m_bFillClient = FALSE;
}

CTKPDockingPaneTheme::~CTKPDockingPaneTheme()
{
    if (m_pPaneTabTheme)
        m_pPaneTabTheme->InternalRelease();
    if (m_pAutoHideTabTheme)
        m_pAutoHideTabTheme->InternalRelease();
}

CTKPDockingPaneTheme* CTKPDockingPaneTheme::Create(int nTheme)
{
    switch (nTheme) {
    case 1: return new CTKPDockingPaneGradientTheme;
    case 2: return new CTKPDockingPaneSchemeTheme;
    case 3: return new CTKPDockingPaneExplorerTheme;
    case 4: return new CTKPDockingPaneGripperTheme;
    case 5: return new CTKPDockingPaneFlatTabTheme;
    case 6: return new CTKPDockingPaneShadedTheme;
    case 7: return new CTKPDockingPaneSchemeLargeCaptionTheme;
    case 8: return new CTKPDockingPaneNativeTheme;
    case 9: return new CTKPDockingPaneVisualTheme;
    default: return new CTKPDockingPaneDefaultTheme;
    }
}

COLORREF CTKPDockingPaneTheme::GetColor(UINT nIndex) const
{
    if (nIndex >= COLOR_COUNT)
        return nIndex;
    return m_arrColors[nIndex];
}

void CTKPDockingPaneTheme::SetColors(int nCount, const UINT* pIndexes, const COLORREF* pValues)
{
    for (int i = 0; i < nCount; ++i)
        if (pIndexes[i] > 0 && pIndexes[i] < COLOR_COUNT)
            m_arrColors[pIndexes[i]] = pValues[i];
}

int CTKPDockingPaneTheme::GetSchemeMode() const
{
    CTKPColorManager* pManager = GetColorManager();
    if (m_nSchemeSelection == 5)
        return pManager->m_bDisableScheme ? 0 : pManager->GetCurrentColorScheme();
    if (m_nSchemeSelection == 4)
        return pManager->GetDetectedColorScheme();
    return m_nSchemeSelection;
}

void CTKPDockingPaneTheme::DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF clr)
{
    CTKPPenSelector pen(pDC->GetSafeHdc(), GetColor(clr));
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

void CTKPDockingPaneTheme::FillFramed(CDC* pDC, CRect rc, COLORREF clrFill, COLORREF clrFrame)
{
    pDC->FillSolidRect(rc, GetColor(clrFill));
    pDC->Draw3dRect(rc, GetColor(clrFrame), GetColor(clrFrame));
}

void CTKPDockingPaneTheme::DrawPixel(CDC* pDC, int x, int y, COLORREF clr)
{
    pDC->SetPixel(x, y, GetColor(clr));
}

void CTKPDockingPaneTheme::SetCaptionFont(LOGFONT* pLogFont, BOOL bUseSystemFont)
{
    m_bUseSystemFont = bUseSystemFont;
    LOGFONT lf = *pLogFont;
    if (m_bUseTahoma && bUseSystemFont && lf.lfCharSet <= 2 && CTKPDrawingHelper::FontExists(_T("Tahoma")))
        lstrcpyn(lf.lfFaceName, _T("Tahoma"), LF_FACESIZE);
    m_fntCaption.DeleteObject();
    m_fntCaption.CreateFontIndirect(&lf);
    lf.lfEscapement = 2700;
    lf.lfOrientation = 900;
    if (lf.lfHeight >= -10 && lf.lfHeight <= -1)
        lf.lfHeight = -11;
    lstrcpyn(lf.lfFaceName, CTKPDrawingHelper::GetDefaultFontName(FALSE), LF_FACESIZE);
    m_fntCaptionVertical.DeleteObject();
    m_fntCaptionVertical.CreateFontIndirect(&lf);
    CClientDC dc(NULL);
    CTKPFontSelector font(&dc, &m_fntCaption);
    const CSize sz = dc.GetTextExtent(_T(" "), 1);
    m_nCaptionHeight = m_nCaptionExtraHeight + std::max<int>(13, sz.cy);
}

void CTKPDockingPaneTheme::RefreshMetrics()
{
    CTKPColorManager::RefreshColorsThrottled();
    CTKPColorManager* pManager = GetColorManager();
    for (UINT i = 0; i < COLOR_COUNT; ++i)
        m_arrColors[i] = pManager->GetColor(i);
    // Entry 0 is black instead of the system colour 0, so that black given to the drawing services,
    // which take indexes, draws black and not the scroll bar colour.
    m_arrColors[0] = RGB(0, 0, 0);
    m_clrFirst.SetStandardValue(GetColor(16));
    m_clrSecond.SetStandardValue(GetColor(15));
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    m_grcCaption.SetStandardValues(clrFace, CTKPColorTable::BlendColors(clrFace, ::GetSysColor(COLOR_WINDOW), 205), 0.5f);
    if (m_bUseSystemFont) {
        NONCLIENTMETRICS ncm = {};
        ncm.cbSize = sizeof(ncm);
        if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
            if (!m_bBoldCaption)
                ncm.lfSmCaptionFont.lfWeight = FW_NORMAL;
            SetCaptionFont(&ncm.lfSmCaptionFont, TRUE);
        }
    }
    m_pPaneTabTheme->RefreshMetrics();
    m_pAutoHideTabTheme->RefreshMetrics();
    CClientDC dc(NULL);
    CTKPFontSelector font(&dc, m_pPaneTabTheme->GetNormalFont());
    m_nTabRowHeight = std::max<int>(24, dc.GetTextExtent(_T(" "), 1).cy + 10);
}

BOOL CTKPDockingPaneTheme::IsCaptionShown(CTKPDockingPaneTabbedContainer* pContainer)
{
    return m_bShowCaption && pContainer->IsCaptionVisible();
}

BOOL CTKPDockingPaneTheme::IsCaptionActive(CTKPDockingPaneTabbedContainer* pContainer)
{
    return m_bActiveCaption && pContainer->IsActive();
}

void CTKPDockingPaneTheme::DeflateBand(CRect& rc, int l, int t, int r, int b, BOOL bVertical)
{
    CTKPDockingPaneCaptionButton::DeflateRectOriented(rc, l, t, r, b, bVertical);
}

void CTKPDockingPaneTheme::CutFarEnd(CRect& rc, int n, BOOL bVertical)
{
    if (bVertical)
        rc.bottom -= n;
    else
        rc.right -= n;
}

void CTKPDockingPaneTheme::DrawTabbedContainer(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc)
{
    pDC->FillSolidRect(rc, GetColor(15));
    if (IsCaptionShown(pContainer)) {
        pDC->SetBkMode(TRANSPARENT);
        DrawCaption(pDC, pContainer, rc);
    }
    AdjustCaptionRect(pContainer, rc);
    if (pContainer->IsTabsVisible())
        m_pPaneTabTheme->DrawTabControl(pDC, pContainer->GetTabStrip(), rc);
}

void CTKPDockingPaneTheme::LayoutCaptionButtons(CDC* pDC, CTKPDockingPaneCaptionButtons& buttons, CRect& rc,
    COLORREF clrGlyph, int nSize, int nSpacing, BOOL bVertical)
{
    int nFar = bVertical ? rc.bottom : rc.right;
    for (INT_PTR i = 0; i < buttons.GetSize(); ++i) {
        CTKPDockingPaneCaptionButton* pButton = buttons[i];
        if (!pButton->IsVisible()) {
            pButton->SetRect(CRect(0, 0, 0, 0));
            continue;
        }
        CRect rcButton;
        if (bVertical) {
            const int x = (rc.left + rc.right) / 2 - nSize / 2;
            rcButton = CRect(x, nFar - nSize, x + nSize, nFar);
        } else {
            const int y = (rc.top + rc.bottom) / 2 - nSize / 2;
            rcButton = CRect(nFar - nSize, y, nFar, y + nSize);
        }
        pButton->SetRect(rcButton);
        DrawCaptionButton(pDC, pButton, clrGlyph);
        nFar -= nSize + nSpacing;
    }
    if (bVertical)
        rc.bottom = nFar;
    else
        rc.right = nFar;
}

void CTKPDockingPaneTheme::DrawCaptionButton(CDC*, CTKPDockingPaneCaptionButton*, COLORREF) {}

void CTKPDockingPaneTheme::AdjustTabbedContainerLayout(CTKPDockingPaneTabbedContainer* pContainer, CRect& rc, BOOL bWithDC)
{
    const CPoint ptEntry = rc.TopLeft();
    AdjustCaptionRect(pContainer, rc);
    if (!pContainer->IsTabsVisible())
        return;
    if (bWithDC && pContainer->GetSafeHwnd()) {
        CClientDC dc(pContainer);
        CRect rcTabs = rc;
        rcTabs.OffsetRect(-ptEntry);
        m_pPaneTabTheme->RepositionTabControl(pContainer->GetTabStrip(), &dc, rcTabs);
    }
    m_pPaneTabTheme->AdjustClientRect(pContainer->GetTabStrip(), rc);
}

void CTKPDockingPaneTheme::AdjustCaptionRect(CTKPDockingPaneTabbedContainer* pContainer, CRect& rc)
{
    if (!IsCaptionShown(pContainer))
        return;
    const int nCut = m_rcCaptionMargin.bottom + m_rcCaptionMargin.top + m_nCaptionHeight;
    if (pContainer->IsCaptionVertical())
        rc.left += nCut;
    else
        rc.top += nCut;
}

void CTKPDockingPaneTheme::DrawFloatingFrame(CDC*, CTKPDockingPaneMiniWnd*, CRect) {}

void CTKPDockingPaneTheme::DrawSplitterBar(CDC* pDC, CTKPDockingPaneSplitterBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    const COLORREF c2 = m_clrSecond.GetEffective();
    const COLORREF c1 = m_clrFirst.GetEffective();
    const BOOL bHorizontal = pBar->IsHorizontalBar();
    // Lines along the bar: rows of a horizontal bar, columns of a vertical one.
    auto line = [&](int n, COLORREF clr) {
        if (bHorizontal)
            pDC->FillSolidRect(rc.left, rc.top + n, rc.Width(), 1, clr);
        else
            pDC->FillSolidRect(rc.left + n, rc.top, 1, rc.Height(), clr);
    };
    const int nThickness = bHorizontal ? rc.Height() : rc.Width();
    if (m_dwSplitterStyle & splitterEtched) {
        pDC->FillSolidRect(rc, c2);
        line(0, GetColor(20));
        line(nThickness - 2, GetColor(52));
        line(nThickness - 1, GetColor(18));
    } else if (m_dwSplitterStyle & splitterShaded) {
        const int h = m_nSplitterWidth / 2;
        for (int n = 1; n < h; ++n)
            line(n, GetColor(5));
        for (int n = h; n < nThickness - 1; ++n)
            line(n, c2);
        line(0, GetColor(21));
        line(nThickness - 1, GetColor(21));
    } else if (m_dwSplitterStyle & splitterGradient) {
        CTKPDockingPaneCaptionButton::FillFrameRelativeGradient(pDC, rc, pBar, m_grcCaption);
    } else {
        pDC->FillSolidRect(rc, m_dwSplitterStyle == 0 ? GetColor(15) : c2);
    }
    const int nLength = bHorizontal ? rc.Width() : rc.Height();
    const int nCentre = nLength / 2;
    if (m_dwSplitterStyle & splitterDash) {
        for (int nOffset : {2, 4}) {
            if (bHorizontal)
                pDC->FillSolidRect(rc.left + nCentre, rc.top + nOffset, 11, 1, c1);
            else
                pDC->FillSolidRect(rc.left + nOffset, rc.top + nCentre, 1, 11, c1);
        }
    }
    if (m_dwSplitterStyle & splitterGrip) {
        const int nSpan = std::min(nLength / 2 - 10, 32);
        const int nMiddle = nThickness / 2 - 1;
        for (int d = -nSpan; d <= nSpan; d += 4) {
            const int p = nCentre + d;
            if (bHorizontal) {
                pDC->FillSolidRect(rc.left + p + 1, rc.top + nMiddle + 1, 2, 2, GetColor(20));
                pDC->FillSolidRect(rc.left + p, rc.top + nMiddle, 2, 2, c1);
            } else {
                pDC->FillSolidRect(rc.left + nMiddle + 1, rc.top + p + 1, 2, 2, GetColor(20));
                pDC->FillSolidRect(rc.left + nMiddle, rc.top + p, 2, 2, c1);
            }
        }
    }
}

int CTKPDockingPaneTheme::DrawCaptionTitle(CDC* pDC, const CString& strTitle, CRect rc, BOOL bVertical, BOOL bMeasure)
{
    if (!bVertical) {
        CTKPFontSelector font(pDC, &m_fntCaption);
        pDC->DrawText(strTitle, rc, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        if (!bMeasure)
            return 0;
        CRect rcCalc(0, 0, 0, 0);
        pDC->DrawText(strTitle, rcCalc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        return rcCalc.Width();
    }
    CTKPFontSelector font(pDC, &m_fntCaptionVertical);
    const CSize sz = pDC->GetTextExtent(strTitle, strTitle.GetLength());
    if (rc.Height() > 0) {
        rc.left = rc.right - (rc.Width() - sz.cy) / 2;
        rc.right = rc.left + rc.Height();
    }
    pDC->DrawText(strTitle, rc, DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS | DT_NOPREFIX);
    return sz.cx;
}

// ---- Theme 0 -----------------------------------------------------------------------------------

CTKPDockingPaneDefaultTheme::CTKPDockingPaneDefaultTheme()
{
    m_pPaneTabTheme->SetAppearance(0);
    m_pAutoHideTabTheme->SetAppearance(0);
}

CRect CTKPDockingPaneDefaultTheme::PrepareCaptionBand(CDC* pDC, CRect rc, BOOL bVertical, int nTop, COLORREF clrFill)
{
    CRect rcBand = rc;
    if (bVertical) {
        rcBand.left = rc.left + nTop;
        rcBand.right = rc.left + m_nCaptionHeight + 1;
        pDC->FillSolidRect(rc.left, rc.top, rcBand.right + 2 - rc.left, rc.Height(), clrFill);
    } else {
        rcBand.top = rc.top + nTop;
        rcBand.bottom = rc.top + m_nCaptionHeight + 1;
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), rcBand.bottom + 2 - rc.top, clrFill);
    }
    return rcBand;
}

void CTKPDockingPaneDefaultTheme::DrawCaption(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc)
{
    const BOOL bVertical = pContainer->IsCaptionVertical();
    const CRect rcBand = PrepareCaptionBand(pDC, rc, bVertical, 2, GetColor(15));
    DrawPaneCaption(pDC, pContainer, rcBand, pContainer->GetTitle(), IsCaptionActive(pContainer), bVertical);
}

void CTKPDockingPaneDefaultTheme::DrawPaneCaption(
    CDC* pDC, CTKPDockingNode* pNode, CRect rc, const CString& strTitle, BOOL bActive, BOOL bVertical)
{
    pDC->FillSolidRect(rc, GetColor(bActive ? 2 : 3));
    CutFarEnd(rc, 2, bVertical);
    LayoutCaptionButtons(pDC, pNode->m_arrCaptionButtons, rc, 18, 12, 2, bVertical);
    pDC->SetTextColor(GetColor(bActive ? 9 : 19));
    pDC->SetBkMode(TRANSPARENT);
    DeflateBand(rc, 4, 1, 0, 0, bVertical);
    DrawCaptionTitle(pDC, strTitle, rc, bVertical, FALSE);
}

void CTKPDockingPaneDefaultTheme::DrawCaptionButton(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    CRect rc = pButton->GetRect();
    const BOOL bPushed = pButton->IsPressed();
    if (pButton->GetId() == tkpcbClose) {
        pDC->DrawFrameControl(rc, DFC_CAPTION, DFCS_CAPTIONCLOSE | (bPushed ? DFCS_PUSHED : 0));
        return;
    }
    // Every other button is a plain push button; only the pin gets a glyph on it.
    pDC->DrawFrameControl(rc, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (bPushed ? DFCS_PUSHED : 0));
    if (pButton->GetId() != tkpcbPin)
        return;
    const CPoint c = pButton->GetRect().CenterPoint() + (bPushed ? CPoint(1, 1) : CPoint(0, 0));
    CTKPPenSelector pen(pDC->GetSafeHdc(), GetColor(clrGlyph));
    if (pButton->GetState() & 2) {
        // A pin lying on its side, head to the right.
        const POINT pts[11] = {{c.x - 4, c.y}, {c.x - 1, c.y}, {c.x - 1, c.y - 3}, {c.x - 1, c.y + 3},
            {c.x - 1, c.y + 2}, {c.x + 3, c.y + 2}, {c.x + 3, c.y - 2}, {c.x - 1, c.y - 2}, {c.x - 1, c.y + 1},
            {c.x + 3, c.y + 1}, {c.x + 3, c.y + 2}};
        pDC->Polyline(pts, 11);
    } else {
        // An upright pin, needle down.
        const POINT pts[13] = {{c.x, c.y + 5}, {c.x, c.y + 1}, {c.x - 3, c.y + 1}, {c.x + 4, c.y + 1},
            {c.x + 2, c.y + 1}, {c.x + 2, c.y - 4}, {c.x - 2, c.y - 4}, {c.x - 2, c.y + 1}, {c.x - 2, c.y - 4},
            {c.x + 1, c.y - 4}, {c.x + 1, c.y + 1}, {c.x + 1, c.y - 4}, {c.x + 2, c.y - 4}};
        pDC->Polyline(pts, 13);
    }
}

void CTKPDockingPaneDefaultTheme::DrawFloatingFrame(CDC* pDC, CTKPDockingPaneMiniWnd* pMini, CRect rc)
{
    CRect rcFrame = rc;
    pDC->Draw3dRect(rcFrame, GetColor(15), RGB(0, 0, 0));
    rcFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(rcFrame, GetColor(20), GetColor(16));
    rcFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(rcFrame, GetColor(15), GetColor(15));
    CRect rcBand = rc;
    rcBand.DeflateRect(2, 2);
    rcBand.bottom = rcBand.top + m_nCaptionHeight + 3;
    CTKPBufferedDC dc(pDC->GetSafeHdc(), rcBand);
    dc.SetBkMode(TRANSPARENT);
    dc.FillSolidRect(rcBand, GetColor(15));
    rcBand.DeflateRect(1, 2, 1, 2);
    CString strTitle;
    pMini->GetWindowText(strTitle);
    DrawPaneCaption(&dc, pMini, rcBand, strTitle, pMini->m_bActive, FALSE);
}
