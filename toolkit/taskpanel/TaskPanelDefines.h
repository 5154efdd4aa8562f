// Names shared by the task panel's window, data model and themes: item kinds, drag permissions,
// notification codes and the "not set" sentinel of margins.
#pragma once

#include "classlib/win/AfxWin.h"

class CTKPTaskPanelGroup;

// Kinds of task panel items.
enum TKPTaskPanelItemType {
    tkpTaskItemTypeGroup = 0,    // a collapsible group
    tkpTaskItemTypeLink = 1,     // a clickable link
    tkpTaskItemTypeText = 2,     // a line of text
    tkpTaskItemTypeControl = 3,  // a hosted control window
};

// Drag permissions of an item, a group or the panel.
enum TKPTaskPanelDragFlags {
    tkpTaskDragNone = 0x00,
    tkpTaskDragInherit = 0x01,  // the value of the group, then of the panel
    tkpTaskDragCopyWithinGroup = 0x02,
    tkpTaskDragCopyWithinPanel = 0x04,
    tkpTaskDragCopyOutside = 0x08,  // as text to other programs
    tkpTaskDragMoveWithinGroup = 0x20,
    tkpTaskDragMoveWithinPanel = 0x40,
    tkpTaskDragMoveOutside = 0x80,
    tkpTaskDragAllowCopy = 0x0E,
    tkpTaskDragAllowMove = 0xE0,
    tkpTaskDragDefault = 0xCC,  // what an item may do when nobody says otherwise
};

// Item layouts of a group.
enum TKPTaskPanelItemLayout {
    tkpTaskItemLayoutDefault = 0,              // the panel's
    tkpTaskItemLayoutImages = 1,               // icons only, in a grid
    tkpTaskItemLayoutImagesWithText = 2,       // icon with the caption beside it
    tkpTaskItemLayoutImagesWithTextBelow = 3,  // icon above a centred caption
};

// Hot-tracking styles.
enum TKPTaskPanelHotTrackStyle {
    tkpTaskHotTrackDefault = 0,  // by the panel's behaviour
    tkpTaskHotTrackText = 1,     // hot links are underlined
    tkpTaskHotTrackImage = 2,    // the image of a hot item is framed
    tkpTaskHotTrackItem = 3,     // the whole hot item is highlighted
    tkpTaskHotTrackNone = 4,
};

// Panel behaviours.
enum TKPTaskPanelBehaviour {
    tkpTaskPanelBehaviourExplorer = 0,  // every group opens and closes by itself
    tkpTaskPanelBehaviourList = 1,      // one active group open at a time, its items scroll inside it
    tkpTaskPanelBehaviourToolbox = 2,
};

// Animation modes.
enum TKPTaskPanelAnimation {
    tkpTaskAnimationYes = 0,
    tkpTaskAnimationNo = 1,
    tkpTaskAnimationSystem = 2,  // as the system animates menus
};

// The panel's notification to its owner: wParam is one of the codes below, lParam the parameter.
const UINT TKPWM_TASKPANEL_NOTIFY = 0x27EC;

enum TKPTaskPanelNotifyCode {
    tkpTPN_Click = 1,               // an item was clicked (lParam: the item)
    tkpTPN_RClick = 2,              // right button on an item that takes the focus
    tkpTPN_StartDrag = 3,           // an item drag starts; answer -1 to cancel
    tkpTPN_ItemRename = 4,          // an item is renamed; a non-zero answer keeps the old caption
    tkpTPN_ItemDrop = 5,            // an item was dropped into the panel (lParam: the new item)
    tkpTPN_GroupExpanding = 6,      // lParam: TKPTASKPANELGROUPEXPANDING*; answer -1 to cancel
    tkpTPN_GroupExpanded = 7,       // a group's opening or closing animation has finished
    tkpTPN_DblClick = 8,            // an item was double-clicked
    tkpTPN_FocusedItemChanged = 9,  // lParam 0
};

struct TKPTASKPANELGROUPEXPANDING {
    CTKPTaskPanelGroup* pGroup;
    BOOL bExpanding;
};

// A margin side, spacing or padding of this value is not set: the theme's value counts.
const int TKP_TASKPANEL_DEFAULT = (int)0x80000000;

inline CRect TKPDefaultMargins()
{
    return CRect(TKP_TASKPANEL_DEFAULT, TKP_TASKPANEL_DEFAULT, TKP_TASKPANEL_DEFAULT, TKP_TASKPANEL_DEFAULT);
}

// Each side of the own rectangle unless it is the sentinel, else the default's.
inline CRect TKPResolveMargins(const CRect& rcOwn, const CRect& rcDefault)
{
    return CRect(rcOwn.left == TKP_TASKPANEL_DEFAULT ? rcDefault.left : rcOwn.left,
        rcOwn.top == TKP_TASKPANEL_DEFAULT ? rcDefault.top : rcOwn.top,
        rcOwn.right == TKP_TASKPANEL_DEFAULT ? rcDefault.right : rcOwn.right,
        rcOwn.bottom == TKP_TASKPANEL_DEFAULT ? rcDefault.bottom : rcOwn.bottom);
}
