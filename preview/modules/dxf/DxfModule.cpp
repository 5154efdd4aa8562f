// DXF.dll: one drawing per handle, read by the portable DXF reader, placed by the view properties
// and painted with GDI. The progress window given to the loader gets the share read so far (on its
// progress bar child, or itself when it is one).
#include "preview/dxf/DxfDrawing.h"
#include "preview/modules/dxf/DxfApi.h"
#include "preview/modules/dxf/GdiDxfCanvas.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr LONGLONG kMaxDrawingBytes = 256ll * 1024 * 1024;

struct Drawing {
    morvick::DxfDrawing content;
    morvick::DxfViewProperties view;
    bool loaded = false;
};

Drawing* FromHandle(HDRAWING handle)
{
    return static_cast<Drawing*>(handle);
}

HWND ProgressBar(HWND window)
{
    if (window == NULL || !::IsWindow(window))
        return NULL;
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (lstrcmpiW(name, PROGRESS_CLASSW) == 0)
        return window;
    return ::FindWindowExW(window, NULL, PROGRESS_CLASSW, NULL);
}

// The bytes of a file opened for reading (closed here).
bool ReadFileBytes(HANDLE file, std::vector<uint8_t>& bytes)
{
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart <= kMaxDrawingBytes;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() ||
            (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, NULL) && read == bytes.size());
    }
    ::CloseHandle(file);
    return ok;
}

// Loads the drawing from a file opened for reading (closed here).
BOOL LoadFromFile(Drawing* drawing, HANDLE file, HWND progress)
{
    drawing->loaded = false;
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(file, bytes))
        return FALSE;
    HWND bar = ProgressBar(progress);
    morvick::DxfLoadResult result = morvick::LoadDxf(bytes.data(), bytes.size(), drawing->content, [bar](int percent) {
        if (bar != NULL)
            ::SendMessageW(bar, PBM_SETPOS, percent, 0);
    });
    // A drawing damaged part way shows what was read before the damage.
    drawing->loaded = result == morvick::DxfLoadResult::kOk ||
        (result == morvick::DxfLoadResult::kDamaged && !drawing->content.primitives.empty());
    return drawing->loaded ? TRUE : FALSE;
}

}  // namespace

extern "C" {

HDRAWING WINAPI drwCreate()
{
    return new Drawing;
}

BOOL WINAPI drwDestroy(HDRAWING drawing)
{
    if (drawing == NULL)
        return FALSE;
    delete FromHandle(drawing);
    return TRUE;
}

// The editing entry points: this library reads and shows drawings only.
DWORD WINAPI drwAddTableType(HDRAWING, DWORD, LPVOID)
{
    return 0;
}
DWORD WINAPI drwDeleteTableType(HDRAWING, DWORD, LPVOID)
{
    return 0;
}
DWORD WINAPI drwFindTableType(HDRAWING, DWORD, LPVOID)
{
    return 0;
}
DWORD WINAPI drwAddBlock(HDRAWING, LPVOID)
{
    return 0;
}
DWORD WINAPI drwDeleteBlock(HDRAWING, LPVOID)
{
    return 0;
}
DWORD WINAPI drwFindBlock(HDRAWING, LPVOID)
{
    return 0;
}
DWORD WINAPI drwAddEntity(HDRAWING, DWORD, LPVOID)
{
    return 0;
}
DWORD WINAPI drwDeleteEntity(HDRAWING, DWORD, LPVOID)
{
    return 0;
}
DWORD WINAPI drwChangeEntity(HDRAWING, DWORD, LPVOID)
{
    return 0;
}
DWORD WINAPI drwFindEntity(HDRAWING, DWORD, LPVOID)
{
    return 0;
}
BOOL WINAPI drwSaveDataToFile(HDRAWING, DWORD, LPCSTR, HWND)
{
    return FALSE;
}

// The path in the ANSI code page.
BOOL WINAPI drwLoadDataFromFile(HDRAWING handle, DWORD, DWORD, LPCSTR path, HWND progress)
{
    Drawing* drawing = FromHandle(handle);
    if (drawing == NULL || path == NULL)
        return FALSE;
    return LoadFromFile(drawing,
        ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL), progress);
}

// The same with a wide path, for paths that the ANSI code page cannot spell.
BOOL WINAPI drwLoadDataFromFileW(HDRAWING handle, DWORD, DWORD, LPCWSTR path, HWND progress)
{
    Drawing* drawing = FromHandle(handle);
    if (drawing == NULL || path == NULL)
        return FALSE;
    return LoadFromFile(drawing,
        ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL), progress);
}

BOOL WINAPI drwInitView(HDRAWING handle, int x, int y, int width, int height)
{
    Drawing* drawing = FromHandle(handle);
    if (drawing == NULL)
        return FALSE;
    drawing->view.left = x;
    drawing->view.top = y;
    drawing->view.right = x + width;
    drawing->view.bottom = y + height;
    return TRUE;
}

BOOL WINAPI drwPaint(HDRAWING handle, HDC dc)
{
    Drawing* drawing = FromHandle(handle);
    if (drawing == NULL || dc == NULL)
        return FALSE;
    GdiDxfCanvas canvas(dc);
    morvick::PaintDxf(drawing->content, drawing->view, canvas);
    return TRUE;
}

BOOL WINAPI drwGetViewProperties(HDRAWING handle, morvick::DxfViewProperties* record)
{
    Drawing* drawing = FromHandle(handle);
    if (drawing == NULL || record == NULL)
        return FALSE;
    *record = drawing->view;
    return TRUE;
}

BOOL WINAPI drwSetViewProperties(HDRAWING handle, const morvick::DxfViewProperties* record)
{
    Drawing* drawing = FromHandle(handle);
    if (drawing == NULL || record == NULL || !morvick::DxfViewUsable(*record))
        return FALSE;
    drawing->view = *record;
    drawing->view.size = sizeof drawing->view;
    return TRUE;
}

BOOL WINAPI drwGetDrawingBorder(HDRAWING handle, DxfDrawingBorder* border)
{
    Drawing* drawing = FromHandle(handle);
    if (drawing == NULL || border == NULL)
        return FALSE;
    morvick::DxfExtents extents = drawing->content.Extents();
    if (!extents.valid)
        return FALSE;
    *border = DxfDrawingBorder{extents.min.x, extents.min.y, extents.max.x, extents.max.y};
    return TRUE;
}

BOOL WINAPI drwZoomExtents(HDRAWING handle)
{
    Drawing* drawing = FromHandle(handle);
    if (drawing == NULL)
        return FALSE;
    return morvick::DxfZoomExtents(drawing->view, drawing->content.Extents()) ? TRUE : FALSE;
}

}  // extern "C"
