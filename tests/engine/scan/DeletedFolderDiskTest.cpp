// Deleted folders that had outgrown their first cluster (make-deleted-folders-disk.sh: a FAT32
// volume of 4 KiB clusters; DCIM/100PHOTO with 300 photos of camera names and a subfolder, and
// "Project Notes" with 100 notes of long names, both deleted with mdeltree). Each scan saves every
// file tsk_recover saves, byte for byte: those of the folders' first clusters where tsk_recover puts
// them, and those of their later clusters (orphans to tsk_recover) in their folder where the engine
// can tell it, else under "Lost Dir". Neither a live folder's later cluster, nor a live file, nor a
// deleted file of the root whose bytes look like directory entries gives a single entry (such a file
// listed in a deleted folder's later cluster, and the other ways a later cluster is lost or taken
// wrongly, are on the disks of FreedFolderDisksTest.cpp).
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_deletedFolders =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-deleted-folders-disk.sh"}));

namespace {

const char* const kDisk = "make-deleted-folders-disk.sh";
const std::string kOrphans = "/$orphanfiles/";

std::string Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Below(const std::string& key, const std::string& folder)
{
    return key.rfind(folder, 0) == 0;
}

class DeletedFolderDisk : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kDisk).empty()) << "the disk was not built";
        ASSERT_TRUE(OpenFixtureImage(FixtureFile(kDisk, "deleted.vhd"), disk));
        ResetSaveState();
        ClearFileFilters();
        if (std::string(GetParam()) == "quick")
            ASSERT_TRUE(QuickScanPartition(0));
        else
            ASSERT_TRUE(ExtensiveScanAndBrowsePartition(0));
    }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetExtensiveScanState();
        ResetEngineState();
        ResetSaveState();
    }

    CVirtualDisk disk;
    TempFolder temp;
};

}  // namespace

TEST_P(DeletedFolderDisk, EveryFileComesBackWithItsBytesAndNoRecordOfFileDataIsTakenForAnEntry)
{
    const fs::path out = temp.Path() / "out";
    SaveWholeVolume(ToPath16(out));
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    const std::map<std::string, fs::path> ours = morvick::test::FilesBelow(out, true);
    const std::map<std::string, fs::path> theirs =
        morvick::test::FilesBelow(fs::u8path(FixtureFile(kDisk, "deleted.recover")), true);

    // Where tsk_recover knows the folder: the same place and bytes.
    std::map<std::string, fs::path> placed, orphans;
    for (const auto& [key, path] : theirs) {
        // tsk_recover takes the records of the deleted TABLE.BIN (FAKExxxx.DAT) for entries too.
        if (Below(key, kOrphans + "?ake"))
            continue;
        (Below(key, kOrphans) ? orphans : placed).emplace(key, path);
    }
    ASSERT_EQ(placed.size(), 150u + 126u + 31u + 2u);
    ASSERT_EQ(orphans.size(), 174u + 69u + 2u);
    EXPECT_EQ(morvick::test::ExpectSameBytes(ours, placed), placed.size());

    // The orphans: the notes in their folder (their names run on from cluster to cluster); of the
    // photos, those of the last cluster in theirs, which the subfolder THUMB there names as its
    // parent, and those of the middle cluster, which nothing ties to a folder, under "Lost Dir".
    std::multimap<std::string, std::string> oursByBytes;
    for (const auto& [key, path] : ours)
        oursByBytes.emplace(Bytes(path), key);
    size_t notes = 0, photos = 0, thumbs = 0;
    for (const auto& [key, path] : orphans) {
        auto it = oursByBytes.find(Bytes(path));
        if (it == oursByBytes.end()) {
            ADD_FAILURE() << "not saved: " << key;
            continue;
        }
        const std::string& where = it->second;
        if (Below(key, kOrphans + "?humb/")) {
            EXPECT_TRUE(Below(where, "/?cim/?00photo/?humb/")) << where;
            ++thumbs;
        } else if (Below(key, kOrphans + "?mg_")) {
            const int number = std::stoi(key.substr(kOrphans.size() + 4, 4));
            EXPECT_TRUE(Below(where, number >= 255 ? "/?cim/?00photo/" : "/lost dir/")) << where;
            ++photos;
        } else {
            EXPECT_TRUE(Below(where, "/project notes/")) << where;
            ++notes;
        }
    }
    EXPECT_EQ(photos, 174u);
    EXPECT_EQ(notes, 69u);
    EXPECT_EQ(thumbs, 2u);

    // Nothing else: no file from the records of TABLE.BIN or LIVETAB.BIN, none from the later cluster
    // of the live KEEP, and every note under its long name.
    EXPECT_EQ(ours.size(), placed.size() + orphans.size());
    size_t longNames = 0;
    for (const auto& [key, path] : ours)
        longNames += Below(key, "/project notes/meeting notes ");
    EXPECT_EQ(longNames, 100u);
}

// The snapshot of such a scan loads back over its disk: the files of a deleted folder's later
// clusters, which no chain leads to, tell nothing against it.
TEST_P(DeletedFolderDisk, TheSnapshotLoadsBackOverItsDisk)
{
    const uint32_t files = g_FatEntries.count;
    const uint32_t folders = g_FatFolders.count;
    const std::u16string path = ToPath16(temp.Path() / "deleted.srzq");
    ASSERT_TRUE(SaveSnapshotFile(path));
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kDisk, "deleted.vhd"), disk));
    ASSERT_TRUE(LoadSnapshotFile(path));
    EXPECT_EQ(g_FatEntries.count, files);
    EXPECT_EQ(g_FatFolders.count, folders);
}

INSTANTIATE_TEST_SUITE_P(Scans, DeletedFolderDisk, ::testing::Values("quick", "extensive"));
