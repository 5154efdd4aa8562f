#include "engine/volume/PartitionTableWalk.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/PatchedSectorSource.h"
#include "tests/engine/diskfixtures/RawFileSectorSource.h"
#include "tests/engine/volume/BootRecordBuilder.h"

#include <gtest/gtest.h>

namespace morvick {

void PrintTo(const DiskPartition& p, std::ostream* os)
{
    *os << "{" << p.startSector << ", " << p.sectorCount << ", " << FileSystemCode(p.fileSystem) << "}";
}

}  // namespace morvick

namespace morvick::test {

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(
    new DiskFixtureEnvironment({"make-mbr-disk.sh", "make-chs-disk.sh", "make-aligned-containers.sh"}));

namespace {

FileSystemKind FileSystemOfType(unsigned type)
{
    switch (type) {
    case 0x6:
    case 0xe:
        return FileSystemKind::kFat16;
    case 0xb:
    case 0xc:
        return FileSystemKind::kFat32;
    case 0x7:
        return FileSystemKind::kNtfs;
    default:
        return FileSystemKind::kNone;
    }
}

// The partitions sfdisk lists, without the extended ones, as the walk should report them.
std::vector<DiskPartition> ExpectedFromSfdisk(const std::string& script)
{
    std::vector<DiskPartition> expected;
    for (const SfdiskEntry& e : ReadSfdisk(FixtureFile(script, "sfdisk.txt"))) {
        if (e.type == 5 || e.type == 0xf)
            continue;
        expected.push_back({static_cast<uint32_t>(e.start), static_cast<uint32_t>(e.size), FileSystemOfType(e.type)});
    }
    return expected;
}

}  // namespace

TEST(PartitionWalk, AgreesWithSfdiskOnRealDisks)
{
    for (const char* script : {"make-mbr-disk.sh", "make-chs-disk.sh"}) {
        SCOPED_TRACE(script);
        RawFileSectorSource disk(FixtureFile(script, "disk.raw"));
        ASSERT_TRUE(disk.IsOpen());
        const std::vector<DiskPartition> expected = ExpectedFromSfdisk(script);
        ASSERT_GE(expected.size(), 3u);
        EXPECT_EQ(WalkPartitionTable(disk, 0), expected);
    }
}

TEST(PartitionWalk, LoopedChainOnRealDiskEnds)
{
    RawFileSectorSource raw(FixtureFile("make-mbr-disk.sh", "disk.raw"));
    ASSERT_TRUE(raw.IsOpen());
    const std::vector<DiskPartition> expected = ExpectedFromSfdisk("make-mbr-disk.sh");
    ASSERT_EQ(expected.size(), 4u);
    // The last extended boot record (34816 + 122880) gets a link back to the first one.
    PatchedSectorSource disk(raw);
    auto& ebr = disk.Patch(157696);
    uint8_t* link = ebr.data() + 446 + 16;
    link[4] = 5;
    std::fill(link + 8, link + 16, 0);
    link[12] = 1;
    EXPECT_EQ(WalkPartitionTable(disk, 0), expected);
}

TEST(PartitionWalk, ClassifiesByBootTextThenTypeByte)
{
    BootRecordBuilder b(400);
    b.Entry(0, 0, 7, 10, 20).BootSector(10, FileSystemKind::kFat32, 20);  // type 7 with a FAT32 boot sector
    b.Entry(0, 1, 7, 40, 20).BootSector(40, FileSystemKind::kNtfs, 19);   // type 7 with NTFS
    b.Entry(0, 2, 1, 70, 20);                                             // type 1 outside the extended chain
    b.Entry(0, 3, 5, 100, 300);
    b.Entry(100, 0, 1, 10, 20);  // type 1 inside it: FAT16
    b.Entry(100, 1, 5, 50, 100);
    b.Entry(150, 0, 7, 10, 20).Bytes(160, 3, "EXFAT   ");  // exFAT is not read
    b.Entry(150, 1, 5, 100, 100);
    b.Entry(200, 0, 6, 10, 20).Bytes(210, 54, "FAT12   ");  // nor is FAT12
    b.Entry(200, 1, 5, 150, 100);
    b.Entry(250, 0, 14, 10, 30);  // no text: the type byte decides
    MemorySectorSource disk = b.Build();
    const std::vector<DiskPartition> expected = {{10, 20, FileSystemKind::kFat32}, {40, 20, FileSystemKind::kNtfs},
        {110, 20, FileSystemKind::kFat16}, {260, 30, FileSystemKind::kFat16}};
    EXPECT_EQ(WalkPartitionTable(disk, 0), expected);
}

TEST(PartitionWalk, RejectsRecordWithoutBothSignatureBytes)
{
    BootRecordBuilder b(100);
    b.Entry(0, 0, 6, 10, 20).BootSector(10, FileSystemKind::kFat16, 20);
    MemorySectorSource disk = b.Build();
    disk.Bytes()[511] = 0x00;
    EXPECT_TRUE(WalkPartitionTable(disk, 0).empty());
    MemorySectorSource empty(std::vector<uint8_t>{});
    EXPECT_TRUE(WalkPartitionTable(empty, 0).empty());
}

TEST(PartitionWalk, DamagedExtendedChainsEnd)
{
    {
        SCOPED_TRACE("a record that links to itself");
        BootRecordBuilder b(100);
        b.Entry(0, 0, 5, 50, 50).Entry(50, 0, 6, 5, 10).Entry(50, 1, 5, 0, 50);
        MemorySectorSource disk = b.Build();
        const std::vector<DiskPartition> expected = {{55, 10, FileSystemKind::kFat16}};
        EXPECT_EQ(WalkPartitionTable(disk, 0), expected);
    }
    {
        SCOPED_TRACE("two records that link to each other");
        BootRecordBuilder b(200);
        b.Entry(0, 0, 5, 50, 150).Entry(50, 0, 6, 5, 10).Entry(50, 1, 5, 100, 50);
        b.Entry(150, 0, 6, 5, 10).Entry(150, 1, 5, 0, 50);
        MemorySectorSource disk = b.Build();
        const std::vector<DiskPartition> expected = {{55, 10, FileSystemKind::kFat16},
            {155, 10, FileSystemKind::kFat16}};
        EXPECT_EQ(WalkPartitionTable(disk, 0), expected);
    }
    {
        SCOPED_TRACE("a link past 32-bit sector numbers and past the disk");
        BootRecordBuilder b(100);
        b.Entry(0, 0, 5, 0xFFFFFF00u, 50);
        b.Entry(0, 1, 5, 50, 50).Entry(50, 0, 6, 0xFFFFFFF0u, 10).Entry(50, 1, 5, 0xFFFFFFF0u, 10);
        MemorySectorSource disk = b.Build();
        EXPECT_TRUE(WalkPartitionTable(disk, 0).empty());
    }
    {
        SCOPED_TRACE("a chain longer than the table");
        BootRecordBuilder b(2000);
        b.Entry(0, 0, 5, 10, 1990);
        for (uint32_t i = 0; i < 40; ++i) {
            b.Entry(10 + 40 * i, 0, 6, 2, 30);
            b.Entry(10 + 40 * i, 1, 5, 40 * (i + 1), 40);
        }
        MemorySectorSource disk = b.Build();
        const std::vector<DiskPartition> table = WalkPartitionTable(disk, 0);
        ASSERT_EQ(table.size(), kMaxDiskPartitions);
        EXPECT_EQ(table.back().startSector, 10u + 40 * 24 + 2);
    }
}

// A disk of 4 KiB logical sectors (a VHDX can say so) counts in them: the walk gives its partitions
// in the engine's 512-byte sectors, and reads their boot sectors there, its extended chain's too. A
// partition that starts past what the table's 32-bit fields hold in those is left out, and a count
// past them is held at the largest.
TEST(PartitionWalk, CountsInTheDisksOwnSectors)
{
    // In 4 KiB sectors: type 7 at 8 whose boot sector there names FAT32; an extended partition at 40
    // whose first record holds an NTFS partition 2 on and links to a record 20 on, which holds a
    // FAT16 one 4 on from it; an NTFS partition at 2^29 (512-byte sector 2^32) and one at 70 of 2^29.
    BootRecordBuilder b(600);
    b.Entry(0, 0, 7, 8, 20).BootSector(64, FileSystemKind::kFat32, 160);
    b.Entry(0, 1, 5, 40, 30);
    b.Entry(320, 0, 7, 2, 10).BootSector(336, FileSystemKind::kNtfs, 79);
    b.Entry(320, 1, 5, 20, 10);
    b.Entry(480, 0, 7, 4, 5).BootSector(512, FileSystemKind::kFat16, 40);
    b.Entry(0, 2, 7, 0x20000000u, 8);
    b.Entry(0, 3, 7, 70, 0x20000000u).BootSector(560, FileSystemKind::kNtfs, 100);
    MemorySectorSource disk = b.Build();
    disk.SetLogicalSectorSize(4096);
    const std::vector<DiskPartition> expected = {{64, 160, FileSystemKind::kFat32},
        {560, 0xFFFFFFFFu, FileSystemKind::kNtfs}, {336, 80, FileSystemKind::kNtfs}, {512, 40, FileSystemKind::kFat16}};
    EXPECT_EQ(WalkPartitionTable(disk, 0), expected);
}

}  // namespace morvick::test
