#include "toolkit/docking/DockingPaneTabbedContainer.h"

#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/ToolTipManager.h"
#include "toolkit/commandbars/ToolTipRecord.h"
#include "toolkit/docking/DockablePane.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/docking/DockingPaneArrangement.h"
#include "toolkit/docking/DockingPaneAutoHideWnd.h"
#include "toolkit/docking/DockingPaneCaptionButton.h"
#include "toolkit/docking/DockingPaneDragContext.h"
#include "toolkit/docking/DockingPaneDropTarget.h"
#include "toolkit/docking/DockingPaneHost.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneSideBar.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"
#include "toolkit/tabs/TabManagerItem.h"
#include "toolkit/tabs/TabTheme.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CTKPDockingPaneTabbedContainer, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSELEAVE()
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

CTKPDockingPaneTabbedContainer::CTKPDockingPaneTabbedContainer(CTKPDockingPaneArrangement* pArrangement)
    : CTKPDockingNode(tkdock::nodeTabbedContainer, pArrangement), m_tabs(this), m_bMaximised(FALSE), m_bActive(FALSE),
      m_bCaptionVisible(TRUE), m_nLockCount(0), m_pSelectedPane(NULL), m_pDraggedPane(NULL), m_lstPanes(10),
      m_pDropTarget(NULL)
{
    static const int kButtons[5] = {tkpcbClose, tkpcbMaximise, tkpcbRestore, tkpcbPin, tkpcbMenu};
    for (int nId : kButtons)
        m_arrCaptionButtons.Add(new CTKPDockingPaneCaptionButton(nId, this));
}

CTKPDockingPaneTabbedContainer::~CTKPDockingPaneTabbedContainer()
{
    delete m_pDropTarget;
    m_pDropTarget = NULL;
    ReleasePaneWindows();
    if (GetSafeHwnd())
        DestroyWindow();
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;) {
        CTKPDockablePane* pPane = m_lstPanes.GetNext(pos);
        if (pPane->m_pParentContainer == this)
            pPane->m_pParentContainer = NULL;
    }
    m_lstPanes.RemoveAll();
}

void CTKPDockingPaneTabbedContainer::DeleteNode()
{
    delete this;
}

BOOL CTKPDockingPaneTabbedContainer::CreateContainerWindow()
{
    if (GetSafeHwnd())
        return TRUE;
    if (!m_pSite || !m_pSite->GetSafeHwnd())
        return FALSE;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    if (!CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
            m_pSite, 0))
        return FALSE;
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;) {
        CTKPDockablePane* pPane = m_lstPanes.GetNext(pos);
        if (pPane->GetPaneWindow() && ::IsWindow(pPane->GetPaneWindow()))
            ::SetParent(pPane->GetPaneWindow(), m_hWnd);
    }
    if (IsAutoHidden())
        ShowWindow(SW_HIDE);
    if (!m_pDropTarget)
        m_pDropTarget = new CTKPDockingPaneDropTarget(this);
    m_pDropTarget->Register(this);
    return TRUE;
}

void CTKPDockingPaneTabbedContainer::ReleasePaneWindows()
{
    if (!GetSafeHwnd())
        return;
    CTKPDockingPaneHost* pHost = GetHost();
    HWND hHost = pHost ? pHost->GetSafeHwnd() : NULL;
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;) {
        HWND hPane = m_lstPanes.GetNext(pos)->GetPaneWindow();
        if (hPane && ::IsWindow(hPane) && ::GetParent(hPane) == m_hWnd) {
            ::ShowWindow(hPane, SW_HIDE);
            ::SetParent(hPane, hHost);
        }
    }
}

void CTKPDockingPaneTabbedContainer::AttachPane(CTKPDockablePane* pPane, BOOL bSetFocus)
{
    if (!pPane)
        return;
    if (!GetSafeHwnd() && m_pArrangement && !m_pArrangement->IsWindowless())
        CreateContainerWindow();
    m_lstPanes.AddTail(pPane);
    pPane->SetParentContainer(this);
    pPane->SetSite(m_pSite);
    if (m_pArrangement)
        m_pArrangement->EnsurePaneEntry(pPane);
    MarkSiteLayout();
    SelectPane(pPane, bSetFocus, TRUE);
    if (m_pParentContainer)
        m_pParentContainer->OnChildChanged(this);
}

void CTKPDockingPaneTabbedContainer::InitFromPane(CTKPDockablePane* pPane, CWnd* pSite)
{
    m_pSite = pSite;
    m_nDockingCX = pPane->m_nDockingCX;
    m_nDockingCY = pPane->m_nDockingCY;
    m_rcNode = pPane->m_rcNode;
    AttachPane(pPane, TRUE);
    SelectPane(pPane, TRUE, TRUE);
}

