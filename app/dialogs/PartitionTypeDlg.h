// CPartitionTypeDlg: asks, before the partition search, whether the disk's own partition table is
// to be used or the disk searched for partitions.
#pragma once

#include "app/dialogs/SkinnedDialog.h"

class CPartitionTypeDlg : public CSkinnedDialog {
public:
    // The answer: 0 use the existing partition information, 1 search for partitions.
    static int g_nPartitionSearchChoice;

    explicit CPartitionTypeDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    CFont m_captionFont;
};
