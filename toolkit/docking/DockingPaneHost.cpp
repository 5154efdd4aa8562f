#include "toolkit/docking/DockingPaneHost.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/commandbars/ToolTipManager.h"
#include "toolkit/docking/DockablePane.h"
#include "toolkit/docking/DockingPaneDragContext.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneSideBar.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/docking/DockingPaneTheme.h"

#include <ole2.h>

BEGIN_MESSAGE_MAP(CTKPDockingPaneHost, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CTKPDockingPaneHost::CTKPDockingPaneHost()
    : m_nLayoutConstant(22), m_bCloseAll(FALSE), m_bHideWholeGroup(TRUE), m_bClientHidden(FALSE),
      m_bOutlineTracking(TRUE), m_bMaximiseAllowed(FALSE), m_bSplittersLocked(FALSE), m_bAlphaFeedback(FALSE),
      m_bShowStickers(FALSE), m_bThemedFloatingFrames(FALSE), m_nFloatingFrameStyle(1), m_dwDefaultPaneOptions(0),
      m_nCaptionOrientation(0), m_bRoundStickers(FALSE), m_bAttaching(FALSE), m_bLayoutDone(FALSE), m_pSite(NULL),
      m_pArrangement(NULL), m_pTheme(NULL), m_pActivePane(NULL), m_pImageManager(NULL), m_pDragContext(NULL),
      m_pToolTipContext(NULL), m_bOleInitialized(FALSE)
{
    SetTheme(0);
    m_pImageManager = new CTKPImageManager;
    m_pDragContext = new CTKPDockingPaneDragContext;
    m_pDragContext->m_pHost = this;
    m_pToolTipContext = new CTKPToolTipManager;
    // OLE is uninitialised later only when this initialised it: an unpaired call ends it for the thread.
    m_bOleInitialized = SUCCEEDED(::OleInitialize(NULL));
}

CTKPDockingPaneHost::~CTKPDockingPaneHost()
{
    if (m_pActivePane) {
        CTKPDockablePane* pPane = m_pActivePane;
        m_pActivePane = NULL;
        pPane->InternalRelease();
    }
    if (m_pArrangement) {
        CTKPDockingPaneArrangement* pArrangement = m_pArrangement;
        m_pArrangement = NULL;
        pArrangement->InternalRelease();
    }
    if (m_pTheme)
        m_pTheme->InternalRelease();
    m_pTheme = NULL;
    if (m_pToolTipContext)
        m_pToolTipContext->InternalRelease();
    delete m_pDragContext;
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    if (GetSafeHwnd())
        DestroyWindow();
    if (m_bOleInitialized)
        ::OleUninitialize();
}

BOOL CTKPDockingPaneHost::InstallSite(CFrameWnd* pSite)
{
    if (!pSite || !pSite->GetSafeHwnd())
        return FALSE;
    m_pSite = pSite;
    if (!GetSafeHwnd()) {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
        if (!CreateEx(0, lpszClass, L"", WS_CHILD, CRect(0, 0, 0, 0), pSite, TKP_IDW_DOCKINGPANES))
            return FALSE;
    }
    // Below the frame's other children, so that its bars take their edges first.
    SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CTKPDockingPaneArrangement* pArrangement = GetArrangement(TRUE);
    if (pArrangement) {
        CArray<CTKPDockingNode*, CTKPDockingNode*> nodes;
        TKPNodesOf(pArrangement->GetNodeList(), nodes);
        for (INT_PTR i = 0; i < nodes.GetSize(); ++i)
            if (nodes[i]->GetNodeSite() == NULL && !nodes[i]->AsMiniWnd())
                nodes[i]->m_pSite = pSite;
        pArrangement->MakeLive();
    }
    pSite->RecalcLayout();
    return TRUE;
}

CTKPDockingPaneArrangement* CTKPDockingPaneHost::GetArrangement(BOOL bCreate)
{
    if (!m_pArrangement && bCreate)
        m_pArrangement = CreateArrangement();
    return m_pArrangement;
}

void CTKPDockingPaneHost::SwapArrangement(CTKPDockingPaneArrangement* pArrangement)
{
    if (m_pActivePane)
        SetActivePane(FALSE, m_pActivePane);
    CTKPDockingPaneArrangement* pOld = m_pArrangement;
    m_pArrangement = pArrangement;
    if (pOld)
        pOld->InternalRelease();
    if (m_pSite && m_pArrangement) {
        m_pArrangement->MakeLive();
        RecalcLayout();
        if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(m_pSite))
            pFrame->RecalcLayout();
    }
}

