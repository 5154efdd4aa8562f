#pragma once
// A device-independent bitmap in one memory block (header, palette, bottom-up rows), turned into a
// GDI DIB section when it is drawn. The shaded fills render into an 8-bit one.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace morvick::html {

class CDibSection {
 public:
  CDibSection() = default;
  ~CDibSection() { Free(); }
  CDibSection(const CDibSection&) = delete;
  CDibSection& operator=(const CDibSection&) = delete;

  // Frees any previous image and allocates a zeroed one. False for sizes it cannot hold.
  bool Create(int width, int height, int bitsPerPixel);
  void Free();

  bool SetPaletteEntry(int index, BYTE red, BYTE green, BYTE blue);
  // Every palette entry moves towards colour by percent (at most 100).
  void TintPalette(COLORREF colour, int percent);
  void Fill(BYTE index);
  // x, y from the top-left corner; ignored outside the image.
  void SetPixel(int x, int y, BYTE index);
  BYTE GetPixel(int x, int y) const;
  // Copies the image to (x, y) of dc at its own size. False when GDI refuses.
  bool Draw(HDC dc, int x, int y);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return stride_; }
  int PaletteEntries() const { return paletteEntries_; }

 private:
  BITMAPINFOHEADER* Header() { return reinterpret_cast<BITMAPINFOHEADER*>(block_.data()); }
  RGBQUAD* Palette() { return reinterpret_cast<RGBQUAD*>(block_.data() + sizeof(BITMAPINFOHEADER)); }
  BYTE* Bits() { return block_.data() + bitsOffset_; }
  void ReleaseGdi();

  std::vector<BYTE> block_;
  size_t bitsOffset_ = 0;
  int width_ = 0;
  int height_ = 0;
  int bpp_ = 0;
  int stride_ = 0;
  int paletteEntries_ = 0;
  HBITMAP section_ = nullptr;
  void* sectionBits_ = nullptr;
  HDC memDc_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace morvick::html
