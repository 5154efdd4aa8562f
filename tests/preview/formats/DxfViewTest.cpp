// The view maths of the drawing library (fit, zoom about the centre, pan, limits) and its painting
// through a canvas, checked on a few pixels of ezdxf's crossing lines.
#include "preview/dxf/DxfDeviceUnits.h"
#include "preview/dxf/DxfView.h"
#include "tests/preview/formats/FormatSamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace morvick::test {
namespace {

// A canvas of pixels: lines by Bresenham, polygons and texts by their points only.
class PixelCanvas : public DxfCanvas {
public:
    PixelCanvas(int width, int height) : m_width(width), m_height(height), m_pixels(width * height, 0x123456) {}

    void FillBackground(int left, int top, int right, int bottom) override
    {
        for (int y = std::max(top, 0); y < std::min(bottom, m_height); ++y)
            for (int x = std::max(left, 0); x < std::min(right, m_width); ++x)
                m_pixels[y * m_width + x] = 0;
    }
    void Polyline(const DxfScreenPoint* points, size_t count, uint32_t color) override
    {
        ++polylines;
        for (size_t i = 0; i + 1 < count; ++i) {
            EXPECT_LT(std::abs(points[i].x), 1 << 20);
            EXPECT_LT(std::abs(points[i].y), 1 << 20);
            Line(points[i], points[i + 1], color);
        }
    }
    void Polygon(const DxfScreenPoint* points, size_t count, uint32_t color) override
    {
        for (size_t i = 0; i < count; ++i)
            Set(points[i].x, points[i].y, color);
    }
    void Dot(int x, int y, uint32_t color) override { Set(x, y, color); }
    void Text(int x, int y, const std::string& text, int height, double, uint32_t, bool) override
    {
        texts.push_back(text);
        textHeights.push_back(height);
        textPlaces.push_back({x, y});
    }

    uint32_t At(int x, int y) const { return m_pixels[y * m_width + x]; }
    int polylines = 0;
    std::vector<std::string> texts;
    std::vector<int> textHeights;
    std::vector<DxfScreenPoint> textPlaces;

private:
    void Set(int x, int y, uint32_t color)
    {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height)
            m_pixels[y * m_width + x] = color;
    }
    void Line(DxfScreenPoint a, DxfScreenPoint b, uint32_t color)
    {
        int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
        int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1, err = dx + dy;
        for (int steps = 0; steps < 100000; ++steps) {
            Set(a.x, a.y, color);
            if (a.x == b.x && a.y == b.y)
                break;
            int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                a.x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                a.y += sy;
            }
        }
    }
    int m_width, m_height;
    std::vector<uint32_t> m_pixels;
};

DxfViewProperties Window(int width, int height)
{
    DxfViewProperties v;
    v.right = width;
    v.bottom = height;
    return v;
}

DxfExtents Box(double x0, double y0, double x1, double y1)
{
    DxfExtents e;
    e.Add({x0, y0});
    e.Add({x1, y1});
    return e;
}

// The drawing point shown at a window pixel.
DxfPoint At(const DxfViewProperties& v, double px, double py)
{
    double s = v.pixelsPerUnit * v.zoom;
    return {v.originX + (px - v.left) / s, v.originY + (v.bottom - py) / s};
}

TEST(DxfViewMaths, FittingTheExtents)
{
    DxfViewProperties v = Window(200, 100);
    ASSERT_TRUE(DxfZoomExtents(v, Box(0, 0, 100, 100)));
    EXPECT_DOUBLE_EQ(v.zoom, 1.0);
    EXPECT_NEAR(v.pixelsPerUnit, 0.95, 1e-12);
    DxfPoint centre = At(v, 100, 50);
    EXPECT_NEAR(centre.x, 50, 1e-9);
    EXPECT_NEAR(centre.y, 50, 1e-9);
    // One point, or a straight line, still gets a usable scale; nothing to fit, no window: false.
    ASSERT_TRUE(DxfZoomExtents(v, Box(5, 5, 5, 5)));
    EXPECT_TRUE(DxfViewUsable(v));
    ASSERT_TRUE(DxfZoomExtents(v, Box(0, 7, 50, 7)));
    EXPECT_TRUE(DxfViewUsable(v));
    EXPECT_FALSE(DxfZoomExtents(v, DxfExtents()));
    DxfViewProperties empty = Window(0, 0);
    EXPECT_FALSE(DxfZoomExtents(empty, Box(0, 0, 1, 1)));
}

