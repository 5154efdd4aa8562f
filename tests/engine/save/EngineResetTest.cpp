// The engine-wide resets: a new scan or load starts from empty results but keeps the user's choices
// and the running save's words;
// the full reset leaves nothing of a previous session behind.
#include "engine/save/EngineReset.h"

#include "engine/fat/FatEntryLists.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/save/FileFilters.h"
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"

#include <gtest/gtest.h>

namespace {

class EngineResetTest : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }

    // Leaves something in every part of the engine that a reset may touch.
    static void FillEverything()
    {
        AppendFatEntry(u"a.txt", 3, 0, 0, 0, 10, 0);
        AppendNtfsFolder(u"d", 40, 5, 0, 0, 0, 0);
        AppendClusterNode(7);
        AppendRecord(g_TraceHits, NewRecord<TraceHitRecord>());
        g_MftRunTable.start.push_back(100);
        g_MftRunTable.length.push_back(64);
        g_nSaveStop = 1;
        g_nSavedFileCount = 5;
        g_SaveReport.failedFiles = 2;
        AddFileFilter(u"*.doc");
        g_strSavePath = u"C:\\out";
        g_wDuplicateNames = kDuplicateSkip;
        g_VolumeParams.clusterBase = 99;
    }
};

TEST_F(EngineResetTest, ClearingScanResultsKeepsTheUsersChoices)
{
    FillEverything();
    ClearScanResults();

    EXPECT_EQ(g_FatEntries.head, nullptr);
    EXPECT_EQ(g_NtfsFolders.head, nullptr);
    EXPECT_EQ(g_ClusterChain.head, nullptr);
    EXPECT_TRUE(g_MftRunTable.start.empty());

    // The running save's words are its own (a save of several volumes adds up its report).
    EXPECT_EQ(g_nSavedFileCount.load(), 5u);
    EXPECT_EQ(g_SaveReport.failedFiles, 2u);

    // The chosen signatures are the File Trace scan's input; filters, settings, target and volume
    // are what the user chose.
    EXPECT_NE(g_TraceHits.head, nullptr);
    EXPECT_EQ(g_nFileFilterCount, 1u);
    EXPECT_EQ(g_strSavePath, u"C:\\out");
    EXPECT_EQ(g_wDuplicateNames, kDuplicateSkip);
    EXPECT_EQ(uint32_t{g_VolumeParams.clusterBase}, 99u);
}

TEST_F(EngineResetTest, FullResetLeavesNothingBehind)
{
    FillEverything();
    ResetEngineState();

    EXPECT_EQ(g_FatEntries.head, nullptr);
    EXPECT_EQ(g_TraceHits.head, nullptr);
    EXPECT_TRUE(g_MftRunTable.start.empty());
    EXPECT_EQ(g_nSaveStop.load(), 0);
    EXPECT_EQ(g_SaveReport.failedFiles, 0u);
    EXPECT_EQ(g_nFileFilterCount, 0u);
    EXPECT_TRUE(FileNamePassesFilters(u"x.txt"));
    EXPECT_TRUE(g_strSavePath.empty());
    EXPECT_EQ(g_wDuplicateNames, kDuplicateRename);
    EXPECT_EQ(uint32_t{g_VolumeParams.clusterBase}, 0u);
}

} // namespace
