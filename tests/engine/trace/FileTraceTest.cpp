// The File Trace search over a partition of a disk built sector by sector: which sectors it tests,
// the traced files it records, how it ends and what it reports; and the first-byte index against
// the plain comparison of every signature.
#include "engine/save/EngineReset.h"
#include "engine/ScanObserver.h"
#include "engine/save/FileSavers.h"
#include "engine/save/SaveState.h"
#include "engine/scan/ChosenSignatures.h"
#include "engine/scan/FileTrace.h"
#include "engine/scan/OfficeDocumentKind.h"
#include "engine/scan/QuickScan.h"
#include "engine/scan/SignatureMatch.h"
#include "engine/scan/TraceSignatureIndex.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundEntryLists.h"
#include "tests/engine/save/MemoryDisk.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/trace/CompoundSamples.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <utility>

namespace {

const std::vector<uint8_t> kJpeg = {0xFF, 0xD8, 0xFF, 0xE0};
const std::vector<uint8_t> kGif = {'G', 'I', 'F', '8', '9', 'a'};

class Recorder : public ScanObserver {
public:
    Recorder() { m_previous = SetScanObserver(this); }
    ~Recorder() override { SetScanObserver(m_previous); }
    void OnStatus(const std::u16string& text) override { statuses.push_back(text); }
    void OnProgress(int percent) override { progress.push_back(percent); }
    void OnCurrentSector(uint64_t sector) override { sectors.push_back(sector); }
    uint32_t OnItemFound(const FoundItem& item) override
    {
        found.push_back(item.text);
        if (onItem)
            onItem();
        return 0;
    }
    std::vector<std::u16string> statuses, found;
    std::vector<int> progress;
    std::vector<uint64_t> sectors;
    std::function<void()> onItem;

private:
    ScanObserver* m_previous;
};

class FileTrace : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }

    void Choose(const std::string& extension, const std::string& hex)
    {
        SignatureRecord r;
        r.extension = extension;
        r.description = "Type " + extension;
        r.lengthText = std::to_string(hex.size() / 2);
        r.signatureHex = hex;
        ASSERT_TRUE(AppendChosenSignature(g_TraceHits, r));
    }

    void Partition(uint32_t start, uint32_t end, FileSystemKind type = FileSystemKind::kNone)
    {
        g_VolumeParams.chosenFileSystemType = type;
        g_VolumeParams.partitionStart = start;
        g_VolumeParams.partitionEnd = end;
        g_VolumeParams.partitionSectors = end - start + 1;
    }

    void Put(uint32_t sector, const std::vector<uint8_t>& bytes)
    {
        PutBytes(raw, uint64_t(sector) * 512, bytes.data(), bytes.size());
    }

    FileTraceResult Run(const OfficeKindReader& readKind = nullptr)
    {
        MemoryDisk disk(raw);
        EXPECT_TRUE(disk.Opened());
        return RunFileTrace(finished, readKind);
    }

    std::vector<std::pair<uint32_t, std::u16string>> Hits() const
    {
        std::vector<std::pair<uint32_t, std::u16string>> hits;
        for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next)
            hits.push_back({r->sector, r->name});
        return hits;
    }

    std::vector<uint8_t> raw = std::vector<uint8_t>(6000 * 512);
    ScanFinishedWord finished{0};
};

using HitList = std::vector<std::pair<uint32_t, std::u16string>>;

}  // namespace

TEST_F(FileTrace, CoversThePartitionAndTheRestOfItsLastStep)
{
    Choose(".jpg", "FFD8FF");
    Choose(".gif", "474946383961");
    // 200 sectors from 100: the search has always gone on to the end of the 64-sector step after
    // the one that holds the end, so through sector 355.
    Partition(100, 299);
    for (uint32_t s : {99u, 100u, 163u, 299u, 355u, 356u})
        Put(s, s % 2 ? kGif : kJpeg);
    Recorder seen;
    ASSERT_EQ(Run(), FileTraceResult::kCompleted);
    EXPECT_EQ(Hits(), (HitList{{100, u"1.jpg"}, {163, u"2.gif"}, {299, u"3.gif"}, {355, u"4.gif"}}));
    EXPECT_EQ(g_TracedFiles.tail->hitNumber, 4u);
    EXPECT_EQ(std::u16string(g_TracedFiles.head->typeName), u"Type .jpg");
    EXPECT_EQ(g_nFatFileCount, 4u);
    EXPECT_EQ(seen.found, (std::vector<std::u16string>{u"1.jpg", u"2.gif", u"3.gif", u"4.gif"}));
    EXPECT_EQ(TracedSectorCount(100, 299), 256u);
    EXPECT_EQ(TracedSectorCount(100, 163), 128u);
    EXPECT_EQ(TracedSectorCount(0, 0xFFFFFFFF), 0x100000000u);
    EXPECT_EQ(TracedSectorCount(0xFFFFFFF0u, 0xFFFFFFFFu), 16u);
}

