// The viewers' geometry and pictures, painted into pixels.
#include "preview/win/viewers/IconView.h"
#include "preview/win/viewers/ImageView.h"
#include "preview/win/viewers/PsdView.h"
#include "preview/win/viewers/ThumbView.h"
#include "tests/preview/decoders/PsdWriter.h"
#include "tests/preview/win/PreviewHarness.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

const COLORREF kRed = RGB(220, 20, 20);

// Paints the current image view and returns where the picture landed (its red and its black
// border against the white background).
RECT PaintedImage(int* clientWidth)
{
    CView* view = Harness().pane->Viewer(kViewerImage);
    CRect rc;
    view->GetClientRect(&rc);
    *clientWidth = rc.Width();
    // Tall pictures start above the window: paint into a taller area moved down by 200.
    Pixels p = Render(rc.Width(), rc.Height() + 400, [&](CDC* dc) {
        dc->SetViewportOrg(0, 200);
        view->OnDraw(dc);
    });
    RECT r = p.BoundsOfNot(RGB(255, 255, 255));
    OffsetRect(&r, 0, -200);
    return r;
}

TEST(ImageView, PictureIs200WideAndFollowsItsShape)
{
    struct Case {
        int w, h;
        int top, height;
    } cases[] = {{400, 400, 10, 200}, {400, 200, 35, 150}, {100, 300, -90, 400}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.w * 1000 + c.h);
        std::wstring path = TempFile(L"geometry.bmp");
        ASSERT_TRUE(WriteBytes(path, BmpBytes(c.w, c.h, kRed)));
        Preview(path, L".bmp");
        ASSERT_NE(Harness().pane->m_pImageView, nullptr);
        EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
        int clientWidth = 0;
        RECT r = PaintedImage(&clientWidth);
        EXPECT_EQ(r.left, clientWidth / 2 - 100);
        EXPECT_EQ(r.right - r.left, 200);
        EXPECT_EQ(r.top, c.top);
        EXPECT_EQ(r.bottom - r.top, c.height);
    }
}

TEST(PsdView, PictureIsStretchedOverTheWholeView)
{
    // A 100 x 50 RGB document: left half red, right half blue.
    PsdWriter w;
    w.width = 100;
    w.height = 50;
    std::vector<uint8_t> planes(3 * 100 * 50, 0);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x) {
            planes[0 * 5000 + y * 100 + x] = x < 50 ? 255 : 0;
            planes[2 * 5000 + y * 100 + x] = x < 50 ? 0 : 255;
        }
    w.SetRleImage(planes);
    std::wstring path = TempFile(L"stretch.psd");
    ASSERT_TRUE(WriteBytes(path, w.Bytes()));
    Preview(path, L".psd");
    CPSDViewView* view = Harness().pane->m_pPsdView;
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetLoadResult(), 0);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_EQ(Harness().pane->m_pNoPreviewView, nullptr);
    view->MoveWindow(0, 35, 400, 300);
    Pixels p = Render(400, 300, [&](CDC* dc) { view->OnDraw(dc); });
    EXPECT_EQ(p.At(4, 4), RGB(255, 0, 0));
    EXPECT_EQ(p.At(194, 295), RGB(255, 0, 0));
    EXPECT_EQ(p.At(206, 4), RGB(0, 0, 255));
    EXPECT_EQ(p.At(395, 295), RGB(0, 0, 255));
    Harness().pane->SendMessage(WM_SIZE);

    // The same document cut in the middle of its blue plane (rows of 101 bytes): the picture is
    // shown, not "Corrupt File"; the blue of its lower half is missing and left at 254.
    std::vector<uint8_t> bytes = w.Bytes();
    bytes.resize(bytes.size() - 26 * 101);
    ASSERT_TRUE(WriteBytes(path, bytes));
    Preview(path, L".psd");
    view = Harness().pane->m_pPsdView;
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetLoadResult(), 0);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_EQ(Harness().pane->m_pNoPreviewView, nullptr);
    view->MoveWindow(0, 35, 400, 300);
    p = Render(400, 300, [&](CDC* dc) { view->OnDraw(dc); });
    EXPECT_EQ(p.At(4, 4), RGB(255, 0, 0));
    EXPECT_EQ(p.At(4, 295), RGB(255, 0, 254));
    Harness().pane->SendMessage(WM_SIZE);
}