void CTKPDockingPaneTabbedContainer::SelectPane(CTKPDockablePane* pPane, BOOL bSetFocus, BOOL bDelay)
{
    if (pPane != m_pSelectedPane) {
        m_pSelectedPane = pPane;
        if (bDelay) {
            MarkSiteLayout();
            if (m_pParentContainer)
                m_pParentContainer->OnChildChanged(this);
        } else {
            NotifyParentChanged(TRUE);
        }
    }
    if (bSetFocus && m_pSelectedPane) {
        CTKPDockingPaneHost* pHost = GetHost();
        if (m_bActive && pHost)
            pHost->SetActivePane(TRUE, m_pSelectedPane);
        m_pSelectedPane->SetFocus();
    }
}

void CTKPDockingPaneTabbedContainer::RemoveChild(CTKPDockingNode* pNode)
{
    CTKPDockablePane* pPane = pNode ? pNode->AsPane() : NULL;
    POSITION pos = pPane ? m_lstPanes.Find(pPane) : NULL;
    if (!pos)
        return;
    m_lstPanes.RemoveAt(pos);
    UpdateTabs();
    pPane->SetParentContainer(NULL);
    if (m_pParentContainer)
        m_pParentContainer->OnChildChanged(this);
    if (m_lstPanes.IsEmpty() && GetSafeHwnd()) {
        if (m_pDropTarget)
            m_pDropTarget->Revoke();
        DestroyWindow();
    }
    MarkSiteLayout();
    if (pPane == m_pSelectedPane) {
        m_pSelectedPane = NULL;
        SelectPane(m_lstPanes.IsEmpty() ? NULL : m_lstPanes.GetTail(), TRUE, TRUE);
    }
    if (m_pDraggedPane == pPane)
        m_pDraggedPane = NULL;
}

void CTKPDockingPaneTabbedContainer::UpdateTabs()
{
    if (!GetSafeHwnd())
        return;
    {
        CTKPDockingPaneContainerLock lock(m_nLockCount);
        m_tabs.DeleteAllTabs();
        for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;) {
            CTKPDockablePane* pPane = m_lstPanes.GetNext(pos);
            CTKPTabManagerItem* pItem = m_tabs.InsertTab(-1);
            pItem->SetCaption(pPane->GetTabCaption());
            pItem->SetColor(pPane->GetTabColor());
            pItem->SetTooltip(pPane->GetTitle());
            pItem->SetData(reinterpret_cast<DWORD_PTR>(pPane));
            if (pPane == m_pSelectedPane)
                m_tabs.SetSelectedTab(pItem);
        }
    }
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); ++i)
        m_arrCaptionButtons[i]->SetHot(FALSE);
}

CRect CTKPDockingPaneTabbedContainer::GetPaneRect()
{
    CRect rc = m_rcNode;
    if (CTKPDockingPaneTheme* pTheme = GetTheme())
        pTheme->AdjustTabbedContainerLayout(this, rc, GetSafeHwnd() != NULL);
    return rc;
}

void CTKPDockingPaneTabbedContainer::LayoutPanes(BOOL bShow)
{
    const CRect rcPanes = GetPaneRect();
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;) {
        CTKPDockablePane* pPane = m_lstPanes.GetNext(pos);
        if (pPane == m_pSelectedPane) {
            if (bShow)
                pPane->ShowPaneWindow(TRUE);
        } else if (pPane->GetPaneWindow() && ::IsWindow(pPane->GetPaneWindow())) {
            ::ShowWindow(pPane->GetPaneWindow(), SW_HIDE);
        }
        pPane->OnSizeParent(m_pSite, rcPanes, NULL);
    }
}

void CTKPDockingPaneTabbedContainer::NotifyParentChanged(BOOL bRecalc)
{
    if (!GetSafeHwnd() || !m_pParentContainer || m_nLockCount)
        return;
    {
        CTKPDockingPaneContainerLock lock(m_nLockCount);
        UpdateTabs();
    }
    if (bRecalc) {
        CTKPDockingPaneHost* pHost = GetHost();
        LayoutPanes(pHost && pHost->m_bLayoutDone);
    } else {
        GetPaneRect();
    }
    CWnd::Invalidate(FALSE);
    m_pParentContainer->NotifyParentChanged(bRecalc);
}

void CTKPDockingPaneTabbedContainer::UpdatePinState()
{
    CTKPDockingPaneCaptionButton* pPin = FindCaptionButton(tkpcbPin);
    if (!pPin)
        return;
    if (IsAutoHidden())
        pPin->SetState(tkppAutoHidden);
    else if (dynamic_cast<CTKPDockingPaneMiniWnd*>(m_pSite))
        pPin->SetState(tkppFloating);
    else
        pPin->SetState(tkppDocked);
}

