#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DisplayDepth.h"
#include "toolkit/base/ImageManager.h"

#include "DibCanvas.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A 32-bit bottom-up DIB section of one colour and alpha.
HBITMAP AlphaBitmap(int width, int height, COLORREF color, BYTE alpha)
{
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP h = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  DWORD* p = static_cast<DWORD*>(bits);
  for (int i = 0; i < width * height; ++i)
    p[i] = (DWORD)alpha << 24 | GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
  return h;
}

// First pixel of a 32-bit bitmap as COLORREF.
COLORREF FirstPixel(HBITMAP h, BYTE* alpha = nullptr)
{
  DIBSECTION ds = {};
  GetObjectW(h, sizeof(ds), &ds);
  GdiFlush();
  const DWORD v = *static_cast<DWORD*>(ds.dsBm.bmBits);
  if (alpha)
    *alpha = static_cast<BYTE>(v >> 24);
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

// A 16 x 16 icon: a coloured 12 x 12 square on a transparent border.
HICON SquareIcon(COLORREF color)
{
  DibCanvas colorBits(16, 16, RGB(0, 0, 0));
  colorBits.DC()->FillSolidRect(2, 2, 12, 12, color);
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mask);
  PatBlt(dc, 0, 0, 16, 16, WHITENESS);
  PatBlt(dc, 2, 2, 12, 12, BLACKNESS);
  SelectObject(dc, old);
  DeleteDC(dc);
  ICONINFO info = {TRUE, 0, 0, mask, colorBits.Bitmap()};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  return icon;
}

struct Manager
{
  Manager() : p(new CTKPImageManager) {}
  ~Manager() { p->InternalRelease(); }
  CTKPImageManager* operator->() { return p; }
  CTKPImageManager* p;
};

}  // namespace

TEST(ImageManager, CustomIdsAndStates)
{
  Manager m;
  HICON icon = SquareIcon(RGB(255, 0, 0));
  EXPECT_EQ(0x10AABu, m->AddCustomIcon(CTKPIconHandle(icon)));
  EXPECT_EQ(0x10AACu, m->AddCustomIcon(CTKPIconHandle(icon)));
  // A hot image for an id without icons is ignored; a normal one makes the set.
  m->SetIcon(CTKPIconHandle(icon), 50, CSize(0, 0), 2);
  EXPECT_EQ(nullptr, m->LookupIconSet(50));
  m->SetIcon(CTKPIconHandle(icon), 50);
  ASSERT_NE(nullptr, m->LookupIconSet(50));
  CTKPImageIcon* image = m->GetImage(50, 16);
  ASSERT_NE(nullptr, image);
  EXPECT_EQ(16, image->GetHeight());
  EXPECT_EQ(image->GetIcon().GetIcon(), image->GetHotIcon().GetIcon());      // no hot: the normal one
  EXPECT_EQ(image->GetHotIcon().GetIcon(), image->GetCheckedIcon().GetIcon());  // no checked: the hot one
  HICON blue = SquareIcon(RGB(0, 0, 255));
  m->SetIcon(CTKPIconHandle(blue), 50, CSize(0, 0), 2);
  EXPECT_NE(image->GetIcon().GetIcon(), image->GetHotIcon().GetIcon());
  EXPECT_FALSE(image->HasDisabledIcon());
  m->SetIcon(CTKPIconHandle(), 51);  // empty: ignored
  EXPECT_EQ(nullptr, m->LookupIconSet(51));
  DestroyIcon(icon);
  DestroyIcon(blue);
}

TEST(ImageManager, ScaledCopiesAreMadeOnceAndDroppedOnRefresh)
{
  Manager m;
  HICON icon = SquareIcon(RGB(0, 255, 0));
  m->SetIcon(CTKPIconHandle(icon), 60);
  DestroyIcon(icon);
  CTKPImageIcon* scaled = m->GetImage(60, 24);
  ASSERT_NE(nullptr, scaled);
  EXPECT_TRUE(scaled->IsScaled());
  EXPECT_EQ(24, scaled->GetWidth());
  EXPECT_EQ(CSize(24, 24), scaled->GetIcon().GetExtent());
  EXPECT_EQ(scaled, m->GetImage(60, 24));
  EXPECT_EQ(nullptr, m->LookupIconSet(60)->GetIcon(24 + 1, FALSE));
  m->RefreshAll();
  EXPECT_EQ(nullptr, m->LookupIconSet(60)->GetIcon(24, FALSE));
  EXPECT_FALSE(m->GetImage(60, 16)->IsScaled());
  EXPECT_EQ(nullptr, m->GetImage(61, 16));
}

