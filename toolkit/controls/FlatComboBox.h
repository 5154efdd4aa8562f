// CTKFlatComboBox: a combo box with a flat frame that lights up under the cursor (drawn through a
// style of CTKFlatComboBoxThemeFactory after the control's own paint) and type-ahead completion of
// the typed text from the list.
#pragma once

#include "classlib/win/AfxCtrls.h"
#include "toolkit/controls/FlatComboBoxTheme.h"

class CTKFlatComboBox : public CComboBox, public CTKThemeStyleHolder {
    DECLARE_DYNAMIC(CTKFlatComboBox)
public:
    CTKFlatComboBox();

    using CWnd::GetStyle;
    CTKFlatComboBoxTheme* GetComboTheme() const
    {
        return static_cast<CTKFlatComboBoxTheme*>(CTKThemeStyleHolder::GetStyle());
    }

    // The cursor lies over the control's window.
    virtual BOOL IsCursorOver();
    // Paints the frame and the drop button over what the control painted.
    virtual void DrawCombo(CDC* pDC);
    // 3 while the list is open, 2 hot or focused, 1 otherwise.
    virtual int GetDrawState() const;

    void EnableAutoComplete(BOOL bEnable) { m_bAutoComplete = bEnable; }
    void SetFlat(BOOL bFlat);
    // (COLORREF)-1: the window colour.
    void SetBackColor(COLORREF clr);
    COLORREF GetBackColor() const { return m_clrBackground; }

    // One step of hot tracking (timer 1000 runs it every 10 ms while the cursor is over).
    void OnHotTrackTimer();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    BOOL m_bAutoComplete;
    BOOL m_bFlat;
    BOOL m_bSuppressCompletion;
    BOOL m_bHot;
    BOOL m_bFocus;
    COLORREF m_clrBackground;

protected:
    void Redraw();

    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnSetFocusReflect();
    afx_msg BOOL OnKillFocusReflect();
    afx_msg BOOL OnCloseUpReflect();
    afx_msg BOOL OnEditUpdateReflect();
    DECLARE_MESSAGE_MAP()
};
