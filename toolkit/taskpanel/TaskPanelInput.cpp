// The task panel's mouse, keyboard and focus handling, its hit tests, the scroll buttons' loop and
// the in-place rename.
#include <algorithm>
#include <cstdlib>

#include "toolkit/base/CaptureLoopPaints.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/MouseTracker.h"
#include "toolkit/commandbars/ToolTipRecord.h"
#include "toolkit/taskpanel/TaskPanel.h"

using std::max;
using std::min;

// --- Hit testing --------------------------------------------------------------------------------

CTKPTaskPanelScrollButton* CTKPTaskPanel::HitTestScrollButton(CPoint point) const
{
    const CPoint pt(point.x, point.y + GetScrollOffset());
    CTKPTaskPanelScrollButton* buttons[2] = {m_pScrollButtonDown, m_pScrollButtonUp};
    for (CTKPTaskPanelScrollButton* pButton : buttons) {
        if (pButton->IsVisible() && pButton->rcButton.PtInRect(pt))
            return pButton;
    }
    return NULL;
}

CTKPTaskPanelGroup* CTKPTaskPanel::HitTestGroup(CPoint point, BOOL* pbCaption) const
{
    if (pbCaption)
        *pbCaption = FALSE;
    if (HitTestScrollButton(point))
        return NULL;
    const CPoint pt(point.x, point.y + GetScrollOffset());
    for (int i = 0; i < GetGroupCount(); ++i) {
        CTKPTaskPanelGroup* pGroup = GetAt(i);
        if (!pGroup->IsVisible())
            continue;
        if (pGroup->GetClientRect().PtInRect(pt))
            return pGroup;
        if (pGroup->IsCaptionVisible() && pGroup->GetCaptionRect().PtInRect(pt)) {
            if (pbCaption)
                *pbCaption = TRUE;
            return pGroup;
        }
    }
    return NULL;
}

CTKPTaskPanelItem* CTKPTaskPanel::HitTestItem(CPoint point) const
{
    BOOL bCaption = FALSE;
    CTKPTaskPanelGroup* pGroup = HitTestGroup(point, &bCaption);
    if (pGroup == NULL)
        return NULL;
    if (bCaption)
        return pGroup;
    return pGroup->HitTest(point);
}

// --- Focus and visibility -----------------------------------------------------------------------

void CTKPTaskPanel::SetHotItem(CTKPTaskPanelItem* pItem)
{
    if (m_pItemHot == pItem)
        return;
    ReleaseItem(m_pItemHot);
    m_pItemHot = pItem;
    if (m_pItemHot) {
        m_pItemHot->InternalAddRef();
        RequestMouseLeave();
    }
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CTKPTaskPanel::RequestMouseLeave()
{
    if (GetSafeHwnd() == NULL)
        return;
    TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&tme);
}

void CTKPTaskPanel::SetFocusedItem(CTKPTaskPanelItem* pItem, BOOL bByKeyboard)
{
    if (bByKeyboard)
        m_bDrawFocusRect = m_bTakeFocusOnClick;
    if (m_bTakeFocusOnClick && GetSafeHwnd() && ::GetFocus() != m_hWnd) {
        m_bSettingFocus = TRUE;
        SetFocus();
        m_bSettingFocus = FALSE;
    }
    if (m_pItemFocused == pItem)
        return;
    CTKPTaskPanelGroupItem* pGroupItem = DYNAMIC_DOWNCAST(CTKPTaskPanelGroupItem, pItem);
    if (m_bSelectItemOnFocus && pGroupItem && pGroupItem->GetType() == tkpTaskItemTypeLink && !m_bSingleSelection &&
        pGroupItem->GetItemGroup())
        pGroupItem->GetItemGroup()->SetSelectedItem(pGroupItem);
    ReleaseItem(m_pItemFocused);
    m_pItemFocused = pItem;
    if (m_pItemFocused)
        m_pItemFocused->InternalAddRef();
    if (GetSafeHwnd()) {
        EnsureVisible(pItem);
        Invalidate(FALSE);
        NotifyOwner(tkpTPN_FocusedItemChanged, 0);
        CTKPAccessible::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, GetAccessibleIndex(pItem));
    }
}

