// Colour values of the toolkit as plain 32-bit numbers, so that the colour rules build and run on
// every platform. The layout is the Windows COLORREF one: 0x00BBGGRR, red in the low byte.
#pragma once

#include <cstdint>

typedef std::uint32_t TKColor;

// "No colour": an unset table entry or an unset end of a gradient.
const TKColor TK_COLOR_NONE = 0xFFFFFFFFu;

inline int TKGetRed(TKColor c) { return static_cast<int>(c & 0xFF); }
inline int TKGetGreen(TKColor c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int TKGetBlue(TKColor c) { return static_cast<int>((c >> 16) & 0xFF); }

inline TKColor TKMakeColor(int red, int green, int blue)
{
  return static_cast<TKColor>(red & 0xFF) | (static_cast<TKColor>(green & 0xFF) << 8) |
         (static_cast<TKColor>(blue & 0xFF) << 16);
}

inline int TKClampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
