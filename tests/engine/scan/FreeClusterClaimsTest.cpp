// The free clusters that the search for a deleted folder's later clusters walks, from FATs that can
// only partly be read: a FAT sector that cannot be read frees none of its clusters, and costs one
// read, however many clusters it holds; none past the disk's end is tried. A deleted file's claim
// gives its last cluster, and tells the folders of the files between two clusters apart.
#include "engine/scan/FreeClusterClaims.h"
#include "engine/volume/MemorySectorSource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

namespace {

// A disk in memory that counts the reads asked of it and fails those of the sectors in `unreadable`.
class CountingSource : public morvick::MemorySectorSource {
public:
    CountingSource(uint32_t sectors, std::set<uint64_t> unreadable)
        : MemorySectorSource(std::vector<uint8_t>(size_t{sectors} * kSectorSize)), m_unreadable(std::move(unreadable))
    {}
    bool ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer) override
    {
        ++reads;
        for (uint64_t s = sector; s < sector + count; ++s) {
            if (m_unreadable.count(s) != 0)
                return false;
        }
        return MemorySectorSource::ReadSectors(sector, count, buffer);
    }
    uint64_t reads = 0;

private:
    std::set<uint64_t> m_unreadable;
};

VolumeParameterBlock FatBlock(FileSystemKind kind, uint32_t firstFat, uint32_t sectorsPerFat)
{
    VolumeParameterBlock b{};
    b.browsedFileSystemType = kind;
    b.firstFat = firstFat;
    b.sectorsPerFat = sectorsPerFat;
    b.sectorsPerCluster = 1;
    return b;
}

using Runs = std::vector<std::pair<uint32_t, uint32_t>>;

}  // namespace

// A FAT16 FAT of three sectors whose middle one cannot be read: the clusters of the other two stay
// free (cluster n at index n - 2), those of the middle one are not, and each sector is read once.
TEST(FreeClusterClaims, AnUnreadableFatSectorFreesNoneOfItsClusters)
{
    CountingSource disk(16, {11});
    const FreeClusterClaims claims(disk, FatBlock(FileSystemKind::kFat16, 10, 3), 3 * 256 - 2, {});
    EXPECT_EQ(claims.Runs(), (Runs{{0, 254}, {510, 766}}));
    EXPECT_EQ(claims.FreeCount(), 254u + 256u);
    EXPECT_LE(disk.reads, 3u);
}

// A FAT that the volume's parameters put past the end of the disk (a damaged boot sector or
// snapshot claiming a huge volume over a small image) is not walked: it was read again for every one
// of its clusters.
TEST(FreeClusterClaims, AFatPastTheDisksEndIsNotWalked)
{
    constexpr uint32_t kClusters = 1000000;
    constexpr uint32_t kFatSectors = (kClusters + 2 + 127) / 128;
    CountingSource disk(64, {});
    const FreeClusterClaims claims(disk, FatBlock(FileSystemKind::kFat32, 100, kFatSectors), kClusters, {});
    EXPECT_TRUE(claims.Runs().empty());
    EXPECT_LE(disk.reads, 1u);
}

// The stop test comes at every cluster (each is a step that a Stop question holds): a walk that is
// never stopped tests at least once for each of its clusters, and a stop asked at the tenth test ends
// the walk there, with no runs kept. It was tested once for 65,536 clusters.
TEST(FreeClusterClaims, TheStopTestComesAtEveryCluster)
{
    constexpr uint32_t kClusters = 3 * 256 - 2;
    CountingSource disk(16, {});
    int walked = 0;
    const FreeClusterClaims whole(disk, FatBlock(FileSystemKind::kFat16, 10, 3), kClusters, [&walked] {
        ++walked;
        return false;
    });
    EXPECT_GE(walked, static_cast<int>(kClusters));
    EXPECT_EQ(whole.Runs(), (Runs{{0, kClusters}}));

    int tests = 0;
    const FreeClusterClaims stopped(disk, FatBlock(FileSystemKind::kFat16, 10, 3), kClusters, [&tests] {
        return ++tests == 10;
    });
    EXPECT_EQ(tests, 10);
    EXPECT_TRUE(stopped.Runs().empty());
}

