#include "toolkit/docking/DockingPaneMiniWnd.h"

#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/ResourceManager.h"
#include "toolkit/commandbars/ToolTipManager.h"
#include "toolkit/commandbars/ToolTipRecord.h"
#include "toolkit/common/DockGeometry.h"
#include "toolkit/docking/DockablePane.h"
#include "toolkit/docking/DockingPaneArrangement.h"
#include "toolkit/docking/DockingPaneAutoHideWnd.h"
#include "toolkit/docking/DockingPaneCaptionButton.h"
#include "toolkit/docking/DockingPaneDragContext.h"
#include "toolkit/docking/DockingPaneHost.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CTKPDockingPaneMiniWnd, CMiniFrameWnd)

BOOL CTKPDockingPaneMiniWnd::s_bShowAutoHideButton = TRUE;

namespace {
// Where a floating window opens when its layout gives it no rectangle, instead of an empty window
// nobody could see or reach.
const CRect kNewWindowRect(100, 100, 300, 300);
}  // namespace

BEGIN_MESSAGE_MAP(CTKPDockingPaneMiniWnd, CMiniFrameWnd)
ON_WM_CLOSE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCRBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_DESTROY()
ON_WM_NCHITTEST()
ON_WM_NCPAINT()
ON_WM_NCACTIVATE()
ON_WM_NCCALCSIZE()
ON_WM_NCMOUSEMOVE()
ON_WM_TIMER()
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_WM_GETMINMAXINFO()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CTKPDockingPaneMiniWnd::CTKPDockingPaneMiniWnd(CTKPDockingPaneArrangement* pArrangement)
    : CTKPDockingNode(tkdock::nodeMiniWindow, pArrangement), m_pTopContainer(NULL), m_bCloseAllowed(TRUE),
      m_nFullHeight(0), m_nStepCount(8), m_nStep(0), m_nCountdown(0), m_bRolledUp(FALSE), m_bExpanded(FALSE),
      m_bAnimating(FALSE)
{
    const int nInterval = CTKPDockingPaneAutoHideWnd::s_nAnimationInterval;
    m_nStepCount = nInterval > 0 ? std::max(1, CTKPDockingPaneAutoHideWnd::s_nAnimationDuration / nInterval) : 1;
    m_arrCaptionButtons.Add(new CTKPDockingPaneCaptionButton(tkpcbClose, this));
    m_arrCaptionButtons.Add(new CTKPDockingPaneCaptionButton(tkpcbPin, this));
    m_arrCaptionButtons.Add(new CTKPDockingPaneCaptionButton(tkpcbMenu, this));
}

CTKPDockingPaneMiniWnd::~CTKPDockingPaneMiniWnd()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

void CTKPDockingPaneMiniWnd::PostNcDestroy()
{
    // The object ends as a node of its arrangement, not with its window.
}

void CTKPDockingPaneMiniWnd::DeleteNode()
{
    delete this;
}

BOOL CTKPDockingPaneMiniWnd::IsThemed() const
{
    CTKPDockingPaneHost* pHost = GetHost();
    return pHost && pHost->m_bThemedFloatingFrames;
}

int CTKPDockingPaneMiniWnd::GetCaptionHeight() const
{
    CTKPDockingPaneTheme* pTheme = GetTheme();
    return pTheme ? pTheme->m_nCaptionHeight : 18;
}

