// CResultTreeCtrl: the left pane of the results page, the folders a scan found (File Trace: one
// folder per file type, holding the traced files) under the top item "Root". Every item has a check
// box in its state image (1 unchecked, 2 checked, 3 partly checked) and a checked item is bold.
// Ticking a folder ticks everything below it and all its files; its parents become checked when
// all they hold is checked and partly checked while it differs. The tree handles the hits on its
// boxes and Space itself, on FAT and NTFS alike, and lists the selected folder in the result list:
// at once for a click, when the key that moved the selection is released.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "app/lists/ResultIndex.h"
#include "app/trees/TreeItemNumbers.h"
#include "engine/listing/ResultListing.h"
#include "classlib/win/AfxWin.h"
#include "engine/save/FolderTreeSave.h"

class CResultListCtrl;
class IResultCommands;

// What a save of the ticked items writes: the whole volume (the top item is ticked), or the topmost
// ticked folders with their subtrees and the ticked files outside them.
struct ResultSaveChoice {
    bool wholeVolume = false;
    SaveSelection selection;
    bool Empty() const { return !wholeVolume && selection.folderItems.empty() && selection.fileKeys.empty(); }
};

class CResultTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CResultTreeCtrl)
public:
    static constexpr COLORREF kDefaultColour = 0xFFFFFFFF;
    static constexpr COLORREF kDeletedColour = RGB(255, 0, 0);
    static const wchar_t kRootText[];  // "Root"
    // The tree's own styles: buttons, lines, lines at the root, the selection always shown, boxes.
    static constexpr DWORD kTreeStyle =
        TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_CHECKBOXES;

    CResultTreeCtrl();
    ~CResultTreeCtrl() override;

    // The check boxes, the pointers and the images (the shell's small images, not owned).
    void Init(CImageList* smallImages);
    void SetResultList(CResultListCtrl* list) { m_pList = list; }
    void SetCommands(IResultCommands* commands) { m_pCommands = commands; }
    CResultIndex& Index() { return m_index; }
    const CResultIndex& Index() const { return m_index; }

    // The tree of the engine's lists for the current scan mode and file system: the top item
    // "Root", the folders below it (each folder record keeps its item), the index; the top item is
    // selected and listed. Returns the top item. While a progress window is set, it is sent 0 first
    // and then, as the folders (File Trace: the traced files) go in, their share in percent, at most
    // 99 (CProgressDialog::kSetPositionMessage), whenever that share changes.
    HTREEITEM BuildResults();
    // The same in slices, so that the window goes on painting and answering meanwhile: BeginBuild
    // empties the tree and puts in the top item; each ContinueBuild works for about budgetMs
    // milliseconds (INFINITE: to the end; 0: a step) and returns true once the tree is complete,
    // indexed and its top item listed. The items go in first, then the index and the top folder's
    // rows, each a bounded number of records at a time.
    static constexpr size_t kBuildStepRecords = 512;
    void BeginBuild();
    bool ContinueBuild(DWORD budgetMs);
    bool IsBuilding() const { return m_pBuild != nullptr; }
    // The share of the items inserted so far in percent, at most 99 until the build is over.
    int BuildPercent() const { return m_nBuildPercent; }
    // The progress window of BuildResults (the snapshot loader's dialog); null for none.
    void SetProgressWindow(HWND window) { m_hProgressWnd = window; }
    // Every item, the colours and the index dropped.
    void ClearResults();
    HTREEITEM RootItem() const { return GetRootItem(); }

    HTREEITEM InsertItemWithIcon(const CString& text, HTREEITEM parent);
    // An existing direct child of that text (case-sensitive), else a new one (a file gets its icon).
    HTREEITEM InsertChildUnique(const CString& text, HTREEITEM parent, bool isFile);
    void SetItemColour(HTREEITEM item, COLORREF colour);
    COLORREF ItemColour(HTREEITEM item) const;

    // -1 no box, 0 unchecked, 1 checked, 2 partly checked.
    int GetCheck(HTREEITEM item) const;
    // The box alone: checked and bold (and in the list's item sets), unchecked, partly checked.
    void CheckItem(HTREEITEM item);
    void UncheckItem(HTREEITEM item);
    void SetPartial(HTREEITEM item);
    // Ticks or clears an item with everything below it and its files, then brings the parents in step.
    void SetCheck(HTREEITEM item, bool checked);
    // An unchecked item becomes checked; a checked or partly checked one unchecked.
    void ToggleCheck(HTREEITEM item);
    // Clears the item and everything below it (after a save).
    void UncheckItemAndChildren(HTREEITEM item);
    bool AllChildrenChecked(HTREEITEM item) const;
    bool AllChildrenUnchecked(HTREEITEM item) const;
    // The files directly in the item's folder: any at all, all ticked, any ticked.
    bool FolderHasFiles(HTREEITEM item) const;
    bool FolderFilesChecked(HTREEITEM item) const;
    bool AnyFolderFileChecked(HTREEITEM item) const;
    // A file's box (from the list): the file's key ticked or cleared, its folder and the parents follow.
    void SetFileChecked(uint32_t key, bool checked);
    // The item's box from what it holds, then its parents', up to the top item.
    void UpdateFromContents(HTREEITEM item);

    // The bytes of the ticked files (those below the ticked folders included; nothing for File
    // Trace): counted whenever a box changes and shown in the results page's size label ("Selected
    // Size : 1 MB"); none at the start of new results.
    uint64_t SelectedBytes() const { return m_nSelectedBytes; }
    uint64_t ComputeTickedBytes() const;

    // The item's path below the top item ("DIR1\SUB"); the top item gives its own text.
    CString GetItemPath(HTREEITEM item) const;
    HTREEITEM GetNextItemPreOrder(HTREEITEM item) const;
    // The ticked items with no ticked item above them, in the tree's order (the top item included).
    std::vector<HTREEITEM> SaveRoots() const;
    // What Recover Selected saves; empty when nothing is ticked.
    ResultSaveChoice CollectSaveChoice() const;

    // The folder of an item: its key (the top item: the root's key); false for no folder.
    bool FolderKeyOf(HTREEITEM item, uint32_t& key) const;
    // The item of a folder key (the root key: the top item); null when none.
    HTREEITEM ItemOfFolderKey(uint32_t key) const;
    // File Trace: the type folders (children of the top item) and the traced files (their children).
    bool IsTypeFolder(HTREEITEM item) const;
    HTREEITEM TypeFolderOf(const CString& typeName) const;
    bool IsTracedFileItem(HTREEITEM item, uint32_t* key = nullptr) const;
    HTREEITEM TracedFileItem(uint32_t key) const;

    // Lists the item's folder in the result list and gives its rows their boxes.
    void ListItem(HTREEITEM item);
    HTREEITEM ListedItem() const { return m_hListed; }
    // The rows' boxes from the ticked files and items.
    void RefreshListCheckStates();

    // What a click at a client point does (the tests call it without the mouse).
    void ClickAt(CPoint point);
    // What a click on the item's box does (also Space on the selected item).
    void ToggleBox(HTREEITEM item);
    void ShowContextMenu(HTREEITEM item, CPoint screen);

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void SetStateIndex(HTREEITEM item, int index, bool bold);
    // The box and the files of an item and of everything below it.
    void SetSubtree(HTREEITEM item, bool checked);
    // The keys of the files that the item's folder holds directly.
    const std::vector<uint32_t>* DirectFiles(HTREEITEM item) const;
    struct BuildState;
    void PrepareFolders(BuildState& state);
    // One more item of a build; false when there is none left.
    bool InsertNextFolder(BuildState& state);
    bool InsertNextTracedFile(BuildState& state);
    // The top folder's rows in the list during a build: begun (false without a list or a top item),
    // then a step at a time (true once all are in).
    bool BeginRootListing(BuildState& state);
    bool ContinueRootListing(BuildState& state);
    bool FinishBuild();
    void ShowSelectedSize();
    CWnd* SizeLabel() const;
    void RefreshListCheckStates(int firstRow, int endRow);
    // One more of `total` items inserted: the progress window is told when the percentage changes.
    void StepBuildProgress(size_t total);
    int FolderIcon() const;
    int TopItemIcon() const;
    int FileIcon(const CString& name) const;

    CResultListCtrl* m_pList = nullptr;
    IResultCommands* m_pCommands = nullptr;
    CResultIndex m_index;
    CImageList m_checks;
    CImageList* m_pSmallImages = nullptr;
    std::map<HTREEITEM, COLORREF> m_colours;
    std::unordered_map<uint32_t, HTREEITEM> m_tracedItemByKey;
    std::unordered_map<HTREEITEM, uint32_t> m_tracedKeyByItem;
    HTREEITEM m_hListed = nullptr;
    bool m_bKeySelectionPending = false;  // a key moved the selection; listed when it is let go
    bool m_bBuilding = false;
    HWND m_hProgressWnd = nullptr;
    std::unique_ptr<BuildState> m_pBuild;  // the build under way, between its slices
    size_t m_nBuilt = 0;                   // items inserted by BuildResults so far
    int m_nBuildPercent = -1;              // the percentage the progress window was last sent
    uint64_t m_nSelectedBytes = 0;         // the ticked files' bytes, as last shown
    HCURSOR m_itemCursor = nullptr;        // 264, over an item
    HCURSOR m_boxCursor = nullptr;         // 249, over a check box
    HCURSOR m_buttonCursor = nullptr;      // 250, over an expand button
};