TEST(DxfViewMaths, WheelStepsZoomAboutTheCentre)
{
    DxfViewProperties v = Window(301, 201);
    ASSERT_TRUE(DxfZoomExtents(v, Box(-10, -20, 90, 60)));
    DxfPoint before = At(v, (301 / 2), (201 - 201 / 2));
    for (int step = 0; step < 3; ++step)
        ASSERT_TRUE(DxfZoomAboutCentre(v, v.zoom * 1.5));
    EXPECT_NEAR(v.zoom, 3.375, 1e-12);
    DxfPoint after = At(v, (301 / 2), (201 - 201 / 2));
    EXPECT_NEAR(after.x, before.x, 1e-9);
    EXPECT_NEAR(after.y, before.y, 1e-9);
    ASSERT_TRUE(DxfZoomAboutCentre(v, v.zoom * 0.6666666666666666));
    EXPECT_NEAR(v.zoom, 2.25, 1e-12);
    // Levels outside the accepted range, and unusable ones, leave the record as it was.
    DxfViewProperties kept = v;
    EXPECT_FALSE(DxfZoomAboutCentre(v, kDxfMaxZoom * 2));
    EXPECT_FALSE(DxfZoomAboutCentre(v, kDxfMinZoom / 2));
    EXPECT_FALSE(DxfZoomAboutCentre(v, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(v.zoom, kept.zoom);
    EXPECT_EQ(v.originX, kept.originX);
    v.pixelsPerUnit = 0;
    EXPECT_FALSE(DxfViewUsable(v));
    EXPECT_FALSE(DxfZoomAboutCentre(v, 1.0));
    EXPECT_FALSE(DxfPan(v, 1, 1));
}

TEST(DxfViewMaths, DraggingMovesTheDrawingWithTheMouse)
{
    DxfViewProperties v = Window(200, 200);
    ASSERT_TRUE(DxfZoomExtents(v, Box(0, 0, 100, 100)));
    DxfPoint under = At(v, 50, 60);
    ASSERT_TRUE(DxfPan(v, 10, -5));
    DxfPoint moved = At(v, 60, 55);
    EXPECT_NEAR(moved.x, under.x, 1e-9);
    EXPECT_NEAR(moved.y, under.y, 1e-9);
}

TEST(DxfPainting, CrossingLinesAndClipping)
{
    std::vector<uint8_t> bytes = SampleBytes(kDxfSamples, "lines.dxf");
    DxfDrawing drawing;
    ASSERT_EQ(LoadDxf(bytes.data(), bytes.size(), drawing), DxfLoadResult::kOk);
    DxfViewProperties v = Window(201, 201);
    ASSERT_TRUE(DxfZoomExtents(v, drawing.Extents()));
    PixelCanvas canvas(201, 201);
    PaintDxf(drawing, v, canvas);
    EXPECT_EQ(canvas.polylines, 2);
    EXPECT_EQ(canvas.At(100, 100), 0xFF0000u);  // where they cross
    EXPECT_EQ(canvas.At(5, 100), 0u);           // background
    EXPECT_EQ(canvas.At(100, 5), 0u);
    EXPECT_EQ(canvas.At(6, 6), 0xFF0000u);  // the fitted ends, 5 % in from the corners
    EXPECT_EQ(canvas.At(194, 194), 0xFF0000u);

    // Zoomed in a million times the lines run far outside: they are clipped to the window. The
    // centre kept is the pixel (100, 101) (half the size, rounded down, from the bottom), which the
    // rising line crosses.
    ASSERT_TRUE(DxfZoomAboutCentre(v, 1e6));
    PixelCanvas zoomed(201, 201);
    PaintDxf(drawing, v, zoomed);
    EXPECT_EQ(zoomed.At(100, 101), 0xFF0000u);
    EXPECT_EQ(zoomed.At(2, 199), 0xFF0000u);
    EXPECT_EQ(zoomed.At(100, 100), 0u);
}

TEST(DxfPainting, TextsBySize)
{
    std::vector<uint8_t> bytes = SampleBytes(kDxfSamples, "R2018.dxf");
    DxfDrawing drawing;
    ASSERT_EQ(LoadDxf(bytes.data(), bytes.size(), drawing), DxfLoadResult::kOk);
    DxfViewProperties v = Window(600, 400);
    ASSERT_TRUE(DxfZoomExtents(v, drawing.Extents()));
    PixelCanvas canvas(600, 400);
    PaintDxf(drawing, v, canvas);
    ASSERT_EQ(canvas.texts.size(), 1u);
    EXPECT_EQ(canvas.texts[0], "Recovered drawing");
    EXPECT_NEAR(canvas.textHeights[0], 5 * v.pixelsPerUnit, 1.0);
    // Texts too small to read are left out.
    ASSERT_TRUE(DxfZoomAboutCentre(v, 0.01));
    PixelCanvas small(600, 400);
    PaintDxf(drawing, v, small);
    EXPECT_TRUE(small.texts.empty());
}

TEST(DxfPainting, TextLinesFarBelowTheWindowStayWithinTheDevicesRange)
{
    // 800,000 lines of the largest text, 2,800 pixels apart: the last ones lie beyond what an int
    // holds, and far beyond what a device maps.
    DxfDrawing drawing;
    DxfPrimitive text;
    text.kind = DxfPrimitive::kText;
    text.points.push_back({100, 100});
    text.height = 2000;
    for (int i = 0; i < 800000; ++i)
        text.text += "x\n";
    drawing.primitives.push_back(text);
    DxfViewProperties v = Window(200, 200);
    PixelCanvas canvas(200, 200);
    PaintDxf(drawing, v, canvas);
    ASSERT_EQ(canvas.textPlaces.size(), 800000u);
    int last = canvas.textPlaces[0].y;
    EXPECT_EQ(last, 100);
    for (const DxfScreenPoint& place : canvas.textPlaces) {
        ASSERT_EQ(place.x, 100);
        ASSERT_GE(place.y, last);  // down the page, never wrapped round
        ASSERT_LE(place.y, kDxfDeviceLimit);
        last = place.y;
    }
    EXPECT_EQ(last, kDxfDeviceLimit);
}

TEST(DxfDeviceUnits, CoordinatesAndAnglesOfAnySize)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(DxfDeviceCoordinate(2.5), 3);
    EXPECT_EQ(DxfDeviceCoordinate(-2.5), -3);
    EXPECT_EQ(DxfDeviceCoordinate(-7.2), -7);
    EXPECT_EQ(DxfDeviceCoordinate(1e300), kDxfDeviceLimit);
    EXPECT_EQ(DxfDeviceCoordinate(-inf), -kDxfDeviceLimit);
    EXPECT_EQ(DxfDeviceCoordinate(nan), 0);
    // Tenths of a degree within one turn, the sign kept, as GDI takes them.
    EXPECT_EQ(DxfEscapementTenths(45), 450);
    EXPECT_EQ(DxfEscapementTenths(-45.05), -450);
    EXPECT_EQ(DxfEscapementTenths(360 + 90), 900);
    EXPECT_EQ(DxfEscapementTenths(1e20), 2800);  // 280 degrees and whole turns
    EXPECT_EQ(DxfEscapementTenths(1e300), 0);    // whole turns only
    EXPECT_EQ(DxfEscapementTenths(-1e300), 0);
    EXPECT_EQ(DxfEscapementTenths(inf), 0);
    EXPECT_EQ(DxfEscapementTenths(nan), 0);
}

}  // namespace
}  // namespace morvick::test
