// Command-bar theme 3: buttons, split buttons, grippers, bar and dock-bar backgrounds, combo-box
// parts and the status bar drawn through the visual styles, element by element; an element whose
// visual-style data is not open is drawn as the default theme draws it.
#pragma once

#include "toolkit/base/UxThemeWrapper.h"
#include "toolkit/commandbars/DefaultBarTheme.h"

class CTKPNativeBarTheme : public CTKPDefaultBarTheme {
    DECLARE_DYNAMIC(CTKPNativeBarTheme)
public:
    CTKPNativeBarTheme();
    ~CTKPNativeBarTheme() override;

    void DrawSplitButtonFrame(CDC* pDC, CTKPControl* pButton, CRect rc) override;
    void DrawBarBackground(CDC* pDC, CTKPCommandBar* pBar) override;
    void DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
        BOOL bToolBar, int barPosition) override;
    CSize DrawCommandBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw) override;
    void AdjustExcludeRect(CRect& rc, CTKPControl* pControl, BOOL bVertical) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc) override;
    void DrawStatusBarGripper(CDC* pDC, CRect rcClient) override;
    void DrawDockBarBackground(CDC* pDC, CWnd* pWnd) override;
    void FillStatusBar(CDC* pDC, CWnd* pWnd) override;
    void RefreshColorsAndFonts() override;
    CSize DrawPopupBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw) override;
    int GetThemeKind() const override { return themeNative; }
    void DrawComboBoxFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected) override;
    void DrawComboBoxDropButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bDropped) override;

    // The status bar's pane border for a pane that holds the gripper.
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane);

    // An element is open when its handle holds visual-style data and the application is themed.
    static BOOL IsOpen(CTKPUxThemeWrapper& theme);

    // In member order: REBAR, TOOLBAR, COMBOBOX, STATUS.
    CTKPUxThemeWrapper m_themeRebar;
    CTKPUxThemeWrapper m_themeToolbar;
    CTKPUxThemeWrapper m_themeComboBox;
    CTKPUxThemeWrapper m_themeStatusBar;
    COLORREF m_clrRebarEdge;
    BOOL m_bFlatMenus;

protected:
    // The REBAR background over the parent's window rectangle, clipped to the bar's client area.
    void FillRebarBackground(CDC* pDC, CWnd* pWnd, CWnd* pPatternWnd);
};
