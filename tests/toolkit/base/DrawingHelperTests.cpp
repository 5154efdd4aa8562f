#include "toolkit/base/BufferedDC.h"
#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DCSelectors.h"
#include "toolkit/base/DisplayDepth.h"
#include "toolkit/base/DrawingHelper.h"
#include "toolkit/base/MemDC.h"

#include "DibCanvas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

class Gradients : public ::testing::TestWithParam<bool>
{
protected:
  void SetUp() override { CTKPDrawingHelper::EnableGradientLibrary(GetParam()); }
  void TearDown() override
  {
    CTKPDrawingHelper::EnableGradientLibrary(TRUE);
    CTKPDisplayDepth::SetForcedBitsPerPixel(0);
  }
  // The library rounds its own way; the band fallback is exact.
  int Tolerance() const { return GetParam() ? 2 : 0; }
};

}  // namespace

TEST_P(Gradients, EqualColoursFillSolid)
{
  DibCanvas canvas(40, 20);
  CRect rc(0, 0, 40, 20);
  CTKPDrawingHelper::GradientFill(canvas.DC(), &rc, kRed, kRed, TRUE);
  for (int x : {0, 17, 39})
    EXPECT_EQ(kRed, canvas.Pixel(x, 10));
}

TEST_P(Gradients, HorizontalRunsLeftToRight)
{
  DibCanvas canvas(101, 10);
  CRect rc(0, 0, 100, 10);
  CTKPDrawingHelper::GradientFill(canvas.DC(), &rc, RGB(0, 0, 0), RGB(200, 100, 0), TRUE);
  EXPECT_TRUE(ColorNear(RGB(0, 0, 0), canvas.Pixel(0, 5), Tolerance()));
  EXPECT_TRUE(ColorNear(RGB(100, 50, 0), canvas.Pixel(50, 5), Tolerance() + 1));
  EXPECT_TRUE(ColorNear(RGB(198, 99, 0), canvas.Pixel(99, 5), Tolerance() + 1));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(100, 5));  // nothing beyond the rectangle
  // Channel values never fall from left to right.
  for (int x = 1; x < 100; ++x)
    EXPECT_GE(GetRValue(canvas.Pixel(x, 5)), GetRValue(canvas.Pixel(x - 1, 5)));
}

TEST_P(Gradients, VerticalRunsTopToBottom)
{
  DibCanvas canvas(10, 50);
  CRect rc(0, 0, 10, 50);
  CTKPDrawingHelper::GradientFill(canvas.DC(), &rc, kBlue, kRed, FALSE);
  EXPECT_TRUE(ColorNear(kBlue, canvas.Pixel(5, 0), Tolerance()));
  EXPECT_GT(GetRValue(canvas.Pixel(5, 49)), 240);
  EXPECT_EQ(canvas.Pixel(0, 25), canvas.Pixel(9, 25));  // rows are uniform
}

TEST_P(Gradients, ClippedGradientKeepsTheWholeRamp)
{
  DibCanvas whole(100, 4), clipped(100, 4);
  CRect rc(0, 0, 100, 4), clip(50, 0, 80, 4);
  CTKPDrawingHelper::GradientFill(whole.DC(), &rc, RGB(0, 0, 0), RGB(0, 200, 0), TRUE);
  CTKPDrawingHelper::GradientFillClipped(clipped.DC(), &rc, RGB(0, 0, 0), RGB(0, 200, 0), TRUE, &clip);
  EXPECT_EQ(RGB(255, 255, 255), clipped.Pixel(49, 2));
  EXPECT_EQ(RGB(255, 255, 255), clipped.Pixel(80, 2));
  for (int x : {50, 65, 79})
    EXPECT_TRUE(ColorNear(whole.Pixel(x, 2), clipped.Pixel(x, 2), 2)) << x;
  // No overlap: nothing drawn.
  CRect away(200, 0, 300, 4);
  CTKPDrawingHelper::GradientFillClipped(clipped.DC(), &away, kRed, kBlue, TRUE, &clip);
  EXPECT_EQ(RGB(255, 255, 255), clipped.Pixel(90, 2));
}

TEST_P(Gradients, FactorSplitsAtTheMixedColour)
{
  DibCanvas canvas(100, 4);
  CTKPColorGradient gradient;
  gradient.SetStandardValues(RGB(255, 255, 255), RGB(0, 0, 0), 0.75f);
  CRect rc(0, 0, 100, 4);
  CTKPDrawingHelper::FillColorGradient(canvas.DC(), &rc, &gradient, TRUE);
  const COLORREF middle = CTKPDrawingHelper::MixColors(RGB(255, 255, 255), RGB(0, 0, 0), 0.75f);
  EXPECT_EQ(RGB(191, 191, 191), middle);
  EXPECT_TRUE(ColorNear(middle, canvas.Pixel(50, 2), Tolerance() + 1));
  EXPECT_TRUE(ColorNear(RGB(255, 255, 255), canvas.Pixel(0, 2), Tolerance()));
}

