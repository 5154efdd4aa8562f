#include "toolkit/common/DockGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace tkdock {

int MirrorSide(int side, bool rightToLeft)
{
    if (!rightToLeft)
        return side;
    if (side == sideLeft)
        return sideRight;
    if (side == sideRight)
        return sideLeft;
    return side;
}

bool IsHorizontalSide(int side)
{
    return side == sideLeft || side == sideRight;
}

// ---- Splits ----------------------------------------------------------------------------------

SplitTotals CalcSplitLengths(std::vector<SplitItem>& items, int clientIndex, int extent, int splitterWidth)
{
    SplitTotals t;
    const int n = static_cast<int>(items.size());
    for (int i = 0; i < n; ++i) {
        SplitItem& it = items[static_cast<size_t>(i)];
        it.length = std::max(it.minLength, std::min(it.maxLength, it.dockingLength));
        if (i == clientIndex)
            it.length = 0;
        t.total += it.length;
    }
    t.available = extent - (n - 1) * splitterWidth;
    if (clientIndex >= 0 && clientIndex < n && t.total < t.available) {
        t.clientSlack = t.available - t.total;
        items[static_cast<size_t>(clientIndex)].length = t.clientSlack;
        t.total = t.available;
    }
    if (t.available < 1)
        return t;

    // A child whose share leaves its limits is fixed there and taken out; the others share again.
    // A flag marks it fixed instead of a negative length, so that a limit of 0 (a sibling of a
    // maximised container) is taken out too rather than keeping its old length in the total.
    bool bRestart = true;
    while (bRestart) {
        bRestart = false;
        for (int i = 0; i < n; ++i) {
            SplitItem& it = items[static_cast<size_t>(i)];
            if (it.fixed || t.total == 0)
                continue;
            const long long share = static_cast<long long>(it.length) * t.available / t.total;
            int limit = 0;
            if (share < it.minLength)
                limit = it.minLength;
            else if (share > it.maxLength)
                limit = it.maxLength;
            else
                continue;
            const int old = it.length;
            it.length = -limit;
            it.fixed = true;
            t.available -= limit;
            t.total -= old;
            if (t.available < 0) {
                it.length -= t.available;
                t.available = 0;
                return t;
            }
            bRestart = true;
            break;
        }
    }
    return t;
}

std::vector<std::pair<int, int>> PlaceSplit(
    const std::vector<SplitItem>& items, SplitTotals t, int start, int end, int splitterWidth)
{
    std::vector<std::pair<int, int>> result;
    const int n = static_cast<int>(items.size());
    int pos = start;
    for (int i = 0; i < n; ++i) {
        const int length = items[static_cast<size_t>(i)].length;
        int childEnd = pos;
        if (items[static_cast<size_t>(i)].fixed) {
            childEnd = pos - length;
        } else if (length > 0) {
            const int share = t.total != 0 ? static_cast<int>(static_cast<long long>(length) * t.available / t.total) : 0;
            t.available = std::max(0, t.available - share);
            t.total -= length;
            childEnd = pos + share;
        }
        if (i == n - 1)
            childEnd = end;
        result.emplace_back(pos, childEnd);
        pos = childEnd + splitterWidth;
    }
    return result;
}

bool CalcTrackRange(int bothStart, int bothEnd, int keep, int beforeMin, int beforeMax, int afterMin, int afterMax,
    int splitterWidth, int& rangeStart, int& rangeEnd)
{
    rangeStart = bothStart + std::max(keep, beforeMin);
    rangeEnd = bothEnd - std::max(keep, afterMin + splitterWidth);
    const int both = bothEnd - bothStart;
    if (both > beforeMax)
        rangeEnd = std::min(rangeEnd, bothStart + beforeMax);
    if (both > afterMax)
        rangeStart = std::max(rangeStart, bothEnd - afterMax - splitterWidth);
    return rangeEnd > rangeStart;
}

void ApplySplit(int beforeLength, int afterLength, int barStart, int bothStart, int bothEnd, int splitterWidth,
    bool rightToLeft, int& newBefore, int& newAfter)
{
    // The bar's place is measured against the whole extent of the two children instead of the track
    // range, which put the first child's end away from where the bar was dropped.
    const int sum = beforeLength + afterLength;
    const int extent = bothEnd - bothStart;
    const double ratio = extent > 0 ? static_cast<double>(barStart - bothStart) / extent : 0.0;
    const int cut = static_cast<int>((sum + splitterWidth) * ratio);
    newBefore = rightToLeft ? sum - cut : cut;
    newAfter = sum - newBefore;
}

