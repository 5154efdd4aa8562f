#include "toolkit/docking/DockingNode.h"

#include "toolkit/common/PropExchange.h"
#include "toolkit/docking/DockablePane.h"
#include "toolkit/docking/DockingPaneArrangement.h"
#include "toolkit/docking/DockingPaneCaptionButton.h"
#include "toolkit/docking/DockingPaneHost.h"
#include "toolkit/docking/DockingPaneMiniWnd.h"
#include "toolkit/docking/DockingPaneSideBar.h"
#include "toolkit/docking/DockingPaneSplitContainer.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"

CTKPDockingNode::CTKPDockingNode(int nType, CTKPDockingPaneArrangement* pArrangement)
    : m_nDockingCX(0), m_nDockingCY(0), m_pArrangement(pArrangement), m_pParentContainer(NULL), m_pSite(NULL),
      m_nType(nType), m_rcNode(0, 0, 0, 0), m_nLayoutLength(0), m_nLayoutId(0)
{
    if (m_pArrangement) {
        if (m_pArrangement->GetHost())
            m_pSite = m_pArrangement->GetHost()->GetSite();
        m_pArrangement->m_lstNodes.AddTail(this);
    }
}

CTKPDockingNode::~CTKPDockingNode()
{
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); ++i)
        delete m_arrCaptionButtons[i];
    m_arrCaptionButtons.RemoveAll();
}

void CTKPDockingNode::DeleteNode()
{
    delete this;
}

void CTKPDockingNode::Invalidate()
{
    HWND hWnd = GetWindowHandle();
    if (hWnd)
        ::InvalidateRect(hWnd, NULL, FALSE);
}

BOOL CTKPDockingNode::ContainsNode(CTKPDockingNode* pNode)
{
    return pNode == this;
}

void CTKPDockingNode::CollectNodes(int nType, CTKPDockingNodeList& list)
{
    if (m_nType == nType)
        list.AddTail(this);
}

void CTKPDockingNode::GetMinMaxInfo(MINMAXINFO* pInfo)
{
    ZeroMemory(pInfo, sizeof(MINMAXINFO));
    pInfo->ptMaxTrackSize.x = pInfo->ptMaxTrackSize.y = tkdock::kMaxTrackSize;
}

void CTKPDockingNode::OnSizeParent(CWnd* /*pSite*/, CRect rect, AFX_SIZEPARENTPARAMS* pLayout)
{
    m_rcNode = rect;
    if (pLayout)
        pLayout->rect = rect;
}

void CTKPDockingNode::OnIdleUpdate() {}

void CTKPDockingNode::SetSite(CWnd* pSite)
{
    m_pSite = pSite;
}

void CTKPDockingNode::SetParentContainer(CTKPDockingNode* pParent)
{
    m_pParentContainer = pParent;
}

void CTKPDockingNode::OnChildChanged(CTKPDockingNode* /*pNode*/) {}

void CTKPDockingNode::NotifyParentChanged(BOOL bRecalc)
{
    if (m_pParentContainer)
        m_pParentContainer->NotifyParentChanged(bRecalc);
}

void CTKPDockingNode::OnParentAttached(CTKPDockingNode* /*pParent*/) {}

BOOL CTKPDockingNode::ExchangeState(CTKPPropExchange* pPX)
{
    TKPDockNodeRecord record;
    record.nType = m_nType;
    if (!pPX->IsLoading()) {
        SaveRecord(record);
        return CTKPDockLayout::ExchangeNode(pPX, record, static_cast<int>(pPX->m_nSchema));
    }
    if (!CTKPDockLayout::ExchangeNode(pPX, record, static_cast<int>(pPX->m_nSchema)))
        return FALSE;
    // The exchange's free field carries the loaded nodes by layout id.
    const CArray<CTKPDockingNode*, CTKPDockingNode*>* pNodes =
        reinterpret_cast<const CArray<CTKPDockingNode*, CTKPDockingNode*>*>(pPX->m_dwData);
    CArray<CTKPDockingNode*, CTKPDockingNode*> none;
    return LoadRecord(record, pNodes ? *pNodes : none);
}

CTKPDockingNode* CTKPDockingNode::NewOfSameType(CTKPDockingPaneArrangement* pArrangement) const
{
    CTKPDockingPaneHost* pHost = GetHost();
    return pHost ? pHost->CreateNode(m_nType, pArrangement) : NULL;
}

void CTKPDockingNode::EnterClone(CTKPDockingNodeMap* pMap, CTKPDockingNode* pClone)
{
    if (pMap)
        pMap->SetAt(this, pClone);
}

