// Drags an inverted rectangle over the desktop along one axis, within limits, in its own capture
// loop (splitters use it).
#pragma once

#include "classlib/win/AfxGdi.h"
#include "classlib/win/AfxWin.h"

class CTKPDragTracker
{
public:
  explicit CTKPDragTracker(BOOL bSolid = FALSE);

  // TRUE when the drag ended with the left button released; the rectangle then holds the final
  // place. Escape, a quit message or the loss of the capture end it with FALSE.
  BOOL Track(CWnd* pWnd, int nMinX, int nMinY, int nMaxX, int nMaxY, CRect* pRect, CPoint ptStart, BOOL bHorz);

  // A second rectangle shown for the whole drag beside the tracked one; empty by default.
  CRect m_rcSecond;

protected:
  void DrawRect(const CRect& rect);

  CDC* m_pDC;
  BOOL m_bSolid;
};
