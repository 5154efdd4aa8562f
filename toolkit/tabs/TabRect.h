// Rectangles between the window layer and the portable row rules.
#pragma once

#include "classlib/win/AfxWin.h"
#include "toolkit/common/TabGeometry.h"

inline tktab::Rect ToTabRect(const RECT& rc)
{
    return tktab::Rect(rc.left, rc.top, rc.right, rc.bottom);
}

inline CRect FromTabRect(const tktab::Rect& rc)
{
    return CRect(rc.left, rc.top, rc.right, rc.bottom);
}
