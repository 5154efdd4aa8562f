// The HTML viewer in the preview pane under Wine: the page, its title and status, painting into a
// DIB section, scrolling the canvas, the selection, links that are followed (local) or not.
#include "tests/preview/html/win/HtmlWinSupport.h"

#include "preview/html/win/HtmlGdi.h"
#include "preview/html/win/HtmlLocalFetch.h"

#include <gtest/gtest.h>

#include "tests/support/win/InkColour.h"

namespace morvick::test {
namespace {

std::string LongPage(const std::string& head)
{
    std::string page = head;
    for (int i = 0; i < 120; ++i)
        page += "line " + std::to_string(i) + " of the recovered page<br>";
    return page;
}

// What the page paints in a client rectangle at a scroll position, through GDI.
Pixels PaintPage(CHtmlViewerHost* host, int width, int height, int sx, int sy)
{
    return Render(width, height, [&](CDC* dc) {
        CHtmlFontCache fonts;
        CHtmlGdiCanvas canvas(dc->GetSafeHdc(), fonts);
        host->Page().Paint(canvas, HtmlRect{0, 0, width, height}, sx, sy);
    });
}

// Whether text of a colour is drawn inside a rectangle (smoothed text counted by its blends with
// the rectangle's background).
bool HasColour(const Pixels& p, const RECT& r, COLORREF c)
{
    const RECT inside = {std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, p.width),
        std::min<LONG>(r.bottom, p.height)};
    return morvick::test::CountInk([&p](int x, int y) { return p.At(x, y); }, c, inside) > 0;
}

TEST(HtmlViewer, ShowsThePageWithItsTitleAndBackground)
{
    std::wstring path = WritePage(L"shown.html",
        "<html><head><title>Recovered &amp; page</title></head><body bgcolor=#e0f0ff>"
        "<h1>Heading</h1><p>Some <b>text</b> and <a href=\"http://example.com/x\">a link</a>.</body></html>");
    CHtmlViewerHost* host = ShowHtml(path);
    ASSERT_NE(host, nullptr);
    PreviewHarness& h = Harness();
    EXPECT_EQ(h.frame->m_bPreviewShown, 1);
    CView* view = h.pane->Viewer(kViewerCustomHtml);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(WindowTextOf(view->GetSafeHwnd()), L"Recovered & page");
    ASSERT_EQ(host->History().GetRowCount(), 1);
    CString lowered = path.c_str();
    lowered.MakeLower();
    EXPECT_EQ(host->CurrentUrl(), L"file://" + std::wstring(static_cast<LPCWSTR>(lowered)));
    // The canvas fills the view above a 20-pixel status line.
    CRect viewRect, canvasRect, statusRect;
    view->GetClientRect(&viewRect);
    ::GetWindowRect(CCustomHTMLViewer::Canvas(), &canvasRect);
    ::GetWindowRect(CCustomHTMLViewer::StatusLine(), &statusRect);
    EXPECT_EQ(canvasRect.Height() + statusRect.Height(), viewRect.Height());
    EXPECT_EQ(statusRect.Height(), 20);

    Pixels shown = PaintPage(host, 300, 120, 0, 0);
    EXPECT_EQ(shown.At(290, 110), RGB(0xE0, 0xF0, 0xFF));
    const CHtmlBox* link = Word(host, L"link");
    ASSERT_NE(link, nullptr);
    RECT linkRect = {link->x, link->y, link->x + link->width, link->y + link->height};
    EXPECT_TRUE(HasColour(shown, linkRect, RGB(0, 0, 255)));
    const CHtmlBox* heading = Word(host, L"Heading");
    RECT headingRect = {heading->x, heading->y, heading->x + heading->width, heading->y + heading->height};
    EXPECT_TRUE(HasColour(shown, headingRect, RGB(0, 0, 0)));
    EXPECT_GT(heading->height, Word(host, L"Some")->height);
}

TEST(HtmlViewer, TheCanvasScrollsByLinePageThumbAndWheel)
{
    CHtmlViewerHost* host = ShowHtml(WritePage(L"long.html", LongPage("<title>long</title>")));
    ASSERT_NE(host, nullptr);
    HWND canvas = CCustomHTMLViewer::Canvas();
    RECT client;
    GetClientRect(canvas, &client);
    int range = static_cast<int>(SendMessageW(canvas, kHtmlScrollRangeY, 0, 0));
    EXPECT_GT(range, 1000);
    SendMessageW(canvas, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(host->ScrollY(), 10);
    EXPECT_EQ(SendMessageW(canvas, kHtmlScrollGetY, 0, 0), 10);
    SendMessageW(canvas, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(host->ScrollY(), 10 + client.bottom);
    SendMessageW(canvas, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(host->ScrollY(), client.bottom - 20);
    SendMessageW(canvas, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100), 0);
    EXPECT_EQ(host->ScrollY(), range);
    // What shows at the bottom is the last line.
    Pixels end = PaintPage(host, client.right, client.bottom, 0, range);
    const CHtmlBox* last = Word(host, L"119");
    ASSERT_NE(last, nullptr);
    EXPECT_GE(last->y - range, 0);
    EXPECT_LT(last->y - range, client.bottom);
    RECT lastRect = {last->x, last->y - range, last->x + last->width, last->y - range + last->height};
    EXPECT_TRUE(HasColour(end, lastRect, RGB(0, 0, 0)));
    SendMessageW(canvas, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(host->ScrollY(), range - client.bottom);
}

TEST(HtmlViewer, AClickOnEmptySpaceStartsASelectionAndADragBelowScrolls)
{
    CHtmlViewerHost* host = ShowHtml(WritePage(L"select.html", LongPage("")));
    ASSERT_NE(host, nullptr);
    HWND canvas = CCustomHTMLViewer::Canvas();
    RECT client;
    GetClientRect(canvas, &client);
    const CHtmlBox* line2 = Word(host, L"2");
    ASSERT_NE(line2, nullptr);
    SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, Point(client.right - 5, line2->y + 2));
    EXPECT_EQ(GetCapture(), canvas);
    EXPECT_EQ(host->History().GetRowCount(), 1);
    EXPECT_EQ(host->Page().HoverLink(), -1);
    // Down past the bottom edge: the canvas scrolls by the overshoot, the anchor stays on its line.
    SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, Point(3, client.bottom + 40));
    EXPECT_EQ(host->ScrollY(), 40);
    EXPECT_EQ(Word(host, L"1")->selected, 0);
    EXPECT_EQ(Word(host, L"3")->selected, 1);
    SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, Point(3, client.bottom + 60));
    EXPECT_EQ(host->ScrollY(), 100);
    EXPECT_EQ(Word(host, L"3")->selected, 1);
    SendMessageW(canvas, WM_LBUTTONUP, 0, Point(3, 10));
    EXPECT_NE(GetCapture(), canvas);
}

TEST(HtmlViewer, LinksShowTheirAddressAndOnlyLocalOnesAreFollowed)
{
    WritePage(L"second.html", "<title>Second page</title>reached");
    CHtmlViewerHost* host = ShowHtml(WritePage(L"links.html",
        "<title>First</title><a href=\"second.html\">next</a> <a href=\"http://example.com/away.html\">away</a> "
        "<a href=\"pic.png\">picture</a> plain"));
    ASSERT_NE(host, nullptr);
    HWND canvas = CCustomHTMLViewer::Canvas();
    HWND status = CCustomHTMLViewer::StatusLine();
    const CHtmlBox* next = Word(host, L"next");
    const CHtmlBox* away = Word(host, L"away");
    const CHtmlBox* plain = Word(host, L"plain");
    SendMessageW(canvas, WM_MOUSEMOVE, 0, Point(away->x + 2, away->y + 2));
    EXPECT_EQ(WindowTextOf(status), L"http://example.com/away.html");
    EXPECT_EQ(host->Page().HoverLink(), 1);
    SendMessageW(canvas, WM_MOUSEMOVE, 0, Point(plain->x + 2, plain->y + 2));
    EXPECT_EQ(host->Page().HoverLink(), -1);
    EXPECT_EQ(WindowTextOf(status), host->PageStatusText());

    // Elsewhere: shown, not followed.
    SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, Point(away->x + 2, away->y + 2));
    SendMessageW(canvas, WM_LBUTTONUP, 0, Point(away->x + 2, away->y + 2));
    EXPECT_EQ(host->History().GetRowCount(), 1);
    EXPECT_EQ(WindowTextOf(status), L"Not opened in a preview: http://example.com/away.html");
    EXPECT_NE(Word(host, L"plain"), nullptr);

