// FAT16 and FAT32 volumes made by mkfs.fat and mtools, read by the engine and compared with what
// sleuthkit's fls and icat see of them.
#include "engine/fat/FatBootSector.h"
#include "engine/fat/FatDirectoryParser.h"
#include "engine/fat/FatTable.h"
#include "engine/volume/PartitionFileSystem.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/RawFileSectorSource.h"
#include "engine/util/Utf.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace morvick::test {

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-mbr-disk.sh", "make-aligned-containers.sh"}));

namespace {

const char* const kDisk = "make-mbr-disk.sh";

struct ListedEntry {
    std::string path;
    FatFoundEntry entry;
};

struct FatVolume {
    uint64_t start = 0;
    FatBootSector boot;
    FatLayout layout;
};

bool OpenVolume(SectorSource& disk, uint64_t start, FatVolume& v)
{
    uint8_t sector[kSectorSize];
    v.start = start;
    if (!disk.ReadSectors(start, 1, sector) ||
        !ParseFatBootSector(sector, sizeof sector, FileSystemFromBootText(sector, sizeof sector), v.boot))
        return false;
    v.layout = MakeFatLayout(v.boot, start);
    return v.layout.clusterCount != 0;
}

// The bytes of a folder: the fixed FAT16 root (cluster 0) or the clusters of its chain.
std::vector<uint8_t> ReadFolder(SectorSource& disk, const FatLayout& l, FatTable& fat, uint32_t cluster)
{
    std::vector<uint8_t> bytes;
    if (cluster == 0) {
        bytes.resize(static_cast<size_t>(l.rootDirectorySectors) * kSectorSize);
        if (!disk.ReadSectors(l.rootDirectory, l.rootDirectorySectors, bytes.data()))
            bytes.clear();
        return bytes;
    }
    for (uint32_t c : FollowClusterChain(fat, cluster, l.clusterCount)) {
        const size_t at = bytes.size();
        bytes.resize(at + static_cast<size_t>(l.sectorsPerCluster) * kSectorSize);
        if (!disk.ReadSectors(l.clusterBase + static_cast<uint64_t>(c) * l.sectorsPerCluster, l.sectorsPerCluster,
                bytes.data() + at))
            break;
    }
    return bytes;
}

// Lists the whole volume, deleted entries and the contents of deleted folders included. With
// `bySector` each folder is fed to the parser one sector at a time.
void ListTree(SectorSource& disk, const FatVolume& v, FatTable& fat, uint32_t cluster, const std::string& prefix,
    bool deleted, bool bySector, std::set<uint32_t>& seen, std::vector<ListedEntry>& out)
{
    std::vector<FatFoundEntry> found;
    FatDirectoryParser parser(v.layout.fileSystem == FileSystemKind::kFat32, cluster, deleted,
        [&](const FatFoundEntry& e) { found.push_back(e); });
    const uint32_t root = v.layout.fileSystem == FileSystemKind::kFat32 ? v.layout.rootCluster : 0;
    const std::vector<uint8_t> bytes = ReadFolder(disk, v.layout, fat, cluster == 0 ? root : cluster);
    if (bySector) {
        for (size_t off = 0; off < bytes.size() && parser.Feed(bytes.data() + off, kSectorSize); off += kSectorSize) {
        }
    } else {
        parser.Feed(bytes.data(), bytes.size());
    }
    for (const FatFoundEntry& e : found) {
        const std::string path = prefix + Utf16ToUtf8(e.name);
        out.push_back({path, e});
        if (e.folder && seen.insert(e.firstCluster).second)
            ListTree(disk, v, fat, e.firstCluster, path + "/", e.deleted, bySector, seen, out);
    }
}

std::vector<ListedEntry> ListVolume(SectorSource& disk, const FatVolume& v, bool bySector)
{
    FatTable fat(disk, v.layout.fileSystem, v.layout.firstFat, v.layout.sectorsPerFat, v.layout.clusterCount);
    std::vector<ListedEntry> out;
    std::set<uint32_t> seen;
    ListTree(disk, v, fat, 0, "", false, bySector, seen, out);
    return out;
}

// True when a path part could be a short name alone (8.3, no blanks): the engine lists such a name as
// its bytes stand, where fls applies the lower-case flags of byte 12.
bool MayBeShortName(const std::string& part)
{
    const size_t dot = part.find('.');
    const size_t base = dot == std::string::npos ? part.size() : dot;
    const size_t extension = dot == std::string::npos ? 0 : part.size() - dot - 1;
    return base >= 1 && base <= 8 && extension <= 3 && part.find(' ') == std::string::npos &&
        (dot == std::string::npos || part.find('.', dot + 1) == std::string::npos);
}

// Paths compared with short names in one case and the first character of deleted short names hidden
// (fls shows "_", the engine "x"); long names must agree exactly.
std::string Comparable(const std::string& path, bool deleted)
{
    std::string out;
    size_t partStart = 0;
    while (partStart <= path.size()) {
        size_t partEnd = path.find('/', partStart);
        if (partEnd == std::string::npos)
            partEnd = path.size();
        std::string part = path.substr(partStart, partEnd - partStart);
        if (MayBeShortName(part)) {
            for (char& c : part)
                c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
        }
        if (deleted && !part.empty() && (part[0] == '_' || part[0] == 'x' || part[0] == 'X'))
            part[0] = '?';
        out += part;
        if (partEnd < path.size())
            out += '/';
        partStart = partEnd + 1;
    }
    return out;
}

std::vector<uint8_t> ReadFile(SectorSource& disk, const FatVolume& v, const FatFoundEntry& e)
{
    FatTable fat(disk, v.layout.fileSystem, v.layout.firstFat, v.layout.sectorsPerFat, v.layout.clusterCount);
    std::vector<uint8_t> bytes;
    const size_t clusterBytes = static_cast<size_t>(v.layout.sectorsPerCluster) * kSectorSize;
    for (uint32_t c : FollowClusterChain(fat, e.firstCluster, e.size / clusterBytes + 1)) {
        const size_t at = bytes.size();
        bytes.resize(at + clusterBytes);
        if (!disk.ReadSectors(v.layout.clusterBase + static_cast<uint64_t>(c) * v.layout.sectorsPerCluster,
                v.layout.sectorsPerCluster, bytes.data() + at))
            return {};
    }
    if (bytes.size() > e.size)
        bytes.resize(e.size);
    return bytes;
}

class FatVolumeTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        m_part = "part" + std::to_string(GetParam());
        m_disk.reset(new RawFileSectorSource(FixtureFile(kDisk, "disk.raw")));
        ASSERT_TRUE(m_disk->IsOpen());
        const uint64_t start = std::stoull(ReadTextFile(FixtureFile(kDisk, m_part + ".start")));
        ASSERT_TRUE(OpenVolume(*m_disk, start, m_volume));
        m_fls = ReadFls(FixtureFile(kDisk, m_part + ".fls"));
        ASSERT_FALSE(m_fls.empty());
    }

    std::string m_part;
    std::unique_ptr<RawFileSectorSource> m_disk;
    FatVolume m_volume;
    std::vector<FlsEntry> m_fls;
};

}  // namespace

