#include "toolkit/docking/DockingPaneSplitContainer.h"

#include "toolkit/docking/DockingPaneArrangement.h"
#include "toolkit/docking/DockingPaneHost.h"
#include "toolkit/docking/DockingPaneSplitterBar.h"
#include "toolkit/docking/DockingPaneTheme.h"

#include <algorithm>
#include <vector>

CTKPDockingPaneSplitContainer::CTKPDockingPaneSplitContainer(CTKPDockingPaneArrangement* pArrangement)
    : CTKPDockingNode(tkdock::nodeSplitContainer, pArrangement), m_lstChildren(10), m_lstBars(10), m_bHorizontal(FALSE),
      m_nLayoutGuard(0)
{
}

CTKPDockingPaneSplitContainer::~CTKPDockingPaneSplitContainer()
{
    DeleteSplitterBars();
}

CTKPDockingPaneSplitterBar* CTKPDockingPaneSplitContainer::CreateSplitterBar()
{
    return new CTKPDockingPaneSplitterBar;
}

void CTKPDockingPaneSplitContainer::DeleteSplitterBars()
{
    while (!m_lstBars.IsEmpty())
        delete m_lstBars.RemoveHead();
}

CTKPDockingPaneSplitterBar* CTKPDockingPaneSplitContainer::GetSplitterBar(int nIndex) const
{
    POSITION pos = m_lstBars.FindIndex(nIndex);
    return pos ? m_lstBars.GetAt(pos) : NULL;
}

int CTKPDockingPaneSplitContainer::GetSplitterWidth() const
{
    CTKPDockingPaneTheme* pTheme = GetTheme();
    return pTheme ? pTheme->m_nSplitterWidth : 4;
}

void CTKPDockingPaneSplitContainer::Init(CTKPDockingNode* pFirst, BOOL bHorizontal, CWnd* pSite)
{
    m_pSite = pSite;
    m_bHorizontal = bHorizontal;
    m_lstChildren.RemoveAll();
    if (!pFirst)
        return;
    m_lstChildren.AddTail(pFirst);
    pFirst->SetParentContainer(this);
    pFirst->SetSite(pSite);
    m_nDockingCX = pFirst->m_nDockingCX;
    m_nDockingCY = pFirst->m_nDockingCY;
    RebuildSplitterBars();
}

void CTKPDockingPaneSplitContainer::InsertChild(CTKPDockingNode* pNode, CTKPDockingNode* pNeighbour, BOOL bAfter)
{
    POSITION pos = pNeighbour ? m_lstChildren.Find(pNeighbour) : NULL;
    if (bAfter) {
        if (pos)
            m_lstChildren.InsertAfter(pos, pNode);
        else
            m_lstChildren.AddTail(pNode);
    } else {
        if (pos)
            m_lstChildren.InsertBefore(pos, pNode);
        else
            m_lstChildren.AddHead(pNode);
    }
    pNode->SetParentContainer(this);
    pNode->SetSite(m_pSite);
    MarkSiteLayout();
    RebuildSplitterBars();
    if (m_pParentContainer)
        m_pParentContainer->OnChildChanged(this);
    pNode->OnParentAttached(this);
}

void CTKPDockingPaneSplitContainer::ReplaceChild(CTKPDockingNode* pOld, CTKPDockingNode* pNew)
{
    POSITION pos = m_lstChildren.Find(pOld);
    if (!pos)
        return;
    m_lstChildren.SetAt(pos, pNew);
    pNew->SetParentContainer(this);
    pNew->SetSite(m_pSite);
    if (pOld->m_pParentContainer == this)
        pOld->m_pParentContainer = NULL;
    MarkSiteLayout();
    RebuildSplitterBars();
    pNew->OnParentAttached(this);
}

void CTKPDockingPaneSplitContainer::RemoveChild(CTKPDockingNode* pNode)
{
    POSITION pos = m_lstChildren.Find(pNode);
    if (!pos)
        return;
    m_lstChildren.RemoveAt(pos);
    RebuildSplitterBars();
    MarkSiteLayout();
    if (m_pParentContainer)
        m_pParentContainer->OnChildChanged(this);
    pNode->SetParentContainer(NULL);
    if (m_lstChildren.IsEmpty() && m_pParentContainer)
        m_pParentContainer->RemoveChild(this);
}

