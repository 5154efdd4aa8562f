// The button image editor: its tools on the picture's cells, the undo history, the colour cells,
// moving, the clipboard, importing picture files, and an image edited from the customise sheet,
// stored as the button's own image and kept through the saved layout.
#include <gtest/gtest.h>

#include "res/commandbars-customize.h"
#include "tests/toolkit/commandbars/Bars3TestSupport.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/base/Dib32.h"
#include "toolkit/base/ImageManager.h"
#include "toolkit/commandbars/CommandBars.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/Controls.h"
#include "toolkit/commandbars/ToolBar.h"
#include "toolkit/commandbars/customize/CustomizeSheet.h"
#include "toolkit/commandbars/customize/ImageEditorDialog.h"

#include <cstdlib>
#include <functional>
#include <string>

namespace {

const COLORREF kClear = CTKPEditorPicture::kTransparent;

class ImageEditorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_pOwner = new CBars3Frame;
        ASSERT_TRUE(s_pOwner->CreateBars3Frame());
    }
    static void TearDownTestSuite()
    {
        s_pOwner->DestroyWindow();
        s_pOwner = nullptr;
    }
    void SetUp() override
    {
        m_pDialog = new CTKPImageEditorDialog;
        ASSERT_TRUE(m_pDialog->CreateModeless(s_pOwner));
    }
    void TearDown() override
    {
        m_pDialog->DestroyWindow();
        delete m_pDialog;
    }
    CTKPImageEditorCanvas& Canvas() { return m_pDialog->GetCanvas(); }
    COLORREF Pixel(int x, int y)
    {
        CTKPEditorPicture* pPicture = Canvas().GetPicture();
        return pPicture != nullptr ? pPicture->GetPixel(x, y) : kClear;
    }
    void Click(int x, int y)
    {
        Canvas().PressCell(CPoint(x, y));
        Canvas().EndStroke();
    }
    void Stroke(CPoint from, CPoint to)
    {
        Canvas().PressCell(from);
        Canvas().DragToCell(to);
        Canvas().EndStroke();
    }
    void Pick(UINT nID) { m_pDialog->GetPicker(nID)->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0); }
    BOOL ButtonChecked(HWND hToolbar, UINT nID) { return (BOOL)::SendMessageW(hToolbar, TB_ISBUTTONCHECKED, nID, 0); }
    BOOL ButtonEnabled(HWND hToolbar, UINT nID) { return (BOOL)::SendMessageW(hToolbar, TB_ISBUTTONENABLED, nID, 0); }

    static CBars3Frame* s_pOwner;
    CTKPImageEditorDialog* m_pDialog = nullptr;
};
CBars3Frame* ImageEditorTest::s_pOwner = nullptr;

TEST_F(ImageEditorTest, OpensWithBlackThePencilAndWholeCells)
{
    EXPECT_EQ(CSize(16, 16), Canvas().GetPictureSize());
    EXPECT_EQ(nullptr, Canvas().GetPicture());
    EXPECT_EQ(RGB(0, 0, 0), m_pDialog->GetSelectedColor());
    EXPECT_EQ(m_pDialog->GetPicker(IDS_TKP_COLOR_BLACK), m_pDialog->GetSelectedPicker());
    EXPECT_EQ(CTKPImageEditorCanvas::toolPencil, m_pDialog->GetTool());
    CRect rc;
    Canvas().GetClientRect(&rc);
    EXPECT_EQ(rc.Width(), Canvas().GetCellSize().cx * 16);
    EXPECT_EQ(rc.Height(), Canvas().GetCellSize().cy * 16);
    EXPECT_TRUE(ButtonChecked(m_pDialog->GetToolsToolbar(), ID_TKP_EDITOR_PENCIL));
    EXPECT_FALSE(ButtonEnabled(m_pDialog->GetToolsToolbar(), ID_TKP_EDITOR_UNDO));
    EXPECT_EQ(12, (int)::SendMessageW(m_pDialog->GetToolsToolbar(), TB_BUTTONCOUNT, 0, 0));
    EXPECT_EQ(4, (int)::SendMessageW(m_pDialog->GetMovesToolbar(), TB_BUTTONCOUNT, 0, 0));
}

