// The read-ahead of a sector source: whatever the order and size of the requests, each gets the
// sectors the disk holds there, with few large reads of the disk for requests in its order, up to the
// disk's end; a window the disk cannot read whole leaves each request to the disk.
#include "engine/volume/MemorySectorSource.h"
#include "engine/volume/ReadAheadSectorSource.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// A disk of `sectors` sectors, each filled with its number's low byte, that counts its reads and
// fails any that touches a bad sector.
class CountingDisk : public morvick::SectorSource {
public:
    explicit CountingDisk(uint32_t sectors) : m_disk(Bytes(sectors)) {}
    bool ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer) override
    {
        ++reads;
        for (uint64_t s = sector; s < sector + count; ++s) {
            if (bad.count(s) != 0)
                return false;
        }
        return m_disk.ReadSectors(sector, count, buffer);
    }
    uint64_t SectorCount() const override { return m_disk.SectorCount(); }

    size_t reads = 0;
    std::set<uint64_t> bad;

private:
    static std::vector<uint8_t> Bytes(uint32_t sectors)
    {
        std::vector<uint8_t> bytes(size_t{sectors} * kSectorSize);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(i / kSectorSize);
        return bytes;
    }
    morvick::MemorySectorSource m_disk;
};

bool Holds(const std::vector<uint8_t>& buffer, uint64_t first, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i) {
        for (size_t b = 0; b < kSectorSize; ++b) {
            if (buffer[i * kSectorSize + b] != static_cast<uint8_t>(first + i))
                return false;
        }
    }
    return true;
}

}  // namespace

TEST(ReadAheadSectorSource, RequestsInTheDisksOrderCostFewReadsAndGetTheirSectors)
{
    CountingDisk disk(100);
    morvick::ReadAheadSectorSource ahead(disk, 16);
    std::vector<uint8_t> buffer(4 * kSectorSize);
    // Records of two sectors in order, across the windows' ends, to the disk's last sector.
    for (uint64_t s = 0; s + 2 <= 100; s += 2) {
        ASSERT_TRUE(ahead.ReadSectors(s, 2, buffer.data())) << s;
        EXPECT_TRUE(Holds(buffer, s, 2)) << s;
    }
    EXPECT_LE(disk.reads, 7u) << "one read of a window of 16 for each 16 sectors";
    // Back to the start, and a request across a window's end.
    ASSERT_TRUE(ahead.ReadSectors(3, 1, buffer.data()));
    EXPECT_TRUE(Holds(buffer, 3, 1));
    ASSERT_TRUE(ahead.ReadSectors(17, 4, buffer.data()));
    EXPECT_TRUE(Holds(buffer, 17, 4));
    // Past the disk's end nothing is read.
    EXPECT_FALSE(ahead.ReadSectors(99, 2, buffer.data()));
}

TEST(ReadAheadSectorSource, AWindowThatCannotBeReadLeavesEachRequestToTheDisk)
{
    CountingDisk disk(64);
    disk.bad = {20};
    morvick::ReadAheadSectorSource ahead(disk, 16);
    std::vector<uint8_t> buffer(2 * kSectorSize);
    ASSERT_TRUE(ahead.ReadSectors(16, 2, buffer.data()));
    EXPECT_TRUE(Holds(buffer, 16, 2));
    EXPECT_FALSE(ahead.ReadSectors(20, 1, buffer.data()));
    ASSERT_TRUE(ahead.ReadSectors(22, 2, buffer.data()));
    EXPECT_TRUE(Holds(buffer, 22, 2));
    const size_t reads = disk.reads;
    ASSERT_TRUE(ahead.ReadSectors(24, 2, buffer.data()));
    EXPECT_EQ(disk.reads, reads + 1) << "the failed window is not tried again for a request it spans";
}
