#include "toolkit/docking/DockingPaneSideBar.h"

#include "toolkit/base/DrawingHelper.h"
#include "toolkit/docking/DockablePane.h"
#include "toolkit/base/BufferedDC.h"
#include "toolkit/docking/DockingPaneArrangement.h"
#include "toolkit/docking/DockingPaneAutoHideWnd.h"
#include "toolkit/docking/DockingPaneDropTarget.h"
#include "toolkit/docking/DockingPaneHost.h"
#include "toolkit/docking/DockingPaneTabStrip.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"
#include "toolkit/tabs/TabAppearance.h"
#include "toolkit/tabs/TabColorSet.h"
#include "toolkit/tabs/TabManagerItem.h"
#include "toolkit/tabs/TabTheme.h"

#include <algorithm>

BOOL CTKPDockingPaneSideBar::s_bAutoClose = TRUE;
DWORD CTKPDockingPaneSideBar::s_dwHoverTime = HOVER_DEFAULT;

BEGIN_MESSAGE_MAP(CTKPDockingPaneSideBar, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEHOVER()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CTKPDockingPaneSideBar::CTKPDockingPaneSideBar(CTKPDockingPaneArrangement* pArrangement)
    : CTKPDockingNode(tkdock::nodeSideBar, pArrangement), m_lstContainers(10), m_pSlideOut(NULL), m_nSide(0),
      m_pDropTarget(NULL), m_nLayoutLock(0)
{
}

CTKPDockingPaneSideBar::~CTKPDockingPaneSideBar()
{
    delete m_pDropTarget;
    m_pDropTarget = NULL;
    // The arrangement may have ended the slide-out's container already: the window forgets it
    // before it closes.
    CTKPDockingPaneAutoHideWnd* pSlideOut = m_pSlideOut;
    m_pSlideOut = NULL;
    if (pSlideOut) {
        pSlideOut->Detach();
        pSlideOut->Close(TRUE);
    }
    if (GetSafeHwnd())
        DestroyWindow();
    DeleteTabGroups();
    m_lstContainers.RemoveAll();
}

void CTKPDockingPaneSideBar::DeleteTabGroups()
{
    for (INT_PTR i = 0; i < m_arrTabGroups.GetSize(); ++i)
        delete m_arrTabGroups[i];
    m_arrTabGroups.RemoveAll();
}

CTKPDockingPaneSideTabs* CTKPDockingPaneSideBar::GetTabGroup(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrTabGroups.GetSize() ? m_arrTabGroups[nIndex] : NULL;
}

void CTKPDockingPaneSideBar::DropSlideOut()
{
    CTKPDockingPaneAutoHideWnd* pSlideOut = m_pSlideOut;
    m_pSlideOut = NULL;
    if (pSlideOut)
        pSlideOut->Close(TRUE);
}

void CTKPDockingPaneSideBar::ForgetSlideOut(CTKPDockingPaneAutoHideWnd* pSlideOut)
{
    if (m_pSlideOut == pSlideOut)
        m_pSlideOut = NULL;
}

BOOL CTKPDockingPaneSideBar::CreatePanelWindow(CWnd* pParent)
{
    if (!pParent || !pParent->GetSafeHwnd())
        return FALSE;
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    if (!CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
            pParent, 0))
        return FALSE;
    if (!m_pDropTarget)
        m_pDropTarget = new CTKPDockingPaneDropTarget(this);
    m_pDropTarget->Register(this);
    return TRUE;
}

void CTKPDockingPaneSideBar::AddContainer(CTKPDockingNode* pNode)
{
    if (!pNode)
        return;
    m_lstContainers.AddTail(pNode);
    pNode->SetParentContainer(this);
    pNode->SetSite(m_pSite);
    MarkSiteLayout();
    const HWND hContainer = pNode->GetWindowHandle();
    const BOOL bHadFocus = hContainer && (::GetFocus() == hContainer || ::IsChild(hContainer, ::GetFocus()));
    pNode->OnParentAttached(this);
    if (bHadFocus && m_pSite && m_pSite->GetSafeHwnd())
        m_pSite->SetFocus();
    if (GetSafeHwnd())
        CWnd::Invalidate(FALSE);
}

void CTKPDockingPaneSideBar::RemoveChild(CTKPDockingNode* pNode)
{
    POSITION pos = m_lstContainers.Find(pNode);
    if (!pos)
        return;
    m_lstContainers.RemoveAt(pos);
    // Closed at once whatever the auto-close flag: left open it would show, then point at, a freed container.
    if (m_pSlideOut && static_cast<CTKPDockingNode*>(m_pSlideOut->GetContainer()) == pNode)
        DropSlideOut();
    DeleteTabGroups();
    if (GetSafeHwnd())
        CWnd::Invalidate(FALSE);
    MarkSiteLayout();
    if (IsEmpty() && GetSafeHwnd()) {
        if (m_pDropTarget)
            m_pDropTarget->Revoke();
        DestroyWindow();
    }
    pNode->SetParentContainer(NULL);
}

void CTKPDockingPaneSideBar::OnChildChanged(CTKPDockingNode* /*pNode*/)
{
    if (!m_pSlideOut)
        return;
    if (!s_bAutoClose) {
        if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(m_pSite))
            pFrame->RecalcLayout(TRUE);
        // The site may have ended the slide-out while the frame was laid out.
        if (m_pSlideOut)
            m_pSlideOut->RecalcLayout(TRUE);
        return;
    }
    CTKPDockingPaneHost* pHost = GetHost();
    CloseSlideOut(pHost && pHost->m_bAttaching);
}

void CTKPDockingPaneSideBar::NotifyParentChanged(BOOL /*bRecalc*/)
{
    if (!GetSafeHwnd())
        return;
    CRect rc;
    GetClientRect(&rc);
    LayoutTabGroups(rc, NULL);
    CWnd::Invalidate(FALSE);
}

BOOL CTKPDockingPaneSideBar::IsEmpty()
{
    for (POSITION pos = m_lstContainers.GetHeadPosition(); pos != NULL;)
        if (!m_lstContainers.GetNext(pos)->IsEmpty())
            return FALSE;
    return TRUE;
}

HWND CTKPDockingPaneSideBar::GetWindowHandle()
{
    return GetSafeHwnd();
}

void CTKPDockingPaneSideBar::Invalidate()
{
    if (GetSafeHwnd())
        CWnd::Invalidate(FALSE);
}

int CTKPDockingPaneSideBar::GetStripThickness()
{
    CTKPDockingPaneTheme* pTheme = GetTheme();
    CTKPTabAppearance* pAppearance = pTheme && pTheme->m_pAutoHideTabTheme
                                         ? pTheme->m_pAutoHideTabTheme->GetAppearanceObject()
                                         : NULL;
    if (!pAppearance)
        return 0;
    CRect rcMargin;
    pAppearance->GetHeaderMargin(rcMargin);
    return pAppearance->GetRowHeight(NULL) + rcMargin.top + rcMargin.bottom;
}

void CTKPDockingPaneSideBar::Layout(CWnd* pSite, CRect* pRect, AFX_SIZEPARENTPARAMS* pLayout)
{
    m_pSite = pSite;
    if (IsEmpty()) {
        if (GetSafeHwnd()) {
            if (m_pDropTarget)
                m_pDropTarget->Revoke();
            DestroyWindow();
        }
        return;
    }
    if (!GetSafeHwnd() && !(m_pArrangement && m_pArrangement->IsWindowless()))
        CreatePanelWindow(pSite);
    // Closed as any automatic close is: the site is asked first, and with the auto-close setting
    // off the slide-out stays open over the new layout.
    if (m_pSlideOut)
        CloseSlideOut(FALSE);
    const int nThickness = GetStripThickness();
    CRect rcStrip = *pRect;
    switch (m_nSide) {
    case tkdock::sideLeft:
        rcStrip.right = rcStrip.left + nThickness;
        pRect->left += nThickness;
        break;
    case tkdock::sideRight:
        rcStrip.left = rcStrip.right - nThickness;
        pRect->right -= nThickness;
        break;
    case tkdock::sideTop:
        rcStrip.bottom = rcStrip.top + nThickness;
        pRect->top += nThickness;
        break;
    default:
        rcStrip.top = rcStrip.bottom - nThickness;
        pRect->bottom -= nThickness;
        break;
    }
    m_rcNode = rcStrip;
    LayoutTabGroups(CRect(0, 0, rcStrip.Width(), rcStrip.Height()), NULL);
    if (GetSafeHwnd() && pLayout && pLayout->hDWP) {
        HDWP hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, NULL, rcStrip.left, rcStrip.top, rcStrip.Width(),
            rcStrip.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (hDWP)
            pLayout->hDWP = hDWP;
        CWnd::Invalidate(FALSE);
    }
}

