// Both scans on volumes of 4,096-byte sectors, which the engine reads in 512-byte sectors:
// - an NTFS volume of 4,096-byte sectors, MFT records and index records in a disk of 512-byte
//   sectors (make-4k-sector-ntfs-disk.sh), as a VHD and as a VHDX: every file is saved where
//   tsk_recover saves it, byte for byte, and File Trace takes the volume's parameters;
// - a FAT32 volume of 4,096-byte sectors in a VHDX of 4,096-byte logical sectors whose MBR counts
//   them (make-4k-sector-fat-disk.sh): the partition lies where the MBR puts it in those sectors, a
//   fragmented file, a live and a deleted file far into the volume and a folder of 100 files are saved
//   as written and as tsk_recover saves them, and no file is written short and counted whole.
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/image/SectorSize.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/scan/FileTrace.h"
#include "engine/scan/QuickScan.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundEntryLists.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/BothScansDisk.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>

namespace fs = std::filesystem;

namespace morvick::test {

namespace {

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(
    new DiskFixtureEnvironment({"make-4k-sector-ntfs-disk.sh", "make-4k-sector-fat-disk.sh"}));

const char* const kNtfsDisk = "make-4k-sector-ntfs-disk.sh";
const char* const kFatDisk = "make-4k-sector-fat-disk.sh";

uint64_t FixtureNumber(const char* script, const char* name)
{
    std::ifstream in(FixtureFile(script, name));
    uint64_t value = 0;
    in >> value;
    return value;
}

// Saved files by comparable path, NTFS's own metadata files left aside (sleuthkit saves none).
std::map<std::string, fs::path> UserFilesBelow(const fs::path& root, bool maskDeletedMark)
{
    std::map<std::string, fs::path> files;
    for (const auto& [key, path] : FilesBelow(root, maskDeletedMark)) {
        if (key.find('$') == std::string::npos)
            files.emplace(key, path);
    }
    return files;
}

// The NTFS disk in each container, by each scan.
class NtfsLargeSectors : public ScannedDisk, public ::testing::WithParamInterface<std::tuple<ScanKind, const char*>> {};

TEST_P(NtfsLargeSectors, EveryFileIsSavedAsSleuthkitSavesIt)
{
    ASSERT_FALSE(FixtureFolder(kNtfsDisk).empty());
    const auto [kind, image] = GetParam();
    Scan(kind, FixtureFile(kNtfsDisk, image), 0);
    // The volume's sizes in the engine's 512-byte sectors: clusters and records of 4 KiB.
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerCluster}, 8u);
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerMftRecord}, 8u);
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerIndexRecord}, 8u);
    const fs::path out = SaveAll("out");
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    const std::map<std::string, fs::path> theirs =
        FilesBelow(fs::u8path(FixtureFile(kNtfsDisk, "part1.recover")), false);
    ASSERT_EQ(theirs.size(), 221u);
    const std::map<std::string, fs::path> ours = UserFilesBelow(out, false);
    EXPECT_EQ(ExpectSameBytes(ours, theirs), theirs.size());
    for (const auto& [key, path] : ours) {
        if (fs::file_size(path) != 0) {
            EXPECT_TRUE(theirs.count(key)) << "saved where tsk_recover saves nothing: " << key;
        }
    }

    // The snapshot keeps the records' size: it loads over its own image and saves the same.
    const std::u16string snapshot = ToPath16(temp.Path() / "ntfs4k.srzq");
    ASSERT_TRUE(SaveSnapshotFile(snapshot));
    ResetEngineState();
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kNtfsDisk, image), disk));
    ASSERT_TRUE(LoadSnapshotFile(snapshot));
    EXPECT_EQ(ExpectSameBytes(UserFilesBelow(SaveAll("loaded"), false), theirs), theirs.size());
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
}

INSTANTIATE_TEST_SUITE_P(Scans, NtfsLargeSectors,
    ::testing::Combine(::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
        ::testing::Values("ntfs4k.vhd", "ntfs4k.vhdx")),
    [](const ::testing::TestParamInfo<std::tuple<ScanKind, const char*>>& info) {
        const std::string image = std::get<1>(info.param);
        return std::string(std::get<0>(info.param) == ScanKind::kQuick ? "quick_" : "extensive_") +
            image.substr(image.rfind('.') + 1);
    });

// Without either boot sector the Extensive Scan rebuilds the volume from its folders: its records are
// of the size of those it finds, and the folders that keep their index in their own record are
// numbered by their distance in such records, so that their files are saved in them.
TEST_F(ScannedDisk, TheExtensiveScanRebuildsAnNtfsVolumeOfLargeSectorsWithoutItsBootSectors)
{
    ASSERT_FALSE(FixtureFolder(kNtfsDisk).empty());
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kNtfsDisk, "bootless.vhd"), disk));
    ASSERT_EQ(ExtensiveScanPartition(0, FileSystemKind::kNtfs), ExtensiveSearchResult::kCompleted);
    ASSERT_EQ(g_FoundPartitions.count, 1u);
    EXPECT_EQ(g_FoundPartitions.head->sectorsPerMftRecord, 8u);
    ASSERT_TRUE(BrowseFoundVolume(1));
    const fs::path out = SaveAll("out");
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    const std::map<std::string, fs::path> theirs =
        FilesBelow(fs::u8path(FixtureFile(kNtfsDisk, "part1.recover")), false);
    EXPECT_EQ(ExpectSameBytes(UserFilesBelow(out, false), theirs), theirs.size());
    EXPECT_TRUE(FilesBelow(out / "Lost Dir", false).empty());
}