BOOL CTKPDockingPaneHost::LoadState(CTKPPropExchange* pPX)
{
    // Loaded into a fresh arrangement that replaces the present one only when whole, where loading in
    // place left a half-built layout behind a failure.
    CTKPDockingPaneArrangement* pFresh = CreateArrangement();
    if (!pFresh)
        return FALSE;
    if (!pFresh->DoPropExchange(pPX)) {
        pFresh->InternalRelease();
        return FALSE;
    }
    SwapArrangement(pFresh);
    return TRUE;
}

void CTKPDockingPaneHost::SaveState(CTKPPropExchange* pPX)
{
    if (CTKPDockingPaneArrangement* pArrangement = GetArrangement(TRUE))
        pArrangement->DoPropExchange(pPX);
}

CTKPDockingPaneArrangement* CTKPDockingPaneHost::CreateArrangement()
{
    return new CTKPDockingPaneArrangement(this);
}

CTKPDockingNode* CTKPDockingPaneHost::CreateNode(int nType, CTKPDockingPaneArrangement* pArrangement)
{
    switch (nType) {
    case tkdock::nodePane:
        return new CTKPDockablePane(pArrangement);
    case tkdock::nodeTabbedContainer:
        return new CTKPDockingPaneTabbedContainer(pArrangement);
    case tkdock::nodeSplitContainer:
        return new CTKPDockingPaneSplitContainer(pArrangement);
    case tkdock::nodeMiniWindow:
        return new CTKPDockingPaneMiniWnd(pArrangement);
    case tkdock::nodeClient:
        return new CTKPDockingClientNode(pArrangement);
    case tkdock::nodeSideBar:
        return new CTKPDockingPaneSideBar(pArrangement);
    default:
        return NULL;
    }
}

void CTKPDockingPaneHost::SetActivePane(BOOL bActive, CTKPDockablePane* pPane)
{
    if (bActive) {
        if (!pPane || pPane == m_pActivePane)
            return;
        if (CTKPDockablePane* pOld = m_pActivePane) {
            NotifyAction(tkpaDeactivated, pOld);
            m_pActivePane = NULL;
            pOld->InternalRelease();
        }
        pPane->InternalAddRef();
        m_pActivePane = pPane;
        NotifyAction(tkpaActivated, pPane);
    } else if (pPane && pPane == m_pActivePane) {
        m_pActivePane = NULL;
        NotifyAction(tkpaDeactivated, pPane);
        pPane->InternalRelease();
    }
}

CTKPDockablePane* CTKPDockingPaneHost::FindPaneById(UINT nId)
{
    if (!m_pArrangement)
        return NULL;
    CTKPDockingPaneList& list = m_pArrangement->GetPaneList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CTKPDockablePane* pPane = list.GetNext(pos).pPane;
        if (pPane && pPane->GetId() == nId)
            return pPane;
    }
    return NULL;
}

LRESULT CTKPDockingPaneHost::Notify(WPARAM wParam, LPARAM lParam)
{
    if (!m_pSite || !m_pSite->GetSafeHwnd())
        return 0;
    return ::SendMessageW(m_pSite->GetSafeHwnd(), TKPWM_DOCKINGPANENOTIFY, wParam, lParam);
}

void CTKPDockingPaneHost::ClosePane(CTKPDockablePane* pPane)
{
    if (!pPane)
        return;
    if (Notify(tkpdnPaneClosing, reinterpret_cast<LPARAM>(pPane)) == -1)
        return;
    if (pPane->m_pParentContainer)
        pPane->m_pParentContainer->RemoveChild(pPane);
}

int CTKPDockingPaneHost::NotifyAction(int nAction, CTKPDockablePane* pPane, DWORD_PTR dwParam1, DWORD_PTR dwParam2)
{
    TKPDOCKINGPANEACTION action = {nAction, 0, pPane, dwParam1, dwParam2};
    Notify(tkpdnAction, reinterpret_cast<LPARAM>(&action));
    return action.nResult;
}