TEST_F(FileTrace, NumbersHitsAcrossLargeReadsAndReportsProgressAndSectors)
{
    Choose(".jpg", "FFD8FF");
    Partition(1, 5000);
    const std::vector<uint32_t> sectors = {1, 2047, 2048, 2049, 4096, 4999};
    for (uint32_t s : sectors)
        Put(s, kJpeg);
    Recorder seen;
    ASSERT_EQ(Run(), FileTraceResult::kCompleted);
    ASSERT_EQ(g_TracedFiles.count, sectors.size());
    uint32_t n = 0;
    for (const TracedFileRecord* r = g_TracedFiles.head; r; r = r->next, ++n) {
        EXPECT_EQ(r->sector, sectors[n]);
        EXPECT_EQ(r->hitNumber, n + 1);
    }
    ASSERT_FALSE(seen.progress.empty());
    for (size_t i = 1; i < seen.progress.size(); ++i)
        EXPECT_LT(seen.progress[i - 1], seen.progress[i]);
    EXPECT_EQ(seen.progress.back(), 99);
    EXPECT_EQ(seen.statuses.front(), kSearchingForDataText);
    EXPECT_EQ(seen.statuses[1], u"Reading Sector 1 Of 5000");
    EXPECT_EQ(seen.statuses[2], u"Reading Sector 2049 Of 5000");
    EXPECT_EQ(seen.sectors, (std::vector<uint64_t>{1, 2049, 4097})) << "the current sector of each read";
}

// A partition that runs to the end of the disk: its last sectors are tested as they are, and what
// lies past the disk's end is never tested (no hit is made up from a buffer read before).
TEST_F(FileTrace, ThePartitionsLastSectorsAtTheDiskEndAreTestedOnce)
{
    Choose(".jpg", "FFD8FF");
    Partition(10, 5999);
    for (uint32_t s : {5950u, 5998u, 5999u})
        Put(s, kJpeg);
    ASSERT_EQ(Run(), FileTraceResult::kCompleted);
    EXPECT_EQ(Hits(), (HitList{{5950, u"1.jpg"}, {5998, u"2.jpg"}, {5999, u"3.jpg"}}));
}

TEST_F(FileTrace, StopsAtTheFinishedWordKeepingTheHitsSoFar)
{
    Choose(".jpg", "FFD8FF");
    Partition(0, 5999);
    Put(5, kJpeg);
    Put(4000, kJpeg);
    Recorder seen;
    seen.onItem = [this] { finished = 1; };
    EXPECT_EQ(Run(), FileTraceResult::kStopped);
    EXPECT_EQ(Hits(), (HitList{{5, u"1.jpg"}}));
    // A new trace starts its list and numbers afresh.
    finished = 0;
    seen.onItem = nullptr;
    ASSERT_EQ(Run(), FileTraceResult::kCompleted);
    EXPECT_EQ(Hits(), (HitList{{5, u"1.jpg"}, {4000, u"2.jpg"}}));
}

TEST_F(FileTrace, FatVolumeWithoutParametersIsReportedNotSearched)
{
    Choose(".jpg", "FFD8FF");
    Partition(100, 2000, FileSystemKind::kFat32);  // FAT32 with nothing but zeros
    Put(100, kJpeg);
    g_nScanFailed = 0;
    EXPECT_EQ(Run(), FileTraceResult::kNoParameters);
    EXPECT_EQ(g_nScanFailed, 1);
    EXPECT_EQ(g_TracedFiles.count, 0u);
}

TEST_F(FileTrace, CompoundDocumentsTakeTheKindOfTheirApplication)
{
    Choose(".doc", "D0CF11E0A1B11AE1");
    Choose(".xls", "D0CF11E0A1B11AE1");
    Choose(".ppt", "D0CF11E0A1B11AE1");
    Partition(0, 5999);
    const CompoundBytes excel = BuildCompoundDocument({});
    CompoundSampleOptions word;
    word.appName = "Microsoft Word 8.0";
    const CompoundBytes doc = BuildCompoundDocument(word);
    CompoundSampleOptions ppt;
    ppt.appName = "Microsoft PowerPoint";
    Put(64, excel);
    Put(3000, doc);
    Put(5990, BuildCompoundDocument(ppt));  // its copy runs past the disk's end
    ASSERT_EQ(Run(DetectOfficeDocumentKind), FileTraceResult::kCompleted);
    EXPECT_EQ(Hits(), (HitList{{64, u"1.xls"}, {3000, u"2.doc"}, {5990, u"3.ppt"}}));
    // A kind whose type is not chosen leaves the document's own.
    FreeTraceTypeList();
    Choose(".doc", "D0CF11E0A1B11AE1");
    ASSERT_EQ(Run(DetectOfficeDocumentKind), FileTraceResult::kCompleted);
    EXPECT_EQ(Hits(), (HitList{{64, u"1.doc"}, {3000, u"2.doc"}, {5990, u"3.doc"}}));
}