void CTKPDockingPaneTabbedContainer::OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pLayout)
{
    SetSite(pSite);
    m_rcNode = rect;
    if (pLayout && pLayout->hDWP == NULL)
        return;
    if (GetSafeHwnd()) {
        const UINT nFlags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
        HDWP hDWP = pLayout ? ::DeferWindowPos(pLayout->hDWP, m_hWnd, HWND_BOTTOM, rect.left, rect.top, rect.Width(),
                                  rect.Height(), nFlags)
                            : NULL;
        if (hDWP)
            pLayout->hDWP = hDWP;
        else
            SetWindowPos(&CWnd::wndBottom, rect.left, rect.top, rect.Width(), rect.Height(), nFlags);
        CWnd::Invalidate(FALSE);
    }
    {
        CTKPDockingPaneContainerLock lock(m_nLockCount);
        UpdateTabs();
    }
    UpdatePinState();
    CTKPDockingPaneHost* pHost = GetHost();
    LayoutPanes(pHost && pHost->m_bLayoutDone);
}

void CTKPDockingPaneTabbedContainer::SetSite(CWnd* pSite)
{
    m_pSite = pSite;
    if (GetSafeHwnd() && pSite && pSite->GetSafeHwnd() && ::GetParent(m_hWnd) != pSite->GetSafeHwnd())
        ::SetParent(m_hWnd, pSite->GetSafeHwnd());
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;)
        m_lstPanes.GetNext(pos)->SetSite(pSite);
}

void CTKPDockingPaneTabbedContainer::OnParentAttached(CTKPDockingNode* pParent)
{
    if (pParent)
        SetSite(pParent->GetNodeSite());
    m_bCaptionVisible = TRUE;
    if (pParent && pParent->m_nType == tkdock::nodeSideBar && GetSafeHwnd())
        ShowWindow(SW_HIDE);
}

void CTKPDockingPaneTabbedContainer::OnIdleUpdate()
{
    if (!GetSafeHwnd())
        return;
    HWND hFocus = ::GetFocus();
    BOOL bActive = FALSE;
    for (HWND h = hFocus; h != NULL && !bActive; h = ::GetWindow(h, GW_OWNER)) {
        if (h == m_hWnd || ::IsChild(m_hWnd, h))
            bActive = TRUE;
        HWND hParent = ::GetParent(h);
        if (hParent && (hParent == m_hWnd || ::IsChild(m_hWnd, hParent)))
            bActive = TRUE;
    }
    CTKPDockingPaneHost* pHost = GetHost();
    if (bActive != m_bActive) {
        m_bActive = bActive;
        if (pHost)
            pHost->SetActivePane(bActive, m_pSelectedPane);
        CWnd::Invalidate(FALSE);
    } else if (m_bActive && pHost && pHost->GetActivePane() != m_pSelectedPane) {
        pHost->SetActivePane(TRUE, m_pSelectedPane);
    }
    if (m_pSelectedPane && m_pSelectedPane->GetPaneWindow() && ::IsWindow(m_pSelectedPane->GetPaneWindow()))
        ::SendMessageW(m_pSelectedPane->GetPaneWindow(), WM_IDLEUPDATECMDUI, 0, 0);
}

BOOL CTKPDockingPaneTabbedContainer::IsCaptionVisible()
{
    return m_bCaptionVisible && m_pSelectedPane && !(m_pSelectedPane->GetEffectiveOptions() & tkpoNoCaption);
}

void CTKPDockingPaneTabbedContainer::SetCaptionVisible(BOOL bVisible)
{
    m_bCaptionVisible = bVisible;
    MarkSiteLayout();
}

BOOL CTKPDockingPaneTabbedContainer::IsTabsVisible()
{
    if (!GetSafeHwnd())
        return FALSE;
    if (dynamic_cast<CTKPDockingPaneAutoHideWnd*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd))))
        return FALSE;
    if (m_lstPanes.GetCount() > 1)
        return TRUE;
    CTKPDockingPaneTheme* pTheme = GetTheme();
    return pTheme && pTheme->m_bAlwaysShowTabs;
}

BOOL CTKPDockingPaneTabbedContainer::IsCaptionVertical()
{
    CTKPDockingPaneHost* pHost = GetHost();
    const int nMode = pHost ? pHost->m_nCaptionOrientation : 0;
    switch (nMode) {
    case 0:
        return FALSE;
    case 2: {
        const int nSide = m_pArrangement ? m_pArrangement->GetNodeSide(this) : 0;
        return nSide == tkdock::sideTop || nSide == tkdock::sideBottom;
    }
    case 3:
        return m_rcNode.Width() > m_rcNode.Height();
    default:
        return TRUE;
    }
}

CString CTKPDockingPaneTabbedContainer::GetTitle() const
{
    return m_pSelectedPane ? m_pSelectedPane->GetTitle() : CString();
}

