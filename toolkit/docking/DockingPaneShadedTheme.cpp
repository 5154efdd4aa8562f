#include "toolkit/docking/DockingPaneShadedTheme.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/docking/DockingPaneCaptionButton.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabManagerItem.h"
#include "toolkit/tabs/TabTheme.h"

// ---- Tab colours of themes 6 and 9 -------------------------------------------------------------

CTKPDockingPaneTabColorSet::CTKPDockingPaneTabColorSet(BOOL bFirstSwitch, BOOL bSecondSwitch)
    : m_bSecondFlag(FALSE), m_bGradientFlag(FALSE), m_bSecondSwitch(bSecondSwitch), m_bFirstSwitch(bFirstSwitch)
{
}

void CTKPDockingPaneTabColorSet::RefreshColors()
{
    CTKPTabColorSetDefault::RefreshColors();
    if (m_bFirstSwitch)
        m_clrSelectedFace.SetOverrideValue(0xFFFFFF);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    m_grcHeader.SetStandardValues(clrFace, CTKPColorTable::BlendColors(clrFace, ::GetSysColor(COLOR_WINDOW), 205), 0.5f);
    m_bGradientFlag = FALSE;
    m_bSecondFlag = FALSE;
    switch (GetColorManager()->GetCurrentColorScheme()) {
    case 3:
        m_bGradientFlag = TRUE;
        m_clrNormalFace.SetStandardValue(0xF7F2F2);
        m_clrTabInnerEdge.SetStandardValue(0xFFFFFF);
        m_clrTabBorder.SetStandardValue(0x9C9B91);
        m_clrSelectedTabBorder.SetStandardValue(0x9C9B91);
        m_clrTabLightEdge.SetStandardValue(0xD8BEBE);
        m_grcHeader.SetStandardValues(0xE5D7D7, 0xF7F3F3, 0.5f);
        break;
    case 1:
    case 2:
        m_bGradientFlag = TRUE;
        m_clrTabInnerEdge.SetStandardValue(0xFFFFFF);
        m_grcHeader.SetStandardValues(0xD7E5E5, 0xE7F1F4, 0.5f);
        break;
    default:
        break;
    }
    m_grcHeaderSecond.CopyEffective(m_grcHeader);
}

void CTKPDockingPaneTabColorSet::FillHeader(CDC* pDC, CRect rc, CTKPTabManager* pManager)
{
    FillGradient(pDC, rc, m_grcHeader, GetPosition(pManager));
}

COLORREF CTKPDockingPaneTabColorSet::FillTab(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem)
{
    const BOOL bSelected = pItem->GetManager() && pItem->GetManager()->GetSelectedItem() == pItem;
    if (m_bSecondSwitch && (!m_bFirstSwitch || !bSelected))
        return (COLORREF)-1;
    if (!m_bGradientFlag)
        return CTKPTabColorSetDefault::FillTab(pDC, rc, pItem);
    const COLORREF clr = GetTabFaceColor(pItem);
    FillGradient(pDC, rc, clr, m_grcHeader.m_clrDark.GetEffective(), GetPosition(pItem));
    return clr;
}

void CTKPDockingPaneVisualTabColorSet::RefreshColors()
{
    CTKPDockingPaneTabColorSet::RefreshColors();
    m_bGradientFlag = FALSE;
    m_bSecondFlag = FALSE;
    const int nScheme = GetColorManager()->GetCurrentColorScheme();
    if (nScheme >= 1 && nScheme <= 3) {
        m_clrNormalText.SetStandardValue(0x646F71);
        if (!m_bFirstSwitch)
            m_clrSelectedText.SetStandardValue(0x646F71);
    }
}

CTKPDockingPaneVisualTabAppearance::CTKPDockingPaneVisualTabAppearance(BOOL bSeparatorsOnly)
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 0);
    m_bSquareCorners = FALSE;
    m_bSeparatorsOnly = bSeparatorsOnly;
}

// ---- Theme 6 -----------------------------------------------------------------------------------

CTKPDockingPaneShadedTheme::CTKPDockingPaneShadedTheme()
{
    auto setUp = [](CTKPTabTheme* pTabs, BOOL bFirst) {
        pTabs->SetAppearance(2);
        if (CTKPTabAppearanceRounded* pRounded = dynamic_cast<CTKPTabAppearanceRounded*>(pTabs->GetAppearanceObject()))
            pRounded->m_bSquareCorners = FALSE;
        pTabs->m_bFlatColors = TRUE;
        pTabs->m_bHotTracking = FALSE;
        pTabs->SetColorSetObject(new CTKPDockingPaneTabColorSet(bFirst, FALSE));
    };
    setUp(m_pPaneTabTheme, TRUE);
    m_pPaneTabTheme->m_nClientFrame = 2;
    setUp(m_pAutoHideTabTheme, FALSE);
    m_pAutoHideTabTheme->SetLayout(0);
    m_rcCaptionMargin.SetRectEmpty();
    m_bGradientCaption = TRUE;
    m_bBoldCaption = FALSE;
    m_dwSplitterStyle = splitterGradient;
    m_nSchemeSelection = 0;
}