void CTKPDockingPaneHost::ShowPane(CTKPDockablePane* pPane, BOOL bSetFocus)
{
    if (!pPane || !m_pArrangement)
        return;
    if (!pPane->m_pParentContainer) {
        CTKPDockingPaneList& list = m_pArrangement->GetPaneList();
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
            TKPDockingPaneEntry& entry = list.GetNext(pos);
            CTKPDockingPaneTabbedContainer* pHolder = entry.pLastHolder ? entry.pLastHolder->AsTabbedContainer() : NULL;
            if (entry.pPane == pPane && pHolder && !pPane->m_pParentContainer)
                pHolder->AttachPane(pPane, bSetFocus);
        }
    } else if (CTKPDockingPaneTabbedContainer* pContainer = pPane->m_pParentContainer->AsTabbedContainer()) {
        pContainer->SelectPane(pPane, bSetFocus, TRUE);
        CTKPDockingNode* pOuter = pContainer->m_pParentContainer;
        if (CTKPDockingPaneSideBar* pSideBar = pOuter ? pOuter->AsSideBar() : NULL) {
            pSideBar->OpenSlideOut(pPane, bSetFocus);
        } else if (CTKPDockingPaneMiniWnd* pMini = dynamic_cast<CTKPDockingPaneMiniWnd*>(pContainer->GetNodeSite())) {
            pMini->UpdateWindowState();
        }
    }
    // Reported shown only when back in a container: a pane with no holder to return to stays closed,
    // and notification 1 with its window shown loose would tell the site the opposite of what happened.
    if (m_bLayoutDone && pPane->m_pParentContainer && pPane->IsSelected())
        pPane->ShowPaneWindow(TRUE);
    if (bSetFocus)
        pPane->SetFocus();
}

void CTKPDockingPaneHost::HidePane(CTKPDockingNode* pNode)
{
    if (!pNode || !m_pArrangement)
        return;
    if (m_bHideWholeGroup && pNode->AsPane() && pNode->m_pParentContainer)
        pNode = pNode->m_pParentContainer;
    CTKPDockingNode* pParent = pNode->m_pParentContainer;
    if (!pParent)
        return;
    if (CTKPDockingPaneSideBar* pSideBar = pParent->AsSideBar()) {
        pSideBar->CloseSlideOut(FALSE);
        return;
    }
    m_pArrangement->AutoHideNode(pNode);
    if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(m_pSite))
        pFrame->DelayRecalcLayout();
}

namespace {

BOOL IsFloatingNode(CTKPDockingNode* pNode)
{
    return dynamic_cast<CTKPDockingPaneMiniWnd*>(pNode->GetNodeSite()) != NULL || pNode->IsAutoHidden();
}

}  // namespace

void CTKPDockingPaneHost::ToggleDocking(CTKPDockingNode* pNode)
{
    if (!pNode || !m_pArrangement)
        return;
    if (CTKPDockablePane* pPane = pNode->AsPane()) {
        // A pane that is docked goes to where it floated, a floating or hidden one back to its dock.
        const BOOL bToFloating = !IsFloatingNode(pPane);
        MovePaneToHolder(pPane, GetHolder(pPane, bToFloating));
        return;
    }
    if (!pNode->AsTabbedContainer() && !pNode->AsSplitContainer())
        return;
    const BOOL bToFloating = !IsFloatingNode(pNode);
    CTKPDockingNodeList list;
    pNode->CollectNodes(tkdock::nodePane, list);
    CArray<CTKPDockingNode*, CTKPDockingNode*> panes;
    TKPNodesOf(list, panes);
    UINT nFocusId = 0, nSelectedId = 0;
    for (INT_PTR i = 0; i < panes.GetSize(); ++i) {
        CTKPDockablePane* pPane = panes[i]->AsPane();
        if (pPane->IsFocused() && nFocusId == 0)
            nFocusId = pPane->GetId();
        if (pPane->IsSelected() && nSelectedId == 0)
            nSelectedId = pPane->GetId();
    }
    UINT nShowId = nFocusId ? nFocusId : nSelectedId;
    // A pane without a holder of that direction follows the pane before it to where that one went,
    // so that the panes of a container float (or dock) together.
    CTKPDockablePane* pPrevious = NULL;
    for (INT_PTR i = 0; i < panes.GetSize(); ++i) {
        CTKPDockablePane* pPane = panes[i]->AsPane();
        CTKPDockingNode* pTarget = GetHolder(pPane, bToFloating);
        if (!pTarget && pPrevious)
            pTarget = GetHolder(pPrevious, bToFloating);
        if (MovePaneToHolder(pPane, pTarget)) {
            pPrevious = pPane;
        } else {
            pPrevious = NULL;
            if (pPane->GetId() == nShowId)
                nShowId = 0;
        }
    }
    if (nShowId >= 1)
        ShowPane(FindPaneById(nShowId), TRUE);
}

