// Theme 2 (captions and frames in the colours of the desktop's colour scheme, with a grip) and
// theme 7, built on it, with a large caption font and no grip.
#pragma once

#include "toolkit/docking/DockingPaneGradientTheme.h"

class CTKPDockingPaneSchemeTheme : public CTKPDockingPaneGradientTheme {
public:
    CTKPDockingPaneSchemeTheme();

    void RefreshMetrics() override;
    void DrawCaption(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc) override;
    void DrawPaneCaption(CDC* pDC, CTKPDockingNode* pNode, CRect rc, const CString& strTitle, BOOL bActive,
        BOOL bVertical) override;
    void DrawCaptionButton(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    void DrawFloatingFrame(CDC* pDC, CTKPDockingPaneMiniWnd* pMini, CRect rc) override;
    // The face of a hot or pushed button; changes the glyph colour to go with it.
    virtual void DrawCaptionButtonBackground(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF& clrGlyph);

    BOOL m_bSchemeColors;  // a blue, olive or silver scheme is in force
    BOOL m_bGrip;
    BOOL m_bCaptionFrame;
};

class CTKPDockingPaneSchemeLargeCaptionTheme : public CTKPDockingPaneSchemeTheme {
public:
    CTKPDockingPaneSchemeLargeCaptionTheme();

    void RefreshMetrics() override;
};
