#include "ui/html/win/HtmlDrawManager.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ui/html/HtmlColorMath.h"
#include "ui/html/HtmlObject.h"
#include "ui/html/HtmlShading.h"

namespace morvick::html {

namespace {

void FillSolid(HDC dc, const RECT& r, COLORREF c) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  HBRUSH brush = CreateSolidBrush(c);
  if (!brush) return;
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// 32-bit pixels, rows from the top, 0x00RRGGBB with alpha in the top byte (DIB order).
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> px;
};

BITMAPINFO TopDown32(int w, int h) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

// Reads a bitmap at its own size. Monochrome and palette bitmaps come out as plain colours.
bool ReadBitmap(HBITMAP bmp, Pixels* out) {
  BITMAP info = {};
  if (!bmp || !GetObjectW(bmp, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return false;
  if (info.bmWidth > 8192 || info.bmHeight > 8192) return false;
  out->width = info.bmWidth;
  out->height = info.bmHeight;
  out->px.assign(static_cast<size_t>(info.bmWidth) * info.bmHeight, 0);
  BITMAPINFO bi = TopDown32(info.bmWidth, info.bmHeight);
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, bmp, 0, info.bmHeight, out->px.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return rows == info.bmHeight;
}

Pixels Scale(const Pixels& src, int w, int h) {
  if (src.width == w && src.height == h) return src;
  Pixels out;
  out.width = w;
  out.height = h;
  out.px.resize(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    int sy = static_cast<int>(static_cast<long long>(y) * src.height / h);
    for (int x = 0; x < w; ++x) {
      int sx = static_cast<int>(static_cast<long long>(x) * src.width / w);
      out.px[static_cast<size_t>(y) * w + x] = src.px[static_cast<size_t>(sy) * src.width + sx];
    }
  }
  return out;
}

bool ReadDc(HDC dc, int x, int y, int w, int h, Pixels* out) {
  BITMAPINFO bi = TopDown32(w, h);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) return false;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, dc, x, y, SRCCOPY);
  GdiFlush();
  out->width = w;
  out->height = h;
  out->px.assign(static_cast<const std::uint32_t*>(bits), static_cast<const std::uint32_t*>(bits) + static_cast<size_t>(w) * h);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(dib);
  return true;
}

void WriteDc(HDC dc, int x, int y, const Pixels& p) {
  BITMAPINFO bi = TopDown32(p.width, p.height);
  SetDIBitsToDevice(dc, x, y, p.width, p.height, 0, 0, 0, p.height, p.px.data(), &bi, DIB_RGB_COLORS);
}

std::uint32_t ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
COLORREF FromPixel(std::uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

}  // namespace

// An image read for drawing: colours, and which pixels are transparent (mask) or blended (alpha).
struct CHtmlDrawManager::Image {
  Pixels colour;
  std::vector<std::uint8_t> transparent;  // 1: left out
  bool alpha = false;
};

void CHtmlDrawManager::Gradient(HDC dc, const RECT& r, COLORREF from, COLORREF to, bool horizontal) {
  const int length = horizontal ? r.right - r.left : r.bottom - r.top;
  if (length <= 0 || r.right <= r.left || r.bottom <= r.top) return;
  for (int i = 0; i < 64; ++i) {
    int a = static_cast<int>(static_cast<long long>(i) * length / 64);
    int b = static_cast<int>(static_cast<long long>(i + 1) * length / 64);
    if (b <= a) continue;
    RECT band = r;
    if (horizontal) {
      band.left = r.left + a;
      band.right = r.left + b;
    } else {
      band.top = r.top + a;
      band.bottom = r.top + b;
    }
    FillSolid(dc, band, GradientBandColor(from, to, i));
  }
}

void CHtmlDrawManager::FillEffect(HDC dc, int effect, const RECT& r, COLORREF c1, COLORREF c2, COLORREF c3, int a,
                                  int b) {
  if (!dc || r.right <= r.left || r.bottom <= r.top) return;
  const int midX = r.left + (r.right - r.left) / 2;
  const int midY = r.top + (r.bottom - r.top) / 2;
  RECT first = r, second = r;
  switch (effect) {
    case -1: return;
    case 1: Gradient(dc, r, c1, c3, true); return;
    case 2: Gradient(dc, r, c1, c3, false); return;
    case 3:
    case 5:
      first.right = second.left = midX;
      Gradient(dc, first, c1, effect == 3 ? c3 : c2, true);
      Gradient(dc, second, effect == 3 ? c3 : c2, effect == 3 ? c1 : c3, true);
      return;
    case 4:
    case 6:
      first.bottom = second.top = midY;
      Gradient(dc, first, c1, effect == 4 ? c3 : c2, false);
      Gradient(dc, second, effect == 4 ? c3 : c2, effect == 4 ? c1 : c3, false);
      return;
    default: break;
  }
  if (effect < 7 || effect > 15) {
    FillSolid(dc, r, c1);
    return;
  }
  HtmlShadedSurface s = ShadeSurface(effect, r.right - r.left, r.bottom - r.top, c1, c2, c3, a, b);
  if (s.indexes.empty() || !dib_.Create(s.width, s.height, 8)) return;
  for (int i = 0; i < 256; ++i) {
    dib_.SetPaletteEntry(i, static_cast<BYTE>(HtmlRed(s.palette[i])), static_cast<BYTE>(HtmlGreen(s.palette[i])),
                         static_cast<BYTE>(HtmlBlue(s.palette[i])));
  }
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) dib_.SetPixel(x, y, s.indexes[static_cast<size_t>(y) * s.width + x]);
  }
  dib_.Draw(dc, r.left, r.top);
}

