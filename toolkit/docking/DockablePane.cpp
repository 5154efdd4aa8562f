#include "toolkit/docking/DockablePane.h"

#include "toolkit/base/ImageManager.h"
#include "toolkit/docking/DockingPaneArrangement.h"
#include "toolkit/docking/DockingPaneHost.h"
#include "toolkit/docking/DockingPaneTabbedContainer.h"
#include "toolkit/tabs/TabManagerItem.h"

IMPLEMENT_DYNAMIC(CTKPDockablePane, CCmdTarget)

CTKPDockablePane::CTKPDockablePane(CTKPDockingPaneArrangement* pArrangement)
    : CTKPDockingNode(tkdock::nodePane, pArrangement), m_hWndPane(NULL), m_nId(0), m_nIconId(-1), m_dwOptions(0),
      m_nTag(0), m_szMinTrack(0, 0), m_szMaxTrack(tkdock::kMaxTrackSize, tkdock::kMaxTrackSize), m_clrTab((COLORREF)-1),
      m_nHelpId(0)
{
    EnableAutomation();
}

CTKPDockablePane::~CTKPDockablePane() {}

void CTKPDockablePane::SetFocus()
{
    if (!m_hWndPane || !::IsWindow(m_hWndPane))
        return;
    HWND hFocus = ::GetFocus();
    if (hFocus != m_hWndPane && !::IsChild(m_hWndPane, hFocus))
        ::SetFocus(m_hWndPane);
}

BOOL CTKPDockablePane::IsFocused() const
{
    if (!m_hWndPane)
        return FALSE;
    HWND hFocus = ::GetFocus();
    return hFocus != NULL && (hFocus == m_hWndPane || ::IsChild(m_hWndPane, hFocus));
}

CString CTKPDockablePane::GetTitle() const
{
    const int n = m_strTitle.Find(L'\n');
    return n < 0 ? m_strTitle : m_strTitle.Left(n);
}

CString CTKPDockablePane::GetTabCaption() const
{
    const int n = m_strTitle.Find(L'\n');
    return n < 0 ? m_strTitle : m_strTitle.Mid(n + 1);
}

CTKPImageIcon* CTKPDockablePane::GetIcon(int nWidth) const
{
    CTKPDockingPaneHost* pHost = GetHost();
    if (!pHost)
        return NULL;
    return pHost->GetPaneIcon(m_nIconId == -1 ? m_nId : static_cast<UINT>(m_nIconId), nWidth);
}

COLORREF CTKPDockablePane::GetTabColor() const
{
    if (m_clrTab != (COLORREF)-1)
        return m_clrTab;
    if (m_hWndPane && ::IsWindow(m_hWndPane)) {
        const LRESULT lr = ::SendMessageW(m_hWndPane, TKPWM_GETTABCOLOR, 0, 0);
        if (lr != 0)
            return static_cast<COLORREF>(lr);
    }
    // The id counts as unsigned, so a negative one still gives one of the eight colour indexes; its
    // signed remainder gave 0x1000000 less a few, a literal near-white colour instead of an index.
    return TKP_TAB_COLOR_INDEX + (m_nId % 8);
}

void CTKPDockablePane::CopyFrom(CTKPDockablePane* pOther)
{
    m_nDockingCX = pOther->m_nDockingCX;
    m_nDockingCY = pOther->m_nDockingCY;
    m_strTitle = pOther->m_strTitle;
    m_nIconId = pOther->m_nIconId;
    m_dwOptions = pOther->m_dwOptions;
    m_nTag = pOther->m_nTag;
    m_nId = pOther->m_nId;
    m_szMinTrack = pOther->m_szMinTrack;
    m_szMaxTrack = pOther->m_szMaxTrack;
    // The tab colour and help id go along too, where a floated or hidden copy lost its colour and help.
    m_clrTab = pOther->m_clrTab;
    m_nHelpId = pOther->m_nHelpId;
    m_hWndPane = NULL;
}

