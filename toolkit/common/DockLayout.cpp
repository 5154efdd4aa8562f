#include "toolkit/common/DockLayout.h"

#include "classlib/core/CException.h"

#include <memory>

namespace {

// More children than this in one node, or nodes in one layout, cannot come from a real program: such
// counts are refused instead of allocated, which let a damaged layout exhaust the memory.
const int kMaxCount = 65536;

typedef std::unique_ptr<CTKPPropExchange> SectionPtr;

CString NumberedKey(LPCTSTR pszPrefix, int n)
{
    CString str;
    str.Format(_T("%s%d"), pszPrefix, n);
    return str;
}

// "Panes" and "Pane-1" ... "Pane-k": layout ids in order. FALSE when a loaded count is impossible.
BOOL ExchangeChildren(CTKPPropExchange* pPX, std::vector<int>& children)
{
    int nCount = static_cast<int>(children.size());
    PropExchangeInt(pPX, _T("Panes"), nCount, 0);
    if (pPX->IsLoading()) {
        if (nCount < 0 || nCount > kMaxCount)
            return FALSE;
        if (static_cast<DWORD>(nCount) > pPX->LimitLoadedCount(static_cast<DWORD>(nCount)))
            return FALSE;
        children.assign(static_cast<size_t>(nCount), 0);
    }
    for (int i = 0; i < nCount; ++i)
        PropExchangeInt(pPX, NumberedKey(_T("Pane-"), i + 1), children[static_cast<size_t>(i)], 0);
    return TRUE;
}

BOOL ExchangePane(CTKPPropExchange* pPX, TKPDockNodeRecord& r, int nSchema)
{
    PropExchangeStringNoDefault(pPX, _T("Title"), r.strTitle);
    PropExchangeInt(pPX, _T("ID"), r.nId, 0);
    PropExchangeInt(pPX, _T("IconID"), r.nIconId, -1);
    PropExchangeInt(pPX, _T("Options"), r.nOptions, 0);
    PropExchangeInt(pPX, _T("DockingHolder"), r.nDockingHolder, 0);
    PropExchangeInt(pPX, _T("FloatingHolder"), r.nFloatingHolder, 0);
    PropExchangeInt(pPX, _T("LastHolder"), r.nLastHolder, 0);
    PropExchangeInt(pPX, _T("MinTrackX"), r.nMinTrackX, 0);
    PropExchangeInt(pPX, _T("MinTrackY"), r.nMinTrackY, 0);
    PropExchangeInt(pPX, _T("MaxTrackX"), r.nMaxTrackX, tkdock::kMaxTrackSize);
    PropExchangeInt(pPX, _T("MaxTrackY"), r.nMaxTrackY, tkdock::kMaxTrackSize);
    r.bTabExtras = nSchema > 9;
    if (r.bTabExtras) {
        PropExchangeInt(pPX, _T("TabColor"), r.nTabColor, -1);
        PropExchangeInt(pPX, _T("HelpId"), r.nHelpId, 0);
        PropExchangeInt(pPX, _T("Tag"), r.nTag, 0);
    }
    return r.nId > 0;
}

void ExchangeMiniWindow(CTKPPropExchange* pPX, TKPDockNodeRecord& r)
{
    PropExchangeInt(pPX, _T("WindowRectTopPos"), r.nWindowTop, 0);
    PropExchangeInt(pPX, _T("WindowRectBottomPos"), r.nWindowBottom, 0);
    PropExchangeInt(pPX, _T("WindowRectLeftPos"), r.nWindowLeft, 0);
    PropExchangeInt(pPX, _T("WindowRectRightPos"), r.nWindowRight, 0);
    PropExchangeBool(pPX, _T("Collapsed"), r.bCollapsed, FALSE);
    PropExchangeInt(pPX, _T("ExpandedHeight"), r.nExpandedHeight, 0);
    // Stored layouts spell the floating window's key this way; the summary's key is "TopContainer".
    PropExchangeInt(pPX, _T("TopContaner"), r.nTopContainer, 0);
}

// Which kinds of node a node of the type may hold.
bool MayHold(int nHolderType, int nChildType)
{
    switch (nHolderType) {
    case tkdock::nodeTabbedContainer:
        return nChildType == tkdock::nodePane;
    case tkdock::nodeSplitContainer:
        return nChildType == tkdock::nodeTabbedContainer || nChildType == tkdock::nodeSplitContainer ||
               nChildType == tkdock::nodeClient;
    case tkdock::nodeSideBar:
        return nChildType == tkdock::nodeTabbedContainer;
    case tkdock::nodeMiniWindow:
        return nChildType == tkdock::nodeSplitContainer;
    default:
        return false;
    }
}

}  // namespace

