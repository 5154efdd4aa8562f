// Where a popup bar opens and how a popup that is too tall scrolls, as plain functions of the
// popup's size, its opener and the monitor's work area (all in screen coordinates).
#pragma once

#include "classlib/win/AfxWin.h"

// Popup flags: bit 0 opens towards the left (the popup's right edge at the anchor), bit 1 drops
// below or above the opener (it lies in a horizontal bar).
enum : DWORD {
    TKPPOPUP_LEFT = 0x1,
    TKPPOPUP_DROPDOWN = 0x2,
};

// The popup's rectangle for a size cx x cy opened at the anchor beside or below the exclude
// rectangle (empty for a plain point) on a work area. dwFlags is updated when the popup flips
// sides. *pbClipped tells that the height was cut to fit (the popup then scrolls).
CRect TKPCalcPopupRect(int cx, int cy, POINT ptAnchor, const RECT& rcExclude, DWORD& dwFlags, const RECT& rcWork,
    BOOL* pbClipped);

// One control of a scrolling popup: its height, the gap above it when it starts a group, whether
// it is hidden for another reason; out: its top (when placed) and whether scrolling hides it.
struct TKPScrollItem {
    int nHeight;
    int nGroupGap;
    BOOL bHidden;
    int nTop;
    BOOL bScrolledOut;
};

// The scroll buttons are this high and span the column.
const int TKP_SCROLL_BUTTON_HEIGHT = 16;

// Places the visible range of a scrolling popup between nTop and nBottom (the area for controls,
// without the expand button). Forward (bKeepLast FALSE) fills from nFirst downwards; backward
// fills upwards from the control before nEnd. Updates nFirst and nEnd (exclusive) and the two
// buttons' vertical extents (empty when not shown).
void TKPLayoutScrollRange(TKPScrollItem* pItems, int nCount, int nTop, int nBottom, BOOL bKeepLast, int& nFirst,
    int& nEnd, int& nUpTop, int& nUpBottom, int& nDownTop, int& nDownBottom);
