// Pixel arithmetic of the image manager's derived images, on 32-bit pixels in DIB order (blue,
// green, red, alpha bytes): premultiplying for alpha blending, the faded, shadow and disabled looks.
#pragma once

#include "toolkit/common/ColorTypes.h"

#include <cstddef>
#include <cstdint>

namespace tkpixels {

// Colour channels times alpha / 255, truncated; alpha kept.
void Premultiply(std::uint8_t* bgra, std::size_t pixelCount);

// 30 per cent towards white: trunc(c x 0.7 + 76.5).
std::uint8_t FadeChannel(std::uint8_t c);
void FadePixel(std::uint8_t* bgra);

// The shadow colour made from the toolkit's hot fill: each channel x 0.75, truncated.
TKColor ShadowColor(TKColor hotFill);
void SetPixelColor(std::uint8_t* bgra, TKColor color);

// Luminance 0..1 of a pixel.
double Luminance(const std::uint8_t* bgra);
// Grey disabled look: trunc(sqrt(L) x 255) on all three channels.
void GreyPixel(std::uint8_t* bgra);
// Two-colour disabled look: dark pixels take the second colour, light ones the first.
void TwoColorPixel(std::uint8_t* bgra, TKColor first, TKColor second);

}  // namespace tkpixels
