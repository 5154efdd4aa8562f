#include "toolkit/common/TabGeometry.h"

#include <algorithm>

namespace tktab {

Rect TurnForPosition(const Rect& m, int position)
{
    switch (position) {
    case posLeft:
        return Rect(m.top, m.left, m.bottom, m.right);
    case posBottom:
        return Rect(m.left, m.bottom, m.right, m.top);
    case posRight:
        return Rect(m.bottom, m.left, m.top, m.right);
    default:
        return m;
    }
}

Rect InflateForPosition(const Rect& rect, const Rect& margins, int position)
{
    const Rect t = TurnForPosition(margins, position);
    return Rect(rect.left - t.left, rect.top - t.top, rect.right + t.right, rect.bottom + t.bottom);
}

Rect DeflateForPosition(const Rect& rect, const Rect& margins, int position)
{
    const Rect t = TurnForPosition(margins, position);
    return Rect(rect.left + t.left, rect.top + t.top, rect.right - t.right, rect.bottom - t.bottom);
}

int LengthAlong(const Rect& rect, int position)
{
    return IsVertical(position) ? rect.Height() : rect.Width();
}

int StartAlong(const Rect& rect, int position)
{
    return IsVertical(position) ? rect.top : rect.left;
}

int FarEnd(const Rect& rect, int position)
{
    return IsVertical(position) ? rect.bottom : rect.right;
}

Rect HeaderBand(const Rect& control, int position, int rowCount, int rowHeight, int rowSpacing,
    const Rect& headerMargin, int minThickness)
{
    int band = rowCount * rowHeight + (rowCount - 1) * rowSpacing;
    band = std::max(band, minThickness);
    band += headerMargin.top + headerMargin.bottom;
    Rect r = control;
    switch (position) {
    case posLeft:
        r.right = r.left + band;
        break;
    case posBottom:
        r.top = r.bottom - band;
        break;
    case posRight:
        r.left = r.right - band;
        break;
    default:
        r.bottom = r.top + band;
        break;
    }
    return r;
}

Rect ClientBesideHeader(const Rect& control, const Rect& header, int position)
{
    Rect r = control;
    switch (position) {
    case posLeft:
        r.left = header.right - 1;
        break;
    case posBottom:
        r.bottom = header.top + 1;
        break;
    case posRight:
        r.right = header.left + 1;
        break;
    default:
        r.top = header.bottom - 1;
        break;
    }
    return r;
}

Rect PlaceAtFarEnd(Rect& row, int position, int width, int height)
{
    Rect button;
    if (IsVertical(position)) {
        const int centre = (row.left + row.right) / 2;
        button = Rect(centre - width / 2, row.bottom - height, centre - width / 2 + width, row.bottom);
        row.bottom -= height;
    } else {
        const int middle = (row.top + row.bottom) / 2 + height / 2;
        button = Rect(row.right - width, middle - height, row.right, middle);
        row.right -= width;
    }
    return button;
}

}  // namespace tktab
