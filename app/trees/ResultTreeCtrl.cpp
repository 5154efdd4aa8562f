#include "app/trees/ResultTreeCtrl.h"

#include "app/EngineText.h"

#include "app/dialogs/ProgressDialog.h"

#include <shellapi.h>

#include <algorithm>
#include <unordered_set>

#include "app/lists/ResultListCtrl.h"
#include "engine/listing/ResultListing.h"
#include "engine/state/EngineState.h"
#include "resource.h"
#include "ui/controls/win/ShellIconHelper.h"

IMPLEMENT_DYNAMIC(CResultTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CResultTreeCtrl, CTreeCtrl)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_CHAR()
ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnKeyDownNotify)
ON_NOTIFY_REFLECT(TVN_SELCHANGEDW, OnSelChanged)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

const wchar_t CResultTreeCtrl::kRootText[] = L"Root";

namespace {

constexpr UINT kCheckMask = TVIS_STATEIMAGEMASK;

}  // namespace

// What BuildResults has still to insert, kept between the slices of a build.
struct CResultTreeCtrl::BuildState {
    struct Folder {
        const char16_t* name;
        uint32_t key;
        bool deleted;
        uint32_t* treeItem;
    };
    HTREEITEM root = nullptr;
    size_t total = 0;
    // Folders: the folders by their parent's key, in list order; the keys still to be opened, each
    // with its item, depth first; the folders of the key being opened now.
    std::unordered_map<uint32_t, std::vector<Folder>> children;
    std::unordered_set<uint32_t> opened;
    std::vector<std::pair<uint32_t, HTREEITEM>> pending;
    std::vector<Folder>* current = nullptr;
    HTREEITEM currentParent = nullptr;
    size_t nextFolder = 0;
    std::vector<std::pair<uint32_t, HTREEITEM>> openedNow;
    // File Trace: the next traced file and the type folders made so far.
    const TracedFileRecord* nextTraced = nullptr;
    std::unordered_map<std::u16string, HTREEITEM> typeFolders;
    // After the items: the index, then the top folder's rows, each a bounded step at a time.
    enum class Phase { kItems, kIndex, kListing } phase = Phase::kItems;
    CFolderListing listing;
    std::vector<ResultRow> rows;
};

CResultTreeCtrl::CResultTreeCtrl() = default;

CResultTreeCtrl::~CResultTreeCtrl() = default;

void CResultTreeCtrl::Init(CImageList* smallImages)
{
    m_pSmallImages = smallImages;
    if (smallImages != nullptr)
        SetImageList(smallImages, TVSIL_NORMAL);
    if (m_checks.GetSafeHandle() == nullptr)
        m_checks.Create(IDB_TREE_CHECKS, 16, 0, RGB(255, 255, 255));
    SetImageList(&m_checks, TVSIL_STATE);
    m_itemCursor = AfxGetApp()->LoadCursor(IDC_HOVER_POINTER);
    m_boxCursor = AfxGetApp()->LoadCursor(IDC_TREE_BUSY_POINTER);
    m_buttonCursor = AfxGetApp()->LoadCursor(IDC_TREE_ITEM_POINTER);
}

int CResultTreeCtrl::FolderIcon() const
{
    return m_pSmallImages != nullptr ? morvick::ui::CShellIconHelper::GetFolderIconIndex(TRUE) : 0;
}

int CResultTreeCtrl::TopItemIcon() const
{
    // The top item ("Root") takes the fixed drive's picture, asked of the shell by its own index:
    // a fixed index 5 of the shared list is nothing at first and some file type's picture later.
    if (m_pSmallImages == nullptr)
        return 0;
    SHFILEINFOW info = {};
    if (SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON) == 0)
        return FolderIcon();
    return info.iIcon;
}

int CResultTreeCtrl::FileIcon(const CString& name) const
{
    return m_pSmallImages != nullptr ? morvick::ui::CShellIconHelper::GetFileIconIndex(name, TRUE) : 0;
}

// --- Building ----------------------------------------------------------------------------------

HTREEITEM CResultTreeCtrl::InsertItemWithIcon(const CString& text, HTREEITEM parent)
{
    const int image = parent == nullptr || parent == TVI_ROOT ? TopItemIcon() : FolderIcon();
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent != nullptr ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    insert.item.pszText = const_cast<LPWSTR>(text.GetString());
    insert.item.iImage = insert.item.iSelectedImage = image;
    insert.item.state = INDEXTOSTATEIMAGEMASK(1);
    insert.item.stateMask = kCheckMask;
    return InsertItem(&insert);
}

