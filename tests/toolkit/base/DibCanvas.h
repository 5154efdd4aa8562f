// A 32-bit top-down DIB section selected into a memory DC: drawing code paints into it and the
// tests read its pixels straight from the bits.
#pragma once

#include "classlib/win/AfxGdi.h"

#include <cstdint>
#include <cstdlib>

class DibCanvas
{
public:
  DibCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255))
      : m_width(width), m_height(height)
  {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<std::uint32_t*>(bits);
    m_dc.Attach(CreateCompatibleDC(nullptr));
    m_old = SelectObject(m_dc.GetSafeHdc(), m_bitmap);
    Fill(fill);
  }
  ~DibCanvas()
  {
    SelectObject(m_dc.GetSafeHdc(), m_old);
    m_dc.DeleteDC();
    DeleteObject(m_bitmap);
  }

  CDC* DC() { return &m_dc; }
  HDC Hdc() { return m_dc.GetSafeHdc(); }
  HBITMAP Bitmap() const { return m_bitmap; }

  void Fill(COLORREF color)
  {
    RECT rc = {0, 0, m_width, m_height};
    m_dc.FillSolidRect(&rc, color);
  }

  COLORREF Pixel(int x, int y)
  {
    GdiFlush();
    const std::uint32_t v = m_bits[y * m_width + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  BYTE Alpha(int x, int y)
  {
    GdiFlush();
    return static_cast<BYTE>(m_bits[y * m_width + x] >> 24);
  }

private:
  int m_width, m_height;
  HBITMAP m_bitmap;
  std::uint32_t* m_bits = nullptr;
  CDC m_dc;
  HGDIOBJ m_old;
};

// Channel-wise closeness, for drawing that the system rounds its own way.
inline bool ColorNear(COLORREF a, COLORREF b, int tolerance)
{
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}
