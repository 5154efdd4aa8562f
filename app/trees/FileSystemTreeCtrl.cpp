#include "app/trees/FileSystemTreeCtrl.h"

#include "app/trees/TreeImages.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CFileSystemTreeCtrl, CTreeCtrl)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_KEYUP()
END_MESSAGE_MAP()

namespace {

const UINT kTreeIcons[] = {IDI_TREE_FOLDER, IDI_TREE_NETWORK, IDI_TREE_CD, IDI_TREE_REMOVABLE, IDI_TREE_FLOPPY,
    IDI_TREE_DISK, IDI_TREE_COMPUTER};
enum TreeImage { kImageCd = 2, kImageRemovable = 3, kImageFloppy = 4, kImageDisk = 5 };

}  // namespace

CFileSystemTreeCtrl::CFileSystemTreeCtrl() = default;

CFileSystemTreeCtrl::~CFileSystemTreeCtrl() = default;

void CFileSystemTreeCtrl::Init()
{
    LoadIconImages(m_images, kTreeIcons, sizeof(kTreeIcons) / sizeof(kTreeIcons[0]), 16);
    if (m_checks.GetSafeHandle() == nullptr)
        m_checks.Create(IDB_TREE_CHECKS, 16, 0, RGB(255, 255, 255));
    SetImageList(&m_images, TVSIL_NORMAL);
    SetImageList(&m_checks, TVSIL_STATE);
    m_buttonCursor = AfxGetApp()->LoadCursor(IDC_TREE_ITEM_POINTER);
    m_itemCursor = AfxGetApp()->LoadCursor(IDC_HOVER_POINTER);
    m_pressCursor = AfxGetApp()->LoadCursor(IDC_PRESSED_POINTER);
}

HTREEITEM CFileSystemTreeCtrl::AddItem(const CString& text, HTREEITEM parent)
{
    int image = kImageDisk;
    if (parent == nullptr || parent == TVI_ROOT) {
        switch (GetDriveTypeW(text)) {
        case DRIVE_CDROM:
            image = kImageCd;
            break;
        case DRIVE_REMOVABLE:
            image = text.Left(1).CompareNoCase(L"A") == 0 ? kImageFloppy : kImageRemovable;
            break;
        default:
            break;
        }
    }
    return InsertItem(text, image, image, parent != nullptr ? parent : TVI_ROOT, TVI_LAST);
}

void CFileSystemTreeCtrl::SetPointer(UINT hitFlags, bool pressed)
{
    HCURSOR cursor = nullptr;
    if (hitFlags & TVHT_ONITEMBUTTON)
        cursor = m_buttonCursor;
    else if (hitFlags & TVHT_ONITEM)
        cursor = pressed ? m_pressCursor : m_itemCursor;
    if (cursor != nullptr)
        ::SetCursor(cursor);
}

void CFileSystemTreeCtrl::ClickAt(CPoint point)
{
    UINT flags = 0;
    HTREEITEM item = HitTest(point, &flags);
    if (item == nullptr)
        return;
    SelectItem(item);
    SetFocus();
    SetPointer(flags, true);
    // Wherever the row was hit, the item selected is the one chosen (the one Next scans); a hit off
    // its icon and label also opens or closes it.
    if (!GetItemText(item).IsEmpty() && m_choose)
        m_choose(item);
    if (!(flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMRIGHT)))
        Expand(item, TVE_TOGGLE);
}

void CFileSystemTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (HitTest(point) == nullptr) {
        CTreeCtrl::OnLButtonDown(nFlags, point);
        return;
    }
    ClickAt(point);
}

void CFileSystemTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    HitTest(point, &flags);
    SetPointer(flags, false);
    CTreeCtrl::OnLButtonUp(nFlags, point);
}

void CFileSystemTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    HitTest(point, &flags);
    SetPointer(flags, false);
    CTreeCtrl::OnMouseMove(nFlags, point);
}

void CFileSystemTreeCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (HTREEITEM item = GetSelectedItem()) {
        SelectItem(item);
        SetFocus();
        if (!GetItemText(item).IsEmpty() && m_choose)
            m_choose(item);
    }
    CTreeCtrl::OnKeyUp(nChar, nRepCnt, nFlags);
}
