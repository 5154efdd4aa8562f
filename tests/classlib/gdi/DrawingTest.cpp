#include "DibSurface.h"
#include "GeometryPrinters.h"

#include <gtest/gtest.h>

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);
} // namespace

TEST(Drawing, FillSolidRectCoversExactlyTheRectAndLeavesTheBackgroundColour)
{
    DibSurface s(20, 20);
    s.dc().FillSolidRect(CRect(2, 3, 12, 8), kRed);
    EXPECT_EQ(50, s.Count(kRed));
    EXPECT_EQ(50, s.Count(CRect(2, 3, 12, 8), kRed));
    EXPECT_EQ(kRed, s.dc().GetBkColor());
    // Reversed extents fill the same area.
    s.dc().FillSolidRect(12, 18, -10, -5, kBlue);
    EXPECT_EQ(50, s.Count(CRect(2, 13, 12, 18), kBlue));

    // In a mirrored DC: the mirror image of the rectangle, every column of it, and nothing more.
    DibSurface m(20, 20);
    ::SetLayout(m.dc().GetSafeHdc(), LAYOUT_RTL);
    m.dc().FillSolidRect(CRect(2, 3, 12, 8), kRed);
    m.dc().FillSolidRect(0, 10, 20, 4, kBlue);
    EXPECT_EQ(kBlue, m.dc().GetBkColor());
    ::SetLayout(m.dc().GetSafeHdc(), 0);
    EXPECT_EQ(50, m.Count(kRed));
    EXPECT_EQ(50, m.Count(CRect(8, 3, 18, 8), kRed));
    EXPECT_EQ(80, m.Count(CRect(0, 10, 20, 14), kBlue));
}

TEST(Drawing, Draw3dRectPutsEachColourOnItsTwoEdges)
{
    DibSurface s(20, 20);
    s.dc().Draw3dRect(CRect(2, 2, 12, 10), kRed, kBlue);
    // Top and left edges.
    EXPECT_EQ(kRed, s.Pixel(2, 2));
    EXPECT_EQ(kRed, s.Pixel(10, 2));
    EXPECT_EQ(kRed, s.Pixel(2, 8));
    // Right and bottom edges, including both far corners.
    EXPECT_EQ(kBlue, s.Pixel(11, 2));
    EXPECT_EQ(kBlue, s.Pixel(11, 9));
    EXPECT_EQ(kBlue, s.Pixel(2, 9));
    EXPECT_EQ(kWhite, s.Pixel(5, 5));
    EXPECT_EQ(kWhite, s.Pixel(12, 5));
    EXPECT_EQ(kWhite, s.Pixel(5, 10));
    EXPECT_EQ(2 * 10 + 2 * 8 - 4, s.Count(kRed) + s.Count(kBlue));
}

