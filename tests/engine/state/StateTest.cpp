// The engine state: the stored layout of the volume-parameter block, the found-entry lists, the
// partition table and the reset that tests and the wizard rely on.
#include "engine/state/EngineState.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace {

class EngineStateTest : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineWords(); }
    void TearDown() override { ResetEngineWords(); }
};

TEST(VolumeParameterBlockTest, LayoutMatchesTheSnapshotBytes)
{
    // Snapshot files store the block whole; a field moved by one byte breaks every saved snapshot.
    EXPECT_EQ(sizeof(VolumeParameterBlock), 72u);
    EXPECT_EQ(offsetof(VolumeParameterBlock, partitionStart), 2u);
    EXPECT_EQ(offsetof(VolumeParameterBlock, partitionIndex), 14u);
    EXPECT_EQ(offsetof(VolumeParameterBlock, browsedFileSystemType), 16u);
    EXPECT_EQ(offsetof(VolumeParameterBlock, sectorsPerFat), 18u);
    EXPECT_EQ(offsetof(VolumeParameterBlock, clusterBase), 38u);
    EXPECT_EQ(offsetof(VolumeParameterBlock, volumeEnd), 66u);
    EXPECT_EQ(offsetof(VolumeParameterBlock, volumeNumber), 70u);
}

TEST_F(EngineStateTest, ListsKeepTheOrderOfFinding)
{
    for (uint32_t i = 0; i < 5; ++i) {
        FatEntryRecord* record = NewRecord<FatEntryRecord>();
        ASSERT_NE(record, nullptr);
        record->ordinal = i;
        record->name = CopyRecordName(u"file" + std::u16string(1, char16_t(u'0' + i)));
        AppendRecord(g_FatEntries, record);
    }
    EXPECT_EQ(g_FatEntries.count, 5u);
    uint32_t expected = 0;
    for (FatEntryRecord* r = g_FatEntries.head; r; r = r->next, ++expected) {
        EXPECT_EQ(r->ordinal, expected);
        EXPECT_EQ(std::u16string(r->name), u"file" + std::u16string(1, char16_t(u'0' + expected)));
    }
    EXPECT_EQ(expected, 5u);
    EXPECT_EQ(g_FatEntries.tail->ordinal, 4u);
    EXPECT_EQ(g_FatEntries.tail->next, nullptr);
}

TEST_F(EngineStateTest, FreeFoundEntryListsEmptiesListsAndCounters)
{
    FreeFoundEntryLists();  // on empty lists
    EXPECT_EQ(g_FatEntries.head, nullptr);

    AppendRecord(g_FatEntries, NewRecord<FatEntryRecord>());
    AppendRecord(g_FatFolders, NewRecord<FatFolderRecord>());
    AppendRecord(g_NtfsFolders, NewRecord<NtfsFolderRecord>());
    AppendRecord(g_MftEntries, NewRecord<MftEntryRecord>());
    AppendRecord(g_FoundPartitions, NewRecord<FoundPartitionRecord>());
    g_nFatFolderCount = 3;
    g_nFatFileCount = 4;
    g_nEntriesParsed = 5;
    g_qwFoundBytes = 6;
    FreeFoundEntryLists();
    EXPECT_EQ(g_FatEntries.head, nullptr);
    EXPECT_EQ(g_FatEntries.tail, nullptr);
    EXPECT_EQ(g_FatFolders.head, nullptr);
    EXPECT_EQ(g_NtfsFolders.head, nullptr);
    EXPECT_EQ(g_MftEntries.head, nullptr);
    EXPECT_EQ(g_MftEntries.count, 0u);
    EXPECT_EQ(g_nFatFolderCount + g_nFatFileCount + g_nEntriesParsed, 0u);
    EXPECT_EQ(g_qwFoundBytes, 0u);
    // The scan candidates have their own free function.
    EXPECT_NE(g_FoundPartitions.head, nullptr);
    FreeScanRecordLists();
    EXPECT_EQ(g_FoundPartitions.head, nullptr);
}

