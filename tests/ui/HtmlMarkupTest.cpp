// The markup language on its own: preparing texts, scanning, values, style sheets and the style stack.

#include <gtest/gtest.h>

#include "tests/ui/FixedWidthDevice.h"
#include "ui/html/HtmlLayout.h"
#include "ui/html/HtmlObject.h"
#include "ui/html/HtmlScanner.h"
#include "ui/html/HtmlStyleSheet.h"
#include "ui/html/HtmlText.h"
#include "ui/html/HtmlValues.h"

namespace morvick::html {
namespace {

using test::FixedWidthDevice;

// The text items of a layout, in order.
std::vector<HtmlDrawItem> TextItems(const std::wstring& markup, int width = 0, int hot = -2) {
  HtmlLanguage lang;
  FixedWidthDevice dev;
  HtmlLayoutResult r = LayoutHtml(lang, dev, PrepareHtmlText(markup, true), width, hot);
  std::vector<HtmlDrawItem> texts;
  for (auto& i : r.items) {
    if (i.kind == HtmlDrawItem::kText) texts.push_back(i);
  }
  return texts;
}

std::wstring AllText(const std::wstring& markup) {
  std::wstring s;
  for (auto& i : TextItems(markup)) s += i.text;
  return s;
}

TEST(HtmlTextPreparation, DecodesEntitiesInOnePass) {
  EXPECT_EQ(DecodeHtmlEntities(L"a&amp;lt;b"), L"a&lt;b");
  EXPECT_EQ(DecodeHtmlEntities(L"x&lt;y"), L"x<<y");
  EXPECT_EQ(DecodeHtmlEntities(L"&copy;&euro;&unknown;&"), L"\x00A9\x20AC&unknown;&");
  EXPECT_EQ(AllText(L"a&lt;b"), L"a<b");
  EXPECT_EQ(AllText(L"a&amp;lt;b"), L"a&lt;b");
}

TEST(HtmlTextPreparation, LineFeedsAndTabsFollowTheMultiLineSwitch) {
  EXPECT_EQ(PrepareHtmlText(L"a\r\nb\tc", true), L"<body>a<br>b<t>c</body>");
  EXPECT_EQ(PrepareHtmlText(L"a\r\nb\tc", false), L"<body>abc</body>");
}

TEST(HtmlTextPreparation, EscapedTextShowsExactlyAsWritten) {
  const std::wstring hostile[] = {
      L"<table border=1><tr><td>x",  L"<a href=\"cmd.exe\">file.txt</a>", L"<icon handle=0x1234>",
      L"<bmp file=C:\\x.bmp>",         L"&lt;b&gt;&amp;",                  L"a<<b<",
      L"<b>bold</b> & <<",            L"C:\\Program Files\\Morvick\\x.srzq"};
  for (const std::wstring& s : hostile) {
    std::wstring shown;
    auto items = TextItems(EscapeHtml(s));
    for (auto& i : items) {
      shown += i.text;
      EXPECT_EQ(i.font.weight, TextItems(L"x")[0].font.weight) << "escaped text changed the style";
      EXPECT_EQ(i.linkKind, kLinkNone);
    }
    EXPECT_EQ(shown, s);
  }
}

TEST(HtmlObjects, AHandleKeepsEveryBitOfItsValue) {
  auto handle = [](const std::wstring& attributes) {
    return HtmlObjectSpec::Parse(kTagIcon, HtmlAttributes(attributes), HtmlValueContext()).handle;
  };
  // A 64-bit program's image lists lie above 4 GiB: a handle cut to 32 bits names another or none.
  EXPECT_EQ(handle(L"handle=0x7FF612345678"), 0x7FF612345678u);
  EXPECT_EQ(handle(L"handle=0xFFFFFFFFFFFFFFFF"), 0xFFFFFFFFFFFFFFFFu);
  EXPECT_EQ(handle(L"handle=0x1234 index=2"), 0x1234u);
  EXPECT_EQ(handle(L"handle=4660"), 4660u);
  // More than 64 bits, or no digits, give no handle at all.
  EXPECT_EQ(handle(L"handle=0x10000000000000000"), 0u);
  EXPECT_EQ(handle(L"handle=x12"), 0u);
  EXPECT_EQ(handle(L"index=2"), 0u);
}

TEST(HtmlScanning, LiteralLessThanAndUnterminatedTags) {
  EXPECT_EQ(AllText(L"1 << 2"), L"1 < 2");
  EXPECT_EQ(AllText(L"a < b"), L"a < b");
  EXPECT_EQ(AllText(L"x <b"), L"x <b");
}

TEST(HtmlScanning, UnrecognisedTagsAreIgnored) {
  EXPECT_EQ(AllText(L"<unknown>text</unknown>"), L"text");
  EXPECT_EQ(AllText(L"a<blink>b</blink>c"), L"abc");
  // Names are looked up as written: upper case is no tag of the language, and changes nothing.
  auto items = TextItems(L"<B>upper</B>");
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].text, L"upper");
  EXPECT_EQ(items[0].font.weight, TextItems(L"x")[0].font.weight);
  // A less-than sign that no greater-than sign closes is still text.
  EXPECT_EQ(AllText(L"<blink>x <y"), L"x <y");
}

