// What a selection of ticked folders and files adds up to, from the found-entry lists alone.
#include "engine/save/EngineReset.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/state/EngineState.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

namespace {

class Selection : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }
};

}  // namespace

TEST_F(Selection, FatFolderSubtreesCountOnceAndTickedFilesAdd)
{
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat32;
    AddFatFolder(u"a", 3, 0)->treeItem = 10;
    AddFatFolder(u"b", 4, 3)->treeItem = 11;
    AddFatFolder(u"c", 5, 0)->treeItem = 12;
    AddFatFile(u"1", 20, 3, 1000);
    AddFatFile(u"2", 21, 4, 2000);
    AddFatFile(u"3", 22, 5, 4000);
    FatEntryRecord* root = AddFatFile(u"4", 23, 0, 3 * 1024 * 1024);
    SaveSelection s;
    s.folderItems = {11, 10};  // b lies inside a
    EXPECT_EQ(ComputeSelectedSize(s), 3000u);
    s.fileKeys = {root->ordinal};
    EXPECT_EQ(ComputeSelectedSize(s), 3000u + 3 * 1024 * 1024);
    EXPECT_EQ(SelectedSizeText(1572864), u"Selected Size : 1 MB");
}

TEST_F(Selection, NtfsSizesAreSixtyFourBit)
{
    g_VolumeParams.browsedFileSystemType = FileSystemKind::kNtfs;
    AddNtfsFolder(u"big", 64, 5)->treeItem = 7;
    AddMftEntry(u"iso", 70, 64, 5000000000ULL, 0x100);
    SaveSelection s;
    s.folderItems = {7};
    EXPECT_EQ(ComputeSelectedSize(s), 5000000000ULL);
    g_nScanMode = kScanFileTrace;
    EXPECT_EQ(ComputeSelectedSize(s), 0u);
}
