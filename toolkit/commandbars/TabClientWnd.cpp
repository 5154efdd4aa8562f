// The tab client's attachment, its messages, the workspace commands and the moves of tabs between
// groups. The synchronisation with the children, the layout, the splitters and the painting are in
// TabClientLayout.cpp.
#include "toolkit/commandbars/TabClientWnd.h"

#include "classlib/win/CMDIFrameWnd.h"
#include "classlib/win/WindowDCs.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/SharedMetrics.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/MDIFrameWnd.h"
#include "toolkit/commandbars/TabClientWorkspace.h"
#include "toolkit/tabs/TabAppearance.h"
#include "toolkit/tabs/TabTheme.h"

IMPLEMENT_DYNAMIC(CTKPTabClientWnd, CWnd)

BEGIN_MESSAGE_MAP(CTKPTabClientWnd, CWnd)
ON_COMMAND_RANGE(TKP_ID_TABGROUP_PREVIOUS, TKP_ID_TABGROUP_NEW_VERT, OnWorkspaceCommand)
ON_UPDATE_COMMAND_UI_RANGE(TKP_ID_TABGROUP_PREVIOUS, TKP_ID_TABGROUP_NEW_VERT, OnUpdateWorkspaceCommand)
END_MESSAGE_MAP()

CTKPTabClientWnd::CTKPTabClientWnd()
    : m_pFrame(NULL), m_bLayoutDirty(FALSE), m_bLockUpdate(FALSE), m_bLockReposition(FALSE), m_bRefreshing(FALSE),
      m_bInUpdate(FALSE), m_bInLayout(FALSE),
      m_pPaintManager(NULL), m_bHorizSplitting(FALSE), m_hCursorHoriz(NULL), m_hCursorVert(NULL),
      m_bEnableGroups(FALSE), m_bSplitterTracker(FALSE), m_nSplitterWidth(4), m_bNoNeighbourActivation(FALSE),
      m_bClicked(FALSE), m_bNoRedrawLock(FALSE), m_pRowWnd(NULL), m_dwOldScrollStyle(0)
{
}

CTKPTabClientWnd::~CTKPTabClientWnd()
{
    if (GetSafeHwnd() != NULL && !DetachFromFrame())
        UnsubclassWindow();
    FreeWorkspaces();
    delete m_pRowWnd;
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
}

void CTKPTabClientWnd::FreeWorkspaces()
{
    for (int i = 0; i < GetWorkspaceCount(); ++i)
        delete m_arrWorkspaces[i];
    m_arrWorkspaces.RemoveAll();
}

// --- Attachment ------------------------------------------------------------------------------------------

