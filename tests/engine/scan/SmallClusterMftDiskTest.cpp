// Both scans on an NTFS volume of 512-byte clusters whose MFT grew in runs of odd lengths
// (make-small-cluster-mft-disk.sh): a record there lies split across two runs, so the MFT is read as
// one stream of records. Every file is saved where tsk_recover saves it, byte for byte: the files
// whose records follow the split one (a folder's among them), which a run read as whole records
// misnumbered, misread or put in another folder, and the file whose record is the split one, which the
// Extensive Scan's search cannot read whole. Not the deleted files whose cluster the folders written
// since took (the $Bitmap gives it as in use): those fail with that reason.
#include "engine/ntfs/MftWalk.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/state/FoundEntryLists.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-small-cluster-mft-disk.sh"}));

namespace {

const char* const kDisk = "make-small-cluster-mft-disk.sh";

class SmallClusterMftDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kDisk).empty()) << "the disk was not built";
        ASSERT_TRUE(OpenFixtureImage(FixtureFile(kDisk, "small-cluster.vhd"), disk));
        ResetSaveState();
        ClearFileFilters();
        // The fixture's MFT has a run of an odd number of sectors before its last run.
        ASSERT_TRUE(ChooseFixturePartition(0));
        const VolumeParameterBlock& b = g_VolumeParams;
        ASSERT_EQ(WalkMftRecords(b.partitionStart, b.partitionStart + 32, 1), 1);
        const auto split = morvick::SplitMftRecords(g_MftRunTable);
        ASSERT_FALSE(split.empty());
        firstSplit = split.front().first;
    }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetEngineState();
    }

    // The saved volume against tsk_recover's: every file of theirs at its path with its bytes. The
    // files compared.
    size_t ExpectSavedAsSleuthkit(const fs::path& out)
    {
        std::map<std::string, fs::path> theirs = Theirs();
        // Deleted files whose clusters the files written since took are not saved: tsk_recover saves
        // those files' bytes under their names.
        for (const std::u16string& name : g_SaveReport.failedNames)
            theirs.erase(morvick::test::ComparablePath(fs::path(name), false));
        EXPECT_GT(theirs.size(), 500u);
        return morvick::test::ExpectSameBytes(morvick::test::FilesBelow(out, false), theirs);
    }
    // Nothing saved that tsk_recover does not save, but NTFS's own metadata files and empty files
    // (tsk_recover writes none).
    void ExpectNothingElseSaved(const fs::path& out)
    {
        const std::map<std::string, fs::path> theirs = Theirs();
        for (const auto& [key, path] : morvick::test::FilesBelow(out, false)) {
            if (key.rfind("/$", 0) != 0 && fs::file_size(path) != 0) {
                EXPECT_TRUE(theirs.count(key)) << "saved where tsk_recover saves nothing: " << key;
            }
        }
    }
    std::map<std::string, fs::path> Theirs() const
    {
        return morvick::test::FilesBelow(fs::u8path(FixtureFile(kDisk, "part1.recover")), false);
    }

    CVirtualDisk disk;
    TempFolder temp;
    uint32_t firstSplit = 0;  // the number of the first record split across two runs
};

}  // namespace

TEST_F(SmallClusterMftDisk, TheQuickScanSavesEveryFileWhereSleuthkitDoes)
{
    ASSERT_TRUE(QuickScanPartition(0));
    // Folder X1's record follows the split one, as do most files'.
    bool folderPastSplit = false;
    for (const NtfsFolderRecord* f = g_NtfsFolders.head; f; f = f->next)
        folderPastSplit = folderPastSplit || (std::u16string(f->name) == u"X1" && f->recordNumber > firstSplit);
    EXPECT_TRUE(folderPastSplit);
    const fs::path out = temp.Path() / "quick";
    SaveWholeVolume(ToPath16(out));
    // The deleted files whose single cluster the folders written since took fail, for that reason alone.
    EXPECT_GT(g_SaveReport.failedFiles, 0u);
    EXPECT_EQ(g_SaveReport.failedFiles, g_SaveReport.reusedClusterFiles);
    EXPECT_EQ(g_SaveReport.damagedFiles, 0u);
    EXPECT_GT(ExpectSavedAsSleuthkit(out), 500u);
    ExpectNothingElseSaved(out);
}

TEST_F(SmallClusterMftDisk, TheExtensiveScanSavesEveryFileWhereSleuthkitDoes)
{
    ASSERT_EQ(ExtensiveScanPartition(0, FileSystemKind::kNtfs), ExtensiveSearchResult::kCompleted);
    ASSERT_EQ(g_FoundPartitions.count, 1u);
    ASSERT_TRUE(BrowseFoundVolume(1));
    const fs::path out = temp.Path() / "extensive";
    SaveWholeVolume(ToPath16(out));
    // The deleted files whose single cluster the folders written since took fail, for that reason alone.
    EXPECT_GT(g_SaveReport.failedFiles, 0u);
    EXPECT_EQ(g_SaveReport.failedFiles, g_SaveReport.reusedClusterFiles);
    EXPECT_EQ(g_SaveReport.damagedFiles, 0u);
    EXPECT_GT(ExpectSavedAsSleuthkit(out), 500u);
}
