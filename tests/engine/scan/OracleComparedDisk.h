// Disk tests that save a fixture partition whole, by the scan of the test's parameter, and compare
// the files with those tsk_recover -e saved of it (the fixture script's NAME.recover folder): the
// files of the folders that it knows by their place, its orphans ($OrphanFiles) by their bytes.
#pragma once

#include "tests/engine/scan/BothScansDisk.h"

#include <filesystem>
#include <map>
#include <string>

namespace morvick::test {

// Whether the comparable path `key` lies below `folder` ("/lost dir/").
bool Below(const std::string& key, const std::string& folder);

// tsk_recover's folder of the files it found in no folder, as a comparable path.
extern const std::string kOrphans;

class OracleComparedDisk : public BothScansDisk {
protected:
    // Scans `name`.vhd of the fixture `script`, saves it whole and keeps our files and tsk_recover's;
    // fails when a file was not saved whole.
    void ScanAndSave(const std::string& script, const std::string& name);
    // ScanAndSave, then the scan's snapshot saved and loaded over the disk: it saves the same files,
    // with the same bytes under the same names.
    void ScanSaveAndLoad(const std::string& script, const std::string& name);

    // tsk_recover's files, of its orphans or of the others, leaving out those below `leaveOut`.
    std::map<std::string, std::filesystem::path> Theirs(bool orphans, const std::string& leaveOut = "") const;
    std::map<std::string, std::filesystem::path> TheirsBelow(const std::string& folder) const;

    // Fails for each file of `files` (tsk_recover's orphans) that we did not save with its bytes
    // below `folder`; returns how many we did.
    size_t ExpectSavedBelow(const std::map<std::string, std::filesystem::path>& files, const std::string& folder) const;

    size_t OursBelow(const std::string& folder) const;

    std::map<std::string, std::filesystem::path> ours, theirs;
    std::multimap<std::string, std::string> oursByBytes;  // our files' comparable paths by their bytes
};

}  // namespace morvick::test