    // On this computer: followed, with the scroll position kept for the page left.
    SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, Point(next->x + 2, next->y + 2));
    SendMessageW(canvas, WM_LBUTTONUP, 0, Point(next->x + 2, next->y + 2));
    ASSERT_EQ(host->History().GetRowCount(), 2);
    EXPECT_STREQ(host->History().GetCell(0, 2), L"0");
    EXPECT_NE(Word(host, L"reached"), nullptr);
    EXPECT_EQ(WindowTextOf(Harness().pane->Viewer(kViewerCustomHtml)->GetSafeHwnd()), L"Second page");
    EXPECT_NE(host->CurrentUrl().find(L"second.html"), std::wstring::npos);

    // A page of this computer that cannot be read: nothing changes but the status line, which keeps
    // saying where the page was looked for.
    host->Navigate((L"file://" + TempFile(L"absent.html")).c_str());
    EXPECT_EQ(host->History().GetRowCount(), 2);
    EXPECT_NE(Word(host, L"reached"), nullptr);
    EXPECT_NE(host->CurrentUrl().find(L"second.html"), std::wstring::npos);
    EXPECT_EQ(WindowTextOf(status), L"From Internet");

    // A picture's address shows it on a yellow page of its own.
    host->Navigate((L"file://" + TempFile(L"pic.PNG")).c_str());
    EXPECT_EQ(host->History().GetRowCount(), 3);
    EXPECT_EQ(host->Page().Background(), HtmlRgb(0xFF, 0xFF, 0x00));
    EXPECT_EQ(host->Page().Images().GetCount(), 1);
}

