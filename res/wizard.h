// Resource, command and control ids of the wizard: the main frame's menu, toolbar and status bar,
// the pages and their panes, and the wizard's dialogs (art drawn by art/make-wizard-art.sh).
#pragma once

// Commands of the menu 128 and the "Standard" toolbar 331.
#define ID_OPEN_IMAGE 32818
#define ID_RECOVER_SELECTED 32777
#define ID_SAVE_ALL 32810
#define ID_SAVE_SNAPSHOT 32811
#define ID_LOAD_SNAPSHOT 32781
#define ID_EXIT_PROGRAM 32809
#define ID_VIEW_ICONS 32782
#define ID_VIEW_LIST_MODE 59410
#define ID_VIEW_DETAILS 59411
#define ID_FIND_FILES 32785
#define ID_FILE_FILTERS 32786
#define ID_RECOVERY_SETTINGS 32787
#define ID_DRIVE_INFORMATION 32788
#define ID_HELP_CONTENTS 57670
#define ID_ABOUT_PROGRAM 57664  // the class library's About command
#define ID_PRINT_COMMAND 57607  // hidden from the menus
#define ID_PRINT_PREVIEW_COMMAND 57609

// Commands of the pages.
#define ID_QUICK_SCAN 131  // start page: the mode buttons
#define ID_FILE_TRACE 132
#define ID_EXTENSIVE_SCAN 133
#define ID_STOP_WORKER 132  // pages 1 to 3: Stop (page 0 has no Stop)
#define ID_PAGE_NEXT 159    // Next, Scan or Save
#define ID_PAGE_BACK 160
#define ID_PAGE_HOME 61481
#define ID_BROWSE_IMAGE 61491
#define ID_HIDE_PROGRESS 61486
#define ID_CHECK_TREE_ITEM 32003
#define ID_UNCHECK_TREE_ITEM 32004

// The frame's status bar: its pane with the support link and its string.
#define ID_INDICATOR_SUPPORT 101
#define ID_STATUS_BAR 0xE801

// Controls of the pages.
#define IDC_MODE_LABEL 1126   // start page: "VHD/VHDX"
#define IDC_IMAGE_PATH 61492  // start page: the image file's path
#define IDC_DRIVE_TREE 156    // drive page: the device tree
#define IDC_PAGE_SPLITTER 157
#define IDC_PARTITION_TREE 162  // partition page: the device tree
#define IDC_HELP_GROUP 61479
#define IDC_EMPTY_STATIC 9006

// Controls of the information panes (drive page and partition page).
#define IDC_DRIVE_CAPTION 32822      // "Selected Drive Information"
#define IDC_PARTITION_CAPTION 32823  // "Partition Information"
#define IDC_PANE_PROGRESS 61457
#define IDC_PANE_STATUS 61482
#define IDC_PANE_PROMPT 170
#define IDC_PANE_NOTE 61487    // the note beside "Hide Progress"
#define IDC_ROW_LABEL_1 61401  // labels of the five rows: 61401 to 61405
#define IDC_ROW_VALUE_1 61411  // values of the five rows: 61411 to 61415
#define IDC_FS_LABEL 61421     // "Select File System"
#define IDC_START_LABEL 61422
#define IDC_END_LABEL 61423
#define IDC_FILE_SYSTEM_CHOICE 61463
#define IDC_START_SECTOR 61462
#define IDC_END_SECTOR 61461
#define IDC_CAPACITY_PIE 61424
#define IDC_DRIVE_GROUP 61425
#define IDC_PARTITION_GROUP 61426
#define IDC_SEARCH_NOTE 61427  // "Searching for lost data. Please wait..."

// Dialogs.
#define IDD_ABOUT 100
#define IDC_ABOUT_PICTURE 1001
#define IDC_ABOUT_PRODUCT 1002
#define IDC_ABOUT_VERSION 1003
#define IDC_ABOUT_MAKER 1004
#define IDC_ABOUT_WEB 1005
#define IDC_ABOUT_SUPPORT 1006
#define IDC_ABOUT_SALES 1007
#define IDC_ABOUT_PRODUCTS 1008
#define IDD_PROGRESS 226
#define IDC_PROGRESS_PERCENT 1082
#define IDC_PROGRESS_BAR 1083
#define IDD_PARTITION_TYPE 301
#define IDC_USE_EXISTING_PARTITIONS 1091
#define IDC_SEARCH_PARTITIONS 1092
#define IDC_PARTITION_TYPE_BUTTON 1093
#define IDC_PARTITION_TYPE_CAPTION 1132

// Bitmaps.
#define IDB_TREE_CHECKS 200
#define IDB_DIALOG_SKIN 202
#define IDB_START_BACKGROUND 251
#define IDB_PAGE_BACKGROUND 252
#define IDB_START_HEADER_LEFT 269
#define IDB_START_HEADER_RIGHT 274
#define IDB_START_HEADER_MIDDLE 276
#define IDB_PAGE_HEADER_PLAIN 273
#define IDB_PAGE_HEADER_MIDDLE 275
#define IDB_DRIVE_HEADER 277
#define IDB_DRIVE_HEADER_BUSY 282
#define IDB_PARTITION_HEADER_DRIVE 278
#define IDB_PARTITION_HEADER_BUSY 279
#define IDB_RESULTS_HEADER 281
#define IDB_PARTITION_HEADER_QUICK 283
#define IDB_FILESYSTEM_HEADER 284
#define IDB_PARTITION_HEADER_DEEP 285
#define IDB_ABOUT_PICTURE 368
#define IDR_STANDARD_TOOLBAR 331  // toolbar and its strip

// Icons.
#define IDI_TREE_FOLDER 148
#define IDI_TREE_NETWORK 151
#define IDI_TREE_CD 152
#define IDI_TREE_REMOVABLE 153
#define IDI_TREE_FLOPPY 154
#define IDI_TREE_DISK 155
#define IDI_TREE_COMPUTER 179
#define IDI_TOOL_OPEN 342
#define IDI_TOOL_RECOVER 242
#define IDI_TOOL_SAVE_SNAPSHOT 189
#define IDI_TOOL_LOAD_SNAPSHOT 190
#define IDI_TOOL_FIND 236
#define IDI_TOOL_SETTINGS 188
#define IDI_TOOL_HELP 185

// Pointers.
#define IDC_TREE_BUSY_POINTER 249
#define IDC_TREE_ITEM_POINTER 250

// Strings.
#define IDS_PROGRESS_CAPTION 61465
