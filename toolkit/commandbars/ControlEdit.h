// The edit control of command bars (type 6): an edit window over the control's edit area, with an
// optional label, a grey hint shown while the box is empty and unfocused, read-only mode and the
// shell's auto-completion. It sends 0x100 when it gains the focus, 0x200 when it loses it and 0x300
// when its text changes; Escape restores the text it had when it gained the focus.
#pragma once

#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/ControlEditPart.h"

// Notification codes of the edit control.
enum { TKPN_EDIT_SETFOCUS = 0x100, TKPN_EDIT_KILLFOCUS = 0x200, TKPN_EDIT_CHANGE = 0x300 };

class CTKPControlEdit : public CTKPControl, public CTKPEditWindowOwner {
    DECLARE_SERIAL(CTKPControlEdit)
public:
    CTKPControlEdit();
    ~CTKPControlEdit() override;

    // The text without the hint (empty while the hint shows).
    CString GetEditText() const { return m_edit.GetText(); }
    // An empty text shows the hint (when the box is not focused).
    void SetEditText(LPCTSTR lpszText);
    CString GetEditHint() const { return m_edit.GetHint(); }
    void SetEditHint(LPCTSTR lpszHint);
    BOOL IsHintShown() const { return m_edit.IsHintShown(); }
    BOOL GetReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(BOOL bReadOnly);
    void EnableShellAutoComplete(DWORD dwFlags) { m_edit.EnableShellAutoComplete(dwFlags); }
    DWORD GetShellAutoCompleteFlags() const { return m_edit.GetShellAutoCompleteFlags(); }
    int GetWidth() const { return m_nWidth; }
    void SetWidth(int nWidth) override;
    BOOL GetShowLabel() const { return m_bLabel; }
    void SetShowLabel(BOOL bShow);
    int GetLabelWidth() const { return m_nLabelWidth; }
    CTKPControlEditWnd* GetEditWindow() const { return m_edit.GetWindow(); }

    // --- Overrides of the control ----------------------------------------------------------------
    void SetFocused(BOOL bFocused) override;
    BOOL IsFocused() const override { return m_bFocused; }
    BOOL IsFocusable() const override { return m_edit.HasWindow(); }
    void SetRect(CRect rcControl) override;
    void SetParent(CTKPCommandBar* pParent) override;
    void SetHideFlags(DWORD dwFlags) override;
    void SetEnabled(BOOL bEnabled) override;
    BOOL SetSelected(int nSelected) override;
    void OnCalcDynamicSize(DWORD dwMode) override;
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    void Copy(CTKPControl* pSource, BOOL bRecursive = FALSE) override;
    BOOL Compare(CTKPControl* pOther) override;
    void DoPropExchange(CTKPPropExchange* pPX) override;
    BOOL IsCustomizeResizeAllow() const override { return TRUE; }
    int GetCustomizeMinWidth() const override { return m_nLabelWidth + 20; }
    int GetEditWidth() const override { return m_nWidth; }
    int GetLabelSetting() const override { return m_bLabel; }
    void SetMeasuredWidths(int nLabelWidth, int nButtonWidth) override;

    // --- The edit window's reports ---------------------------------------------------------------
    CTKPControl* GetOwnerControl() override { return this; }
    void OnEditFocus(BOOL bFocused) override;
    void OnEditTextChanged() override;
    void OnEditDestroying(const CString& strText) override;

protected:
    // Creates, places, shows or hides the edit window for the control's rectangle.
    void LayoutEditWindow(BOOL bForce);

    CTKPControlEditPart m_edit;
    int m_nWidth;
    BOOL m_bLabel;
    BOOL m_bReadOnly;
    int m_nLabelWidth;
    BOOL m_bLabelChanged;
    BOOL m_bFocused;
    CString m_strSavedText;
};
