// Where a Stop question holds a scan: the wizard's worker waits at every call of the engine's
// observer at which it may be held (a pause point, a status, a percent, a found item, a message), and
// a percent comes only where it changes. Every step that changes what the scan display counts is one
// of its own: each entry of the FAT passes of both scans (root, folders, free clusters of deleted
// folders, clusters parked under "Lost Dir"), each record of the NTFS pass, each sector the Extensive
// Scan's search tests, each cylinder the partition search probes, and each cluster the search for
// deleted folders' later clusters reads, so that the question stops the counters, the bar and the
// current sector where they were. File Trace tests the finished word at each sector it tests, so a
// stop answered there counts no file after it.
#include "engine/extensive/ExtensiveSearch.h"
#include "engine/fat/FatDirectoryParser.h"
#include "engine/save/EngineReset.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/scan/ChosenSignatures.h"
#include "engine/scan/FileTrace.h"
#include "engine/scan/FreedFolderClusters.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "engine/volume/EngineSectorSource.h"
#include "engine/volume/PartitionDiscovery.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/scan/BothScansDisk.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace morvick::test {
namespace {

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-deleted-folders-disk.sh",
        "make-small-cluster-mft-disk.sh", "make-empty-disk.sh", "make-remade-folder-disks.sh",
        "make-freed-folder-disks.sh"}));

const char* const kDeletedFolders = "make-deleted-folders-disk.sh";
const char* const kManyRecords = "make-small-cluster-mft-disk.sh";
const char* const kEmptyDisk = "make-empty-disk.sh";
const char* const kCutNames = "make-remade-folder-disks.sh";
const char* const kFreedFolders = "make-freed-folder-disks.sh";

// The engine's observer while a scan runs: counts the calls at which the wizard's worker would wait
// while a Stop question is open (its gates), and, for each count watched, the most it grew from one
// gate to the next.
class GateWatch : public ScanObserver {
public:
    explicit GateWatch(std::vector<std::function<uint64_t()>> counts)
        : largestSteps(counts.size(), 0), m_counts(std::move(counts)), m_last(m_counts.size(), 0)
    {
        for (size_t i = 0; i < m_counts.size(); ++i)
            m_last[i] = m_counts[i]();
        m_previous = SetScanObserver(this);
    }
    ~GateWatch() override { SetScanObserver(m_previous); }

    void OnPausePoint() override { Pass(); }
    void OnStatus(const std::u16string&) override { Pass(); }
    void OnProgress(int) override { Pass(); }
    void OnCurrentSector(uint64_t) override { ++sectorReports; }
    uint32_t OnItemFound(const FoundItem&) override
    {
        Pass();
        return 0;
    }
    bool OnMessage(const std::u16string&, MessageKind) override
    {
        Pass();
        return false;
    }

    // The growth after the last gate, once the scan has ended.
    void Finish()
    {
        Pass();
        --passes;
    }

    uint64_t passes = 0;
    uint64_t sectorReports = 0;
    std::vector<uint64_t> largestSteps;

private:
    void Pass()
    {
        ++passes;
        for (size_t i = 0; i < m_counts.size(); ++i) {
            // A count that starts again (the lists freed at a pass's start) grows from its new value.
            const uint64_t now = m_counts[i]();
            if (now > m_last[i])
                largestSteps[i] = std::max(largestSteps[i], now - m_last[i]);

            m_last[i] = now;
        }
    }

    std::vector<std::function<uint64_t()>> m_counts;
    std::vector<uint64_t> m_last;
    ScanObserver* m_previous = nullptr;
};

uint64_t FilesFound()
{
    return g_nFatFileCount;
}
uint64_t FoldersFound()
{
    return g_nFatFolderCount;
}

// The files listed in the folder of `name`.
size_t FilesIn(const char16_t* name)
{
    uint32_t cluster = 0;
    for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
        if (f->name != nullptr && std::u16string(f->name) == name)
            cluster = f->firstCluster;
    }
    size_t files = 0;
    for (const FatEntryRecord* e = g_FatEntries.head; e; e = e->next)
        files += cluster != 0 && e->parentCluster == cluster ? 1 : 0;
    return files;
}