// A deleted file's claim runs over the free clusters, past one in use, and gives its last cluster
// where it ran its whole count (not where a folder's cluster cut it short). Between two clusters of
// one folder, a claim of that folder's file does not part them; one of another folder's file, or a
// cluster taken for a folder, does.
TEST(FreeClusterClaims, AClaimGivesItsLastClusterAndTellsWhoseFilesLieBetween)
{
    std::vector<uint8_t> bytes(16 * kSectorSize);
    // Cluster 12 (index 10) in use: its FAT16 entry in the FAT's first sector, sector 10.
    bytes[10 * kSectorSize + 2 * 12] = 0xFF;
    bytes[10 * kSectorSize + 2 * 12 + 1] = 0xFF;
    morvick::MemorySectorSource disk(std::move(bytes));
    FreeClusterClaims claims(disk, FatBlock(FileSystemKind::kFat16, 10, 3), 3 * 256 - 2, {});
    ASSERT_FALSE(claims.IsFree(10));

    EXPECT_EQ(claims.Claim(5, 8, 1), 13u);
    EXPECT_EQ(claims.Claim(20, 2, 1), 21u);
    EXPECT_TRUE(claims.IsClaimed(13));
    EXPECT_FALSE(claims.IsClaimed(14));
    EXPECT_FALSE(claims.OtherFolderBetween(4, 30, 1));

    EXPECT_EQ(claims.Claim(25, 1, 2), 25u);
    EXPECT_TRUE(claims.OtherFolderBetween(4, 30, 1));
    EXPECT_FALSE(claims.OtherFolderBetween(4, 25, 1)) << "a claim from the second cluster lies not between";
    EXPECT_TRUE(claims.OtherFolderBetween(4, 30, 2));

    claims.TakeForFolder(23);
    EXPECT_TRUE(claims.OtherFolderBetween(4, 24, 1));
    EXPECT_FALSE(claims.OtherFolderBetween(4, 23, 1));
    EXPECT_EQ(claims.Claim(17, 10, 3), UINT32_MAX) << "cut short by the folder's cluster";
    EXPECT_TRUE(claims.IsClaimed(22));
    EXPECT_EQ(claims.Claim(23, 1, 3), UINT32_MAX) << "a folder's cluster is claimed by no file";
}

// Many files of one folder between two of its clusters, and a few of other folders, written at
// different times: the answer for every range, owner and time is the one a walk over each claim
// gives, across the blocks the claims are kept in and at their edges.
TEST(FreeClusterClaims, OtherFolderBetweenAnswersAsAWalkOverEveryClaimDoes)
{
    std::vector<uint8_t> bytes(64 * kSectorSize);
    morvick::MemorySectorSource disk(std::move(bytes));
    FreeClusterClaims claims(disk, FatBlock(FileSystemKind::kFat16, 10, 40), 40 * 256 - 2, {});
    struct Made {
        uint32_t first;
        uint64_t owner;
        uint32_t written;
    };
    std::vector<Made> made;
    for (uint32_t i = 0; i < 1000; ++i) {
        const uint64_t owner = i % 97 == 5 ? 2 : i % 211 == 7 ? 3 : 1;
        const uint32_t written = 1000 + (i * 37) % 500;
        ASSERT_NE(claims.Claim(2 * i + 1, 1, owner, written), UINT32_MAX);
        made.push_back({2 * i + 1, owner, written});
    }
    auto walk = [&made](uint32_t a, uint32_t b, uint64_t owner, uint32_t time) {
        for (const Made& m : made) {
            if (m.first > a && m.first < b && m.owner != owner && m.written >= time)
                return true;
        }
        return false;
    };
    for (uint32_t a = 0; a < 2000; a += 61) {
        for (uint32_t b = a; b < 2002; b += 43) {
            for (uint64_t owner = 1; owner <= 3; ++owner) {
                for (uint32_t time : {0u, 1200u, 1490u, 1600u})
                    ASSERT_EQ(claims.OtherFolderBetween(a, b, owner, time), walk(a, b, owner, time))
                        << a << " " << b << " " << owner << " " << time;
            }
        }
    }
}
