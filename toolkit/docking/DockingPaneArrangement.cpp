#include "toolkit/docking/DockingPaneArrangement.h"

#include "toolkit/common/PropExchangeArchive.h"
#include "toolkit/docking/DockablePane.h"
#include "toolkit/docking/DockingPaneHost.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneSideBar.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"

IMPLEMENT_DYNAMIC(CTKPDockingPaneArrangement, CCmdTarget)

CTKPDockingPaneArrangement::CTKPDockingPaneArrangement(CTKPDockingPaneHost* pHost)
    : m_lstNodes(10), m_pTopContainer(NULL), m_pClient(NULL), m_lstPanes(10), m_bWindowless(TRUE), m_pHost(pHost)
{
    for (int i = 0; i < 4; ++i)
        m_pSideBars[i] = NULL;
    if (!m_pHost)
        return;
    m_pClient = m_pHost->CreateNode(tkdock::nodeClient, this);
    CTKPDockingNode* pTop = m_pHost->CreateNode(tkdock::nodeSplitContainer, this);
    m_pTopContainer = pTop ? pTop->AsSplitContainer() : NULL;
    if (m_pTopContainer && m_pClient)
        m_pTopContainer->Init(m_pClient, TRUE, m_pHost->GetSite());
}

CTKPDockingPaneArrangement::~CTKPDockingPaneArrangement()
{
    FreeNodes();
}

void CTKPDockingPaneArrangement::FreeNodes()
{
    // Roots and holders are forgotten before the nodes end instead of after, when a node ending could
    // still reach one already gone through them.
    m_pTopContainer = NULL;
    m_pClient = NULL;
    for (int i = 0; i < 4; ++i)
        m_pSideBars[i] = NULL;
    m_lstPanes.RemoveAll();
    EndNodes(m_lstNodes);
}

void CTKPDockingPaneArrangement::EndNodes(CTKPDockingNodeList& list)
{
    // Containers first let go of their panes' windows, which would otherwise be destroyed with the
    // containers' own; then every node ends.
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CTKPDockingNode* pNode = list.GetNext(pos);
        if (CTKPDockingPaneTabbedContainer* pContainer = pNode->AsTabbedContainer())
            pContainer->ReleasePaneWindows();
    }
    while (!list.IsEmpty()) {
        CTKPDockingNode* pNode = list.RemoveHead();
        pNode->m_pParentContainer = NULL;
        pNode->DeleteNode();
    }
}

void CTKPDockingPaneArrangement::RemoveNode(CTKPDockingNode* pNode)
{
    POSITION pos = m_lstNodes.Find(pNode);
    if (pos)
        m_lstNodes.RemoveAt(pos);
}

BOOL CTKPDockingPaneArrangement::DoPropExchange(CTKPPropExchange* pPX)
{
    if (pPX->IsLoading())
        return LoadLayout(pPX);
    SaveLayout(pPX);
    return TRUE;
}

void CTKPDockingPaneArrangement::Serialize(CArchive& ar)
{
    CTKPPropExchangeArchive px(ar);
    DoPropExchange(&px);
}

BOOL CTKPDockingPaneArrangement::LoadLayout(CTKPPropExchange* pPX)
{
    CTKPDockLayout layout;
    if (!layout.Load(pPX))
        return FALSE;
    return BuildFrom(layout);
}

BOOL CTKPDockingPaneArrangement::BuildFrom(const CTKPDockLayout& layout)
{
    if (!m_pHost)
        return FALSE;
    // The present nodes stand aside while the new ones are built and end only once the layout stands;
    // freeing them first left stray nodes and no root when the layout could not be built.
    CTKPDockingNodeList previous(10);
    previous.AddTail(&m_lstNodes);
    m_lstNodes.RemoveAll();
    CTKPDockingPaneList previousPanes(10);
    previousPanes.AddTail(&m_lstPanes);
    m_lstPanes.RemoveAll();
    CTKPDockingPaneSplitContainer* pPreviousTop = m_pTopContainer;
    CTKPDockingNode* pPreviousClient = m_pClient;
    CTKPDockingPaneSideBar* pPreviousSideBars[4];
    for (int i = 0; i < 4; ++i) {
        pPreviousSideBars[i] = m_pSideBars[i];
        m_pSideBars[i] = NULL;
    }
    m_pTopContainer = NULL;
    m_pClient = NULL;
    if (!BuildNodes(layout)) {
        FreeNodes();
        m_lstNodes.AddTail(&previous);
        m_lstPanes.AddTail(&previousPanes);
        m_pTopContainer = pPreviousTop;
        m_pClient = pPreviousClient;
        for (int i = 0; i < 4; ++i)
            m_pSideBars[i] = pPreviousSideBars[i];
        return FALSE;
    }
    EndNodes(previous);
    return TRUE;
}

