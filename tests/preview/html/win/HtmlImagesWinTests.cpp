// Pictures in the viewer: local files decoded through the preview's image layer, the placeholder,
// the status line as they arrive, and pages closed while their pictures are still being fetched.
#include "tests/preview/html/HtmlTestSupport.h"
#include "tests/preview/html/win/HtmlWinSupport.h"

#include "preview/html/win/HtmlLocalFetch.h"
#include "res/htmlview.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

TEST(HtmlViewerImages, LocalPicturesLoadAndTheStatusSaysReady)
{
    std::string page = "<title>pictures</title>";
    for (int i = 0; i < 24; ++i) {
        std::wstring name = L"pic" + std::to_wstring(i) + L".bmp";
        WriteBytes(TempFile(name), BmpBytes(20 + i, 10 + i, RGB(200, 10 * i, 40)));
        page += "<img src=\"" + Narrow(name) + "\"> ";
    }
    page += "<img src=missing.gif> <img src=\"http://example.com/far.gif\" width=30>";
    CHtmlViewerHost* host = ShowHtml(WritePage(L"pictures.html", page));
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return host->PageStatusText().rfind(L"Ready", 0) == 0; }));
    EXPECT_EQ(host->PageStatusText(), L"Ready, items:51, images:26, links:0, level:0");
    EXPECT_EQ(WindowTextOf(CCustomHTMLViewer::StatusLine()), host->PageStatusText());
    ASSERT_TRUE(WaitUntil([&] { return host->Page().Boxes()[0]->width == 20; }));
    const HtmlBoxList& boxes = host->Page().Boxes();
    EXPECT_EQ(boxes[2 * 23]->width, 43);
    EXPECT_EQ(boxes[2 * 23]->height, 33);
    // Missing here, or elsewhere and never fetched: the 60 x 40 placeholder (scaled to a width).
    EXPECT_EQ(boxes[2 * 24]->width, 60);
    EXPECT_EQ(boxes[2 * 24]->height, 40);
    EXPECT_EQ(boxes[2 * 25]->width, 30);
    EXPECT_EQ(boxes[2 * 25]->height, 20);
}

// A canvas of the test's own, whose host reads pictures from a source that can hang.
CHtmlViewerHost* g_host = nullptr;

INT_PTR CALLBACK TestCanvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_host == nullptr)
        return 0;
    return static_cast<INT_PTR>(g_host->HandleCanvasMessage(window, message, wParam, lParam));
}

TEST(HtmlViewerImages, ClosingAPageWhosePicturesHangDoesNotWait)
{
    auto source = std::make_shared<FakeSource>();
    source->BlockAll(true);
    HWND canvas = CreateDialogParamW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(IDD_HTML_CANVAS),
        Harness().frame->GetSafeHwnd(), TestCanvasProc, 0);
    ASSERT_NE(canvas, static_cast<HWND>(NULL));
    g_host = new CHtmlViewerHost(canvas, NULL, NULL, NULL, NULL, source);
    std::string page;
    for (int i = 0; i < 30; ++i)
        page += "<img src=hang" + std::to_string(i) + ".gif>";
    g_host->Navigate((L"file://" + WritePage(L"hang.html", page)).c_str());
    ASSERT_TRUE(source->WaitRunning(kHtmlMaxFetches));
    CHtmlViewerHost* closing = g_host;
    g_host = nullptr;
    delete closing;
    DestroyWindow(canvas);
    // The fetches are released only after this: a close that waited for them would have ended only
    // once they gave up.
    EXPECT_EQ(source->Finished(), 0) << "closing the page waited for its pictures";
    // The hung fetches end later and report to nobody.
    source->Release();
    ASSERT_TRUE(source->WaitIdle());
    Pump();
}

TEST(HtmlViewerImages, ClosingTheViewerWhilePicturesLoad)
{
    std::string page;
    for (int i = 0; i < 60; ++i) {
        std::wstring name = L"many" + std::to_wstring(i) + L".bmp";
        WriteBytes(TempFile(name), BmpBytes(200, 200, RGB(i, 100, 100)));
        page += "<img src=\"" + Narrow(name) + "\">";
    }
    for (int round = 0; round < 3; ++round) {
        ASSERT_NE(ShowHtml(WritePage(L"many.html", page)), nullptr);
        // Another preview closes this viewer at once.
        Preview(L"", L"");
        EXPECT_EQ(CCustomHTMLViewer::Host(), nullptr);
    }
}

TEST(HtmlLocalFetch, OnlyDrivePathsOfFileAddressesAreRead)
{
    std::wstring path;
    EXPECT_TRUE(HtmlFileUrlToPath(L"file://C:\\dir\\page.html", &path));
    EXPECT_EQ(path, L"C:\\dir\\page.html");
    EXPECT_TRUE(HtmlFileUrlToPath(L"FILE:///c:/dir/a%20b%C3%A9.html?x=1#top", &path));
    EXPECT_EQ(path, std::wstring(L"c:\\dir\\a b\xE9.html"));
    EXPECT_TRUE(HtmlFileUrlToPath(L"file:C:/x.gif", &path));
    EXPECT_EQ(path, L"C:\\x.gif");
    for (const wchar_t* refused : {L"file://server/share/x.gif", L"file:////server/share/x.gif",
             L"file://\\\\?\\C:\\x.gif", L"file://\\\\.\\pipe\\x", L"file://relative.html", L"http://example.com/x",
             L"res://x", L"file://C:\\a\\\\\\\\b", L""})
        EXPECT_FALSE(HtmlFileUrlToPath(refused, &path)) << Narrow(refused);

    std::vector<uint8_t> bytes;
    EXPECT_FALSE(HtmlReadLocalBytes(L"file://C:\\NUL", &bytes));
    EXPECT_FALSE(HtmlReadLocalBytes(L"file://" + TempFolder(), &bytes));  // a folder
    EXPECT_TRUE(HtmlReadLocalBytes(L"res://RESPAGE.HTML", &bytes));
    EXPECT_NE(HtmlPageText(bytes).find(L"resource page"), std::wstring::npos);
    EXPECT_TRUE(HtmlReadLocalBytes(L"res://C:/anything/respage.html", &bytes));
    EXPECT_FALSE(HtmlReadLocalBytes(L"res://nothing.html", &bytes));
}

TEST(HtmlLocalFetch, PageTextHonoursByteOrderMarks)
{
    EXPECT_EQ(HtmlPageText({'a', 0, 'b'}), L"a b");
    EXPECT_EQ(HtmlPageText({0xEF, 0xBB, 0xBF, 0xC3, 0xA9}), std::wstring(L"\xE9"));
    EXPECT_EQ(HtmlPageText({0xFF, 0xFE, 0x3C, 0x00, 0xAC, 0x20}), std::wstring(L"<\x20AC"));
    EXPECT_EQ(HtmlPageText({}), L"");
}

TEST(HtmlLocalFetch, AResourcePageLoadsThroughTheViewer)
{
    CHtmlViewerHost* host = ShowHtml(WritePage(L"start.html", "start"));
    ASSERT_NE(host, nullptr);
    host->Navigate(L"res://RESPAGE.HTML");
    EXPECT_EQ(host->History().GetRowCount(), 2);
    EXPECT_EQ(host->CurrentUrl(), L"res://RESPAGE.HTML");
    EXPECT_NE(Word(host, L"resource"), nullptr);
}

}  // namespace
}  // namespace morvick::test
