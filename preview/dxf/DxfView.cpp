#include "preview/dxf/DxfView.h"

#include "preview/dxf/DxfDeviceUnits.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace morvick {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kMinTextHeight = 2;
constexpr int kMaxTextHeight = 2000;

double Scale(const DxfViewProperties& v)
{
    return v.pixelsPerUnit * v.zoom;
}

struct ScreenPointD {
    double x, y;
};

ScreenPointD Project(const DxfViewProperties& v, const DxfPoint& p)
{
    double s = Scale(v);
    return {v.left + (p.x - v.originX) * s, v.bottom - (p.y - v.originY) * s};
}

// Liang-Barsky: the part of the segment inside the box; false when none.
bool ClipSegment(ScreenPointD& a, ScreenPointD& b, double x0, double y0, double x1, double y1)
{
    double t0 = 0, t1 = 1;
    double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - x0, x1 - a.x, a.y - y0, y1 - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1)
            return false;
    }
    ScreenPointD na{a.x + t0 * dx, a.y + t0 * dy};
    ScreenPointD nb{a.x + t1 * dx, a.y + t1 * dy};
    a = na;
    b = nb;
    return true;
}

DxfScreenPoint Round(const ScreenPointD& p)
{
    return {DxfDeviceCoordinate(p.x), DxfDeviceCoordinate(p.y)};
}

// Sutherland-Hodgman against one edge of the box.
std::vector<ScreenPointD> ClipEdge(const std::vector<ScreenPointD>& in, int edge, double limit)
{
    std::vector<ScreenPointD> out;
    auto inside = [&](const ScreenPointD& p) {
        switch (edge) {
        case 0:
            return p.x >= limit;
        case 1:
            return p.x <= limit;
        case 2:
            return p.y >= limit;
        default:
            return p.y <= limit;
        }
    };
    auto cross = [&](const ScreenPointD& a, const ScreenPointD& b) {
        double t = edge < 2 ? (limit - a.x) / (b.x - a.x) : (limit - a.y) / (b.y - a.y);
        return ScreenPointD{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
    };
    for (size_t i = 0; i < in.size(); ++i) {
        const ScreenPointD& cur = in[i];
        const ScreenPointD& prev = in[(i + in.size() - 1) % in.size()];
        bool ci = inside(cur), pi = inside(prev);
        if (ci) {
            if (!pi)
                out.push_back(cross(prev, cur));
            out.push_back(cur);
        } else if (pi) {
            out.push_back(cross(prev, cur));
        }
    }
    return out;
}

class Painter {
public:
    Painter(const DxfViewProperties& view, DxfCanvas& canvas)
        : m_view(view), m_canvas(canvas), m_x0(view.left - 2.0), m_y0(view.top - 2.0), m_x1(view.right + 2.0),
          m_y1(view.bottom + 2.0)
    {}

    void Line(const std::vector<DxfPoint>& points, bool closed, uint32_t color)
    {
        std::vector<DxfScreenPoint> run;
        size_t n = points.size();
        size_t segments = closed && n > 2 ? n : n - 1;
        for (size_t i = 0; i < segments; ++i) {
            ScreenPointD a = Project(m_view, points[i]);
            ScreenPointD b = Project(m_view, points[(i + 1) % n]);
            ScreenPointD ca = a, cb = b;
            if (!ClipSegment(ca, cb, m_x0, m_y0, m_x1, m_y1)) {
                Flush(run, color);
                continue;
            }
            DxfScreenPoint sa = Round(ca), sb = Round(cb);
            if (run.empty() || run.back().x != sa.x || run.back().y != sa.y) {
                Flush(run, color);
                run.push_back(sa);
            }
            run.push_back(sb);
            if (cb.x != b.x || cb.y != b.y)
                Flush(run, color);  // the segment leaves the window here
        }
        Flush(run, color);
    }

    void Fill(const std::vector<DxfPoint>& points, uint32_t color)
    {
        std::vector<ScreenPointD> poly;
        for (const DxfPoint& p : points)
            poly.push_back(Project(m_view, p));
        poly = ClipEdge(poly, 0, m_x0);
        poly = ClipEdge(poly, 1, m_x1);
        poly = ClipEdge(poly, 2, m_y0);
        poly = ClipEdge(poly, 3, m_y1);
        if (poly.size() < 3)
            return;
        std::vector<DxfScreenPoint> screen;
        for (const ScreenPointD& p : poly)
            screen.push_back(Round(p));
        m_canvas.Polygon(screen.data(), screen.size(), color);
    }

    void Dot(const DxfPoint& point, uint32_t color)
    {
        ScreenPointD p = Project(m_view, point);
        if (p.x >= m_view.left && p.x < m_view.right && p.y >= m_view.top && p.y < m_view.bottom)
            m_canvas.Dot(static_cast<int>(p.x), static_cast<int>(p.y), color);
    }

    void Text(const DxfPrimitive& t, bool utf8)
    {
        double height = t.height * Scale(m_view);
        if (!(height >= kMinTextHeight) || height > kMaxTextHeight)
            return;
        ScreenPointD origin = Project(m_view, t.points[0]);
        // Far outside the window (more than the text could reach): nothing to draw.
        double reach = height * (2.0 + static_cast<double>(t.text.size()));
        if (origin.x < m_x0 - reach || origin.x > m_x1 + reach || origin.y < m_y0 - reach || origin.y > m_y1 + reach)
            return;
        double r = t.rotation * kPi / 180.0;
        size_t start = 0;
        int line = 0;
        while (start <= t.text.size()) {
            size_t end = t.text.find('\n', start);
            if (end == std::string::npos)
                end = t.text.size();
            std::string text = t.text.substr(start, end - start);
            // Lines go down the page, along the text's own direction.
            double offset = line * height * 1.4;
            double x = origin.x + offset * std::sin(r);
            double y = origin.y + offset * std::cos(r);
            if (!text.empty())
                m_canvas.Text(DxfDeviceCoordinate(x), DxfDeviceCoordinate(y), text, DxfDeviceCoordinate(height),
                    t.rotation, t.color, utf8);
            start = end + 1;
            ++line;
        }
    }

private:
    void Flush(std::vector<DxfScreenPoint>& run, uint32_t color)
    {
        if (run.size() >= 2)
            m_canvas.Polyline(run.data(), run.size(), color);
        run.clear();
    }

    const DxfViewProperties& m_view;
    DxfCanvas& m_canvas;
    double m_x0, m_y0, m_x1, m_y1;
};

}  // namespace