CTKPDockablePane* CTKPDockingPaneTabbedContainer::GetPane(int nIndex) const
{
    POSITION pos = nIndex >= 0 ? m_lstPanes.FindIndex(nIndex) : NULL;
    return pos ? m_lstPanes.GetAt(pos) : NULL;
}

CTKPDockablePane* CTKPDockingPaneTabbedContainer::GetPaneAt(int nIndex) const
{
    return TKPPaneOfTab(m_tabs.GetItem(nIndex));
}

int CTKPDockingPaneTabbedContainer::HitTest(CPoint pt)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CTKPDockingPaneTheme* pTheme = GetTheme();
    if (IsCaptionVisible() && pTheme && rcClient.PtInRect(pt)) {
        CRect rcBelow = rcClient;
        pTheme->AdjustCaptionRect(this, rcBelow);
        if (!rcBelow.PtInRect(pt))
            return -2;
    }
    if (IsTabsVisible()) {
        CTKPTabManagerItem* pItem = m_tabs.HitTest(pt);
        if (pItem)
            return pItem->GetIndex();
    }
    return -1;
}

BOOL CTKPDockingPaneTabbedContainer::HitTestCaptionOrTabs(RECT* pRect, CPoint ptScreen)
{
    CTKPDockingPaneTheme* pTheme = GetTheme();
    if (!pTheme)
        return FALSE;
    CRect rc(*pRect);
    const BOOL bVertical = IsCaptionVertical();
    if (IsCaptionVisible()) {
        CRect rcCaption = rc;
        const int nCut = pTheme->m_nCaptionHeight + 3;
        if (bVertical) {
            rcCaption.right = rcCaption.left + nCut;
            rc.left += nCut;
        } else {
            rcCaption.bottom = rcCaption.top + nCut;
            rc.top += nCut;
        }
        *pRect = rc;
        if (rcCaption.PtInRect(ptScreen))
            return TRUE;
    } else if (m_pSite && m_pSite->GetSafeHwnd()) {
        // Without a caption the site's own caption above the container counts.
        CRect rcSite;
        m_pSite->GetWindowRect(&rcSite);
        if (bVertical)
            rcSite.right = rc.left;
        else
            rcSite.bottom = rc.top;
        if (rcSite.PtInRect(ptScreen))
            return TRUE;
    }
    if (IsTabsVisible()) {
        // Where the tab theme laid the tabs out (below the panes, under the caption in some themes, or
        // bars above and below stacked panes) instead of always a row at the bottom, which missed tabs
        // laid out elsewhere; a row at the bottom only before the first layout.
        const CRect rcArea = m_tabs.GetTabAreaRect();
        if (!rcArea.IsRectEmpty() && GetSafeHwnd()) {
            CPoint pt = ptScreen;
            ScreenToClient(&pt);
            if (rc.PtInRect(ptScreen) && rcArea.PtInRect(pt) && !m_tabs.GetTabClientRect().PtInRect(pt))
                return TRUE;
        } else {
            CRect rcTabs = rc;
            rcTabs.top = std::max<LONG>(rc.top, rc.bottom - pTheme->m_nTabRowHeight);
            if (rcTabs.PtInRect(ptScreen))
                return TRUE;
        }
    }
    return FALSE;
}

void CTKPDockingPaneTabbedContainer::Activate()
{
    if (m_pSelectedPane && m_pSelectedPane->GetPaneWindow())
        m_pSelectedPane->SetFocus();
    else if (GetSafeHwnd())
        CWnd::SetFocus();
    if (CTKPDockingPaneHost* pHost = GetHost())
        pHost->OnIdleUpdateCmdUI(0, 0);
}

void CTKPDockingPaneTabbedContainer::StartCaptionDrag(CPoint ptScreen)
{
    Activate();
    CTKPDockingPaneHost* pHost = GetHost();
    if (pHost && ::GetKeyState(VK_LBUTTON) < 0)
        pHost->GetDragContext()->BeginDrag(this, ptScreen.x, ptScreen.y);
}

BOOL CTKPDockingPaneTabbedContainer::IsCaptionButtonVisible(CTKPDockingPaneCaptionButton* pButton)
{
    const DWORD dwOptions = m_pSelectedPane ? m_pSelectedPane->GetEffectiveOptions() : 0;
    switch (pButton->GetId()) {
    case tkpcbClose:
        return m_pSelectedPane && !(dwOptions & tkpoNoClose);
    case tkpcbPin:
        return m_pSelectedPane && !(dwOptions & tkpoNoAutoHide) && (pButton->GetState() & 1);
    case tkpcbMaximise:
        return CanMaximise() && !m_bMaximised;
    case tkpcbRestore:
        return CanMaximise() && m_bMaximised;
    case tkpcbMenu:
        return m_pSelectedPane && (dwOptions & tkpoMenuButton);
    default:
        return TRUE;
    }
}