BOOL CTKPDockingPaneMiniWnd::CreateMiniWindow(CRect rect)
{
    CTKPDockingPaneHost* pHost = GetHost();
    CWnd* pOwner = pHost ? pHost->GetSite() : NULL;
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | MFS_BLOCKSYSMENU;
    if (pHost && pHost->m_nFloatingFrameStyle != 0)
        dwStyle |= MFS_SYNCACTIVE;
    const DWORD dwExStyle = pOwner && pOwner->GetSafeHwnd() ? (pOwner->GetExStyle() & WS_EX_LAYOUTRTL) : 0;
    RECT rcWork;
    CTKPDrawingHelper::GetWorkAreaFromRect(&rcWork, &rect);
    const tkdock::Rect moved = tkdock::BringIntoWorkArea(tkdock::Rect(rect.left, rect.top, rect.right, rect.bottom),
        tkdock::Rect(rcWork.left, rcWork.top, rcWork.right, rcWork.bottom));
    rect = CRect(moved.left, moved.top, moved.right, moved.bottom);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
    if (!CreateEx(dwExStyle, lpszClass, L"", dwStyle, rect, pOwner, 0))
        return FALSE;
    // The blocked system menu only keeps the caption icon's menu away: the close command stays.
    ModifyStyle(0, WS_SYSMENU, SWP_FRAMECHANGED);
    m_pSite = this;
    if (CMenu* pMenu = GetSystemMenu(FALSE)) {
        pMenu->DeleteMenu(SC_MINIMIZE, MF_BYCOMMAND);
        pMenu->DeleteMenu(SC_MAXIMIZE, MF_BYCOMMAND);
        pMenu->DeleteMenu(SC_RESTORE, MF_BYCOMMAND);
        CString strHide;
        if (GetResourceManager()->LoadString(&strHide, TKP_IDS_HIDE) && !strHide.IsEmpty()) {
            pMenu->DeleteMenu(SC_CLOSE, MF_BYCOMMAND);
            pMenu->AppendMenu(MF_STRING, SC_CLOSE, strHide);
        }
    }
    m_bCloseAllowed = TRUE;
    if (IsThemed())
        ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
    m_rcNode = rect;
    return TRUE;
}

void CTKPDockingPaneMiniWnd::SetTopContainer(CTKPDockingPaneSplitContainer* pTop)
{
    m_pTopContainer = pTop;
    if (!pTop)
        return;
    pTop->SetParentContainer(this);
    if (GetSafeHwnd()) {
        pTop->SetSite(this);
        pTop->OnParentAttached(this);
    }
}

void CTKPDockingPaneMiniWnd::InitFromNode(CTKPDockingNode* pNode, CRect rect)
{
    CTKPDockingPaneHost* pHost = GetHost();
    if (!pHost || !pNode)
        return;
    if (!m_pArrangement || !m_pArrangement->IsWindowless())
        CreateMiniWindow(rect);
    else
        m_rcNode = rect;
    if (CTKPDockablePane* pPane = pNode->AsPane()) {
        CTKPDockingNode* pNew = pHost->CreateNode(tkdock::nodeTabbedContainer, m_pArrangement);
        CTKPDockingPaneTabbedContainer* pContainer = pNew ? pNew->AsTabbedContainer() : NULL;
        if (!pContainer)
            return;
        pContainer->InitFromPane(pPane, GetSafeHwnd() ? static_cast<CWnd*>(this) : m_pSite);
        pNode = pContainer;
    }
    CTKPDockingNode* pNew = pHost->CreateNode(tkdock::nodeSplitContainer, m_pArrangement);
    CTKPDockingPaneSplitContainer* pSplit = pNew ? pNew->AsSplitContainer() : NULL;
    if (!pSplit)
        return;
    pSplit->Init(pNode, TRUE, GetSafeHwnd() ? static_cast<CWnd*>(this) : m_pSite);
    SetTopContainer(pSplit);
    m_nIdleFlags |= idleLayout | idleNotify;
    UpdateWindowState();
}

void CTKPDockingPaneMiniWnd::CopyFrom(CTKPDockingPaneMiniWnd* pOther)
{
    if (pOther->m_pTopContainer) {
        CTKPDockingNode* pClone = pOther->m_pTopContainer->CloneNode(m_pArrangement, NULL, 0);
        m_pTopContainer = pClone ? pClone->AsSplitContainer() : NULL;
        if (m_pTopContainer)
            m_pTopContainer->SetParentContainer(this);
    }
    m_rcNode = pOther->m_rcNode;
    m_bRolledUp = pOther->m_bRolledUp;
    m_nFullHeight = pOther->m_nFullHeight;
    m_rcNode = RolledUpRect(m_rcNode);
    if (m_pArrangement && m_pArrangement->IsWindowless())
        return;
    if (CreateMiniWindow(m_rcNode) && m_pTopContainer) {
        SetTopContainer(m_pTopContainer);
        RecalcLayout();
    }
}

