// The Quick Scan's reading of FAT folders on a small FAT16 volume built sector by sector, in a
// dynamic VHD of one sector per block so that a single sector can be made unreadable (its block
// placed past the end of the file).
#include "engine/image/VirtualDisk.h"
#include "engine/save/EngineReset.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "tests/engine/image/ImageWriters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// 8,400 sectors, two clusters each: one boot sector, two FATs of 17 sectors, a root of one sector;
// cluster 2 starts at sector 36.
constexpr uint32_t kSectors = 8400;
constexpr uint32_t kFatSectors = 17;
constexpr uint32_t kRoot = 1 + 2 * kFatSectors;
constexpr uint32_t kClusterBase = kRoot + 1 - 2 * 2;

void PutEntry(Bytes& disk, uint32_t sector, size_t slot, const char* name11, uint8_t attributes, uint16_t cluster,
    uint32_t size)
{
    const uint64_t at = uint64_t{sector} * 512 + slot * 32;
    std::memcpy(&disk[at], name11, 11);
    disk[at + 11] = attributes;
    PutLittleEndian16(disk, at + 26, cluster);
    PutLittleEndian32(disk, at + 28, size);
}

uint32_t FirstSector(uint16_t cluster)
{
    return kClusterBase + cluster * 2u;
}

// A folder of two sectors at `cluster` under the root, with a file in each sector.
void PutFolder(Bytes& disk, uint16_t cluster, const char* first11, const char* second11)
{
    const uint32_t sector = FirstSector(cluster);
    PutEntry(disk, sector, 0, ".          ", 0x10, cluster, 0);
    PutEntry(disk, sector, 1, "..         ", 0x10, 0, 0);
    PutEntry(disk, sector, 2, first11, 0x20, static_cast<uint16_t>(cluster + 10), 100);
    // The rest of the first sector: deleted entries that list nothing, so that the folder goes on.
    for (size_t slot = 3; slot < 16; ++slot)
        PutEntry(disk, sector, slot, "\xE5UNUSED    ", 0x08, 0, 0);
    PutEntry(disk, sector + 1, 0, second11, 0x20, static_cast<uint16_t>(cluster + 20), 100);
    for (uint32_t fat : {1u, 1u + kFatSectors})
        PutLittleEndian16(disk, uint64_t{fat} * 512 + cluster * 2u, 0xFFFF);
}

class QuickScanFatFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        raw.assign(uint64_t{kSectors} * 512, 0);
        for (uint32_t fat : {1u, 1u + kFatSectors})
            PutLittleEndian32(raw, uint64_t{fat} * 512, 0xFFFFFFF8);
        PutEntry(raw, kRoot, 0, "AAA        ", 0x10, 2, 0);
        PutEntry(raw, kRoot, 1, "BBB        ", 0x10, 3, 0);
        PutFolder(raw, 2, "AONE    TXT", "ATWO    TXT");
        PutFolder(raw, 3, "BONE    TXT", "BTWO    TXT");
    }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetEngineState();
    }

    // The names of the files the Quick Scan lists, with the sector `unreadable` unreadable.
    std::vector<std::string> ScanFileNames(uint32_t unreadable)
    {
        VhdImageInfo info;
        image = MakeDynamicVhd(raw, VhdLayout{512}, &info);
        // The block's data sector past the end of the file.
        PutBigEndian32(image, info.tableOffset + uint64_t{unreadable} * 4, 0x00F00000);
        EXPECT_NE(disk.Create(CVirtualDisk::kVhd), nullptr);
        EXPECT_EQ(disk.OpenMemory(image.data(), image.size()), 1);
        SetCurrentVirtualDisk(&disk);
        g_wSourceType = kSourceDisk;
        g_VolumeParams.chosenFileSystemType = FileSystemKind::kFat16;
        g_VolumeParams.browsedFileSystemType = FileSystemKind::kFat16;
        g_VolumeParams.partitionSectors = kSectors;
        g_VolumeParams.partitionEnd = kSectors - 1;
        g_VolumeParams.sectorsPerCluster = 2;
        g_VolumeParams.sectorsPerFat = kFatSectors;
        g_VolumeParams.firstFat = 1;
        g_VolumeParams.secondFat = 1 + kFatSectors;
        g_VolumeParams.rootLocation = kRoot;
        g_VolumeParams.rootDirectorySectors = 1;
        g_VolumeParams.clusterBase = kClusterBase;
        ScanFinishedWord finished{0};
        QuickScanFat(finished);
        std::vector<std::string> names;
        for (const FatEntryRecord* e = g_FatEntries.head; e; e = e->next)
            names.push_back(std::string(e->name, e->name + std::char_traits<char16_t>::length(e->name)));
        return names;
    }

    Bytes raw;
    Bytes image;
    CVirtualDisk disk;
};

}  // namespace

// Without its first sector a folder cannot be told from whatever else its cluster may hold now: its
// other sectors are not read as entries. An unreadable later sector loses only its own entries.
TEST_F(QuickScanFatFolder, AFolderWhoseFirstSectorCannotBeReadIsSkipped)
{
    EXPECT_EQ(ScanFileNames(FirstSector(3)), (std::vector<std::string>{"AONE.TXT", "ATWO.TXT"}));
    ResetEngineState();
    EXPECT_EQ(ScanFileNames(FirstSector(3) + 1), (std::vector<std::string>{"AONE.TXT", "ATWO.TXT", "BONE.TXT"}));
}
