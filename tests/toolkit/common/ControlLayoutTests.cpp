// The arithmetic of a command bar's layout: rows and wraps, one-row overflow, committed places,
// far-end and stretched controls, square floating bars and termination on degenerate sizes.
#include "toolkit/common/ControlLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Records = std::vector<TKPLayoutRecord>;

TKPLayoutRecord Rec(int cx, int cy, bool bBeginGroup = false, std::uint32_t dwFlags = 0)
{
    TKPLayoutRecord r = {};
    r.cx = cx;
    r.cy = cy;
    r.bVisible = true;
    r.bBeginGroup = bBeginGroup;
    r.dwFlags = dwFlags;
    return r;
}

const CTKPControlLayout::Borders kNoBorders = {0, 0, 0, 0};
const CTKPControlLayout::Borders kBorders = {2, 3, 4, 5};
const TKLayoutSize kSeparator = {6, 6};
const std::uint32_t kDocked = CTKPControlLayout::modeHorz | CTKPControlLayout::modeHorzDock;
const std::uint32_t kCommit = CTKPControlLayout::modeCommit;

void ExpectRect(const TKLayoutRect& rc, int left, int top, int right, int bottom)
{
    EXPECT_EQ(rc.left, left);
    EXPECT_EQ(rc.top, top);
    EXPECT_EQ(rc.right, right);
    EXPECT_EQ(rc.bottom, bottom);
}

}  // namespace

TEST(ControlLayoutWrap, TooLongRowWrapsAtTheNearestGroupStartAndTheGroupGapMovesToTheRowOffset)
{
    Records r = {Rec(20, 22), Rec(20, 22), Rec(20, 22, true), Rec(20, 22)};
    const TKLayoutSize size = CTKPControlLayout::Layout(r, 50 + 6, kDocked | kCommit, kBorders, 0, kSeparator, 32767);
    EXPECT_FALSE(r[1].bWrap);
    EXPECT_TRUE(r[2].bWrap);
    // Second row: below the first row's 22 pixels plus the separator height, no separator width.
    ExpectRect(r[2].rcControl, 2, 3 + 22 + 6, 2 + 20, 3 + 22 + 6 + 22);
    ExpectRect(r[3].rcControl, 2 + 20, 3 + 28, 2 + 40, 3 + 28 + 22);
    // A bar that had to wrap takes the whole length it was given.
    EXPECT_EQ(size.cx, 50 + 2 + 4);
    EXPECT_EQ(size.cy, 22 + 6 + 22 + 3 + 5);
    // Each row's rectangle spans the bar and is as tall as its tallest control.
    ExpectRect(r[0].rcRow, 2, 3, 2 + 50, 3 + 22);
    ExpectRect(r[3].rcRow, 2, 3 + 28, 2 + 50, 3 + 28 + 22);
}

TEST(ControlLayoutWrap, ABarMeasuredWithSeparatorsOfAnyWidthFitsItsOwnLength)
{
    // Themes whose separators take no room (or more than 6 pixels): the length the bar measures
    // for itself still holds every control in one row, none hidden.
    for (int nSeparator : {0, 6, 10}) {
        SCOPED_TRACE(nSeparator);
        const TKLayoutSize separator = {nSeparator, nSeparator};
        Records r = {Rec(20, 22), Rec(20, 22, true), Rec(20, 22), Rec(20, 22, true)};
        const std::uint32_t kOneRow = kDocked | CTKPControlLayout::modeHideWrap | kCommit;
        const TKLayoutSize natural = CTKPControlLayout::Layout(r, 32767, kOneRow, kNoBorders, 0, separator, 0);
        EXPECT_EQ(natural.cx, 4 * 20 + 2 * nSeparator);
        const TKLayoutSize fitted = CTKPControlLayout::Layout(r, natural.cx, kOneRow, kNoBorders, 0, separator, 0);
        EXPECT_EQ(fitted.cx, natural.cx);
        for (const TKPLayoutRecord& rec : r)
            EXPECT_FALSE(rec.bHidden);
        // One pixel less and the last control is left out.
        CTKPControlLayout::Layout(r, natural.cx - 1, kOneRow, kNoBorders, 0, separator, 0);
        EXPECT_TRUE(r[3].bHidden);
        EXPECT_FALSE(r[2].bHidden);
    }
}

