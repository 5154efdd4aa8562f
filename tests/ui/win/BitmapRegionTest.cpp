// Regions from bitmaps with a key colour, checked with PtInRegion.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "ui/msgbox/win/BitmapRegion.h"
#include "ui/msgbox/win/RegionBuilder.h"

namespace morvick::ui {
namespace {

HBITMAP Make(int w, int h, const std::function<COLORREF(int, int)>& colour)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            COLORREF c = colour(x, y);
            p[y * w + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
    return b;
}

// The bounding box of a region.
RECT Box(HRGN r)
{
    RECT box = {};
    GetRgnBox(r, &box);
    return box;
}

const COLORREF kGreen = RGB(0, 255, 0);

TEST(BitmapRegion, AllKeyIsEmptyAndNoKeyIsTheWholeRectangle)
{
    HBITMAP green = Make(10, 8, [](int, int) { return kGreen; });
    HRGN r = CreateRegionFromBitmap(green, kGreen, 0);
    ASSERT_NE(r, nullptr);
    RECT box = {};
    EXPECT_EQ(GetRgnBox(r, &box), NULLREGION);
    DeleteObject(r);
    HBITMAP grey = Make(10, 8, [](int, int) { return RGB(128, 128, 128); });
    r = CreateRegionFromBitmap(grey, kGreen, 0);
    RECT b = Box(r);
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(b.right, 10);
    EXPECT_EQ(b.bottom, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x)
            EXPECT_TRUE(PtInRegion(r, x, y));
    }
    DeleteObject(r);
    EXPECT_EQ(CreateRegionFromBitmap(nullptr, kGreen, 0), nullptr);
    DeleteObject(green);
    DeleteObject(grey);
}

TEST(BitmapRegion, KeyTolerances)
{
    // Columns with channel values 0..40 in steps of 1 (grey).
    HBITMAP ramp = Make(41, 1, [](int x, int) { return RGB(x, x, x); });
    HRGN r = CreateRegionFromBitmap(ramp, RGB(16, 16, 16), 1);  // the shape: what does not match
    EXPECT_FALSE(PtInRegion(r, 0, 0));
    EXPECT_FALSE(PtInRegion(r, 33, 0));
    EXPECT_TRUE(PtInRegion(r, 34, 0));
    DeleteObject(r);
    r = CreateRegionFromBitmap(ramp, RGB(0, 0, 0), 0);
    EXPECT_FALSE(PtInRegion(r, 16, 0));
    EXPECT_TRUE(PtInRegion(r, 17, 0));
    DeleteObject(r);
    DeleteObject(ramp);
    HBITMAP light = Make(20, 1, [](int x, int) { return RGB(236 + x, 236 + x, 236 + x); });
    r = CreateRegionFromBitmap(light, RGB(255, 255, 255), 0);  // the shape is what is not white
    EXPECT_TRUE(PtInRegion(r, 2, 0));                          // 238
    EXPECT_FALSE(PtInRegion(r, 3, 0));                         // 239
    DeleteObject(r);
    DeleteObject(light);
}

TEST(BitmapRegion, CheckerboardNeedsSeveralFlushesAndBothMethodsAgree)
{
    auto checker = [](int x, int y) { return ((x + y) & 1) ? kGreen : RGB(200, 0, 0); };
    HBITMAP b = Make(200, 200, checker);  // 20,000 runs: more than one batch of 3,000
    HRGN shape = CreateRegionFromBitmap(b, kGreen, 0);
    HRGN other = CreateRegionFromBitmap(b, kGreen, 1);
    ASSERT_NE(shape, nullptr);
    ASSERT_NE(other, nullptr);
    for (int y = 0; y < 200; y += 7) {
        for (int x = 0; x < 200; x += 3) {
            const bool green = checker(x, y) == kGreen;
            EXPECT_EQ(PtInRegion(shape, x, y) != FALSE, !green) << x << "," << y;
            EXPECT_EQ(PtInRegion(other, x, y) != FALSE, !green) << x << "," << y;
        }
    }
    DeleteObject(shape);
    DeleteObject(other);
    DeleteObject(b);
}

// A builder that cannot make the region of its second batch of rectangles.
class SecondBatchFails : public RegionBuilder {
protected:
    HRGN MakePart(const RGNDATA* data, DWORD size) override
    {
        return ++batches_ == 2 ? nullptr : RegionBuilder::MakePart(data, size);
    }

private:
    int batches_ = 0;
};

TEST(BitmapRegion, ABatchThatCannotBeMadeFailsTheWholeRegion)
{
    SecondBatchFails builder;
    for (int y = 0; y < 7000; ++y)
        builder.Add(0, y, 1 + y % 5, y + 1);  // three batches
    EXPECT_FALSE(builder.Flush());
    EXPECT_EQ(builder.Take(), nullptr);
}

}  // namespace
}  // namespace morvick::ui
