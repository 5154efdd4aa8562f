// Recovery snapshots of real volumes (made by mkfs.fat and mtools, mkntfs and ntfs-3g) loaded over
// the image they came from, and over the same disk whose volumes were formatted afresh at the same
// places and sizes, with the same tools and settings, and filled with other files (or with files of
// the same names and folders): boot sectors, FATs and MFT places agree, only the files tell the
// volumes apart. A snapshot must load over its own image, also after files were deleted or changed
// there, and be refused over the other, for each scan: the Quick Scan and the Extensive Scan (also
// of a FAT volume they rebuilt from its folders alone) and File Trace.
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/scan/ChosenSignatures.h"
#include "engine/scan/FileTrace.h"
#include "engine/scan/QuickScan.h"
#include "engine/scan/SignatureTable.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "engine/volume/PartitionDiscovery.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(
    new DiskFixtureEnvironment({"make-snapshot-disks.sh", "make-cut-trace-disk.sh"}));

namespace {

const char* const kDisks = "make-snapshot-disks.sh";
const char* const kTraceDisks = "make-cut-trace-disk.sh";

struct Partition {
    FileSystemKind kind;
    uint32_t start;
    uint32_t sectors;
};

Partition PartitionOf(int number, FileSystemKind kind)
{
    auto value = [number](const char* what) {
        return static_cast<uint32_t>(
            std::stoul(morvick::test::ReadTextFile(FixtureFile(kDisks, "part" + std::to_string(number) + what))));
    };
    return {kind, value(".start"), value(".sectors")};
}

Partition Fat32Partition()
{
    return PartitionOf(1, FileSystemKind::kFat32);
}

Partition NtfsPartition()
{
    return PartitionOf(2, FileSystemKind::kNtfs);
}

// The partitions of the open image as the drive page finds them: its table, else the search.
std::vector<Partition> FoundPartitions()
{
    if (WalkPartitionTable(0) == 0)
        SearchPartitions(false, 0, nullptr);
    std::vector<Partition> found;
    for (uint32_t i = 0; i < g_nPartitionCount; ++i)
        found.push_back(
            {g_PartitionTable[i].fileSystemType, g_PartitionTable[i].startSector, g_PartitionTable[i].sectorCount});
    return found;
}

// Every file the saver writes of the whole volume into `folder`, by path.
std::map<std::string, std::string> SavedVolume(const fs::path& folder)
{
    SaveWholeVolume(ToPath16(folder));
    std::map<std::string, std::string> files;
    for (const auto& [key, path] : morvick::test::FilesBelow(folder, false))
        files[key] = ReadWholeFile(path);
    return files;
}

class SnapshotSourceDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kDisks).empty()) << "the fixture disks were not built";
        ASSERT_FALSE(FixtureFolder(kTraceDisks).empty()) << "the fixture disks were not built";
    }
    void TearDown() override
    {
        disk.reset();
        morvick::test::CloseEngineImage();
        ResetExtensiveScanState();
    }

    // Opens an image of the fixture (the engine's state is reset).
    void Open(const char* fixture, const char* image)
    {
        disk.reset();
        disk = morvick::test::OpenEngineImage(FixtureFile(fixture, image));
        ASSERT_TRUE(disk) << image;
    }

    void Choose(const Partition& p)
    {
        g_VolumeParams = VolumeParameterBlock();
        g_VolumeParams.chosenFileSystemType = p.kind;
        g_VolumeParams.partitionStart = p.start;
        g_VolumeParams.partitionSectors = p.sectors;
        g_VolumeParams.partitionEnd = p.start + p.sectors - 1;
    }

    // The Quick Scan of the partition.
    void QuickScan(const Partition& p)
    {
        g_nScanMode = kScanQuick;
        Choose(p);
        ScanFinishedWord finished{0};
        ASSERT_EQ(RunQuickScan(finished), QuickScanResult::kCompleted);
    }

    // The Extensive Scan of the partition with its type chosen, and the found-volume scan of the
    // volume found in it.
    void ExtensiveScan(const Partition& p)
    {
        g_nScanMode = kScanExtensive;
        Choose(p);
        ScanFinishedWord finished{0};
        ASSERT_EQ(RunExtensiveScan(finished).search, ExtensiveSearchResult::kCompleted);
        uint16_t number = 0, position = 0;
        for (const FoundPartitionRecord* r = g_FoundPartitions.head; r; r = r->next) {
            ++position;
            if (r->fileSystemType == p.kind && r->clusterBase >= p.start && r->clusterBase < p.start + p.sectors)
                number = position;
        }
        ASSERT_NE(number, 0) << "no volume found in the partition";
        ASSERT_TRUE(ChooseFoundVolume(number));
        RunFoundVolumeScan(finished);
    }

    // Saves the snapshot of the current results; also the number of files it lists.
    std::u16string Save(const std::string& name)
    {
        files = g_FatEntries.count + g_MftEntries.count + g_NtfsFileRecords.count + g_TracedFiles.count;
        EXPECT_GT(files, 10u) << "the scan found the volume's files";
        const std::u16string path = ToPath16(temp.Path() / (name + ".srzq"));
        EXPECT_TRUE(SaveSnapshotFile(path));
        return path;
    }

    // Loads the snapshot over the image: over its own it loads as it was saved; over any other it is
    // refused with the program's message.
    void ExpectLoads(const std::u16string& path, const char* fixture, const char* image, bool loads)
    {
        SCOPED_TRACE(image);
        Open(fixture, image);
        RecordingObserver observer;
        ASSERT_EQ(LoadSnapshotFile(path), loads);
        if (loads) {
            EXPECT_TRUE(observer.messages.empty());
            EXPECT_EQ(g_FatEntries.count + g_MftEntries.count + g_NtfsFileRecords.count + g_TracedFiles.count, files);
            return;
        }
        ASSERT_EQ(observer.messages.size(), 1u);
        EXPECT_EQ(observer.messages[0].first, u"Source file and load recovery snapshot mismatch");
        EXPECT_EQ(g_FatEntries.count + g_MftEntries.count + g_NtfsFileRecords.count + g_TracedFiles.count, 0u)
            << "nothing of the snapshot is loaded";
    }

    // The snapshots of both scans of both volumes of the first disk, each loaded over `image`.
    void ExpectFirstDiskSnapshots(const char* image, bool load)
    {
        for (const Partition& p : {Fat32Partition(), NtfsPartition()}) {
            SCOPED_TRACE(p.kind == FileSystemKind::kNtfs ? "NTFS" : "FAT32");
            Open(kDisks, "first.vhd");
            ASSERT_NO_FATAL_FAILURE(QuickScan(p));
            ExpectLoads(Save("quick"), kDisks, image, load);

            Open(kDisks, "first.vhd");
            ASSERT_NO_FATAL_FAILURE(ExtensiveScan(p));
            ExpectLoads(Save("extensive"), kDisks, image, load);
        }
    }

    TempFolder temp;
    std::unique_ptr<CVirtualDisk> disk;
    uint32_t files = 0;
};

}  // namespace

