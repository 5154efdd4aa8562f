// Painting and repositioning of a whole tab control by the tab theme.
#include "toolkit/tabs/TabTheme.h"

#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabAppearance.h"
#include "toolkit/tabs/TabColorSet.h"
#include "toolkit/tabs/TabManager.h"

#include <algorithm>

void CTKPTabTheme::DrawTabControl(CDC* pDC, CTKPTabManager* pManager, CRect rcControl)
{
    if (m_pAppearance)
        m_pAppearance->DrawTabControl(pDC, pManager, rcControl);
}

void CTKPTabTheme::AdjustClientRect(CTKPTabManager* pManager, CRect& rcClient)
{
    if (m_bStaticFrame)
        DeflateForPosition(rcClient, CRect(2, 1, 2, 2), GetPositionOf(pManager));
    if (pManager->GetItemCount() > 0 && m_pAppearance)
        m_pAppearance->AdjustClientRect(pManager, rcClient);
}

void CTKPTabTheme::RepositionTabControl(CTKPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    pManager->SetClipRect(CRect(0, 0, 0, 0));
    pManager->SetTabAreaRect(rcControl);
    pManager->SetTabClientRect(rcControl);
    pManager->GetRows()->SetCount(1);
    for (int i = 0; i < pManager->GetItemCount(); ++i)
        pManager->GetItem(i)->SetRow(0);
    if (m_pAppearance)
        m_pAppearance->AdjustLayout(pManager, pDC, rcControl);
    CRect rcClient = rcControl;
    AdjustClientRect(pManager, rcClient);
    pManager->SetTabClientRect(rcClient);
}

void CTKPTabTheme::PaintTabControl(CTKPTabManager* pManager, CDC* pDC, CRect rcControl)
{
    if (!m_pAppearance || !m_pColorSet)
        return;
    const int nPosition = GetPositionOf(pManager);
    if (m_bStaticFrame) {
        pDC->Draw3dRect(rcControl, m_pColorSet->m_clrFrame, m_pColorSet->m_clrFrame);
        CRect rcInner = rcControl;
        rcInner.DeflateRect(1, 1);
        pDC->Draw3dRect(rcInner, m_pColorSet->m_clrClient, m_pColorSet->m_clrClient);
        DeflateForPosition(rcControl, CRect(1, 1, 1, 1), nPosition);
        DeflateForPosition(rcControl, CRect(1, 0, 1, 1), nPosition);
    }
    if (m_bFillClient)
        pDC->FillSolidRect(rcControl, m_pColorSet->m_clrClient);
    DeflateForPosition(rcControl, m_rcControlMargin, nPosition);
    pDC->SetBkMode(TRANSPARENT);

    CRect rcHeader;
    if (m_bFillClient)
        m_pAppearance->FillClient(rcHeader, pManager, pDC, rcControl);
    else
        m_pAppearance->GetHeaderRect(rcHeader, rcControl, pManager);

    // Tabs never show under the navigation buttons.
    CRect rcClip = rcHeader;
    const bool vertical = tktab::IsVertical(nPosition);
    for (int i = 0; i < pManager->GetNavigateButtonCount(); ++i) {
        const CRect& rcButton = pManager->GetNavigateButton(i)->GetRect();
        if (rcButton.IsRectEmpty())
            continue;
        if (vertical && rcButton.top > rcClip.top && rcButton.top < rcClip.bottom)
            rcClip.bottom = rcButton.top;
        if (!vertical && rcButton.left > rcClip.left && rcButton.left < rcClip.right)
            rcClip.right = rcButton.left;
    }

    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rcClip);
    m_pColorSet->FillRowBackground(pDC, rcHeader, pManager);
    for (int nRow = pManager->GetRows()->GetCount() - 1; nRow >= 0; --nRow)
        DrawRowTabs(pDC, pManager, nRow);
    pDC->RestoreDC(nSaved);

    for (int i = pManager->GetNavigateButtonCount() - 1; i >= 0; --i)
        pManager->GetNavigateButton(i)->Draw(pDC);
}

void CTKPTabTheme::DrawRowTabs(CDC* pDC, CTKPTabManager* pManager, int nRow)
{
    int nFirst = 0, nLast = -1;
    pManager->GetRows()->GetRow(nRow, nFirst, nLast);
    nLast = std::min<int>(nLast, pManager->GetItemCount() - 1);
    const CRect rcClip = pManager->GetClipRect();
    CTKPTabManagerItem* pSelected = pManager->GetSelectedItem();
    const BOOL bSelectedHere =
        pSelected && pSelected->GetRow() == nRow && pSelected->GetIndex() >= nFirst && pSelected->GetIndex() <= nLast;

    // FALSE once a tab of another row is met: the walk stops there.
    auto paint = [&](int i) {
        CTKPTabManagerItem* pItem = pManager->GetItem(i);
        if (!pItem || pItem->GetRow() != nRow)
            return false;
        CRect rcMeet;
        if (pItem->IsVisible() && (rcClip.IsRectEmpty() || rcMeet.IntersectRect(rcClip, pItem->GetRect())))
            m_pAppearance->DrawSingleTab(pDC, pItem);
        return true;
    };

    if (bSelectedHere && m_pAppearance->m_bDrawTowardsSelected) {
        const int nSelected = pSelected->GetIndex();
        for (int i = nFirst; i < nSelected; ++i) {
            if (!paint(i))
                break;
        }
        for (int i = nLast; i > nSelected; --i) {
            if (!paint(i))
                break;
        }
    } else {
        for (int i = nLast; i >= nFirst; --i) {
            if (!paint(i))
                break;
        }
    }
    // The selected tab once more at the end, over its neighbours.
    if (bSelectedHere)
        paint(pSelected->GetIndex());
}
