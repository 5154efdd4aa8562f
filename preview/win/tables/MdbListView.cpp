#include "preview/win/tables/MdbListView.h"

#include "classlib/win/AfxMessageLog.h"
#include "preview/win/host/AccessDatabase.h"
#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"
#include "preview/win/host/PreviewSettings.h"

namespace {

const wchar_t* TypeName(VARTYPE type)
{
    switch (type) {
    case VT_EMPTY:
        return L"VT_EMPTY";
    case VT_NULL:
        return L"VT_NULL";
    case VT_I2:
        return L"VT_I2";
    case VT_I4:
        return L"VT_I4";
    case VT_R4:
        return L"VT_R4";
    case VT_R8:
        return L"VT_R8";
    case VT_CY:
        return L"VT_CY";
    case VT_DATE:
        return L"VT_DATE";
    case VT_BSTR:
        return L"VT_BSTR";
    case VT_BOOL:
        return L"VT_BOOL";
    case VT_UI1:
        return L"VT_UI1";
    case VT_DISPATCH:
        return L"VT_DISPATCH";
    case VT_ERROR:
        return L"VT_ERROR";
    case VT_VARIANT:
        return L"VT_VARIANT";
    case VT_UNKNOWN:
        return L"VT_UNKNOWN";
    case VT_I1:
        return L"VT_I1";
    case VT_UI2:
        return L"VT_UI2";
    case VT_UI4:
        return L"VT_UI4";
    case VT_I8:
        return L"VT_I8";
    case VT_UI8:
        return L"VT_UI8";
    case VT_INT:
        return L"VT_INT";
    case VT_UINT:
        return L"VT_UINT";
    case VT_VOID:
        return L"VT_VOID";
    case VT_HRESULT:
        return L"VT_HRESULT";
    case VT_PTR:
        return L"VT_PTR";
    case VT_SAFEARRAY:
        return L"VT_SAFEARRAY";
    case VT_CARRAY:
        return L"VT_CARRAY";
    case VT_USERDEFINED:
        return L"VT_USERDEFINED";
    case VT_LPSTR:
        return L"VT_LPSTR";
    case VT_LPWSTR:
        return L"VT_LPWSTR";
    case VT_FILETIME:
        return L"VT_FILETIME";
    case VT_BLOB:
        return L"VT_BLOB";
    case VT_STREAM:
        return L"VT_STREAM";
    case VT_STORAGE:
        return L"VT_STORAGE";
    case VT_STREAMED_OBJECT:
        return L"VT_STREAMED_OBJECT";
    case VT_STORED_OBJECT:
        return L"VT_STORED_OBJECT";
    case VT_BLOB_OBJECT:
        return L"VT_BLOB_OBJECT";
    case VT_CF:
        return L"VT_CF";
    case VT_CLSID:
        return L"VT_CLSID";
    default:
        return NULL;
    }
}

const COLORREF kIndexBack = RGB(245, 243, 178);
const COLORREF kPinkBack = RGB(248, 233, 243);
const COLORREF kGreenBack = RGB(220, 242, 226);

bool StartsWith(const CString& text, LPCTSTR word)
{
    return text.Left(static_cast<int>(wcslen(word))) == word;
}

}  // namespace

CString BoolToText(int value)
{
    return value != 0 ? L"TRUE" : L"FALSE";
}

CString VariantToText(const VARIANT& value)
{
    CString text;
    switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return L"NULL";
    case VT_I2:
        text.Format(L"%hd", value.iVal);
        return text;
    case VT_I4:
        text.Format(L"%d", static_cast<int>(value.lVal));
        return text;
    case VT_R4:
        text.Format(L"%e", static_cast<double>(value.fltVal));
        return text;
    case VT_R8:
        text.Format(L"%e", value.dblVal);
        return text;
    case VT_CY:
        return COleCurrency(value.cyVal).Format(0, LOCALE_USER_DEFAULT);
    case VT_DATE:
        return COleDateTime(value.date).Format(L"%m %d %y");
    case VT_BSTR:
        return value.bstrVal != NULL ? CString(value.bstrVal) : CString();
    case VT_BOOL:
        return BoolToText(value.boolVal);
    case VT_UI1:
        text.Format(L"0x%02hX", static_cast<unsigned short>(value.bVal));
        return text;
    default:
        break;
    }
    if (const wchar_t* name = TypeName(value.vt))
        return name;
    text = L"Fish";
    // Flag bits on a base type (such types are 73 and above).
    if ((value.vt & VT_ARRAY) != 0)
        text = L"Array of ";
    if ((value.vt & VT_BYREF) != 0)
        text += L"Pointer to ";
    if ((value.vt & (VT_ARRAY | VT_BYREF)) != 0) {
        if (const wchar_t* base = TypeName(value.vt & ~(VT_ARRAY | VT_BYREF)))
            text += base;
    }
    return text;
}

CString TableQuery(const CString& strTableName)
{
    CString escaped = strTableName;
    // A "]" in a table's name is doubled: left alone it ends the bracketed name early and the table cannot be shown.
    escaped.Replace(L"]", L"]]");
    return L"Select * From [" + escaped + L"]";
}

