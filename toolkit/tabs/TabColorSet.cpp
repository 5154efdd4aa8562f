#include "toolkit/tabs/TabColorSet.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabTheme.h"

CTKPTabColorSet::CTKPTabColorSet() : m_pTheme(NULL) {}

CTKPTabColorSet::~CTKPTabColorSet() {}

CTKPTabColorSet* CTKPTabColorSet::Create(int nColorSet)
{
    switch (nColorSet) {
    case 2:
        return new CTKPTabColorSetFlat;
    case 4:
        return new CTKPTabColorSetScheme;
    case 8:
        return new CTKPTabColorSetVisualStyle;
    case 16:
        return new CTKPTabColorSetLight;
    default:
        return new CTKPTabColorSetDefault;
    }
}

COLORREF CTKPTabColorSet::Color(int nIndex)
{
    return GetColorManager()->GetColor(static_cast<std::uint32_t>(nIndex));
}

int CTKPTabColorSet::GetPosition(const CTKPTabManager* pManager) const
{
    return m_pTheme ? m_pTheme->GetPositionOf(pManager) : tktab::posTop;
}

int CTKPTabColorSet::GetPosition(const CTKPTabManagerItem* pItem) const
{
    return GetPosition(pItem ? pItem->GetManager() : NULL);
}

int CTKPTabColorSet::GetAppearance() const
{
    return m_pTheme ? m_pTheme->GetAppearance() : 0;
}

void CTKPTabColorSet::RefreshColors()
{
    CTKPColorManager::RefreshColorsThrottled();

    m_grcHeader.SetStandardValue(Color(tkpcFace));
    m_clrFrame.SetStandardValue(Color(tkpcShadow));
    m_clrClient.SetStandardValue(Color(tkpcFace));
    m_clr3DLight.SetStandardValue(Color(tkpcHighlightEdge));
    m_clrSelectedFace.SetStandardValue(Color(GetAppearance() == 7 ? tkpcWindow : tkpcFace));
    m_clrNormalFace.SetStandardValue(Color(tkpcFace));
    m_clrNormalText.SetStandardValue(Color(tkpcText));
    m_clrInactiveText.SetStandardValue(Color(tkpcText));
    m_clrSelectedText.SetStandardValue(Color(tkpcText));
    m_clrHotText.SetStandardValue(0x800000);
    m_clrDisabledText.SetStandardValue(Color(tkpcGrayText));
    m_grcSelectedFace.SetStandardValue(Color(tkpcWindow));
    m_grcSelectedFrame.SetStandardValue(Color(tkpcHighlight));
    m_clr3DHighlight.SetStandardValue(Color(tkpcHighlightEdge));
    m_clr3DShadow.SetStandardValue(Color(tkpcShadow));
    m_clr3DDarkShadow.SetStandardValue(Color(tkpcDarkShadow));
    m_clrTabBorder.SetStandardValue(Color(tkpcShadow));
    m_clrSelectedTabBorder.SetStandardValue(Color(tkpcShadow));
    m_clrTabLightEdge.SetStandardValue(Color(tkpcFace));
    m_clrTabInnerEdge.SetStandardValue(Color(tkpcFace));

    const COLORREF selected[6] = {Color(tkpcText), Color(tkpcShadow), Color(tkpcText), CLR_NONE, CLR_NONE, CLR_NONE};
    for (int i = 0; i < 6; ++i) {
        m_clrSelectedOutline[i].SetStandardValue(selected[i]);
        m_clrOutline[i].SetStandardValue(selected[i]);
    }
    m_clrOutline[3].SetStandardValue(Color(tkpcWindow));
    m_clrOutline[4].SetStandardValue(Color(tkpcShadow));

    m_grcHeaderSecond.CopyEffective(m_grcHeader);
}

void CTKPTabColorSet::SetTextColor(CDC* pDC, CTKPTabManagerItem* pItem)
{
    CTKPTabManager* pManager = pItem->GetManager();
    COLORREF clr = m_clrNormalText;
    if (!pItem->IsEnabled())
        clr = m_clrDisabledText;
    else if (pManager && !pManager->IsActive())
        clr = m_clrInactiveText;
    else if (pItem->IsSelected())
        clr = m_clrSelectedText;
    else if (pItem->IsHot())
        clr = m_clrHotText;
    pDC->SetTextColor(clr);
}

void CTKPTabColorSet::FillHeader(CDC* pDC, CRect rc, CTKPTabManager* pManager)
{
    FillGradient(pDC, rc, m_grcHeader, GetPosition(pManager));
}

void CTKPTabColorSet::FillClient(CDC* pDC, CRect rc, CTKPTabManager* pManager)
{
    CTKPTabManagerItem* pSelected = pManager ? pManager->GetSelectedItem() : NULL;
    pDC->FillSolidRect(rc, pSelected ? GetTabFaceColor(pSelected) : static_cast<COLORREF>(m_clrSelectedFace));
}

