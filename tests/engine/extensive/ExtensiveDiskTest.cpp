// The Extensive Scan end to end on disks built by the real tools (mkfs.fat, mtools, mkntfs, ntfs-3g)
// and then damaged: the MBR wiped; the FAT16 boot sector and the first FAT32 and NTFS boot sectors
// wiped as well; both FAT32 boot sectors wiped; both NTFS boot sectors wiped. Every volume must be
// found, and its live files saved byte for byte at their paths, as sleuthkit's tsk_recover saves them
// from the undamaged disk. Volumes without boot sectors are inferred from their directories. A FAT16
// volume whose first folder lies at cluster 2 (the first data cluster) keeps that folder.
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "engine/volume/EngineSectorSource.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/save/TempFolder.h"

#include <gtest/gtest.h>

#include <map>

namespace fs = std::filesystem;

namespace morvick::test {

namespace {

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment(
    {"make-wiped-disk.sh", "make-first-folder-disk.sh", "make-fatless-disk.sh", "make-cross-linked-disk.sh"}));

const char* const kDisk = "make-wiped-disk.sh";

struct PartitionCase {
    int number;
    FileSystemKind fileSystem;
};
const PartitionCase kPartitions[] = {{1, FileSystemKind::kFat16}, {2, FileSystemKind::kFat32},
    {3, FileSystemKind::kNtfs}, {4, FileSystemKind::kFat16}};

uint32_t PartitionStart(int number)
{
    return static_cast<uint32_t>(
        std::stoul(ReadTextFile(FixtureFile(kDisk, "part" + std::to_string(number) + ".start"))));
}

class ExtensiveDisk : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        ResetSaveState();
        ClearFileFilters();
        ASSERT_FALSE(FixtureFolder(Fixture()).empty());
        disk = OpenEngineImage(FixtureFile(Fixture(), GetParam()));
        ASSERT_TRUE(disk);
        g_nScanMode = kScanExtensive;
    }
    // The script that made the disks.
    virtual const char* Fixture() const { return kDisk; }

    void TearDown() override
    {
        disk.reset();
        CloseEngineImage();
        ResetExtensiveScanState();
        ResetSaveState();
    }

    // The Extensive Scan of the range with the type chosen.
    void Scan(FileSystemKind type, uint32_t start, uint32_t sectors)
    {
        g_VolumeParams = VolumeParameterBlock();
        g_VolumeParams.chosenFileSystemType = type;
        g_VolumeParams.partitionStart = start;
        g_VolumeParams.partitionSectors = sectors;
        g_VolumeParams.partitionEnd = start + sectors - 1;
        ScanFinishedWord finished{0};
        EXPECT_EQ(RunExtensiveScan(finished).search, ExtensiveSearchResult::kCompleted);
    }
    uint32_t DiskSectors() const { return static_cast<uint32_t>(EngineSectorSource().SectorCount()); }

    // The number of the found volume that lies in partition `number` (its cluster base inside it).
    uint16_t VolumeOf(int number, FileSystemKind& type) const
    {
        const uint32_t start = PartitionStart(number);
        const uint32_t next = number < 4 ? PartitionStart(number + 1) : DiskSectors();
        uint16_t position = 0;
        for (const FoundPartitionRecord* r = g_FoundPartitions.head; r; r = r->next) {
            ++position;
            if (r->clusterBase >= start && r->clusterBase < next) {
                type = r->fileSystemType;
                return position;
            }
        }
        return 0;
    }

    // The search found one volume: it is listed and saved whole into out, every file written.
    void SaveTheOneFoundVolume(const fs::path& out)
    {
        ASSERT_EQ(g_FoundPartitions.count, 1u);
        ASSERT_TRUE(ChooseFoundVolume(1));
        ScanFinishedWord finished{0};
        RunFoundVolumeScan(finished);
        SaveWholeVolume(ToPath16(out));
        EXPECT_EQ(g_SaveReport.failedFiles, 0u);
    }

    // Lists the volume, saves it whole and compares with the live files of the partition.
    void ExpectSavedLikeSleuthkit(uint16_t volume, int number, bool ntfs)
    {
        ASSERT_TRUE(ChooseFoundVolume(volume));
        ScanFinishedWord finished{0};
        RunFoundVolumeScan(finished);
        EXPECT_EQ(finished.load(), 1);
        const fs::path out = temp.Path() / ("v" + std::to_string(volume));
        SaveWholeVolume(ToPath16(out));
        EXPECT_EQ(g_SaveReport.failedFiles, 0u);

        SCOPED_TRACE("partition " + std::to_string(number));
        const std::map<std::string, fs::path> ours = FilesBelow(out, false);
        std::map<std::string, fs::path> theirs =
            FilesBelow(fs::u8path(FixtureFile(kDisk, "part" + std::to_string(number) + ".live")), false);
        ASSERT_FALSE(theirs.empty());
        // A file of many hard links is one record, listed under one of its names.
        if (ntfs)
            theirs = FilesOutside(theirs, "/links/");
        EXPECT_GT(ExpectSameBytes(ours, theirs), 300u);
    }

    // Each original is saved somewhere below `out` under its file name, byte for byte (for volumes
    // whose folders the scan could not all name). The saved files found.
    std::vector<fs::path> ExpectSavedByName(const fs::path& out, const std::map<std::string, fs::path>& originals)
    {
        std::map<std::string, fs::path> ours;
        for (const auto& [key, path] : FilesBelow(out, false))
            ours[path.filename().u8string()] = path;
        std::vector<fs::path> saved;
        for (const auto& [key, path] : originals) {
            auto it = ours.find(path.filename().u8string());
            if (it == ours.end()) {
                ADD_FAILURE() << "not saved: " << key;
                continue;
            }
            EXPECT_TRUE(ReadWholeFile(it->second) == ReadWholeFile(path)) << key;
            saved.push_back(it->second);
        }
        return saved;
    }

    std::unique_ptr<CVirtualDisk> disk;
    RecordingObserver observer;
    TempFolder temp;
};

}  // namespace

