// The sector search of the Extensive Scan over base records whose $FILE_NAME lies in an extension
// record: each is listed once, in its place, with the name of the extension record that belongs to
// it; a file whose name is found nowhere is listed under the name made from its number in "Lost Dir",
// a folder kept nameless for the browse of its volume to name.
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/ExtensiveSearch.h"
#include "engine/save/EngineReset.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundRecordReferences.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/RunScript.h"
#include "tests/engine/extensive/ExtensiveTestDisk.h"
#include "tests/engine/ntfs/MftRecordBuilder.h"
#include "tests/engine/save/MemoryDisk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvick::test {

namespace {

// A base record without a name of its own: its attribute list names record `nameRecord` for it.
std::vector<uint8_t> NamelessBase(uint32_t number, uint16_t sequence, uint32_t nameRecord, uint16_t flags = 1)
{
    return MftRecordBuilder(flags)
        .Numbered(number, sequence)
        .AttributeList({{0x10, 0, number}, {0x30, 0, nameRecord}, {0x80, 0, number}})
        .ResidentData({1, 2, 3})
        .Build();
}

// An extension record of `base` that holds the name.
std::vector<uint8_t> NameRecord(uint32_t number, uint32_t base, uint16_t baseSequence, const std::u16string& name,
    uint32_t parent = 5, uint16_t flags = 1)
{
    return MftRecordBuilder(flags).Numbered(number, 1).BaseRecord(base, baseSequence).FileName(name, parent, 1).Build();
}

class ExtensionNameSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        ResetExtensiveScanState();
        raw.assign(512 * 3000, 0);
    }
    void TearDown() override { ResetEngineState(); }

    void Search()
    {
        MemoryDisk disk(raw);
        ASSERT_TRUE(disk.Opened());
        ScanFinishedWord finished{0};
        ASSERT_EQ(SearchDiskStructures(0, raw.size() / 512, kSearchNtfs, finished, counters),
            ExtensiveSearchResult::kCompleted);
    }

    // The files found, as "sector name" in list order.
    static std::vector<std::string> Files()
    {
        std::vector<std::string> files;
        for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r; r = r->next)
            files.push_back(std::to_string(r->sector) + " " +
                std::string(r->name, r->name + std::char_traits<char16_t>::length(r->name)));
        return files;
    }

    std::vector<uint8_t> raw;
    ExtensiveSearchCounters counters;
};

}  // namespace

TEST_F(ExtensionNameSearch, EachBaseRecordTakesTheNameOfItsOwnExtensionRecord)
{
    // Record 64 at sector 1000; its name record 66 lies where the MFT's order puts it (1004), while a
    // record of another volume that also names a record 64 as its base lies nearer (1002).
    PutMftRecord(raw, 1000, NamelessBase(64, 1, 66));
    PutMftRecord(raw, 1002, NameRecord(900, 64, 1, u"of another volume.txt"));
    PutMftRecord(raw, 1004, NameRecord(66, 64, 1, u"sixty-four.txt"));
    // Record 70 (sector 1100): its name record was written far away, after the MFT grew elsewhere.
    PutMftRecord(raw, 1100, NamelessBase(70, 4, 2000));
    PutMftRecord(raw, 2500, NameRecord(2000, 70, 4, u"seventy.txt", 64));
    // Record 72 (sector 1200) was deleted as Windows deletes: its sequence number went up from 2 to 3.
    PutMftRecord(raw, 1200, NamelessBase(72, 3, 74, 0));
    PutMftRecord(raw, 1204, NameRecord(74, 72, 2, u"deleted.txt", 5, 0));
    // Record 80 (sector 1300): the only record naming it as its base does so with another sequence
    // number (a record 80 of long ago); record 82 (sector 1400): no record names it.
    PutMftRecord(raw, 1300, NamelessBase(80, 7, 84));
    PutMftRecord(raw, 1308, NameRecord(84, 80, 5, u"stale.txt"));
    PutMftRecord(raw, 1400, NamelessBase(82, 1, 86));
    // $MFT (record 0, sector 500) has its name in record 16, which names record 0 as its base.
    PutMftRecord(raw, 500, NamelessBase(0, 1, 16));
    PutMftRecord(raw, 532, NameRecord(16, 0, 1, u"$MFT"));
    // A file named in its own record, between them.
    PutMftRecord(raw, 1150, MftRecordBuilder(1).Numbered(90, 1).FileName(u"plain.txt", 5, 1).Build());
    Search();

    EXPECT_EQ(Files(),
        (std::vector<std::string>{"500 $MFT", "1000 sixty-four.txt", "1100 seventy.txt", "1150 plain.txt",
            "1200 deleted.txt", "1300 File80", "1400 File82"}));
    EXPECT_EQ(counters.ntfsFiles, 7u);
    const NtfsFileRecord* seventy = g_NtfsFileRecords.head->next->next;
    EXPECT_EQ(seventy->parentRecord, 64u);
    EXPECT_EQ(seventy->deleted, 0u);
    EXPECT_EQ(seventy->sizeLow, 3u);  // the base record's data
    const NtfsFileRecord* deleted = seventy->next->next;
    EXPECT_EQ(deleted->deleted, 1u);
    EXPECT_EQ(g_NtfsFileRecords.tail->parentRecord, kLostDirRecordNumber);
    EXPECT_EQ(g_NtfsFileRecords.tail->sizeLow, 3u);
}

