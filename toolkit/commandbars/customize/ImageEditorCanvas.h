// The enlarged picture of the button editor. The left button draws with the dialog's tool: pencil,
// fill, colour picker, line, rectangle and ellipse; each change can be undone (16 steps) and redone.
// A preview window beside it shows the picture at its real size.
#pragma once

#include "classlib/win/CStatic.h"
#include "toolkit/commandbars/customize/ImageEditorPicture.h"

class CTKPImageEditorDialog;

class CTKPImageEditorCanvas : public CStatic {
public:
    enum Tool { toolPencil = 0, toolFill = 1, toolPickColor = 2, toolLine = 3, toolRectangle = 4, toolEllipse = 5 };

    CTKPImageEditorCanvas();
    ~CTKPImageEditorCanvas() override;

    void SetDialog(CTKPImageEditorDialog* pDialog) { m_pDialog = pDialog; }
    void SetPictureSize(CSize size);
    CSize GetPictureSize() const { return CSize(m_cxPicture, m_cyPicture); }
    // The picture shown (null: all transparent); the canvas owns it.
    CTKPEditorPicture* GetPicture() const { return m_pCurrent; }
    // Starts with a picture (the canvas takes it) and no history.
    void SetPicture(CTKPEditorPicture* pPicture);
    // Makes the cell size follow the window size.
    void UpdateCellSize();
    CSize GetCellSize() const { return CSize(m_cxCell, m_cyCell); }

    // The picture is replaced by the change given (the canvas takes it) and the one before it goes
    // to the undo list.
    void ApplyChange(CTKPEditorPicture* pNew);
    void Undo();
    void Redo();
    BOOL CanUndo() const { return m_history.CanUndo(); }
    BOOL CanRedo() const { return m_history.CanRedo(); }
    int GetUndoCount() const { return m_history.GetUndoCount(); }

    // The tools on picture cells (the mouse handlers convert points to cells).
    void PressCell(CPoint cell);
    void DragToCell(CPoint cell);
    // Ends a stroke and keeps it as one change.
    void EndStroke();
    BOOL IsTracking() const { return m_bTracking; }

    // Paints the enlarged picture into a DC of the client size.
    void DrawCanvas(CDC* pDC, CRect rcClient);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) { return TRUE; }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

protected:
    CPoint CellFromPoint(CPoint point) const;
    // Redraws the shape of the stroke from its start cell to the cell over the picture before it.
    void DrawShape(CPoint cell);
    void Repaint();

    int m_cxPicture;
    int m_cyPicture;
    int m_cxCell;
    int m_cyCell;
    CTKPImageEditorDialog* m_pDialog;
    CTKPEditorPicture* m_pPrevious;
    CTKPEditorPicture* m_pCurrent;
    CTKPEditorHistory m_history;
    CPoint m_ptStart;
    BOOL m_bTracking;
    COLORREF m_clrStroke;
    HCURSOR m_hcurShape;
    HCURSOR m_hcurFill;
    HCURSOR m_hcurPencil;
    HCURSOR m_hcurPick;

    DECLARE_MESSAGE_MAP()
};

// The picture at its real size.
class CTKPImageEditorPreview : public CStatic {
public:
    CTKPImageEditorPreview() : m_pCanvas(NULL) {}
    CTKPImageEditorCanvas* m_pCanvas;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
