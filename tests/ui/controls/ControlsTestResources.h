#pragma once
// Resources of the control tests.
#define IDB_TEST_RED 501
#define IDB_TEST_BLUE 502
