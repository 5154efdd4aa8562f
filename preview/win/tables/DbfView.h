// CDBF_View: a dBase table (.dbf) as a grid: a leading "Index" column numbering the records from
// 1, then one column per field. The file is read directly (no database engine); memo, general and
// picture fields show only their kind. At most the record limit of the settings is shown; the
// status bar says how many of how many.
#pragma once

#include "classlib/win/AfxWin.h"

class CDBF_View : public CView {
    DECLARE_DYNCREATE(CDBF_View)
public:
    CDBF_View();
    ~CDBF_View() override;

    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    CListCtrl* GetListCtrl() const { return m_pList; }
    enum { IDC_TABLE_LIST = 186 };

    // Fills the list from the table file; sets the frame's m_bPreviewShown (0 on failure).
    static void LoadTable(const CString& strPath, CListCtrl& list);

protected:
    CListCtrl* m_pList;

    DECLARE_MESSAGE_MAP()
};
