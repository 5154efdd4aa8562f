#include "engine/ntfs/RunList.h"

#include <gtest/gtest.h>

namespace morvick::test {

namespace {

struct Extent {
    uint64_t length;
    uint64_t lcn;
    bool sparse;
    bool operator==(const Extent& o) const { return length == o.length && lcn == o.lcn && sparse == o.sparse; }
};

void PrintTo(const Extent& r, std::ostream* os)
{
    *os << "{" << r.length << ", " << r.lcn << (r.sparse ? ", sparse}" : "}");
}

std::vector<Extent> Decode(const std::vector<uint8_t>& bytes, bool expectOk = true, uint64_t volumeClusters = 0)
{
    std::vector<DataRun> runs;
    EXPECT_EQ(DecodeRunList(bytes.data(), bytes.size(), runs, volumeClusters), expectOk);
    std::vector<Extent> out;
    for (const DataRun& r : runs)
        out.push_back({r.length, r.sparse ? 0 : r.lcn, r.sparse});
    return out;
}

}  // namespace

TEST(RunList, DeltasAreSignedAndSparseRunsKeepTheBase)
{
    // A two-byte delta FE FF is -2: back to cluster 0.
    EXPECT_EQ(Decode({0x11, 0x10, 0x02, 0x21, 0x10, 0xFE, 0xFF, 0x00}), (std::vector<Extent>{{16, 2, false}, {16, 0, false}}));
    // A four-byte delta of 4096 moves forward.
    EXPECT_EQ(Decode({0x11, 0x01, 0x10, 0x41, 0x01, 0x00, 0x10, 0x00, 0x00, 0x00}),
              (std::vector<Extent>{{1, 16, false}, {1, 16 + 4096, false}}));
    // A sparse run between two real ones: the next delta counts from the last real run.
    EXPECT_EQ(Decode({0x21, 0x04, 0x00, 0x01, 0x01, 0x08, 0x11, 0x02, 0x10, 0x00}),
              (std::vector<Extent>{{4, 256, false}, {8, 0, true}, {2, 256 + 16, false}}));
    // Eight-byte fields, and a list that fills its buffer without a terminator.
    EXPECT_EQ(Decode({0x88, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}),
              (std::vector<Extent>{{1, 1ull << 32, false}}));
}

TEST(RunList, DamagedListsFail)
{
    Decode({0x19, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}, false);    // a nine-byte length
    Decode({0x91, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}, false);    // a nine-byte offset
    Decode({0x33, 1, 2}, false);                               // fields past the buffer
    Decode({0x10, 0x05, 0x00}, false);                         // no length bytes
    Decode({0x11, 0x00, 0x05, 0x00}, false);                   // a run of 0 clusters
    Decode({0x11, 0x01, 0x05, 0x11, 0x01, 0xF0, 0x00}, false); // below cluster 0
    Decode({0x18, 1, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x00}, true);
    // Past the volume.
    Decode({0x11, 0x04, 0x10, 0x00}, true, 20);
    Decode({0x11, 0x05, 0x10, 0x00}, false, 20);
    Decode({0x11, 0x01, 0x7F, 0x11, 0x01, 0x7F, 0x00}, false, 200);
    // Deltas that overflow 64 bits.
    Decode({0x81, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x81, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
            0xFF, 0x7F, 0x00},
           false);
}

TEST(RunList, TablesMapRelativeSectors)
{
    std::vector<DataRun> runs;
    const std::vector<uint8_t> bytes = {0x11, 0x02, 0x0A, 0x01, 0x03, 0x11, 0x01, 0x0A, 0x00};
    ASSERT_TRUE(DecodeRunList(bytes.data(), bytes.size(), runs));
    SectorRunTable table;
    ASSERT_TRUE(AppendRunsToTable(runs, 1000, 8, table));
    EXPECT_EQ(table.start, (std::vector<uint64_t>{1080, 0, 1160}));
    EXPECT_EQ(table.length, (std::vector<uint64_t>{16, 24, 8}));
    EXPECT_EQ(table.TotalSectors(), 48u);
    uint64_t sector = 0;
    ASSERT_TRUE(MapRelativeSector(table, 0, sector));
    EXPECT_EQ(sector, 1080u);
    ASSERT_TRUE(MapRelativeSector(table, 15, sector));
    EXPECT_EQ(sector, 1095u);
    EXPECT_FALSE(MapRelativeSector(table, 16, sector));  // sparse
    ASSERT_TRUE(MapRelativeSector(table, 41, sector));
    EXPECT_EQ(sector, 1161u);
    EXPECT_FALSE(MapRelativeSector(table, 48, sector));  // past the last run
    EXPECT_FALSE(MapRelativeSector(SectorRunTable(), 0, sector));
    EXPECT_FALSE(AppendRunsToTable({{2, UINT64_MAX / 4, false}}, 0, 8, table));
}

}  // namespace morvick::test
