// Loading snapshot files: messages, and the current results kept when a file is refused.
#include "engine/save/EngineReset.h"
#include "engine/snapshot/SnapshotEncoder.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

namespace {

class SnapshotLoad : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }

    // Current results that a refused load must leave alone.
    void MakeCurrentResults()
    {
        g_nScanMode = kScanQuick;
        g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat16;
        g_VolumeParams.sectorsPerCluster = 8;
        AddFatFolder(u"keep", 3, 0);
        AddFatFile(u"keep.txt", 4, 3, 10);
    }
    void ExpectCurrentResultsKept()
    {
        ASSERT_EQ(g_FatFolders.count, 1u);
        EXPECT_EQ(std::u16string(g_FatFolders.head->name), u"keep");
        ASSERT_EQ(g_FatEntries.count, 1u);
        EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerCluster}, 8u);
        EXPECT_EQ(g_nScanMode, kScanQuick);
    }

    TempFolder temp;
};

}  // namespace

TEST_F(SnapshotLoad, SavedFileLoadsBack)
{
    g_nScanMode = kScanExtensive;
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kNtfs;
    g_VolumeParams.sectorsPerCluster = 8;
    g_VolumeParams.volumeEnd = 100000;
    AddNtfsFolder(u"docs", 64, 5);
    AddNtfsFileRecord(u"a.doc", 5000, 64, 1234);
    std::u16string path = ToPath16(temp.Path() / "snap.srzq");
    RecordingObserver observer;
    ASSERT_TRUE(SaveSnapshotFile(path));
    std::vector<uint8_t> saved = EncodeSnapshot();

    ResetEngineState();
    MakeCurrentResults();
    ASSERT_TRUE(LoadSnapshotFile(path));
    EXPECT_TRUE(observer.messages.empty());
    EXPECT_EQ(g_nScanMode, kScanExtensive);
    EXPECT_EQ(g_FatFolders.count, 0u) << "the old results are gone";
    ASSERT_EQ(g_NtfsFileRecords.count, 1u);
    EXPECT_EQ(std::u16string(g_NtfsFileRecords.head->name), u"a.doc");
    EXPECT_EQ(EncodeSnapshot(), saved);
}

TEST_F(SnapshotLoad, RefusedFilesLeaveTheResultsAndSayWhy)
{
    MakeCurrentResults();
    std::vector<uint8_t> good = EncodeSnapshot();
    struct Case {
        const char* file;
        std::vector<uint8_t> bytes;
        std::u16string message;
    };
    std::vector<uint8_t> badKind = good, badMagic = good, badVersion = good, truncated = good;
    badKind[0] = 'Q';
    badMagic[2] = 0;
    badVersion[9] = '2';
    truncated.resize(good.size() - 3);
    std::vector<Case> cases = {
        {"kind.srzq", badKind, u"Invalid File."},
        {"magic.srzq", badMagic, u"Invalid version of the file found : "},
        {"version.srzq", badVersion, u"version of file does not match with current version 1.0"},
        {"truncated.srzq", truncated, u"Invalid File."},
        {"empty.srzq", {}, u"Invalid File."},
    };
    for (const Case& c : cases) {
        WriteWholeFile(temp.Path() / c.file, std::string(c.bytes.begin(), c.bytes.end()));
        RecordingObserver observer;
        EXPECT_FALSE(LoadSnapshotFile(ToPath16(temp.Path() / c.file))) << c.file;
        ASSERT_EQ(observer.messages.size(), 1u) << c.file;
        EXPECT_EQ(observer.messages[0].first, c.message) << c.file;
        ExpectCurrentResultsKept();
    }
    RecordingObserver observer;
    std::u16string missing = ToPath16(temp.Path() / "missing.srzq");
    EXPECT_FALSE(LoadSnapshotFile(missing));
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].first, missing + u" does not exists.");
    ExpectCurrentResultsKept();
}

