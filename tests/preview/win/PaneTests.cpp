// The pane's dispatch by extension, its placeholders and flags, and the layout of its viewers.
#include "preview/win/host/PreviewLocation.h"
#include "preview/win/host/TemporaryPaths.h"
#include "preview/win/pane/PreviewDispatch.h"
#include "preview/win/viewers/IconView.h"
#include "preview/win/viewers/ImageView.h"
#include "preview/win/viewers/PlaceholderViews.h"
#include "preview/win/viewers/PsdView.h"
#include "preview/win/viewers/ThumbView.h"
#include "res/preview.h"
#include "tests/preview/win/FakePresentationServer.h"
#include "tests/preview/win/PreviewHarness.h"
#include "tests/preview/win/TemporaryFolderScope.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

// A bitmap resource's pixels (0x00RRGGBB, top row first), read from the resource itself; empty
// when it cannot be loaded.
Pixels BitmapResource(UINT id)
{
    Pixels out;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == NULL)
        return out;
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = info.bmWidth;
    bmi.bmiHeader.biHeight = -info.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> data(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(NULL);
    int rows = GetDIBits(screen, bitmap, 0, info.bmHeight, data.data(), &bmi, DIB_RGB_COLORS);
    ReleaseDC(NULL, screen);
    DeleteObject(bitmap);
    if (rows != info.bmHeight)
        return out;
    for (uint32_t& pixel : data)
        pixel &= 0xFFFFFF;
    out.width = info.bmWidth;
    out.height = info.bmHeight;
    out.data = std::move(data);
    return out;
}

// True when `shown` holds `picture` unscaled with its middle 40 pixels left of the middle (the
// part inside the window; a window smaller than the picture clips it).
bool HoldsPicture(const Pixels& shown, const Pixels& picture)
{
    if (picture.data.empty())
        return false;
    const int left = shown.width / 2 - picture.width / 2 - 40, top = shown.height / 2 - picture.height / 2;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const int sx = left + x, sy = top + y;
            if (sx >= 0 && sy >= 0 && sx < shown.width && sy < shown.height &&
                (shown.data[sy * shown.width + sx] & 0xFFFFFF) != picture.data[y * picture.width + x])
                return false;
        }
    return true;
}

// The placeholder picture the no-preview view paints now, compared with what each of the three
// bitmaps holds; 0 when none matches.
UINT ShownPlaceholder()
{
    CMainPreviewView* pane = Harness().pane;
    CView* view = pane->Viewer(kViewerNoPreview);
    if (view == nullptr)
        return 0;
    CRect rc;
    view->GetClientRect(&rc);
    Pixels shown = Render(rc.Width(), rc.Height(), [&](CDC* dc) { view->OnDraw(dc); });
    for (UINT id : {IDB_PREVIEW_CORRUPT, IDB_PREVIEW_NOT_AVAILABLE, IDB_PREVIEW_SELECT_FILE})
        if (HoldsPicture(shown, BitmapResource(id)))
            return id;
    return 0;
}

TEST(PreviewPane, StartsWithTheNotAvailablePlaceholder)
{
    PreviewHarness& h = Harness();
    // A second pane, made as the results page makes its own.
    h.frame->m_bPreviewable = 1;
    h.frame->m_bPreviewShown = 0;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CMainPreviewView);
    context.m_pCurrentDoc = h.doc;
    CMainPreviewView* pane = static_cast<CMainPreviewView*>(AfxCreateView(h.frame, &context, 59650));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(h.frame->m_pPreviewPane, pane);
    EXPECT_EQ(h.frame->m_bPreviewable, 0);
    EXPECT_EQ(h.frame->m_bPreviewShown, 1);
    EXPECT_NE(pane->m_pNoPreviewView, nullptr);
    EXPECT_EQ(pane->m_pImageView, nullptr);
    pane->DestroyWindow();
    h.frame->m_pPreviewPane = h.pane;
    h.frame->SetActiveView(h.pane, FALSE);
}

