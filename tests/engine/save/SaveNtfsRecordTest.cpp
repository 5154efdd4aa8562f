// The record an NTFS save reads is proven the file's own before its data is written: the file's base
// record (by the number it keeps, or by its place in the MFT where it keeps none) or one of its
// extension records. Another file's record at the sector given (a sector cut short, a snapshot of
// another volume) is reported as a failed file, never saved as this one. Hand-made records on a disk
// in memory.
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileSavers.h"
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "tests/engine/ntfs/MftRecordBuilder.h"
#include "tests/engine/save/MemoryDisk.h"
#include "tests/engine/save/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fs = std::filesystem;
using morvick::test::MftRecordBuilder;

namespace {

constexpr uint32_t kMftSector = 32;  // cluster 4 of 8 sectors
constexpr uint32_t kDiskSectors = 512;

uint32_t RecordSector(uint32_t number)
{
    return kMftSector + 2 * number;
}

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

class SaveNtfsRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        raw.assign(size_t{kDiskSectors} * 512, 0);
        VolumeParameterBlock& b = g_VolumeParams;
        b.chosenFileSystemType = b.browsedFileSystemType = FileSystemKind::kNtfs;
        b.partitionSectors = kDiskSectors;
        b.partitionEnd = kDiskSectors - 1;
        b.sectorsPerCluster = 8;
        b.mftStart = kMftSector;
        folder = temp.Path16();
    }
    void TearDown() override { ResetEngineState(); }

    void Put(uint32_t number, const std::vector<uint8_t>& record)
    {
        PutBytes(raw, uint64_t{RecordSector(number)} * 512, record.data(), record.size());
    }
    // A file's base record with its name and resident data.
    void PutFile(uint32_t number, const std::u16string& name, const std::string& data, bool numbered = true)
    {
        MftRecordBuilder record;
        record.FileName(name, 5, 1).ResidentData(Bytes(data));
        if (numbered)
            record.Numbered(number, 1);
        std::vector<uint8_t> bytes = record.Build();
        if (!numbered) {
            // The update-sequence array at 42, where records of NTFS 3.0 keep it, before any number.
            std::copy(bytes.begin() + 48, bytes.begin() + 54, bytes.begin() + 42);
            bytes[4] = 42;
        }
        Put(number, bytes);
    }
    // Record 0: the MFT's own runs, two clusters from cluster 4 (records 0 to 7).
    void PutMftRecord()
    {
        Put(0, MftRecordBuilder().FileName(u"$MFT", 5, 3).NonResident(morvick::kAttrData, {0x11, 0x02, 0x04}, 8192)
                   .Numbered(0, 1)
                   .Build());
    }

    int Save(const char16_t* name, uint32_t sector, uint32_t number)
    {
        return SaveNtfsFile(folder, name, sector, number, 0, 1, 0);
    }

    std::vector<uint8_t> raw;
    TempFolder temp;
    std::u16string folder;
};

}  // namespace

TEST_F(SaveNtfsRecord, AnotherFilesRecordAtTheSectorIsReportedNotSaved)
{
    PutFile(4, u"a.txt", "bytes of a");
    PutFile(5, u"b.txt", "bytes of b");
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());

    EXPECT_EQ(Save(u"b.txt", RecordSector(4), 5), 0);
    EXPECT_FALSE(fs::exists(temp.Path() / "b.txt"));
    EXPECT_EQ(g_SaveReport.failedFiles, 1u);

    EXPECT_EQ(Save(u"b.txt", RecordSector(5), 5), 1);
    EXPECT_EQ(ReadWholeFile(temp.Path() / "b.txt"), "bytes of b");
}

// The record that holds a file's data may be an extension record: it names the file as its base.
TEST_F(SaveNtfsRecord, AnExtensionRecordCountsForItsBaseFileOnly)
{
    PutFile(4, u"a.txt", "bytes of a");
    Put(6, MftRecordBuilder().BaseRecord(4, 1).ResidentData(Bytes("data in the extension")).Numbered(6, 1).Build());
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());

    EXPECT_EQ(Save(u"other.txt", RecordSector(6), 5), 0);
    EXPECT_EQ(g_SaveReport.failedFiles, 1u);
    EXPECT_EQ(Save(u"a.txt", RecordSector(6), 4), 1);
    EXPECT_EQ(ReadWholeFile(temp.Path() / "a.txt"), "data in the extension");
}