TEST(ControlLayoutWrap, WithoutGroupStartsTheOverflowingControlWraps)
{
    Records r = {Rec(30, 20), Rec(30, 20), Rec(30, 20)};
    std::uint32_t mode = kDocked;
    EXPECT_EQ(CTKPControlLayout::WrapControls(r, 70, mode), 2);
    EXPECT_FALSE(r[1].bWrap);
    EXPECT_TRUE(r[2].bWrap);
    EXPECT_TRUE(mode & CTKPControlLayout::modeStretch);
}

TEST(ControlLayoutWrap, AControlLongerThanTheBarStaysAtTheTopLeftAndIsNeverHidden)
{
    Records r = {Rec(100, 20), Rec(10, 20)};
    CTKPControlLayout::Layout(r, 50, kDocked | CTKPControlLayout::modeHideWrap | kCommit, kNoBorders, 0, kSeparator,
        32767);
    EXPECT_FALSE(r[0].bHidden);
    EXPECT_TRUE(r[1].bHidden);
    ExpectRect(r[0].rcControl, 0, 0, 100, 20);

    // Starting a group moves it no further, in a row or in a column: no room is left before it.
    Records g = {Rec(100, 20, true), Rec(10, 20)};
    TKLayoutSize size = CTKPControlLayout::Layout(g, 50, kDocked | kCommit, kNoBorders, 0, kSeparator, 32767);
    EXPECT_TRUE(g[0].bWrap);
    ExpectRect(g[0].rcControl, 0, 0, 100, 20);
    ExpectRect(g[1].rcControl, 0, 20, 10, 40);
    EXPECT_EQ(size.cy, 40);
    Records v = {Rec(20, 100, true), Rec(20, 10)};
    size = CTKPControlLayout::Layout(v, 50, CTKPControlLayout::modeVertDock | kCommit, kNoBorders, 0, kSeparator,
        32767);
    ExpectRect(v[0].rcControl, 20, 0, 40, 100);
    ExpectRect(v[1].rcControl, 0, 0, 20, 10);
    EXPECT_EQ(size.cx, 40);
}

TEST(ControlLayoutWrap, OneRowModeHidesWhatDoesNotFitAndShowsItAgainWhenRoomReturns)
{
    Records r = {Rec(30, 20), Rec(30, 20), Rec(30, 20)};
    const std::uint32_t mode = kDocked | CTKPControlLayout::modeHideWrap | kCommit;
    CTKPControlLayout::Layout(r, 70, mode, kNoBorders, 0, kSeparator, 32767);
    EXPECT_FALSE(r[1].bHidden);
    EXPECT_TRUE(r[2].bHidden);
    EXPECT_FALSE(r[2].bWrap);
    CTKPControlLayout::Layout(r, 100, mode, kNoBorders, 0, kSeparator, 32767);
    EXPECT_FALSE(r[2].bHidden);
    ExpectRect(r[2].rcControl, 60, 0, 90, 20);
}

TEST(ControlLayoutCommit, ASingleRowIsCentredAcrossTheMinimumThicknessAndTwoRowsAcrossTheirOwn)
{
    Records r = {Rec(20, 22), Rec(20, 16)};
    TKLayoutSize size = CTKPControlLayout::Layout(r, 100, kDocked | kCommit, kNoBorders, 30, kSeparator, 32767);
    EXPECT_EQ(size.cy, 30);
    EXPECT_EQ(r[0].rcControl.top, 4);  // (30 - 22) / 2
    EXPECT_EQ(r[1].rcControl.top, 7);  // (30 - 16) / 2
    ExpectRect(r[1].rcRow, 0, 0, size.cx, 30);

    Records two = {Rec(20, 22), Rec(20, 16), Rec(20, 16, true)};
    size = CTKPControlLayout::Layout(two, 40, kDocked | kCommit, kNoBorders, 60, kSeparator, 32767);
    EXPECT_EQ(two[0].rcControl.top, 0);
    EXPECT_EQ(two[1].rcControl.top, 3);  // (22 - 16) / 2 inside the first row
    EXPECT_EQ(two[2].rcControl.top, 22 + 6);
    EXPECT_EQ(two[2].rcRow.Height(), 16);
}

TEST(ControlLayoutCommit, StretchedControlsShareTheFreeRoomInIntegerParts)
{
    const std::uint32_t stretched = CTKPControlLayout::flagStretched;
    Records r = {Rec(10, 20, false, stretched), Rec(10, 20, false, stretched), Rec(10, 20, false, stretched)};
    CTKPControlLayout::Layout(r, 40, kDocked | CTKPControlLayout::modeStretch | kCommit, kNoBorders, 0, kSeparator,
        32767);
    ExpectRect(r[0].rcControl, 0, 0, 13, 20);
    ExpectRect(r[1].rcControl, 13, 0, 26, 20);
    ExpectRect(r[2].rcControl, 26, 0, 40, 20);
}

