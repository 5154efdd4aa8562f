// The savers' common front part: names, duplicate names, filters, the deleted-file setting and a
// target that cannot be created; with File Trace saves read through the sector reader.
#include "engine/ScanObserver.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FileSavers.h"
#include "engine/save/SafeFileName.h"
#include "engine/save/SaveState.h"
#include "engine/save/SaveTarget.h"
#include "engine/state/EngineState.h"
#include "tests/engine/save/MemoryDisk.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/save/TestLinks.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

#include <atomic>

namespace fs = std::filesystem;

namespace {

class SaveTarget : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        folder = temp.Path16();
    }
    void TearDown() override { ResetEngineState(); }
    bool Prepare(const char16_t* name, DeletedState deleted, std::u16string& path)
    {
        return PrepareSaveTarget(folder, name, true, deleted, path);
    }
    // The front part and the file's creation under the duplicate-name setting, as a saver does
    // them; the created file gets "new" written into it. True when the file was created.
    bool Create(const char16_t* name, std::u16string& path)
    {
        if (!Prepare(name, DeletedState::kLive, path))
            return false;
        COutputFile file;
        if (!CreateSaveFile(file, folder, path, name, true))
            return false;
        return file.Write("new", 3) && file.Commit();
    }

    TempFolder temp;
    std::u16string folder;
};

// Presses the saving dialog's Skip as soon as a file is shown.
class SkipOnStatus : public ScanObserver {
public:
    SkipOnStatus() : m_previous(SetScanObserver(this)) {}
    ~SkipOnStatus() override { SetScanObserver(m_previous); }
    void OnStatus(const std::u16string&) override { g_nSaveSkip = 1; }

private:
    ScanObserver* m_previous;
};

// Presses the saving dialog's Skip or Stop once the file's first part is written.
class PressDuringCopy : public ScanObserver {
public:
    explicit PressDuringCopy(std::atomic<int32_t>& flag) : m_flag(flag), m_previous(SetScanObserver(this)) {}
    ~PressDuringCopy() override { SetScanObserver(m_previous); }
    void OnProgress(int percent) override
    {
        if (percent > 0)
            m_flag = 1;
    }

private:
    std::atomic<int32_t>& m_flag;
    ScanObserver* m_previous;
};

std::vector<uint8_t> PatternDisk(uint32_t sectors)
{
    std::vector<uint8_t> raw(static_cast<size_t>(sectors) * 512);
    for (size_t i = 0; i < raw.size(); ++i)
        raw[i] = static_cast<uint8_t>(i / 512);
    return raw;
}

}  // namespace

TEST_F(SaveTarget, RenameCountsUpPastExistingCopies)
{
    WriteWholeFile(temp.Path() / "a.txt", "old");
    WriteWholeFile(temp.Path() / "Copy (1 ) of a.txt", "old");
    std::u16string path;
    ASSERT_TRUE(Create(u"a.txt", path));
    EXPECT_EQ(FromPath16(path), temp.Path() / "Copy (2 ) of a.txt");
    EXPECT_EQ(ReadWholeFile(temp.Path() / "Copy (2 ) of a.txt"), "new");
    EXPECT_EQ(ReadWholeFile(temp.Path() / "a.txt"), "old");
    EXPECT_EQ(ReadWholeFile(temp.Path() / "Copy (1 ) of a.txt"), "old");
    ASSERT_TRUE(Create(u"b.txt", path)) << "a free name is used as it is";
    EXPECT_EQ(FromPath16(path), temp.Path() / "b.txt");
    EXPECT_EQ(g_nSavedFileCount.load(), 2u);
}

