// The found-volume scan over hand-made candidates: folders of the chosen volume only, orphans under
// "Lost Dir", the search for lost FAT copies, and NTFS folders and missing parents.
#include "engine/save/EngineReset.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/ExtensiveSearch.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/state/RecoverySettings.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/extensive/ExtensiveTestDisk.h"
#include "tests/engine/scan/SmallFatVolume.h"
#include "tests/engine/ntfs/MftRecordBuilder.h"
#include "tests/engine/save/MemoryDisk.h"
#include "tests/engine/save/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace morvick::test {

namespace {

class FoundVolumeScanTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        ResetExtensiveScanState();
        g_nScanMode = kScanExtensive;
        raw.assign(512 * 1024, 0);
    }
    void TearDown() override { ResetEngineState(); }

    std::map<std::u16string, const FatFolderRecord*> FatFolders() const
    {
        std::map<std::u16string, const FatFolderRecord*> all;
        for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
            all[f->name] = f;
        return all;
    }
    void AddNtfsFolder(uint32_t sector, uint32_t number, uint32_t parent, uint16_t volume, const std::u16string& name)
    {
        FoundNtfsRecord* r = NewRecord<FoundNtfsRecord>();
        r->name = CopyRecordName(name);
        r->sector = sector;
        r->recordNumber = number;
        r->parentRecord = parent;
        r->analysisMark = volume;
        AppendRecord(g_FoundNtfsRecords, r);
    }
    void AddNtfsFile(uint32_t sector, uint32_t parent)
    {
        NtfsFileRecord* r = NewRecord<NtfsFileRecord>();
        r->name = CopyRecordName(u"f.txt");
        r->sector = sector;
        r->parentRecord = parent;
        AppendRecord(g_NtfsFileRecords, r);
    }
    // Lists found NTFS volume 1 from `clusterBase` to `volumeEnd`, its MFT at `mftStart` (0: none), over
    // the disk `raw`.
    void BrowseNtfsVolume(uint32_t clusterBase, uint32_t sectorsPerCluster, uint32_t volumeEnd, uint32_t mftStart = 0)
    {
        MemoryDisk disk(raw);
        ASSERT_TRUE(disk.Opened());
        VolumeParameterBlock& b = g_VolumeParams;
        b.browsedFileSystemType = FileSystemKind::kNtfs;
        b.volumeNumber = 1;
        b.clusterBase = clusterBase;
        b.sectorsPerCluster = sectorsPerCluster;
        b.mftStart = mftStart;
        b.volumeEnd = volumeEnd;
        ScanFinishedWord finished{0};
        RunFoundVolumeScan(finished);
    }

    std::vector<uint8_t> raw;
    RecordingObserver observer;
};

}  // namespace

TEST_F(FoundVolumeScanTest, FatFoldersOfTheVolumeWithOrphansUnderLostDir)
{
    AddFoundFatDirectory(600, 10, 0, 1, 2);
    AddFoundFatDirectory(604, 11, 99, 1, 2);  // its parent was never found
    AddFoundFatDirectory(608, 12, 0, 1, 2);   // another volume's
    g_FoundFatDirectories.head->volumeNumber = 1;
    g_FoundFatDirectories.head->next->volumeNumber = 1;
    g_FoundFatDirectories.tail->volumeNumber = 2;
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat16;
    g_VolumeParams.chosenFileSystemType = FileSystemKind::kFat16;
    g_VolumeParams.volumeNumber = 1;
    g_VolumeParams.clusterBase = 560;
    g_VolumeParams.sectorsPerCluster = 4;
    g_VolumeParams.firstFat = 70;  // known: no search for FAT copies
    g_VolumeParams.partitionSectors = 1024;
    ScanFinishedWord finished{0};
    RunFoundVolumeScan(finished);
    EXPECT_EQ(finished.load(), 1);

    auto folders = FatFolders();
    ASSERT_EQ(folders.size(), 4u);
    EXPECT_EQ(folders.at(u"Dir10")->parentCluster, 0u);
    EXPECT_EQ(folders.at(u"Dir10")->writeDate, 1);
    EXPECT_EQ(folders.at(u"Dir11")->parentCluster, 99u);
    EXPECT_EQ(folders.at(u"Lost Dir")->firstCluster, 0xFFFFFFFEu);
    EXPECT_EQ(folders.at(u"Lost Dir")->parentCluster, 0u);
    EXPECT_EQ(folders.at(u"Dir99")->firstCluster, 99u);
    EXPECT_EQ(folders.at(u"Dir99")->parentCluster, 0xFFFFFFFEu);
    EXPECT_EQ(folders.count(u"Dir12"), 0u);
}

