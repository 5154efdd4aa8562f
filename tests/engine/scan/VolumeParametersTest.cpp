// Volume parameters from boot sectors and their copies, and the FAT reconstruction from directories,
// on small disks built sector by sector.
#include "engine/save/EngineReset.h"
#include "engine/scan/VolumeParameters.h"
#include "engine/state/EngineState.h"
#include "tests/engine/save/MemoryDisk.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr uint32_t kStart = 100;  // partition start

class VolumeParameters : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }

    void Choose(FileSystemKind type, uint32_t sectors = 4000)
    {
        g_VolumeParams.chosenFileSystemType = type;
        g_VolumeParams.partitionStart = kStart;
        g_VolumeParams.partitionSectors = sectors;
        g_VolumeParams.partitionEnd = kStart + sectors - 1;
    }
    int Read()
    {
        MemoryDisk disk(raw);
        return ReadVolumeParameters(finished);
    }
    int Reconstruct()
    {
        MemoryDisk disk(raw);
        return ReconstructFatParameters(finished);
    }

    std::vector<uint8_t> raw = std::vector<uint8_t>(5000 * 512);
    ScanFinishedWord finished{0};
};

uint64_t At(uint32_t sector, uint32_t offset = 0)
{
    return uint64_t{sector} * 512 + offset;
}

void Fat32Boot(std::vector<uint8_t>& raw, uint32_t sector, uint8_t spc, uint16_t reserved, uint32_t spf,
    uint8_t fats = 2)
{
    Put16(raw, At(sector, 11), 512);
    raw[At(sector, 13)] = spc;
    Put16(raw, At(sector, 14), reserved);
    raw[At(sector, 16)] = fats;
    Put32(raw, At(sector, 36), spf);
    Put32(raw, At(sector, 44), 2);
    raw[At(sector, 510)] = 0x55;
    raw[At(sector, 511)] = 0xAA;
}

void NtfsBoot(std::vector<uint8_t>& raw, uint32_t sector, uint8_t spc, uint64_t mftCluster, uint64_t mirrorCluster,
    uint8_t perIndex)
{
    std::memcpy(&raw[At(sector, 3)], "NTFS    ", 8);
    Put16(raw, At(sector, 11), 512);
    raw[At(sector, 13)] = spc;
    Put32(raw, At(sector, 48), static_cast<uint32_t>(mftCluster));
    Put32(raw, At(sector, 56), static_cast<uint32_t>(mirrorCluster));
    raw[At(sector, 68)] = perIndex;
    raw[At(sector, 510)] = 0x55;
    raw[At(sector, 511)] = 0xAA;
}

void FileRecord(std::vector<uint8_t>& raw, uint32_t sector)
{
    std::memcpy(&raw[At(sector)], "FILE", 4);
}

}  // namespace

TEST_F(VolumeParameters, Fat32FromTheBootSector)
{
    Choose(FileSystemKind::kFat32);
    Fat32Boot(raw, kStart, 8, 32, 100);
    raw[At(kStart + 32 + 100)] = 0xF8;  // second FAT
    ASSERT_EQ(Read(), 1);
    const VolumeParameterBlock b = g_VolumeParams;
    EXPECT_EQ(FileSystemKind{b.browsedFileSystemType}, FileSystemKind::kFat32);
    EXPECT_EQ(uint32_t{b.sectorsPerCluster}, 8u);
    EXPECT_EQ(uint32_t{b.reservedSectors}, 32u);
    EXPECT_EQ(uint32_t{b.firstFat}, kStart + 32);
    EXPECT_EQ(uint32_t{b.secondFat}, kStart + 132);
    EXPECT_EQ(uint32_t{b.rootLocation}, 2u);
    EXPECT_EQ(uint32_t{b.rootDirectorySectors}, 0u);
    EXPECT_EQ(uint32_t{b.clusterBase}, kStart + 32 + 200 - 16);
}

TEST_F(VolumeParameters, Fat32UsesTheCopyAtSixWhenTheBootSectorIsGone)
{
    Choose(FileSystemKind::kFat32);
    Fat32Boot(raw, kStart + 6, 4, 32, 50);
    raw[At(kStart + 32 + 50)] = 0xF8;
    ASSERT_EQ(Read(), 1);
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerCluster}, 4u);
}

TEST_F(VolumeParameters, FatWithoutTheMediaByteOrWithAZeroClusterSizeIsUnusable)
{
    Choose(FileSystemKind::kFat32);
    Fat32Boot(raw, kStart, 8, 32, 100);
    EXPECT_EQ(Read(), 0) << "second FAT lacks 0xF8";
    raw[At(kStart + 132)] = 0xF8;
    raw[At(kStart, 13)] = 0;
    EXPECT_EQ(Read(), 0) << "0 sectors per cluster";
}

