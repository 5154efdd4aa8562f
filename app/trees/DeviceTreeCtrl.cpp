#include "app/trees/DeviceTreeCtrl.h"

#include "app/DiskTables.h"
#include "app/Ex_StyleApp.h"
#include "app/MainFrame.h"
#include "app/WizardState.h"
#include "app/lists/ResultListCtrl.h"
#include "app/pages/FirstDisplay.h"
#include "app/pages/FirstView_HDD.h"
#include "app/pages/SecondDisplay.h"
#include "app/pages/ThirdView_HDD.h"
#include "app/trees/TreeImages.h"
#include "engine/state/EngineState.h"
#include "engine/volume/PartitionDiscovery.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CDeviceTreeCtrl, CTreeCtrl)
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_KEYUP()
ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnKeyDownNotify)
ON_UPDATE_COMMAND_UI(ID_CHECK_TREE_ITEM, OnUpdateCheckSelected)
ON_UPDATE_COMMAND_UI(ID_UNCHECK_TREE_ITEM, OnUpdateUncheckSelected)
END_MESSAGE_MAP()

namespace {

const wchar_t kPhysicalDevices[] = L"Physical Devices";
const wchar_t kLogicalDevices[] = L"Logical Devices";
const wchar_t kVirtualHardDisk[] = L"Virtual Hard Disk ";

constexpr UINT kCheckMask = TVIS_STATEIMAGEMASK;

// The images of the normal list, in the order they are loaded.
const UINT kTreeIcons[] = {IDI_TREE_FOLDER, IDI_TREE_NETWORK, IDI_TREE_CD, IDI_TREE_REMOVABLE, IDI_TREE_FLOPPY,
    IDI_TREE_DISK, IDI_TREE_COMPUTER};
enum TreeImage { kImageCd = 2, kImageRemovable = 3, kImageFloppy = 4, kImageDisk = 5, kImageComputer = 6 };

}  // namespace

CDeviceTreeCtrl::CDeviceTreeCtrl() = default;

CDeviceTreeCtrl::~CDeviceTreeCtrl()
{
    if (m_menu.GetSafeHmenu() != nullptr)
        m_menu.DestroyMenu();
}

void CDeviceTreeCtrl::Init()
{
    LoadIconImages(m_images, kTreeIcons, sizeof(kTreeIcons) / sizeof(kTreeIcons[0]), 16);
    if (m_checks.GetSafeHandle() == nullptr)
        m_checks.Create(IDB_TREE_CHECKS, 16, 0, RGB(255, 255, 255));
    SetImageList(&m_images, TVSIL_NORMAL);
    SetImageList(&m_checks, TVSIL_STATE);
    m_itemCursor = AfxGetApp()->LoadCursor(IDC_TREE_ITEM_POINTER);
    m_areaCursor = AfxGetApp()->LoadCursor(IDC_HOVER_POINTER);
    m_pressCursor = AfxGetApp()->LoadCursor(IDC_PRESSED_POINTER);
}

bool CDeviceTreeCtrl::IsBranchHeader(const CString& text)
{
    return text == kLogicalDevices || text == kVirtualHardDisk || text == kPhysicalDevices;
}

int CDeviceTreeCtrl::ImageFor(HTREEITEM parent, const CString& text) const
{
    if (parent != nullptr && parent != TVI_ROOT)
        return kImageDisk;
    switch (GetDriveTypeW(text)) {
    case DRIVE_FIXED:
        return kImageDisk;
    case DRIVE_CDROM:
        return kImageCd;
    case DRIVE_REMOVABLE:
        return text.Left(1).CompareNoCase(L"A") == 0 ? kImageFloppy : kImageRemovable;
    default:
        break;
    }
    return text == L"My Computer" ? kImageComputer : kImageDisk;
}

HTREEITEM CDeviceTreeCtrl::FindChild(HTREEITEM parent, const CString& text) const
{
    HTREEITEM child = parent == TVI_ROOT ? GetRootItem() : GetChildItem(parent);
    for (; child != nullptr; child = GetNextSiblingItem(child))
        if (GetItemText(child) == text)
            return child;
    return nullptr;
}

