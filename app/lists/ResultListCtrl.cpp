#include "app/lists/ResultListCtrl.h"

#include "app/EngineText.h"

#include <algorithm>
#include <cstdlib>

#include "app/AppMessages.h"
#include "app/dialogs/FindFilesDlg.h"
#include "app/lists/ListColumnSorter.h"
#include "app/trees/ResultTreeCtrl.h"
#include "engine/save/SafeFileName.h"
#include "engine/state/EngineState.h"
#include "engine/state/RecordList.h"
#include "preview/win/host/PreviewFrameState.h"
#include "resource.h"
#include "toolkit/commandbars/CommandBars.h"
#include "ui/controls/win/ShellIconHelper.h"

IMPLEMENT_DYNAMIC(CResultListCtrl, CTKListCtrl)

BEGIN_MESSAGE_MAP(CResultListCtrl, CTKListCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
ON_NOTIFY_REFLECT(NM_CLICK, OnClickNotify)
ON_NOTIFY_REFLECT(NM_DBLCLK, OnDoubleClickNotify)
ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
ON_NOTIFY_REFLECT(LVN_BEGINLABELEDITW, OnBeginLabelEdit)
ON_NOTIFY_REFLECT(LVN_ENDLABELEDITW, OnEndLabelEdit)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

const wchar_t CResultListCtrl::kParentRowText[] = L"Parent...";
CResultListCtrl::PreviewMemory CResultListCtrl::s_preview;

namespace {

constexpr UINT kStateMask = LVIS_STATEIMAGEMASK;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kPeach = RGB(255, 202, 149);
const wchar_t kBadNameText[] =
    L"This name cannot be given: a file name may not hold \\ / : * ? \" < > | or control characters, end with "
    L"a dot or a blank, or be a device name.";

CResultListCtrl::MenuTracker g_menuTracker = nullptr;

// The header icons in the order of the header's items.
const UINT kHeaderIcons[] = {IDI_HEADER_NAME, IDI_HEADER_TYPE, IDI_HEADER_SIZE, IDI_HEADER_CREATED, IDI_HEADER_MODIFIED,
    IDI_HEADER_KEY, IDI_HEADER_SPARE};

}  // namespace

struct ListColumn {
    const wchar_t* heading;
    int width;
};

namespace {

const ListColumn kScanColumns[] = {{L"File Name", 200}, {L"Type", 100}, {L"Size", 100}, {L"Creation Time", 150},
    {L"Modification Time", 150}, {L"ID", 150}};
const ListColumn kTraceColumns[] = {{L"File Name", 200}, {L"Type", 100}, {L"ID", 150}};
const ListColumn kHitColumns[] = {{L"File Name", 100}, {L"Path", 100}, {L"Size", 100}, {L"Creation Time", 100},
    {L"Modification Time", 100}, {L"ID", 100}};

// The rows' order after a sort: the parent row, then the folders, then the files.
int RowGroup(ResultRowKind kind)
{
    return kind == ResultRowKind::kParent ? 0 : (kind == ResultRowKind::kFolder ? 1 : 2);
}

// A row while its list is sorted, found by the row's item data (its place in m_rows, from 1).
struct RowSortKey {
    CString text;   // the row's text in the sorted column
    int row = 0;    // its place before the sort: equal texts keep their order
    int group = 2;  // RowGroup
};

struct RowSortContext {
    const std::vector<RowSortKey>* keys;
    int type;
    int direction;
};

// The parent row, then the folders, then the files; inside each group the column's order (equal
// texts by their place before the sort), reversed as a whole for a descending sort.
int CALLBACK CompareRowKeys(LPARAM a, LPARAM b, LPARAM parameter)
{
    const auto* context = reinterpret_cast<const RowSortContext*>(parameter);
    const std::vector<RowSortKey>& keys = *context->keys;
    const size_t i = static_cast<size_t>(a), j = static_cast<size_t>(b);
    if (i >= keys.size() || j >= keys.size())
        return 0;
    const RowSortKey& x = keys[i];
    const RowSortKey& y = keys[j];
    if (x.group != y.group)
        return x.group < y.group ? -1 : 1;
    int order = CListColumnSorter::CompareTexts(context->type, x.text, y.text);
    if (order == 0)
        order = x.row < y.row ? -1 : (x.row > y.row ? 1 : 0);
    return order * context->direction;
}

}  // namespace

CResultListCtrl::CResultListCtrl()
{
    m_boldFont.CreateFont(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

CResultListCtrl::~CResultListCtrl()
{
    if (m_boxCursor != nullptr)
        DestroyCursor(m_boxCursor);
}

void CResultListCtrl::SetMenuTracker(MenuTracker tracker)
{
    g_menuTracker = tracker;
}

UINT CResultListCtrl::TrackMenu(CMenu* menu, int x, int y, CWnd* owner)
{
    // The menu holds only the commands offered (the others are deleted before), and the caller runs
    // the one returned: its items are not asked for their state, which no window here would give,
    // so that they stay enabled.
    const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY;
    if (g_menuTracker != nullptr)
        return g_menuTracker(menu, flags, x, y, owner);
    return CTKPCommandBars::TrackMenuPopup(menu, flags, x, y, owner);
}

void CResultListCtrl::Init(CImageList* smallImages)
{
    m_pSmallImages = smallImages;
    if (smallImages != nullptr)
        SetImageList(smallImages, LVSIL_SMALL);
    if (m_stateImages.GetSafeHandle() == nullptr)
        m_stateImages.Create(IDB_LIST_CHECKS, 16, 0, RGB(255, 255, 255));
    SetImageList(&m_stateImages, LVSIL_STATE);
    if (m_headerImages.GetSafeHandle() == nullptr) {
        m_headerImages.Create(16, 16, ILC_COLOR4 | ILC_MASK, 7, 7);
        for (UINT id : kHeaderIcons) {
            HICON icon = static_cast<HICON>(
                LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
            m_headerImages.Add(icon);
            if (icon != nullptr)
                DestroyIcon(icon);
        }
    }
    if (m_boxCursor == nullptr) {
        m_boxCursor = static_cast<HCURSOR>(LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_TREE_BUSY_POINTER),
            IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR));
    }
    if (m_header.GetSafeHwnd() == nullptr) {
        if (HWND header = ::GetDlgItem(m_hWnd, 0)) {
            m_header.SubclassWindow(header);
            m_header.EnableAutoSize(TRUE);
        }
    }
    m_nFolderIcon = smallImages != nullptr ? morvick::ui::CShellIconHelper::GetFolderIconIndex(TRUE) : 0;
}

int CResultListCtrl::KeyColumn() const
{
    return m_nColumnsMode == kScanFileTrace ? 2 : 5;
}

void CResultListCtrl::SetColumnsForMode(int scanMode)
{
    const bool trace = scanMode == kScanFileTrace;
    SetColumns(trace ? kTraceColumns : kScanColumns, trace ? 3 : 6, scanMode, true);
}

void CResultListCtrl::SetHitColumns()
{
    // The hits' columns are those of a scan's listing, with the folder's path in place of the type.
    SetColumns(kHitColumns, 6, kScanQuick, false);
    m_bHitList = true;
}

void CResultListCtrl::SetColumns(const ListColumn* columns, int count, int mode, bool withImages)
{
    DeleteAllItems();
    m_rows.clear();
    CHeaderCtrl* header = GetHeaderCtrl();
    const int existing = header != nullptr ? header->GetItemCount() : 0;
    for (int column = existing - 1; column >= 0; --column)
        DeleteColumn(column);
    m_nColumnsMode = mode;
    for (int column = 0; column < count; ++column)
        InsertColumn(column, columns[column].heading, LVCFMT_LEFT, columns[column].width);
    if (withImages && header != nullptr && m_headerImages.GetSafeHandle() != nullptr) {
        header->SetImageList(&m_headerImages);
        for (int column = 0; column < count; ++column) {
            HDITEMW item = {};
            item.mask = HDI_FORMAT | HDI_IMAGE;
            header->GetItem(column, &item);
            item.fmt |= HDF_IMAGE;
            item.iImage = column;
            header->SetItem(column, &item);
        }
    }
    m_nSortColumn = 1;
    m_bSortAscending = true;
}

void CResultListCtrl::ClearRows()
{
    DeleteAllItems();
    m_rows.clear();
}

void CResultListCtrl::RefreshNames()
{
    const CResultIndex* index = Index();
    if (index == nullptr)
        return;
    for (int row = 0; row < GetItemCount(); ++row) {
        const size_t data = static_cast<size_t>(GetItemData(row));
        if (data < 1 || data > m_rows.size())
            continue;
        RowInfo& info = m_rows[data - 1];
        const ResultFileInfo* file =
            info.kind == ResultRowKind::kFile && info.hasKey ? index->FileByKey(info.key) : nullptr;
        if (file == nullptr || file->Name() == nullptr || info.name == file->Name())
            continue;
        info.name = file->Name();
        SetItemText(row, 0, ToCString(info.name));
    }
}

int CResultListCtrl::IconOf(const RowInfo& info)
{
    if (m_pSmallImages == nullptr)
        return 0;
    if (info.kind != ResultRowKind::kFile)
        return m_nFolderIcon;
    const size_t dot = info.name.rfind(u'.');
    const std::u16string extension = dot == std::u16string::npos ? std::u16string() : info.name.substr(dot);
    auto it = m_iconByExtension.find(extension);
    if (it == m_iconByExtension.end()) {
        const CString probe = extension.empty() ? CString(L"file") : CString(L"file") + ToCString(extension);
        it = m_iconByExtension.emplace(extension, morvick::ui::CShellIconHelper::GetFileIconIndex(probe, TRUE)).first;
    }
    return it->second;
}

void CResultListCtrl::ShowRows(const std::vector<ResultRow>& rows)
{
    SetRedraw(FALSE);
    DeleteAllItems();
    m_rows.clear();
    AppendRows(rows);
}

void CResultListCtrl::AppendRows(const std::vector<ResultRow>& rows)
{
    SetRedraw(FALSE);
    m_rows.reserve(m_rows.size() + rows.size());
    const bool trace = m_nColumnsMode == kScanFileTrace;
    int index = GetItemCount();
    for (const ResultRow& row : rows) {
        RowInfo info;
        info.kind = row.kind;
        info.deleted = row.deleted;
        info.name = row.name;
        const std::u16string& keyText = trace ? row.size : row.key;
        if (!keyText.empty() && keyText != u"-") {
            info.key =
                static_cast<uint32_t>(std::wcstoul(reinterpret_cast<const wchar_t*>(keyText.c_str()), nullptr, 10));
            info.hasKey = true;
        }
        m_rows.push_back(info);
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.iItem = index;
        const CString name = ToCString(row.name);
        item.pszText = const_cast<LPWSTR>(name.GetString());
        item.iImage = IconOf(info);
        item.lParam = static_cast<LPARAM>(m_rows.size());
        item.state = INDEXTOSTATEIMAGEMASK(row.kind == ResultRowKind::kParent ? 3 : 1);
        item.stateMask = kStateMask;
        const int at = InsertItem(&item);
        if (at < 0)
            continue;
        if (trace) {
            SetItemText(at, 1, ToCString(row.type));
            SetItemText(at, 2, ToCString(row.size));
        } else {
            SetItemText(at, 1, ToCString(row.type));
            SetItemText(at, 2, ToCString(row.size));
            SetItemText(at, 3, ToCString(row.firstDate));
            SetItemText(at, 4, ToCString(row.secondDate));
            SetItemText(at, 5, ToCString(row.key));
        }
        ++index;
    }
    SetRedraw(TRUE);
    Invalidate();
}

const CResultListCtrl::RowInfo* CResultListCtrl::Row(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return nullptr;
    const size_t data = static_cast<size_t>(GetItemData(row));
    return data >= 1 && data <= m_rows.size() ? &m_rows[data - 1] : nullptr;
}

const CResultIndex* CResultListCtrl::Index() const
{
    return m_pTree != nullptr ? &m_pTree->Index() : nullptr;
}

HTREEITEM CResultListCtrl::ListedFolder() const
{
    return m_pTree != nullptr ? m_pTree->ListedItem() : nullptr;
}

// --- Check boxes -------------------------------------------------------------------------------

int CResultListCtrl::GetCheck(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return -1;
    return static_cast<int>((GetItemState(row, kStateMask) & kStateMask) >> 12) - 1;
}

void CResultListCtrl::SetStateIndex(int row, int index)
{
    SetItemState(row, INDEXTOSTATEIMAGEMASK(index), kStateMask);
}

void CResultListCtrl::SetNoCheckBox(int row)
{
    SetStateIndex(row, 0);
}

void CResultListCtrl::SetUnchecked(int row)
{
    SetStateIndex(row, 1);
}

void CResultListCtrl::SetChecked(int row)
{
    SetStateIndex(row, 2);
}

bool CResultListCtrl::AllRowsChecked() const
{
    for (int row = 0; row < GetItemCount(); ++row) {
        const RowInfo* info = Row(row);
        if ((info == nullptr || info->kind != ResultRowKind::kParent) && GetCheck(row) == 0)
            return false;
    }
    return true;
}

bool CResultListCtrl::AllRowsUnchecked() const
{
    for (int row = 0; row < GetItemCount(); ++row) {
        const RowInfo* info = Row(row);
        if ((info == nullptr || info->kind != ResultRowKind::kParent) && GetCheck(row) != 0)
            return false;
    }
    return true;
}

void CResultListCtrl::CheckAllRows()
{
    for (int row = 0; row < GetItemCount(); ++row) {
        const RowInfo* info = Row(row);
        if (info != nullptr && info->kind != ResultRowKind::kParent)
            SetChecked(row);
    }
}

void CResultListCtrl::UncheckAllRows()
{
    for (int row = 0; row < GetItemCount(); ++row) {
        const RowInfo* info = Row(row);
        if (info != nullptr && info->kind != ResultRowKind::kParent)
            SetUnchecked(row);
    }
}

void CResultListCtrl::ToggleRowCheck(int row)
{
    const RowInfo* info = Row(row);
    if (info == nullptr || info->kind == ResultRowKind::kParent)
        return;
    const bool check = GetCheck(row) != 1;
    if (m_bHitList) {
        // A hit's box marks it for the Find dialog's save only.
        if (check)
            SetChecked(row);
        else
            SetUnchecked(row);
        Invalidate(FALSE);
        return;
    }
    if (m_pTree == nullptr)
        return;
    if (info->kind == ResultRowKind::kFile) {
        if (info->hasKey)
            m_pTree->SetFileChecked(info->key, check);
    } else if (m_pTree->Index().IsFileTrace()) {
        if (HTREEITEM folder = m_pTree->TypeFolderOf(ToCString(info->name)))
            m_pTree->SetCheck(folder, check);
    } else if (info->hasKey) {
        m_pTree->SetCheck(TreeItemFromNumber(info->key), check);
    }
    m_pTree->RefreshListCheckStates();
    m_pTree->Invalidate(FALSE);
    Invalidate(FALSE);
}

// --- Sorting -----------------------------------------------------------------------------------

void CResultListCtrl::SortByColumn(int column, bool ascending)
{
    int type = 0;
    if (m_nColumnsMode == kScanFileTrace) {
        type = column <= 1 ? CListColumnSorter::kText : (column == 2 ? CListColumnSorter::kWholeNumber : 0);
    } else if (column <= 1) {
        type = CListColumnSorter::kText;
    } else if (column == 2 || column == 5) {
        type = CListColumnSorter::kWholeNumber;
    } else if (column == 3 || column == 4) {
        type = CListColumnSorter::kDateTime;
    }
    if (type == 0)
        return;
    SetSortColumn(column, ascending ? TRUE : FALSE);
    // One pass of the list's own sort over keys held here: the rows' item data (their place in
    // m_rows) stays as it is, so no row is changed, and the groups come out in one go.
    std::vector<RowSortKey> keys(m_rows.size() + 1);
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        const size_t data = static_cast<size_t>(GetItemData(row));
        if (data < 1 || data >= keys.size())
            continue;
        keys[data].text = GetItemText(row, column);
        keys[data].row = row;
        keys[data].group = RowGroup(m_rows[data - 1].kind);
    }
    RowSortContext context{&keys, type, ascending ? 1 : -1};
    SortItems(CompareRowKeys, reinterpret_cast<DWORD_PTR>(&context));
    m_nSortColumn = column;
    m_bSortAscending = ascending;
}

void CResultListCtrl::OnHeaderClick(int column)
{
    const bool ascending = column == m_nSortColumn ? !m_bSortAscending : true;
    SortByColumn(column, ascending);
}

BOOL CResultListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The header's menu sends its choice as a click of button 1, the header's arrow already set; a
    // plain click (button 0) goes on to the list's column click and its rule.
    const auto* notify = reinterpret_cast<const NMHEADERW*>(lParam);
    if (notify != nullptr && m_header.GetSafeHwnd() != nullptr && notify->hdr.hwndFrom == m_header.GetSafeHwnd() &&
        (notify->hdr.code == HDN_ITEMCLICKW || notify->hdr.code == HDN_ITEMCLICKA) && notify->iButton == 1) {
        // Sorted the way the menu names, not by the click rule, which made "Sort Descending" ascending.
        BOOL ascending = TRUE;
        m_header.GetSortColumn(&ascending);
        SortByColumn(notify->iItem, ascending != FALSE);
        *pResult = 0;
        return TRUE;
    }
    return CTKListCtrl::OnNotify(wParam, lParam, pResult);
}

void CResultListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    OnHeaderClick(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
}

// --- Drawing -----------------------------------------------------------------------------------

void CResultListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return;
    const int row = static_cast<int>(draw->nmcd.dwItemSpec);
    const size_t data = static_cast<size_t>(draw->nmcd.lItemlParam);
    const RowInfo* info = data >= 1 && data <= m_rows.size() ? &m_rows[data - 1] : nullptr;
    draw->clrText = RGB(0, 0, 0);
    draw->clrTextBk = RGB(255, 255, 255);
    if (info != nullptr && info->kind == ResultRowKind::kParent) {
        draw->clrText = kRed;
        draw->clrTextBk = kPeach;
    } else if (info != nullptr && info->deleted) {
        draw->clrText = kRed;
    }
    // Ticked rows and the parent row (its mark reads as no unticked box) are bold.
    if (GetCheck(row) > 0) {
        ::SelectObject(draw->nmcd.hdc, m_boldFont.GetSafeHandle());
        *pResult = CDRF_NEWFONT;
    }
}

void CResultListCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    Invalidate(FALSE);
    CTKListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

// --- Mouse and keys ----------------------------------------------------------------------------

int CResultListCtrl::HitRow(CPoint point, UINT* flags) const
{
    LVHITTESTINFO hit = {};
    hit.pt = point;
    const int row = const_cast<CResultListCtrl*>(this)->HitTest(&hit);
    if (flags != nullptr)
        *flags = hit.flags;
    return row;
}

