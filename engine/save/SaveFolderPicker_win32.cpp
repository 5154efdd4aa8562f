// The shell's folder browser for the save's target folder.
#include "engine/save/SaveFolderPicker.h"

#include "engine/save/SaveState.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

bool BrowseForSaveFolder(void* ownerWindow)
{
    g_strSavePath.clear();
    BROWSEINFOW info = {};
    info.hwndOwner = static_cast<HWND>(ownerWindow);
    info.pidlRoot = nullptr;
    info.lpszTitle = reinterpret_cast<const wchar_t*>(kSelectSavePathText);
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;   // 0x41
    LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
    if (!chosen)
        return false;
    // The shell writes at most MAX_PATH characters here.
    wchar_t path[MAX_PATH + 1] = {};
    const BOOL hasPath = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (!hasPath)
        return false;
    return AcceptSaveFolder(reinterpret_cast<const char16_t*>(path));
}
