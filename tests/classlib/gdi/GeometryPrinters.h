// Readable failure messages for the geometry types.
#pragma once

#include "classlib/win/Geometry.h"

#include <ostream>

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os) { *os << "(" << p.x << "," << p.y << ")"; }
inline void PrintTo(const CSize& s, std::ostream* os) { *os << s.cx << "x" << s.cy; }