void CTKPTaskPanel::EnsureVisibleRect(const CRect& rc)
{
    const int nClientHeight = GetClientHeight();
    int nOffset = GetScrollOffset();
    if (rc.bottom > nOffset + nClientHeight)
        nOffset = min((int)rc.top, (int)(rc.bottom - nClientHeight));
    if (rc.top < nOffset)
        nOffset = rc.top;
    SetScrollOffset(nOffset);
}

void CTKPTaskPanel::EnsureVisible(CTKPTaskPanelItem* pItem)
{
    if (pItem == NULL || GetSafeHwnd() == NULL)
        return;
    if (pItem->IsGroup()) {
        EnsureVisibleRect(static_cast<CTKPTaskPanelGroup*>(pItem)->GetTargetCaptionRect());
        return;
    }
    CTKPTaskPanelGroupItem* pGroupItem = DYNAMIC_DOWNCAST(CTKPTaskPanelGroupItem, pItem);
    CTKPTaskPanelGroup* pGroup = pItem->GetItemGroup();
    if (pGroupItem == NULL || pGroup == NULL)
        return;
    if (!IsGroupExpanded(pGroup))
        ExpandGroup(pGroup, TRUE);
    if (m_nBehaviour == tkpTaskPanelBehaviourExplorer) {
        CRect rc = pGroupItem->GetItemRect();
        rc.OffsetRect(0, pGroup->GetTargetClientRect().top);
        EnsureVisibleRect(rc);
    } else {
        EnsureVisibleRect(pGroup->GetTargetClientRect());
        pGroup->EnsureVisibleItem(pGroupItem, TRUE);
    }
}

CTKPTaskPanelItem* CTKPTaskPanel::GetNextItem(CTKPTaskPanelItem* pItem, int nDirection, BOOL bTab, BOOL bByRows) const
{
    // Every step moves strictly on, so the walk ends; a bound guards against a broken model, where the
    // walk would go round forever.
    int nBound = 2;
    for (int i = 0; i < GetGroupCount(); ++i)
        nBound += 1 + GetAt(i)->GetItemCount();

    CTKPTaskPanelItem* pCurrent = pItem;
    for (; nBound > 0; --nBound) {
        CTKPTaskPanelItem* pNext = NULL;
        CTKPTaskPanelGroup* pGroup = pCurrent ? pCurrent->GetItemGroup() : NULL;
        if (nDirection > 0) {
            if (pCurrent == NULL) {
                pNext = GetNextVisibleGroup(-1, 1);
            } else if (pCurrent->IsGroup()) {
                pNext = pGroup->GetNextVisibleItem(-1, 1);
                if (pNext == NULL)
                    pNext = GetNextVisibleGroup(pGroup->GetIndex(), 1);
            } else if (pGroup) {
                if (!bTab) {
                    const int nStep = bByRows ? max(1, pGroup->GetItemsInRow()) : 1;
                    pNext = pGroup->GetAt(pGroup->GetItems()->GetNextVisibleIndex(pCurrent->GetIndex(), nStep));
                }
                if (pNext == NULL)
                    pNext = GetNextVisibleGroup(pGroup->GetIndex(), 1);
            }
        } else {
            if (pCurrent && !pCurrent->IsGroup() && pGroup) {
                if (bTab) {
                    pNext = pGroup;
                } else {
                    const int nStep = bByRows ? max(1, pGroup->GetItemsInRow()) : 1;
                    pNext = pGroup->GetAt(pGroup->GetItems()->GetNextVisibleIndex(pCurrent->GetIndex(), -nStep));
                    if (pNext == NULL)
                        pNext = pGroup;
                }
            } else {
                const int nIndex = pCurrent ? pGroup->GetIndex() : GetGroupCount();
                CTKPTaskPanelGroup* pPrevious = GetNextVisibleGroup(nIndex, -1);
                if (pPrevious) {
                    pNext = pPrevious->GetNextVisibleItem(pPrevious->GetItemCount(), -1);
                    if (pNext == NULL)
                        pNext = pPrevious;
                }
            }
        }
        if (pNext == NULL)
            return NULL;
        // Links of a closed group are passed over.
        const BOOL bInClosedGroup = !pNext->IsGroup() && !IsGroupExpanded(pNext->GetItemGroup());
        if (pNext->IsAcceptFocus() && !bInClosedGroup)
            return pNext;
        pCurrent = pNext;
    }
    return NULL;
}