TEST_F(ImageEditorTest, PencilDrawsAndASecondClickErases)
{
    Click(3, 4);
    EXPECT_EQ(RGB(0, 0, 0), Pixel(3, 4));
    EXPECT_EQ(kClear, Pixel(4, 4));
    Click(3, 4);
    EXPECT_EQ(kClear, Pixel(3, 4));
    // A stroke through the real mouse messages of the canvas.
    Pick(IDS_TKP_COLOR_RED);
    const CSize cell = Canvas().GetCellSize();
    Canvas().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.cx * 5 + 1, cell.cy * 5 + 1));
    Canvas().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(cell.cx * 6 + 1, cell.cy * 5 + 1));
    Canvas().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(cell.cx * 6 + 1, cell.cy * 5 + 1));
    EXPECT_FALSE(Canvas().IsTracking());
    EXPECT_EQ(RGB(255, 0, 0), Pixel(5, 5));
    EXPECT_EQ(RGB(255, 0, 0), Pixel(6, 5));
    EXPECT_EQ(3, Canvas().GetUndoCount());
}

TEST_F(ImageEditorTest, ShapesAndFill)
{
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_LINE);
    EXPECT_EQ(CTKPImageEditorCanvas::toolLine, m_pDialog->GetTool());
    Stroke(CPoint(0, 0), CPoint(4, 0));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(3, 0));
    EXPECT_EQ(kClear, Pixel(4, 0));  // the end cell is left out

    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_RECTANGLE);
    Stroke(CPoint(6, 6), CPoint(2, 2));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(2, 2));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(6, 6));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(6, 4));
    EXPECT_EQ(kClear, Pixel(4, 4));

    // Fill inside the rectangle only.
    Pick(IDS_TKP_COLOR_BLUE);
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_FILL);
    Click(4, 4);
    EXPECT_EQ(RGB(0, 0, 255), Pixel(4, 4));
    EXPECT_EQ(RGB(0, 0, 255), Pixel(3, 5));
    EXPECT_EQ(kClear, Pixel(8, 8));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(2, 2));

    // The ellipse's inside is transparent.
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_ELLIPSE);
    Stroke(CPoint(8, 8), CPoint(15, 15));
    EXPECT_EQ(RGB(0, 0, 255), Pixel(11, 8));
    EXPECT_EQ(kClear, Pixel(11, 11));
}

TEST_F(ImageEditorTest, StrokesPastTheCanvasEdgeKeepTheirCourse)
{
    const COLORREF kBlack = RGB(0, 0, 0);
    // A line aimed at a cell off the picture keeps its slope up to the edge.
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_LINE);
    Stroke(CPoint(0, 0), CPoint(32, 16));
    EXPECT_EQ(kBlack, Pixel(10, 5));
    EXPECT_EQ(kBlack, Pixel(14, 7));
    EXPECT_EQ(kClear, Pixel(10, 10));
    EXPECT_EQ(kClear, Pixel(15, 15));

    // Through the mouse: a point just left of the canvas lies in the cell left of the picture, so a
    // line to it takes in the picture's first cell.
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_CLEAR);
    const CSize cell = Canvas().GetCellSize();
    Canvas().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.cx * 8, 1));
    Canvas().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-1, 1));
    Canvas().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(-1, 1));
    EXPECT_EQ(kBlack, Pixel(0, 0));
    EXPECT_EQ(kBlack, Pixel(8, 0));

    // The pencil sets nothing while it is off the picture.
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_CLEAR);
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_PENCIL);
    Stroke(CPoint(15, 3), CPoint(20, 5));
    EXPECT_EQ(kBlack, Pixel(15, 3));
    EXPECT_EQ(kClear, Pixel(15, 5));
}

