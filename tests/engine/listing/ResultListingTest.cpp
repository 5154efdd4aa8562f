#include "engine/save/EngineReset.h"
#include "engine/listing/ResultListing.h"
#include "engine/save/FileFilters.h"
#include "engine/state/EngineState.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

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
