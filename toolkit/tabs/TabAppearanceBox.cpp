#include "toolkit/tabs/TabAppearanceBox.h"

#include "toolkit/base/DrawingHelper.h"
#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabColorSet.h"
#include "toolkit/tabs/TabFigure.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabTheme.h"

CTKPTabAppearanceBox::CTKPTabAppearanceBox()
{
    m_rcHeaderMargin.SetRect(2, 2, 4, 0);
}

void CTKPTabAppearanceBox::FillClient(CRect& rcHeader, CTKPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    if (CTKPTabColorSet* pColors = GetColorSet())
        FillFramedClient(rcHeader, pManager, pDC, rcControl, TRUE, pColors->m_clrFrame, pColors->m_clrFrame);
    else
        rcHeader = rcControl;
}

void CTKPTabAppearanceBox::DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem)
{
    CTKPTabColorSet* pColors = GetColorSet();
    if (!m_pTheme || !pColors)
        return;
    const int nPosition = GetPosition(pItem);
    CRect rc = pItem->GetRect();
    // Neighbouring boxes share the line between them.
    InflateRectForPosition(rc, 0, 0, 1, 0, nPosition);
    if (pItem->IsSelected())
        InflateRectForPosition(rc, 0, 0, 0, 1, nPosition);
    pColors->FillTab(pDC, rc, pItem);
    Frame3d(pDC, rc, pColors->m_clrFrame, pColors->m_clrFrame);
    m_pTheme->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}

CTKPTabAppearanceRounded::CTKPTabAppearanceRounded() : m_bSquareCorners(TRUE), m_bSeparatorsOnly(FALSE) {}

namespace {

// The corner pixels blended with a neighbour, as (pixel, offset of the neighbour) pairs, for the
// rectangle (l, t, r, b) of a soft-cornered tab.
void CornerBlends(int nPosition, const CRect& rc, POINT* pts)
{
    const int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
    switch (nPosition) {
    case tktab::posBottom: {
        const POINT p[20] = {{l, b - 2}, {0, 1}, {l + 1, b - 1}, {-1, 0}, {r - 1, b - 2}, {0, 1}, {r - 2, b - 1},
            {1, 0}, {l + 1, b - 2}, {0, 1}, {r - 2, b - 2}, {1, 0}, {l + 2, b - 2}, {-1, 0}, {l + 1, b - 3}, {0, 1},
            {r - 3, b - 2}, {1, 0}, {r - 2, b - 3}, {0, 1}};
        std::copy(p, p + 20, pts);
        break;
    }
    case tktab::posLeft: {
        const POINT p[20] = {{l, t + 1}, {0, -1}, {l + 1, t}, {-1, 0}, {l, b - 2}, {0, 1}, {l + 1, b - 1}, {-1, 0},
            {l + 1, t + 1}, {-1, 0}, {l + 1, b - 2}, {-1, 0}, {l + 2, t + 1}, {-1, 0}, {l + 1, t + 2}, {0, -1},
            {l + 2, b - 2}, {-1, 0}, {l + 1, b - 3}, {0, 1}};
        std::copy(p, p + 20, pts);
        break;
    }
    case tktab::posRight: {
        const POINT p[20] = {{r - 1, t + 1}, {0, -1}, {r - 2, t}, {1, 0}, {r - 1, b - 2}, {0, 1}, {r - 2, b - 1},
            {1, 0}, {r - 2, t + 1}, {1, 0}, {r - 2, b - 2}, {1, 0}, {r - 3, t + 1}, {1, 0}, {r - 2, t + 2}, {0, -1},
            {r - 3, b - 2}, {1, 0}, {r - 2, b - 3}, {0, 1}};
        std::copy(p, p + 20, pts);
        break;
    }
    default: {
        const POINT p[20] = {{l, t + 1}, {0, -1}, {l + 1, t}, {-1, 0}, {r - 2, t}, {1, 0}, {r - 1, t + 1}, {0, -1},
            {l + 1, t + 1}, {-1, 0}, {r - 2, t + 1}, {1, 0}, {l + 2, t + 1}, {-1, 0}, {l + 1, t + 2}, {0, -1},
            {r - 3, t + 1}, {1, 0}, {r - 2, t + 2}, {0, -1}};
        std::copy(p, p + 20, pts);
        break;
    }
    }
}

// Sets the clip back to a rectangle of the box kept before a shape changed it.
void RestoreClip(CDC* pDC, const CRect& rcKept)
{
    CRgn rgn;
    rgn.CreateRectRgnIndirect(&rcKept);
    pDC->SelectClipRgn(&rgn);
}

}  // namespace

