// The masked bitmap: opaque where it has no transparent pixel, invisible where it is all
// transparent, and pixel by pixel in between.
#include <gtest/gtest.h>

#include <functional>

#include "tests/ui/controls/ControlsTestSupport.h"
#include "ui/controls/win/MaskedBitmap.h"

namespace morvick::ui {
namespace {

using test::DibCanvas;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kGround = RGB(30, 60, 90);

// A device-dependent bitmap painted pixel by pixel.
void Fill(CMaskedBitmap& b, int w, int h, const std::function<COLORREF(int, int)>& colour) {
  HDC screen = GetDC(nullptr);
  b.Attach(CreateCompatibleBitmap(screen, w, h));
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, b.m_hObject);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) SetPixel(dc, x, y, colour(x, y));
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

TEST(MaskedBitmap, NoTransparentPixelDrawsAnOpaqueRectangle) {
  CMaskedBitmap b;
  Fill(b, 8, 6, [](int, int) { return RGB(200, 10, 10); });
  EXPECT_EQ(b.GetWidth(), 8);
  EXPECT_EQ(b.GetHeight(), 6);
  DibCanvas c(20, 20, kGround);
  b.Draw(c.Dc(), 3, 4);
  EXPECT_EQ(c.Count(RGB(200, 10, 10), RECT{3, 4, 11, 10}), 48);
  EXPECT_EQ(c.Count(kGround, RECT{0, 0, 20, 20}), 400 - 48);
}

TEST(MaskedBitmap, AllTransparentLeavesTheDestination) {
  CMaskedBitmap b;
  Fill(b, 8, 6, [](int, int) { return kWhite; });
  DibCanvas c(20, 20, kGround);
  b.Draw(c.Dc(), 3, 4);
  EXPECT_EQ(c.Count(kGround, RECT{0, 0, 20, 20}), 400);
}

// The mask is laid on with the destination's text and background colours, which Draw sets for
// itself and puts back afterwards, whatever they were.
TEST(MaskedBitmap, DrawsTheSameWhateverTheDestinationsColoursAndPutsThemBack) {
  CMaskedBitmap b;
  Fill(b, 4, 4, [](int x, int) { return x < 2 ? kWhite : RGB(200, 10, 10); });
  DibCanvas c(10, 10, kGround);
  SetBkColor(c.Dc(), RGB(1, 2, 3));
  SetTextColor(c.Dc(), RGB(250, 240, 230));
  b.Draw(c.Dc(), 2, 2);
  EXPECT_EQ(c.Count(RGB(200, 10, 10), RECT{4, 2, 6, 6}), 8);
  EXPECT_EQ(c.Count(kGround, RECT{0, 0, 10, 10}), 100 - 8);
  EXPECT_EQ(GetBkColor(c.Dc()), RGB(1, 2, 3));
  EXPECT_EQ(GetTextColor(c.Dc()), RGB(250, 240, 230));
}

TEST(MaskedBitmap, MixedPixelsAndAnotherKeyColour) {
  CMaskedBitmap b;
  auto pattern = [](int x, int y) { return (x + y) % 3 == 0 ? RGB(0, 255, 0) : RGB(x * 20, y * 30, 77); };
  Fill(b, 10, 8, pattern);
  DibCanvas c(20, 20, kGround);
  b.Draw(c.Dc(), 5, 5, RGB(0, 255, 0));
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 10; ++x) {
      const COLORREF expected = (x + y) % 3 == 0 ? kGround : pattern(x, y);
      EXPECT_EQ(c.At(5 + x, 5 + y), expected) << x << "," << y;
    }
  }
  CMaskedBitmap empty;
  empty.Draw(c.Dc(), 0, 0);  // no bitmap: nothing drawn
}

}  // namespace
}  // namespace morvick::ui
