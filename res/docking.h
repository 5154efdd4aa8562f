// Resource ids of the docking panes (the toolkit finds them among the program's own).
#pragma once

#define IDC_TKSPLIT_HORZ 9970          // pointer over the bars of a side-by-side split
#define IDC_TKSPLIT_VERT 9971          // pointer over the bars of a split one above the other
#define IDB_TKSTICKER_CENTRE 9903      // classic docking sticker: the centre's background
#define IDB_TKSTICKER_BLUE 9904        // classic docking sticker parts in the blue scheme (and others)
#define IDB_TKSTICKER_OLIVE 9905       // ... in the olive scheme
#define IDB_TKSTICKER_SILVER 9906      // ... in the silver scheme
#define IDB_TKSTICKER_ROUND 9910       // the rounded docking stickers

// Caption buttons of panes: their tooltips.
#define IDS_TKPANE_PIN 9900
#define IDS_TKPANE_CLOSE 9901
#define IDS_TKPANE_MAXIMIZE 9907
#define IDS_TKPANE_RESTORE 9908
#define IDS_TKPANE_MENU 9909
// The close command of a floating pane window's system menu.
#define IDS_TKPANE_HIDE 61457