HTREEITEM CResultTreeCtrl::InsertChildUnique(const CString& text, HTREEITEM parent, bool isFile)
{
    for (HTREEITEM child = GetChildItem(parent); child != nullptr; child = GetNextSiblingItem(child)) {
        if (GetItemText(child) == text)
            return child;
    }
    HTREEITEM item = InsertItemWithIcon(text, parent);
    if (isFile && item != nullptr) {
        const int image = FileIcon(text);
        SetItemImage(item, image, image);
    }
    return item;
}

void CResultTreeCtrl::SetItemColour(HTREEITEM item, COLORREF colour)
{
    if (item != nullptr)
        m_colours[item] = colour;
}

COLORREF CResultTreeCtrl::ItemColour(HTREEITEM item) const
{
    auto it = m_colours.find(item);
    return it == m_colours.end() ? kDefaultColour : it->second;
}

void CResultTreeCtrl::ClearResults()
{
    // A build under way is given up; the tree draws again.
    if (m_pBuild != nullptr) {
        m_pBuild.reset();
        SetRedraw(TRUE);
    }
    m_bBuilding = true;
    m_colours.clear();
    m_tracedItemByKey.clear();
    m_tracedKeyByItem.clear();
    m_hListed = nullptr;
    DeleteAllItems();
    m_index.Clear();
    m_bBuilding = false;
    // Nothing is ticked any more: the size of the last ticks is no longer shown.
    m_nSelectedBytes = 0;
    if (CWnd* label = SizeLabel())
        label->SetWindowText(L"");
}

void CResultTreeCtrl::PrepareFolders(BuildState& state)
{
    // A key is opened once, so a folder that names one of its own ancestors as its parent stays a
    // leaf.
    uint32_t rootKey = CResultIndex::kFatRootKey;
    const bool ntfs = g_VolumeParams.browsedFileSystemType == FileSystemKind::kNtfs;
    state.total = ntfs ? g_NtfsFolders.count : g_FatFolders.count;
    if (ntfs) {
        rootKey = CResultIndex::kNtfsRootKey;
        for (NtfsFolderRecord* r = g_NtfsFolders.head; r != nullptr; r = r->next) {
            r->treeItem = 0;
            state.children[r->parentRecord].push_back({r->name, r->recordNumber, r->deleted != 0, &r->treeItem});
        }
    } else {
        for (FatFolderRecord* r = g_FatFolders.head; r != nullptr; r = r->next) {
            r->treeItem = 0;
            state.children[r->parentCluster].push_back({r->name, r->firstCluster, r->deleted != 0, &r->treeItem});
        }
    }
    state.opened.insert(rootKey);
    // Depth first without recursion: deep folder chains cannot exhaust the stack.
    state.pending.emplace_back(rootKey, state.root);
}

bool CResultTreeCtrl::InsertNextFolder(BuildState& state)
{
    while (state.current == nullptr || state.nextFolder == state.current->size()) {
        if (state.current != nullptr) {
            // Children are inserted in list order; their own children follow in that order too.
            state.pending.insert(state.pending.end(), state.openedNow.rbegin(), state.openedNow.rend());
            state.openedNow.clear();
            state.current = nullptr;
        }
        if (state.pending.empty())
            return false;
        const auto [key, parentItem] = state.pending.back();
        state.pending.pop_back();
        auto it = state.children.find(key);
        if (it != state.children.end()) {
            state.current = &it->second;
            state.currentParent = parentItem;
            state.nextFolder = 0;
        }
    }
    BuildState::Folder& folder = (*state.current)[state.nextFolder++];
    StepBuildProgress(state.total);
    HTREEITEM item = InsertItemWithIcon(ToCString(folder.name), state.currentParent);
    if (item == nullptr)
        return true;
    *folder.treeItem = TreeItemNumber(item);
    if (folder.deleted)
        SetItemColour(item, kDeletedColour);
    if (state.opened.insert(folder.key).second)
        state.openedNow.emplace_back(folder.key, item);
    return true;
}

bool CResultTreeCtrl::InsertNextTracedFile(BuildState& state)
{
    const TracedFileRecord* r = state.nextTraced;
    if (r == nullptr)
        return false;
    state.nextTraced = r->next;
    StepBuildProgress(state.total);
    const std::u16string typeName = r->typeName != nullptr ? r->typeName : u"";
    const std::u16string typeKey = CResultIndex::TypeKey(typeName);
    auto it = state.typeFolders.find(typeKey);
    if (it == state.typeFolders.end())
        it =
            state.typeFolders.emplace(typeKey, InsertChildUnique(ToCString(typeName.c_str()), state.root, false)).first;
    if (it->second == nullptr)
        return true;
    HTREEITEM file = InsertChildUnique(ToCString(r->name), it->second, true);
    if (file != nullptr && m_tracedItemByKey.emplace(r->hitNumber, file).second)
        m_tracedKeyByItem.emplace(file, r->hitNumber);
    return true;
}