CTKPDockingNode* CTKPDockingPaneMiniWnd::CloneNode(CTKPDockingPaneArrangement* pArrangement, CTKPDockingNodeMap* pMap,
    DWORD /*dwFlags*/)
{
    return CloneAs<CTKPDockingPaneMiniWnd>(pArrangement, pMap,
        [this](CTKPDockingPaneMiniWnd* pClone) { pClone->CopyFrom(this); });
}

void CTKPDockingPaneMiniWnd::MakeLive()
{
    if (GetSafeHwnd())
        return;
    if (!m_pTopContainer || m_pTopContainer->IsEmpty()) {
        m_pSite = NULL;
        return;
    }
    CRect rc = m_rcNode;
    if (rc.IsRectEmpty())
        rc = kNewWindowRect;
    // Only themed frames roll up: a window saved rolled up opens whole without them, where it stayed
    // rolled up without the caption button that ends it.
    if (m_bRolledUp && !IsThemed())
        m_bRolledUp = FALSE;
    if (!CreateMiniWindow(RolledUpRect(rc)))
        return;
    m_pTopContainer->SetSite(this);
    CTKPDockingNodeList list;
    m_pTopContainer->CollectNodes(tkdock::nodeTabbedContainer, list);
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        list.GetNext(pos)->SetSite(this);
    // Everything below the top container shows in this window.
    CArray<CTKPDockingNode*, CTKPDockingNode*> nodes;
    TKPNodesOf(m_pArrangement->GetNodeList(), nodes);
    for (INT_PTR i = 0; i < nodes.GetSize(); ++i)
        if (nodes[i] != this && m_pTopContainer->ContainsNode(nodes[i]))
            nodes[i]->m_pSite = this;
}

CRect CTKPDockingPaneMiniWnd::RolledUpRect(CRect rc) const
{
    if (m_bRolledUp)
        rc.bottom = rc.top + GetCaptionHeight() + 8;
    return rc;
}

int CTKPDockingPaneMiniWnd::CheckedFullHeight(int nSaved) const
{
    // A saved height lower than the rolled-up window or taller than any window may be sized is
    // refused instead of taken, where a damaged layout opened a window of no or endless height.
    const long long nMin = GetCaptionHeight() + 8, nMax = ::GetSystemMetrics(SM_CYMAXTRACK);
    const long long nRect = static_cast<long long>(m_rcNode.bottom) - m_rcNode.top;
    for (const long long nHeight : {static_cast<long long>(nSaved), nRect})
        if (nHeight >= nMin && nHeight <= nMax)
            return static_cast<int>(nHeight);
    return kNewWindowRect.Height();
}

void CTKPDockingPaneMiniWnd::CollectContainers(CTKPDockingNodeList& list)
{
    if (m_pTopContainer)
        m_pTopContainer->CollectNodes(tkdock::nodeTabbedContainer, list);
}

