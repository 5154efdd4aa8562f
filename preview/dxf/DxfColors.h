// The 256 colour numbers of DXF drawings as RGB (0xRRGGBB): 1 red, 2 yellow, 3 green, 4 cyan,
// 5 blue, 6 magenta, 7 white (shown on a black background), 8 and 9 greys, 10 to 249 twenty-four
// hues in five shades of full and half saturation, 250 to 255 greys.
#pragma once

#include <cstdint>

namespace morvick {

uint32_t DxfColorNumberToRgb(int number);

}  // namespace morvick