class ScanPausePoints : public BothScansDisk {};

// The root, the live folders, the deleted ones (their first clusters), their later clusters found
// among the free ones, and the clusters parked under "Lost Dir": one file at a time between two gates
// (a folder may come with the one it is parked in).
TEST_P(ScanPausePoints, EveryEntryOfEveryFatPassIsAStepOfItsOwn)
{
    ASSERT_FALSE(FixtureFolder(kDeletedFolders).empty()) << "the disk was not built";
    GateWatch watch({FilesFound, FoldersFound});
    ASSERT_NO_FATAL_FAILURE(Scan(FixtureFile(kDeletedFolders, "deleted.vhd"), 0));
    watch.Finish();
    ASSERT_GT(g_nFatFileCount, 500u);
    EXPECT_GT(FilesIn(u"Lost Dir"), 0u) << "no cluster was parked: the test does not reach that pass";
    EXPECT_LE(watch.largestSteps[0], 1u) << "files found between two gates";
    EXPECT_LE(watch.largestSteps[1], 2u) << "folders found between two gates";
}

INSTANTIATE_TEST_SUITE_P(BothScans, ScanPausePoints, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

// Each record of the MFT, which the pass reads a chunk at a time and reports every 20 records and at
// each new percent (here about 600 records of files, every other one deleted).
TEST(ScanPausePointsNtfs, EveryRecordOfTheNtfsPassIsAStepOfItsOwn)
{
    ASSERT_FALSE(FixtureFolder(kManyRecords).empty()) << "the disk was not built";
    CVirtualDisk disk;
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kManyRecords, "small-cluster.vhd"), disk));
    GateWatch watch({FilesFound, FoldersFound});
    ASSERT_TRUE(QuickScanPartition(0));
    watch.Finish();
    SetCurrentVirtualDisk(nullptr);
    ASSERT_GT(g_nFatFileCount, 500u);
    EXPECT_LE(watch.largestSteps[0], 1u) << "files found between two gates";
    EXPECT_LE(watch.largestSteps[1], 2u) << "folders found between two gates";
}

// Each sector the search tests, which it reads 2,048 at a time and reports at each new percent.
TEST(ScanPausePointsSearch, EverySectorTheExtensiveSearchTestsIsAStepOfItsOwn)
{
    ASSERT_FALSE(FixtureFolder(kDeletedFolders).empty()) << "the disk was not built";
    CVirtualDisk disk;
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kDeletedFolders, "deleted.vhd"), disk));
    ASSERT_TRUE(ChooseFixturePartition(0));
    const ExtensiveSearchCounters& c = g_ExtensiveSearchCounters;
    GateWatch watch(
        {[&c] { return uint64_t{c.bootSectors} + c.fatDirectories + c.ntfsFiles + c.ntfsFolders + c.indexRecords; }});
    ScanFinishedWord finished{0};
    EXPECT_EQ(SearchDiskStructures(g_VolumeParams.partitionStart, g_VolumeParams.partitionSectors, kSearchFat, finished,
                  g_ExtensiveSearchCounters),
        ExtensiveSearchResult::kCompleted);
    watch.Finish();
    SetCurrentVirtualDisk(nullptr);
    EXPECT_GE(c.bootSectors + c.fatDirectories, 4u);
    EXPECT_LE(watch.largestSteps[0], 1u) << "structures found between two gates";
}

// Each cylinder of the disk (255 x 63 sectors), which the search probes at a few sectors and reports
// at each new percent.
TEST(ScanPausePointsPartitions, EveryCylinderThePartitionSearchProbesIsAStepOfItsOwn)
{
    ASSERT_FALSE(FixtureFolder(kEmptyDisk).empty()) << "the disk was not built";
    std::unique_ptr<CVirtualDisk> disk = OpenEngineImage(FixtureFile(kEmptyDisk, "empty.vhd"));
    ASSERT_NE(disk, nullptr);
    const uint64_t cylinders = disk->GetDiskSize() / kSectorSize / (255 * 63);
    ASSERT_GT(cylinders, 200u) << "a disk of more cylinders than the bar has percents";
    GateWatch watch({});
    std::atomic<int32_t> finished{0};
    SearchPartitions(true, 0, &finished);
    watch.Finish();
    CloseEngineImage();
    EXPECT_GE(watch.passes, cylinders);
}

