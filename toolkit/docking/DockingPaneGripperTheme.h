// Theme 4 (flat captions with two raised grip bars and drawn button glyphs) and theme 8, built on it,
// which draws captions and buttons with the visual style's rebar and toolbar when there is one.
#pragma once

#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/docking/DockingPaneTheme.h"

class CTKPDockingPaneGripperTheme : public CTKPDockingPaneDefaultTheme {
public:
    void DrawCaption(CDC* pDC, CTKPDockingPaneTabbedContainer* pContainer, CRect rc) override;
    void DrawPaneCaption(CDC* pDC, CTKPDockingNode* pNode, CRect rc, const CString& strTitle, BOOL bActive,
        BOOL bVertical) override;
    void DrawCaptionButton(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    void DrawFloatingFrame(CDC* pDC, CTKPDockingPaneMiniWnd* pMini, CRect rc) override;
    // The glyph of the button's command centred on a point.
    virtual void DrawButtonGlyph(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, int x, int y, COLORREF clrGlyph);

protected:
    // The raised frame of a hot or pushed button; the glyph's centre.
    CPoint DrawGripperButtonFace(CDC* pDC, CTKPDockingPaneCaptionButton* pButton);
};

class CTKPDockingPaneNativeTheme : public CTKPDockingPaneGripperTheme {
public:
    CTKPDockingPaneNativeTheme();

    void RefreshMetrics() override;
    void DrawPaneCaption(CDC* pDC, CTKPDockingNode* pNode, CRect rc, const CString& strTitle, BOOL bActive,
        BOOL bVertical) override;
    void DrawCaptionButton(CDC* pDC, CTKPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;

    CTKPUxThemeWrapper m_themeRebar;
    CTKPUxThemeWrapper m_themeToolbar;
};
