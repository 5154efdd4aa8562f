// The layout as rectangles, with fixed metrics: at the base size 10 every character is 5 pixels
// wide and 10 high; a client width of W leaves W - 2 for the page.
#include "tests/preview/html/HtmlTestSupport.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

struct Place {
    int x, y, width, height;
};

Place PlaceOf(const CHtmlBox* box)
{
    return box == nullptr ? Place{-1, -1, -1, -1} : Place{box->x, box->y, box->width, box->height};
}

#define EXPECT_PLACE(box, X, Y, W, H)                                                                                  \
    do {                                                                                                               \
        Place p_ = PlaceOf(box);                                                                                       \
        EXPECT_EQ(p_.x, X) << "x of " #box;                                                                            \
        EXPECT_EQ(p_.y, Y) << "y of " #box;                                                                            \
        EXPECT_EQ(p_.width, W) << "width of " #box;                                                                    \
        EXPECT_EQ(p_.height, H) << "height of " #box;                                                                  \
    } while (0)

TEST(HtmlLayout, WordsWrapAtTheMarginAndSpacesAtTheEndDoNotCount)
{
    TestPage t;
    t.Load(L"aaaa bbbb cccc");
    HtmlRect extent = t.Layout(52);
    const HtmlBoxList& b = t.page.Boxes();
    EXPECT_PLACE(FindWord(b, L"aaaa"), 0, 0, 20, 10);
    EXPECT_PLACE(FindWord(b, L"bbbb"), 25, 0, 20, 10);
    EXPECT_PLACE(FindWord(b, L"cccc"), 0, 10, 20, 10);
    EXPECT_EQ(extent.right, 45);
    EXPECT_EQ(extent.bottom, 20);
    // Wider, it all fits on one line.
    extent = t.Layout(200);
    EXPECT_PLACE(FindWord(b, L"cccc"), 50, 0, 20, 10);
    EXPECT_EQ(extent.bottom, 10);
}

TEST(HtmlLayout, AWordWiderThanTheCanvasWidensTheExtent)
{
    TestPage t;
    t.Load(L"a " + std::wstring(30, L'w') + L" b");
    HtmlRect extent = t.Layout(52);
    EXPECT_PLACE(FindWord(t.page.Boxes(), std::wstring(30, L'w')), 0, 10, 150, 10);
    EXPECT_EQ(extent.right, 150);
    EXPECT_EQ(extent.bottom, 30);
}

TEST(HtmlLayout, BoxesSitOnTheLineBottom)
{
    TestPage t;
    t.Load(L"small <font size=+10>big</font> <sup>up</sup>");
    t.Layout(400);
    const HtmlBoxList& b = t.page.Boxes();
    EXPECT_PLACE(FindWord(b, L"small"), 0, 10, 25, 10);
    EXPECT_PLACE(FindWord(b, L"big"), 30, 0, 30, 20);
    // Measured at full size, so its top is the normal text's top, and drawn smaller.
    EXPECT_PLACE(FindWord(b, L"up"), 65, 10, 10, 10);
    EXPECT_EQ(FindWord(b, L"up")->fontHeight, 6);
}

TEST(HtmlLayout, AlignmentShiftsLinesButNeverToTheLeft)
{
    TestPage t;
    t.Load(L"<center>aaaa</center><div align=right>bb</div><center>" + std::wstring(40, L'c') + L"</center>");
    t.Layout(102);
    const HtmlBoxList& b = t.page.Boxes();
    EXPECT_EQ(FindWord(b, L"aaaa")->x, 40);
    EXPECT_EQ(FindWord(b, L"bb")->x, 90);
    // Wider than the space: left where it was.
    EXPECT_EQ(FindWord(b, std::wstring(40, L'c'))->x, 0);
}

TEST(HtmlLayout, JustifiedLinesFillTheWidthFromTheThirdBoxOn)
{
    TestPage t;
    t.Load(L"<p align=justify>aa bb cc dd ee ff gg hh</p>");
    t.Layout(62);  // 60 for the page
    const HtmlBoxList& b = t.page.Boxes();
    // Line 1: "aa bb cc dd" is 10+5+10+5+10+5+10 = 55 wide, 5 short; the gap goes one pixel at a
    // time to the boxes from the third on that are no spaces: bb, cc, dd.
    EXPECT_EQ(FindWord(b, L"aa")->x, 0);
    EXPECT_EQ(FindWord(b, L"bb")->x, 15 + 2);
    EXPECT_EQ(FindWord(b, L"cc")->x, 30 + 4);
    EXPECT_EQ(FindWord(b, L"dd")->x, 45 + 5);
    // The last line of the paragraph ends with a break and is not stretched.
    const CHtmlBox* hh = FindWord(b, L"hh");
    EXPECT_EQ(hh->x, FindWord(b, L"gg")->x + 15);
}

