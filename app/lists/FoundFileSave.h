// One found file of the result index written with the engine's savers: the preview's temporary copy
// (not counted as a saved file) and the Find dialog's hits, each saved by itself.
#pragma once

#include <string>

#include "app/lists/ResultIndex.h"

// Writes the file into `folder` under `name`; `counting` makes it a file of the save (counted,
// reported to the saving dialog and named by the duplicate-name policy). 1 when written.
int SaveFoundFile(const ResultFileInfo& file, const std::u16string& folder, const std::u16string& name, bool counting);
