// Every element of a docking layout is a node: a pane, a tabbed container, a splitter container, a
// floating window, the client node (the frame's own client area) or an auto-hide side panel. The
// node part carries what containers, the arrangement and the host treat alike: the docking size,
// the parent container, the site window the node shows in, the last layout rectangle, caption
// buttons, and the operations to lay out, clone, save and search nodes.
#pragma once

#include "toolkit/docking/DockingPaneDefs.h"

#include <vector>

class CTKPPropExchange;
struct AFX_SIZEPARENTPARAMS;

class CTKPDockingNode {
public:
    // Takes the host's site frame as its site and joins the arrangement's node list.
    CTKPDockingNode(int nType, CTKPDockingPaneArrangement* pArrangement);
    virtual ~CTKPDockingNode();

    // Ends the object that carries the node.
    virtual void DeleteNode();
    // Repaints the node's window (no erase) when it has one.
    virtual void Invalidate();
    // This node or (containers) one of its descendants.
    virtual BOOL ContainsNode(CTKPDockingNode* pNode);
    // Appends this node when it is of the type (containers walk their children).
    virtual void CollectNodes(int nType, CTKPDockingNodeList& list);
    // Cleared, then the largest track size 32000 by 32000.
    virtual void GetMinMaxInfo(MINMAXINFO* pInfo);
    // Stores the rectangle (site client coordinates) and gives it to the frame's layout record, so
    // that the frame's view is placed there.
    virtual void OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pLayout);
    virtual void OnIdleUpdate();
    virtual void SetSite(CWnd* pSite);
    virtual void SetParentContainer(CTKPDockingNode* pParent);
    virtual void OnChildChanged(CTKPDockingNode* pNode);
    // Passes the notice to the parent container.
    virtual void NotifyParentChanged(BOOL bRecalc);
    virtual void OnParentAttached(CTKPDockingNode* pParent);
    // The node's keys in its section: saved from, or loaded into, a record (Save/LoadRecord).
    virtual BOOL ExchangeState(CTKPPropExchange* pPX);
    // A new node of the same kind for the arrangement with this node's state; the pair (this, clone)
    // goes into the map when one is given.
    virtual CTKPDockingNode* CloneNode(CTKPDockingPaneArrangement* pArrangement, CTKPDockingNodeMap* pMap, DWORD dwFlags);
    virtual void RemoveChild(CTKPDockingNode* pNode);
    virtual BOOL IsEmpty();
    virtual void OnCaptionButtonRectChanged(CTKPDockingPaneCaptionButton* pButton);
    virtual BOOL IsCaptionButtonVisible(CTKPDockingPaneCaptionButton* pButton);
    virtual HWND GetWindowHandle();
    virtual BOOL IsAutoHidden();

    // The record of the node's saved state; layout ids of other nodes come from their m_nLayoutId.
    virtual void SaveRecord(TKPDockNodeRecord& record);
    // Takes a loaded record; `nodes` resolves layout ids (index = id). FALSE for a record this
    // node cannot take.
    virtual BOOL LoadRecord(const TKPDockNodeRecord& record, const CArray<CTKPDockingNode*, CTKPDockingNode*>& nodes);

    CTKPDockingPaneHost* GetHost() const;
    CTKPDockingPaneTheme* GetTheme() const;
    // The layout rectangle in screen coordinates.
    void GetScreenRect(LPRECT lpRect) const;
    CTKPDockingPaneCaptionButton* FindCaptionButton(int nId) const;
    // TRUE when a button became hot.
    BOOL HotTrackCaptionButtons(CPoint pt);
    int GetType() const { return m_nType; }
    CTKPDockingNode* GetParentContainer() const { return m_pParentContainer; }
    CWnd* GetNodeSite() const { return m_pSite; }
    CTKPDockingPaneArrangement* GetArrangement() const { return m_pArrangement; }
    // Marks the site frame's layout for the next idle time (a site that is no frame gets WM_SIZE
    // posted).
    void MarkSiteLayout() const;

    // Down casts by kind (null for another kind).
    CTKPDockablePane* AsPane();
    CTKPDockingPaneTabbedContainer* AsTabbedContainer();
    CTKPDockingPaneSplitContainer* AsSplitContainer();
    CTKPDockingPaneSideBar* AsSideBar();
    CTKPDockingPaneMiniWnd* AsMiniWnd();

    int m_nDockingCX;  // preferred size in a split side by side
    int m_nDockingCY;  // preferred size in a split one above the other
    CTKPDockingPaneArrangement* m_pArrangement;
    CTKPDockingNode* m_pParentContainer;
    CWnd* m_pSite;
    int m_nType;
    CRect m_rcNode;
    CTKPDockingPaneCaptionButtons m_arrCaptionButtons;  // owned
    int m_nLayoutLength;
    int m_nLayoutId;

protected:
    // A new node of this node's type, made by the host for the arrangement (null when none).
    CTKPDockingNode* NewOfSameType(CTKPDockingPaneArrangement* pArrangement) const;
    // Enters the pair (this node, its clone) in the map, when there is one.
    void EnterClone(CTKPDockingNodeMap* pMap, CTKPDockingNode* pClone);
    // A clone made by the host, given this node's state by copy(clone), entered in the map.
    template <class T, class Copy>
    CTKPDockingNode* CloneAs(CTKPDockingPaneArrangement* pArrangement, CTKPDockingNodeMap* pMap, Copy copy)
    {
        CTKPDockingNode* pNode = NewOfSameType(pArrangement);
        T* pClone = dynamic_cast<T*>(pNode);
        if (!pClone)
            return pNode;
        copy(pClone);
        EnterClone(pMap, pNode);
        return pNode;
    }

private:
    CTKPDockingNode(const CTKPDockingNode&) = delete;
    CTKPDockingNode& operator=(const CTKPDockingNode&) = delete;
};

// The frame's own client area in the layout.
class CTKPDockingClientNode : public CTKPDockingNode {
public:
    explicit CTKPDockingClientNode(CTKPDockingPaneArrangement* pArrangement);

    // Empty while the host hides the client area.
    BOOL IsEmpty() override;
};

// The layout ids of the nodes of a list, in order (what a container saves).
template <class List>
std::vector<int> TKPLayoutIdsOf(const List& list)
{
    std::vector<int> ids;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        ids.push_back(list.GetNext(pos)->m_nLayoutId);
    return ids;
}

// The nodes of a list, for range loops.
inline void TKPNodesOf(const CTKPDockingNodeList& list, CArray<CTKPDockingNode*, CTKPDockingNode*>& out)
{
    out.RemoveAll();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        out.Add(list.GetNext(pos));
}

// The coordinates of a window's own (non-client) area, those of its window DC: mirrored in a
// right-to-left window, where x runs from the window's right edge. A screen point in them, and a
// rectangle in them on the screen.
inline CPoint TKPScreenToWindowPoint(HWND hWnd, POINT pt)
{
    RECT rc = {0, 0, 0, 0};
    ::GetWindowRect(hWnd, &rc);
    if (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
        return CPoint(rc.right - 1 - pt.x, pt.y - rc.top);
    return CPoint(pt.x - rc.left, pt.y - rc.top);
}

inline CRect TKPWindowRectToScreen(HWND hWnd, const RECT& r)
{
    RECT rc = {0, 0, 0, 0};
    ::GetWindowRect(hWnd, &rc);
    if (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)
        return CRect(rc.right - 1 - r.right, rc.top + r.top, rc.right - 1 - r.left, rc.top + r.bottom);
    return CRect(rc.left + r.left, rc.top + r.top, rc.left + r.right, rc.top + r.bottom);
}
