#include "engine/ntfs/AttributeList.h"
#include "engine/ntfs/DataAttribute.h"
#include "engine/ntfs/FileNameAttribute.h"
#include "engine/ntfs/FolderIndex.h"
#include "engine/ntfs/FoundMftRecord.h"
#include "engine/ntfs/IndexRecord.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/volume/MemorySectorSource.h"
#include "tests/engine/ntfs/MftRecordBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace morvick::test {

TEST(MftFixups, RestoreSectorEndsAndRejectTornRecords)
{
    std::vector<uint8_t> r = MftRecordBuilder().FileName(u"x", 5, 1).Build();
    r[50] = 0xAB;
    r[51] = 0xCD;
    ASSERT_TRUE(ApplyMultiSectorFixups(r.data(), r.size()));
    EXPECT_EQ(r[510], 0xAB);
    EXPECT_EQ(r[511], 0xCD);

    std::vector<uint8_t> torn = MftRecordBuilder().Build();
    torn[1022] ^= 1;  // the second sector was not written with the first
    EXPECT_FALSE(ApplyMultiSectorFixups(torn.data(), torn.size()));
    std::vector<uint8_t> untouched = MftRecordBuilder().Build();
    untouched[1022] ^= 1;
    EXPECT_EQ(torn, untouched);

    std::vector<uint8_t> badArray = MftRecordBuilder().Build();
    badArray[6] = 2;  // covers one sector of two
    EXPECT_FALSE(ApplyMultiSectorFixups(badArray.data(), badArray.size()));
    badArray[6] = 3;
    badArray[4] = 0xFE;  // array past the first sector
    badArray[5] = 0x01;
    EXPECT_FALSE(ApplyMultiSectorFixups(badArray.data(), badArray.size()));
    EXPECT_FALSE(ApplyMultiSectorFixups(badArray.data(), 700));
}

TEST(MftRecord, TheHeaderGivesTheRecordsOwnNumberWhereItKeepsOne)
{
    std::vector<uint8_t> r = MftRecordBuilder(1).FileName(u"x", 5, 1).BaseRecord(40).Build();
    r[44] = 0x78;
    r[45] = 0x56;
    r[46] = 0x34;
    r[47] = 0x12;
    MftRecordHeader header;
    ASSERT_TRUE(ParseMftRecordHeader(r.data(), r.size(), header));
    EXPECT_EQ(header.firstAttribute, 56u);
    EXPECT_EQ(header.flags, 1u);
    EXPECT_EQ(header.baseRecord, 40u);
    EXPECT_TRUE(header.numbered);
    EXPECT_EQ(header.number, 0x12345678u);
    // An older record's update-sequence array begins at 42, where the number would be.
    r[4] = 42;
    ASSERT_TRUE(ParseMftRecordHeader(r.data(), r.size(), header));
    EXPECT_FALSE(header.numbered);
    EXPECT_EQ(header.number, 0u);
}