TEST(HtmlLayout, FloatsNarrowTheLinesBesideThemUntilTheirBottom)
{
    TestPage t;
    t.Load(
        L"<img src=p.gif align=left width=30 height=40>w1 w2 w3 w4 w5 w6 w7 w8 w9 wa wb wc wd we wf wg wh wi wj wk wl");
    t.Layout(102);
    const HtmlBoxList& b = t.page.Boxes();
    const CHtmlBox* holder = nullptr;
    for (auto& box : b)
        if (box->floatSide == kFloatLeft)
            holder = box.get();
    ASSERT_NE(holder, nullptr);
    EXPECT_PLACE(holder, 0, 10, 30, 40);
    EXPECT_PLACE(holder->children[0].get(), 0, 10, 30, 40);
    // Beside the float from its top, 70 pixels wide: five words a line.
    EXPECT_PLACE(FindWord(b, L"w1"), 30, 10, 10, 10);
    EXPECT_PLACE(FindWord(b, L"w5"), 90, 10, 10, 10);
    EXPECT_PLACE(FindWord(b, L"w6"), 30, 20, 10, 10);
    // Once a line's top reaches the float's bottom, the whole width again.
    EXPECT_PLACE(FindWord(b, L"wk"), 90, 40, 10, 10);
    EXPECT_PLACE(FindWord(b, L"wl"), 0, 50, 10, 10);
}

TEST(HtmlLayout, RightFloatsAndClearingBreaks)
{
    TestPage t;
    t.Load(L"<img src=p.gif align=right width=30 height=40>w1 w2<br clear=all>below");
    t.Layout(102);
    const HtmlBoxList& b = t.page.Boxes();
    EXPECT_PLACE(b[1].get(), 70, 10, 30, 40);
    EXPECT_PLACE(FindWord(b, L"w1"), 0, 10, 10, 10);
    EXPECT_PLACE(FindWord(b, L"below"), 0, 50, 25, 10);
}

TEST(HtmlLayout, AWordWiderThanTheNarrowedLineEndsTheFloats)
{
    TestPage t;
    t.Load(L"<img src=p.gif align=left width=60 height=40>a " + std::wstring(10, L'x'));
    t.Layout(102);
    EXPECT_PLACE(FindWord(t.page.Boxes(), L"a"), 60, 10, 5, 10);
    EXPECT_PLACE(FindWord(t.page.Boxes(), std::wstring(10, L'x')), 0, 50, 50, 10);
}

const CHtmlBox* FirstRule(const HtmlBoxList& boxes)
{
    for (auto& box : boxes) {
        if (box->IsRule())
            return box.get();
        if (const CHtmlBox* inner = FirstRule(box->children))
            return inner;
    }
    return nullptr;
}

TEST(HtmlLayout, RulesTakeTheWholeWidth)
{
    TestPage t;
    t.Load(L"a<hr>b");
    t.Layout(102);
    const CHtmlBox* rule = FirstRule(t.page.Boxes());
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->x, 0);
    EXPECT_EQ(rule->width, 100);
    EXPECT_EQ(rule->height, 2);
}

TEST(HtmlLayout, ARuleIsRaisedByHalfTheTextAfterItButNotAboveItsArea)
{
    TestPage t;
    // After a paragraph the rule is alone on its line (top 20, two pixels high): raised by half the
    // height of the space that follows it, into the empty line above.
    t.Load(L"a<p><hr>b");
    t.Layout(102);
    EXPECT_PLACE(FirstRule(t.page.Boxes()), 0, 15, 100, 2);
    EXPECT_PLACE(FindWord(t.page.Boxes(), L"b"), 0, 32, 5, 10);
    // First on the page, and first in a cell: at the top of the page, and of the cell's content.
    t.Load(L"<hr>b");
    t.Layout(102);
    EXPECT_PLACE(FirstRule(t.page.Boxes()), 0, 0, 100, 2);
    t.Load(L"<table border=0 cellpadding=0 cellspacing=0><tr><td><hr>b</td></tr></table>");
    t.Layout(102);
    ASSERT_TRUE(t.page.Boxes().size() > 1 && t.page.Boxes()[1]->IsCell());
    EXPECT_EQ(FirstRule(t.page.Boxes())->y, t.page.Boxes()[1]->y);
}