TEST(HtmlScanning, Attributes) {
  HtmlAttributes a(L"face=\"Times New Roman\" size=3 color='red' nowrap  x = 5");
  std::wstring v;
  ASSERT_TRUE(a.Get(L"face", &v));
  EXPECT_EQ(v, L"Times New Roman");
  ASSERT_TRUE(a.Get(L"size", &v));
  EXPECT_EQ(v, L"3");
  ASSERT_TRUE(a.Get(L"color", &v));
  EXPECT_EQ(v, L"red");
  ASSERT_TRUE(a.Get(L"nowrap", &v));
  EXPECT_EQ(v, L"");
  ASSERT_TRUE(a.Get(L"x", &v));
  EXPECT_EQ(v, L"5");
  EXPECT_FALSE(a.Has(L"FACE"));
  HtmlAttributes open(L"href=\"never closed");
  ASSERT_TRUE(open.Get(L"href", &v));
  EXPECT_EQ(v, L"never closed");
}

class HtmlValuesTest : public ::testing::Test {
 protected:
  HtmlValuesTest() : colors(nullptr) { ctx.colors = &colors; }
  HtmlColorTable colors;
  HtmlValueContext ctx;
};

TEST_F(HtmlValuesTest, Colours) {
  EXPECT_EQ(ParseHtmlColor(L"#ff8000", 7, ctx), HtmlRgb(255, 128, 0));
  EXPECT_EQ(ParseHtmlColor(L"#abc", 7, ctx), 7u);
  EXPECT_EQ(ParseHtmlColor(L"#gg0000", 7, ctx), 7u);
  EXPECT_EQ(ParseHtmlColor(L"", 7, ctx), 7u);
  EXPECT_EQ(ParseHtmlColor(L"navy", 7, ctx), HtmlRgb(0, 0, 128));
  EXPECT_EQ(ParseHtmlColor(L"LightGoldenrodYellow", 7, ctx), HtmlRgb(0xfa, 0xfa, 0xd2));
  EXPECT_EQ(ParseHtmlColor(L"nosuchcolour", 7, ctx), 7u);
  EXPECT_EQ(ParseHtmlColor(L"0x0000ff", 7, ctx), 0x0000ffu);  // taken as 0x00BBGGRR: red
  EXPECT_EQ(ParseHtmlColor(L"255", 7, ctx), 255u);
  EXPECT_EQ(ParseHtmlColor(L"buttonface", 7, ctx), HtmlColorTable::DefaultSystemColor(15));
  ctx.colorsEnabled = false;
  ctx.disabledColor = 0x123456;
  EXPECT_EQ(ParseHtmlColor(L"red", 7, ctx), 0x123456u);
}

TEST_F(HtmlValuesTest, Sizes) {
  EXPECT_EQ(ParseHtmlSize(L"3", 16, true, ctx), 12);
  EXPECT_EQ(ParseHtmlSize(L"9", 16, true, ctx), 9);
  EXPECT_EQ(ParseHtmlSize(L"3", 16, false, ctx), 3);
  EXPECT_EQ(ParseHtmlSize(L"150%", 16, true, ctx), 24);
  EXPECT_EQ(ParseHtmlSize(L"10pt", 16, true, ctx), 13);
  EXPECT_EQ(ParseHtmlSize(L"1in", 16, true, ctx), 96);
  EXPECT_EQ(ParseHtmlSize(L"2em", 16, true, ctx), 32);
  EXPECT_EQ(ParseHtmlSize(L"0x10", 16, false, ctx), 16);
  EXPECT_EQ(ParseHtmlSize(L"-5px", 16, false, ctx), 5);
  EXPECT_EQ(ParseHtmlSize(L"", 16, false, ctx), 16);
  EXPECT_EQ(ParseHtmlSize(L"abc", 16, false, ctx), 16);
  EXPECT_EQ(ParseHtmlSize(L"99999999999999999999in", 16, false, ctx), kMaxHtmlSize);
}

