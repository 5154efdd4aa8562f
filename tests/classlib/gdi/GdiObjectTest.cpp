#include "DibSurface.h"
#include "GeometryPrinters.h"
#include "tests/support/StateWait.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <process.h>

// --- Handle maps ---------------------------------------------------------------------------------

TEST(GdiHandleMap, AttachedHandleMapsBackToItsOwner)
{
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    EXPECT_EQ(&pen, CPen::FromHandle((HPEN)pen.m_hObject));
    HGDIOBJ h = pen.Detach();
    CGdiObject* temp = CGdiObject::FromHandle(h);
    EXPECT_NE(&pen, temp);
    AfxDeleteTempGdiMaps();
    ::DeleteObject(h);
}

TEST(GdiHandleMap, TemporaryWrapperHasTheClassOfTheObject)
{
    HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    CGdiObject* pFont = CGdiObject::FromHandle(hFont);
    ASSERT_NE(nullptr, pFont);
    EXPECT_TRUE(pFont->IsKindOf(RUNTIME_CLASS(CFont)));
    EXPECT_EQ(pFont, CGdiObject::FromHandle(hFont));   // one wrapper per handle until idle
    EXPECT_TRUE(CGdiObject::FromHandle(::GetStockObject(BLACK_PEN))->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_TRUE(CGdiObject::FromHandle(::GetStockObject(WHITE_BRUSH))->IsKindOf(RUNTIME_CLASS(CBrush)));
    EXPECT_EQ(nullptr, CGdiObject::FromHandle(nullptr));
    AfxDeleteTempGdiMaps();
}

TEST(GdiHandleMap, DeletingTemporariesLeavesTheHandlesAlive)
{
    HBRUSH hBrush = ::CreateSolidBrush(RGB(10, 20, 30));
    CBrush* temp = CBrush::FromHandle(hBrush);
    ASSERT_NE(nullptr, temp);
    AfxDeleteTempGdiMaps();
    LOGBRUSH lb = {};
    EXPECT_EQ((int)sizeof(lb), ::GetObject(hBrush, sizeof(lb), &lb));
    EXPECT_EQ(RGB(10, 20, 30), lb.lbColor);
    EXPECT_TRUE(::DeleteObject(hBrush));
}

TEST(GdiHandleMap, WrapperDeletesItsObjectButNeverAStockObject)
{
    HGDIOBJ h;
    {
        CBrush brush(RGB(1, 1, 1));
        h = brush.m_hObject;
    }
    EXPECT_EQ(0u, ::GetObjectType(h));
    {
        CGdiObject stock;
        stock.CreateStockObject(BLACK_BRUSH);
    }
    EXPECT_EQ((DWORD)OBJ_BRUSH, ::GetObjectType(::GetStockObject(BLACK_BRUSH)));
}

TEST(GdiHandleMap, NullObjectsGiveNullHandles)
{
    CFont* none = nullptr;
    EXPECT_EQ(nullptr, none->GetSafeHandle());
    CFont empty;
    EXPECT_EQ(nullptr, empty.GetSafeHandle());
    EXPECT_FALSE(empty.DeleteObject());
    EXPECT_EQ(0, empty.GetObject(0, nullptr));
}

// --- Fonts ---------------------------------------------------------------------------------------

TEST(Font, PointFontHeightFollowsTheDeviceResolution)
{
    DibSurface surface(4, 4);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, L"Tahoma", &surface.dc()));
    LOGFONT lf = {};
    ASSERT_EQ((int)sizeof(lf), font.GetLogFont(&lf));
    int dpi = surface.dc().GetDeviceCaps(LOGPIXELSY);
    EXPECT_EQ(-std::abs(::MulDiv(dpi, 90, 720)), lf.lfHeight);
    EXPECT_STREQ(L"Tahoma", lf.lfFaceName);
}

