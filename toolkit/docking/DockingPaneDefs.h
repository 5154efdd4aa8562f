// What the docking panes share with the frame that hosts them: the notification message and its
// records, the action codes a site may veto, pane options, caption button ids, node types and the
// lists the docking classes pass around.
#pragma once

#include "classlib/win/AfxWin.h"
#include "toolkit/common/DockGeometry.h"
#include "toolkit/common/DockLayout.h"

class CTKPDockingNode;
class CTKPDockablePane;
class CTKPDockingPaneArrangement;
class CTKPDockingPaneHost;
class CTKPDockingPaneTheme;
class CTKPDockingPaneCaptionButton;
class CTKPDockingPaneTabbedContainer;
class CTKPDockingPaneSplitContainer;
class CTKPDockingPaneSideBar;
class CTKPDockingPaneMiniWnd;
class CTKPDockingPaneAutoHideWnd;

// Sent to the site frame: wParam one of TKPDockingNotification, lParam as listed there.
#define TKPWM_DOCKINGPANENOTIFY 0x2AAD
// Sent to a pane's window: a non-zero answer is the colour of its tab.
#define TKPWM_GETTABCOLOR 0x28B9

enum TKPDockingNotification {
    tkpdnPaneShown = 1,    // lParam: the pane
    tkpdnContextMenu = 2,  // lParam: the node (a tabbed container, or the pane of a side-panel tab)
    tkpdnPaneClosing = 3,  // lParam: the pane; -1 keeps it
    tkpdnAction = 4,       // lParam: TKPDOCKINGPANEACTION*
    tkpdnPaneMenu = 5      // lParam: TKPDOCKINGPANEMENU*
};

// Actions; the even ones but 14 are announced before they happen and a non-zero result cancels them;
// 14 (like the odd ones) reports what has happened.
enum TKPDockingAction {
    tkpaFloating = 0,
    tkpaFloated = 1,
    tkpaClosing = 2,
    tkpaClosed = 3,
    tkpaDocking = 4,
    tkpaDocked = 5,
    tkpaAttaching = 6,
    tkpaAttached = 7,
    tkpaPinning = 8,
    tkpaPinned = 9,
    tkpaSlidingIn = 10,
    tkpaSlidIn = 11,
    tkpaSlidingOut = 12,
    tkpaSlidOut = 13,
    tkpaActivated = 14,
    tkpaDeactivated = 15,
    tkpaTabDragging = 16
};

struct TKPDOCKINGPANEACTION {
    int nAction;
    int nResult;  // 0 before sending; the site writes non-zero to cancel
    CTKPDockablePane* pPane;
    DWORD_PTR dwParam1;
    DWORD_PTR dwParam2;
};

struct TKPDOCKINGPANEMENU {
    CTKPDockablePane* pPane;
    int x;  // screen point
    int y;
    RECT rc;  // screen rectangle of the menu button; empty for the caption's right button
};

// Pane options.
enum TKPDockingPaneOption {
    tkpoNoClose = 1,
    tkpoNoAutoHide = 2,
    tkpoNoFloat = 4,
    tkpoNoCaption = 8,
    tkpoMenuButton = 16
};

// Caption buttons.
enum TKPDockingCaptionButtonId {
    tkpcbPin = 9900,
    tkpcbClose = 9901,
    tkpcbMaximise = 9907,
    tkpcbRestore = 9908,
    tkpcbMenu = 9909
};

// The pin button's state: bit 0 docked or hidden, bit 1 hidden (the pin points sideways).
enum TKPDockingPinState { tkppFloating = 0, tkppDocked = 1, tkppRolledUp = 2, tkppAutoHidden = 3 };

// Resources of the docking panes: split cursors, sticker pictures, the floating window's "&Hide".
#define TKP_IDC_SPLIT_HORZ 9970
#define TKP_IDC_SPLIT_VERT 9971
#define TKP_IDB_STICKER_CENTRE 9903
#define TKP_IDB_STICKER_BLUE 9904
#define TKP_IDB_STICKER_OLIVE 9905
#define TKP_IDB_STICKER_SILVER 9906
#define TKP_IDB_STICKER_ROUND 9910
#define TKP_IDS_HIDE 61457

// The host's window among the site frame's children (it takes the docking panes' share of the
// frame's client area during the frame's layout).
#define TKP_IDW_DOCKINGPANES 0xE8F0

typedef CList<CTKPDockingNode*, CTKPDockingNode*> CTKPDockingNodeList;
typedef CMap<void*, void*, void*, void*> CTKPDockingNodeMap;           // original -> clone
typedef CArray<CTKPDockingPaneCaptionButton*, CTKPDockingPaneCaptionButton*> CTKPDockingPaneCaptionButtons;
