// Painting into a recording canvas, the selection of a drag, link hit tests and repaints.
#include "tests/preview/html/HtmlTestSupport.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

const HtmlColour kRed = HtmlRgb(255, 0, 0);
const HtmlColour kNavy = HtmlRgb(0, 0, 128);
const HtmlColour kWhite = HtmlRgb(255, 255, 255);
const HtmlColour kGrey = HtmlRgb(128, 128, 128);

bool Same(const HtmlRect& a, const HtmlRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(HtmlPaint, TextIsDrawnAtItsBoxLessTheScrollAndOnlyWhereItShows)
{
    TestPage t;
    t.Load(L"<body bgcolor=#102030><b>bold</b> <i>it</i><br>" + std::wstring(L"<br>x<br>x<br>x<br>x<br>last"));
    t.Layout(202);
    RecordingCanvas c;
    t.page.Paint(c, HtmlRect{0, 0, 200, 30}, 0, 0);
    ASSERT_FALSE(c.ops.empty());
    EXPECT_EQ(c.ops[0].op, "fill");
    EXPECT_EQ(c.ops[0].colour, HtmlRgb(0x10, 0x20, 0x30));
    const PaintOp* bold = c.FindText(L"bold");
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(bold->rect.left, 0);
    EXPECT_EQ(bold->font.bold, 1);
    EXPECT_EQ(bold->face, L"Arial");
    EXPECT_EQ(c.FindText(L"it")->font.italic, 1);
    EXPECT_EQ(c.FindText(L"last"), nullptr);  // below the client rectangle

    RecordingCanvas scrolled;
    t.page.Paint(scrolled, HtmlRect{0, 0, 200, 30}, 3, 60);
    const PaintOp* last = scrolled.FindText(L"last");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->rect.left, -3);
    EXPECT_EQ(last->rect.top, FindWord(t.page.Boxes(), L"last")->y - 60);
    EXPECT_EQ(scrolled.FindText(L"bold"), nullptr);
}

TEST(HtmlPaint, LinksAreUnderlinedInBlueAndRedWhileHovered)
{
    TestPage t;
    t.Load(L"<a href=one.html>one</a> <a href=two.html>two</a> <u><strike>both</strike></u>");
    t.Layout(402);
    RecordingCanvas c;
    t.page.Paint(c, HtmlRect{0, 0, 400, 100}, 0, 0);
    const PaintOp* one = c.FindText(L"one");
    EXPECT_EQ(one->colour, HtmlRgb(0, 0, 255));
    EXPECT_EQ(one->font.underline, 1);
    // With strike-out, the underline is a drawn line, not the font's; the strike-out is the font's,
    // and a line through the middle as well.
    const PaintOp* both = c.FindText(L"both");
    EXPECT_EQ(both->font.underline, 0);
    EXPECT_EQ(both->font.strikeOut, 1);
    int lines = 0;
    for (const PaintOp& op : c.ops)
        lines += op.op == "line";
    EXPECT_EQ(lines, 2);

    const CHtmlBox* two = FindWord(t.page.Boxes(), L"two");
    t.page.OnMouseMove(two->x + 1, two->y + 1);
    EXPECT_EQ(t.page.HoverLink(), 1);
    RecordingCanvas hovered;
    t.page.Paint(hovered, HtmlRect{0, 0, 400, 100}, 0, 0);
    EXPECT_EQ(hovered.FindText(L"two")->colour, kRed);
    EXPECT_EQ(hovered.FindText(L"one")->colour, HtmlRgb(0, 0, 255));
}

TEST(HtmlPaint, SelectedTextIsWhiteOnNavy)
{
    TestPage t;
    t.Load(L"pick me");
    t.Layout(402);
    const CHtmlBox* pick = FindWord(t.page.Boxes(), L"pick");
    t.page.SetSelection(HtmlRect{pick->x + 1, pick->y + 1, pick->x + 2, pick->y + 2});
    RecordingCanvas c;
    t.page.Paint(c, HtmlRect{0, 0, 400, 100}, 0, 0);
    EXPECT_EQ(c.FindText(L"pick")->colour, kWhite);
    EXPECT_EQ(c.FindText(L"me")->colour, 0u);
    bool navy = false;
    for (const PaintOp& op : c.ops)
        navy |= op.op == "fill" && op.colour == kNavy && op.rect.left == pick->x;
    EXPECT_TRUE(navy);
}

