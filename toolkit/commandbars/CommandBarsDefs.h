// What the manager side of the command bars (manager, options, key bindings, toolbar, themes) and
// the bar side (bar windows, controls, popups, menu bar, tooltips) share: the numbers of bar kinds,
// positions, control kinds and flags, the layout modes, the private messages a bar sends to its
// site window and the records that go with them. Names that differ between callers are settled in
// the name table of toolkit/README.md.
#pragma once

#include "classlib/win/AfxWin.h"
#include "classlib/win/CControlBar.h"

class CTKPCommandBars;
class CTKPCommandBar;
class CTKPCommandBarsTheme;
class CTKPControl;
class CTKPControls;
class CTKPControlPopup;
class CTKPToolBar;
class CTKPMenuBar;
class CTKPPopupBar;
class CTKPDockBar;
class CTKPBarOptions;
class CTKPKeyBindings;
class CTKPMouseTracker;
class CTKPKeyboardTracker;
class CTKPToolTipManager;
class CTKPImageManager;
class CTKPPropExchange;
class CMenu;

// Bar types (CTKPCommandBar::GetType).
enum TKPBarType {
    tkpBarTypeMenuBar = 0,
    tkpBarTypeNormal = 1,
    tkpBarTypePopup = 2,
};

// Bar positions (CTKPCommandBar::GetPosition). The first four are also the dock bars' order.
enum TKPBarPosition {
    tkpBarTop = 0,
    tkpBarBottom = 1,
    tkpBarLeft = 2,
    tkpBarRight = 3,
    tkpBarFloating = 4,
    tkpBarPopup = 5,
    tkpBarListBox = 6,  // the drop-down list of a combo-box control
    tkpBarNone = 7,
};

// Control kinds (CTKPControl::GetType).
enum TKPControlType {
    tkpControlBare = 0,
    tkpControlButton = 1,
    tkpControlPopup = 2,
    tkpControlButtonPopup = 3,
    tkpControlSplitButtonPopup = 4,
    tkpControlComboBox = 5,
    tkpControlEdit = 6,
    tkpControlCustom = 7,
    tkpControlLabel = 8,
};

inline BOOL TKPIsPopupType(int nType)
{
    return nType == tkpControlPopup || nType == tkpControlButtonPopup || nType == tkpControlSplitButtonPopup;
}

// Hide flags of a control: any set bit hides it.
enum TKPHideFlags {
    tkpHideWrap = 0x02,             // did not fit into its row
    tkpHideDockingVertical = 0x04,  // hidden in a bar docked left or right
    tkpHideScroll = 0x08,           // scrolled out of a popup
    tkpHideCustomize = 0x10,        // removed by the user from a toolbar
    tkpHideExpand = 0x20,           // rarely used, behind the expand button of a short menu
    tkpHideDocTemplate = 0x40,      // not for the active document's menu
};

// Behaviour flags of a control.
enum TKPControlFlags {
    tkpFlagRightAlign = 0x01,        // placed at the far end of the last row
    tkpFlagSkipFocus = 0x02,         // skipped by keyboard navigation
    tkpFlagLeftPopup = 0x04,         // its popup opens towards the left
    tkpFlagManualUpdate = 0x08,      // left alone by the command-UI update
    tkpFlagNoMovable = 0x10,         // neither moved nor a drop target while customising
    tkpFlagControlStretched = 0x20,  // takes the free room of its row
    tkpFlagShowPopupTip = 0x40,      // shows its tooltip also in a popup bar
};

// Bar flags (CTKPCommandBar::GetFlags): where a bar may go and how it lays out.
enum TKPBarFlags {
    tkpFlagAlignTop = 0x01,
    tkpFlagAlignBottom = 0x02,
    tkpFlagAlignLeft = 0x04,
    tkpFlagAlignRight = 0x08,
    tkpFlagAlignAny = 0x0F,
    tkpFlagFloating = 0x10,
    tkpFlagHideWrap = 0x20,   // controls that do not fit are hidden instead of wrapped
    tkpFlagStretched = 0x40,  // the bar spans its dock row and keeps the row to itself
    tkpFlagHideMDIButtons = 0x100 | 0x200 | 0x1000,
    tkpFlagIgnoreSetMenuMessage = 0x400,
    tkpFlagAddMDISysPopup = 0x2000,
    tkpFlagFillGaps = 0x100000,  // fills the gaps to its neighbours in the dock row
};

