// CDriveInfoDlg: "Drive Information" (dialog 194): the file system being browsed, its start, the
// folders and files found, the cluster size, the FAT copies or the MFT.
#pragma once

#include "app/dialogs/SkinnedDialog.h"

class CDriveInfoDlg : public CSkinnedDialog {
public:
    static constexpr int kRows = 8;

    explicit CDriveInfoDlg(CWnd* parent);

    // The values of the rows from the engine's words and lists, as the dialog shows them.
    static void ComputeValues(CString values[kRows]);

protected:
    BOOL OnInitDialog() override;

private:
    CFont m_captionFont;
};
