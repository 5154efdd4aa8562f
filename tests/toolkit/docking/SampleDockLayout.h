// A saved docking layout of every kind of node, made record by record: the layout tests save and
// load it, and the host tests open it as windows.
#pragma once

#include "toolkit/common/DockLayout.h"

#include <utility>
#include <vector>

namespace docksample {

inline TKPDockNodeRecord Node(int type)
{
    TKPDockNodeRecord r;
    r.nType = type;
    return r;
}

inline TKPDockNodeRecord Pane(int id, const wchar_t* title, int dockingHolder, int floatingHolder, int lastHolder)
{
    TKPDockNodeRecord r = Node(tkdock::nodePane);
    r.nId = id;
    r.strTitle = title;
    r.nDockingHolder = dockingHolder;
    r.nFloatingHolder = floatingHolder;
    r.nLastHolder = lastHolder;
    r.nDockingCX = 200;
    r.nDockingCY = 150;
    r.bTabExtras = TRUE;
    return r;
}

inline TKPDockNodeRecord Container(int type, std::vector<int> children)
{
    TKPDockNodeRecord r = Node(type);
    r.children = std::move(children);
    return r;
}

// The client node, a root split holding a tabbed container and a nested split around the client,
// a floating window with its own split and container, and a bottom side panel with a hidden pane.
inline CTKPDockLayout SampleLayout()
{
    CTKPDockLayout l;
    l.m_nodes.push_back(Node(tkdock::nodeClient));                          // 1
    TKPDockNodeRecord top = Container(tkdock::nodeSplitContainer, {3, 4});  // 2
    top.bHorizontal = TRUE;
    l.m_nodes.push_back(top);
    TKPDockNodeRecord a = Container(tkdock::nodeTabbedContainer, {6, 7});  // 3
    a.nSelected = 7;
    a.nDockingCX = 180;
    l.m_nodes.push_back(a);
    l.m_nodes.push_back(Container(tkdock::nodeSplitContainer, {1, 5}));  // 4
    TKPDockNodeRecord b = Container(tkdock::nodeTabbedContainer, {8});   // 5
    b.nSelected = 8;
    b.nDockingCY = 120;
    l.m_nodes.push_back(b);
    TKPDockNodeRecord p6 = Pane(100, L"Files\nF", 3, 11, 3);  // 6
    p6.nOptions = 16;
    p6.nIconId = 7;
    p6.nMinTrackX = 40;
    p6.nMaxTrackY = 600;
    p6.nTabColor = 0x1000003;
    p6.nHelpId = 55;
    p6.nTag = 9;
    l.m_nodes.push_back(p6);
    l.m_nodes.push_back(Pane(101, L"Found", 3, 0, 3));      // 7
    l.m_nodes.push_back(Pane(102, L"Log", 5, 0, 5));        // 8
    TKPDockNodeRecord mini = Node(tkdock::nodeMiniWindow);  // 9
    mini.nWindowLeft = 300;
    mini.nWindowTop = 200;
    mini.nWindowRight = 500;
    mini.nWindowBottom = 400;
    mini.bCollapsed = TRUE;
    mini.nExpandedHeight = 222;
    mini.nTopContainer = 10;
    l.m_nodes.push_back(mini);
    l.m_nodes.push_back(Container(tkdock::nodeSplitContainer, {11}));    // 10
    TKPDockNodeRecord c = Container(tkdock::nodeTabbedContainer, {12});  // 11
    c.nSelected = 12;
    l.m_nodes.push_back(c);
    l.m_nodes.push_back(Pane(103, L"Preview", 0, 11, 11));          // 12
    TKPDockNodeRecord side = Container(tkdock::nodeSideBar, {14});  // 13
    side.nDirection = 3;
    l.m_nodes.push_back(side);
    l.m_nodes.push_back(Container(tkdock::nodeTabbedContainer, {15}));  // 14
    TKPDockNodeRecord p15 = Pane(104, L"Hidden", 5, 0, 14);             // 15
    p15.nOptions = 2;
    l.m_nodes.push_back(p15);
    l.m_nTopContainer = 2;
    l.m_nClient = 1;
    return l;
}

}  // namespace docksample
