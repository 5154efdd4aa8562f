#pragma once
// Pixel work of the drawing services that needs no device: the shaded surfaces of fill effects 7-15
// (a 256-entry palette and one palette index per pixel) and the box blur of drop shadows.

#include <cstdint>
#include <vector>

#include "ui/html/HtmlColor.h"

namespace morvick::html {

// A deterministic stand-in for the runtime's rand(): values 0-32767, one sequence per surface, so
// that surfaces can be drawn from any thread and tested.
class HtmlNoise {
 public:
  explicit HtmlNoise(std::uint32_t seed = 1) : state_(seed) {}
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

 private:
  std::uint32_t state_;
};

struct HtmlShadedSurface {
  int width = 0;
  int height = 0;
  HtmlColor palette[256] = {};
  std::vector<std::uint8_t> indexes;  // rows from the top, width bytes each
};

// The palette runs colour 3 -> 2 -> 1 and is tinted towards colour 1 by tintPercent (at most 100).
void BuildShadingPalette(HtmlColor c1, HtmlColor c2, HtmlColor c3, int tintPercent, HtmlColor* palette);

// Effects 7 (noise) to 15 (metal). a is limited to 0-255 and b to 0-100.
HtmlShadedSurface ShadeSurface(int effect, int width, int height, HtmlColor c1, HtmlColor c2, HtmlColor c3, int a,
                               int b, std::uint32_t seed = 1);

// Averages values (width x height, rows from the top) over a box of boxWidth x boxHeight centred on
// each pixel, with outside counted as outsideValue, using a summed-area table.
std::vector<double> BoxAverage(const std::vector<std::uint8_t>& values, int width, int height, int boxWidth,
                               int boxHeight, std::uint8_t outsideValue);

}  // namespace morvick::html
