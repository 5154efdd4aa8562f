// Theme 6 (soft tabs and shaded captions with gradient splitters) and theme 9, built on it, with
// outlined gradient captions, light tabs and the rounded docking stickers; their own tab colour sets
// and theme 9's tab shape.
#pragma once

#include "toolkit/docking/DockingPaneGradientTheme.h"
#include "toolkit/tabs/TabAppearanceBox.h"
#include "toolkit/tabs/TabColorSet.h"

// The tab colours of themes 6 and 9: light faces, the selected one white with the first switch; with
// the second switch only the selected tab gets a face.
class CTKPDockingPaneTabColorSet : public CTKPTabColorSetDefault {
public:
    CTKPDockingPaneTabColorSet(BOOL bFirstSwitch, BOOL bSecondSwitch);

    void RefreshColors() override;
    void FillHeader(CDC* pDC, CRect rc, CTKPTabManager* pManager) override;
    COLORREF FillTab(CDC* pDC, CRect rc, CTKPTabManagerItem* pItem) override;

    CTKPColorValue m_clrExtraFirst;
    CTKPColorValue m_clrExtraSecond;
    BOOL m_bSecondFlag;
    BOOL m_bGradientFlag;
    BOOL m_bSecondSwitch;
    BOOL m_bFirstSwitch;
};

// Theme 9's variant: no gradients, darker text in the colour schemes.
class CTKPDockingPaneVisualTabColorSet : public CTKPDockingPaneTabColorSet {
public:
    CTKPDockingPaneVisualTabColorSet(BOOL bFirstSwitch, BOOL bSecondSwitch)
        : CTKPDockingPaneTabColorSet(bFirstSwitch, bSecondSwitch)
    {
    }

    void RefreshColors() override;
};

// Theme 9's tabs: round-rectangle tabs (separators only between the pane tabs).
class CTKPDockingPaneVisualTabAppearance : public CTKPTabAppearanceRounded {
public:
    explicit CTKPDockingPaneVisualTabAppearance(BOOL bSeparatorsOnly);
};

class CTKPDockingPaneShadedTheme : public CTKPDockingPaneGradientTheme {
public:
    CTKPDockingPaneShadedTheme();

    void RefreshMetrics() override;
};

// The step between themes 6 and 9: both tab rows in appearance 9 with colour sets of their own.
class CTKPDockingPaneVisualThemeBase : public CTKPDockingPaneShadedTheme {
public:
    CTKPDockingPaneVisualThemeBase();
};

class CTKPDockingPaneVisualTheme : public CTKPDockingPaneVisualThemeBase {
public:
    CTKPDockingPaneVisualTheme();

    void RefreshMetrics() override;
    COLORREF DrawCaptionBackground(CDC* pDC, CTKPDockingNode* pNode, CRect rc, BOOL bActive, BOOL bVertical) override;

    COLORREF m_clrFrame;
};