// A record that keeps no number is proven by its place in the MFT's runs; one that keeps a number
// other than its place is no record of this MFT.
TEST_F(SaveNtfsRecord, WithoutItsOwnNumberARecordIsProvenByItsPlaceInTheMft)
{
    PutMftRecord();
    PutFile(4, u"old.txt", "an NTFS 3.0 record", false);
    Put(5, MftRecordBuilder().FileName(u"moved.txt", 5, 1).ResidentData(Bytes("elsewhere")).Numbered(9, 1).Build());
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    ASSERT_EQ(WalkMftRecords(0, kMftSector, 8), 1);

    EXPECT_EQ(Save(u"wrong.txt", RecordSector(4), 3), 0);
    EXPECT_EQ(Save(u"moved.txt", RecordSector(5), 9), 0);
    EXPECT_EQ(g_SaveReport.failedFiles, 2u);
    EXPECT_EQ(Save(u"old.txt", RecordSector(4), 4), 1);
    EXPECT_EQ(ReadWholeFile(temp.Path() / "old.txt"), "an NTFS 3.0 record");
}

namespace {

// An MFT of 512-byte clusters in two runs: sectors 32 to 40 (records 0 to 3 and the first half of
// record 4) and 100 to 106 (the second half of record 4, then records 5 to 7), as a run of an odd
// number of clusters leaves it.
class SaveSplitMftRecord : public SaveNtfsRecord {
protected:
    static uint64_t SplitSector(uint32_t number) { return number < 5 ? 32 + 2 * number : 99 + 2 * (number - 4); }
    void PutAt(uint32_t number, const std::vector<uint8_t>& record)
    {
        if (number != 4) {
            PutBytes(raw, SplitSector(number) * 512, record.data(), record.size());
            return;
        }
        PutBytes(raw, 40 * 512, record.data(), 512);
        PutBytes(raw, 100 * 512, record.data() + 512, 512);
    }
    void SetUp() override
    {
        SaveNtfsRecord::SetUp();
        g_VolumeParams.sectorsPerCluster = 1;
        PutAt(0,
            MftRecordBuilder()
                .FileName(u"$MFT", 5, 3)
                .NonResident(morvick::kAttrData, {0x11, 0x09, 0x20, 0x11, 0x07, 0x44}, 8192)
                .Numbered(0, 1)
                .Build());
    }
    // Base record `base`, its data's first piece placed in record `extension` by its attribute list.
    void PutBaseRecord(uint32_t base, const std::u16string& name, uint32_t extension)
    {
        PutAt(base,
            MftRecordBuilder()
                .FileName(name, 5, 1)
                .AttributeList({{morvick::kAttrData, 0, extension}})
                .Numbered(base, 1)
                .Build());
    }
};

}  // namespace

// The extension record that holds a file's first data piece is read through the MFT's runs, where
// it may lie split across two, and is proven by the number it keeps. Read as the two sectors where
// it begins, a split one was torn and the file lost; a record that keeps another number than its
// place in the MFT was taken as the file's.
TEST_F(SaveSplitMftRecord, TheExtensionRecordOfTheFirstDataPieceIsReadThroughTheRunsAndProvenByItsNumber)
{
    PutBaseRecord(3, u"split.txt", 4);
    PutAt(4,
        MftRecordBuilder().BaseRecord(3, 1).ResidentData(Bytes("data in a split extension")).Numbered(4, 1).Build());
    PutBaseRecord(2, u"misplaced.txt", 5);
    PutAt(5, MftRecordBuilder().BaseRecord(2, 1).ResidentData(Bytes("another MFT's record")).Numbered(7, 1).Build());
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    ASSERT_EQ(WalkMftRecords(0, 32, 1), 1);

    EXPECT_EQ(Save(u"split.txt", 38, 3), 1);
    EXPECT_EQ(ReadWholeFile(temp.Path() / "split.txt"), "data in a split extension");
    EXPECT_EQ(Save(u"misplaced.txt", 36, 2), 0);
    EXPECT_FALSE(fs::exists(temp.Path() / "misplaced.txt"));
    EXPECT_EQ(g_SaveReport.failedFiles, 1u);
}