void CResultListCtrl::ClickRow(int row, bool onCheckBox)
{
    const RowInfo* info = Row(row);
    if (info == nullptr)
        return;
    if (info->kind == ResultRowKind::kParent) {
        ClearPreview();
    } else if (onCheckBox) {
        ToggleRowCheck(row);
    } else if (info->kind == ResultRowKind::kFile) {
        PreviewRow(row);
    } else {
        ClearPreview();
    }
    Invalidate(FALSE);
}

void CResultListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    const int row = HitRow(point, &flags);
    if (row >= 0 && (flags & LVHT_ONITEMSTATEICON)) {
        // The list's own toggling never sees a hit on a box: the sets and the tree follow here.
        if (m_boxCursor != nullptr)
            ::SetCursor(m_boxCursor);
        SetFocus();
        ClickRow(row, true);
        return;
    }
    CTKListCtrl::OnLButtonDown(nFlags, point);
}

void CResultListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    const int row = HitRow(point, &flags);
    if (row >= 0 && (flags & LVHT_ONITEMSTATEICON)) {
        ClickRow(row, true);
        return;
    }
    CTKListCtrl::OnLButtonDblClk(nFlags, point);
}

void CResultListCtrl::OnClickNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    UINT flags = 0;
    const int row = HitRow(activate->ptAction, &flags);
    if (row < 0) {
        Invalidate(FALSE);
        return;
    }
    if (flags & LVHT_ONITEMSTATEICON)
        return;  // done when the button went down
    ClickRow(row, false);
}

