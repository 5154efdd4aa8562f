#include "classlib/win/CRgn.h"
#include "classlib/win/CDC.h"

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return lpRect ? Attach(::CreateRectRgnIndirect(lpRect)) : FALSE;
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect)
{
    return lpRect ? Attach(::CreateEllipticRgnIndirect(lpRect)) : FALSE;
}

BOOL CRgn::CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode)
{
    return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreatePolyPolygonRgn(LPPOINT lpPoints, LPINT lpPolyCounts, int nCount, int nPolyFillMode)
{
    return Attach(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreateFromPath(CDC* pDC)
{
    return pDC ? Attach(::PathToRegion(pDC->m_hDC)) : FALSE;
}

BOOL CRgn::CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData)
{
    return Attach(::ExtCreateRegion(lpXForm, nCount, pRgnData));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject)
        ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT lpRect)
{
    if (lpRect)
        SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::CombineRgn(CRgn* pRgn1, CRgn* pRgn2, int nCombineMode)
{
    if (m_hObject == nullptr)
        return ERROR;
    return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgn1->GetSafeHandle(), (HRGN)pRgn2->GetSafeHandle(), nCombineMode);
}

int CRgn::CopyRgn(CRgn* pRgnSrc)
{
    if (m_hObject == nullptr || pRgnSrc->GetSafeHandle() == nullptr)
        return ERROR;
    return ::CombineRgn((HRGN)m_hObject, (HRGN)pRgnSrc->GetSafeHandle(), nullptr, RGN_COPY);
}

BOOL CRgn::EqualRgn(CRgn* pRgn) const
{
    if (m_hObject == nullptr || pRgn->GetSafeHandle() == nullptr)
        return FALSE;
    return ::EqualRgn((HRGN)m_hObject, (HRGN)pRgn->GetSafeHandle());
}

int CRgn::OffsetRgn(int x, int y)
{
    return m_hObject ? ::OffsetRgn((HRGN)m_hObject, x, y) : ERROR;
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    return m_hObject ? ::GetRgnBox((HRGN)m_hObject, lpRect) : ERROR;
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return m_hObject ? ::PtInRegion((HRGN)m_hObject, x, y) : FALSE;
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    return m_hObject ? ::RectInRegion((HRGN)m_hObject, lpRect) : FALSE;
}

int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const
{
    return m_hObject ? (int)::GetRegionData((HRGN)m_hObject, nCount, lpRgnData) : 0;
}