TEST(PreviewPane, PreviewableExtensionsAreExactlyTheDispatchRows)
{
    const wchar_t* all[] = {L".bmp", L".png", L".j2k", L".jp2", L".j2c", L".jpc", L".jpg", L".jpeg", L".pcx", L".pnm",
        L".pgm", L".ppm", L".docx", L".tga", L".tif", L".tiff", L".gif", L".html", L".htm", L".qdoc", L".pdf", L".rtf",
        L".doc", L".xls", L".zip", L".cab", L".rar", L".xlsx", L".psd", L".avi", L".wmv", L".asf", L".wm", L".wma",
        L".wav", L".snd", L".au", L".aif", L".mpeg", L".mpg", L".m1v", L".mp2", L".mpa", L".mid", L".rmi", L".midi",
        L".dvr-ms", L".xml", L".wvx", L".wmx", L".asx", L".mp3", L".dat", L".ppt", L".dbf", L".mdb", L".txt", L".c",
        L".cpp", L".h", L".hpp", L".ini", L".dxf", L".largefile", L".ico", L".emf", L".mht", L".pptx"};
    EXPECT_EQ(sizeof all / sizeof all[0], 68u);
    for (const wchar_t* ext : all)
        EXPECT_EQ(IsPreviewableExtension(L"x", ext), 1) << ext;
    for (const wchar_t* ext : {L".JPG", L"jpg", L".psd ", L".pbm", L".wbmp", L".ras", L".pgx", L""})
        EXPECT_EQ(IsPreviewableExtension(L"x", ext), 0) << ext;
    // Rows that look alike go to different viewers.
    EXPECT_EQ(PreviewSenderOf(L".xls"), kSendHtml);
    EXPECT_EQ(PreviewSenderOf(L".xlsx"), kSendHtml);
    EXPECT_EQ(PreviewSenderOf(L".avi"), kSendAvi);
    EXPECT_EQ(PreviewSenderOf(L".gif"), kSendHtml);
    EXPECT_EQ(PreviewSenderOf(L".html"), kSendCustomHtml);
    EXPECT_EQ(PreviewSenderOf(L".htm"), kSendHtml);
}

TEST(PreviewPane, EachRowCreatesItsViewerOrTheNotAvailablePlaceholder)
{
    PreviewHarness& h = Harness();
    const std::wstring png = TempFile(L"tmp1.png");
    ASSERT_TRUE(WriteBytes(png, BmpBytes(40, 30, RGB(200, 0, 0))));  // a BMP named .png still decodes
    const std::wstring html = TempFile(L"tmp1.html");
    const std::string page = "<b>page</b>";
    ASSERT_TRUE(WriteBytes(html, std::vector<uint8_t>(page.begin(), page.end())));
    struct Row {
        std::wstring path, ext;
        PreviewViewer viewer;
    } rows[] = {
        {png, L".png", kViewerImage},
        {SamplePath("make-image-samples.sh", "rgb.ico"), L".ico", kViewerIcon},
        {SamplePath("make-psd-samples.sh", "rgb8-rle.psd"), L".psd", kViewerPsd},
        {L"largefile", L".largefile", kViewerLargeFile},
        {html, L".html", kViewerCustomHtml},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.ext.begin(), row.ext.end()));
        Preview(row.path, row.ext);
        EXPECT_NE(h.pane->Viewer(row.viewer), nullptr);
        EXPECT_EQ(h.pane->Viewer(kViewerNoPreview), nullptr);
        EXPECT_EQ(h.frame->m_bPreviewShown, 1);
        // The file list has the keyboard focus back.
        EXPECT_EQ(::GetFocus(), h.frame->m_resultList.GetSafeHwnd());
    }
    // A row whose program is not installed (".ppt"): "not available", never "corrupt".
    for (const wchar_t* ext : {L".ppt"}) {
        SCOPED_TRACE(std::wstring(ext).size());
        Preview(TempFile(std::wstring(L"tmp2") + ext), ext);
        EXPECT_NE(h.pane->Viewer(kViewerNoPreview), nullptr);
        EXPECT_EQ(ShownPlaceholder(), static_cast<UINT>(IDB_PREVIEW_NOT_AVAILABLE));
    }
    // The other rows create their viewers; a file that is not there is "corrupt".
    struct Missing {
        const wchar_t* ext;
        PreviewViewer viewer;
    } missing[] = {{L".zip", kViewerArchive}, {L".avi", kViewerAvi}, {L".dbf", kViewerDbf}, {L".mdb", kViewerAccess},
        {L".txt", kViewerDocument}, {L".c", kViewerDocument}, {L".dxf", kViewerDxf}, {L".htm", kViewerHtml},
        {L".xls", kViewerHtml}, {L".mp3", kViewerMedia}};
    for (const Missing& m : missing) {
        SCOPED_TRACE(std::string(m.ext, m.ext + wcslen(m.ext)));
        Preview(TempFile(std::wstring(L"tmp2") + m.ext), m.ext);
        EXPECT_NE(h.pane->Viewer(m.viewer), nullptr);
        EXPECT_EQ(ShownPlaceholder(), static_cast<UINT>(IDB_PREVIEW_CORRUPT));
    }
}

