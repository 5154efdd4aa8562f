#include "preview/dxf/DxfGeometry.h"

#include <algorithm>
#include <cmath>

namespace morvick {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxSegments = 360;

int SegmentsFor(double sweepRadians)
{
    // Bounded before the conversion: a sweep that is not a number takes the fewest segments.
    double n = std::ceil(std::fabs(sweepRadians) / (5.0 * kPi / 180.0));
    if (!(n > 4))
        return 4;
    return n < kMaxSegments ? static_cast<int>(n) : kMaxSegments;
}

}  // namespace

DxfTransform DxfTransform::Then(const DxfTransform& o) const
{
    DxfTransform t;
    t.a = o.a * a + o.b * d;
    t.b = o.a * b + o.b * e;
    t.c = o.a * c + o.b * f + o.c;
    t.d = o.d * a + o.e * d;
    t.e = o.d * b + o.e * e;
    t.f = o.d * c + o.e * f + o.f;
    return t;
}

DxfTransform DxfTransform::Placement(const DxfPoint& offset, double sx, double sy, double degrees)
{
    double r = degrees * kPi / 180.0;
    double cs = std::cos(r), sn = std::sin(r);
    DxfTransform t;
    t.a = cs * sx;
    t.b = -sn * sy;
    t.c = offset.x;
    t.d = sn * sx;
    t.e = cs * sy;
    t.f = offset.y;
    return t;
}

DxfTransform DxfTransform::Translation(double x, double y)
{
    DxfTransform t;
    t.c = x;
    t.f = y;
    return t;
}

double DxfTransform::ScaleFactor() const
{
    return std::sqrt(std::fabs(a * e - b * d));
}

double DxfTransform::RotationDegrees() const
{
    return std::atan2(d, a) * 180.0 / kPi;
}

void AppendArc(std::vector<DxfPoint>& out, const DxfPoint& centre, double radius, double startDegrees,
    double endDegrees)
{
    double start = startDegrees * kPi / 180.0;
    double end = endDegrees * kPi / 180.0;
    if (!std::isfinite(start) || !std::isfinite(end))
        return;
    double sweep = std::fmod(end - start, 2 * kPi);
    if (sweep <= 0)
        sweep += 2 * kPi;
    int n = SegmentsFor(sweep);
    for (int i = 0; i <= n; ++i) {
        double t = start + sweep * i / n;
        out.push_back({centre.x + radius * std::cos(t), centre.y + radius * std::sin(t)});
    }
}

void AppendCircle(std::vector<DxfPoint>& out, const DxfPoint& centre, double radius)
{
    const int n = 72;
    for (int i = 0; i <= n; ++i) {
        double t = 2 * kPi * i / n;
        out.push_back({centre.x + radius * std::cos(t), centre.y + radius * std::sin(t)});
    }
}

void AppendBulge(std::vector<DxfPoint>& out, const DxfPoint& p1, const DxfPoint& p2, double bulge)
{
    double dx = p2.x - p1.x, dy = p2.y - p1.y;
    if (std::fabs(bulge) < 1e-9 || !std::isfinite(bulge) || (dx == 0 && dy == 0)) {
        out.push_back(p2);
        return;
    }
    double theta = 4.0 * std::atan(bulge);
    double factor = 1.0 / (2.0 * std::tan(theta / 2.0));
    DxfPoint centre{(p1.x + p2.x) / 2.0 - dy * factor, (p1.y + p2.y) / 2.0 + dx * factor};
    double radius = std::hypot(p1.x - centre.x, p1.y - centre.y);
    double start = std::atan2(p1.y - centre.y, p1.x - centre.x);
    int n = SegmentsFor(theta);
    for (int i = 1; i < n; ++i) {
        double t = start + theta * i / n;
        out.push_back({centre.x + radius * std::cos(t), centre.y + radius * std::sin(t)});
    }
    out.push_back(p2);
}

void AppendEllipse(std::vector<DxfPoint>& out, const DxfPoint& centre, const DxfPoint& major, double ratio,
    double startParameter, double endParameter)
{
    if (!std::isfinite(startParameter) || !std::isfinite(endParameter))
        return;
    DxfPoint minor{-major.y * ratio, major.x * ratio};
    // Both parameters within one turn first: the difference of two large ones would overflow.
    startParameter = std::fmod(startParameter, 2 * kPi);
    double sweep = std::fmod(std::fmod(endParameter, 2 * kPi) - startParameter, 2 * kPi);
    if (sweep <= 1e-12)
        sweep += 2 * kPi;
    int n = SegmentsFor(sweep);
    for (int i = 0; i <= n; ++i) {
        double t = startParameter + sweep * i / n;
        double c = std::cos(t), s = std::sin(t);
        out.push_back({centre.x + major.x * c + minor.x * s, centre.y + major.y * c + minor.y * s});
    }
}

bool AppendSpline(std::vector<DxfPoint>& out, int degree, const std::vector<double>& knots,
    const std::vector<DxfPoint>& points, const std::vector<double>& weights)
{
    const size_t n = points.size();
    if (degree < 1 || degree > 10 || n <= static_cast<size_t>(degree) || knots.size() != n + degree + 1)
        return false;
    for (size_t i = 1; i < knots.size(); ++i)
        if (!(knots[i] >= knots[i - 1]))
            return false;
    bool rational = weights.size() == n;
    double u0 = knots[degree], u1 = knots[n];
    if (!(u1 > u0))
        return false;
    int samples = static_cast<int>(std::clamp<size_t>(n * 8, 8, 2000));
    std::vector<double> wx(degree + 1), wy(degree + 1), ww(degree + 1);
    size_t span = degree;
    for (int s = 0; s <= samples; ++s) {
        double u = u0 + (u1 - u0) * s / samples;
        while (span + 1 < n && u >= knots[span + 1])
            ++span;
        // de Boor over the degree + 1 points of the span, in homogeneous coordinates.
        for (int j = 0; j <= degree; ++j) {
            size_t k = span - degree + j;
            double w = rational ? weights[k] : 1.0;
            wx[j] = points[k].x * w;
            wy[j] = points[k].y * w;
            ww[j] = w;
        }
        for (int r = 1; r <= degree; ++r) {
            for (int j = degree; j >= r; --j) {
                size_t k = span - degree + j;
                double denominator = knots[k + degree - r + 1] - knots[k];
                double alpha = denominator > 0 ? (u - knots[k]) / denominator : 0.0;
                wx[j] = (1 - alpha) * wx[j - 1] + alpha * wx[j];
                wy[j] = (1 - alpha) * wy[j - 1] + alpha * wy[j];
                ww[j] = (1 - alpha) * ww[j - 1] + alpha * ww[j];
            }
        }
        if (ww[degree] == 0 || !std::isfinite(ww[degree]))
            return false;
        out.push_back({wx[degree] / ww[degree], wy[degree] / ww[degree]});
    }
    return true;
}

}  // namespace morvick