void CTKPDockingPaneSplitContainer::OnChildChanged(CTKPDockingNode* /*pNode*/)
{
    if (m_pParentContainer)
        m_pParentContainer->OnChildChanged(this);
    RebuildSplitterBars();
    MarkSiteLayout();
}

void CTKPDockingPaneSplitContainer::OnParentAttached(CTKPDockingNode* pParent)
{
    if (pParent)
        m_pSite = pParent->GetNodeSite();
    RebuildSplitterBars();
    CArray<CTKPDockingNode*, CTKPDockingNode*> children;
    TKPNodesOf(m_lstChildren, children);
    for (INT_PTR i = 0; i < children.GetSize(); ++i) {
        children[i]->SetSite(m_pSite);
        children[i]->OnParentAttached(pParent);
    }
}

BOOL CTKPDockingPaneSplitContainer::ContainsNode(CTKPDockingNode* pNode)
{
    if (pNode == this)
        return TRUE;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;)
        if (m_lstChildren.GetNext(pos)->ContainsNode(pNode))
            return TRUE;
    return FALSE;
}

void CTKPDockingPaneSplitContainer::CollectNodes(int nType, CTKPDockingNodeList& list)
{
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;) {
        CTKPDockingNode* pChild = m_lstChildren.GetNext(pos);
        if (pChild->IsEmpty())
            continue;
        if (pChild->m_nType == nType)
            list.AddTail(pChild);
        else
            pChild->CollectNodes(nType, list);
    }
}

void CTKPDockingPaneSplitContainer::CollectChildren(int nType, CTKPDockingNodeList& list)
{
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;) {
        CTKPDockingNode* pChild = m_lstChildren.GetNext(pos);
        if (!pChild->IsEmpty() && pChild->m_nType == nType)
            list.AddTail(pChild);
    }
}

BOOL CTKPDockingPaneSplitContainer::IsEmpty()
{
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;)
        if (!m_lstChildren.GetNext(pos)->IsEmpty())
            return FALSE;
    return TRUE;
}

BOOL CTKPDockingPaneSplitContainer::IsBefore(CTKPDockingNode* pChild, CTKPDockingNode* pReference) const
{
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;) {
        CTKPDockingNode* p = m_lstChildren.GetNext(pos);
        if (p == pReference)
            return FALSE;
        if (p == pChild)
            return TRUE;
    }
    return FALSE;
}

void CTKPDockingPaneSplitContainer::GetMinMaxInfo(MINMAXINFO* pInfo)
{
    CTKPDockingNode::GetMinMaxInfo(pInfo);
    int nVisible = 0;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;) {
        CTKPDockingNode* pChild = m_lstChildren.GetNext(pos);
        if (pChild->IsEmpty())
            continue;
        MINMAXINFO mmi;
        pChild->GetMinMaxInfo(&mmi);
        if (nVisible++ == 0) {
            *pInfo = mmi;
            continue;
        }
        if (m_bHorizontal) {
            pInfo->ptMinTrackSize.x += mmi.ptMinTrackSize.x;
            pInfo->ptMaxTrackSize.x += mmi.ptMaxTrackSize.x;
            pInfo->ptMinTrackSize.y = std::max(pInfo->ptMinTrackSize.y, mmi.ptMinTrackSize.y);
            pInfo->ptMaxTrackSize.y = std::min(pInfo->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y);
        } else {
            pInfo->ptMinTrackSize.y += mmi.ptMinTrackSize.y;
            pInfo->ptMaxTrackSize.y += mmi.ptMaxTrackSize.y;
            pInfo->ptMinTrackSize.x = std::max(pInfo->ptMinTrackSize.x, mmi.ptMinTrackSize.x);
            pInfo->ptMaxTrackSize.x = std::min(pInfo->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x);
        }
    }
    if (nVisible > 1) {
        const int nBars = (nVisible - 1) * GetSplitterWidth();
        if (m_bHorizontal) {
            pInfo->ptMinTrackSize.x += nBars;
            pInfo->ptMaxTrackSize.x += nBars;
        } else {
            pInfo->ptMinTrackSize.y += nBars;
            pInfo->ptMaxTrackSize.y += nBars;
        }
    }
}