void CResultListCtrl::OnDoubleClickNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    UINT flags = 0;
    int row = HitRow(activate->ptAction, &flags);
    if (flags & LVHT_ONITEMSTATEICON)
        return;
    if (row < 0)
        row = GetSelectionMark();
    if (row >= 0)
        OpenRow(row);
}

void CResultListCtrl::OpenRow(int row)
{
    const RowInfo* info = Row(row);
    if (info == nullptr || m_pTree == nullptr)
        return;
    if (info->kind == ResultRowKind::kParent) {
        OpenParent();
        return;
    }
    if (info->kind == ResultRowKind::kFile) {
        PreviewRow(row);
        return;
    }
    HTREEITEM folder = nullptr;
    if (m_pTree->Index().IsFileTrace())
        folder = m_pTree->TypeFolderOf(ToCString(info->name));
    else if (info->hasKey)
        folder = TreeItemFromNumber(info->key);
    if (folder == nullptr)
        return;
    ClearPreview();
    m_pTree->SetFocus();
    // Its rows show their own ticks, not all the folder row's: a partly ticked folder's files are not.
    if (m_pTree->GetSelectedItem() == folder)
        m_pTree->ListItem(folder);
    else
        m_pTree->SelectItem(folder);
    m_pTree->Expand(folder, TVE_EXPAND);
}

