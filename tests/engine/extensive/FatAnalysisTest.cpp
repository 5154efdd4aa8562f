// The FAT analysis of the Extensive Scan over hand-made candidates: volumes from boot sectors (and a
// FAT32 boot sector's copy), volumes inferred from pairs of directories, and what is given up.
#include "engine/save/EngineReset.h"
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FatVolumeAnalysis.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/extensive/ExtensiveTestDisk.h"
#include "tests/engine/save/MemoryDisk.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvick::test {

namespace {

class FatAnalysisTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        ResetExtensiveScanState();
        raw.assign(512 * 8192, 0);
    }
    void TearDown() override { ResetEngineState(); }

    void Analyze(FileSystemKind chosenType = FileSystemKind::kFat16)
    {
        MemoryDisk disk(raw);
        ASSERT_TRUE(disk.Opened());
        ScanFinishedWord finished{0};
        AnalyzeFoundFatData(chosenType, finished);
    }
    std::vector<FoundFatDirectoryRecord*> Directories() const
    {
        std::vector<FoundFatDirectoryRecord*> all;
        for (FoundFatDirectoryRecord* r = g_FoundFatDirectories.head; r; r = r->next)
            all.push_back(r);
        return all;
    }
    std::vector<std::u16string> ItemTexts() const
    {
        std::vector<std::u16string> texts;
        for (const FoundItem& item : observer.items)
            texts.push_back(item.text);
        return texts;
    }

    std::vector<uint8_t> raw;
    RecordingObserver observer;
};

}  // namespace

TEST_F(FatAnalysisTest, BootSectorsBindTheDirectoriesOnTheirLine)
{
    // Boot sectors that describe no volume first, passed over and the next one still examined: one of 3
    // sectors per cluster, and one without a reserved sector whose line (base 200 + 64 + 32 - 8 = 288)
    // holds a folder that it would bind.
    PutSector(raw, 100, FatBootSector(false, 3, 4, 32, 4000));
    AppendSectorNode(100);
    PutSector(raw, 200, FatBootSector(false, 4, 0, 32, 4000));
    AppendSectorNode(200);
    // FAT16 at 2048: cluster base 2140, 4 sectors per cluster, end 2048 + 4000.
    PutSector(raw, 2048, FatBootSector(false, 4, 4, 32, 4000));
    AppendSectorNode(2048);
    AddFoundFatDirectory(2140 + 5 * 4, 5, 0, 1, 2);
    AddFoundFatDirectory(2140 + 9 * 4, 9, 5, 1, 2);
    AddFoundFatDirectory(2141 + 9 * 4, 9, 5, 1, 2);        // off the line
    AddFoundFatDirectory(2140 + 1100 * 4, 1100, 0, 1, 2);  // on the line, past the end sector
    AddFoundFatDirectory(288 + 5 * 4, 5, 0, 1, 2);         // on the line of the boot sector at 200
    Analyze();

    ASSERT_EQ(g_FoundPartitions.count, 1u);
    const FoundPartitionRecord& v = *g_FoundPartitions.head;
    EXPECT_EQ(v.fileSystemType, FileSystemKind::kFat16);
    EXPECT_EQ(v.clusterBase, 2140u);
    EXPECT_EQ(v.sectorsPerCluster, 4u);
    EXPECT_EQ(v.sectorsPerFat, 32u);
    EXPECT_EQ(v.rootDirectorySectors, 32u);
    EXPECT_EQ(v.rootLocation, 2048u + 4 + 64);
    EXPECT_EQ(v.firstFat, 2052u);
    EXPECT_EQ(v.secondFat, 2084u);
    EXPECT_EQ(v.volumeEnd, 6048u);
    std::vector<FoundFatDirectoryRecord*> d = Directories();
    EXPECT_EQ(d[0]->volumeNumber, 1);
    EXPECT_EQ(d[1]->volumeNumber, 1);
    EXPECT_EQ(d[2]->volumeNumber, kBoundToNone);
    EXPECT_EQ(d[3]->volumeNumber, kBoundToNone);
    EXPECT_EQ(d[4]->volumeNumber, kBoundToNone);
    EXPECT_EQ(ItemTexts(), (std::vector<std::u16string>{u"File System", u"FAT16 @2140"}));
    EXPECT_EQ(v.treeItem, 2u);
    EXPECT_EQ(g_nBootPassFinished, 1);
    EXPECT_EQ(g_nLeftoverPassFinished, 1);
    EXPECT_EQ(g_nAnalysedCount, 5u);
}

TEST_F(FatAnalysisTest, AFat32BootSectorCopyGivesTheVolumeOfItsOriginal)
{
    // The first boot sector at 4000 is gone; its copy lies six sectors later.
    PutSector(raw, 4006, FatBootSector(true, 8, 32, 100, 100000));
    AppendSectorNode(4006);
    const uint32_t base = 4000 + 32 + 200 - 16;
    AddFoundFatDirectory(base + 3 * 8, 3, 0, 0, 0);
    Analyze();
    ASSERT_EQ(g_FoundPartitions.count, 1u);
    EXPECT_EQ(g_FoundPartitions.head->clusterBase, base);
    EXPECT_EQ(g_FoundPartitions.head->firstFat, 4032u);
    EXPECT_EQ(g_FoundPartitions.head->fileSystemType, FileSystemKind::kFat32);
    EXPECT_EQ(ItemTexts().back(), u"FAT32 @" + std::u16string(u"4216"));
}

