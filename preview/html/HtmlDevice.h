// What the renderer needs of a drawing platform besides painting: text sizes (the measurer) and
// pictures made from fetched bytes. The viewer measures with GDI and decodes through the preview's
// image layer; the tests use fixed metrics and pictures described by their bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct HtmlTextSize {
    int cx = 0;
    int cy = 0;
};

class CHtmlMeasurer {
public:
    virtual ~CHtmlMeasurer() = default;
    // The extent of text[0..length) in a font of the face at a pixel height, bold (weight 700) or
    // not, italic or not; "Wingdings" is a symbol font.
    virtual HtmlTextSize MeasureText(const wchar_t* face, int height, int bold, int italic, const wchar_t* text,
        int length) = 0;
    // The width of a scroll arrow (what a drop-down list adds to its widest option).
    virtual int ScrollArrowWidth() = 0;
};

// A decoded picture of the platform's kind.
class CHtmlBitmap {
public:
    virtual ~CHtmlBitmap() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

class CHtmlPictureDecoder {
public:
    virtual ~CHtmlPictureDecoder() = default;
    // A picture from fetched bytes; null when they are no picture this platform reads.
    virtual std::unique_ptr<CHtmlBitmap> DecodePicture(const uint8_t* data, size_t size, const wchar_t* url) = 0;
    // A white picture of the size, shown for pictures that could not be had.
    virtual std::unique_ptr<CHtmlBitmap> CreatePlaceholder(int width, int height) = 0;
};
