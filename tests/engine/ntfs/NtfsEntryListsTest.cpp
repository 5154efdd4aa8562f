// The NTFS appenders over the engine's lists, and the MFT walk and record processing through the
// facade of a VHDX image.
#include "engine/save/EngineReset.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/NtfsBootSector.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/ntfs/MftRecordBuilder.h"
#include "tests/engine/save/MemoryDisk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace morvick::test {

namespace {

class NtfsEntryListsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override
    {
        FreeMftRunTable();
        CloseEngineImage();
    }
};

}  // namespace

TEST_F(NtfsEntryListsTest, FoldersAreKeptOncePerRecordInTheExtensiveScanOnly)
{
    g_nScanMode = kScanExtensive;
    AppendNtfsFolder(u"a", 40, 5, 1, 2, 0, 0);
    AppendNtfsFolder(u"a again", 40, 5, 1, 2, 0, 0);
    EXPECT_EQ(g_NtfsFolders.count, 1u);
    g_nScanMode = kScanQuick;
    AppendNtfsFolder(u"a again", 40, 5, 1, 2, 0, 0);
    EXPECT_EQ(g_NtfsFolders.count, 2u);

    const MftEntryRecord* e = AppendMftEntry(1234, u"big.bin", 70, 5, 0x0102030405060708ull, 9, 1, 5000000000ull);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->creationTimeLow, 0x05060708u);
    EXPECT_EQ(e->creationTimeHigh, 0x01020304u);
    EXPECT_EQ((static_cast<uint64_t>(e->sizeHigh) << 32) | e->sizeLow, 5000000000ull);
    EXPECT_EQ(e->dataRecordSector, 1234u);
    EXPECT_EQ(e->deleted, 1u);
}

TEST_F(NtfsEntryListsTest, WalkAndProcessRecordsOfAnImage)
{
    auto disk = OpenEngineImage(FixtureFile("make-aligned-containers.sh", "table/dynamic-1M.vhdx"));
    ASSERT_TRUE(disk);
    const uint32_t base = 108544;
    uint8_t sector[512];
    ASSERT_TRUE(disk->ReadAt(uint64_t{base} * 512, sector, sizeof sector));
    NtfsBootSector boot;
    ASSERT_TRUE(ParseNtfsBootSector(sector, sizeof sector, boot));
    const uint32_t mftStart = static_cast<uint32_t>(base + boot.mftCluster * boot.sectorsPerCluster);
    ASSERT_EQ(WalkMftRecords(base, mftStart, boot.sectorsPerCluster), 1);
    uint64_t rootSector = 0;
    ASSERT_EQ(MapVcnToLcn(5, rootSector), 1);
    EXPECT_EQ(rootSector, mftStart + 10u);
    uint64_t unchanged = 77;
    EXPECT_EQ(MapVcnToLcn(0xFFFFFFF0u, unchanged), 0);
    EXPECT_EQ(unchanged, 77u);

    // Record 0 is the file $MFT, record 5 the root folder "." with its own number 5.
    EXPECT_EQ(ProcessFoundMftRecord(mftStart), 1);
    EXPECT_EQ(ProcessFoundMftRecord(static_cast<uint32_t>(rootSector)), 1);
    EXPECT_EQ(ProcessFoundMftRecord(base), 0);  // the boot sector is no FILE record
    ASSERT_EQ(g_NtfsFileRecords.count, 1u);
    EXPECT_EQ(std::u16string(g_NtfsFileRecords.head->name), u"$MFT");
    EXPECT_EQ(g_NtfsFileRecords.head->sector, mftStart);
    EXPECT_EQ(g_NtfsFileRecords.head->deleted, 0u);
    ASSERT_EQ(g_FoundNtfsRecords.count, 1u);
    EXPECT_EQ(std::u16string(g_FoundNtfsRecords.head->name), u".");
    EXPECT_EQ(g_FoundNtfsRecords.head->recordNumber, 5u);
    EXPECT_EQ(g_FoundNtfsRecords.head->parentRecord, 5u);

    // The walk fails, and leaves no table, where record 0 is not a FILE record.
    EXPECT_EQ(WalkMftRecords(base, base, boot.sectorsPerCluster), 0);
    EXPECT_TRUE(g_MftRunTable.start.empty());
    // An INDX header that is not one is not appended.
    uint8_t header[512] = {};
    std::memcpy(header, "INDX", 4);
    EXPECT_EQ(AppendIndexRecord(mftStart, header, sizeof header), 0);
    EXPECT_EQ(g_IndexRecords.count, 0u);
}

// Record 0's attribute list lies in a cluster of its own and names the MFT's second extent. Read
// within the chosen volume, as every other list: one whose cluster lies past the volume's end (on the
// same disk, in what follows the volume) is damage, and what it names is not the MFT's.
TEST_F(NtfsEntryListsTest, TheMftWalkReadsRecordZerosListOnlyWithinTheVolume)
{
    // One-sector clusters from sector 0; a volume of 400 sectors on a disk of 600. The MFT's first
    // extent is clusters 100-103 (records 0 and 1); record 1 holds the extent from VCN 4 (200-203).
    auto walk = [](uint16_t listCluster) {
        std::vector<uint8_t> raw(600 * 512, 0);
        const std::vector<uint8_t> runs = {0x21, 0x01, static_cast<uint8_t>(listCluster),
            static_cast<uint8_t>(listCluster >> 8), 0x00};
        std::vector<uint8_t> record0 = MftRecordBuilder()
                                           .NonResident(0x20, runs, 32)
                                           .NonResident(0x80, {0x11, 0x04, 0x64, 0x00}, 4 * 1024)
                                           .Build();
        std::memcpy(raw.data() + 100 * 512, record0.data(), record0.size());
        const std::vector<uint8_t> record1 =
            MftRecordBuilder().BaseRecord(0).NonResident(0x80, {0x21, 0x04, 0xC8, 0x00}, 0, 4).Build();
        std::memcpy(raw.data() + 102 * 512, record1.data(), record1.size());
        const uint8_t entry[32] = {0x80, 0, 0, 0, 32, 0, 0, 26, 4, 0, 0, 0, 0, 0, 0, 0, 1};
        std::memcpy(raw.data() + size_t{listCluster} * 512, entry, sizeof entry);
        ResetEngineState();
        MemoryDisk disk(raw);
        EXPECT_TRUE(disk.Opened());
        g_VolumeParams.partitionStart = 0;
        g_VolumeParams.partitionSectors = 400;
        g_VolumeParams.clusterBase = 0;
        g_VolumeParams.sectorsPerCluster = 1;
        EXPECT_EQ(WalkMftRecords(0, 100, 1), 1);
        return g_MftRunTable.start;
    };
    EXPECT_EQ(walk(300), (std::vector<uint64_t>{100, 200}));
    EXPECT_EQ(walk(450), (std::vector<uint64_t>{100})) << "a list past the volume's end was read";
}

}  // namespace morvick::test
