// A tab appearance: the geometry and the shape of tabs for a tab theme. It gives the row height,
// where the row and the client area lie and which margins apply, draws the client frame and every
// single tab in the colours of the theme's colour set, and names the colour set that goes with it.
#pragma once

#include "classlib/win/AfxWin.h"

class CTKPTabColorSet;
class CTKPTabManager;
class CTKPTabManagerItem;
class CTKPTabTheme;

class CTKPTabAppearance {
public:
    CTKPTabAppearance();
    virtual ~CTKPTabAppearance();

    // The appearance of a number: 0 to 9, any other number gives 0.
    static CTKPTabAppearance* Create(int nAppearance);

    // Row height from the theme's normal font: max(18, height of a space + 3).
    virtual void RefreshMetrics();
    // The band along the control edge that holds the rows.
    virtual void GetHeaderRect(CRect& rcHeader, CRect rcControl, CTKPTabManager* pManager);
    // The control less the header band, overlapping it by one pixel.
    virtual void GetClientRect(CRect& rcClient, CRect rcControl, CTKPTabManager* pManager);
    virtual void GetHeaderMargin(CRect& rcMargin);
    virtual void GetClientMargin(CRect& rcMargin);
    virtual int GetTabWidth(CDC* pDC, CTKPTabManagerItem* pItem);
    // The row height for the manager's tabs; without a manager, for the theme alone.
    virtual int GetRowHeight(CTKPTabManager* pManager);
    virtual void DrawTabControl(CDC* pDC, CTKPTabManager* pManager, CRect rcControl);
    // Paints the header and the client frame; returns the header rectangle.
    virtual void FillClient(CRect& rcHeader, CTKPTabManager* pManager, CDC* pDC, CRect rcControl);
    virtual void AdjustLayout(CTKPTabManager* pManager, CDC* pDC, CRect rcControl);
    virtual void AdjustClientRect(CTKPTabManager* pManager, CRect& rcClient);
    virtual void DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem);
    // The parts of a workspace of tab groups: 0 border, 1 non-client adjustment, 2 and 3 splitters.
    virtual void DrawWorkspacePart(CDC* pDC, LPRECT lpRect, int nPart);
    virtual int GetDefaultColorSet();

    CTKPTabColorSet* GetColorSet() const;
    // The position of the manager's row (the theme's without a manager).
    int GetPosition(const CTKPTabManager* pManager) const;
    int GetPosition(const CTKPTabManagerItem* pItem) const;

    // Fields the theme reads.
    CRect m_rcHeaderMargin;  // in position terms: top at the control edge, bottom at the client
    int m_nRowSpacing;       // negative values overlap the rows
    int m_nRowHeight;
    CTKPTabTheme* m_pTheme;
    BOOL m_bDrawTowardsSelected;  // tabs nearer the selected tab lie on top

protected:
    // A polygon tab: the colour set fills it off-screen, the fill is copied in through the polygon's
    // region. Unless bAbsolute, every point after the first is a step from the one before it.
    COLORREF FillTabPolygon(CDC* pDC, CTKPTabManagerItem* pItem, POINT* pPoints, int nCount, int nPosition,
        BOOL bAbsolute);
    // A one-pixel outline through the points, each after the first a step from the one before it.
    static void DrawPolyline(CDC* pDC, COLORREF clr, const POINT* pPoints, int nCount);
    // One one-pixel line; nothing for an unset colour.
    static void DrawLine(CDC* pDC, COLORREF clr, int x1, int y1, int x2, int y2);
    void InflateRectForPosition(CRect& rc, int l, int t, int r, int b, int nPosition) const;
    void DeflateRectForPosition(CRect& rc, int l, int t, int r, int b, int nPosition) const;
    // The edge of the rectangle that faces the row: top (position 0), left, bottom or right.
    static void DrawTabSideLine(CDC* pDC, CRect rc, int nPosition, COLORREF clrTopLeft, COLORREF clrBottomRight);
    // Draw3dRect that leaves out the sides of an unset colour (-1).
    static void Frame3d(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight);
    // The header filled by the colour set; the client rectangle through rcClient, filled when asked.
    void FillHeaderAndClient(CRect& rcHeader, CRect& rcClient, CTKPTabManager* pManager, CDC* pDC, CRect rcControl,
        BOOL bFillClient);
    // The common client frames: with frame style 0 the client filled and framed in the two colours,
    // with style 1 only its edge that faces the row (the client filled first when bFillForEdge).
    void FillFramedClient(CRect& rcHeader, CTKPTabManager* pManager, CDC* pDC, CRect rcControl, BOOL bFillForEdge,
        COLORREF clrTopLeft, COLORREF clrBottomRight);
    // The control rectangle less the control margin, the header band and the client margin.
    void ApplyClientMargins(CTKPTabManager* pManager, CRect& rcClient);
};