TEST(PreviewPane, UpperCaseExtensionsAreLoweredAndThePathToo)
{
    PreviewHarness& h = Harness();
    std::wstring upper = TempFile(L"UPPER.PNG");
    ASSERT_TRUE(WriteBytes(upper, BmpBytes(10, 10, RGB(0, 0, 200))));
    Preview(upper, L".PNG");
    ASSERT_NE(h.pane->m_pImageView, nullptr);
    CString lowered = upper.c_str();
    lowered.MakeLower();
    EXPECT_EQ(h.doc->m_strPreviewPath, lowered);
    EXPECT_EQ(h.frame->m_bPreviewShown, 1);
}

TEST(PreviewPane, NotPreviewableAndNoFileSelected)
{
    PreviewHarness& h = Harness();
    g_strPreviewLocation = L"\\folder\\a.xyz";
    Preview(L"", L"");
    EXPECT_NE(h.pane->m_pNoPreviewView, nullptr);
    EXPECT_TRUE(g_strPreviewLocation.IsEmpty());
    EXPECT_EQ(ShownPlaceholder(), static_cast<UINT>(IDB_PREVIEW_NOT_AVAILABLE));
    h.frame->m_bNoFileSelected = 1;
    EXPECT_EQ(ShownPlaceholder(), static_cast<UINT>(IDB_PREVIEW_SELECT_FILE));
    h.frame->m_bPreviewShown = 0;
    EXPECT_EQ(ShownPlaceholder(), static_cast<UINT>(IDB_PREVIEW_SELECT_FILE));
    h.frame->m_bNoFileSelected = 0;
    EXPECT_EQ(ShownPlaceholder(), static_cast<UINT>(IDB_PREVIEW_CORRUPT));
    h.frame->m_bPreviewShown = 1;
    h.frame->m_bPreviewable = 1;
    EXPECT_EQ(ShownPlaceholder(), static_cast<UINT>(IDB_PREVIEW_CORRUPT));
    h.frame->m_bPreviewable = 0;
}

TEST(PreviewPane, DamagedFilesShowTheCorruptPlaceholderBesideTheirViewer)
{
    PreviewHarness& h = Harness();
    ASSERT_TRUE(WriteBytes(TempFile(L"text.ico"), {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'c', 'o', 'n'}));
    struct Case {
        std::wstring path, ext;
        PreviewViewer viewer;
    } cases[] = {
        {SamplePath("make-image-samples.sh", "truncated-rgb.png"), L".png", kViewerImage},
        {SamplePath("make-image-samples.sh", "empty.png"), L".png", kViewerImage},
        {SamplePath("make-image-samples.sh", "truncated-rgb.jpg"), L".jpg", kViewerImage},
        {SamplePath("make-image-samples.sh", "truncated-lzw.tif"), L".tif", kViewerImage},
        // Cut raw data gives no picture (cut run-length data gives the rows decoded when the cut lies
        // inside the picture, and none when it falls before the first pixel).
        {SamplePath("make-psd-samples.sh", "truncated-rgb8-raw.psd"), L".psd", kViewerPsd},
        {SamplePath("make-psd-samples.sh", "truncated-grey16-raw.psd"), L".psd", kViewerPsd},
        {TempFile(L"missing.psd"), L".psd", kViewerPsd},
        {SamplePath("make-image-samples.sh", "truncated-rgb.ico"), L".ico", kViewerIcon},
        {TempFile(L"text.ico"), L".ico", kViewerIcon},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
        Preview(c.path, c.ext);
        EXPECT_NE(h.pane->Viewer(c.viewer), nullptr);
        EXPECT_EQ(h.frame->m_bPreviewShown, 0);
        ASSERT_NE(h.pane->Viewer(kViewerNoPreview), nullptr);
        EXPECT_EQ(ShownPlaceholder(), static_cast<UINT>(IDB_PREVIEW_CORRUPT));
    }
}