TEST(MftRecord, NamesByNameSpaceAndDataSizes)
{
    std::vector<uint8_t> dosOnly = MftRecordBuilder().FileName(u"DOSNAM~1.TXT", 40, 2).Build();
    ASSERT_TRUE(ApplyMultiSectorFixups(dosOnly.data(), dosOnly.size()));
    NtfsFileName name;
    EXPECT_FALSE(ReadFileNameAttribute(dosOnly.data(), dosOnly.size(), 1, name));
    EXPECT_FALSE(ReadFileNameAttribute(dosOnly.data(), dosOnly.size(), 3, name));
    ASSERT_TRUE(ReadPreferredFileName(dosOnly.data(), dosOnly.size(), name));
    EXPECT_EQ(name.name, u"DOSNAM~1.TXT");
    EXPECT_EQ(name.parent, 40u);

    std::vector<uint8_t> r = MftRecordBuilder()
                                 .FileName(u"LONGNA~1.TXT", 40, 2)
                                 .FileName(u"long name.txt", 40, 0, 111, 222)
                                 .ResidentData({1, 2, 3}, u"stream")
                                 .NonResident(0x80, {0x11, 0x02, 0x10, 0x00}, 5000000000ull)
                                 .Build();
    ASSERT_TRUE(ApplyMultiSectorFixups(r.data(), r.size()));
    ASSERT_TRUE(ReadPreferredFileName(r.data(), r.size(), name));  // POSIX counts as Win32
    EXPECT_EQ(name.name, u"long name.txt");
    EXPECT_EQ(name.creationTime, 111u);
    EXPECT_EQ(name.changeTime, 222u);
    uint64_t size = 0;
    ASSERT_TRUE(GetMftRecordDataSize(r.data(), r.size(), size));
    EXPECT_EQ(size, 5000000000ull);  // the unnamed stream, in 64 bits
    uint32_t offset = 0;
    EXPECT_EQ(FindDataAttribute(r.data(), r.size(), offset), DataAttributeKind::NonResident);
    std::vector<DataRun> runs;
    ASSERT_TRUE(DecodeAttributeRuns(r.data(), r.size(), offset, runs));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].lcn, 16u);

    FoundMftRecord found;
    ASSERT_TRUE(DecodeFoundMftRecord(r.data(), r.size(), found));
    EXPECT_FALSE(found.folder);
    EXPECT_FALSE(found.deleted);
    EXPECT_EQ(found.size, 5000000000ull);
}

TEST(MftRecord, FoldersTakeTheirNumberFromTheirIndex)
{
    struct Case {
        std::u16string name;
        uint16_t flags;
        bool emptyRoot;
        uint32_t own;
        bool deleted;
    };
    for (const Case& c : {Case{u".", 3, false, 5, false}, Case{u"$EXTEND", 3, false, 11, false},
                          Case{u"$extend", 2, false, 11, true}, Case{u"docs", 3, false, 77, false},
                          Case{u"large", 3, true, 0, false}}) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        std::vector<uint8_t> r = MftRecordBuilder(c.flags)
                                     .FileName(c.name, 5, 3)
                                     .IndexRoot(77, c.emptyRoot)
                                     .NonResident(0xA0, {0x11, 0x01, 0x33, 0x00}, 4096, 0, u"$I30")
                                     .Build();
        ASSERT_TRUE(ApplyMultiSectorFixups(r.data(), r.size()));
        FoundMftRecord found;
        ASSERT_TRUE(DecodeFoundMftRecord(r.data(), r.size(), found));
        EXPECT_TRUE(found.folder);
        EXPECT_EQ(found.ownNumber, c.own);
        EXPECT_EQ(found.deleted, c.deleted);
        EXPECT_EQ(found.indexAllocationCluster, 0x33u);
    }
    // Flags above 3, extension records and records without a name are not entries.
    for (auto r : {MftRecordBuilder(4).FileName(u"a", 5, 1).Build(),
                   MftRecordBuilder(1).FileName(u"a", 5, 1).BaseRecord(40).Build(), MftRecordBuilder(1).Build()}) {
        ASSERT_TRUE(ApplyMultiSectorFixups(r.data(), r.size()));
        FoundMftRecord found;
        EXPECT_FALSE(DecodeFoundMftRecord(r.data(), r.size(), found));
    }
}

