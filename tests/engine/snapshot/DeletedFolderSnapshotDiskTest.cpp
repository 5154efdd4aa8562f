// Recovery snapshots of a card loaded over the same card after a folder was deleted with its files
// (make-later-folders.sh), for the Quick Scan's and the Extensive Scan's snapshots. The scan no longer
// ties the folder's later clusters to it: it lists their files under "Lost Dir" (or in the folder,
// where it can). Each file the card now shows deleted with its first cluster, size, write date and
// name is the file the snapshot lists, wherever the scan lists it: the snapshot loads, and each file
// is saved under the snapshot's path with its own bytes, as a scan saves a deleted file. Where new
// files took the clusters since, no file is saved with their bytes.
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"
#include "tests/engine/snapshot/LaterCardSnapshot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-later-folders.sh"}));

namespace {

const char* const kFolders = "make-later-folders.sh";

class DeletedFolderSnapshot : public LaterCardSnapshot {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kFolders).empty()) << "the cards were not built";
        LaterCardSnapshot::SetUp();
    }

    // The snapshot of the card in the morning loaded over the card later: the files of the fixture
    // folder `written` that the save writes into `folder` with their own bytes, by name (`failed`: the
    // names of those it failed). Each file is saved whole or failed, and a save of deleted files only
    // writes as many (they are listed deleted).
    std::set<std::string> SavedFromSnapshot(const std::string& card, const std::string& written, const fs::path& folder)
    {
        SCOPED_TRACE(card);
        Snapshot(kFolders, card + "-a.vhd");
        const std::string files = FixtureFile(kFolders, written);
        const std::set<std::string> whole = SavedWhole(LoadAndSave(kFolders, card + "-b.vhd"), files, folder);
        EXPECT_EQ(g_SaveReport.savedFiles, whole.size());
        EXPECT_EQ(g_SaveReport.savedFiles + g_SaveReport.failedFiles, listed);
        EXPECT_EQ(g_SaveReport.failedFiles, g_SaveReport.changedFiles);
        EXPECT_EQ(g_SaveReport.damagedFiles, 0u);
        failed = FailedNames();
        EXPECT_EQ(SavedWhole(LoadAndSave(kFolders, card + "-b.vhd", kDeletedOnly), files, folder), whole);
        return whole;
    }

    std::set<std::string> failed;
};

}  // namespace

// DCIM/100PHOTO of 300 photos, its entries on five clusters of 2 KiB (FAT16) or three of 4 KiB
// (FAT32) between the photos' own, deleted with mdeltree, or by mdel and then mrd; 200 photos on
// two clusters; 300 on three adjacent clusters. Every photo is saved.
TEST_P(DeletedFolderSnapshot, PhotosDeletedWithTheirFolderAreSavedUnderTheSnapshotsPaths)
{
    const fs::path folder = fs::path("DCIM") / "100PHOTO";
    const std::pair<const char*, size_t> cards[] = {{"photos16", 300}, {"photos32", 300}, {"fewer32", 200},
        {"adjacent32", 300}};
    for (const auto& [card, count] : cards) {
        EXPECT_EQ(SavedFromSnapshot(card, "photos", folder).size(), count) << card;
        EXPECT_EQ(listed, count) << card;
    }
}

// A stick of 512-byte clusters: "Letters" of 40 long-named files deleted with mdeltree. Where a name's
// parts lie in a cluster that the scan no longer ties to the file's, the scan lists the file under its
// short name: the card no longer shows the name the snapshot lists, and that file is failed with the
// reason. Every other letter is saved.
TEST_P(DeletedFolderSnapshot, LongNamedLettersDeletedWithTheirFolderAreSaved)
{
    ASSERT_NO_FATAL_FAILURE(Open(kFolders, "letters-b.vhd"));
    if (Quick())
        ASSERT_TRUE(QuickScanPartition(0));
    else
        ASSERT_TRUE(ExtensiveScanAndBrowsePartition(0));
    std::set<std::string> named;
    for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next)
        named.insert(fs::path(std::u16string(r->name)).u8string());
    std::set<std::string> letters, unnamed;
    for (const auto& entry : fs::directory_iterator(fs::u8path(FixtureFile(kFolders, "letters")))) {
        const std::string name = entry.path().filename().u8string();
        (named.count(name) != 0 ? letters : unnamed).insert(name);
    }
    EXPECT_GE(letters.size(), 30u) << "the scan names most letters as they were written";
    EXPECT_EQ(SavedFromSnapshot("letters", "letters", "Letters"), letters);
    EXPECT_EQ(failed, unnamed);
}

// The 300 photos deleted with their folder, then 100 new photos written from the first free cluster
// on, into a new folder that took the old one's entry and first cluster. A photo whose entry the card
// still shows is saved as a deleted file: with its own bytes, or reported damaged where a new photo
// took its clusters; one whose entry was written over is failed. None holds a new photo's bytes.
TEST_P(DeletedFolderSnapshot, PhotosWhoseClustersNewPhotosTookHoldNoNewBytes)
{
    ASSERT_NO_FATAL_FAILURE(Snapshot(kFolders, "retaken32-a.vhd"));
    const std::map<std::string, fs::path> saved = LoadAndSave(kFolders, "retaken32-b.vhd");
    const std::set<std::string> whole =
        SavedWhole(saved, FixtureFile(kFolders, "photos"), fs::path("DCIM") / "100PHOTO");
    EXPECT_EQ(g_SaveReport.savedFiles, whole.size());
    EXPECT_EQ(g_SaveReport.savedFiles + g_SaveReport.damagedFiles + g_SaveReport.failedFiles, 300u);
    EXPECT_GT(g_SaveReport.damagedFiles, 0u);
    EXPECT_GT(g_SaveReport.savedFiles, 0u);
    std::set<std::string> newBytes;
    for (int n = 301; n <= 400; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "IMG_%04d.JPG", n);
        newBytes.insert(ReadWholeFile(fs::u8path(FixtureFile(kFolders, std::string("photos/") + name))));
    }
    for (const auto& [path, file] : saved)
        EXPECT_EQ(newBytes.count(ReadWholeFile(file)), 0u) << path << " holds a new photo's bytes";
}

INSTANTIATE_TEST_SUITE_P(BothScans, DeletedFolderSnapshot, ::testing::Values("quick", "extensive"),
    [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });
