#include "toolkit/common/IconPixels.h"

#include <cmath>

namespace tkpixels {
namespace {

// Sums of products such as 0.299 x 255 + 0.587 x 255 + 0.114 x 255 land a hair below the whole
// number they stand for; truncation must not turn white into 254.
const double kEpsilon = 1e-9;

std::uint8_t Truncate(double v)
{
  if (!(v > 0))
    return 0;
  if (v >= 255)
    return 255;
  return static_cast<std::uint8_t>(v + kEpsilon);
}

}  // namespace

void Premultiply(std::uint8_t* bgra, std::size_t pixelCount)
{
  for (std::size_t i = 0; i < pixelCount; ++i, bgra += 4) {
    const unsigned a = bgra[3];
    bgra[0] = static_cast<std::uint8_t>(bgra[0] * a / 255);
    bgra[1] = static_cast<std::uint8_t>(bgra[1] * a / 255);
    bgra[2] = static_cast<std::uint8_t>(bgra[2] * a / 255);
  }
}

std::uint8_t FadeChannel(std::uint8_t c) { return Truncate(c * 0.7 + 76.5); }

void FadePixel(std::uint8_t* bgra)
{
  bgra[0] = FadeChannel(bgra[0]);
  bgra[1] = FadeChannel(bgra[1]);
  bgra[2] = FadeChannel(bgra[2]);
}

TKColor ShadowColor(TKColor hotFill)
{
  return TKMakeColor(static_cast<int>(TKGetRed(hotFill) * 0.75), static_cast<int>(TKGetGreen(hotFill) * 0.75),
                     static_cast<int>(TKGetBlue(hotFill) * 0.75));
}

void SetPixelColor(std::uint8_t* bgra, TKColor color)
{
  bgra[0] = static_cast<std::uint8_t>(TKGetBlue(color));
  bgra[1] = static_cast<std::uint8_t>(TKGetGreen(color));
  bgra[2] = static_cast<std::uint8_t>(TKGetRed(color));
}

double Luminance(const std::uint8_t* bgra) { return (0.299 * bgra[2] + 0.587 * bgra[1] + 0.114 * bgra[0]) / 255.0; }

void GreyPixel(std::uint8_t* bgra)
{
  const std::uint8_t grey = Truncate(std::sqrt(Luminance(bgra)) * 255.0);
  bgra[0] = bgra[1] = bgra[2] = grey;
}

void TwoColorPixel(std::uint8_t* bgra, TKColor first, TKColor second)
{
  const double l = Luminance(bgra);
  bgra[0] = Truncate(TKGetBlue(second) * (1 - l) + TKGetBlue(first) * l);
  bgra[1] = Truncate(TKGetGreen(second) * (1 - l) + TKGetGreen(first) * l);
  bgra[2] = Truncate(TKGetRed(second) * (1 - l) + TKGetRed(first) * l);
}

}  // namespace tkpixels
