// Control views: a view that is a common control. CCtrlView makes the view's window of the
// control's class and lets the control paint itself; CListView is a list-view control and
// CTreeView a tree-view control, each reached through its control wrapper.
#pragma once

#include "classlib/win/CListCtrl.h"
#include "classlib/win/CTreeCtrl.h"
#include "classlib/win/CView.h"

class CCtrlView : public CView {
    DECLARE_DYNAMIC(CCtrlView)
public:
    CCtrlView(LPCTSTR lpszClass, DWORD dwStyle);

    CString m_strClass;
    DWORD m_dwDefaultStyle;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The control draws itself; painting through the view does nothing.
    void OnDraw(CDC* pDC) override;

    afx_msg void OnPaint();

protected:
    DECLARE_MESSAGE_MAP()
};

class CListView : public CCtrlView {
    DECLARE_DYNCREATE(CListView)
public:
    CListView();

    CListCtrl& GetListCtrl() const { return *(CListCtrl*)this; }
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnNcDestroy();

protected:
    DECLARE_MESSAGE_MAP()
};

class CTreeView : public CCtrlView {
    DECLARE_DYNCREATE(CTreeView)
public:
    CTreeView();

    CTreeCtrl& GetTreeCtrl() const { return *(CTreeCtrl*)this; }
};
