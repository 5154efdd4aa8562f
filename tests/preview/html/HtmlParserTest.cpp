// The cleaning pass and the tag parser over pages of every supported tag.
#include "tests/preview/html/HtmlTestSupport.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

const HtmlColour kBlue = HtmlRgb(0, 0, 255);

TEST(HtmlParser, CleaningDropsScriptsStylesCommentsAndUnknownTags)
{
    TestPage t;
    t.Load(L"<html><head><title>  My &amp; Title \n</title><style>p{}</style>"
           L"<script>document.write('<b>x</b>')</script></head>"
           L"<BODY bgcolor=\"navy\"><!-- a <b>comment</b> -->one <blink>two</blink>  \r\n   three"
           L" <B>four</B><meta x></body></html>");
    EXPECT_EQ(t.host.title, L"My & Title");
    EXPECT_EQ(t.page.Background(), HtmlRgb(0, 0, 128));
    EXPECT_EQ(Outline(t.page.Boxes()), L"one two three four");
    EXPECT_EQ(FindWord(t.page.Boxes(), L"four")->bold, 1);
    EXPECT_EQ(FindWord(t.page.Boxes(), L"three")->bold, 0);
    // Progress was reported, ending at the whole length.
    EXPECT_GT(t.host.parseReports, 0);
    EXPECT_EQ(t.host.lastProgress, t.host.lastTotal);
}

TEST(HtmlParser, ProgressIsReportedAtEveryStepOfTheTopLevel)
{
    // 400 words of one letter: each word (at an even position) and each space is a step.
    std::wstring page;
    for (int i = 0; i < 400; ++i)
        page += L"w <i>";
    TestPage t;
    t.Load(page);
    std::vector<int> expected;
    for (int at = 0; at < static_cast<int>(page.size()); at += 5) {
        expected.push_back(at);      // the word
        expected.push_back(at + 1);  // the space
        expected.push_back(at + 2);  // the tag
    }
    expected.push_back(static_cast<int>(page.size()));  // the end
    EXPECT_EQ(t.host.parsePositions, expected);
    EXPECT_EQ(t.host.lastTotal, static_cast<int>(page.size()));
}

TEST(HtmlParser, UnterminatedScriptsCommentsAndTitlesEndAtTheText)
{
    for (const wchar_t* page : {L"a<script>b", L"a<!-- b", L"a<title>b", L"a<style>b</style", L"a<b", L"a<title"}) {
        TestPage t;
        t.Load(page);
        EXPECT_EQ(Outline(t.page.Boxes()), L"a") << page;
    }
    TestPage t;
    t.Load(L"a<style>b");  // an unclosed style drops only its tag
    EXPECT_EQ(Outline(t.page.Boxes()), L"ab");
}