TEST_F(SaveTarget, SkipAndOverwrite)
{
    WriteWholeFile(temp.Path() / "a.txt", "old");
    std::u16string path;
    RecordingObserver answers(true);
    g_wDuplicateNames = kDuplicateSkip;
    EXPECT_FALSE(Create(u"a.txt", path));
    EXPECT_EQ(ReadWholeFile(temp.Path() / "a.txt"), "old");
    EXPECT_EQ(g_nSavedFileCount.load(), 0u) << "a skipped file is not counted";
    EXPECT_EQ(g_SaveReport.failedFiles, 0u) << "nor is it a failure";
    ASSERT_TRUE(Create(u"b.txt", path)) << "Skip passes over taken names only";
    g_wDuplicateNames = kDuplicateOverwrite;
    ASSERT_TRUE(Create(u"a.txt", path));
    EXPECT_EQ(FromPath16(path), temp.Path() / "a.txt");
    EXPECT_EQ(ReadWholeFile(temp.Path() / "a.txt"), "new");
    EXPECT_EQ(g_nSavedFileCount.load(), 2u);
    EXPECT_TRUE(answers.messages.empty());
}

TEST_F(SaveTarget, AFolderTakesTheNameToo)
{
    fs::create_directory(temp.Path() / "d");
    std::u16string path;
    RecordingObserver answers(true);
    ASSERT_TRUE(Create(u"d", path));
    EXPECT_EQ(FromPath16(path), temp.Path() / "Copy (1 ) of d");
    g_wDuplicateNames = kDuplicateSkip;
    EXPECT_FALSE(Create(u"d", path));
    EXPECT_TRUE(answers.messages.empty());
    g_wDuplicateNames = kDuplicateOverwrite;
    EXPECT_FALSE(Create(u"d", path));
    ASSERT_EQ(answers.messages.size(), 1u) << "a folder cannot be overwritten by a file";
    EXPECT_EQ(g_SaveReport.failedFiles, 1u);
    EXPECT_TRUE(fs::is_directory(temp.Path() / "d"));
}

TEST_F(SaveTarget, ALinkAtTheNameIsNeverWrittenThrough)
{
    const fs::path outside = temp.Path() / "outside";
    fs::create_directory(outside);
    WriteWholeFile(outside / "a.txt", "keep");
    const fs::path inside = temp.Path() / "inside";
    fs::create_directory(inside);
    TestLink fileLink(outside / "a.txt", inside / "a.txt", false);
    TestLink folderLink(outside, inside / "d", true);
    ASSERT_TRUE(fileLink.Made() && folderLink.Made());
    folder = ToPath16(inside);
    std::u16string path;
    RecordingObserver answers(true);
    ASSERT_TRUE(Create(u"a.txt", path));
    EXPECT_EQ(FromPath16(path), inside / "Copy (1 ) of a.txt");
    g_wDuplicateNames = kDuplicateOverwrite;
    ASSERT_TRUE(Create(u"a.txt", path)) << "Overwrite replaces the link itself";
    EXPECT_EQ(FromPath16(path), inside / "a.txt");
    EXPECT_EQ(ReadWholeFile(inside / "a.txt"), "new");
    EXPECT_FALSE(fs::is_symlink(inside / "a.txt"));
    EXPECT_EQ(ReadWholeFile(outside / "a.txt"), "keep");
    EXPECT_FALSE(Create(u"d", path)) << "a link to a folder is no file to overwrite";
    EXPECT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator()), 1);
}

