// The pictures one scene gives in each theme of a family, compared pixel by pixel: every theme must
// look its own way, so no two of them may draw the same picture.
#pragma once

#include <windows.h>

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

// The pairs of themes whose pictures are the same, as "3 = 5, 9 = 10"; empty when every picture
// is its own.
inline std::string SamePictures(const std::vector<ThemePicture>& pictures)
{
    std::ostringstream same;
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j)
            if (DifferingPixels(pictures[i], pictures[j]) == 0)
                same << (same.tellp() > 0 ? ", " : "") << pictures[i].theme << " = " << pictures[j].theme;
    return same.str();
}
