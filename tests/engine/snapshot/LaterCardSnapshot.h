// The steps of the disk tests that take a scan's snapshot of a card and load it over the same card
// later (or another): the scan of the test's kind (the parameter, "quick" or "extensive") of a fixture
// image's partition 0, its snapshot, the load over another image and the save of the whole volume.
#pragma once

#include "engine/image/VirtualDisk.h"
#include "engine/state/FoundRecords.h"
#include "engine/state/RecoverySettings.h"
#include "tests/engine/save/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class LaterCardSnapshot : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override;
    void TearDown() override;

    bool Quick() const { return std::string(GetParam()) == "quick"; }

    void Open(const char* fixture, const std::string& image);

    // The snapshot of the scan of the test's kind of the disk's partition 0, each listed FAT file's
    // name first passed through `rename` where it is given (as another computer read it).
    void Snapshot(const char* fixture, const std::string& image,
        const std::function<void(FatEntryRecord&)>& rename = nullptr);

    // Loads the snapshot over the image: refused with the program's message, nothing loaded.
    void ExpectRefused(const char* fixture, const std::string& image);

    // Loads the snapshot over the image and saves the whole volume with the deleted-file setting
    // `deletedFiles`, into a new folder: the files saved, by path below it (ComparablePath).
    std::map<std::string, std::filesystem::path> LoadAndSave(const char* fixture, const std::string& image,
        DeletedFilePolicy deletedFiles = kDeletedInclude);

    // Loads the snapshot over the image and saves the whole volume: for each file saved, the key of
    // `keys` whose bytes as written (the fixture's files/KEY.bin) it holds, "?" where none.
    std::multiset<std::string> SavedKeys(const char* fixture, const std::string& image,
        const std::vector<const std::vector<std::string>*>& keys);

    CVirtualDisk disk;
    TempFolder temp;
    std::u16string snapshot;
    uint32_t listed = 0;
    int saves = 0;
};

// The keys of all the lists, each as often as the lists hold it.
std::multiset<std::string> Keys(const std::vector<std::vector<std::string>>& lists);

// The names of the failed files of the last save, in UTF-8.
std::set<std::string> FailedNames();

// The files of `written` (a fixture folder of files as written) that `saved` holds in `folder` (a
// path below the volume's folder) with the same bytes, by name.
std::set<std::string> SavedWhole(const std::map<std::string, std::filesystem::path>& saved, const std::string& written,
    const std::filesystem::path& folder);
