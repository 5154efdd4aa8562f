// Recovered drawings are hostile: the reader must end within its limits, and fitting, zooming,
// panning and painting the result must keep every point it hands to the canvas near the window.
// Texts go through the conversions the GDI canvas makes of their place and angle.
#include "preview/dxf/DxfDeviceUnits.h"
#include "preview/dxf/DxfView.h"

#include <cstdlib>

namespace {

class CheckingCanvas : public morvick::DxfCanvas {
public:
    void FillBackground(int, int, int, int) override {}
    void Polyline(const morvick::DxfScreenPoint* points, size_t count, uint32_t) override { Check(points, count); }
    void Polygon(const morvick::DxfScreenPoint* points, size_t count, uint32_t) override { Check(points, count); }
    void Dot(int x, int y, uint32_t) override
    {
        morvick::DxfScreenPoint p{x, y};
        Check(&p, 1);
    }
    void Text(int x, int y, const std::string&, int height, double rotation, uint32_t, bool) override
    {
        if (height < 1 || height > 4000)
            __builtin_trap();
        if (std::abs(x) > morvick::kDxfDeviceLimit || std::abs(y) > morvick::kDxfDeviceLimit)
            __builtin_trap();
        int tenths = morvick::DxfEscapementTenths(rotation);
        if (tenths <= -3600 || tenths >= 3600)
            __builtin_trap();
    }

private:
    static void Check(const morvick::DxfScreenPoint* points, size_t count)
    {
        for (size_t i = 0; i < count; ++i)
            if (std::abs(points[i].x) > 1000 || std::abs(points[i].y) > 1000)
                __builtin_trap();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Smaller limits than the library's: the same paths, many more inputs a second.
    morvick::DxfLimits limits;
    limits.primitives = 5000;
    limits.points = 50000;
    limits.visits = 20000;
    morvick::DxfDrawing drawing;
    morvick::LoadDxf(data, size, drawing, nullptr, limits);
    if (drawing.primitives.size() > limits.primitives || drawing.pointCount > limits.points)
        __builtin_trap();
    morvick::DxfViewProperties view;
    view.right = 320;
    view.bottom = 240;
    CheckingCanvas canvas;
    if (morvick::DxfZoomExtents(view, drawing.Extents())) {
        morvick::PaintDxf(drawing, view, canvas);
        morvick::DxfZoomAboutCentre(view, view.zoom * 1.5 * 1.5 * 1.5);
        morvick::DxfPan(view, 37, -12);
        morvick::PaintDxf(drawing, view, canvas);
    }
    return 0;
}
