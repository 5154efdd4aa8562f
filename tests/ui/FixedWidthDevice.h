#pragma once
// A measuring stand-in for the layout tests: every character is kCharWidth pixels wide, a font of
// size s is s pixels high with a descent of s / 5.

#include <string>

#include "ui/html/HtmlDevice.h"

namespace morvick::html::test {

class FixedWidthDevice : public HtmlDevice {
 public:
  static constexpr int kCharWidth = 10;

  HtmlFontMetrics SelectFont(const HtmlFontSpec& font) override {
    current = font;
    ++selects;
    HtmlFontMetrics m;
    m.height = font.size;
    m.descent = font.size / 5;
    m.ascent = m.height - m.descent;
    m.xHeight = font.size / 2;
    return m;
  }
  void TextExtents(const wchar_t*, size_t length, int* cumulative) override {
    for (size_t i = 0; i < length; ++i) cumulative[i] = static_cast<int>(i + 1) * kCharWidth;
  }
  int PixelsPerInchY() override { return 96; }
  HtmlSize ObjectSize(const HtmlObjectSpec& o) override {
    if (o.handle != 0) return HtmlSize{32, 32};
    return HtmlSize{o.cx, o.cy};
  }
  std::wstring ObjectString(const HtmlObjectSpec& o) override {
    return o.idres > 0 ? L"S" + std::to_wstring(o.idres) : std::wstring();
  }

  HtmlFontSpec current;
  int selects = 0;
};

}  // namespace morvick::html::test