void CTKPDockingPaneMiniWnd::UpdateWindowState()
{
    CTKPDockingNodeList list;
    CollectContainers(list);
    const INT_PTR nCount = list.GetCount();
    BOOL bCloseAllowed = FALSE;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CTKPDockingPaneTabbedContainer* pContainer = list.GetNext(pos)->AsTabbedContainer();
        pContainer->SetCaptionVisible(nCount > 1);
        for (int i = 0; i < pContainer->GetPaneCount(); ++i)
            if (!(pContainer->GetPane(i)->GetEffectiveOptions() & tkpoNoClose))
                bCloseAllowed = TRUE;
    }
    if (!GetSafeHwnd())
        return;
    CTKPDockingPaneHost* pHost = GetHost();
    CString strTitle;
    if (nCount == 1)
        strTitle = list.GetHead()->AsTabbedContainer()->GetTitle();
    else if (pHost)
        strTitle = pHost->m_strFloatingTitle;
    SetWindowText(strTitle);
    if (!IsWindowVisible() && nCount > 0)
        ShowWindow(SW_SHOW);
    if (bCloseAllowed != m_bCloseAllowed) {
        m_bCloseAllowed = bCloseAllowed;
        if (CMenu* pMenu = GetSystemMenu(FALSE))
            pMenu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | (bCloseAllowed ? MF_ENABLED : MF_GRAYED));
    }
    RecalcLayout();
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CTKPDockingPaneMiniWnd::RecalcLayout(BOOL)
{
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    if (!m_pTopContainer || !GetSafeHwnd())
        return;
    if (!m_pTopContainer->IsEmpty()) {
        CRect rc;
        GetClientRect(&rc);
        AFX_SIZEPARENTPARAMS layout = {};
        layout.hDWP = ::BeginDeferWindowPos(8);
        layout.rect = rc;
        m_pTopContainer->OnSizeParent(this, rc, &layout);
        if (layout.hDWP)
            ::EndDeferWindowPos(layout.hDWP);
    } else {
        ShowWindow(SW_HIDE);
        if (m_bRolledUp)
            SetRolledUp(FALSE);
    }
    if (CTKPDockingPaneHost* pHost = GetHost())
        pHost->UpdateHolders();
}

void CTKPDockingPaneMiniWnd::Invalidate()
{
    if (GetSafeHwnd())
        RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
}

void CTKPDockingPaneMiniWnd::OnChildChanged(CTKPDockingNode* /*pNode*/)
{
    NotifyParentChanged(FALSE);
}

void CTKPDockingPaneMiniWnd::NotifyParentChanged(BOOL /*bRecalc*/)
{
    UpdateWindowState();
}

void CTKPDockingPaneMiniWnd::RemoveChild(CTKPDockingNode* pNode)
{
    if (pNode)
        pNode->SetParentContainer(NULL);
    if (static_cast<CTKPDockingNode*>(m_pTopContainer) == pNode)
        m_pTopContainer = NULL;
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
    if (m_bRolledUp)
        SetRolledUp(FALSE);
}

BOOL CTKPDockingPaneMiniWnd::IsCaptionButtonVisible(CTKPDockingPaneCaptionButton* pButton)
{
    switch (pButton->GetId()) {
    case tkpcbClose:
        return m_bCloseAllowed;
    case tkpcbPin:
        pButton->SetState(m_bRolledUp ? tkppRolledUp : tkppFloating);
        return s_bShowAutoHideButton;
    case tkpcbMenu: {
        CTKPDockingNodeList list;
        CollectContainers(list);
        if (list.GetCount() != 1)
            return FALSE;
        CTKPDockablePane* pPane = list.GetHead()->AsTabbedContainer()->GetSelectedPane();
        return pPane && (pPane->GetEffectiveOptions() & tkpoMenuButton);
    }
    default:
        return TRUE;
    }
}

void CTKPDockingPaneMiniWnd::SaveRecord(TKPDockNodeRecord& r)
{
    CTKPDockingNode::SaveRecord(r);
    CRect rc = m_rcNode;
    if (GetSafeHwnd())
        GetWindowRect(&rc);
    if (m_bRolledUp && m_nFullHeight > 0)
        rc.bottom = rc.top + m_nFullHeight;
    r.nWindowLeft = rc.left;
    r.nWindowTop = rc.top;
    r.nWindowRight = rc.right;
    r.nWindowBottom = rc.bottom;
    r.bCollapsed = m_bRolledUp;
    r.nExpandedHeight = m_nFullHeight;
    r.nTopContainer = m_pTopContainer ? m_pTopContainer->m_nLayoutId : 0;
}