void CTKPDockablePane::ShowPaneWindow(BOOL bShow)
{
    CTKPDockingPaneHost* pHost = GetHost();
    if (bShow && pHost)
        pHost->Notify(tkpdnPaneShown, reinterpret_cast<LPARAM>(this));
    if (m_hWndPane && ::IsWindow(m_hWndPane))
        ::ShowWindow(m_hWndPane, bShow ? SW_SHOW : SW_HIDE);
}

void CTKPDockablePane::Close()
{
    if (CTKPDockingPaneHost* pHost = GetHost())
        pHost->ClosePane(this);
}

void CTKPDockablePane::Hide()
{
    if (CTKPDockingPaneHost* pHost = GetHost())
        pHost->HidePane(this);
}

CWnd* CTKPDockablePane::GetSite() const
{
    return m_pParentContainer ? m_pParentContainer->GetNodeSite() : NULL;
}

BOOL CTKPDockablePane::IsSelected() const
{
    CTKPDockingPaneTabbedContainer* pContainer =
        m_pParentContainer ? m_pParentContainer->AsTabbedContainer() : NULL;
    return pContainer && pContainer->GetSelectedPane() == this;
}

DWORD CTKPDockablePane::GetEffectiveOptions() const
{
    CTKPDockingPaneHost* pHost = GetHost();
    return m_dwOptions | (pHost ? pHost->m_dwDefaultPaneOptions : 0);
}

void CTKPDockablePane::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    if (m_pParentContainer)
        m_pParentContainer->NotifyParentChanged(FALSE);
}

void CTKPDockablePane::SetDockingSize(CSize sz)
{
    m_nDockingCX = sz.cx;
    m_nDockingCY = sz.cy;
}

void CTKPDockablePane::SetPaneWindow(HWND hWnd)
{
    m_hWndPane = hWnd;
    if (!hWnd)
        return;
    HWND hParent = m_pParentContainer ? m_pParentContainer->GetWindowHandle() : NULL;
    if (hParent) {
        ::SetParent(hWnd, hParent);
        m_pParentContainer->NotifyParentChanged(TRUE);
    } else {
        ::ShowWindow(hWnd, SW_HIDE);
        CTKPDockingPaneHost* pHost = GetHost();
        if (pHost && pHost->GetSafeHwnd())
            ::SetParent(hWnd, pHost->GetSafeHwnd());
    }
}

void CTKPDockablePane::DeleteNode()
{
    InternalRelease();
}

void CTKPDockablePane::GetMinMaxInfo(MINMAXINFO* pInfo)
{
    ZeroMemory(pInfo, sizeof(MINMAXINFO));
    pInfo->ptMinTrackSize.x = m_szMinTrack.cx;
    pInfo->ptMinTrackSize.y = m_szMinTrack.cy;
    pInfo->ptMaxTrackSize.x = m_szMaxTrack.cx;
    pInfo->ptMaxTrackSize.y = m_szMaxTrack.cy;
}