void CTKPDockingPaneTabbedContainer::ClosePaneAsked(CTKPDockablePane* pPane)
{
    CTKPDockingPaneHost* pHost = GetHost();
    if (!pHost || pHost->NotifyAction(tkpaClosing, pPane, 0, 0) != 0)
        return;
    pHost->ClosePane(pPane);
    pHost->NotifyAction(tkpaClosed, pPane, 0, 0);
}

void CTKPDockingPaneTabbedContainer::OnCaptionButtonClick(CTKPDockingPaneCaptionButton* pButton)
{
    CTKPDockingPaneHost* pHost = GetHost();
    CTKPDockablePane* pPane = m_pSelectedPane;
    if (!pHost || !pPane)
        return;
    switch (pButton->GetId()) {
    case tkpcbPin:
        if (IsAutoHidden()) {
            pHost->ToggleDocking(pHost->m_bHideWholeGroup ? static_cast<CTKPDockingNode*>(this) : pPane);
            break;
        }
        if (pHost->NotifyAction(tkpaPinning, pPane, 0, 0) != 0)
            break;
        {
            const int nSide = m_pArrangement ? m_pArrangement->GetNodeSide(this) : 0;
            const BOOL bWidth = tkdock::IsHorizontalSide(nSide);
            auto store = [&](CTKPDockingNode* pNode) {
                if (bWidth)
                    pNode->m_nDockingCX = m_rcNode.Width();
                else
                    pNode->m_nDockingCY = m_rcNode.Height();
            };
            store(this);
            for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;) {
                CTKPDockablePane* p = m_lstPanes.GetNext(pos);
                if (!p->IsEmpty())
                    store(p);
            }
        }
        pPane->Hide();
        pHost->NotifyAction(tkpaPinned, pPane, 0, 0);
        break;
    case tkpcbClose:
        if (pHost->m_bCloseAll) {
            CArray<CTKPDockablePane*, CTKPDockablePane*> panes;
            for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;)
                panes.Add(m_lstPanes.GetNext(pos));
            for (INT_PTR i = 0; i < panes.GetSize(); ++i)
                if (!(panes[i]->GetEffectiveOptions() & tkpoNoClose))
                    ClosePaneAsked(panes[i]);
        } else {
            ClosePaneAsked(pPane);
        }
        break;
    case tkpcbMaximise:
        Maximise();
        break;
    case tkpcbRestore:
        Restore();
        break;
    default:
        break;
    }
}

BOOL CTKPDockingPaneTabbedContainer::CanMaximise()
{
    CTKPDockingPaneHost* pHost = GetHost();
    CTKPDockingPaneSplitContainer* pSplit = m_pParentContainer ? m_pParentContainer->AsSplitContainer() : NULL;
    if (!pHost || !pHost->m_bMaximiseAllowed || !pSplit)
        return FALSE;
    CTKPDockingNodeList list;
    pSplit->CollectChildren(tkdock::nodeTabbedContainer, list);
    return list.GetCount() > 1;
}

BOOL CTKPDockingPaneTabbedContainer::IsSiblingMaximised()
{
    if (m_bMaximised || !CanMaximise())
        return FALSE;
    CTKPDockingNodeList list;
    m_pParentContainer->AsSplitContainer()->CollectChildren(tkdock::nodeTabbedContainer, list);
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CTKPDockingPaneTabbedContainer* p = list.GetNext(pos)->AsTabbedContainer();
        if (p && p != this && p->m_bMaximised)
            return TRUE;
    }
    return FALSE;
}

void CTKPDockingPaneTabbedContainer::Maximise()
{
    if (!CanMaximise())
        return;
    CTKPDockingNodeList list;
    m_pParentContainer->AsSplitContainer()->CollectChildren(tkdock::nodeTabbedContainer, list);
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        if (CTKPDockingPaneTabbedContainer* p = list.GetNext(pos)->AsTabbedContainer())
            p->m_bMaximised = FALSE;
    m_bMaximised = TRUE;
    if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(m_pSite))
        pFrame->RecalcLayout(TRUE);
}

void CTKPDockingPaneTabbedContainer::Restore()
{
    m_bMaximised = FALSE;
    if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(m_pSite))
        pFrame->RecalcLayout(TRUE);
}