// Straight from one link to the next: the viewer repaints the link it leaves (no longer hot) and
// the one it reaches, and nothing else needs painting for it.
TEST(HtmlViewer, MovingBetweenLinksRepaintsTheLinkLeftAndTheLinkReached)
{
    CHtmlViewerHost* host = ShowHtml(WritePage(L"twolinks.html",
        "<a href=\"one.html\">first</a> plain words between <a href=\"two.html\">second</a>"));
    ASSERT_NE(host, nullptr);
    HWND canvas = CCustomHTMLViewer::Canvas();
    const CHtmlBox* first = Word(host, L"first");
    const CHtmlBox* second = Word(host, L"second");
    const CHtmlBox* between = Word(host, L"between");
    ASSERT_TRUE(first != nullptr && second != nullptr && between != nullptr);
    ASSERT_EQ(host->ScrollY(), 0);
    SendMessageW(canvas, WM_MOUSEMOVE, 0, Point(first->x + 2, first->y + 2));
    ValidateRect(canvas, NULL);
    SendMessageW(canvas, WM_MOUSEMOVE, 0, Point(second->x + 2, second->y + 2));
    EXPECT_NE(WindowTextOf(CCustomHTMLViewer::StatusLine()).find(L"two.html"), std::wstring::npos);
    HRGN dirty = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(canvas, dirty, FALSE);
    auto needsPaint = [&](const CHtmlBox* b) {
        return PtInRegion(dirty, b->x + b->width / 2, b->y + b->height / 2) != FALSE;
    };
    EXPECT_TRUE(needsPaint(first));
    EXPECT_TRUE(needsPaint(second));
    EXPECT_FALSE(needsPaint(between));
    DeleteObject(dirty);
}

