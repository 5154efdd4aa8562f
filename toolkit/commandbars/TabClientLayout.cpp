// The tab client's synchronisation with the MDI children, the layout of its groups, the splitter
// drags and the painting.
#include "classlib/win/CMDIFrameWnd.h"
#include "classlib/win/WindowDCs.h"
#include "toolkit/base/CaptureLoopPaints.h"
#include "toolkit/base/DragTracker.h"
#include "toolkit/commandbars/TabClientWnd.h"
#include "toolkit/commandbars/TabClientWorkspace.h"
#include "toolkit/tabs/TabAppearance.h"
#include "toolkit/tabs/TabTheme.h"

#include <algorithm>
#include <cmath>

// --- The children ---------------------------------------------------------------------------------------

void CTKPTabClientWnd::GetChildWindows(CArray<HWND, HWND>& arrChildren) const
{
    arrChildren.RemoveAll();
    if (GetSafeHwnd() == NULL)
        return;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        // Icon titles of minimised children are owned windows, not children of their own.
        if (::GetWindow(hChild, GW_OWNER) != NULL)
            continue;
        arrChildren.Add(hChild);
    }
}

BOOL CTKPTabClientWnd::SyncTabs()
{
    BOOL bChanged = FALSE;
    CArray<HWND, HWND> arrChildren;
    GetChildWindows(arrChildren);
    auto isChild = [&arrChildren](HWND hWnd) {
        for (INT_PTR i = 0; i < arrChildren.GetSize(); ++i) {
            if (arrChildren[i] == hWnd)
                return true;
        }
        return false;
    };

    // Tabs of windows that are gone.
    for (int i = 0; i < GetWorkspaceCount(); ++i) {
        CTKPTabClientWorkspace* pWorkspace = m_arrWorkspaces[i];
        for (int j = pWorkspace->GetItemCount() - 1; j >= 0; --j) {
            if (!isChild(pWorkspace->GetItem(j)->GetHandle())) {
                pWorkspace->DeleteTab(j);
                bChanged = TRUE;
            }
        }
    }
    if (GetWorkspaceCount() > 0) {
        const int nBefore = GetWorkspaceCount();
        RemoveEmptyWorkspaces();
        bChanged |= nBefore != GetWorkspaceCount();
    }

    // New windows join the group of the active child, in the order they were made (the client
    // numbers its children so).
    const HWND hActive = GetActiveChildHandle();
    CArray<HWND, HWND> arrNew;
    for (INT_PTR i = 0; i < arrChildren.GetSize(); ++i) {
        if (FindTab(arrChildren[i]) == NULL)
            arrNew.Add(arrChildren[i]);
    }
    std::stable_sort(arrNew.GetData(), arrNew.GetData() + arrNew.GetSize(),
        [](HWND hA, HWND hB) { return ::GetDlgCtrlID(hA) < ::GetDlgCtrlID(hB); });
    for (INT_PTR i = 0; i < arrNew.GetSize(); ++i) {
        CTKPTabManagerItem* pActiveTab = hActive != NULL ? FindTab(hActive) : NULL;
        CTKPTabClientWorkspace* pTarget = pActiveTab != NULL
            ? static_cast<CTKPTabClientWorkspace*>(pActiveTab->GetManager())
            : (GetWorkspaceCount() > 0 ? m_arrWorkspaces[0] : AddWorkspace(-1));
        CTKPTabManagerItem* pItem = new CTKPTabManagerItem;
        pItem->SetHandle(arrNew[i]);
        pTarget->InsertTab(-1, pItem);
        bChanged = TRUE;
    }

    // Captions follow the windows' titles.
    for (int i = 0; i < GetWorkspaceCount(); ++i) {
        CTKPTabClientWorkspace* pWorkspace = m_arrWorkspaces[i];
        for (int j = 0; j < pWorkspace->GetItemCount(); ++j) {
            CTKPTabManagerItem* pItem = pWorkspace->GetItem(j);
            CString strTitle;
            CWnd::FromHandle(pItem->GetHandle())->GetWindowText(strTitle);
            if (strTitle != pItem->GetOwnCaption()) {
                pItem->SetCaption(strTitle);
                bChanged = TRUE;
            }
        }
    }

    // The active child's tab is selected and its group active; while a tab is clicked or moved the
    // selection stays as the user left it.
    CTKPTabManagerItem* pActiveTab = hActive != NULL ? FindTab(hActive) : NULL;
    for (int i = 0; i < GetWorkspaceCount(); ++i) {
        CTKPTabClientWorkspace* pWorkspace = m_arrWorkspaces[i];
        const BOOL bActive = pActiveTab != NULL && pActiveTab->GetManager() == pWorkspace;
        if (!m_bLockUpdate) {
            if (pWorkspace->IsActive() != bActive) {
                pWorkspace->SetActive(bActive);
                bChanged = TRUE;
            }
            if (bActive && pWorkspace->GetSelectedItem() != pActiveTab) {
                pWorkspace->SetSelectedTab(pActiveTab);
                bChanged = TRUE;
            }
        }
        if (pWorkspace->GetSelectedItem() == NULL && pWorkspace->GetItemCount() > 0) {
            pWorkspace->SetSelectedTab(pWorkspace->GetItem(0));
            bChanged = TRUE;
        }
    }
    return bChanged;
}

