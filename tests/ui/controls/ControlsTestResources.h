#pragma once
// Resources of the control tests.
#define IDB_TEST_RED 501
#define IDB_TEST_BLUE 502
#define IDR_TEST_MENU 510
#define IDR_TEST_TOOLBAR 511
#define ID_TEST_OPEN 40001
#define ID_TEST_SAVE 40002
#define ID_TEST_CHIPS 40003
#define ID_TEST_DEEP 40004
// A link pointer, for a copy of the test program that stands in for the help program.
#define IDC_TEST_LINK_POINTER 106