TEST(HtmlParser, WhiteSpaceCollapsesOutsidePreformattedText)
{
    TestPage t;
    t.Load(L"  alpha   \r\n\t  beta <pre>a  b\n\tc\r\nd</pre>");
    // Outside: one space. Inside: each space a box, a tab filling to five characters, breaks.
    EXPECT_EQ(Outline(t.page.Boxes()), L"alpha beta |[a  b|     c|d]|");
    const CHtmlBox* a = FindWord(t.page.Boxes(), L"a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(std::wstring(t.page.Face(a->face)), L"Courier New");
    EXPECT_EQ(a->preformatted, 1);
    // At the start of a line the tab is five spaces; after "x" four.
    ASSERT_NE(FindWord(t.page.Boxes(), L"     "), nullptr);
    t.Load(L"<pre>x\ty</pre>");
    EXPECT_EQ(Outline(t.page.Boxes()), L"|[x    y]|");
}

TEST(HtmlParser, WhiteSpaceAfterALineBreakIsASpaceBoxToo)
{
    TestPage t;
    t.Load(L"one<br>\r\n   two<br>three");
    EXPECT_EQ(Outline(t.page.Boxes()), L"one | two |three");
}

TEST(HtmlParser, AsciiTextFilesArePreformattedInCourierNew)
{
    TestPage t;
    t.Load(L"line one\n  two<b>x", L"file://C:\\notes\\read.TXT");
    EXPECT_EQ(Outline(t.page.Boxes()), L"line one|  twox");
    EXPECT_EQ(std::wstring(t.page.Face(FindWord(t.page.Boxes(), L"line")->face)), L"Courier New");
    // The first line keeps its indent too, in a text file and in a preformatted block.
    t.Load(L"  first\nsecond", L"file://C:\\notes\\read.txt");
    EXPECT_EQ(Outline(t.page.Boxes()), L"  first|second");
    t.Load(L"<pre>  first\nsecond</pre>");
    EXPECT_EQ(Outline(t.page.Boxes()), L"|[  first|second]|");
}

TEST(HtmlParser, InlineStylesLinksAndFonts)
{
    TestPage t;
    t.Load(L"<i>it</i><b>bo</b><strong>st</strong><u>un</u><a href=\"x.html\">li nk</a>"
           L"<a name=top>plain</a><small>sm</small><big>bi</big><strike>sk</strike><sub>sb</sub><sup>sp</sup>"
           L"<font face=\"Verdana, Arial\" color=#ff0000 size=5>f5</font><font size=+2>f+2</font><font "
           L"size=0>f0</font>",
        L"file://C:\\pages\\page.html", 15);
    const HtmlBoxList& b = t.page.Boxes();
    EXPECT_EQ(FindWord(b, L"it")->italic, 1);
    EXPECT_EQ(FindWord(b, L"bo")->bold, 1);
    EXPECT_EQ(FindWord(b, L"st")->bold, 1);
    EXPECT_EQ(FindWord(b, L"un")->edges, kEdgeBottom);
    const CHtmlBox* li = FindWord(b, L"li");
    EXPECT_EQ(li->colour, kBlue);
    EXPECT_EQ(li->edges, kEdgeBottom);
    EXPECT_EQ(li->edgeColour, kBlue);
    EXPECT_EQ(li->link, 0);
    EXPECT_EQ(FindWord(b, L"nk")->link, 0);
    EXPECT_STREQ(t.page.LinkUrl(0), L"file://C:\\pages\\x.html");
    EXPECT_EQ(FindWord(b, L"plain")->link, -1);
    EXPECT_EQ(FindWord(b, L"plain")->edges, 0);
    EXPECT_EQ(FindWord(b, L"sm")->fontHeight, 10);
    EXPECT_EQ(FindWord(b, L"bi")->fontHeight, 20);
    EXPECT_EQ(FindWord(b, L"sk")->edges, kEdgeMiddle);
    // Sub is measured and drawn small; sup is measured full and drawn small.
    EXPECT_EQ(FindWord(b, L"sb")->fontHeight, 10);
    EXPECT_EQ(FindWord(b, L"sb")->height, 10);
    EXPECT_EQ(FindWord(b, L"sp")->fontHeight, 10);
    EXPECT_EQ(FindWord(b, L"sp")->height, 15);
    const CHtmlBox* f5 = FindWord(b, L"f5");
    EXPECT_EQ(f5->fontHeight, 28);
    EXPECT_EQ(f5->colour, HtmlRgb(255, 0, 0));
    EXPECT_EQ(std::wstring(t.page.Face(f5->face)), L"Verdana");
    EXPECT_EQ(FindWord(b, L"f+2")->fontHeight, 17);
    EXPECT_EQ(FindWord(b, L"f0")->fontHeight, 15);
    EXPECT_EQ(std::wstring(t.page.Face(FindWord(b, L"f+2")->face)), L"Arial");
}

TEST(HtmlParser, EqualLinksShareOneIndexWithoutCase)
{
    TestPage t;
    t.Load(L"<a href=a.html>1</a><a href=A.HTML>2</a><a href=b.html>3</a>");
    EXPECT_EQ(FindWord(t.page.Boxes(), L"2")->link, 0);
    EXPECT_EQ(FindWord(t.page.Boxes(), L"3")->link, 1);
    int items = 0, images = 0, links = 0, level = 0;
    t.page.GetStats(&items, &images, &links, &level);
    EXPECT_EQ(links, 2);
    EXPECT_EQ(items, 3);
}

TEST(HtmlParser, HeadingsBreaksRulesAndParagraphs)
{
    TestPage t;
    t.Load(L"x<h1>T</h1>y<h2>U</h2><h3>V</h3>z<br>w<br clear=all>one<p>two<hr>three<center>c</center>");
    EXPECT_EQ(Outline(t.page.Boxes()), L"x | T |y | U | | V |z |w |one | |two - |three |c |");
    EXPECT_EQ(FindWord(t.page.Boxes(), L"T")->fontHeight, 20);
    EXPECT_EQ(FindWord(t.page.Boxes(), L"T")->bold, 1);
    EXPECT_EQ(FindWord(t.page.Boxes(), L"U")->fontHeight, 15);
    EXPECT_EQ(FindWord(t.page.Boxes(), L"V")->fontHeight, 13);
    EXPECT_EQ(FindWord(t.page.Boxes(), L"y")->bold, 0);
    EXPECT_EQ(FindWord(t.page.Boxes(), L"c")->align, kAlignCentre);
    std::vector<const CHtmlBox*> all;
    CollectBoxes(t.page.Boxes(), all);
    int clears = 0, rules = 0;
    for (const CHtmlBox* b : all) {
        clears += b->kind == kBoxBreak && b->clear;
        if (b->IsRule()) {
            ++rules;
            EXPECT_EQ(b->height, 2);
            EXPECT_EQ(b->edgeColour, kEdgeSunken);
        }
    }
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(rules, 1);
}

TEST(HtmlParser, ImagesFloatsAndLinkedImages)
{
    TestPage t;
    t.Load(L"<img src=a.gif width=30 height=20 border=2><a href=go.html><img src='b.gif'></a>"
           L"<img src=a.gif align=right width=50%><img alt=nothing>");
    const HtmlBoxList& b = t.page.Boxes();
    EXPECT_EQ(Outline(b), L"<img><img>|[<img>]||");
    EXPECT_EQ(b[0]->wantWidth, 30);
    EXPECT_EQ(b[0]->edges, kEdgeAll);
    EXPECT_EQ(b[0]->edgeWidth, 2);
    EXPECT_EQ(b[1]->link, 0);
    const CHtmlBox& holder = *b[3];
    EXPECT_EQ(holder.floatSide, kFloatRight);
    EXPECT_EQ(holder.children[0]->wantWidth, -50);
    // The same URL is one picture; the picture of a link keeps its own.
    EXPECT_EQ(t.page.Images().GetCount(), 2);
    EXPECT_EQ(holder.children[0]->image, b[0]->image);
    EXPECT_EQ(t.page.Images().GetAt(1)->Url(), L"file://C:\\pages\\b.gif");
}

TEST(HtmlParser, TablesBecomeRunsOfCellsWithRowsColumnsAndSpans)
{
    TestPage t;
    t.Load(L"<table border=1 cellpadding=3 cellspacing=2 width=50% bgcolor=yellow align=center>"
           L"<tr bgcolor=red align=right><td rowspan=2>a</td><td colspan=2 width=40>b</td></tr>"
           L"<tr><td>c<td valign=middle align=left>d</tr>"
           L"<tr><th>h</th><td>e<table><tr><td>inner</td></tr></table></td></tr></table>after");
    const HtmlBoxList& b = t.page.Boxes();
    EXPECT_EQ(Outline(b), L"|[a][b][c][d][h][e|[inner]|]|after");
    struct Expect {
        int row, column, colSpan, rowSpan;
    } expect[] = {{0, 0, 1, 2}, {0, 1, 2, 1}, {1, 1, 1, 1}, {1, 2, 1, 1}, {2, 0, 1, 1}, {2, 1, 1, 1}};
    for (int i = 0; i < 6; ++i) {
        const CHtmlBox& cell = *b[static_cast<size_t>(i + 1)];
        ASSERT_TRUE(cell.IsCell()) << i;
        EXPECT_EQ(cell.cell->row, expect[i].row) << i;
        EXPECT_EQ(cell.cell->column, expect[i].column) << i;
        EXPECT_EQ(cell.cell->colSpan, expect[i].colSpan) << i;
        EXPECT_EQ(cell.cell->rowSpan, expect[i].rowSpan) << i;
        EXPECT_EQ(cell.cell->border, 1);
        EXPECT_EQ(cell.cell->padding, 4);  // plus one for the border
        EXPECT_EQ(cell.cell->spacing, 2);
        EXPECT_EQ(cell.cell->tableWidth, -50);
        EXPECT_EQ(cell.align, kAlignCentre);  // the table's place in its line
        EXPECT_EQ(cell.edges, kEdgeAll);
    }
    EXPECT_EQ(b[1]->background, HtmlRgb(255, 0, 0));    // the row's colour
    EXPECT_EQ(b[3]->background, HtmlRgb(255, 255, 0));  // the table's
    EXPECT_EQ(b[2]->cell->fixedWidth, 40);
    EXPECT_EQ(FindWord(b, L"a")->align, kAlignRight);  // the row's alignment
    EXPECT_EQ(FindWord(b, L"c")->align, kAlignLeft);
    EXPECT_EQ(FindWord(b, L"d")->align, kAlignLeft);
    EXPECT_EQ(b[4]->verticalAlign, kVAlignMiddle);
    // A heading cell is centred and 4 pixels larger.
    EXPECT_EQ(FindWord(b, L"h")->align, kAlignCentre);
    EXPECT_EQ(FindWord(b, L"h")->fontHeight, 14);
    int items = 0, images = 0, links = 0, level = 0;
    t.page.GetStats(&items, &images, &links, &level);
    EXPECT_EQ(level, 2);
}

TEST(HtmlParser, ListsAreTablesOfMarkersAndItems)
{
    TestPage t;
    t.Load(L"<ul><li>one<li>two<ul><li>deep</ul></ul><ol><li>first<li>second<ol><li>sub</ol></ol>");
    const HtmlBoxList& b = t.page.Boxes();
    EXPECT_EQ(Outline(b), L"|[l ][one][l ][two|[m ][deep]|]||[1. ][first][2. ][second|[a. ][sub]|]|");
    EXPECT_EQ(std::wstring(t.page.Face(b[1]->children[0]->face)), L"Wingdings");
    EXPECT_EQ(b[3]->cell->row, 1);
    EXPECT_EQ(b[4]->cell->column, 1);
    EXPECT_EQ(b[4]->cell->padding, 2);
    EXPECT_EQ(std::wstring(t.page.Face(FindWord(b, L"1.")->face)), L"Arial");
}

TEST(HtmlParser, BlockquotesPreformattedAndAlignedBlocks)
{
    TestPage t;
    t.Load(L"<blockquote>q</blockquote><div align=right>r</div><p align=center>c<p>n<div>d</div>");
    const HtmlBoxList& b = t.page.Boxes();
    EXPECT_EQ(Outline(b), L"|[q]||r||c||n |d |");
    EXPECT_EQ(b[1]->cell->padding, 15);
    EXPECT_EQ(FindWord(b, L"r")->align, kAlignRight);
    EXPECT_EQ(FindWord(b, L"c")->align, kAlignCentre);
    EXPECT_EQ(FindWord(b, L"n")->align, kAlignLeft);
    EXPECT_EQ(FindWord(b, L"d")->align, kAlignLeft);
}

TEST(HtmlParser, ANewLoadStartsAfreshButKeepsThePictures)
{
    TestPage t;
    t.Load(L"<body background=bg.png><a href=x>x</a><img src=a.gif>");
    EXPECT_EQ(t.page.BackgroundImage(), 0);
    EXPECT_EQ(t.page.Images().GetAt(0)->IsBackground(), 1);
    t.Load(L"plain <img src=a.gif><img src=bg.png>");
    EXPECT_EQ(t.page.BackgroundImage(), -1);
    EXPECT_EQ(t.page.Background(), HtmlRgb(255, 255, 255));
    EXPECT_EQ(t.page.Links().GetRow(0).GetCount(), 0);
    EXPECT_EQ(Outline(t.page.Boxes()), L"plain <img><img>");
    // bg.png inline is another picture than bg.png as a background.
    EXPECT_EQ(t.page.Images().GetCount(), 3);
}

}  // namespace
}  // namespace morvick::test
