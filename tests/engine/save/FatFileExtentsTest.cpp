// Where the FAT saver reads a file: the walk of a long chain ends as soon as the save is stopped or
// the file skipped, and a volume rebuilt without its FATs (its cluster count unknown) gives the
// file's clusters one after the other up to the volume's end.
#include "engine/save/EngineReset.h"
#include "engine/save/FatFileExtents.h"
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "engine/volume/MemorySectorSource.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

constexpr uint32_t kFatStart = 1;
constexpr uint32_t kSectorsPerFat = 16;  // 4,096 FAT16 entries
constexpr uint32_t kClusterBase = 40;

// Counts the reads of a disk and raises a flag of the save after the first one, as the saving
// dialog's Stop or Skip would while the FAT is being walked.
class FlagRaisingDisk : public morvick::SectorSource {
public:
    FlagRaisingDisk(morvick::SectorSource& base, std::atomic<int32_t>& flag) : m_base(base), m_flag(flag) {}
    bool ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer) override
    {
        ++reads;
        m_flag = 1;
        return m_base.ReadSectors(sector, count, buffer);
    }
    uint64_t SectorCount() const override { return m_base.SectorCount(); }

    int reads = 0;

private:
    morvick::SectorSource& m_base;
    std::atomic<int32_t>& m_flag;
};

class FatFileExtentsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        VolumeParameterBlock& b = g_VolumeParams;
        b.browsedFileSystemType = FileSystemKind::kFat16;
        b.sectorsPerCluster = 1;
        b.clusterBase = kClusterBase;
        b.partitionSectors = kClusterBase + 4096;
    }
    void TearDown() override { ResetEngineState(); }

    morvick::MemorySectorSource disk{std::vector<uint8_t>((kClusterBase + 4096) * 512, 0)};
};

}  // namespace

TEST_F(FatFileExtentsTest, StopAndSkipEndTheWalkOfTheChain)
{
    // A chain of 3,000 clusters from cluster 2 over twelve FAT sectors.
    std::vector<uint8_t>& bytes = disk.Bytes();
    for (uint32_t c = 2; c < 3002; ++c) {
        const uint16_t next = c == 3001 ? 0xFFFF : static_cast<uint16_t>(c + 1);
        bytes[kFatStart * 512 + c * 2] = static_cast<uint8_t>(next);
        bytes[kFatStart * 512 + c * 2 + 1] = static_cast<uint8_t>(next >> 8);
    }
    g_VolumeParams.firstFat = kFatStart;
    g_VolumeParams.sectorsPerFat = kSectorsPerFat;
    {
        std::atomic<int32_t> unused{0};
        FlagRaisingDisk whole(disk, unused);
        const std::vector<SectorExtent> extents = FatFileExtents(whole, 2, 3000, false);
        ASSERT_EQ(extents.size(), 1u);
        EXPECT_EQ(extents[0].sector, kClusterBase + 2u);
        EXPECT_EQ(extents[0].count, 3000u);
        EXPECT_EQ(whole.reads, 12);
    }
    for (std::atomic<int32_t>* flag : {&g_nSaveStop, &g_nSaveSkip}) {
        ResetSaveState();
        FlagRaisingDisk raising(disk, *flag);
        EXPECT_TRUE(FatFileExtents(raising, 2, 3000, false).empty());
        EXPECT_EQ(raising.reads, 1) << (flag == &g_nSaveStop ? "stop" : "skip");
    }
}

TEST_F(FatFileExtentsTest, WithoutAClusterCountTheClustersFollowEachOtherUpToTheVolumesEnd)
{
    // No FAT and no sectors per FAT: a volume found from its folders alone.
    std::vector<SectorExtent> extents = FatFileExtents(disk, 5, 3, false);
    ASSERT_EQ(extents.size(), 1u);
    EXPECT_EQ(extents[0].sector, kClusterBase + 5u);
    EXPECT_EQ(extents[0].count, 3u);
    // The end of the range scanned bounds it, and the volume's own end when that is known.
    extents = FatFileExtents(disk, 4090, 20, false);
    ASSERT_EQ(extents.size(), 1u);
    EXPECT_EQ(extents[0].count, 6u);
    g_VolumeParams.volumeEnd = kClusterBase + 100;
    extents = FatFileExtents(disk, 90, 20, false);
    ASSERT_EQ(extents.size(), 1u);
    EXPECT_EQ(extents[0].count, 10u);
    EXPECT_TRUE(FatFileExtents(disk, 100, 1, false).empty());
}

TEST_F(FatFileExtentsTest, ADeletedFileTakesTheFreeClustersAfterItsFirstOnly)
{
    // Two FATs: clusters 4 and 5 are a live file's, the rest free. A deleted file of five clusters
    // from cluster 2 was written around that file: 2, 3, then 6, 7, 8.
    std::vector<uint8_t>& bytes = disk.Bytes();
    const uint32_t secondFat = kFatStart + kSectorsPerFat;
    const auto put = [&bytes](uint32_t fat, uint32_t cluster, uint16_t value) {
        bytes[fat * 512 + cluster * 2] = static_cast<uint8_t>(value);
        bytes[fat * 512 + cluster * 2 + 1] = static_cast<uint8_t>(value >> 8);
    };
    for (uint32_t fat : {kFatStart, secondFat}) {
        put(fat, 0, 0xFFF8);
        put(fat, 1, 0xFFFF);
        put(fat, 4, 5);
        put(fat, 5, 0xFFFF);
    }
    g_VolumeParams.firstFat = kFatStart;
    g_VolumeParams.secondFat = secondFat;
    g_VolumeParams.sectorsPerFat = kSectorsPerFat;
    using Runs = std::vector<std::pair<uint64_t, uint64_t>>;
    const auto sectors = [](const std::vector<SectorExtent>& extents) {
        Runs out;
        for (const SectorExtent& e : extents)
            out.emplace_back(e.sector, e.count);
        return out;
    };
    const Runs around = {{kClusterBase + 2, 2}, {kClusterBase + 6, 3}};
    EXPECT_EQ(sectors(FatFileExtents(disk, 2, 5, true)), around);
    // A live file whose chain broke off still takes the clusters that follow its first one.
    EXPECT_EQ(sectors(FatFileExtents(disk, 2, 5, false)), (Runs{{kClusterBase + 2, 5}}));
    // A deleted file whose first cluster another file took has nothing of its own left.
    EXPECT_TRUE(FatFileExtents(disk, 4, 2, true).empty());
    // A first FAT that was wiped tells nothing: the second does. Without either, the clusters follow
    // each other.
    std::fill(bytes.begin() + kFatStart * 512, bytes.begin() + secondFat * 512, 0);
    EXPECT_EQ(sectors(FatFileExtents(disk, 2, 5, true)), around);
    std::fill(bytes.begin() + secondFat * 512, bytes.begin() + (secondFat + kSectorsPerFat) * 512, 0);
    EXPECT_EQ(sectors(FatFileExtents(disk, 2, 5, true)), (Runs{{kClusterBase + 2, 5}}));
}
