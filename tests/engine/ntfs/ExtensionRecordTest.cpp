// Extension records and attribute lists: which records belong to a file, a list that outgrew its
// record read from its clusters within the volume, and base records that wait for a name.
#include "engine/ntfs/AttributeList.h"
#include "engine/ntfs/FoundMftRecord.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/volume/MemorySectorSource.h"
#include "tests/engine/ntfs/MftRecordBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace morvick::test {

namespace {

MftRecordHeader Header(std::vector<uint8_t> record)
{
    MftRecordHeader header;
    EXPECT_TRUE(ApplyMultiSectorFixups(record.data(), record.size()));
    EXPECT_TRUE(ParseMftRecordHeader(record.data(), record.size(), header));
    return header;
}

// Counts the sectors read.
class CountingSource : public MemorySectorSource {
public:
    using MemorySectorSource::MemorySectorSource;
    bool ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer) override
    {
        sectorsRead += count;
        return MemorySectorSource::ReadSectors(sector, count, buffer);
    }
    uint64_t sectorsRead = 0;
};

}  // namespace

TEST(ExtensionRecords, AnExtensionRecordBelongsToTheBaseRecordItNamesWithItsSequenceOrTheOneBeforeOnceFreed)
{
    const MftRecordHeader base = Header(MftRecordBuilder().Numbered(64, 5).Build());
    const MftRecordHeader freed = Header(MftRecordBuilder(0).Numbered(64, 5).Build());
    EXPECT_FALSE(base.extension);
    struct Case {
        uint32_t number;
        uint16_t sequence;
        bool ofBaseInUse;
        bool ofFreedBase;
    };
    // The same sequence number; the one before only where the base record is not in use (it was
    // deleted since, which raised its number): a base record in use with the number one higher took
    // the record of a deleted file, whose extension records are not its own. Never an older one, a
    // later one or another record's.
    for (const Case& c : {Case{64, 5, true, true}, Case{64, 4, false, true}, Case{64, 3, false, false},
             Case{64, 6, false, false}, Case{65, 5, false, false}}) {
        SCOPED_TRACE(std::to_string(c.number) + "/" + std::to_string(c.sequence));
        const MftRecordHeader extension = Header(MftRecordBuilder().BaseRecord(c.number, c.sequence).Build());
        EXPECT_EQ(IsExtensionRecordOf(extension, 64, base), c.ofBaseInUse);
        EXPECT_EQ(IsExtensionRecordOf(extension, 64, freed), c.ofFreedBase);
    }
    EXPECT_FALSE(IsExtensionRecordOf(base, 64, base)) << "a base record is no extension record";
    std::vector<uint8_t> far = MftRecordBuilder().BaseRecord(64, 5).Build();
    far[36] = 1;  // a record number beyond 32 bits
    EXPECT_FALSE(IsExtensionRecordOf(Header(far), 64, base));
    // A sequence number wraps past 0.
    const MftRecordHeader wrapped = Header(MftRecordBuilder(0).Numbered(64, 1).Build());
    EXPECT_TRUE(IsExtensionRecordOf(Header(MftRecordBuilder().BaseRecord(64, 0xFFFF).Build()), 64, wrapped));
    EXPECT_TRUE(ReferenceNamesRecord(0xFFFF, 1, false));
    EXPECT_FALSE(ReferenceNamesRecord(0xFFFF, 1, true));
    EXPECT_FALSE(ReferenceNamesRecord(0, 1, false));

    // The extension records of $MFT name record 0: told apart by the sequence number in the
    // reference, they are not files of their own.
    std::vector<uint8_t> ofMft = MftRecordBuilder().Numbered(16, 1).BaseRecord(0, 1).FileName(u"$MFT", 5, 3).Build();
    const MftRecordHeader ofMftHeader = Header(ofMft);
    EXPECT_TRUE(ofMftHeader.extension);
    EXPECT_TRUE(IsExtensionRecordOf(ofMftHeader, 0, Header(MftRecordBuilder().Numbered(0, 1).Build())));
    ASSERT_TRUE(ApplyMultiSectorFixups(ofMft.data(), ofMft.size()));
    FoundMftRecord found;
    EXPECT_FALSE(DecodeFoundMftRecord(ofMft.data(), ofMft.size(), found));
    NtfsFileName name;
    MftRecordHeader header;
    ASSERT_TRUE(ReadExtensionFileName(ofMft.data(), ofMft.size(), header, name));
    EXPECT_EQ(name.name, u"$MFT");
}

