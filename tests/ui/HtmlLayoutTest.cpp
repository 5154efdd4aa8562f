// The layout with a fixed-width stand-in: wrapping, alignment, tabs, objects, tables and links.

#include <gtest/gtest.h>

#include "tests/ui/FixedWidthDevice.h"
#include "ui/html/HtmlLayout.h"
#include "ui/html/HtmlLinkTracker.h"
#include "ui/html/HtmlText.h"

namespace morvick::html {
namespace {

using test::FixedWidthDevice;
constexpr int W = FixedWidthDevice::kCharWidth;

struct Laid {
  HtmlLayoutResult r;
  std::vector<HtmlDrawItem> Of(HtmlDrawItem::Kind k) const {
    std::vector<HtmlDrawItem> v;
    for (auto& i : r.items) {
      if (i.kind == k) v.push_back(i);
    }
    return v;
  }
  std::vector<HtmlDrawItem> Texts() const { return Of(HtmlDrawItem::kText); }
};

Laid Lay(const std::wstring& markup, int width = 0, int hot = -2) {
  HtmlLanguage lang;
  FixedWidthDevice dev;
  return Laid{LayoutHtml(lang, dev, PrepareHtmlText(markup, true), width, hot)};
}

TEST(HtmlWordWrap, LongWordIsCutOnlyAtTheStartOfALine) {
  auto t = Lay(L"abcdefghij", 4 * W).Texts();
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].text, L"abcd");
  EXPECT_EQ(t[1].text, L"efgh");
  EXPECT_EQ(t[2].text, L"ij");
  EXPECT_LT(t[0].box.top, t[1].box.top);

  t = Lay(L"ab <b>cdefgh</b>", 6 * W).Texts();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].text, L"ab ");
  EXPECT_EQ(t[1].text, L"cdefgh");  // moved whole to the next line
  EXPECT_EQ(t[1].box.left, 0);
  EXPECT_GT(t[1].box.top, t[0].box.top);
}

TEST(HtmlWordWrap, BreaksAfterBreakCharactersWhichStayOnTheLine) {
  auto t = Lay(L"well-known words", 8 * W).Texts();
  ASSERT_GE(t.size(), 2u);
  EXPECT_EQ(t[0].text, L"well-");
  EXPECT_EQ(t[1].text, L"known");
  t = Lay(L"one two three", 9 * W).Texts();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].text, L"one two");  // trailing space trimmed
  EXPECT_EQ(t[0].box.Width(), 7 * W);
  EXPECT_EQ(t[1].text, L"three");
}

TEST(HtmlWordWrap, WidthAndHeightOfTheResult) {
  Laid l = Lay(L"abc<br>defgh");
  EXPECT_EQ(l.r.width, 5 * W);
  auto t = l.Texts();
  ASSERT_EQ(t.size(), 2u);
  // A line is as high as its tallest piece plus its largest descent.
  int font = t[0].font.size;
  EXPECT_EQ(t[1].box.top, font + font / 5);
  EXPECT_EQ(l.r.height, 2 * (font + font / 5));
  EXPECT_EQ(Lay(L"").r.height, 0);
}

TEST(HtmlLines, TabsAdvanceToTheNextStop) {
  auto t = Lay(L"<t><t>x").Texts();
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].box.left, 64);
  t = Lay(L"ab\tc").Texts();
  EXPECT_EQ(t[1].box.left, 32);
  t = Lay(L"abc<t>d").Texts();  // 30 px -> 32
  EXPECT_EQ(t[1].box.left, 32);
}

TEST(HtmlLines, AlignmentUsesTheAvailableWidth) {
  auto t = Lay(L"<center>abcd</center>", 100).Texts();
  EXPECT_EQ(t[0].box.left, (100 - 4 * W) / 2);
  t = Lay(L"<right>abcd</right>", 100).Texts();
  EXPECT_EQ(t[0].box.left, 100 - 4 * W);
  t = Lay(L"<right>abcd</right>").Texts();  // no width: nothing to align against
  EXPECT_EQ(t[0].box.left, 0);
}

TEST(HtmlLines, JustifiedWrappedLinesSpreadOverTheirSpaces) {
  auto t = Lay(L"<justify>aa bb cc dddddd</justify>", 10 * W).Texts();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].text, L"aa bb cc");
  EXPECT_EQ(t[0].justifyBreaks, 2);
  EXPECT_EQ(t[0].justifyExtra, 2 * W);
  EXPECT_EQ(t[1].justifyExtra, 0);  // the last line does not wrap
}