// ---- Dragging --------------------------------------------------------------------------------

int EdgeTest(const Rect& rect, Point pt, bool inside, bool mayFloat)
{
    double limit = 20.0, factor = 1.0;
    if (inside && !mayFloat) {
        if (rect.Width() > 1 && rect.Height() > 1)
            factor = static_cast<double>(rect.Height()) / rect.Width();
        limit = 32000.0;
    }
    if (rect.Width() == 0 || rect.Height() == 0)
        return -1;
    Rect area = rect;
    if (!inside)
        area = Rect(rect.left - 20, rect.top - 20, rect.right + 20, rect.bottom + 20);
    if (!area.Contains(pt.x, pt.y))
        return -1;
    const int sign = inside ? 1 : -1;
    struct Edge {
        double distance;
        int offset;
        int direction;
    };
    const Edge edges[4] = {
        {static_cast<double>(std::abs(pt.y - rect.top)), pt.y - rect.top, sideTop},
        {static_cast<double>(std::abs(rect.bottom - pt.y)), rect.bottom - pt.y, sideBottom},
        {std::abs(pt.x - rect.left) * factor, pt.x - rect.left, sideLeft},
        {std::abs(rect.right - pt.x) * factor, rect.right - pt.x, sideRight},
    };
    double best = limit;
    int result = -1;
    for (const Edge& e : edges) {
        if (e.distance < best && e.offset * sign >= 0) {
            best = e.distance;
            result = e.direction;
        }
    }
    return result;
}

Rect OffsetRectToContainPoint(const Rect& rect, Point pt)
{
    Rect r = rect;
    int dx = 0, dy = 0;
    if (pt.x < r.left)
        dx = pt.x - r.left;
    else if (pt.x > r.right)
        dx = pt.x - r.right;
    if (pt.y < r.top)
        dy = pt.y - r.top;
    else if (pt.y > r.bottom)
        dy = pt.y - r.bottom;
    return Rect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
}

namespace {

bool FrameContains(const Rect& r, int x, int y)
{
    if (!r.Contains(x, y))
        return false;
    const Rect inner(r.left + 4, r.top + 4, r.right - 4, r.bottom - 4);
    return !inner.Contains(x, y);
}

}  // namespace

void AttachTabSize(const Rect& place, int& height, int& width)
{
    height = std::min(place.Height() / 2, 20);
    width = std::min(place.Width() - 5, 50);
}

void SplitAttachPlace(const Rect& place, Rect& main, Rect& tab)
{
    int th = 0, tw = 0;
    AttachTabSize(place, th, tw);
    main = Rect(place.left, place.top, place.right, place.bottom - th);
    tab = Rect(place.left + 5, main.bottom - 4, place.left + 5 + tw, place.bottom);
}

bool PlaceOutlineContains(const Rect& place, bool attach, int x, int y)
{
    if (!attach)
        return FrameContains(place, x, y);
    Rect main, tab;
    SplitAttachPlace(place, main, tab);
    const Rect both(std::max(main.left, tab.left), std::max(main.top, tab.top), std::min(main.right, tab.right),
        std::min(main.bottom, tab.bottom));
    const Rect junction(both.left + 4, both.top, both.right - 4, both.bottom);
    const bool outline = FrameContains(main, x, y) || FrameContains(tab, x, y);
    return outline != FrameContains(junction, x, y);
}

// ---- Docking stickers ------------------------------------------------------------------------

int DirectionOfPart(int part)
{
    switch (part) {
    case partLeft: return sideLeft;
    case partRight: return sideRight;
    case partTop: return sideTop;
    case partBottom: return sideBottom;
    default: return -1;
    }
}

int PartOfDirection(int direction)
{
    static const int kParts[4] = {partLeft, partRight, partTop, partBottom};
    return direction >= 0 && direction < 4 ? kParts[direction] : 0;
}

void StickerSize(int flags, int style, int& width, int& height)
{
    if (flags & partCentreSticker) {
        width = height = style == 1 ? 89 : 93;
    } else if (flags & (partTop | partBottom)) {
        width = style == 1 ? 29 : 43;
        height = style == 1 ? 32 : 30;
    } else {
        width = style == 1 ? 32 : 30;
        height = style == 1 ? 29 : 43;
    }
}

Rect CentreStickerRect(const Rect& hover, int style)
{
    int w = 0, h = 0;
    StickerSize(partCentreSticker, style, w, h);
    const int cx = (hover.left + hover.right) / 2, cy = (hover.top + hover.bottom) / 2;
    return Rect(cx - w / 2, cy - h / 2, cx - w / 2 + w, cy - h / 2 + h);
}

