#include "toolkit/base/DrawingHelper.h"

#include "toolkit/base/ColorManager.h"
#include "toolkit/base/DisplayDepth.h"
#include "toolkit/base/WindowsVersion.h"
#include "toolkit/common/ColorMath.h"

#include <algorithm>

const RECT g_rcTKPDefaultWindow = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};

namespace {

typedef BOOL(WINAPI* GradientFillProc)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
typedef HMONITOR(WINAPI* MonitorFromRectProc)(LPCRECT, DWORD);
typedef HMONITOR(WINAPI* MonitorFromWindowProc)(HWND, DWORD);
typedef HMONITOR(WINAPI* MonitorFromPointProc)(POINT, DWORD);
typedef BOOL(WINAPI* GetMonitorInfoProc)(HMONITOR, LPMONITORINFO);

// The process-wide instance: msimg32 and the multi-monitor entries, looked up once.
struct HelperLibraries
{
  HelperLibraries()
  {
    msimg32 = LoadLibraryW(L"msimg32.dll");
    gradientFill = msimg32 ? reinterpret_cast<GradientFillProc>(GetProcAddress(msimg32, "GradientFill")) : NULL;
    HMODULE user32 = GetModuleHandleW(L"USER32");
    if (user32) {
      fromRect = reinterpret_cast<MonitorFromRectProc>(GetProcAddress(user32, "MonitorFromRect"));
      fromWindow = reinterpret_cast<MonitorFromWindowProc>(GetProcAddress(user32, "MonitorFromWindow"));
      fromPoint = reinterpret_cast<MonitorFromPointProc>(GetProcAddress(user32, "MonitorFromPoint"));
      monitorInfo = reinterpret_cast<GetMonitorInfoProc>(GetProcAddress(user32, "GetMonitorInfoW"));
    }
    if (!fromRect || !fromWindow || !fromPoint || !monitorInfo || !GetProcAddress(user32, "GetSystemMetrics"))
      fromRect = NULL, fromWindow = NULL, fromPoint = NULL, monitorInfo = NULL;
  }
  ~HelperLibraries()
  {
    if (msimg32)
      FreeLibrary(msimg32);
  }

  HMODULE msimg32 = NULL;
  GradientFillProc gradientFill = NULL;
  BOOL gradientEnabled = TRUE;
  MonitorFromRectProc fromRect = NULL;
  MonitorFromWindowProc fromWindow = NULL;
  MonitorFromPointProc fromPoint = NULL;
  GetMonitorInfoProc monitorInfo = NULL;
};

HelperLibraries& Libraries()
{
  static HelperLibraries libraries;
  return libraries;
}

const HelperLibraries& g_startupLibraries = Libraries();

void WorkAreaOf(HMONITOR monitor, LPRECT lpWorkArea)
{
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (monitor && Libraries().monitorInfo && Libraries().monitorInfo(monitor, &info)) {
    *lpWorkArea = info.rcWork;
    return;
  }
  SystemParametersInfoW(SPI_GETWORKAREA, 0, lpWorkArea, 0);
}

COLOR16 Channel16(int c) { return static_cast<COLOR16>(c << 8); }

int CALLBACK CollectFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
  const wchar_t* wanted = reinterpret_cast<const wchar_t*>(lParam);
  return lstrcmpiW(lf->lfFaceName, wanted) == 0 ? 0 : 1;  // 0 stops the enumeration: found
}

}  // namespace

void CTKPDrawingHelper::EnableGradientLibrary(BOOL bEnable) { Libraries().gradientEnabled = bEnable; }

void CTKPDrawingHelper::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
  if (lpRect == NULL || IsRectEmpty(lpRect))
    return;
  if (IsLowColor(pDC->GetSafeHdc()) || crFrom == crTo) {
    pDC->FillSolidRect(lpRect, crFrom);
    return;
  }
  const HelperLibraries& libs = Libraries();
  if (libs.gradientFill && libs.gradientEnabled) {
    TRIVERTEX vertices[2] = {};
    vertices[0].x = lpRect->left;
    vertices[0].y = lpRect->top;
    vertices[0].Red = Channel16(GetRValue(crFrom));
    vertices[0].Green = Channel16(GetGValue(crFrom));
    vertices[0].Blue = Channel16(GetBValue(crFrom));
    vertices[1].x = lpRect->right;
    vertices[1].y = lpRect->bottom;
    vertices[1].Red = Channel16(GetRValue(crTo));
    vertices[1].Green = Channel16(GetGValue(crTo));
    vertices[1].Blue = Channel16(GetBValue(crTo));
    GRADIENT_RECT gradientRect = {0, 1};
    libs.gradientFill(pDC->GetSafeHdc(), vertices, 2, &gradientRect, 1,
                      bHorz ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
    return;
  }
  FillBands(pDC, CRect(lpRect), crFrom, crTo, bHorz);
}

