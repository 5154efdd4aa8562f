// The target folder of a save: the folder picker and the rule for what it may return.
#pragma once

#include <string>

// The picker's title.
extern const char16_t kSelectSavePathText[];   // "Please select the path to save the data"

// Takes the picker's choice: the save path is emptied, then set to the choice when that names an
// existing folder. True when a save path was set.
bool AcceptSaveFolder(const std::u16string& chosen);

// Shows the shell's folder browser (file-system folders only, new dialog style) owned by the given
// window, and hands the choice to AcceptSaveFolder. False (and an empty save path) when cancelled
// or when the choice has no file-system path. Windows only.
bool BrowseForSaveFolder(void* ownerWindow);
