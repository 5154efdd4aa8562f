// CListCtrl: a list-view control.
#pragma once

#include "classlib/win/CWnd.h"
#include "classlib/win/Geometry.h"

#include <commctrl.h>

class CEdit;
class CHeaderCtrl;
class CImageList;

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() {}

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // --- Columns ---------------------------------------------------------------------------------
    int InsertColumn(int nCol, const LVCOLUMN* pColumn);
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);
    CHeaderCtrl* GetHeaderCtrl();

    // --- Items -----------------------------------------------------------------------------------
    int InsertItem(const LVITEM* pItem);
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    void SetItemCount(int nItems);
    BOOL SetItemCountEx(int iCount, DWORD dwFlags = LVSICF_NOINVALIDATEALL);

    BOOL GetItem(LVITEM* pItem) const;
    BOOL SetItem(const LVITEM* pItem);
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                 LPARAM lParam);
    // The whole text of the cell, however long.
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemState(int nItem, LVITEM* pItem);
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    // LVS_EX_CHECKBOXES: the state image index less one, so 1 checked, 0 unchecked, -1 no box.
    BOOL GetCheck(int nItem) const;
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE);

    // --- Selection and searching -----------------------------------------------------------------
    int GetNextItem(int nItem, int nFlags) const;
    UINT GetSelectedCount() const;
    int GetSelectionMark() const;
    int SetSelectionMark(int iIndex);
    // Iterates the selected items: the position is the next selected index plus one (NULL at the end).
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const;
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LPLVHITTESTINFO pInfo);

    // --- Geometry and display --------------------------------------------------------------------
    // nCode is LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL or LVIR_SELECTBOUNDS.
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref);
    BOOL GetItemPosition(int nItem, LPPOINT lpPoint) const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    BOOL RedrawItems(int nFirst, int nLast);
    BOOL Update(int nItem);
    BOOL Arrange(UINT nCode);
    BOOL Scroll(CSize size);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    int GetStringWidth(LPCTSTR lpsz) const;
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);

    CImageList* GetImageList(int nImageList) const;
    // Returns the list that was set before (a temporary wrapper unless it has a permanent one).
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    COLORREF GetBkColor() const;
    BOOL SetBkColor(COLORREF cr);
    COLORREF GetTextColor() const;
    BOOL SetTextColor(COLORREF cr);
    COLORREF GetTextBkColor() const;
    BOOL SetTextBkColor(COLORREF cr);
    CEdit* EditLabel(int nItem);
    CEdit* GetEditControl() const;
    // A drag image of the item, owned by the caller.
    CImageList* CreateDragImage(int nItem, LPPOINT lpPoint);

    // A list view destroys its image lists with itself unless they are shared: takes back those
    // that a CImageList object owns, so that the object is the one to destroy them.
    static void PASCAL ReleaseOwnedImageLists(HWND hWnd);

    afx_msg void OnNcDestroy();

protected:
    DECLARE_MESSAGE_MAP()
};