void CResultTreeCtrl::StepBuildProgress(size_t total)
{
    const size_t done = m_nBuilt++;
    const int percent = static_cast<int>(std::min<uint64_t>(uint64_t{done} * 100 / (total == 0 ? 1 : total), 99));
    if (percent == m_nBuildPercent)
        return;
    m_nBuildPercent = percent;
    if (m_hProgressWnd != nullptr)
        ::SendMessageW(m_hProgressWnd, CProgressDialog::kSetPositionMessage, static_cast<WPARAM>(percent), 0);
}

void CResultTreeCtrl::BeginBuild()
{
    ClearResults();
    m_nSelectedBytes = 0;
    m_nBuilt = 0;
    m_nBuildPercent = 0;
    if (m_hProgressWnd != nullptr)
        ::SendMessageW(m_hProgressWnd, CProgressDialog::kSetPositionMessage, 0, 0);
    m_bBuilding = true;
    SetRedraw(FALSE);
    m_pBuild = std::make_unique<BuildState>();
    m_pBuild->root = InsertItemWithIcon(kRootText, nullptr);
    if (m_pBuild->root == nullptr)
        return;
    if (g_nScanMode == kScanFileTrace) {
        m_pBuild->total = g_TracedFiles.count;
        m_pBuild->nextTraced = g_TracedFiles.head;
    } else {
        PrepareFolders(*m_pBuild);
    }
}

bool CResultTreeCtrl::ContinueBuild(DWORD budgetMs)
{
    if (m_pBuild == nullptr)
        return true;
    BuildState& state = *m_pBuild;
    const DWORD start = GetTickCount();
    auto spent = [&] { return budgetMs != INFINITE && GetTickCount() - start >= budgetMs; };
    if (state.phase == BuildState::Phase::kItems) {
        const bool traced = g_nScanMode == kScanFileTrace;
        for (unsigned inserted = 1; state.root != nullptr; ++inserted) {
            if (!(traced ? InsertNextTracedFile(state) : InsertNextFolder(state)))
                break;
            // The clock is read now and then: an item takes microseconds.
            if (budgetMs != INFINITE && inserted % 64 == 0 && spent())
                return false;
        }
        // Every item is in: the tree draws again, its top item opened and selected (the selection
        // lists nothing while the build goes on).
        SetRedraw(TRUE);
        if (state.root != nullptr) {
            Expand(state.root, TVE_EXPAND);
            SelectItem(state.root);
        }
        m_index.BeginBuild();
        state.phase = BuildState::Phase::kIndex;
        if (spent())
            return false;
    }
    if (state.phase == BuildState::Phase::kIndex) {
        while (!m_index.ContinueBuild(kBuildStepRecords)) {
            if (spent())
                return false;
        }
        state.phase = BuildState::Phase::kListing;
        if (!BeginRootListing(state))
            return FinishBuild();
        if (spent())
            return false;
    }
    while (!ContinueRootListing(state)) {
        if (spent())
            return false;
    }
    return FinishBuild();
}

bool CResultTreeCtrl::BeginRootListing(BuildState& state)
{
    if (m_pList == nullptr || state.root == nullptr)
        return false;
    if (m_index.IsFileTrace())
        state.listing.BeginTraced(0, u"Root");
    else if (m_index.IsNtfs())
        state.listing.BeginNtfs(m_index.RootKey());
    else
        state.listing.BeginFat(m_index.RootKey());
    m_hListed = state.root;
    m_pList->ShowRows({});
    return true;
}

bool CResultTreeCtrl::ContinueRootListing(BuildState& state)
{
    state.rows.clear();
    const bool complete = state.listing.Continue(kBuildStepRecords, state.rows);
    if (!state.rows.empty()) {
        const int first = m_pList->GetItemCount();
        m_pList->AppendRows(state.rows);
        RefreshListCheckStates(first, m_pList->GetItemCount());
    }
    return complete;
}

bool CResultTreeCtrl::FinishBuild()
{
    m_pBuild.reset();
    m_bBuilding = false;
    Invalidate();
    return true;
}

HTREEITEM CResultTreeCtrl::BuildResults()
{
    BeginBuild();
    ContinueBuild(INFINITE);
    return GetRootItem();
}

