// Resource ids of the drawing-layer test program.
#pragma once

#define IDB_TEST_STRIP 200
#define IDR_TEST_MENU 100
#define ID_TEST_OPEN 1001
#define ID_TEST_SAVE 1002
#define ID_TEST_EXIT 1003
#define ID_TEST_VIEW_LIST 1011
#define ID_TEST_VIEW_ICONS 1012
#define ID_TEST_VIEW_DETAILS 1013

#define IDB_TEST_RED 201
#define IDB_TEST_GREEN 202
#define IDB_TEST_BLUE 203

#define IDD_TEST_PAGE1 300
#define IDD_TEST_PAGE2 301
#define IDC_TEST_EDIT 1101
#define IDC_TEST_COMBO 1102
#define IDC_TEST_LIST 1103

#define IDS_TEST_INDICATOR 400
#define IDS_TEST_PAGE1 401
#define IDS_TEST_PAGE2 402
