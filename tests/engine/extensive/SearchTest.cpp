// The sector search of the Extensive Scan over a small disk in memory: what each kind of sector
// adds to the candidate lists, damaged records left out, and reads that fail.
#include "engine/save/EngineReset.h"
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/ExtensiveSearch.h"
#include "engine/image/SectorReader.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/RunScript.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/extensive/ExtensiveTestDisk.h"
#include "tests/engine/ntfs/MftRecordBuilder.h"
#include "tests/engine/save/MemoryDisk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <vector>

namespace morvick::test {

namespace {

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
        PutMftRecord(raw, 1500, folder);
        PutMftRecord(raw, 1502, MftRecordBuilder(1).FileName(u"a.txt", 40, 1).ResidentData({1, 2, 3}).Build());
        std::vector<uint8_t> torn = MftRecordBuilder(1).FileName(u"torn.txt", 40, 1).Build();
        torn[1023] ^= 0xFF;  // the second sector's end no longer carries the update sequence number
        PutMftRecord(raw, 1504, torn);
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
    EXPECT_EQ(g_IndexRecordSectors.sectors, (std::vector<uint32_t>{1600, 1601})) << "damaged ones too";
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

namespace {

// A disk of 2048 sectors whose sectors 1000 and 1500 cannot be read; each sector holds its number.
// Every request is recorded.
struct Request {
    uint64_t sector;
    uint32_t count;
    bool operator==(const Request& o) const { return sector == o.sector && count == o.count; }
};
std::vector<Request> g_requests;

int ReadWithTwoBadSectors(uint64_t sector, uint32_t count, void* buffer)
{
    g_requests.push_back({sector, count});
    if (sector <= 1000 && 1000 < sector + count)
        return 0;
    if (sector <= 1500 && 1500 < sector + count)
        return 0;
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t number = sector + i;
        std::memcpy(static_cast<uint8_t*>(buffer) + size_t{i} * 512, &number, sizeof number);
    }
    return 1;
}

}  // namespace

TEST(SearchRun, AFailedRunIsAskedForAgainInPiecesAndThenSectorBySector)
{
    struct Case {
        uint32_t piece;
        size_t pieceRequests;  // multi-sector requests after the failed run
        size_t singleRequests;
    };
    // 60: 35 pieces (the last one 8 sectors), two of them failing -> 120 single reads.
    // 0 and 1: sector by sector. 2048 and more: the run's own request is not asked again.
    for (const Case& c : {Case{60, 35, 120}, Case{7, 293, 14}, Case{1, 0, 2048}, Case{0, 0, 2048}, Case{2048, 0, 2048},
             Case{5000, 0, 2048}}) {
        SCOPED_TRACE(c.piece);
        g_requests.clear();
        std::vector<uint8_t> buffer(2048 * 512, 0xEE);
        EXPECT_EQ(ReadSearchRun(ReadWithTwoBadSectors, 0, 2048, c.piece, buffer.data()), 2u);
        ASSERT_FALSE(g_requests.empty());
        EXPECT_EQ(g_requests.front(), (Request{0, 2048}));
        size_t pieces = 0, singles = 0;
        for (size_t i = 1; i < g_requests.size(); ++i) {
            const Request& r = g_requests[i];
            if (r.count == 1) {
                ++singles;
                continue;
            }
            ++pieces;
            EXPECT_EQ(r.sector % std::max(c.piece, 1u), 0u) << r.sector;
            EXPECT_EQ(r.count, std::min<uint64_t>(c.piece, 2048 - r.sector)) << r.sector;
        }
        EXPECT_EQ(pieces, c.pieceRequests);
        EXPECT_EQ(singles, c.singleRequests);
        for (uint64_t sector = 0; sector < 2048; ++sector) {
            uint64_t held = 0;
            std::memcpy(&held, &buffer[sector * 512], sizeof held);
            EXPECT_EQ(held, sector == 1000 || sector == 1500 ? 0 : sector) << sector;
        }
    }
}

TEST_F(SearchTest, TheCurrentSectorRowFollowsEachReadOfTheSetting)
{
    // Reads of 60 sectors over a range of runs of 2048: the NTFS search names the sector each read
    // starts at, the FAT search the read's offset in the range; the last read is the short one.
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    g_nSectorsPerRead = 60;
    const uint64_t first = 1000, count = 2110;
    std::vector<uint64_t> ntfs, fat;
    for (uint64_t offset = 0; offset < count; offset += 60) {
        ntfs.push_back(first + offset);
        fat.push_back(offset);
    }
    ScanFinishedWord finished{0};
    ExtensiveSearchCounters counters;
    SearchDiskStructures(first, count, kSearchNtfs, finished, counters);
    EXPECT_EQ(observer.sectors, ntfs);
    observer.sectors.clear();
    FreeScanRecordLists();
    SearchDiskStructures(first, count, kSearchFat, finished, counters);
    EXPECT_EQ(observer.sectors, fat);
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
    PutMftRecord(ntfs, 16,
        MftRecordBuilder(3)
            .FileName(u"Docs", 5, 1)
            .IndexRoot(40)
            .NonResident(0xA0, {0x11, 0x01, 0x28, 0x00}, 512, 0, u"$I30")
            .Build());
    PutMftRecord(ntfs, 18, MftRecordBuilder(1).FileName(u"a.txt", 40, 1).ResidentData({1, 2, 3}).Build());
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
        if (!SourceDir().empty()) {
            EXPECT_EQ(ReadBinaryFile(HostPath(SourceDir() + "/fuzz/seeds/fuzz_extensive_scan/" + name)), bytes) << name;
        }
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

TEST(ExtensiveSearchBounds, IndexRecordsLeftUnsearchedByAnEarlyEndAreNotTakenForAbsent)
{
    // The search ends at the boot sector one past the bound, inside a run whose later sectors hold
    // INDX records: each of them is either listed or lies past the range the list speaks for, where
    // the analysis reads the sector itself.
    ResetEngineState();
    ResetExtensiveScanState();
    const std::vector<uint8_t> boot = FatBootSector(false, 4, 4, 32, 3000);
    const uint32_t last = kMaxBootSectorCandidates;  // the boot sector that ends the search
    std::vector<uint8_t> raw(512 * size_t{(last / kSearchRunSectors + 1) * kSearchRunSectors});
    for (uint32_t sector = 0; sector <= last; ++sector)
        std::memcpy(&raw[size_t{sector} * 512], boot.data(), 512);
    std::vector<uint32_t> indexes;
    for (uint32_t sector = last + 1; sector < last + 40; sector += 8) {
        PutSector(raw, sector, IndexRecordSector(0, {{44, 40, 1, u"Sub"}}));
        indexes.push_back(sector);
    }
    ASSERT_LT(indexes.back(), raw.size() / 512) << "in the same run";
    {
        MemoryDisk disk(raw);
        ASSERT_TRUE(disk.Opened());
        ScanFinishedWord finished{0};
        ExtensiveSearchCounters counters;
        ASSERT_EQ(SearchDiskStructures(0, raw.size() / 512, kSearchFat | kSearchNtfs, finished, counters),
            ExtensiveSearchResult::kTooMany);
    }
    const IndexRecordSectors& known = g_IndexRecordSectors;
    for (uint32_t sector : indexes) {
        const bool listed = std::binary_search(known.sectors.begin(), known.sectors.end(), sector);
        EXPECT_TRUE(listed || sector >= known.searchedEnd) << sector;
    }
    EXPECT_EQ(known.searchedEnd, last + 1u);
    ResetEngineState();
    ResetExtensiveScanState();
}

}  // namespace morvick::test