// --- Check boxes -------------------------------------------------------------------------------

int CResultTreeCtrl::GetCheck(HTREEITEM item) const
{
    if (item == nullptr)
        return -1;
    return static_cast<int>((GetItemState(item, kCheckMask) & kCheckMask) >> 12) - 1;
}

void CResultTreeCtrl::SetStateIndex(HTREEITEM item, int index, bool bold)
{
    SetItemState(item, INDEXTOSTATEIMAGEMASK(index) | (bold ? TVIS_BOLD : 0), kCheckMask | TVIS_BOLD);
}

void CResultTreeCtrl::CheckItem(HTREEITEM item)
{
    if (item == nullptr)
        return;
    SetStateIndex(item, 2, true);
    if (m_pList != nullptr) {
        m_pList->Sets().checkedItems.insert(TreeItemNumber(item));
        m_pList->Sets().checkedItemsByName.insert(TreeItemNumber(item));
    }
}

void CResultTreeCtrl::UncheckItem(HTREEITEM item)
{
    if (item == nullptr)
        return;
    SetStateIndex(item, 1, false);
    if (m_pList != nullptr) {
        m_pList->Sets().checkedItems.erase(TreeItemNumber(item));
        m_pList->Sets().checkedItemsByName.erase(TreeItemNumber(item));
    }
}

void CResultTreeCtrl::SetPartial(HTREEITEM item)
{
    if (item != nullptr)
        SetItemState(item, INDEXTOSTATEIMAGEMASK(3), kCheckMask);
}

const std::vector<uint32_t>* CResultTreeCtrl::DirectFiles(HTREEITEM item) const
{
    if (item == nullptr || !m_index.IsBuilt())
        return nullptr;
    if (m_index.IsFileTrace())
        return IsTypeFolder(item) ? &m_index.FilesOfType(ToU16(GetItemText(item))) : nullptr;
    uint32_t key = 0;
    return FolderKeyOf(item, key) ? &m_index.FilesIn(key) : nullptr;
}

void CResultTreeCtrl::SetSubtree(HTREEITEM item, bool checked)
{
    std::vector<HTREEITEM> pending{item};
    std::unordered_set<uint32_t>* entries = m_pList != nullptr ? &m_pList->Sets().checkedEntries : nullptr;
    while (!pending.empty()) {
        HTREEITEM current = pending.back();
        pending.pop_back();
        if (checked)
            CheckItem(current);
        else
            UncheckItem(current);
        uint32_t tracedKey = 0;
        if (entries != nullptr) {
            if (IsTracedFileItem(current, &tracedKey)) {
                if (checked)
                    entries->insert(tracedKey);
                else
                    entries->erase(tracedKey);
            } else if (!m_index.IsFileTrace()) {
                if (const std::vector<uint32_t>* files = DirectFiles(current)) {
                    for (uint32_t key : *files) {
                        if (checked)
                            entries->insert(key);
                        else
                            entries->erase(key);
                    }
                }
            }
        }
        for (HTREEITEM child = GetChildItem(current); child != nullptr; child = GetNextSiblingItem(child))
            pending.push_back(child);
    }
}

void CResultTreeCtrl::SetCheck(HTREEITEM item, bool checked)
{
    if (item == nullptr)
        return;
    SetSubtree(item, checked);
    if (HTREEITEM parent = GetParentItem(item))
        UpdateFromContents(parent);
    ShowSelectedSize();
}

uint64_t CResultTreeCtrl::ComputeTickedBytes() const
{
    if (m_pList == nullptr || !m_index.IsBuilt() || m_index.IsFileTrace())
        return 0;
    HTREEITEM root = GetRootItem();
    SaveSelection selection;
    for (HTREEITEM item : SaveRoots()) {
        if (item != root) {
            selection.folderItems.push_back(TreeItemNumber(item));
            continue;
        }
        // The top item has no folder record: its folders stand for it, its files follow.
        for (HTREEITEM child = GetChildItem(root); child != nullptr; child = GetNextSiblingItem(child))
            selection.folderItems.push_back(TreeItemNumber(child));
    }
    const auto& entries = m_pList->Sets().checkedEntries;
    for (uint32_t key : m_index.AllFiles()) {
        if (!entries.count(key))
            continue;
        const ResultFileInfo* file = m_index.FileByKey(key);
        HTREEITEM folder = file != nullptr ? ItemOfFolderKey(file->parentKey) : nullptr;
        // A file of a ticked folder is counted with that folder.
        if (folder == nullptr || folder == root || GetCheck(folder) != 1)
            selection.fileKeys.push_back(key);
    }
    return ComputeSelectedSize(selection);
}

