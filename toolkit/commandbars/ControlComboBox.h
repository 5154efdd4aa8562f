// The combo-box control of command bars (type 5): a drop-down list (its own popup bar, a list box)
// and, in the editable style, an edit window over the edit area. The edit text completes to the
// first list item it starts, a grey hint shows in an empty unfocused box, and Escape brings back
// the selection and text of the moment it gained the focus. It notifies 1 selection changed,
// 3 focus gained, 4 focus lost, 5 edit text changed, 7 list shown, 8 list hidden, 9 selection
// accepted and 10 selection cancelled.
#pragma once

#include "toolkit/commandbars/ControlEditPart.h"
#include "toolkit/commandbars/ControlPopup.h"

class CTKPControlComboBoxList;

enum {
    TKPN_COMBO_SELCHANGE = 1,
    TKPN_COMBO_SETFOCUS = 3,
    TKPN_COMBO_KILLFOCUS = 4,
    TKPN_COMBO_EDITCHANGE = 5,
    TKPN_COMBO_DROPDOWN = 7,
    TKPN_COMBO_CLOSEUP = 8,
    TKPN_COMBO_SELENDOK = 9,
    TKPN_COMBO_SELENDCANCEL = 10,
};

class CTKPControlComboBox : public CTKPControlPopup, public CTKPEditWindowOwner {
    DECLARE_SERIAL(CTKPControlComboBox)
public:
    CTKPControlComboBox();
    ~CTKPControlComboBox() override;

    // --- Text and hint ---------------------------------------------------------------------------
    // The edit text (editable style), else the selected item's text; never the hint.
    CString GetEditText() const;
    void SetEditText(LPCTSTR lpszText);
    CString GetEditHint() const { return m_edit.GetHint(); }
    void SetEditHint(LPCTSTR lpszHint);
    BOOL IsHintShown() const { return m_edit.IsHintShown(); }

    // --- Style -----------------------------------------------------------------------------------
    // TRUE: a drop-down with an edit box; FALSE: a drop-down list.
    void SetDropDownListStyle(BOOL bEditable = TRUE);
    BOOL GetDropDownListStyle() const { return m_bEditable; }
    void EnableAutoComplete(BOOL bEnable = TRUE) { m_bAutoComplete = bEnable; }
    BOOL IsAutoCompleteEnabled() const { return m_bAutoComplete; }
    void EnableShellAutoComplete(DWORD dwFlags) { m_edit.EnableShellAutoComplete(dwFlags); }
    DWORD GetShellAutoCompleteFlags() const { return m_edit.GetShellAutoCompleteFlags(); }
    // The shell's auto-completion while it is attached to the edit window, else null.
    CTKPEditAutoComplete* GetShellAutoComplete() const { return m_edit.GetAutoComplete(); }
    int GetWidth() const { return m_nWidth; }
    void SetWidth(int nWidth) override;
    BOOL GetShowLabel() const { return m_bLabel; }
    void SetShowLabel(BOOL bShow);
    int GetEditIconId() const { return m_nEditIconId; }
    void SetEditIconId(int nId);
    int GetMaxVisibleItems() const { return m_nMaxVisibleItems; }
    void SetMaxVisibleItems(int nCount) { m_nMaxVisibleItems = nCount; }
    int GetLabelWidth() const { return m_nLabelWidth; }
    int GetDropButtonWidth() const { return m_nDropButtonWidth; }

    // --- The list --------------------------------------------------------------------------------
    CTKPControlComboBoxList* GetListBar() const { return m_pListBar; }
    int AddString(LPCTSTR lpszItem);
    int InsertString(int nIndex, LPCTSTR lpszItem);
    int DeleteItem(int nIndex);
    void ResetContent();
    int GetCount() const;
    CString GetItemText(int nIndex) const;
    int GetCurSel() const;
    // Selects the item (-1 none) and shows its text in the box.
    void SetCurSel(int nIndex);
    // The selected item's text, empty when none.
    CString GetListText() const;
    BOOL IsDroppedDown() const;
    void ShowDropDown(BOOL bShow);
    CTKPControlEditWnd* GetEditWindow() const { return m_edit.GetWindow(); }

    // --- What the list tells its combo box ------------------------------------------------------
    void OnListShown();
    void OnListHidden();
    // The user picked an item (release or Enter): it becomes the text and the control executes.
    void OnListAccepted();
    // The list's selection moved by the keyboard or the mouse.
    void OnListSelChanged();

    // --- Overrides of the control ----------------------------------------------------------------
    CTKPCommandBar* GetCommandBar() override { return NULL; }
    void SetFocused(BOOL bFocused) override;
    BOOL IsFocused() const override { return m_bFocused; }
    BOOL IsFocusable() const override { return m_edit.HasWindow(); }
    void SetRect(CRect rcControl) override;
    void SetParent(CTKPCommandBar* pParent) override;
    void SetHideFlags(DWORD dwFlags) override;
    void SetEnabled(BOOL bEnabled) override;
    BOOL SetSelected(int nSelected) override;
    BOOL OnSetPopup(BOOL bPopup) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint(0, 0)) override;
    void OnLButtonUp(CPoint point) override {}
    BOOL OnLButtonDblClk(CPoint point) override;
    void OnMouseHover() override {}
    void OnCalcDynamicSize(DWORD dwMode) override;
    int OnHookKeyDown(UINT nChar, LPARAM lParam) override;
    void Copy(CTKPControl* pSource, BOOL bRecursive = FALSE) override;
    BOOL Compare(CTKPControl* pOther) override;
    void DoPropExchange(CTKPPropExchange* pPX) override;
    BOOL IsCustomizeResizeAllow() const override { return TRUE; }
    int GetCustomizeMinWidth() const override { return m_nLabelWidth + m_nDropButtonWidth + 20; }
    int GetEditWidth() const override { return m_nWidth; }
    int GetLabelSetting() const override { return m_bLabel; }
    void SetMeasuredWidths(int nLabelWidth, int nButtonWidth) override;
    void DrawEditAreaText(CDC* pDC, CRect rcText) override;

    // --- The edit window's reports ---------------------------------------------------------------
    CTKPControl* GetOwnerControl() override { return this; }
    void OnEditFocus(BOOL bFocused) override;
    void OnEditTextChanged() override;
    void OnEditDestroying(const CString& strText) override;
    void OnEditContextMenu() override { ShowDropDown(FALSE); }
    void OnAutoCompleteShown() override;

protected:
    void LayoutEditWindow(BOOL bForce);
    // The completion of the edit text from the list, then the list's selection following the text.
    void CompleteFromList();
    // The list's selection moved by a key: the box shows the item's text, fully selected.
    void TakeSelectionText();

    CTKPControlComboBoxList* m_pListBar;
    CTKPControlEditPart m_edit;
    BOOL m_bEditable;
    BOOL m_bLabel;
    int m_nWidth;
    int m_nSavedSel;
    CString m_strSavedText;
    BOOL m_bLabelChanged;
    int m_nLabelWidth;
    int m_nDropButtonWidth;
    BOOL m_bAutoComplete;
    BOOL m_bAutoCompleteSuppressed;
    BOOL m_bFocused;
    int m_nEditIconId;
    BOOL m_bSelEnded;
    int m_nMaxVisibleItems;
    int m_nCachedSel;
    BOOL m_bListSuspended;  // this control raised the mouse tracker's suspension while its list shows
    BOOL m_bTyping;         // the list closes under the user's typing: the box keeps the keyboard
};
