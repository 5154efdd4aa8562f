#include "engine/save/EngineReset.h"
#include "engine/listing/ResultListing.h"
#include "engine/save/FileFilters.h"
#include "engine/state/EngineState.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class ResultListing : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }
};

std::vector<std::u16string> Names(const std::vector<ResultRow>& rows)
{
    std::vector<std::u16string> names;
    for (const ResultRow& r : rows)
        names.push_back(r.name);
    return names;
}

}  // namespace

TEST_F(ResultListing, FatFolderRowsComeFoldersFirstInListOrder)
{
    AddFatFolder(u"b", 3, 0);
    AddFatFile(u"x.doc", 10, 0, 1234);
    AddFatFolder(u"a", 4, 0, 1)->treeItem = 77;
    AddFatFile(u"y.txt", 11, 0, 5, 1);
    AddFatFile(u"inner.txt", 12, 3, 5);
    std::vector<ResultRow> root = ListFatFolder(0);
    EXPECT_EQ(Names(root), (std::vector<std::u16string>{u"b", u"a", u"x.doc", u"y.txt"}));
    EXPECT_EQ(root[1].type, u"Deleted Folder");
    EXPECT_EQ(root[1].key, u"77");
    EXPECT_EQ(root[1].size, u"0");
    EXPECT_EQ(root[0].type, u"Folder");
    EXPECT_EQ(root[2].type, u"DOC File");
    EXPECT_EQ(root[2].size, u"1234");
    EXPECT_EQ(root[3].type, u"Deleted TXT File");
    EXPECT_EQ(root[3].key, u"1") << "the entry number";
    EXPECT_EQ(root[3].firstDate, u"05-03-2004 ");  // 0x3065

    std::vector<ResultRow> sub = ListFatFolder(3);
    EXPECT_EQ(Names(sub), (std::vector<std::u16string>{u"Parent...", u"inner.txt"}));
    EXPECT_EQ(sub[0].kind, ResultRowKind::kParent);
}

TEST_F(ResultListing, FiltersApplyToFilesOnly)
{
    AddFatFolder(u"docs.txt", 3, 0);
    AddFatFile(u"x.doc", 10, 0, 1);
    AddFatFile(u"x.txt", 11, 0, 1);
    AddFileFilter(u"*.DOC");
    EXPECT_EQ(Names(ListFatFolder(0)), (std::vector<std::u16string>{u"docs.txt", u"x.doc"}));
}

TEST_F(ResultListing, NtfsQuickListsSixtyFourBitSizesAndRecordKeys)
{
    AddNtfsFolder(u"Lost Dir", kLostDirRecordNumber, 5);
    AddMftEntry(u"big.iso", 70, 5, 5000000000ULL, 0x2040);
    AddMftEntry(u"orphan", 71, kLostDirRecordNumber, 1, 0x2042);
    std::vector<ResultRow> root = ListNtfsFolder(5);
    ASSERT_EQ(root.size(), 2u);
    EXPECT_EQ(root[1].size, u"5000000000");
    EXPECT_EQ(root[1].key, DecimalText(0x2040));
    EXPECT_FALSE(root[1].firstDate.empty());
    EXPECT_EQ(Names(ListNtfsFolder(kLostDirRecordNumber)), (std::vector<std::u16string>{u"Parent...", u"orphan"}));
}

TEST_F(ResultListing, NtfsExtensiveListsOnlyRecordsInsideTheVolume)
{
    g_nScanMode = kScanExtensive;
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kNtfs;
    g_VolumeParams.clusterBase = 1000;
    g_VolumeParams.volumeEnd = 2000;
    AddNtfsFileRecord(u"at-base", 1000, 5, 1);
    AddNtfsFileRecord(u"inside", 1500, 5, 1);
    AddNtfsFileRecord(u"at-end", 2000, 5, 1);
    AddNtfsFileRecord(u"past", 2001, 5, 1);
    std::vector<ResultRow> rows = ListNtfsFolder(5);
    EXPECT_EQ(Names(rows), (std::vector<std::u16string>{u"inside", u"at-end"}));
    EXPECT_EQ(rows[0].key, u"1500");
}

TEST_F(ResultListing, FileTraceTypeFoldersAndFiles)
{
    AddTracedFile(u"1.jpg", u".jpg", u"JPEG Image", 10, 1);
    AddTracedFile(u"2.png", u".png", u"PNG Image", 20, 2);
    AddTracedFile(u"3.jpg", u".jpg", u"jpeg image", 30, 3);
    AddTracedFile(u"4.doc", u".doc", u"\u00c9crit", 40, 4);
    AddTracedFile(u"5.doc", u".doc", u"\u00e9crit", 50, 5);
    std::vector<ResultRow> types = ListTracedFiles(0, u"Root");
    EXPECT_EQ(Names(types), (std::vector<std::u16string>{u"JPEG Image", u"PNG Image", u"\u00c9crit"}));
    EXPECT_EQ(types[0].type, u"-");
    // A type folder holds every file whose type name differs from its own in letter case only, as
    // the result tree puts them there.
    EXPECT_EQ(Names(ListTracedFiles(1, u"JPEG Image")), (std::vector<std::u16string>{u"1.jpg", u"3.jpg"}));
    EXPECT_EQ(Names(ListTracedFiles(1, u"\u00c9crit")), (std::vector<std::u16string>{u"4.doc", u"5.doc"}));
    std::vector<ResultRow> byExt = ListTracedFiles(0, u".jpg");
    EXPECT_EQ(Names(byExt), (std::vector<std::u16string>{u"1.jpg", u"3.jpg"}));
    EXPECT_EQ(byExt[1].size, u"3");
}

