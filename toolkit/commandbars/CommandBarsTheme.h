// The paint manager of the command bars: every bar, control, popup, dock bar and status pane is
// drawn and measured through it. One theme is installed process-wide; a command-bars manager or a
// bar may hold its own. The base keeps the colour table (refreshed from the colour manager), the
// fonts and the icon options, and draws what all themes share; the themes (default, flat,
// gradient, native, scheme gradient) draw the rest.
#pragma once

#include "toolkit/commandbars/CommandBarsDefs.h"
#include "toolkit/common/ColorValue.h"

class CTKPImageIcon;

// What the status-bar pane drawing needs of a pane.
struct TKPStatusPaneDraw {
    DWORD dwStyle;           // 0x100 no borders, bit 26 disabled
    COLORREF clrBackground;  // (COLORREF)-1 none
    COLORREF clrText;        // (COLORREF)-1 the theme's status text colour
    int nAlignment;          // 0 left, 1 centre, 2 right
    CString strText;
    CTKPImageIcon* pIcon;    // or null
    CFont* pFont;            // or null for the DC's font
    BOOL bDrawDisabledText;  // the status bar draws the text of disabled panes (in colour 17)
};

// The four icon options, in field order.
struct TKPIconOptions {
    BOOL bFadedIcons;
    BOOL bUseDisabledIcons;
    BOOL bIconsWithShadow;
    BOOL bUseFadedDisabledIcons;  // a missing disabled image is made from the face gradient
};

class CTKPCommandBarsTheme : public CCmdTarget {
    DECLARE_DYNAMIC(CTKPCommandBarsTheme)
public:
    CTKPCommandBarsTheme();
    ~CTKPCommandBarsTheme() override;

    enum { COLOR_COUNT = 62 };
    // Theme numbers.
    enum {
        themeDefault = 0,
        themeFlat = 1,
        themeGradient = 2,
        themeNative = 3,
        themeSchemeGradient = 4,
        themeCustom = 5
    };
    // Special controls of DrawSpecialControl.
    enum { specialToolbarExpand = 0, specialPopupExpand = 1, specialFloatingClose = 2, specialFloatingExpand = 3 };

    // --- Process-wide theme ----------------------------------------------------------------------
    // 1 flat, 2 gradient, 3 native, 4 scheme gradient, any other number the default theme; the number
    // is stored in the new theme. Null when it cannot be made.
    static CTKPCommandBarsTheme* CreateTheme(int nTheme);
    // Installs CreateTheme(nTheme) and keeps the number in it.
    static void SetTheme(int nTheme);
    // Installs the theme (the caller's reference passes to the process); its number becomes 5 and it
    // is refreshed. Null and the installed theme itself change nothing.
    static void InstallTheme(CTKPCommandBarsTheme* pTheme);
    static void ReleaseTheme();
    // The installed theme, or null.
    static CTKPCommandBarsTheme* GetInstalledTheme() { return s_pInstance; }
    // The installed theme, theme 0 being installed first when there is none.
    static CTKPCommandBarsTheme* GetGlobalTheme();

