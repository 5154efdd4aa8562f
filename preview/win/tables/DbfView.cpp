#include "preview/win/tables/DbfView.h"

#include "classlib/win/COleVariant.h"
#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"

#include <algorithm>
#include <climits>

namespace {

// Tables larger than this are not read (recovered files are at most a few megabytes).
constexpr ULONGLONG kMaxTableBytes = 256ull * 1024 * 1024;

CString AnsiText(const std::string& bytes)
{
    if (bytes.empty())
        return CString();
    int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), NULL, 0);
    std::wstring wide(n > 0 ? n : 0, L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], n);
    return CString(wide.c_str());
}

bool ReadWholeFile(const CString& path, std::vector<uint8_t>& bytes)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return false;
    try {
        ULONGLONG length = file.GetLength();
        if (length > kMaxTableBytes) {
            file.Abort();
            return false;
        }
        bytes.resize(static_cast<size_t>(length));
        UINT read = length > 0 ? file.Read(bytes.data(), static_cast<UINT>(length)) : 0;
        bytes.resize(read);
    } catch (CException* e) {
        e->Delete();
        file.Abort();
        return false;
    }
    file.Abort();
    return true;
}

void ClearList(CListCtrl& list)
{
    list.DeleteAllItems();
    CHeaderCtrl* header = list.GetHeaderCtrl();
    int columns = header != NULL ? header->GetItemCount() : 0;
    for (int i = 0; i < columns; ++i)
        list.DeleteColumn(0);
}

}  // namespace

IMPLEMENT_DYNCREATE(CDBF_View, CView)

BEGIN_MESSAGE_MAP(CDBF_View, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_NOTIFY(LVN_GETDISPINFOW, IDC_TABLE_LIST, OnGetDispInfo)
END_MESSAGE_MAP()

CDBF_View::CDBF_View() : m_pList(NULL), m_nRecords(0) {}

CDBF_View::~CDBF_View()
{
    delete m_pList;
}

void CDBF_View::OnDraw(CDC*) {}

int CDBF_View::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    m_pList = new CListCtrl;
    m_pList->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
        CRect(0, 0, 0, 0), this, IDC_TABLE_LIST);
    m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    CPreviewDocument* doc = GetPreviewDocument();
    if (GetPreviewFrame() == NULL)
        return 0;
    ClearList(*m_pList);
    LoadTable(doc != NULL ? doc->m_strPreviewPath : CString());
    return 0;
}

void CDBF_View::OnSize(UINT, int, int)
{
    Default();
    if (m_pList != NULL && ::IsWindow(m_pList->GetSafeHwnd())) {
        CRect client;
        GetClientRect(&client);
        m_pList->MoveWindow(client.left, client.top, client.Width(), client.Height(), TRUE);
    }
}

void CDBF_View::LoadTable(const CString& strPath)
{
    CPreviewFrameState* frame = GetPreviewFrame();
    auto setShown = [&](int shown) {
        if (frame != NULL)
            frame->m_bPreviewShown = shown;
    };
    m_table.clear();
    m_layout = morvick::DbfLayout();
    m_nRecords = 0;
    if (m_pList == NULL || !ReadWholeFile(strPath, m_table)) {
        setShown(0);
        return;
    }
    m_pList->InsertColumn(0, L"Index", LVCFMT_LEFT, 100);
    setShown(1);
    m_layout = morvick::ReadDbfLayout(m_table.data(), m_table.size());
    if (m_layout.status == morvick::DbfStatus::kTooManyFields) {
        ClearList(*m_pList);
        setShown(0);
        return;
    }
    for (size_t f = 0; f < m_layout.fields.size(); ++f)
        m_pList->InsertColumn(static_cast<int>(f + 1), AnsiText(m_layout.fields[f].name), LVCFMT_LEFT, 100);
    if (m_layout.status != morvick::DbfStatus::kOk && m_layout.status != morvick::DbfStatus::kNoRecordData) {
        setShown(0);
        return;
    }
    // The first row is there even without records (empty cells); no record data at all is a failure.
    m_nRecords = morvick::DbfRecordCount(m_layout, m_table.size());
    const uint64_t rows = std::max<uint64_t>(std::min<uint64_t>(m_nRecords, INT_MAX), 1);
    m_pList->SetItemCountEx(static_cast<int>(rows), LVSICF_NOINVALIDATEALL);
    if (m_layout.status == morvick::DbfStatus::kNoRecordData)
        setShown(0);
}

CString CDBF_View::CellText(int nRow, int nColumn) const
{
    if (nRow < 0 || nColumn < 0)
        return CString();
    if (nColumn == 0) {
        CString number;
        number.Format(L"%d", nRow + 1);
        return number;
    }
    const size_t field = static_cast<size_t>(nColumn - 1);
    if (static_cast<uint64_t>(nRow) >= m_nRecords || field >= m_layout.fields.size())
        return CString();
    std::string bytes = morvick::DbfFieldBytes(m_table.data(), m_table.size(), m_layout, nRow, field);
    if (m_layout.fields[field].type == 'Y') {
        // All eight bytes in ten-thousandths: the first four with four digits cut off give wrong amounts, no fraction.
        CURRENCY cy;
        cy.int64 = morvick::DbfCurrencyValue(bytes);
        return COleCurrency(cy).Format(0, LOCALE_USER_DEFAULT);
    }
    return AnsiText(morvick::DbfCellText(m_layout.fields[field].type, bytes));
}

void CDBF_View::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR)->item;
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != NULL && item.cchTextMax > 0)
        ::lstrcpynW(item.pszText, CellText(item.iItem, item.iSubItem), item.cchTextMax);
    *pResult = 0;
}
