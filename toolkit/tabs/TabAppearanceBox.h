// Appearance 6 (flat boxes on a single-colour client frame) and the two built on it: 2 (soft-cornered
// tabs) and 7 (tabs with sloped sides).
#pragma once

#include "toolkit/tabs/TabAppearance.h"

class CTKPTabAppearanceBox : public CTKPTabAppearance {
public:
    CTKPTabAppearanceBox();

    void FillClient(CRect& rcHeader, CTKPTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem) override;
    int GetDefaultColorSet() override { return 2; }
};

class CTKPTabAppearanceRounded : public CTKPTabAppearanceBox {
public:
    CTKPTabAppearanceRounded();

    void DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem) override;
    int GetDefaultColorSet() override { return 1; }

    // On: square tabs with blended corners. Off: round-rectangle tabs.
    BOOL m_bSquareCorners;
    // Only the selected tab has a shape; the others are parted by separators.
    BOOL m_bSeparatorsOnly;

private:
    void DrawRoundTab(CDC* pDC, CTKPTabManagerItem* pItem, CRect rc);
};

class CTKPTabAppearanceSloped : public CTKPTabAppearanceBox {
public:
    CTKPTabAppearanceSloped();

    // Half a row height more at each end, for the slopes.
    void GetHeaderMargin(CRect& rcMargin) override;
    void DrawSingleTab(CDC* pDC, CTKPTabManagerItem* pItem) override;
};
