// CTKHeaderCtrl: the header of report lists. It paints through a style of CTKHeaderCtrlThemeFactory,
// shows the sort arrow, lights up the item under the cursor, offers a menu to sort by and align the
// clicked column, keeps columns whose width cannot change, and can share the list's width among its
// columns. CTKFlatHeaderCtrl is the same with a flat look of its own.
#pragma once

#include "classlib/core/CList.h"
#include "classlib/win/AfxCtrls.h"
#include "toolkit/controls/HeaderCtrlTheme.h"

class CTKHeaderCtrl : public CHeaderCtrl, public CTKThemeStyleHolder {
    DECLARE_DYNAMIC(CTKHeaderCtrl)
public:
    CTKHeaderCtrl();
    ~CTKHeaderCtrl() override;

    using CWnd::GetStyle;
    CTKHeaderCtrlTheme* GetHeaderTheme() const
    {
        return static_cast<CTKHeaderCtrlTheme*>(CTKThemeStyleHolder::GetStyle());
    }

    // The left button is down over the item.
    virtual BOOL IsItemPressed(int nItem);
    // The shared metrics' bold or normal font, redrawn.
    virtual void SetFontBold(BOOL bBold = TRUE);
    // The menu shown on a right click instead of the built-in one (0: the built-in one).
    virtual void SetPopupMenu(UINT nMenuID, int nSubMenu = 0);
    virtual void ApplyFontBold(BOOL bBold = TRUE);
    virtual void ShowSortArrow(BOOL bShow);
    // Aligns the column last right-clicked (0 left, 1 right, 2 centre); returns 0.
    virtual int SetColumnAlignment(int nFormat);
    // Right-to-left reading, from the screen DC's text alignment.
    virtual BOOL DetectRtl();
    // Shares the width among the columns that are not fixed.
    virtual void ResizeColumnsToFit(int nWidth);
    // The width (the header's own when below 1) less the list's scroll bar and the fixed columns.
    virtual void AutoSizeToWidth(int nWidth = 0);
    virtual int GetFixedColumnsWidth();

    // Returns the previous sort column.
    int SetSortArrow(int nColumn, BOOL bAscending);
    int GetSortColumn(BOOL* pbAscending = NULL) const;
    BOOL HasSortArrows() const;
    // With TRUE the columns share the header's width whenever that changes.
    void EnableAutoSize(BOOL bEnable = TRUE) { m_bAutoSize = bEnable; }
    void EnableContextMenu(BOOL bEnable = TRUE) { m_bContextMenu = bEnable; }
    // Columns whose width the user cannot change.
    void FixColumn(int nColumn, BOOL bFixed = TRUE);
    BOOL IsColumnFixed(int nColumn) const;
    void SetMinColumnWidth(int nWidth) { m_nMinColumnWidth = nWidth; }
    BOOL IsRtl() const { return m_bRTL; }
    int GetHotItem() const { return m_nHotItem; }
    // Tells the parent list that the item's heading was clicked (as the left button would).
    void SendSortClick(int nItem);
    // Lays the header out again and lets the parent list follow its new height.
    void RecalcLayout();
    void OnStyleChanged() override { RecalcLayout(); }

    // One step of hot tracking (timer 1 runs it every 10 ms while the cursor is over an item).
    void OnHotTrackTimer();
    // The right click at the point (client coordinates): shows the menu.
    void ShowContextMenu(CPoint point);

    int m_nMinColumnWidth;
    int m_nPopupSubMenu;
    UINT m_nPopupMenuID;
    int m_nHotItem;
    int m_nSortColumn;
    BOOL m_bAscending;
    BOOL m_bRTL;
    BOOL m_bAutoSize;
    BOOL m_bContextMenu;
    BOOL m_bLButtonDown;
    BOOL m_bHotPainted;
    CPoint m_ptLastRClick;
    CList<int, int> m_listFixedColumns;

protected:
    // The item under the point (client coordinates) on a heading, or -1.
    int HitTestItem(CPoint point);
    // The parent is a list control or a list view.
    BOOL IsParentList() const;
    void SortFromMenu(BOOL bAscending);

    BOOL m_bAutoSizing;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnLayout(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnDestroy();
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSortAscending();
    afx_msg void OnSortDescending();
    afx_msg void OnAlignLeft();
    afx_msg void OnAlignCenter();
    afx_msg void OnAlignRight();
    DECLARE_MESSAGE_MAP()
};

class CTKFlatHeaderCtrl : public CTKHeaderCtrl {
    DECLARE_DYNAMIC(CTKFlatHeaderCtrl)
public:
    CTKFlatHeaderCtrl();
};
