// The waits of a user on a large folder, measured through the program's windows (morvick-drive
// --measure, run by bench/gui-speed.sh).
#pragma once

#include <filesystem>
#include <string>

#include "tests/e2e/DriveSteps.h"

namespace morvick::e2e::drive {

// The wait for the result tree, from what the program shows, looked at again and again: it begins
// when the scan is over, which the partition page tells by its status turning to the tree's
// ("Please wait creating tree", with or without its step and dots: the worker has ended and the
// page's poll has seen it; the progress bar stays up, now for the tree), and it ends when the
// results page shows the tree with its items.
class TreeWaitClock {
public:
    // One look at `now` seconds: the wizard page shown, the partition page's status text and whether
    // the results page's tree holds items. True once the tree is there.
    bool See(double now, int page, const std::wstring& status, bool treeFilled);
    // The seconds from the scan's end to the tree (0 until both were seen).
    double Seconds() const;
    // True once the scan's end was seen.
    bool ScanEnded() const { return m_scanEnd >= 0; }

private:
    double m_scanning = -1;  // the last look at the scan still under way
    double m_scanEnd = -1;
    double m_treeShown = -1;
};

// Quick Scan of the image's first partition, from Next to the results page with its tree, then four
// waits: the result tree built after the scan (TreeWaitClock), the list filled after a click on the
// largest folder, the list sorted after a click on its Size heading, and (--measure waits, not scan)
// the whole volume saved (the top item ticked, Save, the saving dialog's end) into the staging folder.
// Prints {"scan_s":Q,"tree_s":T,"list_fill_s":L,"sort_s":S[,"gui_save_s":G]}. 0 when every step was
// seen through, 1 when one failed.
int MeasureWaits(MorvickDriver& driver, const Options& options, const std::filesystem::path& staging);

// Extensive Scan of the whole disk: from Next on the partition page to the file-system page listing
// what it found (the FAT search, or the NTFS one when that finds nothing), then from Next on its first
// volume to the results page with its tree. Prints {"search_s":S,"volume_s":V}. 0 when both were seen
// through, 1 otherwise.
int MeasureExtensiveScan(MorvickDriver& driver, const Options& options);

}  // namespace morvick::e2e::drive