TEST(HtmlLayout, APercentTableTargetsItsShareOfTheWidthLessTheMargin)
{
    TestPage t;
    t.Load(L"<table width=50% border=0 cellpadding=0 cellspacing=0><tr><td>a</td><td>b</td></tr></table>");
    t.Layout(600);
    const HtmlBoxList& b = t.page.Boxes();
    // 598 / 2 = 299: the columns grow in turns from their natural 5 pixels.
    EXPECT_PLACE(b[1].get(), 0, 10, 150, 10);
    EXPECT_PLACE(b[2].get(), 150, 10, 149, 10);
}

TEST(HtmlLayout, FixedWidthsAndColumnSpans)
{
    TestPage t;
    t.Load(L"<table cellspacing=2 cellpadding=3 border=0><tr><td width=40>a</td><td>bb</td></tr>"
           L"<tr><td colspan=2>" +
        std::wstring(20, L'c') + L"</td></tr></table>next");
    t.Layout(1002);
    const HtmlBoxList& b = t.page.Boxes();
    // Columns 40 (fixed) and 52 (10, widened for the spanning cell's 100 pixels less the 8 between).
    EXPECT_PLACE(b[1].get(), 2, 12, 46, 16);
    EXPECT_PLACE(b[2].get(), 50, 12, 58, 16);
    EXPECT_PLACE(b[3].get(), 2, 30, 106, 16);
    EXPECT_PLACE(FindWord(b, L"a"), 5, 15, 5, 10);
    EXPECT_PLACE(FindWord(b, L"bb"), 53, 15, 10, 10);
    // The table is 38 high from 10; the next line follows it.
    EXPECT_EQ(FindWord(b, L"next")->y, 48 + 10);
}

TEST(HtmlLayout, CellsStartAfterTheSpacingAndTheirHeightAttributeIsTheRows)
{
    TestPage t;
    t.Load(L"<table border=2 cellspacing=3 cellpadding=4><tr><td height=30>a</td><td>b</td></tr></table>next");
    t.Layout(1002);
    const HtmlBoxList& b = t.page.Boxes();
    // The border adds 1 to the padding (5 each side) but does not move the cells: they start at the
    // table's x + the spacing. The row is 30 high; the cells are that plus twice the padding.
    EXPECT_PLACE(b[1].get(), 3, 13, 15, 40);
    EXPECT_PLACE(b[2].get(), 21, 13, 15, 40);
    EXPECT_PLACE(FindWord(b, L"a"), 8, 18, 5, 10);
    // Below the last row: the spacing and the border, then the line of the break after the table.
    EXPECT_EQ(FindWord(b, L"next")->y, 53 + 3 + 2 + 10);

    // Rows spanned by a cell grow together (with the 4 pixels of padding between them) to its
    // height attribute; the padding comes on top.
    t.Load(L"<table border=0 cellspacing=0 cellpadding=2><tr><td rowspan=2 height=50>x</td><td>a</td></tr>"
           L"<tr><td>b</td></tr></table>");
    t.Layout(1002);
    EXPECT_EQ(b[1]->height, 54);
    EXPECT_EQ(b[2]->height + b[3]->height, 54);
}

TEST(HtmlLayout, RowSpansShareTheirHeightAndCellsAlignVertically)
{
    TestPage t;
    t.Load(L"<table cellspacing=0 cellpadding=0 border=0><tr><td rowspan=2>x<br>y<br>z<br>w</td>"
           L"<td valign=bottom>top</td></tr><tr><td valign=middle>mid</td></tr></table>");
    t.Layout(1002);
    const HtmlBoxList& b = t.page.Boxes();
    // The spanning cell's four lines (40) spread over two rows of 10 each: 10 more each.
    EXPECT_PLACE(b[1].get(), 0, 10, 5, 40);
    EXPECT_PLACE(b[2].get(), 5, 10, 15, 20);
    EXPECT_PLACE(b[3].get(), 5, 30, 15, 20);
    EXPECT_EQ(FindWord(b, L"top")->y, 20);
    EXPECT_EQ(FindWord(b, L"mid")->y, 35);
}

TEST(HtmlLayout, TablesShrinkTheirWidestColumnsButNotBelowTheirNarrowest)
{
    TestPage t;
    t.Load(L"<table cellspacing=0 cellpadding=0 border=0><tr><td>aaaa bbbb cccc dddd</td><td>xx yy</td></tr></table>");
    t.Layout(62);  // 60 for the page
    const HtmlBoxList& b = t.page.Boxes();
    // Natural 95 and 25; the wider shrinks until the table is 60: 35 and 25.
    EXPECT_EQ(b[1]->width, 35);
    EXPECT_EQ(b[2]->width, 25);
    EXPECT_EQ(FindWord(b, L"bbbb")->y, 20);
    // Narrower than the narrowest words: they stay whole and the table sticks out.
    t.Layout(12);
    EXPECT_EQ(b[1]->width, 20);
    EXPECT_EQ(b[2]->width, 10);
}

