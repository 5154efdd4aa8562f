#include "engine/volume/PartitionSearch.h"
#include "engine/volume/PartitionTableWalk.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/PatchedSectorSource.h"
#include "tests/engine/diskfixtures/RawFileSectorSource.h"
#include "tests/engine/volume/BootRecordBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace morvick::test {

namespace {

struct Found {
    uint32_t start;
    uint32_t count;
    FileSystemKind fs;
    bool operator==(const Found& o) const { return start == o.start && count == o.count && fs == o.fs; }
};

void PrintTo(const Found& f, std::ostream* os)
{
    *os << "{" << f.start << ", " << f.count << ", " << FileSystemCode(f.fs) << "}";
}

std::vector<Found> Sorted(const std::vector<DiskPartition>& table)
{
    std::vector<Found> out;
    for (const DiskPartition& p : table)
        out.push_back({p.startSector, p.sectorCount, p.fileSystem});
    std::sort(out.begin(), out.end(), [](const Found& a, const Found& b) { return a.start < b.start; });
    return out;
}

// What the search should find on a disk whose table is gone: every file-system partition that
// sfdisk lists, with the boot sector's own size (NTFS counts one sector less: its backup boot sector
// lies past the volume).
std::vector<Found> ExpectedFromSfdisk(const std::string& script)
{
    std::vector<Found> out;
    for (const SfdiskEntry& e : ReadSfdisk(FixtureFile(script, "sfdisk.txt"))) {
        if (e.type == 5 || e.type == 0xf)
            continue;
        const FileSystemKind fs = e.type == 7  ? FileSystemKind::kNtfs
            : (e.type == 0xb || e.type == 0xc) ? FileSystemKind::kFat32
                                               : FileSystemKind::kFat16;
        out.push_back({static_cast<uint32_t>(e.start),
            static_cast<uint32_t>(fs == FileSystemKind::kNtfs ? e.size - 1 : e.size), fs});
    }
    return out;
}

std::vector<DiskPartition> SearchWiped(SectorSource& raw, const DiskGeometry& geometry)
{
    PatchedSectorSource disk(raw);
    disk.Patch(0).fill(0);
    std::vector<DiskPartition> table = WalkPartitionTable(disk, 0);
    EXPECT_TRUE(table.empty());
    SearchPartitions(disk, geometry, true, table, {});
    return table;
}

}  // namespace

TEST(PartitionSearch, FindsOneMiBAlignedPartitionsAfterTheTableIsWiped)
{
    RawFileSectorSource raw(FixtureFile("make-mbr-disk.sh", "disk.raw"));
    ASSERT_TRUE(raw.IsOpen());
    const std::vector<Found> expected = ExpectedFromSfdisk("make-mbr-disk.sh");
    ASSERT_EQ(expected.size(), 4u);
    // As a VHD reports it (cylinders x 16 heads x 63 sectors) and as a VHDX gets it (from its size).
    const DiskGeometry vhd = {static_cast<uint32_t>(raw.SectorCount() / (16 * 63)), 16, 63};
    EXPECT_EQ(Sorted(SearchWiped(raw, vhd)), expected);
    EXPECT_EQ(Sorted(SearchWiped(raw, GeometryFromSectorCount(raw.SectorCount()))), expected);
}

TEST(PartitionSearch, CylinderAlignedDiskGivesExactlyItsPartitions)
{
    RawFileSectorSource raw(FixtureFile("make-chs-disk.sh", "disk.raw"));
    ASSERT_TRUE(raw.IsOpen());
    const std::vector<Found> expected = ExpectedFromSfdisk("make-chs-disk.sh");
    ASSERT_EQ(expected.size(), 3u);
    // mkfs.fat rounds these volumes down to whole tracks of its own: the count is the boot sector's.
    const std::vector<Found> found = Sorted(SearchWiped(raw, {8, 255, 63}));
    ASSERT_EQ(found.size(), expected.size());
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].start, expected[i].start);
        EXPECT_EQ(found[i].fs, expected[i].fs);
        EXPECT_LE(found[i].count, expected[i].count);
        EXPECT_GT(found[i].count, expected[i].count - 64);
    }
}

TEST(PartitionSearch, AddsOnlyNewStartsAndListsTheTableFirst)
{
    RawFileSectorSource disk(FixtureFile("make-mbr-disk.sh", "disk.raw"));
    ASSERT_TRUE(disk.IsOpen());
    std::vector<DiskPartition> table = WalkPartitionTable(disk, 0);
    ASSERT_EQ(table.size(), 4u);
    const std::vector<DiskPartition> walked = table;
    std::vector<size_t> listed;
    PartitionSearchEvents events;
    events.listed = [&](size_t i) { listed.push_back(i); };
    SearchPartitions(disk, GeometryFromSectorCount(disk.SectorCount()), true, table, events);
    ASSERT_EQ(table.size(), 4u);
    for (size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].sectorCount, walked[i].sectorCount);
    EXPECT_EQ(listed, (std::vector<size_t>{0, 1, 2, 3}));
}

