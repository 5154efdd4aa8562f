#include "ui/html/HtmlColorMath.h"

#include <algorithm>

#include "ui/html/HtmlObject.h"

namespace morvick::html {

namespace {
unsigned Channel(double v) { return static_cast<unsigned>(std::clamp(v, 0.0, 255.0)); }
}  // namespace

HtmlColor GreyColor(HtmlColor c) {
  // In integers: the same weights, and white stays white on every floating-point unit.
  unsigned l = (299 * HtmlRed(c) + 587 * HtmlGreen(c) + 114 * HtmlBlue(c)) / 1000;
  return HtmlRgb(l, l, l);
}

HtmlColor InvertColor(HtmlColor c) { return HtmlRgb(255 - HtmlRed(c), 255 - HtmlGreen(c), 255 - HtmlBlue(c)); }

HtmlColor DarkenColor(HtmlColor c, double f) {
  if (!(f >= 0.0 && f < 1.0)) return c;
  return HtmlRgb(Channel(HtmlRed(c) * f), Channel(HtmlGreen(c) * f), Channel(HtmlBlue(c) * f));
}

HtmlColor LightenColor(HtmlColor c, double f) {
  if (!(f > 0.0 && f < 1.0)) return c;
  return HtmlRgb(Channel(HtmlRed(c) * (1 + f)), Channel(HtmlGreen(c) * (1 + f)), Channel(HtmlBlue(c) * (1 + f)));
}

HtmlColor MixColors(HtmlColor a, double wa, HtmlColor b, double wb) {
  return HtmlRgb(Channel(HtmlRed(a) * wa + HtmlRed(b) * wb), Channel(HtmlGreen(a) * wa + HtmlGreen(b) * wb),
                 Channel(HtmlBlue(a) * wa + HtmlBlue(b) * wb));
}

HtmlColor GradientBandColor(HtmlColor from, HtmlColor to, int band) {
  auto ch = [band](unsigned f, unsigned t) {
    return static_cast<unsigned>(static_cast<int>(f) + (static_cast<int>(t) - static_cast<int>(f)) * band / 64);
  };
  return HtmlRgb(ch(HtmlRed(from), HtmlRed(to)), ch(HtmlGreen(from), HtmlGreen(to)), ch(HtmlBlue(from), HtmlBlue(to)));
}

HtmlColor StyleColor(HtmlColor c, unsigned style, HtmlColor fillColor) {
  if (style & kImageGrey) c = GreyColor(c);
  if (style & kImageDark) c = DarkenColor(c, 0.75);
  if (style & kImageLight) c = LightenColor(c, 0.25);
  if (style & kImageFill) c = fillColor;
  if (style & kImageInvert) c = InvertColor(c);
  return c;
}

}  // namespace morvick::html
