// A button of a pane caption (close, pin, maximise, restore, menu): its rectangle, hot and pressed
// states and the tracking of a click, and the glyphs and geometry helpers the docking themes draw
// captions with.
#pragma once

#include "toolkit/docking/DockingPaneDefs.h"

#include "toolkit/common/ColorValue.h"

class CTKPDockingPaneCaptionButton {
public:
    CTKPDockingPaneCaptionButton(int nId, CTKPDockingNode* pOwner);
    virtual ~CTKPDockingPaneCaptionButton() {}

    // The owner's answer.
    virtual BOOL IsVisible();

    int GetId() const { return m_nId; }
    CTKPDockingNode* GetOwner() const { return m_pOwner; }
    const CRect& GetRect() const { return m_rcButton; }
    // A changed rectangle is stored and the owner told.
    void SetRect(const CRect& rc);
    BOOL IsPressed() const { return m_bPressed; }
    void SetPressed(BOOL bPressed) { m_bPressed = bPressed; }
    BOOL IsHot() const { return m_bHot; }
    void SetHot(BOOL bHot) { m_bHot = bHot; }
    int GetState() const { return m_nState; }
    void SetState(int nState) { m_nState = nState; }

    // Hot state for a point of the owner's window; TRUE when the button became hot.
    BOOL OnMouseMove(CPoint pt);
    // Runs a click in a capture loop; TRUE when the button was released over the button. With
    // bClient the messages' points are client coordinates, otherwise window coordinates.
    BOOL Track(CWnd* pWnd, CPoint pt, BOOL bClient);

    // Geometry helpers of the themes.
    static void DeflateRectOriented(CRect& rc, int l, int t, int r, int b, BOOL bVertical);
    static int RectLength(const CRect& rc, BOOL bHorizontal);
    // A pin with lines in the current pen around (x, y): upright for state 0, pointing left else.
    static void DrawPinGlyph(CDC* pDC, int x, int y, int nState);
    // Two overlapping windows (state 0) or one window.
    static void DrawMaximiseGlyph(CDC* pDC, int x, int y, int nState, COLORREF clr);
    // A horizontal gradient between the colours that the gradient has at the rectangle's edges when
    // it is spread over the window's parent frame (at least half the screen wide).
    static void FillFrameRelativeGradient(CDC* pDC, CRect rc, CWnd* pWnd, const CTKPColorGradient& gradient);

protected:
    // Repaints the owner (the mini window's frame or the container's window).
    void Redraw();

    CRect m_rcButton;
    CTKPDockingNode* m_pOwner;
    int m_nId;
    BOOL m_bPressed;
    BOOL m_bHot;
    int m_nState;
};