TEST(MftRecord, DamagedAttributesEndTheWalk)
{
    MftRecordBuilder b;
    b.ResidentData({9, 9});
    const uint32_t data = b.LastAttribute();
    b.FileName(u"after.txt", 5, 1);
    const uint32_t fileName = b.LastAttribute();
    std::vector<uint8_t> good = b.Build();
    ASSERT_TRUE(ApplyMultiSectorFixups(good.data(), good.size()));
    ASSERT_EQ(ListMftAttributes(good.data(), good.size()).size(), 2u);

    auto damaged = [&](size_t at, uint32_t value, int bytes) {
        std::vector<uint8_t> r = good;
        for (int i = 0; i < bytes; ++i)
            r[at + i] = static_cast<uint8_t>(value >> (8 * i));
        return r;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> record;
        size_t attributes;
    };
    const Case cases[] = {
        {"length past the record", damaged(fileName + 4, 2000, 4), 1},
        {"length of zero", damaged(data + 4, 0, 4), 0},
        {"value past the attribute", damaged(fileName + 16, 900, 4), 1},
        {"name past the attribute", damaged(data + 9, 200, 1), 0},
        {"first attribute past the record", damaged(20, 1100, 2), 0},
        {"not a FILE record", damaged(0, 0x44414142, 4), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ListMftAttributes(c.record.data(), c.record.size()).size(), c.attributes);
        NtfsFileName name;
        EXPECT_FALSE(ReadPreferredFileName(c.record.data(), c.record.size(), name));
    }
    // A non-resident attribute whose run list starts past its end.
    MftRecordBuilder nr;
    nr.NonResident(0x80, {0x11, 0x01, 0x05, 0x00}, 10);
    std::vector<uint8_t> r = nr.Build();
    ASSERT_TRUE(ApplyMultiSectorFixups(r.data(), r.size()));
    r[nr.LastAttribute() + 32] = 0xF0;
    EXPECT_TRUE(ListMftAttributes(r.data(), r.size()).empty());
}

TEST(MftRecord, AttributeListsAndIndexRecords)
{
    std::vector<uint8_t> r =
        MftRecordBuilder().AttributeList({{0x30, 0, 40}, {0x80, 0, 41}, {0x80, 9, 42}}).FileName(u"a", 5, 1).Build();
    ASSERT_TRUE(ApplyMultiSectorFixups(r.data(), r.size()));
    MemorySectorSource noDisk(std::vector<uint8_t>{});
    std::vector<uint32_t> records;
    for (const AttributeListEntry& e : ReadAttributeList(noDisk, r.data(), r.size(), NtfsClusterMap()))
        records.push_back(e.record);
    EXPECT_EQ(records, (std::vector<uint32_t>{40, 41, 42}));
    // An entry longer than the list ends it.
    uint8_t list[64] = {};
    list[0] = 0x80;
    list[4] = 32;
    list[32] = 0x80;
    list[36] = 200;
    EXPECT_EQ(ParseAttributeList(list, sizeof list).size(), 1u);

    // An INDX record of 4096 bytes whose first entry names folder 5.
    std::vector<uint8_t> indx(4096, 0);
    std::memcpy(indx.data(), "INDX", 4);
    indx[4] = 40;
    indx[6] = 9;
    indx[16] = 3;             // VCN
    indx[24] = 40;            // entries at 24 + 40
    indx[32] = 0xE8;          // allocated 4072 (+ 24 = 4096)
    indx[33] = 0x0F;
    indx[24 + 40 + 16] = 5;   // the first entry's parent
    for (int s = 0; s < 8; ++s)
        indx[510 + 512 * s] = 0;
    ASSERT_EQ(IndexRecordSize(indx.data(), indx.size()), 4096u);
    IndexRecordInfo info;
    std::vector<uint8_t> copy = indx;
    ASSERT_TRUE(ParseIndexRecord(copy.data(), copy.size(), info));
    EXPECT_EQ(info.owner, 5u);
    EXPECT_EQ(info.vcn, 3u);
    EXPECT_EQ(info.sectors, 8);
    // Entries of 65,536 bytes and more, sizes that are not whole sectors, and torn records.
    copy = indx;
    copy[32] = 0xE9;
    copy[33] = 0xFF;
    EXPECT_EQ(IndexRecordSize(copy.data(), copy.size()), 0u);
    copy[33] = 0x0F;
    EXPECT_EQ(IndexRecordSize(copy.data(), copy.size()), 0u);
    copy = indx;
    copy[3000] = 1;
    copy[1022] = 7;
    EXPECT_FALSE(ParseIndexRecord(copy.data(), copy.size(), info));
    copy = indx;
    copy[24 + 40 + 16] = 4;  // names a system record
    EXPECT_FALSE(ParseIndexRecord(copy.data(), copy.size(), info));
}

