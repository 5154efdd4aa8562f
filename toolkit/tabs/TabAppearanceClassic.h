// Appearances 0 and 1: classic three-dimensional tabs on a raised client frame.
#pragma once

#include "toolkit/tabs/TabAppearance.h"

class CTKPTabAppearanceClassic : public CTKPTabAppearance {
public:
    CTKPTabAppearanceClassic();

    // The theme's client margin, widened on the far sides for the visual style's pane.
    void GetClientMargin(CRect& rcMargin) override;
    void FillClient(CRect& rcHeader, CTKPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem) override;

protected:
    void DrawClassicTab(CDC* pDC, CTKPTabManagerItem* pItem);
};

// Only the selected and the hot tab stand out; the others show their content alone.
class CTKPTabAppearanceClassicSelected : public CTKPTabAppearanceClassic {
public:
    void DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem) override;
};
