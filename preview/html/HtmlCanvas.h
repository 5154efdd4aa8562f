// The drawing surface the page paints on: GDI in the viewer, a recorder in the tests.
#pragma once

#include "preview/html/HtmlColours.h"
#include "preview/html/HtmlDevice.h"
#include "preview/html/HtmlHost.h"

struct HtmlFont {
    const wchar_t* face = L"";
    int height = 0;
    int bold = 0;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
};

class CHtmlCanvas {
public:
    virtual ~CHtmlCanvas() = default;
    virtual void FillRect(const HtmlRect& rect, HtmlColour colour) = 0;
    // Text with a transparent background, its top-left corner at (x, y).
    virtual void PaintText(int x, int y, const wchar_t* text, int length, const HtmlFont& font, HtmlColour colour) = 0;
    // A line one pixel wide from (x1, y1) up to, not including, (x2, y2).
    virtual void DrawLine(int x1, int y1, int x2, int y2, HtmlColour colour) = 0;
    // The picture's top-left width x height pixels at (x, y).
    virtual void DrawBitmap(const CHtmlBitmap& bitmap, int x, int y, int width, int height) = 0;
    // The whole picture stretched into the rectangle.
    virtual void StretchBitmap(const CHtmlBitmap& bitmap, const HtmlRect& rect) = 0;
    // Fills area with copies of the picture laid side by side so that one copy's top-left corner
    // falls on (originX, originY).
    virtual void TileBitmap(const CHtmlBitmap& bitmap, const HtmlRect& area, int originX, int originY) = 0;
};
