// A command bar as the target of a customise drag: where a dragged control would land, the
// insertion mark that shows it, opening popups under the pointer, and the drop itself.
#include "toolkit/commandbars/CommandBar.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/CommandBarsTheme.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/RefHolder.h"

#include <cstdlib>

namespace {

const int kMarkThickness = 6;

BOOL IsDropEligible(CTKPControl* pControl)
{
    return pControl->IsVisible() && !(pControl->GetFlags() & tkpFlagNoMovable);
}

}  // namespace

void CTKPCommandBar::FindDropPosition(CTKPControl* pDragged, CPoint point, CRect& rcMark, int& nIndex, BOOL& bAfter)
{
    const BOOL bVertical = m_barPosition == tkpBarLeft || m_barPosition == tkpBarRight ||
        m_barPosition == tkpBarPopup || m_barType == tkpBarTypePopup;
    CTKPControl* pBest = NULL;
    int nBestDistance = 0;
    const int nCount = GetControlCount();
    for (int i = 0; i < nCount; ++i) {
        CTKPControl* pControl = GetControl(i);
        if (!IsDropEligible(pControl))
            continue;
        const CRect rc = pControl->GetRect();
        if (pControl->GetWrap() && pBest != NULL) {
            // A new row (column): stop when it lies past the point, else search it afresh.
            if (!bVertical && rc.top > point.y)
                break;
            if (bVertical && rc.right < point.x)
                break;
            pBest = NULL;
        }
        const int nMiddle = bVertical ? (rc.top + rc.bottom) / 2 : (rc.left + rc.right) / 2;
        const int nDistance = std::abs((bVertical ? point.y : point.x) - nMiddle);
        if (pBest == NULL || nDistance < nBestDistance) {
            pBest = pControl;
            nBestDistance = nDistance;
        }
    }

    if (pBest == NULL) {
        CRect rcClient;
        if (GetSafeHwnd() != NULL)
            GetClientRect(&rcClient);
        else
            rcClient.SetRectEmpty();
        rcMark.SetRect(rcClient.left + 2, rcClient.top + 2, rcClient.left + 8, rcClient.bottom - 2);
        nIndex = -1;
        bAfter = TRUE;
        m_bVerticalMarker = FALSE;
        return;
    }

    const CRect rc = pBest->GetRect();
    const int nMiddle = bVertical ? (rc.top + rc.bottom) / 2 : (rc.left + rc.right) / 2;
    bAfter = nMiddle < (bVertical ? point.y : point.x);
    nIndex = pBest->GetIndex();
    m_bVerticalMarker = bVertical;
    if (bAfter) {
        CTKPControl* pNext = NULL;
        for (int i = nIndex + 1; i < nCount && pNext == NULL; ++i) {
            if (IsDropEligible(GetControl(i)))
                pNext = GetControl(i);
        }
        const BOOL bInside = pNext == NULL || pNext->GetBeginGroup() || (!bVertical && pNext->GetWrap());
        if (bVertical)
            rcMark.SetRect(rc.left, bInside ? rc.bottom - kMarkThickness : rc.bottom, rc.right,
                bInside ? rc.bottom : rc.bottom + kMarkThickness);
        else
            rcMark.SetRect(bInside ? rc.right - kMarkThickness : rc.right, rc.top,
                bInside ? rc.right : rc.right + kMarkThickness, rc.bottom);
    } else if (bVertical) {
        rcMark.SetRect(rc.left, rc.top, rc.right, rc.top + kMarkThickness);
    } else {
        rcMark.SetRect(rc.left, rc.top, rc.left + kMarkThickness, rc.bottom);
    }
    if (pBest == pDragged)
        rcMark.SetRectEmpty();
}

DWORD CTKPCommandBar::OnCustomizeDragEnter(CTKPControl* pDragged, CPoint point)
{
    m_rcMarker.SetRectEmpty();
    return OnCustomizeDragOver(pDragged, point);
}

void CTKPCommandBar::OnCustomizeDragLeave()
{
    if (m_rcMarker.IsRectEmpty())
        return;
    m_rcMarker.SetRectEmpty();
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
}