void CTKPDockablePane::OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pLayout)
{
    SetSite(pSite);
    if (pLayout && pLayout->hDWP == NULL)
        return;
    m_rcNode = rect;
    if (!m_pSite || !m_pParentContainer || !m_hWndPane || !::IsWindow(m_hWndPane))
        return;
    // The container's window lies at its node rectangle in the same site (its move may still be
    // deferred), so its client coordinates are the site's less that rectangle's corner.
    CRect rc = rect;
    if (m_pParentContainer->GetWindowHandle())
        rc.OffsetRect(-m_pParentContainer->m_rcNode.TopLeft());
    ::MoveWindow(m_hWndPane, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
}

void CTKPDockablePane::OnIdleUpdate()
{
    if (m_pParentContainer)
        m_pParentContainer->OnIdleUpdate();
}

void CTKPDockablePane::SetParentContainer(CTKPDockingNode* pParent)
{
    m_pParentContainer = pParent;
    if (!m_hWndPane || !::IsWindow(m_hWndPane))
        return;
    if (pParent) {
        HWND hParent = pParent->GetWindowHandle();
        if (hParent && ::GetParent(m_hWndPane) != hParent)
            ::SetParent(m_hWndPane, hParent);
        return;
    }
    ::ShowWindow(m_hWndPane, SW_HIDE);
    CTKPDockingPaneHost* pHost = GetHost();
    if (pHost && pHost->GetSafeHwnd())
        ::SetParent(m_hWndPane, pHost->GetSafeHwnd());
    m_pSite = NULL;
}

BOOL CTKPDockablePane::IsAutoHidden()
{
    return m_pParentContainer ? m_pParentContainer->IsAutoHidden() : FALSE;
}

CTKPDockingNode* CTKPDockablePane::CloneNode(CTKPDockingPaneArrangement* pArrangement, CTKPDockingNodeMap* pMap, DWORD)
{
    return CloneAs<CTKPDockablePane>(pArrangement, pMap, [this](CTKPDockablePane* pClone) { pClone->CopyFrom(this); });
}

void CTKPDockablePane::SaveRecord(TKPDockNodeRecord& r)
{
    CTKPDockingNode::SaveRecord(r);
    r.strTitle = m_strTitle;
    r.nId = static_cast<int>(m_nId);
    r.nIconId = m_nIconId;
    r.nOptions = static_cast<int>(m_dwOptions);
    // Holders are always written (0 for none) instead of left out for a pane the pane list does not
    // know, which shifted every later value of a stream of values.
    r.nDockingHolder = r.nFloatingHolder = r.nLastHolder = 0;
    if (const TKPDockingPaneEntry* pEntry = m_pArrangement ? m_pArrangement->FindPaneEntry(this) : NULL) {
        r.nDockingHolder = pEntry->pDockingHolder ? pEntry->pDockingHolder->m_nLayoutId : 0;
        r.nFloatingHolder = pEntry->pFloatingHolder ? pEntry->pFloatingHolder->m_nLayoutId : 0;
        r.nLastHolder = pEntry->pLastHolder ? pEntry->pLastHolder->m_nLayoutId : 0;
    }
    r.nMinTrackX = m_szMinTrack.cx;
    r.nMinTrackY = m_szMinTrack.cy;
    r.nMaxTrackX = m_szMaxTrack.cx;
    r.nMaxTrackY = m_szMaxTrack.cy;
    r.bTabExtras = TRUE;
    r.nTabColor = static_cast<int>(m_clrTab);
    r.nHelpId = static_cast<int>(m_nHelpId);
    r.nTag = m_nTag;
}

BOOL CTKPDockablePane::LoadRecord(const TKPDockNodeRecord& r, const CArray<CTKPDockingNode*, CTKPDockingNode*>& nodes)
{
    CTKPDockingNode::LoadRecord(r, nodes);
    m_strTitle = r.strTitle;
    m_nId = static_cast<UINT>(r.nId);
    m_nIconId = r.nIconId;
    m_dwOptions = static_cast<DWORD>(r.nOptions);
    m_szMinTrack = CSize(r.nMinTrackX, r.nMinTrackY);
    m_szMaxTrack = CSize(r.nMaxTrackX, r.nMaxTrackY);
    if (r.bTabExtras) {
        m_clrTab = static_cast<COLORREF>(r.nTabColor);
        m_nHelpId = static_cast<UINT>(r.nHelpId);
        m_nTag = r.nTag;
    }
    auto holder = [&](int nId) -> CTKPDockingNode* {
        CTKPDockingNode* pNode = nId > 0 && nId < nodes.GetSize() ? nodes[nId] : NULL;
        return pNode && pNode->AsTabbedContainer() ? pNode : NULL;
    };
    if (m_pArrangement) {
        TKPDockingPaneEntry* pEntry = m_pArrangement->EnsurePaneEntry(this);
        pEntry->pDockingHolder = holder(r.nDockingHolder);
        pEntry->pFloatingHolder = holder(r.nFloatingHolder);
        pEntry->pLastHolder = holder(r.nLastHolder);
    }
    return r.nId > 0;
}