void CResultListCtrl::OpenParent()
{
    // The folder shown is the one the tree listed last, not the one the row below this row names:
    // an empty folder has no such row, and reading none would jump to the root instead of one up.
    HTREEITEM listed = ListedFolder();
    if (m_pTree == nullptr || listed == nullptr)
        return;
    HTREEITEM parent = m_pTree->GetParentItem(listed);
    if (parent == nullptr)
        return;
    ClearPreview();
    if (m_pTree->GetSelectedItem() == parent)
        m_pTree->ListItem(parent);
    else
        m_pTree->SelectItem(parent);
    // A parent below the top item also opens or closes in the tree.
    if (parent != m_pTree->GetRootItem())
        m_pTree->Expand(parent, TVE_TOGGLE);
}

void CResultListCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    const int row = HitRow(point, &flags);
    if (row < 0 || CFindFilesDlg::IsOpen())
        return;
    if (flags & LVHT_ONITEMSTATEICON) {
        if (m_boxCursor != nullptr)
            ::SetCursor(m_boxCursor);
        return;
    }
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetSelectionMark(row);
    SetFocus();
    CPoint screen = point;
    ClientToScreen(&screen);
    (void)nFlags;
    ShowContextMenu(screen);
}

void CResultListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    const int row = HitRow(point, &flags);
    const RowInfo* info = Row(row);
    if (info != nullptr && info->kind == ResultRowKind::kParent)
        return;  // the parent row is only double-clicked: no drag, no hover over it
    if (row >= 0 && (flags & LVHT_ONITEMSTATEICON) && m_boxCursor != nullptr)
        ::SetCursor(m_boxCursor);
    CTKListCtrl::OnMouseMove(nFlags, point);
}