TEST_F(VolumeParameters, Fat16WithOneFat)
{
    Choose(FileSystemKind::kFat16);
    Put16(raw, At(kStart, 11), 512);
    raw[At(kStart, 13)] = 4;
    Put16(raw, At(kStart, 14), 1);
    raw[At(kStart, 16)] = 1;
    Put16(raw, At(kStart, 17), 512);
    Put16(raw, At(kStart, 22), 20);
    raw[At(kStart, 510)] = 0x55;
    raw[At(kStart, 511)] = 0xAA;
    raw[At(kStart + 1)] = 0xF8;
    ASSERT_EQ(Read(), 1);
    const VolumeParameterBlock b = g_VolumeParams;
    EXPECT_EQ(uint32_t{b.rootDirectorySectors}, 32u);
    EXPECT_EQ(uint32_t{b.rootLocation}, kStart + 1 + 20);
    EXPECT_EQ(uint32_t{b.clusterBase}, kStart + 1 + 20 + 32 - 8);
}

TEST_F(VolumeParameters, NtfsIndexRecordSizes)
{
    Choose(FileSystemKind::kNtfs);
    NtfsBoot(raw, kStart, 8, 4, 100, 0xF4);
    FileRecord(raw, kStart + 32);
    FileRecord(raw, kStart + 800);
    ASSERT_EQ(Read(), 1);
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerIndexRecord}, 8u);
    EXPECT_EQ(uint32_t{g_VolumeParams.mftStart}, kStart + 32);
    EXPECT_EQ(uint32_t{g_VolumeParams.mftMirrorStart}, kStart + 800);
    EXPECT_EQ(uint32_t{g_VolumeParams.clusterBase}, kStart);
    raw[At(kStart, 68)] = 1;
    ASSERT_EQ(Read(), 1);
    EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerIndexRecord}, 8u);
}

TEST_F(VolumeParameters, NtfsWithABadMftStillScansFromTheMirror)
{
    Choose(FileSystemKind::kNtfs);
    NtfsBoot(raw, kStart, 8, 4, 100, 0xF4);
    FileRecord(raw, kStart + 800);
    ASSERT_EQ(Read(), 1);
    EXPECT_EQ(uint32_t{g_VolumeParams.mftStart}, 0u);
    EXPECT_EQ(uint32_t{g_VolumeParams.mftMirrorStart}, kStart + 800);
}

TEST_F(VolumeParameters, NtfsFallsBackToTheCopyAtThePartitionEnd)
{
    Choose(FileSystemKind::kNtfs, 2000);
    NtfsBoot(raw, kStart + 1999, 8, 4, 100, 0xF4);
    FileRecord(raw, kStart + 32);
    ASSERT_EQ(Read(), 1);
    EXPECT_EQ(uint32_t{g_VolumeParams.mftStart}, kStart + 32);
    raw[At(kStart + 1999, 510)] = 0;
    EXPECT_EQ(Read(), 0);
}

TEST_F(VolumeParameters, AStoppedScanReadsNothing)
{
    // A volume whose parameters read and reconstruct: only the stop makes either give nothing.
    Fat32Boot(raw, kStart, 8, 32, 100);
    raw[At(kStart + 32)] = 0xF8;
    raw[At(kStart + 32, 1)] = 0xFF;
    raw[At(kStart + 32 + 100)] = 0xF8;
    for (uint32_t cluster : {10u, 30u}) {
        const uint32_t sector = kStart + 232 + (cluster - 2) * 8;
        std::memcpy(&raw[At(sector)], ".          ", 11);
        std::memcpy(&raw[At(sector, 32)], "..         ", 11);
        Put16(raw, At(sector, 26), static_cast<uint16_t>(cluster));
    }
    for (int stopped : {1, 0}) {
        finished = stopped;
        const uint32_t sectorsPerCluster = stopped ? 0 : 8;
        for (bool fromFolders : {false, true}) {
            ResetEngineState();
            Choose(FileSystemKind::kFat32);
            EXPECT_EQ(fromFolders ? Reconstruct() : Read(), 1 - stopped) << (fromFolders ? "reconstructed" : "read");
            EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerCluster}, sectorsPerCluster);
        }
    }
}

