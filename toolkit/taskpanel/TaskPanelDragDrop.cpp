// Dragging items with OLE drag and drop, dropping them into the panel, and reordering groups.
#include "toolkit/taskpanel/TaskPanel.h"

// --- The drop target ----------------------------------------------------------------------------

DROPEFFECT CTKPTaskPanelDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    // The enter answers as a drag-over instead of by default: a drop may follow it without any
    // drag-over in between, and was refused then.
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CTKPTaskPanelDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CTKPTaskPanel* pPanel = DYNAMIC_DOWNCAST(CTKPTaskPanel, pWnd);
    if (pPanel == NULL)
        return DROPEFFECT_NONE;
    // A source that allows neither a copy nor a move (a link only) is answered "none" at once, where the
    // cursor promised a drop that is then refused.
    if ((m_dwSourceEffects & (DROPEFFECT_COPY | DROPEFFECT_MOVE)) == 0) {
        pPanel->OnItemDragOver(NULL, 0, CPoint(-1, -1));
        return DROPEFFECT_NONE;
    }
    return pPanel->OnItemDragOver(pDataObject, dwKeyState, point);
}

STDMETHODIMP CTKPTaskPanelDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect)
        m_dwSourceEffects = *pdwEffect;
    return COleDropTarget::DragEnter(pDataObj, grfKeyState, pt, pdwEffect);
}

STDMETHODIMP CTKPTaskPanelDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect)
        m_dwSourceEffects = *pdwEffect;
    return COleDropTarget::DragOver(grfKeyState, pt, pdwEffect);
}

STDMETHODIMP CTKPTaskPanelDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect)
        m_dwSourceEffects = *pdwEffect;
    return COleDropTarget::Drop(pDataObj, grfKeyState, pt, pdwEffect);
}

BOOL CTKPTaskPanelDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    CTKPTaskPanel* pPanel = DYNAMIC_DOWNCAST(CTKPTaskPanel, pWnd);
    return pPanel ? pPanel->OnItemDrop(pDataObject, dropEffect, point) : FALSE;
}

void CTKPTaskPanelDropTarget::OnDragLeave(CWnd* pWnd)
{
    CTKPTaskPanel* pPanel = DYNAMIC_DOWNCAST(CTKPTaskPanel, pWnd);
    if (pPanel)
        pPanel->OnItemDragOver(NULL, 0, CPoint(-1, -1));
}

// --- Item drags ---------------------------------------------------------------------------------

