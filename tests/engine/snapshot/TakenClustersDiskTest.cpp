// NTFS volumes whose deleted photos' clusters were taken by files written since
// (make-taken-clusters-ntfs.sh): a new Photos/ written over the clusters of a deleted one, and a note
// written over the first clusters of a deleted Trip/. A fresh scan of the later volume and the earlier
// volume's snapshot loaded over it (both scans) save no deleted photo with another file's bytes: the
// clusters that a file holds now are zeros in it and it is counted damaged, or, with none of its own
// left, it is not saved; every file written since is saved whole.
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/ScanFixture.h"
#include "tests/engine/snapshot/LaterCardSnapshot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-taken-clusters-ntfs.sh"}));

namespace {

const char* const kDisk = "make-taken-clusters-ntfs.sh";
constexpr size_t kClusterBytes = 4096;

// The files of a fixture folder as written, by name.
std::map<std::string, std::string> Written(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(fs::u8path(FixtureFile(kDisk, folder))))
        files[entry.path().filename().u8string()] = ReadWholeFile(entry.path());
    return files;
}

// True when each cluster of `saved` is that cluster of `own` or zeros, and at least one is zeros
// where `own` is not.
bool OwnOrZeros(const std::string& saved, const std::string& own)
{
    if (saved.size() != own.size())
        return false;
    bool zeroed = false;
    for (size_t at = 0; at < saved.size(); at += kClusterBytes) {
        const size_t n = std::min(kClusterBytes, saved.size() - at);
        if (saved.compare(at, n, own, at, n) == 0)
            continue;
        if (saved.find_first_not_of('\0', at) < at + n)
            return false;
        zeroed = true;
    }
    return zeroed;
}

class TakenClusters : public LaterCardSnapshot {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kDisk).empty()) << "the disks were not built";
        LaterCardSnapshot::SetUp();
    }

    // The later volume scanned afresh and saved whole: the files saved, by path.
    std::map<std::string, fs::path> ScanAndSave(const std::string& image)
    {
        SCOPED_TRACE(image);
        Open(kDisk, image);
        if (Quick())
            EXPECT_TRUE(QuickScanPartition(0));
        else
            EXPECT_TRUE(ExtensiveScanAndBrowsePartition(0));
        const fs::path out = temp.Path() / ("scan-" + std::to_string(++saves) + "-" + image);
        ResetSaveState();
        SaveWholeVolume(ToPath16(out));
        return morvick::test::FilesBelow(out, false);
    }

    // Every saved photo (by its name) is one of `photos` (the versions written of that name, the
    // deleted ones first) whole, or the deleted one with zeros in clusters and counted damaged; the
    // files of `live` are saved whole. `deletedNames` are the names of the photos deleted: each saved
    // with zeros counts as reused.
    void ExpectNoOtherFilesBytes(const std::map<std::string, fs::path>& saved,
        const std::vector<std::map<std::string, std::string>>& photos, const std::map<std::string, std::string>& live,
        const char* what)
    {
        SCOPED_TRACE(what);
        size_t zeroed = 0;
        std::set<std::string> liveSaved;
        for (const auto& [key, path] : saved) {
            const std::string name = path.filename().u8string();
            const std::string bytes = ReadWholeFile(path);
            const auto l = live.find(name);
            if (l != live.end() && bytes == l->second)
                liveSaved.insert(name);
            if (name.rfind("IMG_", 0) != 0)
                continue;
            bool whole = false;
            for (const auto& versions : photos) {
                const auto v = versions.find(name);
                whole = whole || (v != versions.end() && v->second == bytes);
            }
            if (whole)
                continue;
            const auto own = photos.front().find(name);
            ASSERT_TRUE(own != photos.front().end()) << key;
            EXPECT_TRUE(OwnOrZeros(bytes, own->second)) << key << " holds bytes that are not its own";
            const std::u16string name16 = path.filename().u16string();
            const bool counted = std::any_of(g_SaveReport.damagedPaths.begin(), g_SaveReport.damagedPaths.end(),
                [&](const std::u16string& p) {
                    return p.size() > name16.size() && p.compare(p.size() - name16.size(), name16.size(), name16) == 0;
                });
            EXPECT_TRUE(counted) << key << " is not counted damaged";
            ++zeroed;
        }
        EXPECT_EQ(liveSaved.size(), live.size()) << "every file written since saved whole";
        std::cout << what << ": saved " << g_SaveReport.savedFiles << ", damaged " << g_SaveReport.damagedFiles
                  << ", failed " << g_SaveReport.failedFiles << " (changed " << g_SaveReport.changedFiles
                  << ", clusters taken " << g_SaveReport.reusedClusterFiles << "), photos with zeros " << zeroed
                  << ", failed:";
        for (const std::string& name : FailedNames())
            std::cout << " " << name;
        std::cout << "\n";
        EXPECT_GT(g_SaveReport.reusedClusterFiles, 0u) << "a deleted photo's clusters were taken";
        EXPECT_FALSE(g_SaveReport.clusterUseUnknown);
    }
};

}  // namespace

// Photos/ of 60 photos deleted and a new Photos/ of 30 written over their clusters and records.
TEST_P(TakenClusters, ANewFolderOfPhotosOverTheDeletedOnes)
{
    const auto old = Written("old");
    const auto fresh = Written("new");
    auto live = Written("docs");
    live.insert(fresh.begin(), fresh.end());
    ExpectNoOtherFilesBytes(ScanAndSave("photos-b.vhd"), {old, fresh}, live, "scan");
    ASSERT_NO_FATAL_FAILURE(Snapshot(kDisk, "photos-a.vhd"));
    // The snapshot lists only what was there before: the new photos are not its files.
    ExpectNoOtherFilesBytes(LoadAndSave(kDisk, "photos-b.vhd"), {old}, Written("docs"), "snapshot");
}

// Trip/ of 20 photos deleted and a note of 3,000 bytes written over the first free cluster.
TEST_P(TakenClusters, ANoteOverADeletedPhoto)
{
    const auto trip = Written("trip");
    const std::map<std::string, std::string> note = {{"NOTE.TXT", ReadWholeFile(fs::u8path(FixtureFile(kDisk, "note.txt")))}};
    ExpectNoOtherFilesBytes(ScanAndSave("trip-b.vhd"), {trip}, note, "scan");
    ASSERT_NO_FATAL_FAILURE(Snapshot(kDisk, "trip-a.vhd"));
    ExpectNoOtherFilesBytes(LoadAndSave(kDisk, "trip-b.vhd"), {trip}, {}, "snapshot");
}

INSTANTIATE_TEST_SUITE_P(BothScans, TakenClusters, ::testing::Values("quick", "extensive"),
    [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });
