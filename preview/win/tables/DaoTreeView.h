// The tree of the Access view: the database's tables, relations and queries under "Access
// DataBase". Selecting a table shows its records in the list view; the Delete key removes a table
// or a query from the opened copy of the database.
#pragma once

#include "classlib/win/AfxDao.h"
#include "classlib/win/AfxWin.h"
#include "classlib/win/COleDropTarget.h"

// A tree item and the tree that holds it.
class CTreeItemRef {
public:
    CTreeItemRef() : m_hItem(NULL), m_pTree(NULL) {}
    CTreeItemRef(HTREEITEM hItem, CTreeCtrl* pTree) : m_hItem(hItem), m_pTree(pTree) {}

    // A child after the last one; the image is also the selected image.
    CTreeItemRef AddTail(LPCTSTR lpszText, int nImage = -1);
    int GetImage() const;
    CString GetText() const;
    CTreeItemRef GetRoot() const;
    CTreeItemRef GetSelected() const;
    CTreeItemRef HitTest(CPoint point) const;
    HTREEITEM GetHandle() const { return m_hItem; }
    CTreeCtrl* GetTree() const { return m_pTree; }
    operator HTREEITEM() const { return m_hItem; }

private:
    HTREEITEM m_hItem;
    CTreeCtrl* m_pTree;
};

// Node images (index into bitmap 181).
enum DaoTreeImage {
    kDaoImageRoot = 0,
    kDaoImageTable = 2,
    kDaoImageTables = 3,
    kDaoImageRelation = 8,
    kDaoImageRelations = 9,
    kDaoImageQuery = 10,
    kDaoImageQueries = 11,
};

class CDaoTreeBase : public CTreeView {
protected:
    CString m_strUnused;
    CTreeItemRef m_current;  // the item the user acted on last
};

class CDaoTreeView : public CDaoTreeBase {
    DECLARE_DYNCREATE(CDaoTreeView)
public:
    CDaoTreeView();
    ~CDaoTreeView() override;

    // Rebuilds the tree from the database.
    void PopulateTree();
    // Removes the current item's table or query from the database, after asking when the settings
    // say so. TRUE when something was deleted.
    BOOL DeleteCurrentItem();

    CDaoDatabase* m_pDatabase;  // not owned
    UINT m_nClipboardFormat;    // "ZozAdoz"
    const CTreeItemRef& CurrentItem() const { return m_current; }
    CTreeItemRef Root() const { return m_root; }
    CTreeItemRef TablesNode() const { return m_tables; }
    CTreeItemRef RelationsNode() const { return m_relations; }
    CTreeItemRef QueriesNode() const { return m_queries; }

    // Drops: data of the program's own format is accepted as a copy while a database is open;
    // nothing is ever dropped.
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSysColorChange();
    afx_msg void OnKeyDown(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnSelChanged(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnRightClick(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnBeginDrag(NMHDR* pNotify, LRESULT* pResult);

protected:
    BOOL m_bFilling;
    CImageList m_images;
    CTreeItemRef m_root, m_tables, m_relations, m_queries;

    // Hands OLE's drag calls to the view.
    class DropTarget : public COleDropTarget {
    public:
        DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
        BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    };
    DropTarget m_dropTarget;

    DECLARE_MESSAGE_MAP()
};