TEST_F(SaveTarget, OverwriteKeepsTheOldFileUnlessTheNewOneIsWhole)
{
    WriteWholeFile(temp.Path() / "a.txt", "old");
    g_wDuplicateNames = kDuplicateOverwrite;
    RecordingObserver answers(true);
    CopyOutcome stopped;
    stopped.stopped = true;
    CopyOutcome failed;
    failed.writeFailed = true;
    for (const CopyOutcome& outcome : {stopped, failed}) {
        std::u16string path;
        ASSERT_TRUE(Prepare(u"a.txt", DeletedState::kLive, path));
        COutputFile file;
        ASSERT_TRUE(CreateSaveFile(file, folder, path, u"a.txt", true));
        ASSERT_TRUE(file.Write("new", 3));
        EXPECT_FALSE(FinishSaveFile(file, path, u"a.txt", outcome));
        EXPECT_EQ(ReadWholeFile(temp.Path() / "a.txt"), "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 1)
            << "the new file's temporary copy is gone";
    }
    EXPECT_EQ(g_SaveReport.skippedFiles, 1u);
    EXPECT_EQ(g_SaveReport.failedNames, std::vector<std::u16string>{u"a.txt"});

    std::u16string path;
    ASSERT_TRUE(Prepare(u"a.txt", DeletedState::kLive, path));
    {
        // A file given up before its copy (a saver that returns early) leaves nothing behind either.
        COutputFile file;
        ASSERT_TRUE(CreateSaveFile(file, folder, path, u"a.txt", true));
    }
    EXPECT_EQ(ReadWholeFile(temp.Path() / "a.txt"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 1);
    COutputFile file;
    ASSERT_TRUE(CreateSaveFile(file, folder, path, u"a.txt", true));
    ASSERT_TRUE(file.Write("new", 3));
    CopyOutcome whole;
    whole.written = 3;
    EXPECT_TRUE(FinishSaveFile(file, path, u"a.txt", whole));
    EXPECT_EQ(ReadWholeFile(temp.Path() / "a.txt"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 1);
    EXPECT_EQ(g_SaveReport.savedFiles, 1u);
    EXPECT_TRUE(answers.messages.empty());
}

TEST_F(SaveTarget, SkipPressedDuringAnOverwriteKeepsTheOldFile)
{
    MemoryDisk disk(PatternDisk(4096));
    ASSERT_TRUE(disk.Opened());
    WriteWholeFile(temp.Path() / "1.jpg", "old");
    g_wDuplicateNames = kDuplicateOverwrite;
    SkipOnStatus skip;
    EXPECT_EQ(SaveTracedFile(folder, u"1.jpg", 0, 1), 0);
    EXPECT_EQ(ReadWholeFile(temp.Path() / "1.jpg"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 1);
    EXPECT_EQ(g_SaveReport.skippedFiles, 1u);
}

TEST_F(SaveTarget, SkipAndStopLeaveTheFileCutShortCountedAsSkipped)
{
    const std::vector<uint8_t> raw = PatternDisk(8192);
    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    // A FAT file of 3 MiB in consecutive clusters from cluster 2 (sector 16); it is copied 1 MiB at a time.
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat16;
    g_VolumeParams.sectorsPerCluster = 8;
    const std::string firstMiB(raw.begin() + 16 * 512, raw.begin() + 16 * 512 + 1024 * 1024);
    for (std::atomic<int32_t>* flag : {&g_nSaveSkip, &g_nSaveStop}) {
        const char* which = flag == &g_nSaveSkip ? "skip" : "stop";
        ResetSaveState();
        {
            PressDuringCopy press(*flag);
            EXPECT_EQ(SaveFatFile(folder, u"cut.bin", 2, 3 * 1024 * 1024, 1, 0), 1) << which;
        }
        EXPECT_EQ(ReadWholeFile(temp.Path() / "cut.bin"), firstMiB) << which;
        EXPECT_EQ(g_SaveReport.skippedFiles, 1u) << which;
        EXPECT_EQ(g_SaveReport.savedFiles + g_SaveReport.damagedFiles + g_SaveReport.failedFiles, 0u) << which;
        fs::remove(temp.Path() / "cut.bin");
    }
    EXPECT_EQ(SaveFatFile(folder, u"next.bin", 2, 512, 1, 0), 0) << "nothing more after Stop";
    EXPECT_FALSE(fs::exists(temp.Path() / "next.bin"));
}

TEST_F(SaveTarget, HostileNamesCollideInsideTheFolderAndAreRenamed)
{
    WriteWholeFile(temp.Path() / "a_b.txt", "keep");
    std::u16string path;
    ASSERT_TRUE(Create(u"a\\b.txt", path));
    EXPECT_EQ(FromPath16(path), temp.Path() / "Copy (1 ) of a_b.txt");
    EXPECT_EQ(ReadWholeFile(temp.Path() / "a_b.txt"), "keep");
    ASSERT_TRUE(Create(u"..", path));
    EXPECT_EQ(FromPath16(path), temp.Path() / "_");
}

TEST_F(SaveTarget, AnUnreadableRecordUnderATakenNameIsSkippedSilentlyBySkip)
{
    // Sector 100 holds no FILE record: the file cannot be recovered.
    MemoryDisk disk(PatternDisk(256));
    ASSERT_TRUE(disk.Opened());
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kNtfs;
    g_VolumeParams.sectorsPerCluster = 8;
    WriteWholeFile(temp.Path() / "x.bin", "old");
    g_wDuplicateNames = kDuplicateSkip;
    EXPECT_EQ(SaveNtfsFile(folder, u"x.bin", 100, 50, 10, 1, 0), 0);
    EXPECT_EQ(g_SaveReport.failedFiles, 0u) << "a skipped name says nothing about its record";
    EXPECT_EQ(SaveNtfsFile(folder, u"y.bin", 100, 50, 10, 1, 0), 0);
    EXPECT_EQ(g_SaveReport.failedFiles, 1u);
    g_wDuplicateNames = kDuplicateRename;
    EXPECT_EQ(SaveNtfsFile(folder, u"x.bin", 100, 50, 10, 1, 0), 0);
    EXPECT_EQ(g_SaveReport.failedFiles, 2u);
    EXPECT_EQ(ReadWholeFile(temp.Path() / "x.bin"), "old");
    EXPECT_FALSE(fs::exists(temp.Path() / "y.bin"));
}

TEST_F(SaveTarget, DeletedFileSetting)
{
    std::u16string path;
    EXPECT_TRUE(Prepare(u"x", DeletedState::kDeleted, path));
    g_wDeletedFiles = kDeletedExclude;
    EXPECT_FALSE(Prepare(u"x", DeletedState::kDeleted, path));
    EXPECT_TRUE(Prepare(u"x", DeletedState::kLive, path));
    EXPECT_TRUE(Prepare(u"x", DeletedState::kNotApplicable, path));
    g_wDeletedFiles = kDeletedOnly;
    EXPECT_TRUE(Prepare(u"x", DeletedState::kDeleted, path));
    EXPECT_FALSE(Prepare(u"x", DeletedState::kLive, path));
}

TEST_F(SaveTarget, FiltersAndStopOnlyWhenCounting)
{
    AddFileFilter(u"DOC");
    std::u16string path;
    EXPECT_TRUE(Prepare(u"x.doc", DeletedState::kLive, path));
    EXPECT_FALSE(Prepare(u"d.txt", DeletedState::kLive, path));
    EXPECT_TRUE(PrepareSaveTarget(folder, u"d.txt", false, DeletedState::kLive, path)) << "previews are not filtered";
    g_nSaveStop = 1;
    EXPECT_FALSE(PrepareSaveTarget(folder, u"x.doc", false, DeletedState::kLive, path));
}

TEST_F(SaveTarget, CreateFailureAsksAndNoStopsTheSave)
{
    const std::u16string missingFolder = JoinOutputPath(folder, u"missing");
    std::u16string missing = JoinOutputPath(missingFolder, u"f");
    {
        RecordingObserver yes(true);
        COutputFile file;
        EXPECT_FALSE(CreateSaveFile(file, missingFolder, missing, u"f", true));
        // A yes/no question with the error icon.
        const std::u16string question = u"Error creating file : f.  Continue Recovery ? ";
        ASSERT_EQ(yes.messages.size(), 1u);
        EXPECT_EQ(yes.messages[0].first, question);
        EXPECT_EQ(yes.messages[0].second, kMessageError);
        EXPECT_EQ(yes.questions, std::vector<std::u16string>{question});
        EXPECT_EQ(g_nSaveStop.load(), 0);
    }
    RecordingObserver no(false);
    COutputFile file;
    EXPECT_FALSE(CreateSaveFile(file, missingFolder, missing, u"f", true));
    EXPECT_EQ(g_nSaveStop.load(), 1);
    EXPECT_EQ(g_SaveReport.failedFiles, 2u);
    EXPECT_EQ(g_nSavedFileCount.load(), 0u) << "a file that was not created is not counted";
}

TEST_F(SaveTarget, TracedFilesAreTheSizeClassLongAndCounted)
{
    MemoryDisk disk(PatternDisk(8192));
    ASSERT_TRUE(disk.Opened());
    g_nTraceSizeClass = 2;
    EXPECT_EQ(SaveTracedFile(folder, u"1.jpg", 100, 1), 1);
    std::string data = ReadWholeFile(temp.Path() / "1.jpg");
    ASSERT_EQ(data.size(), 2u * 1024 * 1024);
    EXPECT_EQ(static_cast<uint8_t>(data[0]), 100);
    EXPECT_EQ(static_cast<uint8_t>(data[512 * 4095]), static_cast<uint8_t>(100 + 4095));
    EXPECT_EQ(g_nSavedFileCount.load(), 1u);
    EXPECT_EQ(g_SaveReport.savedFiles, 1u);
    EXPECT_EQ(g_SaveReport.damagedFiles, 0u);
}

TEST_F(SaveTarget, TracedFileRunningPastTheDiskIsDamagedNotStale)
{
    MemoryDisk disk(PatternDisk(3000));
    ASSERT_TRUE(disk.Opened());
    g_nTraceSizeClass = 1;
    EXPECT_EQ(SaveTracedFile(folder, u"2.jpg", 2000, 1), 1);
    std::string data = ReadWholeFile(temp.Path() / "2.jpg");
    ASSERT_EQ(data.size(), 1024u * 1024);
    EXPECT_EQ(static_cast<uint8_t>(data[512 * 999]), static_cast<uint8_t>(2999));
    EXPECT_EQ(data.substr(512 * 1000), std::string(512 * 1048, '\0'));
    EXPECT_EQ(g_SaveReport.damagedFiles, 1u);
    ASSERT_EQ(g_SaveReport.damagedPaths.size(), 1u);
}

TEST_F(SaveTarget, EmptyFatFileIsCreatedEmptyWithoutReading)
{
    // An empty file has no cluster: nothing is read, and the file is saved whole.
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat16;
    g_VolumeParams.sectorsPerCluster = 4;
    g_qwSaveFileTime = (24u << 9) | (3u << 5) | 5u;
    EXPECT_EQ(SaveFatFile(folder, u"empty.txt", 0, 0, 1, 0), 1);
    ASSERT_TRUE(fs::exists(temp.Path() / "empty.txt"));
    EXPECT_EQ(fs::file_size(temp.Path() / "empty.txt"), 0u);
    EXPECT_EQ(g_nSavedFileCount.load(), 1u);
    EXPECT_EQ(g_SaveReport.savedFiles, 1u);
    EXPECT_EQ(g_SaveReport.damagedFiles + g_SaveReport.failedFiles, 0u);
}

TEST_F(SaveTarget, RawExtentForPreviewsReportsCreationFailure)
{
    MemoryDisk disk(PatternDisk(4096));
    std::u16string tempFolder = folder + u"/";
    EXPECT_EQ(SaveRawExtent(tempFolder, u"tmp0.jpg", 0), 1);
    EXPECT_EQ(fs::file_size(temp.Path() / "tmp0.jpg"), 1024u * 1024);
    EXPECT_EQ(SaveRawExtent(folder + u"/missing/", u"tmp1.jpg", 0), 0);
}