TEST_P(Gradients, LowColourFillsWithTheFirstColour)
{
  CTKPDisplayDepth::SetForcedBitsPerPixel(8);
  DibCanvas canvas(20, 4);
  CRect rc(0, 0, 20, 4);
  CTKPDrawingHelper::GradientFill(canvas.DC(), &rc, kRed, kBlue, TRUE);
  EXPECT_EQ(kRed, canvas.Pixel(19, 2));
}

INSTANTIATE_TEST_SUITE_P(LibraryAndBands, Gradients, ::testing::Bool());

TEST(GradientBands, OnlyTheVisiblePartIsPainted)
{
  CTKPDrawingHelper::EnableGradientLibrary(FALSE);
  DibCanvas canvas(100, 10);
  HRGN clip = CreateRectRgn(10, 0, 20, 10);
  SelectClipRgn(canvas.Hdc(), clip);
  CRect rc(0, 0, 100, 10);
  CTKPDrawingHelper::GradientFill(canvas.DC(), &rc, RGB(0, 0, 0), RGB(100, 100, 100), TRUE);
  SelectClipRgn(canvas.Hdc(), nullptr);
  DeleteObject(clip);
  CTKPDrawingHelper::EnableGradientLibrary(TRUE);
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(9, 5));
  EXPECT_EQ(RGB(10, 10, 10), canvas.Pixel(10, 5));  // exact: 1 - 10/100 of the first colour
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(20, 5));
}

TEST(DrawingHelper, CornersAreExcludedFromTheClip)
{
  DibCanvas canvas(20, 20);
  CTKPDrawingHelper::ExcludeCorners(canvas.DC(), CRect(2, 2, 12, 12));
  canvas.DC()->FillSolidRect(0, 0, 20, 20, kRed);
  SelectClipRgn(canvas.Hdc(), nullptr);
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(2, 2));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(11, 2));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(2, 11));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(11, 11));
  EXPECT_EQ(kRed, canvas.Pixel(3, 2));
  EXPECT_EQ(kRed, canvas.Pixel(12, 12));
}

TEST(DrawingHelper, MnemonicStripping)
{
  CString s = _T("&&Save &As&");
  CTKPDrawingHelper::StripMnemonics(s);
  EXPECT_STREQ(_T("&Save As"), (LPCTSTR)s);
  s = _T("&&Save &As&");
  CTKPDrawingHelper::RemoveAmpersands(s);
  EXPECT_STREQ(_T("&&Save As&"), (LPCTSTR)s);  // the last character is never looked at
  s = _T("&");
  CTKPDrawingHelper::RemoveAmpersands(s);
  EXPECT_STREQ(_T("&"), (LPCTSTR)s);
  CTKPDrawingHelper::StripMnemonics(s);
  EXPECT_STREQ(_T(""), (LPCTSTR)s);
  s = _T("a&&&b");
  CTKPDrawingHelper::StripMnemonics(s);
  EXPECT_STREQ(_T("a&b"), (LPCTSTR)s);
}

TEST(DrawingHelper, BlurAveragesWholePairsOnly)
{
  DibCanvas canvas(10, 10, RGB(0, 0, 0));
  canvas.DC()->SetPixel(5, 5, RGB(200, 100, 50));
  canvas.DC()->SetPixel(1, 1, RGB(200, 200, 200));
  // Two pairs and one lone point, which has no offset and is left alone.
  const POINT points[5] = {{4, 5}, {1, 0}, {6, 5}, {-1, 0}, {1, 1}};
  CTKPDrawingHelper::BlurPoints(canvas.DC(), points, 5);
  EXPECT_EQ(RGB(100, 50, 25), canvas.Pixel(4, 5));
  EXPECT_EQ(RGB(100, 50, 25), canvas.Pixel(6, 5));
  EXPECT_EQ(RGB(200, 200, 200), canvas.Pixel(1, 1));
}

TEST(DrawingHelper, TriangleAndSelectors)
{
  DibCanvas canvas(20, 20);
  HGDIOBJ penBefore = GetCurrentObject(canvas.Hdc(), OBJ_PEN);
  CTKPDrawingHelper::DrawTriangle(canvas.DC(), CPoint(2, 2), CPoint(16, 2), CPoint(9, 12), kBlue);
  EXPECT_EQ(kBlue, canvas.Pixel(9, 5));
  EXPECT_EQ(kBlue, canvas.Pixel(2, 2));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(2, 10));
  EXPECT_EQ(penBefore, GetCurrentObject(canvas.Hdc(), OBJ_PEN));
  {
    CTKPPenSelector pen(canvas.Hdc(), kRed);
    EXPECT_EQ(kRed, pen.GetColor());
    pen.SetColor(kBlue);
    EXPECT_EQ(kBlue, pen.GetColor());
    CTKPBrushSelector brush(canvas.Hdc(), kBlue);
    Rectangle(canvas.Hdc(), 0, 14, 6, 20);
  }
  EXPECT_EQ(kBlue, canvas.Pixel(0, 14));
  EXPECT_EQ(penBefore, GetCurrentObject(canvas.Hdc(), OBJ_PEN));
}

