#include "toolkit/tabs/TabFigure.h"

#include "toolkit/common/TabGeometry.h"

CTKPTabFigure::CTKPTabFigure(const CRect& rc, int nPosition) : m_nPosition(nPosition)
{
    switch (nPosition) {
    case tktab::posLeft:
        m_rcTab.SetRect(rc.top, rc.left, rc.bottom, rc.right);
        break;
    case tktab::posBottom:
        m_rcTab.SetRect(rc.left, -rc.bottom, rc.right, -rc.top);
        break;
    case tktab::posRight:
        m_rcTab.SetRect(rc.top, -rc.right, rc.bottom, -rc.left);
        break;
    default:
        m_rcTab = rc;
        break;
    }
}

CPoint CTKPTabFigure::Point(int a, int c) const
{
    switch (m_nPosition) {
    case tktab::posLeft:
        return CPoint(c, a);
    case tktab::posBottom:
        return CPoint(a, -1 - c);
    case tktab::posRight:
        return CPoint(-1 - c, a);
    default:
        return CPoint(a, c);
    }
}

CRect CTKPTabFigure::Rect(int a1, int c1, int a2, int c2) const
{
    switch (m_nPosition) {
    case tktab::posLeft:
        return CRect(c1, a1, c2, a2);
    case tktab::posBottom:
        return CRect(a1, -c2, a2, -c1);
    case tktab::posRight:
        return CRect(-c2, a1, -c1, a2);
    default:
        return CRect(a1, c1, a2, c2);
    }
}

void CTKPTabFigure::TurnPoints(POINT* pPoints, int nCount) const
{
    for (int i = 0; i < nCount; ++i)
        pPoints[i] = Point(pPoints[i].x, pPoints[i].y);
}

void CTKPTabFigure::Line(CDC* pDC, COLORREF clr, int a1, int c1, int a2, int c2) const
{
    if (clr == CLR_NONE)
        return;
    CPen pen(PS_SOLID, 1, clr);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(Point(a1, c1));
    pDC->LineTo(Point(a2, c2));
    pDC->SelectObject(pOld);
}

void CTKPTabFigure::Pixel(CDC* pDC, int a, int c, COLORREF clr) const
{
    if (clr != CLR_NONE)
        pDC->SetPixelV(Point(a, c).x, Point(a, c).y, clr);
}

void CTKPTabFigure::Fill(CDC* pDC, int a1, int c1, int a2, int c2, COLORREF clr) const
{
    if (clr == CLR_NONE || a2 <= a1 || c2 <= c1)
        return;
    pDC->FillSolidRect(Rect(a1, c1, a2, c2), clr);
}

void CTKPTabFigure::Frame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight) const
{
    Fill(pDC, rc.left, rc.top, rc.right - 1, rc.top + 1, clrTopLeft);
    Fill(pDC, rc.left, rc.top, rc.left + 1, rc.bottom - 1, clrTopLeft);
    Fill(pDC, rc.right - 1, rc.top, rc.right, rc.bottom, clrBottomRight);
    Fill(pDC, rc.left, rc.bottom - 1, rc.right, rc.bottom, clrBottomRight);
}
