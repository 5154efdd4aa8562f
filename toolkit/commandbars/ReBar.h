// A rebar that hosts command bars as bands, with flicker-free painting and band sizes taken from the
// bars' own layout.
#pragma once

#include "classlib/win/CReBar.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPReBar : public CReBar {
    DECLARE_DYNAMIC(CTKPReBar)
public:
    CTKPReBar();

    BOOL AddBar(CTKPToolBar* pBar, DWORD dwStyle);
    BOOL RemoveBar(CTKPToolBar* pBar);
    int FindBand(CTKPToolBar* pBar);
    CTKPToolBar* GetBandBar(int nBand);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnChildSize(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
