// Pixels of the drawing services: gradients, fills, borders, images, alpha and shadows.

#include <gtest/gtest.h>

#include "tests/ui/win/DibCanvas.h"
#include "ui/html/HtmlColorMath.h"
#include "ui/html/HtmlObject.h"
#include "ui/html/win/HtmlDrawManager.h"

namespace morvick::html {
namespace {

using test::DibCanvas;

HBITMAP MakeBitmap32(int w, int h, std::uint32_t (*pixel)(int x, int y)) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* p = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) p[y * w + x] = pixel(x, y);
  }
  return b;
}

TEST(HtmlDrawManagerFills, NarrowGradientFillsOnlyBandsWithWidth) {
  DibCanvas c(3, 1);
  const COLORREF from = RGB(0, 0, 0), to = RGB(64, 128, 255);
  CHtmlDrawManager::Gradient(c.Dc(), RECT{0, 0, 3, 1}, from, to, true);
  // Band i covers [i * 3 / 64, (i + 1) * 3 / 64): the bands 21, 42 and 63 are the ones with width.
  EXPECT_EQ(c.At(0, 0), GradientBandColor(from, to, 21));
  EXPECT_EQ(c.At(1, 0), GradientBandColor(from, to, 42));
  EXPECT_EQ(c.At(2, 0), GradientBandColor(from, to, 63));
}

TEST(HtmlDrawManagerFills, SplitGradientsAndEffects) {
  CHtmlDrawManager m;
  DibCanvas c(5, 2);
  const COLORREF c1 = RGB(255, 0, 0), c2 = RGB(0, 255, 0), c3 = RGB(0, 0, 255);
  m.FillEffect(c.Dc(), 3, RECT{0, 0, 5, 2}, c1, c2, c3);
  // Odd width: 2 pixels on the left (colour 1 towards 3), 3 on the right (3 towards 1).
  EXPECT_EQ(c.At(0, 0), GradientBandColor(c1, c3, 31));
  EXPECT_EQ(c.At(1, 0), GradientBandColor(c1, c3, 63));
  EXPECT_EQ(c.At(2, 0), GradientBandColor(c3, c1, 21));
  EXPECT_EQ(c.At(4, 0), GradientBandColor(c3, c1, 63));
  m.FillEffect(c.Dc(), 99, RECT{0, 0, 5, 2}, c1, c2, c3);
  EXPECT_EQ(c.Count(c1, RECT{0, 0, 5, 2}), 10);
  c.Clear(RGB(1, 2, 3));
  m.FillEffect(c.Dc(), -1, RECT{0, 0, 5, 2}, c1, c2, c3);
  EXPECT_EQ(c.Count(RGB(1, 2, 3), RECT{0, 0, 5, 2}), 10);
  DibCanvas big(40, 30);
  const COLORREF grey = RGB(0xF2, 0xF2, 0xF2);
  m.FillEffect(big.Dc(), 12, RECT{0, 0, 40, 30}, grey, grey, grey);
  EXPECT_EQ(big.Count(grey, RECT{0, 0, 40, 30}), 40 * 30);
  m.FillEffect(big.Dc(), 10, RECT{0, 0, 40, 30}, RGB(255, 255, 255), RGB(128, 128, 128), RGB(0, 0, 0));
  EXPECT_NE(big.At(0, 5), big.At(39, 5));  // vshade runs across the width
}

TEST(HtmlDrawManagerLines, BorderEdgesTakeTheirColours) {
  DibCanvas c(20, 20);
  const COLORREF light = RGB(255, 0, 0), dark = RGB(0, 0, 255);
  CHtmlDrawManager::Border(c.Dc(), RECT{2, 2, 18, 18}, light, dark, 1, 2);
  EXPECT_EQ(c.At(2, 10), light);
  EXPECT_EQ(c.At(3, 10), light);
  EXPECT_EQ(c.At(10, 2), light);
  EXPECT_EQ(c.At(17, 10), dark);
  EXPECT_EQ(c.At(16, 10), dark);
  EXPECT_EQ(c.At(10, 17), dark);
  EXPECT_EQ(c.At(10, 10), RGB(255, 255, 255));
  c.Clear(RGB(255, 255, 255));
  CHtmlDrawManager::Border(c.Dc(), RECT{2, 2, 18, 18}, light, dark, 6, 1);
  EXPECT_EQ(c.At(2, 10), light);
  EXPECT_EQ(c.At(3, 10), RGB(255, 255, 255));
  EXPECT_EQ(c.At(4, 10), light);  // the inner line of the double border
}