TEST_P(ExtensiveDisk, FindsEveryVolumeOfTheWholeDiskAndSavesItsLiveFiles)
{
    Scan(FileSystemKind::kNone, 0, DiskSectors());
    EXPECT_EQ(g_FoundPartitions.count, 4u);
    EXPECT_EQ(g_nBootPassFinished, 1);
    EXPECT_EQ(g_nLeftoverPassFinished, 1);
    for (const PartitionCase& c : kPartitions) {
        FileSystemKind type = FileSystemKind::kNone;
        const uint16_t volume = VolumeOf(c.number, type);
        ASSERT_NE(volume, 0) << "partition " << c.number;
        if (c.fileSystem == FileSystemKind::kNtfs) {
            EXPECT_EQ(type, FileSystemKind::kNtfs);
        }
        ExpectSavedLikeSleuthkit(volume, c.number, c.fileSystem == FileSystemKind::kNtfs);
        // Without a chosen type, a FAT volume found without its boot sectors takes its kind from its
        // FAT copies.
        EXPECT_EQ(FileSystemKind{g_VolumeParams.browsedFileSystemType}, c.fileSystem) << "partition " << c.number;
        if (c.fileSystem == FileSystemKind::kNtfs) {
            EXPECT_EQ(uint32_t{g_VolumeParams.clusterBase}, PartitionStart(c.number));
        }
    }
    // The file-system page's tree: the root, then one item per volume in the list's order.
    ASSERT_EQ(observer.items.size(), 5u);
    EXPECT_EQ(observer.items[0].text, u"File System");
    size_t i = 1;
    for (const FoundPartitionRecord* r = g_FoundPartitions.head; r; r = r->next, ++i) {
        EXPECT_EQ(observer.items[i].text, FoundVolumeText(*r));
        EXPECT_EQ(observer.items[i].record, r);
        EXPECT_EQ(r->treeItem, i + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Damage, ExtensiveDisk,
    ::testing::Values("mbr-wiped.vhd", "boots-wiped.vhd", "fat32-lost.vhd", "ntfs-lost.vhd"),
    [](const ::testing::TestParamInfo<const char*>& info) {
        std::string name = info.param;
        name = name.substr(0, name.find('.'));
        name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
        return name;
    });

class ChosenRange : public ExtensiveDisk {};

TEST_P(ChosenRange, AFat32VolumeWithoutBootSectorsIsInferredFromItsDirectories)
{
    const uint32_t start = PartitionStart(2);
    Scan(FileSystemKind::kFat32, start, PartitionStart(3) - start);
    ASSERT_EQ(g_FoundPartitions.count, 1u);
    const FoundPartitionRecord& v = *g_FoundPartitions.head;
    EXPECT_EQ(v.fileSystemType, FileSystemKind::kFat32);
    EXPECT_EQ(v.firstFat, 0u);  // found by the found-volume scan
    EXPECT_EQ(v.sectorsPerCluster, 1u);
    ExpectSavedLikeSleuthkit(1, 2, false);
    EXPECT_EQ(uint32_t{g_VolumeParams.firstFat}, start + 32);
}

INSTANTIATE_TEST_SUITE_P(Damage, ChosenRange, ::testing::Values("fat32-lost.vhd"),
    [](const ::testing::TestParamInfo<const char*>&) { return std::string("fat32lost"); });

// A FAT16 volume made by mkfs.fat and mtools whose first folder, "first", lies at cluster 2 and holds
// only files: the Extensive Scan of the whole disk, intact or with its MBR wiped, saves that folder's
// files byte for byte at their paths, as tsk_recover saves them.
class FirstFolderDisk : public ExtensiveDisk {
protected:
    const char* Fixture() const override { return "make-first-folder-disk.sh"; }
};

TEST_P(FirstFolderDisk, TheFolderAtClusterTwoIsSavedWithItsFiles)
{
    const char* const fixture = Fixture();
    ASSERT_EQ(ReadTextFile(FixtureFile(fixture, "first.cluster")), "2\n");
    Scan(FileSystemKind::kNone, 0, DiskSectors());
    const fs::path out = temp.Path() / "v1";
    ASSERT_NO_FATAL_FAILURE(SaveTheOneFoundVolume(out));

    const std::map<std::string, fs::path> ours = FilesBelow(out, false);
    const std::map<std::string, fs::path> theirs = FilesBelow(fs::u8path(FixtureFile(fixture, "part1.live")), false);
    ExpectSameBytes(ours, theirs);
    EXPECT_EQ(theirs.size(), 6u);
    EXPECT_EQ(FilesOutside(theirs, "/first/").size(), 3u) << "three of them in first";
}

INSTANTIATE_TEST_SUITE_P(Disks, FirstFolderDisk, ::testing::Values("intact.vhd", "mbr-wiped.vhd"),
    [](const ::testing::TestParamInfo<const char*>& info) {
        return std::string(info.param) == "intact.vhd" ? std::string("intact") : std::string("mbrwiped");
    });

// A FAT16 and a FAT32 volume whose boot sectors and both FATs are wiped, found from their folders
// alone: nothing gives their cluster count, and each file, stored in consecutive clusters, is saved
// byte for byte from its first cluster on.
class FatlessDisk : public ExtensiveDisk {
protected:
    const char* Fixture() const override { return "make-fatless-disk.sh"; }
};

TEST_P(FatlessDisk, FilesAreSavedFromTheClustersAfterTheirFirst)
{
    const char* const fixture = Fixture();
    for (const PartitionCase& c :
        {PartitionCase{1, FileSystemKind::kFat16}, PartitionCase{2, FileSystemKind::kFat32}}) {
        SCOPED_TRACE(c.number);
        const std::string part = "part" + std::to_string(c.number);
        const uint32_t start = static_cast<uint32_t>(std::stoul(ReadTextFile(FixtureFile(fixture, part + ".start"))));
        Scan(c.fileSystem, start, c.number == 1 ? 32768 : 69632);
        ASSERT_EQ(g_FoundPartitions.count, 1u);
        ASSERT_TRUE(ChooseFoundVolume(1));
        ScanFinishedWord finished{0};
        RunFoundVolumeScan(finished);
        EXPECT_EQ(uint32_t{g_VolumeParams.firstFat}, 0u) << "no FAT is left to find";
        EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerFat}, 0u);
        const fs::path out = temp.Path() / part;
        ResetSaveState();
        SaveWholeVolume(ToPath16(out));
        EXPECT_EQ(g_SaveReport.damagedFiles + g_SaveReport.failedFiles, 0u);

        // Folders the scan could not name are "Dir" and their cluster: the files are matched by name.
        const std::map<std::string, fs::path> originals =
            FilesBelow(fs::u8path(FixtureFile(fixture, part + ".files")), false);
        ASSERT_EQ(originals.size(), 10u);
        ExpectSavedByName(out, originals);
        ResetExtensiveScanState();
    }
}

