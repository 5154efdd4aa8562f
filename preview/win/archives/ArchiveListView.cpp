#include "preview/win/archives/ArchiveListView.h"

#include "preview/win/archives/CabListing.h"
#include "preview/win/archives/DosFileTime.h"
#include "preview/win/archives/RarListing.h"
#include "preview/win/archives/ZipBackEnd.h"
#include "preview/win/host/PreviewDocument.h"
#include "preview/win/host/PreviewFrameState.h"
#include "res/preview.h"
#include "ui/controls/win/ShellIconHelper.h"

namespace {

// The header icons in image-list order: name, folder, size, access time, creation time (the
// attributes of cabinets and RAR archives), modification time, attributes.
const UINT kHeaderIcons[] = {IDI_ARCHIVE_NAME, IDI_ARCHIVE_FOLDER, IDI_ARCHIVE_SIZE, IDI_ARCHIVE_ACCESSED,
    IDI_ARCHIVE_CREATED, IDI_ARCHIVE_MODIFIED, IDI_ARCHIVE_ATTRIBUTES};

CString Extension(const CString& path)
{
    int dot = path.ReverseFind(L'.');
    CString extension = L"." + (dot >= 0 ? path.Mid(dot + 1) : path);
    extension.MakeLower();
    return extension;
}

CString Number(ULONGLONG value)
{
    CString text;
    text.Format(L"%I64u", value);
    return text;
}

}  // namespace

// --- CArchiveContentList ------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CArchiveContentList, CListCtrl)
ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
ON_NOTIFY_REFLECT(NM_DBLCLK, OnClick)
ON_NOTIFY_REFLECT(LVN_BEGINDRAG, OnHeaderDrag)
ON_NOTIFY(HDN_BEGINDRAG, 0, OnHeaderDrag)
ON_NOTIFY(HDN_ENDDRAG, 0, OnHeaderDrag)
END_MESSAGE_MAP()

CArchiveContentList::CArchiveContentList()
{
    m_images.Create(16, 16, ILC_COLOR4 | ILC_MASK, 0, 7);
    HINSTANCE instance = AfxGetResourceHandle();
    for (UINT id : kHeaderIcons) {
        HICON icon =
            static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 48, 48, LR_DEFAULTCOLOR));
        if (icon == NULL)
            continue;  // a missing picture adds no image
        ImageList_AddIcon(m_images.GetSafeHandle(), icon);
        ::DestroyIcon(icon);
    }
}

CArchiveContentList::~CArchiveContentList() {}

void CArchiveContentList::SetupColumns(const CString& strExtension)
{
    if (strExtension == L".zip") {
        InsertColumn(0, L"File Name", LVCFMT_LEFT, 200);
        InsertColumn(1, L"Directory", LVCFMT_LEFT, 100);
        InsertColumn(2, L"File Size", LVCFMT_LEFT, 100);
        InsertColumn(3, L"Access Time", LVCFMT_LEFT, 150);
        InsertColumn(4, L"Creation Time", LVCFMT_LEFT, 150);
        InsertColumn(5, L"modify Time", LVCFMT_LEFT, 150);
        InsertColumn(6, L"Attribute", LVCFMT_LEFT, 200);
    } else if (strExtension == L".cab" || strExtension == L".rar") {
        InsertColumn(0, L"File Name", LVCFMT_LEFT, 200);
        InsertColumn(1, L"Directory", LVCFMT_LEFT, 100);
        InsertColumn(2, L"File Size", LVCFMT_LEFT, 100);
        InsertColumn(3, L"Access Time", LVCFMT_LEFT, 150);
        InsertColumn(4, L"Attribute", LVCFMT_LEFT, 200);
    }
}

void CArchiveContentList::SetHeaderImages()
{
    CHeaderCtrl* header = GetHeaderCtrl();
    if (header == NULL)
        return;
    header->SetImageList(&m_images);
    for (int i = 0; i < header->GetItemCount(); ++i) {
        HDITEM item = {};
        item.mask = HDI_FORMAT;
        header->GetItem(i, &item);
        item.mask = HDI_FORMAT | HDI_IMAGE;
        item.fmt |= HDF_IMAGE;
        item.iImage = i;
        header->SetItem(i, &item);
    }
}

void CArchiveContentList::OnClick(NMHDR*, LRESULT* pResult)
{
    Invalidate();
    *pResult = 0;
}

void CArchiveContentList::OnHeaderDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

// --- CMyListCtrl ----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMyListCtrl, CView)

BEGIN_MESSAGE_MAP(CMyListCtrl, CView)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CMyListCtrl::CMyListCtrl() : m_pList(NULL) {}

CMyListCtrl::~CMyListCtrl()
{
    delete m_pList;
}

void CMyListCtrl::OnDraw(CDC*) {}