TEST_F(VolumeParameters, Fat32ReconstructionFromTwoDirectories)
{
    Choose(FileSystemKind::kFat32, 4000);
    // FAT at reserved 32; spc 4; two FATs of 100 sectors: cluster 2 at kStart + 232.
    raw[At(kStart + 32)] = 0xF8;
    raw[At(kStart + 32, 1)] = 0xFF;
    auto directory = [&](uint32_t cluster, uint32_t duplicateAt = 0) {
        uint32_t sector = duplicateAt ? duplicateAt : kStart + 232 + (cluster - 2) * 4;
        std::memcpy(&raw[At(sector)], ".          ", 11);
        std::memcpy(&raw[At(sector, 32)], "..         ", 11);
        Put16(raw, At(sector, 26), static_cast<uint16_t>(cluster));
        Put16(raw, At(sector, 20), static_cast<uint16_t>(cluster >> 16));
    };
    directory(10);
    directory(10, kStart + 232 + 100);  // a stray copy with the same cluster: never a pair
    directory(30);
    ASSERT_EQ(Reconstruct(), 1);
    const VolumeParameterBlock b = g_VolumeParams;
    EXPECT_EQ(uint32_t{b.sectorsPerCluster}, 4u);
    EXPECT_EQ(uint32_t{b.clusterBase}, kStart + 232 - 8);
    EXPECT_EQ(uint32_t{b.reservedSectors}, 32u);
    EXPECT_EQ(uint32_t{b.sectorsPerFat}, 100u);
    EXPECT_EQ(uint32_t{b.secondFat}, kStart + 132);
    EXPECT_EQ(uint32_t{b.rootLocation}, 2u);
}

// A FAT32 volume of 4,096-byte sectors keeps 32 of them reserved, 256 sectors of 512 bytes: its FAT is
// found there where no sector of a volume of 512-byte sectors starts like one.
TEST_F(VolumeParameters, Fat32ReconstructionOfAVolumeOfLargeSectors)
{
    Choose(FileSystemKind::kFat32, 4000);
    // FAT at reserved 256; clusters of 8 sectors; two FATs of 40: cluster 2 at kStart + 336.
    raw[At(kStart + 256)] = 0xF8;
    raw[At(kStart + 256, 1)] = 0xFF;
    for (uint32_t cluster : {10u, 30u}) {
        const uint32_t sector = kStart + 336 + (cluster - 2) * 8;
        std::memcpy(&raw[At(sector)], ".          ", 11);
        std::memcpy(&raw[At(sector, 32)], "..         ", 11);
        Put16(raw, At(sector, 26), static_cast<uint16_t>(cluster));
    }
    ASSERT_EQ(Reconstruct(), 1);
    const VolumeParameterBlock b = g_VolumeParams;
    EXPECT_EQ(uint32_t{b.sectorsPerCluster}, 8u);
    EXPECT_EQ(uint32_t{b.reservedSectors}, 256u);
    EXPECT_EQ(uint32_t{b.sectorsPerFat}, 40u);
    EXPECT_EQ(uint32_t{b.firstFat}, kStart + 256);
    EXPECT_EQ(uint32_t{b.secondFat}, kStart + 296);
    EXPECT_EQ(uint32_t{b.clusterBase}, kStart + 336 - 16);
}

TEST_F(VolumeParameters, ReconstructionWithoutDirectoriesFails)
{
    Choose(FileSystemKind::kFat16, 3000);
    EXPECT_EQ(Reconstruct(), 0);
    Choose(FileSystemKind::kNtfs);
    EXPECT_EQ(Reconstruct(), 0);
    Choose(FileSystemKind::kFat16, 0);
    EXPECT_EQ(Reconstruct(), 0);
}

TEST_F(VolumeParameters, ReconstructionTakesOnlyTrueDotEntries)
{
    // FAT16: FAT at reserved 1, spc 4, two FATs of 50 sectors and 32 root sectors: cluster 2 at
    // kStart + 133. File data before the folders merely starts like one (". " and ".. ").
    Choose(FileSystemKind::kFat16, 4000);
    raw[At(kStart + 1)] = 0xF8;
    raw[At(kStart + 1, 1)] = 0xFF;
    std::memcpy(&raw[At(kStart + 120)], ". notes", 7);
    std::memcpy(&raw[At(kStart + 120, 32)], ".. more", 7);
    Put16(raw, At(kStart + 120, 26), 7);
    auto directory = [&](uint16_t cluster) {
        const uint32_t sector = kStart + 133 + (cluster - 2u) * 4;
        std::memcpy(&raw[At(sector)], ".          ", 11);
        std::memcpy(&raw[At(sector, 32)], "..         ", 11);
        Put16(raw, At(sector, 26), cluster);
        Put16(raw, At(sector, 20), 0x1234);  // FAT16 keeps other things in the high word
    };
    directory(10);
    directory(30);
    ASSERT_EQ(Reconstruct(), 1);
    const VolumeParameterBlock b = g_VolumeParams;
    EXPECT_EQ(uint32_t{b.sectorsPerCluster}, 4u);
    EXPECT_EQ(uint32_t{b.clusterBase}, kStart + 133 - 8);
    EXPECT_EQ(uint32_t{b.reservedSectors}, 1u);
    EXPECT_EQ(uint32_t{b.sectorsPerFat}, 50u);
    EXPECT_EQ(uint32_t{b.secondFat}, kStart + 51);
    EXPECT_EQ(uint32_t{b.rootLocation}, kStart + 101);
    EXPECT_EQ(uint32_t{b.rootDirectorySectors}, 32u);
}