BOOL CTKPDockingPaneMiniWnd::LoadRecord(const TKPDockNodeRecord& r,
    const CArray<CTKPDockingNode*, CTKPDockingNode*>& nodes)
{
    CTKPDockingNode::LoadRecord(r, nodes);
    m_rcNode = CRect(r.nWindowLeft, r.nWindowTop, r.nWindowRight, r.nWindowBottom);
    m_bRolledUp = r.bCollapsed;
    // Only a rolled-up window opens to the saved height (on the next hover); others keep it as stored.
    m_nFullHeight = m_bRolledUp ? CheckedFullHeight(r.nExpandedHeight) : r.nExpandedHeight;
    if (r.nTopContainer != 0) {
        CTKPDockingNode* pNode = r.nTopContainer < nodes.GetSize() ? nodes[r.nTopContainer] : NULL;
        CTKPDockingPaneSplitContainer* pTop = pNode ? pNode->AsSplitContainer() : NULL;
        if (!pTop)
            return FALSE;
        SetTopContainer(pTop);
    }
    return TRUE;
}

CTKPDockingPaneCaptionButton* CTKPDockingPaneMiniWnd::CaptionButtonFromPoint(CPoint ptWindow)
{
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); ++i) {
        CTKPDockingPaneCaptionButton* pButton = m_arrCaptionButtons[i];
        if (!pButton->GetRect().IsRectEmpty() && pButton->GetRect().PtInRect(ptWindow) && pButton->IsVisible())
            return pButton;
    }
    return NULL;
}

void CTKPDockingPaneMiniWnd::OnCaptionButtonClick(CTKPDockingPaneCaptionButton* pButton)
{
    switch (pButton->GetId()) {
    case tkpcbClose:
        SendMessage(WM_CLOSE);
        break;
    case tkpcbPin:
        SetRolledUp(!m_bRolledUp);
        break;
    default:
        break;
    }
}

BOOL CTKPDockingPaneMiniWnd::OnCaptionButtonDown(CTKPDockingPaneCaptionButton* pButton)
{
    if (pButton->GetId() != tkpcbMenu)
        return FALSE;
    CTKPDockingNodeList list;
    CollectContainers(list);
    CTKPDockablePane* pPane = list.GetCount() == 1 ? list.GetHead()->AsTabbedContainer()->GetSelectedPane() : NULL;
    CTKPDockingPaneHost* pHost = GetHost();
    if (pPane && pHost) {
        m_bActive = TRUE;
        pButton->SetPressed(TRUE);
        Invalidate();
        const CRect rc = TKPWindowRectToScreen(m_hWnd, pButton->GetRect());
        TKPDOCKINGPANEMENU menu = {pPane, rc.left, rc.bottom, rc};
        pHost->Notify(tkpdnPaneMenu, reinterpret_cast<LPARAM>(&menu));
        pButton->SetPressed(FALSE);
        Invalidate();
    }
    return TRUE;
}

CTKPDockablePane* CTKPDockingPaneMiniWnd::GetContextPane()
{
    CTKPDockingNodeList list;
    CollectContainers(list);
    if (list.GetCount() == 1)
        return list.GetHead()->AsTabbedContainer()->GetSelectedPane();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CTKPDockingPaneTabbedContainer* pContainer = list.GetNext(pos)->AsTabbedContainer();
        if (pContainer->IsActive())
            return pContainer->GetSelectedPane();
    }
    return NULL;
}

void CTKPDockingPaneMiniWnd::SetHeight(int nHeight, BOOL bToTop)
{
    CRect rc;
    GetWindowRect(&rc);
    SetWindowPos(bToTop ? &CWnd::wndTop : NULL, 0, 0, rc.Width(), nHeight,
        SWP_NOMOVE | SWP_NOACTIVATE | (bToTop ? 0 : SWP_NOZORDER));
}

