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