namespace {

struct ProgressLog : ScanObserver {
    std::vector<int> shown;
    void OnProgress(int percent) override { shown.push_back(percent); }
};

bool SameRows(const std::vector<ResultRow>& a, const std::vector<ResultRow>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].name != b[i].name || a[i].type != b[i].type || a[i].size != b[i].size ||
            a[i].firstDate != b[i].firstDate || a[i].secondDate != b[i].secondDate || a[i].key != b[i].key ||
            a[i].deleted != b[i].deleted)
            return false;
    }
    return true;
}

}  // namespace

// A folder listed a record at a time gives the rows of the listing at once, in the same order, and
// says it is complete only at the end, when the progress it reports reaches 100.
TEST_F(ResultListing, AFolderListedInStepsIsTheFolderListedAtOnce)
{
    AddFatFolder(u"sub", 3, 0);
    AddFatFolder(u"gone", 4, 3, 1);
    for (uint32_t i = 0; i < 7; ++i)
        AddFatFile(u"f" + DecimalText(i) + u".txt", 10 + i, i % 2 == 0 ? 0 : 3, 100 * i, i == 5 ? 1 : 0);
    AddNtfsFolder(u"ndir", 40, 5);
    AddMftEntry(u"a.doc", 70, 5, 5000000000ULL, 0x2040);
    AddMftEntry(u"b.doc", 71, 40, 1, 0x2042);
    AddNtfsFileRecord(u"inside", 1500, 40, 1);
    AddNtfsFileRecord(u"past", 2500, 40, 1);
    AddNtfsFileRecord(u"also", 1600, 40, 1);
    AddTracedFile(u"1.jpg", u".jpg", u"JPEG Image", 10, 1);
    AddTracedFile(u"2.png", u".png", u"PNG Image", 20, 2);
    AddTracedFile(u"3.jpg", u".jpg", u"jpeg image", 30, 3);
    g_VolumeParams.clusterBase = 1000;
    g_VolumeParams.volumeEnd = 2000;

    ProgressLog log;
    // The observer and the switch are put back however the test ends.
    struct Reporting {
        ScanObserver* before;
        explicit Reporting(ScanObserver* log) : before(SetScanObserver(log)) { g_nShowListProgress = 1; }
        ~Reporting()
        {
            g_nShowListProgress = 0;
            SetScanObserver(before);
        }
    } reporting(&log);
    const struct {
        const char* what;
        std::function<void(CFolderListing&)> begin;
        std::function<std::vector<ResultRow>()> atOnce;
        bool reports;
    } cases[] = {
        {"FAT root", [](CFolderListing& l) { l.BeginFat(0); }, [] { return ListFatFolder(0); }, true},
        {"FAT folder", [](CFolderListing& l) { l.BeginFat(3); }, [] { return ListFatFolder(3); }, true},
        {"NTFS root", [](CFolderListing& l) { l.BeginNtfs(5); }, [] { return ListNtfsFolder(5); }, true},
        {"NTFS folder", [](CFolderListing& l) { l.BeginNtfs(40); }, [] { return ListNtfsFolder(40); }, true},
        {"NTFS file records", [](CFolderListing& l) { l.BeginNtfsFolder(40, true); },
            [] { return ListNtfsFolderExtensive(40); }, true},
        {"trace types", [](CFolderListing& l) { l.BeginTraced(0, u"Root"); },
            [] { return ListTracedFiles(0, u"Root"); }, false},
        {"trace type", [](CFolderListing& l) { l.BeginTraced(1, u"JPEG Image"); },
            [] { return ListTracedFiles(1, u"JPEG Image"); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<ResultRow> whole = c.atOnce();
        ASSERT_FALSE(whole.empty());
        log.shown.clear();
        CFolderListing listing;
        c.begin(listing);
        std::vector<ResultRow> rows;
        int steps = 0;
        while (!listing.Continue(1, rows)) {
            ++steps;
            EXPECT_TRUE(log.shown.empty() || log.shown.back() < 100) << "complete before its end";
            ASSERT_LT(steps, 100);
        }
        EXPECT_GT(steps, 1);
        EXPECT_TRUE(SameRows(rows, whole));
        if (c.reports) {
            ASSERT_FALSE(log.shown.empty());
            EXPECT_EQ(log.shown.front(), 0);
            EXPECT_EQ(log.shown.back(), 100);
        } else {
            EXPECT_TRUE(log.shown.empty());
        }
        EXPECT_TRUE(listing.Continue(1, rows)) << "a complete listing stays complete";
    }
}