TEST(ExtensionRecords, ABaseRecordWithoutANameWaitsForItOnlyWithAnAttributeList)
{
    std::vector<uint8_t> waiting = MftRecordBuilder(3)
                                       .AttributeList({{0x30, 0, 70}})
                                       .IndexRoot(0, true)
                                       .NonResident(0xA0, {0x11, 0x01, 0x33, 0x00}, 4096, 0, u"$I30")
                                       .Build();
    std::vector<uint8_t> nameless = MftRecordBuilder(1).ResidentData({1}).Build();
    std::vector<uint8_t> named = MftRecordBuilder(1).AttributeList({{0x30, 0, 70}}).FileName(u"a", 5, 1).Build();
    for (std::vector<uint8_t>* r : {&waiting, &nameless, &named})
        ASSERT_TRUE(ApplyMultiSectorFixups(r->data(), r->size()));
    EXPECT_TRUE(AwaitsExtensionFileName(waiting.data(), waiting.size()));
    EXPECT_FALSE(AwaitsExtensionFileName(nameless.data(), nameless.size()));
    EXPECT_FALSE(AwaitsExtensionFileName(named.data(), named.size()));

    // Decoded with the name from elsewhere, as if it were its own: "$Extend" numbers the folder.
    NtfsFileName name;
    name.name = u"$Extend";
    name.parent = 5;
    name.creationTime = 77;
    FoundMftRecord found;
    ASSERT_TRUE(DecodeFoundMftRecordNamed(waiting.data(), waiting.size(), name, found));
    EXPECT_TRUE(found.folder);
    EXPECT_EQ(found.ownNumber, 11u);
    EXPECT_EQ(found.creationTime, 77u);
    EXPECT_EQ(found.indexAllocationCluster, 0x33u);
    EXPECT_FALSE(DecodeFoundMftRecordNamed(named.data(), named.size(), name, found));
}

TEST(AttributeLists, AListInAClusterOfItsOwnIsReadWithinTheVolumeAndUpToItsBound)
{
    // One-sector clusters from sector 10; the list lies in cluster 20 (sector 30).
    std::vector<uint8_t> disk(2000 * 512, 0);
    const uint8_t entries[] = {0x30, 0, 0, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 70, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0x80, 0, 0, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 71, 0, 0, 0};
    std::memcpy(disk.data() + 30 * 512, entries, sizeof entries);
    std::vector<uint8_t> record = MftRecordBuilder().NonResident(0x20, {0x11, 0x01, 0x14, 0x00}, 64).Build();
    ASSERT_TRUE(ApplyMultiSectorFixups(record.data(), record.size()));
    MemorySectorSource source(disk);
    NtfsClusterMap volume;
    volume.clusterBase = 10;
    volume.sectorsPerCluster = 1;
    volume.clusters = 100;
    const std::vector<AttributeListEntry> list = ReadAttributeList(source, record.data(), record.size(), volume);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].type, 0x30u);
    EXPECT_EQ(list[0].record, 70u);
    EXPECT_EQ(list[1].record, 71u);

    // A run past the volume's end is damage: nothing is read from beyond it.
    volume.clusters = 20;
    EXPECT_TRUE(ReadAttributeList(source, record.data(), record.size(), volume).empty());

    // A size of a terabyte over a run of 1,900 clusters: read no further than the bound.
    std::vector<uint8_t> huge = MftRecordBuilder().NonResident(0x20, {0x12, 0x6C, 0x07, 0x14}, 1ull << 40).Build();
    ASSERT_TRUE(ApplyMultiSectorFixups(huge.data(), huge.size()));
    CountingSource counting(disk);
    volume.clusters = 1990;
    ASSERT_EQ(ReadAttributeList(counting, huge.data(), huge.size(), volume).size(), 2u);
    EXPECT_EQ(counting.sectorsRead, kMaxAttributeListBytes / 512);
}

}  // namespace morvick::test
