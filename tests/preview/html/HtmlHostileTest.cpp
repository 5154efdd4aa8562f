// Hostile pages: deep nesting, huge numbers, unterminated constructs and floods of boxes are cut
// down, never crash and never run away. Each page is parsed, laid out, painted, selected and hit.
#include "preview/html/HtmlParser.h"
#include "tests/preview/html/HtmlTestSupport.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace morvick::test {
namespace {

std::wstring Repeat(const std::wstring& s, int n)
{
    std::wstring out;
    out.reserve(s.size() * static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

// Runs the whole page through every stage; the extent.
HtmlRect Exercise(TestPage& t, const std::wstring& markup, int width = 802)
{
    t.Load(markup);
    HtmlRect extent = t.Layout(width);
    RecordingCanvas canvas;
    t.page.Paint(canvas, HtmlRect{0, 0, width, 600}, 0, 0);
    t.page.SetSelection(HtmlRect{0, 0, width, 600});
    t.page.OnMouseMove(5, 5);
    t.page.OnClick(width / 2, 300);
    return extent;
}

int Level(const CHtmlPage& page)
{
    int items, images, links, level;
    page.GetStats(&items, &images, &links, &level);
    return level;
}

TEST(HtmlHostile, DeepNestingIsParsedFlatBeyondTheCap)
{
    const struct {
        const wchar_t* open;
        const wchar_t* close;
    } kinds[] = {
        {L"<table><tr><td>", L"</td></tr></table>"},
        {L"<ul><li>", L"</ul>"},
        {L"<ol><li>", L"</ol>"},
        {L"<blockquote>", L"</blockquote>"},
        {L"<pre>", L"</pre>"},
        {L"<div align=center>", L"</div>"},
        {L"<p align=right>", L""},
        {L"<img src=a.gif align=left>", L""},
        {L"<table><td>", L""},
    };
    for (const auto& k : kinds) {
        SCOPED_TRACE(std::string(k.open, k.open + std::wcslen(k.open)));
        TestPage t;
        std::wstring page = Repeat(k.open, 20000) + L"core" + Repeat(k.close, 20000);
        Exercise(t, page);
        EXPECT_LE(Level(t.page), kHtmlMaxNesting);
        EXPECT_NE(FindWord(t.page.Boxes(), L"core"), nullptr);
    }
}

TEST(HtmlHostile, HugeNumbersAreClamped)
{
    TestPage t;
    HtmlRect extent = Exercise(t,
        L"<font size=99999999999999999999>big</font><font size=-99999>small</font>"
        L"<h1><h1><h1><big><big><big><big><big><big><big><big><big><big>huge</big></h1>"
        L"<img src=a.gif width=2147483648 height=-5 border=999999999>"
        L"<table width=99999999 border=99999 cellpadding=99999999 cellspacing=-4>"
        L"<tr><td colspan=99999999 rowspan=2147483647 width=99999999% height=99999999>x</td>"
        L"<td colspan=1000>y</td></tr></table>"
        L"<input size=999999999><textarea cols=99999999 rows=99999999></textarea>"
        L"<table width=100%><tr>" +
            Repeat(L"<td colspan=900>c</td>", 50) + L"</tr></table>");
    EXPECT_LE(FindWord(t.page.Boxes(), L"big")->fontHeight, kHtmlMaxFontHeight);
    EXPECT_GE(FindWord(t.page.Boxes(), L"small")->fontHeight, 1);
    EXPECT_LE(FindWord(t.page.Boxes(), L"huge")->fontHeight, kHtmlMaxFontHeight);
    EXPECT_GT(extent.right, 0);
    EXPECT_LT(extent.right, 1 << 28);
    EXPECT_LT(extent.bottom, 1 << 28);
}

// The page's text with more markup behind its end, in the string's own buffer: a scan that runs
// off the text finds closing quotes, ">", "</title>", "-->" and "</textarea>" there, each after
// the word "ESCAPED", which also follows the terminator at once, so that a word read on past the
// end takes it. A load cleans the text into a new string before it parses it, so that markup behind
// the page's end is behind the cleaner's alone: the parser is given the cleaned text with markup
// behind its end as well.
std::wstring WithMarkupBehindItsEnd(const std::wstring& page)
{
    std::wstring text = page + L'\0' +
        L"ESCAPED\"' ESCAPED> ESCAPED</title> ESCAPED--> ESCAPED</script> ESCAPED</textarea> ESCAPED</table> ESCAPED";
    text.resize(page.size());  // shortening keeps the buffer
    return text;
}

// Every text the page holds: boxes (the page's own unless others are given), controls and their
// options, the title, links and pictures.
std::wstring EverythingShown(TestPage& t, const HtmlBoxList* boxes = nullptr)
{
    std::wstring all = Outline(boxes != nullptr ? *boxes : t.page.Boxes()) + L"\n" + t.host.title;
    for (const CreatedControl& c : t.host.controls) {
        all += L"\n" + c.text;
        for (const auto& option : c.options)
            all += L"\n" + option.first + L"=" + option.second;
    }
    for (int i = 0; i < t.page.Links().GetRow(0).GetCount(); ++i)
        all += L"\n" + std::wstring(t.page.LinkUrl(i));
    for (int i = 0; i < t.page.Images().GetCount(); ++i)
        all += L"\n" + t.page.Images().GetAt(i)->Url();
    return all;
}

// Pages that end inside a construct: what is before the construct stays; the construct takes the
// rest of the text and no more.
const struct {
    const wchar_t* page;
    const wchar_t* outline;
    const wchar_t* title;
} kUnterminated[] = {
    {L"<a href=\"never closed", L"", L""},
    {L"<img src='x", L"<img>", L""},
    {L"text <title", L"text ", L""},
    {L"x <!--", L"x ", L""},
    {L"x <script", L"x ", L""},
    {L"&#", L"&#", L""},
    {L"&#9999999", L"\uFFFD", L""},
    {L"<", L"", L""},
    {L"<table", L"||", L""},
    {L"<table><tr><td", L"|[]|", L""},
    {L"<select><option>a<option", L"#", L""},
    {L"<textarea>abc", L"#", L""},
    {L"<form action=", L"", L""},
    {L"<ul><li>", L"|[l ][]|", L""},
    {L"<font size=", L"", L""},
    {L"<pre>\t\r", L"|[     |]|", L""},
    {L"<p align=center", L"||", L""},
    {L"<input type=image src=", L"<img>", L""},
    {L"<body background=", L"", L""},
    {L"<title>t</title", L"", L"t"},
};

TEST(HtmlHostile, UnterminatedConstructsStopAtTheEnd)
{
    for (const auto& p : kUnterminated) {
        SCOPED_TRACE(std::string(p.page, p.page + std::wcslen(p.page)));
        TestPage t;
        Exercise(t, WithMarkupBehindItsEnd(p.page));
        EXPECT_EQ(Outline(t.page.Boxes()), p.outline);
        EXPECT_EQ(t.host.title, p.title);
        const std::wstring all = EverythingShown(t);
        EXPECT_EQ(all.find(L"ESCAPED"), std::wstring::npos) << std::string(all.begin(), all.end());
    }
    // The list box and the text box hold what their page gave them.
    TestPage select;
    select.Load(WithMarkupBehindItsEnd(L"<select><option>a<option"));
    ASSERT_EQ(select.host.controls.size(), 1u);
    ASSERT_EQ(select.host.controls[0].options.size(), 2u);
    EXPECT_EQ(select.host.controls[0].options[0].first, L"a");
    TestPage area;
    area.Load(WithMarkupBehindItsEnd(L"<textarea>abc"));
    ASSERT_EQ(area.host.controls.size(), 1u);
    EXPECT_EQ(area.host.controls[0].text, L"abc");
}

TEST(HtmlHostile, TheParserStopsAtTheEndOfTheCleanedText)
{
    // The two passes of a load, with markup behind the end of each one's text.
    for (const auto& p : kUnterminated) {
        SCOPED_TRACE(std::string(p.page, p.page + std::wcslen(p.page)));
        TestPage t;
        const std::wstring base = L"file://C:\\pages\\page.html";
        const std::wstring cleaned =
            WithMarkupBehindItsEnd(CleanHtml(WithMarkupBehindItsEnd(p.page), false, t.page, base));
        CHtmlParser parser(t.page, cleaned, base);
        HtmlBoxList boxes;
        parser.ParseHtml(0, cleaned.size(), boxes, L"Arial", 10, 0, kAlignLeft, 0, 0);
        EXPECT_EQ(Outline(boxes), p.outline);
        const std::wstring all = EverythingShown(t, &boxes);
        EXPECT_EQ(all.find(L"ESCAPED"), std::wstring::npos) << std::string(all.begin(), all.end());
    }
}

TEST(HtmlHostile, FloodsOfBoxesStopAtTheItemLimit)
{
    TestPage t;
    Exercise(t, Repeat(L"a ", kHtmlMaxItems));
    int items, images, links, level;
    t.page.GetStats(&items, &images, &links, &level);
    EXPECT_EQ(items, kHtmlMaxItems);
    TestPage u;
    Exercise(u, Repeat(L"<a href=x", 1) + Repeat(L"<a href=l>", 1) + Repeat(L"<br>", kHtmlMaxItems));
}

TEST(HtmlHostile, ManyDistinctLinksAndPicturesStayCheap)
{
    TestPage t;
    std::wstring page;
    for (int i = 0; i < 20000; ++i)
        page += L"<a href=l" + std::to_wstring(i) + L">" + std::to_wstring(i) + L"</a> ";
    Exercise(t, page);
    EXPECT_EQ(t.page.Links().GetRow(0).GetCount(), 20000);
    t.source->BlockAll(false);
}

TEST(HtmlHostile, JustifiedAndWideTablesAtTheirLimits)
{
    TestPage t;
    std::wstring cells;
    for (int i = 0; i < 300; ++i)
        cells += L"<td width=" + std::to_wstring(i * 37 % 500) + L">w" + std::to_wstring(i) + L"</td>";
    Exercise(t,
        L"<p align=justify>" + Repeat(L"a ", 3000) +
            L"</p><table width=10000 cellpadding=500 cellspacing=500>"
            L"<tr>" +
            cells + L"</tr></table><table width=1><tr>" + cells + L"</tr></table>",
        10002);
}

}  // namespace
}  // namespace morvick::test