void CTKPTabColorSet::DrawTabFace(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem)
{
    if (pItem->IsSelected()) {
        if (m_pTheme && m_pTheme->m_bItemColors)
            pDC->FillSolidRect(rc, GetTabFaceColor(pItem));
        else
            FillGradient(pDC, rc, m_grcSelectedFace, GetPosition(pItem));
        pDC->Draw3dRect(rc, m_grcSelectedFrame.m_clrLight, m_grcSelectedFrame.m_clrDark);
        return;
    }
    // An etched separator at the trailing edge.
    if (tktab::IsVertical(GetPosition(pItem)))
        pDC->Draw3dRect(rc.left + 2, rc.bottom - 2, rc.Width() - 4, 2, Color(tkpcShadow), Color(tkpcHighlightEdge));
    else
        pDC->Draw3dRect(rc.right - 2, rc.top + 2, 2, rc.Height() - 4, Color(tkpcShadow), Color(tkpcHighlightEdge));
}

COLORREF CTKPTabColorSet::FillTab(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem)
{
    const COLORREF clr = GetTabFaceColor(pItem);
    pDC->FillSolidRect(rc, clr);
    return clr;
}

void CTKPTabColorSet::FillRowBackground(CDC* /*pDC*/, CRect /*rcHeader*/, CTKPTabManager* /*pManager*/) {}

COLORREF CTKPTabColorSet::GetTabFaceColor(CTKPTabManagerItem* pItem)
{
    if (m_pTheme && m_pTheme->m_bItemColors && pItem->GetManager())
        return pItem->GetManager()->GetTabColor(pItem);
    return pItem->IsSelected() ? m_clrSelectedFace : m_clrNormalFace;
}

BOOL CTKPTabColorSet::IsThemed()
{
    return FALSE;
}

void CTKPTabColorSet::FillGradient(CDC* pDC, CRect rc, const CTKPColorGradient& gradient, int nPosition)
{
    FillGradient(pDC, rc, gradient.m_clrLight, gradient.m_clrDark, nPosition);
}

void CTKPTabColorSet::FillGradient(CDC* pDC, CRect rc, COLORREF clrLight, COLORREF clrDark, int nPosition)
{
    if (clrLight == kDither) {
        CTKPDrawingHelper::FillCheckerPattern(pDC, rc);
        return;
    }
    // The light end lies at the control edge.
    COLORREF clrFrom = clrLight, clrTo = clrDark;
    if (nPosition == tktab::posBottom || nPosition == tktab::posRight)
        std::swap(clrFrom, clrTo);
    if (m_pTheme && m_pTheme->m_bInvertGradient)
        std::swap(clrFrom, clrTo);
    CTKPDrawingHelper::GradientFill(pDC, rc, clrFrom, clrTo, tktab::IsVertical(nPosition));
}

void CTKPTabColorSet::DrawClassicButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc, COLORREF clrGlyph)
{
    if (pButton->IsEnabled()) {
        if (pButton->IsPressed()) {
            pDC->Draw3dRect(rc, Color(tkpcShadow), Color(tkpcHighlightEdge));
            rc.OffsetRect(1, 1);
        } else if (pButton->IsHot()) {
            pDC->Draw3dRect(rc, Color(tkpcHighlightEdge), Color(tkpcShadow));
        }
    }
    pDC->SetTextColor(clrGlyph);
}

void CTKPTabColorSetDefault::RefreshColors()
{
    CTKPTabColorSet::RefreshColors();
    m_grcSelectedFace.SetStandardValue(kDither);
    m_grcSelectedFrame.SetStandardValues(Color(tkpcShadow), Color(tkpcHighlightEdge), 0.5f);
    const COLORREF outline[6] = {Color(tkpcText), Color(tkpcWindow), Color(tkpcText), Color(tkpcShadow),
        Color(tkpcShadow), Color(tkpcShadow)};
    for (int i = 0; i < 6; ++i) {
        m_clrSelectedOutline[i].SetStandardValue(outline[i]);
        m_clrOutline[i].SetStandardValue(i < 3 ? outline[i] : CLR_NONE);
    }
    if (GetAppearance() == 7) {
        m_clrSelectedFace.SetStandardValue(Color(tkpcFace));
        m_clrNormalFace.SetStandardValue(Color(tkpcWindow));
        m_clrFrame.SetStandardValue(Color(tkpcText));
    }
}

void CTKPTabColorSetDefault::DrawNavigateButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc)
{
    DrawClassicButton(pDC, pButton, rc, Color(tkpcText));
}

void CTKPTabColorSetFlat::RefreshColors()
{
    CTKPTabColorSet::RefreshColors();
    const int nAppearance = GetAppearance();
    if (nAppearance != 7 && nAppearance != 4)
        m_grcHeader.SetStandardValue(Color(tkpcBarFace));
    if (nAppearance == 5) {
        m_clrNormalText.SetStandardValue(Color(tkpcBarText));
        m_clrInactiveText.SetStandardValue(Color(tkpcBarText));
    }
}

void CTKPTabColorSetFlat::DrawNavigateButton(CDC* pDC, CTKPTabManagerNavigateButton* pButton, CRect& rc)
{
    const int nAppearance = GetAppearance();
    if (nAppearance == 7 || nAppearance == 4) {
        DrawClassicButton(pDC, pButton, rc, Color(tkpcText));
        return;
    }
    if (pButton->IsEnabled()) {
        if (pButton->IsPressed()) {
            pDC->Draw3dRect(rc, Color(tkpcText), Color(tkpcFace));
            rc.OffsetRect(1, 1);
        } else if (pButton->IsHot()) {
            pDC->Draw3dRect(rc, Color(tkpcFace), Color(tkpcText));
        }
    }
    pDC->SetTextColor(Color(tkpcBarText));
}