// Further flags (the bar's style word).
enum TKPBarStyle {
    tkpBarStyleGripper = 0x400000,
};

// Layout modes beyond the class library's LM_ bits.
#define LM_HIDEWRAP 0x80  // one row: what does not fit is hidden instead of wrapped
#define LM_POPUP 0x100    // a floating bar laid out at its remembered width

// Private messages between the command bars and their site window.
#define TKPM_BARVISIBLECHANGED 0x2855    // wParam: bar, lParam: new visible flag
#define TKPM_CONTROLSELECTED 0x2856      // wParam: control or 0
#define TKPM_CUSTOMIZESELCHANGED 0x2857  // the customise selection changed
#define TKPM_TRACKINGMODECHANGED 0x2858  // wParam: the menu bar entering tracking mode
#define TKPM_CONTROLRBUTTONUP 0x2859     // wParam: POINT* (client), lParam: control; 1 = handled
#define TKPM_TRACKINGKEYDOWN 0x285A      // wParam: TKPKEYDOWNSTRUCT*, lParam: bar
#define TKPM_INITCOMMANDSPOPUP 0x285B    // lParam: popup bar about to open
#define TKPM_TOOLBARCONTEXTMENU 0x285C   // wParam: passed through, lParam: the toolbars popup
#define TKPM_POPUPCLOSED 0x285D          // lParam: popup bar that closed
#define TKPM_CREATECONTROL 0x285E        // lParam: TKPCREATECONTROLSTRUCT*; non-zero = filled
#define TKPM_AFTERCREATECONTROL 0x285F   // lParam: TKPCREATECONTROLSTRUCT*
#define TKPM_GETMDICHILDICON 0x2860      // sent to an MDI child: its icon
#define TKPM_CREATECOMMANDBAR 0x2861     // lParam: TKPCREATEBARSTRUCT*
#define TKPM_CONTROLNOTIFY 0x2862        // wParam: control id, lParam: NMTKPCONTROL*

// Notification codes of TKPM_CONTROLNOTIFY.
#define TKPN_EXECUTE 100

// The control notification: the first three fields have the layout of NMHDR.
struct NMTKPCONTROL {
    NMHDR hdr;
    CTKPControl* pControl;
};

// Key record of TKPM_TRACKINGKEYDOWN.
struct TKPKEYDOWNSTRUCT {
    UINT nChar;
    UINT nFlags;
};

// Record of TKPM_CREATECONTROL and TKPM_AFTERCREATECONTROL: one toolbar button or menu item about to
// become a control. The site may change the id, caption, type and style, or supply the control.
struct TKPCREATECONTROLSTRUCT {
    UINT nID;
    CTKPControl* pControl;  // in: null; out: a control made by the site
    BOOL bToolBar;          // from a toolbar resource (TRUE) or a menu (FALSE)
    int nIndex;             // position in the resource or menu
    CMenu* pMenu;           // the menu of a menu item, else null
    CTKPCommandBar* pCommandBar;
    CString strCaption;
    int controlType;  // TKPControlType
    int buttonStyle;  // display style: 0 automatic, 1 caption, 2 image, 3 image and caption
};

// Record of TKPM_CREATECOMMANDBAR. When the manager creates a user bar the record names it
// (bCustomBar TRUE); when a popup control needs a popup bar it asks with its id (bPopup TRUE) and
// the site may answer with a popup bar of its own in pCommandBar (one reference for the caller).
struct TKPCREATEBARSTRUCT {
    CTKPCommandBar* pCommandBar;
    DWORD dwReserved1;
    DWORD dwReserved2;
    BOOL bCustomBar;
    BOOL bTearOffBar;
    LPCTSTR lpcstrCaption;
    UINT nID;
    BOOL bPopup;
};

// Command ids and resources the command bars use.
#define TKP_ID_TOOLBAR_EXPAND 9400
#define TKP_ID_TOOLBAR_CLOSE 9401
#define TKP_ID_POPUPBAR_EXPAND 9402
#define TKP_ID_CUSTOMIZE 35001
#define TKP_ID_TOOLBARLIST 0xE800
#define TKP_IDS_CONFIRM_RESET 9349
#define TKP_IDS_RESET 9395
