// The drop-down list of a command-bar combo box: a popup bar whose window is a list box. It keeps
// the combo box's items (hidden between openings), opens below the combo box as many lines high as
// it has items (up to the combo box's maximum), selects the item under the pointer and accepts it
// on the release or on Enter.
#pragma once

#include "toolkit/commandbars/PopupBar.h"

class CTKPControlComboBox;

class CTKPControlComboBoxList : public CTKPPopupBar {
    DECLARE_SERIAL(CTKPControlComboBoxList)
public:
    CTKPControlComboBoxList();

    // The list's width; below 1 the combo box's width is taken.
    int GetListWidth() const { return m_nListWidth; }
    void SetListWidth(int nWidth) { m_nListWidth = nWidth; }
    // The hidden list window, made when missing (its owner is the command bars' site).
    BOOL CreateListWindow();
    // The combo box that opened the list while it is shown.
    CTKPControlComboBox* GetComboBox() const;
    // The size the list takes for the combo box: width by lines x item height + 4.
    CSize CalcListSize(CTKPControlComboBox* pComboBox);
    // Keys of the list: TRUE when the selection moved or the list took the key.
    BOOL ProcessListKey(CTKPControlComboBox* pComboBox, UINT nChar, LPARAM lParam, BOOL bEditable);

    BOOL Popup(CTKPControlPopup* pControlPopup, BOOL bSelectFirst = FALSE) override;
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override;
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    BOOL IsVisible() const override;
    void DoPropExchange(CTKPPropExchange* pPX) override;
    void Copy(CTKPCommandBar* pSource, BOOL bRecursive = FALSE) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

protected:
    // The item under a client point, or -1.
    int ItemFromPoint(CPoint point) const;

    int m_nListWidth;

    DECLARE_MESSAGE_MAP()
};
