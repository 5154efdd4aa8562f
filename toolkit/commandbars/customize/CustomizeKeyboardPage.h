// The Keyboard page of the customise sheet: the shortcut keys of the commands of a category, read
// from and written to the command bars' working accelerator table.
#pragma once

#include "classlib/win/CComboBox.h"
#include "classlib/win/CEdit.h"
#include "classlib/win/CListBox.h"
#include "classlib/win/CPropertyPage.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPCustomizeSheet;

// An edit that takes a key press with its modifiers as a shortcut and shows its text.
class CTKPCustomizeShortcutEdit : public CEdit {
public:
    CTKPCustomizeShortcutEdit() : m_pKeyBindings(NULL), m_bValid(FALSE) { m_accel = ACCEL(); }
    // Takes the key (with the modifiers now held); TRUE when it makes a shortcut.
    BOOL SetKey(UINT nKey, BOOL bCtrl, BOOL bShift, BOOL bAlt);
    void Clear();
    BOOL IsValid() const { return m_bValid; }
    ACCEL GetAccel() const { return m_accel; }
    CTKPKeyBindings* m_pKeyBindings;
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();

protected:
    ACCEL m_accel;
    BOOL m_bValid;
    DECLARE_MESSAGE_MAP()
};

class CTKPCustomizeKeyboardPage : public CPropertyPage {
    DECLARE_DYNAMIC(CTKPCustomizeKeyboardPage)
public:
    CTKPCustomizeKeyboardPage();

    void SetSheet(CTKPCustomizeSheet* pSheet) { m_pSheet = pSheet; }
    CTKPCustomizeShortcutEdit& GetShortcutEdit() { return m_wndShortcut; }
    CListBox& GetCommandList() { return m_wndCommands; }
    CListBox& GetKeyList() { return m_wndKeys; }
    CComboBox& GetCategoryCombo() { return m_wndCategory; }

    void FillCommands();
    void FillKeys();
    void UpdateButtons();

    BOOL OnInitDialog() override;
    afx_msg void OnCategoryChange();
    afx_msg void OnCommandChange();
    afx_msg void OnKeyChange();
    afx_msg void OnShortcutChange();
    afx_msg void OnAssign();
    afx_msg void OnRemove();
    afx_msg void OnResetAll();

protected:
    CTKPCommandBars* GetCommandBars() const;
    CTKPControl* GetSelectedCommand() const;
    CTKPCustomizeSheet* m_pSheet;
    CComboBox m_wndCategory;
    CListBox m_wndCommands;
    CListBox m_wndKeys;
    CTKPCustomizeShortcutEdit m_wndShortcut;

    DECLARE_MESSAGE_MAP()
};