CString CMyListCtrl::AttributeText(DWORD attributes)
{
    CString text;
    text += (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? L"r" : L"-";
    text += (attributes & FILE_ATTRIBUTE_ARCHIVE) != 0 ? L"a" : L"-";
    text += (attributes & FILE_ATTRIBUTE_HIDDEN) != 0 ? L"h" : L"-";
    text += (attributes & FILE_ATTRIBUTE_SYSTEM) != 0 ? L"s" : L"-";
    return text;
}

CString CMyListCtrl::DateText(const FILETIME& time)
{
    if ((time.dwLowDateTime == 0 && time.dwHighDateTime == 0) || !CTime::IsValidFILETIME(time))
        return CString();
    return CTime(time).Format(L"%d %b %Y, %X");
}

int CMyListCtrl::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    m_pList = new CArchiveContentList;
    // The rows' icons come from the shell's system image list, which the list must not destroy.
    m_pList->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
            LVS_AUTOARRANGE | LVS_SHAREIMAGELISTS,
        CRect(0, 0, 0, 0), this, IDC_CONTENT_LIST);
    m_pList->SetExtendedStyle(m_pList->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    ListView_SetImageList(m_pList->GetSafeHwnd(), morvick::ui::CShellIconHelper::GetSystemImageList(TRUE), LVSIL_SMALL);

    CPreviewFrameState* frame = GetPreviewFrame();
    CPreviewDocument* doc = GetPreviewDocument();
    CString path = doc != NULL ? doc->m_strPreviewPath : CString();
    CString extension = Extension(path);
    m_pList->SetupColumns(extension);
    m_pList->SetHeaderImages();
    if (frame == NULL)
        return 0;
    if (extension == L".zip")
        frame->m_bPreviewShown = ListZip(path);
    else if (extension == L".cab")
        frame->m_bPreviewShown = ListCab();
    else if (extension == L".rar")
        frame->m_bPreviewShown = ListRar();
    return 0;
}

void CMyListCtrl::OnSize(UINT, int, int)
{
    Default();
    if (m_pList != NULL && ::IsWindow(m_pList->GetSafeHwnd())) {
        CRect client;
        GetClientRect(&client);
        m_pList->MoveWindow(client.left, client.top, client.Width(), client.Height(), TRUE);
    }
}

void CMyListCtrl::AddRow(int nItem, const CString& strName)
{
    m_pList->InsertItem(nItem, strName, morvick::ui::CShellIconHelper::GetFileIconIndex(strName, TRUE));
}

BOOL CMyListCtrl::ListZip(const CString& strPath)
{
    try {
        HZIP zip = ZipOpenArchive(strPath, 0, ZIP_SOURCE_FILENAME);
        // Not a zip archive: no preview, since an empty list shown as a preview passes for an empty archive.
        if (zip == NULL)
            return FALSE;
        ZipEntryInfo entry;
        ZipGetEntry(zip, -1, &entry);
        int count = entry.index;
        m_pList->SetRedraw(FALSE);
        for (int i = 0; i < count; ++i) {
            // A damaged local header still shows the central directory's description; a
            // directory that ends early ends the list.
            if (ZipGetEntry(zip, i, &entry) == ZR_DIRECTORY_END)
                break;
            CString name(entry.name);
            AddRow(i, name);
            m_pList->SetItemText(i, 1, name.Find(L'/') >= 0 ? L"Yes" : L"No");
            // The file's own size: its compressed size under "File Size" misstated every packed file.
            m_pList->SetItemText(i, 2, Number(entry.uncompressedSize));
            m_pList->SetItemText(i, 3, DateText(entry.accessTime));
            m_pList->SetItemText(i, 4, DateText(entry.creationTime));
            m_pList->SetItemText(i, 5, DateText(entry.modificationTime));
            m_pList->SetItemText(i, 6, AttributeText(entry.attributes));
        }
        m_pList->SetRedraw(TRUE);
        ZipCloseArchive(zip);
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        m_pList->SetRedraw(TRUE);
        return FALSE;
    }
}

BOOL CMyListCtrl::ListRar()
{
    CPreviewFrameState* frame = GetPreviewFrame();
    CPreviewDocument* doc = GetPreviewDocument();
    if (frame == NULL)
        return FALSE;
    CRarReader reader;
    if (!reader.ReadEntries(doc != NULL ? doc->m_strPreviewPath : CString()))
        return FALSE;
    m_pList->DeleteAllItems();
    m_pList->SetRedraw(FALSE);
    for (int i = 0; i < reader.GetEntryCount(); ++i) {
        const RarEntry& entry = reader.GetEntry(i);
        AddRow(i, entry.name);
        m_pList->SetItemText(i, 1, CRarReader::IsDirectory(entry.flags) ? L"Yes" : L"No");
        m_pList->SetItemText(i, 2, Number(entry.unpackedSize));
        DWORD dos = static_cast<DWORD>(entry.time);
        m_pList->SetItemText(i, 3, DateText(DosTimeToUtcFileTime(HIWORD(dos), LOWORD(dos))));
        m_pList->SetItemText(i, 4, AttributeText(static_cast<DWORD>(entry.attributes)));
    }
    m_pList->SetRedraw(TRUE);
    return TRUE;
}

BOOL CMyListCtrl::ListCab()
{
    m_pList->DeleteAllItems();
    CPreviewFrameState* frame = GetPreviewFrame();
    CPreviewDocument* doc = GetPreviewDocument();
    if (frame == NULL || doc == NULL)
        return FALSE;
    if (!ListCabinet(doc->m_strPreviewPath))
        return FALSE;
    CObList& entries = CabEntries();
    m_pList->SetRedraw(FALSE);
    int i = 0;
    for (POSITION pos = entries.GetHeadPosition(); pos != NULL; ++i) {
        const CCabEntry* entry = static_cast<const CCabEntry*>(entries.GetNext(pos));
        AddRow(i, entry->m_strName);
        m_pList->SetItemText(i, 1, entry->m_strFolder);
        CString size;
        size.Format(L"%d", static_cast<int>(entry->m_dwSize));
        m_pList->SetItemText(i, 2, size);
        m_pList->SetItemText(i, 3, DateText(entry->m_time));
        m_pList->SetItemText(i, 4, AttributeText(entry->m_wAttributes));
    }
    m_pList->SetRedraw(TRUE);
    return TRUE;
}
