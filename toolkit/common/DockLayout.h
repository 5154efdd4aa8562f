// A saved arrangement of docking panes as plain records, without windows: one record per node of the
// docking tree (panes, tabbed containers, splitters, floating windows, the client node and the
// auto-hide side panels), the summary that names the root and the client, the exact keys under
// which the settings exchange keeps them, and the checks a loaded arrangement must pass before a
// host builds its nodes from it.
#pragma once

#include "classlib/core/CString.h"
#include "toolkit/common/PropExchange.h"

#include <vector>

namespace tkdock {

// Node type codes.
enum NodeType {
    nodePane = 0,
    nodeTabbedContainer = 1,
    nodeSplitContainer = 2,
    nodeMiniWindow = 3,
    nodeClient = 4,
    nodeSideBar = 5,
    nodeTypeCount = 6
};

// The schema written with a layout; below 10 the panes carry no tab colour, help id or tag.
const int kLayoutSchema = 16;
// Default largest track size of a pane.
const int kMaxTrackSize = 32000;

}  // namespace tkdock

// One node as saved. Layout ids count from 1; 0 names no node.
struct TKPDockNodeRecord {
    int nType = -1;
    int nDockingCX = 0;
    int nDockingCY = 0;

    // Panes.
    CString strTitle;
    int nId = 0;
    int nIconId = -1;
    int nOptions = 0;
    int nDockingHolder = 0;
    int nFloatingHolder = 0;
    int nLastHolder = 0;
    int nMinTrackX = 0;
    int nMinTrackY = 0;
    int nMaxTrackX = tkdock::kMaxTrackSize;
    int nMaxTrackY = tkdock::kMaxTrackSize;
    BOOL bTabExtras = FALSE;  // the next three were exchanged (schema above 9)
    int nTabColor = -1;
    int nHelpId = 0;
    int nTag = 0;

    // Containers: children in order (panes of a tabbed container, children of a splitter,
    // containers of a side panel).
    std::vector<int> children;
    BOOL bHorizontal = FALSE;  // splitters
    int nSelected = 0;         // tabbed containers: the selected pane
    int nDirection = 0;        // side panels: 0 left, 1 right, 2 top, 3 bottom

    // Floating windows.
    int nWindowLeft = 0;
    int nWindowTop = 0;
    int nWindowRight = 0;
    int nWindowBottom = 0;
    BOOL bCollapsed = FALSE;
    int nExpandedHeight = 0;
    int nTopContainer = 0;
};

class CTKPDockLayout {
public:
    // Exchanges one node's keys in its "Pane-%d" section: the docking size, then the keys of its
    // type. A pane's tab colour, help id and tag only when the schema is above 9. FALSE when a
    // loaded count cannot be right or a pane's id is not positive.
    static BOOL ExchangeNode(CTKPPropExchange* pPX, TKPDockNodeRecord& record, int nSchema);

    // Reads a whole layout and checks it (Validate). On FALSE the records are left empty; a cut or
    // damaged archive gives FALSE too.
    BOOL Load(CTKPPropExchange* pPX);
    // Writes the layout: empties the section, the summary's count and schema, every node's type,
    // every node's keys, then the summary's root and client.
    void Save(CTKPPropExchange* pPX) const;

    // TRUE when the records form one sound arrangement: at least two nodes, known types, the top
    // container a splitter and the client a client node, every reference naming a node of a kind
    // its holder may hold, no node held twice, no cycle, one side panel per side, pane ids above 0.
    BOOL Validate() const;

    // The record of a layout id, or null.
    const TKPDockNodeRecord* Find(int nId) const;
    int GetCount() const { return static_cast<int>(m_nodes.size()); }

    std::vector<TKPDockNodeRecord> m_nodes;  // layout id = index + 1
    int m_nSchema = tkdock::kLayoutSchema;
    int m_nTopContainer = 0;
    int m_nClient = 0;

private:
    // Load's reading and checking; archive exceptions pass.
    BOOL LoadRecords(CTKPPropExchange* pPX);
    // The node that holds each node (0 for none), or FALSE when a node is held twice or a
    // reference is of the wrong kind.
    BOOL CollectParents(std::vector<int>& parents) const;
};
