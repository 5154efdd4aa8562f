// A damaged boot sector is read by one set of rules, whichever scan reads it: the Quick Scan (the
// boot sector of the chosen partition) and the Extensive Scan (a candidate of the search) decode it
// through the same decoder and agree on every field they both use.
#include "engine/extensive/FatCandidates.h"
#include "engine/extensive/NtfsCandidates.h"
#include "engine/save/EngineReset.h"
#include "engine/scan/VolumeParameters.h"
#include "engine/state/EngineState.h"
#include "tests/engine/extensive/ExtensiveTestDisk.h"
#include "tests/engine/save/MemoryDisk.h"

#include <gtest/gtest.h>

#include <cstring>

namespace morvick::test {
namespace {

constexpr uint32_t kStart = 2048;  // the partition, and the sector where the search met its boot sector

class DamagedBootSector : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }

    // The Quick Scan's parameters of a partition at kStart whose boot sector is `boot`, with the
    // media byte at the start of the FAT at `lastFat` (FAT) or FILE records at the MFT (NTFS).
    int QuickScanReads(FileSystemKind kind, const std::vector<uint8_t>& boot, uint32_t marked)
    {
        std::vector<uint8_t> raw(size_t{kStart + 4000} * 512, 0);
        PutSector(raw, kStart, boot);
        if (kind == FileSystemKind::kNtfs)
            std::memcpy(&raw[size_t{marked} * 512], "FILE", 4);
        else
            raw[size_t{marked} * 512] = 0xF8;
        g_VolumeParams.chosenFileSystemType = kind;
        g_VolumeParams.partitionStart = kStart;
        g_VolumeParams.partitionSectors = 4000;
        g_VolumeParams.partitionEnd = kStart + 3999;
        MemoryDisk disk(raw);
        ScanFinishedWord finished{0};
        return ReadVolumeParameters(finished);
    }
};

TEST_F(DamagedBootSector, FatCountsOtherThanOneAreTheUsualTwo)
{
    for (uint8_t fats : {0, 3, 0xFF}) {
        SCOPED_TRACE(int{fats});
        // FAT16: 4 reserved, FATs of 32 sectors, 512 root entries, 4 sectors per cluster.
        const std::vector<uint8_t> boot = FatBootSector(false, 4, 4, 32, 3000, 512, fats);
        ASSERT_EQ(QuickScanReads(FileSystemKind::kFat16, boot, kStart + 4 + 32), 1);
        FatBootVolume v;
        ASSERT_TRUE(ReadFatBootVolume(boot.data(), kStart, v));
        EXPECT_EQ(v.secondFat, kStart + 4 + 32);
        EXPECT_EQ(uint32_t{g_VolumeParams.secondFat}, v.secondFat);
        EXPECT_EQ(v.clusterBase, kStart + 4 + 64 + 32 - 8);
        EXPECT_EQ(uint32_t{g_VolumeParams.clusterBase}, v.clusterBase);
    }
}

TEST_F(DamagedBootSector, NoReservedSectorIsNoVolume)
{
    // The boot sector is itself the first reserved sector: a count of 0 puts the FATs nowhere.
    const std::vector<uint8_t> boot = FatBootSector(false, 4, 0, 32, 3000);
    EXPECT_EQ(QuickScanReads(FileSystemKind::kFat16, boot, kStart + 32), 0);
    FatBootVolume v;
    EXPECT_FALSE(ReadFatBootVolume(boot.data(), kStart, v));
}

TEST_F(DamagedBootSector, RootEntriesThatDoNotFillTheirLastSectorStillTakeIt)
{
    // 500 entries of 32 bytes take 31.25 sectors: the data area starts after 32 of them, not 31.
    const std::vector<uint8_t> boot = FatBootSector(false, 4, 4, 32, 3000, 500);
    ASSERT_EQ(QuickScanReads(FileSystemKind::kFat16, boot, kStart + 4 + 32), 1);
    FatBootVolume v;
    ASSERT_TRUE(ReadFatBootVolume(boot.data(), kStart, v));
    EXPECT_EQ(v.rootDirectorySectors, 32u);
    EXPECT_EQ(uint32_t{g_VolumeParams.rootDirectorySectors}, 32u);
    EXPECT_EQ(v.clusterBase, kStart + 4 + 64 + 32 - 8);
    EXPECT_EQ(uint32_t{g_VolumeParams.clusterBase}, v.clusterBase);
}