TEST_F(SnapshotLoad, SaveFailureIsReported)
{
    MakeCurrentResults();
    RecordingObserver observer;
    EXPECT_FALSE(SaveSnapshotFile(ToPath16(temp.Path() / "no-such-folder" / "x.srzq")));
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].first, u"Unable to open the file");
    EXPECT_EQ(observer.messages[0].second, kMessageError);
}

TEST_F(SnapshotLoad, ExistingFileIsReplacedOnlyOnYes)
{
    MakeCurrentResults();
    const std::vector<uint8_t> current = EncodeSnapshot();
    const std::u16string typed = ToPath16(temp.Path() / "result");
    const std::u16string path = typed + u".srzq";

    {
        // A new file is written without a question.
        RecordingObserver observer;
        ASSERT_TRUE(SaveSnapshotAs(typed));
        EXPECT_TRUE(observer.messages.empty());
        const std::string written = ReadWholeFile(FromPath16(path));
        EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), current);
    }
    {
        RecordingObserver no(false);
        WriteWholeFile(FromPath16(path), "older");
        EXPECT_FALSE(SaveSnapshotAs(typed));
        ASSERT_EQ(no.messages.size(), 1u);
        EXPECT_EQ(no.messages[0].first,
            NormaliseSnapshotPath(path) + u" already exists.\r\nDo you want to replace it?");
        EXPECT_EQ(no.messages[0].second, kMessageQuestion);
        EXPECT_EQ(ReadWholeFile(FromPath16(path)), "older");
    }
    {
        RecordingObserver yes(true);
        EXPECT_TRUE(SaveSnapshotAs(path));
        EXPECT_EQ(yes.messages.size(), 1u);
        const std::string written = ReadWholeFile(FromPath16(path));
        EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), current);
    }
}

TEST_F(SnapshotLoad, QuotesOfACommandLineAreDropped)
{
    MakeCurrentResults();
    const std::u16string path = ToPath16(temp.Path() / "quoted.srzq");
    ASSERT_TRUE(SaveSnapshotFile(path));
    ResetEngineState();
    RecordingObserver observer;
    ASSERT_TRUE(LoadSnapshotFile(u"\"" + path + u"\""));
    EXPECT_TRUE(observer.messages.empty());
    ExpectCurrentResultsKept();
}

TEST_F(SnapshotLoad, ProgressFollowsEachSectionsRecords)
{
    struct ProgressObserver : ScanObserver {
        std::vector<int> shown;
        void OnProgress(int percent) override { shown.push_back(percent); }
    } observer;
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat32;
    g_VolumeParams.sectorsPerCluster = 1;
    AddFatFolder(u"one", 3, 0);
    for (uint32_t i = 0; i < 4; ++i)
        AddFatFile(u"f", 10 + i, 3, 1);
    const std::u16string path = ToPath16(temp.Path() / "progress.srzq");
    ASSERT_TRUE(SaveSnapshotFile(path));
    ResetEngineState();
    ScanObserver* previous = SetScanObserver(&observer);
    EXPECT_TRUE(LoadSnapshotFile(path));
    SetScanObserver(previous);
    EXPECT_EQ(observer.shown, (std::vector<int>{100, 25, 50, 75, 100}));
}

TEST_F(SnapshotLoad, VolumeIsOpenedAgainOnlyForALogicalDrive)
{
    g_wSourceType = kSourceDisk;
    EXPECT_EQ(OpenSnapshotVolume(3, u""), 1);
    EXPECT_EQ(uint16_t{g_VolumeParams.partitionIndex}, 0u);
    g_wSourceType = kSourceLogicalDrive;
    EXPECT_EQ(OpenSnapshotVolume(3, u"not a drive"), 0);
    EXPECT_EQ(uint16_t{g_VolumeParams.partitionIndex}, 3u);
    EXPECT_EQ(g_hVolume, 0);
}

TEST(SnapshotPath, LowerCasedWithTheExtensionOnce)
{
    EXPECT_EQ(NormaliseSnapshotPath(u"C:\\Data\\Snap"), u"c:\\data\\snap.srzq");
    EXPECT_EQ(NormaliseSnapshotPath(u"C:\\Data\\Snap.SRZQ"), u"c:\\data\\snap.srzq");
}