void CTKPDockingPaneSideBar::LayoutTabGroups(CRect rect, CTKPDockablePane* pSelected)
{
    CTKPDockingPaneTheme* pTheme = GetTheme();
    CTKPTabTheme* pTabTheme = pTheme ? pTheme->m_pAutoHideTabTheme : NULL;
    if (tkdock::IsHorizontalSide(m_nSide) && m_pArrangement) {
        CTKPDockingPaneSideBar* pTop = m_pArrangement->GetSideBar(tkdock::sideTop);
        if (pTop && !pTop->IsEmpty())
            rect.top += pTop->GetStripThickness();
    }
    DeleteTabGroups();
    if (!pTabTheme)
        return;
    ++m_nLayoutLock;
    CRect rcMargin(0, 0, 0, 0);
    if (pTabTheme->GetAppearanceObject())
        pTabTheme->GetAppearanceObject()->GetHeaderMargin(rcMargin);
    CClientDC dc(GetSafeHwnd() ? this : CWnd::GetDesktopWindow());
    for (POSITION pos = m_lstContainers.GetHeadPosition(); pos != NULL;) {
        CTKPDockingPaneTabbedContainer* pContainer = m_lstContainers.GetNext(pos)->AsTabbedContainer();
        if (!pContainer || pContainer->IsEmpty())
            continue;
        CTKPDockingPaneSideTabs* pGroup = new CTKPDockingPaneSideTabs(this, pContainer);
        m_arrTabGroups.Add(pGroup);
        CTKPDockablePane* pShown = pSelected && pSelected->m_pParentContainer == pContainer
                                       ? pSelected
                                       : pContainer->GetSelectedPane();
        for (int i = 0; i < pContainer->GetPaneCount(); ++i) {
            CTKPDockablePane* pPane = pContainer->GetPane(i);
            CTKPTabManagerItem* pItem = pGroup->InsertTab(-1);
            pItem->SetData(reinterpret_cast<DWORD_PTR>(pPane));
            pItem->SetCaption(pPane->GetTitle());
            pItem->SetTooltip(pPane->GetTitle());
            pItem->SetColor(pPane->GetTabColor());
            if (pPane == pShown)
                pGroup->SetSelectedTab(pItem);
        }
        pTabTheme->RepositionTabControl(pGroup, &dc, rect);
        pGroup->m_rcGroup = rect;
        const int nAdvance = 8 + pGroup->GetTotalLength() + rcMargin.left + rcMargin.right;
        if (tkdock::IsHorizontalSide(m_nSide))
            rect.top += nAdvance;
        else
            rect.left += nAdvance;
    }
    --m_nLayoutLock;
}

CTKPDockablePane* CTKPDockingPaneSideBar::PaneFromPoint(CPoint pt)
{
    for (INT_PTR i = 0; i < m_arrTabGroups.GetSize(); ++i) {
        if (CTKPTabManagerItem* pItem = m_arrTabGroups[i]->HitTest(pt))
            return TKPPaneOfTab(pItem);
    }
    return NULL;
}

void CTKPDockingPaneSideBar::CloseSlideOut(BOOL bDelay, BOOL bForce)
{
    if ((!s_bAutoClose && !bForce) || !m_pSlideOut)
        return;
    CTKPDockingPaneHost* pHost = GetHost();
    CTKPDockingPaneTabbedContainer* pContainer = m_pSlideOut->GetContainer();
    if (pContainer && pHost) {
        CTKPDockablePane* pPane = pContainer->GetSelectedPane();
        if (pHost->NotifyAction(tkpaSlidingIn, pPane) != 0)
            return;
        pHost->NotifyAction(tkpaSlidIn, pPane);
    }
    CTKPDockingPaneAutoHideWnd* pSlideOut = m_pSlideOut;
    m_pSlideOut = NULL;
    if (bDelay && pContainer) {
        if (pContainer->GetSafeHwnd())
            pContainer->ShowWindow(SW_HIDE);
        pContainer->SetSite(pHost ? pHost->GetSite() : NULL);
        pSlideOut->Detach();
        pSlideOut->SetTimer(4, 50, NULL);
    } else {
        pSlideOut->Close();
    }
}