bool DxfViewUsable(const DxfViewProperties& view)
{
    double s = Scale(view);
    return std::isfinite(s) && s > 0 && std::isfinite(view.originX) && std::isfinite(view.originY) &&
        std::isfinite(view.zoom) && view.zoom > 0;
}

bool DxfZoomExtents(DxfViewProperties& view, const DxfExtents& extents)
{
    double width = static_cast<double>(view.right) - view.left;
    double height = static_cast<double>(view.bottom) - view.top;
    if (!extents.valid || width <= 0 || height <= 0)
        return false;
    double ew = extents.max.x - extents.min.x;
    double eh = extents.max.y - extents.min.y;
    if (!std::isfinite(ew) || !std::isfinite(eh))
        return false;
    // A drawing of one point or one straight line still gets a finite scale.
    double span = std::max(ew, eh);
    if (span <= 0)
        span = 1.0;
    if (ew <= 0)
        ew = span;
    if (eh <= 0)
        eh = span;
    double ppu = std::min(width / ew, height / eh) * 0.95;
    if (!std::isfinite(ppu) || ppu <= 0)
        return false;
    view.pixelsPerUnit = ppu;
    view.zoom = 1.0;
    double cx = (extents.min.x + extents.max.x) / 2.0;
    double cy = (extents.min.y + extents.max.y) / 2.0;
    view.originX = cx - (width / 2.0) / ppu;
    view.originY = cy - (height / 2.0) / ppu;
    return true;
}

bool DxfZoomAboutCentre(DxfViewProperties& view, double newZoom)
{
    // Within 1e-6..1e6 (34 wheel steps either way): unbounded steps reach 0 or infinity, and the scale divides by 0.
    if (!DxfViewUsable(view) || !std::isfinite(newZoom) || newZoom < kDxfMinZoom || newZoom > kDxfMaxZoom)
        return false;
    int cx = (view.right - view.left) / 2;
    int cy = (view.bottom - view.top) / 2;
    double k = 1.0 / (view.pixelsPerUnit * view.zoom);
    double centreX = cx * k + view.originX;
    double centreY = cy * k + view.originY;
    double k2 = 1.0 / (view.pixelsPerUnit * newZoom);
    if (!std::isfinite(k2) || k2 <= 0)
        return false;
    view.originX = centreX - k2 * cx;
    view.originY = centreY - k2 * cy;
    view.zoom = newZoom;
    return true;
}

bool DxfPan(DxfViewProperties& view, int dx, int dy)
{
    if (!DxfViewUsable(view))
        return false;
    double k = 1.0 / (view.zoom * view.pixelsPerUnit);
    double x = view.originX - dx * k;
    double y = view.originY + dy * k;
    if (!std::isfinite(x) || !std::isfinite(y))
        return false;
    view.originX = x;
    view.originY = y;
    return true;
}

void PaintDxf(const DxfDrawing& drawing, const DxfViewProperties& view, DxfCanvas& canvas)
{
    canvas.FillBackground(view.left, view.top, view.right, view.bottom);
    if (!DxfViewUsable(view))
        return;
    Painter painter(view, canvas);
    bool utf8 = DxfTextIsUtf8(drawing.version);
    for (const DxfPrimitive& p : drawing.primitives) {
        switch (p.kind) {
        case DxfPrimitive::kPolyline:
            if (p.points.size() == 1)
                painter.Dot(p.points[0], p.color);
            else
                painter.Line(p.points, p.closed, p.color);
            break;
        case DxfPrimitive::kPolygon:
            painter.Fill(p.points, p.color);
            break;
        case DxfPrimitive::kPoint:
            painter.Dot(p.points[0], p.color);
            break;
        case DxfPrimitive::kText:
            painter.Text(p, utf8);
            break;
        }
    }
}

bool DxfTextIsUtf8(const std::string& version)
{
    // "AC1021" is the 2007 format.
    return version.size() >= 6 && version.compare(0, 2, "AC") == 0 && version.compare(2, 4, "1021") >= 0;
}

}  // namespace morvick
