// Thousands of generated malformed and deeply nested texts: the layout must finish with sane
// geometry. Runs under the sanitizers in the native-asan configuration. A layout that never ends is
// reported by the test run's own time limit; how fast the layout is belongs to bench/.

#include <gtest/gtest.h>

#include <random>

#include "tests/ui/FixedWidthDevice.h"
#include "ui/html/HtmlLayout.h"
#include "ui/html/HtmlLinkTracker.h"
#include "ui/html/HtmlText.h"

namespace morvick::html {
namespace {

const wchar_t* const kFragments[] = {
    L"<table", L"<table border=3 cellspacing=-4 cellpadding=99999>", L"</table>", L"<tr>", L"</tr>",
    L"<td", L"<td colspan=0>", L"<td rowspan=2147483647 colspan=2147483647>", L"</td>", L"<b>", L"</b>",
    L"<i>", L"</em>", L"<font size=999999 color=#zzz face=>", L"</font>", L"<a href=", L"<a msg=x>",
    L"</a>", L"<hr width=900000%>", L"<br>", L"<t>", L"<bmp cx=100000 cy=-3>", L"<icon handle=0xffffffff>",
    L"<string idres=7>", L"<center>", L"<justify>", L"</right>", L"<span class=>", L"<h1>", L"</h1>",
    L"&lt;", L"&amp;", L"&", L"<<", L"<", L">", L"\"", L"'", L"=", L" ", L"\n", L"\t", L"word",
    L"verylongwordwithoutanybreakcharacters", L"-", L".", L"<sub>", L"<sup>", L"<pre>", L"<font style=-b+o>",
    L"<table bgeffect=metal width=50% height=1000000>", L"<td width=-1 height=abc valign=bottom>",
};

std::wstring Generate(std::mt19937& rng, size_t pieces) {
  std::uniform_int_distribution<size_t> pick(0, sizeof(kFragments) / sizeof(kFragments[0]) - 1);
  std::wstring s;
  for (size_t i = 0; i < pieces; ++i) s += kFragments[pick(rng)];
  return s;
}

void CheckLayout(const std::wstring& markup, int width) {
  HtmlLanguage lang;
  test::FixedWidthDevice dev;
  HtmlLayoutResult r = LayoutHtml(lang, dev, PrepareHtmlText(markup, true), width, 0);
  ASSERT_GE(r.width, 0);
  ASSERT_GE(r.height, 0);
  ASSERT_LE(r.width, kMaxHtmlSize);
  ASSERT_LE(r.height, kMaxHtmlSize);
  for (const HtmlDrawItem& i : r.items) {
    if (i.kind == HtmlDrawItem::kText) {
      ASSERT_FALSE(i.text.empty());
      ASSERT_GE(i.box.Width(), 0);
      ASSERT_GT(i.font.size, 0);
    }
  }
  HtmlLinkTracker t;
  t.SetAreas(r.links);
  t.Track(r.width / 2, r.height / 2, nullptr);
}

TEST(HtmlRobustness, GeneratedMalformedTexts) {
  std::mt19937 rng(20261206);
  for (int n = 0; n < 5000; ++n) {
    std::wstring markup = Generate(rng, 1 + n % 60);
    CheckLayout(markup, (n % 3 == 0) ? 0 : 1 + n % 300);
    if (HasFatalFailure()) {
      ADD_FAILURE() << "case " << n;
      return;
    }
  }
}

TEST(HtmlRobustness, DeepNesting) {
  for (const wchar_t* open : {L"<b>", L"<table><tr><td>", L"<a msg=x><i>", L"<font size=150%>", L"<sub>"}) {
    std::wstring s;
    for (int i = 0; i < 3000; ++i) s += open;
    s += L"deep text";
    CheckLayout(s, 120);
    CheckLayout(s, 0);
  }
}

TEST(HtmlRobustness, ManyUnterminatedTagsAreText) {
  std::wstring s;
  for (int i = 0; i < 20000; ++i) s += L"<b";
  HtmlLanguage lang;
  test::FixedWidthDevice dev;
  HtmlLayoutResult r = LayoutHtml(lang, dev, PrepareHtmlText(s, true), 0, -2);
  std::wstring shown;
  for (auto& i : r.items) shown += i.text;
  EXPECT_TRUE(shown == s) << "unterminated tags were not shown as text";
}

}  // namespace
}  // namespace morvick::html
