// Folders made in the MFT records of deleted folders (make-reused-record-disk.sh, mkntfs and ntfs-3g):
// the deleted files of old and old/sub still name those records, now new1's and new2's. Both scans
// list them in "Lost Dir", not in the new folders, and save every file where tsk_recover does (its
// "$OrphanFiles" is our "Lost Dir"), byte for byte; the deleted folder whose record was not taken
// keeps its deleted file. A snapshot of either scan loads over its own image.
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/image/VirtualDisk.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
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
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-reused-record-disk.sh"}));

namespace {

const char* const kScript = "make-reused-record-disk.sh";

std::string Utf8(const char16_t* name)
{
    return fs::path(std::u16string(name)).u8string();
}

class ReusedRecordDisk : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ResetEngineState();
        ResetSaveState();
        ClearFileFilters();
        ASSERT_FALSE(FixtureFolder(kScript).empty()) << "the disk was not built";
        ASSERT_TRUE(OpenFixtureImage(FixtureFile(kScript, "reused-record.vhd"), disk));
    }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetExtensiveScanState();
        ResetEngineState();
    }
    bool Extensive() const { return GetParam(); }

    // Lists the one NTFS volume with the scan of the parameter.
    void Scan()
    {
        if (!Extensive()) {
            ASSERT_TRUE(QuickScanPartition(0));
            return;
        }
        ASSERT_TRUE(ChooseFixturePartition(0));
        g_nScanMode = kScanExtensive;
        ScanFinishedWord finished{0};
        ASSERT_EQ(RunExtensiveScan(finished).search, ExtensiveSearchResult::kCompleted);
        ASSERT_EQ(g_FoundPartitions.count, 1u);
        ASSERT_TRUE(ChooseFoundVolume(1));
        finished = 0;
        RunFoundVolumeScan(finished);
    }

    // The folders by name (their own numbers) and the files by name (their parents' numbers).
    static std::map<std::string, uint32_t> Folders()
    {
        std::map<std::string, uint32_t> folders;
        for (const NtfsFolderRecord* r = g_NtfsFolders.head; r; r = r->next)
            folders[Utf8(r->name)] = r->recordNumber;
        return folders;
    }
    static std::map<std::string, uint32_t> FileParents()
    {
        std::map<std::string, uint32_t> files;
        for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next)
            files[Utf8(r->name)] = r->parentRecord;
        const VolumeParameterBlock& b = g_VolumeParams;
        for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r; r = r->next) {
            if (r->sector > b.clusterBase && r->sector <= b.volumeEnd)
                files[Utf8(r->name)] = r->parentRecord;
        }
        return files;
    }

    CVirtualDisk disk;
    TempFolder temp;
};

}  // namespace

TEST_P(ReusedRecordDisk, TheFilesOfADeletedFolderWhoseRecordWasTakenGoToLostDir)
{
    ASSERT_NO_FATAL_FAILURE(Scan());
    const std::map<std::string, uint32_t> folders = Folders();
    const std::map<std::string, uint32_t> files = FileParents();
    for (const char* name : {"keep", "trash", "new1", "new2", "new3", "Lost Dir"})
        ASSERT_EQ(folders.count(name), 1u) << name;
    EXPECT_EQ(folders.count("old"), 0u);
    EXPECT_EQ(folders.count("sub"), 0u);
    for (const char* name : {"a3.txt", "a4.txt", "a5.txt", "b1.txt", "b2.txt", "b3.txt"}) {
        ASSERT_EQ(files.count(name), 1u) << name;
        EXPECT_EQ(files.at(name), kLostDirRecordNumber) << name;
    }
    // What the new folders hold as their own, and a deleted folder whose record was not taken.
    EXPECT_EQ(files.at("n1.txt"), folders.at("new1"));
    EXPECT_EQ(files.at("keep.txt"), folders.at("keep"));
    EXPECT_EQ(files.at("t.txt"), folders.at("trash"));
    for (const auto& [name, parent] : files) {
        EXPECT_NE(parent, folders.at("new2")) << name;
        EXPECT_NE(parent, folders.at("new3")) << name;
    }

    const fs::path out = temp.Path() / "out";
    SaveWholeVolume(ToPath16(out));
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    std::map<std::string, fs::path> ours;
    const std::string lost = "/lost dir/";
    for (const auto& [key, path] : morvick::test::FilesBelow(out, false)) {
        // NTFS's own files, which tsk_recover leaves out (the Extensive Scan finds those of the MFT's
        // mirror too: "Copy (1 ) of $MFT").
        if (path.filename().u8string().find('$') != std::string::npos)
            continue;
        ours[key.rfind(lost, 0) == 0 ? "/$orphanfiles/" + key.substr(lost.size()) : key] = path;
    }
    const std::map<std::string, fs::path> theirs =
        morvick::test::FilesBelow(fs::u8path(FixtureFile(kScript, "reused.recover")), false);
    ASSERT_EQ(theirs.size(), 9u);
    EXPECT_EQ(morvick::test::ExpectSameBytes(ours, theirs), theirs.size());
    for (const auto& [key, path] : ours)
        EXPECT_TRUE(theirs.count(key)) << "saved where tsk_recover saves nothing: " << key;
}

TEST_P(ReusedRecordDisk, ASnapshotWithFilesInLostDirLoadsOverItsOwnImage)
{
    ASSERT_NO_FATAL_FAILURE(Scan());
    const std::map<std::string, uint32_t> listed = FileParents();
    ASSERT_EQ(listed.at("a3.txt"), kLostDirRecordNumber);
    const std::u16string path = ToPath16(temp.Path() / "reused.srzq");
    ASSERT_TRUE(SaveSnapshotFile(path));

    ResetEngineState();
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kScript, "reused-record.vhd"), disk));
    ASSERT_TRUE(LoadSnapshotFile(path)) << "refused as another volume's";
    EXPECT_EQ(FileParents(), listed);
}

INSTANTIATE_TEST_SUITE_P(BothScans, ReusedRecordDisk, ::testing::Values(false, true),
    [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Extensive" : "Quick"; });
