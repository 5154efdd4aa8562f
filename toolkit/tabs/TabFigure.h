// A tab's figure drawn as for a row at the top and turned to the row's position: along-the-row
// coordinate a, across-the-row coordinate c growing towards the client area. Pixels map one to one,
// so a figure drawn in one position is the mirror or the transpose of the same figure in another.
#pragma once

#include "classlib/win/AfxWin.h"

class CTKPTabFigure {
public:
    CTKPTabFigure(const CRect& rcTab, int nPosition);

    // The tab as a row at the top sees it.
    const CRect& Tab() const { return m_rcTab; }
    int Position() const { return m_nPosition; }

    CPoint Point(int a, int c) const;
    // The pixels [a1, a2) x [c1, c2).
    CRect Rect(int a1, int c1, int a2, int c2) const;
    CRect Rect(const CRect& rcCanonical) const
    {
        return Rect(rcCanonical.left, rcCanonical.top, rcCanonical.right, rcCanonical.bottom);
    }
    void TurnPoints(POINT* pPoints, int nCount) const;

    // Drawing in figure coordinates; an unset colour (-1) draws nothing.
    void Line(CDC* pDC, COLORREF clr, int a1, int c1, int a2, int c2) const;
    void Pixel(CDC* pDC, int a, int c, COLORREF clr) const;
    void Fill(CDC* pDC, int a1, int c1, int a2, int c2, COLORREF clr) const;
    // A one-pixel frame: control side and leading end in the first colour, the others in the second.
    void Frame(CDC* pDC, const CRect& rcCanonical, COLORREF clrTopLeft, COLORREF clrBottomRight) const;

private:
    CRect m_rcTab;
    int m_nPosition;
};