void CTKPDockingPaneMiniWnd::SetRolledUp(BOOL bRolledUp)
{
    if (!GetSafeHwnd() || bRolledUp == m_bRolledUp)
        return;
    if (bRolledUp) {
        m_nStep = m_nStepCount;
        GetWindowRect(&m_rcNode);
        m_nFullHeight = m_rcNode.Height();
        m_bRolledUp = TRUE;
        m_bExpanded = TRUE;
        m_bAnimating = FALSE;
        m_nCountdown = 6;
        SetTimer(timerCollapse, 100, NULL);
    } else {
        if (m_nStep != m_nStepCount && m_nFullHeight > 0)
            SetHeight(m_nFullHeight, FALSE);
        m_bRolledUp = FALSE;
        m_bExpanded = FALSE;
        m_bAnimating = FALSE;
        m_nStep = m_nStepCount;
        KillTimer(timerCollapse);
        KillTimer(timerAnimate);
    }
    Invalidate();
}

void CTKPDockingPaneMiniWnd::OnThemedFrameChanged()
{
    if (!GetSafeHwnd())
        return;
    const BOOL bThemed = IsThemed();
    if (!bThemed && m_bRolledUp)
        SetRolledUp(FALSE);
    if (bThemed)
        ModifyStyle(WS_BORDER, 0);
    else
        ModifyStyle(0, WS_BORDER);
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (m_bRolledUp && bThemed && m_nStep < 1)
        SetHeight(tkdock::RolledUpHeight(0, m_nStepCount, m_nFullHeight, GetCaptionHeight()), FALSE);
}

void CTKPDockingPaneMiniWnd::OnClose()
{
    CTKPDockingPaneHost* pHost = GetHost();
    if (!pHost)
        return;
    CTKPDockingNodeList list;
    if (m_pTopContainer)
        m_pTopContainer->CollectNodes(tkdock::nodePane, list);
    CArray<CTKPDockingNode*, CTKPDockingNode*> panes;
    TKPNodesOf(list, panes);
    for (INT_PTR i = 0; i < panes.GetSize(); ++i) {
        CTKPDockablePane* pPane = panes[i]->AsPane();
        if (!pPane || (pPane->GetEffectiveOptions() & tkpoNoClose))
            continue;
        if (pHost->NotifyAction(tkpaClosing, pPane) != 0)
            continue;
        pPane->Close();
        pHost->NotifyAction(tkpaClosed, pPane);
    }
}

void CTKPDockingPaneMiniWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (IsThemed()) {
        const CPoint ptWindow = TKPScreenToWindowPoint(m_hWnd, point);
        if (CTKPDockingPaneCaptionButton* pButton = CaptionButtonFromPoint(ptWindow)) {
            if (!OnCaptionButtonDown(pButton)) {
                const HWND hWnd = m_hWnd;
                if (pButton->Track(this, ptWindow, FALSE) && ::IsWindow(hWnd))
                    OnCaptionButtonClick(pButton);
            }
            return;
        }
    }
    if (nHitTest == HTCAPTION) {
        if (CWnd* pTop = GetTopLevelParent())
            pTop->SetActiveWindow();
        BringWindowToTop();
        CTKPDockingPaneHost* pHost = GetHost();
        if (pHost && m_pTopContainer) {
            pHost->GetDragContext()->BeginDrag(m_pTopContainer, point.x, point.y);
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CTKPDockingPaneMiniWnd::OnNcRButtonDown(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION) {
        CTKPDockablePane* pPane = GetContextPane();
        CTKPDockingPaneHost* pHost = GetHost();
        if (pPane && pHost) {
            TKPDOCKINGPANEMENU menu = {pPane, point.x, point.y, {0, 0, 0, 0}};
            if (pHost->Notify(tkpdnPaneMenu, reinterpret_cast<LPARAM>(&menu)) != 0)
                return;
        }
    }
    CMiniFrameWnd::OnNcRButtonDown(nHitTest, point);
}

void CTKPDockingPaneMiniWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (nHitTest != HTCAPTION) {
        CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
        return;
    }
    if (m_bRolledUp) {
        SetRolledUp(FALSE);
        return;
    }
    CTKPDockingPaneHost* pHost = GetHost();
    if (pHost && m_pTopContainer)
        pHost->ToggleDocking(m_pTopContainer);
}

