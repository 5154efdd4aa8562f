#include "app/trees/FileTypeTreeCtrl.h"

#include "app/EngineText.h"

#include "engine/scan/SignatureCategory.h"
#include "engine/util/AnsiText.h"
#include "resource.h"
#include "ui/controls/win/ShellIconHelper.h"

BEGIN_MESSAGE_MAP(CFileTypeTreeCtrl, CTreeCtrl)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_KEYUP()
END_MESSAGE_MAP()

const wchar_t CFileTypeTreeCtrl::kRootText[] = L"File Types";

namespace {

constexpr UINT kCheckMask = TVIS_STATEIMAGEMASK;

}  // namespace

CFileTypeTreeCtrl::CFileTypeTreeCtrl() = default;

CFileTypeTreeCtrl::~CFileTypeTreeCtrl() = default;

void CFileTypeTreeCtrl::Init()
{
    if (m_checks.GetSafeHandle() == nullptr)
        m_checks.Create(IDB_TREE_CHECKS, 16, 0, RGB(255, 255, 255));
    SetImageList(&m_checks, TVSIL_STATE);
    if (HIMAGELIST shell = morvick::ui::CShellIconHelper::GetSystemImageList(TRUE)) {
        // The shell's own list is shared: the tree never destroys its image lists.
        TreeView_SetImageList(m_hWnd, shell, TVSIL_NORMAL);
        m_bImages = true;
    }
}

HTREEITEM CFileTypeTreeCtrl::FindChild(HTREEITEM parent, const CString& text) const
{
    for (HTREEITEM child = GetChildItem(parent); child != nullptr; child = GetNextSiblingItem(child)) {
        if (GetItemText(child) == text)
            return child;
    }
    return nullptr;
}

HTREEITEM CFileTypeTreeCtrl::InsertChild(HTREEITEM parent, const CString& text, int image)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    insert.item.pszText = const_cast<LPWSTR>(text.GetString());
    insert.item.iImage = insert.item.iSelectedImage = image;
    insert.item.state = INDEXTOSTATEIMAGEMASK(1);
    insert.item.stateMask = kCheckMask;
    return InsertItem(&insert);
}

void CFileTypeTreeCtrl::Load(const std::vector<SignatureRecord>& records)
{
    DeleteAllItems();
    const int folderImage = m_bImages ? morvick::ui::CShellIconHelper::GetFolderIconIndex(TRUE) : 0;
    HTREEITEM root = InsertChild(TVI_ROOT, kRootText, folderImage);
    for (const SignatureRecord& record : records) {
        if (record.extension.empty())
            continue;
        const CString folderText = ToCString(SignatureCategoryFolder(record.category));
        HTREEITEM folder = FindChild(root, folderText);
        if (folder == nullptr)
            folder = InsertChild(root, folderText, folderImage);
        const CString type = ToCString(AnsiToUtf16(record.extension));
        if (FindChild(folder, type) != nullptr)
            continue;
        int image = folderImage;
        if (m_bImages && type.Find(L'.') >= 0)
            image = morvick::ui::CShellIconHelper::GetFileIconIndex(CString(L"file") + type, TRUE);
        InsertChild(folder, type, image);
    }
    SetCheck(root, true);
    Expand(root, TVE_EXPAND);
}

int CFileTypeTreeCtrl::GetCheck(HTREEITEM item) const
{
    if (item == nullptr)
        return -1;
    return static_cast<int>((GetItemState(item, kCheckMask) & kCheckMask) >> 12) - 1;
}

void CFileTypeTreeCtrl::SetState(HTREEITEM item, int index)
{
    SetItemState(item, INDEXTOSTATEIMAGEMASK(index) | (index == 2 ? TVIS_BOLD : 0), kCheckMask | TVIS_BOLD);
}

void CFileTypeTreeCtrl::SetCheck(HTREEITEM item, bool checked)
{
    if (item == nullptr)
        return;
    std::vector<HTREEITEM> pending{item};
    while (!pending.empty()) {
        HTREEITEM current = pending.back();
        pending.pop_back();
        SetState(current, checked ? 2 : 1);
        for (HTREEITEM child = GetChildItem(current); child != nullptr; child = GetNextSiblingItem(child))
            pending.push_back(child);
    }
    UpdateParents(item);
}

void CFileTypeTreeCtrl::ToggleCheck(HTREEITEM item)
{
    SetCheck(item, GetCheck(item) == 0);
}

void CFileTypeTreeCtrl::UpdateParents(HTREEITEM item)
{
    for (HTREEITEM parent = GetParentItem(item); parent != nullptr; parent = GetParentItem(parent)) {
        bool all = true, none = true;
        for (HTREEITEM child = GetChildItem(parent); child != nullptr; child = GetNextSiblingItem(child)) {
            const int check = GetCheck(child);
            all = all && check == 1;
            none = none && check == 0;
        }
        SetState(parent, all ? 2 : (none ? 1 : 3));
    }
}

std::vector<std::u16string> CFileTypeTreeCtrl::CheckedTypes() const
{
    std::vector<std::u16string> types;
    HTREEITEM root = GetRootItem();
    if (root == nullptr)
        return types;
    // Every folder and every type below the root, open or closed.
    for (HTREEITEM folder = GetChildItem(root); folder != nullptr; folder = GetNextSiblingItem(folder)) {
        for (HTREEITEM type = GetChildItem(folder); type != nullptr; type = GetNextSiblingItem(type)) {
            if (GetCheck(type) == 1) {
                const CString text = GetItemText(type);
                types.emplace_back(reinterpret_cast<const char16_t*>(text.GetString()), text.GetLength());
            }
        }
    }
    return types;
}

void CFileTypeTreeCtrl::ClickAt(CPoint point)
{
    UINT flags = 0;
    HTREEITEM item = HitTest(point, &flags);
    if (item == nullptr)
        return;
    if (flags & TVHT_ONITEMSTATEICON) {
        ToggleCheck(item);
    } else if (flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON)) {
        SelectItem(item);
        SetFocus();
    } else {
        Expand(item, TVE_TOGGLE);
    }
}

void CFileTypeTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (HitTest(point) == nullptr) {
        CTreeCtrl::OnLButtonDown(nFlags, point);
        return;
    }
    ClickAt(point);
}

void CFileTypeTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    if (HitTest(point, &flags) != nullptr && (flags & TVHT_ONITEMSTATEICON)) {
        ClickAt(point);
        return;
    }
    CTreeCtrl::OnLButtonDblClk(nFlags, point);
}

void CFileTypeTreeCtrl::OnRButtonDown(UINT, CPoint point)
{
    if (HTREEITEM item = HitTest(point)) {
        SelectItem(item);
        SetFocus();
    }
}

void CFileTypeTreeCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (HTREEITEM item = GetSelectedItem())
        SelectItem(item);
    CTreeCtrl::OnKeyUp(nChar, nRepCnt, nFlags);
}