TEST_F(ImageEditorTest, ColourPickerHandsBackToThePreviousTool)
{
    Pick(IDS_TKP_COLOR_TEAL);
    Click(1, 1);
    Pick(IDS_TKP_COLOR_BLACK);
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_LINE);
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_PICKCOLOR);
    m_pDialog->UpdateToolbars();
    EXPECT_TRUE(ButtonChecked(m_pDialog->GetToolsToolbar(), ID_TKP_EDITOR_PICKCOLOR));
    Click(1, 1);
    EXPECT_EQ(m_pDialog->GetPicker(IDC_TKP_EDITOR_MORECOLORS), m_pDialog->GetSelectedPicker());
    EXPECT_EQ(RGB(0, 128, 128), m_pDialog->GetSelectedColor());
    EXPECT_EQ(CTKPImageEditorCanvas::toolLine, m_pDialog->GetTool());
    Stroke(CPoint(0, 3), CPoint(3, 3));
    EXPECT_EQ(RGB(0, 128, 128), Pixel(2, 3));
    // The transparent cell draws transparent.
    Pick(IDC_TKP_EDITOR_TRANSPARENT);
    Stroke(CPoint(0, 3), CPoint(3, 3));
    EXPECT_EQ(kClear, Pixel(2, 3));
}

TEST_F(ImageEditorTest, SixteenStepsOfUndoAndRedoEmptiedByANewChange)
{
    for (int i = 0; i < 20; ++i)
        Click(i % 16, i / 16);
    EXPECT_EQ(16, Canvas().GetUndoCount());
    int nUndone = 0;
    while (Canvas().CanUndo()) {
        m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_UNDO);
        ++nUndone;
    }
    EXPECT_EQ(16, nUndone);
    // The first four pixels stay: their changes fell out of the history.
    EXPECT_EQ(RGB(0, 0, 0), Pixel(3, 0));
    EXPECT_EQ(kClear, Pixel(4, 0));
    m_pDialog->UpdateToolbars();
    EXPECT_FALSE(ButtonEnabled(m_pDialog->GetToolsToolbar(), ID_TKP_EDITOR_UNDO));
    EXPECT_TRUE(ButtonEnabled(m_pDialog->GetToolsToolbar(), ID_TKP_EDITOR_REDO));
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_REDO);
    EXPECT_EQ(RGB(0, 0, 0), Pixel(4, 0));
    EXPECT_TRUE(Canvas().CanRedo());
    Click(9, 9);
    EXPECT_FALSE(Canvas().CanRedo());
}

TEST_F(ImageEditorTest, MoveClearAndTheClipboard)
{
    Click(0, 0);
    Click(5, 5);
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_MOVE_RIGHT);
    EXPECT_EQ(kClear, Pixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(1, 0));
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_MOVE_DOWN);
    EXPECT_EQ(RGB(0, 0, 0), Pixel(6, 6));
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_MOVE_UP);
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_MOVE_LEFT);
    EXPECT_EQ(RGB(0, 0, 0), Pixel(0, 0));

    // Copied with the transparent pixels in the button face, pasted back after a clear.
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_COPY);
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_CLEAR);
    EXPECT_EQ(nullptr, Canvas().GetPicture());
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_PASTE);
    EXPECT_EQ(RGB(0, 0, 0), Pixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 0), Pixel(5, 5));
    EXPECT_EQ(kClear, Pixel(7, 7));

    // With no picture Copy puts the empty one: the button face all over, clear again when pasted.
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_CLEAR);
    ASSERT_EQ(nullptr, Canvas().GetPicture());
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_COPY);
    ASSERT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    ASSERT_TRUE(::OpenClipboard(NULL));
    HBITMAP hCopied = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    BITMAP bm = {};
    ASSERT_TRUE(hCopied != NULL && ::GetObjectW(hCopied, sizeof(bm), &bm) != 0);
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hCopied);
    const COLORREF clrCorner = ::GetPixel(hdc, 0, 0), clrMiddle = ::GetPixel(hdc, 8, 8);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ::CloseClipboard();
    EXPECT_EQ(bm.bmWidth, 16);
    EXPECT_EQ(bm.bmHeight, 16);
    EXPECT_EQ(clrCorner, GetColorManager()->GetColor(COLOR_BTNFACE));
    EXPECT_EQ(clrMiddle, GetColorManager()->GetColor(COLOR_BTNFACE));
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_PASTE);
    ASSERT_NE(nullptr, Canvas().GetPicture());
    EXPECT_EQ(kClear, Pixel(0, 0));
    EXPECT_EQ(kClear, Pixel(8, 8));
}

