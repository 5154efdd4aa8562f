// Command-bar theme 1: flat bars with single-line frames, controls highlighted as filled rectangles
// with a one-pixel border, popup menus with an icon column, icons faded, shadowed or tinted by
// state. The base of the gradient themes.
#pragma once

#include "toolkit/commandbars/CommandBarsTheme.h"

class CTKPFlatBarTheme : public CTKPCommandBarsTheme {
    DECLARE_DYNAMIC(CTKPFlatBarTheme)
public:
    CTKPFlatBarTheme();

    CSize DrawControlPopupParent(CDC* pDC, CTKPControl* pControl, BOOL bDraw) override;
    CSize DrawControlComboBox(CDC* pDC, CTKPControl* pComboBox, BOOL bDraw) override;
    CSize DrawControlEdit(CDC* pDC, CTKPControl* pEdit, BOOL bDraw) override;
    CSize DrawControlPopupListItem(CDC* pDC, CTKPControl* pButton, CRect rc, BOOL bSelected, LPCTSTR lpszCaption,
        CTKPCommandBars* pCommandBars) override;
    void DrawBarBackground(CDC* pDC, CTKPCommandBar* pBar) override;
    void DrawControlEntry(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, int nPressed, BOOL bChecked, BOOL bPopuped,
        int barPosition) override;
    void DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
        BOOL bToolBar, int barPosition) override;
    CSize DrawCommandBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw) override;
    CSize DrawControlSeparator(CDC* pDC, CTKPCommandBar* pBar, CTKPControl* pControl, BOOL bDraw) override;
    void AdjustExcludeRect(CRect& rc, CTKPControl* pControl, BOOL bVertical) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc) override;
    BOOL IsFlatDisabledText() const override { return TRUE; }
    CSize DrawPopupBarHandle(CDC* pDC, CRect rc, BOOL bHot, BOOL bDraw) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CTKPImageIcon* pImage, int nSelected, int nPressed, BOOL bEnabled,
        BOOL bChecked, BOOL bPopuped, BOOL bToolBar = TRUE) override;
    CSize DrawPopupBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw) override;
    int GetThemeKind() const override { return themeFlat; }
    // The icon column of a popup: colour 42 for rarely used items, else 30.
    virtual void FillPopupIconColumn(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded);

    // The icon column width of a popup bar (the check column doubled when it is separate), plus 1.
    int GetPopupIconColumnWidth(CTKPCommandBar* pBar) const;

protected:
    // The caption band of a floating bar (small caption font): its height, and its drawing.
    int GetFloatingCaptionHeight(CDC* pDC);
    CSize DrawFloatingCaption(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw, COLORREF clrFill);
    // A popup bar's frame, fill and icon column; where it overlaps the control that opened it,
    // that part in the given colour.
    void DrawPopupBarBackground(CDC* pDC, CTKPCommandBar* pBar, COLORREF clrOverlap);
    // The tear-off strip at the top of a popup and its handle around the centre (half-length at most
    // nMaxHalf; hot: border 32 and fill 31, else the given colour); the handle, empty when none fits.
    CRect FillPopupHandleStrip(CDC* pDC, CRect rc, int nMaxHalf, BOOL bHot, COLORREF clrHandle);
    // The label, field and button widths of edits and combo boxes.
    CSize DrawEditOrCombo(CDC* pDC, CTKPControl* pControl, BOOL bDraw, BOOL bCombo);
};