TEST_F(HtmlValuesTest, KeywordsAndEffects) {
  EXPECT_EQ(ParseHtmlFillEffect(L"vbump", -1, ctx), 12);
  EXPECT_EQ(ParseHtmlFillEffect(L"transparent", 5, ctx), -1);
  EXPECT_EQ(ParseHtmlFillEffect(L"3", -1, ctx), 3);
  EXPECT_EQ(ParseHtmlFontWeight(L"bolder", 400), 900);
  EXPECT_EQ(ParseHtmlFontWeight(L"650", 400), 650);
  EXPECT_EQ(ParseHtmlVAlign(L"middle", 3), 1);
  EXPECT_EQ(ParseHtmlBorderStyle(L"groove", 2), 2);
  // Alignment takes left, center and right; justify is a tag of its own, not a value.
  EXPECT_EQ(ParseHtmlAlign(L"", 2), 0);
  EXPECT_EQ(ParseHtmlAlign(L"Center", 0), 1);
  EXPECT_EQ(ParseHtmlAlign(L"right", 0), 2);
  EXPECT_EQ(ParseHtmlAlign(L"justify", 1), 1);
  HtmlStyle s;
  s.hAlign = kAlignRight;
  ApplyHtmlDeclarations(L"text-align: justify", &s, ctx);
  EXPECT_EQ(s.hAlign, kAlignRight);
}

TEST_F(HtmlValuesTest, StyleSheetRulesAndDeclarations) {
  HtmlStyleSheet sheet;
  EXPECT_NE(sheet.Get(L"BODY").find(L"10pt"), std::wstring::npos);
  EXPECT_NE(sheet.Get(L".cpp-comment").find(L"green"), std::wstring::npos);
  sheet.Set(L"x {color:red} x {color:blue; text-decoration: underline,overline; bogus: 1}");
  EXPECT_TRUE(sheet.Get(L"body").empty());
  HtmlStyle s;
  sheet.Apply(L"x", &s, ctx);
  EXPECT_EQ(s.textColor, HtmlRgb(0, 0, 255));
  EXPECT_TRUE(s.underline);
  EXPECT_TRUE(s.overline);
  ApplyHtmlDeclarations(L"text-decoration:; border-width: 3px; font-family: \"Courier\"", &s, ctx);
  EXPECT_FALSE(s.underline);
  EXPECT_EQ(s.borderWidth, 3);
  EXPECT_EQ(s.borderStyle, kBorderSolid);
  EXPECT_EQ(s.face, L"Courier");
  ApplyHtmlDeclarations(L"border-width: 0", &s, ctx);
  EXPECT_EQ(s.borderStyle, kBorderNone);
  sheet.Set(nullptr);
  EXPECT_FALSE(sheet.Get(L"body").empty());
}

TEST(HtmlStyleStack, BoldDoublesAndStopsAt900) {
  auto items = TextItems(L"a<b>b<b>c<b>d</b>e</b>f</b>g");
  ASSERT_EQ(items.size(), 7u);
  const int w[] = {400, 800, 900, 900, 900, 800, 400};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(items[i].font.weight, w[i]) << i;
}

TEST(HtmlStyleStack, ToggleAndMatchingCloses) {
  auto items = TextItems(L"<i>a<i>b</i>c</em>d");
  ASSERT_EQ(items.size(), 4u);
  EXPECT_TRUE(items[0].font.italic);
  EXPECT_FALSE(items[1].font.italic);
  EXPECT_TRUE(items[2].font.italic);
  EXPECT_FALSE(items[3].font.italic);
  items = TextItems(L"a</u>b<u>c</s>d");
  ASSERT_EQ(items.size(), 4u);
  EXPECT_FALSE(items[1].font.underline);
  EXPECT_TRUE(items[2].font.underline);
  EXPECT_TRUE(items[3].font.underline);
}