void CTKPDockingPaneShadedTheme::RefreshMetrics()
{
    CTKPDockingPaneGradientTheme::RefreshMetrics();
    m_clrInactiveCaptionText.SetStandardValue(19);
    const int nScheme = GetSchemeMode();
    if (nScheme == 3) {
        m_grcCaption.SetStandardValues(0xE5D7D7, 0xF7F3F3, 0.5f);
        m_grcInactiveCaption.SetStandardValues(0xEBE0E0, 0xF6F2F2, 0.5f);
        m_grcActiveCaption.SetStandardValues(0xBA9EA0, 0xEBE1E0, 0.5f);
    } else if (nScheme == 1 || nScheme == 2) {
        m_grcCaption.SetStandardValues(0xD7E5E5, 0xE7F1F4, 0.5f);
        m_grcInactiveCaption.SetStandardValues(0xC6D7D8, 0xE5EFEE, 0.5f);
    } else {
        return;
    }
    m_clrInactiveCaptionText.SetStandardValue(0);
}

// ---- Theme 9 -----------------------------------------------------------------------------------

CTKPDockingPaneVisualThemeBase::CTKPDockingPaneVisualThemeBase()
{
    for (CTKPTabTheme* pTabs : {m_pPaneTabTheme, m_pAutoHideTabTheme}) {
        pTabs->SetAppearance(9);
        pTabs->SetColorSetObject(new CTKPDockingPaneTabColorSet(TRUE, FALSE));
    }
}

CTKPDockingPaneVisualTheme::CTKPDockingPaneVisualTheme() : m_clrFrame(0)
{
    m_pAutoHideTabTheme->SetAppearanceObject(new CTKPDockingPaneVisualTabAppearance(FALSE));
    m_pAutoHideTabTheme->SetColorSetObject(new CTKPDockingPaneVisualTabColorSet(FALSE, TRUE));
    m_pPaneTabTheme->SetAppearanceObject(new CTKPDockingPaneVisualTabAppearance(TRUE));
    m_pPaneTabTheme->SetColorSetObject(new CTKPDockingPaneVisualTabColorSet(TRUE, TRUE));
    m_pPaneTabTheme->m_nClientFrame = 1;
    m_pPaneTabTheme->m_rcClientMargin.SetRect(0, 1, 0, 0);
}

void CTKPDockingPaneVisualTheme::RefreshMetrics()
{
    CTKPDockingPaneShadedTheme::RefreshMetrics();
    m_grcInactiveCaption.SetStandardValue(GetColor(3));
    m_grcActiveCaption.SetStandardValue(GetColor(2));
    m_clrFrame = GetColor(16);
    switch (GetSchemeMode()) {
    case 1:
        m_grcInactiveCaption.SetStandardValue(0xBAC7CC);
        m_grcActiveCaption.SetStandardValues(0xED803B, 0xC56A31, 0.5f);
        break;
    case 2:
        m_grcInactiveCaption.SetStandardValue(0xBAC7CC);
        m_grcActiveCaption.SetStandardValues(0x92C3B6, 0x75A091, 0.5f);
        break;
    case 3:
        m_grcInactiveCaption.SetStandardValue(0xF5F0F0);
        m_grcActiveCaption.SetStandardValues(0xDDD4D3, 0xBFA5A6, 0.5f);
        m_clrFrame = 0x9C9B91;
        break;
    default:
        return;
    }
    m_clrInactiveCaptionText.SetStandardValue(0);
}

COLORREF CTKPDockingPaneVisualTheme::DrawCaptionBackground(
    CDC* pDC, CTKPDockingNode*, CRect rc, BOOL bActive, BOOL bVertical)
{
    CTKPDrawingHelper::FillColorGradient(pDC, rc, bActive ? &m_grcActiveCaption : &m_grcInactiveCaption, bVertical);
    if (bVertical) {
        pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, m_clrFrame);
        pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), m_clrFrame);
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, m_clrFrame);
    } else {
        pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), m_clrFrame);
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, m_clrFrame);
        pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), m_clrFrame);
    }
    return bActive ? m_clrActiveCaptionText.GetEffective() : m_clrInactiveCaptionText.GetEffective();
}
