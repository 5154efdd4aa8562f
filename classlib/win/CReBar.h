// CReBar: a control bar over the rebar common control. Each band holds a bar or another window;
// the rebar tells its frame to lay out again when its height changes.
#pragma once

#include "classlib/win/CControlBar.h"
#include "classlib/win/CReBarCtrl.h"

class CBitmap;

class CReBar : public CControlBar {
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar();

    virtual BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                        UINT nID = AFX_IDW_REBAR);
    CReBarCtrl& GetReBarCtrl() const { return *(CReBarCtrl*)this; }

    // Adds pBar as the last band, as large as its fixed layout (a control bar) or its window.
    BOOL AddBar(CWnd* pBar, LPCTSTR pszText = nullptr, CBitmap* pbmp = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    BOOL AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS);

    // The bounding box of the visible bands (the full frame width when stretched).
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcPaint();
    afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnShowBand(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);

protected:
    BOOL AddBand(CWnd* pBar, REBARBANDINFO* pRBBI);
    BOOL m_bInLayout;

    DECLARE_MESSAGE_MAP()
};
