#include "preview/dxf/DxfColors.h"

#include <cmath>

namespace morvick {

namespace {

uint32_t Rgb(double r, double g, double b)
{
    auto c = [](double v) { return static_cast<uint32_t>(std::lround(v < 0 ? 0 : v > 255 ? 255 : v)); };
    return (c(r) << 16) | (c(g) << 8) | c(b);
}

// Hue h in [0, 360), full brightness, saturation 1 or 0.5.
uint32_t Hue(double h, double saturation, double brightness)
{
    double x = std::fmod(h / 60.0, 6.0);
    int sector = static_cast<int>(x);
    double f = x - sector;
    double r = 0, g = 0, b = 0;
    switch (sector) {
    case 0:
        r = 1;
        g = f;
        b = 0;
        break;
    case 1:
        r = 1 - f;
        g = 1;
        b = 0;
        break;
    case 2:
        r = 0;
        g = 1;
        b = f;
        break;
    case 3:
        r = 0;
        g = 1 - f;
        b = 1;
        break;
    case 4:
        r = f;
        g = 0;
        b = 1;
        break;
    default:
        r = 1;
        g = 0;
        b = 1 - f;
        break;
    }
    // Half saturation mixes with white.
    r = r * saturation + (1 - saturation);
    g = g * saturation + (1 - saturation);
    b = b * saturation + (1 - saturation);
    return Rgb(r * 255 * brightness, g * 255 * brightness, b * 255 * brightness);
}

}  // namespace

uint32_t DxfColorNumberToRgb(int number)
{
    if (number < 0)
        number = -number;
    switch (number) {
    case 1:
        return 0xFF0000;
    case 2:
        return 0xFFFF00;
    case 3:
        return 0x00FF00;
    case 4:
        return 0x00FFFF;
    case 5:
        return 0x0000FF;
    case 6:
        return 0xFF00FF;
    case 8:
        return 0x808080;
    case 9:
        return 0xC0C0C0;
    default:
        break;
    }
    if (number >= 10 && number <= 249) {
        int hue = (number - 10) / 10;
        int shade = (number - 10) % 10;
        static const double kBrightness[] = {1.0, 0.8, 0.6, 0.5, 0.3};
        return Hue(hue * 15.0, shade % 2 == 0 ? 1.0 : 0.5, kBrightness[shade / 2]);
    }
    if (number >= 250 && number <= 255) {
        static const uint32_t kGreys[] = {0x333333, 0x505050, 0x696969, 0x828282, 0xBEBEBE, 0xFFFFFF};
        return kGreys[number - 250];
    }
    return 0xFFFFFF;  // 7, and anything else
}

}  // namespace morvick