TEST(PreviewPane, TwoPreviewsInARowCloseTheFirstAndLayOutTheSecond)
{
    PreviewHarness& h = Harness();
    std::wstring a = TempFile(L"tmp3.bmp"), b = TempFile(L"tmp4.bmp");
    ASSERT_TRUE(WriteBytes(a, BmpBytes(20, 20, RGB(0, 200, 0))));
    ASSERT_TRUE(WriteBytes(b, BmpBytes(30, 20, RGB(0, 0, 200))));
    Preview(a, L".bmp");
    ASSERT_NE(h.pane->m_pImageView, nullptr);
    HWND first = h.pane->m_pImageView->GetSafeHwnd();
    Preview(b, L".bmp");
    ASSERT_NE(h.pane->m_pImageView, nullptr);
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(h.pane->m_pNoPreviewView, nullptr);
    CRect pane, viewer;
    h.pane->GetClientRect(&pane);
    h.pane->m_pImageView->GetWindowRect(&viewer);
    h.pane->ScreenToClient(&viewer);
    EXPECT_EQ(viewer.left, 0);
    EXPECT_EQ(viewer.top, 35);
    EXPECT_EQ(viewer.Width(), pane.Width());
    EXPECT_EQ(viewer.Height(), pane.Height() - 35);
    EXPECT_EQ(h.pane->m_pImageView->GetDlgCtrlID(), 59648);
}

std::wstring SystemTempFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return temp;
}

// The program's slide folder "ssss" in the temporary folder, and what the calls of one export look
// like.
std::wstring SlideFolder()
{
    const std::wstring folder = static_cast<LPCWSTR>(PreviewSlideFolder());
    EXPECT_EQ(folder, SystemTempFolder() + L"ssss");
    return folder;
}

TEST(PreviewPane, WithoutThePresentationProgramSlidesAreNotAvailable)
{
    PreviewHarness& h = Harness();
    // Slides of an earlier presentation are still there: they do not stay behind.
    const std::wstring folder = SlideFolder();
    CreateDirectoryW(folder.c_str(), NULL);
    ASSERT_TRUE(WriteBytes(folder + L"\\Slide1.GIF", {'G', 'I', 'F'}));
    std::wstring ppt = TempFile(L"tmp5.ppt");
    ASSERT_TRUE(WriteBytes(ppt, {0xD0, 0xCF, 0x11, 0xE0}));
    Preview(ppt, L".ppt");
    EXPECT_EQ(h.frame->m_bPreviewShown, 1);
    EXPECT_NE(h.pane->m_pNoPreviewView, nullptr);
    EXPECT_EQ(h.pane->m_pThumbView, nullptr);
    EXPECT_EQ(ShownPlaceholder(), static_cast<UINT>(IDB_PREVIEW_NOT_AVAILABLE));
    EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileW((folder + L"\\Slide1.GIF").c_str());
    RemoveDirectoryW(folder.c_str());
}

std::wstring Lowered(const std::wstring& path)
{
    return static_cast<LPCWSTR>(CString(path.c_str()).MakeLower());
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring Presentation()
{
    std::wstring ppt = TempFile(L"talk.ppt");
    WriteBytes(ppt, {0xD0, 0xCF, 0x11, 0xE0});
    return ppt;
}

TEST(PreviewPane, SlidesThroughThePresentationProgram)
{
    PreviewHarness& h = Harness();
    // Twelve slides, each of its own colour: rgb(20n, 250 - 20n, 128) for slide n.
    std::vector<std::wstring> pictures;
    for (int n = 1; n <= 12; ++n)
        pictures.push_back(SamplePath("make-image-samples.sh", "slide" + std::to_string(n) + ".gif"));
    // Slides of an earlier presentation are still there: they are not shown.
    const std::wstring folder = SlideFolder();
    CreateDirectoryW(folder.c_str(), NULL);
    ASSERT_TRUE(CopyFileW(pictures[0].c_str(), (folder + L"\\Slide13.GIF").c_str(), FALSE));
    FakePresentationServer program(pictures);
    ASSERT_TRUE(program.Registered());
    const std::wstring ppt = Presentation();
    Preview(ppt, L".ppt");
    EXPECT_EQ(h.frame->m_bPreviewShown, 1);
    ASSERT_NE(h.pane->m_pThumbView, nullptr);
    EXPECT_TRUE(IsWindowVisible(h.pane->m_pThumbView->GetSafeHwnd()));
    CListCtrl& list = h.pane->m_pThumbView->GetListCtrl();
    ASSERT_EQ(list.GetItemCount(), 12);
    ASSERT_EQ(h.pane->m_pThumbView->m_imageList.GetImageCount(), 12);
    // Item "n" shows slide n: slide 10 follows slide 9.
    CImageList& thumbnails = h.pane->m_pThumbView->m_imageList;
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list.GetItemText(i, 0), CString(std::to_wstring(i + 1).c_str()));
        Pixels t = Render(160, 120, [&](CDC* dc) { thumbnails.Draw(dc, i, CPoint(0, 0), ILD_NORMAL); });
        EXPECT_EQ(t.At(80, 60), RGB(20 * (i + 1), 250 - 20 * (i + 1), 128));
    }
    // Opened read-only, untitled, without a window; saved as GIF pictures; the program quits; the
    // slides were shown from the folder, which is gone now; nothing of the program is held.
    const FakePresentationLog& log = program.Log();
    EXPECT_EQ(log.calls,
        (std::vector<std::wstring>{L"Application.Presentations()",
            L"Presentations.Open('" + Lowered(ppt) + L"', 1, 1, 0)",
            L"Presentation.SaveAs('" + folder + L".gif', 16, 0)", L"Application.Quit()"}));
    EXPECT_TRUE(log.folderBeforeSaving.empty());
    EXPECT_FALSE(Exists(folder));
    EXPECT_EQ(log.objects, 0);
    h.pane->CloseViewers();
}