// --- CStatusListCtrl ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CStatusListCtrl, CListCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
ON_NOTIFY_REFLECT(NM_DBLCLK, OnClick)
ON_WM_CREATE()
END_MESSAGE_MAP()

int CStatusListCtrl::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}

void CStatusListCtrl::OnClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

LRESULT CStatusListCtrl::CustomDraw(NMLVCUSTOMDRAW* pDraw)
{
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        switch (pDraw->iSubItem) {
        case 0:
            pDraw->clrTextBk = kIndexBack;
            break;
        case 1:
        case 3:
            pDraw->clrTextBk = kPinkBack;
            break;
        case 2:
        case 4:
        case 5:
            pDraw->clrTextBk = kGreenBack;
            break;
        default:
            break;
        }
        CString status = GetItemText(static_cast<int>(pDraw->nmcd.dwItemSpec), 1);
        if (StartsWith(status, L"Pending")) {
            pDraw->clrText = RGB(0, 0, 0);
        } else if (StartsWith(status, L"Done")) {
            pDraw->clrText = RGB(0, 0, 255);
        } else if (StartsWith(status, L"Fail")) {
            pDraw->clrText = RGB(255, 0, 0);
        } else if (StartsWith(status, L"Progress")) {
            pDraw->clrText = RGB(0, 255, 0);
            pDraw->clrTextBk = RGB(0, 0, 0);
        }
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

void CStatusListCtrl::OnCustomDraw(NMHDR* pNotify, LRESULT* pResult)
{
    *pResult = CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(pNotify));
}

// --- CMDBListView -------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMDBListView, CView)

BEGIN_MESSAGE_MAP(CMDBListView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CMDBListView::CMDBListView() : m_pDatabase(NULL), m_pList(NULL) {}

CMDBListView::~CMDBListView()
{
    if (CPreviewDocument* doc = dynamic_cast<CPreviewDocument*>(GetDocument())) {
        if (doc->m_pRecordListView == this)
            doc->m_pRecordListView = NULL;
    }
    delete m_pList;
}

void CMDBListView::OnDraw(CDC*) {}

int CMDBListView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    m_pList = new CStatusListCtrl;
    m_pList->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
        CRect(0, 0, 0, 0), this, IDC_RECORD_LIST);
    m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    if (CPreviewDocument* doc = dynamic_cast<CPreviewDocument*>(GetDocument()))
        doc->m_pRecordListView = this;
    ClearList();
    return 0;
}

void CMDBListView::OnSize(UINT, int, int)
{
    Default();
    if (m_pList != NULL && ::IsWindow(m_pList->GetSafeHwnd())) {
        CRect client;
        GetClientRect(&client);
        m_pList->MoveWindow(client.left, client.top, client.Width(), client.Height(), TRUE);
    }
}

void CMDBListView::ClearList()
{
    if (m_pList == NULL || !::IsWindow(m_pList->GetSafeHwnd()))
        return;
    m_pList->DeleteAllItems();
    CHeaderCtrl* header = m_pList->GetHeaderCtrl();
    int columns = header != NULL ? header->GetItemCount() : 0;
    for (int i = 0; i < columns; ++i)
        m_pList->DeleteColumn(0);
}

void CMDBListView::ShowTable(const CString& strTableName)
{
    if (m_pList == NULL)
        return;
    ClearList();
    m_pList->InsertColumn(0, L"Index", LVCFMT_LEFT, 100);
    try {
        CDaoTableDef table(m_pDatabase);
        table.Open(strTableName);
        short fields = table.GetFieldCount();
        for (short i = 0; i < fields; ++i) {
            CDaoFieldInfo info;
            table.GetFieldInfo(i, info, AFX_DAO_PRIMARY_INFO);
            m_pList->InsertColumn(i + 1, info.m_strName, LVCFMT_LEFT, 100);
        }
        table.Close();
    } catch (CDaoException* e) {
        ReportDaoException(e);
        e->Delete();
    }
    const int limit = PreviewSettings().m_nRecordLimit;
    CDaoRecordset records(m_pDatabase);
    try {
        records.Open(dbOpenDynaset, TableQuery(strTableName));
        int shown = 0, counted = 0;
        short fields = records.GetFieldCount();
        while (!records.IsEOF()) {
            if (counted < limit) {
                CString number;
                number.Format(L"%d", counted);
                m_pList->InsertItem(counted, number);
                COleVariant value;
                for (short i = 0; i < fields; ++i) {
                    records.GetFieldValue(i, value);
                    m_pList->SetItemText(counted, i + 1, VariantToText(value));
                }
                ++shown;
            }
            ++counted;
            records.MoveNext();
        }
        CString message;
        message.Format(L"Loaded %d of %d total records", shown, counted);
        UpdateWindow();
        if (counted >= limit)
            AfxShowMessageBox(GetSafeHwnd(), message, L"", MB_OK);
        if (CFrameWnd* frame = GetPreviewFrameWnd())
            frame->SetMessageText(message);
        records.Close();
    } catch (CDaoException* e) {
        ReportDaoException(e);
        e->Delete();
    }
}
