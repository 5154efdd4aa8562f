// The shell's folder browser that asks where a save goes.
#pragma once

#include <windows.h>

#include <string>

namespace morvick::ui {

// The browser's title.
extern const wchar_t kSelectSavePathText[];  // "Please select the path to save the data"

// Shows the shell's folder browser owned by `owner` (no root, file-system folders only, the new
// dialog style) and returns the chosen folder's path; empty when the user cancelled or the choice
// has no file-system path. The caller hands the path to the engine's AcceptSaveFolder
// (engine/save/SaveFolder.h), which empties the save path and sets it only to an existing folder.
std::u16string BrowseForSaveFolder(HWND owner);

}  // namespace morvick::ui
