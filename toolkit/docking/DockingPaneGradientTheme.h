// Theme 1 (gradient captions in the system's caption colours) and the themes built on it: 3 (the
// visual style's window and explorer-bar parts) and 5 (flat captions over tabs at the top).
#pragma once

#include "toolkit/docking/DockingPaneGripperTheme.h"

class CTKPDockingPaneGradientTheme : public CTKPDockingPaneGripperTheme {
public:
    CTKPDockingPaneGradientTheme();

    void RefreshMetrics() override;
    void DrawPaneCaption(CDC* pDC, CTKPDockingNode* pNode, CRect rc, const CString& strTitle, BOOL bActive,
        BOOL bVertical) override;
    // Fills the caption band; answers the glyph colour of its buttons.
    virtual COLORREF DrawCaptionBackground(CDC* pDC, CTKPDockingNode* pNode, CRect rc, BOOL bActive, BOOL bVertical);

    BOOL m_bGradientCaption;
    CTKPColorGradient m_grcInactiveCaption;
    CTKPColorGradient m_grcActiveCaption;
    CTKPColorValue m_clrInactiveCaptionText;  // colour indexes or literals
    CTKPColorValue m_clrActiveCaptionText;
};

class CTKPDockingPaneExplorerTheme : public CTKPDockingPaneGradientTheme {
public:
    CTKPDockingPaneExplorerTheme();

    void RefreshMetrics() override;
    void DrawCaption(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc) override;
    void DrawPaneCaption(CDC* pDC, CTKPDockingNode* pNode, CRect rc, const CString& strTitle, BOOL bActive,
        BOOL bVertical) override;
    void DrawCaptionButton(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    void DrawFloatingFrame(CDC* pDC, CTKPDockingPaneMiniWnd* pMini, CRect rc) override;

    BOOL IsWindowThemed();
    BOOL IsExplorerBarThemed();

    CTKPUxThemeWrapper m_themeWindow;
    CTKPUxThemeWrapper m_themeExplorerBar;
};

class CTKPDockingPaneFlatTabTheme : public CTKPDockingPaneGradientTheme {
public:
    CTKPDockingPaneFlatTabTheme();

    void RefreshMetrics() override;
    void DrawTabbedContainer(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc) override;
    void DrawCaption(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc) override;
    void DrawCaptionButton(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    void DrawFloatingFrame(CDC* pDC, CTKPDockingPaneMiniWnd* pMini, CRect rc) override;
    void AdjustCaptionRect(CTKPDockingPaneTabbedContainer* pContainer, CRect& rc) override;

protected:
    // Four lines across the band's middle from a position to the band's far end.
    void DrawGrip(CDC* pDC, CRect rc, int nStart, int nEnd, BOOL bActive, BOOL bVertical);
};