void CTKPDrawingHelper::FillBands(CDC* pDC, const CRect& rect, COLORREF crFrom, COLORREF crTo, BOOL bHorz)
{
  const int width = rect.Width() > 0 ? rect.Width() : 1;
  const int height = rect.Height() > 0 ? rect.Height() : 1;
  CRect area;
  pDC->GetClipBox(&area);
  if (area.IsRectEmpty())
    area = rect;
  else
    area.IntersectRect(&area, &rect);
  if (bHorz) {
    for (int x = area.left; x < area.right; ++x) {
      const float factor = 1.0f - static_cast<float>(x - rect.left) / width;
      pDC->FillSolidRect(x, area.top, 1, area.Height(), MixColors(crFrom, crTo, factor));
    }
  } else {
    for (int y = area.top; y < area.bottom; ++y) {
      const float factor = 1.0f - static_cast<float>(y - rect.top) / height;
      pDC->FillSolidRect(area.left, y, area.Width(), 1, MixColors(crFrom, crTo, factor));
    }
  }
}

void CTKPDrawingHelper::GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                                            LPCRECT lpClip)
{
  if (lpClip == NULL) {
    GradientFill(pDC, lpRect, crFrom, crTo, bHorz);
    return;
  }
  const CRect whole(lpRect);
  CRect rect(lpRect);
  COLORREF from = crFrom, to = crTo;
  if (bHorz) {
    rect.top = std::max(rect.top, lpClip->top);
    rect.bottom = std::min(rect.bottom, lpClip->bottom);
    if (whole.right <= lpClip->left || whole.left >= lpClip->right || whole.Width() <= 0)
      return;
    const float span = static_cast<float>(whole.Width());
    if (whole.left < lpClip->left) {
      rect.left = lpClip->left;
      from = MixColors(crFrom, crTo, (whole.right - lpClip->left) / span);
    }
    if (whole.right > lpClip->right) {
      rect.right = lpClip->right;
      to = MixColors(crFrom, crTo, (whole.right - lpClip->right) / span);
    }
  } else {
    rect.left = std::max(rect.left, lpClip->left);
    rect.right = std::min(rect.right, lpClip->right);
    if (whole.bottom <= lpClip->top || whole.top >= lpClip->bottom || whole.Height() <= 0)
      return;
    const float span = static_cast<float>(whole.Height());
    if (whole.top < lpClip->top) {
      rect.top = lpClip->top;
      from = MixColors(crFrom, crTo, (whole.bottom - lpClip->top) / span);
    }
    if (whole.bottom > lpClip->bottom) {
      rect.bottom = lpClip->bottom;
      to = MixColors(crFrom, crTo, (whole.bottom - lpClip->bottom) / span);
    }
  }
  GradientFill(pDC, &rect, from, to, bHorz);
}

void CTKPDrawingHelper::FillColorGradient(CDC* pDC, LPCRECT lpRect, const CTKPColorGradient* pGradient, BOOL bHorz,
                                          LPCRECT lpClip)
{
  const COLORREF light = pGradient->m_clrLight.GetEffective();
  const COLORREF dark = pGradient->m_clrDark.GetEffective();
  if (pGradient->m_fFactor == 0.5f) {
    GradientFillClipped(pDC, lpRect, light, dark, bHorz, lpClip);
    return;
  }
  const COLORREF middle = MixColors(light, dark, pGradient->m_fFactor);
  CRect first(lpRect), second(lpRect);
  if (bHorz) {
    first.right = lpRect->right - (lpRect->right - lpRect->left) / 2;
    second.left = first.right;
  } else {
    first.bottom = lpRect->bottom - (lpRect->bottom - lpRect->top) / 2;
    second.top = first.bottom;
  }
  GradientFillClipped(pDC, &first, light, middle, bHorz, lpClip);
  GradientFillClipped(pDC, &second, middle, dark, bHorz, lpClip);
}

COLORREF CTKPDrawingHelper::MixColors(COLORREF a, COLORREF b, float factor) { return tkcolor::Mix(a, b, factor); }

void CTKPDrawingHelper::ExcludeCorners(CDC* pDC, int left, int top, int right, int bottom)
{
  pDC->ExcludeClipRect(left, top, left + 1, top + 1);
  pDC->ExcludeClipRect(right - 1, top, right, top + 1);
  pDC->ExcludeClipRect(left, bottom - 1, left + 1, bottom);
  pDC->ExcludeClipRect(right - 1, bottom - 1, right, bottom);
}

