// The child window of the frame that holds docked toolbars along one side, in rows. It takes part
// in the frame's layout through WM_SIZEPARENT, fits each row (squeezing, moving bars to a new row,
// stretching), places the bars with deferred positioning and paints its background through the
// theme.
#pragma once

#include "classlib/core/CArray.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPDockBar : public CWnd {
    DECLARE_DYNAMIC(CTKPDockBar)
public:
    explicit CTKPDockBar(CTKPCommandBars* pCommandBars);
    ~CTKPDockBar() override;

    // Side bits of the style.
    enum { dockLeft = 0x1000, dockTop = 0x2000, dockRight = 0x4000, dockBottom = 0x8000 };

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    // 0 top, 1 bottom, 2 left, 3 right.
    int GetPosition() const;
    BOOL IsHorizontal() const { return GetPosition() == tkpBarTop || GetPosition() == tkpBarBottom; }
    DWORD GetDockStyle() const { return m_dwStyle; }
    // Docks the bar here, placed by the rectangle (screen coordinates) when one is given.
    void DockCommandBar(CTKPToolBar* pBar, LPCRECT lpRect = NULL);
    // Takes the bar out (ignoring the entry at nKeepIndex); an emptied row goes too. Returns 0.
    int RemoveCommandBar(CTKPToolBar* pBar, int nKeepIndex = -1);
    int FindBar(CTKPToolBar* pBar, int nKeepIndex = -1) const;
    // Inserts an entry (null: a row end) at the index, appended past the end. A bar is first taken
    // out of its previous dock bar; its window becomes a child of this one and its position this
    // dock bar's.
    void InsertEntry(int nIndex, CTKPToolBar* pBar);
    // The visible bars of the row holding the entry, ordered along the row.
    void GetRowBars(int nIndex, CArray<CTKPToolBar*, CTKPToolBar*>& arrBars) const;
    CSize CalcDockLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* lpLayout);
    // The layout mode of a bar in a row: 0xA or 0x10, plus 1 (flag 0x40) and 0x80 (flag 0x20).
    static DWORD GetDockMode(BOOL bHorz, CTKPToolBar* pBar);
    // The entries: bars in rows, a null ending each row.
    const CArray<CTKPToolBar*, CTKPToolBar*>& GetBars() const { return m_arrBars; }

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    // Inserts the bar where the rectangle's centre falls (client coordinates); returns the index.
    int Insert(CTKPToolBar* pBar, CRect rc, CPoint ptCenter);
    // A stretched bar keeps its row to itself.
    void NormalizeRows();
    int LayoutRows(CArray<CTKPToolBar*, CTKPToolBar*>& arrBars, int nOffset, int nLength, BOOL bHorz,
        AFX_SIZEPARENTPARAMS* lpLayout);

    DWORD m_dwStyle;
    CArray<CTKPToolBar*, CTKPToolBar*> m_arrBars;
    CTKPCommandBars* m_pCommandBars;

    DECLARE_MESSAGE_MAP()
};
