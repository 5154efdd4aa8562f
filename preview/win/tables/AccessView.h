// CMDB_View: the preview of an Access database: the tree of its tables, relations and queries on
// the left, the records of the selected table on the right, in a splitter. The document opens the
// database and hands it to both (CPreviewDocument::OpenAccessDatabase).
#pragma once

#include "classlib/win/AfxWin.h"
#include "ui/controls/win/PaneSplitter.h"

class CDaoTreeView;
class CMDBListView;

class CMDB_View : public CView {
    DECLARE_DYNCREATE(CMDB_View)
public:
    CMDB_View();
    ~CMDB_View() override;

    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    CDaoTreeView* GetTreeView() const { return m_pTreeView; }
    CMDBListView* GetListView() const { return m_pListView; }
    enum { IDC_TREE = 189, IDC_LIST = 190, IDC_SPLITTER = 157 };

protected:
    CDaoTreeView* m_pTreeView;
    CMDBListView* m_pListView;
    morvick::ui::CPaneSplitter m_splitter;

    DECLARE_MESSAGE_MAP()
};