TEST(HtmlPaint, EdgesAreDrawnInsideTheBoxSunkenRaisedOrInTheirColour)
{
    TestPage t;
    t.Load(L"<table border=2 cellpadding=0 cellspacing=0><tr><td>a</td></tr></table>"
           L"<table border=1 bordercolor=lime cellpadding=0><tr><td>b</td></tr></table>");
    t.Layout(402);
    const CHtmlBox& cell = *t.page.Boxes()[1];
    RecordingCanvas c;
    t.page.Paint(c, HtmlRect{0, 0, 400, 200}, 0, 0);
    std::vector<PaintOp> lines;
    for (const PaintOp& op : c.ops)
        if (op.op == "line")
            lines.push_back(op);
    // A cell's edge is one pixel wide: left, top in grey; right, bottom in white.
    ASSERT_GE(lines.size(), 8u);
    EXPECT_TRUE(Same(lines[0].rect, HtmlRect{cell.x, cell.y, cell.x, cell.y + cell.height}));
    EXPECT_EQ(lines[0].colour, kGrey);
    EXPECT_EQ(lines[1].colour, kGrey);
    EXPECT_TRUE(
        Same(lines[2].rect, HtmlRect{cell.x + cell.width - 1, cell.y, cell.x + cell.width - 1, cell.y + cell.height}));
    EXPECT_EQ(lines[2].colour, kWhite);
    EXPECT_EQ(lines[3].colour, kWhite);
    for (size_t i = 4; i < 8; ++i)
        EXPECT_EQ(lines[i].colour, HtmlRgb(0, 255, 0)) << i;
}

TEST(HtmlPaint, BackgroundPicturesTileWithThePageAndCellsFromTheirCorner)
{
    auto source = std::make_shared<FakeSource>();
    source->Put(L"file://C:\\pages\\bg.gif", "PIC 16 16");
    TestPage t(source);
    t.Load(L"<body background=bg.gif><table background=bg.gif cellspacing=0><tr><td>x</td></tr></table>");
    WaitForPictures(t.page.Images());
    t.Layout(402);
    RecordingCanvas c;
    t.page.Paint(c, HtmlRect{0, 0, 400, 300}, 5, 7);
    std::vector<PaintOp> tiles;
    for (const PaintOp& op : c.ops)
        if (op.op == "tile")
            tiles.push_back(op);
    ASSERT_EQ(tiles.size(), 2u);
    EXPECT_TRUE(Same(tiles[0].rect, HtmlRect{0, 0, 400, 300}));
    EXPECT_EQ(tiles[0].font.height, -5);  // origin
    EXPECT_EQ(tiles[0].font.bold, -7);
    const CHtmlBox& cell = *t.page.Boxes()[1];
    EXPECT_EQ(tiles[1].rect.left, cell.x - 5);
    EXPECT_EQ(tiles[1].font.height, cell.x - 5);
    EXPECT_EQ(tiles[1].rect.bottom, cell.y + cell.height - 7);
}

TEST(HtmlPaint, APictureStillFetchingPaintsNothingButKeepsItsBox)
{
    auto source = std::make_shared<FakeSource>();
    source->BlockAll(true);
    TestPage t(source);
    t.Load(L"<img src=slow.gif width=30 height=20>");
    t.Layout(402);
    RecordingCanvas c;
    t.page.Paint(c, HtmlRect{0, 0, 400, 300}, 0, 0);
    for (const PaintOp& op : c.ops)
        EXPECT_NE(op.op, "stretch");
    EXPECT_EQ(t.page.Boxes()[0]->width, 30);
    source->Release();
}