    // --- Overridable operations, in slot order ---------------------------------------------------
    // A control in a popup bar: draws when bDraw, returns its size.
    virtual CSize DrawControlPopupParent(CDC* pDC, CTKPControl* pControl, BOOL bDraw) = 0;
    // A control on a toolbar or menu bar.
    virtual CSize DrawControlToolBarParent(CDC* pDC, CTKPControl* pControl, BOOL bDraw);
    virtual void DrawSplitButtonFrame(CDC* pDC, CTKPControl* pButton, CRect rc);
    virtual CSize DrawControlComboBox(CDC* pDC, CTKPControl* pComboBox, BOOL bDraw) = 0;
    virtual CSize DrawControlEdit(CDC* pDC, CTKPControl* pEdit, BOOL bDraw) = 0;
    virtual CSize DrawControlPopupListItem(CDC* pDC, CTKPControl* pButton, CRect rc, BOOL bSelected,
        LPCTSTR lpszCaption, CTKPCommandBars* pCommandBars) = 0;
    virtual void DrawBarBackground(CDC* pDC, CTKPCommandBar* pBar) = 0;
    // The face of a control in a state; selects the text colour and a transparent background.
    virtual void DrawControlEntry(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, int nPressed, BOOL bChecked,
        BOOL bPopuped, int barPosition) = 0;
    virtual void DrawControlFace(CDC* pDC, CTKPControl* pButton);
    virtual void DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
        BOOL bPopuped, BOOL bToolBar, int barPosition) = 0;
    virtual CSize DrawCommandBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw) = 0;
    // With bDraw the separator before the control (0 x 0); otherwise its size (pControl may be null).
    virtual CSize DrawControlSeparator(CDC* pDC, CTKPCommandBar* pBar, CTKPControl* pControl, BOOL bDraw) = 0;
    virtual void AdjustExcludeRect(CRect& rc, CTKPControl* pControl, BOOL bVertical) = 0;
    virtual void DrawStatusBarPane(CDC* pDC, CRect rc, const TKPStatusPaneDraw& pane);
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc);
    virtual void DrawStatusBarGripper(CDC* pDC, CRect rcClient);
    virtual void DrawDockBarBackground(CDC* pDC, CWnd* pWnd);
    virtual void FillStatusBar(CDC* pDC, CWnd* pWnd);
    virtual void RefreshColorsAndFonts();
    virtual BOOL IsFlatDisabledText() const { return FALSE; }
    // The bars' own buttons: kind 0 measures (sets the control's rectangle from szBar) or draws a
    // toolbar's expand button (lParam: the bar hides controls); 1 the expand row of a short menu
    // (returns 0 x 12); 2 the close button and 3 the expand button of a floating bar.
    virtual CSize DrawSpecialControl(CDC* pDC, int nKind, CTKPControl* pButton, CTKPCommandBar* pBar, BOOL bDraw,
        CSize szBar, LPARAM lParam);
    // Border widths of a bar in rcBorders (left, top, right, bottom).
    virtual void GetBarBorders(CRect& rcBorders, CTKPCommandBar* pBar);
    virtual CSize DrawPopupBarHandle(CDC* pDC, CRect rc, BOOL bHot, BOOL bDraw) = 0;
    virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CTKPImageIcon* pImage, int nSelected, int nPressed,
        BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBar = TRUE) = 0;
    virtual CSize DrawPopupBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw) = 0;
    virtual int GetThemeKind() const = 0;
    // Regular or bold; the vertical pair for bars docked left or right.
    virtual CFont* GetControlFont(CTKPCommandBar* pBar, BOOL bBold);
    virtual void DrawCheckMark(CDC* pDC, CRect rc, COLORREF clr, int nShape = 0);
    virtual void DrawDropDownGlyph(CDC* pDC, CRect rc, COLORREF clr);
    virtual void AnimateExpanding(CDC* pDestDC, CDC* pSrcDC, CRect rc, int nType);
    virtual void AnimateUnfold(CTKPCommandBar* pBar, CDC* pDestDC, CDC* pSrcDC, BOOL bDownward);
    virtual void UpdateRTLCaption(CString& strCaption) {}
    // Non-zero when the theme always wants popup shadows.
    virtual int GetShadowQuery() const { return 0; }

    // --- Drawing shared by every theme -----------------------------------------------------------
    // By kind: edits and combo boxes, popup items, and controls on bars.
    CSize DrawControl(CDC* pDC, CTKPControl* pControl, BOOL bDraw = TRUE);
    CSize DrawControlText(CDC* pDC, LPCTSTR lpszText, CRect rcText, BOOL bDraw, BOOL bVert, BOOL bCentered,
        BOOL bTriangle, BOOL bEmbossed, BOOL bKeyboardCues);
    CSize DrawControlTextAndIcon(CDC* pDC, LPCTSTR lpszText, CRect rc, BOOL bVert, BOOL bDraw, BOOL bEmbossed,
        BOOL bTriangle, int nButtonWidth, int nButtonHeight, BOOL bHasImage, BOOL bKeyboardCues);
    void FillClientWithFaceColor(CDC* pDC, CWnd* pWnd);
    static void DrawTriangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr);
    // Fills with the fill colour unless it is -1; frames with the border colour unless it is -1 or
    // equals the fill.
    void DrawRectangleByIndex(CDC* pDC, CRect rc, int nBorder, int nFill);
    void Draw3dRectangle(CDC* pDC, CRect rc, int nTopLeft, int nBottomRight);
    // From (x0, y0) to (x1, y1), the end point excluded; with a colour index or the current pen.
    void DrawLine(CDC* pDC, int x0, int y0, int x1, int y1, int nColor);
    void DrawLine(CDC* pDC, int x0, int y0, int x1, int y1);

    // --- Colours and fonts -----------------------------------------------------------------------
    // Above 61 the index itself; else the entry's override when set, else its standard value.
    COLORREF GetColor(int nIndex) const;
    // Standard values of the entries; nothing for a count of 0 or less.
    void SetColors(int nCount, const UINT* pIndexes, const COLORREF* pValues);
    // 0 none, 1 blue, 2 olive, 3 silver: selector 5 follows the colour manager (0 while its schemes
    // are disabled), 4 its detected scheme, any other value is taken as it is.
    int GetCurrentColorScheme() const;
    TKPIconOptions GetIconOptions() const;
    CFont* GetRegularFont() { return &m_fontRegular; }
    CFont* GetRegularBoldFont() { return &m_fontRegularBold; }
    CFont* GetVerticalFont() { return &m_fontVert; }
    CFont* GetVerticalBoldFont() { return &m_fontVertBold; }
    CFont* GetSmCaptionFont() { return &m_fontSmCaption; }
    CFont* GetIconFont() { return &m_fontIcon; }
    CFont* GetIconBoldFont() { return &m_fontIconBold; }
    // The regular fonts from a descriptor (the Tahoma rule on when bUseStandardFont).
    void SetCommandBarsFontIndirect(LOGFONTW* pLogFont, BOOL bUseStandardFont = FALSE);
    int GetPopupItemHeight() const { return m_nPopupItemHeight; }
    int GetThemeNumber() const { return m_nTheme; }
    void SetThemeNumber(int nTheme) { m_nTheme = nTheme; }

    // Test switch: the non-client metrics the fonts are made from (null: the system's).
    typedef BOOL (*MetricsSource)(NONCLIENTMETRICSW* pMetrics);
    static void SetMetricsSource(MetricsSource pfnSource) { s_pfnMetrics = pfnSource; }

    // Fields (in the order of the data model).
    COLORREF m_clrAccentText;
    COLORREF m_clrStatusText;
    CTKPColorGradient m_grcFace;
    int m_bThickCheckMark;
    int m_bShowShadow;  // the shadow switch: without it no popup shadow window is made
    COLORREF m_clrShadowColor;
    CFont m_fontRegular;
    CFont m_fontRegularBold;
    CFont m_fontVert;
    CFont m_fontVertBold;
    CFont m_fontSmCaption;
    int m_bSmCaptionFollowsSystem;
    CFont m_fontIcon;
    int m_bIconFollowsSystem;
    CFont m_fontIconBold;
    int m_bIconBoldFollowsSystem;
    int m_nPopupItemHeight;
    int m_bUseTahoma;
    int m_bUseStandardFont;
    int m_nTheme;
    int m_bFadedIcons;
    int m_bUseDisabledIcons;
    int m_bIconsWithShadow;
    int m_bUseFadedDisabledIcons;
    int m_nAnimationSteps;
    int m_nAnimationTime;
    int m_bShowKeyboardCues;  // -1 as the caller asks, 0 or 1 forces hiding or showing
    CTKPColorValue m_arrColor[COLOR_COUNT];
    int m_nColorScheme;  // selector

    // What follows each frame of an animation, given the time left for the step: by default a sleep
    // that long; null puts the default back.
    typedef void (*AnimationStepFunction)(DWORD dwMilliseconds);
    static void SetAnimationStepFunction(AnimationStepFunction pfn);

protected:
    void RebuildFonts();
    // Ends an animation step (the step function, by default a sleep of the time given).
    static void AnimationSleep(DWORD dwMilliseconds);

    static CTKPCommandBarsTheme* s_pInstance;
    static MetricsSource s_pfnMetrics;
};
