// Saving folder trees into a target that already holds links: a link where a folder is to be made
// is never followed, and the files that would have gone below it are reported as not saved.
#include "engine/fat/FatEntryLists.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "engine/state/RecordList.h"
#include "tests/engine/save/MemoryDisk.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/save/TestLinks.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

size_t EntriesIn(const fs::path& folder)
{
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

class FolderTreeSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        fs::create_directory(outside);
        fs::create_directory(target);
    }
    void TearDown() override { ResetEngineState(); }

    // A FAT16 volume of one-sector clusters (cluster c at sector 100 + c) whose FAT is not used:
    // each file is one cluster of its own.
    void MakeFatVolume()
    {
        g_nScanMode = kScanQuick;
        VolumeParameterBlock& b = g_VolumeParams;
        b.browsedFileSystemType = FileSystemKind::kFat16;
        b.sectorsPerCluster = 1;
        b.clusterBase = 100;
        b.sectorsPerFat = 16;
        b.partitionSectors = 4096;
        AppendNewFatFolder(u"docs", 20, 0, 0, 0, 0, 0);
        AppendNewFatFolder(u"sub", 21, 20, 0, 0, 0, 0);
        AppendNewFatFolder(u"other", 22, 0, 0, 0, 0, 0);
        AppendFatEntry(u"a.txt", 10, 0, 0, 0, 512, 0);
        AppendFatEntry(u"b.txt", 11, 20, 0, 0, 512, 0);
        AppendFatEntry(u"c.txt", 12, 21, 0, 0, 512, 0);
        AppendFatEntry(u"gone.txt", 14, 21, 0, 0, 512, 1);
        AppendFatEntry(u"d.txt", 13, 22, 0, 0, 512, 0);
    }

    void AddTracedFile(const char16_t* name, const char16_t* type, uint32_t sector)
    {
        auto* r = NewRecord<TracedFileRecord>();
        r->name = CopyRecordName(name);
        r->extension = CopyRecordName(u"");
        r->typeName = CopyRecordName(type);
        r->sector = sector;
        r->hitNumber = g_TracedFiles.count + 1;
        AppendRecord(g_TracedFiles, r);
    }

    MemoryDisk disk{std::vector<uint8_t>(4096 * 512, 'x')};
    TempFolder temp;
    const fs::path outside = temp.Path() / "outside";
    const fs::path target = temp.Path() / "target";
};

}  // namespace

TEST_F(FolderTreeSave, ALinkedFolderIsNotFollowedAndItsFilesAreReported)
{
    MakeFatVolume();
    TestLink link(outside, target / "docs", true);
    ASSERT_TRUE(link.Made());
    RecordingObserver answers(true);
    g_wDeletedFiles = kDeletedExclude;
    SaveWholeVolume(ToPath16(target));
    EXPECT_EQ(EntriesIn(outside), 0u);
    EXPECT_EQ(ReadWholeFile(target / "a.txt"), std::string(512, 'x'));
    EXPECT_EQ(ReadWholeFile(target / "other" / "d.txt"), std::string(512, 'x'));
    EXPECT_EQ(g_SaveReport.savedFiles, 2u);
    // Every file of the linked folder and below it that the save would have written.
    EXPECT_EQ(g_SaveReport.failedNames, (std::vector<std::u16string>{u"b.txt", u"c.txt"}));
    EXPECT_TRUE(answers.messages.empty());

    // A ticked folder is made the same way.
    ResetSaveState();
    SaveFatFolderTree(20, ToPath16(target), u"docs");
    EXPECT_EQ(EntriesIn(outside), 0u);
    EXPECT_EQ(g_SaveReport.failedFiles, 2u);
}

TEST_F(FolderTreeSave, TracedFilesOfATypeWhoseFolderIsALinkAreReported)
{
    g_nScanMode = kScanFileTrace;
    g_nTraceSizeClass = 1;
    AddTracedFile(u"1.jpg", u"JPEG Image", 0);
    AddTracedFile(u"2.png", u"PNG Image", 0);
    AddTracedFile(u"3.jpg", u"JPEG Image", 0);
    TestLink link(outside, target / "JPEG Image", true);
    ASSERT_TRUE(link.Made());
    SaveWholeVolume(ToPath16(target));
    EXPECT_EQ(EntriesIn(outside), 0u);
    EXPECT_EQ(fs::file_size(target / "PNG Image" / "2.png"), 1024u * 1024);
    EXPECT_EQ(g_SaveReport.failedNames, (std::vector<std::u16string>{u"1.jpg", u"3.jpg"}));
}