BOOL CTKPDockingPaneHost::MovePaneToHolder(CTKPDockablePane* pPane, CTKPDockingNode* pHolder)
{
    if (!pPane)
        return FALSE;
    const BOOL bFloating = IsFloatingNode(pPane);
    if (!bFloating && (pPane->GetEffectiveOptions() & tkpoNoFloat))
        return FALSE;
    // A floating pane that was never docked stays where it is, instead of floating again into a window
    // of its own and being reported docked.
    if (bFloating && !pHolder)
        return FALSE;
    if (NotifyAction(bFloating ? tkpaDocking : tkpaFloating, pPane, reinterpret_cast<DWORD_PTR>(pHolder)) != 0)
        return FALSE;
    if (pHolder) {
        m_bAttaching = TRUE;
        AttachNode(pPane, pHolder);
        UpdateHolders();
        m_bAttaching = FALSE;
    } else {
        CRect rc;
        pPane->GetScreenRect(&rc);
        if (rc.IsRectEmpty()) {
            // A pane that was never shown floats at its docking size near the site's corner, where its
            // empty rectangle made a window nobody could see.
            CRect rcSite(0, 0, 0, 0);
            if (m_pSite && m_pSite->GetSafeHwnd())
                m_pSite->GetWindowRect(&rcSite);
            rc = CRect(rcSite.TopLeft() + CPoint(40, 40),
                CSize(pPane->m_nDockingCX > 0 ? pPane->m_nDockingCX : 200,
                    pPane->m_nDockingCY > 0 ? pPane->m_nDockingCY : 200));
        }
        FloatNode(pPane, rc);
    }
    NotifyAction(bFloating ? tkpaDocked : tkpaFloated, pPane);
    return TRUE;
}

void CTKPDockingPaneHost::FloatNode(CTKPDockingNode* pNode, CRect rect)
{
    if (!pNode || !m_pArrangement)
        return;
    if (pNode->AsTabbedContainer() || pNode->AsSplitContainer()) {
        pNode = pNode->CloneNode(m_pArrangement, NULL, 0);
        if (!pNode)
            return;
    } else if (pNode->AsPane()) {
        DetachNode(pNode);
    }
    CTKPDockingNode* pNew = CreateNode(tkdock::nodeMiniWindow, m_pArrangement);
    CTKPDockingPaneMiniWnd* pMini = pNew ? pNew->AsMiniWnd() : NULL;
    if (pMini)
        pMini->InitFromNode(pNode, rect);
}

