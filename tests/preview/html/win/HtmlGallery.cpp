// Pictures of the viewer in the pane with a few pages, in build/windows/htmlview-gallery (looked
// at, not compared): text and headings (top and end), a table page, a form, pictures, and a selection.
#include "tests/preview/html/win/HtmlWinSupport.h"
#include "tests/support/win/WindowCapture.h"

#include "preview/win/host/PreviewLocation.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

void Capture(const std::wstring& name)
{
    PumpMessagesFor(150);
    EXPECT_TRUE(CaptureWindowToPng(Harness().frame->GetSafeHwnd(), GalleryFolder("htmlview") + L"\\" + name + L".png"));
}

const char kTextPage[] =
    "<html><head><title>Recovered notes</title></head><body bgcolor=#fdfdf5>"
    "<h1>Recovered notes</h1>"
    "<p>This page was found on a damaged volume. It shows <b>bold</b>, <i>italic</i>, <u>underlined</u> and "
    "<strike>struck</strike> words, <font color=green>coloured</font> and <font size=+4>larger</font> text, "
    "H<sub>2</sub>O and E=mc<sup>2</sup>, and <a href=\"next.html\">a link to another page</a>."
    "<h2>A second heading</h2>"
    "<p align=justify>Justified text fills its lines from the left edge to the right edge: the space left "
    "over is shared out between the words, one pixel at a time, so that every line but the last of the "
    "paragraph ends at the margin.</p>"
    "<center>A centred line &mdash; with &quot;entities&quot; &amp; &eacute;l&egrave;ves</center>"
    "<h3>Lists</h3><ul><li>First item<li>Second item<ul><li>A nested item</ul><li>Third item</ul>"
    "<ol><li>Step one<li>Step two<ol><li>Part a<li>Part b</ol></ol>"
    "<blockquote>A quotation stands apart from the text around it, indented on both sides.</blockquote>"
    "<hr><pre>preformatted   text keeps its spaces\n\tand its tabs</pre></body></html>";

const char kTablePage[] =
    "<title>Table</title><h2>Files found</h2>"
    "<table border=1 cellpadding=4 cellspacing=2 width=90% bgcolor=#f4f4ff>"
    "<tr bgcolor=#c8d8f0><th>Name</th><th>Size</th><th colspan=2>Dates</th></tr>"
    "<tr><td>report.doc</td><td align=right>12,288</td><td>2021-03-04</td><td>2021-05-06</td></tr>"
    "<tr><td rowspan=2 valign=middle>photos</td><td align=right>4,194,304</td><td colspan=2 align=center>"
    "<i>folder</i></td></tr>"
    "<tr><td align=right>512</td><td bgcolor=#ffe0e0>damaged</td><td>-</td></tr>"
    "<tr><td colspan=4><table border=0 cellspacing=0 width=100%><tr><td bgcolor=#e0ffe0>nested left</td>"
    "<td bgcolor=#e0e0ff align=right>nested right</td></tr></table></td></tr></table>"
    "<p><table border=2 bordercolor=gray cellpadding=8 align=center><tr><td width=120>fixed 120</td>"
    "<td>free text that may wrap in its column</td></tr></table>";

const char kFormPage[] =
    "<title>Form</title><h2>Contact</h2><form action=\"http://example.com/send\" method=post>"
    "<table cellspacing=0 cellpadding=3><tr><td align=right>Name:</td><td><input name=name size=24 "
    "value=\"Ada Lovelace\"></td></tr><tr><td align=right>Password:</td><td><input type=password name=pw "
    "value=secret size=12></td></tr><tr><td align=right>Topic:</td><td><select name=topic><option>Recovery"
    "<option selected>Damaged disks<option>Other</select></td></tr><tr><td align=right valign=top>Message:</td>"
    "<td><textarea name=msg cols=30 rows=4>The volume shows no partitions.</textarea></td></tr>"
    "<tr><td></td><td><input type=checkbox name=copy value=yes> send me a copy "
    "<input type=radio name=r value=a> A <input type=radio name=r value=b> B</td></tr>"
    "<tr><td></td><td><input type=submit value=\"Send message\"> <input type=button value=Cancel></td></tr>"
    "</table></form>";