HTREEITEM CDeviceTreeCtrl::InsertChild(HTREEITEM parent, const CString& text)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
    insert.item.pszText = const_cast<LPWSTR>(text.GetString());
    insert.item.iImage = insert.item.iSelectedImage = ImageFor(parent, text);
    insert.item.cChildren = 1;
    insert.item.state = INDEXTOSTATEIMAGEMASK(1);
    insert.item.stateMask = kCheckMask;
    return InsertItem(&insert);
}

HTREEITEM CDeviceTreeCtrl::AddPath(const CString& path)
{
    HTREEITEM parent = TVI_ROOT;
    HTREEITEM last = nullptr;
    int start = 0;
    while (start < path.GetLength()) {
        int end = path.Find(L'\\', start);
        if (end < 0)
            end = path.GetLength();
        const CString part = path.Mid(start, end - start);
        start = end + 1;
        if (part.IsEmpty())
            continue;
        HTREEITEM item = FindChild(parent, part);
        if (item == nullptr)
            item = InsertChild(parent, part);
        last = parent = item;
    }
    if (HTREEITEM root = GetRootItem()) {
        CheckWithChildren(root);
        if (last != nullptr)
            UpdateParents(last);
    }
    return last;
}

HTREEITEM CDeviceTreeCtrl::AddPartitionItem(const CString& diskText, const CString& partitionText)
{
    HTREEITEM disk = FindChild(TVI_ROOT, diskText);
    if (disk == nullptr)
        disk = InsertChild(TVI_ROOT, diskText);
    HTREEITEM partition = InsertChild(disk, partitionText);
    SetChecked(partition);
    UpdateParents(partition);
    return partition;
}

void CDeviceTreeCtrl::ExpandRoot()
{
    if (HTREEITEM root = GetRootItem())
        Expand(root, TVE_EXPAND);
}

int CDeviceTreeCtrl::GetCheck(HTREEITEM item) const
{
    if (item == nullptr)
        return -1;
    return static_cast<int>((GetItemState(item, kCheckMask) & kCheckMask) >> 12) - 1;
}

BOOL CDeviceTreeCtrl::IsBold(HTREEITEM item) const
{
    return item != nullptr && (GetItemState(item, TVIS_BOLD) & TVIS_BOLD) != 0;
}

void CDeviceTreeCtrl::SetState(HTREEITEM item, int checkIndex, BOOL bold)
{
    SetItemState(item, INDEXTOSTATEIMAGEMASK(checkIndex) | (bold ? TVIS_BOLD : 0), kCheckMask | TVIS_BOLD);
}

void CDeviceTreeCtrl::SetChecked(HTREEITEM item)
{
    if (item != nullptr)
        SetState(item, 2, TRUE);
}

void CDeviceTreeCtrl::SetUnchecked(HTREEITEM item)
{
    if (item != nullptr)
        SetState(item, 1, FALSE);
}

void CDeviceTreeCtrl::UncheckTree(HTREEITEM item)
{
    if (item == nullptr)
        return;
    SetUnchecked(item);
    for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child))
        UncheckTree(child);
}

void CDeviceTreeCtrl::CheckWithChildren(HTREEITEM item)
{
    if (item == nullptr)
        return;
    SetChecked(item);
    for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child))
        CheckWithChildren(child);
}

void CDeviceTreeCtrl::ToggleCheck(HTREEITEM item)
{
    if (item == nullptr)
        return;
    if (GetCheck(item) == 1) {
        UncheckTree(item);
    } else {
        SetChecked(item);
        if (IsBranchHeader(GetItemText(item))) {
            for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child))
                SetChecked(child);
            Expand(item, TVE_EXPAND);
        }
    }
    UpdateParents(item);
}

void CDeviceTreeCtrl::UpdateParents(HTREEITEM item)
{
    for (HTREEITEM parent = GetParentItem(item); parent != nullptr; parent = GetParentItem(parent)) {
        bool allChecked = true;
        bool anyBold = false;
        for (HTREEITEM child = GetChildItem(parent); child != nullptr; child = GetNextSiblingItem(child)) {
            if (GetCheck(child) == 0)
                allChecked = false;
            if (IsBold(child))
                anyBold = true;
        }
        SetState(parent, allChecked ? 2 : 1, anyBold);
    }
}