void CHtmlDrawManager::Tile(HDC dc, int x, int y, int w, int h, HDC src, int sx, int sy, int tw, int th) {
  if (!dc || !src || tw <= 0 || th <= 0) return;
  for (int cx = 0; cx < w; cx += tw) {
    for (int cy = 0; cy < h; cy += th) {
      BitBlt(dc, x + cx, y + cy, std::min(tw, w - cx), std::min(th, h - cy), src, sx, sy, SRCCOPY);
    }
  }
}

void CHtmlDrawManager::Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int style, int width) {
  int pen = PS_SOLID;
  switch (style) {
    case 2: pen = PS_DASH; break;
    case 3: pen = PS_DOT; break;
    case 4: pen = PS_DASHDOT; break;
    case 5: pen = PS_DASHDOTDOT; break;
    default: break;
  }
  HPEN p = CreatePen(pen, pen == PS_SOLID ? std::max(width, 1) : 1, colour);
  if (!p) return;
  HGDIOBJ old = SelectObject(dc, p);
  int oldBk = SetBkMode(dc, TRANSPARENT);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SetBkMode(dc, oldBk);
  SelectObject(dc, old);
  DeleteObject(p);
}

void CHtmlDrawManager::Border(HDC dc, const RECT& r, COLORREF light, COLORREF dark, int style, int width) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  auto frame = [&](int inset) {
    int l = r.left + inset, t = r.top + inset, rr = r.right - 1 - inset, b = r.bottom - 1 - inset;
    if (rr < l || b < t) return;
    Line(dc, l, t, rr + 1, t, light, style, 1);
    Line(dc, l, t, l, b + 1, light, style, 1);
    Line(dc, rr, t, rr, b + 1, dark, style, 1);
    Line(dc, l, b, rr + 1, b, dark, style, 1);
  };
  if (style == 6) {
    frame(0);
    frame(2);
    return;
  }
  for (int i = 0; i < std::max(width, 1); ++i) frame(i);
}

SIZE CHtmlDrawManager::IconSize(HICON icon) {
  SIZE s = {0, 0};
  ICONINFO ii = {};
  if (!icon || !GetIconInfo(icon, &ii)) return s;
  s.cx = static_cast<LONG>(ii.xHotspot * 2);
  s.cy = static_cast<LONG>(ii.yHotspot * 2);
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);
  return s;
}