namespace {

// A short entry of a directory sector: a folder (attributes 0x10) or a file.
void PutShortEntry(std::vector<uint8_t>& sector, size_t slot, const char* name11, uint8_t attributes, uint16_t cluster,
    uint32_t size)
{
    uint8_t* e = sector.data() + slot * 32;
    std::memcpy(e, name11, 11);
    e[11] = attributes;
    e[26] = static_cast<uint8_t>(cluster);
    e[27] = static_cast<uint8_t>(cluster >> 8);
    for (int i = 0; i < 4; ++i)
        e[28 + i] = static_cast<uint8_t>(size >> (8 * i));
}

}  // namespace

// A cross-linked FAT16 volume of one sector per cluster: folder 10 was never met (its first sector
// is unreadable and its root entry deleted), and its subfolders' directories go down from it in a
// chain, the last of which lists folder 10 as a subfolder of its own. Folder 10 stays under
// "Lost Dir" with the chain below it: nothing closes a loop that hides the folders and their files.
class CrossLinkedFatVolume : public FoundVolumeScanTest {
protected:
    // Folders 11, 12, ... down from folder 10, each holding one file; the last lists 10 again.
    void Scan(uint32_t depth)
    {
        std::vector<uint8_t> root(512, 0);
        PutShortEntry(root, 0,
            "\xE5"
            "OLDER     ",
            0x10, 10, 0);
        PutSector(raw, kRoot, root);
        for (uint32_t i = 0; i < depth; ++i) {
            const uint16_t cluster = static_cast<uint16_t>(11 + i);
            std::vector<uint8_t> dir = DirectorySector(cluster, cluster - 1);
            const std::string name = "FILE" + std::to_string(i) + "   TXT";
            PutShortEntry(dir, 2, name.c_str(), 0x20, static_cast<uint16_t>(100 + i), 10);
            if (i + 1 < depth)
                PutShortEntry(dir, 3, "SUB        ", 0x10, cluster + 1, 0);
            else
                PutShortEntry(dir, 3, "LOOP       ", 0x10, 10, 0);
            PutSector(raw, kBase + cluster, dir);
            AddFoundFatDirectory(kBase + cluster, cluster, cluster - 1, 1, 2);
            g_FoundFatDirectories.tail->volumeNumber = 1;
        }
        disk = std::make_unique<MemoryDisk>(raw);
        ASSERT_TRUE(disk->Opened());
        g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat16;
        g_VolumeParams.chosenFileSystemType = FileSystemKind::kFat16;
        g_VolumeParams.volumeNumber = 1;
        g_VolumeParams.clusterBase = kBase;
        g_VolumeParams.sectorsPerCluster = 1;
        g_VolumeParams.rootLocation = kRoot;
        g_VolumeParams.rootDirectorySectors = 1;
        g_VolumeParams.firstFat = 70;  // known, and empty: each folder is its first cluster
        g_VolumeParams.partitionSectors = 1024;
        ScanFinishedWord finished{0};
        RunFoundVolumeScan(finished);
    }

    // The folder names from the root down to the folder of `cluster`; empty when the root is not
    // reached.
    std::u16string PathOf(uint32_t cluster) const
    {
        std::u16string path;
        for (size_t steps = 0; cluster != 0 && steps <= g_FatFolders.count; ++steps) {
            const FatFolderRecord* f = g_FatFolders.head;
            while (f && f->firstCluster != cluster)
                f = f->next;
            if (!f)
                return {};
            path = u"/" + std::u16string(f->name) + path;
            cluster = f->parentCluster;
        }
        return cluster == 0 ? path : std::u16string();
    }

    static constexpr uint32_t kBase = 500;
    static constexpr uint32_t kRoot = 400;
    std::unique_ptr<MemoryDisk> disk;
};