void CTKPDockingPaneSideBar::OpenSlideOut(CTKPDockablePane* pPane, BOOL bActivate)
{
    CTKPDockingPaneHost* pHost = GetHost();
    CTKPDockingPaneTabbedContainer* pContainer =
        pPane && pPane->m_pParentContainer ? pPane->m_pParentContainer->AsTabbedContainer() : NULL;
    if (!pHost || !pContainer || !m_pSite || !m_pSite->GetSafeHwnd())
        return;
    if (pHost->NotifyAction(tkpaSlidingOut, pPane) != 0)
        return;
    // Only one slide-out per panel: one still open ends first, where it stayed open and forgotten.
    if (m_pSlideOut)
        DropSlideOut();
    CTKPDockingPaneAutoHideWnd* pSlideOut = new CTKPDockingPaneAutoHideWnd(this, pContainer);
    if (!pSlideOut->GetSafeHwnd()) {
        delete pSlideOut;
        return;
    }
    pContainer->SelectPane(pPane, bActivate, FALSE);
    if (GetSafeHwnd())
        CWnd::Invalidate(FALSE);
    if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(m_pSite))
        pFrame->RecalcLayout(TRUE);
    m_pSlideOut = pSlideOut;
}

void CTKPDockingPaneSideBar::CopyFrom(CTKPDockingPaneSideBar* pSource, CTKPDockingNodeMap* pMap)
{
    m_nSide = pSource->m_nSide;
    CTKPDockingPaneHost* pHost = GetHost();
    m_pSite = pHost ? pHost->GetSite() : NULL;
    CArray<CTKPDockingNode*, CTKPDockingNode*> containers;
    TKPNodesOf(pSource->m_lstContainers, containers);
    for (INT_PTR i = 0; i < containers.GetSize(); ++i) {
        if (!pMap && containers[i]->IsEmpty())
            continue;
        if (CTKPDockingNode* pClone = containers[i]->CloneNode(m_pArrangement, pMap, 0))
            AddContainer(pClone);
    }
}

CTKPDockingNode* CTKPDockingPaneSideBar::CloneNode(
    CTKPDockingPaneArrangement* pArrangement, CTKPDockingNodeMap* pMap, DWORD /*dwFlags*/)
{
    return CloneAs<CTKPDockingPaneSideBar>(
        pArrangement, pMap, [this, pMap](CTKPDockingPaneSideBar* pClone) { pClone->CopyFrom(this, pMap); });
}

void CTKPDockingPaneSideBar::SaveRecord(TKPDockNodeRecord& r)
{
    CTKPDockingNode::SaveRecord(r);
    r.nDirection = m_nSide;
    r.children = TKPLayoutIdsOf(m_lstContainers);
}

BOOL CTKPDockingPaneSideBar::LoadRecord(
    const TKPDockNodeRecord& r, const CArray<CTKPDockingNode*, CTKPDockingNode*>& nodes)
{
    CTKPDockingNode::LoadRecord(r, nodes);
    if (r.nDirection < 0 || r.nDirection > 3)
        return FALSE;
    m_nSide = r.nDirection;
    for (int nId : r.children) {
        CTKPDockingNode* pChild = nId > 0 && nId < nodes.GetSize() ? nodes[nId] : NULL;
        if (!pChild)
            return FALSE;
        AddContainer(pChild);
    }
    if (m_pArrangement)
        m_pArrangement->SetSideBar(m_nSide, this);
    return TRUE;
}