Rect EdgeStickerRect(const Rect& r, int part, int style)
{
    int w = 0, h = 0;
    StickerSize(part, style, w, h);
    int x = 0, y = 0;
    switch (part) {
    case partTop:
        x = (r.left + r.right) / 2 - w / 2;
        y = r.top + 16;
        break;
    case partLeft:
        x = r.left + 16;
        y = (r.top + r.bottom) / 2 - h / 2;
        break;
    case partBottom:
        x = (r.left + r.right) / 2 - w / 2;
        y = r.bottom - h - 16;
        break;
    default:
        x = r.right - w - 16;
        y = (r.top + r.bottom) / 2 - h / 2;
        break;
    }
    return Rect(x, y, x + w, y + h);
}

namespace {

const StickerRecord kClassic[11] = {
    {25, 0, Rect(0, 0, 43, 30)},      // top arrow
    {0, 25, Rect(30, 33, 60, 76)},    // left arrow
    {25, 63, Rect(43, 0, 86, 30)},    // bottom arrow
    {63, 25, Rect(0, 33, 30, 76)},    // right arrow
    {25, 0, Rect(0, 76, 43, 106)},    // the same, highlighted
    {0, 25, Rect(90, 33, 120, 76)},
    {25, 63, Rect(43, 76, 86, 106)},
    {63, 25, Rect(60, 33, 90, 76)},
    {30, 30, Rect(86, 0, 119, 33)},   // centre tab glyph
    {30, 30, Rect(86, 76, 119, 109)}, // centre tab glyph, highlighted
    {25, 25, Rect(0, 0, 43, 43)},     // centre background (its own picture)
};

const StickerRecord kRound[19] = {
    {30, 0, Rect(61, 29, 90, 59)},    // centre sticker: top, left, bottom, right arrows
    {0, 30, Rect(90, 30, 120, 59)},
    {30, 59, Rect(91, 0, 120, 30)},
    {60, 30, Rect(62, 0, 92, 29)},
    {30, 0, Rect(61, 90, 90, 120)},   // the same, highlighted
    {0, 30, Rect(90, 91, 120, 120)},
    {30, 59, Rect(91, 61, 120, 91)},
    {60, 30, Rect(62, 61, 92, 90)},
    {30, 30, Rect(120, 82, 148, 111)},  // centre tab glyph
    {24, 24, Rect(120, 41, 161, 82)},   // centre background, highlighted
    {24, 24, Rect(120, 0, 161, 41)},    // centre background
    {0, 0, Rect(0, 29, 29, 61)},        // edge stickers: top, left, bottom, right
    {0, 0, Rect(29, 32, 61, 61)},
    {0, 0, Rect(32, 0, 61, 32)},
    {0, 0, Rect(0, 0, 32, 29)},
    {0, 0, Rect(0, 90, 29, 122)},       // the same, highlighted
    {0, 0, Rect(29, 93, 61, 122)},
    {0, 0, Rect(32, 61, 61, 93)},
    {0, 0, Rect(0, 61, 32, 90)},
};

// Arrow parts in drawing order and their record numbers (0 top, 1 left, 2 bottom, 3 right).
const int kArrowParts[4] = {partTop, partLeft, partBottom, partRight};

}  // namespace

const StickerRecord& ClassicStickerRecord(int index)
{
    return kClassic[std::max(0, std::min(10, index))];
}

const StickerRecord& RoundStickerRecord(int index)
{
    return kRound[std::max(0, std::min(18, index))];
}

std::vector<StickerDrawStep> StickerDrawSteps(int flags, int highlighted, int style)
{
    std::vector<StickerDrawStep> steps;
    const bool centre = (flags & partCentreSticker) != 0;
    if (style == 1) {
        if (centre)
            steps.push_back({highlighted == partCentre ? 9 : 10, 0, true});
        for (int i = 0; i < 4; ++i) {
            if (!(flags & kArrowParts[i]))
                continue;
            const bool hot = highlighted == kArrowParts[i];
            if (centre)
                steps.push_back({hot ? i + 4 : i, 0, true});
            else
                steps.push_back({hot ? i + 15 : i + 11, 0, false});
        }
        if (flags & partCentre)
            steps.push_back({8, 0, true});
        return steps;
    }
    if (centre)
        steps.push_back({10, 1, true});
    for (int i = 0; i < 4; ++i) {
        if (!(flags & kArrowParts[i]))
            continue;
        steps.push_back({highlighted == kArrowParts[i] ? i + 4 : i, 0, centre});
    }
    if (flags & partCentre)
        steps.push_back({highlighted == partCentre ? 9 : 8, 0, true});
    return steps;
}

