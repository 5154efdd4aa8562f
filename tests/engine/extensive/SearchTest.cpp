// The sector search of the Extensive Scan over a small disk in memory: what each kind of sector
// adds to the candidate lists, damaged records left out, and reads that fail.
#include "engine/save/EngineReset.h"
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/ExtensiveSearch.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/RunScript.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/extensive/ExtensiveTestDisk.h"
#include "tests/engine/ntfs/MftRecordBuilder.h"
#include "tests/engine/save/MemoryDisk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace morvick::test {

namespace {

void PutRecord(std::vector<uint8_t>& raw, uint64_t sector, const std::vector<uint8_t>& record)
{
    std::memcpy(&raw[sector * 512], record.data(), record.size());
    raw[sector * 512 + 28] = 0x00;  // allocated size 1,024
    raw[sector * 512 + 29] = 0x04;
}

class SearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        ResetExtensiveScanState();
        raw.assign(512 * 4000, 0);
        PutSector(raw, 100, FatBootSector(false, 4, 4, 32, 3000));
        PutSector(raw, 300, DirectorySector(5, 0));
        PutSector(raw, 3990, DirectorySector(7, 5));  // in the last, partly readable run
        PutSector(raw, 1000, NtfsBootSector(8, 2000, 4));
        const std::vector<uint8_t> folder = MftRecordBuilder(3)
                                                .FileName(u"Docs", 5, 1)
                                                .IndexRoot(40)
                                                .NonResident(0xA0, {0x11, 0x01, 0x0A, 0x00}, 4096, 0, u"$I30")
                                                .Build();
        PutRecord(raw, 1500, folder);
        PutRecord(raw, 1502, MftRecordBuilder(1).FileName(u"a.txt", 40, 1).ResidentData({1, 2, 3}).Build());
        std::vector<uint8_t> torn = MftRecordBuilder(1).FileName(u"torn.txt", 40, 1).Build();
        torn[1023] ^= 0xFF;  // the second sector's end no longer carries the update sequence number
        PutRecord(raw, 1504, torn);
        PutSector(raw, 1600, IndexRecordSector(0, {{44, 40, 1, u"Sub"}}));
        std::vector<uint8_t> broken = IndexRecordSector(0, {{45, 40, 1, u"Other"}});
        broken[511] ^= 0xFF;
        PutSector(raw, 1601, broken);
    }
    void TearDown() override { ResetEngineState(); }

    std::vector<uint8_t> raw;
    RecordingObserver observer;
};

}  // namespace

TEST_F(SearchTest, EachKindOfSectorGoesToItsListAndDamagedRecordsAreLeftOut)
{
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    ScanFinishedWord finished{0};
    ExtensiveSearchCounters counters;
    // The range runs past the disk's end: the run that crosses it is read sector by sector.
    ASSERT_EQ(SearchDiskStructures(0, 6000, kSearchFat | kSearchNtfs, finished, counters),
        ExtensiveSearchResult::kCompleted);
    EXPECT_EQ(counters.bootSectors, 2u);
    EXPECT_EQ(counters.fatDirectories, 2u);
    EXPECT_EQ(counters.ntfsFolders, 1u);
    EXPECT_EQ(counters.ntfsFiles, 1u);
    EXPECT_EQ(counters.indexRecords, 1u);
    EXPECT_EQ(counters.unreadableSectors, 2000u);

    ASSERT_EQ(g_BootSectors.count, 2u);
    EXPECT_EQ(g_BootSectors.head->sector, 100u);
    EXPECT_EQ(g_BootSectors.tail->sector, 1000u);
    ASSERT_EQ(g_FoundFatDirectories.count, 2u);
    EXPECT_EQ(g_FoundFatDirectories.head->sector, 300u);
    EXPECT_EQ(g_FoundFatDirectories.tail->sector, 3990u);
    EXPECT_EQ(g_FoundFatDirectories.tail->parentCluster, 5u);
    ASSERT_EQ(g_FoundNtfsRecords.count, 1u);
    EXPECT_EQ(std::u16string(g_FoundNtfsRecords.head->name), u"Docs");
    EXPECT_EQ(g_FoundNtfsRecords.head->recordNumber, 40u);
    EXPECT_EQ(g_FoundNtfsRecords.head->indexFirstCluster, 10u);
    ASSERT_EQ(g_NtfsFileRecords.count, 1u);
    EXPECT_EQ(g_NtfsFileRecords.head->sector, 1502u);
    ASSERT_EQ(g_IndexRecords.count, 1u);
    EXPECT_EQ(g_IndexRecords.head->sector, 1600u);
    EXPECT_EQ(g_IndexRecords.head->ownerRecord, 40u);
    EXPECT_EQ(g_IndexRecordSectors.sectors, std::vector<uint32_t>{1600});
    EXPECT_EQ(g_IndexRecordSectors.searchedEnd, 6000u);
    EXPECT_FALSE(observer.statuses.empty());
    EXPECT_EQ(observer.statuses.front(), u"Reading Sector 0 Of 6000");
}

