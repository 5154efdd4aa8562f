#include "toolkit/tabs/TabAppearanceClassic.h"

#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabColorSet.h"
#include "toolkit/tabs/TabFigure.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabTheme.h"

CTKPTabAppearanceClassic::CTKPTabAppearanceClassic()
{
    m_rcHeaderMargin.SetRect(2, 3, 6, 0);
}

void CTKPTabAppearanceClassic::GetClientMargin(CRect& rcMargin)
{
    CTKPTabAppearance::GetClientMargin(rcMargin);
    CTKPTabColorSet* pColors = GetColorSet();
    if (!m_pTheme || !pColors || !pColors->IsThemed() || m_pTheme->m_nClientFrame != 0)
        return;
    rcMargin.right += 2;
    const int nPosition = GetPosition(static_cast<const CTKPTabManager*>(NULL));
    if (nPosition == tktab::posTop || nPosition == tktab::posLeft)
        rcMargin.bottom += 2;
}

void CTKPTabAppearanceClassic::FillClient(CRect& rcHeader, CTKPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    const int nFrame = m_pTheme ? m_pTheme->m_nClientFrame : 0;
    CRect rcClient;
    FillHeaderAndClient(rcHeader, rcClient, pManager, pDC, rcControl, nFrame == 0);
    CTKPTabColorSet* pColors = GetColorSet();
    if (!pColors)
        return;
    const COLORREF clrHighlight = pColors->m_clr3DHighlight;
    const COLORREF clrShadow = pColors->m_clr3DShadow;
    const COLORREF clrDark = pColors->m_clr3DDarkShadow;
    const int nPosition = GetPosition(pManager);
    if (nFrame == 0) {
        Frame3d(pDC, rcClient, clrHighlight, clrDark);
        if (clrShadow != CLR_NONE) {
            pDC->FillSolidRect(rcClient.left + 1, rcClient.bottom - 2, rcClient.Width() - 2, 1, clrShadow);
            pDC->FillSolidRect(rcClient.right - 2, rcClient.top + 1, 1, rcClient.Height() - 2, clrShadow);
        }
    } else if (nFrame == 1) {
        if (nPosition == tktab::posTop || nPosition == tktab::posLeft) {
            DrawTabSideLine(pDC, rcClient, nPosition, clrHighlight, clrHighlight);
        } else {
            DrawTabSideLine(pDC, rcClient, nPosition, clrDark, clrDark);
            CRect rcInner = rcClient;
            DeflateRectForPosition(rcInner, 0, 1, 0, 0, nPosition);
            DrawTabSideLine(pDC, rcInner, nPosition, clrShadow, clrShadow);
        }
    }
}

void CTKPTabAppearanceClassic::DrawClassicTab(CDC* pDC, CTKPTabManagerItem* pItem)
{
    CTKPTabColorSet* pColors = GetColorSet();
    if (!pColors)
        return;
    const CTKPTabFigure fig(pItem->GetRect(), GetPosition(pItem));
    CRect rc = fig.Tab();
    const BOOL bSelected = pItem->IsSelected();
    if (bSelected) {
        rc.left -= 2;
        rc.top -= 2;
        rc.right += 2;
    }
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    // An unselected tab's fill ends above the client frame's line instead of at the tab's bottom, where
    // it painted over that line under every tab; the selected one reaches over it.
    const int nFillEnd = bSelected ? b : b - 1;
    const COLORREF clrFill = pColors->FillTab(pDC, fig.Rect(l + 1, t + 1, r - 1, nFillEnd), pItem);

    const COLORREF clrHighlight = pColors->m_clr3DHighlight;
    fig.Fill(pDC, l, t + 2, l + 1, b, clrHighlight);
    fig.Pixel(pDC, l + 1, t + 1, clrHighlight);
    fig.Fill(pDC, l + 2, t, l + 2 + (r - l - 4), t + 1, clrHighlight);
    const COLORREF clrShadow = pColors->m_clr3DShadow;
    fig.Pixel(pDC, r - 2, t + 1, clrShadow);
    fig.Fill(pDC, r - 2, t + 2, r - 1, t + 2 + (b - t - 3), clrShadow);
    fig.Fill(pDC, r - 1, t + 2, r, t + 2 + (b - t - 3), pColors->m_clr3DDarkShadow);
    if (bSelected && pItem->GetRow() == 0)
        fig.Fill(pDC, l + 1, b - 1, l + 1 + (r - l - 3), b, clrFill);

    m_pTheme->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}

void CTKPTabAppearanceClassic::DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem)
{
    if (m_pTheme)
        DrawClassicTab(pDC, pItem);
}

void CTKPTabAppearanceClassicSelected::DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem)
{
    if (!m_pTheme)
        return;
    if (pItem->IsSelected() || pItem->IsHot())
        DrawClassicTab(pDC, pItem);
    else
        m_pTheme->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}
