#include "app/dialogs/FileTypesDlg.h"

#include "app/AppMessages.h"
#include "app/WizardState.h"
#include "engine/save/SaveState.h"
#include "engine/scan/ChosenSignatures.h"
#include "engine/state/FoundEntryLists.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CFileTypesDlg, CSkinnedDialog)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

const wchar_t CFileTypesDlg::kPromptText[] =
    L"What file types would you like to recover? [Please check file types] and click [Ok] to continue with "
    L"recovery.";
const wchar_t CFileTypesDlg::kNothingTickedText[] =
    L"Please select a file types and then \r\nclick [Next] to continue with recovery.";

namespace {

uint32_t g_lastChosenSize = 0;

}  // namespace

std::vector<uint32_t> CFileTypesDlg::SizeChoices()
{
    std::vector<uint32_t> sizes;
    for (uint32_t mib = 1; mib <= 20; ++mib)
        sizes.push_back(mib);
    for (uint32_t mib = 25; mib <= 50; mib += 5)
        sizes.push_back(mib);
    return sizes;
}

CFileTypesDlg::CFileTypesDlg(CWnd* parent) : CSkinnedDialog(IDD_FILE_TYPES, IDB_TYPES_SKIN, parent)
{
    m_boldFont.CreateFont(15, 0, 0, 0, FW_BOLD, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

bool CFileTypesDlg::IsUsableRecord(const SignatureRecord& record)
{
    if (record.extension.empty() || record.lengthText.empty() || record.lengthText.size() > 2)
        return false;
    uint32_t length = 0;
    for (char c : record.lengthText) {
        if (c < '0' || c > '9')
            return false;
        length = length * 10 + static_cast<uint32_t>(c - '0');
    }
    // Two hexadecimal characters per signature byte.
    return length >= 1 && length <= 15 && record.signatureHex.size() % 2 == 0 &&
        record.signatureHex.size() / 2 >= length;
}

std::vector<SignatureRecord> CFileTypesDlg::UsableRecords(const SignatureTable& table)
{
    std::vector<SignatureRecord> usable;
    for (const SignatureRecord& record : table.records) {
        if (IsUsableRecord(record))
            usable.push_back(record);
    }
    return usable;
}

std::u16string CFileTypesDlg::TablePath()
{
    return std::u16string(reinterpret_cast<const char16_t*>(g_szProgramFolder)) + kSignatureTableFileName;
}

uint32_t CFileTypesDlg::LastChosenSize()
{
    return g_lastChosenSize;
}

void CFileTypesDlg::ForgetChosenSize()
{
    g_lastChosenSize = 0;
}

BOOL CFileTypesDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    m_tree.SubclassDlgItem(IDC_TYPES_TREE, this);
    m_size.SubclassDlgItem(IDC_TYPES_SIZE, this);
    if (CWnd* prompt = GetDlgItem(IDC_TYPES_PROMPT)) {
        prompt->SetFont(&m_boldFont);
        prompt->SetWindowText(kPromptText);
    }
    if (CWnd* caption = GetDlgItem(IDC_TYPES_CAPTION))
        caption->SetFont(&m_boldFont);
    // The size shown is the size stored: the one chosen last, else the usual 2 MB.
    const uint32_t wanted = g_lastChosenSize != 0 ? g_lastChosenSize : kDefaultTraceSizeMiB;
    int selected = 0;
    const std::vector<uint32_t> sizes = SizeChoices();
    for (size_t i = 0; i < sizes.size(); ++i) {
        CString text;
        text.Format(L"%u MB", sizes[i]);
        const int at = m_size.AddString(text);
        m_size.SetItemData(at, sizes[i]);
        if (sizes[i] == wanted)
            selected = at;
    }
    m_size.SetCurSel(selected);
    m_tree.Init();
    m_records = UsableRecords(LoadSignatureTableFile(TablePath()));
    m_tree.Load(m_records);
    return TRUE;
}

HBRUSH CFileTypesDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC)
        return CSkinnedDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    return static_cast<HBRUSH>(GetSysColorBrush(COLOR_WINDOW));
}

bool CFileTypesDlg::Accept()
{
    const std::vector<std::u16string> ticked = m_tree.CheckedTypes();
    if (ticked.empty()) {
        ShowAppMessage(kNothingTickedText, kAppError);
        return false;
    }
    const int selected = m_size.GetCurSel();
    const uint32_t mib = selected >= 0 ? static_cast<uint32_t>(m_size.GetItemData(selected)) : kDefaultTraceSizeMiB;
    g_lastChosenSize = mib;
    g_nTraceSizeClass = mib;
    // The list is emptied first, not added to: a second choice after Back would still search for the
    // types the user has since unticked.
    FreeTraceTypeList();
    AppendChosenSignatures(g_TraceHits, m_records, ticked);
    return true;
}

void CFileTypesDlg::OnOK()
{
    if (Accept())
        CSkinnedDialog::OnOK();
}

bool CFileTypesDlg::ChooseSignatures(CWnd* owner)
{
    CFileTypesDlg dialog(owner);
    return dialog.DoModal() == IDOK && g_TraceHits.head != nullptr;
}