TEST(Font, PointFontFollowsTheMappingMode)
{
    DibSurface surface(4, 4);
    // In MM_TWIPS a logical unit is 1/1440 inch: a 10-point font is 200 units high.
    surface.dc().SetMapMode(MM_TWIPS);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, L"Tahoma", &surface.dc()));
    LOGFONT lf = {};
    font.GetLogFont(&lf);
    EXPECT_NEAR(-200, lf.lfHeight, 20);
}

TEST(Font, TextIsMeasuredWithTheSelectedFont)
{
    DibSurface surface(10, 10);
    CFont small, large;
    ASSERT_TRUE(small.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    ASSERT_TRUE(large.CreateFont(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    CDC& dc = surface.dc();
    CFont* old = dc.SelectObject(&small);
    ASSERT_NE(nullptr, old);
    CSize smallExtent = dc.GetTextExtent(CString(L"Recovered files"));
    CFont* previous = dc.SelectObject(&large);
    EXPECT_EQ(&small, previous);   // the permanent wrapper comes back, not a copy
    CSize largeExtent = dc.GetTextExtent(L"Recovered files", 15);
    EXPECT_GT(largeExtent.cx, smallExtent.cx * 2);
    TEXTMETRIC tm = {};
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(largeExtent.cy, tm.tmHeight);
    dc.SelectObject(old);
    AfxDeleteTempGdiMaps();
}

// --- Regions -------------------------------------------------------------------------------------

TEST(Rgn, CombineModes)
{
    CRgn a, b, result;
    a.CreateRectRgn(0, 0, 20, 20);
    b.CreateRectRgn(10, 10, 30, 30);
    result.CreateRectRgn(0, 0, 0, 0);

    EXPECT_EQ(COMPLEXREGION, result.CombineRgn(&a, &b, RGN_OR));
    EXPECT_TRUE(result.PtInRegion(25, 25));
    EXPECT_FALSE(result.PtInRegion(25, 5));
    CRect box;
    result.GetRgnBox(&box);
    EXPECT_EQ(CRect(0, 0, 30, 30), box);

    EXPECT_EQ(SIMPLEREGION, result.CombineRgn(&a, &b, RGN_AND));
    result.GetRgnBox(&box);
    EXPECT_EQ(CRect(10, 10, 20, 20), box);

    EXPECT_EQ(COMPLEXREGION, result.CombineRgn(&a, &b, RGN_DIFF));
    EXPECT_TRUE(result.PtInRegion(CPoint(5, 15)));
    EXPECT_FALSE(result.PtInRegion(CPoint(15, 15)));

    EXPECT_EQ(COMPLEXREGION, result.CombineRgn(&a, &b, RGN_XOR));
    EXPECT_FALSE(result.PtInRegion(15, 15));
    EXPECT_TRUE(result.PtInRegion(25, 25));

    CRgn distant;
    distant.CreateEllipticRgn(100, 100, 110, 110);
    EXPECT_EQ(NULLREGION, result.CombineRgn(&a, &distant, RGN_AND));
}

TEST(Rgn, CopyOffsetAndCompare)
{
    CRgn source, copy;
    source.CreateRoundRectRgn(0, 0, 40, 40, 10, 10);
    copy.CreateRectRgn(0, 0, 1, 1);
    EXPECT_NE(ERROR, copy.CopyRgn(&source));
    EXPECT_TRUE(copy.EqualRgn(&source));
    CRect sourceBox, box;
    source.GetRgnBox(&sourceBox);
    copy.OffsetRgn(5, 5);
    EXPECT_FALSE(copy.EqualRgn(&source));
    copy.GetRgnBox(&box);
    EXPECT_EQ(sourceBox + CPoint(5, 5), box);
    copy.SetRectRgn(CRect(1, 1, 2, 2));
    EXPECT_EQ(SIMPLEREGION, copy.GetRgnBox(&box));
    EXPECT_EQ(CRect(1, 1, 2, 2), box);
}

TEST(Rgn, MissingRegionsFailInsteadOfCrashing)
{
    CRgn none, a;
    a.CreateRectRgn(0, 0, 5, 5);
    EXPECT_EQ(ERROR, none.CombineRgn(&a, &a, RGN_OR));
    EXPECT_EQ(ERROR, none.CopyRgn(&a));
    EXPECT_EQ(ERROR, a.CopyRgn(&none));
    EXPECT_FALSE(none.PtInRegion(1, 1));
    CRect box;
    EXPECT_EQ(ERROR, none.GetRgnBox(&box));
}

TEST(Rgn, PolygonRegion)
{
    POINT triangle[] = {{0, 0}, {20, 0}, {0, 20}};
    CRgn rgn;
    ASSERT_TRUE(rgn.CreatePolygonRgn(triangle, 3, ALTERNATE));
    EXPECT_TRUE(rgn.PtInRegion(2, 2));
    EXPECT_FALSE(rgn.PtInRegion(18, 18));
}

// --- Bitmaps -------------------------------------------------------------------------------------

TEST(Bitmap, BitsRoundTrip)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(16, 2, 1, 1, nullptr));
    BITMAP bm = {};
    ASSERT_TRUE(bitmap.GetBitmap(&bm));
    EXPECT_EQ(16, bm.bmWidth);
    EXPECT_EQ(2, bm.bmHeight);
    EXPECT_EQ(1, bm.bmBitsPixel);
    const BYTE rows[4] = {0xAA, 0x55, 0x0F, 0xF0};
    EXPECT_EQ(4u, bitmap.SetBitmapBits(sizeof(rows), rows));
    BYTE back[4] = {};
    EXPECT_EQ(4u, bitmap.GetBitmapBits(sizeof(back), back));
    EXPECT_EQ(0, memcmp(rows, back, 4));
}

TEST(Bitmap, ResourceBitmapLoads)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(200));
    BITMAP bm = {};
    bitmap.GetBitmap(&bm);
    EXPECT_EQ(48, bm.bmWidth);
    EXPECT_EQ(16, bm.bmHeight);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(4711));
    EXPECT_EQ(nullptr, missing.GetSafeHandle());
}