// The cells of a table, in order: their widths and their x from the table's first cell.
std::vector<std::pair<int, int>> CellsOf(const HtmlBoxList& boxes)
{
    std::vector<std::pair<int, int>> cells;
    int left = 0;
    for (const auto& box : boxes) {
        if (!box->IsCell())
            continue;
        if (cells.empty())
            left = box->x;
        cells.emplace_back(box->x - left, box->width);
    }
    return cells;
}

TEST(HtmlLayout, ATableInACellIsLaidOutAsItIsAloneAtTheCellsWidth)
{
    // A cell spanning both columns with a share of the width smaller than its words: the columns
    // are widened to the share, not to the words' natural width.
    const std::wstring inner = L"<table border=0 cellpadding=0 cellspacing=0><tr><td>a</td><td>b</td></tr>"
                               L"<tr><td colspan=2 width=10%>aaaa bbbb cccc dddd</td></tr></table>";
    TestPage nested;
    nested.Load(L"<table border=0 cellpadding=0 cellspacing=0><tr><td>" + inner + L"</td></tr></table>");
    nested.Layout(402);
    const CHtmlBox* outer = nested.page.Boxes()[1].get();
    ASSERT_TRUE(outer->IsCell());
    TestPage alone;
    alone.Load(inner);
    alone.Layout(outer->width + 2);
    EXPECT_EQ(CellsOf(outer->children), CellsOf(alone.page.Boxes())) << "in a cell " << outer->width << " wide";
}

TEST(HtmlLayout, APreformattedSpaceAtALinesEndDoesNotCount)
{
    TestPage t;
    // Right-aligned: the line ends at the margin with its word, not with the space after it.
    t.Load(L"<div align=right><pre>ab </pre></div>");
    t.Layout(402);
    EXPECT_EQ(FindWord(t.page.Boxes(), L"ab")->x, 390);
    // A cell is as wide as its word; the next cell follows at once.
    t.Load(L"<table border=0 cellpadding=0 cellspacing=0><tr><td><pre>ab </pre></td><td>x</td></tr></table>");
    t.Layout(402);
    EXPECT_EQ(FindWord(t.page.Boxes(), L"x")->x, 10);
    // Nor does it wrap to a line of its own when the word fills the line: the block stays one line.
    t.Load(L"<pre>abcd </pre>");
    t.Layout(22);
    const CHtmlBox* block = t.page.Boxes()[1].get();
    ASSERT_EQ(block->kind, kBoxContainer);
    EXPECT_EQ(block->height, 10);
}

TEST(HtmlLayout, ListsAndBlockquotesAreLaidOutAsTables)
{
    TestPage t;
    t.Load(L"<ul><li>one<li>two</ul><blockquote>q</blockquote>");
    t.Layout(402);
    const HtmlBoxList& b = t.page.Boxes();
    // Marker "l" (5, its space does not count) with 2 pixels of padding around, the item beside.
    EXPECT_PLACE(b[1].get(), 0, 10, 9, 14);
    EXPECT_PLACE(b[2].get(), 9, 10, 19, 14);
    EXPECT_PLACE(b[3].get(), 0, 24, 9, 14);
    EXPECT_PLACE(FindWord(b, L"one"), 11, 12, 15, 10);
    const CHtmlBox* quote = nullptr;
    for (auto& box : b)
        if (box->IsCell() && box->cell->padding == 15)
            quote = box.get();
    ASSERT_NE(quote, nullptr);
    EXPECT_EQ(FindWord(b, L"q")->x, quote->x + 15);
}

TEST(HtmlLayout, PicturesTakeTheirSizeFromTheBytesWhenFetched)
{
    auto source = std::make_shared<FakeSource>();
    source->Put(L"file://C:\\pages\\p.gif", "PIC 200 50");
    TestPage t(source);
    t.Load(L"<img src=p.gif width=100><img src=missing.gif><img src=p.gif width=50% height=10>");
    WaitForPictures(t.page.Images());
    ASSERT_EQ(t.page.Images().FinishedCount(), 2);
    t.Layout(402);
    const HtmlBoxList& b = t.page.Boxes();
    EXPECT_PLACE(b[0].get(), 0, 15, 100, 25);
    // A picture that cannot be had is the 60 x 40 placeholder.
    EXPECT_PLACE(b[1].get(), 100, 0, 60, 40);
    EXPECT_PLACE(b[2].get(), 160, 30, 200, 10);
}

}  // namespace
}  // namespace morvick::test