TEST_F(SnapshotSourceDisk, QuickScanSnapshotsLoadOnlyOverTheirOwnVolumes)
{
    for (const Partition& p : {Fat32Partition(), NtfsPartition()}) {
        SCOPED_TRACE(p.kind == FileSystemKind::kNtfs ? "NTFS" : "FAT32");
        Open(kDisks, "first.vhd");
        ASSERT_NO_FATAL_FAILURE(QuickScan(p));
        const std::u16string path = Save("quick");
        ExpectLoads(path, kDisks, "other.vhd", false);
        ExpectLoads(path, kDisks, "first.vhd", true);
    }
}

TEST_F(SnapshotSourceDisk, ExtensiveScanSnapshotsLoadOnlyOverTheirOwnVolumes)
{
    for (const Partition& p : {Fat32Partition(), NtfsPartition()}) {
        SCOPED_TRACE(p.kind == FileSystemKind::kNtfs ? "NTFS" : "FAT32");
        Open(kDisks, "first.vhd");
        ASSERT_NO_FATAL_FAILURE(ExtensiveScan(p));
        const std::u16string path = Save("extensive");
        ExpectLoads(path, kDisks, "other.vhd", false);
        ExpectLoads(path, kDisks, "first.vhd", true);
    }
}

// Without boot sectors and FATs the Extensive Scan rebuilds the FAT volume from its folders: no
// reserved sectors and no FAT. Its snapshot is known by its files alone.
TEST_F(SnapshotSourceDisk, AFatVolumeRebuiltFromItsFoldersIsKnownByItsFiles)
{
    Open(kDisks, "first-fat-lost.vhd");
    ASSERT_NO_FATAL_FAILURE(ExtensiveScan(Fat32Partition()));
    ASSERT_EQ(uint32_t{g_VolumeParams.reservedSectors}, 0u);
    ASSERT_EQ(uint32_t{g_VolumeParams.firstFat}, 0u);
    const std::u16string path = Save("rebuilt");
    ExpectLoads(path, kDisks, "first-fat-lost.vhd", true);
    ExpectLoads(path, kDisks, "other-fat-lost.vhd", false);
}