CTKPDockingNode* CTKPDockingNode::CloneNode(CTKPDockingPaneArrangement* pArrangement, CTKPDockingNodeMap* pMap, DWORD)
{
    return CloneAs<CTKPDockingNode>(pArrangement, pMap, [this](CTKPDockingNode* pClone) {
        pClone->m_nDockingCX = m_nDockingCX;
        pClone->m_nDockingCY = m_nDockingCY;
        pClone->m_rcNode = m_rcNode;
    });
}

void CTKPDockingNode::RemoveChild(CTKPDockingNode* /*pNode*/) {}

BOOL CTKPDockingNode::IsEmpty()
{
    return FALSE;
}

void CTKPDockingNode::OnCaptionButtonRectChanged(CTKPDockingPaneCaptionButton* /*pButton*/) {}

BOOL CTKPDockingNode::IsCaptionButtonVisible(CTKPDockingPaneCaptionButton* /*pButton*/)
{
    return TRUE;
}

HWND CTKPDockingNode::GetWindowHandle()
{
    return NULL;
}

BOOL CTKPDockingNode::IsAutoHidden()
{
    return FALSE;
}

void CTKPDockingNode::SaveRecord(TKPDockNodeRecord& record)
{
    record.nType = m_nType;
    record.nDockingCX = m_nDockingCX;
    record.nDockingCY = m_nDockingCY;
}

BOOL CTKPDockingNode::LoadRecord(const TKPDockNodeRecord& record, const CArray<CTKPDockingNode*, CTKPDockingNode*>&)
{
    m_nDockingCX = record.nDockingCX;
    m_nDockingCY = record.nDockingCY;
    return TRUE;
}

CTKPDockingPaneHost* CTKPDockingNode::GetHost() const
{
    return m_pArrangement ? m_pArrangement->GetHost() : NULL;
}

CTKPDockingPaneTheme* CTKPDockingNode::GetTheme() const
{
    CTKPDockingPaneHost* pHost = GetHost();
    return pHost ? pHost->GetTheme() : NULL;
}

void CTKPDockingNode::GetScreenRect(LPRECT lpRect) const
{
    *lpRect = m_rcNode;
    if (m_pSite && m_pSite->GetSafeHwnd())
        ::MapWindowPoints(m_pSite->GetSafeHwnd(), NULL, reinterpret_cast<LPPOINT>(lpRect), 2);
}

CTKPDockingPaneCaptionButton* CTKPDockingNode::FindCaptionButton(int nId) const
{
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); ++i)
        if (m_arrCaptionButtons[i]->GetId() == nId)
            return m_arrCaptionButtons[i];
    return NULL;
}

BOOL CTKPDockingNode::HotTrackCaptionButtons(CPoint pt)
{
    BOOL bHot = FALSE;
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); ++i)
        if (m_arrCaptionButtons[i]->OnMouseMove(pt))
            bHot = TRUE;
    return bHot;
}

void CTKPDockingNode::MarkSiteLayout() const
{
    if (!m_pSite)
        return;
    CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(m_pSite);
    if (pFrame) {
        pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
    } else if (m_pSite->GetSafeHwnd()) {
        CRect rc;
        m_pSite->GetClientRect(&rc);
        m_pSite->PostMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.Width(), rc.Height()));
    }
}

CTKPDockablePane* CTKPDockingNode::AsPane()
{
    return m_nType == tkdock::nodePane ? dynamic_cast<CTKPDockablePane*>(this) : NULL;
}

CTKPDockingPaneTabbedContainer* CTKPDockingNode::AsTabbedContainer()
{
    return m_nType == tkdock::nodeTabbedContainer ? dynamic_cast<CTKPDockingPaneTabbedContainer*>(this) : NULL;
}

CTKPDockingPaneSplitContainer* CTKPDockingNode::AsSplitContainer()
{
    return m_nType == tkdock::nodeSplitContainer ? dynamic_cast<CTKPDockingPaneSplitContainer*>(this) : NULL;
}

CTKPDockingPaneSideBar* CTKPDockingNode::AsSideBar()
{
    return m_nType == tkdock::nodeSideBar ? dynamic_cast<CTKPDockingPaneSideBar*>(this) : NULL;
}

CTKPDockingPaneMiniWnd* CTKPDockingNode::AsMiniWnd()
{
    return m_nType == tkdock::nodeMiniWindow ? dynamic_cast<CTKPDockingPaneMiniWnd*>(this) : NULL;
}

CTKPDockingClientNode::CTKPDockingClientNode(CTKPDockingPaneArrangement* pArrangement)
    : CTKPDockingNode(tkdock::nodeClient, pArrangement)
{
}

BOOL CTKPDockingClientNode::IsEmpty()
{
    CTKPDockingPaneHost* pHost = GetHost();
    return pHost && pHost->m_bClientHidden;
}
