// Resource ids of the command bars: the menu bar's system-command icons (drawn by
// art/make-commandbars-art.sh) and the prompts and questions of the bars.
#pragma once

#define IDB_TKP_SYSTEM_COMMANDS 9407  // restore, minimize, maximize, close; 16 x 16 each

#define IDS_TKP_TOOLBAR_CHANGED 9394  // asked when a customised toolbar of an older version is loaded
#define IDS_TKP_EXPAND 9402           // the expand button of a short menu
#define IDS_TKP_MDI_CLOSE 9403        // the buttons of a maximized MDI child in the menu bar
#define IDS_TKP_MDI_RESTORE 9404
#define IDS_TKP_MDI_MINIMIZE 9405
#define IDS_TKP_TOGGLE_TOOLBAR 59392  // the prompt of the toolbars list's items (0xE800 + the bar's index)
