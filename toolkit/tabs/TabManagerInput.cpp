// The tab manager's mouse and keyboard handling: clicks, hot tracking, keys and the drag that
// reorders tabs.
#include "toolkit/tabs/TabManager.h"

#include "toolkit/commandbars/ToolTipRecord.h"
#include "toolkit/common/TabGeometry.h"
#include "toolkit/tabs/TabTheme.h"

#include <vector>

void CTKPTabManager::TrackMouseLeave(CWnd* pWnd)
{
    TRACKMOUSEEVENT tme = {};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = pWnd->GetSafeHwnd();
    tme.dwHoverTime = 0;
    ::TrackMouseEvent(&tme);
}

BOOL CTKPTabManager::HandleLButtonDown(CWnd* pWnd, CPoint pt, BOOL bButtonsOnly)
{
    for (INT_PTR i = 0; i < m_arrNavigateButtons.GetSize(); ++i) {
        CTKPTabManagerNavigateButton* pButton = m_arrNavigateButtons[i];
        if (pButton->GetRect().PtInRect(pt)) {
            pButton->PerformClick(pWnd, pt);
            return TRUE;
        }
    }
    if (bButtonsOnly)
        return FALSE;
    CTKPTabManagerItem* pItem = HitTest(pt);
    if (!pItem)
        return FALSE;
    if (IsAllowReorder())
        TrackTabDrag(pWnd, pt, pItem);
    else
        OnTabClick(pItem);
    return TRUE;
}

void CTKPTabManager::HandleMouseMove(CWnd* pWnd, CPoint pt)
{
    CWnd* pTop = pWnd ? pWnd->GetTopLevelParent() : NULL;
    if (!pTop || pTop->GetSafeHwnd() != ::GetActiveWindow())
        return;
    if (IsDrawingLocked())
        return;

    CTKPTabTheme* pTheme = GetPaintManager();
    if (pTheme && pTheme->m_bHotTracking) {
        CTKPTabManagerItem* pHot = HitTest(pt);
        if (pHot != m_pHot) {
            m_pHot = pHot;
            RedrawControl();
            if (pHot)
                TrackMouseLeave(pWnd);
        }
    }

    for (INT_PTR i = 0; i < m_arrNavigateButtons.GetSize(); ++i) {
        CTKPTabManagerNavigateButton* pButton = m_arrNavigateButtons[i];
        const BOOL bOver = pButton->GetRect().PtInRect(pt);
        if (pButton->IsHot() && !bOver) {
            pButton->SetHot(FALSE);
            RedrawControl();
        } else if (pButton->IsEnabled() && !pButton->IsHot() && bOver) {
            pButton->SetHot(TRUE);
            RedrawControl();
            TrackMouseLeave(pWnd);
        }
    }
}

BOOL CTKPTabManager::HandleKeyDown(CWnd* pWnd, UINT nKey)
{
    const int nCount = GetItemCount();
    if (nCount == 0)
        return FALSE;
    if (pWnd && (pWnd->GetExStyle() & WS_EX_LAYOUTRTL)) {
        if (nKey == VK_LEFT)
            nKey = VK_RIGHT;
        else if (nKey == VK_RIGHT)
            nKey = VK_LEFT;
    }

    const bool vertical = tktab::IsVertical(GetPosition());
    switch (nKey) {
    case VK_HOME:
        ClickTab(FindNextTab(0, +1));
        return TRUE;
    case VK_END:
        ClickTab(FindNextTab(nCount - 1, -1));
        return TRUE;
    case VK_LEFT:
    case VK_UP:
        if ((nKey == VK_LEFT) == !vertical && m_pSelected && m_pSelected->GetIndex() >= 1)
            ClickTab(FindNextTab(m_pSelected->GetIndex() - 1, -1));
        return TRUE;
    case VK_RIGHT:
    case VK_DOWN:
        if ((nKey == VK_RIGHT) == !vertical && m_pSelected && m_pSelected->GetIndex() < nCount - 1)
            ClickTab(FindNextTab(m_pSelected->GetIndex() + 1, +1));
        return TRUE;
    default:
        return FALSE;
    }
}

