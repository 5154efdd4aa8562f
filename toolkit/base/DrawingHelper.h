// The process-wide drawing helper: two-colour gradients (through msimg32's GradientFill when it is
// there, band by band otherwise), colour mixing, corner clipping, mnemonic stripping, font lookup,
// triangles, monitor work areas and the checker pattern.
#pragma once

#include "classlib/win/AfxGdi.h"
#include "toolkit/common/ColorValue.h"

class CWnd;

// The rectangle that command bars and panes pass for windows they create: CW_USEDEFAULT everywhere.
extern const RECT g_rcTKPDefaultWindow;

class CTKPDrawingHelper
{
public:
  // A gradient from one colour to the other, left to right (horizontal) or top to bottom; a solid
  // fill for equal colours or on a low-colour display.
  static void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz);
  // The same gradient limited to the clip rectangle, its end colours taken at the clipped edges.
  static void GradientFillClipped(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz,
                                  LPCRECT lpClip);
  // One gradient from the light to the dark end, or two halves meeting at the factor's colour.
  static void FillColorGradient(CDC* pDC, LPCRECT lpRect, const CTKPColorGradient* pGradient, BOOL bHorz,
                                LPCRECT lpClip = NULL);

  // factor x a + (1 - factor) x b per channel.
  static COLORREF MixColors(COLORREF a, COLORREF b, float factor);
  static void ExcludeCorners(CDC* pDC, int left, int top, int right, int bottom);
  static void ExcludeCorners(CDC* pDC, LPCRECT lpRect);
  // Removes single '&' markers; "&&" becomes "&".
  static void StripMnemonics(CString& str);
  // Removes single '&' markers before the last character; "&&" stays doubled.
  static void RemoveAmpersands(CString& str);
  // Pairs of POINTs (pixel, offset): the pixel becomes the average of itself and pixel + offset.
  static void BlurPoints(CDC* pDC, const POINT* pPoints, int nCount);
  static BOOL FontExists(LPCTSTR lpszFaceName);
  static CString GetDefaultFontName(BOOL bPreferTahoma);
  // Swaps VK_LEFT and VK_RIGHT for a window laid out right to left; returns the key.
  static UINT MirrorArrowKey(CWnd* pWnd, UINT& nKey);
  static void DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr);
  static BOOL IsLowColor(HDC hDC = NULL);
  static int GetSystemColorScheme();
  static void GetWorkAreaFromRect(LPRECT lpWorkArea, LPCRECT lpRect);
  static void GetWorkAreaFromWindow(LPRECT lpWorkArea, CWnd* pWnd);
  static void GetWorkAreaFromPoint(LPRECT lpWorkArea, POINT pt);
  static BOOL IsTopParentActive(HWND hWnd);
  // An 8 x 8 checkerboard of the colour manager's colours 15 and 20.
  static void FillCheckerPattern(CDC* pDC, LPCRECT lpRect);

  // Test switch: FALSE makes the gradients draw band by band as without msimg32.
  static void EnableGradientLibrary(BOOL bEnable);

private:
  static void GetWorkAreaFromHwnd(LPRECT lpWorkArea, HWND hWnd);
  static void FillBands(CDC* pDC, const CRect& rect, COLORREF crFrom, COLORREF crTo, BOOL bHorz);
};
