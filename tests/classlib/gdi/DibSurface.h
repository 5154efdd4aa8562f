// A 32-bit top-down DIB section selected into a memory CDC: the tests draw through the CDC and
// read the pixels straight from the section's bits.
#pragma once

#include "classlib/win/AfxGdi.h"

class DibSurface {
public:
    DibSurface(int width, int height, COLORREF background = RGB(255, 255, 255)) : m_width(width), m_height(height)
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = width;
        bmi.bmiHeader.biHeight = -height;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<DWORD*>(bits);
        m_dc.CreateCompatibleDC(nullptr);
        m_oldBitmap = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, width, height, background);
    }
    ~DibSurface() { m_dc.SelectObject(m_oldBitmap); }

    CDC& dc() { return m_dc; }
    CBitmap& bitmap() { return m_bitmap; }

    COLORREF Pixel(int x, int y)
    {
        ::GdiFlush();
        DWORD bgra = m_bits[y * m_width + x];
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
    // Number of pixels of colour c inside r.
    int Count(const RECT& r, COLORREF c)
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += Pixel(x, y) == c;
        return n;
    }
    int Count(COLORREF c) { return Count(CRect(0, 0, m_width, m_height), c); }

private:
    int m_width;
    int m_height;
    CBitmap m_bitmap;
    CDC m_dc;
    CBitmap* m_oldBitmap = nullptr;
    DWORD* m_bits = nullptr;
};