BOOL CTKPDockLayout::ExchangeNode(CTKPPropExchange* pPX, TKPDockNodeRecord& r, int nSchema)
{
    PropExchangeInt(pPX, _T("DockingCX"), r.nDockingCX, 0);
    PropExchangeInt(pPX, _T("DockingCY"), r.nDockingCY, 0);
    switch (r.nType) {
    case tkdock::nodePane:
        return ExchangePane(pPX, r, nSchema);
    case tkdock::nodeTabbedContainer: {
        // "Panes", then "Selected", then the panes.
        int nCount = static_cast<int>(r.children.size());
        PropExchangeInt(pPX, _T("Panes"), nCount, 0);
        PropExchangeInt(pPX, _T("Selected"), r.nSelected, 0);
        if (pPX->IsLoading()) {
            if (nCount < 0 || nCount > kMaxCount ||
                static_cast<DWORD>(nCount) > pPX->LimitLoadedCount(static_cast<DWORD>(nCount)))
                return FALSE;
            r.children.assign(static_cast<size_t>(nCount), 0);
        }
        for (int i = 0; i < nCount; ++i)
            PropExchangeInt(pPX, NumberedKey(_T("Pane-"), i + 1), r.children[static_cast<size_t>(i)], 0);
        return TRUE;
    }
    case tkdock::nodeSplitContainer:
        PropExchangeBool(pPX, _T("Horiz"), r.bHorizontal, FALSE);
        return ExchangeChildren(pPX, r.children);
    case tkdock::nodeSideBar:
        PropExchangeInt(pPX, _T("Direction"), r.nDirection, 0);
        return ExchangeChildren(pPX, r.children);
    case tkdock::nodeMiniWindow:
        ExchangeMiniWindow(pPX, r);
        return TRUE;
    default:
        return TRUE;
    }
}

BOOL CTKPDockLayout::Load(CTKPPropExchange* pPX)
{
    m_nodes.clear();
    m_nTopContainer = m_nClient = 0;
    BOOL bResult = FALSE;
    try {
        bResult = LoadRecords(pPX);
    } catch (CException* e) {
        // A cut or damaged archive raises inside the exchange: the layout is refused as a whole.
        e->Delete();
    }
    if (!bResult) {
        m_nodes.clear();
        m_nTopContainer = m_nClient = 0;
    }
    return bResult;
}

BOOL CTKPDockLayout::LoadRecords(CTKPPropExchange* pPX)
{
    int nCount = 0;
    {
        SectionPtr summary(pPX->GetSection(_T("Summary")));
        if (!PropExchangeIntNoDefault(summary.get(), _T("Panes"), nCount) || nCount < 2 || nCount > kMaxCount)
            return FALSE;
        if (static_cast<DWORD>(nCount) > summary->LimitLoadedCount(static_cast<DWORD>(nCount)))
            return FALSE;
        PropExchangeInt(summary.get(), _T("Schema"), m_nSchema, tkdock::kLayoutSchema);
    }
    m_nodes.resize(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i) {
        SectionPtr section(pPX->GetSection(NumberedKey(_T("Pane-"), i + 1)));
        TKPDockNodeRecord& r = m_nodes[static_cast<size_t>(i)];
        PropExchangeInt(section.get(), _T("Type"), r.nType, -1);
        if (r.nType < 0 || r.nType >= tkdock::nodeTypeCount)
            return FALSE;
    }
    for (int i = 0; i < nCount; ++i) {
        SectionPtr section(pPX->GetSection(NumberedKey(_T("Pane-"), i + 1)));
        if (!ExchangeNode(section.get(), m_nodes[static_cast<size_t>(i)], m_nSchema))
            return FALSE;
    }
    SectionPtr summary(pPX->GetSection(_T("Summary")));
    if (!PropExchangeIntNoDefault(summary.get(), _T("TopContainer"), m_nTopContainer) ||
        !PropExchangeIntNoDefault(summary.get(), _T("Client"), m_nClient))
        return FALSE;
    return Validate();
}