void CTKPTabClientWnd::RemoveEmptyWorkspaces()
{
    for (int i = GetWorkspaceCount() - 1; i >= 0; --i) {
        if (m_arrWorkspaces[i]->GetItemCount() > 0)
            continue;
        delete m_arrWorkspaces[i];
        m_arrWorkspaces.RemoveAt(i);
        m_bLayoutDirty = TRUE;
    }
}

void CTKPTabClientWnd::UpdateContents()
{
    if (m_pFrame == NULL || GetSafeHwnd() == NULL || m_bLockReposition || m_bInUpdate)
        return;
    m_bInUpdate = TRUE;
    const BOOL bChanged = SyncTabs();
    m_bInUpdate = FALSE;
    if (bChanged || m_bLayoutDirty) {
        m_bLayoutDirty = FALSE;
        Relayout();
    }
}

// --- Layout ---------------------------------------------------------------------------------------------

void CTKPTabClientWnd::OnWorkspaceChanged(CTKPTabClientWorkspace*)
{
    if (m_bLockReposition || m_bInUpdate) {
        m_bLayoutDirty = TRUE;
        return;
    }
    Relayout();
}

void CTKPTabClientWnd::Relayout()
{
    if (m_bInLayout || m_pFrame == NULL || GetSafeHwnd() == NULL)
        return;
    m_bInLayout = TRUE;
    if (m_bEnableGroups) {
        LayoutWorkspaces();
    } else if (m_pRowWnd != NULL && m_pRowWnd->GetSafeHwnd() != NULL) {
        // A row that appears, goes or changes its height moves the MDI client.
        if (!m_pRowWnd->IsClientPlaced())
            RecalcFrameLayout();
        m_pRowWnd->Invalidate(FALSE);
    }
    m_bInLayout = FALSE;
}