TEST(Drawing, BitBltAndStretchBltCopyBetweenDCs)
{
    DibSurface source(8, 8), target(20, 20);
    source.dc().FillSolidRect(0, 0, 4, 8, kGreen);
    target.dc().BitBlt(10, 10, 8, 8, &source.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(32, target.Count(CRect(10, 10, 14, 18), kGreen));
    EXPECT_EQ(kWhite, target.Pixel(15, 12));
    target.dc().StretchBlt(0, 0, 16, 2, &source.dc(), 0, 0, 8, 1, SRCCOPY);
    EXPECT_EQ(16, target.Count(CRect(0, 0, 8, 2), kGreen));
    EXPECT_EQ(kWhite, target.Pixel(9, 0));
    EXPECT_FALSE(target.dc().BitBlt(0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
}

TEST(Drawing, TransparentBltSkipsTheKeyColour)
{
    DibSurface source(4, 4, RGB(255, 0, 255)), target(4, 4, kBlue);
    source.dc().FillSolidRect(1, 1, 2, 2, kRed);
    EXPECT_TRUE(target.dc().TransparentBlt(0, 0, 4, 4, &source.dc(), 0, 0, 4, 4, RGB(255, 0, 255)));
    EXPECT_EQ(4, target.Count(kRed));
    EXPECT_EQ(12, target.Count(kBlue));
}

TEST(Drawing, ClippingLimitsOutput)
{
    DibSurface s(20, 20);
    CDC& dc = s.dc();
    int saved = dc.SaveDC();
    EXPECT_NE(ERROR, dc.IntersectClipRect(CRect(5, 5, 15, 15)));
    dc.ExcludeClipRect(8, 8, 10, 10);
    CRect box;
    EXPECT_EQ(COMPLEXREGION, dc.GetClipBox(&box));
    EXPECT_EQ(CRect(5, 5, 15, 15), box);
    dc.FillSolidRect(0, 0, 20, 20, kRed);
    EXPECT_EQ(100 - 4, s.Count(kRed));
    EXPECT_EQ(kWhite, s.Pixel(9, 9));
    EXPECT_TRUE(dc.RestoreDC(saved));

    CRgn circle;
    circle.CreateEllipticRgn(0, 0, 20, 20);
    dc.SelectClipRgn(&circle);
    dc.FillSolidRect(0, 0, 20, 20, kBlue);
    EXPECT_EQ(kWhite, s.Pixel(0, 0));
    EXPECT_EQ(kBlue, s.Pixel(10, 10));
    dc.SelectClipRgn(nullptr);
    dc.FillSolidRect(0, 0, 1, 1, kGreen);
    EXPECT_EQ(kGreen, s.Pixel(0, 0));
}

TEST(Drawing, ViewportOriginShiftsLogicalCoordinates)
{
    DibSurface s(20, 20);
    CDC& dc = s.dc();
    EXPECT_EQ(CPoint(0, 0), dc.SetViewportOrg(5, 7));
    dc.FillSolidRect(0, 0, 2, 2, kRed);
    EXPECT_EQ(kRed, s.Pixel(5, 7));
    EXPECT_EQ(kWhite, s.Pixel(0, 0));
    EXPECT_EQ(CPoint(5, 7), dc.OffsetViewportOrg(1, 1));
    EXPECT_EQ(CPoint(6, 8), dc.GetViewportOrg());
    CPoint p(0, 0);
    dc.LPtoDP(&p);
    EXPECT_EQ(CPoint(6, 8), p);
    CRect r(6, 8, 10, 10);
    dc.DPtoLP(&r);
    EXPECT_EQ(CRect(0, 0, 4, 2), r);
    // Sizes are distances, not positions.
    CSize size(3, 3);
    dc.DPtoLP(&size);
    EXPECT_EQ(CSize(3, 3), size);
}

TEST(Drawing, ShapesUseTheSelectedPenAndBrush)
{
    DibSurface s(20, 20);
    CDC& dc = s.dc();
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kBlue);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    ASSERT_NE(nullptr, oldPen);
    ASSERT_NE(nullptr, oldBrush);
    EXPECT_TRUE(oldPen->IsKindOf(RUNTIME_CLASS(CPen)));
    dc.Rectangle(2, 2, 10, 10);
    EXPECT_EQ(kRed, s.Pixel(2, 2));
    EXPECT_EQ(kRed, s.Pixel(9, 9));
    EXPECT_EQ(kBlue, s.Pixel(5, 5));
    EXPECT_EQ(kWhite, s.Pixel(10, 10));
    dc.MoveTo(0, 15);
    EXPECT_EQ(CPoint(0, 15), dc.MoveTo(CPoint(0, 15)));
    dc.LineTo(20, 15);
    EXPECT_EQ(20, s.Count(CRect(0, 15, 20, 16), kRed));
    EXPECT_EQ(CPoint(20, 15), dc.GetCurrentPosition());
    EXPECT_EQ(&pen, dc.SelectObject(oldPen));
    EXPECT_EQ(&brush, dc.SelectObject(oldBrush));
    AfxDeleteTempGdiMaps();
}

TEST(Drawing, SelectStockObjectAndSelectNull)
{
    DibSurface s(4, 4);
    CDC& dc = s.dc();
    CGdiObject* old = dc.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(nullptr, old);
    EXPECT_EQ(::GetStockObject(NULL_BRUSH), dc.GetCurrentBrush()->GetSafeHandle());
    EXPECT_EQ(nullptr, dc.SelectObject(static_cast<CPen*>(nullptr)));
    dc.SelectObject(old);
    AfxDeleteTempGdiMaps();
}

TEST(Drawing, RegionsAreFilledAndFramed)
{
    DibSurface s(20, 20);
    CRgn rgn;
    rgn.CreateRectRgn(2, 2, 8, 8);
    CBrush red(kRed), blue(kBlue);
    EXPECT_TRUE(s.dc().FillRgn(&rgn, &red));
    EXPECT_EQ(36, s.Count(kRed));
    EXPECT_TRUE(s.dc().FrameRgn(&rgn, &blue, 1, 1));
    EXPECT_EQ(20, s.Count(kBlue));
    EXPECT_EQ(16, s.Count(kRed));
}

TEST(Drawing, FrameInvertAndFillRect)
{
    DibSurface s(10, 10, kBlack);
    CBrush red(kRed);
    s.dc().FrameRect(CRect(0, 0, 4, 4), &red);
    EXPECT_EQ(12, s.Count(kRed));
    s.dc().InvertRect(CRect(5, 5, 7, 7));
    EXPECT_EQ(4, s.Count(kWhite));
    s.dc().FillRect(CRect(0, 0, 10, 1), &red);
    EXPECT_EQ(10, s.Count(CRect(0, 0, 10, 1), kRed));
}

TEST(Drawing, PixelsAndPatBlt)
{
    DibSurface s(6, 6);
    s.dc().SetPixel(3, 4, kGreen);
    EXPECT_EQ(kGreen, s.dc().GetPixel(CPoint(3, 4)));
    EXPECT_EQ(kGreen, s.Pixel(3, 4));
    s.dc().PatBlt(0, 0, 6, 6, BLACKNESS);
    EXPECT_EQ(36, s.Count(kBlack));
    s.dc().PatBlt(0, 0, 3, 6, DSTINVERT);
    EXPECT_EQ(18, s.Count(kWhite));
}

TEST(Drawing, GradientFillRunsFromOneColourToTheOther)
{
    DibSurface s(100, 4);
    TRIVERTEX v[2] = {{0, 0, 0xFF00, 0, 0, 0}, {100, 4, 0, 0, 0xFF00, 0}};
    GRADIENT_RECT rect = {0, 1};
    ASSERT_TRUE(s.dc().GradientFill(v, 2, &rect, 1, GRADIENT_FILL_RECT_H));
    COLORREF left = s.Pixel(0, 1), right = s.Pixel(99, 1);
    EXPECT_GT(GetRValue(left), 240);
    EXPECT_LT(GetBValue(left), 15);
    EXPECT_GT(GetBValue(right), 240);
    EXPECT_LT(GetRValue(right), 15);
}

TEST(Drawing, HalftoneBrushAlternatesPixels)
{
    CBrush* brush = CDC::GetHalftoneBrush();
    ASSERT_NE(nullptr, brush->GetSafeHandle());
    EXPECT_EQ(brush, CDC::GetHalftoneBrush());
    DibSurface s(8, 8);
    s.dc().SetTextColor(kBlack);
    s.dc().SetBkColor(kWhite);
    s.dc().FillRect(CRect(0, 0, 8, 8), brush);
    EXPECT_EQ(32, s.Count(kBlack));
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            EXPECT_NE(s.Pixel(x, y), s.Pixel(x + 1, y));
            EXPECT_NE(s.Pixel(x, y), s.Pixel(x, y + 1));
        }
}

// --- Text ----------------------------------------------------------------------------------------

class DrawingText : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(font.CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
        old = surface.dc().SelectObject(&font);
    }
    void TearDown() override
    {
        surface.dc().SelectObject(old);
        AfxDeleteTempGdiMaps();
    }
    DibSurface surface{200, 40};
    CFont font;
    CFont* old = nullptr;
};

