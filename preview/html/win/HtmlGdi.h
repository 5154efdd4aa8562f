// The renderer's platform on GDI: text measured in the fonts that paint it, pictures decoded
// through the preview's image layer into screen-compatible bitmaps, and a canvas over a device
// context.
#pragma once

#include "preview/html/HtmlCanvas.h"
#include "preview/html/HtmlDevice.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>

// Fonts of the renderer by face, pixel height (of the characters), weight, italic, underline and
// strike-out; "Wingdings" in the symbol character set. Kept while the cache lives.
class CHtmlFontCache {
public:
    CHtmlFontCache() = default;
    ~CHtmlFontCache();
    CHtmlFontCache(const CHtmlFontCache&) = delete;
    CHtmlFontCache& operator=(const CHtmlFontCache&) = delete;
    HFONT Get(const HtmlFont& font);

private:
    typedef std::tuple<std::wstring, int, int, int, int, int> Key;
    std::map<Key, HFONT> m_fonts;
};

class CHtmlGdiMeasurer : public CHtmlMeasurer {
public:
    CHtmlGdiMeasurer();
    ~CHtmlGdiMeasurer() override;
    HtmlTextSize MeasureText(const wchar_t* face, int height, int bold, int italic, const wchar_t* text,
        int length) override;
    int ScrollArrowWidth() override;

private:
    HDC m_dc;
    CHtmlFontCache m_fonts;
};

class CHtmlGdiBitmap : public CHtmlBitmap {
public:
    CHtmlGdiBitmap(HBITMAP bitmap, int width, int height) : m_bitmap(bitmap), m_width(width), m_height(height) {}
    ~CHtmlGdiBitmap() override;
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    HBITMAP Handle() const { return m_bitmap; }

private:
    HBITMAP m_bitmap;
    int m_width, m_height;
};

class CHtmlGdiPictureDecoder : public CHtmlPictureDecoder {
public:
    std::unique_ptr<CHtmlBitmap> DecodePicture(const uint8_t* data, size_t size, const wchar_t* url) override;
    std::unique_ptr<CHtmlBitmap> CreatePlaceholder(int width, int height) override;
};

// The image layer's format code of picture bytes: by their signature, else by the URL's extension.
int HtmlPictureFormat(const uint8_t* data, size_t size, const wchar_t* url);

class CHtmlGdiCanvas : public CHtmlCanvas {
public:
    CHtmlGdiCanvas(HDC dc, CHtmlFontCache& fonts);
    ~CHtmlGdiCanvas() override;
    void FillRect(const HtmlRect& rect, HtmlColour colour) override;
    void PaintText(int x, int y, const wchar_t* text, int length, const HtmlFont& font, HtmlColour colour) override;
    void DrawLine(int x1, int y1, int x2, int y2, HtmlColour colour) override;
    void DrawBitmap(const CHtmlBitmap& bitmap, int x, int y, int width, int height) override;
    void StretchBitmap(const CHtmlBitmap& bitmap, const HtmlRect& rect) override;
    void TileBitmap(const CHtmlBitmap& bitmap, const HtmlRect& area, int originX, int originY) override;

private:
    HDC m_dc;
    HDC m_memory;
    CHtmlFontCache& m_fonts;
    HGDIOBJ m_oldFont;
    int m_oldMode;
};