void CTKPTabManager::TrackTabDrag(CWnd* pWnd, CPoint pt, CTKPTabManagerItem* pItem)
{
    HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : NULL;
    if (!hWnd || !pItem || pItem->m_pManager != this)
        return;

    // References keep the dragged tab and the selection to put back alive: the loop's dispatching may
    // delete them, and the drag would go on with freed tabs.
    pItem->InternalAddRef();
    CTKPTabManagerItem* pOldSelected = m_pSelected;
    if (pOldSelected)
        pOldSelected->InternalAddRef();

    m_pSelected = pItem;
    CTKPTabTheme* pTheme = GetPaintManager();
    if (pTheme && pTheme->m_bHotTracking)
        m_pHot = pItem;
    Reposition();

    // The drop targets are the places the tabs had when the drag began.
    std::vector<CRect> targets;
    for (INT_PTR i = 0; i < m_arrTabs.GetSize(); ++i)
        targets.push_back(m_arrTabs[i]->m_rcItem);

    pWnd->SetCapture();
    CPoint ptLast = pt;
    BOOL bDone = FALSE;
    while (!bDone && ::GetCapture() == hWnd) {
        MSG msg;
        const BOOL bGot = ::GetMessage(&msg, NULL, 0, 0);
        if (bGot <= 0) {
            if (bGot == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_CANCELMODE:
            bDone = TRUE;
            break;
        case WM_KEYDOWN:
            bDone = msg.wParam == VK_ESCAPE;
            break;
        case WM_MOUSEMOVE: {
            ptLast = CPoint(static_cast<DWORD>(msg.lParam));
            const int nFrom = pItem->m_nIndex;
            // A tab that left the row meanwhile ends the drag instead of being swapped back into it.
            if (pItem->m_pManager != this || nFrom < 0) {
                bDone = TRUE;
                break;
            }
            for (int i = 0; i < static_cast<int>(targets.size()) && i < GetItemCount(); ++i) {
                if (i == nFrom || !targets[i].PtInRect(ptLast))
                    continue;
                m_arrTabs[nFrom] = m_arrTabs[i];
                m_arrTabs[i] = pItem;
                OnTabsChanged();
                break;
            }
            break;
        }
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            break;
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();

    if (::IsWindow(hWnd))
        HandleMouseMove(pWnd, ptLast);
    // The selection comes back only to be replaced through the normal path, so that a host sees
    // the change of selection as after a click; a tab that left the row meanwhile does not come back.
    m_pSelected = pOldSelected && pOldSelected->m_pManager == this ? pOldSelected : NULL;
    if (pItem->m_pManager == this)
        OnTabClick(pItem);
    if (pOldSelected)
        pOldSelected->InternalRelease();
    pItem->InternalRelease();
}

int CTKPTabManager::GetToolTipInfo(CWnd* pWnd, CTKPTabManagerItem* pItem, TOOLINFO* pInfo) const
{
    CTKPTabTheme* pTheme = GetPaintManager();
    if (!pItem || !pTheme || pTheme->m_nTooltipMode == 0)
        return -1;
    // Mode 2: only a tab drawn shorter than its caption needs shows its tooltip.
    if (pTheme->m_nTooltipMode == 2 && !pItem->IsTruncated())
        return -1;
    const CString strTooltip = GetTabTooltip(pItem);
    if (strTooltip.IsEmpty())
        return -1;
    FillToolInfo(pInfo, pWnd ? pWnd->GetSafeHwnd() : NULL, pItem->GetRect(), static_cast<UINT_PTR>(pItem->GetIndex()),
        strTooltip, pItem->GetCaption(), strTooltip);
    return pItem->GetIndex();
}
