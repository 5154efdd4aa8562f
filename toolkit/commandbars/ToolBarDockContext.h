// The drag and dock memory of one toolbar: moves it between dock bars and the floating state with
// the mouse (live, no frame), resizes a floating toolbar by its borders, toggles between docked and
// floating, and remembers the last docked place and the last floating position.
#pragma once

#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPToolBarDockContext {
public:
    explicit CTKPToolBarDockContext(CTKPToolBar* pBar);
    virtual ~CTKPToolBarDockContext() {}

    // Move with the mouse from the screen point.
    void StartDrag(CPoint pt);
    // Resize a floating toolbar by the border of the hit code (HTLEFT ... HTBOTTOMRIGHT).
    void StartResize(int nHitTest, CPoint pt);
    // Docks a floating toolbar at its last place, or floats a docked one. TRUE when it did.
    BOOL ToggleDocking();

    // One step of the loops, reachable without the mouse: a move (mode 1) or resize to the point.
    void Move(CPoint pt);
    void Stretch(CPoint pt);
    // The least offset that brings the point inside the rectangle (a point on an edge is inside).
    static void OffsetRectToContainPoint(CRect& rc, CPoint pt);

    CTKPToolBar* m_pBar;
    int m_nMode;  // 1 move, 10 to 17 resizing by the hit code
    CPoint m_ptLast;
    int m_uMRUDockPosition;
    CRect m_rectMRUDockPos;
    CPoint m_ptMRUFloatPos;
    BOOL m_bHasFloatPos;  // a floating position was remembered (any coordinates, 0 and negative ones too)
    CRect m_rectDragDock;
    CRect m_rectDragFloat;

protected:
    // The capture loop shared by drag and resize.
    void Track();
    // One step of a resize of a bar that sizes itself (the dialog bar).
    void StretchOwnSize(int dx, int dy, const CRect& rcWindow);
};
