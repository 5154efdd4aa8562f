// Folders made in the clusters of deleted folders (make-reused-folder-disk.sh, FAT16 and FAT32): the
// Quick Scan lists each such folder where its live entry is, with what it holds as live entries, and
// the save puts every file where tsk_recover puts it, byte for byte.
#include "engine/listing/ResultListing.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_reused =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-reused-folder-disk.sh"}));

namespace {

const char* const kReused = "make-reused-folder-disk.sh";

using Rows = std::vector<std::pair<std::u16string, std::u16string>>;

// The rows of a listed folder but "Parent...": each name with its type text ("Folder", "Deleted
// Folder", "TXT File" ...), in name order.
Rows NamesAndTypes(const std::vector<ResultRow>& rows)
{
    Rows named;
    for (const ResultRow& row : rows) {
        if (row.kind != ResultRowKind::kParent)
            named.emplace_back(row.name, row.type);
    }
    std::sort(named.begin(), named.end());
    return named;
}

// The one folder record of this name; the test fails without one.
const FatFolderRecord* FolderNamed(const std::u16string& name)
{
    const FatFolderRecord* found = nullptr;
    for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
        if (name == f->name) {
            EXPECT_EQ(found, nullptr) << "two folders named " << fs::path(name).u8string();
            found = f;
        }
    }
    EXPECT_NE(found, nullptr) << "no folder named " << fs::path(name).u8string();
    return found;
}

class ReusedFolderDisk : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kReused).empty()) << "the disk was not built";
        ASSERT_TRUE(OpenFixtureImage(FixtureFile(kReused, "reused.vhd"), disk));
        ResetSaveState();
        ClearFileFilters();
        ASSERT_TRUE(QuickScanPartition(GetParam() - 1));
    }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetEngineState();
    }

    // Saves the whole volume with the deleted-files setting and compares it with a tsk_recover
    // folder of the partition: the same files at the same places, byte for byte.
    void ExpectSavedAsSleuthkit(uint16_t deletedFiles, const char* oracle)
    {
        g_wDeletedFiles = deletedFiles;
        const fs::path out = temp.Path() / oracle;
        SaveWholeVolume(ToPath16(out));
        EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
        const std::map<std::string, fs::path> ours = morvick::test::FilesBelow(out, true);
        const std::string folder = "part" + std::to_string(GetParam()) + "." + oracle;
        const std::map<std::string, fs::path> theirs =
            morvick::test::FilesBelow(fs::u8path(FixtureFile(kReused, folder)), true);
        ASSERT_EQ(theirs.size(), 4u);
        morvick::test::ExpectSameBytes(ours, theirs);
        for (const auto& [key, path] : ours)
            EXPECT_TRUE(theirs.count(key)) << "saved where tsk_recover saves nothing: " << key;
    }

    CVirtualDisk disk;
    TempFolder temp;
};

}  // namespace

// "LIVE" (in KEEP) took the cluster of the deleted "OLD" (in the root, found first); "FRESH" (in the
// root, found first) took the cluster of the deleted "GONE" (in KEEP). Each is listed once, in its
// live entry's folder, as a live folder holding live files.
TEST_P(ReusedFolderDisk, EachFolderIsListedWhereItsLiveEntryIs)
{
    const FatFolderRecord* keep = FolderNamed(u"KEEP");
    const FatFolderRecord* live = FolderNamed(u"LIVE");
    const FatFolderRecord* sub = FolderNamed(u"SUB");
    const FatFolderRecord* fresh = FolderNamed(u"FRESH");
    ASSERT_TRUE(keep && live && sub && fresh);
    EXPECT_EQ(g_FatFolders.count, 4u);

    EXPECT_EQ(NamesAndTypes(ListFatFolder(0)), (Rows{{u"FRESH", u"Folder"}, {u"KEEP", u"Folder"}}));
    EXPECT_EQ(NamesAndTypes(ListFatFolder(keep->firstCluster)),
        (Rows{{u"KEEP.TXT", u"TXT File"}, {u"LIVE", u"Folder"}}));
    EXPECT_EQ(NamesAndTypes(ListFatFolder(live->firstCluster)),
        (Rows{{u"LIVE.TXT", u"TXT File"}, {u"SUB", u"Folder"}}));
    EXPECT_EQ(NamesAndTypes(ListFatFolder(sub->firstCluster)), (Rows{{u"DEEP.TXT", u"TXT File"}}));
    EXPECT_EQ(NamesAndTypes(ListFatFolder(fresh->firstCluster)), (Rows{{u"FRESH.TXT", u"TXT File"}}));
}

TEST_P(ReusedFolderDisk, SavesEveryFileWhereSleuthkitDoes)
{
    ExpectSavedAsSleuthkit(kDeletedInclude, "recover");
}

// The files of a folder that took a deleted folder's cluster are live: a save without deleted files
// keeps them.
TEST_P(ReusedFolderDisk, ASaveWithoutDeletedFilesKeepsTheFolderThatTookTheCluster)
{
    ExpectSavedAsSleuthkit(kDeletedExclude, "live");
}

INSTANTIATE_TEST_SUITE_P(Partitions, ReusedFolderDisk, ::testing::Values(1, 2),
    [](const ::testing::TestParamInfo<int>& info) { return info.param == 1 ? "fat16" : "fat32"; });
