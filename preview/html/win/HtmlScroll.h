// HtmlScrollProc: virtual scrolling for any window over a content area larger than its client area,
// with scroll bars whose range is 0..100 and whose thumb is sized by the visible share, line, page,
// thumb and wheel scrolling, panning with the left button, and private messages to set the content
// size and read or set the scroll position. A window hands it the messages it does not handle.
#pragma once

#include <windows.h>

enum HtmlScrollMessage : UINT {
    kHtmlScrollSetContent = 0x401,  // wParam content width, lParam content height
    kHtmlScrollSetX = 0x402,        // lParam the position
    kHtmlScrollSetY = 0x403,
    kHtmlScrollGetX = 0x404,  // result the position, also stored at lParam (an int*) when non-zero
    kHtmlScrollGetY = 0x405,
    kHtmlScrollRangeX = 0x406,
    kHtmlScrollRangeY = 0x407,
    kHtmlScrolled = 0x409,  // sent to the window after a scroll: wParam dx, lParam dy (content moved)
};

constexpr int kHtmlScrollLineStep = 10;

// The window procedure's signature; 0 for every message it does not know. A call with four zeros
// frees every window's record.
LRESULT CALLBACK HtmlScrollProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The bar's page size as a share of 100 (clamped to 1..99); returns 100 less it.
int SetScrollPageSize(HWND window, int bar, int percent);

// The thumb position that shows a scroll position (0 when there is no range or no page share).
int HtmlScrollBarPosition(int position, int pagePercent, int range);

// What the table of records holds, for tests.
int HtmlScrollRecordCount();