CWnd* CResultTreeCtrl::SizeLabel() const
{
    // The results page's size label: the nearest window above the tree that has one.
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    for (CWnd* parent = GetParent(); parent != nullptr; parent = parent->GetParent()) {
        if (CWnd* label = parent->GetDlgItem(IDC_RESULT_LABEL))
            return label;
    }
    return nullptr;
}

void CResultTreeCtrl::ShowSelectedSize()
{
    m_nSelectedBytes = ComputeTickedBytes();
    if (CWnd* label = SizeLabel())
        label->SetWindowText(ToCString(SelectedSizeText(m_nSelectedBytes).c_str()));
}

void CResultTreeCtrl::ToggleCheck(HTREEITEM item)
{
    SetCheck(item, GetCheck(item) == 0);
}

void CResultTreeCtrl::UncheckItemAndChildren(HTREEITEM item)
{
    if (item == nullptr)
        return;
    SetSubtree(item, false);
    ShowSelectedSize();
}

bool CResultTreeCtrl::AllChildrenChecked(HTREEITEM item) const
{
    for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child)) {
        if (GetCheck(child) != 1)
            return false;
    }
    return true;
}

bool CResultTreeCtrl::AllChildrenUnchecked(HTREEITEM item) const
{
    for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child)) {
        if (GetCheck(child) != 0)
            return false;
    }
    return true;
}

bool CResultTreeCtrl::FolderHasFiles(HTREEITEM item) const
{
    if (m_index.IsFileTrace())
        return false;
    const std::vector<uint32_t>* files = DirectFiles(item);
    return files != nullptr && !files->empty();
}

bool CResultTreeCtrl::FolderFilesChecked(HTREEITEM item) const
{
    if (m_index.IsFileTrace() || m_pList == nullptr)
        return false;
    const std::vector<uint32_t>* files = DirectFiles(item);
    if (files == nullptr || files->empty())
        return false;
    // All its files, not the first one only: a folder with one file unticked is not saved whole.
    const auto& entries = m_pList->Sets().checkedEntries;
    return std::all_of(files->begin(), files->end(), [&](uint32_t key) { return entries.count(key) != 0; });
}

bool CResultTreeCtrl::AnyFolderFileChecked(HTREEITEM item) const
{
    if (m_index.IsFileTrace() || m_pList == nullptr)
        return false;
    const std::vector<uint32_t>* files = DirectFiles(item);
    if (files == nullptr)
        return false;
    // Unticked only when none of its files is: one ticked file keeps the folder partly ticked.
    const auto& entries = m_pList->Sets().checkedEntries;
    return std::any_of(files->begin(), files->end(), [&](uint32_t key) { return entries.count(key) != 0; });
}

void CResultTreeCtrl::UpdateFromContents(HTREEITEM item)
{
    for (HTREEITEM current = item; current != nullptr; current = GetParentItem(current)) {
        uint32_t tracedKey = 0;
        if (IsTracedFileItem(current, &tracedKey)) {
            const bool ticked = m_pList != nullptr && m_pList->Sets().checkedEntries.count(tracedKey) != 0;
            if (ticked)
                CheckItem(current);
            else
                UncheckItem(current);
            continue;
        }
        const bool hasChildren = GetChildItem(current) != nullptr;
        const bool hasFiles = FolderHasFiles(current);
        if (!hasChildren && !hasFiles)
            continue;  // an empty folder keeps its own box
        const bool allChecked = AllChildrenChecked(current) && (!hasFiles || FolderFilesChecked(current));
        const bool noneChecked = AllChildrenUnchecked(current) && !AnyFolderFileChecked(current);
        if (allChecked)
            CheckItem(current);
        else if (noneChecked)
            UncheckItem(current);
        else
            SetPartial(current);
    }
}

void CResultTreeCtrl::SetFileChecked(uint32_t key, bool checked)
{
    if (m_pList == nullptr)
        return;
    auto& entries = m_pList->Sets().checkedEntries;
    if (checked)
        entries.insert(key);
    else
        entries.erase(key);
    HTREEITEM folder = nullptr;
    if (m_index.IsFileTrace()) {
        folder = TracedFileItem(key);
    } else if (const ResultFileInfo* file = m_index.FileByKey(key)) {
        folder = ItemOfFolderKey(file->parentKey);
    }
    if (folder != nullptr)
        UpdateFromContents(folder);
    ShowSelectedSize();
}

// --- Queries -----------------------------------------------------------------------------------

