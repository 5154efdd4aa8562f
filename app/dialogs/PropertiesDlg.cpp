#include "app/dialogs/PropertiesDlg.h"

#include "app/EngineText.h"

#include <vector>

#include "app/trees/ResultTreeCtrl.h"
#include "engine/listing/DateText.h"
#include "resource.h"

CPropertiesDlg::CPropertiesDlg(const CItemProperties& properties, const CResultTreeCtrl* tree, CWnd* parent)
    : CSkinnedDialog(IDD_PROPERTIES, IDB_PROPERTIES_SKIN, parent)
{
    m_values[0] = properties.name;
    m_values[3] = properties.created;
    m_values[4] = properties.modified;
    if (properties.folder && tree != nullptr) {
        // Counted afresh each time: nothing of an earlier opening is added in.
        const Totals totals =
            CountFilesAndFolders(*tree, TreeItemFromNumber(properties.number));
        m_values[1] = FolderSizeText(totals.bytes);
        m_values[2] = ContainsText(totals);
    } else {
        m_values[1] = properties.size;
    }
}

CPropertiesDlg::Totals CPropertiesDlg::CountFilesAndFolders(const CResultTreeCtrl& tree, HTREEITEM item)
{
    // Counted into totals of its own: the shared counters hold the ticked files' size that the
    // results page shows, which opening Properties must not change.
    Totals totals;
    const CResultIndex& index = tree.Index();
    std::vector<HTREEITEM> pending{item};
    while (!pending.empty()) {
        HTREEITEM current = pending.back();
        pending.pop_back();
        if (current == nullptr)
            continue;
        ++totals.folders;
        uint32_t key = 0;
        if (tree.FolderKeyOf(current, key)) {
            for (uint32_t file : index.FilesIn(key)) {
                ++totals.files;
                if (const ResultFileInfo* info = index.FileByKey(file))
                    totals.bytes += info->size;
            }
        }
        for (HTREEITEM child = tree.GetChildItem(current); child != nullptr; child = tree.GetNextSiblingItem(child))
            pending.push_back(child);
    }
    return totals;
}

CString CPropertiesDlg::ContainsText(const Totals& totals)
{
    CString text;
    text.Format(L"%I64u File(s) and %I64u Folder(s)", totals.files, totals.folders > 0 ? totals.folders - 1 : 0);
    return text;
}

CString CPropertiesDlg::FolderSizeText(uint64_t bytes)
{
    const uint64_t mib = bytes / 1024 / 1024;
    CString text;
    if (mib == 0)
        text = L"Less than 1 MB";
    else
        text.Format(L"%I64u MB", mib);
    return text;
}

CString CPropertiesDlg::FileSizeText(uint64_t bytes)
{
    // Rounded up, not one added: a file of exactly 1024 bytes is 1 KB, an empty one 0 KB.
    CString text;
    text.Format(L"%I64u KB", (bytes + 1023) / 1024);
    return text;
}

BOOL CPropertiesDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    for (int row = 0; row < 5; ++row)
        SetDlgItemText(IDC_PROPERTIES_VALUE + row, m_values[row]);
    return TRUE;
}

CItemProperties FolderProperties(const CResultTreeCtrl& tree, HTREEITEM item)
{
    CItemProperties properties;
    properties.folder = true;
    properties.number = TreeItemNumber(item);
    properties.name = tree.GetItemText(item);
    const ResultFolderInfo* folder = tree.Index().FolderByItem(TreeItemNumber(item));
    if (folder != nullptr && folder->record != nullptr) {
        if (tree.Index().IsNtfs()) {
            const auto* r = static_cast<const NtfsFolderRecord*>(folder->record);
            properties.created = ToCString(FormatFileTime(r->creationTimeLow, r->creationTimeHigh));
            properties.modified = ToCString(FormatFileTime(r->changeTimeLow, r->changeTimeHigh));
        } else {
            const auto* r = static_cast<const FatFolderRecord*>(folder->record);
            properties.created = ToCString(FormatFatDate(r->writeDate));
            properties.modified = ToCString(FormatFatDate(r->accessDate));
        }
    }
    return properties;
}

void ShowFolderProperties(const CResultTreeCtrl& tree, HTREEITEM item, CWnd* parent)
{
    if (item == nullptr)
        return;
    CPropertiesDlg dialog(FolderProperties(tree, item), &tree, parent);
    dialog.DoModal();
}