void CTKPDockingPaneHost::DockNode(CTKPDockingNode* pNode, int nSide, CTKPDockingNode* pNeighbour)
{
    if (!pNode || !m_pArrangement)
        return;
    CTKPDockingPaneSplitContainer* pTop = m_pArrangement->GetTopContainer();
    if (!pTop)
        return;
    if (CTKPDockablePane* pNeighbourPane = pNeighbour ? pNeighbour->AsPane() : NULL) {
        if (pNeighbourPane->IsAutoHidden() || pNeighbourPane->IsClosed())
            pNeighbour = NULL;
    }
    if (!pNeighbour)
        pNeighbour = pTop;
    const BOOL bHorizontal = tkdock::IsHorizontalSide(nSide);
    const BOOL bAfter = nSide == tkdock::sideRight || nSide == tkdock::sideBottom;

    if (CTKPDockablePane* pPane = pNode->AsPane()) {
        CTKPDockingNode* pNew = CreateNode(tkdock::nodeTabbedContainer, m_pArrangement);
        CTKPDockingPaneTabbedContainer* pContainer = pNew ? pNew->AsTabbedContainer() : NULL;
        if (!pContainer)
            return;
        pContainer->m_pSite = m_pSite;
        pContainer->m_nDockingCX = pPane->m_nDockingCX;
        pContainer->m_nDockingCY = pPane->m_nDockingCY;
        pContainer->AttachPane(pPane, TRUE);
        pNode = pContainer;
    }

    auto newSplitter = [&](CTKPDockingNode* pFirst) -> CTKPDockingPaneSplitContainer* {
        CTKPDockingNode* pNew = CreateNode(tkdock::nodeSplitContainer, m_pArrangement);
        CTKPDockingPaneSplitContainer* pSplit = pNew ? pNew->AsSplitContainer() : NULL;
        if (pSplit)
            pSplit->Init(pFirst, bHorizontal, m_pSite);
        return pSplit;
    };

    if (pNeighbour != pTop) {
        if (pNeighbour->AsPane() && pNeighbour->m_pParentContainer &&
            pNeighbour->m_pParentContainer->AsTabbedContainer())
            pNeighbour = pNeighbour->m_pParentContainer;
        CTKPDockingPaneSplitContainer* pParent =
            pNeighbour->m_pParentContainer ? pNeighbour->m_pParentContainer->AsSplitContainer() : NULL;
        if (!pParent) {
            pNeighbour = pTop;
        } else if (pParent->IsHorizontal() == bHorizontal) {
            pParent->InsertChild(pNode, pNeighbour, bAfter);
        } else {
            CTKPDockingNode* pNew = CreateNode(tkdock::nodeSplitContainer, m_pArrangement);
            CTKPDockingPaneSplitContainer* pSplit = pNew ? pNew->AsSplitContainer() : NULL;
            if (!pSplit)
                return;
            pParent->ReplaceChild(pNeighbour, pSplit);
            pSplit->Init(pNeighbour, bHorizontal, pParent->GetNodeSite());
            pSplit->InsertChild(pNode, pNeighbour, bAfter);
        }
    }
    if (pNeighbour == pTop) {
        if (pTop->IsHorizontal() == bHorizontal) {
            pTop->InsertChild(pNode, NULL, bAfter);
        } else {
            CTKPDockingPaneSplitContainer* pSplit = newSplitter(pTop);
            if (!pSplit)
                return;
            m_pArrangement->SetTopContainer(pSplit);
            pSplit->InsertChild(pNode, NULL, bAfter);
        }
    }
    if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(m_pSite))
        pFrame->DelayRecalcLayout();
}

void CTKPDockingPaneHost::DockPane(CTKPDockingNode* pNode, int nSide, CTKPDockingNode* pNeighbour)
{
    if (!pNode || !m_pArrangement)
        return;
    if (CTKPDockingPaneSplitContainer* pSplit = pNode->AsSplitContainer()) {
        CTKPDockingNodeList list;
        pSplit->CollectNodes(tkdock::nodeTabbedContainer, list);
        if (list.GetCount() == 1)
            pNode = list.GetHead();
    }
    if (pNode->AsPane()) {
        DetachNode(pNode);
    } else {
        pNode = pNode->CloneNode(m_pArrangement, NULL, 0);
        if (!pNode)
            return;
    }
    DockNode(pNode, nSide, pNeighbour);
}

void CTKPDockingPaneHost::CalcDockingRect(RECT* pResult, CTKPDockingNode* pNode, int nSide, CTKPDockingNode* pNeighbour)
{
    CTKPDockingPaneSplitContainer* pTop = GetTopContainer();
    if (!pTop)
        return;
    if (!pNeighbour)
        pNeighbour = pTop;
    if (pNeighbour != pTop) {
        if (pNeighbour->AsPane() && pNeighbour->m_pParentContainer &&
            pNeighbour->m_pParentContainer->AsTabbedContainer())
            pNeighbour = pNeighbour->m_pParentContainer;
        CTKPDockingPaneSplitContainer* pParent =
            pNeighbour->m_pParentContainer ? pNeighbour->m_pParentContainer->AsSplitContainer() : NULL;
        if (pParent && pParent->IsHorizontal() == tkdock::IsHorizontalSide(nSide)) {
            pParent->CalcDockingRect(pResult, pNode, nSide, pNeighbour);
            return;
        }
    }
    CTKPDockingPaneSplitContainer::CalcSplitRect(pResult, pNeighbour, pNode, nSide);
}

