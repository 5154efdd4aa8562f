// A grid of cells in a popup from which a number of columns and rows is picked by pointing (as for
// a table): the block from the top-left to the cell under the pointer lights up, dragging past the
// edge grows the grid up to its maximum, and a click chooses the block. Each change of the block
// is notified with 0x1006.
#pragma once

#include "toolkit/commandbars/Control.h"

#define TKPN_SELECTOR_CHANGED 0x1006

class CTKPControlSelector : public CTKPControl {
    DECLARE_SERIAL(CTKPControlSelector)
public:
    CTKPControlSelector();

    // Highlights columns x rows from the top-left; unchanged and not forced: nothing.
    void SetSelection(int nColumns, int nRows, BOOL bForce = FALSE);
    CSize GetSelection() const { return m_szSelection; }
    // The block chosen by the last click.
    CSize GetChosenSize() const { return m_szChosen; }
    CSize GetShownGrid() const { return m_szShown; }
    void SetItemsCount(CSize size) { m_szItemsCount = size; }
    void SetItemsMax(CSize size) { m_szItemsMax = size; }
    void SetItemSize(CSize size) { m_szItem = size; }
    CSize GetItemSize() const { return m_szItem; }

    // Draws what a cell shows inside its rectangle; nothing here.
    virtual void DrawCell(CDC* pDC, CRect rcCell, COLORREF clrText) {}

    void OnCalcDynamicSize(DWORD dwMode) override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnMouseMove(CPoint point) override;
    BOOL SetSelected(int nSelected) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    void Copy(CTKPControl* pSource, BOOL bRecursive = FALSE) override;
    void DoPropExchange(CTKPPropExchange* pPX) override;

    // The grid that a pointer at the bar point asks for while the button is held past the edge
    // (the shown grid when the point is inside).
    CSize CalcGrownGrid(CPoint point) const;

protected:
    CSize m_szItemsCount;
    CSize m_szItemsMax;
    CSize m_szSelection;
    CSize m_szItem;
    CSize m_szChosen;
    CSize m_szShown;
    BOOL m_bGrowing;
};
