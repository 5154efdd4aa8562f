// The target folder of a save: the rule for what a folder picker may hand to the engine.
#pragma once

#include <string>

// Takes a picker's choice: the save path is emptied, then set to the choice when that names an
// existing folder. True when a save path was set. An empty choice (a cancelled pick) leaves no
// save path.
bool AcceptSaveFolder(const std::u16string& chosen);