DWORD CTKPCommandBar::OnCustomizeDragOver(CTKPControl* pDragged, CPoint point)
{
    if (!IsCustomizable() || GetSafeHwnd() == NULL || !(GetStyle() & WS_VISIBLE))
        return 0;
    CRect rcMark;
    int nIndex = -1;
    BOOL bAfter = FALSE;
    FindDropPosition(pDragged, point, rcMark, nIndex, bAfter);

    DWORD dropEffect = (DWORD)-1;
    CTKPControl* pControl = m_pControls->HitTest(point);
    if (pControl != NULL) {
        if (GetParentCommandBar() == NULL && pControl->GetIndex() != m_nPopuped)
            CTKPCommandBars::GetMouseTracker()->CloseAll();
        pControl->OnCustomizeDragOver(pDragged, point, dropEffect);
    }
    if (pDragged != NULL && pDragged->IsCustomizeDragOverAvail(this, point, dropEffect)) {
        m_rcMarker = rcMark;
        Invalidate(FALSE);
    }
    return dropEffect;
}

void CTKPCommandBar::OnCustomizeDrop(CTKPControl* pDragged, DWORD& dropEffect, CPoint ptDrop, CPoint ptDrag)
{
    CRect rcMark;
    int nIndex = -1;
    BOOL bAfter = FALSE;
    FindDropPosition(pDragged, ptDrop, rcMark, nIndex, bAfter);

    CTKPControl* pTarget = GetControl(nIndex);
    if (pTarget != NULL && pTarget == pDragged) {
        // Dropped on itself: a real move makes it begin (after) or stop beginning (before) a group.
        if (std::abs(ptDrop.x - ptDrag.x) > 4 || std::abs(ptDrop.y - ptDrag.y) > 4)
            pDragged->SetBeginGroup(bAfter && nIndex != 0);
        dropEffect = dropCancelled;
    } else if (pDragged != NULL) {
        CTKPRefHolder hold(this);
        if (bAfter)
            ++nIndex;
        SetPopuped(-1, FALSE);
        SetSelected(-1, FALSE);
        BOOL bBeginGroup = FALSE;
        CTKPControl* pBefore = GetControl(nIndex);
        if (pBefore != NULL && pBefore->GetBeginGroup()) {
            pBefore->SetBeginGroup(FALSE);
            bBeginGroup = TRUE;
        }
        CTKPControl* pNew = m_pControls->AddClone(pDragged, nIndex < 0 ? -1 : nIndex, FALSE);
        if (pNew != NULL) {
            pNew->SetBeginGroup(bBeginGroup);
            CTKPCommandBars* pCommandBars = GetCommandBars();
            if (pCommandBars != NULL)
                pCommandBars->SetDragControl(pNew);
        }
    }
    OnRecalcLayout();
    m_rcMarker.SetRectEmpty();
    if (GetSafeHwnd() != NULL)
        Invalidate(FALSE);
}

void CTKPCommandBar::DrawInsertMark(CDC* pDC)
{
    const CRect rc = m_rcMarker;
    if (rc.IsRectEmpty())
        return;
    CBrush brush(GetPaintManager()->GetColor(COLOR_BTNFACE));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    if (m_bVerticalMarker) {
        pDC->PatBlt(L, T, 1, B - T, PATINVERT);
        pDC->PatBlt(L + 1, T + 1, 1, B - T - 2, PATINVERT);
        pDC->PatBlt(L + 2, T + 2, R - L - 4, 2, PATINVERT);
        pDC->PatBlt(R - 1, T, 1, B - T, PATINVERT);
        pDC->PatBlt(R - 2, T + 1, 1, B - T - 2, PATINVERT);
    } else {
        pDC->PatBlt(L, T, R - L, 1, PATINVERT);
        pDC->PatBlt(L + 1, T + 1, R - L - 2, 1, PATINVERT);
        pDC->PatBlt(L + 2, T + 2, 2, B - T - 4, PATINVERT);
        pDC->PatBlt(L, B - 1, R - L, 1, PATINVERT);
        pDC->PatBlt(L + 1, B - 2, R - L - 2, 1, PATINVERT);
    }
    pDC->SelectObject(pOldBrush);
}
