// The docking arithmetic without windows: split lengths, splitter ranges, docking edges, outlines,
// stickers, floating and sliding windows.
#include "toolkit/common/DockGeometry.h"

#include <gtest/gtest.h>

using namespace tkdock;

namespace {

SplitItem Item(int docking, int minLength = 0, int maxLength = 32000)
{
    SplitItem it;
    it.dockingLength = docking;
    it.minLength = minLength;
    it.maxLength = maxLength;
    return it;
}

std::vector<int> Widths(const std::vector<std::pair<int, int>>& places)
{
    std::vector<int> w;
    for (const auto& p : places)
        w.push_back(p.second - p.first);
    return w;
}

TEST(DockSplit, ClientTakesTheSlack)
{
    std::vector<SplitItem> items = {Item(100), Item(0), Item(100)};
    const SplitTotals t = CalcSplitLengths(items, 1, 500, 4);
    EXPECT_EQ(t.available, 492);
    EXPECT_EQ(t.total, 492);
    EXPECT_EQ(items[1].length, 292);
    EXPECT_EQ(t.clientSlack, 292);
    const auto places = PlaceSplit(items, t, 0, 500, 4);
    EXPECT_EQ(Widths(places), (std::vector<int>{100, 292, 100}));
    EXPECT_EQ(places[1].first, 104);
    EXPECT_EQ(places[2].first, 400);
}

TEST(DockSplit, TheClientsSlackStaysWhatItWasGivenWhenItsShareIsHeldAtALimit)
{
    // 392 of slack, but the client side may be at most 250 wide: it is fixed there, the other
    // child takes the rest, and the slack is still 392.
    std::vector<SplitItem> items = {Item(100), Item(0, 0, 250)};
    const SplitTotals t = CalcSplitLengths(items, 1, 496, 4);
    EXPECT_EQ(t.clientSlack, 392);
    EXPECT_EQ(items[1].length, -250);
    EXPECT_EQ(Widths(PlaceSplit(items, t, 0, 496, 4)), (std::vector<int>{242, 250}));
    // Without slack the client side has none, whatever its minimum holds it at.
    std::vector<SplitItem> full = {Item(400), Item(0, 60), Item(400)};
    const SplitTotals u = CalcSplitLengths(full, 1, 500, 4);
    EXPECT_EQ(u.clientSlack, 0);
    EXPECT_EQ(full[1].length, -60);
}

TEST(DockSplit, SharesAreProportionalWithoutClient)
{
    std::vector<SplitItem> items = {Item(100), Item(300)};
    const SplitTotals t = CalcSplitLengths(items, -1, 204, 4);
    EXPECT_EQ(Widths(PlaceSplit(items, t, 0, 204, 4)), (std::vector<int>{50, 150}));
}

TEST(DockSplit, ShareBelowMinimumIsFixedAndOthersShareTheRest)
{
    // 10 of 410 would give the first child 10 pixels of 200; its minimum 60 holds instead.
    std::vector<SplitItem> items = {Item(10, 60), Item(200), Item(200)};
    const SplitTotals t = CalcSplitLengths(items, -1, 208, 4);
    EXPECT_EQ(items[0].length, -60);
    const auto w = Widths(PlaceSplit(items, t, 0, 208, 4));
    EXPECT_EQ(w[0], 60);
    EXPECT_EQ(w[1] + w[2], 200 - 60);
    EXPECT_EQ(w[1], 70);
}

TEST(DockSplit, ShareAboveMaximumIsFixed)
{
    std::vector<SplitItem> items = {Item(100, 0, 120), Item(100)};
    const SplitTotals t = CalcSplitLengths(items, -1, 404, 4);
    EXPECT_EQ(Widths(PlaceSplit(items, t, 0, 404, 4)), (std::vector<int>{120, 280}));
}

TEST(DockSplit, OverdrawnMinimumsShrinkTheLastFixedChild)
{
    std::vector<SplitItem> items = {Item(100, 80), Item(100, 80)};
    const SplitTotals t = CalcSplitLengths(items, -1, 104, 4);
    EXPECT_EQ(t.available, 0);
    const auto w = Widths(PlaceSplit(items, t, 0, 104, 4));
    EXPECT_EQ(w[0], 80);
    EXPECT_EQ(w[1], 20);
}

TEST(DockSplit, NoRoomLeavesLengthsAsClamped)
{
    std::vector<SplitItem> items = {Item(100), Item(50)};
    const SplitTotals t = CalcSplitLengths(items, -1, 4, 4);
    EXPECT_EQ(t.available, 0);
    EXPECT_EQ(items[0].length, 100);
}

TEST(DockSplitterBar, TrackRangeKeepsTheLayoutConstantAndMinimums)
{
    int start = 0, end = 0;
    ASSERT_TRUE(CalcTrackRange(0, 500, 22, 0, 32000, 0, 32000, 4, start, end));
    EXPECT_EQ(start, 22);
    EXPECT_EQ(end, 478);
    ASSERT_TRUE(CalcTrackRange(0, 500, 22, 100, 32000, 50, 32000, 4, start, end));
    EXPECT_EQ(start, 100);
    EXPECT_EQ(end, 446);
    // Neither child may grow past its maximum.
    ASSERT_TRUE(CalcTrackRange(0, 500, 22, 0, 300, 0, 250, 4, start, end));
    EXPECT_EQ(end, 300);
    EXPECT_EQ(start, 500 - 250 - 4);
    EXPECT_FALSE(CalcTrackRange(0, 40, 22, 0, 32000, 0, 32000, 4, start, end));
}

TEST(DockSplitterBar, SplitKeepsTheSumAndFollowsTheBar)
{
    int before = 0, after = 0;
    // Two children of 200 and 296 with a 4-pixel bar between them over [0, 500).
    ApplySplit(200, 296, 150, 0, 500, 4, false, before, after);
    EXPECT_EQ(before + after, 496);
    EXPECT_EQ(before, 150);
    ApplySplit(200, 296, 22, 0, 500, 4, false, before, after);
    EXPECT_EQ(before, 22);
    // Right to left the first child lies beyond the bar.
    ApplySplit(200, 296, 150, 0, 500, 4, true, before, after);
    EXPECT_EQ(before + after, 496);
    EXPECT_EQ(before, 496 - 150);
}

TEST(DockEdge, InsideModePicksAnEdgeWithinTwentyPixels)
{
    const Rect r(100, 100, 300, 200);
    EXPECT_EQ(EdgeTest(r, Point(150, 105), true, true), sideTop);
    EXPECT_EQ(EdgeTest(r, Point(150, 195), true, true), sideBottom);
    EXPECT_EQ(EdgeTest(r, Point(110, 150), true, true), sideLeft);
    EXPECT_EQ(EdgeTest(r, Point(290, 150), true, true), sideRight);
    EXPECT_EQ(EdgeTest(r, Point(200, 150), true, true), -1);
    EXPECT_EQ(EdgeTest(r, Point(200, 120), true, true), -1);
    EXPECT_EQ(EdgeTest(r, Point(50, 150), true, true), -1);
    // A tie keeps the earlier edge: top before left.
    EXPECT_EQ(EdgeTest(r, Point(105, 105), true, true), sideTop);
}

TEST(DockEdge, OutsideModeNeedsThePointBeyondTheEdge)
{
    const Rect r(100, 100, 300, 200);
    EXPECT_EQ(EdgeTest(r, Point(200, 100), false, true), sideTop);  // on the edge: offset 0 counts
    EXPECT_EQ(EdgeTest(r, Point(200, 90), false, true), sideTop);
    EXPECT_EQ(EdgeTest(r, Point(200, 80), false, true), -1);  // 20 pixels away
    EXPECT_EQ(EdgeTest(r, Point(310, 150), false, true), sideRight);
    EXPECT_EQ(EdgeTest(r, Point(200, 150), false, true), -1);  // inside is no edge from outside
    EXPECT_EQ(EdgeTest(Rect(100, 100, 100, 200), Point(100, 150), false, true), -1);
}

TEST(DockEdge, PanesThatCannotFloatPickTheNearestScaledEdge)
{
    // 400 wide, 100 high: horizontal distances count a quarter.
    const Rect r(0, 0, 400, 100);
    EXPECT_EQ(EdgeTest(r, Point(200, 50), true, false), sideTop);
    EXPECT_EQ(EdgeTest(r, Point(150, 50), true, false), sideLeft);  // 150 * 0.25 < 50
    EXPECT_EQ(EdgeTest(r, Point(200, 70), true, false), sideBottom);
    EXPECT_EQ(EdgeTest(r, Point(300, 60), true, false), sideRight);  // 100 * 0.25 < 40
    EXPECT_EQ(EdgeTest(r, Point(390, 50), true, false), sideRight);
}

TEST(DockDrag, RectangleMovesToContainThePoint)
{
    const Rect r(10, 10, 110, 60);
    EXPECT_TRUE(OffsetRectToContainPoint(r, Point(50, 30)) == r);
    EXPECT_TRUE(OffsetRectToContainPoint(r, Point(0, 30)) == Rect(0, 10, 100, 60));
    EXPECT_TRUE(OffsetRectToContainPoint(r, Point(200, 100)) == Rect(100, 50, 200, 100));
    // A point on an edge counts as inside.
    EXPECT_TRUE(OffsetRectToContainPoint(r, Point(110, 60)) == r);
}

TEST(DockOutline, PlainPlaceIsAFourPixelFrame)
{
    const Rect place(0, 0, 100, 80);
    EXPECT_TRUE(PlaceOutlineContains(place, false, 0, 0));
    EXPECT_TRUE(PlaceOutlineContains(place, false, 3, 40));
    EXPECT_FALSE(PlaceOutlineContains(place, false, 4, 40));
    EXPECT_TRUE(PlaceOutlineContains(place, false, 99, 79));
    EXPECT_FALSE(PlaceOutlineContains(place, false, 100, 40));
}

TEST(DockOutline, AttachPlaceHasAnOpenTabBelow)
{
    const Rect place(0, 0, 100, 80);
    Rect main, tab;
    SplitAttachPlace(place, main, tab);
    EXPECT_TRUE(main == Rect(0, 0, 100, 60));
    EXPECT_TRUE(tab == Rect(5, 56, 55, 80));
    // The main part's bottom line is open over the tab (between the tab's side lines)...
    EXPECT_FALSE(PlaceOutlineContains(place, true, 30, 58));
    // ... and closed beside it.
    EXPECT_TRUE(PlaceOutlineContains(place, true, 80, 58));
    EXPECT_TRUE(PlaceOutlineContains(place, true, 6, 58));
    EXPECT_TRUE(PlaceOutlineContains(place, true, 30, 78));
    EXPECT_FALSE(PlaceOutlineContains(place, true, 80, 70));
    // A small place keeps a tab half its height.
    int h = 0, w = 0;
    AttachTabSize(Rect(0, 0, 30, 16), h, w);
    EXPECT_EQ(h, 8);
    EXPECT_EQ(w, 25);
}

TEST(DockStickers, PlacesAroundTheTopContainerAndTheHoveredArea)
{
    const Rect top(0, 0, 800, 600);
    EXPECT_TRUE(EdgeStickerRect(top, partTop, 0) == Rect(379, 16, 422, 46));
    EXPECT_TRUE(EdgeStickerRect(top, partLeft, 0) == Rect(16, 279, 46, 322));
    EXPECT_TRUE(EdgeStickerRect(top, partBottom, 1) == Rect(386, 552, 415, 584));
    EXPECT_TRUE(EdgeStickerRect(top, partRight, 1) == Rect(752, 286, 784, 315));
    EXPECT_TRUE(CentreStickerRect(Rect(100, 100, 301, 201), 0) == Rect(154, 104, 247, 197));
    EXPECT_TRUE(CentreStickerRect(Rect(100, 100, 300, 200), 1) == Rect(156, 106, 245, 195));
}

TEST(DockStickers, DrawStepsFollowTheStyleAndTheHighlight)
{
    const int all = partLeft | partRight | partTop | partBottom | partCentre | partCentreSticker;
    auto classic = StickerDrawSteps(all, partCentre, 0);
    ASSERT_EQ(classic.size(), 6u);
    EXPECT_EQ(classic[0].record, 10);
    EXPECT_EQ(classic[0].picture, 1);
    EXPECT_EQ(classic[1].record, 0);   // top
    EXPECT_EQ(classic[2].record, 1);   // left
    EXPECT_EQ(classic[5].record, 9);   // the highlighted tab glyph
    auto round = StickerDrawSteps(all, partLeft, 1);
    EXPECT_EQ(round[0].record, 10);
    EXPECT_EQ(round[2].record, 5);  // left, highlighted
    EXPECT_EQ(round.back().record, 8);
    auto edge = StickerDrawSteps(partBottom, partBottom, 1);
    ASSERT_EQ(edge.size(), 1u);
    EXPECT_EQ(edge[0].record, 17);
    EXPECT_FALSE(edge[0].atOffset);
    auto classicEdge = StickerDrawSteps(partRight, 0, 0);
    EXPECT_EQ(classicEdge[0].record, 3);
    EXPECT_FALSE(classicEdge[0].atOffset);
    EXPECT_EQ(StickerHitStep(partCentre, true, 0).picture, 1);
    EXPECT_EQ(StickerHitStep(partBottom, true, 1).record, 2);
}

TEST(DockStickers, RecordsLieInsideTheirPictures)
{
    for (int i = 0; i < 10; ++i) {
        const Rect& s = ClassicStickerRecord(i).source;
        EXPECT_LE(s.right, 120);
        EXPECT_LE(s.bottom, 109);
    }
    EXPECT_TRUE(ClassicStickerRecord(10).source == Rect(0, 0, 43, 43));
    for (int i = 0; i < 19; ++i) {
        const Rect& s = RoundStickerRecord(i).source;
        EXPECT_LE(s.right, 161);
        EXPECT_LE(s.bottom, 122);
    }
}

TEST(DockFloating, RectangleOffTheWorkAreaComesBackToTouchIt)
{
    const Rect work(0, 0, 1280, 1000);
    EXPECT_TRUE(BringIntoWorkArea(Rect(10, 10, 110, 110), work) == Rect(10, 10, 110, 110));
    EXPECT_TRUE(BringIntoWorkArea(Rect(1500, 10, 1600, 110), work) == Rect(1180, 10, 1280, 110));
    EXPECT_TRUE(BringIntoWorkArea(Rect(-300, -300, -200, -200), work) == Rect(0, 0, 100, 100));
    EXPECT_TRUE(BringIntoWorkArea(Rect(100, 1200, 200, 1300), work) == Rect(100, 900, 200, 1000));
    // A monitor above the primary keeps its negative top.
    EXPECT_TRUE(KeepTopInWorkArea(Rect(0, -50, 100, 50), Rect(0, -768, 1024, 0)) == Rect(0, -50, 100, 50));
    EXPECT_TRUE(KeepTopInWorkArea(Rect(0, -50, 100, 50), work) == Rect(0, 0, 100, 100));
}

TEST(DockFloating, RollingUpNeverGoesBelowTheCaption)
{
    EXPECT_EQ(RolledUpHeight(8, 8, 300, 18), 300);
    EXPECT_EQ(RolledUpHeight(4, 8, 300, 18), 150);
    EXPECT_EQ(RolledUpHeight(0, 8, 300, 18), 26);
}

TEST(DockSlideOut, OpensAtTheDockingSizeWithinTheTrackLimits)
{
    EXPECT_EQ(SlideThickness(200, 0, 32000), 204);
    EXPECT_EQ(SlideThickness(200, 0, 150), 150);
    EXPECT_EQ(SlideThickness(20, 60, 32000), 60);
    const Rect top(0, 30, 800, 600);
    EXPECT_TRUE(SlideFullRect(top, sideLeft, 204) == Rect(0, 30, 204, 600));
    EXPECT_TRUE(SlideFullRect(top, sideBottom, 104) == Rect(0, 496, 800, 600));
    const Rect full(0, 30, 200, 600);
    EXPECT_TRUE(SlideStepRect(full, sideLeft, 0, 8) == Rect(0, 30, 25, 600));
    EXPECT_TRUE(SlideStepRect(full, sideLeft, 7, 8) == full);
    EXPECT_TRUE(SlideStepRect(Rect(600, 30, 800, 600), sideRight, 3, 8) == Rect(700, 30, 800, 600));
}

TEST(DockSlideOut, ResizeLimitsAndTheSizeKeptAfterAResize)
{
    const Rect top(0, 0, 800, 600);
    Rect limits, edge;
    SlideResizeLimits(top, Rect(0, 0, 204, 600), sideLeft, 26, 0, 32000, limits, edge);
    EXPECT_EQ(limits.left, 26);
    EXPECT_EQ(limits.right, 774);
    EXPECT_TRUE(edge == Rect(200, 0, 204, 600));
    SlideResizeLimits(top, Rect(0, 0, 204, 600), sideLeft, 26, 100, 304, limits, edge);
    EXPECT_EQ(limits.left, 100);
    EXPECT_EQ(limits.right, 304);
    SlideResizeLimits(top, Rect(0, 500, 800, 600), sideBottom, 26, 0, 32000, limits, edge);
    EXPECT_TRUE(edge == Rect(0, 500, 800, 504));
    EXPECT_EQ(limits.bottom, 574);
    // The window reaches back to the outer edge; the size kept leaves out the resize edge, so an
    // open, resize and reopen cycle keeps the same extent.
    const Rect moved = SlideRectFromEdge(top, Rect(296, 0, 300, 600), sideLeft);
    EXPECT_TRUE(moved == Rect(0, 0, 300, 600));
    const int kept = SlideDockingLength(moved, sideLeft);
    EXPECT_EQ(kept, 296);
    EXPECT_EQ(SlideThickness(kept, 0, 32000), 300);
}

TEST(DockSides, MirroringSwapsOnlyLeftAndRight)
{
    EXPECT_EQ(MirrorSide(sideLeft, true), sideRight);
    EXPECT_EQ(MirrorSide(sideRight, true), sideLeft);
    EXPECT_EQ(MirrorSide(sideTop, true), sideTop);
    EXPECT_EQ(MirrorSide(sideLeft, false), sideLeft);
}

}  // namespace