TEST_F(ImageEditorTest, APictureWithAlphaComesBackFromTheClipboardWithItsAlpha)
{
    // Straight alpha, top-down: a half-transparent red pixel, an opaque blue one, the rest clear.
    void* pvBits = nullptr;
    HBITMAP hAlpha = TKPCreateDib32(16, -16, &pvBits);
    ASSERT_NE(nullptr, hAlpha);
    DWORD* pBits = static_cast<DWORD*>(pvBits);
    for (int i = 0; i < 16 * 16; ++i)
        pBits[i] = 0;
    pBits[2 * 16 + 2] = 0x80FF0000;
    pBits[3 * 16 + 3] = 0xFF0000FF;
    CTKPIconHandle image(hAlpha);

    CTKPImageEditorDialog dialog;
    dialog.SetImage(image);
    ASSERT_TRUE(dialog.CreateModeless(s_pOwner));
    CTKPImageEditorCanvas& canvas = dialog.GetCanvas();
    ASSERT_NE(nullptr, canvas.GetPicture());
    ASSERT_TRUE(canvas.GetPicture()->HasAlpha());

    dialog.SendMessage(WM_COMMAND, ID_TKP_EDITOR_COPY);
    EXPECT_TRUE(::IsClipboardFormatAvailable(CTKPImageManager::GetAlphaBitmapFormat()));
    dialog.SendMessage(WM_COMMAND, ID_TKP_EDITOR_CLEAR);
    EXPECT_EQ(nullptr, canvas.GetPicture());
    dialog.SendMessage(WM_COMMAND, ID_TKP_EDITOR_PASTE);
    CTKPEditorPicture* pPasted = canvas.GetPicture();
    ASSERT_NE(nullptr, pPasted);
    EXPECT_TRUE(pPasted->HasAlpha());
    EXPECT_EQ(RGB(255, 0, 0), pPasted->GetPixel(2, 2));
    EXPECT_EQ(0x80, pPasted->GetAlpha(2, 2));
    EXPECT_EQ(RGB(0, 0, 255), pPasted->GetPixel(3, 3));
    EXPECT_EQ(0xFF, pPasted->GetAlpha(3, 3));
    EXPECT_EQ(0, pPasted->GetAlpha(8, 8));
    EXPECT_EQ(kClear, pPasted->GetPixel(8, 8));
    dialog.DestroyWindow();
    ::DeleteObject(hAlpha);
}

TEST_F(ImageEditorTest, ABitmapOfAnySizePastesItsTopLeftPart)
{
    // Larger than any picture the editor makes, without and with alpha (top-down, straight alpha).
    auto put = [](int cx, int cy, std::function<DWORD(int, int)> pixel, bool bAlphaMarker) {
        void* pvBits = nullptr;
        HBITMAP hBitmap = TKPCreateDib32(cx, -cy, &pvBits);
        ASSERT_NE(nullptr, hBitmap);
        DWORD* pBits = static_cast<DWORD*>(pvBits);
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                pBits[y * cx + x] = pixel(x, y);
        ASSERT_TRUE(::OpenClipboard(NULL));
        ::EmptyClipboard();
        if (::SetClipboardData(CF_BITMAP, hBitmap) == NULL)
            ::DeleteObject(hBitmap);
        if (bAlphaMarker) {
            HGLOBAL hMarker = ::GlobalAlloc(GMEM_MOVEABLE, 1);
            if (::SetClipboardData(CTKPImageManager::GetAlphaBitmapFormat(), hMarker) == NULL)
                ::GlobalFree(hMarker);
        }
        ::CloseClipboard();
    };

    put(300, 300, [](int x, int y) -> DWORD { return x == 2 && y == 3 ? 0xFF0000 : 0x0000FF; }, false);
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_PASTE);
    ASSERT_NE(nullptr, Canvas().GetPicture());
    EXPECT_EQ(1, Canvas().GetUndoCount());
    EXPECT_FALSE(Canvas().GetPicture()->HasAlpha());
    EXPECT_EQ(RGB(255, 0, 0), Pixel(2, 3));
    EXPECT_EQ(RGB(0, 0, 255), Pixel(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), Pixel(15, 15));

    put(400, 10, [](int x, int y) -> DWORD { return x == 5 && y == 1 ? 0x8000FF00 : x == 6 ? 0xFFFF0000 : 0; },
        true);
    m_pDialog->SendMessage(WM_COMMAND, ID_TKP_EDITOR_PASTE);
    CTKPEditorPicture* pPasted = Canvas().GetPicture();
    ASSERT_NE(nullptr, pPasted);
    ASSERT_TRUE(pPasted->HasAlpha());
    EXPECT_EQ(RGB(0, 255, 0), pPasted->GetPixel(5, 1));
    EXPECT_EQ(0x80, pPasted->GetAlpha(5, 1));
    EXPECT_EQ(RGB(255, 0, 0), pPasted->GetPixel(6, 9));
    EXPECT_EQ(0xFF, pPasted->GetAlpha(6, 9));
    EXPECT_EQ(kClear, pPasted->GetPixel(0, 0));
    // Below the bitmap the picture stays clear.
    EXPECT_EQ(0, pPasted->GetAlpha(6, 10));
    EXPECT_EQ(kClear, pPasted->GetPixel(6, 10));
}

