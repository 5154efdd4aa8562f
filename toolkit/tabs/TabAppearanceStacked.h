// Appearance 8: tabs as full-width bars stacked in the control, the client area opening below the
// selected bar and the bars after it gathered at the bottom.
#pragma once

#include "toolkit/tabs/TabAppearance.h"

class CTKPTabAppearanceStacked : public CTKPTabAppearance {
public:
    CTKPTabAppearanceStacked();

    void GetHeaderRect(CRect& rcHeader, CRect rcControl, CTKPTabManager* pManager) override;
    void GetClientRect(CRect& rcClient, CRect rcControl, CTKPTabManager* pManager) override;
    void DrawTabControl(CDC* pDC, CTKPTabManager* pManager, CRect rcControl) override;
    void AdjustLayout(CTKPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void AdjustClientRect(CTKPTabManager* pManager, CRect& rcClient) override;
    void DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem) override;

private:
    // Visible tabs, and the selected tab's place and the number of visible tabs after it (-1, 0
    // without a selection).
    void CountBars(CTKPTabManager* pManager, int& nSelected, int& nAfter) const;
    BOOL IsFrameless() const;
};
