// The NTFS analysis of the Extensive Scan over hand-made candidates: MFT numbers from INDX entries
// and from record distances, volumes from boot sectors and their copies and from pairs of folders,
// and index allocations that point where they must not be trusted.
#include "engine/save/EngineReset.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/ExtensiveSearch.h"
#include "engine/extensive/NtfsVolumeAnalysis.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/extensive/ExtensiveTestDisk.h"
#include "tests/engine/ntfs/MftRecordBuilder.h"
#include "tests/engine/save/MemoryDisk.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace morvick::test {

namespace {

class NtfsAnalysisTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        ResetExtensiveScanState();
        raw.assign(512 * 8192, 0);
    }
    void TearDown() override
    {
        disk.reset();
        ResetEngineState();
    }

    FoundNtfsRecord* Folder(uint32_t sector, uint32_t number, uint32_t indexCluster, const std::u16string& name = u"d",
        uint32_t parent = 5, uint64_t creation = 0)
    {
        FoundNtfsRecord* r = NewRecord<FoundNtfsRecord>();
        r->name = CopyRecordName(name);
        r->sector = sector;
        r->recordNumber = number;
        r->parentRecord = parent;
        r->indexFirstCluster = indexCluster;
        r->creationTimeLow = static_cast<uint32_t>(creation);
        r->creationTimeHigh = static_cast<uint32_t>(creation >> 32);
        AppendRecord(g_FoundNtfsRecords, r);
        return r;
    }
    void IndexNode(uint32_t sector, uint32_t owner, uint32_t vcn = 0)
    {
        IndexRecordNode* n = NewRecord<IndexRecordNode>();
        n->sector = sector;
        n->ownerRecord = owner;
        n->vcn = vcn;
        n->mark = kIndexRecordUnmarked;
        n->sectors = 1;
        AppendRecord(g_IndexRecords, n);
    }
    // The search met INDX records at these sectors, over the whole disk.
    void IndexSectors(std::vector<uint32_t> sectors)
    {
        for (uint32_t s : sectors)
            PutSector(raw, s, IndexRecordSector(0, {}));
        g_IndexRecordSectors.sectors = sectors;
        g_IndexRecordSectors.searchedFirst = 0;
        g_IndexRecordSectors.searchedEnd = raw.size() / 512;
    }
    void Open()
    {
        disk = std::make_unique<MemoryDisk>(raw);
        ASSERT_TRUE(disk->Opened());
    }

    std::vector<uint8_t> raw;
    std::unique_ptr<MemoryDisk> disk;
    RecordingObserver observer;
    ScanFinishedWord finished{0};
};

}  // namespace

TEST_F(NtfsAnalysisTest, NumbersComeFromIndexEntriesThenFromDistances)
{
    PutSector(raw, 700, IndexRecordSector(0, {{44, 5, 1000, u"Docs"}, {45, 5, 1001, u"MiXed"}}));
    IndexNode(700, 5);
    Open();
    FoundNtfsRecord* numbered = Folder(1000, 40, 9);
    FoundNtfsRecord* twoAfter = Folder(1002, 0, 9, u"x");
    FoundNtfsRecord* fourAfter = Folder(1004, 0, 9, u"y");
    FoundNtfsRecord* threeAfter = Folder(1007, 0, 9, u"z");
    FoundNtfsRecord* sixAfter = Folder(1013, 0, 9, u"w");
    FoundNtfsRecord* docs = Folder(2001, 0, 9, u"Docs", 5, 1000);
    FoundNtfsRecord* mixed = Folder(2005, 0, 9, u"mixed", 5, 1001);  // the name differs in case only
    AssignMftNumbers(finished);
    EXPECT_EQ(numbered->recordNumber, 40u);
    EXPECT_EQ(twoAfter->recordNumber, 41u);
    EXPECT_EQ(fourAfter->recordNumber, 42u);
    EXPECT_EQ(threeAfter->recordNumber, 43u);
    EXPECT_EQ(sixAfter->recordNumber, 46u);
    EXPECT_EQ(docs->recordNumber, 44u);
    EXPECT_EQ(mixed->recordNumber, 46u);  // by its distance, not from the entry
}

TEST_F(NtfsAnalysisTest, OnlyTheFirstIndexRecordOfAFolderIsKept)
{
    IndexNode(100, 40, 0);
    IndexNode(108, 40, 1);
    IndexNode(116, 41, 0);
    DeleteUnusedIndexEntries();
    ASSERT_EQ(g_IndexRecords.count, 2u);
    EXPECT_EQ(g_IndexRecords.head->sector, 100u);
    EXPECT_EQ(g_IndexRecords.head->next->sector, 116u);
}

