// Forms in the viewer: native controls on the canvas, placed by the layout, and submissions that
// are collected but never sent.
#include "tests/preview/html/win/HtmlWinSupport.h"

#include "preview/html/HtmlText.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

HWND ControlAt(CHtmlViewerHost* host, int row)
{
    long long handle = 0;
    HtmlParseNumber(host->Controls().GetCell(row, 0), &handle);
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
}

const char kFormPage[] =
    "<title>Form</title><form action=\"http://example.com/find?x=1\">Query <input name=q value=\"one two\"> "
    "<input type=checkbox name=c value=yes> <input type=checkbox name=d value=no> "
    "<select name=s><option value=1>One<option value=2 selected>Two<option>Three</select> "
    "<input type=hidden name=h value=\"&eacute;\"><input type=image src=go.bmp width=20 height=20></form>"
    "<form action=post.cgi method=POST><input name=p value=x><input type=submit value=Send name=go></form>"
    "<textarea name=t cols=10 rows=2>text</textarea>";

TEST(HtmlViewerForms, FieldsAreControlsOnTheCanvasWhereTheirBoxesAre)
{
    CHtmlViewerHost* host = ShowHtml(WritePage(L"form.html", kFormPage));
    ASSERT_NE(host, nullptr);
    HWND canvas = CCustomHTMLViewer::Canvas();
    ASSERT_EQ(host->Forms().GetRowCount(), 2);
    EXPECT_STREQ(host->Forms().GetCell(0, 1), L"get");
    EXPECT_STREQ(host->Forms().GetCell(1, 1), L"POST");
    ASSERT_EQ(host->Controls().GetRowCount(), 8);
    const wchar_t* kinds[] = {L"0", L"3", L"3", L"4", L"0", L"0", L"1", L"0"};
    for (int r = 0; r < 8; ++r) {
        HWND control = ControlAt(host, r);
        EXPECT_TRUE(IsWindow(control)) << r;
        EXPECT_EQ(GetParent(control), canvas) << r;
        EXPECT_EQ(GetDlgCtrlID(control), r + 1) << r;
        EXPECT_STREQ(host->Controls().GetCell(r, 3), kinds[r]) << r;
        EXPECT_TRUE(IsWindowVisible(control)) << r;
    }
    EXPECT_STREQ(host->Controls().GetCell(7, 2), L"-1");  // the text area outside any form
    EXPECT_EQ(WindowTextOf(ControlAt(host, 0)), L"one two");
    EXPECT_STREQ(host->Controls().GetCell(1, 4), L"yes");
    EXPECT_EQ(SendMessageW(ControlAt(host, 3), CB_GETCURSEL, 0, 0), 1);
    // The first field sits on its box, at the page position less the scroll.
    std::vector<const CHtmlBox*> all;
    for (auto& b : host->Page().Boxes())
        all.push_back(b.get());
    const CHtmlBox* box = nullptr;
    for (const CHtmlBox* b : all)
        if (b->control == reinterpret_cast<HtmlControl>(ControlAt(host, 0)))
            box = b;
    ASSERT_NE(box, nullptr);
    RECT r;
    GetWindowRect(ControlAt(host, 0), &r);
    MapWindowPoints(NULL, canvas, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, box->x);
    EXPECT_EQ(r.top, box->y);
    EXPECT_EQ(r.right - r.left, box->width);
}

TEST(HtmlViewerForms, ASubmissionIsCollectedButRefused)
{
    CHtmlViewerHost* host = ShowHtml(WritePage(L"submit.html", kFormPage));
    ASSERT_NE(host, nullptr);
    HWND canvas = CCustomHTMLViewer::Canvas();
    SetWindowTextW(ControlAt(host, 0), L"a&b c");
    SendMessageW(ControlAt(host, 1), BM_SETCHECK, BST_CHECKED, 0);
    // The image input is a link to the submission of its form.
    const CHtmlBox* go = nullptr;
    for (auto& b : host->Page().Boxes())
        if (b->kind == kBoxImage)
            go = b.get();
    ASSERT_NE(go, nullptr);
    SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, Point(go->x + 3, go->y + 3));
    SendMessageW(canvas, WM_LBUTTONUP, 0, Point(go->x + 3, go->y + 3));
    EXPECT_EQ(host->LastSubmission(), L"http://example.com/find?x=1&q=a%26b+c&c=yes&s=2&h=%e9");
    EXPECT_EQ(WindowTextOf(CCustomHTMLViewer::StatusLine()),
        L"A preview does not send forms: http://example.com/find?x=1");
    EXPECT_EQ(host->History().GetRowCount(), 1);
    EXPECT_EQ(host->Controls().GetRowCount(), 8);

    // A push button submits its own form; a POST is refused the same way, nothing changes.
    HWND send = ControlAt(host, 6);
    SendMessageW(canvas, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(send), BN_CLICKED), reinterpret_cast<LPARAM>(send));
    std::wstring post = host->LastSubmission();
    EXPECT_EQ(post.substr(post.size() - 4), L" p=x");
    EXPECT_NE(post.find(L"post.cgi"), std::wstring::npos);
    // The status names the address alone: what the fields hold is never shown there.
    std::wstring status = WindowTextOf(CCustomHTMLViewer::StatusLine());
    EXPECT_NE(status.find(L"post.cgi"), std::wstring::npos);
    EXPECT_EQ(status.find(L"p=x"), std::wstring::npos);
    EXPECT_EQ(host->History().GetRowCount(), 1);
    EXPECT_TRUE(IsWindow(send));
    // A button that is not one of the page's, or a form that does not exist: nothing.
    host->SubmitForm(-1, canvas, 1);
    host->SubmitForm(9, NULL, 0);
    EXPECT_EQ(host->LastSubmission(), post);
}

TEST(HtmlViewerForms, AReloadDestroysThePreviousControls)
{
    CHtmlViewerHost* host = ShowHtml(WritePage(L"reload.html", kFormPage));
    ASSERT_NE(host, nullptr);
    HWND first = ControlAt(host, 0);
    host->Navigate((L"file://" + WritePage(L"plain.html", "no form")).c_str());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(host->Controls().GetRowCount(), 0);
    EXPECT_EQ(host->Forms().GetRowCount(), 0);
}

}  // namespace
}  // namespace morvick::test