TEST(PreviewPane, APresentationProgramThatFailsLeavesThePlaceholderAndNoSlides)
{
    PreviewHarness& h = Harness();
    FakePresentationServer program({SamplePath("make-image-samples.sh", "rgb.gif")});
    ASSERT_TRUE(program.Registered());
    const std::wstring ppt = Presentation();
    const std::wstring open = L"Presentations.Open('" + Lowered(ppt) + L"', 1, 1, 0)";
    const std::wstring save = L"Presentation.SaveAs('" + SlideFolder() + L".gif', 16, 0)";
    struct Case {
        bool failOpen;
        int failAfterSlides;
        std::vector<std::wstring> calls;
    } cases[] = {
        {true, -1, {L"Application.Presentations()", open, L"Application.Quit()"}},
        {false, 2, {L"Application.Presentations()", open, save, L"Application.Quit()"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failAfterSlides);
        program.Log().calls.clear();
        program.Log().failOpen = c.failOpen;
        program.Log().failAfterSlides = c.failAfterSlides;
        Preview(ppt, L".ppt");
        EXPECT_EQ(program.Log().calls, c.calls);
        // "Not available", never "corrupt"; no slides shown and none left behind.
        EXPECT_EQ(h.frame->m_bPreviewShown, 1);
        EXPECT_EQ(h.pane->m_pThumbView, nullptr);
        EXPECT_EQ(ShownPlaceholder(), static_cast<UINT>(IDB_PREVIEW_NOT_AVAILABLE));
        EXPECT_FALSE(Exists(SlideFolder()));
        EXPECT_EQ(program.Log().objects, 0);
    }
}

TEST(PreviewPane, ATemporaryFolderTooLongToTellMakesNoSlides)
{
    PreviewHarness& h = Harness();
    FakePresentationServer program({SamplePath("make-image-samples.sh", "rgb.gif")});
    ASSERT_TRUE(program.Registered());
    const std::wstring ppt = Presentation();
    // The current directory holds a folder of the slide folder's own name, with a file of the user's.
    const std::wstring here = TempFile(L"current-directory");
    const std::wstring name = SlideFolder().substr(SlideFolder().rfind(L'\\') + 1);
    CreateDirectoryW(here.c_str(), NULL);
    CreateDirectoryW((here + L"\\" + name).c_str(), NULL);
    ASSERT_TRUE(WriteBytes(here + L"\\" + name + L"\\notes.txt", {'m', 'i', 'n', 'e'}));
    {
        TooLongTemporaryFolderScope tooLong(here);
        Preview(ppt, L".ppt");
    }
    // Nothing exported anywhere: the program is not even started, and "not available" shows.
    EXPECT_EQ(program.Log().calls, std::vector<std::wstring>());
    EXPECT_EQ(h.frame->m_bPreviewShown, 1);
    EXPECT_EQ(ShownPlaceholder(), static_cast<UINT>(IDB_PREVIEW_NOT_AVAILABLE));
    EXPECT_EQ(FolderFiles(here + L"\\" + name), std::vector<std::wstring>{L"notes.txt"});
}

}  // namespace
}  // namespace morvick::test