TEST_F(NtfsAnalysisTest, BootSectorsBindFoldersWhoseIndexLiesInsideTheVolume)
{
    // NTFS at 1000: 8 sectors per cluster, 2000 sectors.
    PutSector(raw, 1000, NtfsBootSector(8, 2000, 4));
    AppendSectorNode(1000);
    // Boot sectors whose cluster size is no power of two (3 at 4000) or none (0 at 7000, whose copy
    // would start at 6000) give no volume, though folders after them have an INDX record where
    // those sizes would put their indexes (4000 + 10 x 3, 6000 + 5 x 0).
    PutSector(raw, 4000, NtfsBootSector(3, 2000, 4));
    AppendSectorNode(4000);
    PutSector(raw, 7000, NtfsBootSector(0, 1000, 4));
    AppendSectorNode(7000);
    IndexSectors({1080, 3400, 4030, 5080, 6000});
    Open();
    FoundNtfsRecord* inside = Folder(1100, 40, 10);    // INDX at 1080
    FoundNtfsRecord* outside = Folder(1102, 41, 300);  // 3400 lies past the volume's end
    FoundNtfsRecord* noIndex = Folder(1104, 42, 0);
    FoundNtfsRecord* wrongPlace = Folder(1106, 43, 11);  // nothing at 1088
    FoundNtfsRecord* oddClusters = Folder(4100, 44, 10);
    FoundNtfsRecord* noClusters = Folder(6100, 45, 5);
    AnalyzeFoundNtfsBootSectors(finished);
    ASSERT_EQ(g_FoundPartitions.count, 1u);
    const FoundPartitionRecord& v = *g_FoundPartitions.head;
    EXPECT_EQ(v.fileSystemType, FileSystemKind::kNtfs);
    EXPECT_EQ(v.clusterBase, 1000u);
    EXPECT_EQ(v.sectorsPerCluster, 8u);
    EXPECT_EQ(v.mftStart, 1032u);
    EXPECT_EQ(v.mftMirrorStart, 1016u);
    EXPECT_EQ(v.sectorsPerIndexRecord, 8u);
    EXPECT_EQ(v.volumeEnd, 3000u);
    EXPECT_EQ(inside->analysisMark, 1);
    EXPECT_EQ(outside->analysisMark, 0);
    EXPECT_EQ(noIndex->analysisMark, 0);
    EXPECT_EQ(wrongPlace->analysisMark, 0);
    EXPECT_EQ(oddClusters->analysisMark, 0);
    EXPECT_EQ(noClusters->analysisMark, 0);
    EXPECT_EQ(observer.items.back().text, u"NTFS @1000");
    EXPECT_EQ(g_nBootPassFinished, 1);
}

TEST_F(NtfsAnalysisTest, TheBootSectorCopyAtTheEndGivesTheVolume)
{
    PutSector(raw, 3000, NtfsBootSector(8, 2000, 4));
    AppendSectorNode(3000);
    IndexSectors({1080});
    Open();
    FoundNtfsRecord* folder = Folder(1100, 40, 10);
    AnalyzeFoundNtfsBootSectors(finished);
    ASSERT_EQ(g_FoundPartitions.count, 1u);
    EXPECT_EQ(g_FoundPartitions.head->clusterBase, 1000u);
    EXPECT_EQ(g_FoundPartitions.head->mftStart, 1032u);
    EXPECT_EQ(g_FoundPartitions.head->volumeEnd, 3000u);
    EXPECT_EQ(folder->analysisMark, 1);
}