// The Quick Scan rebuilds the volume from two of its folders and puts its first FAT after the usual
// 32 reserved sectors, where nothing is left: its snapshot too is known by its files.
TEST_F(SnapshotSourceDisk, AQuickScanOfAFatVolumeRebuiltFromItsFoldersIsKnownByItsFiles)
{
    Open(kDisks, "first-fat-lost.vhd");
    ASSERT_NO_FATAL_FAILURE(QuickScan(Fat32Partition()));
    ASSERT_EQ(uint32_t{g_VolumeParams.firstFat}, Fat32Partition().start + 32);
    const std::u16string path = Save("rebuilt-quick");
    ExpectLoads(path, kDisks, "first-fat-lost.vhd", true);
    ExpectLoads(path, kDisks, "other-fat-lost.vhd", false);
}

// Files deleted since the snapshot (among them a picture with a short 8.3 name only, whose first
// character the deletion overwrote) and an NTFS file made longer leave it loading over its volume.
TEST_F(SnapshotSourceDisk, SnapshotsStillLoadAfterFilesWereDeletedOrChanged)
{
    ExpectFirstDiskSnapshots("first-used.vhd", true);
}

// A volume formatted afresh at the same place and given files of the same names in the same
// folders, in the same order: on NTFS their records have the same numbers and places, and only
// their creation times differ.
TEST_F(SnapshotSourceDisk, AVolumeOfTheSameNamesIsNotTakenForTheOne)
{
    ExpectFirstDiskSnapshots("same-names.vhd", false);
}

// A disk whose partition table is lost: the partition search finds its volumes, the NTFS one with its
// boot sector's count, which leaves out the boot sector's copy after it. The snapshot of each scan
// of each loads over that image and saves what the scan saved; over the other disk, whose volumes
// were formatted afresh at the same places and sizes, it is refused.
TEST_F(SnapshotSourceDisk, SnapshotsOfSearchedPartitionsLoadAndSaveWhatTheScanSaved)
{
    Open(kDisks, "first-searched.vhd");
    const std::vector<Partition> found = FoundPartitions();
    ASSERT_EQ(g_bSearchPartitions, 1) << "the table is lost: the disk was searched";
    ASSERT_EQ(found.size(), 2u);
    ASSERT_EQ(found[1].kind, FileSystemKind::kNtfs);
    ASSERT_EQ(found[1].start, NtfsPartition().start);
    ASSERT_EQ(found[1].sectors, NtfsPartition().sectors - 1) << "the boot sector's count";
    int saved = 0;
    for (const Partition& p : found) {
        for (int mode : {kScanQuick, kScanExtensive}) {
            SCOPED_TRACE(std::string(p.kind == FileSystemKind::kNtfs ? "NTFS" : "FAT32") +
                (mode == kScanQuick ? " quick" : " extensive"));
            Open(kDisks, "first-searched.vhd");
            if (mode == kScanQuick)
                ASSERT_NO_FATAL_FAILURE(QuickScan(p));
            else
                ASSERT_NO_FATAL_FAILURE(ExtensiveScan(p));
            const std::map<std::string, std::string> scanned =
                SavedVolume(temp.Path() / ("scan" + std::to_string(++saved)));
            const std::u16string path = Save("searched");
            ExpectLoads(path, kDisks, "other-searched.vhd", false);
            ExpectLoads(path, kDisks, "first-searched.vhd", true);
            ASSERT_GT(scanned.size(), 10u);
            EXPECT_TRUE(SavedVolume(temp.Path() / ("load" + std::to_string(saved))) == scanned)
                << "the load saves what the scan saved";
        }
    }
}

TEST_F(SnapshotSourceDisk, FileTraceSnapshotLoadsOnlyWhereItsHitsStillBegin)
{
    Open(kTraceDisks, "whole.vhd");
    g_nScanMode = kScanFileTrace;
    const SignatureTable table = LoadSignatureTableFile(fs::u8path(MORVICK_RAW_DAT).u16string());
    ASSERT_TRUE(AppendChosenSignatures(g_TraceHits, table.records, {u".jpg", u".png", u".gif"}));
    Choose({FileSystemKind::kFat16, 2048, 38912});
    ScanFinishedWord finished{0};
    ASSERT_EQ(RunFileTrace(finished, nullptr), FileTraceResult::kCompleted);
    // A handful of pictures: lift the expectation of Save to what is there.
    ASSERT_EQ(g_TracedFiles.count, 5u);
    files = g_TracedFiles.count;
    const std::u16string path = ToPath16(temp.Path() / "trace.srzq");
    ASSERT_TRUE(SaveSnapshotFile(path));
    ExpectLoads(path, kTraceDisks, "other.vhd", false);
    ExpectLoads(path, kTraceDisks, "whole.vhd", true);
}
