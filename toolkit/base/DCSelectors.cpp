#include "toolkit/base/DCSelectors.h"

CTKPObjectSelector::CTKPObjectSelector(CDC* pDC, CGdiObject* pObject)
    : m_hDC(pDC->GetSafeHdc()), m_hOldObject(NULL)
{
  HGDIOBJ hObject = pObject ? pObject->GetSafeHandle() : NULL;
  if (hObject)
    m_hOldObject = ::SelectObject(m_hDC, hObject);
}

CTKPObjectSelector::CTKPObjectSelector(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOldObject(NULL)
{
  if (hObject)
    m_hOldObject = ::SelectObject(m_hDC, hObject);
}

CTKPObjectSelector::~CTKPObjectSelector()
{
  if (m_hOldObject)
    ::SelectObject(m_hDC, m_hOldObject);
}

CTKPPenSelector::CTKPPenSelector(HDC hDC, COLORREF clr) : m_hDC(hDC)
{
  m_pen.CreatePen(PS_SOLID, 1, clr);
  m_hOldPen = ::SelectObject(m_hDC, m_pen.GetSafeHandle());
}

CTKPPenSelector::~CTKPPenSelector()
{
  ::SelectObject(m_hDC, m_hOldPen);
  m_pen.DeleteObject();
}

void CTKPPenSelector::SetColor(COLORREF clr)
{
  ::SelectObject(m_hDC, m_hOldPen);
  m_pen.DeleteObject();
  m_pen.CreatePen(PS_SOLID, 1, clr);
  ::SelectObject(m_hDC, m_pen.GetSafeHandle());
}

COLORREF CTKPPenSelector::GetColor() const
{
  LOGPEN lp = {};
  ::GetObjectW(m_pen.GetSafeHandle(), sizeof(lp), &lp);
  return lp.lopnColor;
}

CTKPBrushSelector::CTKPBrushSelector(HDC hDC, COLORREF clr) : m_hDC(hDC)
{
  m_brush.CreateSolidBrush(clr);
  m_hOldBrush = ::SelectObject(m_hDC, m_brush.GetSafeHandle());
}

CTKPBrushSelector::~CTKPBrushSelector()
{
  ::SelectObject(m_hDC, m_hOldBrush);
  m_brush.DeleteObject();
}

void CTKPBrushSelector::SetColor(COLORREF clr)
{
  ::SelectObject(m_hDC, m_hOldBrush);
  m_brush.DeleteObject();
  m_brush.CreateSolidBrush(clr);
  ::SelectObject(m_hDC, m_brush.GetSafeHandle());
}
