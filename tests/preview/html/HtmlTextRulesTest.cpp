// Character references, the Latin-1 repair, colours, the tag table and the attribute scanner.
#include "preview/html/HtmlColours.h"
#include "preview/html/HtmlEntities.h"
#include "preview/html/HtmlTags.h"

#include <gtest/gtest.h>

namespace {

std::wstring Decode(std::wstring s)
{
    DecodeEntities(s);
    return s;
}

TEST(HtmlEntities, NamedReferencesDecodeOnceAndCaseSensitively)
{
    EXPECT_EQ(Decode(L"&amp;lt;"), L"&lt;");
    EXPECT_EQ(Decode(L"a&lt;b&gt;c&quot;&amp;"), L"a<b>c\"&");
    EXPECT_EQ(Decode(L"&eacute;&Eacute;&yuml;&Yuml;&nbsp;"), std::wstring(L"\xE9\xC9\xFF\xFF\xA0"));
    EXPECT_EQ(Decode(L"&EACUTE;&amp"), L"&EACUTE;&amp");  // wrong case, no semicolon
    EXPECT_EQ(Decode(L"&OElig;&oelig;&Scaron;&fnof;&circ;&tilde;&ndash;&mdash;&sbquo;&ldquo;&rdquo;"),
        L"EeSf^~--,\"\"");
    // The typographic marks as the characters they stand for.
    EXPECT_EQ(Decode(L"&lsquo;&rsquo;&euro;&trade;&hellip;&bull;"),
        std::wstring(L"\x2018\x2019\x20AC\x2122\x2026\x2022"));
    // Two characters of their own.
    EXPECT_EQ(Decode(std::wstring(L"a\x97"
                                  L"b\xA0"
                                  L"c")),
        L"a-b c");
}

TEST(HtmlEntities, NumericReferencesOutOfRangeBecomeTheReplacementCharacter)
{
    EXPECT_EQ(Decode(L"&#65;&#66;C"), L"ABC");
    EXPECT_EQ(Decode(L"&#233 x"), std::wstring(L"\xE9 x"));  // up to the space, which stays
    EXPECT_EQ(Decode(L"&#65junk;D"), L"AD");
    EXPECT_EQ(Decode(L"&#0;"), std::wstring(1, wchar_t(0xFFFD)));
    EXPECT_EQ(Decode(L"&#65536;"), std::wstring(1, wchar_t(0xFFFD)));
    EXPECT_EQ(Decode(L"&#55296;"), std::wstring(1, wchar_t(0xFFFD)));  // a surrogate
    EXPECT_EQ(Decode(L"&#99999999999999999999999999;x"), std::wstring(L"\xFFFDx"));
    EXPECT_EQ(Decode(L"&#x41;&#;&#"), L"&#x41;&#;&#");  // no decimal number: kept
    // A reference at the very end without its semicolon.
    EXPECT_EQ(Decode(L"x&#66"), L"xB");
}

TEST(HtmlEntities, Utf8PairsOfLatin1LettersBecomeTheLetter)
{
    std::wstring s = L"caf\xC3\xA9 \xC2\xA9 \xC3\x28 \xC2";
    RepairUtf8Latin1(s);
    EXPECT_EQ(s, std::wstring(L"caf\xE9 \xA9 \xC3\x28 \xC2"));
}

TEST(HtmlColours, NamesWithoutCaseAndHexTriples)
{
    EXPECT_EQ(HtmlColourNameCount(), 140);
    EXPECT_EQ(ParseHtmlColour(L"red"), HtmlRgb(255, 0, 0));
    EXPECT_EQ(ParseHtmlColour(L"ALICEBLUE"), HtmlRgb(0xF0, 0xF8, 0xFF));
    EXPECT_EQ(ParseHtmlColour(L"YellowGreen"), HtmlRgb(0x9A, 0xCD, 0x32));
    EXPECT_EQ(ParseHtmlColour(L"lightgrey"), HtmlRgb(0xD3, 0xD3, 0xD3));
    EXPECT_EQ(ParseHtmlColour(L"#102030"), HtmlRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(ParseHtmlColour(L"A0b0C0"), HtmlRgb(0xA0, 0xB0, 0xC0));
    // Spellings the table leaves out are read as hex pairs.
    EXPECT_EQ(ParseHtmlColour(L"grey"), 0u);
    EXPECT_EQ(ParseHtmlColour(L"darkgrey"), HtmlRgb(0xDA, 0, 0));
    EXPECT_EQ(ParseHtmlColour(L"lightgray"), 0u);
    EXPECT_EQ(ParseHtmlColour(L"darkgray"), HtmlRgb(0xA9, 0xA9, 0xA9));
    // Missing or bad pairs are 0; short text does not read past its end.
    EXPECT_EQ(ParseHtmlColour(L"#fff"), HtmlRgb(0xFF, 0, 0));
    EXPECT_EQ(ParseHtmlColour(L"#zz00ff"), HtmlRgb(0, 0, 0xFF));
    EXPECT_EQ(ParseHtmlColour(L"#"), 0u);
    EXPECT_EQ(ParseHtmlColour(L""), 0u);
    EXPECT_EQ(ParseHtmlColour(nullptr), 0u);
}

int Match(const std::wstring& s)
{
    return HtmlMatchTag(s.c_str(), 0, s.size());
}

TEST(HtmlTags, FormsMatchWithoutCaseWhenTheNameEnds)
{
    EXPECT_EQ(Match(L"<br>"), kTagBr);
    EXPECT_EQ(Match(L"<BR/>"), -1);  // "/" does not end a name
    EXPECT_EQ(Match(L"<b>"), kTagB);
    EXPECT_EQ(Match(L"<big size=2>"), kTagBig);
    EXPECT_EQ(Match(L"<blockquote\n>"), kTagBlockquote);
    EXPECT_EQ(Match(L"<body>"), -1);
    EXPECT_EQ(Match(L"<blink>"), -1);
    EXPECT_EQ(Match(L"<P"), kTagP);
    EXPECT_EQ(Match(L"</P>"), kTagEndP);
    EXPECT_EQ(Match(L"<pre>"), kTagPre);
    EXPECT_EQ(Match(L"<th\tcolspan=2>"), kTagTh);
    EXPECT_EQ(Match(L"<thead>"), -1);
    EXPECT_EQ(Match(L"<"), -1);
    EXPECT_EQ(kTagCount, 62);
    for (int t = 0; t < kTagCount; ++t)
        EXPECT_EQ(Match(std::wstring(HtmlTagText(t)) + L">"), t) << t;
}

TEST(HtmlTags, AttributesStopAtTheTagsEndAndAtTheTextsEnd)
{
    CHtmlStringTable a;
    std::wstring tag = L"<img SRC=\"a b.gif\" width=10 alt='x>y' ismap\nborder = 2 >rest";
    ScanAttributes(tag.c_str(), 0, tag.size(), a);
    ASSERT_EQ(a.GetRowCount(), 3);
    EXPECT_STREQ(HtmlAttribute(a, L"src"), L"a b.gif");
    EXPECT_STREQ(HtmlAttribute(a, L"WIDTH"), L"10");
    // The tag ends at its first ">", inside the quote.
    EXPECT_STREQ(HtmlAttribute(a, L"alt"), L"x");
    EXPECT_EQ(HtmlAttribute(a, L"ismap"), nullptr);
    std::wstring lines = L"<img\nsrc=a.gif\r\nborder = 2\tismap>";
    ScanAttributes(lines.c_str(), 0, lines.size(), a);
    EXPECT_STREQ(HtmlAttribute(a, L"src"), L"a.gif");
    EXPECT_STREQ(HtmlAttribute(a, L"border"), L"2");
    EXPECT_STREQ(HtmlAttribute(a, L"ismap"), L"");

    std::wstring open = L"<a href=\"never closed and no end";
    ScanAttributes(open.c_str(), 0, open.size(), a);
    EXPECT_STREQ(HtmlAttribute(a, L"href"), L"never closed and no end");
    std::wstring spaced = L"<td colspan = 3 nowrap>";
    ScanAttributes(spaced.c_str(), 0, spaced.size(), a);
    EXPECT_STREQ(HtmlAttribute(a, L"colspan"), L"3");
    EXPECT_STREQ(HtmlAttribute(a, L"nowrap"), L"");
    // A tag's worth of attributes is limited.
    std::wstring many = L"<td";
    for (int i = 0; i < 1000; ++i)
        many += L" a" + std::to_wstring(i);
    ScanAttributes(many.c_str(), 0, many.size(), a);
    EXPECT_EQ(a.GetRowCount(), kHtmlMaxAttributes);
    // Only the range given is read.
    std::wstring cut = L"<img src=abc";
    ScanAttributes(cut.c_str(), 0, 10, a);
    EXPECT_STREQ(HtmlAttribute(a, L"src"), L"a");
}

}  // namespace
