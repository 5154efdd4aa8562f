#pragma once
// Colour arithmetic of the drawing services.

#include "ui/html/HtmlColor.h"

namespace morvick::html {

HtmlColor GreyColor(HtmlColor c);
HtmlColor InvertColor(HtmlColor c);
// factor in [0, 1): each channel times factor; otherwise the colour is returned unchanged.
HtmlColor DarkenColor(HtmlColor c, double factor);
// factor in (0, 1): each channel times (1 + factor), at most 255; otherwise unchanged.
HtmlColor LightenColor(HtmlColor c, double factor);
HtmlColor MixColors(HtmlColor a, double weightA, HtmlColor b, double weightB);
// The colour of band i (0-63) of a 64-band gradient from one colour to another.
HtmlColor GradientBandColor(HtmlColor from, HtmlColor to, int band);
// Applies the image style bits (grey, dark, light, fill with fillColor, invert) to one colour.
HtmlColor StyleColor(HtmlColor c, unsigned style, HtmlColor fillColor);

}  // namespace morvick::html
