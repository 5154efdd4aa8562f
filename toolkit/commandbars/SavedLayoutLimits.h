// Limits on sizes read back from a saved layout. A damaged profile may hold any number: a bar or a
// control takes what it reads only within these bounds, so that its arithmetic cannot overflow and
// its drawing cannot loop for ever.
#pragma once

#include "classlib/win/AfxGdi.h"

#include <algorithm>

// The largest extent, in pixels, that a bar or a control takes from a saved layout.
const int kTKPMaxSavedExtent = 32000;

inline int TKPClampSaved(int nValue, int nMax = kTKPMaxSavedExtent)
{
    return std::min(std::max(nValue, 0), nMax);
}

inline CSize TKPClampSavedSize(CSize size, int nMax = kTKPMaxSavedExtent)
{
    return CSize(TKPClampSaved(size.cx, nMax), TKPClampSaved(size.cy, nMax));
}

// Each side of a rectangle of borders.
inline CRect TKPClampSavedBorders(const CRect& rc)
{
    return CRect(TKPClampSaved(rc.left), TKPClampSaved(rc.top), TKPClampSaved(rc.right), TKPClampSaved(rc.bottom));
}
