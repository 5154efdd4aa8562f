// CRecoverySettingsDlg: "Recovery Settings" (dialog 206): sectors read at a time, retries on a bad
// sector, what a duplicate name does and which deleted files are saved. The values live in memory
// only (the engine's recovery settings); OK stores them, Cancel leaves them.
#pragma once

#include "app/dialogs/SkinnedDialog.h"

class CRecoverySettingsDlg : public CSkinnedDialog {
public:
    explicit CRecoverySettingsDlg(CWnd* parent);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    DECLARE_MESSAGE_MAP()

private:
    CFont m_captionFont;
    CComboBox m_sectors;
    CComboBox m_retries;
};