TEST_P(FatVolumeTest, EntriesAgreeWithFls)
{
    std::map<std::string, const ListedEntry*> ours;
    const std::vector<ListedEntry> listed = ListVolume(*m_disk, m_volume, false);
    for (const ListedEntry& e : listed)
        ours[Comparable(e.path, e.entry.deleted)] = &e;

    size_t compared = 0;
    for (const FlsEntry& f : m_fls) {
        if (f.type != "r/r" && f.type != "d/d")
            continue;
        SCOPED_TRACE(m_part + ": " + f.path);
        auto it = ours.find(Comparable(f.path, f.deleted));
        ASSERT_NE(it, ours.end()) << "not listed";
        const FatFoundEntry& e = it->second->entry;
        EXPECT_EQ(e.folder, f.type == "d/d");
        EXPECT_EQ(e.deleted, f.deleted);
        if (!e.folder) {
            EXPECT_EQ(e.size, f.size);
        }
        ++compared;
    }
    EXPECT_EQ(compared, listed.size()) << "the engine lists entries that fls does not";
    EXPECT_GT(compared, 430u);
}

TEST_P(FatVolumeTest, SectorBySectorParseJoinsNamesAcrossSectors)
{
    const std::vector<ListedEntry> whole = ListVolume(*m_disk, m_volume, false);
    const std::vector<ListedEntry> bySector = ListVolume(*m_disk, m_volume, true);
    ASSERT_EQ(whole.size(), bySector.size());
    for (size_t i = 0; i < whole.size(); ++i)
        EXPECT_EQ(whole[i].path, bySector[i].path);
}

