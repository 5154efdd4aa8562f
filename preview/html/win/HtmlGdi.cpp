#include "preview/html/win/HtmlGdi.h"

#include "preview/decoders/ImageFormat.h"
#include "preview/html/HtmlText.h"
#include "preview/win/imaging/CxImage.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {

// Fonts kept at most; the cache starts again beyond (a page can name any number of faces).
constexpr size_t kMaxFonts = 64;

COLORREF Colour(HtmlColour c)
{
    return static_cast<COLORREF>(c & 0x00FFFFFF);
}

}  // namespace

CHtmlFontCache::~CHtmlFontCache()
{
    for (auto& f : m_fonts)
        DeleteObject(f.second);
}

HFONT CHtmlFontCache::Get(const HtmlFont& font)
{
    Key key(font.face != nullptr ? font.face : L"", font.height, font.bold ? 1 : 0, font.italic ? 1 : 0,
        font.underline ? 1 : 0, font.strikeOut ? 1 : 0);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end())
        return it->second;
    if (m_fonts.size() >= kMaxFonts) {
        for (auto& f : m_fonts)
            DeleteObject(f.second);
        m_fonts.clear();
    }
    const std::wstring& face = std::get<0>(key);
    bool symbol = HtmlEqualNoCase(face.c_str(), L"Wingdings");
    // Preformatted text asks for "Courier New"; where that face is missing, the font mapper still
    // picks a fixed-pitch one, so that columns of such text stay aligned.
    bool fixed = HtmlEqualNoCase(face.c_str(), L"Courier New");
    HFONT h = CreateFontW(-std::max(font.height, 1), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
        font.italic ? TRUE : FALSE, font.underline ? TRUE : FALSE, font.strikeOut ? TRUE : FALSE,
        symbol ? SYMBOL_CHARSET : ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
        fixed ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE, face.substr(0, 31).c_str());
    if (h == NULL)
        h = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    m_fonts[key] = h;
    return h;
}

CHtmlGdiMeasurer::CHtmlGdiMeasurer()
{
    HDC screen = GetDC(NULL);
    m_dc = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
}

CHtmlGdiMeasurer::~CHtmlGdiMeasurer()
{
    DeleteDC(m_dc);
}

HtmlTextSize CHtmlGdiMeasurer::MeasureText(const wchar_t* face, int height, int bold, int italic, const wchar_t* text,
    int length)
{
    HtmlFont font;
    font.face = face;
    font.height = height;
    font.bold = bold;
    font.italic = italic;
    if (length < 0)
        length = static_cast<int>(std::wcslen(text));
    HGDIOBJ old = SelectObject(m_dc, m_fonts.Get(font));
    SIZE size = {0, 0};
    GetTextExtentPoint32W(m_dc, text, length, &size);
    if (length == 0) {
        TEXTMETRICW tm;
        if (GetTextMetricsW(m_dc, &tm))
            size.cy = tm.tmHeight;
    }
    SelectObject(m_dc, old);
    return HtmlTextSize{size.cx, size.cy};
}

int CHtmlGdiMeasurer::ScrollArrowWidth()
{
    return GetSystemMetrics(SM_CXHSCROLL);
}

CHtmlGdiBitmap::~CHtmlGdiBitmap()
{
    if (m_bitmap != NULL)
        DeleteObject(m_bitmap);
}

int HtmlPictureFormat(const uint8_t* data, size_t size, const wchar_t* url)
{
    auto starts = [&](const char* magic, size_t n) { return size >= n && std::memcmp(data, magic, n) == 0; };
    if (starts("\x89PNG", 4))
        return morvick::kImagePng;
    if (starts("GIF8", 4))
        return morvick::kImageGif;
    if (starts("\xFF\xD8\xFF", 3))
        return morvick::kImageJpeg;
    if (starts("BM", 2))
        return morvick::kImageBmp;
    if (starts("\0\0\1\0", 4))
        return morvick::kImageIcon;
    if (starts("II*\0", 4) || starts("MM\0*", 4))
        return morvick::kImageTiff;
    std::wstring name = url != nullptr ? url : L"";
    name = name.substr(0, name.find_first_of(L"?#"));
    return morvick::ImageFormatFromFileName(std::u16string(name.begin(), name.end()));
}