TEST_F(ImageEditorTest, ImportsIconsByExtensionInAnyCaseAndRefusesUnreadableFiles)
{
    // The test icon holds a 16 x 16 image (a green square on a clear ground) and a 32 x 32 one (all
    // blue): read as an icon of the picture's size, it gives the first; a general picture reader
    // takes the second.
    const char* pszBinary = std::getenv("MORVICK_BINARY_DIR");
    ASSERT_NE(nullptr, pszBinary);
    WCHAR szTemp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szTemp);
    const std::wstring strIcon = std::wstring(szTemp) + L"EDITOR.ICO";
    const std::string strArtIcon = std::string(pszBinary) + "/tests/toolkit/commandbars/art/bars3-import.ico";
    WCHAR szArtIcon[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_UTF8, 0, strArtIcon.c_str(), -1, szArtIcon, MAX_PATH);
    WCHAR szDosPath[MAX_PATH] = {};
    // The build folder is a Unix path: reach it through Wine's drive Z:.
    wsprintfW(szDosPath, L"Z:%s", szArtIcon);
    ASSERT_TRUE(::CopyFileW(szDosPath, strIcon.c_str(), FALSE));
    EXPECT_TRUE(m_pDialog->ImportFile(strIcon.c_str()));
    ::DeleteFileW(strIcon.c_str());
    ASSERT_NE(nullptr, Canvas().GetPicture());
    int nGreen = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            nGreen += Pixel(x, y) == RGB(0, 160, 0);
    EXPECT_EQ(64, nGreen);
    EXPECT_EQ(kClear, Pixel(1, 1));
    EXPECT_EQ(kClear, Pixel(14, 14));

    // A file that is no picture changes nothing.
    const std::wstring strBad = std::wstring(szTemp) + L"editor-bad.gif";
    HANDLE hFile = ::CreateFileW(strBad.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD dwWritten = 0;
    ::WriteFile(hFile, "not a picture", 13, &dwWritten, NULL);
    ::CloseHandle(hFile);
    const int nUndo = Canvas().GetUndoCount();
    EXPECT_FALSE(m_pDialog->ImportFile(strBad.c_str()));
    EXPECT_EQ(nUndo, Canvas().GetUndoCount());
    ::DeleteFileW(strBad.c_str());
}

TEST_F(ImageEditorTest, ResultIsAnIconOfThePictureOrNothing)
{
    HBITMAP hAlpha = NULL;
    HICON hIcon = NULL;
    m_pDialog->GetResult(&hAlpha, &hIcon);
    EXPECT_EQ(nullptr, hAlpha);
    EXPECT_EQ(nullptr, hIcon);
    Click(2, 2);
    m_pDialog->GetResult(&hAlpha, &hIcon);
    EXPECT_EQ(nullptr, hAlpha);
    ASSERT_NE(nullptr, hIcon);
    CTKPEditorPicture* pBack = CTKPEditorPicture::FromIcon(hIcon);
    ASSERT_NE(nullptr, pBack);
    EXPECT_EQ(RGB(0, 0, 0), pBack->GetPixel(2, 2));
    EXPECT_EQ(kClear, pBack->GetPixel(3, 3));  // masked out of the icon
    delete pBack;
    ::DestroyIcon(hIcon);
}