TEST_F(FatAnalysisTest, PairsOfDirectoriesGiveVolumesWithoutBootSectors)
{
    // 8 sectors and 1 cluster apart: 8 sectors per cluster, base 920.
    AddFoundFatDirectory(1000, 10, 0, 0, 0);
    AddFoundFatDirectory(1008, 11, 10, 0, 0);
    AddFoundFatDirectory(1920, 125, 11, 0, 0);  // on the same line, found later
    // 6 sectors and 2 clusters apart: 3 sectors per cluster, no partners.
    AddFoundFatDirectory(5000, 20, 0, 0, 0);
    AddFoundFatDirectory(5006, 22, 0, 0, 0);
    Analyze();
    ASSERT_EQ(g_FoundPartitions.count, 1u);
    const FoundPartitionRecord& v = *g_FoundPartitions.head;
    EXPECT_EQ(v.fileSystemType, FileSystemKind::kFat16);
    EXPECT_EQ(v.clusterBase, 920u);
    EXPECT_EQ(v.sectorsPerCluster, 8u);
    EXPECT_EQ(v.rootLocation, 0u);
    EXPECT_EQ(v.firstFat, 0u);
    EXPECT_EQ(v.volumeEnd, 0u);
    std::vector<FoundFatDirectoryRecord*> d = Directories();
    EXPECT_EQ(d[0]->volumeNumber, 1);
    EXPECT_EQ(d[1]->volumeNumber, 1);
    EXPECT_EQ(d[2]->volumeNumber, 1);
    EXPECT_EQ(d[3]->volumeNumber, kBoundToNone);
    EXPECT_EQ(d[4]->volumeNumber, kBoundToNone);
}

TEST_F(FatAnalysisTest, InferredVolumesAreFat32ByClusterOrByChoice)
{
    AddFoundFatDirectory(65536 + 200, 65536, 0, 0, 0);
    AddFoundFatDirectory(70000 + 200, 70000, 0, 0, 0);
    Analyze();
    ASSERT_EQ(g_FoundPartitions.count, 1u);
    EXPECT_EQ(g_FoundPartitions.head->fileSystemType, FileSystemKind::kFat32);
    EXPECT_EQ(g_FoundPartitions.head->rootLocation, 2u);

    FreeScanRecordLists();
    ResetExtensiveScanState();
    AddFoundFatDirectory(1000, 10, 0, 0, 0);
    AddFoundFatDirectory(1001, 11, 0, 0, 0);
    Analyze(FileSystemKind::kFat32);
    ASSERT_EQ(g_FoundPartitions.count, 1u);
    EXPECT_EQ(g_FoundPartitions.head->fileSystemType, FileSystemKind::kFat32);
    EXPECT_EQ(g_FoundPartitions.head->sectorsPerCluster, 1u);
}

TEST_F(FatAnalysisTest, ManyDirectoriesOfManyVolumesStayCheap)
{
    // 20000 directories that no other one can partner (all of cluster 2), then 200 volumes of 500
    // directories each, interleaved in list order as no real search gives them. Looking for a partner
    // of each lone directory among all those after it, or walking the whole list for each volume,
    // looks at directories billions of times; the lines keep it to a few looks per directory.
    const uint32_t lone = 20000;
    for (uint32_t k = 0; k < lone; ++k)
        AddFoundFatDirectory(10000000 + k * 3, 2, 0, 0, 0);
    for (uint32_t i = 0; i < 500; ++i) {
        for (uint32_t v = 0; v < 200; ++v)
            AddFoundFatDirectory(100000 + v * 20000 + (i + 3) * 4, i + 3, 0, 0, 0);
    }
    const uint64_t directories = g_FoundFatDirectories.count;
    Analyze();
    EXPECT_EQ(g_FoundPartitions.count, 200u);
    uint32_t givenUp = 0;
    for (FoundFatDirectoryRecord* r = g_FoundFatDirectories.head; r; r = r->next)
        givenUp += r->volumeNumber == kBoundToNone;
    EXPECT_EQ(givenUp, lone);
    EXPECT_LT(g_qwFatAnalysisSteps, 20 * directories);
}

TEST_F(FatAnalysisTest, ASecondScanStartsFromEmptyLists)
{
    PutSector(raw, 2048, FatBootSector(false, 4, 4, 32, 4000));
    PutSector(raw, 2140 + 5 * 4, DirectorySector(5, 0));
    PutSector(raw, 2140 + 6 * 4, DirectorySector(6, 5));
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    g_VolumeParams.chosenFileSystemType = FileSystemKind::kFat16;
    g_VolumeParams.partitionSectors = 8192;
    for (int run = 0; run < 2; ++run) {
        ScanFinishedWord finished{0};
        ExtensiveScanOutcome outcome = RunExtensiveScan(finished);
        EXPECT_EQ(outcome.search, ExtensiveSearchResult::kCompleted);
        EXPECT_EQ(outcome.counters.bootSectors, 1u);
        EXPECT_EQ(outcome.counters.fatDirectories, 2u);
        EXPECT_EQ(g_BootSectors.count, 1u);
        EXPECT_EQ(g_FoundFatDirectories.count, 2u);
        ASSERT_EQ(g_FoundPartitions.count, 1u);
        EXPECT_EQ(g_FoundPartitions.head->clusterBase, 2140u);
        EXPECT_EQ(finished.load(), 1);
    }
}

}  // namespace morvick::test