// A 24 x 24 tile of soft diagonal stripes.
std::vector<uint8_t> TileBytes()
{
    std::vector<uint8_t> bmp = BmpBytes(24, 24, RGB(236, 244, 252));
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            uint8_t* p = &bmp[54 + y * 72 + x * 3];
            bool stripe = (x + y) % 12 < 2;
            p[0] = stripe ? 240 : 252;
            p[1] = stripe ? 226 : 244;
            p[2] = stripe ? 220 : 236;
        }
    return bmp;
}

TEST(HtmlGallery, Pages)
{
    Harness();
    g_strPreviewLocation = L"\\Documents\\notes.html";
    CHtmlViewerHost* host = ShowHtml(WritePage(L"gallery-text.html", kTextPage));
    ASSERT_NE(host, nullptr);
    Capture(L"text-and-headings");

    // The same page with a selection over two lines and the pointer on the link.
    HWND canvas = CCustomHTMLViewer::Canvas();
    const CHtmlBox* from = Word(host, L"was");
    const CHtmlBox* to = Word(host, L"underlined");
    const CHtmlBox* link = Word(host, L"another");
    ASSERT_TRUE(from != nullptr && to != nullptr && link != nullptr);
    SendMessageW(canvas, WM_LBUTTONDOWN, MK_LBUTTON, Point(from->x + 2, from->y + 2));
    SendMessageW(canvas, WM_MOUSEMOVE, MK_LBUTTON, Point(to->x + to->width - 2, to->y + 2));
    SendMessageW(canvas, WM_LBUTTONUP, 0, Point(to->x + to->width - 2, to->y + 2));
    SendMessageW(canvas, WM_MOUSEMOVE, 0, Point(link->x + 2, link->y + 2));
    Capture(L"selection-and-hover");

    // The end of the page, paged down to through the scroll bar: quotation, rule, preformatted text.
    for (int i = 0; i < 10; ++i)
        SendMessageW(canvas, WM_VSCROLL, SB_PAGEDOWN, 0);
    Capture(L"text-and-headings-end");

    g_strPreviewLocation = L"\\Documents\\files.html";
    ASSERT_NE(ShowHtml(WritePage(L"gallery-table.html", kTablePage)), nullptr);
    Capture(L"table");

    g_strPreviewLocation = L"\\Documents\\contact.html";
    ASSERT_NE(ShowHtml(WritePage(L"gallery-form.html", kFormPage)), nullptr);
    Capture(L"form");

    WriteBytes(TempFile(L"gallery-tile.bmp"), TileBytes());
    WriteBytes(TempFile(L"gallery-red.bmp"), BmpBytes(120, 80, RGB(210, 60, 50)));
    WriteBytes(TempFile(L"gallery-green.bmp"), BmpBytes(90, 130, RGB(60, 170, 90)));
    WriteBytes(TempFile(L"gallery-blue.bmp"), BmpBytes(200, 60, RGB(50, 90, 200)));
    std::string words;
    for (int i = 0; i < 6; ++i)
        words += "Text flows beside a picture that floats to one side of the page. ";
    std::string pictures = "<title>Pictures</title><body background=gallery-tile.bmp><h2>Pictures</h2>"
                           "<img src=gallery-red.bmp align=left>" +
        words +
        "<br clear=all>"
        "<img src=gallery-green.bmp align=right>" +
        words + words +
        "<br clear=all>"
        "<center><img src=gallery-blue.bmp border=2> <img src=gallery-red.bmp width=60> "
        "<img src=missing.gif></center>";
    g_strPreviewLocation = L"\\Pictures\\album.html";
    host = ShowHtml(WritePage(L"gallery-pictures.html", pictures));
    ASSERT_NE(host, nullptr);
    WaitUntil([&] { return host->PageStatusText().rfind(L"Ready", 0) == 0; });
    Capture(L"pictures");
    g_strPreviewLocation.Empty();
}

}  // namespace
}  // namespace morvick::test
