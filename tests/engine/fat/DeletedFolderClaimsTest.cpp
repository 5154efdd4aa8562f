// Two deleted folder entries that name one first cluster: the folder there is the one whose stamp its
// "." entry repeats, then the one whose parent its ".." names, else the later made; whatever the
// order the entries are met in. The cluster's start is read once, and never off the volume.
#include "engine/fat/DeletedFolderClaims.h"

#include "engine/volume/MemorySectorSource.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using morvick::DeletedFolderClaims;
using morvick::FatFoundEntry;
using Claim = DeletedFolderClaims::Claim;

constexpr uint32_t kClusters = 10;  // clusters 2 to 11, one sector each, cluster N at sector N
constexpr uint16_t kDate2019 = ((2019 - 1980) << 9) | (8 << 5) | 10;
constexpr uint16_t kDate2023 = ((2023 - 1980) << 9) | (3 << 5) | 2;
constexpr uint16_t kTen = 10 << 11;
constexpr uint16_t kEleven = 11 << 11;

struct Stamp {
    uint16_t date = 0;
    uint16_t time = 0;
    uint8_t hundredths = 0;
};

FatFoundEntry Folder(uint32_t cluster, uint32_t parent, Stamp created, Stamp written)
{
    FatFoundEntry e;
    e.folder = true;
    e.deleted = true;
    e.firstCluster = cluster;
    e.parentCluster = parent;
    e.created = {created.date, created.time, created.hundredths};
    e.writeDate = written.date;
    e.writeTime = written.time;
    return e;
}

FatFoundEntry Made(uint32_t cluster, Stamp stamp, uint32_t parent = 0)
{
    return Folder(cluster, parent, stamp, {stamp.date, stamp.time, 0});
}

void PutShort(uint8_t* at, const char* name, uint32_t cluster, Stamp created, Stamp written)
{
    std::memset(at, ' ', 11);
    std::memcpy(at, name, std::strlen(name));
    at[11] = 0x10;
    at[13] = created.hundredths;
    const uint16_t fields[][2] = {{14, created.time}, {16, created.date}, {22, written.time}, {24, written.date},
        {26, static_cast<uint16_t>(cluster)}, {20, static_cast<uint16_t>(cluster >> 16)}};
    for (const auto& [offset, value] : fields) {
        at[offset] = static_cast<uint8_t>(value);
        at[offset + 1] = static_cast<uint8_t>(value >> 8);
    }
}

class DeletedFolderClaimsTest : public ::testing::Test {
protected:
    // Cluster `cluster` begins a folder: "." naming `self` with the stamps, ".." naming `parent`.
    void PutStart(uint32_t cluster, uint32_t self, uint32_t parent, Stamp created, Stamp written)
    {
        uint8_t* sector = disk.Bytes().data() + size_t{cluster} * 512;
        PutShort(sector, ".", self, created, written);
        PutShort(sector + 32, "..", parent, created, written);
    }

    // A disk that counts its reads.
    class CountingDisk : public morvick::MemorySectorSource {
    public:
        using MemorySectorSource::MemorySectorSource;
        bool ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer) override
        {
            ++reads;
            return MemorySectorSource::ReadSectors(sector, count, buffer);
        }
        int reads = 0;
    };

    CountingDisk disk{std::vector<uint8_t>(16 * 512)};
    DeletedFolderClaims claims{disk, false, 0, 1, kClusters};
};

}  // namespace

// The older folder's entry and the later one's, met in either order: the later one's stamp, which the
// "." entry repeats, keeps the folder, and so does the one whose hundredths of a second it repeats
// where both were made in the same two seconds; the later made loses where the "." is not its own.
TEST_F(DeletedFolderClaimsTest, TheFolderIsTheEntryWhoseStampTheDotEntryRepeats)
{
    const Stamp older{kDate2019, kTen}, later{kDate2023, kEleven, 40}, sameTime{kDate2023, kEleven, 90};
    for (uint32_t cluster : {5u, 6u, 7u})
        PutStart(cluster, cluster, 0, later, later);
    EXPECT_EQ(claims.Weigh(Made(5, older)), Claim::kFirst);
    EXPECT_EQ(claims.Weigh(Made(5, later)), Claim::kBetter);
    EXPECT_EQ(claims.Weigh(Made(5, older)), Claim::kWorse);

    EXPECT_EQ(claims.Weigh(Made(6, later)), Claim::kFirst);
    EXPECT_EQ(claims.Weigh(Made(6, older)), Claim::kWorse);

    // Made 0.5 s after the folder the "." entry is: later, but not that folder.
    EXPECT_EQ(claims.Weigh(Made(7, later)), Claim::kFirst);
    EXPECT_EQ(claims.Weigh(Made(7, sameTime)), Claim::kWorse);
}

// A writer that keeps no time of making (0 in the "." entry): the time written is compared instead.
TEST_F(DeletedFolderClaimsTest, WithoutATimeOfMakingTheTimeWrittenIsRepeated)
{
    const Stamp none{}, older{kDate2019, kTen}, later{kDate2023, kEleven};
    PutStart(5, 5, 0, none, older);
    EXPECT_EQ(claims.Weigh(Folder(5, 0, none, later)), Claim::kFirst);
    EXPECT_EQ(claims.Weigh(Folder(5, 0, none, older)), Claim::kBetter);
}

