// CFileFiltersDlg: "File Filters" (dialog 209). The name patterns the result list and the save keep
// to: added one by one (at most 99, each up to 19 characters, none twice), removed, and stored in
// the engine's filter table when the dialog closes.
#pragma once

#include "app/dialogs/SkinnedDialog.h"

class CFileFiltersDlg : public CSkinnedDialog {
public:
    static const wchar_t kTooManyText[];
    static const wchar_t kTooLongText[];
    static const wchar_t kBlankText[];
    static const wchar_t kExistsText[];

    explicit CFileFiltersDlg(CWnd* parent);

    // "&Add" with the edit box's text; false (with its message) when it is refused.
    bool AddFilter();
    void RemoveSelected();
    // "&Close": the list into the engine's table.
    void StoreFilters();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;      // "&Add" (the default button)
    void OnCancel() override;  // "&Close"
    afx_msg void OnRemove();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CListBox m_list;
    CEdit m_edit;
    int m_nCount = 0;
};