// A traced file is saved at the chosen size from its first sector, inside the chosen folder even
// when the table names its type with separators.
TEST_F(FileTrace, SavesTheChosenSizeInsideTheFolder)
{
    Choose("/../..\\escape", "FFD8FF");
    Partition(0, 5999);
    for (uint32_t s = 0; s < 2100; ++s)
        raw[size_t(s) * 512 + 511] = static_cast<uint8_t>(s);
    Put(8, kJpeg);
    ASSERT_EQ(Run(), FileTraceResult::kCompleted);
    ASSERT_EQ(g_TracedFiles.count, 1u);
    TempFolder top;
    const std::filesystem::path folder = top.Path() / "out";
    std::filesystem::create_directories(folder);
    g_nTraceSizeClass = 1;
    ResetSaveState();
    MemoryDisk disk(raw);
    ASSERT_EQ(SaveTracedFile(ToPath16(folder), g_TracedFiles.head->name, g_TracedFiles.head->sector, 1), 1);
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(top.Path()))
        files.push_back(entry.path());
    ASSERT_EQ(files.size(), 2u);  // the folder and the file in it
    const std::filesystem::path saved = files[0] == folder ? files[1] : files[0];
    EXPECT_EQ(saved.parent_path(), folder);
    const std::string bytes = ReadWholeFile(saved);
    ASSERT_EQ(bytes.size(), 1024u * 1024u);
    EXPECT_EQ(bytes.compare(0, std::string::npos, reinterpret_cast<const char*>(raw.data()) + 8 * 512, 1024 * 1024), 0);
    EXPECT_EQ(g_SaveReport.savedFiles, 1u);
}

// The index finds what the plain comparison of every signature in list order finds.
TEST(TraceSignatureIndexTest, AgreesWithThePlainComparison)
{
    RecordList<TraceHitRecord> list;
    std::mt19937 random(7);
    const char* digits = "0123456789abcdefABCDEFg";
    for (int i = 0; i < 60; ++i) {
        SignatureRecord r;
        r.extension = "." + std::to_string(i);
        const uint32_t n = random() % 17;  // 0 and 16 never match
        for (uint32_t k = 0; k < 2 * n; ++k)
            r.signatureHex += k < 2 && i % 3 ? "0a"[k] : digits[random() % (i == 59 ? 23 : 16)];
        r.lengthText = std::to_string(i == 58 ? n + 1 : n);  // a text shorter than its length
        ASSERT_TRUE(AppendChosenSignature(list, r));
    }
    TraceSignatureIndex index(list.head);
    std::vector<uint8_t> sector(512);
    size_t matches = 0;
    for (int round = 0; round < 20000; ++round) {
        for (size_t k = 0; k < 16; ++k)
            sector[k] = static_cast<uint8_t>(random() % 4 == 0 ? 0x0A : random());
        // Now and then the bytes of one of the signatures.
        const TraceHitRecord* pick = list.head;
        for (uint32_t skip = random() % 60; skip && pick; --skip)
            pick = pick->next;
        if (round % 2 && pick->signature) {
            for (size_t k = 0; 2 * k + 1 < std::strlen(pick->signature) && k < 16; ++k)
                sector[k] =
                    static_cast<uint8_t>(std::strtol(std::string(pick->signature + 2 * k, 2).c_str(), nullptr, 16));
        }
        const size_t size = round % 5 == 0 ? random() % 17 : 512;
        const TraceHitRecord* plain = MatchTraceSignature(sector.data(), size, list.head);
        ASSERT_EQ(index.Match(sector.data(), size), plain) << round;
        matches += plain != nullptr;
    }
    EXPECT_GT(matches, 1000u);
    EXPECT_EQ(index.FindExtension(u".7"), list.head->next->next->next->next->next->next->next);
    EXPECT_EQ(index.FindExtension(u".none"), nullptr);
    FreeRecordList(list);
}
