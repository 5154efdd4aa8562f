// CTKListBase: the report-list behaviour shared by CTKListCtrl and CTKListView, which carry it as a
// second base: a sortable flat header, column widths kept in the profile, columns sized to their
// contents, a sub-item hit test, row moves, list and per-row colours, a tinted strip under the sorted
// column and a flicker-free paint.
#pragma once

#include "classlib/core/CList.h"
#include "classlib/win/AfxCtrls.h"
#include "toolkit/controls/HeaderCtrl.h"

// The colours of one row, by its index.
struct CTKListRowColor {
    int nRow;
    COLORREF clrBack;
    COLORREF clrText;
};

class CTKListBase {
public:
    CTKListBase();
    virtual ~CTKListBase();

    // Stores the sort column and direction and shows the arrow when the list's header is a
    // CTKHeaderCtrl (returning what it returns); else returns the previous sort column.
    virtual int SetSortColumn(int nColumn, BOOL bAscending);
    // The stored width of the column (the default string's when none is stored); 0 when missing.
    virtual int LoadColumnWidth(int nColumn);
    // The column takes its stored width; a column without one keeps its width.
    virtual void RestoreColumnWidth(int nColumn);
    virtual void RestoreColumnWidths();
    // Writes the widths, column by column, as "w0,w1,...," to the profile.
    virtual void SaveColumnWidths();
    // The column (every column for -1) as wide as its widest text or its heading.
    virtual void AutoSizeColumn(int nColumn = -1);
    // Keeps the widths under the section and entry ("Settings", "Column Info" when null) and
    // restores them now.
    virtual void SetColumnProfile(LPCTSTR lpszSection = NULL, LPCTSTR lpszEntry = NULL, LPCTSTR lpszDefault = NULL);
    // Puts the embedded flat header onto the list's header window.
    virtual BOOL SubclassHeader(BOOL bBoldFont = FALSE);
    // Sorts the rows after a header click changed the sort; the base does nothing.
    virtual BOOL SortList(int nColumn, BOOL bAscending);
    virtual void AddExtendedStyle(DWORD dwExStyle);
    virtual DWORD GetExtendedStyle();
    virtual void DisableColumnSizing(BOOL bDisable = TRUE) { m_bNoColumnSizing = bDisable; }
    // The row under the point (client coordinates) and, through pColumn, the column; -1 when none.
    virtual int SubItemHitTest(CPoint point, int* pColumn);
    // A column at the end (width -1: the last column's width); returns its index or -1.
    virtual int AddColumn(LPCTSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1);
    virtual BOOL AddColumns(int nCount, const int* pWidths, const LPCTSTR* pHeadings);
    virtual BOOL AddColumns(int nCount, const int* pWidths, const UINT* pStringIDs);
    // -1 outside report view.
    virtual int GetColumnCount();
    // Copies the row (text, image, data and sub-item texts) to a new row at nTo; returns the
    // source row's index afterwards, -1 on failure.
    virtual int CopyRow(int nFrom, int nTo);
    virtual BOOL MoveRow(int nFrom, int nTo);
    virtual void SetListColors(COLORREF clrText, COLORREF clrBack);
    virtual void SetRowColor(const CTKListRowColor& color);
    virtual void SetRowColor(int nRow, COLORREF clrText, COLORREF clrBack);
    virtual void RemoveRowColors();
    virtual const CTKListRowColor* FindRowColor(int nRow) const;
    // FALSE (and nothing sent) when the style would not change.
    virtual BOOL ModifyExtendedStyle(DWORD dwRemove, DWORD dwAdd);
    virtual BOOL ApplyDefaultFont();
    // Header notifications arriving at the list; TRUE when handled (pResult holds the answer).
    virtual BOOL OnNotifyHeader(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // Computes the sorted column's colours and the widest column.
    void RefreshColors();
    // The colours of list items while the list paints (NM_CUSTOMDRAW).
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    // Paints through a buffer filled with the list's background and the sorted column's strip.
    void OnPaint();

    void EnableRowColors(BOOL bEnable = TRUE) { m_bRowColors = bEnable; }
    void HighlightSortedColumn(BOOL bHighlight = TRUE) { m_bHighlightSortedColumn = bHighlight; }
    void UseToolkitFont(BOOL bUse = TRUE) { m_bUseToolkitFont = bUse; }
    int GetSortColumn(BOOL* pbAscending = NULL) const;
    CTKFlatHeaderCtrl& GetFlatHeader() { return m_headerCtrl; }

    // Per channel (a x (100 - p) + b x p) / 100.
    static COLORREF MixColors(COLORREF a, COLORREF b, int nPercent);
    // Each channel less the other's, not below 0.
    static COLORREF SubtractColor(COLORREF a, COLORREF b);

    int m_nMinColumnWidth;
    int m_nMaxColumnWidth;
    int m_nSortColumn;
    BOOL m_bUseToolkitFont;
    BOOL m_bSaveColumnWidths;
    BOOL m_bCustomColors;
    BOOL m_bRowColors;
    BOOL m_bHighlightSortedColumn;
    BOOL m_bAscending;
    BOOL m_bNoColumnSizing;
    CString m_strSection;
    CString m_strEntry;
    CString m_strDefaultWidths;
    COLORREF m_clrListText;
    COLORREF m_clrListBack;
    COLORREF m_clrSortedText;
    COLORREF m_clrSortedBack;
    CList<CTKListRowColor, const CTKListRowColor&> m_listRowColors;
    CTKFlatHeaderCtrl m_headerCtrl;
    CWnd* m_pListWnd;

protected:
    HWND ListHwnd() const { return m_pListWnd ? m_pListWnd->GetSafeHwnd() : NULL; }
    LRESULT SendList(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL IsReportView() const;
    // The list's header window (child id 0), or null.
    HWND HeaderHwnd() const;
    // The field of the stored (or default) width string; FALSE when it is missing or no number.
    BOOL ReadColumnWidth(int nColumn, int* pWidth);
    COLORREF ListBackColor() const;
    COLORREF ListTextColor() const;
};