std::unique_ptr<CHtmlBitmap> CHtmlGdiPictureDecoder::DecodePicture(const uint8_t* data, size_t size, const wchar_t* url)
{
    int format = HtmlPictureFormat(data, size, url);
    if (format == morvick::kImageUnknown)
        return nullptr;
    CxImage picture;
    if (!picture.Decode(data, size, static_cast<DWORD>(format)))
        return nullptr;
    int width = static_cast<int>(picture.GetWidth()), height = static_cast<int>(picture.GetHeight());
    HDC screen = GetDC(NULL);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
    if (bitmap == NULL || memory == NULL) {
        if (bitmap != NULL)
            DeleteObject(bitmap);
        if (memory != NULL)
            DeleteDC(memory);
        return nullptr;
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    picture.Stretch(memory, 0, 0, width, height, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    return std::make_unique<CHtmlGdiBitmap>(bitmap, width, height);
}

std::unique_ptr<CHtmlBitmap> CHtmlGdiPictureDecoder::CreatePlaceholder(int width, int height)
{
    HDC screen = GetDC(NULL);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
    if (bitmap != NULL && memory != NULL) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT all = {0, 0, width, height};
        ::FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SelectObject(memory, old);
    }
    if (memory != NULL)
        DeleteDC(memory);
    if (bitmap == NULL)
        return nullptr;
    return std::make_unique<CHtmlGdiBitmap>(bitmap, width, height);
}

CHtmlGdiCanvas::CHtmlGdiCanvas(HDC dc, CHtmlFontCache& fonts)
    : m_dc(dc), m_memory(CreateCompatibleDC(dc)), m_fonts(fonts), m_oldFont(GetCurrentObject(dc, OBJ_FONT)),
      m_oldMode(SetBkMode(dc, TRANSPARENT))
{
    SetTextAlign(m_dc, TA_LEFT | TA_TOP);
}

CHtmlGdiCanvas::~CHtmlGdiCanvas()
{
    SelectObject(m_dc, m_oldFont);
    SetBkMode(m_dc, m_oldMode);
    DeleteDC(m_memory);
}

void CHtmlGdiCanvas::FillRect(const HtmlRect& rect, HtmlColour colour)
{
    RECT r = {rect.left, rect.top, rect.right, rect.bottom};
    COLORREF old = SetBkColor(m_dc, Colour(colour));
    ExtTextOutW(m_dc, 0, 0, ETO_OPAQUE, &r, NULL, 0, NULL);
    SetBkColor(m_dc, old);
}

void CHtmlGdiCanvas::PaintText(int x, int y, const wchar_t* text, int length, const HtmlFont& font, HtmlColour colour)
{
    SelectObject(m_dc, m_fonts.Get(font));
    SetTextColor(m_dc, Colour(colour));
    TextOutW(m_dc, x, y, text, length);
}

void CHtmlGdiCanvas::DrawLine(int x1, int y1, int x2, int y2, HtmlColour colour)
{
    HPEN pen = CreatePen(PS_SOLID, 1, Colour(colour));
    HGDIOBJ old = SelectObject(m_dc, pen);
    MoveToEx(m_dc, x1, y1, NULL);
    LineTo(m_dc, x2, y2);
    SelectObject(m_dc, old);
    DeleteObject(pen);
}

void CHtmlGdiCanvas::DrawBitmap(const CHtmlBitmap& bitmap, int x, int y, int width, int height)
{
    HGDIOBJ old = SelectObject(m_memory, static_cast<const CHtmlGdiBitmap&>(bitmap).Handle());
    BitBlt(m_dc, x, y, width, height, m_memory, 0, 0, SRCCOPY);
    SelectObject(m_memory, old);
}

void CHtmlGdiCanvas::StretchBitmap(const CHtmlBitmap& bitmap, const HtmlRect& rect)
{
    HGDIOBJ old = SelectObject(m_memory, static_cast<const CHtmlGdiBitmap&>(bitmap).Handle());
    int oldMode = SetStretchBltMode(m_dc, COLORONCOLOR);
    StretchBlt(m_dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, m_memory, 0, 0,
        bitmap.Width(), bitmap.Height(), SRCCOPY);
    SetStretchBltMode(m_dc, oldMode);
    SelectObject(m_memory, old);
}

void CHtmlGdiCanvas::TileBitmap(const CHtmlBitmap& bitmap, const HtmlRect& area, int originX, int originY)
{
    if (bitmap.Width() <= 0 || bitmap.Height() <= 0 || area.right <= area.left || area.bottom <= area.top)
        return;
    // One pattern fill instead of a blit per tile: a tiny picture over a large page stays cheap.
    HBRUSH brush = CreatePatternBrush(static_cast<const CHtmlGdiBitmap&>(bitmap).Handle());
    if (brush == NULL)
        return;
    int ox = originX % bitmap.Width(), oy = originY % bitmap.Height();
    if (ox < 0)
        ox += bitmap.Width();
    if (oy < 0)
        oy += bitmap.Height();
    POINT old;
    SetBrushOrgEx(m_dc, ox, oy, &old);
    RECT r = {area.left, area.top, area.right, area.bottom};
    ::FillRect(m_dc, &r, brush);
    SetBrushOrgEx(m_dc, old.x, old.y, NULL);
    DeleteObject(brush);
}
