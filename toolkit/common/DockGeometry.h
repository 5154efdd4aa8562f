// The arithmetic of docking panes that needs no window: the lengths of a split, the track range and
// new sizes of a dragged splitter bar, the edge a dragged pane would dock to, where the docking
// stickers sit and which of their pictures' parts they show, the outline shown for a place, where
// a floating window may lie, and the geometry of a sliding auto-hide window.
#pragma once

#include "toolkit/common/TabGeometry.h"

#include <utility>
#include <vector>

namespace tkdock {

using Rect = tktab::Rect;

struct Point {
    int x = 0, y = 0;
    Point() = default;
    Point(int px, int py) : x(px), y(py) {}
};

// Docking sides and directions.
enum Side { sideLeft = 0, sideRight = 1, sideTop = 2, sideBottom = 3 };

// Sides 0 and 1 exchanged under right-to-left layout.
int MirrorSide(int side, bool rightToLeft);
bool IsHorizontalSide(int side);  // left or right: a split side by side

// ---- Splits ----------------------------------------------------------------------------------

// One child of a split along its direction. `length` is the working length: a share, or, once the
// child is fixed at one of its limits, minus that extent.
struct SplitItem {
    int dockingLength = 0;
    int minLength = 0;
    int maxLength = 32000;
    int length = 0;
    bool fixed = false;
};

struct SplitTotals {
    int total = 0;
    int available = 0;
    // The slack the client child was given before the shares (0 without one): its docking length.
    int clientSlack = 0;
};

// The lengths of the children in an extent: docking lengths clamped to the limits; the client child
// (index, or -1) takes the slack; shares in proportion, children whose share leaves their limits
// fixed at the limit and the others sharing what remains.
SplitTotals CalcSplitLengths(std::vector<SplitItem>& items, int clientIndex, int extent, int splitterWidth);

// The [start, end) of each child after CalcSplitLengths; the last child reaches `end`.
std::vector<std::pair<int, int>> PlaceSplit(
    const std::vector<SplitItem>& items, SplitTotals totals, int start, int end, int splitterWidth);

// The range for the leading edge of a bar between two children that together cover [bothStart,
// bothEnd): `keep` pixels (at least each child's minimum) stay free at both ends and neither child
// grows past its maximum. FALSE when the range is empty.
bool CalcTrackRange(int bothStart, int bothEnd, int keep, int beforeMin, int beforeMax, int afterMin, int afterMax,
    int splitterWidth, int& rangeStart, int& rangeEnd);

// The new docking lengths of the two children when the bar's leading edge stands at barStart; the
// sum of the two lengths is kept. Right to left, the first child lies on the far side.
void ApplySplit(int beforeLength, int afterLength, int barStart, int bothStart, int bothEnd, int splitterWidth,
    bool rightToLeft, int& newBefore, int& newAfter);

// ---- Dragging --------------------------------------------------------------------------------

// The direction a point near a rectangle's edge docks to, or -1. Inside mode tests points within
// 20 pixels inside the rectangle; when the dragged panes cannot float, every point inside picks its
// nearest edge, horizontal distances scaled by height / width. Outside mode tests points up to 20
// pixels beyond an edge.
int EdgeTest(const Rect& rect, Point pt, bool inside, bool mayFloat);

// The rectangle moved by the least offset that brings the point inside it (a point on an edge is
// inside): a point beyond an edge moves that edge to the point.
Rect OffsetRectToContainPoint(const Rect& rect, Point pt);

// The outline of a place: a 4-pixel frame; for a place that attaches a tab, the frame of the place
// less the tab row with the frame of a small tab below it, open between the two.
bool PlaceOutlineContains(const Rect& place, bool attach, int x, int y);
// The tab cut from an attach place (and the main part left above it).
void SplitAttachPlace(const Rect& place, Rect& main, Rect& tab);
// Height and width of that tab.
void AttachTabSize(const Rect& place, int& height, int& width);

// ---- Docking stickers ------------------------------------------------------------------------

enum StickerPart {
    partLeft = 1,
    partRight = 2,
    partTop = 4,
    partBottom = 8,
    partCentre = 16,
    partCentreSticker = 32,  // flag only: the cross over the hovered container
};

// The docking direction of a part, -1 for the centre.
int DirectionOfPart(int part);
int PartOfDirection(int direction);

// Width and height of a sticker window of the flags (style 1: the rounded set, 0: the classic set).
void StickerSize(int flags, int style, int& width, int& height);
// The centre sticker centred on the hovered rectangle.
Rect CentreStickerRect(const Rect& hover, int style);
// The edge sticker of a part at its side of the top container's rectangle.
Rect EdgeStickerRect(const Rect& top, int part, int style);

// Where one part of a sticker picture is: its offset inside a centre sticker and its source
// rectangle in the picture. Classic records 0-10 (10: the centre background in its own picture),
// rounded records 0-18.
struct StickerRecord {
    int x, y;
    Rect source;
};
const StickerRecord& ClassicStickerRecord(int index);
const StickerRecord& RoundStickerRecord(int index);
// The records a sticker draws, in order, each with the picture it comes from (0 the arrows, 1 the
// classic centre background). A highlighted part draws its highlighted record.
struct StickerDrawStep {
    int record;
    int picture;
    bool atOffset;
};
std::vector<StickerDrawStep> StickerDrawSteps(int flags, int highlighted, int style);
// The record that draws a part for the hit test (never highlighted).
StickerDrawStep StickerHitStep(int part, bool centreSticker, int style);

// ---- Floating windows ------------------------------------------------------------------------

// A rectangle that misses the work area entirely moved back to touch it.
Rect BringIntoWorkArea(const Rect& rect, const Rect& work);
// A floating rectangle whose top lies above the work area moved down to the work area's top.
Rect KeepTopInWorkArea(const Rect& rect, const Rect& work);
// The height of a rolling-up window at a step of the count, never below the caption + 8.
int RolledUpHeight(int step, int count, int fullHeight, int captionHeight);

// ---- Auto-hide slide-out ---------------------------------------------------------------------

// The resize edge of a slide-out window.
const int kSlideEdge = 4;

// The thickness a slide-out opens with: the docking length + the edge, within the track limits.
int SlideThickness(int dockingLength, int minTrack, int maxTrack);
// The fully open window: the top container's rectangle with one edge moved to the thickness.
Rect SlideFullRect(const Rect& top, int side, int thickness);
// The window at a step of the count, growing from the side's edge.
Rect SlideStepRect(const Rect& full, int side, int step, int count);

// Where the inner edge of a slide-out may be dragged: the limits within the top container and the
// 4-pixel edge inside the window. `keep` is the host's layout constant + 4. Limits without width
// (left, right) or height (top, bottom) mean that the window cannot be resized.
void SlideResizeLimits(const Rect& top, const Rect& window, int side, int keep, int minTrack, int maxTrack,
    Rect& limits, Rect& edge);
// The window rectangle when its inner edge rectangle stands at `edge`.
Rect SlideRectFromEdge(const Rect& top, const Rect& edge, int side);
// The docking length kept after a resize: the window's extent less the resize edge.
int SlideDockingLength(const Rect& window, int side);

}  // namespace tkdock
