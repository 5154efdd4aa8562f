// Scoped selection into a DC: the previous object comes back when the selector goes out of scope.
#pragma once

#include "classlib/win/AfxGdi.h"

class CTKPObjectSelector
{
public:
  CTKPObjectSelector(CDC* pDC, CGdiObject* pObject);
  CTKPObjectSelector(HDC hDC, HGDIOBJ hObject);
  ~CTKPObjectSelector();

protected:
  HDC m_hDC;
  HGDIOBJ m_hOldObject;
};

// The same for fonts.
class CTKPFontSelector : public CTKPObjectSelector
{
public:
  CTKPFontSelector(CDC* pDC, CFont* pFont) : CTKPObjectSelector(pDC, pFont) {}
  CTKPFontSelector(HDC hDC, HFONT hFont) : CTKPObjectSelector(hDC, hFont) {}
};

// A solid pen one pixel wide of a colour.
class CTKPPenSelector
{
public:
  CTKPPenSelector(HDC hDC, COLORREF clr);
  ~CTKPPenSelector();

  void SetColor(COLORREF clr);
  COLORREF GetColor() const;

protected:
  CPen m_pen;
  HDC m_hDC;
  HGDIOBJ m_hOldPen;
};

// A solid brush of a colour.
class CTKPBrushSelector
{
public:
  CTKPBrushSelector(HDC hDC, COLORREF clr);
  ~CTKPBrushSelector();

  void SetColor(COLORREF clr);

protected:
  CBrush m_brush;
  HDC m_hDC;
  HGDIOBJ m_hOldBrush;
};
