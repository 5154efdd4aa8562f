// Visual styles reached at run time: UxTheme.dll is loaded once per process, each entry is looked up
// on its first call and cached, and every call fails softly (E_FAIL or FALSE) when the library or the
// entry is missing, or when the call raises an exception.
#pragma once

#include <windows.h>
#include <uxtheme.h>

class CTKPUxThemeWrapper
{
public:
  // The cached entries, in the order of the process-wide table.
  enum Entry {
    entryDrawThemeBackground, entryCloseThemeData, entrySetWindowTheme, entrySetThemeAppProperties,
    entryOpenThemeData, entryIsThemePartDefined, entryIsThemeDialogTextureEnabled,
    entryIsThemeBackgroundPartiallyTransparent, entryIsThemeActive, entryIsAppThemed,
    entryHitTestThemeBackground, entryGetWindowTheme, entryGetThemeSysString, entryGetThemeTextMetrics,
    entryGetThemeTextExtent, entryGetThemeSysSize, entryGetThemeSysInt, entryGetThemeSysFont,
    entryGetThemeSysColorBrush, entryGetThemeSysColor, entryGetThemeSysBool, entryGetThemeString,
    entryGetThemeRect, entryGetThemePropertyOrigin, entryGetThemePosition, entryGetThemePartSize,
    entryGetThemeMetric, entryGetThemeMargins, entryGetThemeIntList, entryGetThemeInt, entryGetThemeFont,
    entryGetThemeFilename, entryGetThemeEnumValue, entryGetThemeDocumentationProperty, entryGetThemeColor,
    entryGetThemeBool, entryGetThemeBackgroundRegion, entryGetThemeBackgroundExtent,
    entryGetThemeBackgroundContentRect, entryThemeAppProperties, entryGetCurrentThemeName, entryEnableTheming,
    entryEnableThemeDialogTexture, entryDrawThemeText, entryDrawThemeParentBackground, entryDrawThemeIcon,
    entryDrawThemeEdge, entryDrawThemeBackgroundEx,
    entryCount
  };

  CTKPUxThemeWrapper();
  virtual ~CTKPUxThemeWrapper();

  // Closes any data held, then opens the data of the class list for the window (or none).
  void OpenThemeData(HWND hWnd, LPCWSTR classList);
  void CloseThemeData();
  HTHEME GetThemeHandle() const { return m_hTheme; }

  HRESULT DrawThemeBackground(HDC hdc, int part, int state, const RECT* rect, const RECT* clip);
  HRESULT GetThemeColor(int part, int state, int property, COLORREF* color);
  HRESULT GetCurrentThemeName(LPWSTR file, int fileLength, LPWSTR color, int colorLength, LPWSTR size,
                              int sizeLength);
  BOOL IsAppThemed();
  BOOL IsThemeActive();
  // A theme is active and the common controls are version 6 or later.
  BOOL IsAppThemeActive();

  // The common-controls version read at start-up: major << 16 | minor, 0 when it could not be read.
  static DWORD GetComCtlVersion();

  // Test switches. While forced unavailable every call fails as if UxTheme.dll were missing.
  static void SetForceUnavailable(BOOL force);
  // Replaces a cached entry (null restores the real lookup).
  static void OverrideEntry(Entry entry, FARPROC proc);
  static void SetComCtlVersion(DWORD version);

protected:
  // The entry's address, looked up on first use; null when the library or the entry is missing.
  static FARPROC GetEntry(Entry entry);

  HTHEME m_hTheme;
};
