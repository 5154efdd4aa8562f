// Every container the readers know, written by the tests' own writers, read back through the
// facade: whole disks in odd chunks, reads over block ends, the last sector, and reads past the end.
// Sectors that the image does not hold (unwritten blocks, sectors of a differencing image's parent)
// read as zeros, never as whatever the file holds elsewhere.
#include "ImageWriters.h"

#include "engine/image/SectorReader.h"
#include "engine/image/VirtualDisk.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr uint64_t MiB = 1u << 20;

const Bytes& SourceDisk()
{
    static const Bytes disk = MakePatternDisk(12 * MiB + 4096,
        {
            {0, 4096},               // the first sectors
            {MiB - 1024, 2048},      // over the first 1 MiB boundary
            {2 * MiB - 512, 1024},   // over the first 2 MiB boundary
            {5 * MiB + 1536, 2560},  // odd sectors inside a block
            {8 * MiB - 1536, 512},   // the end of a 4 MiB block
            {12 * MiB, 4096},        // the partial last block
        });
    return disk;
}

const std::map<std::string, Bytes>& Images()
{
    static const std::map<std::string, Bytes> images = [] {
        std::map<std::string, Bytes> m;
        const Bytes& d = SourceDisk();
        m["vhd-fixed"] = MakeFixedVhd(d);
        m["vhd-dynamic-2M"] = MakeDynamicVhd(d, {});
        VhdLayout moved;
        moved.blockSize = 512 * 1024;
        moved.headerOffset = 4096;
        moved.extraTableEntries = 3;
        m["vhd-dynamic-512K-moved-header"] = MakeDynamicVhd(d, moved);
        VhdLayout big;
        big.blockSize = 4 * MiB;  // a two-sector bitmap
        m["vhd-dynamic-4M"] = MakeDynamicVhd(d, big);
        VhdLayout differencing;
        differencing.diskType = 4;
        m["vhd-differencing-2M"] = MakeDynamicVhd(d, differencing);
        VhdLayout odd;  // block sizes that are no power of two: a one-sector and a two-sector bitmap
        odd.blockSize = 1536 * 1024;
        odd.diskType = 4;
        m["vhd-differencing-1536K"] = MakeDynamicVhd(d, odd);
        odd.blockSize = 3 * MiB;
        odd.diskType = 3;
        m["vhd-dynamic-3M"] = MakeDynamicVhd(d, odd);
        m["vhdx-1M"] = MakeVhdx(d, {});
        VhdxLayout zero;
        zero.blockSize = 2 * MiB;
        zero.unwrittenState = 2;
        m["vhdx-2M-zero-state"] = MakeVhdx(d, zero);
        VhdxLayout unmapped;
        unmapped.unwrittenState = 3;
        unmapped.logicalSectorSize = 4096;
        m["vhdx-1M-4K-sectors"] = MakeVhdx(d, unmapped);
        VhdxLayout differencingX;
        differencingX.hasParent = true;
        m["vhdx-differencing-1M"] = MakeVhdx(d, differencingX);
        return m;
    }();
    return images;
}

class ContainerTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        const Bytes& image = Images().at(GetParam());
        const uint32_t type = GetParam().rfind("vhdx", 0) == 0 ? CVirtualDisk::kVhdx : CVirtualDisk::kVhd;
        ASSERT_NE(disk.Create(type), nullptr);
        ASSERT_EQ(disk.OpenMemory(image.data(), image.size()), 1) << GetParam();
    }

    // Compares a read of count bytes at offset with the source disk.
    void ExpectRead(uint64_t offset, size_t count)
    {
        Bytes got(count, 0x5A);
        ASSERT_EQ(disk.ReadAt(offset, got.data(), count), 1) << GetParam() << " at " << offset << " for " << count;
        EXPECT_EQ(0, std::memcmp(got.data(), SourceDisk().data() + offset, count))
            << GetParam() << " differs at " << offset << " for " << count;
    }

    CVirtualDisk disk;
};