// Record 96 was a deleted file's, freed (its sequence number went from 4 to 5) and taken by a new
// file: the deleted file's extension record still names record 96 with number 4, where the MFT's
// order puts it. A record in use takes only what names its own number.
TEST_F(ExtensionNameSearch, ARecordInUseDoesNotTakeTheNameOfTheDeletedFileThatHeldItsNumberBefore)
{
    PutMftRecord(raw, 1600, NamelessBase(96, 5, 700));
    PutMftRecord(raw, 1604, NameRecord(98, 96, 4, u"old-deleted.txt", 40, 0));
    PutMftRecord(raw, 2600, NameRecord(700, 96, 5, u"current.txt"));
    // The same, deleted in its turn: its number went on to 6, and its own extension record names 5.
    PutMftRecord(raw, 1700, NamelessBase(100, 6, 720, 0));
    PutMftRecord(raw, 1704, NameRecord(102, 100, 4, u"older-deleted.txt", 40, 0));
    PutMftRecord(raw, 2640, NameRecord(720, 100, 5, u"deleted-current.txt", 5, 0));
    Search();

    EXPECT_EQ(Files(), (std::vector<std::string>{"1600 current.txt", "1700 deleted-current.txt"}));
    ASSERT_NE(g_NtfsFileRecords.head, nullptr);
    EXPECT_EQ(g_NtfsFileRecords.head->parentRecord, 5u);
    EXPECT_EQ(g_NtfsFileRecords.head->deleted, 0u);
}

TEST_F(ExtensionNameSearch, AFolderTakesItsNameAndKeepsItsIndexAndOneWithoutANameWaitsNameless)
{
    PutMftRecord(raw, 1000,
        MftRecordBuilder(3)
            .Numbered(64, 1)
            .AttributeList({{0x10, 0, 64}, {0x30, 0, 1541}, {0x90, 0, 64}, {0xA0, 0, 64}})
            .IndexRoot(0, true)
            .NonResident(0xA0, {0x11, 0x01, 0x33, 0x00}, 4096, 0, u"$I30")
            .Build());
    PutMftRecord(raw, 2000, NameRecord(1541, 64, 1, u"fill"));
    // A folder record whose name the search never meets keeps its index, without a name: the browse
    // of its volume looks for the name through the MFT's runs, or leaves it out.
    PutMftRecord(raw, 2100,
        MftRecordBuilder(3)
            .Numbered(65, 1)
            .AttributeList({{0x30, 0, 1542}})
            .IndexRoot(0, true)
            .NonResident(0xA0, {0x11, 0x01, 0x44, 0x00}, 4096, 0, u"$I30")
            .Build());
    Search();

    ASSERT_EQ(g_FoundNtfsRecords.count, 2u);
    const FoundNtfsRecord* fill = g_FoundNtfsRecords.head;
    EXPECT_EQ(std::u16string(fill->name), u"fill");
    EXPECT_EQ(fill->sector, 1000u);
    EXPECT_EQ(fill->parentRecord, 5u);
    EXPECT_EQ(fill->indexFirstCluster, 0x33u);
    EXPECT_EQ(counters.ntfsFolders, 2u);
    const FoundNtfsRecord* waiting = g_FoundNtfsRecords.tail;
    EXPECT_EQ(std::u16string(waiting->name), u"");
    EXPECT_EQ(waiting->indexFirstCluster, 0x44u);
    ASSERT_NE(FoundRecordReferenceAt(waiting->sector), nullptr);
    EXPECT_TRUE(FoundRecordReferenceAt(waiting->sector)->nameless);
}

// The Extensive Scan's fuzzer seed (fuzz/seeds/fuzz_extensive_scan/ntfs-name-extension, whose last
// byte chooses NTFS): a small NTFS volume whose folder has its name in an extension record, with a
// file in it and the folder's INDX. The folder is found, named and bound to the volume.
TEST(ExtensiveFuzzSeeds, ASmallVolumeWhoseFolderIsNamedInAnExtensionRecord)
{
    std::vector<uint8_t> ntfs(512 * 64, 0);
    PutSector(ntfs, 0, NtfsBootSector(1, 63, 16));
    PutMftRecord(ntfs, 16,
        MftRecordBuilder(3)
            .Numbered(40, 1)
            .AttributeList({{0x30, 0, 44}, {0x90, 0, 40}, {0xA0, 0, 40}})
            .IndexRoot(40)
            .NonResident(0xA0, {0x11, 0x01, 0x28, 0x00}, 512, 0, u"$I30")
            .Build());
    PutMftRecord(ntfs, 18,
        MftRecordBuilder(1).Numbered(41, 1).FileName(u"a.txt", 40, 1).ResidentData({1, 2, 3}).Build());
    PutMftRecord(ntfs, 24, NameRecord(44, 40, 1, u"Docs"));
    PutSector(ntfs, 40, IndexRecordSector(0, {{41, 40, 1, u"a.txt", false}}));
    ntfs.push_back(2);

    ResetEngineState();
    ResetExtensiveScanState();
    std::vector<uint8_t> raw(ntfs.begin(), ntfs.end() - 1);
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    g_VolumeParams.chosenFileSystemType = FileSystemKind::kNtfs;
    g_VolumeParams.partitionSectors = static_cast<uint32_t>(raw.size() / 512);
    ScanFinishedWord finished{0};
    RunExtensiveScan(finished);
    EXPECT_EQ(g_FoundPartitions.count, 1u);
    ASSERT_EQ(g_FoundNtfsRecords.count, 1u);
    EXPECT_EQ(std::u16string(g_FoundNtfsRecords.head->name), u"Docs");
    EXPECT_EQ(g_FoundNtfsRecords.head->recordNumber, 40u);
    EXPECT_EQ(g_FoundNtfsRecords.head->analysisMark, 1u);
    if (!SourceDir().empty()) {
        EXPECT_EQ(ReadBinaryFile(HostPath(SourceDir() + "/fuzz/seeds/fuzz_extensive_scan/ntfs-name-extension")), ntfs);
    }
    ResetEngineState();
}

}  // namespace morvick::test
