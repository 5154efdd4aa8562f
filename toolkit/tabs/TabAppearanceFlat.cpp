#include "toolkit/tabs/TabAppearanceFlat.h"

#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabColorSet.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabTheme.h"

CTKPTabAppearanceFaces::CTKPTabAppearanceFaces()
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 2);
    m_nRowSpacing = 0;
}

void CTKPTabAppearanceFaces::FillClient(CRect& rcHeader, CTKPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    GetHeaderRect(rcHeader, rcControl, pManager);
    if (CTKPTabColorSet* pColors = GetColorSet())
        pColors->FillHeader(pDC, rcHeader, pManager);
}

void CTKPTabAppearanceFaces::DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem)
{
    CTKPTabColorSet* pColors = GetColorSet();
    if (!m_pTheme || !pColors)
        return;
    pColors->DrawTabFace(pDC, pItem->GetRect(), pItem);
    m_pTheme->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}

CTKPTabAppearanceSeparated::CTKPTabAppearanceSeparated()
{
    m_rcHeaderMargin.SetRect(4, 2, 4, 0);
}

void CTKPTabAppearanceSeparated::FillClient(CRect& rcHeader, CTKPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    if (CTKPTabColorSet* pColors = GetColorSet())
        FillFramedClient(rcHeader, pManager, pDC, rcControl, FALSE, pColors->m_clr3DLight, pColors->m_clrSelectedText);
    else
        rcHeader = rcControl;
}

void CTKPTabAppearanceSeparated::DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem)
{
    CTKPTabColorSet* pColors = GetColorSet();
    if (!m_pTheme || !pColors)
        return;
    const int nPosition = GetPosition(pItem);
    const CRect& rcTab = pItem->GetRect();
    if (pItem->IsSelected()) {
        CRect rc = rcTab;
        pColors->FillTab(pDC, rc, pItem);
        InflateRectForPosition(rc, 0, 0, 0, 1, nPosition);
        Frame3d(pDC, rc, pColors->m_clr3DHighlight, pColors->m_clrSelectedText);
    } else if (pColors->m_clrFrame != CLR_NONE) {
        if (tktab::IsVertical(nPosition))
            pDC->FillSolidRect(rcTab.left + 2, rcTab.bottom - 1, rcTab.Width() - 4, 1, pColors->m_clrFrame);
        else
            pDC->FillSolidRect(rcTab.right - 1, rcTab.top + 2, 1, rcTab.Height() - 4, pColors->m_clrFrame);
    }
    m_pTheme->DrawTabContent(pDC, pItem, rcTab, TRUE);
}