void CTKPDockingPaneTabbedContainer::GetMinMaxInfo(MINMAXINFO* pInfo)
{
    CTKPDockingNode::GetMinMaxInfo(pInfo);
    if (m_lstPanes.IsEmpty())
        return;
    if (IsSiblingMaximised()) {
        if (m_pParentContainer->AsSplitContainer()->IsHorizontal())
            pInfo->ptMaxTrackSize.x = 0;
        else
            pInfo->ptMaxTrackSize.y = 0;
    } else {
        for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;) {
            MINMAXINFO mmi;
            m_lstPanes.GetNext(pos)->GetMinMaxInfo(&mmi);
            pInfo->ptMinTrackSize.x = std::max(pInfo->ptMinTrackSize.x, mmi.ptMinTrackSize.x);
            pInfo->ptMinTrackSize.y = std::max(pInfo->ptMinTrackSize.y, mmi.ptMinTrackSize.y);
            pInfo->ptMaxTrackSize.x = std::min(pInfo->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x);
            pInfo->ptMaxTrackSize.y = std::min(pInfo->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y);
        }
    }
    CTKPDockingPaneTheme* pTheme = GetTheme();
    if (!pTheme)
        return;
    CRect rc(0, 0, 1000, 1000);
    pTheme->AdjustTabbedContainerLayout(this, rc, FALSE);
    const int dx = 1000 - rc.Width(), dy = 1000 - rc.Height();
    pInfo->ptMinTrackSize.x += dx;
    pInfo->ptMinTrackSize.y += dy;
    pInfo->ptMaxTrackSize.x += dx;
    pInfo->ptMaxTrackSize.y += dy;
}

BOOL CTKPDockingPaneTabbedContainer::ContainsNode(CTKPDockingNode* pNode)
{
    if (pNode == this)
        return TRUE;
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;)
        if (static_cast<CTKPDockingNode*>(m_lstPanes.GetNext(pos)) == pNode)
            return TRUE;
    return FALSE;
}

void CTKPDockingPaneTabbedContainer::CollectNodes(int nType, CTKPDockingNodeList& list)
{
    if (nType == tkdock::nodeTabbedContainer) {
        list.AddTail(this);
        return;
    }
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;) {
        CTKPDockablePane* pPane = m_lstPanes.GetNext(pos);
        if (pPane->m_nType == nType)
            list.AddTail(pPane);
    }
}

BOOL CTKPDockingPaneTabbedContainer::IsEmpty()
{
    return m_lstPanes.IsEmpty();
}

HWND CTKPDockingPaneTabbedContainer::GetWindowHandle()
{
    return GetSafeHwnd();
}

BOOL CTKPDockingPaneTabbedContainer::IsAutoHidden()
{
    return m_pParentContainer && m_pParentContainer->m_nType == tkdock::nodeSideBar;
}

void CTKPDockingPaneTabbedContainer::Invalidate()
{
    if (GetSafeHwnd())
        CWnd::Invalidate(FALSE);
}

void CTKPDockingPaneTabbedContainer::CopyFrom(CTKPDockingPaneTabbedContainer* pSource, CTKPDockingNodeMap* pMap,
    DWORD dwMask)
{
    CTKPDockingPaneHost* pHost = GetHost();
    m_pSite = pHost ? pHost->GetSite() : NULL;
    m_rcNode = pSource->m_rcNode;
    m_nDockingCX = pSource->m_nDockingCX;
    m_nDockingCY = pSource->m_nDockingCY;
    m_bCaptionVisible = TRUE;
    CTKPDockablePane* pSelected = NULL;
    // Taken before the first pane moves, where moving a pane out changed the source's selection; and
    // when that pane stays behind (masked), the first pane moved is selected instead of one not here.
    CTKPDockablePane* pSourceSelected = pSource->m_pSelectedPane;
    CArray<CTKPDockablePane*, CTKPDockablePane*> panes;
    for (POSITION pos = pSource->m_lstPanes.GetHeadPosition(); pos != NULL;)
        panes.Add(pSource->m_lstPanes.GetNext(pos));
    for (INT_PTR i = 0; i < panes.GetSize(); ++i) {
        CTKPDockablePane* pPane = panes[i];
        if (!pMap) {
            if (pPane->GetEffectiveOptions() & dwMask)
                continue;
            pSource->RemoveChild(pPane);
            AttachPane(pPane, FALSE);
            if (pPane == pSourceSelected || !pSelected)
                pSelected = pPane;
        } else {
            CTKPDockingNode* pClone = pPane->CloneNode(m_pArrangement, pMap, 0);
            CTKPDockablePane* pClonePane = pClone ? pClone->AsPane() : NULL;
            if (!pClonePane)
                continue;
            AttachPane(pClonePane, FALSE);
            if (pPane == pSourceSelected)
                pSelected = pClonePane;
        }
    }
    if (pSelected)
        SelectPane(pSelected, FALSE, TRUE);
}

CTKPDockingNode* CTKPDockingPaneTabbedContainer::CloneNode(CTKPDockingPaneArrangement* pArrangement,
    CTKPDockingNodeMap* pMap, DWORD dwFlags)
{
    return CloneAs<CTKPDockingPaneTabbedContainer>(pArrangement, pMap,
        [this, pMap, dwFlags](CTKPDockingPaneTabbedContainer* pClone) { pClone->CopyFrom(this, pMap, dwFlags); });
}