// --- Tooltips -----------------------------------------------------------------------------------

INT_PTR CTKPTaskPanel::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const INT_PTR nHit = CWnd::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    if (IsPopupTracked() || m_pItemHot == NULL || m_pItemHot->GetTooltip().IsEmpty())
        return -1;
    const INT_PTR nID = m_pItemHot->GetID();
    if (pTI)
        FillToolInfo(pTI, m_hWnd, m_pItemHot->GetHitTestRect(), nID, m_pItemHot->GetTooltip(), m_pItemHot->GetCaption(),
            m_pItemHot->GetTooltip());
    return nID;
}

// --- Mouse --------------------------------------------------------------------------------------

BOOL CTKPTaskPanel::IsPopupTracked() const
{
    return CTKPCommandBars::GetMouseTracker()->GetTrackedCount() > 0;
}

void CTKPTaskPanel::UpdateScrollButtonsHot(CPoint point)
{
    const CPoint pt(point.x, point.y + GetScrollOffset());
    CTKPTaskPanelScrollButton* buttons[2] = {m_pScrollButtonUp, m_pScrollButtonDown};
    for (CTKPTaskPanelScrollButton* pButton : buttons) {
        const BOOL bHot = pButton->IsVisible() && pButton->rcButton.PtInRect(pt);
        if (bHot == pButton->bHot)
            continue;
        pButton->bHot = bHot;
        if (bHot)
            RequestMouseLeave();
        Invalidate(FALSE);
    }
}

void CTKPTaskPanel::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    if (IsPopupTracked())
        return;
    CTKPTaskPanelItem* pItem = HitTestItem(point);
    const BOOL bHot = pItem && pItem->IsAcceptFocus() && CTKPDrawingHelper::IsTopParentActive(m_hWnd) &&
        (m_pItemPressed == NULL || m_pItemPressed == pItem);
    SetHotItem(bHot ? pItem : NULL);

    if (m_pItemPressed && abs(point.x - m_ptPressed.x) + abs(point.y - m_ptPressed.y) > 4) {
        CTKPTaskPanelItem* pPressed = m_pItemPressed;
        if (pPressed->IsGroup())
            TrackGroupDrag(static_cast<CTKPTaskPanelGroup*>(pPressed));
        else if (CTKPTaskPanelGroupItem* pGroupItem = DYNAMIC_DOWNCAST(CTKPTaskPanelGroupItem, pPressed))
            StartItemDrag(pGroupItem);
        return;
    }
    UpdateScrollButtonsHot(point);
}

void CTKPTaskPanel::OnMouseLeave()
{
    SetHotItem(NULL);
    m_pScrollButtonUp->bHot = m_pScrollButtonDown->bHot = FALSE;
    Invalidate(FALSE);
}

BOOL CTKPTaskPanel::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_pItemHot && m_hHandCursor) {
        ::SetCursor(m_hHandCursor);
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CTKPTaskPanel::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A scroll button is no item: the panel itself takes the focus, then the button runs.
    CTKPTaskPanelItem* pItem = HitTestItem(point);
    const BOOL bAccept = pItem && pItem->IsAcceptFocus();
    if (bAccept) {
        SetFocusedItem(pItem, FALSE);
    } else if (m_bTakeFocusOnClick) {
        m_bSettingFocus = TRUE;
        SetFocus();
        m_bSettingFocus = FALSE;
    }
    if (bAccept) {
        m_pItemPressed = pItem;
        SetCapture();
        m_ptPressed = point;
        Invalidate(FALSE);
    }
    CTKPTaskPanelScrollButton* pButton = HitTestScrollButton(point);
    if (pButton)
        TrackScrollButton(pButton);
    (void)nFlags;
}

