#include "tests/e2e/ScreenPictures.h"

#include <vector>

namespace morvick::e2e {
namespace {

constexpr UINT kPreviewPane = 59649;
constexpr UINT kViewerId = 59648;  // every viewer of the pane, the placeholders among them
constexpr UINT kDocumentText = 183;  // the document viewer's rich edit control
constexpr int kHeaderBand = 35;

// Pixels as 0x00RRGGBB, rows from the top.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> bits;
    DWORD At(int x, int y) const { return bits[static_cast<size_t>(y) * width + x] & 0x00FFFFFF; }
};

bool ReadBitmap(HDC dc, HBITMAP bitmap, int width, int height, Pixels& out)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    out.width = width;
    out.height = height;
    out.bits.assign(static_cast<size_t>(width) * height, 0);
    return GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), out.bits.data(), &info, DIB_RGB_COLORS) == height;
}

bool CaptureScreen(const RECT& rect, Pixels& out)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
    SelectObject(memory, old);
    const bool ok = copied && ReadBitmap(memory, bitmap, width, height, out);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

// A bitmap of the program's resources.
bool ProgramBitmap(UINT id, Pixels& out)
{
    static HMODULE program = LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (program == nullptr)
        return false;
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(program, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
    if (bitmap == nullptr)
        return false;
    BITMAP info = {};
    GetObjectW(bitmap, sizeof(info), &info);
    HDC screen = GetDC(nullptr);
    const bool ok = ReadBitmap(screen, bitmap, info.bmWidth, info.bmHeight, out);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return ok;
}

BOOL CALLBACK FindViewer(HWND child, LPARAM found)
{
    if (GetDlgCtrlID(child) == static_cast<int>(kViewerId) && IsWindowVisible(child)) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

UINT ShownPreviewPicture(MorvickDriver& driver)
{
    HWND pane = driver.Control(kPreviewPane);
    if (pane == nullptr || !IsWindowVisible(pane))
        return 0;
    HWND viewer = nullptr;
    EnumChildWindows(pane, FindViewer, reinterpret_cast<LPARAM>(&viewer));
    RECT area = {};
    if (viewer != nullptr) {
        GetClientRect(viewer, &area);
        MapWindowPoints(viewer, nullptr, reinterpret_cast<POINT*>(&area), 2);
    } else {
        GetClientRect(pane, &area);
        MapWindowPoints(pane, nullptr, reinterpret_cast<POINT*>(&area), 2);
        area.top += kHeaderBand;
    }
    Pixels shown;
    if (!CaptureScreen(area, shown))
        return 0;
    // Each placeholder sits left of the middle of the viewer's area (the too-large one further).
    for (UINT id : {kCorruptPicture, kNotAvailablePicture, kSelectFilePicture, kTooLargePicture}) {
        Pixels picture;
        if (!ProgramBitmap(id, picture))
            continue;
        const int shift = id == kTooLargePicture ? 50 : 40;
        const int left = shown.width / 2 - picture.width / 2 - shift;
        const int top = shown.height / 2 - picture.height / 2;
        size_t compared = 0, same = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const int sx = left + x, sy = top + y;
                if (sx < 0 || sy < 0 || sx >= shown.width || sy >= shown.height)
                    continue;
                ++compared;
                same += shown.At(sx, sy) == picture.At(x, y);
            }
        }
        if (compared >= 1000 && same * 100 >= compared * 98)
            return id;
    }
    return 0;
}

std::wstring ShownPreviewText(MorvickDriver& driver)
{
    HWND pane = driver.Control(kPreviewPane);
    HWND viewer = nullptr;
    if (pane != nullptr && IsWindowVisible(pane))
        EnumChildWindows(pane, FindViewer, reinterpret_cast<LPARAM>(&viewer));
    HWND text = viewer != nullptr ? GetDlgItem(viewer, static_cast<int>(kDocumentText)) : nullptr;
    if (text == nullptr || !IsWindowVisible(text))
        return std::wstring();
    wchar_t shown[256] = L"";
    DWORD_PTR result = 0;
    MorvickDriver::Send(text, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(shown), &result);
    return shown;
}

std::map<COLORREF, size_t> ScreenColours(const RECT& screen)
{
    std::map<COLORREF, size_t> colours;
    Pixels shown;
    if (!CaptureScreen(screen, shown))
        return colours;
    for (DWORD pixel : shown.bits) {
        // 0x00RRGGBB as a COLORREF (0x00BBGGRR).
        const COLORREF colour = RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
        ++colours[colour];
    }
    return colours;
}

}  // namespace morvick::e2e
