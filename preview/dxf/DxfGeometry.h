// The curves of a drawing as polylines, and the placement of a block's contents.
#pragma once

#include "preview/dxf/DxfDrawing.h"

#include <vector>

namespace morvick {

// x' = a x + b y + c, y' = d x + e y + f.
struct DxfTransform {
    double a = 1, b = 0, c = 0, d = 0, e = 1, f = 0;

    DxfPoint Apply(const DxfPoint& p) const { return {a * p.x + b * p.y + c, d * p.x + e * p.y + f}; }
    // this after other.
    DxfTransform Then(const DxfTransform& outer) const;
    // Scale by the factors, rotate by the angle (degrees), then move by the offset.
    static DxfTransform Placement(const DxfPoint& offset, double sx, double sy, double degrees);
    static DxfTransform Translation(double x, double y);
    double ScaleFactor() const;  // the square root of the area factor
    double RotationDegrees() const;
};

// Points of an arc of a circle from start to end angle (degrees, counter-clockwise).
void AppendArc(std::vector<DxfPoint>& out, const DxfPoint& centre, double radius, double startDegrees,
    double endDegrees);
void AppendCircle(std::vector<DxfPoint>& out, const DxfPoint& centre, double radius);
// The arc from p1 to p2 of a polyline segment with a bulge (tangent of a quarter of the included
// angle; positive counter-clockwise), without p1.
void AppendBulge(std::vector<DxfPoint>& out, const DxfPoint& p1, const DxfPoint& p2, double bulge);
// An ellipse by centre, major axis end (relative), ratio of minor to major and parameter range.
void AppendEllipse(std::vector<DxfPoint>& out, const DxfPoint& centre, const DxfPoint& major, double ratio,
    double startParameter, double endParameter);
// A B-spline of the degree over its knots and control points (with weights when given, one per
// point); false when the knots do not fit the points.
bool AppendSpline(std::vector<DxfPoint>& out, int degree, const std::vector<double>& knots,
    const std::vector<DxfPoint>& points, const std::vector<double>& weights);

}  // namespace morvick