BOOL CTKPDockingPaneArrangement::BuildNodes(const CTKPDockLayout& layout)
{
    const int n = layout.GetCount();
    CArray<CTKPDockingNode*, CTKPDockingNode*> nodes;
    nodes.SetSize(n + 1);
    nodes[0] = NULL;
    for (int id = 1; id <= n; ++id) {
        CTKPDockingNode* pNode = m_pHost->CreateNode(layout.Find(id)->nType, this);
        if (!pNode || pNode->m_nType != layout.Find(id)->nType) {
            if (pNode && !m_lstNodes.Find(pNode))
                pNode->DeleteNode();
            return FALSE;
        }
        pNode->m_nLayoutId = id;
        nodes[id] = pNode;
    }
    // Panes first instead of in list order, so that the pane list follows the panes' order and a
    // container loaded before its panes still finds their entries.
    BOOL bResult = TRUE;
    for (int pass = 0; pass < 2; ++pass) {
        for (int id = 1; id <= n; ++id) {
            const TKPDockNodeRecord& r = *layout.Find(id);
            if ((r.nType == tkdock::nodePane) == (pass == 0))
                bResult = nodes[id]->LoadRecord(r, nodes) && bResult;
        }
    }
    m_pTopContainer = nodes[layout.m_nTopContainer]->AsSplitContainer();
    m_pClient = nodes[layout.m_nClient];
    return bResult && m_pTopContainer;
}

void CTKPDockingPaneArrangement::SaveLayout(CTKPPropExchange* pPX)
{
    PurgeUnusedNodes();
    CTKPDockLayout layout;
    layout.m_nSchema = static_cast<int>(pPX->m_nSchema);
    int id = 0;
    for (POSITION pos = m_lstNodes.GetHeadPosition(); pos != NULL;)
        m_lstNodes.GetNext(pos)->m_nLayoutId = ++id;
    for (POSITION pos = m_lstNodes.GetHeadPosition(); pos != NULL;) {
        TKPDockNodeRecord r;
        m_lstNodes.GetNext(pos)->SaveRecord(r);
        layout.m_nodes.push_back(r);
    }
    layout.m_nTopContainer = m_pTopContainer ? m_pTopContainer->m_nLayoutId : 0;
    layout.m_nClient = m_pClient ? m_pClient->m_nLayoutId : 0;
    layout.Save(pPX);
}

TKPDockingPaneEntry* CTKPDockingPaneArrangement::FindPaneEntry(const CTKPDockablePane* pPane)
{
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;) {
        TKPDockingPaneEntry& entry = m_lstPanes.GetNext(pos);
        if (entry.pPane == pPane)
            return &entry;
    }
    return NULL;
}

TKPDockingPaneEntry* CTKPDockingPaneArrangement::EnsurePaneEntry(CTKPDockablePane* pPane)
{
    TKPDockingPaneEntry* pEntry = FindPaneEntry(pPane);
    if (pEntry)
        return pEntry;
    TKPDockingPaneEntry entry = {pPane, NULL, NULL, NULL};
    return &m_lstPanes.GetAt(m_lstPanes.AddTail(entry));
}

void CTKPDockingPaneArrangement::SetSideBar(int nSide, CTKPDockingPaneSideBar* pSideBar)
{
    if (nSide >= 0 && nSide < 4)
        m_pSideBars[nSide] = pSideBar;
}

int CTKPDockingPaneArrangement::GetNodeSide(CTKPDockingNode* pNode)
{
    CTKPDockingNode* pChild = pNode;
    for (CTKPDockingNode* pParent = pNode ? pNode->m_pParentContainer : NULL; pParent != NULL;
         pChild = pParent, pParent = pParent->m_pParentContainer) {
        if (CTKPDockingPaneSideBar* pSideBar = pParent->AsSideBar())
            return pSideBar->GetSide();
        CTKPDockingPaneSplitContainer* pSplit = pParent->AsSplitContainer();
        if (!pSplit || !m_pClient || !pSplit->ContainsNode(m_pClient))
            continue;
        // The child of the split that holds the client.
        CTKPDockingNode* pClientBranch = NULL;
        for (POSITION pos = pSplit->m_lstChildren.GetHeadPosition(); pos != NULL && !pClientBranch;) {
            CTKPDockingNode* p = pSplit->m_lstChildren.GetNext(pos);
            if (p->ContainsNode(m_pClient))
                pClientBranch = p;
        }
        const BOOL bBefore = pClientBranch && pChild != pClientBranch && pSplit->IsBefore(pChild, pClientBranch);
        if (pSplit->IsHorizontal())
            return bBefore ? tkdock::sideLeft : tkdock::sideRight;
        return bBefore ? tkdock::sideTop : tkdock::sideBottom;
    }
    return tkdock::sideLeft;
}