void CTKPDockLayout::Save(CTKPPropExchange* pPX) const
{
    pPX->EmptySection();
    int nCount = GetCount();
    int nSchema = m_nSchema;
    {
        SectionPtr summary(pPX->GetSection(_T("Summary")));
        PropExchangeIntNoDefault(summary.get(), _T("Panes"), nCount);
        PropExchangeInt(summary.get(), _T("Schema"), nSchema, tkdock::kLayoutSchema);
    }
    for (int i = 0; i < nCount; ++i) {
        SectionPtr section(pPX->GetSection(NumberedKey(_T("Pane-"), i + 1)));
        int nType = m_nodes[static_cast<size_t>(i)].nType;
        PropExchangeInt(section.get(), _T("Type"), nType, -1);
    }
    for (int i = 0; i < nCount; ++i) {
        SectionPtr section(pPX->GetSection(NumberedKey(_T("Pane-"), i + 1)));
        TKPDockNodeRecord r = m_nodes[static_cast<size_t>(i)];
        ExchangeNode(section.get(), r, nSchema);
    }
    SectionPtr summary(pPX->GetSection(_T("Summary")));
    int nTop = m_nTopContainer, nClient = m_nClient;
    PropExchangeIntNoDefault(summary.get(), _T("TopContainer"), nTop);
    PropExchangeIntNoDefault(summary.get(), _T("Client"), nClient);
}

const TKPDockNodeRecord* CTKPDockLayout::Find(int nId) const
{
    if (nId < 1 || nId > GetCount())
        return nullptr;
    return &m_nodes[static_cast<size_t>(nId - 1)];
}

BOOL CTKPDockLayout::CollectParents(std::vector<int>& parents) const
{
    const int n = GetCount();
    parents.assign(static_cast<size_t>(n + 1), 0);
    auto hold = [&](int nHolder, int nChild) {
        const TKPDockNodeRecord* pChild = Find(nChild);
        if (!pChild || nChild == nHolder || !MayHold(Find(nHolder)->nType, pChild->nType))
            return false;
        if (parents[static_cast<size_t>(nChild)] != 0)
            return false;
        parents[static_cast<size_t>(nChild)] = nHolder;
        return true;
    };
    for (int id = 1; id <= n; ++id) {
        const TKPDockNodeRecord& r = m_nodes[static_cast<size_t>(id - 1)];
        if (r.nType == tkdock::nodeMiniWindow) {
            if (r.nTopContainer != 0 && !hold(id, r.nTopContainer))
                return FALSE;
            continue;
        }
        if (r.nType != tkdock::nodeTabbedContainer && r.nType != tkdock::nodeSplitContainer &&
            r.nType != tkdock::nodeSideBar)
            continue;
        for (int nChild : r.children)
            if (!hold(id, nChild))
                return FALSE;
    }
    return TRUE;
}

// Stricter than the keys alone ask: the top container must be a splitter, holders tabbed containers,
// each node held once by a kind that may hold it, without cycles, and one side panel per side; a
// layout that only named a client of type 4 could share nodes, loop forever or name a pane as root.
BOOL CTKPDockLayout::Validate() const
{
    const int n = GetCount();
    if (n < 2)
        return FALSE;
    const TKPDockNodeRecord* pTop = Find(m_nTopContainer);
    const TKPDockNodeRecord* pClient = Find(m_nClient);
    if (!pTop || pTop->nType != tkdock::nodeSplitContainer || !pClient || pClient->nType != tkdock::nodeClient)
        return FALSE;

    bool bSides[4] = {false, false, false, false};
    for (const TKPDockNodeRecord& r : m_nodes) {
        if (r.nType < 0 || r.nType >= tkdock::nodeTypeCount)
            return FALSE;
        if (r.nType == tkdock::nodePane) {
            if (r.nId <= 0)
                return FALSE;
            for (int nHolder : {r.nDockingHolder, r.nFloatingHolder, r.nLastHolder}) {
                const TKPDockNodeRecord* pHolder = Find(nHolder);
                if (nHolder != 0 && (!pHolder || pHolder->nType != tkdock::nodeTabbedContainer))
                    return FALSE;
            }
        } else if (r.nType == tkdock::nodeSideBar) {
            if (r.nDirection < 0 || r.nDirection > 3 || bSides[r.nDirection])
                return FALSE;
            bSides[r.nDirection] = true;
        }
    }

    std::vector<int> parents;
    if (!CollectParents(parents) || parents[static_cast<size_t>(m_nTopContainer)] != 0)
        return FALSE;
    // With one holder per node, a cycle shows as a walk up the holders that never ends.
    for (int id = 1; id <= n; ++id) {
        int nSteps = 0;
        for (int p = parents[static_cast<size_t>(id)]; p != 0; p = parents[static_cast<size_t>(p)])
            if (++nSteps > n)
                return FALSE;
    }
    return TRUE;
}