namespace {

// A child's docking length and track limits along a direction.
tkdock::SplitItem SplitItemOf(CTKPDockingNode* pNode, BOOL bHorizontal)
{
    MINMAXINFO mmi;
    pNode->GetMinMaxInfo(&mmi);
    tkdock::SplitItem item;
    item.dockingLength = bHorizontal ? pNode->m_nDockingCX : pNode->m_nDockingCY;
    item.minLength = bHorizontal ? mmi.ptMinTrackSize.x : mmi.ptMinTrackSize.y;
    item.maxLength = bHorizontal ? mmi.ptMaxTrackSize.x : mmi.ptMaxTrackSize.y;
    return item;
}

// Whether a child is the one that holds the frame's client area and so takes the slack of a split.
// With the client area hidden, a branch that has a size of its own is an ordinary child.
BOOL IsClientChild(CTKPDockingNode* pChild, CTKPDockingNode* pClient, CTKPDockingPaneHost* pHost)
{
    if (!pClient || !pChild->ContainsNode(pClient))
        return FALSE;
    return !(pHost && pHost->m_bClientHidden && (pChild->m_nDockingCX != 0 || pChild->m_nDockingCY != 0));
}

CTKPDockingNode* ClientNodeOf(CTKPDockingNode* pNode)
{
    return pNode->m_pArrangement ? pNode->m_pArrangement->GetClientNode() : NULL;
}

CRect SpanRect(const CRect& rect, BOOL bHorizontal, int nStart, int nEnd)
{
    CRect rc = rect;
    if (bHorizontal) {
        rc.left = nStart;
        rc.right = nEnd;
    } else {
        rc.top = nStart;
        rc.bottom = nEnd;
    }
    return rc;
}

}  // namespace

tkdock::SplitTotals CTKPDockingPaneSplitContainer::CalcLengths(CArray<CTKPDockingNode*, CTKPDockingNode*>& children,
    CRect rect, BOOL bHorizontal, BOOL bUpdate, std::vector<tkdock::SplitItem>& items)
{
    CTKPDockingPaneHost* pHost = GetHost();
    CTKPDockingNode* pClient = ClientNodeOf(this);
    items.clear();
    int nClient = -1;
    for (INT_PTR i = 0; i < children.GetSize(); ++i) {
        CTKPDockingNode* pChild = children[i];
        items.push_back(SplitItemOf(pChild, bHorizontal));
        if (nClient < 0 && IsClientChild(pChild, pClient, pHost))
            nClient = static_cast<int>(i);
    }
    const int nExtent = bHorizontal ? rect.Width() : rect.Height();
    tkdock::SplitTotals totals = tkdock::CalcSplitLengths(items, nClient, nExtent, GetSplitterWidth());
    for (INT_PTR i = 0; i < children.GetSize(); ++i)
        children[i]->m_nLayoutLength = items[static_cast<size_t>(i)].length;
    // The client child keeps the slack it was given, also when its share is then held at a limit.
    if (bUpdate && nClient >= 0) {
        CTKPDockingNode* pChild = children[nClient];
        pChild->m_nDockingCX = pChild->m_nDockingCY = 0;
        if (bHorizontal)
            pChild->m_nDockingCX = totals.clientSlack;
        else
            pChild->m_nDockingCY = totals.clientSlack;
    }
    return totals;
}


void CTKPDockingPaneSplitContainer::OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pLayout)
{
    m_pSite = pSite;
    m_rcNode = rect;
    CArray<CTKPDockingNode*, CTKPDockingNode*> visible;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;) {
        CTKPDockingNode* pChild = m_lstChildren.GetNext(pos);
        if (!pChild->IsEmpty())
            visible.Add(pChild);
    }
    CTKPDockingPaneHost* pHost = GetHost();
    CTKPDockingNode* pClient = m_pArrangement ? m_pArrangement->GetClientNode() : NULL;
    if (pHost && pHost->m_bClientHidden && pClient) {
        for (INT_PTR i = 0; i < visible.GetSize(); ++i)
            if (visible[i]->ContainsNode(pClient))
                pClient->OnSizeParent(pSite, CRect(0, 0, 0, 0), pLayout);
    }
    if (visible.GetSize() == 0)
        return;
    if (visible.GetSize() == 1) {
        visible[0]->OnSizeParent(pSite, rect, pLayout);
        return;
    }
    if (m_nLayoutGuard)
        return;
    m_nLayoutGuard = 1;
    const int nSplitter = GetSplitterWidth();
    std::vector<tkdock::SplitItem> items;
    const tkdock::SplitTotals totals = CalcLengths(visible, rect, m_bHorizontal, TRUE, items);
    const auto places = tkdock::PlaceSplit(items, totals, m_bHorizontal ? rect.left : rect.top,
        m_bHorizontal ? rect.right : rect.bottom, nSplitter);
    for (INT_PTR i = 0; i < visible.GetSize(); ++i) {
        const auto& place = places[static_cast<size_t>(i)];
        visible[i]->OnSizeParent(pSite, SpanRect(rect, m_bHorizontal, place.first, place.second), pLayout);
    }
    if (pLayout && pLayout->hDWP) {
        POSITION posBar = m_lstBars.GetHeadPosition();
        for (size_t i = 0; i + 1 < places.size() && posBar != NULL; ++i) {
            CTKPDockingPaneSplitterBar* pBar = m_lstBars.GetNext(posBar);
            CRect rcBar = SpanRect(rect, m_bHorizontal, places[i].second, places[i + 1].first);
            rcBar.IntersectRect(rcBar, rect);
            if (pBar->GetSafeHwnd()) {
                HDWP hDWP = ::DeferWindowPos(pLayout->hDWP, pBar->GetSafeHwnd(), HWND_BOTTOM, rcBar.left, rcBar.top,
                    rcBar.Width(), rcBar.Height(), SWP_NOACTIVATE);
                if (hDWP)
                    pLayout->hDWP = hDWP;
                pBar->Invalidate(FALSE);
            }
        }
    }
    m_nLayoutGuard = 0;
}