// A volume of 4,096-byte sectors counts its size in them: found, it is as long in the engine's
// 512-byte sectors as its boot sector's count of its own. A sector size the engine does not read counts
// as 512 bytes.
TEST(PartitionSearch, AFoundVolumeIsSizedInItsOwnSectors)
{
    BootRecordBuilder b(7000);
    b.BootSector(2048, FileSystemKind::kFat32, 100).SectorSize(2048, 4096);
    b.BootSector(4096, FileSystemKind::kNtfs, 50).SectorSize(4096, 4096);
    b.BootSector(6144, FileSystemKind::kFat16, 30).SectorSize(6144, 768);
    MemorySectorSource disk = b.Build();
    std::vector<DiskPartition> table;
    SearchPartitions(disk, {1, 255, 63}, true, table, {});
    const std::vector<Found> expected = {{2048, 800, FileSystemKind::kFat32}, {4096, 400, FileSystemKind::kNtfs},
        {6144, 30, FileSystemKind::kFat16}};
    EXPECT_EQ(Sorted(table), expected);
}

TEST(PartitionSearch, WithoutSearchingOnlyMovesProgress)
{
    BootRecordBuilder b(16065 * 3);
    b.BootSector(16065 + 63, FileSystemKind::kFat32, 1000);
    MemorySectorSource disk = b.Build();
    std::vector<DiskPartition> table;
    std::vector<int> progress;
    PartitionSearchEvents events;
    events.progress = [&](int p) { progress.push_back(p); };
    EXPECT_EQ(SearchPartitions(disk, {3, 255, 63}, false, table, events), 0u);
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(progress, (std::vector<int>{0, 33, 66}));
    // Each figure once, however many cylinders there are (a disk of 75 TiB here).
    progress.clear();
    SearchPartitions(disk, {10000000, 255, 63}, false, table, events);
    ASSERT_EQ(progress.size(), 100u);
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 99);
    SearchPartitions(disk, {3, 255, 63}, true, table, events);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].startSector, 16065u + 63);
    EXPECT_EQ(table[0].fileSystem, FileSystemKind::kFat32);
}

// A disk of 4 TiB whose sectors all read as zeros.
class EmptyFourTebibyteDisk : public SectorSource {
public:
    bool ReadSectors(uint64_t, uint32_t count, uint8_t* buffer) override
    {
        std::fill(buffer, buffer + size_t{count} * kSectorSize, uint8_t{0});
        return true;
    }
    uint64_t SectorCount() const override { return uint64_t{1} << 33; }
};

// The search reads no sector past the first 2 TiB, and its bar runs over what it reads: over the
// whole disk, the bar stopped at half where the search did.
TEST(PartitionSearch, TheBarRunsOverTheSectorsSearched)
{
    EmptyFourTebibyteDisk disk;
    std::vector<DiskPartition> table;
    int last = -1;
    PartitionSearchEvents events;
    events.progress = [&](int p) { last = p; };
    const uint64_t probed = SearchPartitions(disk, GeometryFromSectorCount(disk.SectorCount()), true, table, events);
    EXPECT_EQ(last, 99);
    EXPECT_TRUE(table.empty());
    // Two probes at each cylinder's start and one at each 1 MiB boundary of the first 2^32 sectors.
    EXPECT_LE(probed, 2 * ((uint64_t{1} << 32) / 16065 + 1) + (uint64_t{1} << 32) / 2048);
    EXPECT_GE(probed, (uint64_t{1} << 32) / 2048);
}

TEST(PartitionSearch, StopsAtTheStopFlagAndAtAFullTable)
{
    BootRecordBuilder b(2048 * 40);
    for (uint32_t i = 1; i < 40; ++i)
        b.BootSector(2048 * i, FileSystemKind::kFat16, 100);
    MemorySectorSource disk = b.Build();
    std::vector<DiskPartition> table;
    SearchPartitions(disk, GeometryFromSectorCount(disk.SectorCount()), true, table, {});
    EXPECT_EQ(table.size(), kMaxDiskPartitions);

    PartitionSearchEvents events;
    events.stopRequested = [] { return true; };
    std::vector<DiskPartition> none;
    EXPECT_EQ(SearchPartitions(disk, GeometryFromSectorCount(disk.SectorCount()), true, none, events), 0u);
    EXPECT_TRUE(none.empty());
}

TEST(PartitionSearch, Geometry)
{
    const DiskGeometry g = NormaliseSearchGeometry({1024, 16, 32});
    EXPECT_EQ(g.cylinders, 32u);
    EXPECT_EQ(g.heads, 255u);
    EXPECT_EQ(g.sectorsPerTrack, 63u);
    const DiskGeometry same = NormaliseSearchGeometry({100, 16, 63});
    EXPECT_EQ(same.cylinders, 100u);
    EXPECT_EQ(same.heads, 16u);
    EXPECT_EQ(GeometryFromSectorCount(16065ull * 7 + 5).cylinders, 7u);
    EXPECT_EQ(GeometryFromSectorCount(0).cylinders, 0u);
}

}  // namespace morvick::test