TEST_F(EngineStateTest, NamesAreCopiedWhole)
{
    const std::u16string longName(255, u'\u00e9');
    char16_t* name = CopyRecordName(longName);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(std::u16string(name), longName);
    std::free(name);

    char16_t* empty = CopyRecordName(nullptr, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty[0], u'\0');
    std::free(empty);
}

TEST_F(EngineStateTest, TraceRecordsFreeEveryOwnedText)
{
    // Run under the sanitizers this shows that all three texts are owned and freed.
    TraceHitRecord* hit = NewRecord<TraceHitRecord>();
    hit->extension = CopyRecordName(u".jpg");
    hit->description = CopyRecordName(u"JPEG image");
    hit->signature = CopyRecordText("ffd8ff", 6);
    AppendRecord(g_TraceHits, hit);
    TracedFileRecord* traced = NewRecord<TracedFileRecord>();
    traced->name = CopyRecordName(u"1.jpg");
    traced->extension = CopyRecordName(u".jpg");
    traced->typeName = CopyRecordName(u"JPEG");
    AppendRecord(g_TracedFiles, traced);
    FreeTraceTypeList();
    FreeTracedFileList();
    EXPECT_EQ(g_TraceHits.head, nullptr);
    EXPECT_EQ(g_TracedFiles.head, nullptr);
}

TEST_F(EngineStateTest, PartitionTableHoldsAtMost25Entries)
{
    for (uint32_t i = 0; i < kMaxPartitionTableEntries; ++i)
        EXPECT_TRUE(AddPartitionTableEntry(i * 100, 100, FileSystemKind::kFat16));
    EXPECT_FALSE(AddPartitionTableEntry(9999, 1, FileSystemKind::kNtfs));
    EXPECT_EQ(g_nPartitionCount, 25u);
    EXPECT_EQ(g_PartitionTable[24].startSector, 2400u);
    ClearPartitionTable();
    EXPECT_EQ(g_nPartitionCount, 0u);
}

TEST_F(EngineStateTest, ResetRestoresStartUpValues)
{
    g_nSectorsPerRead = 7;
    g_wReadRetries = 9;
    g_wDuplicateNames = kDuplicateSkip;
    g_wDeletedFiles = kDeletedExclude;
    g_nScanMode = kScanFileTrace;
    g_wSourceType = kSourceLogicalDrive;
    g_wDeviceIndex = 4;
    g_VolumeParams.clusterBase = 1234;
    g_DeviceGeometry.heads[3] = 255;
    AddPartitionTableEntry(63, 1000, FileSystemKind::kFat16);
    AppendRecord(g_IndexRecords, NewRecord<IndexRecordNode>());
    ResetEngineWords();
    EXPECT_EQ(g_nSectorsPerRead, 60u);
    EXPECT_EQ(g_wReadRetries, 3u);
    EXPECT_EQ(g_wDuplicateNames, kDuplicateRename);
    EXPECT_EQ(g_wDeletedFiles, kDeletedInclude);
    EXPECT_EQ(g_wSourceType, kSourceBranchHeader);
    EXPECT_EQ(g_wDeviceIndex, 0u);
    EXPECT_EQ(uint32_t{g_VolumeParams.clusterBase}, 0u);  // a copy: the field is packed
    EXPECT_EQ(g_DeviceGeometry.heads[3], 0u);
    EXPECT_EQ(g_nPartitionCount, 0u);
    EXPECT_EQ(g_IndexRecords.head, nullptr);
}

TEST_F(EngineStateTest, DevicePathFollowsTheDeviceIndex)
{
    g_wDeviceIndex = 7;
    EXPECT_STREQ(CurrentDevicePath(), "\\\\.\\PhysicalDrive7");
    g_wDeviceIndex = 10;  // out of range: never past the table
    EXPECT_STREQ(CurrentDevicePath(), "\\\\.\\PhysicalDrive0");
}

}  // namespace
