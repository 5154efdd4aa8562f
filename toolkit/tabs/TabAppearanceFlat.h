// Appearance 4 (tabs as faces on the header band, without a client frame) and 5 (flat tabs parted
// by separators, the selected tab raised).
#pragma once

#include "toolkit/tabs/TabAppearance.h"

class CTKPTabAppearanceFaces : public CTKPTabAppearance {
public:
    CTKPTabAppearanceFaces();

    void FillClient(CRect& rcHeader, CTKPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem) override;
    int GetDefaultColorSet() override { return 2; }
};

class CTKPTabAppearanceSeparated : public CTKPTabAppearance {
public:
    CTKPTabAppearanceSeparated();

    void FillClient(CRect& rcHeader, CTKPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem) override;
    int GetDefaultColorSet() override { return 2; }
};