void CTKPDockingPaneTabbedContainer::SaveRecord(TKPDockNodeRecord& r)
{
    CTKPDockingNode::SaveRecord(r);
    r.nSelected = m_pSelectedPane ? m_pSelectedPane->m_nLayoutId : 0;
    r.children = TKPLayoutIdsOf(m_lstPanes);
}

BOOL CTKPDockingPaneTabbedContainer::LoadRecord(const TKPDockNodeRecord& r,
    const CArray<CTKPDockingNode*, CTKPDockingNode*>& nodes)
{
    CTKPDockingNode::LoadRecord(r, nodes);
    CTKPDockablePane* pSelected = NULL;
    for (int nId : r.children) {
        CTKPDockingNode* pNode = nId > 0 && nId < nodes.GetSize() ? nodes[nId] : NULL;
        CTKPDockablePane* pPane = pNode ? pNode->AsPane() : NULL;
        if (!pPane)
            return FALSE;
        AttachPane(pPane, TRUE);
        if (nId == r.nSelected)
            pSelected = pPane;
    }
    if (pSelected)
        SelectPane(pSelected, TRUE, TRUE);
    return TRUE;
}

void CTKPDockingPaneTabbedContainer::Draw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    if (CTKPDockingPaneTheme* pTheme = GetTheme())
        pTheme->DrawTabbedContainer(pDC, this, rc);
}

void CTKPDockingPaneTabbedContainer::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CTKPBufferedDC buffer(dc.GetSafeHdc(), rc);
    Draw(&buffer);
}

BOOL CTKPDockingPaneTabbedContainer::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

CTKPDockingPaneCaptionButton* CTKPDockingPaneTabbedContainer::CaptionButtonFromPoint(CPoint pt)
{
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); ++i) {
        CTKPDockingPaneCaptionButton* pButton = m_arrCaptionButtons[i];
        if (!pButton->GetRect().IsRectEmpty() && pButton->GetRect().PtInRect(pt) && pButton->IsVisible())
            return pButton;
    }
    return NULL;
}

void CTKPDockingPaneTabbedContainer::HandleMenuButton(CTKPDockingPaneCaptionButton* pButton)
{
    CTKPDockingPaneHost* pHost = GetHost();
    if (!pHost || !m_pSelectedPane)
        return;
    CRect rc = pButton->GetRect();
    ClientToScreen(&rc);
    TKPDOCKINGPANEMENU menu = {m_pSelectedPane, rc.left, rc.bottom, rc};
    pButton->SetPressed(TRUE);
    CWnd::Invalidate(FALSE);
    UpdateWindow();
    pHost->Notify(tkpdnPaneMenu, reinterpret_cast<LPARAM>(&menu));
    pButton->SetPressed(FALSE);
    if (::IsWindow(m_hWnd))
        CWnd::Invalidate(FALSE);
}

void CTKPDockingPaneTabbedContainer::OnLButtonDown(UINT, CPoint point)
{
    if (CTKPDockingPaneCaptionButton* pButton = CaptionButtonFromPoint(point)) {
        Activate();
        if (m_pSelectedPane && pButton->GetId() == tkpcbMenu) {
            HandleMenuButton(pButton);
            return;
        }
        const HWND hWnd = m_hWnd;
        if (pButton->Track(this, point, TRUE) && ::IsWindow(hWnd) && m_pSelectedPane)
            OnCaptionButtonClick(pButton);
        return;
    }
    if (IsTabsVisible() && m_tabs.HandleLButtonDown(this, point, TRUE))
        return;
    const int nHit = HitTest(point);
    if (nHit == -1) {
        Activate();
    } else if (nHit >= 0) {
        m_arrTabRects.RemoveAll();
        for (int i = 0; i < m_tabs.GetItemCount(); ++i)
            m_arrTabRects.Add(m_tabs.GetItem(i)->GetRect());
        m_pDraggedPane = GetPaneAt(nHit);
        SelectPane(m_pDraggedPane, TRUE, FALSE);
        m_tabs.HandleMouseMove(this, point);
        SetCapture();
        CWnd::Invalidate(FALSE);
    } else {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        if (!IsAutoHidden())
            StartCaptionDrag(ptScreen);
        else
            Activate();
    }
}