void CTKPTaskPanel::SetDropTargetItem(CTKPTaskPanelItem* pItem)
{
    if (m_pItemDragOver == pItem)
        return;
    m_pItemDragOver = pItem;
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CTKPTaskPanel::StartItemDrag(CTKPTaskPanelGroupItem* pItem)
{
    const int nFlags = pItem ? pItem->GetAllowDrag() : 0;
    if (nFlags == tkpTaskDragNone)
        return;
    if (GetCapture() == this)
        ReleaseCapture();
    if (NotifyOwner(tkpTPN_StartDrag, (LPARAM)pItem) == -1)
        return;

    COleDataSource* pSource = new COleDataSource;
    pItem->PrepareDrag(*pSource, (nFlags & (tkpTaskDragCopyOutside | tkpTaskDragMoveOutside)) != 0);
    // A reference keeps the item alive through the drag, where an owner that removed it during the drop
    // left the move to remove a freed item.
    pItem->InternalAddRef();
    m_pItemDragging = pItem;
    DWORD dwEffects = 0;
    if (nFlags & tkpTaskDragAllowMove)
        dwEffects |= DROPEFFECT_MOVE;
    if (nFlags & tkpTaskDragAllowCopy)
        dwEffects |= DROPEFFECT_COPY;
    const DROPEFFECT dropEffect = pSource->DoDragDrop(dwEffects);
    if (dropEffect == DROPEFFECT_MOVE && (dwEffects & DROPEFFECT_MOVE))
        pItem->Remove();
    m_pItemDragging = NULL;
    SetDropTargetItem(NULL);
    pItem->InternalRelease();
    pSource->InternalRelease();
}

DROPEFFECT CTKPTaskPanel::OnItemDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    BOOL bCaption = FALSE;
    CTKPTaskPanelGroup* pGroup = HitTestGroup(point, &bCaption);
    const CLIPFORMAT cfItem = CTKPTaskPanelItem::GetClipboardFormat();
    if (pDataObject == NULL || !pDataObject->IsDataAvailable(cfItem) ||
        (!pDataObject->IsDataAvailable(CF_TEXT) && m_pItemDragging == NULL))
        pGroup = NULL;

    if (m_pItemDragging && pGroup) {
        const int nFlags = m_pItemDragging->GetAllowDrag();
        if ((nFlags & (tkpTaskDragMoveWithinGroup | tkpTaskDragMoveWithinPanel)) == 0)
            dwEffects &= ~DROPEFFECT_MOVE;
        if ((nFlags & (tkpTaskDragCopyWithinGroup | tkpTaskDragCopyWithinPanel)) == 0)
            dwEffects &= ~DROPEFFECT_COPY;
        // An item kept to its own group (0x20 for the move, 0x02 for the copy) stays there, whatever
        // it may do in the panel.
        if (pGroup != m_pItemDragging->GetItemGroup()) {
            if (nFlags & tkpTaskDragMoveWithinGroup)
                dwEffects &= ~DROPEFFECT_MOVE;
            if (nFlags & tkpTaskDragCopyWithinGroup)
                dwEffects &= ~DROPEFFECT_COPY;
        }
    }

    CTKPTaskPanelItem* pTarget = NULL;
    if (dwEffects != 0 && pGroup && pGroup->IsAllowDrop()) {
        pTarget = pGroup;
        CRect rcItem;
        CTKPTaskPanelGroupItem* pItem = bCaption ? NULL : pGroup->HitTest(point, &rcItem);
        if (pItem && pItem->IsAllowDrop()) {
            pTarget = pItem;
            if (!m_pTheme->IsInsertAfterDropItem() && point.y >= rcItem.top + rcItem.Height() / 2) {
                // Below an item's middle the drop goes before the next item; the last item stays the
                // target.
                if (CTKPTaskPanelGroupItem* pNext = pGroup->GetNextVisibleItem(pItem->GetIndex(), 1))
                    pTarget = pNext;
            }
        }
    }
    SetDropTargetItem(pTarget);

    CTKPTaskPanelGroup* pClosed = DYNAMIC_DOWNCAST(CTKPTaskPanelGroup, pTarget);
    if (pClosed && !IsGroupExpanded(pClosed)) {
        if (!m_bHoverTimer) {
            UINT nHoverTime = 0;
            if (!::SystemParametersInfo(SPI_GETMOUSEHOVERTIME, 0, &nHoverTime, 0))
                nHoverTime = 500;
            SetTimer(TIMER_HOVER_EXPAND, nHoverTime, NULL);
            m_bHoverTimer = TRUE;
        }
    } else if (m_bHoverTimer) {
        KillTimer(TIMER_HOVER_EXPAND);
        m_bHoverTimer = FALSE;
    }

    if (pTarget == NULL)
        return DROPEFFECT_NONE;
    if (dwEffects == DROPEFFECT_MOVE)
        return DROPEFFECT_MOVE;
    if (dwKeyState & MK_CONTROL)
        return DROPEFFECT_COPY;
    return (dwEffects & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

BOOL CTKPTaskPanel::OnItemDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint)
{
    CTKPTaskPanelItem* pTarget = m_pItemDragOver;
    SetDropTargetItem(NULL);
    if (m_bHoverTimer) {
        KillTimer(TIMER_HOVER_EXPAND);
        m_bHoverTimer = FALSE;
    }
    // Any effect but a copy or a move (a link) is refused, instead of reported done with nothing put in.
    if (pTarget == NULL || (dropEffect != DROPEFFECT_COPY && dropEffect != DROPEFFECT_MOVE))
        return FALSE;
    if (pDataObject == NULL || !pDataObject->IsDataAvailable(CTKPTaskPanelItem::GetClipboardFormat()))
        return FALSE;
    CTKPTaskPanelItem* pNew = CTKPTaskPanelItem::CreateFromOleData(pDataObject);
    if (pNew == NULL)
        return FALSE;
    // Data that rebuilds into a group is refused instead of inserted among a group's items, where a
    // group inside a group broke the panel's model.
    if (!pNew->IsKindOf(RUNTIME_CLASS(CTKPTaskPanelGroupItem))) {
        pNew->InternalRelease();
        return FALSE;
    }

    if (pTarget->IsGroup()) {
        CTKPTaskPanelGroup* pGroup = static_cast<CTKPTaskPanelGroup*>(pTarget);
        pGroup->GetItems()->InsertAt(pGroup->GetItemCount(), pNew);
    } else {
        CTKPTaskPanelItems* pItems = pTarget->GetParentItems();
        if (pItems == NULL) {
            pNew->InternalRelease();
            return FALSE;
        }
        int nIndex = pTarget->GetIndex();
        if (m_pTheme->IsInsertAfterDropItem()) {
            const int nDragged = m_pItemDragging ? pItems->IndexOf(m_pItemDragging) : -1;
            if (!(nDragged >= 0 && nDragged >= nIndex + 1))
                ++nIndex;
        }
        pItems->InsertAt(nIndex, pNew);
    }
    if (pNew->IsAcceptFocus())
        SetFocusedItem(pNew, FALSE);
    NotifyOwner(tkpTPN_ItemDrop, (LPARAM)pNew);
    return TRUE;
}

// --- Group reordering ---------------------------------------------------------------------------

void CTKPTaskPanel::TrackGroupDrag(CTKPTaskPanelGroup* pGroup)
{
    if (pGroup == NULL || pGroup->GetAllowDrag() == tkpTaskDragNone)
        return;
    ::SetCursor(::LoadCursor(NULL, IDC_SIZENS));
    m_pItemDragging = pGroup;
    while (GetCapture() == this) {
        MSG msg;
        if (!::GetMessage(&msg, NULL, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        // System keys are swallowed too: dispatched, Alt+F4 would close the window under the drag.
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
                break;
            continue;
        }
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == m_hWnd) {
            const CPoint point((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            BOOL bCaption = FALSE;
            CTKPTaskPanelGroup* pOver = HitTestGroup(point, &bCaption);
            if (pOver && bCaption && pOver != pGroup)
                m_pGroups->Move(pGroup, pOver->GetIndex());
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    m_pItemDragging = NULL;
    if (GetCapture() == this)
        ReleaseCapture();
}