TEST_F(DrawingText, CalcRectMatchesTheMeasuredExtent)
{
    CDC& dc = surface.dc();
    CString text(L"Deleted file.txt");
    CSize extent = dc.GetTextExtent(text);
    CRect r(0, 0, 0, 0);
    dc.DrawText(text, &r, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(extent.cx, r.Width());
    EXPECT_EQ(extent.cy, r.Height());
    EXPECT_EQ(extent, dc.GetOutputTextExtent(text));
}

TEST_F(DrawingText, TextOutDrawsInTheTextColourOnlyWithinTheExtent)
{
    CDC& dc = surface.dc();
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kRed);
    EXPECT_TRUE(dc.TextOut(10, 10, CString(L"WWW")));
    CSize extent = dc.GetTextExtent(L"WWW", 3);
    CRect inside(10, 10, 10 + extent.cx, 10 + extent.cy);
    EXPECT_GT(surface.Count(inside, kRed), 0);
    EXPECT_EQ(surface.Count(kRed), surface.Count(inside, kRed));
}

TEST_F(DrawingText, OpaqueExtTextOutFillsItsRectangle)
{
    CDC& dc = surface.dc();
    dc.SetBkColor(kBlue);
    CRect r(0, 0, 50, 20);
    EXPECT_TRUE(dc.ExtTextOut(0, 0, ETO_OPAQUE, &r, CString(), nullptr));
    EXPECT_EQ(1000, surface.Count(kBlue));
}

TEST_F(DrawingText, EndEllipsisNeverWritesIntoTheCallersText)
{
    CDC& dc = surface.dc();
    // A literal lives in read-only memory: modifying it would fault.
    static const wchar_t* const kText = L"A rather long file name that cannot fit.txt";
    CRect r(0, 0, 60, 20);
    dc.DrawText(kText, -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_STREQ(L"A rather long file name that cannot fit.txt", kText);
    CString s(kText);
    dc.DrawText(s, &r, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_TRUE(s == kText);
}

TEST_F(DrawingText, DisabledTextThroughDrawState)
{
    CDC& dc = surface.dc();
    CSize extent = dc.GetTextExtent(L"Save", 4);
    EXPECT_TRUE(dc.DrawState(CPoint(5, 5), extent, L"Save", DSS_DISABLED, TRUE, 0, (HBRUSH) nullptr));
    // Embossed: a shadow copy and a light copy one pixel lower right, all inside that area.
    int changed = 200 * 40 - surface.Count(kWhite);
    EXPECT_GT(changed, 0);
    CRect area(CPoint(5, 5), extent + CSize(1, 1));
    EXPECT_EQ(changed, area.Width() * area.Height() - surface.Count(area, kWhite));
}