// Records every read of the chosen volume with the pause points passed before it.
class ReadLog : public SectorSource {
public:
    struct Read {
        uint64_t sector;
        uint32_t count;
        uint64_t pausesBefore;
    };
    explicit ReadLog(const uint64_t& pauses) : m_pauses(pauses) {}
    bool ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer) override
    {
        reads.push_back({sector, count, m_pauses});
        return m_disk.ReadSectors(sector, count, buffer);
    }
    uint64_t SectorCount() const override { return m_disk.SectorCount(); }

    std::vector<Read> reads;

private:
    const uint64_t& m_pauses;
    EngineSectorSource m_disk;
};

// Counts the pause points alone.
class PauseCount : public ScanObserver {
public:
    PauseCount() { m_previous = SetScanObserver(this); }
    ~PauseCount() override { SetScanObserver(m_previous); }
    void OnPausePoint() override { ++pauses; }
    uint64_t pauses = 0;

private:
    ScanObserver* m_previous = nullptr;
};

// Lists partition 0 of the fixture disk `image` by the Quick Scan (for its volume), then runs the
// deleted-folder search alone over `log`: its root's entries (FAT16: the root area, FAT32: the root's
// first cluster), then every cluster it attaches or parks.
void SearchFromTheRoot(const char* script, const char* image, ReadLog& log)
{
    ASSERT_FALSE(FixtureFolder(script).empty()) << "the disks were not built";
    CVirtualDisk disk;
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(script, image), disk));
    ASSERT_TRUE(QuickScanPartition(0));
    FreeFoundEntryLists();
    const VolumeParameterBlock& b = g_VolumeParams;
    const bool fat32 = b.browsedFileSystemType == FileSystemKind::kFat32;
    const uint32_t sectors = fat32 ? b.sectorsPerCluster : b.rootDirectorySectors;
    const uint64_t first = fat32 ? b.clusterBase + uint64_t{b.rootLocation} * b.sectorsPerCluster : b.rootLocation;
    {
        FreedFolderClusters freed(log, AddFatDirectoryEntry, [] { return false; });
        std::vector<uint8_t> root(size_t{sectors} * kSectorSize);
        EngineSectorSource engineDisk;
        ASSERT_TRUE(engineDisk.ReadSectors(first, sectors, root.data()));
        FatDirectoryParser rootParser(fat32, 0, false, freed.Sink());
        rootParser.Feed(root.data(), root.size());
        while (freed.AttachToTheirFolders() || freed.ParkNext()) {
        }
    }
    SetCurrentVirtualDisk(nullptr);
}

