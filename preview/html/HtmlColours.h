// Colours of the markup: the named colours (without case) and "#rrggbb".
#pragma once

#include <cstdint>

// A colour as the drawing code takes it: red in the low byte (0x00BBGGRR).
typedef uint32_t HtmlColour;
constexpr HtmlColour kHtmlNoColour = 0xFFFFFFFFu;

constexpr HtmlColour HtmlRgb(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

// A name of the colour table, else an optional "#" and three pairs of hex digits for red, green and
// blue; a missing or bad pair gives 0.
HtmlColour ParseHtmlColour(const wchar_t* text);

// The number of names in the colour table.
int HtmlColourNameCount();