StickerDrawStep StickerHitStep(int part, bool centreSticker, int style)
{
    if (part == partCentre)
        return {10, style == 1 ? 0 : 1, true};
    int i = 0;
    while (i < 3 && kArrowParts[i] != part)
        ++i;
    return {i, 0, centreSticker};
}

// ---- Floating windows ------------------------------------------------------------------------

Rect BringIntoWorkArea(const Rect& rect, const Rect& work)
{
    if (rect.Intersects(work))
        return rect;
    int dx = 0, dy = 0;
    if (rect.right > work.left)
        dx = rect.left >= work.right ? work.right - rect.right : 0;
    else
        dx = work.left - rect.left;
    if (rect.bottom > work.top)
        dy = rect.top >= work.bottom ? work.bottom - rect.bottom : 0;
    else
        dy = work.top - rect.top;
    return Rect(rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy);
}

Rect KeepTopInWorkArea(const Rect& rect, const Rect& work)
{
    if (rect.top >= work.top)
        return rect;
    const int dy = work.top - rect.top;
    return Rect(rect.left, rect.top + dy, rect.right, rect.bottom + dy);
}

int RolledUpHeight(int step, int count, int fullHeight, int captionHeight)
{
    const int h = count > 0 ? step * fullHeight / count : fullHeight;
    return std::max(h, captionHeight + 8);
}

// ---- Auto-hide slide-out ---------------------------------------------------------------------

int SlideThickness(int dockingLength, int minTrack, int maxTrack)
{
    int t = dockingLength + kSlideEdge;
    t = std::min(t, maxTrack);
    return std::max(t, minTrack);
}

Rect SlideFullRect(const Rect& top, int side, int thickness)
{
    Rect r = top;
    switch (side) {
    case sideLeft: r.right = r.left + thickness; break;
    case sideRight: r.left = r.right - thickness; break;
    case sideTop: r.bottom = r.top + thickness; break;
    default: r.top = r.bottom - thickness; break;
    }
    return r;
}

Rect SlideStepRect(const Rect& full, int side, int step, int count)
{
    Rect r = full;
    if (count < 1)
        count = 1;
    switch (side) {
    case sideLeft: r.right = r.left + full.Width() * (step + 1) / count; break;
    case sideRight: r.left = r.right - full.Width() * (step + 1) / count; break;
    case sideTop: r.bottom = r.top + full.Height() * (step + 1) / count; break;
    default: r.top = r.bottom - full.Height() * (step + 1) / count; break;
    }
    return r;
}

void SlideResizeLimits(const Rect& top, const Rect& window, int side, int keep, int minTrack, int maxTrack,
    Rect& limits, Rect& edge)
{
    limits = top;
    edge = window;
    switch (side) {
    case sideLeft:
        limits.left += std::max(minTrack, keep);
        limits.right -= keep;
        if (limits.right - top.left > maxTrack)
            limits.right = top.left + maxTrack;
        edge.left = edge.right - kSlideEdge;
        break;
    case sideRight:
        limits.left += keep;
        limits.right -= std::max(minTrack, keep);
        if (top.right - limits.left > maxTrack)
            limits.left = top.right - maxTrack;
        edge.right = edge.left + kSlideEdge;
        break;
    case sideTop:
        limits.top += std::max(minTrack, keep);
        limits.bottom -= keep;
        if (limits.bottom - top.top > maxTrack)
            limits.bottom = top.top + maxTrack;
        edge.top = edge.bottom - kSlideEdge;
        break;
    default:
        limits.top += keep;
        limits.bottom -= std::max(minTrack, keep);
        if (top.bottom - limits.top > maxTrack)
            limits.top = top.bottom - maxTrack;
        edge.bottom = edge.top + kSlideEdge;
        break;
    }
}

Rect SlideRectFromEdge(const Rect& top, const Rect& edge, int side)
{
    Rect r = edge;
    switch (side) {
    case sideLeft: r.left = top.left; break;
    case sideRight: r.right = top.right; break;
    case sideTop: r.top = top.top; break;
    default: r.bottom = top.bottom; break;
    }
    return r;
}

int SlideDockingLength(const Rect& window, int side)
{
    const int extent = IsHorizontalSide(side) ? window.Width() : window.Height();
    return std::max(0, extent - kSlideEdge);
}

}  // namespace tkdock
