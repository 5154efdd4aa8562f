// CDBF_View: a dBase table (.dbf) as a grid: a leading "Index" column numbering the records from
// 1, then one column per field, one row per record, every record of the file. The file is read
// directly (no database engine) and held by the view; the list is a virtual one that asks the view
// for the texts of the rows it shows, so that a table of a million records is listed at once. Memo,
// general and picture fields show only their kind.
#pragma once

#include "classlib/win/AfxWin.h"
#include "preview/dbase/DbfReader.h"

#include <cstdint>
#include <vector>

class CDBF_View : public CView {
    DECLARE_DYNCREATE(CDBF_View)
public:
    CDBF_View();
    ~CDBF_View() override;

    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);

    CListCtrl* GetListCtrl() const { return m_pList; }
    enum { IDC_TABLE_LIST = 186 };

    // Reads the table file and lists it in the view's list; sets the frame's m_bPreviewShown (0 on
    // failure).
    void LoadTable(const CString& strPath);
    // The text of a cell as the list shows it.
    CString CellText(int nRow, int nColumn) const;

protected:
    CListCtrl* m_pList;
    std::vector<uint8_t> m_table;  // the whole file
    morvick::DbfLayout m_layout;
    uint64_t m_nRecords;  // records the file holds (the list shows one empty row when there are none)

    DECLARE_MESSAGE_MAP()
};