void CTKPDrawingHelper::ExcludeCorners(CDC* pDC, LPCRECT lpRect)
{
  ExcludeCorners(pDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

void CTKPDrawingHelper::StripMnemonics(CString& str)
{
  CString result;
  const int length = str.GetLength();
  for (int i = 0; i < length; ++i) {
    const TCHAR ch = str[i];
    if (ch != _T('&')) {
      result += ch;
    } else if (i + 1 < length && str[i + 1] == _T('&')) {
      result += _T('&');
      ++i;
    }
  }
  str = result;
}

void CTKPDrawingHelper::RemoveAmpersands(CString& str)
{
  int i = 0;
  while (i < str.GetLength() - 1) {
    if (str[i] != _T('&')) {
      ++i;
    } else if (str[i + 1] == _T('&')) {
      i += 2;
    } else {
      str.Delete(i);
    }
  }
}

void CTKPDrawingHelper::BlurPoints(CDC* pDC, const POINT* pPoints, int nCount)
{
  // Whole pairs only: an odd count leaves the last POINT without its offset.
  for (int i = 0; i + 1 < nCount; i += 2) {
    const POINT pt = pPoints[i], offset = pPoints[i + 1];
    const COLORREF a = pDC->GetPixel(pt.x, pt.y);
    const COLORREF b = pDC->GetPixel(pt.x + offset.x, pt.y + offset.y);
    pDC->SetPixel(pt.x, pt.y,
                  RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
                      (GetBValue(a) + GetBValue(b)) / 2));
  }
}

BOOL CTKPDrawingHelper::FontExists(LPCTSTR lpszFaceName)
{
  if (lpszFaceName == NULL || *lpszFaceName == 0)
    return FALSE;
  HDC hdc = GetDC(NULL);
  LOGFONTW lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  const int result =
      EnumFontFamiliesExW(hdc, &lf, &CollectFace, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(lpszFaceName)), 0);
  ReleaseDC(NULL, hdc);
  return result == 0;
}

CString CTKPDrawingHelper::GetDefaultFontName(BOOL bPreferTahoma)
{
  LOGFONTW lf = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  const OSVERSIONINFOW& version = CTKPWindowsVersion::GetRecord();
  const bool nt5 = version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;
  if ((lf.lfCharSet > 2 && nt5) || !FontExists(_T("Arial")))
    return CString(lf.lfFaceName);
  if (bPreferTahoma && FontExists(_T("Tahoma")))
    return CString(_T("Tahoma"));
  return CString(_T("Arial"));
}

void CTKPDrawingHelper::DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr)
{
  HDC hdc = pDC->GetSafeHdc();
  HPEN pen = CreatePen(PS_SOLID, 1, clr);
  HBRUSH brush = CreateSolidBrush(clr);
  HGDIOBJ oldPen = SelectObject(hdc, pen);
  HGDIOBJ oldBrush = SelectObject(hdc, brush);
  const POINT points[3] = {pt0, pt1, pt2};
  Polygon(hdc, points, 3);
  SelectObject(hdc, oldBrush);
  SelectObject(hdc, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
}

BOOL CTKPDrawingHelper::IsLowColor(HDC hDC) { return CTKPDisplayDepth::IsLowColor(hDC); }

int CTKPDrawingHelper::GetSystemColorScheme() { return GetColorManager()->GetCurrentColorScheme(); }

void CTKPDrawingHelper::GetWorkAreaFromRect(LPRECT lpWorkArea, LPCRECT lpRect)
{
  HMONITOR monitor = Libraries().fromRect ? Libraries().fromRect(lpRect, MONITOR_DEFAULTTONULL) : NULL;
  WorkAreaOf(monitor, lpWorkArea);
}

void CTKPDrawingHelper::GetWorkAreaFromHwnd(LPRECT lpWorkArea, HWND hWnd)
{
  HMONITOR monitor = Libraries().fromWindow && hWnd ? Libraries().fromWindow(hWnd, MONITOR_DEFAULTTONULL) : NULL;
  WorkAreaOf(monitor, lpWorkArea);
}

void CTKPDrawingHelper::GetWorkAreaFromPoint(LPRECT lpWorkArea, POINT pt)
{
  HMONITOR monitor = Libraries().fromPoint ? Libraries().fromPoint(pt, MONITOR_DEFAULTTONULL) : NULL;
  WorkAreaOf(monitor, lpWorkArea);
}

BOOL CTKPDrawingHelper::IsTopParentActive(HWND hWnd)
{
  if (!IsWindow(hWnd))
    return FALSE;
  HWND top = hWnd;
  for (HWND next = GetParent(top); next; next = GetParent(top))
    top = next;
  return GetForegroundWindow() == GetLastActivePopup(top);
}

void CTKPDrawingHelper::FillCheckerPattern(CDC* pDC, LPCRECT lpRect)
{
  static const WORD kRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, kRows);
  HBRUSH brush = CreatePatternBrush(pattern);
  HDC hdc = pDC->GetSafeHdc();
  const COLORREF oldBack = SetBkColor(hdc, GetColorManager()->GetColor(COLOR_BTNFACE));
  const COLORREF oldText = SetTextColor(hdc, GetColorManager()->GetColor(COLOR_BTNHIGHLIGHT));
  HGDIOBJ oldBrush = SelectObject(hdc, brush);
  PatBlt(hdc, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, PATCOPY);
  SelectObject(hdc, oldBrush);
  SetBkColor(hdc, oldBack);
  SetTextColor(hdc, oldText);
  DeleteObject(brush);
  DeleteObject(pattern);
}