void CTKPDockingPaneMiniWnd::OnDestroy()
{
    GetWindowRect(&m_rcNode);
    CMiniFrameWnd::OnDestroy();
}

LRESULT CTKPDockingPaneMiniWnd::OnNcHitTest(CPoint point)
{
    const LRESULT nHit = CMiniFrameWnd::OnNcHitTest(point);
    if (!IsThemed() || nHit != HTNOWHERE)
        return nHit;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    return point.y - rcWindow.top < GetCaptionHeight() + 4 ? HTCAPTION : nHit;
}

void CTKPDockingPaneMiniWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!IsThemed()) {
        CMiniFrameWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
        return;
    }
    // The caption band is the theme's; the frame's own calculation then takes off its sizing border,
    // of which the client keeps one pixel on each side.
    RECT& rc = lpncsp->rgrc[0];
    ::InflateRect(&rc, 1, 1);
    rc.top += GetCaptionHeight() + 2;
    CMiniFrameWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
}

void CTKPDockingPaneMiniWnd::DrawFrame(CDC* pDC)
{
    CTKPDockingPaneTheme* pTheme = GetTheme();
    if (!pTheme)
        return;
    CRect rc;
    GetWindowRect(&rc);
    rc.OffsetRect(-rc.TopLeft());
    pTheme->DrawFloatingFrame(pDC, this, rc);
}

void CTKPDockingPaneMiniWnd::OnNcPaint()
{
    if (!IsThemed()) {
        CMiniFrameWnd::OnNcPaint();
        return;
    }
    CWindowDC dc(this);
    DrawFrame(&dc);
}

BOOL CTKPDockingPaneMiniWnd::OnNcActivate(BOOL bActive)
{
    const BOOL bResult = CMiniFrameWnd::OnNcActivate(bActive);
    // The default activation paints the system's frame over the themed one: the theme draws it again.
    if (IsThemed())
        Invalidate();
    return bResult;
}

void CTKPDockingPaneMiniWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    CMiniFrameWnd::OnNcMouseMove(nHitTest, point);
    if (IsThemed()) {
        const CPoint ptWindow = TKPScreenToWindowPoint(m_hWnd, point);
        BOOL bChanged = FALSE;
        for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); ++i) {
            const BOOL bHot = m_arrCaptionButtons[i]->IsHot();
            m_arrCaptionButtons[i]->OnMouseMove(ptWindow);
            bChanged = bChanged || bHot != m_arrCaptionButtons[i]->IsHot();
        }
        if (bChanged)
            SetTimer(timerHotButtons, 100, NULL);
    }
    if (m_bRolledUp && m_nStep < 1) {
        m_bExpanded = TRUE;
        // A running collapse stops, or its next step would shrink the window again under the cursor.
        m_bAnimating = FALSE;
        KillTimer(timerAnimate);
        m_nStep = m_nStepCount;
        SetHeight(m_nFullHeight, TRUE);
        m_nCountdown = 8;
        SetTimer(timerCollapse, 100, NULL);
    }
}

