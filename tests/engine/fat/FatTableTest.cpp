#include "engine/fat/FatTable.h"
#include "engine/volume/MemorySectorSource.h"
#include "tests/engine/diskfixtures/PatchedSectorSource.h"

#include <gtest/gtest.h>

namespace morvick::test {

namespace {

using Chain = std::vector<uint32_t>;

// A disk whose sector 1 onward holds a FAT with the given entries.
MemorySectorSource FatDisk(bool fat32, const std::vector<std::pair<uint32_t, uint32_t>>& entries)
{
    std::vector<uint8_t> bytes(8 * kSectorSize, 0);
    for (const auto& [cluster, value] : entries) {
        uint8_t* p = bytes.data() + kSectorSize + cluster * (fat32 ? 4 : 2);
        for (int i = 0; i < (fat32 ? 4 : 2); ++i)
            p[i] = static_cast<uint8_t>(value >> (8 * i));
    }
    return MemorySectorSource(std::move(bytes));
}

}  // namespace

TEST(FatTable, Fat32ChainsEndAtMaskedEndMarksAndStayInsideTheVolume)
{
    MemorySectorSource disk = FatDisk(true,
        {
            {2, 3}, {3, 0x0FFFFFF8},           // mkfs.fat's end mark
            {4, 0xF0000005}, {5, 0x1FFFFFFF},  // top four bits are not part of the entry
            {6, 7}, {7, 8}, {8, 6},            // a loop
            {9, 0x0FFFFFF7},                   // bad cluster
            {10, 600},                         // past the last cluster
            {11, 0}, {12, 1}, {13, 200},       // free, reserved, then a free cluster
        });
    FatTable fat(disk, FileSystemKind::kFat32, 1, 2, 250);
    EXPECT_EQ(FollowClusterChain(fat, 2, 1000), (Chain{2, 3}));
    EXPECT_EQ(FollowClusterChain(fat, 4, 1000), (Chain{4, 5}));
    EXPECT_EQ(FollowClusterChain(fat, 6, 1000), (Chain{6, 7, 8}));
    EXPECT_EQ(FollowClusterChain(fat, 9, 1000), (Chain{9}));
    EXPECT_EQ(FollowClusterChain(fat, 10, 1000), (Chain{10}));
    EXPECT_EQ(FollowClusterChain(fat, 11, 1000), (Chain{11}));
    EXPECT_EQ(FollowClusterChain(fat, 12, 1000), (Chain{12}));
    EXPECT_EQ(FollowClusterChain(fat, 13, 1000), (Chain{13, 200}));
    EXPECT_EQ(FollowClusterChain(fat, 6, 2), (Chain{6, 7}));
    EXPECT_TRUE(FollowClusterChain(fat, 0, 1000).empty());
    EXPECT_TRUE(FollowClusterChain(fat, 1, 1000).empty());
    EXPECT_TRUE(FollowClusterChain(fat, 252, 1000).empty());
    uint32_t next = 0;
    EXPECT_EQ(fat.Lookup(9, next), FatLink::Bad);
    EXPECT_EQ(fat.Lookup(10, next), FatLink::Invalid);
    EXPECT_EQ(fat.Lookup(11, next), FatLink::Free);
    EXPECT_EQ(fat.Lookup(300, next), FatLink::Invalid);  // entry past the FAT's sectors
}

TEST(FatTable, Fat16ChainsAndUnreadableSectors)
{
    MemorySectorSource base = FatDisk(false, {{2, 0xFFF8}, {3, 4}, {4, 0xFFFF}, {5, 0xFFF7}, {6, 300}, {7, 1}});
    PatchedSectorSource disk(base);
    FatTable fat(disk, FileSystemKind::kFat16, 1, 4, 1000);
    EXPECT_EQ(FollowClusterChain(fat, 2, 100), (Chain{2}));
    EXPECT_EQ(FollowClusterChain(fat, 3, 100), (Chain{3, 4}));
    EXPECT_EQ(FollowClusterChain(fat, 5, 100), (Chain{5}));
    EXPECT_EQ(FollowClusterChain(fat, 6, 100), (Chain{6, 300}));
    uint32_t next = 0;
    disk.Unreadable(3);
    EXPECT_EQ(fat.Lookup(600, next), FatLink::Unreadable);
    FatTable noFat(disk, FileSystemKind::kFat16, 0, 4, 1000);
    EXPECT_EQ(noFat.Lookup(3, next), FatLink::Unreadable);
}

TEST(FatTable, AFolderChainThatBreaksOffInTheFirstFatIsReadAgainFromTheSecond)
{
    // The first FAT at sector 1, the second at sector 3 (two sectors each).
    std::vector<uint8_t> bytes(8 * kSectorSize, 0);
    auto put = [&bytes](uint32_t fatSector, uint32_t cluster, uint32_t value) {
        uint8_t* p = bytes.data() + fatSector * kSectorSize + cluster * 4;
        for (int i = 0; i < 4; ++i)
            p[i] = static_cast<uint8_t>(value >> (8 * i));
    };
    for (uint32_t fat : {1u, 3u}) {
        put(fat, 2, 0x0FFFFFFF);  // a folder of one cluster, whole in both
        put(fat, 20, 0x0FFFFFFF);
        put(fat, 30, 31);
        put(fat, 31, 0x0FFFFFFF);
    }
    put(3, 10, 40);  // free in the first FAT: the second goes on
    put(3, 40, 41);
    put(3, 41, 0x0FFFFFFF);
    put(3, 20, 21);  // the first FAT ends the chain, the second goes on: the end mark stands
    put(3, 21, 0x0FFFFFFF);
    put(1, 30, 999);  // out of range in the first FAT
    put(1, 60, 61);   // broken in both FATs, earlier in the second: the first's chain stays
    put(1, 50, 51);   // a loop in the first FAT
    put(1, 51, 50);
    put(3, 50, 52);
    put(3, 52, 0x0FFFFFFF);
    MemorySectorSource disk(std::move(bytes));
    FatTable first(disk, FileSystemKind::kFat32, 1, 2, 250);
    FatTable second(disk, FileSystemKind::kFat32, 3, 2, 250);
    EXPECT_EQ(FollowFolderChain(first, &second, 2, 100), (Chain{2}));
    EXPECT_EQ(FollowFolderChain(first, &second, 10, 100), (Chain{10, 40, 41}));
    EXPECT_EQ(FollowFolderChain(first, nullptr, 10, 100), (Chain{10}));
    EXPECT_EQ(FollowFolderChain(first, &second, 20, 100), (Chain{20}));
    EXPECT_EQ(FollowFolderChain(first, &second, 50, 100), (Chain{50, 52}));
    EXPECT_EQ(FollowFolderChain(first, &second, 30, 100), (Chain{30, 31}));
    EXPECT_EQ(FollowFolderChain(first, &second, 60, 100), (Chain{60, 61}));
    EXPECT_EQ(FollowFolderChain(first, &second, 10, 2), (Chain{10, 40}));

    FatChainEnd end = FatChainEnd::Limit;
    EXPECT_EQ(FollowClusterChain(first, 2, 100, {}, &end), (Chain{2}));
    EXPECT_EQ(end, FatChainEnd::EndMark);
    FollowClusterChain(first, 10, 100, {}, &end);
    EXPECT_EQ(end, FatChainEnd::Broken);
    FollowClusterChain(first, 50, 100, {}, &end);
    EXPECT_EQ(end, FatChainEnd::Broken);
    FollowClusterChain(second, 10, 2, {}, &end);
    EXPECT_EQ(end, FatChainEnd::Limit);
}

TEST(FatTable, ADeletedFileTakesTheFreeClustersAfterItsFirst)
{
    // FAT32, 128 entries a sector: clusters 3 to 399 in use but 255 (the last of the second sector)
    // and 256 (the first of the third), 400 and on free.
    std::vector<std::pair<uint32_t, uint32_t>> entries;
    for (uint32_t c = 3; c < 400; ++c) {
        if (c != 255 && c != 256)
            entries.emplace_back(c, c == 399 ? 0x0FFFFFFF : c + 1);
    }
    MemorySectorSource base = FatDisk(true, entries);
    PatchedSectorSource disk(base);
    FatTable fat(disk, FileSystemKind::kFat32, 1, 4, 500);
    EXPECT_EQ(FollowFreeClusters(fat, 2, 4), (Chain{2, 255, 256, 400}));
    EXPECT_EQ(FollowFreeClusters(fat, 2, 2), (Chain{2, 255}));
    EXPECT_EQ(FollowFreeClusters(fat, 400, 3), (Chain{400, 401, 402}));
    EXPECT_EQ(FollowFreeClusters(fat, 498, 5), (Chain{498, 499, 500, 501}));  // up to the last cluster
    EXPECT_TRUE(FollowFreeClusters(fat, 3, 4).empty()) << "its first cluster is another file's";
    EXPECT_TRUE(FollowFreeClusters(fat, 600, 4).empty());
    EXPECT_EQ(FollowFreeClusters(fat, 2, 4, [] { return true; }), (Chain{2}));
    // A FAT sector that cannot be read tells nothing: its clusters are taken.
    disk.Unreadable(3);
    FatTable damaged(disk, FileSystemKind::kFat32, 1, 4, 500);
    EXPECT_EQ(FollowFreeClusters(damaged, 2, 4), (Chain{2, 255, 256, 257}));
}

// A cluster in use within the file's clusters after its first cuts the file: the free ones past it
// may be another deleted file's. A bad cluster, which the allocator passes over too, does not; nor
// does the volume's end.
TEST(FatTable, ADeletedFileWithAClusterInUseWithinItIsCut)
{
    // FAT32, 128 entries a sector: 11 marked bad, 13 in use, 128 to 255 (the second sector) in use.
    std::vector<std::pair<uint32_t, uint32_t>> entries{{11, 0x0FFFFFF7}, {13, 0x0FFFFFFF}};
    for (uint32_t c = 128; c < 256; ++c)
        entries.emplace_back(c, c == 255 ? 0x0FFFFFFF : c + 1);
    MemorySectorSource disk = FatDisk(true, entries);
    FatTable fat(disk, FileSystemKind::kFat32, 1, 4, 500);
    bool cut = true;
    EXPECT_EQ(FollowFreeClusters(fat, 10, 2, {}, &cut), (Chain{10, 12}));
    EXPECT_FALSE(cut) << "a bad cluster is passed over";
    EXPECT_EQ(FollowFreeClusters(fat, 10, 3, {}, &cut), (Chain{10, 12, 14}));
    EXPECT_TRUE(cut);
    EXPECT_EQ(FollowFreeClusters(fat, 12, 1, {}, &cut), (Chain{12}));
    EXPECT_FALSE(cut) << "the cluster in use lies past the file";
    EXPECT_EQ(FollowFreeClusters(fat, 127, 2, {}, &cut), (Chain{127, 256}));
    EXPECT_TRUE(cut) << "a FAT sector in use passed over whole";
    EXPECT_EQ(FollowFreeClusters(fat, 498, 5, {}, &cut), (Chain{498, 499, 500, 501}));
    EXPECT_FALSE(cut) << "the volume's end";
    EXPECT_TRUE(FollowFreeClusters(fat, 13, 2, {}, &cut).empty());
    EXPECT_FALSE(cut) << "no first cluster: nothing is taken past one in use";
}

TEST(FatTable, StopFlagEndsTheWalk)
{
    MemorySectorSource disk = FatDisk(true, {{2, 3}, {3, 4}, {4, 0x0FFFFFFF}});
    FatTable fat(disk, FileSystemKind::kFat32, 1, 2, 250);
    int steps = 0;
    EXPECT_EQ(FollowClusterChain(fat, 2, 100, [&] { return ++steps > 1; }), (Chain{2, 3}));
    EXPECT_EQ(FollowClusterChain(fat, 2, 100, [] { return true; }), (Chain{2}));
}

}  // namespace morvick::test
