// The record list of the Access view: CMDBListView shows the fields and records of one table of
// the open database in a CStatusListCtrl (columns tinted, rows coloured by their first data cell).
#pragma once

#include "classlib/win/AfxDao.h"
#include "classlib/win/AfxWin.h"

// The cell text of a value by its type ("NULL", numbers, currency, dates, strings, type names).
CString VariantToText(const VARIANT& value);
// "TRUE" for non-zero, else "FALSE".
CString BoolToText(int value);

class CStatusListCtrl : public CListCtrl {
public:
    CStatusListCtrl() {}

    // What custom drawing answers for a stage, and the colours it sets (exposed for tests).
    LRESULT CustomDraw(NMLVCUSTOMDRAW* pDraw);

protected:
    afx_msg void OnCustomDraw(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnClick(NMHDR* pNotify, LRESULT* pResult);
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);

    DECLARE_MESSAGE_MAP()
};

class CMDBListView : public CView {
    DECLARE_DYNCREATE(CMDBListView)
public:
    CMDBListView();
    ~CMDBListView() override;

    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    // Deletes every row and every column.
    void ClearList();
    // Fills the list with the table's fields and its records, up to the record limit.
    void ShowTable(const CString& strTableName);

    CStatusListCtrl* GetListCtrl() const { return m_pList; }
    CDaoDatabase* m_pDatabase;  // not owned
    enum { IDC_RECORD_LIST = 186 };

protected:
    CStatusListCtrl* m_pList;

    DECLARE_MESSAGE_MAP()
};

// "Select * From [name]", with "]" in the name written as "]]".
CString TableQuery(const CString& strTableName);