TEST_F(NtfsAnalysisTest, PairsOfFoldersGiveVolumesWithoutBootSectors)
{
    // Index clusters 10 and 14 at 2080 and 2112: 8 sectors per cluster from 2000.
    IndexSectors({2080, 2112, 6000, 6100});
    IndexNode(2080, 40);
    IndexNode(2112, 41);
    // Two folders whose index clusters are equal give nothing.
    IndexNode(6000, 50);
    IndexNode(6100, 51);
    Open();
    FoundNtfsRecord* a = Folder(2500, 40, 10);
    FoundNtfsRecord* b = Folder(2502, 41, 14);
    FoundNtfsRecord* noIndex = Folder(2504, 42, 0);
    FoundNtfsRecord* c = Folder(6500, 50, 600);
    FoundNtfsRecord* d = Folder(6502, 51, 600);
    InferNtfsPartitions(8000, finished);
    ASSERT_EQ(g_FoundPartitions.count, 1u);
    const FoundPartitionRecord& v = *g_FoundPartitions.head;
    EXPECT_EQ(v.clusterBase, 2000u);
    EXPECT_EQ(v.sectorsPerCluster, 8u);
    EXPECT_EQ(v.sectorsPerIndexRecord, 8u);
    EXPECT_EQ(v.volumeEnd, 8000u);
    EXPECT_EQ(v.mftStart, 0u);
    EXPECT_EQ(a->analysisMark, 1);
    EXPECT_EQ(b->analysisMark, 1);
    EXPECT_EQ(noIndex->analysisMark, kBoundToNone);
    EXPECT_EQ(c->analysisMark, 0);
    EXPECT_EQ(d->analysisMark, 0);
    EXPECT_EQ(g_nLeftoverPassFinished, 1);
}

TEST_F(NtfsAnalysisTest, AnEmptiedFoldersIndexStillBindsItsVolume)
{
    // The folder's files were all deleted: its INDX record holds the last entry only, no entry that
    // names the folder. The signature at its index allocation is what binds it.
    PutSector(raw, 1000, NtfsBootSector(8, 2000, 4));
    PutMftRecord(raw, 1100,
        MftRecordBuilder(3)
            .FileName(u"Emptied", 5, 1)
            .IndexRoot(0, true)
            .NonResident(0xA0, {0x11, 0x01, 0x0A, 0x00}, 4096, 0, u"$I30")
            .Build());
    PutSector(raw, 1080, IndexRecordSector(0, {}));
    Open();
    ExtensiveSearchCounters counters;
    ASSERT_EQ(SearchDiskStructures(0, raw.size() / 512, kSearchNtfs, finished, counters),
        ExtensiveSearchResult::kCompleted);
    ASSERT_EQ(g_FoundNtfsRecords.count, 1u);
    EXPECT_EQ(g_IndexRecords.count, 0u) << "the emptied record names no folder";
    AnalyzeNtfsStructures(static_cast<uint32_t>(raw.size() / 512 - 1), finished);
    ASSERT_EQ(g_FoundPartitions.count, 1u);
    EXPECT_EQ(g_FoundPartitions.head->clusterBase, 1000u);
    EXPECT_EQ(g_FoundNtfsRecords.head->analysisMark, 1);
}

TEST_F(NtfsAnalysisTest, InferredVolumesReachIndexesPastTheSearchedRange)
{
    // Two folders give the volume at 2000 with 8 sectors per cluster; the search stopped at 8000,
    // where a third folder's index (cluster 900, sector 9200) is still to come.
    IndexSectors({2080, 2112});
    IndexNode(2080, 40);
    IndexNode(2112, 41);
    PutSector(raw, 9200, IndexRecordSector(0, {}));
    Open();
    FoundNtfsRecord* a = Folder(2500, 40, 10);
    FoundNtfsRecord* b = Folder(2502, 41, 14);
    FoundNtfsRecord* far = Folder(2504, 42, 900);
    FoundNtfsRecord* nothingThere = Folder(2506, 43, 912);  // 9296
    FoundNtfsRecord* pastTheDisk = Folder(2508, 44, 0x7FFFFFF0);
    InferNtfsPartitions(8000, finished);
    ASSERT_EQ(g_FoundPartitions.count, 1u);
    EXPECT_EQ(g_FoundPartitions.head->clusterBase, 2000u);
    EXPECT_EQ(a->analysisMark, 1);
    EXPECT_EQ(b->analysisMark, 1);
    EXPECT_EQ(far->analysisMark, 1);
    EXPECT_EQ(nothingThere->analysisMark, kBoundToNone);
    EXPECT_EQ(pastTheDisk->analysisMark, kBoundToNone);
}

TEST_F(NtfsAnalysisTest, RecordsLeftWithoutAVolumeTakeTheOneBeforeThem)
{
    PutSector(raw, 1000, NtfsBootSector(8, 2000, 4));
    AppendSectorNode(1000);
    IndexSectors({1080});
    Open();
    Folder(1100, 40, 10);
    FoundNtfsRecord* orphan = Folder(1102, 41, 0);
    AnalyzeNtfsStructures(8000, finished);
    EXPECT_EQ(orphan->analysisMark, 1);
    EXPECT_EQ(g_FoundPartitions.count, 1u);
}

}  // namespace morvick::test