void CTKPTabAppearanceRounded::DrawRoundTab(CDC* pDC, CTKPTabManagerItem* pItem, CRect rc)
{
    CTKPTabColorSet* pColors = GetColorSet();
    const int nPosition = GetPosition(pItem);
    pColors->FillTab(pDC, rc, pItem);
    if (!pItem->IsSelected() && m_pTheme->m_nClientFrame != 2)
        DrawTabSideLine(pDC, rc, (nPosition + 2) % 4, pColors->m_clrFrame, pColors->m_clrFrame);
    InflateRectForPosition(rc, 0, 0, 0, 2, nPosition);
    if (pColors->m_clrFrame.GetEffective() == CLR_NONE)
        return;
    CPen pen(PS_SOLID, 1, static_cast<COLORREF>(pColors->m_clrFrame));
    CPen* pOldPen = pDC->SelectObject(&pen);
    HGDIOBJ hOldBrush = pDC->SelectObject(::GetStockObject(NULL_BRUSH));
    pDC->RoundRect(rc, CPoint(6, 6));
    pDC->SelectObject(hOldBrush);
    pDC->SelectObject(pOldPen);
}

void CTKPTabAppearanceRounded::DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem)
{
    CTKPTabColorSet* pColors = GetColorSet();
    if (!m_pTheme || !pColors)
        return;
    const int nPosition = GetPosition(pItem);
    const BOOL bSelected = pItem->IsSelected();
    CRect rc = pItem->GetRect();
    InflateRectForPosition(rc, 0, 0, 1, 0, nPosition);

    CRect rcKept;
    pDC->GetClipBox(&rcKept);
    CRect rcCorners = rc;
    InflateRectForPosition(rcCorners, 0, 0, 0, 1, nPosition);
    CTKPDrawingHelper::ExcludeCorners(pDC, rcCorners);

    if (m_bSeparatorsOnly) {
        if (bSelected) {
            DrawRoundTab(pDC, pItem, rc);
        } else if (pItem->GetIndex() < pItem->GetManager()->GetItemCount() - 1 && pColors->m_clrFrame != CLR_NONE) {
            const CRect& rcTab = pItem->GetRect();
            if (tktab::IsVertical(nPosition))
                pDC->FillSolidRect(rcTab.left + 3, rcTab.bottom - 1, rcTab.Width() - 6, 1, pColors->m_clrFrame);
            else
                pDC->FillSolidRect(rcTab.right - 1, rcTab.top + 3, 1, rcTab.Height() - 6, pColors->m_clrFrame);
        }
        RestoreClip(pDC, rcKept);
    } else if (m_bSquareCorners) {
        pColors->FillTab(pDC, rc, pItem);
        if (bSelected)
            InflateRectForPosition(rc, 0, 0, 0, 1, nPosition);
        Frame3d(pDC, rc, pColors->m_clrFrame, pColors->m_clrFrame);
        RestoreClip(pDC, rcKept);
        POINT blends[20];
        CornerBlends(nPosition, rcCorners, blends);
        CTKPDrawingHelper::BlurPoints(pDC, blends, 20);
    } else {
        DrawRoundTab(pDC, pItem, rc);
        RestoreClip(pDC, rcKept);
    }
    m_pTheme->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}

CTKPTabAppearanceSloped::CTKPTabAppearanceSloped()
{
    m_rcHeaderMargin.SetRect(2, 3, 2, 0);
}

void CTKPTabAppearanceSloped::GetHeaderMargin(CRect& rcMargin)
{
    rcMargin = m_rcHeaderMargin;
    rcMargin.left += m_nRowHeight / 2;
    rcMargin.right += m_nRowHeight / 2;
}

void CTKPTabAppearanceSloped::DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem)
{
    CTKPTabColorSet* pColors = GetColorSet();
    if (!m_pTheme || !pColors)
        return;
    const CTKPTabFigure fig(pItem->GetRect(), GetPosition(pItem));
    const CRect& rcTab = fig.Tab();
    const int t = rcTab.top;
    const int b = rcTab.bottom - 1;
    const int k = (b - t) / 2;
    // The header margin gives each end half a slope more room; the figure moves by half of it.
    const int l = rcTab.left - k / 2;
    const int r = rcTab.right - k / 2;

    POINT pts[4] = {{l, b}, {l + k, b - 2 * k}, {r, b - 2 * k}, {r + k, b}};
    fig.TurnPoints(pts, 4);
    const COLORREF clrFill = FillTabPolygon(pDC, pItem, pts, 4, fig.Position(), TRUE);

    const CTKPColorValue* outline = pItem->IsSelected() ? pColors->m_clrSelectedOutline : pColors->m_clrOutline;
    fig.Line(pDC, outline[3], l + 1, b - 1, l + k + 1, t);
    fig.Line(pDC, outline[3], l + k, t + 1, r, t + 1);
    fig.Line(pDC, outline[4], r - 1, t, r + k - 1, b);
    fig.Line(pDC, outline[0], l, b - 1, l + k, t);
    fig.Line(pDC, outline[0], l + k, t, r, t);
    fig.Line(pDC, outline[2], r, t, r + k, b);
    if (pItem->IsSelected())
        fig.Fill(pDC, l, b, l + (r - l + k), b + 1, clrFill);

    m_pTheme->DrawTabContent(pDC, pItem, pItem->GetRect(), TRUE);
}