TEST(HtmlLines, RulesObjectsAndStrings) {
  Laid l = Lay(L"ab<hr size=3 color=red>cd", 200);
  auto lines = l.Of(HtmlDrawItem::kLine);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].box.Width(), 200);
  EXPECT_EQ(lines[0].lineWidth, 3);
  EXPECT_EQ(lines[0].color, HtmlRgb(255, 0, 0));
  auto t = l.Texts();
  EXPECT_GT(lines[0].box.top, t[0].box.top);
  EXPECT_GT(t[1].box.top, lines[0].box.top);
  EXPECT_EQ(Lay(L"<hr width=50%>", 200).Of(HtmlDrawItem::kLine)[0].box.Width(), 100);

  l = Lay(L"ab<bmp idres=5 cx=40 cy=30 style=gd>cd<icon idres=9>");
  auto objects = l.Of(HtmlDrawItem::kObject);
  ASSERT_EQ(objects.size(), 1u);  // the icon without a size cannot be loaded: no room
  EXPECT_EQ(objects[0].box.left, 2 * W);
  EXPECT_EQ(objects[0].box.Width(), 40);
  EXPECT_EQ(objects[0].object.style, static_cast<std::uint32_t>(kImageGrey | kImageDark));
  EXPECT_EQ(l.Texts()[1].box.left, 2 * W + 40);
  EXPECT_EQ(Lay(L"<string idres=42>").Texts()[0].text, L"S42");
}

TEST(HtmlLines, ObjectThatDoesNotFitStartsANewLine) {
  auto o = Lay(L"abcdef<bmp cx=50 cy=10>", 80).Of(HtmlDrawItem::kObject);
  ASSERT_EQ(o.size(), 1u);
  EXPECT_EQ(o[0].box.left, 0);
  EXPECT_GT(o[0].box.top, 0);
}

// Cell content rectangles: the text items of a table, in order.
TEST(HtmlTables, SurplusWidthIsSharedAmongAutoColumns) {
  // Two cells of 2 and 4 characters, padding 0, spacing 0: columns 20 and 40, 1 px between.
  const std::wstring table = L"<table cellpadding=0><tr><td>ab</td><td>abcd</td></tr></table>";
  Laid natural = Lay(table);
  EXPECT_EQ(natural.r.width, 2 * W + 4 * W + 1);
  int avail = natural.r.width + 100;
  auto t = Lay(table, avail).Texts();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].box.left, 0);
  EXPECT_EQ(t[1].box.left, 2 * W + 50 + 1);
  // The surplus fills the drawing, not the measure: a box sized by the measure stays as narrow as
  // what it holds (the message box's icon table).
  EXPECT_EQ(Lay(table, avail).r.width, natural.r.width);
}

TEST(HtmlTables, AutoCellsWrapWithinTheAvailableWidth) {
  // The message box's icon table around a long unbroken name.
  std::wstring name(300, L'x');
  Laid l = Lay(L"<table cellpadding=5><tr><td width=32><bmp cx=32 cy=32></td><td>" + name + L"</td></tr></table>", 400);
  EXPECT_LE(l.r.width, 400 + 42 + 1);  // the wrapped cell, the icon column and the gap between
  auto t = l.Texts();
  ASSERT_GT(t.size(), 1u);
  for (auto& i : t) EXPECT_LE(i.box.right, 400 + 42 + 1);
}

TEST(HtmlTables, FixedColumnsKeepTheirWidthAndTheTableIsAligned) {
  const std::wstring table = L"<center><table cellpadding=0><tr><td width=30>a</td></tr></table></center>";
  Laid l = Lay(table, 200);
  auto t = l.Texts();
  ASSERT_EQ(t.size(), 1u);
  // The table is centred, and so is the text inside its 30-pixel cell.
  EXPECT_EQ(t[0].box.left, (200 - 30) / 2 + (30 - W) / 2);
}

TEST(HtmlTables, SpansOccupyTheirSlots) {
  // Row 0: A (rowspan 2), B. Row 1: C goes to column 1 because A covers column 0.
  auto t = Lay(L"<table cellpadding=0 cellspacing=2>"
               L"<tr><td rowspan=2>A</td><td>B</td></tr>"
               L"<tr><td>C</td></tr>"
               L"<tr><td colspan=2>DDDDDD</td></tr></table>").Texts();
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[1].box.left, t[2].box.left);  // B and C share column 1
  EXPECT_GT(t[2].box.top, t[1].box.top);
  EXPECT_EQ(t[3].box.left, t[0].box.left);
  EXPECT_EQ(t[0].box.left, 2);              // spacing before the first column
}

