#include "ui/html/win/DibSection.h"

#include <algorithm>
#include <cstring>

namespace morvick::html {

bool CDibSection::Create(int width, int height, int bpp) {
  Free();
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  stride_ = (bpp * width + 31) / 32 * 4;
  paletteEntries_ = bpp <= 8 ? (1 << bpp) : 0;
  bitsOffset_ = sizeof(BITMAPINFOHEADER) + paletteEntries_ * sizeof(RGBQUAD);
  block_.assign(bitsOffset_ + static_cast<size_t>(stride_) * height, 0);
  width_ = width;
  height_ = height;
  bpp_ = bpp;
  BITMAPINFOHEADER* h = Header();
  h->biSize = sizeof(BITMAPINFOHEADER);
  h->biWidth = width;
  h->biHeight = height;  // bottom-up rows
  h->biPlanes = 1;
  h->biBitCount = static_cast<WORD>(bpp);
  h->biCompression = BI_RGB;
  h->biSizeImage = static_cast<DWORD>(stride_) * height;
  h->biClrUsed = paletteEntries_;
  return true;
}

void CDibSection::ReleaseGdi() {
  if (memDc_) {
    SelectObject(memDc_, oldBitmap_);
    DeleteDC(memDc_);
    memDc_ = nullptr;
  }
  if (section_) {
    DeleteObject(section_);
    section_ = nullptr;
  }
  sectionBits_ = nullptr;
}

void CDibSection::Free() {
  ReleaseGdi();
  block_.clear();
  width_ = height_ = bpp_ = stride_ = paletteEntries_ = 0;
}

bool CDibSection::SetPaletteEntry(int index, BYTE r, BYTE g, BYTE b) {
  if (index < 0 || index >= paletteEntries_) return false;
  RGBQUAD& q = Palette()[index];
  q.rgbRed = r;
  q.rgbGreen = g;
  q.rgbBlue = b;
  q.rgbReserved = 0;
  return true;
}

void CDibSection::TintPalette(COLORREF c, int percent) {
  int p = std::clamp(percent, 0, 100);
  for (int i = 0; i < paletteEntries_; ++i) {
    RGBQUAD& q = Palette()[i];
    q.rgbRed = static_cast<BYTE>((q.rgbRed * (100 - p) + GetRValue(c) * p) / 100);
    q.rgbGreen = static_cast<BYTE>((q.rgbGreen * (100 - p) + GetGValue(c) * p) / 100);
    q.rgbBlue = static_cast<BYTE>((q.rgbBlue * (100 - p) + GetBValue(c) * p) / 100);
  }
}

void CDibSection::Fill(BYTE index) {
  if (!block_.empty()) std::memset(Bits(), index, static_cast<size_t>(stride_) * height_);
}

void CDibSection::SetPixel(int x, int y, BYTE index) {
  if (bpp_ != 8 || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Bits()[static_cast<size_t>(height_ - 1 - y) * stride_ + x] = index;
}

BYTE CDibSection::GetPixel(int x, int y) const {
  if (bpp_ != 8 || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return block_[bitsOffset_ + static_cast<size_t>(height_ - 1 - y) * stride_ + x];
}

bool CDibSection::Draw(HDC dc, int x, int y) {
  if (block_.empty() || !dc) return false;
  if (!section_) {
    section_ = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(block_.data()), DIB_RGB_COLORS, &sectionBits_,
                                nullptr, 0);
    if (!section_ || !sectionBits_) {
      ReleaseGdi();
      return false;
    }
    memDc_ = CreateCompatibleDC(dc);
    if (!memDc_) {
      ReleaseGdi();
      return false;
    }
    oldBitmap_ = SelectObject(memDc_, section_);
  }
  GdiFlush();
  std::memcpy(sectionBits_, Bits(), static_cast<size_t>(stride_) * height_);
  if (paletteEntries_ > 0) SetDIBColorTable(memDc_, 0, paletteEntries_, Palette());
  return BitBlt(dc, x, y, width_, height_, memDc_, 0, 0, SRCCOPY) != FALSE;
}

}  // namespace morvick::html