// The search reads the free clusters up to 1 MiB at a time and reports at each new percent: each
// cluster it reads is still a step of its own, whatever its stop test.
TEST(ScanPausePointsFreedFolders, EveryClusterTheSearchForLaterClustersReadsIsAStepOfItsOwn)
{
    ASSERT_FALSE(FixtureFolder(kDeletedFolders).empty()) << "the disk was not built";
    CVirtualDisk disk;
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kDeletedFolders, "deleted.vhd"), disk));
    // The scan finds 100PHOTO, whose first cluster is full of short entries that go on past it.
    ASSERT_TRUE(QuickScanPartition(0));
    uint32_t photos = 0;
    for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
        if (f->deleted != 0 && f->name != nullptr && std::u16string(f->name).find(u"00PHOTO") != std::u16string::npos)
            photos = f->firstCluster;
    }
    ASSERT_NE(photos, 0u);
    FreeFoundEntryLists();

    const VolumeParameterBlock& b = g_VolumeParams;
    const uint32_t spc = b.sectorsPerCluster;
    std::vector<uint8_t> first(size_t{spc} * kSectorSize);
    EngineSectorSource engineDisk;
    ASSERT_TRUE(engineDisk.ReadSectors(b.clusterBase + uint64_t{photos} * spc, spc, first.data()));
    auto parser = std::make_unique<FatDirectoryParser>(b.browsedFileSystemType == FileSystemKind::kFat32, photos, true,
        AddFatDirectoryEntry);
    parser->Feed(first.data() + 64, first.size() - 64);  // past "." and ".."
    ASSERT_FALSE(parser->Ended());

    PauseCount count;
    ReadLog log(count.pauses);
    {
        // No pause point of its own in its stop test: only those of the search count.
        FreedFolderClusters freed(
            log, [](const FatFoundEntry&) {}, [] { return false; });
        freed.NoteFolderEnd(photos, photos, std::move(parser));
        freed.AttachToTheirFolders();
    }
    SetCurrentVirtualDisk(nullptr);
    const uint64_t dataStart = b.clusterBase + 2ull * spc;
    size_t clusterReads = 0;
    for (size_t i = 0; i < log.reads.size(); ++i) {
        const ReadLog::Read& r = log.reads[i];
        if (r.sector < dataStart || (r.sector - dataStart) % spc != 0 || r.count < spc)
            continue;
        ++clusterReads;
        const uint64_t after = i + 1 < log.reads.size() ? log.reads[i + 1].pausesBefore : count.pauses;
        EXPECT_GE(after - r.pausesBefore, r.count / spc)
            << "a read of " << r.count / spc << " clusters at " << r.sector;
    }
    EXPECT_GT(clusterReads, 10u) << "the free clusters were not read";
}

// TRIP's second cluster, free, lists the subfolder SUB, whose first sector the search reads to learn
// the cluster's folder from its ".." entry: that read is a step of its own.
TEST(ScanPausePointsFreedFolders, EachSubfolderStartTheSearchReadsIsAStepOfItsOwn)
{
    PauseCount count;
    ReadLog log(count.pauses);
    ASSERT_NO_FATAL_FAILURE(SearchFromTheRoot(kFreedFolders, "reused.vhd", log));
    const VolumeParameterBlock& b = g_VolumeParams;
    const uint32_t spc = b.sectorsPerCluster;
    ASSERT_EQ(b.browsedFileSystemType, FileSystemKind::kFat32);
    const uint64_t dataStart = b.clusterBase + 2ull * spc;
    size_t starts = 0;
    for (size_t i = 0; i < log.reads.size(); ++i) {
        const ReadLog::Read& r = log.reads[i];
        if (r.sector < dataStart || r.count != 1)
            continue;
        ++starts;
        const uint64_t after = i + 1 < log.reads.size() ? log.reads[i + 1].pausesBefore : count.pauses;
        EXPECT_GE(after - r.pausesBefore, 1u) << "the read of the start at " << r.sector;
    }
    EXPECT_GE(starts, 1u) << "no subfolder's start was read";
}

// Counts the pause points, and at each traced file found how many had passed; stops the search (as
// the answer to a Stop question held at that file would) once `stopAt` files were found.
class TraceWatch : public ScanObserver {
public:
    struct Hit {
        uint32_t sector;
        uint64_t pausesBefore;
    };
    TraceWatch(ScanFinishedWord& finished, size_t stopAt) : m_finished(finished), m_stopAt(stopAt)
    {
        m_previous = SetScanObserver(this);
    }
    ~TraceWatch() override { SetScanObserver(m_previous); }
    void OnPausePoint() override { ++pauses; }
    uint32_t OnItemFound(const FoundItem& item) override
    {
        hits.push_back({static_cast<const TracedFileRecord*>(item.record)->sector, pauses});
        if (hits.size() == m_stopAt)
            m_finished.store(1);
        return 0;
    }
    uint64_t pauses = 0;
    std::vector<Hit> hits;

private:
    ScanFinishedWord& m_finished;
    size_t m_stopAt;
    ScanObserver* m_previous = nullptr;
};