TEST_F(ScannedDisk, FileTraceTakesTheParametersOfAnNtfsVolumeOfLargeSectors)
{
    ASSERT_FALSE(FixtureFolder(kNtfsDisk).empty());
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kNtfsDisk, "ntfs4k.vhd"), disk));
    ASSERT_TRUE(ChooseFixturePartition(0));
    g_nScanMode = kScanFileTrace;
    ScanFinishedWord finished{0};
    EXPECT_EQ(RunFileTrace(finished, nullptr), FileTraceResult::kCompleted);
    EXPECT_EQ(uint32_t{g_VolumeParams.mftStart}, g_VolumeParams.partitionStart + 4 * 8);
}

// The FAT disk of 4 KiB logical sectors, by each scan.
using FatLargeSectors = BothScansDisk;

TEST_F(ScannedDisk, ThePartitionTableOfLargeLogicalSectorsIsReadInTheirUnits)
{
    ASSERT_FALSE(FixtureFolder(kFatDisk).empty());
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kFatDisk, "fat4k.vhdx"), disk));
    ASSERT_EQ(g_nPartitionCount, 1u);
    EXPECT_EQ(g_PartitionTable[0].startSector, FixtureNumber(kFatDisk, "part1.start"));
    EXPECT_EQ(g_PartitionTable[0].sectorCount, FixtureNumber(kFatDisk, "part1.sectors"));
    EXPECT_EQ(g_PartitionTable[0].fileSystemType, FileSystemKind::kFat32);
}

// The files the fixture keeps as written, and every file tsk_recover saves but the deleted ones
// whose clusters FRAG.BIN took (sleuthkit saves the first cluster of some, FRAG.BIN's bytes).
void ExpectFatFilesAsWritten(const fs::path& out)
{
    for (const char* name : {"FRAG.BIN", "FAR.BIN"})
        EXPECT_TRUE(ReadWholeFile(out / name) == ReadWholeFile(FixtureFile(kFatDisk, std::string("files/") + name)))
            << name;
    EXPECT_TRUE(ReadWholeFile(out / "xONE.BIN") == ReadWholeFile(FixtureFile(kFatDisk, "files/GONE.BIN")));
    std::map<std::string, fs::path> theirs = FilesBelow(fs::u8path(FixtureFile(kFatDisk, "part1.recover")), true);
    for (auto it = theirs.begin(); it != theirs.end();)
        it = it->first.rfind("/?", 0) == 0 && it->first != "/?one.bin" ? theirs.erase(it) : std::next(it);
    ASSERT_EQ(theirs.size(), 116u);
    EXPECT_EQ(ExpectSameBytes(FilesBelow(out, true), theirs), theirs.size());
    EXPECT_EQ(FilesBelow(out / "NOTES", false).size(), 100u);
    EXPECT_TRUE(FilesBelow(out / "Lost Dir", false).empty());
}

// Every file written shorter than its entry's size is counted damaged, never saved.
void ExpectNothingShortCountedSaved(const fs::path& out)
{
    std::map<std::u16string, uint32_t> listed;
    for (const FatEntryRecord* e = g_FatEntries.head; e; e = e->next)
        listed[e->name] = e->size;
    std::set<std::u16string> damaged;
    for (const std::u16string& path : g_SaveReport.damagedPaths)
        damaged.insert(path.substr(path.find_last_of(u"/\\") + 1));
    size_t looked = 0;
    for (const auto& [key, path] : FilesBelow(out, false)) {
        const auto it = listed.find(path.filename().u16string());
        if (it == listed.end())
            continue;
        ++looked;
        if (fs::file_size(path) < it->second) {
            EXPECT_TRUE(damaged.count(it->first)) << "written short and counted saved: " << key;
        }
    }
    EXPECT_GE(looked, 110u);
}

TEST_P(FatLargeSectors, FilesAreSavedAsWritten)
{
    ASSERT_FALSE(FixtureFolder(kFatDisk).empty());
    Scan(FixtureFile(kFatDisk, "fat4k.vhdx"), 0);
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerCluster}, 8u);
    const fs::path out = SaveAll("out");
    ExpectFatFilesAsWritten(out);
    ExpectNothingShortCountedSaved(out);

    // A snapshot loads over its own image, the boot sector read as the scan read it.
    const std::u16string snapshot = ToPath16(temp.Path() / "fat4k.srzq");
    ASSERT_TRUE(SaveSnapshotFile(snapshot));
    ResetEngineState();
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kFatDisk, "fat4k.vhdx"), disk));
    ASSERT_TRUE(LoadSnapshotFile(snapshot));
    ExpectFatFilesAsWritten(SaveAll("loaded"));
}

INSTANTIATE_TEST_SUITE_P(Scans, FatLargeSectors, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace

}  // namespace morvick::test