TEST(Bitmap, PatternBrushTilesItsBitmap)
{
    // A 2x2 checker of black and white, repeated over the surface.
    CBitmap pattern;
    const BYTE rows[4] = {0x40, 0, 0x80, 0}; // rows are word aligned: 01.. and 10..
    ASSERT_TRUE(pattern.CreateBitmap(2, 2, 1, 1, rows));
    CBrush brush;
    ASSERT_TRUE(brush.CreatePatternBrush(&pattern));
    DibSurface surface(8, 8);
    surface.dc().SetTextColor(RGB(0, 0, 0));
    surface.dc().SetBkColor(RGB(255, 255, 255));
    surface.dc().FillRect(CRect(0, 0, 8, 8), &brush);
    EXPECT_EQ(32, surface.Count(RGB(0, 0, 0)));
    EXPECT_NE(surface.Pixel(0, 0), surface.Pixel(1, 0));
    EXPECT_EQ(surface.Pixel(0, 0), surface.Pixel(1, 1));
    CBrush none;
    EXPECT_FALSE(none.CreatePatternBrush(nullptr));
}

// --- Threads -------------------------------------------------------------------------------------

namespace {
unsigned __stdcall MakeTemporariesAndEnd(void*)
{
    CGdiObject::FromHandle(::GetStockObject(BLACK_PEN));
    CDC::FromHandle(::GetDC(nullptr));
    _endthreadex(0);   // ends the thread without returning
    return 0;
}
} // namespace

TEST(GdiHandleMap, ThreadEndedByEndThreadExFreesItsMapsAndDoesNotHang)
{
    HANDLE thread = (HANDLE)_beginthreadex(nullptr, 0, MakeTemporariesAndEnd, nullptr, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, morvick::test::kStateWaitMs));
    ::CloseHandle(thread);
    // This thread's maps are its own.
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    EXPECT_EQ(&pen, CPen::FromHandle((HPEN)pen.m_hObject));
}
