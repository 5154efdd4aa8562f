// The found-volume scan over hand-made candidates: folders of the chosen volume only, orphans under
// "Lost Dir", the search for lost FAT copies, and NTFS folders and missing parents.
#include "engine/save/EngineReset.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/extensive/ExtensiveTestDisk.h"
#include "tests/engine/save/MemoryDisk.h"

#include <gtest/gtest.h>

#include <map>
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
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kNtfs;
    g_VolumeParams.volumeNumber = 1;
    g_VolumeParams.clusterBase = 1000;
    g_VolumeParams.sectorsPerCluster = 8;
    g_VolumeParams.volumeEnd = 5000;
    ScanFinishedWord finished{0};
    RunFoundVolumeScan(finished);

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

}  // namespace morvick::test