TEST(HtmlStyleStack, FontAttributesAndStyleSheetTags) {
  auto items = TextItems(L"<font face=Tahoma size=5 color=red style=\"bi-u\">x</font><h1>y</h1><small>z</small>");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].font.face, L"Tahoma");
  EXPECT_EQ(items[0].font.size, 18);
  EXPECT_EQ(items[0].color, HtmlRgb(255, 0, 0));
  EXPECT_EQ(items[0].font.weight, 700);
  EXPECT_TRUE(items[0].font.italic);
  EXPECT_FALSE(items[0].font.underline);
  EXPECT_EQ(items[1].font.size, 18);  // 14pt at 96 dpi
  EXPECT_EQ(items[1].font.weight, 700);
  EXPECT_EQ(items[2].font.size, 10);  // 75 % of the body's 13
  EXPECT_EQ(items[0].font.size, TextItems(L"<font size=5>q")[0].font.size);
}

TEST(HtmlStyleStack, UnclosedTagsStayInForceAndCloserDoesNotLeakPastItsLevel) {
  auto items = TextItems(L"<b>a<i>b");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[1].font.weight, 800);
  EXPECT_TRUE(items[1].font.italic);
  // "middle" and "bottom" share one level: the first closing bottom tag closes the middle one, the
  // second meets the bold level under it and changes nothing. A tall letter on the line makes the
  // middle alignment show in the text's top.
  items = TextItems(L"<font size=7>X</font><b><middle>a</bottom>b</bottom>c</b>d");
  ASSERT_EQ(items.size(), 5u);
  const HtmlDrawItem &a = items[1], &b = items[2], &c = items[3], &d = items[4];
  EXPECT_EQ(a.text, L"a");
  EXPECT_NE(a.box.top, b.box.top);
  EXPECT_EQ(b.box.top, d.box.top);
  EXPECT_EQ(c.box.top, d.box.top);
  EXPECT_EQ(b.font.weight, 2 * d.font.weight);  // bold doubles the weight
  EXPECT_EQ(c.font.weight, 2 * d.font.weight);
}

TEST(HtmlStyleStack, LinksTakeTheirRules) {
  auto items = TextItems(L"<a href=\"http://x\">one</a> <a msg=two>two</a>", 0, 1);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].linkKind, kLinkDocument);
  EXPECT_EQ(items[0].linkTarget, L"http://x");
  EXPECT_EQ(items[0].color, HtmlRgb(0, 0, 255));
  EXPECT_FALSE(items[0].font.underline);
  EXPECT_EQ(items[2].linkKind, kLinkMessage);
  EXPECT_EQ(items[2].linkIndex, 1);
  EXPECT_TRUE(items[2].font.underline);  // the hot link takes "a:hover"
  EXPECT_EQ(items[1].linkKind, kLinkNone);
}