TEST_F(CrossLinkedFatVolume, AFolderListingItsParentLeavesThatParentUnderLostDir)
{
    ASSERT_NO_FATAL_FAILURE(Scan(1));
    EXPECT_EQ(PathOf(10), u"/Lost Dir/Dir10");
    EXPECT_EQ(PathOf(11), u"/Lost Dir/Dir10/Dir11");
    ASSERT_EQ(g_FatEntries.count, 1u);
    EXPECT_EQ(g_FatEntries.head->parentCluster, 11u);
}

TEST_F(CrossLinkedFatVolume, ALongerLoopIsNotClosedEither)
{
    ASSERT_NO_FATAL_FAILURE(Scan(4));
    EXPECT_EQ(PathOf(10), u"/Lost Dir/Dir10");
    // The subfolders below the first are named by their parents' entries.
    EXPECT_EQ(PathOf(14), u"/Lost Dir/Dir10/Dir11/SUB/SUB/SUB");
    EXPECT_EQ(g_FatEntries.count, 4u);
    for (const FatEntryRecord* e = g_FatEntries.head; e; e = e->next)
        EXPECT_FALSE(PathOf(e->parentCluster).empty()) << "a file out of the tree's reach";
}

// On a small FAT16 volume whose single sectors can be made unreadable: the folder of cluster 5,
// found by the search, names cluster 3 as its parent, a folder of two clusters (3, then 4) that the
// search did not find and that is read as an orphan.
class UnreadableFolderSector : public FoundVolumeScanTest {
protected:
    // The names of the files listed, with the sector `unreadable` unreadable.
    std::vector<std::string> FileNames(uint32_t unreadable)
    {
        SmallFatVolume volume;
        volume.PutFolder(3, 0, "AONE    TXT", "ATWO    TXT", true);
        volume.Link(3, 4);
        volume.Link(4, 0xFFFF);
        volume.PutEntry(SmallFatVolume::FirstSector(4), 0, "ATHREE  TXT", 0x20, 33, 100);
        volume.PutFolder(5, 3, "BONE    TXT", "BTWO    TXT");
        volume.Open(unreadable);
        AddFoundFatDirectory(SmallFatVolume::FirstSector(5), 5, 3, 1, 2);
        g_FoundFatDirectories.tail->volumeNumber = 1;
        g_VolumeParams.volumeNumber = 1;
        ScanFinishedWord finished{0};
        RunFoundVolumeScan(finished);
        std::vector<std::string> names = ListedFatFileNames();
        std::sort(names.begin(), names.end());
        return names;
    }
};

// Without its first sectors a folder cannot be told from whatever else its cluster may hold now: its
// other sectors are not read as entries. An unreadable later sector loses only its own entries.
TEST_F(UnreadableFolderSector, AFolderWhoseFirstSectorsCannotBeReadIsSkipped)
{
    EXPECT_EQ(FileNames(SmallFatVolume::FirstSector(3)), (std::vector<std::string>{"BONE.TXT", "BTWO.TXT"}));
    ResetEngineState();
    ResetExtensiveScanState();
    EXPECT_EQ(FileNames(SmallFatVolume::FirstSector(4)),
        (std::vector<std::string>{"AONE.TXT", "ATWO.TXT", "BONE.TXT", "BTWO.TXT"}));
}

TEST_F(FoundVolumeScanTest, LostFatCopiesAreLookedForBeforeTheClusterBase)
{
    const std::vector<uint8_t> fat = {0xF8, 0xFF, 0xFF, 0xFF};
    std::vector<uint8_t> sector(512, 0);
    std::copy(fat.begin(), fat.end(), sector.begin());
    PutSector(raw, 50, sector);  // before sector 63: not searched
    PutSector(raw, 100, sector);
    PutSector(raw, 120, sector);
    PutSector(raw, 300, sector);  // a third one is not taken
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    // A FAT16 volume whose cluster base is 500 is searched from sector 63.
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat16;
    g_VolumeParams.chosenFileSystemType = FileSystemKind::kFat16;
    g_VolumeParams.clusterBase = 500;
    ScanFinishedWord finished{0};
    FindLostFatTables(finished);
    EXPECT_EQ(uint32_t{g_VolumeParams.firstFat}, 100u);
    EXPECT_EQ(uint32_t{g_VolumeParams.secondFat}, 120u);
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerFat}, 20u);
    EXPECT_EQ(uint32_t{g_VolumeParams.rootLocation}, 140u);
}

