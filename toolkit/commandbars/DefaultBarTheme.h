// Command-bar theme 0, the one every other theme falls back on: the classic three-dimensional look
// of raised and sunken two-colour frames, a dithered face for checked buttons, embossed disabled
// text and icons, and popup menus with a check column and an icon column.
#pragma once

#include "toolkit/commandbars/CommandBarsTheme.h"

class CTKPDefaultBarTheme : public CTKPCommandBarsTheme {
    DECLARE_DYNAMIC(CTKPDefaultBarTheme)
public:
    CTKPDefaultBarTheme();

    CSize DrawControlPopupParent(CDC* pDC, CTKPControl* pControl, BOOL bDraw) override;
    CSize DrawControlToolBarParent(CDC* pDC, CTKPControl* pControl, BOOL bDraw) override;
    void DrawSplitButtonFrame(CDC* pDC, CTKPControl* pButton, CRect rc) override;
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
    void GetBarBorders(CRect& rcBorders, CTKPCommandBar* pBar) override;
    CSize DrawPopupBarHandle(CDC* pDC, CRect rc, BOOL bHot, BOOL bDraw) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CTKPImageIcon* pImage, int nSelected, int nPressed, BOOL bEnabled,
        BOOL bChecked, BOOL bPopuped, BOOL bToolBar = TRUE) override;
    CSize DrawPopupBarGripper(CDC* pDC, CTKPCommandBar* pBar, BOOL bDraw) override;
    int GetThemeKind() const override { return themeDefault; }

    // The frame of an edit or combo-box field.
    virtual void DrawComboBoxFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected);
    // The drop-down button of a combo box.
    virtual void DrawComboBoxDropButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bDropped);
    // One line of control text, vertically centred; a disabled, unselected text is embossed. Without
    // bDraw only measures. Returns the text's size.
    virtual CSize DrawControlTextLine(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw,
        int nSelected, BOOL bEnabled);

    // The one-pixel checkerboard of colours 15 and 20 that fills a checked button.
    void FillCheckedPattern(CDC* pDC, CRect rc);
    // Sunken (16/20) and raised (20/16) frames.
    void DrawSunkenFrame(CDC* pDC, CRect rc) { Draw3dRectangle(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT); }
    void DrawRaisedFrame(CDC* pDC, CRect rc) { Draw3dRectangle(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW); }

    BOOL m_bSelectionFill;  // a selected popup item is filled with colour 13 and gets no frames
    int m_nPopupTextColor;  // text colour of enabled, unselected popup items (18)

protected:
    // The icon size, row height and column width of a popup's items.
    void GetPopupMetrics(CTKPCommandBar* pBar, CSize& szIcon, int& nRowHeight, int& nColumn) const;
    // Whether captions show their mnemonic underlines in the bar.
    BOOL AreCuesVisible(CTKPCommandBar* pBar) const;
    // Strips '&' markers when cues are hidden and returns the DrawText flag that goes with it.
    UINT PrepareCaption(CString& strCaption, BOOL bCues) const;
    // The shared body of edit and combo-box controls.
    CSize DrawEditOrCombo(CDC* pDC, CTKPControl* pControl, BOOL bDraw, BOOL bCombo);
    // Whether a popup item shows its icon by its style and kind.
    static BOOL ShowsPopupIcon(CTKPControl* pControl);
};
