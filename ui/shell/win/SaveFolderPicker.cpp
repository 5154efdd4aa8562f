#include "ui/shell/win/SaveFolderPicker.h"

#include <objbase.h>
#include <shlobj.h>

namespace morvick::ui {

const wchar_t kSelectSavePathText[] = L"Please select the path to save the data";

std::u16string BrowseForSaveFolder(HWND owner)
{
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;
    info.lpszTitle = kSelectSavePathText;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;  // 0x41
    LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
    if (!chosen)
        return std::u16string();
    // The shell writes at most MAX_PATH characters here.
    wchar_t path[MAX_PATH + 1] = {};
    const BOOL hasPath = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (!hasPath)
        return std::u16string();
    return reinterpret_cast<const char16_t*>(path);
}

}  // namespace morvick::ui