void CTKPDockingPaneSplitContainer::RebuildSplitterBars()
{
    if (m_nLayoutGuard)
        return;
    DeleteSplitterBars();
    if (m_lstChildren.GetCount() < 2 || !m_pSite || !m_pSite->GetSafeHwnd() ||
        (m_pArrangement && m_pArrangement->IsWindowless()))
        return;
    CTKPDockingNode* pPrevious = NULL;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;) {
        CTKPDockingNode* pChild = m_lstChildren.GetNext(pos);
        if (pChild->IsEmpty())
            continue;
        if (pPrevious) {
            CTKPDockingPaneSplitterBar* pBar = CreateSplitterBar();
            if (pBar->Create(this, pPrevious, pChild))
                m_lstBars.AddTail(pBar);
            else
                delete pBar;
        }
        pPrevious = pChild;
    }
}

void CTKPDockingPaneSplitContainer::CalcDockingRect(
    LPRECT lpResult, CTKPDockingNode* pNode, int nSide, CTKPDockingNode* pNeighbour)
{
    CTKPDockingPaneHost* pHost = GetHost();
    const int nMirrored = pHost ? pHost->MirrorDirection(nSide) : nSide;
    const BOOL bAfter = nMirrored == tkdock::sideRight || nMirrored == tkdock::sideBottom;
    CArray<CTKPDockingNode*, CTKPDockingNode*> children;
    BOOL bInserted = FALSE;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;) {
        CTKPDockingNode* pChild = m_lstChildren.GetNext(pos);
        if (pChild == pNode || pChild->IsEmpty())
            continue;
        if (pChild == pNeighbour && !bAfter) {
            children.Add(pNode);
            bInserted = TRUE;
        }
        children.Add(pChild);
        if (pChild == pNeighbour && bAfter) {
            children.Add(pNode);
            bInserted = TRUE;
        }
    }
    if (!bInserted) {
        if (bAfter)
            children.Add(pNode);
        else
            children.InsertAt(0, pNode);
    }
    // Working lengths are scratch values: the children's own are kept.
    CArray<int, int> saved;
    for (INT_PTR i = 0; i < children.GetSize(); ++i)
        saved.Add(children[i]->m_nLayoutLength);
    const int nSplitter = GetSplitterWidth();
    std::vector<tkdock::SplitItem> items;
    const tkdock::SplitTotals totals = CalcLengths(children, m_rcNode, m_bHorizontal, FALSE, items);
    const auto places = tkdock::PlaceSplit(items, totals, m_bHorizontal ? m_rcNode.left : m_rcNode.top,
        m_bHorizontal ? m_rcNode.right : m_rcNode.bottom, nSplitter);
    CRect rc = m_rcNode;
    for (INT_PTR i = 0; i < children.GetSize(); ++i) {
        if (children[i] == pNode)
            rc = SpanRect(m_rcNode, m_bHorizontal, places[static_cast<size_t>(i)].first, places[static_cast<size_t>(i)].second);
        children[i]->m_nLayoutLength = saved[i];
    }
    if (m_pSite && m_pSite->GetSafeHwnd())
        ::MapWindowPoints(m_pSite->GetSafeHwnd(), NULL, reinterpret_cast<LPPOINT>(&rc), 2);
    *lpResult = rc;
}