TEST_F(FoundVolumeScanTest, AFatCopyFoundAloneReachesToTheDataArea)
{
    // The first copy was zeroed: the second is found alone and is read as the FAT.
    std::vector<uint8_t> sector(512, 0);
    const uint8_t fat[] = {0xF8, 0xFF, 0xFF, 0x0F};
    std::copy(fat, fat + 4, sector.begin());
    PutSector(raw, 400, sector);
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat32;
    g_VolumeParams.chosenFileSystemType = FileSystemKind::kFat32;
    g_VolumeParams.clusterBase = 598;
    g_VolumeParams.sectorsPerCluster = 1;
    g_VolumeParams.rootLocation = 2;
    ScanFinishedWord finished{0};
    FindLostFatTables(finished);
    EXPECT_EQ(uint32_t{g_VolumeParams.firstFat}, 400u);
    EXPECT_EQ(uint32_t{g_VolumeParams.secondFat}, 0u);
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerFat}, 200u);
    EXPECT_EQ(uint32_t{g_VolumeParams.rootLocation}, 2u);

    // FAT16: the root folder's 32 sectors lie between the FAT and the data area.
    g_VolumeParams = VolumeParameterBlock();
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat16;
    g_VolumeParams.chosenFileSystemType = FileSystemKind::kFat16;
    g_VolumeParams.clusterBase = 500;
    g_VolumeParams.sectorsPerCluster = 4;
    FindLostFatTables(finished);
    EXPECT_EQ(uint32_t{g_VolumeParams.firstFat}, 400u);
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerFat}, 76u);
    EXPECT_EQ(uint32_t{g_VolumeParams.rootLocation}, 476u);

    // Without a chosen type, another volume's FAT further away does not pair with it.
    PutSector(raw, 100, sector);
    MemoryDisk withOther(raw);
    ASSERT_TRUE(withOther.Opened());
    g_VolumeParams = VolumeParameterBlock();
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat16;
    g_VolumeParams.clusterBase = 598;
    g_VolumeParams.sectorsPerCluster = 1;
    FindLostFatTables(finished);
    EXPECT_EQ(FileSystemKind{g_VolumeParams.browsedFileSystemType}, FileSystemKind::kFat32);
    EXPECT_EQ(uint32_t{g_VolumeParams.firstFat}, 400u);
    EXPECT_EQ(uint32_t{g_VolumeParams.secondFat}, 0u);
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerFat}, 200u);
}

TEST_F(FoundVolumeScanTest, WithoutAChosenTypeTheFatCopiesNearestTheBaseDecideTheKind)
{
    std::vector<uint8_t> fat16(512, 0), fat32(512, 0);
    const uint8_t f16[] = {0xF8, 0xFF, 0xFF, 0xFF}, f32[] = {0xF8, 0xFF, 0xFF, 0x0F};
    std::copy(f16, f16 + 4, fat16.begin());
    std::copy(f32, f32 + 4, fat32.begin());
    PutSector(raw, 100, fat16);  // another volume's FAT further away
    PutSector(raw, 400, fat32);
    PutSector(raw, 450, fat32);
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat16;
    g_VolumeParams.chosenFileSystemType = FileSystemKind::kNone;
    g_VolumeParams.clusterBase = 600;
    ScanFinishedWord finished{0};
    FindLostFatTables(finished);
    EXPECT_EQ(FileSystemKind{g_VolumeParams.browsedFileSystemType}, FileSystemKind::kFat32);
    EXPECT_EQ(uint32_t{g_VolumeParams.rootLocation}, 2u);
    EXPECT_EQ(uint32_t{g_VolumeParams.firstFat}, 400u);
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerFat}, 50u);
}

