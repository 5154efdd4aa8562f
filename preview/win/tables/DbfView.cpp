#include "preview/win/tables/DbfView.h"

#include "classlib/win/COleVariant.h"
#include "preview/dbase/DbfReader.h"
#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"
#include "preview/win/host/PreviewSettings.h"

#include <vector>

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
END_MESSAGE_MAP()

CDBF_View::CDBF_View() : m_pList(NULL) {}

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
    m_pList->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
        CRect(0, 0, 0, 0), this, IDC_TABLE_LIST);
    m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    CPreviewDocument* doc = GetPreviewDocument();
    if (GetPreviewFrame() == NULL)
        return 0;
    ClearList(*m_pList);
    LoadTable(doc != NULL ? doc->m_strPreviewPath : CString(), *m_pList);
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

void CDBF_View::LoadTable(const CString& strPath, CListCtrl& list)
{
    CPreviewFrameState* frame = GetPreviewFrame();
    auto setShown = [&](int shown) {
        if (frame != NULL)
            frame->m_bPreviewShown = shown;
    };
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(strPath, bytes)) {
        setShown(0);
        return;
    }
    list.InsertColumn(0, L"Index", LVCFMT_LEFT, 100);
    setShown(1);
    morvick::DbfLayout layout = morvick::ReadDbfLayout(bytes.data(), bytes.size());
    if (layout.status == morvick::DbfStatus::kTooManyFields) {
        ClearList(list);
        setShown(0);
        return;
    }
    for (size_t f = 0; f < layout.fields.size(); ++f)
        list.InsertColumn(static_cast<int>(f + 1), AnsiText(layout.fields[f].name), LVCFMT_LEFT, 100);
    if (layout.status != morvick::DbfStatus::kOk && layout.status != morvick::DbfStatus::kNoRecordData) {
        setShown(0);
        return;
    }
    list.InsertItem(0, L"1");
    if (layout.status == morvick::DbfStatus::kNoRecordData) {
        setShown(0);
        return;
    }
    uint64_t records = morvick::DbfRecordCount(layout, bytes.size());
    uint64_t limit = PreviewSettings().m_nRecordLimit > 0 ? static_cast<uint64_t>(PreviewSettings().m_nRecordLimit) : 0;
    uint64_t shown = records < limit ? records : limit;
    list.SetRedraw(FALSE);
    for (uint64_t r = 0; r < shown; ++r) {
        int row = static_cast<int>(r);
        if (r > 0) {
            CString number;
            number.Format(L"%d", row + 1);
            list.InsertItem(row, number);
        }
        for (size_t f = 0; f < layout.fields.size(); ++f) {
            std::string field = morvick::DbfFieldBytes(bytes.data(), bytes.size(), layout, r, f);
            CString text;
            if (layout.fields[f].type == 'Y') {
                CURRENCY cy;
                cy.int64 = morvick::DbfCurrencyValue(field);
                text = COleCurrency(cy).Format(0, LOCALE_USER_DEFAULT);
            } else {
                text = AnsiText(morvick::DbfCellText(layout.fields[f].type, field));
            }
            list.SetItemText(row, static_cast<int>(f + 1), text);
        }
    }
    list.SetRedraw(TRUE);
    if (records > shown) {
        CString message;
        message.Format(L"Loaded %d of %d total records", static_cast<int>(shown), static_cast<int>(records));
        if (CFrameWnd* wnd = GetPreviewFrameWnd())
            wnd->SetMessageText(message);
    }
}
