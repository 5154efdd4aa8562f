// The FAT boot sector's counts in the engine's 512-byte sectors, whatever the volume's own sector
// size: 512, 1,024, 2,048 or 4,096 bytes; any other size is no boot sector the engine reads.
#include "engine/fat/FatBootSector.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvick {
namespace {

void Put(std::vector<uint8_t>& s, size_t at, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        s[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A boot sector of `bytes`-byte sectors, its counts in those sectors.
std::vector<uint8_t> Boot(bool fat32, uint16_t bytes, uint8_t spc, uint16_t reserved, uint32_t spf, uint32_t total)
{
    std::vector<uint8_t> s(512, 0);
    Put(s, 11, bytes, 2);
    s[13] = spc;
    Put(s, 14, reserved, 2);
    s[16] = 2;
    Put(s, 32, total, 4);
    if (fat32) {
        Put(s, 36, spf, 4);
        Put(s, 44, 2, 4);
        Put(s, 50, 6, 2);
    } else {
        Put(s, 17, 100, 2);  // 3,200 bytes of root entries
        Put(s, 22, spf, 2);
    }
    s[510] = 0x55;
    s[511] = 0xAA;
    return s;
}

TEST(FatBootSector, CountsAreConvertedIntoSectorsOf512Bytes)
{
    for (uint16_t bytes : {512, 1024, 2048, 4096}) {
        SCOPED_TRACE(bytes);
        const uint32_t units = bytes / 512;
        FatBootSector b;
        ASSERT_TRUE(ParseFatBootSector(Boot(true, bytes, 2, 32, 100, 10000).data(), 512, FileSystemKind::kFat32, b));
        EXPECT_EQ(b.bytesPerSector, bytes);
        EXPECT_EQ(b.sectorsPerCluster, 2 * units);
        EXPECT_EQ(b.reservedSectors, 32 * units);
        EXPECT_EQ(b.sectorsPerFat, 100 * units);
        EXPECT_EQ(b.totalSectors, 10000 * units);
        EXPECT_EQ(b.backupBootSector, 6 * units);
        const FatLayout layout = MakeFatLayout(b, 1000);
        EXPECT_EQ(layout.secondFat, 1000 + (32 + 100) * units);
        EXPECT_EQ(layout.clusterBase, 1000 + (32 + 200 - 4) * units);
        // As many clusters whatever the sector size: those of the volume after its FATs.
        EXPECT_EQ(layout.clusterCount, (10000u - 232) / 2);

        // The root's 3,200 bytes fill whole sectors of the volume: 7 of 512 bytes, 1 of 4,096.
        ASSERT_TRUE(ParseFatBootSector(Boot(false, bytes, 4, 1, 20, 5000).data(), 512, FileSystemKind::kFat16, b));
        EXPECT_EQ(b.rootDirectorySectors, (3200u + bytes - 1) / bytes * units);
        EXPECT_EQ(b.sectorsPerFat, 20 * units);
    }
}

TEST(FatBootSector, ASectorSizeTheEngineDoesNotReadIsNoBootSector)
{
    FatBootSector b;
    for (uint16_t bytes : {0, 256, 768, 1000, 8192, 0xFFFF}) {
        EXPECT_FALSE(ParseFatBootSector(Boot(true, bytes, 2, 32, 100, 10000).data(), 512, FileSystemKind::kFat32, b))
            << bytes;
        EXPECT_FALSE(ParseFatBootSector(Boot(false, bytes, 4, 1, 20, 5000).data(), 512, FileSystemKind::kFat16, b))
            << bytes;
    }
}

TEST(FatBootSector, ClustersAndFatsPastWhatTheEngineHoldsAreNoVolume)
{
    FatBootSector b;
    // Clusters of 64 KiB are the largest: 16 sectors of 4,096 bytes, not 32.
    EXPECT_TRUE(ParseFatBootSector(Boot(true, 4096, 16, 32, 100, 10000).data(), 512, FileSystemKind::kFat32, b));
    EXPECT_EQ(b.sectorsPerCluster, 128u);
    EXPECT_FALSE(ParseFatBootSector(Boot(true, 4096, 32, 32, 100, 10000).data(), 512, FileSystemKind::kFat32, b));
    // A FAT whose size in 512-byte sectors does not fit 32 bits.
    EXPECT_FALSE(
        ParseFatBootSector(Boot(true, 4096, 1, 32, 0x20000000u, 10000).data(), 512, FileSystemKind::kFat32, b));
}

// The clusters of a volume are as many as its FAT can name: a FAT16 FAT of 16-bit entries names
// fewer than 65,525 whatever its size, a FAT32 FAT of 28-bit entries fewer than 2^28.
TEST(FatBootSector, AHugeFatCountsNoMoreClustersThanItsEntriesName)
{
    EXPECT_EQ(FatDataClusterCount(FileSystemKind::kFat16, 0xFFFF, 1, 100, 0x100000000ull), 65524u);
    EXPECT_EQ(FatDataClusterCount(FileSystemKind::kFat16, 255, 1, 100, 0x100000000ull), 255u * 256 - 2);
    EXPECT_EQ(FatDataClusterCount(FileSystemKind::kFat32, 0x2000000, 1, 100, 0x100000000ull), 0x0FFFFFF0u);
}

}  // namespace
}  // namespace morvick