TEST_F(SearchTest, AFailedRunIsReadAgainInPiecesOfTheSectorsPerAttemptSetting)
{
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    // The run from 2048 crosses the disk's end at 4000: whatever the piece size, every sector before
    // the end is searched and every one after it is counted as unreadable.
    for (uint32_t setting : {1u, 7u, 60u, 100u, 5000u, 0u}) {
        FreeScanRecordLists();
        ResetExtensiveScanState();
        g_nSectorsPerRead = setting;
        ScanFinishedWord finished{0};
        ExtensiveSearchCounters counters;
        SearchDiskStructures(0, 6000, kSearchFat, finished, counters);
        EXPECT_EQ(counters.fatDirectories, 2u) << setting;
        EXPECT_EQ(counters.unreadableSectors, 2000u) << setting;
        ASSERT_EQ(g_FoundFatDirectories.count, 2u) << setting;
        EXPECT_EQ(g_FoundFatDirectories.tail->sector, 3990u) << setting;
    }
}

TEST_F(SearchTest, OneKindAtATimeAndStop)
{
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    ScanFinishedWord finished{0};
    ExtensiveSearchCounters counters;
    SearchDiskStructures(0, 4000, kSearchNtfs, finished, counters);
    EXPECT_EQ(counters.bootSectors, 1u);
    EXPECT_EQ(counters.fatDirectories, 0u);
    EXPECT_EQ(g_BootSectors.head->sector, 1000u);

    FreeScanRecordLists();
    ExtensiveSearchCounters none;
    finished.store(1);
    EXPECT_EQ(SearchDiskStructures(0, 4000, kSearchFat, finished, none), ExtensiveSearchResult::kStopped);
    EXPECT_EQ(g_BootSectors.count, 0u);
}

}  // namespace morvick::test

namespace morvick::test {

// The small disks of the Extensive Scan's fuzzer seeds (fuzz/seeds/fuzz_extensive_scan), whose last
// byte chooses FAT16 (0) or NTFS (2): a FAT16 volume without its partition table, and an NTFS volume
// of a folder, a file and the folder's INDX. Each gives its volume, and the seeds are these disks.
TEST(ExtensiveFuzzSeeds, SmallDisksOfEachKindAreScanned)
{
    std::vector<uint8_t> fat(512 * 72, 0);
    PutSector(fat, 1, FatBootSector(false, 1, 32, 1, 80));
    PutSector(fat, 68, DirectorySector(3, 0));
    PutSector(fat, 69, DirectorySector(4, 3));
    fat.push_back(0);

    std::vector<uint8_t> ntfs(512 * 64, 0);
    PutSector(ntfs, 0, NtfsBootSector(1, 63, 16));
    PutRecord(ntfs, 16,
        MftRecordBuilder(3)
            .FileName(u"Docs", 5, 1)
            .IndexRoot(40)
            .NonResident(0xA0, {0x11, 0x01, 0x28, 0x00}, 512, 0, u"$I30")
            .Build());
    PutRecord(ntfs, 18, MftRecordBuilder(1).FileName(u"a.txt", 40, 1).ResidentData({1, 2, 3}).Build());
    PutSector(ntfs, 40, IndexRecordSector(0, {{41, 40, 1, u"a.txt", false}}));
    ntfs.push_back(2);

    for (const auto& [name, bytes, type] :
        {std::make_tuple("fat16", fat, FileSystemKind::kFat16), std::make_tuple("ntfs", ntfs, FileSystemKind::kNtfs)}) {
        ResetEngineState();
        ResetExtensiveScanState();
        std::vector<uint8_t> raw(bytes.begin(), bytes.end() - 1);
        MemoryDisk disk(raw);
        ASSERT_TRUE(disk.Opened());
        g_VolumeParams.chosenFileSystemType = type;
        g_VolumeParams.partitionSectors = static_cast<uint32_t>(raw.size() / 512);
        ScanFinishedWord finished{0};
        RunExtensiveScan(finished);
        EXPECT_EQ(g_FoundPartitions.count, 1u) << name;
        if (!SourceDir().empty())
            EXPECT_EQ(ReadBinaryFile(HostPath(SourceDir() + "/fuzz/seeds/fuzz_extensive_scan/" + name)), bytes) << name;
    }
    ResetEngineState();
}

}  // namespace morvick::test

namespace morvick::test {

TEST(ExtensiveSearchBounds, TooManyBootSectorsEndTheSearchWithWhatWasFound)
{
    ResetEngineState();
    RecordingObserver observer;
    const std::vector<uint8_t> boot = FatBootSector(false, 4, 4, 32, 3000);
    std::vector<uint8_t> raw(512 * size_t{kMaxBootSectorCandidates + 100});
    for (size_t at = 0; at < raw.size(); at += 512)
        std::memcpy(&raw[at], boot.data(), 512);
    {
        MemoryDisk disk(raw);
        ASSERT_TRUE(disk.Opened());
        ScanFinishedWord finished{0};
        ExtensiveSearchCounters counters;
        EXPECT_EQ(SearchDiskStructures(0, raw.size() / 512, kSearchFat, finished, counters),
            ExtensiveSearchResult::kTooMany);
        EXPECT_EQ(counters.bootSectors, kMaxBootSectorCandidates);
        EXPECT_EQ(g_BootSectors.count, kMaxBootSectorCandidates);
    }
    ResetEngineState();
}

}  // namespace morvick::test
