#include "toolkit/tabs/TabAppearanceSlanted.h"

#include "toolkit/tabs/TabColorSet.h"
#include "toolkit/tabs/TabFigure.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabTheme.h"

CTKPTabAppearanceSlanted::CTKPTabAppearanceSlanted() : m_bHotHighlight(FALSE)
{
    m_rcHeaderMargin.SetRect(2, 3, 6, 0);
}

void CTKPTabAppearanceSlanted::GetHeaderMargin(CRect& rcMargin)
{
    rcMargin = m_rcHeaderMargin;
    rcMargin.left += m_nRowHeight;
}

void CTKPTabAppearanceSlanted::FillClient(CRect& rcHeader, CTKPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    if (CTKPTabColorSet* pColors = GetColorSet())
        FillFramedClient(rcHeader, pManager, pDC, rcControl, FALSE, pColors->m_clrSelectedTabBorder,
            pColors->m_clrSelectedTabBorder);
    else
        rcHeader = rcControl;
}

void CTKPTabAppearanceSlanted::GetOutlineColors(CTKPTabManagerItem* pItem, COLORREF& clrBorder, COLORREF& clrLight,
    COLORREF& clrInner)
{
    CTKPTabColorSet* pColors = GetColorSet();
    if (pItem->IsSelected()) {
        clrBorder = pColors->m_clrSelectedTabBorder;
        clrLight = clrInner = 0xFFFFFF;
    } else if (pItem->IsHot() && m_bHotHighlight) {
        clrBorder = clrLight = clrInner = pColors->m_grcSelectedFrame.m_clrDark;
    } else {
        clrBorder = pColors->m_clrTabBorder;
        clrLight = pColors->m_clrTabLightEdge;
        clrInner = pColors->m_clrTabInnerEdge;
    }
}

void CTKPTabAppearanceSlanted::DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem)
{
    if (!m_pTheme || !GetColorSet())
        return;
    const CTKPTabFigure fig(pItem->GetRect(), GetPosition(pItem));
    const int l = fig.Tab().left, t = fig.Tab().top, r = fig.Tab().right, b = fig.Tab().bottom;
    const int h = b - t;
    // The leading side leans out of the tab by the row height less 8 pixels, at 45 degrees.
    POINT pts[4] = {{r - 1, b - 1}, {r - 1, t + 2}, {l + 4, t + 2}, {l + 8 - h, b - 2}};
    fig.TurnPoints(pts, 4);
    FillTabPolygon(pDC, pItem, pts, 4, fig.Position(), TRUE);

    COLORREF clrBorder, clrLight, clrInner;
    GetOutlineColors(pItem, clrBorder, clrLight, clrInner);
    fig.Line(pDC, clrBorder, l + 8 - h, b - 2, l + 4, t + 2);
    fig.Line(pDC, clrBorder, l + 4, t + 2, r - 1, t + 2);
    fig.Line(pDC, clrBorder, r - 1, t + 2, r - 1, b);
    fig.Line(pDC, clrLight, l + 9 - h, b - 2, l + 4, t + 3);
    fig.Line(pDC, clrLight, l + 4, t + 3, r - 2, t + 3);
    fig.Line(pDC, clrInner, r - 2, t + 3, r - 2, b);

    m_pTheme->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}

CTKPTabAppearanceTrapezoid::CTKPTabAppearanceTrapezoid()
{
    m_bDrawTowardsSelected = TRUE;
}

void CTKPTabAppearanceTrapezoid::GetHeaderMargin(CRect& rcMargin)
{
    rcMargin = m_rcHeaderMargin;
    rcMargin.left += m_nRowHeight / 2;
}

void CTKPTabAppearanceTrapezoid::DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem)
{
    if (!m_pTheme || !GetColorSet())
        return;
    const CTKPTabFigure fig(pItem->GetRect(), GetPosition(pItem));
    const int l = fig.Tab().left, r = fig.Tab().right, b = fig.Tab().bottom;
    const int k = fig.Tab().Height() / 2;
    // Widest at the client side, where it reaches k - 4 pixels beyond each side of the tab, with cut
    // corners at the control edge.
    const int top = b - 2 * k;
    const POINT figure[8] = {{r + k - 4, b - 2}, {r - 1, top + 4}, {r - 5, top}, {r - 7, top - 1}, {l + 7, top - 1},
        {l + 5, top}, {l + 2, top + 3}, {l + 4 - k, b - 1}};
    POINT pts[8];
    std::copy(figure, figure + 8, pts);
    fig.TurnPoints(pts, 8);
    FillTabPolygon(pDC, pItem, pts, 8, fig.Position(), TRUE);

    COLORREF clrBorder, clrLight, clrInner;
    GetOutlineColors(pItem, clrBorder, clrLight, clrInner);
    for (int i = 7; i > 0; --i)
        fig.Line(pDC, clrBorder, figure[i].x, figure[i].y, figure[i - 1].x, figure[i - 1].y);
    fig.Line(pDC, clrLight, l + 6, top, r - 5, top);
    fig.Line(pDC, clrInner, l + 3, top + 3, l + 5 - k, b - 1);
    fig.Line(pDC, clrInner, r - 2, top + 4, r + k - 5, b - 2);

    m_pTheme->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}
