// The screen's pixels in a rectangle, read back from the desktop as the user sees them.
#pragma once

#include "DibCanvas.h"

class ScreenPixels {
public:
    explicit ScreenPixels(const CRect& rc) : m_rc(rc), m_canvas(rc.Width(), rc.Height())
    {
        HDC hScreen = ::GetDC(NULL);
        ::BitBlt(m_canvas.Hdc(), 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
        ::ReleaseDC(NULL, hScreen);
    }
    // A pixel by its screen coordinates.
    COLORREF At(int x, int y) { return m_canvas.Pixel(x - m_rc.left, y - m_rc.top); }

private:
    CRect m_rc;
    DibCanvas m_canvas;
};