// A folder moved and then deleted leaves its old entry and its new one, both of its stamps: the ".."
// entry names the parent it was moved to.
TEST_F(DeletedFolderClaimsTest, OfTwoEntriesOfOneStampTheOneWhoseParentTheDotDotNames)
{
    const Stamp made{kDate2019, kTen};
    PutStart(5, 5, 9, made, made);
    PutStart(6, 6, 9, made, made);
    EXPECT_EQ(claims.Weigh(Made(5, made, 3)), Claim::kFirst);
    EXPECT_EQ(claims.Weigh(Made(5, made, 9)), Claim::kBetter);
    EXPECT_EQ(claims.Weigh(Made(6, made, 9)), Claim::kFirst);
    EXPECT_EQ(claims.Weigh(Made(6, made, 3)), Claim::kWorse);
}

// A folder made in another folder, moved, then deleted: its old entry keeps its stamp, and its ".."
// names the parent it was moved to, where an older folder's entry of the cluster lies. The stamp the
// "." entry repeats outweighs the parent the ".." names, whichever entry is met first.
TEST_F(DeletedFolderClaimsTest, TheRepeatedStampOutweighsTheParentTheDotDotNames)
{
    const Stamp older{kDate2019, kTen}, later{kDate2023, kEleven};
    PutStart(5, 5, 0, later, later);
    PutStart(6, 6, 0, later, later);
    EXPECT_EQ(claims.Weigh(Made(5, older, 0)), Claim::kFirst);
    EXPECT_EQ(claims.Weigh(Made(5, later, 9)), Claim::kBetter);
    EXPECT_EQ(claims.Weigh(Made(6, later, 9)), Claim::kFirst);
    EXPECT_EQ(claims.Weigh(Made(6, older, 0)), Claim::kWorse);
    // The stamp decides where its entry is the older one too, over the later made.
    PutStart(7, 7, 0, older, older);
    EXPECT_EQ(claims.Weigh(Made(7, later, 0)), Claim::kFirst);
    EXPECT_EQ(claims.Weigh(Made(7, older, 9)), Claim::kBetter);
}

// No "." entry of the cluster's own (none, one naming another cluster, a cluster off the volume):
// never the older folder's name; of two of one stamp the first met keeps it.
TEST_F(DeletedFolderClaimsTest, WithoutTheClustersOwnStartTheLaterMadeKeepsIt)
{
    const Stamp older{kDate2019, kTen}, later{kDate2023, kEleven};
    PutStart(6, 8, 0, older, older);
    PutStart(12, 12, 0, older, older);  // past the volume's clusters
    for (uint32_t cluster : {5u, 6u, 12u}) {
        SCOPED_TRACE(cluster);
        EXPECT_EQ(claims.Weigh(Made(cluster, older)), Claim::kFirst);
        EXPECT_EQ(claims.Weigh(Made(cluster, later)), Claim::kBetter);
        EXPECT_EQ(claims.Weigh(Made(cluster, older)), Claim::kWorse);
        EXPECT_EQ(claims.Weigh(Made(cluster, later)), Claim::kWorse);
    }
    // Clusters 5 and 6 read once each; 12 never.
    EXPECT_EQ(disk.reads, 2);
}

// An entry whose stamp the "." entry repeats is the folder's own, alone too: its time of making, else
// where the "." keeps none its time written. Never an entry of another stamp, nor where the cluster
// holds no "." of its own; the cluster's start is read once, for Weigh too.
TEST_F(DeletedFolderClaimsTest, TheDotEntryRepeatsTheStampOfTheFolderMadeThere)
{
    const Stamp none{}, older{kDate2019, kTen}, later{kDate2023, kEleven, 40}, sameTime{kDate2023, kEleven, 90};
    PutStart(5, 5, 0, later, later);
    PutStart(6, 6, 0, none, older);
    PutStart(7, 8, 0, later, later);
    PutStart(12, 12, 0, later, later);  // past the volume's clusters
    EXPECT_TRUE(claims.DotRepeatsStamp(Made(5, later, 9)));
    EXPECT_FALSE(claims.DotRepeatsStamp(Made(5, older)));
    EXPECT_FALSE(claims.DotRepeatsStamp(Made(5, sameTime)));
    EXPECT_EQ(claims.Weigh(Made(5, older)), Claim::kFirst);
    EXPECT_EQ(claims.Weigh(Made(5, later, 9)), Claim::kBetter);

    EXPECT_TRUE(claims.DotRepeatsStamp(Folder(6, 0, none, older)));
    EXPECT_FALSE(claims.DotRepeatsStamp(Folder(6, 0, none, later)));
    for (uint32_t cluster : {4u, 7u, 12u})
        EXPECT_FALSE(claims.DotRepeatsStamp(Made(cluster, later))) << cluster;
    EXPECT_EQ(disk.reads, 4);  // clusters 4 to 7
}
