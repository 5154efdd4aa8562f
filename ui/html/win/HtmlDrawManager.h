#pragma once
// GDI drawing services of the text drawer and the message box: gradients and fill effects, tiles,
// lines and borders, and bitmaps and icons drawn transparently or alpha-blended, styled, with a
// drop shadow.

#include <windows.h>

#include "ui/html/win/DibSection.h"

namespace morvick::html {

struct HtmlShadow {
  bool on = true;
  int offsetX = 4;
  int offsetY = 4;
  int darkness = 50;  // percent, at most 100
  bool blur = true;
  int blurX = 7;
  int blurY = 7;
};

class CHtmlDrawManager {
 public:
  // 64 bands from one colour to another across the width (horizontal) or the height.
  static void Gradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool horizontal);
  // Effect ids -1 (nothing) to 15; any other id fills with colour 1.
  void FillEffect(HDC dc, int effect, const RECT& rect, COLORREF c1, COLORREF c2, COLORREF c3, int a = 0,
                  int b = 0);
  // Repeats a tile of src over an area, clipping the last column and row.
  static void Tile(HDC dc, int x, int y, int width, int height, HDC src, int srcX, int srcY, int tileWidth,
                   int tileHeight);
  // Pen style from the border style: 2 dashed, 3 dotted, 4 dash-dot, 5 dash-dot-dot, else solid.
  static void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int style, int width);
  // Left and top edges light, right and bottom dark; style 6 adds an inner line 2 pixels in.
  static void Border(HDC dc, const RECT& rect, COLORREF light, COLORREF dark, int style, int width);

  // Draws a bitmap stretched to width x height. With useTransparent, pixels of that colour are
  // left out; a bitmap with alpha is blended instead. style: image style bits.
  bool DrawBitmap(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, bool useTransparent,
                  COLORREF transparent, unsigned style, const HtmlShadow& shadow, COLORREF fillColour = 0);
  bool DrawIcon(HDC dc, int x, int y, int width, int height, HICON icon, unsigned style, const HtmlShadow& shadow,
                COLORREF fillColour = 0);

  static SIZE IconSize(HICON icon);
  static SIZE BitmapSize(HBITMAP bitmap);
  static HICON ResizeIcon(HICON icon, int width, int height);

  bool LastImageHadAlpha() const { return lastHadAlpha_; }
  CDibSection& Dib() { return dib_; }

 private:
  struct Image;
  bool Compose(HDC dc, int x, int y, const Image& image, unsigned style, const HtmlShadow& shadow, COLORREF fill);

  CDibSection dib_;
  bool lastHadAlpha_ = false;
};

}  // namespace morvick::html