TEST(HtmlTables, BordersAndFillsBecomeItems) {
  Laid l = Lay(L"<table border=2 bgeffect=vgradient bgcolor=red bgendcolor=blue>"
               L"<tr><td bgeffect=solid bgcolor=#00ff00>x</td></tr></table>");
  auto fills = l.Of(HtmlDrawItem::kFill);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].effect, 2);
  EXPECT_EQ(fills[0].color, HtmlRgb(255, 0, 0));
  EXPECT_EQ(fills[0].color3, HtmlRgb(0, 0, 255));
  EXPECT_EQ(fills[1].effect, 0);
  EXPECT_EQ(fills[1].color, HtmlRgb(0, 255, 0));
  auto borders = l.Of(HtmlDrawItem::kBorder);
  ASSERT_GE(borders.size(), 1u);
  EXPECT_EQ(borders[0].lineWidth, 2);
  EXPECT_EQ(borders[0].box.left, 0);
  EXPECT_EQ(borders[0].box.right, l.r.width);
}

TEST(HtmlTables, NestedTablesAndTextAround) {
  Laid l = Lay(L"before<table><tr><td>out<table><tr><td>in</td></tr></table></td><td>z</td></tr></table>after");
  auto t = l.Texts();
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[0].text, L"before");
  EXPECT_EQ(t[2].text, L"in");
  EXPECT_GT(t[2].box.top, t[1].box.top);
  EXPECT_EQ(t[3].text, L"z");
  EXPECT_EQ(t[4].text, L"after");
  EXPECT_GT(t[4].box.top, t[2].box.bottom);
}

TEST(HtmlTables, MalformedTablesDrawWhatTheyCan) {
  EXPECT_EQ(Lay(L"<table></table>").r.height, 0);
  EXPECT_EQ(Lay(L"<table><td>no row</td></table>").Texts().size(), 0u);
  auto t = Lay(L"a</table>b").Texts();
  ASSERT_EQ(t.size(), 2u);
  t = Lay(L"<table><tr><td>open<td>second<tr><td>third").Texts();
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[1].text, L"second");
  EXPECT_GT(t[1].box.left, t[0].box.left);
  EXPECT_GT(t[2].box.top, t[0].box.top);
  t = Lay(L"<table><tr><td rowspan=100000 colspan=0>a</td><td colspan=-5>b</td></tr><tr><td>c</td></tr></table>").Texts();
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[2].box.left, t[1].box.left);
  t = Lay(L"<table><tr><td colspan=99999999>wide</td></tr><tr><td>x</td></tr></table>").Texts();
  ASSERT_EQ(t.size(), 2u);
}

TEST(HtmlLinks, AreasHitWithTheirEdgesAndHoverIsReportedOncePerChange) {
  Laid l = Lay(L"xx<a href=\"doc.htm\">link</a> <a msg=\"m\">other</a>");
  ASSERT_EQ(l.r.links.size(), 2u);
  HtmlLinkTracker tracker;
  tracker.SetAreas(l.r.links);
  const HtmlRect r = l.r.links[0].rect;
  EXPECT_EQ(r.left, 2 * W);
  EXPECT_EQ(r.right, 6 * W);
  const HtmlLinkArea* under = nullptr;
  EXPECT_TRUE(tracker.Track(r.right, r.bottom, &under));
  ASSERT_NE(under, nullptr);
  EXPECT_EQ(under->target, L"doc.htm");
  EXPECT_EQ(under->kind, kLinkDocument);
  EXPECT_FALSE(tracker.Track(r.left, r.top, &under));  // same link: no second notification
  EXPECT_TRUE(tracker.Track(r.left - 1, r.top, &under));
  EXPECT_EQ(under, nullptr);
  EXPECT_EQ(tracker.Hot(), HtmlLinkTracker::kNoLink);
  EXPECT_FALSE(tracker.Track(0, 0, &under));
  EXPECT_TRUE(tracker.Track(l.r.links[1].rect.left, l.r.links[1].rect.top, &under));
  EXPECT_EQ(tracker.Hot(), 1);
  EXPECT_EQ(under->kind, kLinkMessage);
}

TEST(HtmlLinks, LinkIndexesAreStableInsideTables) {
  Laid l = Lay(L"<a>0</a><table><tr><td><a>1</a></td><td><a>2</a></td></tr></table><a>3</a>");
  ASSERT_EQ(l.r.links.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(l.r.links[i].index, i);
}

}  // namespace
}  // namespace morvick::html