void CTKPDockingPaneHost::AttachNode(CTKPDockingNode* pNode, CTKPDockingNode* pTarget)
{
    if (!pNode || !pTarget)
        return;
    if (pTarget->AsPane())
        pTarget = pTarget->m_pParentContainer;
    CTKPDockingPaneTabbedContainer* pContainer = pTarget ? pTarget->AsTabbedContainer() : NULL;
    if (!pContainer)
        return;
    if (CTKPDockablePane* pPane = pNode->AsPane()) {
        DetachNode(pPane);
        pContainer->AttachPane(pPane, TRUE);
    } else {
        CTKPDockingNodeList list;
        pNode->CollectNodes(tkdock::nodePane, list);
        CArray<CTKPDockingNode*, CTKPDockingNode*> panes;
        TKPNodesOf(list, panes);
        for (INT_PTR i = 0; i < panes.GetSize(); ++i) {
            DetachNode(panes[i]);
            pContainer->AttachPane(panes[i]->AsPane(), TRUE);
        }
    }
    UpdateHolders();
}

void CTKPDockingPaneHost::DetachNode(CTKPDockingNode* pNode)
{
    if (pNode && pNode->m_pParentContainer)
        pNode->m_pParentContainer->RemoveChild(pNode);
}

void CTKPDockingPaneHost::UpdateHolders()
{
    if (!m_pArrangement)
        return;
    CTKPDockingPaneList& list = m_pArrangement->GetPaneList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        TKPDockingPaneEntry& entry = list.GetNext(pos);
        CTKPDockablePane* pPane = entry.pPane;
        CTKPDockingNode* pContainer = pPane ? pPane->m_pParentContainer : NULL;
        CWnd* pSite = pPane ? pPane->GetSite() : NULL;
        if (!pContainer || !pSite || (pContainer->m_pParentContainer && pContainer->m_pParentContainer->AsSideBar()))
            continue;
        entry.pLastHolder = pContainer;
        if (dynamic_cast<CTKPDockingPaneMiniWnd*>(pSite))
            entry.pFloatingHolder = pContainer;
        else
            entry.pDockingHolder = pContainer;
    }
}

CTKPDockingNode* CTKPDockingPaneHost::GetHolder(CTKPDockingNode* pNode, BOOL bFloating)
{
    CTKPDockablePane* pPane = pNode ? pNode->AsPane() : NULL;
    TKPDockingPaneEntry* pEntry = pPane && m_pArrangement ? m_pArrangement->FindPaneEntry(pPane) : NULL;
    if (!pEntry)
        return NULL;
    return bFloating ? pEntry->pFloatingHolder : pEntry->pDockingHolder;
}

BOOL CTKPDockingPaneHost::IsPaneClosed(CTKPDockablePane* pPane)
{
    return !pPane || pPane->m_pParentContainer == NULL;
}

BOOL CTKPDockingPaneHost::IsPaneAutoHidden(CTKPDockablePane* pPane)
{
    return pPane ? pPane->IsAutoHidden() : FALSE;
}

void CTKPDockingPaneHost::RecalcLayout()
{
    if (!GetSafeHwnd() || !m_pArrangement)
        return;
    CTKPDockingPaneList& list = m_pArrangement->GetPaneList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CTKPDockablePane* pPane = list.GetNext(pos).pPane;
        CWnd* pSite = pPane ? pPane->GetSite() : NULL;
        if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(pSite))
            pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
        if (CTKPDockingPaneMiniWnd* pMini = dynamic_cast<CTKPDockingPaneMiniWnd*>(pSite))
            pMini->UpdateWindowState();
    }
}