TEST_P(FatVolumeTest, FileContentsAgreeWithIcat)
{
    std::map<std::string, const ListedEntry*> ours;
    const std::vector<ListedEntry> listed = ListVolume(*m_disk, m_volume, false);
    for (const ListedEntry& e : listed)
        ours[Comparable(e.path, false)] = &e;
    size_t compared = 0;
    size_t fragmented = 0;
    for (const FlsEntry& f : m_fls) {
        const std::vector<uint8_t> expected = ReadBinaryFile(FixtureFile(kDisk, m_part + ".icat/" + f.address));
        if (f.deleted || f.type != "r/r" || expected.empty())
            continue;
        SCOPED_TRACE(m_part + ": " + f.path);
        auto it = ours.find(Comparable(f.path, false));
        ASSERT_NE(it, ours.end());
        EXPECT_TRUE(ReadFile(*m_disk, m_volume, it->second->entry) == expected);
        ++compared;
        FatTable fat(*m_disk, m_volume.layout.fileSystem, m_volume.layout.firstFat, m_volume.layout.sectorsPerFat,
            m_volume.layout.clusterCount);
        const std::vector<uint32_t> chain = FollowClusterChain(fat, it->second->entry.firstCluster, 100000);
        for (size_t i = 1; i < chain.size(); ++i)
            fragmented += chain[i] != chain[i - 1] + 1;
    }
    EXPECT_GE(compared, 8u);
    EXPECT_GE(fragmented, 1u) << "the fixture's fragmented file came out in one piece";
}

// Partition 1: FAT16, 16 MiB (the 16-bit sector total), 4 sectors per cluster. Partition 2: FAT32 at
// one sector per cluster, whose "many" folder spans more than 100 clusters. Partition 4: FAT16 with
// one FAT.
INSTANTIATE_TEST_SUITE_P(Fixture, FatVolumeTest, ::testing::Values(1, 2, 4));

TEST(FatVolumeLayout, BootSectorsOfTheFixture)
{
    RawFileSectorSource disk(FixtureFile(kDisk, "disk.raw"));
    ASSERT_TRUE(disk.IsOpen());
    FatVolume fat16, fat32, oneFat;
    ASSERT_TRUE(OpenVolume(disk, 2048, fat16));
    ASSERT_TRUE(OpenVolume(disk, 36864, fat32));
    ASSERT_TRUE(OpenVolume(disk, 159744, oneFat));
    EXPECT_EQ(fat16.layout.fileSystem, FileSystemKind::kFat16);
    EXPECT_EQ(fat16.boot.totalSectors, 32768u);
    EXPECT_EQ(fat32.layout.fileSystem, FileSystemKind::kFat32);
    EXPECT_EQ(oneFat.boot.numberOfFats, 1u);
    EXPECT_EQ(oneFat.layout.secondFat, 0u);
    EXPECT_EQ(oneFat.layout.rootDirectory, oneFat.layout.firstFat + oneFat.layout.sectorsPerFat);

    // mkfs.fat ends the FAT32 root folder's chain with 0x0FFFFFF8.
    FatTable table(disk, FileSystemKind::kFat32, fat32.layout.firstFat, fat32.layout.sectorsPerFat,
        fat32.layout.clusterCount);
    uint32_t next = 0;
    EXPECT_EQ(table.Lookup(fat32.layout.rootCluster, next), FatLink::End);
    EXPECT_EQ(FollowClusterChain(table, fat32.layout.rootCluster, 1000),
        std::vector<uint32_t>{fat32.layout.rootCluster});
}

TEST(FatVolumeLayout, TheActiveFatIsReadFirstWhereTheFatsAreNotMirrored)
{
    // FAT32 keeps its flags at 40: bit 7 set, only the FAT that bits 0-3 number is kept up to date.
    // On FAT16 the same bytes belong to the volume's serial number.
    RawFileSectorSource disk(FixtureFile(kDisk, "disk.raw"));
    ASSERT_TRUE(disk.IsOpen());
    for (const uint64_t start : {uint64_t{2048}, uint64_t{36864}}) {
        uint8_t sector[kSectorSize];
        ASSERT_TRUE(disk.ReadSectors(start, 1, sector));
        const FileSystemKind kind = FileSystemFromBootText(sector, sizeof sector);
        const bool fat32 = kind == FileSystemKind::kFat32;
        for (const uint8_t flags : {0x00, 0x01, 0x80, 0x81, 0x82, 0x8F}) {
            sector[40] = flags;
            FatBootSector boot;
            ASSERT_TRUE(ParseFatBootSector(sector, sizeof sector, kind, boot));
            const FatLayout layout = MakeFatLayout(boot, start);
            const uint64_t fat1 = start + boot.reservedSectors, fat2 = fat1 + boot.sectorsPerFat;
            const bool secondActive = fat32 && flags == 0x81;
            EXPECT_EQ(layout.firstFat, secondActive ? fat2 : fat1) << start << " " << int{flags};
            EXPECT_EQ(layout.secondFat, secondActive ? fat1 : fat2) << start << " " << int{flags};
            EXPECT_EQ(layout.rootDirectory, fat1 + 2ull * boot.sectorsPerFat) << start << " " << int{flags};
        }
    }
}

}  // namespace morvick::test