// Every tag of the table with a style name: the text inside shows its effect and its closing tag
// brings the text after it back to the body's style.
TEST(HtmlStyleStack, EveryStyleTagChangesItsTextAndItsCloserRestores) {
  const HtmlDrawItem base = TextItems(L"x")[0];
  struct Case {
    const wchar_t* open;
    const wchar_t* close;
    bool (*shows)(const HtmlDrawItem& item, const HtmlDrawItem& base);
  } cases[] = {
      {L"<b>", L"</b>", [](auto& i, auto& b) { return i.font.weight == b.font.weight * 2; }},
      {L"<i>", L"</i>", [](auto& i, auto&) { return i.font.italic; }},
      {L"<em>", L"</em>", [](auto& i, auto&) { return i.font.italic; }},
      {L"<u>", L"</u>", [](auto& i, auto&) { return i.font.underline; }},
      {L"<s>", L"</s>", [](auto& i, auto&) { return i.font.strikeout; }},
      {L"<strike>", L"</strike>", [](auto& i, auto&) { return i.font.strikeout; }},
      {L"<font color=red weight=300>", L"</font>",
       [](auto& i, auto&) { return i.color == HtmlRgb(255, 0, 0) && i.font.weight == 300; }},
      {L"<font bkgnd=yellow>", L"</font>",
       [](auto& i, auto&) { return i.backMode == 2 && i.backColor == HtmlRgb(255, 255, 0); }},
      {L"<h1>", L"</h1>", [](auto& i, auto& b) { return i.font.weight == 700 && i.font.size > b.font.size; }},
      {L"<h2>", L"</h2>", [](auto& i, auto&) { return i.color == HtmlRgb(0xFF, 0x99, 0x00); }},
      {L"<h3>", L"</h3>", [](auto& i, auto&) { return i.font.face == L"Arial" && i.font.weight == 700; }},
      {L"<h4>", L"</h4>", [](auto& i, auto& b) { return i.font.weight == 700 && i.font.size == b.font.size; }},
      {L"<h5>", L"</h5>", [](auto& i, auto& b) { return i.font.size < b.font.size && i.font.weight == 700; }},
      {L"<h6>", L"</h6>", [](auto& i, auto&) { return i.color == HtmlRgb(0x62, 0x62, 0x62); }},
      {L"<code>", L"</code>", [](auto& i, auto&) { return i.color == HtmlRgb(0x99, 0, 0) && i.font.face == L"Arial"; }},
      {L"<pre>", L"</pre>", [](auto& i, auto&) { return i.font.face == L"Courier" && i.backMode == 2; }},
      {L"<big>", L"</big>", [](auto& i, auto& b) { return i.font.size > b.font.size; }},
      {L"<small>", L"</small>", [](auto& i, auto& b) { return i.font.size < b.font.size; }},
      {L"<sub>", L"</sub>", [](auto& i, auto& b) { return i.font.size < b.font.size && i.box.top > b.box.top; }},
      {L"<sup>", L"</sup>", [](auto& i, auto& b) { return i.font.size < b.font.size && i.box.top == b.box.top; }},
      {L"<span class=cpp-comment>", L"</span>",
       [](auto& i, auto&) { return i.color == HtmlRgb(0, 0x80, 0) && i.font.italic; }},
      {L"<a href=http://example.invalid>", L"</a>", [](auto& i, auto&) { return i.linkKind == kLinkDocument; }},
      {L"<a msg=go>", L"</a>", [](auto& i, auto&) { return i.linkKind == kLinkMessage && i.linkTarget == L"go"; }},
      {L"<body>", L"</body>", [](auto& i, auto& b) { return i.font == b.font && i.color == b.color; }},
  };
  for (const Case& c : cases) {
    const std::wstring markup = std::wstring(c.open) + L"x" + c.close + L"x";
    SCOPED_TRACE(markup);
    auto items = TextItems(markup);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_TRUE(c.shows(items[0], base));
    EXPECT_TRUE(items[1].font == base.font);
    EXPECT_EQ(items[1].color, base.color);
    EXPECT_EQ(items[1].backMode, base.backMode);
    EXPECT_EQ(items[1].linkKind, kLinkNone);
  }
}

TEST(HtmlStyleStack, AlignmentTagsPlaceTheirLinesAndVerticalTagsTheirText) {
  const int w = 200, x = FixedWidthDevice::kCharWidth;
  struct Case {
    const wchar_t* markup;
    int left;
  } lines[] = {{L"<left>x</left>", 0}, {L"<center>x</center>", (w - x) / 2}, {L"<right>x</right>", w - x},
               {L"<justify>x</justify>", 0}, {L"<right>x</right><br>x", 0}};
  for (const Case& c : lines) {
    auto items = TextItems(c.markup, w);
    ASSERT_FALSE(items.empty()) << c.markup;
    EXPECT_EQ(items.back().box.left, c.left) << c.markup;
  }
  // Beside a large text the small one sits at the top, the middle or the bottom of the line.
  auto topOf = [](const wchar_t* tag, const wchar_t* close) {
    auto items = TextItems(std::wstring(L"<font size=7>X</font>") + tag + L"x" + close + L"y");
    EXPECT_EQ(items.size(), 3u);
    EXPECT_EQ(items[2].box.top, TextItems(L"<font size=7>X</font>y")[1].box.top) << "closing " << close;
    return items[1].box.top;
  };
  const int top = topOf(L"<top>", L"</top>");
  const int middle = topOf(L"<middle>", L"</middle>");
  const int bottom = topOf(L"<bottom>", L"</bottom>");
  EXPECT_EQ(top, 0);
  EXPECT_GT(middle, top);
  EXPECT_GT(bottom, middle);
  EXPECT_EQ(topOf(L"<vcenter>", L"</vcenter>"), middle);
  EXPECT_EQ(topOf(L"<baseline>", L"</baseline>"), TextItems(L"<font size=7>X</font>x")[1].box.top);
}

}  // namespace
}  // namespace morvick::html
