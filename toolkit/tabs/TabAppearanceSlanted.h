// Appearance 3 (tabs slanted on their leading side) and 9 (trapezoids slanted on both sides), both
// on a client frame in the selected tab's border colour.
#pragma once

#include "toolkit/tabs/TabAppearance.h"

class CTKPTabAppearanceSlanted : public CTKPTabAppearance {
public:
    CTKPTabAppearanceSlanted();

    // A row height more at the start, for the first tab's slant.
    void GetHeaderMargin(CRect& rcMargin) override;
    void FillClient(CRect& rcHeader, CTKPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem) override;
    int GetDefaultColorSet() override { return 4; }

    // The hot tab drawn in the hot colours.
    BOOL m_bHotHighlight;

protected:
    // Border, light edge and inner edge of a tab.
    void GetOutlineColors(CTKPTabManagerItem* pItem, COLORREF& clrBorder, COLORREF& clrLight, COLORREF& clrInner);
};

class CTKPTabAppearanceTrapezoid : public CTKPTabAppearanceSlanted {
public:
    CTKPTabAppearanceTrapezoid();

    void GetHeaderMargin(CRect& rcMargin) override;
    void DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem) override;
};
