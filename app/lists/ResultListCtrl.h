// CResultListCtrl: the file list of the results page. It shows the rows of one found folder (File
// Trace: the traced files of one type, or the types), keeps their check boxes in step with the
// result tree, opens folders and the parent row, extracts a clicked file into the temporary folder
// for the preview, renames entries for the save, sorts with the folders first, and offers the
// context menu 192. The check boxes are drawn from the state images 201 and handled by the list
// itself: a hit on a box never reaches the control's own toggling. The Find dialog's hits are a list
// of this kind too, whose boxes are its own.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/lists/ResultCheckSets.h"
#include "engine/listing/ResultRow.h"
#include "toolkit/controls/HeaderCtrl.h"
#include "toolkit/controls/ListCtrl.h"

class CResultTreeCtrl;
class CResultIndex;
struct ListColumn;  // a heading and its width
struct CItemProperties;

// What the results page does for the context menus of the tree and the list.
class IResultCommands {
public:
    virtual ~IResultCommands() = default;
    // A command of menu 325 or 192 (folder: the tree item the tree's menu was opened on, or null).
    virtual void RunResultCommand(UINT command, HTREEITEM folder) = 0;
    // Hands a file to the preview (empty path: the empty preview; "largefile": the placeholder).
    virtual void ShowPreviewFile(const CString& path, const CString& extension) = 0;
};

class CResultListCtrl : public CTKListCtrl {
    DECLARE_DYNAMIC(CResultListCtrl)
public:
    // A file of more than this many bytes is not extracted for the preview.
    static constexpr uint64_t kPreviewLimit = 0x500000;
    static const wchar_t kParentRowText[];  // "Parent..."

    // What the list knows of a row besides its texts (the row's item data is its index here plus one).
    struct RowInfo {
        ResultRowKind kind = ResultRowKind::kFile;
        uint32_t key = 0;  // a file's key; a folder's tree item
        bool hasKey = false;
        bool deleted = false;
        std::u16string name;  // as listed
    };

    CResultListCtrl();
    ~CResultListCtrl() override;

    // The state images, the header's images and the bold font; call once the window exists.
    void Init(CImageList* smallImages);
    void SetTree(CResultTreeCtrl* tree) { m_pTree = tree; }
    void SetCommands(IResultCommands* commands) { m_pCommands = commands; }
    CResultCheckSets& Sets() { return m_sets; }

    // The columns of a scan mode: six for Quick Scan and Extensive Scan, three for File Trace.
    void SetColumnsForMode(int scanMode);
    // The list becomes the Find dialog's hits: files of any folder, each with its folder's path in
    // column 1 (the rows' type text); their boxes are the list's own, not the tree's.
    void SetHitColumns();
    bool IsHitList() const { return m_bHitList; }
    // The rows of one listing, all unchecked (the parent row marked).
    void ShowRows(const std::vector<ResultRow>& rows);
    // More rows after those shown, unchecked.
    void AppendRows(const std::vector<ResultRow>& rows);
    void ClearRows();
    // The file rows' names read again from their entries (after a rename elsewhere).
    void RefreshNames();
    int ColumnsMode() const { return m_nColumnsMode; }
    // The ID column: 2 in File Trace, else 5.
    int KeyColumn() const;

    const RowInfo* Row(int row) const;
    // -1 no box, 0 unchecked, 1 checked, 2 the parent row's mark.
    int GetCheck(int row) const;
    void SetNoCheckBox(int row);
    void SetUnchecked(int row);
    void SetChecked(int row);
    bool AllRowsChecked() const;
    bool AllRowsUnchecked() const;
    void CheckAllRows();
    void UncheckAllRows();

    // Sorts by a column's text (folders first, the parent row first); the header shows the arrow.
    void SortByColumn(int column, bool ascending);
    // A plain click on a heading: the same column again reverses the order, another one sorts
    // ascending. (A choice from the header's menu does not come here: OnNotify sorts the way it names.)
    void OnHeaderClick(int column);

    // What the mouse and the keys do to a row (the tests call these too).
    void ToggleRowCheck(int row);
    void ClickRow(int row, bool onCheckBox);
    void OpenRow(int row);
    void OpenParent();
    void PreviewRow(int row);
    void ClearPreview();
    // The last file extracted for the preview; empty after a clear.
    const std::u16string& LastPreviewPath() const { return s_preview.lastPath; }
    // Starts the rename of a row; false for the parent row and rows that cannot be renamed.
    bool BeginRename(int row);
    // Gives the row's entry a new name (the end of the label edit). False, the old name kept, for an
    // empty name or one that could not stay one plain name inside the save folder.
    bool RenameRow(int row, const CString& newName);

    void ShowContextMenu(CPoint screen);
    // What Properties shows of a row: a folder row its folder's, a file row and the parent row what
    // their columns hold. False when there is no such row.
    bool RowProperties(int row, CItemProperties& properties) const;
    // The properties of the row with the selection mark, shown modally.
    void ShowRowProperties();
    // "Icons", "List" or "Details".
    void SetView(DWORD viewStyle);

    // Tests: how the context menus are tracked (menu, flags, x, y, owner) -> the command chosen.
    using MenuTracker = UINT (*)(CMenu* menu, UINT flags, int x, int y, CWnd* owner);
    static void SetMenuTracker(MenuTracker tracker);
    static UINT TrackMenu(CMenu* menu, int x, int y, CWnd* owner);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnClickNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDoubleClickNotify(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

private:
    void SetStateIndex(int row, int index);
    int HitRow(CPoint point, UINT* flags) const;
    const CResultIndex* Index() const;
    // The folder a row of the current listing belongs to (the listed folder's tree item).
    HTREEITEM ListedFolder() const;
    int IconOf(const RowInfo& info);
    void ForgetPreview();
    void SetColumns(const ListColumn* columns, int count, int mode, bool withImages);

    CResultTreeCtrl* m_pTree = nullptr;
    IResultCommands* m_pCommands = nullptr;
    CResultCheckSets m_sets;
    std::vector<RowInfo> m_rows;
    CImageList m_headerImages;
    CImageList m_stateImages;
    CImageList* m_pSmallImages = nullptr;
    CTKHeaderCtrl m_header;
    CFont m_boldFont;
    HCURSOR m_boxCursor = nullptr;
    int m_nColumnsMode = -1;
    bool m_bHitList = false;
    int m_nSortColumn = 1;
    bool m_bSortAscending = true;
    std::unordered_map<std::u16string, int> m_iconByExtension;
    int m_nFolderIcon = -1;

    // The preview, one for every result list (the results page's and the Find dialog's): the last
    // file extracted, its key and the temporary names' counter.
    struct PreviewMemory {
        std::u16string lastPath;
        uint32_t lastKey = 0;
        uint32_t counter = 0;
    };
    static PreviewMemory s_preview;
    // The rename under way.
    bool m_bRenaming = false;
    CString m_strOldLabel;
};
