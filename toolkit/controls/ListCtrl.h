// CTKListCtrl: a list control with the toolkit's list behaviour (CTKListBase, ListBase.h).
#pragma once

#include "toolkit/controls/ListBase.h"

class CTKListCtrl : public CListCtrl, public CTKListBase {
    DECLARE_DYNAMIC(CTKListCtrl)
public:
    CTKListCtrl();

    using CListCtrl::SubItemHitTest;
    using CTKListBase::GetExtendedStyle;
    using CTKListBase::SubItemHitTest;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    // Set until the class creates the window itself (a subclassed list gets the toolkit font then).
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