TEST(MftWalk, FollowsTheMftIntoExtensionRecords)
{
    // A volume of 400 one-sector clusters. Record 0 (sector 100) holds the first extent of the MFT
    // (clusters 100-103: records 0 and 1) and an attribute list naming record 1 for the extent from
    // VCN 4 (clusters 200-203: records 2 and 3).
    std::vector<uint8_t> disk(400 * 512, 0);
    auto put = [&](uint64_t sector, const std::vector<uint8_t>& record) {
        std::memcpy(disk.data() + sector * 512, record.data(), record.size());
    };
    put(100, MftRecordBuilder()
                 .AttributeList({{0x80, 0, 0}, {0x80, 4, 1}})
                 .NonResident(0x80, {0x11, 0x04, 0x64, 0x00}, 4 * 1024)
                 .FileName(u"$MFT", 5, 3)
                 .Build());
    put(102, MftRecordBuilder().BaseRecord(0).NonResident(0x80, {0x21, 0x04, 0xC8, 0x00}, 0, 4).Build());
    put(200, MftRecordBuilder().FileName(u"record two", 5, 1).Build());
    MemorySectorSource source(disk);
    SectorRunTable mft;
    ASSERT_TRUE(WalkMftRecords(source, 0, 100, 1, kSectorsPerMftRecord, 400, mft));
    EXPECT_EQ(mft.start, (std::vector<uint64_t>{100, 200}));
    uint64_t sector = 0;
    ASSERT_TRUE(MapRecordToSector(mft, 2, sector));
    EXPECT_EQ(sector, 200u);
    EXPECT_FALSE(MapRecordToSector(mft, 4, sector));
    uint8_t record[1024];
    ASSERT_TRUE(ReadMftRecord(source, mft, 2, record));
    NtfsFileName name;
    ASSERT_TRUE(ReadPreferredFileName(record, sizeof record, name));
    EXPECT_EQ(name.name, u"record two");

    // An extension whose first VCN does not continue the table is left out.
    put(102, MftRecordBuilder().BaseRecord(0).NonResident(0x80, {0x21, 0x04, 0xC8, 0x00}, 0, 5).Build());
    MemorySectorSource gap(disk);
    ASSERT_TRUE(WalkMftRecords(gap, 0, 100, 1, kSectorsPerMftRecord, 400, mft));
    EXPECT_EQ(mft.start, (std::vector<uint64_t>{100}));

    // A torn record 0 gives no table.
    disk[100 * 512 + 1022] ^= 0xFF;
    MemorySectorSource torn(disk);
    EXPECT_FALSE(WalkMftRecords(torn, 0, 100, 1, kSectorsPerMftRecord, 400, mft));
    EXPECT_TRUE(mft.start.empty());
}