TEST(ImageManager, ToolBarResourcesSkipSeparators)
{
  Manager m;
  ASSERT_TRUE(m->SetIconsFromToolBar(300));
  ASSERT_NE(nullptr, m->GetImage(100, 16));
  ASSERT_NE(nullptr, m->GetImage(102, 16));
  EXPECT_EQ(nullptr, m->LookupIconSet(0));
  // The third image (blue) belongs to 102: separators take none.
  DibCanvas canvas(16, 16, RGB(0, 128, 0));
  CTKPImageIcon* icon = m->GetImage(102, 16);
  icon->Draw(canvas.DC(), CPoint(0, 0), icon->GetIcon());
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(8, 8));
  EXPECT_EQ(RGB(0, 128, 0), canvas.Pixel(0, 0));  // the magenta corner colour is the mask
  // A toolbar of only separators has nothing to cut.
  EXPECT_FALSE(m->SetIconsFromToolBar(303, 300, 0));
}

TEST(ImageManager, AlphaBitmapsAreSlicedAndBlended)
{
  Manager m;
  const UINT ids[] = {200, 201};
  ASSERT_TRUE(m->SetIconsFromBitmap(301, ids, 2, CSize(16, 16)));
  CTKPImageIcon* icon = m->GetImage(201, 16);
  ASSERT_NE(nullptr, icon);
  EXPECT_TRUE(icon->IsAlpha());
  EXPECT_EQ(icon, m->GetImage(201, 24));  // alpha images are drawn stretched, not scaled
  DibCanvas canvas(16, 16, RGB(0, 0, 0));
  icon->Draw(canvas.DC(), CPoint(0, 0), icon->GetIcon());
  EXPECT_TRUE(ColorNear(RGB(128, 128, 128), canvas.Pixel(5, 5), 2));  // half white over black
  // Without AlphaBlend nothing is drawn.
  m->EnableAlphaBlend(FALSE);
  DibCanvas plain(16, 16, RGB(10, 20, 30));
  icon->Draw(plain.DC(), CPoint(0, 0), icon->GetIcon());
  EXPECT_EQ(RGB(10, 20, 30), plain.Pixel(5, 5));
  m->EnableAlphaBlend(TRUE);
  // A width that is no multiple of the icon width is refused.
  EXPECT_FALSE(m->SetIconsFromBitmap(302, ids, 2, CSize(16, 16)));
}

TEST(ImageManager, AlphaBitmapsWithALongerHeaderAreTakenOnlyWhenEveryPixelIsThere)
{
  Manager m;
  // The pixels start after the 124-byte header.
  HBITMAP hBitmap = NULL;
  ASSERT_TRUE(m->LoadAlphaBitmapResource(304, &hBitmap));
  BYTE alpha = 0;
  EXPECT_EQ(RGB(255, 0, 0), FirstPixel(hBitmap, &alpha));
  EXPECT_EQ(255, alpha);
  DeleteObject(hBitmap);
  // A resource that ends before its last pixels is refused, not read past its end.
  hBitmap = NULL;
  EXPECT_FALSE(m->LoadAlphaBitmapResource(305, &hBitmap));
  EXPECT_EQ(nullptr, hBitmap);
}

TEST(ImageManager, DerivedImagesOfAlphaBitmaps)
{
  Manager m;
  HBITMAP black = AlphaBitmap(16, 16, RGB(0, 0, 0), 200);
  m->SetIcon(CTKPIconHandle(black), 70, CSize(16, 16));
  DeleteObject(black);
  CTKPImageIcon* icon = m->GetImage(70, 16);
  BYTE alpha = 0;
  EXPECT_EQ(RGB(76, 76, 76), FirstPixel(icon->GetFadedIcon().GetBitmap(), &alpha));
  EXPECT_EQ(200, alpha);
  const COLORREF hot = GetColorManager()->GetColor(31);
  EXPECT_EQ(RGB(GetRValue(hot) * 3 / 4, GetGValue(hot) * 3 / 4, GetBValue(hot) * 3 / 4),
            FirstPixel(icon->GetShadowIcon().GetBitmap()));

  HBITMAP white = AlphaBitmap(16, 16, RGB(255, 255, 255), 255);
  HBITMAP blue = AlphaBitmap(16, 16, RGB(0, 0, 255), 255);
  m->SetIcon(CTKPIconHandle(white), 71, CSize(16, 16));
  m->SetIcon(CTKPIconHandle(blue), 72, CSize(16, 16));
  DeleteObject(white);
  DeleteObject(blue);
  EXPECT_EQ(RGB(255, 255, 255), FirstPixel(m->GetImage(71, 16)->GetDisabledIcon().GetBitmap()));
  EXPECT_EQ(RGB(86, 86, 86), FirstPixel(m->GetImage(72, 16)->GetDisabledIcon().GetBitmap()));

  // Two-colour mode: a blue (dark) pixel leans to the second colour.
  CTKPImageIcon* two = m->GetImage(72, 16);
  two->SetDisabledIcon(CTKPIconHandle());  // clears the generated image
  two->CreateDisabledIcon(RGB(255, 255, 255), RGB(0, 0, 0));
  const COLORREF mixed = FirstPixel(two->GetDisabledIcon(FALSE).GetBitmap());
  EXPECT_EQ(29u, GetRValue(mixed));  // trunc(255 x 0.114)
}

