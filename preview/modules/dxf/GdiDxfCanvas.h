// Painting a drawing with GDI: lines with a pen of the entity's colour, fills, points as pixels
// and texts in Arial at the drawing's size and angle.
#pragma once

#include "preview/dxf/DxfView.h"

#include <windows.h>

class GdiDxfCanvas : public morvick::DxfCanvas {
public:
    explicit GdiDxfCanvas(HDC dc);
    ~GdiDxfCanvas() override;

    void FillBackground(int left, int top, int right, int bottom) override;
    void Polyline(const morvick::DxfScreenPoint* points, size_t count, uint32_t color) override;
    void Polygon(const morvick::DxfScreenPoint* points, size_t count, uint32_t color) override;
    void Dot(int x, int y, uint32_t color) override;
    void Text(int x, int y, const std::string& text, int height, double rotationDegrees, uint32_t color,
        bool utf8) override;

private:
    void UsePen(uint32_t color);

    HDC m_dc;
    int m_saved;
    HPEN m_pen = NULL;
    uint32_t m_penColor = 0xFFFFFFFF;
};
