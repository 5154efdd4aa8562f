#include "ui/msgbox/win/BitmapRegion.h"

#include "ui/msgbox/win/RegionBuilder.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace morvick::ui {

namespace {

struct Range {
    int lo[3];
    int hi[3];
};

Range KeyRange(COLORREF key)
{
    const int c[3] = {GetRValue(key), GetGValue(key), GetBValue(key)};
    Range r;
    for (int i = 0; i < 3; ++i) {
        if (key == RGB(0, 0, 0)) {
            r.lo[i] = 0;
            r.hi[i] = 16;
        } else if (key == RGB(255, 255, 255)) {
            r.lo[i] = 239;
            r.hi[i] = 255;
        } else {
            r.lo[i] = std::max(c[i] - 17, 0);
            r.hi[i] = std::min(c[i] + 17, 255);
        }
    }
    return r;
}

}  // namespace

HRGN CreateRegionFromBitmap(HBITMAP bitmap, COLORREF key, int method)
{
    BITMAP info = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return nullptr;
    const int w = info.bmWidth, h = info.bmHeight;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // rows from the top
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC src = CreateCompatibleDC(screen), dst = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    void* bits = nullptr;
    HBITMAP dib = src && dst ? CreateDIBSection(dst, &bi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    HRGN region = nullptr;
    if (dib && bits) {
        HGDIOBJ oldSrc = SelectObject(src, bitmap), oldDst = SelectObject(dst, dib);
        BitBlt(dst, 0, 0, w, h, src, 0, 0, SRCCOPY);
        GdiFlush();
        const Range range = KeyRange(key);
        const auto* px = static_cast<const std::uint32_t*>(bits);
        auto matches = [&](std::uint32_t p) {
            const int c[3] = {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                static_cast<int>(p & 0xFF)};
            for (int i = 0; i < 3; ++i) {
                if (c[i] < range.lo[i] || c[i] > range.hi[i])
                    return false;
            }
            return true;
        };
        const bool wantMatch = method == 0;
        RegionBuilder builder;
        for (int y = 0; y < h; ++y) {
            const std::uint32_t* row = px + static_cast<size_t>(y) * w;
            int x = 0;
            while (x < w) {
                const int start = x;
                while (x < w && matches(row[x]) == wantMatch)
                    ++x;
                if (x > start)
                    builder.Add(start, y, x, y + 1);
                ++x;  // past the pixel that ended the run
            }
        }
        // A batch that could not be made fails the whole region: part of a shape is not the shape.
        const bool made = builder.Flush();
        region = made ? builder.Take() : nullptr;
        if (made && !region)
            region = CreateRectRgn(0, 0, 0, 0);
        if (region && method == 0) {
            // The runs were the key colour's: the shape is everything else.
            HRGN all = CreateRectRgn(0, 0, w, h);
            const bool inverted = all && CombineRgn(region, region, all, RGN_XOR) != ERROR;
            if (all)
                DeleteObject(all);
            if (!inverted) {
                DeleteObject(region);
                region = nullptr;
            }
        }
        SelectObject(src, oldSrc);
        SelectObject(dst, oldDst);
    }
    if (dib)
        DeleteObject(dib);
    if (src)
        DeleteDC(src);
    if (dst)
        DeleteDC(dst);
    return region;
}

}  // namespace morvick::ui
