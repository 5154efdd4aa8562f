// How a drawing lies in a window: the view-properties record that the drawing library exchanges
// with its callers, fitting the drawing's extents, zooming about the window's centre, panning,
// and painting the drawing through a canvas (clipped to the window).
//
// A drawing point (x, y) shows at window pixel
//   left + (x - originX) * scale,  bottom - (y - originY) * scale,  scale = pixelsPerUnit * zoom,
// so the origin is the drawing point at the window's bottom-left corner.
#pragma once

#include "preview/dxf/DxfDrawing.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace morvick {

struct DxfViewProperties {
    uint32_t size = sizeof(DxfViewProperties);  // 0
    int32_t left = 0;                           // 4: the window in pixels
    int32_t top = 0;                            // 8
    int32_t right = 0;                          // 12
    int32_t bottom = 0;                         // 16
    int32_t reserved0 = 0;                      // 20
    double originX = 0;                         // 24: drawing units
    double originY = 0;                         // 32
    double reserved1 = 0;                       // 40
    double reserved2 = 0;                       // 48
    double pixelsPerUnit = 1;                   // 56
    double zoom = 1;                            // 64
};
static_assert(offsetof(DxfViewProperties, left) == 4, "record layout");
static_assert(offsetof(DxfViewProperties, originX) == 24, "record layout");
static_assert(offsetof(DxfViewProperties, originY) == 32, "record layout");
static_assert(offsetof(DxfViewProperties, pixelsPerUnit) == 56, "record layout");
static_assert(offsetof(DxfViewProperties, zoom) == 64, "record layout");
static_assert(sizeof(DxfViewProperties) == 72, "record layout");

// The zoom levels a view accepts.
constexpr double kDxfMinZoom = 1e-6;
constexpr double kDxfMaxZoom = 1e6;

// True when the record can map points: a finite, positive scale and finite origin.
bool DxfViewUsable(const DxfViewProperties& view);

// Fits the extents into the window (with a margin of 5 % of its size), zoom level 1. False for an
// empty window or extents.
bool DxfZoomExtents(DxfViewProperties& view, const DxfExtents& extents);

// The new zoom level with the drawing point at the window's centre kept in place. False (record
// unchanged) when the record or the new level is unusable or outside the accepted levels.
bool DxfZoomAboutCentre(DxfViewProperties& view, double newZoom);

// Moves the drawing with the mouse by dx, dy pixels. False (record unchanged) when unusable.
bool DxfPan(DxfViewProperties& view, int dx, int dy);

struct DxfScreenPoint {
    int x = 0;
    int y = 0;
};

// What painting draws on. Points are window pixels, colours 0xRRGGBB.
class DxfCanvas {
public:
    virtual ~DxfCanvas() = default;
    virtual void FillBackground(int left, int top, int right, int bottom) = 0;
    virtual void Polyline(const DxfScreenPoint* points, size_t count, uint32_t color) = 0;
    virtual void Polygon(const DxfScreenPoint* points, size_t count, uint32_t color) = 0;
    virtual void Dot(int x, int y, uint32_t color) = 0;
    // One line of text with its baseline's left end at (x, y); utf8 tells the bytes' encoding
    // (else ANSI).
    virtual void Text(int x, int y, const std::string& text, int height, double rotationDegrees, uint32_t color,
        bool utf8) = 0;
};

// Paints the background and every primitive that reaches the window.
void PaintDxf(const DxfDrawing& drawing, const DxfViewProperties& view, DxfCanvas& canvas);

// True when a drawing of this $ACADVER stores its texts in UTF-8 (version 2007 and later).
bool DxfTextIsUtf8(const std::string& version);

}  // namespace morvick