void CTKPDockingPaneSideBar::Draw(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    CTKPDockingPaneTheme* pTheme = GetTheme();
    CTKPTabTheme* pTabTheme = pTheme ? pTheme->m_pAutoHideTabTheme : NULL;
    CTKPTabColorSet* pColors = pTabTheme ? pTabTheme->GetColorSetObject() : NULL;
    if (!pColors) {
        pDC->FillSolidRect(rc, ::GetSysColor(COLOR_BTNFACE));
        return;
    }
    const COLORREF clrLight = pColors->m_grcHeaderSecond.m_clrLight.GetEffective();
    const COLORREF clrDark = pColors->m_grcHeaderSecond.m_clrDark.GetEffective();
    if (clrLight == clrDark) {
        pDC->FillSolidRect(rc, clrLight);
    } else {
        // At least half the screen wide, and for the right side from the frame's left edge, so that
        // the panels continue the frame's gradient.
        CRect rcGradient = rc;
        if (m_nSide == tkdock::sideRight) {
            if (CWnd* pFrame = GetParentFrame()) {
                CRect rcFrame;
                pFrame->GetWindowRect(&rcFrame);
                ScreenToClient(&rcFrame);
                rcGradient.left = rcFrame.left;
            }
        }
        rcGradient.right = std::max<LONG>(rcGradient.right, rcGradient.left + ::GetSystemMetrics(SM_CXSCREEN) / 2);
        CTKPDrawingHelper::GradientFillClipped(pDC, rcGradient, clrLight, clrDark, TRUE, rc);
    }
    for (INT_PTR i = 0; i < m_arrTabGroups.GetSize(); ++i)
        pTabTheme->DrawTabControl(pDC, m_arrTabGroups[i], m_arrTabGroups[i]->m_rcGroup);
}

void CTKPDockingPaneSideBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CTKPBufferedDC buffer(dc.GetSafeHdc(), rc);
    Draw(&buffer);
}

BOOL CTKPDockingPaneSideBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKPDockingPaneSideBar::OnLButtonDown(UINT, CPoint point)
{
    CTKPDockablePane* pPane = PaneFromPoint(point);
    // Outside any tab nothing opens, where a slide-out for no pane was asked for.
    if (!pPane)
        return;
    CTKPDockingPaneTabbedContainer* pShown = m_pSlideOut ? m_pSlideOut->GetContainer() : NULL;
    if (pShown && pShown->GetSelectedPane() == pPane) {
        pPane->SetFocus();
        return;
    }
    // A switch to another pane closes the open one even with auto-close off, where it stayed open.
    CloseSlideOut(FALSE, TRUE);
    if (!m_pSlideOut)
        OpenSlideOut(pPane, TRUE);
}

void CTKPDockingPaneSideBar::OnRButtonDown(UINT, CPoint point)
{
    CTKPDockablePane* pPane = PaneFromPoint(point);
    CTKPDockingPaneHost* pHost = GetHost();
    // Only over a tab: the site never gets a context menu for no node.
    if (pPane && pHost)
        pHost->Notify(tkpdnContextMenu, reinterpret_cast<LPARAM>(static_cast<CTKPDockingNode*>(pPane)));
}

void CTKPDockingPaneSideBar::OnMouseMove(UINT, CPoint point)
{
    for (INT_PTR i = 0; i < m_arrTabGroups.GetSize(); ++i)
        m_arrTabGroups[i]->HandleMouseMove(this, point);
    if (PaneFromPoint(point)) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, m_hWnd, s_dwHoverTime};
        ::TrackMouseEvent(&tme);
    }
}

void CTKPDockingPaneSideBar::OnMouseHover(UINT, CPoint point)
{
    CTKPDockablePane* pPane = PaneFromPoint(point);
    if (!pPane || !CTKPDrawingHelper::IsTopParentActive(m_hWnd))
        return;
    CTKPDockingPaneTabbedContainer* pShown = m_pSlideOut ? m_pSlideOut->GetContainer() : NULL;
    if (pShown && pShown->GetSelectedPane() == pPane)
        return;
    // As for a click: the open slide-out closes even with auto-close off.
    CloseSlideOut(FALSE, TRUE);
    if (!m_pSlideOut)
        OpenSlideOut(pPane, FALSE);
}

void CTKPDockingPaneSideBar::OnMouseLeave()
{
    for (INT_PTR i = 0; i < m_arrTabGroups.GetSize(); ++i)
        m_arrTabGroups[i]->HandleMouseMove(this, CPoint(-1, -1));
}
