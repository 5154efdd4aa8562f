// The bar between two neighbours of a splitter container: painted by the docking theme, it resizes
// the two neighbours when dragged, live or as an inverted outline.
#pragma once

#include "toolkit/docking/DockingPaneDefs.h"

class CTKPDockingPaneSplitterBar : public CWnd {
public:
    CTKPDockingPaneSplitterBar();
    ~CTKPDockingPaneSplitterBar() override;

    // A child of the container's site between two of its children.
    BOOL Create(CTKPDockingPaneSplitContainer* pContainer, CTKPDockingNode* pBefore, CTKPDockingNode* pAfter);
    // The bar lies horizontally (between children above and below it).
    BOOL IsHorizontalBar() const;
    // Screen rectangles: the two neighbours together (pBoth), and where the bar's leading edge may
    // go (pRange, along the split direction). FALSE when the bar cannot move.
    BOOL CalcTrackRange(CRect* pRange, CRect* pBoth);
    // The neighbours' docking sizes for the bar at a screen rectangle; their sum is kept.
    void ApplySplit(const CRect& rcBar, const CRect& rcBoth);
    // The container's and its visible children's docking sizes become their present extents.
    void StoreCurrentSizes();
    // The resize that a press on the bar starts, from a screen point; returns when it ends.
    void TrackResize(CPoint ptScreen);

    CTKPDockingPaneSplitContainer* GetContainer() const { return m_pContainer; }
    CTKPDockingNode* GetBefore() const { return m_pBefore; }
    CTKPDockingNode* GetAfter() const { return m_pAfter; }
    // What WM_PAINT draws.
    void Draw(CDC* pDC);

protected:
    CTKPDockingPaneHost* GetHost() const;
    // Lays the bar's frame out at once (live resizing) or at the next idle time.
    void RecalcSiteLayout(BOOL bNow);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    CTKPDockingPaneSplitContainer* m_pContainer;
    CTKPDockingNode* m_pBefore;
    CTKPDockingNode* m_pAfter;
    HCURSOR m_hCursor;
};
