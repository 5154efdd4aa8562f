#include "ui/shell/win/SaveFolderPicker.h"

#include <objbase.h>
#include <shlobj.h>

namespace morvick::ui {

const wchar_t kSelectSavePathText[] = L"Please select the path to save the data";

namespace {

// Automated runs name the folder in MORVICK_TEST_SAVE_DIR: the browser opens on it, so that a
// driver only has to press OK.
int CALLBACK SelectTestFolder(HWND browser, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data != 0)
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

}  // namespace

std::u16string BrowseForSaveFolder(HWND owner)
{
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;
    info.lpszTitle = kSelectSavePathText;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;  // 0x41
    wchar_t testFolder[MAX_PATH + 1] = {};
    const DWORD length = GetEnvironmentVariableW(L"MORVICK_TEST_SAVE_DIR", testFolder, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        info.lpfn = SelectTestFolder;
        info.lParam = reinterpret_cast<LPARAM>(testFolder);
    }
    LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
    if (!chosen)
        return std::u16string();
    // The browser fills its tree in its own time: on a fresh system the selection asked for may not
    // have been made yet when a driver presses OK. OK on a test's folder gives that folder.
    if (info.lpfn == SelectTestFolder) {
        CoTaskMemFree(chosen);
        return reinterpret_cast<const char16_t*>(testFolder);
    }
    // The shell writes at most MAX_PATH characters here.
    wchar_t path[MAX_PATH + 1] = {};
    const BOOL hasPath = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (!hasPath)
        return std::u16string();
    return reinterpret_cast<const char16_t*>(path);
}

}  // namespace morvick::ui