void CTKPTaskPanel::OnLButtonUp(UINT, CPoint)
{
    if (m_pItemPressed == NULL)
        return;
    CTKPTaskPanelItem* pItem = m_pItemPressed;
    m_pItemPressed = NULL;
    if (GetCapture() == this)
        ReleaseCapture();
    Invalidate(FALSE);
    if (pItem != m_pItemHot)
        return;
    if (pItem->IsGroup()) {
        CTKPTaskPanelGroup* pGroup = static_cast<CTKPTaskPanelGroup*>(pItem);
        ExpandGroup(pGroup, !IsGroupExpanded(pGroup));
    } else {
        OnItemClick(pItem);
    }
}

void CTKPTaskPanel::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
    if (m_pItemPressed && m_pItemPressed == m_pItemHot && !m_pItemPressed->IsGroup())
        NotifyOwner(tkpTPN_DblClick, (LPARAM)m_pItemPressed);
}

void CTKPTaskPanel::OnRButtonDown(UINT, CPoint point)
{
    CTKPTaskPanelItem* pItem = HitTestItem(point);
    if (pItem && pItem->IsAcceptFocus()) {
        SetFocusedItem(pItem, FALSE);
        NotifyOwner(tkpTPN_RClick, (LPARAM)pItem);
    }
}

void CTKPTaskPanel::OnCaptureChanged(CWnd*)
{
    if (m_pItemPressed) {
        m_pItemPressed = NULL;
        Invalidate(FALSE);
    }
}

// --- Scrolling ----------------------------------------------------------------------------------

void CTKPTaskPanel::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    const int nClientHeight = GetClientHeight();
    const int nLimit = max(0, m_nContentHeight - nClientHeight);
    int nOffset = GetScrollOffset();
    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    switch (nSBCode) {
    case SB_LINEUP:
        nOffset -= 6;
        break;
    case SB_LINEDOWN:
        nOffset += 6;
        break;
    case SB_PAGEUP:
        nOffset -= nClientHeight;
        break;
    case SB_PAGEDOWN:
        nOffset += nClientHeight;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        GetScrollInfo(SB_VERT, &si, SIF_TRACKPOS);
        nOffset = si.nTrackPos;
        break;
    case SB_TOP:
        nOffset = 0;
        break;
    case SB_BOTTOM:
        nOffset = nLimit;
        break;
    default:
        return;
    }
    SetScrollOffset(max(0, min(nOffset, nLimit)));
}

BOOL CTKPTaskPanel::OnMouseWheel(UINT, short zDelta, CPoint)
{
    // A zero delta scrolls nothing, where it counted as a turn down and scrolled for no turn at all.
    if (zDelta == 0)
        return TRUE;
    if (m_bScrollVisible) {
        const int nLimit = max(0, m_nContentHeight - GetClientHeight());
        const int nOffset = GetScrollOffset();
        SetScrollOffset(zDelta < 0 ? min(nLimit, nOffset + 10) : max(0, nOffset - 10));
        return TRUE;
    }
    if (m_nBehaviour != tkpTaskPanelBehaviourExplorer && m_pActiveGroup) {
        const BOOL bUp = zDelta > 0;
        for (int i = 0; i < 3 && m_pActiveGroup->CanScroll(bUp); ++i) {
            const int nRow = max(1, m_pActiveGroup->GetItemsInRow());
            m_pActiveGroup->ScrollItems(bUp ? -nRow : nRow);
        }
    }
    return TRUE;
}

