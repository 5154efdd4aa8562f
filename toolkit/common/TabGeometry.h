// Geometry of a tab row that does not need a window: a plain rectangle, margins given for a row at
// the top and turned to the side the row runs along, the header band and the client area beside it,
// and the place of a navigation button at the far end of the row.
#pragma once

namespace tktab {

// The edge of the control that a tab row runs along.
enum Position { posTop = 0, posLeft = 1, posBottom = 2, posRight = 3 };

// How tabs are measured and arranged along the row.
enum Layout {
    layoutNatural = 0,     // every tab as wide as its content
    layoutShrink = 1,      // shrunk, longest first, to fit the row
    layoutFixed = 2,       // one fixed width
    layoutCompressed = 3,  // only the selected tab shows its caption
    layoutMultiRow = 4,    // wrapped into several rows
    layoutRotated = 5      // text turned across the row, each tab one row height long
};

inline bool IsVertical(int position)
{
    return position == posLeft || position == posRight;
}

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;

    Rect() = default;
    Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Intersects(const Rect& o) const
    {
        return !IsEmpty() && !o.IsEmpty() && left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool operator==(const Rect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const Rect& o) const { return !(*this == o); }
    void Clear() { left = top = right = bottom = 0; }
};

// Margins given as (left, top, right, bottom) for a row at the top, placed on the sides of a row at
// the position: the "top" value always lies on the side of the control edge the row runs along.
Rect TurnForPosition(const Rect& margins, int position);
// The rectangle grown (Inflate) or shrunk (Deflate) by margins given for a row at the top.
Rect InflateForPosition(const Rect& rect, const Rect& margins, int position);
Rect DeflateForPosition(const Rect& rect, const Rect& margins, int position);

// Extent of a rectangle along the row (width of a horizontal row, height of a vertical one), its
// start and its far end.
int LengthAlong(const Rect& rect, int position);
int StartAlong(const Rect& rect, int position);
int FarEnd(const Rect& rect, int position);

// The band along the control edge that holds the rows: rowCount rows of rowHeight overlapping by
// -rowSpacing, plus the header margin's top and bottom; never thinner than minThickness.
Rect HeaderBand(const Rect& control, int position, int rowCount, int rowHeight, int rowSpacing,
    const Rect& headerMargin, int minThickness);
// The control rectangle less the header band, overlapping the band by one pixel.
Rect ClientBesideHeader(const Rect& control, const Rect& header, int position);

// Places a button of the size at the far end of the row rectangle (the right end, centred across a
// horizontal row; the bottom end, centred across a vertical one) and takes it off the row.
Rect PlaceAtFarEnd(Rect& row, int position, int width, int height);

}  // namespace tktab
