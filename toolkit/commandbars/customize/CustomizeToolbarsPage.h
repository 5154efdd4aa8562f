// The Toolbars page of the customise sheet: every bar with a check for its visibility, and New,
// Rename, Delete (user toolbars) and Reset (built-in toolbars).
#pragma once

#include "classlib/win/CCheckListBox.h"
#include "classlib/win/CPropertyPage.h"
#include "toolkit/commandbars/CommandBarsDefs.h"

class CTKPCustomizeSheet;

class CTKPCustomizeToolbarsPage : public CPropertyPage {
    DECLARE_DYNCREATE(CTKPCustomizeToolbarsPage)
public:
    CTKPCustomizeToolbarsPage();

    void SetSheet(CTKPCustomizeSheet* pSheet) { m_pSheet = pSheet; }
    CCheckListBox& GetList() { return m_wndList; }
    // Lists the bars again, keeping the selected bar and the scroll position.
    void RefreshList();
    void UpdateButtons();
    // The bar of the selected entry, or null.
    CTKPCommandBar* GetSelectedBar() const;
    // The user changed the check of an entry.
    void OnCheckChange(int nIndex);

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnNewToolbar();
    afx_msg void OnRenameToolbar();
    afx_msg void OnDeleteToolbar();
    afx_msg void OnResetToolbar();
    afx_msg void OnSelChange();

protected:
    CTKPCommandBars* GetCommandBars() const;
    CTKPCustomizeSheet* m_pSheet;
    CCheckListBox m_wndList;

    DECLARE_MESSAGE_MAP()
};
