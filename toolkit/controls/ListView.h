// CTKListView: a list view (a view that is a list control) with the toolkit's list behaviour.
#pragma once

#include "toolkit/controls/ListBase.h"

class CTKListView : public CListView, public CTKListBase {
    DECLARE_DYNCREATE(CTKListView)
public:
    CTKListView();

    using CTKListBase::GetExtendedStyle;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    // Set until the class creates the window itself.
    BOOL m_bMakeOwnerSetting;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnCustomDrawReflect(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
