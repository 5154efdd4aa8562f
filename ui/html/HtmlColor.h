#pragma once
// Colours of the text drawer, in the 0x00BBGGRR layout of a Win32 COLORREF.

#include <cstdint>

namespace morvick::html {

using HtmlColor = std::uint32_t;

constexpr HtmlColor HtmlRgb(unsigned r, unsigned g, unsigned b) {
  return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned HtmlRed(HtmlColor c) { return c & 0xFFu; }
constexpr unsigned HtmlGreen(HtmlColor c) { return (c >> 8) & 0xFFu; }
constexpr unsigned HtmlBlue(HtmlColor c) { return (c >> 16) & 0xFFu; }

}  // namespace morvick::html