TEST(IconView, HimetricSizeAndTransparentInset)
{
    EXPECT_EQ(CTextView::HimetricToPixels(847, 96), 32);
    EXPECT_EQ(CTextView::HimetricToPixels(0x7FFFFFFF, 96), -1);

    Preview(SamplePath("make-image-samples.sh", "rgb.ico"), L".ico");
    CTextView* view = Harness().pane->m_pIconView;
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->m_pPicture, nullptr);
    EXPECT_EQ(view->m_nWidth, 64);
    EXPECT_EQ(view->m_nHeight, 48);
    const auto red = [](COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) < 80 && GetBValue(c) < 80; };
    const auto green = [](COLORREF c) { return GetGValue(c) > 150 && GetRValue(c) < 80 && GetBValue(c) < 120; };
    const auto blue = [](COLORREF c) { return GetBValue(c) > 150 && GetRValue(c) < 80; };
    // The icon is stretched 200 in from either side and 10 from the top and the bottom (in a 600 x 300
    // view x 200, y 10, 200 x 280), the insets at most a third of the view: a narrow view shows the
    // picture the right way round, its red quarter at the top left, its green one at the top right.
    struct Case {
        int width;
        int left, right;
    } cases[] = {{1000, 200, 800}, {600, 200, 400}, {450, 150, 300}, {300, 100, 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        view->MoveWindow(0, 35, c.width, 300);
        Pixels p = Render(c.width, 300, [&](CDC* dc) { view->OnDraw(dc); });
        EXPECT_EQ(p.At(c.left - 5, 100), RGB(255, 255, 255));
        EXPECT_TRUE(red(p.At(c.left + 5, 15)));
        EXPECT_TRUE(green(p.At(c.right - 5, 15)));
        EXPECT_TRUE(blue(p.At(c.left + 5, 285)));
        EXPECT_EQ(p.At(c.right + 5, 100), RGB(255, 255, 255));
        EXPECT_EQ(p.At(c.left + 5, 5), RGB(255, 255, 255));
    }
    Harness().pane->SendMessage(WM_SIZE);
}

TEST(IconView, EnhancedMetafiles)
{
    std::wstring path = TempFile(L"drawing.emf");
    HDC emf = CreateEnhMetaFileW(NULL, path.c_str(), NULL, NULL);
    ASSERT_NE(emf, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(0, 128, 0));
    RECT r = {0, 0, 120, 80};
    FillRect(emf, &r, brush);
    DeleteObject(brush);
    DeleteEnhMetaFile(CloseEnhMetaFile(emf));
    Preview(path, L".emf");
    ASSERT_NE(Harness().pane->m_pIconView, nullptr);
    EXPECT_NE(Harness().pane->m_pIconView->m_pPicture, nullptr);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
}

TEST(ThumbView, ThumbnailsAreLetterboxedInFolderOrder)
{
    EXPECT_EQ(CThumbView::ThumbnailRect(640, 480), CRect(0, 0, 160, 120));
    EXPECT_EQ(CThumbView::ThumbnailRect(1024, 768), CRect(0, 0, 160, 120));
    EXPECT_EQ(CThumbView::ThumbnailRect(400, 800), CRect(50, 0, 110, 120));
    EXPECT_EQ(CThumbView::ThumbnailRect(1600, 900), CRect(0, 15, 160, 105));

    // A folder of slides as the presentation export leaves it, plus a file that is no picture.
    std::wstring folder = TempFile(L"slides");
    CreateDirectoryW(folder.c_str(), NULL);
    ASSERT_TRUE(WriteBytes(folder + L"\\b.bmp", BmpBytes(400, 800, RGB(0, 0, 255))));
    ASSERT_TRUE(WriteBytes(folder + L"\\A.bmp", BmpBytes(1600, 900, kRed)));
    ASSERT_TRUE(WriteBytes(folder + L"\\c.png", {1, 2, 3}));
    ASSERT_TRUE(WriteBytes(folder + L"\\notes.txt", {'x'}));

    PreviewHarness& h = Harness();
    h.frame->ShowFilePreview(L"", L"");  // closes the viewers
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CThumbView);
    context.m_pCurrentDoc = h.doc;
    CThumbView* view = static_cast<CThumbView*>(AfxCreateView(h.pane, &context, 59648));
    ASSERT_NE(view, nullptr);
    h.pane->m_pThumbView = view;
    view->OnInitialUpdate();
    h.doc->LoadImageFolder(folder.c_str());
    CListCtrl& list = view->GetListCtrl();
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(0, 0), CString(L"1"));
    EXPECT_EQ(list.GetItemText(2, 0), CString(L"3"));
    EXPECT_EQ(h.doc->m_ImageNames[0], CString(L"a.bmp"));
    EXPECT_EQ(h.doc->m_ImageNames[2], CString(L"c.png"));
    // Thumbnail 0 (1600 x 900): white above and below, the picture from y 15 to 105, a black frame.
    Pixels t = Render(160, 120, [&](CDC* dc) { view->m_imageList.Draw(dc, 0, CPoint(0, 0), ILD_NORMAL); });
    EXPECT_EQ(t.At(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(t.At(80, 8), RGB(255, 255, 255));
    EXPECT_EQ(t.At(80, 60), kRed);
    EXPECT_EQ(t.At(80, 110), RGB(255, 255, 255));
    Pixels u = Render(160, 120, [&](CDC* dc) { view->m_imageList.Draw(dc, 1, CPoint(0, 0), ILD_NORMAL); });
    EXPECT_EQ(u.At(40, 60), RGB(255, 255, 255));
    EXPECT_EQ(u.At(80, 60), RGB(0, 0, 255));

    h.doc->DeleteFolderFiles(folder.c_str());
    EXPECT_EQ(h.doc->m_ImageNames.GetSize(), 0);
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
    h.pane->CloseViewers();
}

}  // namespace
}  // namespace morvick::test