bool CResultTreeCtrl::FolderKeyOf(HTREEITEM item, uint32_t& key) const
{
    if (item == nullptr || m_index.IsFileTrace())
        return false;
    // The top item has no folder record: it stands for the root folder, whose files it counts.
    if (item == GetRootItem()) {
        key = m_index.RootKey();
        return true;
    }
    if (const ResultFolderInfo* folder = m_index.FolderByItem(TreeItemNumber(item))) {
        key = folder->key;
        return true;
    }
    return false;
}

HTREEITEM CResultTreeCtrl::ItemOfFolderKey(uint32_t key) const
{
    if (m_index.IsFileTrace())
        return nullptr;
    if (key == m_index.RootKey())
        return GetRootItem();
    const ResultFolderInfo* folder = m_index.FolderByKey(key);
    return folder != nullptr ? TreeItemFromNumber(folder->item) : nullptr;
}

bool CResultTreeCtrl::IsTypeFolder(HTREEITEM item) const
{
    return m_index.IsFileTrace() && item != nullptr && GetParentItem(item) == GetRootItem() && GetRootItem() != nullptr;
}

HTREEITEM CResultTreeCtrl::TypeFolderOf(const CString& typeName) const
{
    HTREEITEM root = GetRootItem();
    if (root == nullptr)
        return nullptr;
    for (HTREEITEM child = GetChildItem(root); child != nullptr; child = GetNextSiblingItem(child)) {
        if (GetItemText(child).CompareNoCase(typeName) == 0)
            return child;
    }
    return nullptr;
}

bool CResultTreeCtrl::IsTracedFileItem(HTREEITEM item, uint32_t* key) const
{
    auto it = m_tracedKeyByItem.find(item);
    if (it == m_tracedKeyByItem.end())
        return false;
    if (key != nullptr)
        *key = it->second;
    return true;
}

HTREEITEM CResultTreeCtrl::TracedFileItem(uint32_t key) const
{
    auto it = m_tracedItemByKey.find(key);
    return it == m_tracedItemByKey.end() ? nullptr : it->second;
}

CString CResultTreeCtrl::GetItemPath(HTREEITEM item) const
{
    if (item == nullptr)
        return CString();
    HTREEITEM root = GetRootItem();
    if (item == root)
        return GetItemText(item);
    CString path = GetItemText(item);
    for (HTREEITEM parent = GetParentItem(item); parent != nullptr && parent != root; parent = GetParentItem(parent)) {
        CString text = GetItemText(parent);
        if (text.IsEmpty() || text[text.GetLength() - 1] != L'\\')
            text += L'\\';
        path = text + path;
    }
    return path;
}

HTREEITEM CResultTreeCtrl::GetNextItemPreOrder(HTREEITEM item) const
{
    if (item == nullptr)
        return nullptr;
    if (HTREEITEM child = GetChildItem(item))
        return child;
    for (HTREEITEM current = item; current != nullptr; current = GetParentItem(current)) {
        if (HTREEITEM sibling = GetNextSiblingItem(current))
            return sibling;
    }
    return nullptr;
}

std::vector<HTREEITEM> CResultTreeCtrl::SaveRoots() const
{
    std::vector<HTREEITEM> roots;
    HTREEITEM item = GetRootItem();
    while (item != nullptr) {
        if (GetCheck(item) == 1) {
            roots.push_back(item);
            // Everything below it is saved with it: go on after its subtree.
            HTREEITEM next = nullptr;
            for (HTREEITEM current = item; current != nullptr && next == nullptr; current = GetParentItem(current))
                next = GetNextSiblingItem(current);
            item = next;
            continue;
        }
        item = GetNextItemPreOrder(item);
    }
    return roots;
}

ResultSaveChoice CResultTreeCtrl::CollectSaveChoice() const
{
    ResultSaveChoice choice;
    if (m_pList == nullptr || !m_index.IsBuilt())
        return choice;
    const auto& entries = m_pList->Sets().checkedEntries;
    if (m_index.IsFileTrace()) {
        // Traced files have no folders on the disk: each ticked file is saved by itself.
        for (uint32_t key : m_index.AllFiles()) {
            if (entries.count(key))
                choice.selection.fileKeys.push_back(key);
        }
        return choice;
    }
    HTREEITEM root = GetRootItem();
    if (root != nullptr && GetCheck(root) == 1) {
        choice.wholeVolume = true;
        return choice;
    }
    for (HTREEITEM item : SaveRoots())
        choice.selection.folderItems.push_back(TreeItemNumber(item));
    for (uint32_t key : m_index.AllFiles()) {
        if (!entries.count(key))
            continue;
        const ResultFileInfo* file = m_index.FileByKey(key);
        HTREEITEM folder = file != nullptr ? ItemOfFolderKey(file->parentKey) : nullptr;
        // A file of a ticked folder is saved with that folder.
        if (folder == nullptr || GetCheck(folder) != 1)
            choice.selection.fileKeys.push_back(key);
    }
    return choice;
}