TEST_F(FoundVolumeScanTest, NtfsFoldersOfTheVolumeAndTheirMissingParents)
{
    AddNtfsFolder(1010, 5, 5, 1, u".");
    AddNtfsFolder(1012, 40, 5, 1, u"Docs");
    AddNtfsFolder(1014, 41, 77, 1, u"Orphan");
    AddNtfsFolder(1016, 40, 5, 1, u"Docs copy");  // the same number again
    AddNtfsFolder(9000, 50, 5, 2, u"Other volume");
    AddNtfsFile(1100, 40);
    AddNtfsFile(1102, 88);  // its folder was never found
    AddNtfsFile(9100, 99);  // another volume's
    ASSERT_NO_FATAL_FAILURE(BrowseNtfsVolume(1000, 8, 5000));

    std::vector<std::u16string> names;
    std::map<std::u16string, const NtfsFolderRecord*> byName;
    for (const NtfsFolderRecord* f = g_NtfsFolders.head; f; f = f->next) {
        names.push_back(f->name);
        byName[f->name] = f;
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Docs", u"Orphan", u"Lost Dir", u"Dir0", u"Dir1"}));
    EXPECT_EQ(byName.at(u"Lost Dir")->parentRecord, 5u);
    EXPECT_EQ(byName.at(u"Dir0")->recordNumber, 77u);
    EXPECT_EQ(byName.at(u"Dir0")->parentRecord, 0xFFFFFFFEu);
    EXPECT_EQ(byName.at(u"Dir1")->recordNumber, 88u);
}

// A file whose base record lies split across two MFT runs (512-byte clusters, a run of an odd number
// of them: sectors 32 to 40 and 100 to 106) and keeps no data of its own: the browse lists it, and
// with the size its attribute list places in an extension record, its base record read through the
// runs as the save reads it. Read as the two sectors where it begins, it was torn, and listed empty.
TEST_F(FoundVolumeScanTest, ASplitBaseRecordGetsTheSizeOfItsDataInAnExtensionRecord)
{
    auto put = [this](uint64_t sector, const std::vector<uint8_t>& record, size_t from, size_t bytes) {
        std::memcpy(raw.data() + sector * 512, record.data() + from, bytes);
    };
    put(32,
        MftRecordBuilder()
            .FileName(u"$MFT", 5, 3)
            .NonResident(kAttrData, {0x11, 0x09, 0x20, 0x11, 0x07, 0x44}, 8192)
            .Numbered(0, 1)
            .Build(),
        0, 1024);
    const std::vector<uint8_t> base =
        MftRecordBuilder().FileName(u"split.txt", 5, 1).AttributeList({{kAttrData, 0, 6}}).Numbered(4, 1).Build();
    put(40, base, 0, 512);
    put(100, base, 512, 512);
    put(103, MftRecordBuilder().BaseRecord(4, 1).ResidentData(std::vector<uint8_t>(21, 'x')).Numbered(6, 1).Build(), 0,
        1024);
    ASSERT_NO_FATAL_FAILURE(BrowseNtfsVolume(0, 1, 1000, 32));

    ASSERT_EQ(g_NtfsFileRecords.count, 1u);
    const NtfsFileRecord* r = g_NtfsFileRecords.head;
    EXPECT_EQ(std::u16string(r->name), u"split.txt");
    EXPECT_EQ(r->sector, 40u);
    EXPECT_EQ(r->sizeLow, 21u);
}

// Records whose names the search did not meet (they lie past the range it read, as names past 2 TiB
// do): the browse reads them through the MFT's runs (record n at sector 32 + 2n). Folder 4 and file 6
// are named so; folder 8, whose name record is nowhere, is left out, and its file goes to a lost
// folder. The search dropped them all, and the file's data with them.
TEST_F(FoundVolumeScanTest, NamesTheSearchDidNotMeetAreReadThroughTheMft)
{
    auto record = [this](uint32_t number, const MftRecordBuilder& b) { PutMftRecord(raw, 32 + 2 * number, b.Build()); };
    record(0,
        MftRecordBuilder().FileName(u"$MFT", 5, 3).NonResident(kAttrData, {0x11, 0x04, 0x04}, 16384).Numbered(0, 1));
    // Folder 4's sequence number 0, as its file's parent reference gives it.
    record(4, MftRecordBuilder(3).Numbered(4, 0).AttributeList({{0x30, 0, 10}}).IndexRoot(0, true));
    record(6, MftRecordBuilder().Numbered(6, 1).AttributeList({{0x30, 0, 12}}).ResidentData({'a', 'b', 'c'}));
    record(8, MftRecordBuilder(3).Numbered(8, 1).AttributeList({{0x30, 0, 14}}).IndexRoot(0, true));
    record(9, MftRecordBuilder().Numbered(9, 1).FileName(u"orphan.txt", 8, 1).ResidentData({'o'}));
    record(10, MftRecordBuilder(3).Numbered(10, 1).BaseRecord(4, 0).FileName(u"folder", 5, 1));
    record(12, MftRecordBuilder().Numbered(12, 1).BaseRecord(6, 1).FileName(u"named.txt", 4, 1));
    {
        MemoryDisk disk(raw);
        ScanFinishedWord finished{0};
        ExtensiveSearchCounters counters;
        ASSERT_EQ(SearchDiskStructures(0, 52, kSearchNtfs, finished, counters), ExtensiveSearchResult::kCompleted);
    }
    // The analysis binds the folders to the volume and numbers them.
    ASSERT_EQ(g_FoundNtfsRecords.count, 2u);
    g_FoundNtfsRecords.head->recordNumber = 4;
    g_FoundNtfsRecords.tail->recordNumber = 8;
    for (FoundNtfsRecord* r = g_FoundNtfsRecords.head; r; r = r->next)
        r->analysisMark = 1;
    ASSERT_NO_FATAL_FAILURE(BrowseNtfsVolume(0, 8, 1000, 32));

    std::map<std::u16string, const NtfsFolderRecord*> folders;
    for (const NtfsFolderRecord* f = g_NtfsFolders.head; f; f = f->next)
        folders[f->name] = f;
    ASSERT_EQ(folders.size(), 3u);
    ASSERT_TRUE(folders.count(u"folder") && folders.count(u"Dir0") && folders.count(u"Lost Dir"));
    EXPECT_EQ(folders.at(u"folder")->recordNumber, 4u);
    EXPECT_EQ(folders.at(u"folder")->parentRecord, 5u);
    EXPECT_EQ(folders.at(u"Dir0")->recordNumber, 8u);
    std::map<std::u16string, uint32_t> files;
    for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r; r = r->next)
        files[r->name] = r->parentRecord;
    EXPECT_EQ(files, (std::map<std::u16string, uint32_t>{{u"$MFT", 5}, {u"named.txt", 4}, {u"orphan.txt", 8}}));
}