// The photos of the deleted folders' disk (300 of them and a thumbnail, each of a cluster or two)
// traced by their JPEG markers.
class ScanPausePointsTrace : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kDeletedFolders).empty()) << "the disk was not built";
        ASSERT_TRUE(OpenFixtureImage(FixtureFile(kDeletedFolders, "deleted.vhd"), m_disk));
        ASSERT_TRUE(ChooseFixturePartition(0));
        SignatureRecord jpeg;
        jpeg.extension = ".jpg";
        jpeg.description = "JPEG Image";
        jpeg.lengthText = "3";
        jpeg.signatureHex = "FFD8FF";
        ASSERT_TRUE(AppendChosenSignature(g_TraceHits, jpeg));
    }
    void TearDown() override
    {
        ResetEngineState();
        SetCurrentVirtualDisk(nullptr);
    }

private:
    CVirtualDisk m_disk;
};

// The search reads 2,048 sectors at a time and reports at each new percent: each sector it tests is
// still a step of its own, every one before a file passed before the file is shown.
TEST_F(ScanPausePointsTrace, EverySectorFileTraceTestsIsAStepOfItsOwn)
{
    const VolumeParameterBlock& b = g_VolumeParams;
    const uint64_t searched = std::min<uint64_t>(TracedSectorCount(b.partitionStart, b.partitionEnd),
        EngineSectorSource().SectorCount() - b.partitionStart);
    ScanFinishedWord finished{0};
    TraceWatch watch(finished, 0);
    ASSERT_TRUE(SearchSignatures(finished, nullptr));
    EXPECT_GE(watch.pauses, searched);
    ASSERT_GT(watch.hits.size(), 300u);
    const auto early = std::find_if(watch.hits.begin(), watch.hits.end(),
        [&b](const TraceWatch::Hit& hit) { return hit.pausesBefore < hit.sector - b.partitionStart + 1; });
    if (early != watch.hits.end())
        ADD_FAILURE() << "the file at sector " << early->sector << " was shown after " << early->pausesBefore
                      << " pause points";
}

// Held at a file (many more lie in the same run of 2,048 sectors) and answered Stop: the search ends
// there, with no file counted, listed or shown after it.
TEST_F(ScanPausePointsTrace, AStopAnsweredAtAHitCountsNoFurtherFile)
{
    ScanFinishedWord finished{0};
    TraceWatch watch(finished, 3);
    EXPECT_FALSE(SearchSignatures(finished, nullptr));
    EXPECT_EQ(g_nFatFileCount, 3u);
    EXPECT_EQ(g_TracedFiles.count, 3u);
    EXPECT_EQ(watch.hits.size(), 3u);
}

// CUTS.BIN, whose entry went with its folder's first cluster, is 400 clusters each of a name's tail,
// entries of files at free clusters and a name's last part with one checksum, none of which goes on
// into the next: each
// cluster is read once to be parked and once as the one after the cluster before it, not once for
// each cluster whose name waits with that checksum, and each of those reads is a step of its own.
TEST(ScanPausePointsFreedFolders, EachClusterOfEntriesIsReadOnceAndTriedOnce)
{
    PauseCount count;
    ReadLog log(count.pauses);
    // The root lists the deleted Cuts and the folder that took its first cluster.
    ASSERT_NO_FATAL_FAILURE(SearchFromTheRoot(kCutNames, "cutdata.vhd", log));
    const VolumeParameterBlock& b = g_VolumeParams;
    const uint32_t spc = b.sectorsPerCluster;
    ASSERT_EQ(b.browsedFileSystemType, FileSystemKind::kFat16);
    size_t files = 0;
    for (const FatEntryRecord* e = g_FatEntries.head; e; e = e->next)
        ++files;
    EXPECT_GE(files, 400u * 14u) << "the clusters were not parked";
    const uint64_t dataStart = b.clusterBase + 2ull * spc;
    size_t clusterReads = 0;
    for (size_t i = 0; i < log.reads.size(); ++i) {
        const ReadLog::Read& r = log.reads[i];
        if (r.sector < dataStart || r.count != spc)
            continue;
        ++clusterReads;
        // Its pause point comes before it.
        EXPECT_GT(r.pausesBefore, i > 0 ? log.reads[i - 1].pausesBefore : 0) << "a read of the cluster at " << r.sector;
    }
    EXPECT_LE(clusterReads, 2u * 400u + 16u);
}

}  // namespace
}  // namespace morvick::test