TEST(DrawingHelper, CheckerPatternAlternatesFaceAndHighlight)
{
  DibCanvas canvas(8, 8, RGB(1, 2, 3));
  const COLORREF backBefore = GetBkColor(canvas.Hdc());
  CTKPDrawingHelper::FillCheckerPattern(canvas.DC(), CRect(0, 0, 8, 8));
  const COLORREF face = GetColorManager()->GetColor(COLOR_BTNFACE);
  const COLORREF light = GetColorManager()->GetColor(COLOR_BTNHIGHLIGHT);
  const COLORREF a = canvas.Pixel(0, 0), b = canvas.Pixel(1, 0);
  EXPECT_TRUE((a == face && b == light) || (a == light && b == face));
  EXPECT_EQ(a, canvas.Pixel(1, 1));
  EXPECT_EQ(b, canvas.Pixel(0, 1));
  EXPECT_EQ(backBefore, GetBkColor(canvas.Hdc()));
}

TEST(DrawingHelper, FontsAndWorkAreas)
{
  EXPECT_TRUE(CTKPDrawingHelper::FontExists(_T("Tahoma")));
  EXPECT_TRUE(CTKPDrawingHelper::FontExists(_T("tahoma")));
  EXPECT_FALSE(CTKPDrawingHelper::FontExists(_T("No Such Face At All")));
  EXPECT_FALSE(CTKPDrawingHelper::FontExists(_T("")));
  // With a Western GUI font and Arial installed: Tahoma when preferred (it is installed, above), else
  // Arial; otherwise the GUI font's own face either way.
  LOGFONTW gui = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui);
  if (gui.lfCharSet <= 2 && CTKPDrawingHelper::FontExists(_T("Arial"))) {
    EXPECT_EQ(CString(_T("Tahoma")), CTKPDrawingHelper::GetDefaultFontName(TRUE));
    EXPECT_EQ(CString(_T("Arial")), CTKPDrawingHelper::GetDefaultFontName(FALSE));
  } else {
    EXPECT_EQ(CString(gui.lfFaceName), CTKPDrawingHelper::GetDefaultFontName(TRUE));
    EXPECT_EQ(CString(gui.lfFaceName), CTKPDrawingHelper::GetDefaultFontName(FALSE));
  }

  RECT primary = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
  CRect work;
  CTKPDrawingHelper::GetWorkAreaFromPoint(&work, CPoint(10, 10));
  EXPECT_TRUE(EqualRect(&primary, &work));
  CTKPDrawingHelper::GetWorkAreaFromPoint(&work, CPoint(-30000, -30000));  // no monitor there
  EXPECT_TRUE(EqualRect(&primary, &work));
  CTKPDrawingHelper::GetWorkAreaFromRect(&work, CRect(0, 0, 50, 50));
  EXPECT_TRUE(EqualRect(&primary, &work));
  EXPECT_FALSE(CTKPDrawingHelper::IsTopParentActive(nullptr));
}

TEST(BufferedPainting, BufferedDCCopiesItsRectangleBackInPlace)
{
  DibCanvas target(30, 30);
  {
    CTKPBufferedDC buffer(target.Hdc(), CRect(10, 10, 20, 20));
    buffer.FillSolidRect(0, 0, 30, 30, kRed);
    EXPECT_EQ(RGB(255, 255, 255), target.Pixel(15, 15));  // nothing arrives before the end
  }
  EXPECT_EQ(kRed, target.Pixel(10, 10));
  EXPECT_EQ(kRed, target.Pixel(19, 19));
  EXPECT_EQ(RGB(255, 255, 255), target.Pixel(9, 10));
  EXPECT_EQ(RGB(255, 255, 255), target.Pixel(20, 19));
}

namespace {

// Where text put down in a DC of the given layout leaves ink, as one flag per pixel (dark or not, so
// smoothing colours do not count).
template <class Draw>
std::vector<bool> InkOf(DWORD dwLayout, int cx, int cy, Draw draw)
{
  DibCanvas canvas(cx, cy);
  ::SetLayout(canvas.Hdc(), dwLayout);
  draw(canvas.DC());
  ::SetLayout(canvas.Hdc(), 0);
  std::vector<bool> ink;
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x) {
      const COLORREF c = canvas.Pixel(x, y);
      ink.push_back(GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128);
    }
  return ink;
}

