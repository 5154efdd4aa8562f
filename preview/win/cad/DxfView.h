// CDFXView: the preview of DXF drawings through DXF.dll. A file is taken as a drawing when its
// first 511 bytes hold both "SECTION" and "HEADER" (and never while File Trace found it); it is
// loaded under a progress window and fitted to the view. The wheel zooms about the centre (1.5
// times a step), dragging with the left or middle button pans. Every resize fits it again.
#pragma once

#include "classlib/win/AfxWin.h"
#include "preview/win/cad/DxfLibrary.h"

// The drawing's canvas: paints through the library (black while there is no drawing) and pans.
class CDxfCanvas : public CStatic {
public:
    explicit CDxfCanvas(CDxfLibrary* pLibrary) : m_pLibrary(pLibrary), m_nLastX(0), m_nLastY(0), m_bDragging(false) {}

    // Paints the drawing (black while there is none) into a device context; WM_PAINT calls it.
    void PaintTo(CDC* pDC);
    // The drag's steps, as the mouse messages drive them.
    void BeginDrag(CPoint point);
    void DragTo(CPoint point);
    void EndDrag();
    bool IsDragging() const { return m_bDragging; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);

    CDxfLibrary* m_pLibrary;
    int m_nLastX;
    int m_nLastY;
    bool m_bDragging;

    DECLARE_MESSAGE_MAP()
};

class CDFXView : public CView {
    DECLARE_DYNCREATE(CDFXView)
public:
    CDFXView();
    ~CDFXView() override;

    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    // True when the first 511 bytes of the file hold "SECTION" and "HEADER".
    static BOOL LooksLikeDxf(const char* head, size_t size);

    CDxfLibrary& Library() { return m_library; }
    CDxfCanvas& Canvas() { return m_canvas; }
    enum { IDC_CANVAS = 61464 };

protected:
    void RedrawCanvas();

    CDxfLibrary m_library;
    CDxfCanvas m_canvas;

    DECLARE_MESSAGE_MAP()
};