// --- Listing -----------------------------------------------------------------------------------

void CResultTreeCtrl::ListItem(HTREEITEM item)
{
    if (m_pList == nullptr || item == nullptr || !m_index.IsBuilt())
        return;
    std::vector<ResultRow> rows;
    HTREEITEM listed = item;
    if (m_index.IsFileTrace()) {
        // A traced file is no folder: its type folder is listed, with the file among its rows.
        if (IsTracedFileItem(item))
            listed = GetParentItem(item);
        if (listed == GetRootItem())
            rows = ListTracedFiles(0, u"Root");
        else if (listed != nullptr)
            rows = ListTracedFiles(1, ToU16(GetItemText(listed)));
    } else {
        uint32_t key = 0;
        if (!FolderKeyOf(item, key))
            return;
        rows = m_index.IsNtfs() ? ListNtfsFolder(key) : ListFatFolder(key);
    }
    m_hListed = listed;
    m_pList->ShowRows(rows);
    RefreshListCheckStates();
}

void CResultTreeCtrl::RefreshListCheckStates()
{
    if (m_pList != nullptr)
        RefreshListCheckStates(0, m_pList->GetItemCount());
}

void CResultTreeCtrl::RefreshListCheckStates(int firstRow, int endRow)
{
    if (m_pList == nullptr)
        return;
    const auto& entries = m_pList->Sets().checkedEntries;
    for (int row = firstRow; row < endRow; ++row) {
        const CResultListCtrl::RowInfo* info = m_pList->Row(row);
        if (info == nullptr)
            continue;
        bool checked = false;
        switch (info->kind) {
        case ResultRowKind::kParent:
            continue;
        case ResultRowKind::kFile:
            checked = info->hasKey && entries.count(info->key) != 0;
            break;
        case ResultRowKind::kFolder:
            // A folder row shows its tree item's own box: a partly ticked folder stays in the
            // checked-item set and would show ticked.
            if (m_index.IsFileTrace()) {
                HTREEITEM folder = TypeFolderOf(ToCString(info->name.c_str()));
                checked = folder != nullptr && GetCheck(folder) == 1;
            } else {
                checked = info->hasKey && GetCheck(TreeItemFromNumber(info->key)) == 1;
            }
            break;
        }
        if (checked)
            m_pList->SetChecked(row);
        else
            m_pList->SetUnchecked(row);
    }
}

// --- Mouse and keys ----------------------------------------------------------------------------

void CResultTreeCtrl::ClickAt(CPoint point)
{
    UINT flags = 0;
    HTREEITEM item = HitTest(point, &flags);
    if (item == nullptr)
        return;
    if (flags & TVHT_ONITEMSTATEICON) {
        if (m_boxCursor != nullptr)
            ::SetCursor(m_boxCursor);
        // Ticked or cleared with all it holds, the parents in step, on NTFS and in File Trace as on
        // FAT: a rule read from the list's rows acted on the folder listed last, not the one clicked.
        ToggleBox(item);
        return;
    }
    if (flags & TVHT_ONITEMBUTTON) {
        Expand(item, TVE_TOGGLE);
        return;
    }
    // The lines left of a row are on no part of its item.
    if (!(flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON | TVHT_ONITEMRIGHT)))
        return;
    if (m_itemCursor != nullptr)
        ::SetCursor(m_itemCursor);
    SetFocus();
    if (GetSelectedItem() == item)
        ListItem(item);  // the same folder again: its rows anew
    else
        SelectItem(item);
}

void CResultTreeCtrl::ToggleBox(HTREEITEM item)
{
    if (item == nullptr)
        return;
    ToggleCheck(item);
    RefreshListCheckStates();
    if (m_pList != nullptr)
        m_pList->Invalidate(FALSE);
    Invalidate(FALSE);
}

void CResultTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (HitTest(point) == nullptr) {
        CTreeCtrl::OnLButtonDown(nFlags, point);
        return;
    }
    // The tree does the item's work itself, as the button goes down, where the control would act:
    // left to the control until the button came up, its own toggling acted a second time.
    ClickAt(point);
}

void CResultTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    HTREEITEM item = HitTest(point, &flags);
    if (item != nullptr && (flags & (TVHT_ONITEMSTATEICON | TVHT_ONITEMBUTTON))) {
        ClickAt(point);  // a quick second click on a box or a button is a second click
        return;
    }
    CTreeCtrl::OnLButtonDblClk(nFlags, point);
}

