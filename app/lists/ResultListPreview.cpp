// The result list's hand-off to the preview (a file extracted into the temporary folder by the
// engine's own savers) and to the properties dialog.
#include "app/dialogs/PropertiesDlg.h"

#include "app/EngineText.h"
#include "app/lists/FoundFileSave.h"
#include "app/lists/ResultListCtrl.h"
#include "app/trees/ResultTreeCtrl.h"
#include "engine/io/OutputFolder.h"
#include "engine/listing/DateText.h"
#include "engine/save/TempFiles.h"
#include "engine/util/Utf.h"
#include "preview/win/host/PreviewFrameState.h"
#include "preview/win/host/PreviewLocation.h"
#include "preview/win/pane/PreviewDispatch.h"

namespace {

std::u16string Lower(std::u16string text)
{
    for (char16_t& c : text)
        c = LowerCaseChar(c);
    return text;
}

}  // namespace

void CResultListCtrl::PreviewRow(int row)
{
    const RowInfo* info = Row(row);
    const CResultIndex* index = Index();
    if (info == nullptr || index == nullptr)
        return;
    if (info->kind != ResultRowKind::kFile || !info->hasKey) {
        ClearPreview();
        return;
    }
    const ResultFileInfo* file = index->FileByKey(info->key);
    if (file == nullptr)
        return;  // an entry that cannot be found previews nothing
    const std::u16string name = file->Name();
    const CString extension = CString(L".") + ToCString(PreviewExtension(name));
    // A file is selected: the placeholder, if one shows, tells about this file.
    if (CPreviewFrameState* frame = GetPreviewFrame())
        frame->m_bNoFileSelected = 0;
    if (!IsPreviewableExtension(ToCString(name), extension)) {
        ForgetPreview();
        if (m_pCommands != nullptr)
            m_pCommands->ShowPreviewFile(CString(), CString());
        return;
    }
    if (file->size > kPreviewLimit) {
        ForgetPreview();
        if (m_pCommands != nullptr)
            m_pCommands->ShowPreviewFile(L"largefile", L".largefile");
        SetFocus();
        return;
    }
    // A hit of the Find dialog lies in its own folder; a row of the results page in the one listed.
    HTREEITEM folder =
        m_bHitList ? (m_pTree != nullptr ? m_pTree->ItemOfFolderKey(file->parentKey) : nullptr) : ListedFolder();
    CString location;
    if (m_pTree != nullptr && folder != nullptr && !index->IsFileTrace())
        location = CString(L"\\") + m_pTree->GetItemPath(folder) + L"\\" + ToCString(name);
    // The same file as the last preview: it stays as it is.
    const std::u16string target = Lower(ToU16(location) + u"|" + name);
    if (!s_preview.lastPath.empty() && target == s_preview.lastPath && info->key == s_preview.lastKey)
        return;
    std::u16string fullPath;
    const std::u16string temporary = TemporaryFolderPath();
    const std::u16string shortName = MakeTempPreviewName(temporary, name, s_preview.counter, fullPath);
    if (shortName.empty()) {
        ClearPreview();
        return;
    }
    s_preview.lastPath = target;
    s_preview.lastKey = info->key;
    g_strPreviewLocation = location;
    SaveFoundFile(*file, temporary, shortName, false);
    if (m_pCommands != nullptr)
        m_pCommands->ShowPreviewFile(ToCString(fullPath), extension);
}

bool CResultListCtrl::RowProperties(int row, CItemProperties& properties) const
{
    const RowInfo* info = Row(row);
    if (info == nullptr || m_pTree == nullptr)
        return false;
    if (info->kind == ResultRowKind::kFolder) {
        if (!info->hasKey)
            return false;
        properties = FolderProperties(*m_pTree, TreeItemFromNumber(info->key));
        return true;
    }
    // A file row, and the "Parent..." row as well (its name, the other columns empty), as the menu
    // offers Properties on both.
    properties = CItemProperties();
    properties.name = GetItemText(row, 0);
    properties.number = info->key;
    const CString sizeText = GetItemText(row, 2);
    properties.size = CPropertiesDlg::FileSizeText(_wcstoui64(sizeText, nullptr, 10));
    properties.created = GetItemText(row, 3);
    properties.modified = GetItemText(row, 4);
    return true;
}

void CResultListCtrl::ShowRowProperties()
{
    CItemProperties properties;
    if (!RowProperties(GetSelectionMark(), properties))
        return;
    CPropertiesDlg dialog(properties, properties.folder ? m_pTree : nullptr, this);
    dialog.DoModal();
}
