#include "toolkit/base/UxThemeWrapper.h"

#include "toolkit/base/GuardedCall.h"

#include <shlwapi.h>

namespace {

const char* const kEntryNames[CTKPUxThemeWrapper::entryCount] = {
    "DrawThemeBackground", "CloseThemeData", "SetWindowTheme", "SetThemeAppProperties", "OpenThemeData",
    "IsThemePartDefined", "IsThemeDialogTextureEnabled", "IsThemeBackgroundPartiallyTransparent", "IsThemeActive",
    "IsAppThemed", "HitTestThemeBackground", "GetWindowTheme", "GetThemeSysString", "GetThemeTextMetrics",
    "GetThemeTextExtent", "GetThemeSysSize", "GetThemeSysInt", "GetThemeSysFont", "GetThemeSysColorBrush",
    "GetThemeSysColor", "GetThemeSysBool", "GetThemeString", "GetThemeRect", "GetThemePropertyOrigin",
    "GetThemePosition", "GetThemePartSize", "GetThemeMetric", "GetThemeMargins", "GetThemeIntList", "GetThemeInt",
    "GetThemeFont", "GetThemeFilename", "GetThemeEnumValue", "GetThemeDocumentationProperty", "GetThemeColor",
    "GetThemeBool", "GetThemeBackgroundRegion", "GetThemeBackgroundExtent", "GetThemeBackgroundContentRect",
    "ThemeAppProperties", "GetCurrentThemeName", "EnableTheming", "EnableThemeDialogTexture", "DrawThemeText",
    "DrawThemeParentBackground", "DrawThemeIcon", "DrawThemeEdge", "DrawThemeBackgroundEx",
};

DWORD ReadComCtlVersion()
{
  DWORD version = 0;
  HMODULE module = LoadLibraryW(L"comctl32.dll");
  if (module) {
    typedef HRESULT(CALLBACK * GetVersionProc)(DLLVERSIONINFO*);
    GetVersionProc proc = reinterpret_cast<GetVersionProc>(GetProcAddress(module, "DllGetVersion"));
    if (proc) {
      DLLVERSIONINFO info = {};
      info.cbSize = 20;
      if (proc(&info) >= 0)
        version = (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
    }
    FreeLibrary(module);
  }
  return version;
}

// The process-wide record: the library, its cached entries and the common-controls version.
struct UxThemeRecord
{
  UxThemeRecord() : module(LoadLibraryW(L"UxTheme.dll")), comCtlVersion(ReadComCtlVersion()), forceUnavailable(FALSE)
  {
    for (int i = 0; i < CTKPUxThemeWrapper::entryCount; ++i) {
      entries[i] = nullptr;
      overrides[i] = nullptr;
    }
  }

  HMODULE module;  // never freed
  FARPROC entries[CTKPUxThemeWrapper::entryCount];
  FARPROC overrides[CTKPUxThemeWrapper::entryCount];
  DWORD comCtlVersion;
  BOOL forceUnavailable;
};

UxThemeRecord& Record()
{
  static UxThemeRecord record;
  return record;
}

// Made at start-up like the other process-wide records.
const UxThemeRecord& g_startupRecord = Record();

}  // namespace

CTKPUxThemeWrapper::CTKPUxThemeWrapper() : m_hTheme(nullptr) {}

CTKPUxThemeWrapper::~CTKPUxThemeWrapper() { CloseThemeData(); }

FARPROC CTKPUxThemeWrapper::GetEntry(Entry entry)
{
  UxThemeRecord& record = Record();
  if (entry < 0 || entry >= entryCount)
    return nullptr;
  if (record.overrides[entry])
    return record.overrides[entry];
  if (record.forceUnavailable || !record.module)
    return nullptr;
  if (!record.entries[entry])
    record.entries[entry] = GetProcAddress(record.module, kEntryNames[entry]);
  return record.entries[entry];
}

// Every call runs inside a guard: a fault raised in the library gives the failure answer.

void CTKPUxThemeWrapper::OpenThemeData(HWND hWnd, LPCWSTR classList)
{
  CloseThemeData();
  typedef HTHEME(WINAPI * Proc)(HWND, LPCWSTR);
  if (Proc proc = reinterpret_cast<Proc>(GetEntry(entryOpenThemeData))) {
    HTHEME hTheme = nullptr;
    if (tkguard::Guarded([&] { hTheme = proc(hWnd, classList); }))
      m_hTheme = hTheme;
  }
}

void CTKPUxThemeWrapper::CloseThemeData()
{
  if (m_hTheme) {
    typedef HRESULT(WINAPI * Proc)(HTHEME);
    if (Proc proc = reinterpret_cast<Proc>(GetEntry(entryCloseThemeData))) {
      HTHEME hTheme = m_hTheme;
      tkguard::Guarded([&] { proc(hTheme); });
    }
  }
  m_hTheme = nullptr;
}

HRESULT CTKPUxThemeWrapper::DrawThemeBackground(HDC hdc, int part, int state, const RECT* rect, const RECT* clip)
{
  typedef HRESULT(WINAPI * Proc)(HTHEME, HDC, int, int, const RECT*, const RECT*);
  Proc proc = reinterpret_cast<Proc>(GetEntry(entryDrawThemeBackground));
  HRESULT hr = E_FAIL;
  if (proc && !tkguard::Guarded([&] { hr = proc(m_hTheme, hdc, part, state, rect, clip); }))
    hr = E_FAIL;
  return hr;
}

HRESULT CTKPUxThemeWrapper::GetThemeColor(int part, int state, int property, COLORREF* color)
{
  typedef HRESULT(WINAPI * Proc)(HTHEME, int, int, int, COLORREF*);
  Proc proc = reinterpret_cast<Proc>(GetEntry(entryGetThemeColor));
  if (!proc)
    return E_FAIL;
  // Read into a value of our own, so that a call that faults leaves the caller's colour as it was.
  HRESULT hr = E_FAIL;
  COLORREF value = color ? *color : 0;
  if (!tkguard::Guarded([&] { hr = proc(m_hTheme, part, state, property, color ? &value : nullptr); }))
    return E_FAIL;
  if (color)
    *color = value;
  return hr;
}

HRESULT CTKPUxThemeWrapper::GetCurrentThemeName(LPWSTR file, int fileLength, LPWSTR color, int colorLength,
                                                LPWSTR size, int sizeLength)
{
  typedef HRESULT(WINAPI * Proc)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
  Proc proc = reinterpret_cast<Proc>(GetEntry(entryGetCurrentThemeName));
  HRESULT hr = E_FAIL;
  if (proc && !tkguard::Guarded([&] { hr = proc(file, fileLength, color, colorLength, size, sizeLength); }))
    hr = E_FAIL;
  return hr;
}

BOOL CTKPUxThemeWrapper::IsAppThemed()
{
  typedef BOOL(WINAPI * Proc)();
  Proc proc = reinterpret_cast<Proc>(GetEntry(entryIsAppThemed));
  BOOL bThemed = FALSE;
  if (proc && !tkguard::Guarded([&] { bThemed = proc(); }))
    bThemed = FALSE;
  return bThemed;
}

BOOL CTKPUxThemeWrapper::IsThemeActive()
{
  typedef BOOL(WINAPI * Proc)();
  Proc proc = reinterpret_cast<Proc>(GetEntry(entryIsThemeActive));
  BOOL bActive = FALSE;
  if (proc && !tkguard::Guarded([&] { bActive = proc(); }))
    bActive = FALSE;
  return bActive;
}

BOOL CTKPUxThemeWrapper::IsAppThemeActive()
{
  const UxThemeRecord& record = Record();
  const bool loaded = record.module && !record.forceUnavailable;
  return loaded && IsThemeActive() && (record.comCtlVersion & 0xFFFF0000) > 0x50000;
}

DWORD CTKPUxThemeWrapper::GetComCtlVersion() { return Record().comCtlVersion; }

void CTKPUxThemeWrapper::SetForceUnavailable(BOOL force) { Record().forceUnavailable = force; }

void CTKPUxThemeWrapper::OverrideEntry(Entry entry, FARPROC proc)
{
  if (entry >= 0 && entry < entryCount)
    Record().overrides[entry] = proc;
}

void CTKPUxThemeWrapper::SetComCtlVersion(DWORD version) { Record().comCtlVersion = version; }