void CTKPDockingPaneTabbedContainer::EndTabDrag()
{
    m_pDraggedPane = NULL;
    m_arrTabRects.RemoveAll();
    if (GetSafeHwnd() && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CTKPDockingPaneTabbedContainer::OnMouseMove(UINT, CPoint point)
{
    m_tabs.HandleMouseMove(this, point);
    if (!m_pDraggedPane) {
        HotTrackCaptionButtons(point);
        return;
    }
    int nUnder = -1;
    for (INT_PTR i = 0; i < m_arrTabRects.GetSize(); ++i)
        if (m_arrTabRects[i].PtInRect(point))
            nUnder = static_cast<int>(i);
    POSITION posDragged = m_lstPanes.Find(m_pDraggedPane);
    if (nUnder >= 0) {
        CTKPDockablePane* pOther = GetPane(nUnder);
        POSITION posOther = pOther ? m_lstPanes.Find(pOther) : NULL;
        if (pOther && pOther != m_pDraggedPane && posDragged && posOther) {
            m_lstPanes.SetAt(posDragged, pOther);
            m_lstPanes.SetAt(posOther, m_pDraggedPane);
            NotifyParentChanged(TRUE);
        }
        return;
    }
    CTKPDockingPaneHost* pHost = GetHost();
    if (!pHost || pHost->NotifyAction(tkpaTabDragging, m_pDraggedPane, 0, 0) != 0)
        return;
    EndTabDrag();
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (m_pSelectedPane)
        pHost->GetDragContext()->BeginDrag(m_pSelectedPane, ptScreen.x, ptScreen.y);
}

void CTKPDockingPaneTabbedContainer::OnLButtonUp(UINT, CPoint)
{
    if (m_pDraggedPane)
        EndTabDrag();
}

void CTKPDockingPaneTabbedContainer::OnCaptureChanged(CWnd*)
{
    m_pDraggedPane = NULL;
    m_arrTabRects.RemoveAll();
}

void CTKPDockingPaneTabbedContainer::OnMouseLeave()
{
    m_tabs.HandleMouseMove(this, CPoint(-1, -1));
    HotTrackCaptionButtons(CPoint(-1, -1));
}

void CTKPDockingPaneTabbedContainer::OnLButtonDblClk(UINT, CPoint point)
{
    if (IsTabsVisible() && m_tabs.HandleLButtonDown(this, point, TRUE))
        return;
    if (CaptionButtonFromPoint(point))
        return;
    CTKPDockingPaneHost* pHost = GetHost();
    if (!pHost)
        return;
    const int nHit = HitTest(point);
    if (nHit >= 0) {
        if (CTKPDockablePane* pPane = GetPaneAt(nHit))
            pHost->ToggleDocking(pPane);
    } else if (nHit == -2) {
        if (IsAutoHidden() && m_pSelectedPane && (m_pSelectedPane->GetEffectiveOptions() & tkpoNoAutoHide))
            return;
        pHost->ToggleDocking(this);
    }
}

void CTKPDockingPaneTabbedContainer::OnRButtonDown(UINT, CPoint point)
{
    CTKPDockingPaneHost* pHost = GetHost();
    if (!pHost)
        return;
    if (IsTabsVisible()) {
        if (CTKPTabManagerItem* pItem = m_tabs.HitTest(point)) {
            SelectPane(TKPPaneOfTab(pItem), TRUE, TRUE);
            if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(m_pSite))
                pFrame->RecalcLayout(TRUE);
        }
    }
    Activate();
    pHost->Notify(tkpdnContextMenu, reinterpret_cast<LPARAM>(static_cast<CTKPDockingNode*>(this)));
}

LRESULT CTKPDockingPaneTabbedContainer::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    CTKPDockablePane* pPane = NULL;
    if (IsTabsVisible())
        pPane = TKPPaneOfTab(m_tabs.HitTest(pt));
    if (!pPane)
        pPane = m_pSelectedPane;
    if (!pPane)
        return 0;
    return (pPane->GetHelpId() != 0 ? pPane->GetHelpId() : pPane->GetId()) + 0x20000;
}

INT_PTR CTKPDockingPaneTabbedContainer::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const INT_PTR nHit = CWnd::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    CTKPDockingPaneTabbedContainer* pThis = const_cast<CTKPDockingPaneTabbedContainer*>(this);
    if (CTKPDockingPaneCaptionButton* pButton = pThis->CaptionButtonFromPoint(point)) {
        CString strTip;
        if (GetResourceManager()->LoadString(&strTip, pButton->GetId()) && !strTip.IsEmpty()) {
            FillToolInfo(pTI, m_hWnd, pButton->GetRect(), pButton->GetId(), strTip);
            return pButton->GetId();
        }
    }
    if (pThis->IsTabsVisible())
        return m_tabs.GetToolTipInfo(pThis, m_tabs.HitTest(point), pTI);
    return -1;
}

BOOL CTKPDockingPaneTabbedContainer::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CTKPDockingPaneHost* pHost = GetHost();
    if (pHost && pHost->GetToolTipContext())
        pHost->GetToolTipContext()->FilterWindowMessage(this, message, wParam, lParam);
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
