// The NTFS boot sector's counts in the engine's 512-byte sectors, whatever the volume's own sector
// size (512, 1,024, 2,048 or 4,096 bytes; any other is no boot sector the engine reads), and the
// sizes of its MFT records and index records.
#include "engine/ntfs/NtfsBootSector.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvick {
namespace {

// A boot sector of `bytes`-byte sectors, its counts in those sectors.
std::vector<uint8_t> Boot(uint16_t bytes, uint8_t spc, uint8_t recordByte, uint8_t indexByte)
{
    std::vector<uint8_t> s(512, 0);
    s[11] = static_cast<uint8_t>(bytes);
    s[12] = static_cast<uint8_t>(bytes >> 8);
    s[13] = spc;
    s[40] = 0x10;  // 10,000 sectors
    s[41] = 0x27;
    s[48] = 4;  // the MFT at cluster 4
    s[64] = recordByte;
    s[68] = indexByte;
    s[510] = 0x55;
    s[511] = 0xAA;
    return s;
}

TEST(NtfsBootSector, CountsAndRecordSizesInSectorsOf512Bytes)
{
    struct Case {
        uint16_t bytes;
        uint8_t spc, recordByte, indexByte;
        uint32_t sectorsPerCluster, sectorsPerMftRecord, sectorsPerIndexRecord;
    };
    const Case cases[] = {
        {512, 8, 0xF6, 1, 8, 2, 8},      // 4 KiB clusters, records of 1,024 bytes (2^10)
        {512, 1, 2, 8, 1, 2, 8},         // records of two 512-byte clusters
        {1024, 4, 0xF6, 1, 8, 2, 8},     // sectors of 1,024 bytes
        {2048, 2, 0xF4, 0xF4, 8, 8, 8},  // records of 2^12 bytes
        {4096, 1, 1, 1, 8, 8, 8},        // what mkntfs -s 4096 -c 4096 writes: records of a cluster
        {4096, 16, 0xF4, 0xF4, 128, 8, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bytes << " " << int{c.spc} << " " << int{c.recordByte});
        NtfsBootSector b;
        ASSERT_TRUE(ParseNtfsBootSector(Boot(c.bytes, c.spc, c.recordByte, c.indexByte).data(), 512, b));
        EXPECT_EQ(b.bytesPerSector, c.bytes);
        EXPECT_EQ(b.sectorsPerCluster, c.sectorsPerCluster);
        EXPECT_EQ(b.sectorsPerMftRecord, c.sectorsPerMftRecord);
        EXPECT_EQ(b.sectorsPerIndexRecord, c.sectorsPerIndexRecord);
        EXPECT_EQ(b.totalSectors, 10000u * c.bytes / 512);
        EXPECT_EQ(b.mftCluster, 4u);
    }
}

TEST(NtfsBootSector, AnMftRecordSizeThatIsNoneTheEngineReadsGivesWindowsSizeForTheSectors)
{
    // 512 bytes (-9), 64 KiB (-16), 8 KiB of clusters, 0: records of 1,024 bytes on volumes of
    // 512-byte sectors, of one sector on volumes of 4,096-byte ones.
    for (uint8_t recordByte : {0xF7, 0xF0, 2, 0}) {
        SCOPED_TRACE(int{recordByte});
        NtfsBootSector b;
        ASSERT_TRUE(ParseNtfsBootSector(Boot(512, 8, recordByte, 1).data(), 512, b));
        EXPECT_EQ(b.sectorsPerMftRecord, 2u);
        ASSERT_TRUE(ParseNtfsBootSector(Boot(4096, 1, recordByte == 2 ? 3 : recordByte, 1).data(), 512, b));
        EXPECT_EQ(b.sectorsPerMftRecord, 8u);
    }
}

TEST(NtfsBootSector, ASectorSizeTheEngineDoesNotReadOrClustersPast64KibAreNoBootSector)
{
    NtfsBootSector b;
    for (uint16_t bytes : {0, 256, 768, 1000, 8192, 0xFFFF})
        EXPECT_FALSE(ParseNtfsBootSector(Boot(bytes, 1, 1, 1).data(), 512, b)) << bytes;
    // 32 sectors of 4,096 bytes: clusters of 128 KiB.
    EXPECT_FALSE(ParseNtfsBootSector(Boot(4096, 32, 0xF4, 0xF4).data(), 512, b));
}

}  // namespace
}  // namespace morvick