// The sector size at 11 converts the boot sector's counts into 512-byte sectors in both scans; a size
// the engine does not read (0, or no power of two from 512 to 4,096) makes the boot sector unusable.
TEST_F(DamagedBootSector, TheSectorSizeConvertsTheCountsOrRefusesTheBootSector)
{
    // FAT32 of 4,096-byte sectors: 1 per cluster, 4 reserved, FATs of 3 (8, 32 and 24 sectors of 512).
    std::vector<uint8_t> fat = FatBootSector(true, 1, 4, 3, 400);
    fat[11] = 0;
    fat[12] = 0x10;
    EXPECT_EQ(QuickScanReads(FileSystemKind::kFat32, fat, kStart + 32 + 24), 1);
    FatBootVolume v;
    ASSERT_TRUE(ReadFatBootVolume(fat.data(), kStart, v));
    EXPECT_EQ(v.sectorsPerCluster, 8u);
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerCluster}, 8u);
    EXPECT_EQ(v.secondFat, kStart + 32 + 24);
    EXPECT_EQ(uint32_t{g_VolumeParams.secondFat}, v.secondFat);
    EXPECT_EQ(v.clusterBase, kStart + 32 + 48 - 16);
    EXPECT_EQ(uint32_t{g_VolumeParams.clusterBase}, v.clusterBase);
    EXPECT_EQ(v.endSector, kStart + 3200);

    // NTFS of 4,096-byte sectors and clusters: the MFT at cluster 4 lies 32 sectors in.
    std::vector<uint8_t> ntfs = NtfsBootSector(1, 400, 4);
    ntfs[11] = 0;
    ntfs[12] = 0x10;
    ntfs[64] = 1;  // records of a cluster
    ResetEngineState();
    EXPECT_EQ(QuickScanReads(FileSystemKind::kNtfs, ntfs, kStart + 32), 1);
    EXPECT_EQ(uint32_t{g_VolumeParams.mftStart}, kStart + 32);
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerMftRecord}, 8u);
    NtfsBootVolume n;
    ASSERT_TRUE(ReadNtfsBootVolume(ntfs.data(), kStart, n));
    EXPECT_EQ(n.mftStart, kStart + 32);
    EXPECT_EQ(n.sectorsPerCluster, 8u);
    EXPECT_EQ(n.sectorsPerMftRecord, 8u);
    EXPECT_EQ(n.endSector, kStart + 3200);

    for (uint16_t bytes : {0, 256, 768, 8192, 0xFFFF}) {
        SCOPED_TRACE(bytes);
        fat[11] = static_cast<uint8_t>(bytes);
        fat[12] = static_cast<uint8_t>(bytes >> 8);
        ntfs[11] = fat[11];
        ntfs[12] = fat[12];
        ResetEngineState();
        EXPECT_EQ(QuickScanReads(FileSystemKind::kFat32, fat, kStart + 32 + 24), 0);
        EXPECT_FALSE(ReadFatBootVolume(fat.data(), kStart, v));
        ResetEngineState();
        EXPECT_EQ(QuickScanReads(FileSystemKind::kNtfs, ntfs, kStart + 32), 0);
        EXPECT_FALSE(ReadNtfsBootVolume(ntfs.data(), kStart, n));
    }
}

TEST_F(DamagedBootSector, AZeroTotalIsReadButGivesNoFoundVolume)
{
    // The Quick Scan has the partition's size from the table; a candidate of the search has only
    // its total to end at.
    const std::vector<uint8_t> fat = FatBootSector(false, 4, 4, 32, 0);
    EXPECT_EQ(QuickScanReads(FileSystemKind::kFat16, fat, kStart + 4 + 32), 1);
    FatBootVolume v;
    ASSERT_TRUE(ReadFatBootVolume(fat.data(), kStart, v));
    EXPECT_EQ(v.endSector, kStart);

    ResetEngineState();
    const std::vector<uint8_t> ntfs = NtfsBootSector(8, 0, 4);
    EXPECT_EQ(QuickScanReads(FileSystemKind::kNtfs, ntfs, kStart + 32), 1);
    NtfsBootVolume n;
    EXPECT_FALSE(ReadNtfsBootVolume(ntfs.data(), kStart, n));
}

TEST_F(DamagedBootSector, AnIndexRecordByteThatNamesNoSizeGivesTheUsualFourKilobytes)
{
    struct Case {
        uint8_t sectorsPerCluster;
        uint8_t byte;
        uint32_t sectors;
    };
    for (const Case& c : {Case{8, 0x00, 8}, Case{8, 0x80, 8}, Case{8, 0xF8, 8}, Case{128, 2, 8}, Case{8, 0xF7, 1},
             Case{8, 0xF0, 128}, Case{8, 0xF4, 8}, Case{2, 1, 2}}) {
        SCOPED_TRACE(testing::Message() << int{c.sectorsPerCluster} << " " << int{c.byte});
        ResetEngineState();
        const std::vector<uint8_t> boot = NtfsBootSector(c.sectorsPerCluster, 3000, 1, c.byte);
        ASSERT_EQ(QuickScanReads(FileSystemKind::kNtfs, boot, kStart + c.sectorsPerCluster), 1);
        EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerIndexRecord}, c.sectors);
        NtfsBootVolume v;
        ASSERT_TRUE(ReadNtfsBootVolume(boot.data(), kStart, v));
        EXPECT_EQ(v.sectorsPerIndexRecord, c.sectors);
    }
}

TEST_F(DamagedBootSector, TheOemTextOnlyDecidesWhatTheSearchTakes)
{
    // The chosen partition is NTFS whatever its text says; the search knows a boot sector by it.
    std::vector<uint8_t> boot = NtfsBootSector(8, 3000, 4);
    std::memcpy(&boot[3], "MSWIN4.1", 8);
    EXPECT_EQ(QuickScanReads(FileSystemKind::kNtfs, boot, kStart + 32), 1);
    EXPECT_FALSE(IsNtfsBootCandidate(boot.data()));
}

}  // namespace
}  // namespace morvick::test