void CTKPDockingPaneArrangement::AutoHideNode(CTKPDockingNode* pNode)
{
    if (!m_pHost || !pNode)
        return;
    const int nSide = GetNodeSide(pNode);
    if (!m_pSideBars[nSide]) {
        CTKPDockingNode* pNew = m_pHost->CreateNode(tkdock::nodeSideBar, this);
        if (!pNew || !pNew->AsSideBar())
            return;
        m_pSideBars[nSide] = pNew->AsSideBar();
        m_pSideBars[nSide]->SetSide(nSide);
    }
    CTKPDockingPaneSideBar* pSideBar = m_pSideBars[nSide];

    CTKPDockingNodeList panes;
    pNode->CollectNodes(tkdock::nodePane, panes);
    if (!panes.IsEmpty()) {
        TKPDockingPaneEntry* pFirst = FindPaneEntry(panes.GetHead()->AsPane());
        CTKPDockingNode* pHolder = pFirst ? pFirst->pDockingHolder : NULL;
        // Panes that were never docked (no docking holder) group together too.
        for (POSITION pos = pSideBar->m_lstContainers.GetHeadPosition(); pos != NULL;) {
            CTKPDockingPaneTabbedContainer* pGroup = pSideBar->m_lstContainers.GetNext(pos)->AsTabbedContainer();
            if (!pGroup || pGroup->GetPaneCount() == 0)
                continue;
            TKPDockingPaneEntry* pEntry = FindPaneEntry(pGroup->GetPane(0));
            if ((pEntry ? pEntry->pDockingHolder : NULL) == pHolder) {
                MovePanesToContainer(pGroup, panes, tkpoNoAutoHide);
                return;
            }
        }
    }

    if (CTKPDockablePane* pPane = pNode->AsPane()) {
        m_pHost->DetachNode(pPane);
        CTKPDockingNode* pNew = m_pHost->CreateNode(tkdock::nodeTabbedContainer, this);
        CTKPDockingPaneTabbedContainer* pContainer = pNew ? pNew->AsTabbedContainer() : NULL;
        if (!pContainer)
            return;
        pContainer->m_nDockingCX = pPane->m_nDockingCX;
        pContainer->m_nDockingCY = pPane->m_nDockingCY;
        pContainer->AttachPane(pPane, TRUE);
        pSideBar->AddContainer(pContainer);
    } else if (pNode->AsTabbedContainer()) {
        CTKPDockingNode* pClone = pNode->CloneNode(this, NULL, tkpoNoAutoHide);
        if (pClone)
            pSideBar->AddContainer(pClone);
    } else {
        pSideBar->AddContainer(pNode);
    }
}

void CTKPDockingPaneArrangement::RecalcLayout(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pLayout)
{
    for (int nSide = 0; nSide < 4; ++nSide)
        if (m_pSideBars[nSide])
            m_pSideBars[nSide]->Layout(pSite, &rect, pLayout);
    if (m_pClient)
        m_pClient->OnSizeParent(pSite, rect, pLayout);
    if (m_pTopContainer)
        m_pTopContainer->OnSizeParent(pSite, rect, pLayout);
}

void CTKPDockingPaneArrangement::MovePanesToContainer(
    CTKPDockingPaneTabbedContainer* pContainer, CTKPDockingNodeList& list, DWORD dwMask)
{
    CArray<CTKPDockingNode*, CTKPDockingNode*> nodes;
    TKPNodesOf(list, nodes);
    for (INT_PTR i = 0; i < nodes.GetSize(); ++i) {
        CTKPDockablePane* pPane = nodes[i]->AsPane();
        if (!pPane || (pPane->GetEffectiveOptions() & dwMask) != 0)
            continue;
        if (pPane->m_pParentContainer)
            pPane->m_pParentContainer->RemoveChild(pPane);
        pContainer->AttachPane(pPane, TRUE);
    }
}

// A purged node is cleared from every holder and side panel slot, last holders included, which would
// otherwise point at a deleted container.
void CTKPDockingPaneArrangement::ForgetNode(CTKPDockingNode* pNode)
{
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;) {
        TKPDockingPaneEntry& entry = m_lstPanes.GetNext(pos);
        if (entry.pFloatingHolder == pNode)
            entry.pFloatingHolder = NULL;
        if (entry.pDockingHolder == pNode)
            entry.pDockingHolder = NULL;
        if (entry.pLastHolder == pNode)
            entry.pLastHolder = NULL;
    }
    for (int i = 0; i < 4; ++i)
        if (m_pSideBars[i] && static_cast<CTKPDockingNode*>(m_pSideBars[i]) == pNode)
            m_pSideBars[i] = NULL;
}

