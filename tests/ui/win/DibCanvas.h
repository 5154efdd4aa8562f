#pragma once
// A 32-bit top-down DIB section selected into a memory DC, for reading what was drawn.

#include <windows.h>

#include <cstdint>

#include "tests/support/win/InkColour.h"

namespace morvick::test {

class DibCanvas {
 public:
  DibCanvas(int width, int height, COLORREF background = RGB(255, 255, 255)) : width_(width), height_(height) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    Clear(background);
  }
  ~DibCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Clear(COLORREF c) {
    RECT r = {0, 0, width_, height_};
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc_, &r, b);
    DeleteObject(b);
  }
  COLORREF At(int x, int y) const {
    GdiFlush();
    std::uint32_t p = bits_[static_cast<size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Number of pixels of a colour inside a rectangle.
  int Count(COLORREF c, RECT r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == c;
    }
    return n;
  }
  // Number of pixels inside a rectangle inked in colour c over a background (see InkColour.h);
  // without one, over the rectangle's most frequent colour.
  int CountInk(COLORREF c, COLORREF background, RECT r) const {
    return test::CountInk([this](int x, int y) { return At(x, y); }, c, background, r);
  }
  int CountInk(COLORREF c, RECT r) const {
    return test::CountInk([this](int x, int y) { return At(x, y); }, c, r);
  }
  // The bounding box of pixels that differ from a colour (empty when none).
  RECT InkBounds(COLORREF background) const {
    RECT r = {width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (At(x, y) == background) continue;
        r.left = x < r.left ? x : r.left;
        r.top = y < r.top ? y : r.top;
        r.right = x + 1 > r.right ? x + 1 : r.right;
        r.bottom = y + 1 > r.bottom ? y + 1 : r.bottom;
      }
    }
    return r;
  }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// The percentage of an icon's own pixels (drawn alone on background) that the canvas shows at
// (x, y); -1 when the icon draws nothing.
inline int IconMatchPercent(const DibCanvas& canvas, int x, int y, HICON icon, COLORREF background) {
  DibCanvas alone(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), background);
  DrawIconEx(alone.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
  int matches = 0, total = 0;
  for (int iy = 0; iy < alone.Height(); ++iy) {
    for (int ix = 0; ix < alone.Width(); ++ix) {
      if (alone.At(ix, iy) == background) continue;
      ++total;
      matches += canvas.At(x + ix, y + iy) == alone.At(ix, iy);
    }
  }
  return total == 0 ? -1 : matches * 100 / total;
}

}  // namespace morvick::test
