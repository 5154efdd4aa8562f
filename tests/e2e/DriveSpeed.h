// The waits of a user on a large folder, measured through the program's windows (morvick-drive
// --measure, run by bench/gui-speed.sh).
#pragma once

#include <filesystem>

#include "tests/e2e/DriveSteps.h"

namespace morvick::e2e::drive {

// Quick Scan of the image's first partition, then four waits: the result tree built after the scan,
// the list filled after a click on the largest folder, the list sorted after a click on its Size
// heading, and the whole volume saved (the top item ticked, Save, the saving dialog's end) into the
// staging folder. Prints {"tree_s":T,"list_fill_s":L,"sort_s":S,"gui_save_s":G}. 0 when every step
// was seen through, 1 when one failed.
int MeasureWaits(MorvickDriver& driver, const Options& options, const std::filesystem::path& staging);

}  // namespace morvick::e2e::drive