TEST_F(ImageEditorTest, ASizeWithoutPixelsIsRefusedAndTheEditorKeepsWholeCells)
{
    CTKPImageEditorDialog dialog;
    dialog.SetPictureSize(CSize(0, 16));
    dialog.SetPictureSize(CSize(24, -1));
    EXPECT_EQ(CSize(16, 16), dialog.GetPictureSize());
    ASSERT_TRUE(dialog.CreateModeless(s_pOwner));
    EXPECT_EQ(CSize(16, 16), dialog.GetCanvas().GetPictureSize());
    CRect rc;
    dialog.GetCanvas().GetClientRect(&rc);
    EXPECT_EQ(rc.Width(), dialog.GetCanvas().GetCellSize().cx * 16);
    dialog.DestroyWindow();
}

// The normal image of an icon of the image manager as a picture.
CTKPEditorPicture* PictureOf(CTKPImageIcon* pIcon)
{
    CTKPIconHandle& image = pIcon->GetIcon();
    return image.IsAlpha() ? CTKPEditorPicture::FromAlphaBitmap(image.GetBitmap())
                           : CTKPEditorPicture::FromIcon(image.GetIcon());
}

// Runs fn on the editor once it is open inside the modal loop of the sheet's command.
class EditorAnswer {
public:
    explicit EditorAnswer(std::function<void(CTKPImageEditorDialog*)> fn)
    {
        s_fn = fn;
        s_bDone = false;
        m_nTimer = ::SetTimer(NULL, 0, 10, &EditorAnswer::OnTimer);
    }
    ~EditorAnswer() { ::KillTimer(NULL, m_nTimer); }
    static bool s_bDone;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_bDone)
            return;
        HWND hEditor = ::FindWindowW(NULL, L"Button Editor");
        CWnd* pWnd = hEditor != NULL ? CWnd::FromHandlePermanent(hEditor) : nullptr;
        if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CTKPImageEditorDialog)))
            return;
        s_bDone = true;
        s_fn(static_cast<CTKPImageEditorDialog*>(pWnd));
    }
    static std::function<void(CTKPImageEditorDialog*)> s_fn;
    UINT_PTR m_nTimer;
};
bool EditorAnswer::s_bDone = false;
std::function<void(CTKPImageEditorDialog*)> EditorAnswer::s_fn;

