// Command-bar theme 2: the flat theme with gradient bar, dock-bar and button backgrounds, rounded
// bar corners, dotted grippers, two-line separators, a shadow line under docked toolbars, and fixed
// colour sets for the blue, olive and silver desktop schemes.
#pragma once

#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/commandbars/FlatBarTheme.h"

class CTKPGradientBarTheme : public CTKPFlatBarTheme {
    DECLARE_DYNAMIC(CTKPGradientBarTheme)
public:
    CTKPGradientBarTheme();
    ~CTKPGradientBarTheme() override;

    void DrawBarBackground(CDC* pDC, CTKPCommandBar* pBar) override;
    void DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
        BOOL bToolBar, int barPosition) override;
    CSize DrawCommandBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw) override;
    CSize DrawControlSeparator(CDC* pDC, CTKPCommandBar* pBar, CTKPControl* pControl, BOOL bDraw) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc) override;
    void DrawStatusBarGripper(CDC* pDC, CRect rcClient) override;
    void DrawDockBarBackground(CDC* pDC, CWnd* pWnd) override;
    void RefreshColorsAndFonts() override;
    CSize DrawSpecialControl(CDC* pDC, int nKind, CTKPControl* pButton, CTKPCommandBar* pBar, BOOL bDraw, CSize szBar,
        LPARAM lParam) override;
    void GetBarBorders(CRect& rcBorders, CTKPCommandBar* pBar) override;
    CSize DrawPopupBarHandle(CDC* pDC, CRect rc, BOOL bHot, BOOL bDraw) override;
    CSize DrawPopupBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw) override;
    int GetThemeKind() const override { return themeGradient; }
    void FillPopupIconColumn(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded) override;
    // Not a menu bar and may dock on at least one side.
    virtual BOOL HasGradientFloatingLook(CTKPCommandBar* pBar);

    // The 16 x 16 shaded image behind the chevrons of a short menu's expand row, from the image
    // gradient: its pixel at (x, y) (0x00FF00 where transparent).
    COLORREF GetExpandImagePixel(int x, int y) const;
    // The shade table of that image (255 transparent, lower darker), row by row.
    static const BYTE s_expandShades[256];

    CTKPColorGradient m_grcDockBar;
    CTKPColorGradient m_grcToolBar;
    CTKPColorGradient m_grcToolBarExpand;
    CTKPColorGradient m_grcImage;
    CTKPColorGradient m_grcExpandedColumn;
    CTKPColorGradient m_grcPopuped;
    CTKPColorValue m_clrToolBarShadow;
    CTKPColorValue m_clrFloatingGripper;
    CTKPColorValue m_clrStatusPane;
    CTKPColorValue m_clrPopupHandle;
    int m_bSchemeActive;
    int m_bSingleLineSeparator;
    CTKPUxThemeWrapper m_themeStatusBar;
    CImageList m_ilExpand;
    CTKPColorGradient m_grcChecked;
    CTKPColorGradient m_grcPushed;
    CTKPColorGradient m_grcHot;

protected:
    // The bar gradient continued behind a docked toolbar from its dock bar.
    void FillDockBarRect(CDC* pDC, CWnd* pBar, CWnd* pParent, BOOL bHorz);
    void DrawExpandGlyph(CDC* pDC, CTKPCommandBar* pBar, CRect rc, BOOL bHiddenControls, COLORREF clr);
    void BuildExpandImage();
    void DrawGradientFace(CDC* pDC, CRect rc, int nBorder, const CTKPColorGradient* pFill, BOOL bHorz);
};
