// Resource ids of the toolkit's themed controls (the toolkit finds them among the program's own).
#pragma once

#define IDB_TKCAPTION_GLYPHS 9002   // caption glyphs, 16x15 on magenta: pin in, pin out, close
#define IDR_TKCONTROL_MENUS 9014    // popups: 1 the edit's menu, 2 the header's menu
#define IDR_TKHEADER_MENU_ICONS 9015 // toolbar and bitmap: icons of the header's menu
#define IDR_TKEDIT_MENU_ICONS 9017   // toolbar and bitmap: icons of the edit's menu
#define IDC_TKHAND 9973             // the link cursor where the system has no hand cursor

#define ID_TKHEADER_SORT_ASC 9158
#define ID_TKHEADER_SORT_DESC 9159
#define ID_TKHEADER_ALIGN_LEFT 9160
#define ID_TKHEADER_ALIGN_CENTER 9161
#define ID_TKHEADER_ALIGN_RIGHT 9162

// The hyperlink's messages for the shell's error codes.
#define IDS_TKLINK_ERROR_FIRST 9037  // 9037 ... 9049 by code, 9050 any other code