int CDeviceTreeCtrl::GetItemRow(HTREEITEM item) const
{
    if (item == nullptr)
        return -2;
    int above = 0;
    for (HTREEITEM visible = GetRootItem(); visible != nullptr; visible = GetNextVisibleItem(visible)) {
        if (visible == item)
            return above - 1;
        ++above;
    }
    return -2;
}

CString CDeviceTreeCtrl::GetItemPath(HTREEITEM item) const
{
    CString path;
    for (HTREEITEM it = item; it != nullptr; it = GetParentItem(it))
        path = path.IsEmpty() ? GetItemText(it) : GetItemText(it) + L"\\" + path;
    return path;
}

CString CDeviceTreeCtrl::OnSelectItem(HTREEITEM item)
{
    if (item == nullptr)
        return CString();
    const CString text = GetItemText(item);
    HTREEITEM parentItem = GetParentItem(item);
    const CString parent = parentItem != nullptr ? GetItemText(parentItem) : CString();
    CMainFrame* frame = WizardFrame();
    if (frame == nullptr)
        return text;
    CFirstDisplay* drivePane = frame->m_pFirstDisplay;
    CSecondDisplay* partitionPane = frame->m_pSecondDisplay;

    frame->m_strChosenItem = text;
    frame->m_nChosenItem = GetItemRow(item);
    const int row = frame->m_nChosenItem;
    if (frame->m_bStageSource) {
        if (drivePane != nullptr)
            drivePane->ResetPane();
        g_wSourceType = kSourceBranchHeader;
        g_strSelectedModeText.Empty();
    }

    if (text == kPhysicalDevices || text == kLogicalDevices) {
        if (drivePane != nullptr)
            drivePane->ResetPane();
        g_wSourceType = kSourceBranchHeader;
        g_strSelectedModeText.Empty();
    } else if (text == kVirtualHardDisk) {
        if (drivePane != nullptr)
            drivePane->ResetPane();
        if (g_nScanMode == kScanExtensive) {
            ChooseWholeDisk(g_wDeviceIndex);
            if (partitionPane != nullptr)
                partitionPane->ShowPartitionDetails(0, 0);
        } else if (partitionPane != nullptr) {
            partitionPane->ClearPartitionDetails();
        }
    }

    if (parent == kPhysicalDevices && frame->m_bStageSource) {
        const int disk = row - 1;
        if (drivePane != nullptr)
            drivePane->ShowDiskDetails(disk);
        if (disk >= 0 && disk < kMaxDevices) {
            g_wSourceType = kSourceDisk;
            g_wDeviceIndex = static_cast<uint16_t>(disk);
            WalkPartitionTable(0);
            if (drivePane != nullptr) {
                drivePane->ShowPartitionPie();
                drivePane->Invalidate();
            }
        }
    } else if (parent.Find(kLogicalDevices) >= 0 && frame->m_bStageSource) {
        // No list of logical drives is kept, so a drive item finds nothing to choose.
    } else if (parent == kVirtualHardDisk && frame->m_bStagePartition) {
        if (row >= 0 && static_cast<uint32_t>(row) < g_nPartitionCount) {
            const PartitionTableEntry& p = g_PartitionTable[row];
            g_VolumeParams.chosenFileSystemType = p.fileSystemType;
            g_VolumeParams.partitionSectors = p.sectorCount;
            g_VolumeParams.partitionStart = p.startSector;
            g_VolumeParams.partitionIndex = static_cast<uint16_t>(row);
            if (partitionPane != nullptr)
                partitionPane->ShowPartitionDetails(row, 0);
        }
    }

    if (g_wSourceType == kSourceDisk || g_wSourceType == kSourceLogicalDrive)
        g_strSelectedModeText = wizard::TreeModeText(g_nScanMode, g_wSourceType == kSourceLogicalDrive);

    if (CView* active = frame->GetActiveView())
        active->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return text;
}

