// The CAD view over ezdxf's drawings through our DXF.dll: loading under the progress window,
// fitting, painting, wheel zoom and drag pan, and the files it refuses.
#include "preview/win/cad/DxfView.h"
#include "tests/preview/win/PreviewHarness.h"

#include <gtest/gtest.h>

namespace morvick::test {
namespace {

const char kDrawings[] = "make-dxf-samples.sh";

CDFXView* CadView()
{
    return dynamic_cast<CDFXView*>(Harness().pane->Viewer(kViewerDxf));
}

bool ShowsPlaceholder()
{
    CView* placeholder = Harness().pane->Viewer(kViewerNoPreview);
    return placeholder != NULL && ::IsWindowVisible(placeholder->GetSafeHwnd());
}

// The canvas as it paints itself.
Pixels Canvas()
{
    CDxfCanvas& canvas = CadView()->Canvas();
    CRect rc;
    canvas.GetClientRect(&rc);
    return Render(rc.Width(), rc.Height(), [&](CDC* dc) { canvas.PaintTo(dc); });
}

int CountColour(const Pixels& p, COLORREF colour)
{
    int n = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            n += p.At(x, y) == colour;
    return n;
}

morvick::DxfViewProperties View()
{
    morvick::DxfViewProperties view;
    EXPECT_TRUE(CadView()->Library().GetViewProperties(view));
    return view;
}

TEST(CadView, DrawingsOfEveryVersionAreFittedAndPainted)
{
    for (const char* name : {"R12.dxf", "R2000.dxf", "R2018.dxf"}) {
        SCOPED_TRACE(name);
        Preview(SamplePath(kDrawings, name), L".dxf");
        ASSERT_NE(CadView(), nullptr);
        EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
        EXPECT_TRUE(CadView()->Library().IsLoaded());
        EXPECT_TRUE(CadView()->Library().IsReady());
        // The canvas fills the view; the view's window is the library's window.
        CRect view, canvas;
        CadView()->GetClientRect(&view);
        CadView()->Canvas().GetClientRect(&canvas);
        EXPECT_EQ(canvas.Size(), view.Size());
        morvick::DxfViewProperties props = View();
        EXPECT_EQ(props.right, view.Width());
        EXPECT_EQ(props.bottom, view.Height());
        EXPECT_DOUBLE_EQ(props.zoom, 1.0);
        Pixels p = Canvas();
        EXPECT_EQ(p.At(0, 0), RGB(0, 0, 0));
        EXPECT_GT(CountColour(p, RGB(255, 0, 0)), 50);   // the line on layer RED
        EXPECT_GT(CountColour(p, RGB(0, 255, 0)), 100);  // the solid's fill
        EXPECT_GT(CountColour(p, RGB(255, 255, 255)), 200);
    }
    // The window closed the progress window and is enabled again.
    EXPECT_TRUE(CadView()->IsWindowEnabled());
}

TEST(CadView, WheelZoomsAboutTheCentreAndDraggingPans)
{
    Preview(SamplePath(kDrawings, "lines.dxf"), L".dxf");
    ASSERT_NE(CadView(), nullptr);
    double start = View().zoom;
    for (int i = 0; i < 3; ++i)
        CadView()->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_NEAR(View().zoom, start * 3.375, 1e-9);
    CadView()->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_NEAR(View().zoom, start * 2.25, 1e-9);
    // Dragging with the middle button, then with the left: the drawing follows the mouse.
    CDxfCanvas& canvas = CadView()->Canvas();
    for (UINT down : {WM_MBUTTONDOWN, WM_LBUTTONDOWN}) {
        morvick::DxfViewProperties before = View();
        canvas.SendMessage(down, 0, MAKELPARAM(100, 100));
        EXPECT_TRUE(canvas.IsDragging());
        canvas.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(130, 90));
        canvas.SendMessage(down == WM_MBUTTONDOWN ? WM_MBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(130, 90));
        EXPECT_FALSE(canvas.IsDragging());
        morvick::DxfViewProperties after = View();
        double k = 1.0 / (after.zoom * after.pixelsPerUnit);
        EXPECT_NEAR(after.originX, before.originX - 30 * k, 1e-9);
        EXPECT_NEAR(after.originY, before.originY - 10 * k, 1e-9);
    }
    // A resize fits the whole drawing again.
    CRect pane;
    Harness().pane->GetWindowRect(&pane);
    Harness().frame->ScreenToClient(&pane);
    Harness().pane->MoveWindow(pane.left, pane.top, pane.Width() - 10, pane.Height(), TRUE);
    EXPECT_DOUBLE_EQ(View().zoom, 1.0);
    Harness().pane->MoveWindow(&pane, TRUE);
    // Zoom levels beyond the accepted range are not taken.
    for (int i = 0; i < 60; ++i)
        CadView()->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_LE(View().zoom, morvick::kDxfMaxZoom);
    EXPECT_TRUE(morvick::DxfViewUsable(View()));
}

// A drawing of one long line and one text at the given angle (as written in the file), the text
// well inside the line's extents at any angle, so that the drawing is fitted the same at every
// angle.
std::wstring TextDrawing(const std::wstring& name, const std::string& rotation)
{
    std::string dxf = "0\nSECTION\n2\nHEADER\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
                      "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1000\n21\n600\n"
                      "0\nTEXT\n8\n0\n10\n500\n20\n300\n40\n20\n50\n" +
        rotation + "\n1\nAngled text\n0\nENDSEC\n0\nEOF\n";
    std::wstring path = TempFile(name);
    EXPECT_TRUE(WriteBytes(path, std::vector<uint8_t>(dxf.begin(), dxf.end())));
    return path;
}

Pixels ShownDrawing(const std::wstring& path)
{
    Preview(path, L".dxf");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    return CadView() != nullptr ? Canvas() : Pixels();
}

TEST(CadView, HostileTextAnglesAreTakenWithinOneTurn)
{
    // 1e20 degrees is 280 degrees and some whole turns; 1e300 is whole turns only. Either drawn at
    // the angle within one turn, pixel for pixel.
    struct Case {
        const char* hostile;
        const char* within;
    } cases[] = {{"1e20", "280"}, {"1e300", "0"}, {"-1e300", "0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hostile);
        Pixels hostile = ShownDrawing(TextDrawing(L"angle-hostile.dxf", c.hostile));
        Pixels within = ShownDrawing(TextDrawing(L"angle-within.dxf", c.within));
        ASSERT_GT(hostile.width, 0);
        EXPECT_TRUE(hostile.data == within.data);
    }
    // The text is drawn and its angle shows.
    EXPECT_FALSE(ShownDrawing(TextDrawing(L"angle-other.dxf", "90")).data ==
        ShownDrawing(TextDrawing(L"angle-within.dxf", "0")).data);
}

TEST(CadView, DrawingsOnPathsTheAnsiCodePageCannotSpell)
{
    // A folder and a file named in Japanese and Russian, short enough to have no other short name.
    const std::wstring folder = TempFile(L"\u56f3\u9762");
    CreateDirectoryW(folder.c_str(), NULL);
    const std::wstring path = folder + L"\\\u0427\u0435\u0440.dxf";
    std::wstring sample = SamplePath(kDrawings, "R2000.dxf");
    ASSERT_TRUE(CopyFileW(sample.c_str(), path.c_str(), FALSE));
    char ansi[MAX_PATH];
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, ansi, MAX_PATH, NULL, &lossy);
    EXPECT_TRUE(lossy) << "the path has an ANSI form";
    Preview(path, L".dxf");
    ASSERT_NE(CadView(), nullptr);
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_GT(CountColour(Canvas(), RGB(255, 0, 0)), 50);

    // The library itself: the wide loader, and the ANSI one for its other callers.
    HMODULE dxf = LoadLibraryW(L"DXF.dll");
    ASSERT_NE(dxf, nullptr);
    auto create = reinterpret_cast<DrwCreateFn>(GetProcAddress(dxf, "drwCreate"));
    auto destroy = reinterpret_cast<DrwDestroyFn>(GetProcAddress(dxf, "drwDestroy"));
    auto loadWide = reinterpret_cast<DrwLoadWideFn>(GetProcAddress(dxf, "drwLoadDataFromFileW"));
    auto loadAnsi = reinterpret_cast<DrwLoadFn>(GetProcAddress(dxf, "drwLoadDataFromFile"));
    ASSERT_NE(loadWide, nullptr);
    ASSERT_NE(loadAnsi, nullptr);
    HDRAWING drawing = create();
    EXPECT_TRUE(loadWide(drawing, 0, 0, path.c_str(), NULL));
    EXPECT_FALSE(loadWide(drawing, 0, 0, (folder + L"\\absent.dxf").c_str(), NULL));
    std::string narrow(sample.begin(), sample.end());
    EXPECT_TRUE(loadAnsi(drawing, 0, 0, narrow.c_str(), NULL));
    destroy(drawing);
    FreeLibrary(dxf);
    Harness().pane->CloseViewers();
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(CadView, FilesThatAreRefused)
{
    // No header section in the first 511 bytes; not a drawing at all; not there.
    for (const char* name : {"no-header.dxf"}) {
        Preview(SamplePath(kDrawings, name), L".dxf");
        EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
        EXPECT_TRUE(ShowsPlaceholder());
    }
    std::wstring text = TempFile(L"text.dxf");
    WriteBytes(text, {'h', 'e', 'l', 'l', 'o'});
    Preview(text, L".dxf");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    Preview(TempFile(L"absent.dxf"), L".dxf");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    EXPECT_TRUE(ShowsPlaceholder());
    // Found by File Trace: refused.
    Harness().frame->m_nScanMode = 1;
    Preview(SamplePath(kDrawings, "R2000.dxf"), L".dxf");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 0);
    Harness().frame->m_nScanMode = 2;
    // Damaged part way: what was read before the damage shows.
    Preview(SamplePath(kDrawings, "damaged.dxf"), L".dxf");
    EXPECT_EQ(Harness().frame->m_bPreviewShown, 1);
    EXPECT_TRUE(CDFXView::LooksLikeDxf("0\nSECTION\n2\nHEADER\n", 20));
    EXPECT_FALSE(CDFXView::LooksLikeDxf("0\nsection\n2\nheader\n", 20));
}

}  // namespace
}  // namespace morvick::test