void CTKPTabClientWnd::LayoutWorkspaces()
{
    CRect rc;
    GetClientRect(&rc);
    const int nCount = GetWorkspaceCount();
    if (nCount == 0 || m_pPaintManager == NULL) {
        Invalidate(FALSE);
        return;
    }
    const int nStart = m_bHorizSplitting ? rc.top : rc.left;
    const int nEnd = m_bHorizSplitting ? rc.bottom : rc.right;
    const int nAvail = std::max(0, nEnd - nStart - (nCount - 1) * m_nSplitterWidth);
    double dSum = 0;
    for (int i = 0; i < nCount; ++i)
        dSum += std::max(0.0, m_arrWorkspaces[i]->m_dSize);

    CClientDC dc(this);
    int nPos = nStart;
    for (int i = 0; i < nCount; ++i) {
        CTKPTabClientWorkspace* pWorkspace = m_arrWorkspaces[i];
        const int nRoomAfter = (nCount - 1 - i) * m_nSplitterWidth;
        int nExtent;
        if (i == nCount - 1)
            nExtent = nEnd - nPos;
        else if (dSum > 0)
            nExtent = static_cast<int>(std::lround(std::max(0.0, pWorkspace->m_dSize) * nAvail / dSum));
        else
            nExtent = nAvail / nCount;
        nExtent = std::max(0, std::min(nExtent, nEnd - nPos - nRoomAfter));
        const CRect rcGroup = m_bHorizSplitting ? CRect(rc.left, nPos, rc.right, nPos + nExtent)
                                                : CRect(nPos, rc.top, nPos + nExtent, rc.bottom);
        m_pPaintManager->RepositionTabControl(pWorkspace, &dc, rcGroup);
        nPos += nExtent;
        if (i < nCount - 1) {
            pWorkspace->m_rcSplitter = m_bHorizSplitting ? CRect(rc.left, nPos, rc.right, nPos + m_nSplitterWidth)
                                                         : CRect(nPos, rc.top, nPos + m_nSplitterWidth, rc.bottom);
            nPos += m_nSplitterWidth;
        } else {
            pWorkspace->m_rcSplitter.SetRectEmpty();
        }

        // Every child fills its group; the selected one lies on top of the others.
        const CRect& rcChild = pWorkspace->GetTabClientRect();
        for (int j = 0; j < pWorkspace->GetItemCount(); ++j) {
            HWND hChild = pWorkspace->GetItem(j)->GetHandle();
            if (::IsZoomed(hChild) || ::IsIconic(hChild))
                ::SendMessageW(m_hWnd, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hChild), 0);
            ::SetWindowPos(hChild, NULL, rcChild.left, rcChild.top, rcChild.Width(), rcChild.Height(),
                SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (CTKPTabManagerItem* pSelected = pWorkspace->GetSelectedItem()) {
            ::SetWindowPos(pSelected->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    Invalidate(FALSE);
}

void CTKPTabClientWnd::RedrawWorkspace(CTKPTabClientWorkspace* pWorkspace)
{
    if (GetSafeHwnd() == NULL)
        return;
    if (!m_bEnableGroups) {
        if (m_pRowWnd != NULL && m_pRowWnd->GetSafeHwnd() != NULL)
            m_pRowWnd->Invalidate(FALSE);
        return;
    }
    CRect rc = pWorkspace->GetTabAreaRect();
    rc.UnionRect(rc, pWorkspace->m_rcSplitter);
    InvalidateRect(rc, FALSE);
}

// --- Splitters ------------------------------------------------------------------------------------------

void CTKPTabClientWnd::SplitSizes(
    CTKPTabClientWorkspace* pFirst, CTKPTabClientWorkspace* pSecond, int nEdge, int nStart, int nEnd) const
{
    if (nEnd <= nStart)
        return;
    const double dTotal = pFirst->m_dSize + pSecond->m_dSize + m_nSplitterWidth;
    double dFirst = dTotal * (nEdge - nStart) / (nEnd - nStart);
    if (!m_bHorizSplitting && GetSafeHwnd() != NULL && (GetExStyle() & WS_EX_LAYOUTRTL))
        dFirst = dTotal - dFirst - m_nSplitterWidth;
    dFirst = std::max(0.0, std::min(dFirst, dTotal - m_nSplitterWidth));
    pFirst->m_dSize = dFirst;
    pSecond->m_dSize = dTotal - dFirst - m_nSplitterWidth;
}

void CTKPTabClientWnd::ApplySplit()
{
    RecalcFrameLayout();
    m_bLayoutDirty = TRUE;
    UpdateContents();
    UpdateWindow();
}

void CTKPTabClientWnd::TrackSplitter(int nIndex, CPoint ptScreen)
{
    if (nIndex < 0 || nIndex >= GetWorkspaceCount() - 1)
        return;
    CTKPTabClientWorkspace* pFirst = m_arrWorkspaces[nIndex];
    CTKPTabClientWorkspace* pSecond = m_arrWorkspaces[nIndex + 1];
    TakeSizesFromTabAreas();
    CRect rcRange;
    rcRange.UnionRect(pFirst->GetTabAreaRect(), pSecond->GetTabAreaRect());
    ClientToScreen(&rcRange);
    if (!m_bSplitterTracker) {
        TrackSplitterLive(nIndex, ptScreen, rcRange);
        return;
    }
    CRect rcSplitter = pFirst->m_rcSplitter;
    ClientToScreen(&rcSplitter);
    // The bar's leading edge moves within the range, the bar itself staying inside it.
    CTKPDragTracker tracker;
    const int nWidth = m_nSplitterWidth;
    if (!tracker.Track(this, rcRange.left, rcRange.top, rcRange.right - nWidth, rcRange.bottom - nWidth, &rcSplitter,
            ptScreen, !m_bHorizSplitting))
        return;
    if (m_bHorizSplitting)
        SplitSizes(pFirst, pSecond, rcSplitter.top, rcRange.top, rcRange.bottom);
    else
        SplitSizes(pFirst, pSecond, rcSplitter.left, rcRange.left, rcRange.right);
    ApplySplit();
}

void CTKPTabClientWnd::TrackSplitterLive(int nIndex, CPoint ptScreen, const CRect& rcRange)
{
    CRect rcSplitter = m_arrWorkspaces[nIndex]->m_rcSplitter;
    ClientToScreen(&rcSplitter);
    const BOOL bHorz = m_bHorizSplitting;
    const int nStart = bHorz ? rcRange.top : rcRange.left;
    const int nEnd = bHorz ? rcRange.bottom : rcRange.right;
    const int nOffset = (bHorz ? rcSplitter.top : rcSplitter.left) - (bHorz ? ptScreen.y : ptScreen.x);
    HWND hWnd = m_hWnd;
    SetCapture();
    while (::GetCapture() == hWnd) {
        MSG msg;
        const BOOL bGot = TKPGetCaptureLoopMessage(&msg);
        if (bGot <= 0) {
            if (bGot == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message != WM_MOUSEMOVE) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            continue;
        }
        CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        ::ClientToScreen(msg.hwnd, &pt);
        int nEdge = (bHorz ? pt.y : pt.x) + nOffset;
        nEdge = std::max(nStart, std::min(nEdge, nEnd - m_nSplitterWidth));
        const int nCurrent = bHorz ? rcSplitter.top : rcSplitter.left;
        if (nEdge == nCurrent)
            continue;
        rcSplitter.OffsetRect(bHorz ? 0 : nEdge - nCurrent, bHorz ? nEdge - nCurrent : 0);
        // The groups may be changed by what the loop dispatched.
        if (nIndex >= GetWorkspaceCount() - 1)
            break;
        SplitSizes(m_arrWorkspaces[nIndex], m_arrWorkspaces[nIndex + 1], nEdge, nStart, nEnd);
        ApplySplit();
    }
    if (::IsWindow(hWnd) && ::GetCapture() == hWnd)
        ::ReleaseCapture();
}

// --- Painting -------------------------------------------------------------------------------------------

void CTKPTabClientWnd::Paint(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    if (!m_bEnableGroups || GetWorkspaceCount() == 0 || m_pPaintManager == NULL) {
        DrawBackground(pDC, rc);
        return;
    }
    CTKPTabAppearance* pAppearance = m_pPaintManager->GetAppearanceObject();
    for (int i = GetWorkspaceCount() - 1; i >= 0; --i) {
        CTKPTabClientWorkspace* pWorkspace = m_arrWorkspaces[i];
        m_pPaintManager->DrawTabControl(pDC, pWorkspace, pWorkspace->GetTabAreaRect());
        if (!pWorkspace->m_rcSplitter.IsRectEmpty() && pAppearance != NULL) {
            CRect rcSplitter = pWorkspace->m_rcSplitter;
            pAppearance->DrawWorkspacePart(pDC, &rcSplitter, m_bHorizSplitting ? 3 : 2);
        }
    }
}

void CTKPTabClientWnd::DrawBackground(CDC* pDC, CRect rc)
{
    pDC->FillSolidRect(rc, ::GetSysColor(COLOR_APPWORKSPACE));
}
