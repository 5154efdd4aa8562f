// The edit window of a command-bar edit or combo-box control: it points back to its control (through
// the small owner interface both controls implement) and reports focus, text changes and its end;
// it forwards mouse moves to the bar, lets customisation have its clicks and shows the bar's
// context menu on the right button.
#pragma once

#include "toolkit/commandbars/CommandBarEdit.h"

class CTKPEditAutoComplete;

// What the edit window asks of its control.
class CTKPEditWindowOwner {
public:
    virtual ~CTKPEditWindowOwner() {}
    virtual CTKPControl* GetOwnerControl() = 0;
    virtual void OnEditFocus(BOOL bFocused) = 0;
    virtual void OnEditTextChanged() = 0;
    // The window is going: its text is to be kept.
    virtual void OnEditDestroying(const CString& strText) = 0;
    // The right button is about to show the context menu (a combo box closes its list first).
    virtual void OnEditContextMenu() {}
    // The shell's suggestions appeared.
    virtual void OnAutoCompleteShown() {}
};

class CTKPControlEditWnd : public CTKPEdit {
    DECLARE_DYNAMIC(CTKPControlEditWnd)
public:
    explicit CTKPControlEditWnd(CTKPEditWindowOwner* pOwner = NULL);

    CTKPEditWindowOwner* GetOwner() const { return m_pOwner; }
    // Sets the window text without reporting it as typed.
    void SetTextQuietly(LPCTSTR lpszText);
    BOOL IsSettingText() const { return m_bSettingText; }

    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnToolTipTransparent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAutoCompleteShown(WPARAM wParam, LPARAM lParam);
    afx_msg void OnChange();

protected:
    // The point in the control's bar's client coordinates.
    CPoint ToBar(CPoint point) const;

    CTKPEditWindowOwner* m_pOwner;
    BOOL m_bSettingText;

    DECLARE_MESSAGE_MAP()
};
