// The layout rules of a tab row, run over plain arrays: lengths, rectangles in every position,
// shrinking, rows, scrolling and the caption cut.
#include "toolkit/common/TabCaptionFit.h"
#include "toolkit/common/TabGeometry.h"
#include "toolkit/common/TabRowLayout.h"

#include "ArrayTabRow.h"

#include <gtest/gtest.h>

#include <set>

using tktab::Rect;

namespace {

// The rectangle as a row at the position sees one of a row at the top, in a square control.
Rect TurnedFromTop(const Rect& r, int position, int size)
{
    switch (position) {
    case tktab::posLeft:
        return Rect(r.top, r.left, r.bottom, r.right);
    case tktab::posBottom:
        return Rect(r.left, size - r.bottom, r.right, size - r.top);
    case tktab::posRight:
        return Rect(size - r.bottom, r.left, size - r.top, r.right);
    default:
        return r;
    }
}

::testing::AssertionResult SameRect(const Rect& expected, const Rect& actual)
{
    if (expected == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected (" << expected.left << "," << expected.top << ","
                                         << expected.right << "," << expected.bottom << ") got (" << actual.left << ","
                                         << actual.top << "," << actual.right << "," << actual.bottom << ")";
}

}  // namespace

TEST(TabGeometry, MarginsTurnWithTheRow)
{
    const Rect m(1, 2, 3, 4);
    EXPECT_TRUE(SameRect(Rect(1, 2, 3, 4), tktab::TurnForPosition(m, tktab::posTop)));
    // The top value always lies on the control edge the row runs along.
    EXPECT_TRUE(SameRect(Rect(2, 1, 4, 3), tktab::TurnForPosition(m, tktab::posLeft)));
    EXPECT_TRUE(SameRect(Rect(1, 4, 3, 2), tktab::TurnForPosition(m, tktab::posBottom)));
    EXPECT_TRUE(SameRect(Rect(4, 1, 2, 3), tktab::TurnForPosition(m, tktab::posRight)));
    EXPECT_TRUE(SameRect(Rect(11, 24, 97, 98), tktab::DeflateForPosition(Rect(10, 20, 100, 100), m, tktab::posBottom)));
    EXPECT_TRUE(SameRect(Rect(6, 19, 102, 103), tktab::InflateForPosition(Rect(10, 20, 100, 100), m, tktab::posRight)));
}

TEST(TabGeometry, HeaderBandAndClientOverlapByOnePixel)
{
    // Two rows of 22 pixels overlapping by 2, below a top margin of 3.
    const Rect control(0, 0, 200, 150);
    const Rect margin(2, 3, 6, 0);
    EXPECT_EQ(45, tktab::HeaderBand(control, tktab::posTop, 2, 22, -2, margin, 0).Height());
    // A thicker minimum (the rotated layout's longest tab) wins over the rows.
    EXPECT_EQ(93, tktab::HeaderBand(control, tktab::posTop, 1, 22, -2, margin, 90).Height());

    for (int position = 0; position < 4; ++position) {
        const Rect header = tktab::HeaderBand(control, position, 1, 20, -2, margin, 0);
        const Rect client = tktab::ClientBesideHeader(control, header, position);
        // Header and client cover the control and share exactly one line of pixels.
        Rect both(std::max(header.left, client.left), std::max(header.top, client.top),
            std::min(header.right, client.right), std::min(header.bottom, client.bottom));
        EXPECT_EQ(1, tktab::IsVertical(position) ? both.Width() : both.Height()) << position;
        EXPECT_EQ(tktab::LengthAlong(control, position), tktab::LengthAlong(both, position)) << position;
    }
}

TEST(TabGeometry, ButtonsSitAtTheFarEndCentredAcross)
{
    Rect row(0, 10, 100, 30);
    EXPECT_TRUE(SameRect(Rect(86, 12, 100, 27), tktab::PlaceAtFarEnd(row, tktab::posTop, 14, 15)));
    EXPECT_EQ(86, row.right);
    Rect column(10, 0, 30, 100);
    EXPECT_TRUE(SameRect(Rect(13, 85, 27, 100), tktab::PlaceAtFarEnd(column, tktab::posLeft, 14, 15)));
    EXPECT_EQ(85, column.bottom);
}

TEST(TabShrinking, LongestTabsGiveWayFirst)
{
    ArrayTabRow row({100, 80, 60});
    row.Layouter().ShrinkTabsToFit(200);
    EXPECT_EQ((std::vector<int>{70, 70, 60}), row.Lengths());

    // Order in the row does not matter, only the lengths.
    ArrayTabRow mixed({60, 100, 80});
    mixed.Layouter().ShrinkTabsToFit(200);
    EXPECT_EQ((std::vector<int>{60, 70, 70}), mixed.Lengths());

    // Enough room: nothing changes.
    ArrayTabRow roomy({100, 80, 60});
    roomy.Layouter().ShrinkTabsToFit(240);
    EXPECT_EQ((std::vector<int>{100, 80, 60}), roomy.Lengths());
}

TEST(TabShrinking, EqualTabsShareTheLengthAndLeaveTheRemainder)
{
    ArrayTabRow row({50, 50, 50});
    row.Layouter().ShrinkTabsToFit(100);
    EXPECT_EQ((std::vector<int>{33, 33, 33}), row.Lengths());

    // Once every tab is cut down to the shortest, all share the length equally.
    ArrayTabRow uneven({90, 60, 30});
    uneven.Layouter().ShrinkTabsToFit(61);
    EXPECT_EQ((std::vector<int>{20, 20, 20}), uneven.Lengths());

    ArrayTabRow single({300});
    single.Layouter().ShrinkTabsToFit(120);
    EXPECT_EQ((std::vector<int>{120}), single.Lengths());
}

TEST(TabShrinking, NoRoomGivesNoLengthAndHiddenTabsStayOut)
{
    ArrayTabRow row({50, 0, 40});
    row.tabs[1].visible = false;
    row.Layouter().ShrinkTabsToFit(-25);
    EXPECT_EQ((std::vector<int>{0, 0, 0}), row.Lengths());

    // Hidden tabs never share the room of the visible ones.
    ArrayTabRow hidden({80, 0, 40, 0});
    hidden.tabs[1].visible = hidden.tabs[3].visible = false;
    hidden.Layouter().ShrinkTabsToFit(30);
    EXPECT_EQ((std::vector<int>{15, 0, 15, 0}), hidden.Lengths());

    // A control narrower than its margins lays out without inverted rectangles.
    ArrayTabRow narrow({50, 60, 70});
    narrow.metrics.layout = tktab::layoutShrink;
    narrow.Layout(Rect(0, 0, 5, 40));
    for (const ArrayTabRow::Tab& t : narrow.tabs) {
        EXPECT_GE(t.length, 0);
        EXPECT_GE(t.rect.right, t.rect.left);
    }
}

TEST(TabSingleRow, TabsFollowEachOtherFromTheMargin)
{
    ArrayTabRow row({50, 60, 70});
    row.Layout(Rect(0, 0, 400, 100));
    EXPECT_TRUE(SameRect(Rect(2, 3, 52, 23), row.tabs[0].rect));
    EXPECT_TRUE(SameRect(Rect(52, 3, 112, 23), row.tabs[1].rect));
    EXPECT_TRUE(SameRect(Rect(112, 3, 182, 23), row.tabs[2].rect));
    // The clip rectangle is the header band, cut back to the end of the tab area.
    EXPECT_TRUE(SameRect(Rect(0, 0, 399, 23), row.clip));
    EXPECT_EQ((std::vector<int>{50, 60, 70}), row.Lengths());

    // Hidden tabs take no room.
    ArrayTabRow hidden({50, 60, 70});
    hidden.tabs[1].visible = false;
    hidden.Layout(Rect(0, 0, 400, 100));
    EXPECT_EQ(0, hidden.tabs[1].length);
    EXPECT_EQ(52, hidden.tabs[2].rect.left);

    // Buttons at the end of the row shorten the clip rectangle.
    ArrayTabRow buttons({50});
    buttons.buttonWidths = {14, 14};
    buttons.Layout(Rect(0, 0, 400, 100));
    EXPECT_EQ(399 - 28, buttons.clip.right);

    ArrayTabRow empty({});
    empty.Layout(Rect(0, 0, 400, 100));
    EXPECT_TRUE(SameRect(Rect(0, 0, 400, 23), empty.clip));
}

class TabPositions : public ::testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(TabPositions, EveryPositionIsTheTopRowTurned)
{
    const int layout = std::get<0>(GetParam());
    const int size = std::get<1>(GetParam());
    const int offset = std::get<2>(GetParam());
    const std::vector<int> widths = {70, 45, 90, 30, 60, 85};

    ArrayTabRow top(widths, tktab::posTop);
    top.metrics.layout = layout;
    top.offset = offset;
    top.selected = 2;
    top.Layout(Rect(0, 0, size, size));

    for (int position = 1; position < 4; ++position) {
        ArrayTabRow turned(widths, position);
        turned.metrics.layout = layout;
        turned.offset = offset;
        turned.selected = 2;
        turned.Layout(Rect(0, 0, size, size));
        EXPECT_EQ(top.offset, turned.offset);
        EXPECT_TRUE(SameRect(TurnedFromTop(top.clip, position, size), turned.clip)) << "position " << position;
        for (size_t i = 0; i < widths.size(); ++i) {
            EXPECT_EQ(top.tabs[i].length, turned.tabs[i].length);
            EXPECT_EQ(top.tabs[i].row, turned.tabs[i].row);
            EXPECT_TRUE(SameRect(TurnedFromTop(top.tabs[i].rect, position, size), turned.tabs[i].rect))
                << "position " << position << " tab " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(LayoutsSizesOffsets, TabPositions,
    ::testing::Combine(::testing::Values(tktab::layoutNatural, tktab::layoutShrink, tktab::layoutMultiRow,
                           tktab::layoutRotated),
        ::testing::Values(500, 220, 90), ::testing::Values(0, -40)));

TEST(TabScrolling, AnOffsetBeyondTheTabsIsTakenBack)
{
    // Tabs that fit leave no room for an offset at all.
    ArrayTabRow fits({100, 100, 100});
    fits.offset = -50;
    fits.Layout(Rect(0, 0, 400, 60));
    EXPECT_EQ(0, fits.offset);
    EXPECT_EQ(2, fits.tabs[0].rect.left);

    // Tabs longer than the area keep just enough offset to end at the area's end.
    ArrayTabRow longer({100, 100, 100});
    longer.offset = -100;
    longer.Layout(Rect(0, 0, 250, 60));
    const int area = 250 - 8 - 1;
    EXPECT_EQ(area - 300, longer.offset);
    EXPECT_EQ(2 + area - 300, longer.tabs[0].rect.left);

    // An offset that still leaves the last tab reaching the end stays.
    ArrayTabRow kept({100, 100, 100});
    kept.offset = -20;
    kept.Layout(Rect(0, 0, 250, 60));
    EXPECT_EQ(-20, kept.offset);
}

TEST(TabScrolling, ATabBroughtIntoViewLinesUpWithTheClip)
{
    ArrayTabRow row({100, 100, 100});
    row.Layout(Rect(0, 0, 250, 60));
    const int toEnd = row.Layouter().GetOffsetToShow(2);
    EXPECT_LT(toEnd, 0);
    row.offset = toEnd;
    row.Layout(Rect(0, 0, 250, 60));
    EXPECT_EQ(row.clip.right, row.tabs[2].rect.right);

    const int toStart = row.Layouter().GetOffsetToShow(0);
    row.offset = toStart;
    row.Layout(Rect(0, 0, 250, 60));
    // The header margin's left value away from the clip start.
    EXPECT_EQ(row.clip.left + 2, row.tabs[0].rect.left);

    // A tab in view, or one that is not laid out, asks for no change.
    EXPECT_EQ(row.offset, row.Layouter().GetOffsetToShow(0));
    row.tabs[1].rect.Clear();
    EXPECT_EQ(row.offset, row.Layouter().GetOffsetToShow(1));
}

TEST(TabRotated, TabsAdvanceByRowHeightAndReachFromTheClientSide)
{
    ArrayTabRow row({50, 0, 80});
    row.tabs[1].visible = false;
    row.metrics.layout = tktab::layoutRotated;
    row.Layout(Rect(0, 0, 300, 200));
    // The band is as thick as the longest tab plus the top margin.
    EXPECT_EQ(83, row.clip.bottom);
    EXPECT_TRUE(SameRect(Rect(2, 33, 22, 83), row.tabs[0].rect));
    EXPECT_TRUE(row.tabs[1].rect.IsEmpty());
    EXPECT_TRUE(SameRect(Rect(22, 3, 42, 83), row.tabs[2].rect));
}

namespace {

// Each tab's row, after checking that the rows cover the tabs in order without gaps.
std::vector<int> RowsOf(const ArrayTabRow& row)
{
    std::vector<int> rows(row.tabs.size(), -1);
    for (size_t r = 0; r < row.rows.size(); ++r) {
        for (int i = row.rows[r].first; i <= row.rows[r].second; ++i) {
            EXPECT_EQ(-1, rows[i]) << "tab " << i << " in two rows";
            rows[i] = static_cast<int>(r);
        }
    }
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_NE(-1, rows[i]) << "tab " << i << " in no row";
    return rows;
}

}  // namespace

TEST(TabMultiRow, BalancedRowsShareTheTabsAndStretchToTheFullLength)
{
    // Seven tabs of 40 in rows of 100 pixels (109 - 1 - margins 2 and 6).
    ArrayTabRow row(std::vector<int>(7, 40));
    row.metrics.layout = tktab::layoutMultiRow;
    row.Layout(Rect(0, 0, 109, 200));
    ASSERT_EQ(4u, row.rows.size());
    EXPECT_EQ((std::vector<int>{0, 1, 1, 2, 2, 3, 3}), RowsOf(row));
    // Every row is stretched to the full length, handed out from the first tab on.
    EXPECT_EQ((std::vector<int>{100, 50, 50, 50, 50, 50, 50}), row.Lengths());
    // The first row lies next to the client area, later rows further out, overlapping by 2.
    EXPECT_EQ(3 + 3 * 18, row.tabs[0].rect.top);
    EXPECT_EQ(3 + 2 * 18, row.tabs[1].rect.top);
    EXPECT_EQ(3, row.tabs[6].rect.top);
    EXPECT_EQ(0, row.tabs[0].row);
    EXPECT_EQ(3, row.tabs[6].row);
    EXPECT_EQ(4 * 20 - 3 * 2 + 3, row.clip.bottom);
    EXPECT_EQ(0, row.offset);
}

TEST(TabMultiRow, UnbalancedRowsFillGreedily)
{
    ArrayTabRow row(std::vector<int>(7, 40));
    row.metrics.layout = tktab::layoutMultiRow;
    row.metrics.balancedRows = false;
    row.Layout(Rect(0, 0, 109, 200));
    EXPECT_EQ((std::vector<int>{0, 0, 1, 1, 2, 2, 3}), RowsOf(row));
    EXPECT_EQ(std::vector<int>(7, 40), row.Lengths());
}

TEST(TabMultiRow, TheSelectedTabsRowMovesNextToTheClient)
{
    ArrayTabRow row(std::vector<int>(7, 40));
    row.metrics.layout = tktab::layoutMultiRow;
    row.selected = 4;
    row.Layout(Rect(0, 0, 109, 200));
    EXPECT_EQ(0, row.tabs[4].row);
    EXPECT_EQ(0, row.tabs[3].row);
    EXPECT_EQ(2, row.tabs[0].row);
    EXPECT_EQ(3 + 3 * 18, row.tabs[4].rect.top);

    row.metrics.keepRowOrder = true;
    row.Layout(Rect(0, 0, 109, 200));
    EXPECT_EQ(2, row.tabs[4].row);
    EXPECT_EQ(0, row.tabs[0].row);
}

TEST(TabMultiRow, AnOversizedTabSitsAlone)
{
    ArrayTabRow row({40, 150, 40});
    row.metrics.layout = tktab::layoutMultiRow;
    row.Layout(Rect(0, 0, 109, 200));
    ASSERT_EQ(3u, row.rows.size());
    EXPECT_EQ((std::vector<int>{0, 1, 2}), RowsOf(row));
    EXPECT_EQ(150, row.tabs[1].length);

    // Also in a bottom row: the first row is the top one, next to the client.
    ArrayTabRow bottom({40, 150, 40}, tktab::posBottom);
    bottom.metrics.layout = tktab::layoutMultiRow;
    bottom.Layout(Rect(0, 0, 109, 200));
    EXPECT_LT(bottom.tabs[0].rect.top, bottom.tabs[2].rect.top);
    EXPECT_EQ(200 - 3, bottom.tabs[2].rect.bottom);
}

TEST(TabMultiRow, ManyTabsOfMixedWidthsAllFindARow)
{
    std::vector<int> widths;
    for (int i = 0; i < 300; ++i)
        widths.push_back(20 + (i * 37) % 90);
    ArrayTabRow row(widths);
    row.metrics.layout = tktab::layoutMultiRow;
    row.selected = 150;
    row.Layout(Rect(0, 0, 409, 3000));
    const std::vector<int> rows = RowsOf(row);
    EXPECT_EQ(0, rows[150]);
    for (size_t r = 0; r < row.rows.size(); ++r) {
        int width = 0;
        for (int i = row.rows[r].first; i <= row.rows[r].second; ++i)
            width += row.tabs[i].natural;
        if (row.rows[r].second > row.rows[r].first) {
            EXPECT_LE(width, 400) << "row " << r;
        }
    }
}

namespace {

// Seven pixels a character, two for a dot.
int FakeWidth(const CString& text)
{
    int width = 0;
    for (int i = 0; i < text.GetLength(); ++i)
        width += text[i] == L'.' ? 2 : 7;
    return width;
}

}  // namespace

TEST(TabCaptionFit, CutsTheMiddleToFit)
{
    const CString caption(L"abcdefghij");  // 70 pixels
    EXPECT_STREQ(L"abcdefghij", tktab::FitCaptionMiddle(caption, 70, FakeWidth).GetString());
    EXPECT_STREQ(L"...", tktab::FitCaptionMiddle(caption, 6, FakeWidth).GetString());
    EXPECT_STREQ(L"...", tktab::FitCaptionMiddle(caption, 3, FakeWidth).GetString());

    for (int available = 7; available < 70; ++available) {
        const CString fitted = tktab::FitCaptionMiddle(caption, available, FakeWidth);
        EXPECT_LE(FakeWidth(fitted), available) << available;
        // The head is never shorter than the tail, and one more character would not have fitted.
        const int n = fitted.GetLength() - 3;
        EXPECT_EQ(n - n / 2, fitted.Find(L"...")) << available;
        EXPECT_GT(FakeWidth(caption.Left(n + 1 - (n + 1) / 2) + caption.Right((n + 1) / 2)), available - 6)
            << available;
    }
    EXPECT_STREQ(L"ab...ij", tktab::FitCaptionMiddle(caption, 40, FakeWidth).GetString());

    EXPECT_TRUE(tktab::IsPathCaption(L"C:\\Recovered\\file.txt"));
    EXPECT_FALSE(tktab::IsPathCaption(L"file.txt"));
    EXPECT_STREQ(L"", tktab::FitCaptionMiddle(L"", -5, FakeWidth).GetString());
}