TEST(ImageManager, DerivedImagesOfIconsChangeOnlyVisiblePixels)
{
  Manager m;
  HICON icon = SquareIcon(RGB(0, 0, 0));
  m->SetIcon(CTKPIconHandle(icon), 80);
  DestroyIcon(icon);
  CTKPImageIcon* image = m->GetImage(80, 16);
  DibCanvas canvas(16, 16, RGB(0, 128, 0));
  image->Draw(canvas.DC(), CPoint(0, 0), image->GetFadedIcon());
  EXPECT_EQ(RGB(76, 76, 76), canvas.Pixel(8, 8));
  EXPECT_EQ(RGB(0, 128, 0), canvas.Pixel(0, 0));
  canvas.Fill(RGB(0, 128, 0));
  image->Draw(canvas.DC(), CPoint(0, 0), image->GetDisabledIcon());
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(8, 8));  // black stays black in grey
  EXPECT_EQ(RGB(0, 128, 0), canvas.Pixel(1, 1));
}

TEST(ImageManager, MirroredAndMonochromeDrawing)
{
  Manager m;
  // An icon whose left half is red and right half blue.
  DibCanvas bits(16, 16, RGB(255, 0, 0));
  bits.DC()->FillSolidRect(8, 0, 8, 16, RGB(0, 0, 255));
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mask);
  PatBlt(dc, 0, 0, 16, 16, BLACKNESS);
  SelectObject(dc, old);
  DeleteDC(dc);
  ICONINFO info = {TRUE, 0, 0, mask, bits.Bitmap()};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  m->SetIcon(CTKPIconHandle(icon), 90);
  DestroyIcon(icon);
  CTKPImageIcon* image = m->GetImage(90, 16);

  DibCanvas canvas(16, 16);
  image->Draw(canvas.DC(), CPoint(0, 0), image->GetIcon());
  EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(2, 8));
  m->SetDrawReverted(TRUE);
  image->Draw(canvas.DC(), CPoint(0, 0), image->GetIcon());
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(2, 8));
  m->SetDrawReverted(FALSE);

  DibCanvas mono(16, 16);
  image->DrawMonochrome(mono.DC(), CPoint(0, 0), image->GetIcon(), RGB(0, 128, 0));
  EXPECT_EQ(RGB(0, 128, 0), mono.Pixel(8, 8));
}

TEST(ImageManager, ImageListsStandForRangesOfIds)
{
  Manager m;
  CImageList list;
  list.Attach(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 1));
  for (COLORREF c : {RGB(255, 0, 0), RGB(0, 255, 0)}) {
    HICON icon = SquareIcon(c);
    ImageList_AddIcon(list.GetSafeHandle(), icon);
    DestroyIcon(icon);
  }
  // Two ids, one image of the list each, in order.
  const UINT ids[] = {1000, 1001};
  ASSERT_TRUE(m->SetIconsFromImageList(&list, ids, 2, CSize(16, 16)));
  ASSERT_NE(nullptr, m->GetImage(1001, 16));
  DibCanvas canvas(16, 16);
  CTKPImageIcon* icon = m->GetImage(1001, 16);
  icon->Draw(canvas.DC(), CPoint(0, 0), icon->GetIcon());
  EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(8, 8));

  m->SetImageList(list.Detach(), 2000, TRUE);
  CTKPImageIcon* fromList = m->GetImage(2000, 16);
  ASSERT_NE(nullptr, fromList);
  EXPECT_EQ(fromList, m->GetImage(2000, 16));
  EXPECT_EQ(nullptr, m->GetImage(2002, 16));
  canvas.Fill(RGB(255, 255, 255));
  fromList->Draw(canvas.DC(), CPoint(0, 0), fromList->GetIcon());
  EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(8, 8));
}

TEST(ImageManager, IconResourcesByGroupEntry)
{
  CTKPIconHandle small;
  ASSERT_TRUE(small.LoadIconResource(500, 16, 16));
  EXPECT_EQ(CSize(16, 16), small.GetExtent());
  CTKPIconHandle large;
  ASSERT_TRUE(large.LoadIconResource(500, 32, 32));
  EXPECT_EQ(CSize(32, 32), large.GetExtent());
  CTKPIconHandle none;
  EXPECT_FALSE(none.LoadIconResource(500, 24, 24));
  EXPECT_TRUE(none.IsEmpty());
}

TEST(ImageManager, LowColourFadedIconIsAPlainCopy)
{
  Manager m;
  HICON icon = SquareIcon(RGB(0, 0, 0));
  m->SetIcon(CTKPIconHandle(icon), 81);
  DestroyIcon(icon);
  CTKPImageIcon* image = m->GetImage(81, 16);
  CTKPDisplayDepth::SetForcedBitsPerPixel(8);
  CTKPIconHandle& faded = image->GetFadedIcon();
  CTKPDisplayDepth::SetForcedBitsPerPixel(0);
  DibCanvas canvas(16, 16, RGB(0, 128, 0));
  image->Draw(canvas.DC(), CPoint(0, 0), faded);
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(8, 8));
}