SIZE CHtmlDrawManager::BitmapSize(HBITMAP bitmap) {
  SIZE s = {0, 0};
  BITMAP b = {};
  if (bitmap && GetObjectW(bitmap, sizeof(b), &b)) {
    s.cx = b.bmWidth;
    s.cy = b.bmHeight;
  }
  return s;
}

HICON CHtmlDrawManager::ResizeIcon(HICON icon, int w, int h) {
  if (!icon || w <= 0 || h <= 0) return nullptr;
  ICONINFO ii = {};
  if (!GetIconInfo(icon, &ii)) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC src = CreateCompatibleDC(screen), dst = CreateCompatibleDC(screen);
  HBITMAP colour = ii.hbmColor ? CreateCompatibleBitmap(screen, w, h) : nullptr;
  HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
  SIZE own = BitmapSize(ii.hbmMask);
  int maskHeight = ii.hbmColor ? own.cy : own.cy / 2;
  SetStretchBltMode(dst, COLORONCOLOR);
  if (colour) {
    SIZE cs = BitmapSize(ii.hbmColor);
    HGDIOBJ o1 = SelectObject(src, ii.hbmColor), o2 = SelectObject(dst, colour);
    StretchBlt(dst, 0, 0, w, h, src, 0, 0, cs.cx, cs.cy, SRCCOPY);
    SelectObject(src, o1);
    SelectObject(dst, o2);
  }
  HGDIOBJ o1 = SelectObject(src, ii.hbmMask), o2 = SelectObject(dst, mask);
  StretchBlt(dst, 0, 0, w, h, src, 0, 0, own.cx, maskHeight, SRCCOPY);
  SelectObject(src, o1);
  SelectObject(dst, o2);
  ICONINFO made = {TRUE, static_cast<DWORD>(w / 2), static_cast<DWORD>(h / 2), mask, colour ? colour : mask};
  HICON result = CreateIconIndirect(&made);
  DeleteDC(src);
  DeleteDC(dst);
  ReleaseDC(nullptr, screen);
  if (colour) DeleteObject(colour);
  DeleteObject(mask);
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  return result;
}

bool CHtmlDrawManager::DrawBitmap(HDC dc, int x, int y, int w, int h, HBITMAP bitmap, bool useTransparent,
                                  COLORREF transparent, unsigned style, const HtmlShadow& shadow, COLORREF fill) {
  Pixels own;
  if (!dc || w <= 0 || h <= 0 || !ReadBitmap(bitmap, &own)) return false;
  Image img;
  img.colour = Scale(own, w, h);
  img.transparent.assign(img.colour.px.size(), 0);
  for (std::uint32_t p : img.colour.px) {
    if (p >= 0x01000000u) img.alpha = true;
  }
  const std::uint32_t key = ToPixel(transparent);
  for (size_t i = 0; i < img.colour.px.size(); ++i) {
    std::uint32_t p = img.colour.px[i];
    if (img.alpha) img.transparent[i] = (p >> 24) == 0;
    else if (useTransparent) img.transparent[i] = (p & 0xFFFFFF) == key;
  }
  return Compose(dc, x, y, img, style, shadow, fill);
}