void WriteText(CDC* pDC, const CRect& rcText)
{
  CFont font;
  font.CreatePointFont(140, L"Tahoma");
  CFont* pOld = pDC->SelectObject(&font);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(RGB(0, 0, 0));
  CRect rc = rcText;
  pDC->DrawText(L"FLqb7", -1, &rc, DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX);
  pDC->SelectObject(pOld);
}

}  // namespace

TEST(BufferedPainting, BufferedDCDrawsAsTheTargetWouldInEitherLayout)
{
  const int cx = 120, cy = 40;
  const CRect rcText(14, 6, 110, 36);
  for (DWORD dwLayout : {DWORD(0), DWORD(LAYOUT_RTL)}) {
    for (const CRect& rcBuffer : {CRect(0, 0, cx, cy), CRect(8, 2, 116, 38)}) {
      const std::vector<bool> direct = InkOf(dwLayout, cx, cy, [&](CDC* pDC) { WriteText(pDC, rcText); });
      const std::vector<bool> buffered = InkOf(dwLayout, cx, cy, [&](CDC* pDC) {
        CTKPBufferedDC buffer(pDC->GetSafeHdc(), rcBuffer);
        RECT rcAll = {0, 0, cx, cy};
        ::FillRect(buffer.GetSafeHdc(), &rcAll, (HBRUSH)::GetStockObject(WHITE_BRUSH));
        WriteText(&buffer, rcText);
      });
      int nInk = 0, nUnlike = 0;
      for (size_t i = 0; i < direct.size(); ++i) {
        nInk += direct[i] ? 1 : 0;
        nUnlike += direct[i] != buffered[i] ? 1 : 0;
      }
      ASSERT_GT(nInk, 60) << dwLayout;
      // The same letters in the same places: a mirrored copy of them would differ in most pixels.
      EXPECT_LE(nUnlike * 10, nInk) << "layout " << dwLayout << ", buffer from x = " << rcBuffer.left;
    }
  }
}

TEST(BufferedPainting, MemDCStartsWithItsGradientAtItsOwnOrigin)
{
  DibCanvas target(40, 20);
  CTKPColorGradient solid(kBlue);
  {
    CTKMemDC mem(target.DC(), CRect(10, 5, 30, 15), solid);
    ASSERT_TRUE(mem.IsValid());
    mem.FillSolidRect(0, 0, 2, 2, kRed);
  }
  EXPECT_EQ(kRed, target.Pixel(10, 5));
  EXPECT_EQ(kRed, target.Pixel(11, 6));
  EXPECT_EQ(kBlue, target.Pixel(29, 14));
  EXPECT_EQ(RGB(255, 255, 255), target.Pixel(30, 14));
}

TEST(BufferedPainting, MemDCWithoutBackgroundLeavesTheBufferUnpainted)
{
  // Only the dark end decides: with it unset, whatever the light end holds, the buffer reaches the
  // target as it was made, the same as a buffer with no colour at all.
  std::vector<std::vector<COLORREF>> pictures;
  for (const COLORREF clrLight : {kBlue, kRed, COLORREF(TK_COLOR_NONE)}) {
    DibCanvas target(20, 20);
    CTKPColorGradient unset;
    if (clrLight != TK_COLOR_NONE)
      unset.m_clrLight.SetStandardValue(clrLight);
    {
      CTKMemDC mem(target.DC(), CRect(0, 0, 10, 10), unset);
      mem.FillSolidRect(0, 0, 1, 1, RGB(0, 128, 0));
    }
    EXPECT_EQ(RGB(0, 128, 0), target.Pixel(0, 0));
    EXPECT_NE(clrLight, target.Pixel(5, 0));
    EXPECT_EQ(RGB(255, 255, 255), target.Pixel(15, 15));
    std::vector<COLORREF> picture;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x)
        picture.push_back(target.Pixel(x, y));
    pictures.push_back(picture);
  }
  EXPECT_EQ(pictures[0], pictures[1]);
  EXPECT_EQ(pictures[0], pictures[2]);
}

TEST(BufferedPainting, MemDCOfAnEmptyRectangleCoversTheClipBox)
{
  DibCanvas target(20, 20);
  IntersectClipRect(target.Hdc(), 4, 4, 8, 8);
  {
    CTKMemDC mem(target.DC(), CRect(), CTKPColorGradient(kRed));
    EXPECT_EQ(CRect(4, 4, 8, 8), mem.GetRect());
  }
  SelectClipRgn(target.Hdc(), nullptr);
  EXPECT_EQ(kRed, target.Pixel(4, 4));
  EXPECT_EQ(kRed, target.Pixel(7, 7));
  EXPECT_EQ(RGB(255, 255, 255), target.Pixel(8, 8));
}