void CTKPDockingPaneHost::SetTheme(int nTheme)
{
    if (m_pTheme)
        m_pTheme->InternalRelease();
    m_pTheme = CTKPDockingPaneTheme::Create(nTheme);
    m_pTheme->m_nTheme = nTheme;
    m_pTheme->RefreshMetrics();
    RecalcLayout();
    if (nTheme == 9)
        m_bRoundStickers = TRUE;
}

void CTKPDockingPaneHost::SetThemedFloatingFrames(BOOL bThemed)
{
    if (m_bThemedFloatingFrames == bThemed)
        return;
    m_bThemedFloatingFrames = bThemed;
    if (!m_pArrangement)
        return;
    CArray<CTKPDockingNode*, CTKPDockingNode*> nodes;
    TKPNodesOf(m_pArrangement->GetNodeList(), nodes);
    for (INT_PTR i = 0; i < nodes.GetSize(); ++i)
        if (CTKPDockingPaneMiniWnd* pMini = nodes[i]->AsMiniWnd())
            pMini->OnThemedFrameChanged();
}

CTKPDockingPaneList* CTKPDockingPaneHost::GetPaneList()
{
    return m_pArrangement ? &m_pArrangement->GetPaneList() : NULL;
}

CTKPDockingNode* CTKPDockingPaneHost::GetClientNode()
{
    return m_pArrangement ? m_pArrangement->GetClientNode() : NULL;
}

CTKPDockingPaneSplitContainer* CTKPDockingPaneHost::GetTopContainer()
{
    return m_pArrangement ? m_pArrangement->GetTopContainer() : NULL;
}

CTKPImageIcon* CTKPDockingPaneHost::GetPaneIcon(UINT nId, int nWidth)
{
    return m_pImageManager ? m_pImageManager->GetImage(nId, nWidth) : NULL;
}

BOOL CTKPDockingPaneHost::IsLayoutRTL() const
{
    return m_pSite && m_pSite->GetSafeHwnd() && (m_pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

int CTKPDockingPaneHost::MirrorDirection(int nSide) const
{
    return tkdock::MirrorSide(nSide, IsLayoutRTL() != FALSE);
}

int CTKPDockingPaneHost::GetNodeSide(CTKPDockingNode* pNode)
{
    return m_pArrangement ? m_pArrangement->GetNodeSide(pNode) : 0;
}

LRESULT CTKPDockingPaneHost::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!m_pArrangement || !m_pArrangement->GetTopContainer() || !pLayout)
        return 0;
    m_pArrangement->RecalcLayout(m_pSite, pLayout->rect, pLayout);
    UpdateHolders();
    m_bLayoutDone = TRUE;
    return 0;
}

LRESULT CTKPDockingPaneHost::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (!m_pArrangement)
        return 0;
    CArray<CTKPDockablePane*, CTKPDockablePane*> panes;
    CTKPDockingPaneList& list = m_pArrangement->GetPaneList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        if (CTKPDockablePane* pPane = list.GetNext(pos).pPane)
            panes.Add(pPane);
    for (INT_PTR i = 0; i < panes.GetSize(); ++i)
        panes[i]->OnIdleUpdate();
    // Floating windows are not the frame's children; the idle pass reaches them from here.
    CArray<CTKPDockingNode*, CTKPDockingNode*> nodes;
    TKPNodesOf(m_pArrangement->GetNodeList(), nodes);
    for (INT_PTR i = 0; i < nodes.GetSize(); ++i) {
        CTKPDockingPaneMiniWnd* pMini = nodes[i]->AsMiniWnd();
        if (pMini && pMini->GetSafeHwnd())
            pMini->SendMessage(WM_IDLEUPDATECMDUI, 0, 0);
    }
    return 0;
}

void CTKPDockingPaneHost::OnSysColorChange()
{
    // The theme's copy of the colour table is refreshed too, where it kept the old colours until the
    // next setting change.
    GetColorManager()->RefreshColors();
    if (m_pTheme)
        m_pTheme->RefreshMetrics();
    RecalcLayout();
}

void CTKPDockingPaneHost::OnSettingChange(UINT, LPCTSTR)
{
    if (m_pTheme)
        m_pTheme->RefreshMetrics();
    RecalcLayout();
}
