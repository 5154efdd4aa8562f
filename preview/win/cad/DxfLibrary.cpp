#include "preview/win/cad/DxfLibrary.h"

#include "preview/win/host/AnsiPath.h"

#include <string>

namespace {

template <class T>
bool Bind(HMODULE module, const char* name, T& target)
{
    target = reinterpret_cast<T>(::GetProcAddress(module, name));
    return target != NULL;
}

// The path in the ANSI code page; the short form when the long one has characters the code page
// lacks; empty when neither fits.
std::string AnsiOrShortPath(LPCWSTR path)
{
    std::string result = AnsiPath(path);
    if (result.empty()) {
        wchar_t shortPath[MAX_PATH] = {};
        DWORD n = ::GetShortPathNameW(path, shortPath, MAX_PATH);
        if (n > 0 && n < MAX_PATH)
            result = AnsiPath(shortPath);
    }
    return result;
}

}  // namespace

CDxfLibrary::CDxfLibrary() : m_hModule(NULL), m_hDrawing(NULL), m_bLoaded(FALSE), m_pLoadDataFromFileW(NULL)
{
    m_hModule = ::LoadLibraryW(L"DXF.dll");
    if (m_hModule == NULL)
        return;
    bool all = true;
    all &= Bind(m_hModule, "drwCreate", m_pCreate);
    all &= Bind(m_hModule, "drwDestroy", m_pDestroy);
    all &= Bind(m_hModule, "drwAddTableType", m_pAddTableType);
    all &= Bind(m_hModule, "drwDeleteTableType", m_pDeleteTableType);
    all &= Bind(m_hModule, "drwFindTableType", m_pFindTableType);
    all &= Bind(m_hModule, "drwAddBlock", m_pAddBlock);
    all &= Bind(m_hModule, "drwDeleteBlock", m_pDeleteBlock);
    all &= Bind(m_hModule, "drwFindBlock", m_pFindBlock);
    all &= Bind(m_hModule, "drwAddEntity", m_pAddEntity);
    all &= Bind(m_hModule, "drwDeleteEntity", m_pDeleteEntity);
    all &= Bind(m_hModule, "drwChangeEntity", m_pChangeEntity);
    all &= Bind(m_hModule, "drwFindEntity", m_pFindEntity);
    all &= Bind(m_hModule, "drwSaveDataToFile", m_pSaveDataToFile);
    all &= Bind(m_hModule, "drwLoadDataFromFile", m_pLoadDataFromFile);
    all &= Bind(m_hModule, "drwInitView", m_pInitView);
    all &= Bind(m_hModule, "drwPaint", m_pPaint);
    all &= Bind(m_hModule, "drwGetViewProperties", m_pGetViewProperties);
    all &= Bind(m_hModule, "drwSetViewProperties", m_pSetViewProperties);
    all &= Bind(m_hModule, "drwGetDrawingBorder", m_pGetDrawingBorder);
    all &= Bind(m_hModule, "drwZoomExtents", m_pZoomExtents);
    m_bLoaded = all ? TRUE : FALSE;
    Bind(m_hModule, "drwLoadDataFromFileW", m_pLoadDataFromFileW);
}

CDxfLibrary::~CDxfLibrary()
{
    Destroy();
    if (m_hModule != NULL)
        ::FreeLibrary(m_hModule);
}

BOOL CDxfLibrary::Create()
{
    if (!m_bLoaded || m_hDrawing != NULL)
        return FALSE;
    m_hDrawing = m_pCreate();
    return m_hDrawing != NULL;
}

BOOL CDxfLibrary::Destroy()
{
    if (!m_bLoaded || m_hDrawing == NULL)
        return FALSE;
    if (!m_pDestroy(m_hDrawing))
        return FALSE;
    m_hDrawing = NULL;
    return TRUE;
}

BOOL CDxfLibrary::LoadFile(LPCSTR lpszPath, HWND hProgress)
{
    return IsReady() ? m_pLoadDataFromFile(m_hDrawing, 0, 0, lpszPath, hProgress) : FALSE;
}

BOOL CDxfLibrary::LoadFile(LPCWSTR lpszPath, HWND hProgress)
{
    if (!IsReady() || lpszPath == NULL)
        return FALSE;
    if (m_pLoadDataFromFileW != NULL)
        return m_pLoadDataFromFileW(m_hDrawing, 0, 0, lpszPath, hProgress);
    std::string ansi = AnsiOrShortPath(lpszPath);
    return !ansi.empty() && LoadFile(ansi.c_str(), hProgress);
}

BOOL CDxfLibrary::InitView(int x, int y, int width, int height)
{
    return IsReady() ? m_pInitView(m_hDrawing, x, y, width, height) : FALSE;
}

BOOL CDxfLibrary::Paint(HDC hDC)
{
    return IsReady() ? m_pPaint(m_hDrawing, hDC) : FALSE;
}

BOOL CDxfLibrary::GetViewProperties(morvick::DxfViewProperties& view)
{
    return IsReady() ? m_pGetViewProperties(m_hDrawing, &view) : FALSE;
}

BOOL CDxfLibrary::SetViewProperties(const morvick::DxfViewProperties& view)
{
    return IsReady() ? m_pSetViewProperties(m_hDrawing, &view) : FALSE;
}

double CDxfLibrary::GetZoom()
{
    morvick::DxfViewProperties view;
    return GetViewProperties(view) ? view.zoom : 0.0;
}

BOOL CDxfLibrary::SetZoom(double zoom)
{
    morvick::DxfViewProperties view;
    if (!GetViewProperties(view) || !morvick::DxfZoomAboutCentre(view, zoom))
        return FALSE;
    return SetViewProperties(view);
}

BOOL CDxfLibrary::ZoomExtents()
{
    return IsReady() ? m_pZoomExtents(m_hDrawing) : FALSE;
}