void CTKPDockingPaneArrangement::PurgeUnusedNodes()
{
    CMap<void*, void*, BOOL, BOOL> used;
    for (POSITION pos = m_lstPanes.GetHeadPosition(); pos != NULL;) {
        const TKPDockingPaneEntry& entry = m_lstPanes.GetNext(pos);
        if (entry.pFloatingHolder)
            used.SetAt(entry.pFloatingHolder, TRUE);
        if (entry.pDockingHolder)
            used.SetAt(entry.pDockingHolder, TRUE);
    }
    for (POSITION pos = m_lstNodes.GetHeadPosition(); pos != NULL;) {
        CTKPDockingNode* pNode = m_lstNodes.GetNext(pos);
        if (pNode->AsPane() && pNode->m_pParentContainer)
            used.SetAt(pNode->m_pParentContainer, TRUE);
    }

    BOOL bRemoved = TRUE;
    while (bRemoved) {
        bRemoved = FALSE;
        for (POSITION pos = m_lstNodes.GetHeadPosition(); pos != NULL;) {
            POSITION posNode = pos;
            CTKPDockingNode* pNode = m_lstNodes.GetNext(pos);
            BOOL bUsed = FALSE;
            BOOL bRemove = FALSE;
            if (pNode->m_nType == tkdock::nodeTabbedContainer) {
                bRemove = !used.Lookup(pNode, bUsed);
            } else if (CTKPDockingPaneSplitContainer* pSplit = pNode->AsSplitContainer()) {
                // The top container stays, even empty, where purging it left the arrangement no root.
                if (pSplit == m_pTopContainer)
                    continue;
                if (pSplit->m_lstChildren.IsEmpty()) {
                    bRemove = TRUE;
                } else if (pSplit->m_lstChildren.GetCount() == 1 && pSplit->m_pParentContainer) {
                    CTKPDockingPaneSplitContainer* pOuter = pSplit->m_pParentContainer->AsSplitContainer();
                    if (pOuter && pOuter->m_lstChildren.GetCount() == 1) {
                        // The single child takes the splitter's place in the outer splitter.
                        CTKPDockingNode* pChild = pSplit->m_lstChildren.GetHead();
                        pSplit->m_lstChildren.RemoveAll();
                        pOuter->ReplaceChild(pSplit, pChild);
                        pSplit->m_pParentContainer = NULL;
                        m_lstNodes.RemoveAt(posNode);
                        ForgetNode(pSplit);
                        pSplit->DeleteNode();
                        bRemoved = TRUE;
                        break;
                    }
                }
            } else if (CTKPDockingPaneMiniWnd* pMini = pNode->AsMiniWnd()) {
                bRemove = pMini->GetTopContainer() == NULL;
            }
            if (!bRemove)
                continue;
            if (pNode->m_pParentContainer)
                pNode->m_pParentContainer->RemoveChild(pNode);
            // A removal may have emptied other nodes; the list is walked again from the start.
            POSITION posNow = m_lstNodes.Find(pNode);
            if (posNow)
                m_lstNodes.RemoveAt(posNow);
            ForgetNode(pNode);
            pNode->DeleteNode();
            bRemoved = TRUE;
            break;
        }
    }
}

void CTKPDockingPaneArrangement::MakeLive()
{
    if (!m_bWindowless)
        return;
    m_bWindowless = FALSE;
    CArray<CTKPDockingNode*, CTKPDockingNode*> nodes;
    TKPNodesOf(m_lstNodes, nodes);
    CWnd* pSite = m_pHost ? m_pHost->GetSite() : NULL;
    for (INT_PTR i = 0; i < nodes.GetSize(); ++i) {
        if (CTKPDockingPaneMiniWnd* pMini = nodes[i]->AsMiniWnd())
            pMini->MakeLive();
        else if (nodes[i]->m_nType != tkdock::nodePane && nodes[i]->m_pSite == NULL)
            nodes[i]->SetSite(pSite);
    }
    for (INT_PTR i = 0; i < nodes.GetSize(); ++i) {
        CTKPDockingPaneTabbedContainer* pContainer = nodes[i]->AsTabbedContainer();
        if (pContainer && pContainer->GetPaneCount() > 0)
            pContainer->CreateContainerWindow();
    }
}