// Two records of number 20 that keep their data but no name (the second an old copy elsewhere in the
// volume): both are listed in "Lost Dir", under names apart, so that saving them over existing files
// keeps both. Under one name, the second was saved over the first.
TEST_F(FoundVolumeScanTest, NamelessRecordsOfOneNumberAreListedApartAndBothSaved)
{
    PutMftRecord(raw, 300, MftRecordBuilder(0).Numbered(20, 3).ResidentData({'n', 'e', 'w'}).Build());
    PutMftRecord(raw, 400, MftRecordBuilder(0).Numbered(20, 1).ResidentData({'o', 'l', 'd'}).Build());
    {
        MemoryDisk disk(raw);
        ScanFinishedWord finished{0};
        ExtensiveSearchCounters counters;
        ASSERT_EQ(SearchDiskStructures(0, 1024, kSearchNtfs, finished, counters), ExtensiveSearchResult::kCompleted);
    }
    ASSERT_NO_FATAL_FAILURE(BrowseNtfsVolume(0, 8, 1000));
    std::vector<std::u16string> names;
    for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r; r = r->next) {
        names.push_back(r->name);
        EXPECT_EQ(r->parentRecord, kLostDirRecordNumber);
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"File20", u"File20 (2)"}));

    TempFolder temp;
    MemoryDisk disk(raw);
    ResetSaveState();
    g_wDuplicateNames = kDuplicateOverwrite;
    SaveWholeVolume(ToPath16(temp.Path()));
    EXPECT_EQ(g_SaveReport.savedFiles, 2u);
    EXPECT_EQ(ReadWholeFile(temp.Path() / "Lost Dir" / "File20"), "new");
    EXPECT_EQ(ReadWholeFile(temp.Path() / "Lost Dir" / "File20 (2)"), "old");
}

}  // namespace morvick::test