BOOL CResultListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd) {
        switch (pMsg->wParam) {
        case VK_TAB:
            if (m_bHitList)
                break;  // the dialog's own order
            if (m_pTree != nullptr)
                m_pTree->SetFocus();
            return TRUE;
        case VK_F2:
            BeginRename(GetSelectionMark());
            return TRUE;
        case VK_APPS: {
            if (m_bHitList)
                return TRUE;  // the hits have no context menu
            CRect rect;
            const int row = GetSelectionMark();
            if (row >= 0 && GetItemRect(row, &rect, LVIR_LABEL)) {
                CPoint centre = rect.CenterPoint();
                ClientToScreen(&centre);
                ShowContextMenu(centre);
            }
            return TRUE;
        }
        case VK_SPACE:
            // The box of the row with the selection mark, kept in step like a click on it.
            ToggleRowCheck(GetSelectionMark());
            return TRUE;
        case VK_UP:
        case VK_DOWN:
            Invalidate(FALSE);
            break;
        default:
            break;
        }
    }
    return CTKListCtrl::PreTranslateMessage(pMsg);
}

void CResultListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_RETURN) {
        const int row = GetSelectionMark();
        const RowInfo* info = Row(row);
        if (info != nullptr && info->kind == ResultRowKind::kFolder)
            OpenRow(row);
    }
    CTKListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CResultListCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_UP || nChar == VK_DOWN) {
        const int row = GetNextItem(-1, LVNI_FOCUSED);
        const RowInfo* info = Row(row);
        if (info != nullptr && info->kind == ResultRowKind::kFile)
            PreviewRow(row);
        else if (info != nullptr)
            ClearPreview();
    }
    CTKListCtrl::OnKeyUp(nChar, nRepCnt, nFlags);
}

