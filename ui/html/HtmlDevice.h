#pragma once
// What the layout needs from a device: fonts and their text widths, and the sizes of inline images.
// The product measures with a GDI device context; tests use a fixed-width stand-in.

#include <cstddef>
#include <string>

#include "ui/html/HtmlObject.h"
#include "ui/html/HtmlStyle.h"

namespace morvick::html {

struct HtmlFontMetrics {
  int height = 0;  // cell height
  int ascent = 0;
  int descent = 0;
  int xHeight = 0;
};

struct HtmlSize {
  int cx = 0;
  int cy = 0;
};

class HtmlDevice {
 public:
  virtual ~HtmlDevice() = default;
  // Makes a font current for the next measurements and returns its metrics.
  virtual HtmlFontMetrics SelectFont(const HtmlFontSpec& font) = 0;
  // Fills cumulative[i] with the width of the first i + 1 characters in the current font.
  virtual void TextExtents(const wchar_t* text, size_t length, int* cumulative) = 0;
  virtual int PixelsPerInchY() = 0;
  // The size an inline image takes; 0 x 0 when it cannot be loaded.
  virtual HtmlSize ObjectSize(const HtmlObjectSpec& object) = 0;
  // The text of a string object; empty when it cannot be loaded.
  virtual std::wstring ObjectString(const HtmlObjectSpec& object) = 0;
};

}  // namespace morvick::html
