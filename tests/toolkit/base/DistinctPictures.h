// The pictures one scene gives in each theme of a family, compared pixel by pixel: every theme must
// look its own way, so no two of them may draw pictures that differ in only a few pixels.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

struct ThemePicture {
    int theme;
    int width, height;
    std::vector<COLORREF> pixels;
};

// The picture of a width x height area read through pixel(x, y).
template <class PixelOf>
ThemePicture ReadThemePicture(int theme, int width, int height, PixelOf pixel)
{
    ThemePicture picture = {theme, width, height, {}};
    picture.pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(pixel(x, y));
    return picture;
}

// How many pixels two pictures differ in (every pixel when their sizes differ).
inline size_t DifferingPixels(const ThemePicture& a, const ThemePicture& b)
{
    if (a.width != b.width || a.height != b.height)
        return a.pixels.size() > b.pixels.size() ? a.pixels.size() : b.pixels.size();
    size_t n = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        n += a.pixels[i] != b.pixels[i] ? 1 : 0;
    return n;
}

// A theme looks its own way when its picture differs from every other one in at least this share of
// the pixels: a line or a patch a person sees, not a stray pixel or two.
const double kVisibleShare = 0.002;

// The pairs of themes whose pictures differ in less than a visible share of their pixels, as
// "3 ~ 5 (0.10 %), 9 ~ 10 (0.00 %)"; empty when every picture is visibly its own.
inline std::string AlikePictures(const std::vector<ThemePicture>& pictures, double minShare = kVisibleShare)
{
    std::ostringstream alike;
    alike.setf(std::ios::fixed);
    alike.precision(2);
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j) {
            const size_t total = std::max(pictures[i].pixels.size(), pictures[j].pixels.size());
            const double share = total == 0 ? 0.0 : double(DifferingPixels(pictures[i], pictures[j])) / total;
            if (share < minShare)
                alike << (alike.tellp() > 0 ? ", " : "") << pictures[i].theme << " ~ " << pictures[j].theme << " ("
                      << share * 100 << " %)";
        }
    return alike.str();
}
