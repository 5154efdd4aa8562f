// CPropertiesDlg: "File/Folder Properties" (dialog 212) of a row of the result list or a folder of
// the result tree: name, size, what a folder contains, and the two dates.
#pragma once

#include <cstdint>

#include "app/dialogs/SkinnedDialog.h"

class CResultTreeCtrl;

// What the dialog shows of an entry; for a folder the size and the contents are counted.
struct CItemProperties {
    CString name;
    bool folder = false;
    uint32_t number = 0;  // a file's key, a folder's tree item
    CString size;
    CString created;
    CString modified;
};

class CPropertiesDlg : public CSkinnedDialog {
public:
    // What a folder holds: itself and every folder below it, their files and their bytes.
    struct Totals {
        uint64_t files = 0;
        uint64_t folders = 0;
        uint64_t bytes = 0;
    };

    // tree: the result tree, for a folder's contents (null for a file).
    CPropertiesDlg(const CItemProperties& properties, const CResultTreeCtrl* tree, CWnd* parent);

    static Totals CountFilesAndFolders(const CResultTreeCtrl& tree, HTREEITEM item);
    // "3 File(s) and 1 Folder(s)" (the folder itself not counted).
    static CString ContainsText(const Totals& totals);
    // The bytes in whole MiB, "Less than 1" below one, and " MB".
    static CString FolderSizeText(uint64_t bytes);
    // The bytes in KiB rounded up, and " KB".
    static CString FileSizeText(uint64_t bytes);

    // The value of a row (0 name to 4 modification date) as the dialog shows it.
    CString Value(int row) const { return row >= 0 && row < 5 ? m_values[row] : CString(); }

protected:
    BOOL OnInitDialog() override;

private:
    CString m_values[5];
};

// The properties of a folder of the result tree, shown modally.
void ShowFolderProperties(const CResultTreeCtrl& tree, HTREEITEM item, CWnd* parent);
// The same inputs without the dialog (the tests use it).
CItemProperties FolderProperties(const CResultTreeCtrl& tree, HTREEITEM item);