void CTKPTaskPanel::TrackScrollButton(CTKPTaskPanelScrollButton* pButton)
{
    CTKPTaskPanelGroup* pGroup = pButton->pGroupScroll;
    if (pGroup == NULL || !pButton->bEnabled)
        return;
    const BOOL bUp = pButton->bScrollUp;
    pButton->bPressed = TRUE;
    SetCapture();
    const int nRow = max(1, pGroup->GetItemsInRow());
    pGroup->ScrollItems(bUp ? -nRow : nRow);
    Invalidate(FALSE);
    SetTimer(TIMER_SCROLL_REPEAT, 500, NULL);
    BOOL bFirstTick = TRUE;
    while (GetCapture() == this && pButton->bEnabled) {
        MSG msg;
        // The pending paints first, so that every step shows; a quit message is put back for the
        // program's own loop and ends this one.
        const BOOL bGot = TKPGetCaptureLoopMessage(&msg);
        if (bGot <= 0) {
            if (bGot == 0)
                ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_TIMER && msg.hwnd == m_hWnd && msg.wParam == TIMER_SCROLL_REPEAT) {
            if (bFirstTick) {
                bFirstTick = FALSE;
                SetTimer(TIMER_SCROLL_REPEAT, 50, NULL);
            }
            pGroup->ScrollItems(bUp ? -nRow : nRow);
            continue;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if (msg.message == WM_MOUSEMOVE)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    pButton->bPressed = FALSE;
    KillTimer(TIMER_SCROLL_REPEAT);
    if (GetCapture() == this)
        ReleaseCapture();
    Invalidate(FALSE);
}

// --- Keyboard -----------------------------------------------------------------------------------

void CTKPTaskPanel::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (!m_bSettingFocus && pOldWnd && GetParent()) {
        HWND hParent = ::GetParent(m_hWnd);
        HWND hOld = pOldWnd->GetSafeHwnd();
        if (hOld == ::GetNextDlgTabItem(hParent, m_hWnd, TRUE)) {
            SetFocusedItem(GetNextItem(NULL, 1, TRUE), TRUE);
        } else if (hOld == ::GetNextDlgTabItem(hParent, m_hWnd, FALSE)) {
            SetFocusedItem(GetNextItem(NULL, -1, TRUE), TRUE);
        }
    }
    Invalidate(FALSE);
}

void CTKPTaskPanel::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    m_bDrawFocusRect = FALSE;
    Invalidate(FALSE);
}