TEST(HtmlLinks, MovingBetweenLinksTellsTheHostAndRepaintsBoth)
{
    TestPage t;
    t.Load(L"<a href=one.html>one</a> <a href=two.html><img src=p.gif width=20 height=20 border=1></a> plain");
    t.Layout(402);
    const CHtmlBox* one = FindWord(t.page.Boxes(), L"one");
    const CHtmlBox* pic = t.page.Boxes()[2].get();
    t.page.OnMouseMove(one->x + 2, one->y + 2);
    t.page.OnMouseMove(pic->x + 2, pic->y + 2);
    const CHtmlBox* plain = FindWord(t.page.Boxes(), L"plain");
    t.page.OnMouseMove(plain->x + 2, plain->y + 2);
    ASSERT_EQ(t.host.hovers.size(), 3u);
    EXPECT_EQ(t.host.hovers[0], L"1 file://C:\\pages\\one.html");
    EXPECT_EQ(t.host.hovers[1], L"1 file://C:\\pages\\two.html");
    EXPECT_EQ(t.host.hovers[2], L"0 ");
    EXPECT_EQ(t.page.HoverLink(), -1);

    t.host.invalidated.clear();
    t.page.InvalidateLink(L"file://C:\\pages\\two.html");
    ASSERT_EQ(t.host.invalidated.size(), 1u);
    EXPECT_TRUE(Same(t.host.invalidated[0], HtmlRect{pic->x, pic->y, pic->x + 20, pic->y + 20}));
    t.page.InvalidateImage(pic->image);
    EXPECT_EQ(t.host.invalidated.size(), 2u);
    t.page.InvalidateLink(L"FILE://C:\\pages\\two.html");  // exact comparison
    EXPECT_EQ(t.host.invalidated.size(), 2u);
}

TEST(HtmlLinks, ClicksFollowLinksOnlyOnThem)
{
    TestPage t;
    t.Load(L"<table><tr><td><a href=in.html>inner</a></td></tr></table> outside");
    t.Layout(402);
    const CHtmlBox* outside = FindWord(t.page.Boxes(), L"outside");
    t.page.OnClick(outside->x + 1, outside->y + 1);
    EXPECT_TRUE(t.host.navigations.empty());
    EXPECT_EQ(t.page.HoverLink(), -1);
    const CHtmlBox* inner = FindWord(t.page.Boxes(), L"inner");
    t.page.OnClick(inner->x + 1, inner->y + 1);
    ASSERT_EQ(t.host.navigations.size(), 1u);
    EXPECT_EQ(t.host.navigations[0], L"file://C:\\pages\\in.html");
}

TEST(HtmlSelection, ADragSelectsWholeLinesBetweenItsEnds)
{
    TestPage t;
    t.Load(L"a1 a2 a3<br>b1 b2 b3<br>c1 c2 c3<br>d1");
    t.Layout(402);
    const HtmlBoxList& b = t.page.Boxes();
    const CHtmlBox* a2 = FindWord(b, L"a2");
    const CHtmlBox* c1 = FindWord(b, L"c1");
    // From the middle of a2 down to the middle of c1: the rectangle between the two points meets
    // a1 and a2; the lines below its top end inside it are taken whole (a3, b1 to b3); on the
    // last line only what begins left of its right edge (c1, c2).
    t.page.SetSelection(HtmlRect{c1->x + 3, a2->y + 5, a2->x + 3, c1->y + 5});
    auto selected = [&](const wchar_t* w) { return FindWord(b, w)->selected; };
    for (const wchar_t* w : {L"a1", L"a2", L"a3", L"b1", L"b2", L"b3", L"c1", L"c2"})
        EXPECT_EQ(selected(w), 1) << w;
    EXPECT_EQ(selected(L"c3"), 0);
    EXPECT_EQ(selected(L"d1"), 0);
    // A click's empty selection clears it again.
    t.page.SetSelection(HtmlRect{390, 390, 390, 390});
    for (const wchar_t* w : {L"a2", L"b1", L"c1"})
        EXPECT_EQ(selected(w), 0) << w;
}

}  // namespace
}  // namespace morvick::test
