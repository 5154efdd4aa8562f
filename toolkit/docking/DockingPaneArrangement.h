// One complete layout of a host's docking panes: the tree rooted in a top splitter container, the
// client node, the four auto-hide side panels, the panes with the containers they return to, and
// every node it owns. It lays the tree out in the frame's client area and saves and loads itself
// through the settings exchange.
//
// A new arrangement is window-less: containers make no windows while panes are attached to it, so
// layouts can be built and loaded without a frame. MakeLive gives it windows for its host's site.
#pragma once

#include "toolkit/docking/DockingNode.h"

class CTKPPropExchange;
class CArchive;

// A pane and the containers it goes back to when it is floated, docked, or shown after closing.
struct TKPDockingPaneEntry {
    CTKPDockablePane* pPane;
    CTKPDockingNode* pFloatingHolder;
    CTKPDockingNode* pDockingHolder;
    CTKPDockingNode* pLastHolder;
};

typedef CList<TKPDockingPaneEntry, const TKPDockingPaneEntry&> CTKPDockingPaneList;

class CTKPDockingPaneArrangement : public CCmdTarget {
    DECLARE_DYNAMIC(CTKPDockingPaneArrangement)
public:
    // A client node and a horizontal top splitter holding it, for the host's site.
    explicit CTKPDockingPaneArrangement(CTKPDockingPaneHost* pHost);
    ~CTKPDockingPaneArrangement() override;

    // Ends every node (panes are released), empties the lists, forgets the roots and side panels.
    void FreeNodes();
    // Loads when the exchange loads (the result), else saves (TRUE). A layout that fails to load
    // leaves this arrangement as it was.
    BOOL DoPropExchange(CTKPPropExchange* pPX);
    void Serialize(CArchive& ar) override;

    TKPDockingPaneEntry* FindPaneEntry(const CTKPDockablePane* pPane);
    // The pane's entry, made (without holders) when the pane list does not know the pane yet.
    TKPDockingPaneEntry* EnsurePaneEntry(CTKPDockablePane* pPane);
    // 0 left, 1 right, 2 top, 3 bottom: the side of a node's side panel, or its side of the client.
    int GetNodeSide(CTKPDockingNode* pNode);
    // Moves a pane or container into the side panel of its side.
    void AutoHideNode(CTKPDockingNode* pNode);
    // Side panels along their edges, then the client node and the top container in what is left.
    void RecalcLayout(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pLayout);
    // Every pane of the list whose effective options share no bit with the mask moves into the
    // container.
    void MovePanesToContainer(CTKPDockingPaneTabbedContainer* pContainer, CTKPDockingNodeList& list, DWORD dwMask);
    // Before saving: containers no pane names as holder or parent are taken out, splitters without
    // children removed, single-child chains shortened, floating windows without content removed;
    // holders that named removed nodes are cleared.
    void PurgeUnusedNodes();
    // Gives the arrangement windows: containers with panes and floating windows get theirs, and
    // panes attached from now on make them at once.
    void MakeLive();
    BOOL IsWindowless() const { return m_bWindowless; }

    CTKPDockingPaneHost* GetHost() const { return m_pHost; }
    CTKPDockingPaneSplitContainer* GetTopContainer() const { return m_pTopContainer; }
    void SetTopContainer(CTKPDockingPaneSplitContainer* pTop) { m_pTopContainer = pTop; }
    CTKPDockingNode* GetClientNode() const { return m_pClient; }
    CTKPDockingPaneSideBar* GetSideBar(int nSide) const { return nSide >= 0 && nSide < 4 ? m_pSideBars[nSide] : NULL; }
    void SetSideBar(int nSide, CTKPDockingPaneSideBar* pSideBar);
    CTKPDockingPaneList& GetPaneList() { return m_lstPanes; }
    const CTKPDockingNodeList& GetNodeList() const { return m_lstNodes; }
    // Takes a node out of the node list (its owner ends it).
    void RemoveNode(CTKPDockingNode* pNode);

    CTKPDockingNodeList m_lstNodes;  // every node, in the order of creation

protected:
    BOOL LoadLayout(CTKPPropExchange* pPX);
    void SaveLayout(CTKPPropExchange* pPX);
    // Builds the nodes of a checked layout in place of the present ones; when they cannot be built
    // the present ones stay.
    BOOL BuildFrom(const CTKPDockLayout& layout);
    BOOL BuildNodes(const CTKPDockLayout& layout);
    // Ends the nodes of a list, containers letting go of their panes' windows first.
    static void EndNodes(CTKPDockingNodeList& list);
    // Clears every holder and root that names the node.
    void ForgetNode(CTKPDockingNode* pNode);

    CTKPDockingPaneSplitContainer* m_pTopContainer;
    CTKPDockingNode* m_pClient;
    CTKPDockingPaneList m_lstPanes;
    CTKPDockingPaneSideBar* m_pSideBars[4];
    BOOL m_bWindowless;
    CTKPDockingPaneHost* m_pHost;
};
