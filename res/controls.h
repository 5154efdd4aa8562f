// Resource ids of the program's own controls: the pointers of the hover buttons and trees, and the
// pictures of the mode, tool and image buttons and the frame logo (drawn by
// art/make-controls-art.sh). The first of each pair is the normal picture, the second the one
// shown while the mouse is over the button.
#pragma once

#define IDC_HOVER_POINTER 264    // over a hover button or a tree item
#define IDC_PRESSED_POINTER 265  // while the left button is held

#define IDB_QUICK_SCAN 254       // mode buttons of the start page, 181, 163 and 173 x 203
#define IDB_QUICK_SCAN_HOVER 253
#define IDB_FILE_TRACE 260
#define IDB_FILE_TRACE_HOVER 261
#define IDB_EXTENSIVE_SCAN 259
#define IDB_EXTENSIVE_SCAN_HOVER 258

#define IDB_NEXT 321             // tool buttons of the pages, 74 x 26
#define IDB_NEXT_HOVER 318
#define IDB_BACK 319
#define IDB_BACK_HOVER 320
#define IDB_STOP 324
#define IDB_STOP_HOVER 323
#define IDB_HOME 268
#define IDB_HOME_HOVER 317
#define IDB_SAVE 330
#define IDB_SAVE_HOVER 329
#define IDB_SCAN 344
#define IDB_SCAN_HOVER 345

#define IDB_FIND_SAVE 1104       // the Find dialog's save button, 16 x 16; magenta is transparent
#define IDB_LOGO 183             // the frame logo, 160 x 32; white is transparent