void CTKPTaskPanel::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CTKPDrawingHelper::MirrorArrowKey(this, nChar);
    CTKPTaskPanelItem* pFocused = m_pItemFocused;
    switch (nChar) {
    case VK_TAB: {
        const BOOL bBack = ::GetKeyState(VK_SHIFT) < 0;
        CTKPTaskPanelItem* pNext = GetNextItem(pFocused, bBack ? -1 : 1, TRUE);
        if (pNext) {
            SetFocusedItem(pNext, TRUE);
        } else if (HWND hParent = ::GetParent(m_hWnd)) {
            HWND hNext = ::GetNextDlgTabItem(hParent, m_hWnd, bBack);
            if (hNext && hNext != m_hWnd)
                ::SetFocus(hNext);
        }
        return;
    }
    case VK_RETURN:
    case VK_SPACE:
        if (pFocused && pFocused->IsAcceptFocus()) {
            if (pFocused->IsGroup()) {
                CTKPTaskPanelGroup* pGroup = static_cast<CTKPTaskPanelGroup*>(pFocused);
                ExpandGroup(pGroup, !IsGroupExpanded(pGroup));
            } else if (pFocused->GetType() == tkpTaskItemTypeLink) {
                OnItemClick(pFocused);
            }
        }
        return;
    case VK_HOME:
    case VK_END:
        if (pFocused && pFocused->GetParentItems()) {
            CTKPTaskPanelItems* pItems = pFocused->GetParentItems();
            CTKPTaskPanelItem* pTarget =
                nChar == VK_HOME ? pItems->GetFirstVisibleItem() : pItems->GetLastVisibleItem();
            if (pTarget && pTarget->IsAcceptFocus())
                SetFocusedItem(pTarget, TRUE);
        }
        return;
    case VK_DOWN:
    case VK_RIGHT:
    case VK_UP:
    case VK_LEFT: {
        const int nDirection = nChar == VK_DOWN || nChar == VK_RIGHT ? 1 : -1;
        if (m_nBehaviour != tkpTaskPanelBehaviourExplorer && ::GetKeyState(VK_CONTROL) < 0 && m_pActiveGroup) {
            CTKPTaskPanelGroup* pGroup = GetNextVisibleGroup(m_pActiveGroup->GetIndex(), nDirection);
            if (pGroup && pGroup->IsAcceptFocus()) {
                ExpandGroup(pGroup, TRUE);
                SetFocusedItem(pGroup, FALSE);
            }
            return;
        }
        CTKPTaskPanelItem* pNext = GetNextItem(pFocused, nDirection, FALSE, nChar == VK_DOWN || nChar == VK_UP);
        if (pNext)
            SetFocusedItem(pNext, TRUE);
        return;
    }
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

// --- In-place rename ----------------------------------------------------------------------------

CTKPTaskPanelEditItem* CTKPTaskPanel::EditItemCaption(CTKPTaskPanelItem* pItem)
{
    if (pItem == NULL || GetSafeHwnd() == NULL)
        return NULL;
    EnsureVisible(pItem);
    CRect rc = pItem->GetHitTestRect();
    if (rc.IsRectEmpty())
        return NULL;
    CTKPTaskPanelEditItem* pEdit = new CTKPTaskPanelEditItem;
    if (!pEdit->Create(this, pItem, rc)) {
        delete pEdit;
        return NULL;
    }
    return pEdit;
}

IMPLEMENT_DYNAMIC(CTKPTaskPanelEditItem, CEdit)

BEGIN_MESSAGE_MAP(CTKPTaskPanelEditItem, CEdit)
ON_WM_GETDLGCODE()
ON_WM_CHAR()
ON_WM_KILLFOCUS()
ON_WM_CLOSE()
END_MESSAGE_MAP()

CTKPTaskPanelEditItem::CTKPTaskPanelEditItem() : m_bCancelled(FALSE), m_bEnded(FALSE), m_pItem(NULL), m_pPanel(NULL) {}

BOOL CTKPTaskPanelEditItem::Create(CTKPTaskPanel* pPanel, CTKPTaskPanelItem* pItem, const CRect& rc)
{
    if (!CEdit::Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rc, pPanel, 0))
        return FALSE;
    m_pPanel = pPanel;
    m_pItem = pItem;
    m_pItem->InternalAddRef();
    m_bCancelled = FALSE;
    m_bEnded = FALSE;
    CTKPTaskPanelTheme* pTheme = pPanel->GetPaintManager();
    if (pTheme)
        SetFont(pItem->IsGroup() ? pTheme->GetCaptionFont() : pTheme->GetItemFont(FALSE, FALSE));
    SetWindowText(pItem->GetCaption());
    SetSel(0, -1);
    SetFocus();
    return TRUE;
}

UINT CTKPTaskPanelEditItem::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CTKPTaskPanelEditItem::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE || nChar == VK_RETURN) {
        m_bCancelled = nChar == VK_ESCAPE;
        EndEdit();
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void CTKPTaskPanelEditItem::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    EndEdit();
}

void CTKPTaskPanelEditItem::EndEdit()
{
    // Once only: Enter or Escape end the edit and then take the focus away, which ended it again and
    // asked to rename (code 4) twice.
    if (m_bEnded)
        return;
    m_bEnded = TRUE;
    PostMessage(WM_CLOSE);
    if (!m_bCancelled && m_pPanel && m_pItem) {
        CString strText;
        GetWindowText(strText);
        if (!strText.IsEmpty())
            m_pPanel->RenameItem(m_pItem, strText);
    }
    if (::GetFocus() == m_hWnd && m_pPanel && m_pPanel->GetSafeHwnd())
        m_pPanel->SetFocus();
}

void CTKPTaskPanelEditItem::OnClose()
{
    DestroyWindow();
}

void CTKPTaskPanelEditItem::PostNcDestroy()
{
    if (m_pItem)
        m_pItem->InternalRelease();
    m_pItem = NULL;
    delete this;
}