bool CHtmlDrawManager::DrawIcon(HDC dc, int x, int y, int w, int h, HICON icon, unsigned style,
                                const HtmlShadow& shadow, COLORREF fill) {
  ICONINFO ii = {};
  if (!dc || w <= 0 || h <= 0 || !icon || !GetIconInfo(icon, &ii)) return false;
  Pixels colour, mask;
  bool ok = ReadBitmap(ii.hbmMask, &mask);
  if (ok && ii.hbmColor) {
    ok = ReadBitmap(ii.hbmColor, &colour);
  } else if (ok) {
    // A monochrome icon: the mask's top half is the AND mask, its bottom half the image.
    int half = mask.height / 2;
    colour.width = mask.width;
    colour.height = half;
    colour.px.assign(mask.px.begin() + static_cast<size_t>(half) * mask.width, mask.px.end());
    mask.height = half;
    mask.px.resize(static_cast<size_t>(half) * mask.width);
  }
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);
  if (!ok || colour.width <= 0 || colour.height <= 0 || mask.height <= 0) return false;
  Image img;
  img.colour = Scale(colour, w, h);
  Pixels m = Scale(mask, w, h);
  img.transparent.assign(img.colour.px.size(), 0);
  for (std::uint32_t p : img.colour.px) {
    if (p >= 0x01000000u) img.alpha = true;
  }
  for (size_t i = 0; i < img.colour.px.size(); ++i) {
    img.transparent[i] = img.alpha ? (img.colour.px[i] >> 24) == 0 : (m.px[i] & 0xFFFFFF) != 0;
  }
  return Compose(dc, x, y, img, style, shadow, fill);
}

bool CHtmlDrawManager::Compose(HDC dc, int x, int y, const Image& img, unsigned style, const HtmlShadow& shadow,
                               COLORREF fill) {
  lastHadAlpha_ = img.alpha;
  const int w = img.colour.width, h = img.colour.height;
  const bool wantShadow = (style & (kImageHardShadow | kImageBlurShadow)) != 0;
  int ix = x, iy = y;
  if (!wantShadow && shadow.on && (style & kImageShadowRequest)) {
    ix += shadow.offsetX;
    iy += shadow.offsetY;
  }
  const int sx = x + shadow.offsetX, sy = y + shadow.offsetY;
  RECT area = {ix, iy, ix + w, iy + h};
  if (wantShadow) {
    area.left = std::min<LONG>(area.left, sx);
    area.top = std::min<LONG>(area.top, sy);
    area.right = std::max<LONG>(area.right, sx + w);
    area.bottom = std::max<LONG>(area.bottom, sy + h);
  }
  Pixels dest;
  if (!ReadDc(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, &dest)) return false;
  auto at = [&](int px, int py) -> std::uint32_t& {
    return dest.px[static_cast<size_t>(py - area.top) * dest.width + (px - area.left)];
  };
  if (wantShadow) {
    const int darkness = std::clamp(shadow.darkness, 0, 100);
    const std::uint8_t grey = static_cast<std::uint8_t>(255 * (100 - darkness) / 100);
    std::vector<std::uint8_t> m(img.transparent.size());
    for (size_t i = 0; i < m.size(); ++i) m[i] = img.transparent[i] ? 255 : grey;
    std::vector<double> factor(m.size());
    if (style & kImageBlurShadow) {
      std::vector<double> avg = BoxAverage(m, w, h, shadow.blurX, shadow.blurY, 255);
      for (size_t i = 0; i < m.size(); ++i) factor[i] = avg[i] / 255.0;
    } else {
      for (size_t i = 0; i < m.size(); ++i) factor[i] = m[i] / 255.0;
    }
    for (int yy = 0; yy < h; ++yy) {
      for (int xx = 0; xx < w; ++xx) {
        double f = factor[static_cast<size_t>(yy) * w + xx];
        if (f >= 1.0) continue;
        std::uint32_t& d = at(sx + xx, sy + yy);
        d = ToPixel(DarkenColor(FromPixel(d), f));
      }
    }
  }
  for (int yy = 0; yy < h; ++yy) {
    for (int xx = 0; xx < w; ++xx) {
      size_t i = static_cast<size_t>(yy) * w + xx;
      if (img.transparent[i]) continue;
      std::uint32_t p = img.colour.px[i];
      COLORREF c = StyleColor(FromPixel(p), style, fill);
      std::uint32_t& d = at(ix + xx, iy + yy);
      if (img.alpha) {
        double a = (p >> 24) / 255.0;
        d = ToPixel(MixColors(c, a, FromPixel(d), 1.0 - a));
      } else {
        d = ToPixel(c);
      }
    }
  }
  WriteDc(dc, area.left, area.top, dest);
  return true;
}

}  // namespace morvick::html