void CTKPDockingPaneMiniWnd::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case timerCollapse: {
        HWND hFocus = ::GetFocus();
        CPoint pt;
        ::GetCursorPos(&pt);
        CRect rc;
        GetWindowRect(&rc);
        if ((hFocus && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus))) || rc.PtInRect(pt) || ::GetCapture() != NULL ||
            m_bAnimating)
            break;
        if (--m_nCountdown > 0)
            break;
        if (m_nStep == m_nStepCount)
            m_nFullHeight = rc.Height();
        m_bAnimating = TRUE;
        SetTimer(timerAnimate, static_cast<UINT>(std::max(1, CTKPDockingPaneAutoHideWnd::s_nAnimationInterval)), NULL);
        KillTimer(timerCollapse);
        break;
    }
    case timerAnimate:
        if (!m_bAnimating)
            break;
        if (--m_nStep >= 0) {
            SetHeight(tkdock::RolledUpHeight(m_nStep, m_nStepCount, m_nFullHeight, GetCaptionHeight()), FALSE);
            Invalidate();
        } else {
            m_bAnimating = FALSE;
            m_bExpanded = FALSE;
            KillTimer(timerAnimate);
        }
        break;
    case timerHotButtons: {
        CPoint pt;
        ::GetCursorPos(&pt);
        if (::WindowFromPoint(pt) != m_hWnd) {
            PostMessage(WM_NCMOUSEMOVE, 0, 0);
            KillTimer(timerHotButtons);
        }
        break;
    }
    default:
        CMiniFrameWnd::OnTimer(nIDEvent);
        break;
    }
}

LRESULT CTKPDockingPaneMiniWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam)
{
    if (IsThemed()) {
        HWND hFocus = ::GetFocus();
        const BOOL bActive = hFocus && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
        if (bActive != m_bActive) {
            m_bActive = bActive;
            Invalidate();
        }
    }
    return CMiniFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

void CTKPDockingPaneMiniWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CMiniFrameWnd::OnGetMinMaxInfo(lpMMI);
    // A rolled-up window may come down to its caption and the few pixels below it, where the frame's
    // own minimum kept it from rolling up.
    if (m_bRolledUp)
        lpMMI->ptMinTrackSize.y = std::min<LONG>(lpMMI->ptMinTrackSize.y, GetCaptionHeight() + 8);
    if (!m_pTopContainer || (m_bRolledUp && !m_bExpanded) || m_bAnimating)
        return;
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    const CSize border(rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height());
    MINMAXINFO mmi;
    m_pTopContainer->GetMinMaxInfo(&mmi);
    lpMMI->ptMinTrackSize.x = std::max(lpMMI->ptMinTrackSize.x, mmi.ptMinTrackSize.x + border.cx);
    lpMMI->ptMinTrackSize.y = std::max(lpMMI->ptMinTrackSize.y, mmi.ptMinTrackSize.y + border.cy);
    lpMMI->ptMaxTrackSize.x = std::min(lpMMI->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x + border.cx);
    lpMMI->ptMaxTrackSize.y = std::min(lpMMI->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y + border.cy);
}

void CTKPDockingPaneMiniWnd::OnSetFocus(CWnd* pOldWnd)
{
    CMiniFrameWnd::OnSetFocus(pOldWnd);
    CTKPDockingNodeList list;
    CollectContainers(list);
    if (list.GetCount() != 1)
        return;
    if (CTKPDockablePane* pPane = list.GetHead()->AsTabbedContainer()->GetSelectedPane())
        pPane->SetFocus();
}

INT_PTR CTKPDockingPaneMiniWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (!IsThemed())
        return CMiniFrameWnd::OnToolHitTest(point, pTI);
    // Client coordinates to the window coordinates the buttons keep.
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CTKPDockingPaneMiniWnd* pThis = const_cast<CTKPDockingPaneMiniWnd*>(this);
    CTKPDockingPaneCaptionButton* pButton = pThis->CaptionButtonFromPoint(TKPScreenToWindowPoint(m_hWnd, ptScreen));
    if (!pButton)
        return -1;
    CString strTip;
    if (!GetResourceManager()->LoadString(&strTip, pButton->GetId()) || strTip.IsEmpty())
        return -1;
    CRect rc = TKPWindowRectToScreen(m_hWnd, pButton->GetRect());
    ScreenToClient(&rc);
    FillToolInfo(pTI, m_hWnd, rc, pButton->GetId(), strTip);
    return pButton->GetId();
}

BOOL CTKPDockingPaneMiniWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CTKPDockingPaneHost* pHost = GetHost();
    if (pHost && pHost->GetToolTipContext())
        pHost->GetToolTipContext()->FilterWindowMessage(this, message, wParam, lParam);
    return CMiniFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
}