TEST(ControlLayoutCommit, FarEndControlsSitAtTheEndOfTheLastRowAndLimitTheStretch)
{
    Records r = {Rec(20, 20, false, CTKPControlLayout::flagStretched), Rec(10, 20),
        Rec(15, 20, false, CTKPControlLayout::flagRightAlign)};
    CTKPControlLayout::Layout(r, 100, kDocked | CTKPControlLayout::modeStretch | kCommit, kBorders, 0, kSeparator,
        32767);
    // The far-end control ends at the bar's far edge less the right border.
    ExpectRect(r[2].rcControl, 100 - 4 - 15, 3, 100 - 4, 23);
    // The stretched one takes the room up to the far-end control: 100 - 4 - 15 - 30 - 2 = 49 more.
    EXPECT_EQ(r[0].rcControl.left, 2);
    EXPECT_EQ(r[0].rcControl.right, 2 + 20 + 49);
    EXPECT_EQ(r[1].rcControl.right, 100 - 4 - 15);
}

TEST(ControlLayoutSize, ABarWithoutVisibleControlsIs23By22PlusBordersAndTheMinimumThickness)
{
    Records none;
    TKLayoutSize size = CTKPControlLayout::Layout(none, 200, kDocked, kBorders, 0, kSeparator, 32767);
    EXPECT_EQ(size.cx, 23 + 2 + 4);
    EXPECT_EQ(size.cy, 22 + 3 + 5);
    Records hidden = {Rec(40, 40)};
    hidden[0].bVisible = false;
    size = CTKPControlLayout::Layout(hidden, 200, kDocked, kNoBorders, 50, kSeparator, 32767);
    EXPECT_EQ(size.cy, 50);
    size = CTKPControlLayout::Layout(hidden, 200, CTKPControlLayout::modeVertDock, kNoBorders, 50, kSeparator, 32767);
    EXPECT_EQ(size.cx, 50);
}

TEST(ControlLayoutSize, AFloatingBarWithoutRememberedWidthIsMadeSquare)
{
    Records r(9, Rec(10, 10));
    const TKLayoutSize size = CTKPControlLayout::Layout(r, 0,
        CTKPControlLayout::modeHorz | CTKPControlLayout::modePopup | kCommit, kNoBorders, 0, kSeparator, 0);
    EXPECT_EQ(size.cx, 30);
    EXPECT_EQ(size.cy, 30);
}

TEST(ControlLayoutSize, TheFittedLayoutKeepsTheRowCountAndNarrowsTheRows)
{
    // Five 20-pixel controls in 70 pixels take two rows; the same two rows fit in 60.
    Records r(5, Rec(20, 10));
    const TKLayoutSize size =
        CTKPControlLayout::Layout(r, 70, CTKPControlLayout::modeHorz | kCommit, kNoBorders, 0, kSeparator, 32767);
    EXPECT_EQ(size.cx, 60);
    EXPECT_EQ(size.cy, 20);
    // A height request finds the narrowest layout that is not taller than asked.
    const TKLayoutSize sizeY = CTKPControlLayout::Layout(r, 30,
        CTKPControlLayout::modeHorz | CTKPControlLayout::modeLengthY | kCommit, kNoBorders, 0, kSeparator, 32767);
    EXPECT_LE(sizeY.cy, 30);
    EXPECT_EQ(sizeY.cx, 40);
}

TEST(ControlLayoutSize, DegenerateSizesEndTheSearches)
{
    for (int cx : {0, 1, 1000000}) {
        Records r(7, Rec(cx, cx));
        const std::uint32_t modes[] = {CTKPControlLayout::modeHorz,
            CTKPControlLayout::modeHorz | CTKPControlLayout::modeLengthY,
            CTKPControlLayout::modeHorz | CTKPControlLayout::modePopup};
        for (std::uint32_t mode : modes) {
            const TKLayoutSize size = CTKPControlLayout::Layout(r, 0, mode | kCommit, kNoBorders, 0, kSeparator, 0);
            EXPECT_GE(size.cx, 0);
            EXPECT_GE(size.cy, 0);
        }
    }
}