// Record 0's own runs and the extents its extension records hold are read within the volume, as its
// attribute list is: a damaged run past the volume's end (into what follows it on the disk) mapped the
// MFT's records to another volume's sectors. Record 0's are its whole table, which then has none (the
// scans try the mirror's record 0); an extension's is left out, as one that does not continue it.
TEST(MftWalk, TheMftsRunsAreReadOnlyWithinTheVolume)
{
    // A volume of 400 one-sector clusters on a disk of 600 sectors; the MFT's first extent is clusters
    // 100-103 (records 0 and 1), and a FILE record lies past the volume at cluster 450.
    std::vector<uint8_t> disk(600 * 512, 0);
    auto put = [&](uint64_t sector, const std::vector<uint8_t>& record) {
        std::memcpy(disk.data() + sector * 512, record.data(), record.size());
    };
    put(450, MftRecordBuilder().FileName(u"another volume's", 5, 1).Build());

    // Record 0's second run at cluster 450.
    put(100,
        MftRecordBuilder()
            .NonResident(0x80, {0x11, 0x04, 0x64, 0x21, 0x04, 0x5E, 0x01, 0x00}, 8 * 1024)
            .FileName(u"$MFT", 5, 3)
            .Build());
    MemorySectorSource own(disk);
    SectorRunTable mft;
    EXPECT_FALSE(WalkMftRecords(own, 0, 100, 1, kSectorsPerMftRecord, 400, mft));
    EXPECT_TRUE(mft.start.empty());

    // Record 1, an extension of record 0, holds the extent from VCN 4 at cluster 450.
    put(100,
        MftRecordBuilder()
            .AttributeList({{0x80, 0, 0}, {0x80, 4, 1}})
            .NonResident(0x80, {0x11, 0x04, 0x64, 0x00}, 8 * 1024)
            .FileName(u"$MFT", 5, 3)
            .Build());
    put(102, MftRecordBuilder().BaseRecord(0).NonResident(0x80, {0x21, 0x04, 0xC2, 0x01, 0x00}, 0, 4).Build());
    MemorySectorSource extension(disk);
    ASSERT_TRUE(WalkMftRecords(extension, 0, 100, 1, kSectorsPerMftRecord, 400, mft));
    EXPECT_EQ(mft.start, (std::vector<uint64_t>{100}));
    uint64_t sector = 0;
    EXPECT_FALSE(MapRecordToSector(mft, 2, sector));
}

// Records of 4,096 bytes (eight sectors) map onto the MFT's runs eight sectors each: a record is
// found at its number's place and a number at its record's first sector, one that begins in a run and
// ends in the next is one of those split across two, and a sector inside a record begins none.
TEST(MftWalk, RecordsOfEightSectorsMapOntoTheRuns)
{
    SectorRunTable mft = EmptyMftRunTable(8);
    mft.start = {100, 300};
    mft.length = {12, 20};
    uint64_t sector = 0;
    ASSERT_TRUE(MapRecordToSector(mft, 1, sector));
    EXPECT_EQ(sector, 108u);
    ASSERT_TRUE(MapRecordToSector(mft, 2, sector));
    EXPECT_EQ(sector, 304u);
    EXPECT_FALSE(MapRecordToSector(mft, 4, sector));
    uint32_t number = 0;
    ASSERT_TRUE(MapSectorToRecord(mft, 312, number));
    EXPECT_EQ(number, 3u);
    EXPECT_FALSE(MapSectorToRecord(mft, 104, number));
    EXPECT_FALSE(MapSectorToRecord(mft, 302, number));
    EXPECT_EQ(SplitMftRecords(mft), (std::vector<std::pair<uint32_t, uint64_t>>{{1, 108}}));

    // A record of 4,096 bytes is read whole through both runs, its fix-ups over its eight sectors.
    std::vector<uint8_t> disk(400 * 512, 0);
    std::vector<uint8_t> record = MftRecordBuilder().FileName(u"eight", 5, 1).Build();
    record.resize(4096);
    record[6] = 9;  // the update sequence number and eight saved words
    for (size_t i = 2; i < 8; ++i) {
        record[i * 512 + 510] = record[48];
        record[i * 512 + 511] = record[49];
    }
    std::memcpy(&disk[108 * 512], record.data(), 4 * 512);
    std::memcpy(&disk[300 * 512], record.data() + 4 * 512, 4 * 512);
    MemorySectorSource source(disk);
    uint8_t read[kLargestMftRecordSize];
    ASSERT_TRUE(ReadMftRecord(source, mft, 1, read));
    NtfsFileName name;
    ASSERT_TRUE(ReadPreferredFileName(read, sizeof read, name));
    EXPECT_EQ(name.name, u"eight");
    // Read as a record of two sectors it is torn: its array covers eight.
    mft.recordSectors = 2;
    EXPECT_FALSE(ReadMftRecord(source, mft, 4, read));
}

}  // namespace morvick::test
