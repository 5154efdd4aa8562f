#include "preview/modules/dxf/GdiDxfCanvas.h"

#include "preview/dxf/DxfDeviceUnits.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

COLORREF ToColorRef(uint32_t rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::vector<POINT> ToPoints(const morvick::DxfScreenPoint* points, size_t count)
{
    std::vector<POINT> out(count);
    for (size_t i = 0; i < count; ++i)
        out[i] = POINT{points[i].x, points[i].y};
    return out;
}

}  // namespace

GdiDxfCanvas::GdiDxfCanvas(HDC dc) : m_dc(dc), m_saved(::SaveDC(dc)) {}

GdiDxfCanvas::~GdiDxfCanvas()
{
    ::RestoreDC(m_dc, m_saved);
    if (m_pen != NULL)
        ::DeleteObject(m_pen);
}

void GdiDxfCanvas::UsePen(uint32_t color)
{
    if (color == m_penColor && m_pen != NULL)
        return;
    HPEN pen = ::CreatePen(PS_SOLID, 1, ToColorRef(color));
    ::SelectObject(m_dc, pen);
    if (m_pen != NULL)
        ::DeleteObject(m_pen);
    m_pen = pen;
    m_penColor = color;
}

void GdiDxfCanvas::FillBackground(int left, int top, int right, int bottom)
{
    RECT r = {left, top, right, bottom};
    ::FillRect(m_dc, &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

void GdiDxfCanvas::Polyline(const morvick::DxfScreenPoint* points, size_t count, uint32_t color)
{
    UsePen(color);
    std::vector<POINT> p = ToPoints(points, count);
    ::Polyline(m_dc, p.data(), static_cast<int>(p.size()));
    // GDI leaves a line's last pixel out.
    ::SetPixelV(m_dc, p.back().x, p.back().y, ToColorRef(color));
}

void GdiDxfCanvas::Polygon(const morvick::DxfScreenPoint* points, size_t count, uint32_t color)
{
    UsePen(color);
    HBRUSH brush = ::CreateSolidBrush(ToColorRef(color));
    HGDIOBJ old = ::SelectObject(m_dc, brush);
    std::vector<POINT> p = ToPoints(points, count);
    ::Polygon(m_dc, p.data(), static_cast<int>(p.size()));
    ::SelectObject(m_dc, old);
    ::DeleteObject(brush);
}

void GdiDxfCanvas::Dot(int x, int y, uint32_t color)
{
    ::SetPixelV(m_dc, x, y, ToColorRef(color));
}

void GdiDxfCanvas::Text(int x, int y, const std::string& text, int height, double rotationDegrees, uint32_t color,
    bool utf8)
{
    if (height < 1)
        return;
    UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
    int n = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), NULL, 0);
    if (n <= 0)
        return;
    std::wstring wide(n, L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    int tenths = morvick::DxfEscapementTenths(rotationDegrees);
    HFONT font = ::CreateFontW(-std::min(height, morvick::kDxfDeviceLimit), 0, tenths, tenths, FW_NORMAL, FALSE, FALSE,
        FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
        L"Arial");
    HGDIOBJ old = ::SelectObject(m_dc, font);
    ::SetBkMode(m_dc, TRANSPARENT);
    ::SetTextColor(m_dc, ToColorRef(color));
    ::SetTextAlign(m_dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    ::TextOutW(m_dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
    ::SelectObject(m_dc, old);
    ::DeleteObject(font);
}