void CResultTreeCtrl::OnRButtonDown(UINT, CPoint point)
{
    HTREEITEM item = HitTest(point);
    if (item == nullptr)
        return;
    SelectItem(item);
    SetFocus();
    if (item == GetRootItem())
        return;
    CPoint screen = point;
    ClientToScreen(&screen);
    ShowContextMenu(item, screen);
}

void CResultTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    UINT flags = 0;
    if (HitTest(point, &flags) != nullptr) {
        HCURSOR cursor = m_itemCursor;
        if (flags & TVHT_ONITEMSTATEICON)
            cursor = m_boxCursor;
        else if (flags & TVHT_ONITEMBUTTON)
            cursor = m_buttonCursor;
        if (cursor != nullptr)
            ::SetCursor(cursor);
    }
    CTreeCtrl::OnMouseMove(nFlags, point);
}

void CResultTreeCtrl::OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* key = reinterpret_cast<const NMTVKEYDOWN*>(pNMHDR);
    HTREEITEM item = GetSelectedItem();
    // Up and Down repaint nothing more: the control draws its items' colours itself, nothing is
    // painted over it that a move of the selection could leave behind.
    if (key->wVKey == VK_TAB) {
        if (m_pList != nullptr)
            m_pList->SetFocus();
    } else if (key->wVKey == VK_APPS && item != nullptr) {
        CRect label;
        GetItemRect(item, &label, TRUE);
        CPoint centre = label.CenterPoint();
        ClientToScreen(&centre);
        ShowContextMenu(item, centre);
    }
}

void CResultTreeCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE) {
        // The box of the selected item, as a click on it: the control's own toggle knows nothing of
        // partly checked items, nor of the files and the folders above that follow a box.
        ToggleBox(GetSelectedItem());
        return;
    }
    CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CResultTreeCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        // The key is let go: the folder it came to is listed, once, however long it was held.
        if (HTREEITEM item = GetSelectedItem()) {
            SelectItem(item);
            SetFocus();
            ListItem(item);
        }
        break;
    default:
        // Any other key that moved the selection (a first letter typed, Backspace to the parent)
        // lists where it came to as well, or the list would go on showing another folder's rows.
        if (HTREEITEM item = m_bKeySelectionPending ? GetSelectedItem() : nullptr)
            ListItem(item);
        break;
    }
    m_bKeySelectionPending = false;
    CTreeCtrl::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CResultTreeCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == L' ')
        return;  // the space toggled a box: it searches for no item
    CTreeCtrl::OnChar(nChar, nRepCnt, nFlags);
}

void CResultTreeCtrl::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bBuilding)
        return;
    const auto* change = reinterpret_cast<const NMTREEVIEWW*>(pNMHDR);
    // The keys list their folder when they are let go (a held key would list every folder it
    // passes); a click and the program's own choices of an item list it at once.
    if (change->action == TVC_BYKEYBOARD) {
        m_bKeySelectionPending = true;
        return;
    }
    if (change->itemNew.hItem != nullptr)
        ListItem(change->itemNew.hItem);
}

void CResultTreeCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = m_colours.empty() ? CDRF_DODEFAULT : CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return;
    // The control draws its own text in the item's colour (bold from the item's state), rather than
    // having it painted a second time over its own, which blurred wherever the two differed by a pixel.
    HTREEITEM item = reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec);
    const COLORREF colour = ItemColour(item);
    // A selected item keeps the selection's colours while the tree has the focus.
    const bool selected = (draw->nmcd.uItemState & CDIS_SELECTED) != 0 && GetFocus() == this;
    if (colour != kDefaultColour && !selected)
        draw->clrText = colour;
}

void CResultTreeCtrl::ShowContextMenu(HTREEITEM item, CPoint screen)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_RESULT_TREE_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (popup == nullptr)
        return;
    if (g_nScanMode == kScanFileTrace) {
        popup->DeleteMenu(ID_FIND_FILES, MF_BYCOMMAND);
        popup->DeleteMenu(ID_RECOVERY_SETTINGS, MF_BYCOMMAND);
        popup->DeleteMenu(ID_SHOW_PROPERTIES, MF_BYCOMMAND);
    }
    const UINT command = CResultListCtrl::TrackMenu(popup, screen.x, screen.y, this);
    menu.DestroyMenu();
    if (command != 0 && m_pCommands != nullptr)
        m_pCommands->RunResultCommand(command, item);
}
