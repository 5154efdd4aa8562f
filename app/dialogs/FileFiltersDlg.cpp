#include "app/dialogs/FileFiltersDlg.h"

#include "app/EngineText.h"

#include "app/AppMessages.h"
#include "engine/save/FileFilters.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CFileFiltersDlg, CSkinnedDialog)
ON_BN_CLICKED(IDC_FILTER_REMOVE, OnRemove)
ON_WM_PAINT()
END_MESSAGE_MAP()

const wchar_t CFileFiltersDlg::kTooManyText[] = L"      You cannot add more Filters     ";
const wchar_t CFileFiltersDlg::kTooLongText[] = L"      Filter too long     ";
const wchar_t CFileFiltersDlg::kBlankText[] = L"      You can not add a blank entry.     ";
const wchar_t CFileFiltersDlg::kExistsText[] = L"      Filter already exists in the list     ";

namespace {

constexpr int kMaxCount = 99;     // the next "&Add" is refused once there are this many
constexpr int kMaxLength = 19;    // characters of one filter

}  // namespace

CFileFiltersDlg::CFileFiltersDlg(CWnd* parent) : CSkinnedDialog(IDD_FILE_FILTERS, IDB_FILTERS_SKIN, parent) {}

BOOL CFileFiltersDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    m_list.SubclassDlgItem(IDC_FILTER_LIST, this);
    m_edit.SubclassDlgItem(IDC_FILTER_EDIT, this);
    for (const std::u16string& filter : ActiveFileFilters())
        m_list.AddString(ToCString(filter));
    m_nCount = m_list.GetCount();
    m_edit.SetFocus();
    return FALSE;  // the focus is set
}

bool CFileFiltersDlg::AddFilter()
{
    if (m_nCount >= kMaxCount) {
        ShowAppMessage(kTooManyText, kAppError);
        return false;
    }
    CString text;
    m_edit.GetWindowText(text);
    if (text.GetLength() > kMaxLength) {
        ShowAppMessage(kTooLongText, kAppError);
        m_edit.SetSel(0, kMaxLength);
        m_edit.SetFocus();
        return false;
    }
    if (text.IsEmpty()) {
        ShowAppMessage(kBlankText, kAppError);
        m_edit.SetFocus();
        return false;
    }
    for (int i = 0; i < m_list.GetCount(); ++i) {
        CString existing;
        m_list.GetText(i, existing);
        if (existing == text) {
            ShowAppMessage(kExistsText, kAppError);
            m_edit.SetSel(0, -1);
            m_edit.SetFocus();
            return false;
        }
    }
    m_list.AddString(text);
    ++m_nCount;
    m_edit.SetWindowText(L"");
    m_edit.SetFocus();
    return true;
}

void CFileFiltersDlg::RemoveSelected()
{
    const int selected = m_list.GetCurSel();
    if (selected < 0)
        return;
    m_list.DeleteString(selected);
    --m_nCount;
}

void CFileFiltersDlg::StoreFilters()
{
    ClearFileFilters();
    for (int i = 0; i < m_list.GetCount(); ++i) {
        CString text;
        m_list.GetText(i, text);
        AddFileFilter(std::u16string(reinterpret_cast<const char16_t*>(text.GetString()), text.GetLength()));
    }
}

void CFileFiltersDlg::OnOK()
{
    AddFilter();
}

void CFileFiltersDlg::OnCancel()
{
    StoreFilters();
    CSkinnedDialog::OnCancel();
}

void CFileFiltersDlg::OnRemove()
{
    RemoveSelected();
}

void CFileFiltersDlg::OnPaint()
{
    CPaintDC dc(this);
    // The edit box and the list box are framed in the caption colour.
    CPen pen(PS_SOLID, 1, kTextColour);
    CPen* old = dc.SelectObject(&pen);
    dc.SelectStockObject(NULL_BRUSH);
    for (CWnd* control : {static_cast<CWnd*>(&m_edit), static_cast<CWnd*>(&m_list)}) {
        if (control->GetSafeHwnd() == nullptr)
            continue;
        CRect rect;
        control->GetWindowRect(&rect);
        ScreenToClient(&rect);
        rect.InflateRect(1, 1);
        dc.Rectangle(&rect);
    }
    dc.SelectObject(old);
}