BOOL CTKPTabClientWnd::AttachToFrame(CMDIFrameWnd* pFrame, BOOL bEnableGroups)
{
    if (m_pFrame != NULL || GetSafeHwnd() != NULL || pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
        return FALSE;
    if (CWnd::FromHandlePermanent(pFrame->m_hWndMDIClient) != NULL)
        return FALSE;
    if (!SubclassWindow(pFrame->m_hWndMDIClient))
        return FALSE;
    m_pFrame = pFrame;
    m_bEnableGroups = bEnableGroups;
    if (m_pPaintManager == NULL)
        m_pPaintManager = new CTKPTabTheme;
    CTKPSharedMetrics* pMetrics = GetSharedMetrics();
    m_hCursorHoriz = pMetrics->m_hcurSplitH != NULL ? pMetrics->m_hcurSplitH : ::LoadCursorW(NULL, IDC_SIZEWE);
    m_hCursorVert = pMetrics->m_hcurSplitV != NULL ? pMetrics->m_hcurSplitV : ::LoadCursorW(NULL, IDC_SIZENS);

    if (m_bEnableGroups) {
        // The children that exist lose their caption and borders as new ones do.
        CArray<HWND, HWND> arrChildren;
        GetChildWindows(arrChildren);
        for (INT_PTR i = 0; i < arrChildren.GetSize(); ++i) {
            ::SetWindowLongPtrW(arrChildren[i], GWL_STYLE, ::GetWindowLongPtrW(arrChildren[i], GWL_STYLE) & ~0xC70000);
            ::SetWindowLongPtrW(arrChildren[i], GWL_EXSTYLE,
                ::GetWindowLongPtrW(arrChildren[i], GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
        }
        // The children always fit their groups: no scroll bars. The border comes from the theme.
        m_dwOldScrollStyle = GetStyle() & (WS_HSCROLL | WS_VSCROLL);
        ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0);
        ::ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else {
        m_pRowWnd = new CTKPTabClientRowWnd(this);
        if (!m_pRowWnd->Create(pFrame)) {
            delete m_pRowWnd;
            m_pRowWnd = NULL;
            UnsubclassWindow();
            m_pFrame = NULL;
            return FALSE;
        }
    }
    m_bLayoutDirty = TRUE;
    Refresh(TRUE);
    return TRUE;
}

BOOL CTKPTabClientWnd::DetachFromFrame()
{
    if (m_pFrame == NULL || GetSafeHwnd() == NULL)
        return FALSE;
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) != AfxWndProc)
        return FALSE;
    CMDIFrameWnd* pFrame = m_pFrame;
    const BOOL bGroups = m_bEnableGroups;
    CArray<HWND, HWND> arrChildren;
    GetChildWindows(arrChildren);
    UnsubclassWindow();
    m_pFrame = NULL;
    FreeWorkspaces();
    if (m_pRowWnd != NULL) {
        if (m_pRowWnd->GetSafeHwnd() != NULL)
            m_pRowWnd->DestroyWindow();
        delete m_pRowWnd;
        m_pRowWnd = NULL;
    }
    if (bGroups && pFrame->GetSafeHwnd() != NULL) {
        // The children get their caption and borders back, arranged as the MDI client does it.
        for (INT_PTR i = 0; i < arrChildren.GetSize(); ++i) {
            ::SetWindowLongPtrW(arrChildren[i], GWL_STYLE,
                ::GetWindowLongPtrW(arrChildren[i], GWL_STYLE) | WS_OVERLAPPEDWINDOW);
            ::SetWindowPos(arrChildren[i], NULL, 0, 0, 0, 0,
                SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        ::SetWindowLongPtrW(pFrame->m_hWndMDIClient, GWL_STYLE,
            ::GetWindowLongPtrW(pFrame->m_hWndMDIClient, GWL_STYLE) | m_dwOldScrollStyle);
        ::SetWindowPos(pFrame->m_hWndMDIClient, NULL, 0, 0, 0, 0,
            SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        ::SendMessageW(pFrame->m_hWndMDIClient, WM_MDICASCADE, 0, 0);
    }
    if (pFrame->GetSafeHwnd() != NULL)
        pFrame->RecalcLayout();
    return TRUE;
}

void CTKPTabClientWnd::SetPaintManager(CTKPTabTheme* pTheme)
{
    if (pTheme == m_pPaintManager)
        return;
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pTheme;
    m_bLayoutDirty = TRUE;
    Refresh(TRUE);
}

void CTKPTabClientWnd::SetSplitterWidth(int nWidth)
{
    m_nSplitterWidth = nWidth < 0 ? 0 : nWidth;
    m_bLayoutDirty = TRUE;
    if (m_pFrame != NULL)
        UpdateContents();
}

// --- Refresh --------------------------------------------------------------------------------------------

void CTKPTabClientWnd::Refresh(BOOL bRecalcFrame)
{
    if (m_pFrame == NULL || m_bRefreshing || GetSafeHwnd() == NULL)
        return;
    m_bRefreshing = TRUE;
    UpdateContents();
    if (GetWorkspaceCount() > 0) {
        // Hot tracking for where the cursor is now.
        CWnd* pHost = m_bEnableGroups ? static_cast<CWnd*>(this) : m_pRowWnd;
        if (pHost != NULL && pHost->GetSafeHwnd() != NULL) {
            CPoint pt;
            ::GetCursorPos(&pt);
            pHost->ScreenToClient(&pt);
            for (int i = 0; i < GetWorkspaceCount(); ++i)
                m_arrWorkspaces[i]->HandleMouseMove(pHost, pt);
        }
    } else {
        Invalidate(FALSE);
    }
    if (bRecalcFrame) {
        if (m_bEnableGroups)
            SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
        RecalcFrameLayout();
    }
    m_bRefreshing = FALSE;
}

void CTKPTabClientWnd::RecalcFrameLayout()
{
    if (m_pFrame == NULL || m_pFrame->GetSafeHwnd() == NULL)
        return;
    // While the command bars lock their layout they lay the frame out themselves once they are done.
    CTKPCommandBars* pCommandBars = TKPGetFrameCommandBars(m_pFrame);
    if (pCommandBars != NULL)
        pCommandBars->RecalcFrameLayout(FALSE);
    else
        m_pFrame->RecalcLayout(FALSE);
}

// --- Queries --------------------------------------------------------------------------------------------

CMDIChildWnd* CTKPTabClientWnd::GetActiveChild() const
{
    return m_pFrame != NULL ? m_pFrame->MDIGetActive() : NULL;
}

HWND CTKPTabClientWnd::GetActiveChildHandle() const
{
    return m_pFrame != NULL ? m_pFrame->MDIGetActiveHandle() : NULL;
}

CTKPTabManagerItem* CTKPTabClientWnd::FindTab(HWND hWnd) const
{
    for (int i = 0; i < GetWorkspaceCount(); ++i) {
        if (CTKPTabManagerItem* pItem = m_arrWorkspaces[i]->FindTab(hWnd))
            return pItem;
    }
    return NULL;
}

CTKPTabClientWorkspace* CTKPTabClientWnd::GetWorkspace(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetWorkspaceCount() ? m_arrWorkspaces[nIndex] : NULL;
}

int CTKPTabClientWnd::FindWorkspaceIndex(const CTKPTabClientWorkspace* pWorkspace) const
{
    for (int i = 0; i < GetWorkspaceCount(); ++i) {
        if (m_arrWorkspaces[i] == pWorkspace)
            return i;
    }
    return -1;
}

BOOL CTKPTabClientWnd::IsWorkspaceCommandEnabled(UINT nID, CTKPTabManagerItem** ppItem) const
{
    if (ppItem != NULL)
        *ppItem = NULL;
    if (!m_bEnableGroups)
        return FALSE;
    HWND hActive = GetActiveChildHandle();
    if (hActive == NULL)
        return FALSE;
    CTKPTabManagerItem* pItem = FindTab(hActive);
    if (pItem == NULL)
        return FALSE;
    if (ppItem != NULL)
        *ppItem = pItem;
    const int nIndex = FindWorkspaceIndex(static_cast<CTKPTabClientWorkspace*>(pItem->GetManager()));
    const int nTabs = pItem->GetManager()->GetItemCount();
    const int nGroups = GetWorkspaceCount();
    switch (nID) {
    case TKP_ID_TABGROUP_PREVIOUS:
        return nIndex > 0;
    case TKP_ID_TABGROUP_NEXT:
        return nIndex < nGroups - 1;
    case TKP_ID_TABGROUP_NEW_HORZ:
        return nTabs > 1 && (nGroups == 1 || m_bHorizSplitting);
    case TKP_ID_TABGROUP_NEW_VERT:
        return nTabs > 1 && (nGroups == 1 || !m_bHorizSplitting);
    default:
        return TRUE;
    }
}

// --- Commands -------------------------------------------------------------------------------------------

void CTKPTabClientWnd::OnWorkspaceCommand(UINT nID)
{
    CTKPTabManagerItem* pItem = NULL;
    if (!IsWorkspaceCommandEnabled(nID, &pItem) || pItem == NULL)
        return;
    CTKPTabClientWorkspace* pWorkspace = static_cast<CTKPTabClientWorkspace*>(pItem->GetManager());
    const int nIndex = FindWorkspaceIndex(pWorkspace);
    switch (nID) {
    case TKP_ID_TABGROUP_PREVIOUS:
        MoveTabToWorkspace(pItem, GetWorkspace(nIndex - 1), tkpMoveToWorkspace);
        break;
    case TKP_ID_TABGROUP_NEXT:
        MoveTabToWorkspace(pItem, GetWorkspace(nIndex + 1), tkpMoveToWorkspace);
        break;
    case TKP_ID_TABGROUP_NEW_HORZ:
        MoveTabToWorkspace(pItem, pWorkspace, tkpNewHorizontalGroup);
        break;
    case TKP_ID_TABGROUP_NEW_VERT:
        MoveTabToWorkspace(pItem, pWorkspace, tkpNewVerticalGroup);
        break;
    }
}

void CTKPTabClientWnd::OnUpdateWorkspaceCommand(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsWorkspaceCommandEnabled(pCmdUI->m_nID));
}

// --- Moving tabs between groups --------------------------------------------------------------------------

void CTKPTabClientWnd::MoveTabToWorkspace(CTKPTabManagerItem* pItem, CTKPTabClientWorkspace* pTarget, int nAction)
{
    if (pItem == NULL || pTarget == NULL || FindWorkspaceIndex(pTarget) < 0)
        return;
    CTKPTabClientWorkspace* pOwn = static_cast<CTKPTabClientWorkspace*>(pItem->GetManager());
    const int nOwn = FindWorkspaceIndex(pOwn);
    if (nOwn < 0)
        return;
    m_bLockUpdate = TRUE;
    m_bLockReposition = TRUE;
    const COLORREF clrTab = pItem->GetOwnColor();
    if (nAction == tkpMoveToWorkspace) {
        if (pTarget != pOwn) {
            pItem->InternalAddRef();
            pItem->RemoveFromManager();
            pTarget->InsertTab(-1, pItem);
            pItem->SetColor(clrTab);
            pTarget->SetSelectedTab(pItem);
        }
    } else if ((nAction == tkpNewHorizontalGroup || nAction == tkpNewVerticalGroup) && pOwn->GetItemCount() > 1) {
        TakeSizesFromTabAreas();
        pItem->InternalAddRef();
        pItem->RemoveFromManager();
        CTKPTabClientWorkspace* pNew = AddWorkspace(nOwn + 1);
        pNew->InsertTab(-1, pItem);
        pItem->SetColor(clrTab);
        pNew->SetSelectedTab(pItem);
        pNew->m_dSize = (pOwn->m_dSize - m_nSplitterWidth) * 0.5;
        pOwn->m_dSize = pOwn->m_dSize - pNew->m_dSize - m_nSplitterWidth;
        m_bHorizSplitting = nAction == tkpNewHorizontalGroup;
    }
    m_bLockUpdate = FALSE;
    m_bLockReposition = FALSE;
    m_bLayoutDirty = TRUE;
    UpdateContents();
}

void CTKPTabClientWnd::TakeSizesFromTabAreas()
{
    for (int i = 0; i < GetWorkspaceCount(); ++i) {
        const CRect& rc = m_arrWorkspaces[i]->GetTabAreaRect();
        m_arrWorkspaces[i]->m_dSize = m_bHorizSplitting ? rc.Height() : rc.Width();
    }
}

CTKPTabClientWorkspace* CTKPTabClientWnd::AddWorkspace(int nIndex)
{
    CTKPTabClientWorkspace* pWorkspace = new CTKPTabClientWorkspace(this);
    if (nIndex < 0 || nIndex > GetWorkspaceCount())
        nIndex = GetWorkspaceCount();
    m_arrWorkspaces.InsertAt(nIndex, pWorkspace);
    return pWorkspace;
}

// --- Messages -------------------------------------------------------------------------------------------

BOOL CTKPTabClientWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    switch (message) {
    case WM_MDIACTIVATE:
        lResult = OnMDIActivate(wParam, lParam);
        break;
    case WM_MDICREATE:
        lResult = OnMDICreate(lParam);
        break;
    case WM_MDIDESTROY:
        lResult = OnMDIDestroy(wParam, lParam);
        break;
    case WM_SIZE:
        lResult = Default();
        m_bLayoutDirty = TRUE;
        UpdateContents();
        break;
    case WM_IDLEUPDATECMDUI:
        if (m_bClicked) {
            m_bClicked = FALSE;
            m_bLockUpdate = FALSE;
        }
        UpdateContents();
        break;
    case WM_NCDESTROY:
        // The frame goes: the tabs go with their windows.
        m_pFrame = NULL;
        FreeWorkspaces();
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    case WM_SYSCOLORCHANGE:
        lResult = Default();
        if (m_pPaintManager != NULL)
            m_pPaintManager->RefreshMetrics();
        m_bLayoutDirty = TRUE;
        Refresh(TRUE);
        break;
    default:
        if (m_bEnableGroups && HandleGroupedMessage(message, wParam, lParam, &lResult))
            break;
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

BOOL CTKPTabClientWnd::HandleGroupedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(m_hWnd, &ps);
        CRect rc;
        GetClientRect(&rc);
        {
            CTKPBufferedDC dc(hdc, rc);
            Paint(&dc);
        }
        ::EndPaint(m_hWnd, &ps);
        *pResult = 0;
        return TRUE;
    }
    case WM_ERASEBKGND:
        *pResult = 1;
        return TRUE;
    case WM_NCPAINT: {
        *pResult = Default();
        CTKPTabAppearance* pAppearance = m_pPaintManager != NULL ? m_pPaintManager->GetAppearanceObject() : NULL;
        if (pAppearance != NULL) {
            CRect rc;
            GetWindowRect(&rc);
            rc.OffsetRect(-rc.left, -rc.top);
            CWindowDC dc(this);
            pAppearance->DrawWorkspacePart(&dc, &rc, 0);
        }
        return TRUE;
    }
    case WM_NCCALCSIZE: {
        CTKPTabAppearance* pAppearance = m_pPaintManager != NULL ? m_pPaintManager->GetAppearanceObject() : NULL;
        if (pAppearance != NULL && lParam != 0)
            pAppearance->DrawWorkspacePart(NULL, reinterpret_cast<LPRECT>(lParam), 1);
        *pResult = Default();
        return TRUE;
    }
    case WM_NCACTIVATE:
        *pResult = 1;
        return TRUE;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && OnGroupedSetCursor()) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnGroupedLButtonDown(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        *pResult = 0;
        return TRUE;
    case WM_MOUSEMOVE: {
        const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        for (int i = 0; i < GetWorkspaceCount(); ++i)
            m_arrWorkspaces[i]->HandleMouseMove(this, pt);
        *pResult = Default();
        return TRUE;
    }
    case WM_MOUSELEAVE:
        for (int i = 0; i < GetWorkspaceCount(); ++i)
            m_arrWorkspaces[i]->HandleMouseMove(this, CPoint(-1, -1));
        *pResult = 0;
        return TRUE;
    }
    return FALSE;
}

LRESULT CTKPTabClientWnd::OnMDIActivate(WPARAM, LPARAM)
{
    LRESULT lResult;
    if (!m_bEnableGroups && !m_bNoRedrawLock) {
        // The children swap places (a maximised one especially) without flashing.
        SetRedraw(FALSE);
        lResult = Default();
        SetRedraw(TRUE);
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    } else {
        lResult = Default();
    }
    UpdateContents();
    return lResult;
}

LRESULT CTKPTabClientWnd::OnMDICreate(LPARAM)
{
    HWND hChild = reinterpret_cast<HWND>(Default());
    if (hChild != NULL && m_bEnableGroups) {
        ::SetWindowLongPtrW(hChild, GWL_STYLE, ::GetWindowLongPtrW(hChild, GWL_STYLE) & ~0xC70000);
        ::SetWindowLongPtrW(hChild, GWL_EXSTYLE, ::GetWindowLongPtrW(hChild, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
        ::SetWindowPos(hChild, NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    UpdateContents();
    return reinterpret_cast<LRESULT>(hChild);
}

LRESULT CTKPTabClientWnd::OnMDIDestroy(WPARAM wParam, LPARAM)
{
    HWND hDying = reinterpret_cast<HWND>(wParam);
    CTKPTabManagerItem* pItem = !m_bNoNeighbourActivation ? FindTab(hDying) : NULL;
    if (pItem != NULL) {
        CTKPTabManager* pGroup = pItem->GetManager();
        const int nIndex = pItem->GetIndex();
        CTKPTabManagerItem* pNeighbour = pGroup->FindNextTab(nIndex + 1, 1);
        if (pNeighbour == NULL)
            pNeighbour = pGroup->FindNextTab(nIndex - 1, -1);
        if (pNeighbour != NULL) {
            // Only the active child's closing activates the neighbour (a background child's only
            // hands its group's selection on): activating it always would pull the user off the
            // document they are working in whenever another one closes.
            if (hDying == GetActiveChildHandle())
                ActivateChild(pNeighbour->GetHandle());
            else if (pGroup->GetSelectedItem() == pItem)
                pGroup->SetSelectedTab(pNeighbour);
        }
    }
    const LRESULT lResult = Default();
    UpdateContents();
    return lResult;
}

void CTKPTabClientWnd::NoteClick()
{
    m_bClicked = TRUE;
    m_bLockUpdate = TRUE;
}

void CTKPTabClientWnd::ActivateChild(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd) || GetSafeHwnd() == NULL)
        return;
    if (GetActiveChildHandle() != hWnd)
        ::SendMessageW(m_hWnd, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWnd), 0);
    else if (m_bEnableGroups)
        ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CTKPTabClientWnd::OnGroupedLButtonDown(CPoint pt)
{
    m_bClicked = TRUE;
    m_bLockUpdate = TRUE;
    for (int i = 0; i < GetWorkspaceCount(); ++i) {
        CTKPTabClientWorkspace* pWorkspace = m_arrWorkspaces[i];
        if (pWorkspace->m_rcSplitter.PtInRect(pt)) {
            if (i < GetWorkspaceCount() - 1) {
                CPoint ptScreen = pt;
                ClientToScreen(&ptScreen);
                TrackSplitter(i, ptScreen);
            }
            return;
        }
        if (pWorkspace->GetTabAreaRect().PtInRect(pt)) {
            // A click in another group first activates that group's child.
            if (!pWorkspace->IsActive() && pWorkspace->GetSelectedItem() != NULL)
                pWorkspace->OnTabClick(pWorkspace->GetSelectedItem());
            // The group may be gone when the activation closed something.
            if (FindWorkspaceIndex(pWorkspace) >= 0)
                pWorkspace->HandleLButtonDown(this, pt, FALSE);
            return;
        }
    }
}

BOOL CTKPTabClientWnd::OnGroupedSetCursor()
{
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    for (int i = 0; i < GetWorkspaceCount(); ++i) {
        if (m_arrWorkspaces[i]->m_rcSplitter.PtInRect(pt)) {
            ::SetCursor(GetSplitterCursor());
            return TRUE;
        }
    }
    return FALSE;
}

HCURSOR CTKPTabClientWnd::GetSplitterCursor() const
{
    return m_bHorizSplitting ? m_hCursorVert : m_hCursorHoriz;
}