// Counts the "Parsing" texts a status line is given while it lives.
class ParsingTexts {
public:
    explicit ParsingTexts(HWND status) : m_status(status)
    {
        s_count = 0;
        s_old = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    }
    ~ParsingTexts() { SetWindowLongPtrW(m_status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_old)); }
    int Count() const { return s_count; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_SETTEXT && wcsncmp(reinterpret_cast<const wchar_t*>(lParam), L"Parsing ", 8) == 0)
            ++s_count;
        return CallWindowProcW(s_old, hwnd, message, wParam, lParam);
    }
    HWND m_status;
    static inline WNDPROC s_old = NULL;
    static inline int s_count = 0;
};

TEST(HtmlViewer, TheStatusLineShowsTheParseAHundredTimesAPageAtMost)
{
    CHtmlViewerHost* host = ShowHtml(WritePage(L"first.html", "first"));
    ASSERT_NE(host, nullptr);
    // 6000 steps: a word, a space and a tag, 2000 times.
    std::string page;
    for (int i = 0; i < 2000; ++i)
        page += "w <i>";
    std::wstring next = WritePage(L"steps.html", page);
    HWND status = CCustomHTMLViewer::StatusLine();
    {
        ParsingTexts texts(status);
        host->Navigate((L"file://" + next).c_str());
        EXPECT_GE(texts.Count(), 50);
        EXPECT_LE(texts.Count(), 102);
    }
    EXPECT_NE(Word(host, L"w"), nullptr);
    EXPECT_EQ(WindowTextOf(status), L"Parsing 10000 of 10000");
}

TEST(HtmlViewer, APageThatCannotBeReadShowsTheCorruptPlaceholder)
{
    PreviewHarness& h = Harness();
    Preview(TempFile(L"missing-page.html"), L".html");
    EXPECT_EQ(h.frame->m_bPreviewShown, 0);
    EXPECT_NE(h.pane->Viewer(kViewerNoPreview), nullptr);
}

TEST(HtmlViewer, PagesWhoseNameHoldsHashOrPercentEscapes)
{
    // The file's own name is read back, not cut at "#" nor decoded at "%41".
    for (const wchar_t* name : {L"notes #2.html", L"100%41.html", L"a%25b#c%.html"}) {
        SCOPED_TRACE(Narrow(name));
        CHtmlViewerHost* host = ShowHtml(WritePage(name, "<p>Escaped name</p>"));
        ASSERT_NE(host, nullptr);
        EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
        EXPECT_EQ(host->History().GetRowCount(), 1);
        EXPECT_NE(Word(host, L"Escaped"), nullptr);
    }
    // Every path comes back from its address.
    for (const wchar_t* path : {L"C:\\x\\plain.htm", L"C:\\x #1\\%C3%A9 100%.htm", L"C:\\\u00e9\u65e5\\p.htm"}) {
        std::wstring back;
        ASSERT_TRUE(HtmlFileUrlToPath(HtmlFileUrl(path), &back));
        EXPECT_EQ(back, path);
    }
    EXPECT_EQ(HtmlFileUrl(L"C:\\x\\plain.htm"), L"file://C:\\x\\plain.htm");
}

TEST(HtmlViewer, NothingIsWrittenBesideTheProgram)
{
    ShowHtml(WritePage(L"quiet.html", "<b>quiet</b>"));
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(NULL, program, MAX_PATH);
    std::wstring beside = program;
    beside = beside.substr(0, beside.rfind(L'.')) + L".txt";
    EXPECT_EQ(GetFileAttributesW(beside.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace morvick::test
