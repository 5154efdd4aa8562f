#include "app/dialogs/RecoverySettingsDlg.h"

#include "engine/state/RecoverySettings.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CRecoverySettingsDlg, CSkinnedDialog)
END_MESSAGE_MAP()

namespace {

const UINT kCaptions[] = {IDC_SETTINGS_TITLE, IDC_SETTINGS_CAPTION_1, IDC_SETTINGS_CAPTION_2, IDC_SETTINGS_CAPTION_3,
    IDC_SETTINGS_CAPTION_4};
const UINT kDuplicateButtons[] = {IDC_DUPLICATE_RENAME, IDC_DUPLICATE_OVERWRITE, IDC_DUPLICATE_SKIP};
const UINT kDeletedButtons[] = {IDC_DELETED_INCLUDE, IDC_DELETED_ONLY, IDC_DELETED_EXCLUDE};

void FillNumbers(CComboBox& box, int last)
{
    for (int n = 1; n <= last; ++n) {
        CString text;
        text.Format(L"%d", n);
        box.AddString(text);
    }
}

}  // namespace

CRecoverySettingsDlg::CRecoverySettingsDlg(CWnd* parent) : CSkinnedDialog(IDD_RECOVERY_SETTINGS, IDB_TYPES_SKIN, parent)
{
    UseCaptionColour();
    m_captionFont.CreateFont(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

BOOL CRecoverySettingsDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    m_sectors.SubclassDlgItem(IDC_SECTORS_PER_READ, this);
    m_retries.SubclassDlgItem(IDC_READ_RETRIES, this);
    FillNumbers(m_sectors, 100);
    FillNumbers(m_retries, 10);
    const uint32_t sectors = g_nSectorsPerRead >= 1 && g_nSectorsPerRead <= 100 ? g_nSectorsPerRead : 60;
    const uint16_t retries = g_wReadRetries >= 1 && g_wReadRetries <= 10 ? g_wReadRetries : 3;
    m_sectors.SetCurSel(static_cast<int>(sectors) - 1);
    m_retries.SetCurSel(retries - 1);
    const int duplicate =
        g_wDuplicateNames >= 1 && g_wDuplicateNames <= 3 ? g_wDuplicateNames : static_cast<int>(kDuplicateRename);
    const int deleted =
        g_wDeletedFiles >= 1 && g_wDeletedFiles <= 3 ? g_wDeletedFiles : static_cast<int>(kDeletedInclude);
    CheckRadioButton(IDC_DUPLICATE_RENAME, IDC_DUPLICATE_SKIP, kDuplicateButtons[duplicate - 1]);
    CheckRadioButton(IDC_DELETED_INCLUDE, IDC_DELETED_EXCLUDE, kDeletedButtons[deleted - 1]);
    for (UINT id : kCaptions) {
        if (CWnd* caption = GetDlgItem(id))
            caption->SetFont(&m_captionFont);
    }
    return TRUE;
}

void CRecoverySettingsDlg::OnOK()
{
    if (m_sectors.GetCurSel() >= 0)
        g_nSectorsPerRead = static_cast<uint32_t>(m_sectors.GetCurSel() + 1);
    if (m_retries.GetCurSel() >= 0)
        g_wReadRetries = static_cast<uint16_t>(m_retries.GetCurSel() + 1);
    for (int i = 0; i < 3; ++i) {
        if (IsDlgButtonChecked(kDuplicateButtons[i]))
            g_wDuplicateNames = static_cast<uint16_t>(i + 1);
        if (IsDlgButtonChecked(kDeletedButtons[i]))
            g_wDeletedFiles = static_cast<uint16_t>(i + 1);
    }
    CSkinnedDialog::OnOK();
}
