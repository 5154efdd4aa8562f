// Forms: the controls the parser asks the host for, their boxes, and what a submission would send.
#include "preview/html/HtmlForms.h"
#include "tests/preview/html/HtmlTestSupport.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

TEST(HtmlForms, FieldsBecomeHostControlsOfTheMeasuredSize)
{
    TestPage t;
    t.Load(L"<input name=outside>"
           L"<form action=find.cgi><input name=q value=\"a&amp;b\" maxlength=5>"
           L"<input type=PASSWORD name=pw size=3><input type=submit value=Go name=go>"
           L"<input type=radio name=r value=one><input type=checkbox name=c value=yes>"
           L"<input type=hidden name=h value=secret><input type=reset value=x><input type=image src=go.gif>"
           L"<select name=s><option value=1>One<option selected>Twenty two</select>"
           L"<textarea name=t cols=20 rows=4>some &lt;text&gt;</textarea></form>"
           L"<form action=\"/post\" method=post></form>");
    ASSERT_EQ(t.host.forms.size(), 2u);
    EXPECT_EQ(t.host.forms[0], L"file://C:\\pages\\find.cgi get");
    EXPECT_EQ(t.host.forms[1], L"file://C:\\post post");
    const std::vector<CreatedControl>& c = t.host.controls;
    ASSERT_EQ(c.size(), 9u);
    // "size" zero digits of 7 pixels at 15, plus 8 and 4.
    EXPECT_EQ(c[0].kind, L"edit");
    EXPECT_EQ(c[0].form, -1);
    EXPECT_EQ(c[0].width, 78);
    EXPECT_EQ(c[0].height, 19);
    EXPECT_EQ(c[0].limit, -1);
    EXPECT_EQ(c[1].text, L"a&b");
    EXPECT_EQ(c[1].limit, 5);
    EXPECT_EQ(c[1].form, 0);
    EXPECT_EQ(c[2].password, 1);
    EXPECT_EQ(c[2].width, 29);
    EXPECT_EQ(c[3].kind, L"button");
    EXPECT_EQ(c[3].text, L"Go");
    EXPECT_EQ(c[4].kind, L"radio");
    EXPECT_EQ(c[4].text, L"one");
    EXPECT_EQ(c[4].width, 13);
    EXPECT_EQ(c[5].kind, L"check");
    EXPECT_EQ(c[5].text, L"yes");
    EXPECT_EQ(c[6].kind, L"edit");
    EXPECT_EQ(c[6].text, L"secret");
    EXPECT_EQ(c[6].width, 0);
    EXPECT_EQ(c[7].kind, L"combo");
    ASSERT_EQ(c[7].options.size(), 2u);
    EXPECT_EQ(c[7].options[0], std::make_pair(std::wstring(L"One"), std::wstring(L"1")));
    EXPECT_EQ(c[7].options[1], std::make_pair(std::wstring(L"Twenty two"), std::wstring(L"")));
    EXPECT_EQ(c[7].selected, 1);
    EXPECT_EQ(c[7].width, 10 * 7 + 16);  // the widest option and the scroll arrow, nothing more
    EXPECT_EQ(c[8].multiLine, 1);
    EXPECT_EQ(c[8].text, L"some <text>");
    EXPECT_EQ(c[8].width, 20 * 7 + 4);
    EXPECT_EQ(c[8].height, 4 * 15);
    // The image input is a picture linked to the submission of its form.
    const CHtmlBox* image = nullptr;
    for (auto& box : t.page.Boxes())
        if (box->kind == kBoxImage)
            image = box.get();
    ASSERT_NE(image, nullptr);
    EXPECT_STREQ(t.page.LinkUrl(image->link), L"Submit(0)");
}

TEST(HtmlForms, TheLayoutPlacesEachControlOnItsBox)
{
    TestPage t;
    t.Load(L"<form>Name: <input name=n><br><table><tr><td><input type=checkbox name=c></td></tr></table>"
           L"<textarea name=t cols=3 rows=2>x</textarea></form>");
    t.Layout(402);
    std::vector<const CHtmlBox*> all;
    CollectBoxes(t.page.Boxes(), all);
    int placed = 0;
    for (const CHtmlBox* b : all) {
        if (b->control == kHtmlNoControl)
            continue;
        ++placed;
        ASSERT_EQ(t.host.moves.count(b->control), 1u);
        EXPECT_EQ(t.host.moves[b->control], std::make_pair(b->x, b->y));
    }
    EXPECT_EQ(placed, 3);
    // Text fields and text areas (3 columns of 7 pixels and 4) alike sit in a sunken white box.
    const CHtmlBox* edit = nullptr;
    for (int width : {3 * 7 + 4, 78}) {
        SCOPED_TRACE(width);
        edit = nullptr;
        for (const CHtmlBox* b : all)
            if (b->control != kHtmlNoControl && b->width == width)
                edit = b;
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->edges, kEdgeAll);
        EXPECT_EQ(edit->edgeWidth, 2);
        EXPECT_EQ(edit->edgeColour, kEdgeSunken);
        EXPECT_EQ(edit->background, HtmlRgb(255, 255, 255));
    }
    // Controls are windows of their own: the page does not paint their boxes (the text field's).
    RecordingCanvas c;
    t.page.Paint(c, HtmlRect{0, 0, 400, 400}, 0, 0);
    for (const PaintOp& op : c.ops)
        EXPECT_FALSE(op.op == "fill" && op.colour == HtmlRgb(255, 255, 255) && op.rect.left == edit->x);
}

TEST(HtmlForms, ValuesArePercentEncoded)
{
    EXPECT_EQ(EncodeFormValue(L"a b&c"), L"a+b%26c");
    EXPECT_EQ(EncodeFormValue(L"AZaz09-_.~"), L"AZaz09%2d%5f%2e%7e");
    EXPECT_EQ(EncodeFormValue(std::wstring(1, wchar_t(0xE9))), L"%e9");
    EXPECT_EQ(EncodeFormValue(std::wstring(1, wchar_t(0x20AC))), L"%e2%82%ac");
    // Above U+FFFF as a surrogate pair (UTF-16) or one character (UTF-32), and a lone surrogate.
    std::wstring pair;
    pair += wchar_t(0xD83D);
    pair += wchar_t(0xDE00);
    EXPECT_EQ(EncodeFormValue(pair), L"%f0%9f%98%80");
    if (sizeof(wchar_t) == 4) {
        EXPECT_EQ(EncodeFormValue(std::wstring(1, static_cast<wchar_t>(0x1F600))), L"%f0%9f%98%80");
    }
    EXPECT_EQ(EncodeFormValue(std::wstring(1, wchar_t(0xDC00)) + L"x"), L"%ef%bf%bdx");
    EXPECT_EQ(EncodeFormValue(L""), L"");
}

TEST(HtmlForms, GetSubmissionsJoinTheActionsOwnQuery)
{
    std::vector<HtmlFormField> fields = {{L"q", L"two words"}, {L"n", L"5"}};
    std::wstring query = BuildFormQuery(fields);
    EXPECT_EQ(query, L"?q=two+words&n=5");
    EXPECT_EQ(BuildFormGetUrl(L"find?x=1", query), L"find?x=1&q=two+words&n=5");
    EXPECT_EQ(BuildFormGetUrl(L"find", query), L"find?q=two+words&n=5");
    EXPECT_EQ(BuildFormGetUrl(L"find?x=1", L""), L"find?x=1");
}

}  // namespace
}  // namespace morvick::test