TEST_P(ContainerTest, DiskSizeIsTheSourceSize)
{
    EXPECT_EQ(disk.GetDiskSize(), SourceDisk().size());
}

TEST_P(ContainerTest, WholeDiskInOddChunksEqualsTheSource)
{
    const size_t chunk = 61 * 512;
    const uint64_t size = SourceDisk().size();
    for (uint64_t at = 0; at < size; at += chunk)
        ExpectRead(at, static_cast<size_t>(std::min<uint64_t>(chunk, size - at)));
}

TEST_P(ContainerTest, ReadsOverBlockEnds)
{
    for (uint64_t boundary = 512 * 1024; boundary + 30720 <= SourceDisk().size(); boundary += 512 * 1024) {
        ExpectRead(boundary - 512, 30720);  // 512 bytes before the end, the rest from the next block
        ExpectRead(boundary - 1536, 3 * 512);
        ExpectRead(boundary - 1, 2);  // not even sector aligned
    }
    ExpectRead(MiB - 512, 3 * MiB);  // a span over several blocks
}

TEST_P(ContainerTest, LastSectorReadsAndPastTheEndFails)
{
    const uint64_t size = SourceDisk().size();
    ExpectRead(size - 512, 512);
    Bytes buffer(1024);
    EXPECT_EQ(disk.ReadAt(size - 512, buffer.data(), 1024), 0);
    EXPECT_EQ(disk.ReadAt(size, buffer.data(), 1), 0);
    EXPECT_EQ(disk.ReadAt(UINT64_MAX - 10, buffer.data(), 512), 0);
    EXPECT_EQ(disk.Seek(size + 512), 0);
    EXPECT_EQ(disk.Read(buffer.data(), 512), 0);
    EXPECT_EQ(disk.Seek(size - 512), 1);
    EXPECT_EQ(disk.Read(buffer.data(), 512), 1);
    EXPECT_EQ(0, std::memcmp(buffer.data(), SourceDisk().data() + size - 512, 512));
}

TEST_P(ContainerTest, ReadSectorsReadsThroughTheCurrentFacade)
{
    SetCurrentVirtualDisk(&disk);
    g_wSourceType = kSourceDisk;
    g_hDevice = kInvalidEngineHandle;  // a failed device open does not stop image reads
    Bytes got(129 * 512);
    const uint32_t sector = static_cast<uint32_t>(2 * MiB / 512 - 3);
    EXPECT_EQ(ReadSectors(CurrentDevicePath(), sector, 0, 129, got.data()), 1);
    EXPECT_EQ(0, std::memcmp(got.data(), SourceDisk().data() + uint64_t(sector) * 512, got.size()));
    const uint32_t sectors = static_cast<uint32_t>(SourceDisk().size() / 512);
    EXPECT_EQ(ReadSectors(CurrentDevicePath(), sectors - 1, 0, 1, got.data()), 1);
    EXPECT_EQ(ReadSectors(CurrentDevicePath(), sectors - 1, 0, 2, got.data()), 0);
    EXPECT_EQ(ReadSectors(CurrentDevicePath(), 0, 1, 1, got.data()), 0);  // sector 2^32
    SetCurrentVirtualDisk(nullptr);
    g_hDevice = 0;
    g_wSourceType = kSourceBranchHeader;
}

std::string CaseName(const ::testing::TestParamInfo<std::string>& info)
{
    std::string name;
    for (char c : info.param)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(AllContainers, ContainerTest,
    ::testing::Values("vhd-fixed", "vhd-dynamic-2M", "vhd-dynamic-512K-moved-header", "vhd-dynamic-4M",
        "vhd-differencing-2M", "vhd-differencing-1536K", "vhd-dynamic-3M", "vhdx-1M", "vhdx-2M-zero-state",
        "vhdx-1M-4K-sectors", "vhdx-differencing-1M"),
    CaseName);

}  // namespace
