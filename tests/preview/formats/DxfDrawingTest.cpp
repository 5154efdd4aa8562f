// The DXF reader over python3-ezdxf's drawings of the versions R12 to R2018, checked against
// ezdxf's extents, and over hand-made and damaged files.
#include "preview/dxf/DxfDrawing.h"
#include "preview/dxf/DxfGeometry.h"
#include "preview/dxf/DxfView.h"
#include "tests/preview/formats/FormatSamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace morvick::test {
namespace {

DxfLoadResult Load(const std::string& name, DxfDrawing& drawing)
{
    std::vector<uint8_t> bytes = SampleBytes(kDxfSamples, name);
    SeedFuzzer("fuzz_dxf", name, bytes);
    return LoadDxf(bytes.data(), bytes.size(), drawing);
}

DxfExtents GeometryExtents(const DxfDrawing& drawing)
{
    DxfExtents e;
    for (const DxfPrimitive& p : drawing.primitives)
        if (p.kind != DxfPrimitive::kText)
            for (const DxfPoint& point : p.points)
                e.Add(point);
    return e;
}

TEST(DxfDrawings, EveryVersionMatchesEzdxfsExtents)
{
    for (const char* version : {"R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"}) {
        SCOPED_TRACE(version);
        DxfDrawing drawing;
        int lastPercent = -1;
        std::vector<uint8_t> bytes = SampleBytes(kDxfSamples, std::string(version) + ".dxf");
        ASSERT_EQ(LoadDxf(bytes.data(), bytes.size(), drawing, [&](int p) { lastPercent = p; }), DxfLoadResult::kOk);
        SeedFuzzer("fuzz_dxf", std::string(version) + ".dxf", bytes);
        EXPECT_EQ(lastPercent, 100);
        EXPECT_FALSE(drawing.truncated);
        std::istringstream oracle(SampleText(kDxfSamples, std::string(version) + ".dxf.extents"));
        double minX, minY, maxX, maxY;
        oracle >> minX >> minY >> maxX >> maxY;
        DxfExtents e = GeometryExtents(drawing);
        ASSERT_TRUE(e.valid);
        // Curves are drawn as polylines of five degrees a step: within half a unit here.
        EXPECT_NEAR(e.min.x, minX, 0.5);
        EXPECT_NEAR(e.min.y, minY, 0.5);
        EXPECT_NEAR(e.max.x, maxX, 0.5);
        EXPECT_NEAR(e.max.y, maxY, 0.5);
        // The text below the drawing widens the extents that the view fits.
        DxfExtents all = drawing.Extents();
        EXPECT_LT(all.min.y, -9.0);
        size_t texts = 0, fills = 0;
        for (const DxfPrimitive& p : drawing.primitives) {
            texts += p.kind == DxfPrimitive::kText;
            fills += p.kind == DxfPrimitive::kPolygon;
        }
        EXPECT_EQ(texts, 1u);
        EXPECT_EQ(fills, 1u);
        EXPECT_EQ(DxfTextIsUtf8(drawing.version), std::string(version) >= "R2007" && std::string(version) != "R12");
    }
}

TEST(DxfDrawings, ColoursLayersAndBlocks)
{
    DxfDrawing drawing;
    ASSERT_EQ(Load("R2000.dxf", drawing), DxfLoadResult::kOk);
    // The first line lies on layer RED (colour 1); the solid has colour 3; the rest is white.
    ASSERT_FALSE(drawing.primitives.empty());
    EXPECT_EQ(drawing.primitives[0].color, 0xFF0000u);
    for (const DxfPrimitive& p : drawing.primitives) {
        if (p.kind == DxfPrimitive::kPolygon) {
            EXPECT_EQ(p.color, 0x00FF00u);
        }
    }
    // The block's line turned by 90 degrees at (200, 10): from (200, 10) to (200, 20).
    bool found = false;
    for (const DxfPrimitive& p : drawing.primitives)
        if (p.points.size() == 2 && std::fabs(p.points[0].x - 200) < 1e-9 && std::fabs(p.points[1].y - 20) < 1e-9)
            found = true;
    EXPECT_TRUE(found);
}

TEST(DxfDrawings, FilesWithoutHeaderDamagedAndNested)
{
    // The reader itself takes a file without a header section; the view refuses it before.
    DxfDrawing drawing;
    EXPECT_EQ(Load("no-header.dxf", drawing), DxfLoadResult::kOk);
    EXPECT_EQ(drawing.primitives.size(), 1u);
    // A code line that is no number ends the reading: what was read stays.
    EXPECT_EQ(Load("damaged.dxf", drawing), DxfLoadResult::kDamaged);
    // Sixteen levels of 100 x 100 arrays: the work stops at its limit (a reader that drew all of it
    // would never end).
    EXPECT_EQ(Load("nested.dxf", drawing), DxfLoadResult::kOk);
    EXPECT_TRUE(drawing.truncated);
    EXPECT_LE(drawing.primitives.size(), kDxfMaxPrimitives);
    EXPECT_LE(drawing.visits, kDxfMaxVisits + 1);
    // Not a drawing at all.
    const char text[] = "hello\nworld\n";
    EXPECT_EQ(LoadDxf(reinterpret_cast<const uint8_t*>(text), sizeof text - 1, drawing), DxfLoadResult::kNotDxf);
    EXPECT_EQ(LoadDxf(nullptr, 0, drawing), DxfLoadResult::kNotDxf);
}

TEST(DxfGeometry, CurvesAndPlacements)
{
    std::vector<DxfPoint> arc;
    AppendArc(arc, {0, 0}, 10, 0, 90);
    ASSERT_GE(arc.size(), 2u);
    EXPECT_NEAR(arc.front().x, 10, 1e-9);
    EXPECT_NEAR(arc.back().y, 10, 1e-9);
    // An arc across 0 degrees goes the short way round, counter-clockwise.
    arc.clear();
    AppendArc(arc, {0, 0}, 1, 350, 10);
    EXPECT_LE(arc.size(), 6u);
    // A bulge of 1 is a half circle; -1 bends the other way.
    std::vector<DxfPoint> half;
    AppendBulge(half, {0, 0}, {2, 0}, 1.0);
    double lowest = 0;
    for (const DxfPoint& p : half)
        lowest = std::min(lowest, p.y);
    EXPECT_NEAR(lowest, -1.0, 0.01);
    half.clear();
    AppendBulge(half, {0, 0}, {2, 0}, -1.0);
    double highest = 0;
    for (const DxfPoint& p : half)
        highest = std::max(highest, p.y);
    EXPECT_NEAR(highest, 1.0, 0.01);
    // Ellipse parameters whose difference overflows: a bounded arc, every point on the ellipse.
    std::vector<DxfPoint> ellipse;
    AppendEllipse(ellipse, {0, 0}, {2, 0}, 0.5, -1.7e308, 1.7e308);
    ASSERT_GE(ellipse.size(), 5u);
    EXPECT_LE(ellipse.size(), 361u);
    for (const DxfPoint& q : ellipse)
        EXPECT_NEAR(q.x * q.x / 4 + q.y * q.y, 1.0, 1e-9) << q.x << ", " << q.y;
    // A clamped cubic through its end points.
    std::vector<DxfPoint> spline;
    ASSERT_TRUE(AppendSpline(spline, 3, {0, 0, 0, 0, 1, 1, 1, 1}, {{0, 0}, {1, 2}, {2, 2}, {3, 0}}, {}));
    EXPECT_NEAR(spline.front().x, 0, 1e-9);
    EXPECT_NEAR(spline.back().x, 3, 1e-9);
    EXPECT_NEAR(spline[spline.size() / 2].y, 1.5, 1e-9);
    EXPECT_FALSE(AppendSpline(spline, 3, {0, 1, 2}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}, {}));
    // Scale, then rotate, then move.
    DxfPoint p = DxfTransform::Placement({10, 0}, 2, 2, 90).Apply({1, 0});
    EXPECT_NEAR(p.x, 10, 1e-9);
    EXPECT_NEAR(p.y, 2, 1e-9);
}

}  // namespace
}  // namespace morvick::test