TEST(ImageEditorSheetTest, EditedImageBecomesTheButtonsOwnAndSurvivesTheSavedLayout)
{
    CBars3Frame* pFrame = new CBars3Frame;
    ASSERT_TRUE(pFrame->CreateBars3Frame());
    CTKPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->m_bCustomizeAvail = TRUE;
    CTKPCustomizeSheet* pSheet = new CTKPCustomizeSheet(pCommandBars, pFrame);
    ASSERT_TRUE(pSheet->Create(pFrame));
    CTKPControl* p102 = pFrame->GetToolBar()->GetControl(2);
    ASSERT_EQ(102, p102->GetID());
    pCommandBars->SetDragControl(p102);
    {
        EditorAnswer answer([](CTKPImageEditorDialog* pEditor) {
            // The button's own picture is open: draw a red pixel in the corner and save.
            pEditor->GetPicker(IDS_TKP_COLOR_RED)->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
            pEditor->GetCanvas().PressCell(CPoint(0, 0));
            pEditor->GetCanvas().EndStroke();
            pEditor->SendMessage(WM_COMMAND, IDOK);
        });
        pSheet->ExecuteCommand(ID_TKP_CUSTOMIZE_EDITIMAGE);
        EXPECT_TRUE(EditorAnswer::s_bDone);
    }
    const int nCustom = p102->GetCustomIconId();
    ASSERT_GT(nCustom, 0);
    CTKPImageIcon* pIcon = pCommandBars->GetImageManager()->GetImage((UINT)nCustom, 16);
    ASSERT_NE(nullptr, pIcon);
    CTKPEditorPicture* pSaved = PictureOf(pIcon);
    ASSERT_NE(nullptr, pSaved);
    EXPECT_EQ(RGB(255, 0, 0), pSaved->GetPixel(0, 0));
    delete pSaved;
    pSheet->DestroyWindow();
    delete pSheet;
    pCommandBars->SaveLayout(L"EditorTest");
    // The image in memory is overwritten: only the saved layout can bring the red pixel back.
    {
        CTKPEditorPicture* pBlank = CTKPEditorPicture::Create(16, 16);
        HICON hBlank = NULL;
        ICONINFO info = {};
        info.fIcon = TRUE;
        info.hbmColor = pBlank->GetBitmap();
        info.hbmMask = ::CreateBitmap(16, 16, 1, 1, NULL);
        hBlank = ::CreateIconIndirect(&info);
        ::DeleteObject(info.hbmMask);
        delete pBlank;
        CTKPIconHandle blank;
        blank.AssignIcon(hBlank);
        pCommandBars->GetImageManager()->SetIcon(blank, (UINT)nCustom, CSize(16, 16));
    }

    CBars3Frame* pOther = new CBars3Frame;
    ASSERT_TRUE(pOther->CreateBars3Frame());
    pOther->GetCommandBars()->m_bCustomizeAvail = TRUE;
    pOther->GetCommandBars()->LoadLayout(L"EditorTest");
    CTKPControl* pRestored = pOther->GetToolBar()->GetControl(2);
    ASSERT_GT(pRestored->GetCustomIconId(), 0);
    CTKPImageIcon* pRestoredIcon =
        pOther->GetCommandBars()->GetImageManager()->GetImage((UINT)pRestored->GetCustomIconId(), 16);
    ASSERT_NE(nullptr, pRestoredIcon);
    CTKPEditorPicture* pLoaded = PictureOf(pRestoredIcon);
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(RGB(255, 0, 0), pLoaded->GetPixel(0, 0));
    delete pLoaded;
    pOther->DestroyWindow();
    pFrame->DestroyWindow();
    AfxGetApp()->WriteProfileString(L"EditorTest-Controls", NULL, NULL);
}

TEST(ImageEditorSheetTest, AStoredIconSizeWithoutPixelsNeverReachesTheEditor)
{
    CBars3Frame* pFrame = new CBars3Frame;
    ASSERT_TRUE(pFrame->CreateBars3Frame());
    CTKPCommandBars* pCommandBars = pFrame->GetCommandBars();
    pCommandBars->m_bCustomizeAvail = TRUE;
    CTKPToolBar* pBar = pFrame->GetToolBar();

    // A bar saved with an icon size of no width loads with the default size.
    pBar->SetIconSize(CSize(0, 16));
    CTKPToolBar* pLoaded = new CTKPToolBar;
    ASSERT_TRUE(RoundTripBar(pBar, pLoaded, pCommandBars));
    EXPECT_EQ(CSize(16, 16), pLoaded->GetIconSize());
    pLoaded->InternalRelease();

    // Given such a size in code, the editor of a button without an image still opens on a whole
    // picture.
    CTKPControl* pNoImage = pBar->GetControls()->Add(tkpControlButton, 4242);
    pNoImage->SetIconId(4242);  // an image id that the image manager does not hold
    CTKPCustomizeSheet* pSheet = new CTKPCustomizeSheet(pCommandBars, pFrame);
    ASSERT_TRUE(pSheet->Create(pFrame));
    pCommandBars->SetDragControl(pNoImage);
    CSize szOpened;
    {
        EditorAnswer answer([&szOpened](CTKPImageEditorDialog* pEditor) {
            szOpened = pEditor->GetCanvas().GetPictureSize();
            pEditor->SendMessage(WM_COMMAND, IDCANCEL);
        });
        pSheet->ExecuteCommand(ID_TKP_CUSTOMIZE_EDITIMAGE);
        EXPECT_TRUE(EditorAnswer::s_bDone);
    }
    EXPECT_EQ(CSize(16, 16), szOpened);
    EXPECT_EQ(0, pNoImage->GetCustomIconId());
    pSheet->DestroyWindow();
    delete pSheet;
    pFrame->DestroyWindow();
}

}  // namespace