INSTANTIATE_TEST_SUITE_P(Disks, FatlessDisk, ::testing::Values("wiped.vhd"),
    [](const ::testing::TestParamInfo<const char*>&) { return std::string("wiped"); });

// A FAT16 volume made by mkfs.fat and mtools whose folder A, holding folder B and its 8 files, lost
// its first sector and its root entry, while B's folder lists a subfolder at A's cluster (a
// cross-link). B's files are saved byte for byte, below "Lost Dir".
class CrossLinkedDisk : public ExtensiveDisk {
protected:
    const char* Fixture() const override { return "make-cross-linked-disk.sh"; }
};

TEST_P(CrossLinkedDisk, TheFilesOfAFolderListingItsParentAreSaved)
{
    const char* const fixture = Fixture();
    const uint32_t start = static_cast<uint32_t>(std::stoul(ReadTextFile(FixtureFile(fixture, "part1.start"))));
    const uint32_t sectors = static_cast<uint32_t>(std::stoul(ReadTextFile(FixtureFile(fixture, "part1.sectors"))));
    Scan(FileSystemKind::kFat16, start, sectors);
    const fs::path out = temp.Path() / "v1";
    ASSERT_NO_FATAL_FAILURE(SaveTheOneFoundVolume(out));

    const std::map<std::string, fs::path> originals = FilesBelow(fs::u8path(FixtureFile(fixture, "b.files")), false);
    ASSERT_EQ(originals.size(), 8u);
    for (const fs::path& saved : ExpectSavedByName(out, originals))
        EXPECT_EQ(saved.parent_path().parent_path().parent_path(), out / "Lost Dir") << saved;
}

INSTANTIATE_TEST_SUITE_P(Disks, CrossLinkedDisk, ::testing::Values("cross-linked.vhd"),
    [](const ::testing::TestParamInfo<const char*>&) { return std::string("crosslinked"); });

}  // namespace morvick::test
