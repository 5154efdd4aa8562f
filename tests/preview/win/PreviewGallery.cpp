// Pictures of the pane with each viewer and each placeholder in build/windows/preview-gallery
// (looked at, not compared).
#include "preview/win/pane/HeaderBand.h"
#include "preview/win/host/PreviewLocation.h"
#include "tests/preview/win/PreviewHarness.h"
#include "preview/win/viewers/ThumbView.h"
#include "tests/support/win/WindowCapture.h"
#include "toolkit/commandbars/SchemeGradientBarTheme.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

void Capture(const std::string& name)
{
    CaptureToGallery("preview", name);
}

TEST(PreviewGallery, EachViewerAndPlaceholder)
{
    PreviewHarness& h = Harness();
    struct Shot {
        const char* name;
        std::wstring path, ext, location;
    } shots[] = {
        {"image-png", SamplePath("make-image-samples.sh", "rgb.png"), L".png", L"\\Pictures\\rgb.png"},
        {"image-tiff", SamplePath("make-image-samples.sh", "lzw.tif"), L".tif", L"\\Pictures\\scan.tif"},
        {"image-jpeg2000", SamplePath("make-image-samples.sh", "rgb.jp2"), L".jp2", L"\\Pictures\\rgb.jp2"},
        {"psd", SamplePath("make-psd-samples.sh", "cmyk8-rle.psd"), L".psd", L"\\Design\\poster.psd"},
        {"icon", SamplePath("make-image-samples.sh", "rgb.ico"), L".ico", L"\\Icons\\app.ico"},
        {"placeholder-corrupt", SamplePath("make-image-samples.sh", "truncated-rgb.png"), L".png",
            L"\\Pictures\\cut.png"},
        {"placeholder-not-available", L"", L"", L""},
        {"placeholder-large-file", L"largefile", L".largefile", L"\\Video\\movie.avi"},
    };
    for (const Shot& s : shots) {
        g_strPreviewLocation = s.location.c_str();
        Preview(s.path, s.ext);
        if (s.location.empty() && s.ext.empty())
            g_strPreviewLocation.Empty();
        Capture(s.name);
    }
    h.frame->m_bNoFileSelected = 1;
    Preview(L"", L"");
    Capture("placeholder-select-file");
    h.frame->m_bNoFileSelected = 0;

    // The thumbnail view with three slides.
    std::wstring folder = TempFile(L"gallery-slides");
    CreateDirectoryW(folder.c_str(), NULL);
    WriteBytes(folder + L"\\1.bmp", BmpBytes(640, 480, RGB(30, 110, 200)));
    WriteBytes(folder + L"\\2.bmp", BmpBytes(400, 800, RGB(240, 160, 30)));
    WriteBytes(folder + L"\\3.bmp", BmpBytes(1600, 900, RGB(40, 170, 80)));
    h.frame->ShowFilePreview(L"", L"");
    h.pane->CloseViewers();
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CThumbView);
    context.m_pCurrentDoc = h.doc;
    h.pane->m_pThumbView = static_cast<CThumbView*>(AfxCreateView(h.pane, &context, 59648));
    ASSERT_NE(h.pane->m_pThumbView, nullptr);
    h.pane->m_pThumbView->OnInitialUpdate();
    h.doc->LoadImageFolder(folder.c_str());
    h.pane->SendMessage(WM_SIZE);
    g_strPreviewLocation = L"\\Slides\\talk.ppt";
    h.pane->Invalidate();
    Capture("thumbnails");
    h.doc->DeleteFolderFiles(folder.c_str());
    RemoveDirectoryW(folder.c_str());

    // The band in a theme derived from the scheme gradient, installed as the program installs its own.
    {
        ScopedBarTheme theme(new CTKPSchemeGradientBarTheme);
        g_strPreviewLocation = L"\\Pictures\\rgb.png";
        Preview(SamplePath("make-image-samples.sh", "rgb.png"), L".png");
        h.pane->Invalidate();
        Capture("image-png-gradient-band");
    }
    g_strPreviewLocation.Empty();
    Preview(L"", L"");
}

TEST(PreviewGallery, IconAndMetafileInNarrowPanes)
{
    PreviewHarness& h = Harness();
    // A drawing: a green field with a red disc in its top left corner.
    const std::wstring emf = TempFile(L"gallery.emf");
    HDC drawing = CreateEnhMetaFileW(NULL, emf.c_str(), NULL, NULL);
    ASSERT_NE(drawing, nullptr);
    HBRUSH green = CreateSolidBrush(RGB(0, 150, 60)), red = CreateSolidBrush(RGB(220, 30, 20));
    RECT field = {0, 0, 120, 80};
    FillRect(drawing, &field, green);
    HGDIOBJ old = SelectObject(drawing, red);
    Ellipse(drawing, 5, 5, 45, 45);
    SelectObject(drawing, old);
    DeleteObject(green);
    DeleteObject(red);
    DeleteEnhMetaFile(CloseEnhMetaFile(drawing));
    struct Shot {
        const char* name;
        std::wstring path, ext;
        const wchar_t* location;
    } shots[] = {
        {"icon", SamplePath("make-image-samples.sh", "rgb.ico"), L".ico", L"\\Icons\\app.ico"},
        {"metafile", emf, L".emf", L"\\Drawings\\plan.emf"},
    };
    for (const Shot& s : shots) {
        for (int width : {800, 480, 300, 150}) {
            h.pane->MoveWindow(0, 40, width, 600);
            g_strPreviewLocation = s.location;
            Preview(s.path, s.ext);
            // The pane alone: the frame beside a narrow pane is not painted.
            PumpMessagesFor(200);
            const std::string name = std::string(s.name) + "-pane-" + std::to_string(width) + ".png";
            EXPECT_TRUE(CaptureWindowToPng(h.pane->GetSafeHwnd(),
                GalleryFolder("preview") + L"\\" + std::wstring(name.begin(), name.end())));
        }
    }
    h.pane->MoveWindow(0, 40, 800, 600);
    g_strPreviewLocation.Empty();
    Preview(L"", L"");
    DeleteFileW(emf.c_str());
}

}  // namespace
}  // namespace morvick::test
