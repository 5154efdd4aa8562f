// One colour cell of the button editor: its colour and whether it is the selected one. A click
// sends NM_CLICK with the cell's id to the dialog.
#pragma once

#include "classlib/win/CStatic.h"

class CTKPImageEditorPicker : public CStatic {
    DECLARE_DYNAMIC(CTKPImageEditorPicker)
public:
    CTKPImageEditorPicker() : m_clr(RGB(0, 0, 0)), m_bSelected(FALSE) {}

    COLORREF GetColor() const { return m_clr; }
    void SetColor(COLORREF clr);
    BOOL IsSelected() const { return m_bSelected; }
    void SetSelected(BOOL bSelected);
    // Paints the cell into a DC of its client size.
    void DrawCell(CDC* pDC, CRect rc);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) { return TRUE; }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

protected:
    COLORREF m_clr;
    BOOL m_bSelected;
    DECLARE_MESSAGE_MAP()
};