TEST(HtmlDrawManagerImages, TransparentColourAndStyles) {
  HBITMAP b = MakeBitmap32(4, 4, [](int x, int) -> std::uint32_t { return x < 2 ? 0x00FF00 : 0x0000FF; });
  DibCanvas c(10, 10, RGB(9, 9, 9));
  CHtmlDrawManager m;
  HtmlShadow none;
  none.on = false;
  ASSERT_TRUE(m.DrawBitmap(c.Dc(), 1, 1, 4, 4, b, true, RGB(0, 255, 0), 0, none));
  EXPECT_EQ(c.At(1, 1), RGB(9, 9, 9));   // green left out
  EXPECT_EQ(c.At(3, 1), RGB(0, 0, 255));
  ASSERT_TRUE(m.DrawBitmap(c.Dc(), 5, 5, 4, 4, b, false, 0, kImageInvert, none));
  EXPECT_EQ(c.At(5, 5), RGB(255, 0, 255));
  EXPECT_FALSE(m.LastImageHadAlpha());
  DeleteObject(b);
}

TEST(HtmlDrawManagerImages, AlphaIsBlendedByHand) {
  // Half-transparent red (alpha 128), and a fully transparent column.
  HBITMAP b = MakeBitmap32(2, 1, [](int x, int) -> std::uint32_t { return x == 0 ? 0x80FF0000u : 0x00FF0000u; });
  DibCanvas c(2, 1, RGB(0, 0, 255));
  CHtmlDrawManager m;
  HtmlShadow none;
  none.on = false;
  ASSERT_TRUE(m.DrawBitmap(c.Dc(), 0, 0, 2, 1, b, false, 0, 0, none));
  EXPECT_TRUE(m.LastImageHadAlpha());
  const double a = 128 / 255.0;
  EXPECT_EQ(c.At(0, 0), MixColors(RGB(255, 0, 0), a, RGB(0, 0, 255), 1 - a));
  EXPECT_EQ(c.At(1, 0), RGB(0, 0, 255));
  DeleteObject(b);
}

TEST(HtmlDrawManagerImages, HardAndBlurredShadows) {
  HBITMAP b = MakeBitmap32(4, 4, [](int, int) -> std::uint32_t { return 0x000000FF; });
  CHtmlDrawManager m;
  HtmlShadow s;  // offset 4, 4; darkness 50
  DibCanvas c(20, 20, RGB(200, 200, 200));
  ASSERT_TRUE(m.DrawBitmap(c.Dc(), 2, 2, 4, 4, b, false, 0, kImageHardShadow, s));
  EXPECT_EQ(c.At(2, 2), RGB(0, 0, 255));
  EXPECT_EQ(c.At(8, 8), DarkenColor(RGB(200, 200, 200), 127 / 255.0));  // under the shadow only
  EXPECT_EQ(c.At(12, 12), RGB(200, 200, 200));
  DibCanvas d(20, 20, RGB(200, 200, 200));
  ASSERT_TRUE(m.DrawBitmap(d.Dc(), 2, 2, 4, 4, b, false, 0, kImageBlurShadow, s));
  COLORREF centre = d.At(7, 7), edge = d.At(9, 9);
  EXPECT_LT(GetRValue(centre), 200);
  EXPECT_GE(GetRValue(edge), GetRValue(centre));
  DeleteObject(b);
}

TEST(HtmlDrawManagerImages, IconSizeComesFromItsHotspot) {
  HICON icon = LoadIconW(nullptr, IDI_INFORMATION);
  SIZE s = CHtmlDrawManager::IconSize(icon);
  EXPECT_EQ(s.cx, GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(s.cy, GetSystemMetrics(SM_CYICON));
  EXPECT_EQ(CHtmlDrawManager::IconSize(nullptr).cx, 0);
  HICON small = CHtmlDrawManager::ResizeIcon(icon, 16, 16);
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(CHtmlDrawManager::IconSize(small).cx, 16);
  DibCanvas c(40, 40, RGB(255, 255, 255));
  HtmlShadow none;
  none.on = false;
  CHtmlDrawManager m;
  ASSERT_TRUE(m.DrawIcon(c.Dc(), 0, 0, 32, 32, icon, 0, none));
  RECT ink = c.InkBounds(RGB(255, 255, 255));
  EXPECT_LT(ink.left, ink.right);
  DestroyIcon(small);
}

TEST(HtmlDibSection, PaletteTintAndDraw) {
  CDibSection dib;
  ASSERT_TRUE(dib.Create(3, 2, 8));
  EXPECT_EQ(dib.Stride(), 4);
  EXPECT_EQ(dib.PaletteEntries(), 256);
  EXPECT_FALSE(dib.SetPaletteEntry(256, 1, 2, 3));
  dib.SetPaletteEntry(1, 10, 20, 30);
  dib.TintPalette(RGB(200, 100, 50), 150);  // acts as 100 %
  dib.SetPixel(2, 0, 1);
  dib.SetPixel(99, 99, 1);  // outside: ignored
  EXPECT_EQ(dib.GetPixel(2, 0), 1);
  DibCanvas c(3, 2);
  ASSERT_TRUE(dib.Draw(c.Dc(), 0, 0));
  EXPECT_EQ(c.At(2, 0), RGB(200, 100, 50));
  EXPECT_FALSE(dib.Create(0, 5, 8));
}

}  // namespace
}  // namespace morvick::html