void CTKPDockingPaneSplitContainer::CalcSplitRect(
    LPRECT lpResult, CTKPDockingNode* pNeighbour, CTKPDockingNode* pNode, int nSide)
{
    CRect rcNeighbour;
    pNeighbour->GetScreenRect(&rcNeighbour);
    const BOOL bHorizontal = tkdock::IsHorizontalSide(nSide);
    const BOOL bAfter = nSide == tkdock::sideRight || nSide == tkdock::sideBottom;
    CTKPDockingPaneTheme* pTheme = pNeighbour->GetTheme();
    const int nSplitter = pTheme ? pTheme->m_nSplitterWidth : 4;
    CTKPDockingNode* pOrder[2] = {bAfter ? pNeighbour : pNode, bAfter ? pNode : pNeighbour};
    // The same rules as the layout the dock then makes: the neighbour that holds the client area
    // keeps the slack and the node gets its own size.
    CTKPDockingNode* pClient = ClientNodeOf(pNeighbour);
    std::vector<tkdock::SplitItem> items;
    int nClient = -1;
    for (CTKPDockingNode* p : pOrder) {
        if (nClient < 0 && IsClientChild(p, pClient, pNeighbour->GetHost()))
            nClient = static_cast<int>(items.size());
        items.push_back(SplitItemOf(p, bHorizontal));
    }
    const int nStart = bHorizontal ? rcNeighbour.left : rcNeighbour.top;
    const int nEnd = bHorizontal ? rcNeighbour.right : rcNeighbour.bottom;
    const tkdock::SplitTotals totals = tkdock::CalcSplitLengths(items, nClient, nEnd - nStart, nSplitter);
    const auto places = tkdock::PlaceSplit(items, totals, nStart, nEnd, nSplitter);
    const auto& place = places[bAfter ? 1 : 0];
    *lpResult = SpanRect(rcNeighbour, bHorizontal, place.first, place.second);
}

void CTKPDockingPaneSplitContainer::CopyFrom(CTKPDockingPaneSplitContainer* pSource, CTKPDockingNodeMap* pMap)
{
    m_bHorizontal = pSource->m_bHorizontal;
    CTKPDockingPaneHost* pHost = GetHost();
    m_pSite = pHost ? pHost->GetSite() : NULL;
    CArray<CTKPDockingNode*, CTKPDockingNode*> children;
    TKPNodesOf(pSource->m_lstChildren, children);
    for (INT_PTR i = 0; i < children.GetSize(); ++i) {
        if (!pMap && children[i]->IsEmpty())
            continue;
        CTKPDockingNode* pClone = children[i]->CloneNode(m_pArrangement, pMap, 0);
        if (pClone)
            InsertChild(pClone, NULL, TRUE);
    }
    m_nDockingCX = pSource->m_nDockingCX;
    m_nDockingCY = pSource->m_nDockingCY;
    m_rcNode = pSource->m_rcNode;
}

CTKPDockingNode* CTKPDockingPaneSplitContainer::CloneNode(
    CTKPDockingPaneArrangement* pArrangement, CTKPDockingNodeMap* pMap, DWORD /*dwFlags*/)
{
    return CloneAs<CTKPDockingPaneSplitContainer>(
        pArrangement, pMap, [this, pMap](CTKPDockingPaneSplitContainer* pClone) { pClone->CopyFrom(this, pMap); });
}

void CTKPDockingPaneSplitContainer::SaveRecord(TKPDockNodeRecord& r)
{
    CTKPDockingNode::SaveRecord(r);
    r.bHorizontal = m_bHorizontal;
    r.children = TKPLayoutIdsOf(m_lstChildren);
}

BOOL CTKPDockingPaneSplitContainer::LoadRecord(
    const TKPDockNodeRecord& r, const CArray<CTKPDockingNode*, CTKPDockingNode*>& nodes)
{
    CTKPDockingNode::LoadRecord(r, nodes);
    m_bHorizontal = r.bHorizontal;
    for (int nId : r.children) {
        CTKPDockingNode* pChild = nId > 0 && nId < nodes.GetSize() ? nodes[nId] : NULL;
        if (!pChild)
            return FALSE;
        InsertChild(pChild, NULL, TRUE);
    }
    return TRUE;
}