void CDeviceTreeCtrl::SetPointer(UINT hitFlags)
{
    HCURSOR cursor = nullptr;
    if (hitFlags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMRIGHT | TVHT_ONITEMSTATEICON))
        cursor = m_pressCursor;
    else if (hitFlags & TVHT_ONITEMBUTTON)
        cursor = m_itemCursor;
    if (cursor != nullptr)
        ::SetCursor(cursor);
}

void CDeviceTreeCtrl::ClickAt(CPoint point)
{
    UINT flags = 0;
    HTREEITEM item = HitTest(point, &flags);
    if (item == nullptr)
        return;
    SelectItem(item);
    SetFocus();
    OnSelectItem(item);
    SetPointer(flags);
    if (flags & TVHT_ONITEMSTATEICON)
        ToggleCheck(item);
    if (flags & TVHT_ONITEMBUTTON)
        Expand(item, TVE_TOGGLE);
}

void CDeviceTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    if (HitTest(point, &flags) == nullptr) {
        CTreeCtrl::OnLButtonDown(nFlags, point);
        return;
    }
    // The tree handles its items itself: the control's own toggling of buttons and check boxes
    // would act a second time.
    ClickAt(point);
}

void CDeviceTreeCtrl::OnRButtonDown(UINT, CPoint point)
{
    if (HTREEITEM item = HitTest(point)) {
        SelectItem(item);
        SetFocus();
    }
}

void CDeviceTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    HitTest(point, &flags);
    ::SetCursor(flags & TVHT_ONITEM ? m_itemCursor : m_areaCursor);
    CTreeCtrl::OnLButtonUp(nFlags, point);
}

void CDeviceTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    HitTest(point, &flags);
    HCURSOR cursor = flags & TVHT_ONITEM ? m_itemCursor : m_areaCursor;
    if (cursor != nullptr)
        ::SetCursor(cursor);
    CTreeCtrl::OnMouseMove(nFlags, point);
}

void CDeviceTreeCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_UP || nChar == VK_DOWN)
        OnSelectItem(GetSelectedItem());
    CTreeCtrl::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CDeviceTreeCtrl::OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* key = reinterpret_cast<const NMTVKEYDOWN*>(pNMHDR);
    CMainFrame* frame = WizardFrame();
    CEx_StyleApp* app = WizardApp();
    if (frame == nullptr || app == nullptr)
        return;
    CWnd* page = nullptr;
    if (frame->m_bStageSource) {
        page = app->GetPage(CEx_StyleApp::kDrivePage);
    } else if (frame->m_bStagePartition) {
        page = app->GetPage(CEx_StyleApp::kPartitionPage);
    } else if (frame->m_bResultsReady || frame->m_bDeepResultsReady) {
        // Once the results are shown, Tab goes to the result list.
        if (auto* results = dynamic_cast<CThirdView_HDD*>(app->GetPage(CEx_StyleApp::kResultsPage));
            results != nullptr && key->wVKey == VK_TAB)
            results->List().SetFocus();
        return;
    }
    if (page == nullptr)
        return;
    if (key->wVKey == VK_TAB) {
        // The page takes the keyboard; the drive page begins its Next/Back ring again, the partition
        // page goes on with its own.
        page->SetFocus();
        if (auto* drive = dynamic_cast<CFirstView_HDD*>(page))
            drive->RestartKeyRing();
    } else if (key->wVKey == VK_RETURN) {
        page->PostMessage(WM_COMMAND, MAKEWPARAM(ID_PAGE_NEXT, BN_CLICKED), 0);
    }
}

// The two commands are update handlers: an update pass over the tree for them (a menu or bar that
// shows them, or the command itself, whose update comes first) checks or unchecks the selection.
void CDeviceTreeCtrl::OnUpdateCheckSelected(CCmdUI*)
{
    if (HTREEITEM item = GetSelectedItem()) {
        CheckWithChildren(item);
        UpdateParents(item);
    }
}

void CDeviceTreeCtrl::OnUpdateUncheckSelected(CCmdUI*)
{
    if (HTREEITEM item = GetSelectedItem()) {
        UncheckTree(item);
        UpdateParents(item);
    }
}