// --- Preview -----------------------------------------------------------------------------------

void CResultListCtrl::ForgetPreview()
{
    s_preview.lastPath.clear();
    s_preview.lastKey = 0;
}

void CResultListCtrl::ClearPreview()
{
    ForgetPreview();
    // No file is selected: the placeholder asks for one.
    if (CPreviewFrameState* frame = GetPreviewFrame())
        frame->m_bNoFileSelected = 1;
    if (m_pCommands != nullptr)
        m_pCommands->ShowPreviewFile(CString(), CString());
}

// PreviewRow and ShowRowProperties: ResultListPreview.cpp.

// --- Rename ------------------------------------------------------------------------------------

bool CResultListCtrl::BeginRename(int row)
{
    const RowInfo* info = Row(row);
    if (info == nullptr || info->kind == ResultRowKind::kParent)
        return false;
    if (info->kind == ResultRowKind::kFolder && m_nColumnsMode == kScanFileTrace)
        return false;  // a type is no entry of the volume
    SetFocus();
    EditLabel(row);
    return true;
}

void CResultListCtrl::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* edit = reinterpret_cast<const NMLVDISPINFOW*>(pNMHDR);
    const RowInfo* info = Row(edit->item.iItem);
    if (info == nullptr || info->kind == ResultRowKind::kParent ||
        (info->kind == ResultRowKind::kFolder && m_nColumnsMode == kScanFileTrace)) {
        *pResult = TRUE;  // no rename
        return;
    }
    m_strOldLabel = GetItemText(edit->item.iItem, 0);
    m_bRenaming = true;
    *pResult = FALSE;
}

void CResultListCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* edit = reinterpret_cast<const NMLVDISPINFOW*>(pNMHDR);
    *pResult = FALSE;
    m_bRenaming = false;
    if (edit->item.pszText == nullptr)
        return;  // cancelled
    RenameRow(edit->item.iItem, edit->item.pszText);
}

bool CResultListCtrl::RenameRow(int row, const CString& newName)
{
    const RowInfo* info = Row(row);
    const CResultIndex* index = Index();
    if (info == nullptr || index == nullptr || info->kind == ResultRowKind::kParent || newName.IsEmpty())
        return false;
    const std::u16string name = ToU16(newName);
    // The new name becomes a file or folder name in the save folder: it must stay one plain name.
    if (MakeSafeFileName(name) != name) {
        ShowAppMessage(kBadNameText, kAppInformation);
        return false;
    }
    char16_t** field = nullptr;
    HTREEITEM folderItem = nullptr;
    if (info->kind == ResultRowKind::kFile) {
        if (const ResultFileInfo* file = info->hasKey ? index->FileByKey(info->key) : nullptr)
            field = file->NameField();
    } else if (!index->IsFileTrace() && info->hasKey) {
        if (const ResultFolderInfo* folder = index->FolderByItem(info->key)) {
            field = folder->NameField();
            folderItem = TreeItemFromNumber(info->key);
        }
    }
    if (field != nullptr) {
        char16_t* copy = CopyRecordName(name);
        if (copy == nullptr)
            return false;
        std::free(*field);
        *field = copy;
        if (folderItem != nullptr && m_pTree != nullptr)
            m_pTree->SetItemText(folderItem, newName);
    }
    SetItemText(row, 0, newName);
    const size_t data = static_cast<size_t>(GetItemData(row));
    if (data >= 1 && data <= m_rows.size())
        m_rows[data - 1].name = name;
    if (m_pTree != nullptr && index->IsFileTrace() && info->kind == ResultRowKind::kFile && info->hasKey) {
        if (HTREEITEM item = m_pTree->TracedFileItem(info->key))
            m_pTree->SetItemText(item, newName);
    }
    return true;
}

// --- Context menu and views --------------------------------------------------------------------

void CResultListCtrl::ShowContextMenu(CPoint screen)
{
    const int row = GetSelectionMark();
    if (row < 0 || row >= GetItemCount())
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_RESULT_LIST_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (popup == nullptr)
        return;
    if (g_nScanMode == kScanFileTrace) {
        popup->DeleteMenu(ID_FIND_FILES, MF_BYCOMMAND);
        popup->DeleteMenu(ID_RECOVERY_SETTINGS, MF_BYCOMMAND);
        popup->DeleteMenu(ID_SHOW_PROPERTIES, MF_BYCOMMAND);
    }
    const UINT command = TrackMenu(popup, screen.x, screen.y, this);
    menu.DestroyMenu();
    switch (command) {
    case 0:
        break;
    case ID_VIEW_ICONS:
        SetView(LVS_SMALLICON);
        break;
    case ID_VIEW_LIST_MODE:
        SetView(LVS_LIST);
        break;
    case ID_VIEW_DETAILS:
        SetView(LVS_REPORT);
        break;
    case ID_RENAME_ROW:
        BeginRename(row);
        break;
    case ID_SHOW_PROPERTIES:
        if (g_nScanMode != kScanFileTrace)
            ShowRowProperties();
        break;
    default:
        if (m_pCommands != nullptr)
            m_pCommands->RunResultCommand(command, nullptr);
        break;
    }
}

void CResultListCtrl::SetView(DWORD viewStyle)
{
    ModifyStyle(LVS_TYPEMASK, (viewStyle & LVS_TYPEMASK) | LVS_AUTOARRANGE);
    Invalidate();
    UpdateWindow();
}
