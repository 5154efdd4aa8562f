#include "app/dialogs/PartitionTypeDlg.h"

#include "resource.h"

int CPartitionTypeDlg::g_nPartitionSearchChoice = 0;

CPartitionTypeDlg::CPartitionTypeDlg(CWnd* parent) : CSkinnedDialog(IDD_PARTITION_TYPE, IDB_DIALOG_SKIN, parent)
{
    UseCaptionColour();
}

BOOL CPartitionTypeDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    m_captionFont.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
    if (CWnd* caption = GetDlgItem(IDC_PARTITION_TYPE_CAPTION))
        caption->SetFont(&m_captionFont);
    if (CWnd* hidden = GetDlgItem(IDC_PARTITION_TYPE_BUTTON))
        hidden->ShowWindow(SW_HIDE);
    CheckRadioButton(IDC_USE_EXISTING_PARTITIONS, IDC_SEARCH_PARTITIONS, IDC_USE_EXISTING_PARTITIONS);
    return TRUE;
}

void CPartitionTypeDlg::OnOK()
{
    g_nPartitionSearchChoice = IsDlgButtonChecked(IDC_USE_EXISTING_PARTITIONS) ? 0 : 1;
    CSkinnedDialog::OnOK();
}
