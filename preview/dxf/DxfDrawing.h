// A drawing read from an ASCII DXF file, flattened for painting: every entity of the model space
// (blocks inserted, curves turned into polylines) becomes a polyline, a filled polygon, a point
// or a text in drawing units, with its colour resolved to RGB. The reader understands LINE,
// CIRCLE, ARC, LWPOLYLINE, POLYLINE (with VERTEX, polyface meshes included), POINT, TEXT, MTEXT,
// INSERT (arrays and nested blocks), DIMENSION (its block), ELLIPSE, SOLID, TRACE, 3DFACE and
// SPLINE; other entities are skipped. Counts, nesting and sizes are bounded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace morvick {

struct DxfPoint {
    double x = 0;
    double y = 0;
};

struct DxfExtents {
    bool valid = false;
    DxfPoint min, max;
    void Add(const DxfPoint& p);
    void Merge(const DxfExtents& other);
};

struct DxfPrimitive {
    enum Kind { kPolyline, kPolygon, kPoint, kText };
    Kind kind = kPolyline;
    uint32_t color = 0xFFFFFF;     // 0xRRGGBB
    std::vector<DxfPoint> points;  // kText: the insertion point
    bool closed = false;
    std::string text;     // kText: lines separated by '\n'
    double height = 0;    // kText
    double rotation = 0;  // kText, degrees counter-clockwise
};

// Limits of what one drawing may hold, and of the work of drawing it (entities drawn, counting
// every insertion of a block again).
constexpr size_t kDxfMaxPrimitives = 200000;
constexpr size_t kDxfMaxPoints = 4000000;
constexpr size_t kDxfMaxVisits = 2000000;
constexpr int kDxfMaxBlockDepth = 16;

struct DxfLimits {
    size_t primitives = kDxfMaxPrimitives;
    size_t points = kDxfMaxPoints;
    size_t visits = kDxfMaxVisits;
};

struct DxfDrawing {
    std::string version;       // $ACADVER, e.g. "AC1009"
    DxfExtents headerExtents;  // $EXTMIN / $EXTMAX when the header holds sane ones
    std::vector<DxfPrimitive> primitives;
    size_t pointCount = 0;
    // The work of drawing it: entities drawn and array cells placed, every insertion of a block
    // counted again. Once it passes the limit's visits the drawing is truncated.
    size_t visits = 0;
    bool truncated = false;  // a limit was reached: the rest was not read

    // The extents of the primitives (texts by an estimate of their box); the header's when there
    // is nothing to measure.
    DxfExtents Extents() const;
};

enum class DxfLoadResult {
    kOk,
    kNotDxf,   // no SECTION group where the file starts
    kDamaged,  // a code line that is no number before the end of the file
};

// Reads a drawing. progress (when given) gets the share read so far, 0 to 100.
DxfLoadResult LoadDxf(const uint8_t* data, size_t size, DxfDrawing& drawing,
    const std::function<void(int)>& progress = nullptr, const DxfLimits& limits = DxfLimits());

}  // namespace morvick
