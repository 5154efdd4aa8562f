#include "toolkit/tabs/TabAppearanceStacked.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/tabs/TabColorSet.h"
#include "toolkit/tabs/TabManager.h"
#include "toolkit/tabs/TabTheme.h"

#include <algorithm>

CTKPTabAppearanceStacked::CTKPTabAppearanceStacked()
{
    m_rcHeaderMargin.SetRect(0, 0, 0, 0);
}

BOOL CTKPTabAppearanceStacked::IsFrameless() const
{
    return m_pTheme && m_pTheme->m_nClientFrame == 2;
}

void CTKPTabAppearanceStacked::CountBars(CTKPTabManager* pManager, int& nSelected, int& nAfter) const
{
    nSelected = -1;
    nAfter = 0;
    CTKPTabManagerItem* pSelected = pManager ? pManager->GetSelectedItem() : NULL;
    int nVisible = 0;
    for (int i = 0; pManager && i < pManager->GetItemCount(); ++i) {
        CTKPTabManagerItem* pItem = pManager->GetItem(i);
        if (!pItem->IsVisible())
            continue;
        if (pItem == pSelected)
            nSelected = nVisible;
        else if (nSelected >= 0)
            ++nAfter;
        ++nVisible;
    }
}

void CTKPTabAppearanceStacked::GetHeaderRect(CRect& rcHeader, CRect /*rcControl*/, CTKPTabManager* /*pManager*/)
{
    rcHeader.SetRectEmpty();
}

void CTKPTabAppearanceStacked::GetClientRect(CRect& rcClient, CRect rcControl, CTKPTabManager* pManager)
{
    rcClient = rcControl;
    int nSelected = -1, nAfter = 0;
    CountBars(pManager, nSelected, nAfter);
    if (nSelected >= 0) {
        const int h = GetRowHeight(pManager);
        rcClient.top = rcControl.top + 1 + (nSelected + 1) * h;
        rcClient.bottom = std::max<int>(rcControl.bottom - nAfter * h, static_cast<int>(rcClient.top) + h);
        if (nAfter == 0 && !IsFrameless())
            rcClient.bottom -= 1;
    }
    if (!IsFrameless())
        rcClient.DeflateRect(1, 0);
}

void CTKPTabAppearanceStacked::AdjustClientRect(CTKPTabManager* pManager, CRect& rcClient)
{
    if (m_pTheme)
        ApplyClientMargins(pManager, rcClient);
}

void CTKPTabAppearanceStacked::AdjustLayout(CTKPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    if (!m_pTheme)
        return;
    CTKPTabTheme::DeflateForPosition(rcControl, m_pTheme->m_rcControlMargin, GetPosition(pManager));
    pManager->SetClipRect(CRect(0, 0, 0, 0));
    pManager->SetScrollOffsetField(0);
    for (int i = 0; i < pManager->GetNavigateButtonCount(); ++i)
        pManager->GetNavigateButton(i)->ClearRect();

    int nSelected = -1, nAfter = 0;
    CountBars(pManager, nSelected, nAfter);
    const int h = GetRowHeight(pManager);
    const int x1 = rcControl.left + (IsFrameless() ? 0 : 1);
    const int x2 = rcControl.right;
    int y = rcControl.top + 1;
    int nVisible = 0;
    for (int i = 0; i < pManager->GetItemCount(); ++i) {
        CTKPTabManagerItem* pItem = pManager->GetItem(i);
        if (!pItem->IsVisible()) {
            pItem->SetRect(CRect(0, 0, 0, 0));
            pItem->SetLength(0);
            pItem->SetNaturalLength(0);
            continue;
        }
        if (nSelected >= 0 && nVisible == nSelected + 1) {
            // The bars after the selected one gather at the bottom, leaving the client area between.
            const int nSelectedEnd = y;
            y = rcControl.bottom - nAfter * h;
            y = std::max<int>(y, nSelectedEnd + h);
            y = std::min<int>(y, static_cast<int>(rcControl.bottom) - 1);
        }
        pItem->SetRect(CRect(x1, y, x2, y + h));
        // A bar shows its content from the left; it counts as truncated only when it is too short.
        const int nNatural = GetTabWidth(pDC, pItem);
        pItem->SetNaturalLength(nNatural);
        pItem->SetLength(std::min<int>(x2 - x1, nNatural));
        y += h;
        ++nVisible;
    }
}

void CTKPTabAppearanceStacked::DrawTabControl(CDC* pDC, CTKPTabManager* pManager, CRect rcControl)
{
    CTKPTabColorSet* pColors = GetColorSet();
    if (!m_pTheme || !pColors)
        return;
    pDC->FillSolidRect(rcControl, pColors->m_clrClient);
    CTKPTabTheme::DeflateForPosition(rcControl, m_pTheme->m_rcControlMargin, GetPosition(pManager));
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rcControl);
    if (!IsFrameless())
        Frame3d(pDC, rcControl, pColors->m_clrFrame, pColors->m_clrFrame);
    else if (pManager->GetItemCount() > 0 && pColors->m_clrFrame != CLR_NONE)
        pDC->FillSolidRect(rcControl.left, rcControl.top, rcControl.Width(), 1, pColors->m_clrFrame);
    pDC->SetBkMode(TRANSPARENT);
    for (int i = pManager->GetItemCount() - 1; i >= 0; --i) {
        CTKPTabManagerItem* pItem = pManager->GetItem(i);
        if (pItem->IsVisible() && pDC->RectVisible(pItem->GetRect()))
            DrawSingleTab(pDC, pItem);
    }
    pDC->RestoreDC(nSaved);
}

void CTKPTabAppearanceStacked::DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem)
{
    CTKPTabColorSet* pColors = GetColorSet();
    if (!m_pTheme || !pColors)
        return;
    const CRect rc = pItem->GetRect();
    pColors->FillTab(pDC, rc, pItem);
    Frame3d(pDC, rc, pColors->m_clr3DLight, pColors->m_clrFrame);
    const COLORREF clrGrip = GetColorManager()->GetColor(tkpcGrip);
    if (clrGrip != CLR_NONE) {
        for (int y = rc.top + 4; y < rc.bottom - 3; y += 2)
            pDC->FillSolidRect(rc.right - 7, y, 3, 1, clrGrip);
    }
    CRect rcContent = rc;
    rcContent.right -= 7;
    m_pTheme->DrawTabContent(pDC, pItem, rcContent, TRUE);
}
