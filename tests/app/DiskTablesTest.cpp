// The drive page's table of the opened image: exactly one entry however often the image is chosen
// again, a geometry that never describes more than the disk holds, and the disk's whole size as its
// total wherever the geometry covers less.
#include <gtest/gtest.h>

#include "app/DiskTables.h"
#include "engine/image/VirtualDisk.h"
#include "engine/save/EngineReset.h"
#include "engine/state/EngineState.h"
#include "tests/engine/image/ImageWriters.h"

namespace morvick::test {
namespace {

class OpenedImage : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetEngineState();
    }

    // A fixed VHD of `sectors` sectors whose footer gives the geometry C/H/S.
    void Open(uint64_t sectors, uint16_t cylinders, uint8_t heads, uint8_t perTrack)
    {
        m_image = MakeFixedVhd(Bytes(sectors * 512, 0));
        const uint64_t footer = m_image.size() - 512;
        m_image[footer + 56] = static_cast<uint8_t>(cylinders >> 8);
        m_image[footer + 57] = static_cast<uint8_t>(cylinders);
        m_image[footer + 58] = heads;
        m_image[footer + 59] = perTrack;
        FixVhdFooterChecksum(m_image, footer);
        ASSERT_TRUE(m_disk.Create(CVirtualDisk::kVhd));
        ASSERT_TRUE(m_disk.OpenMemory(m_image.data(), m_image.size()));
        SetCurrentVirtualDisk(&m_disk);
        g_nImageKind = kImageVhd;
    }

    // A dynamic VHD of `bytes` with the largest geometry a footer holds, as qemu-img writes it for any
    // disk past 127.5 GiB; no block is allocated (64 MiB blocks keep its table small).
    void OpenLarge(uint64_t bytes)
    {
        constexpr uint32_t kBlock = 64u << 20;
        VhdLayout layout;
        layout.blockSize = kBlock;
        layout.extraTableEntries = static_cast<uint32_t>(bytes / kBlock - 1);
        m_image = MakeDynamicVhd(Bytes(512, 0), layout);
        for (uint64_t footer : {uint64_t{0}, uint64_t{m_image.size() - 512}}) {
            for (int i = 0; i < 8; ++i) {
                m_image[footer + 40 + i] = static_cast<uint8_t>(bytes >> (56 - 8 * i));  // original size
                m_image[footer + 48 + i] = static_cast<uint8_t>(bytes >> (56 - 8 * i));  // current size
            }
            m_image[footer + 56] = 0xFF;
            m_image[footer + 57] = 0xFF;
            m_image[footer + 58] = 16;
            m_image[footer + 59] = 255;
            FixVhdFooterChecksum(m_image, footer);
        }
        ASSERT_TRUE(m_disk.Create(CVirtualDisk::kVhd));
        ASSERT_TRUE(m_disk.OpenMemory(m_image.data(), m_image.size()));
        ASSERT_EQ(m_disk.GetDiskSize(), bytes);
        SetCurrentVirtualDisk(&m_disk);
        g_nImageKind = kImageVhd;
    }

    Bytes m_image;
    CVirtualDisk m_disk;
};

TEST_F(OpenedImage, ChoosingTheSameImageAgainKeepsOneEntry)
{
    ASSERT_NO_FATAL_FAILURE(Open(4080 * 3, 3, 16, 255));
    EXPECT_EQ(AddVirtualDiskEntry(), 0);
    EXPECT_EQ(AddVirtualDiskEntry(), 0);
    EXPECT_EQ(g_nVirtualDiskCount, 1);
    EXPECT_STREQ(g_DiskNames[0], "Virtual Hard Disk");
    EXPECT_EQ(g_TotalSectors[0], 4080u * 3);
    EXPECT_EQ(DiskTotalSectors(0), 4080u * 3);
    EXPECT_EQ(DiskTotalSectors(1), 0u) << "no second entry";
}

TEST_F(OpenedImage, AGeometryLargerThanTheDiskIsCutToTheCylindersItHolds)
{
    // The largest geometry a footer can hold, on a disk of 10 cylinders and a half.
    ASSERT_NO_FATAL_FAILURE(Open(4080 * 10 + 2040, 65535, 16, 255));
    AddVirtualDiskEntry();
    EXPECT_EQ(g_DeviceGeometry.cylinders[0], 10u);
    EXPECT_EQ(g_DeviceGeometry.heads[0], 16u);
    EXPECT_EQ(g_DeviceGeometry.sectorsPerTrack[0], 255u);
    EXPECT_EQ(g_TotalSectors[0], 42840u) << "the half cylinder is the disk's too";

    // The Extensive Scan's first range is that whole disk, its last half cylinder included.
    ChooseWholeDisk(0);
    EXPECT_EQ(g_VolumeParams.chosenFileSystemType, FileSystemKind::kNtfs);
    EXPECT_EQ(g_VolumeParams.partitionStart, 0u);
    EXPECT_EQ(g_VolumeParams.partitionSectors, 42840u);
}

TEST_F(OpenedImage, TheTotalIsTheDisksSizeWhereTheGeometryCoversLess)
{
    // The geometry the VHD format's rule makes of 2,048 sectors (as Windows writes it): 30 x 4 x 17,
    // whole cylinders that stop 8 sectors short.
    ASSERT_NO_FATAL_FAILURE(Open(2048, 30, 4, 17));
    AddVirtualDiskEntry();
    EXPECT_EQ(g_DeviceGeometry.cylinders[0], 30u);
    EXPECT_EQ(g_TotalSectors[0], 2048u);
    ChooseWholeDisk(0);
    EXPECT_EQ(g_VolumeParams.partitionSectors, 2048u);

    // 200 GiB behind the largest geometry (65535 x 16 x 255 sectors, 127.5 GiB).
    constexpr uint64_t kLarge = uint64_t{200} << 30;
    ASSERT_NO_FATAL_FAILURE(OpenLarge(kLarge));
    AddVirtualDiskEntry();
    EXPECT_EQ(g_DeviceGeometry.cylinders[0], 65535u);
    EXPECT_EQ(g_DeviceGeometry.heads[0], 16u);
    EXPECT_EQ(g_DeviceGeometry.sectorsPerTrack[0], 255u);
    EXPECT_EQ(g_TotalSectors[0], kLarge / 512);
    EXPECT_EQ(DiskTotalSectors(0), kLarge / 512);
    ChooseWholeDisk(0);
    EXPECT_EQ(g_VolumeParams.partitionSectors, kLarge / 512);

    // Past 2^32 sectors the 32-bit fields hold the largest count, never the low half of the true one.
    constexpr uint64_t kHuge = uint64_t{3} << 40;
    ASSERT_NO_FATAL_FAILURE(OpenLarge(kHuge));
    AddVirtualDiskEntry();
    EXPECT_EQ(g_TotalSectors[0], 0xFFFFFFFFu);
    EXPECT_EQ(DiskTotalSectors(0), kHuge / 512);
    ChooseWholeDisk(0);
    EXPECT_EQ(g_VolumeParams.partitionSectors, 0xFFFFFFFFu);
}

TEST_F(OpenedImage, AVhdxEntryHasNoGeometryButTheFacadesSize)
{
    ASSERT_NO_FATAL_FAILURE(Open(2048, 1, 16, 128));
    g_nImageKind = kImageVhdx;  // read as the kind without a geometry
    AddVirtualDiskEntry();
    EXPECT_EQ(g_DeviceGeometry.cylinders[0], 0u);
    EXPECT_EQ(g_TotalSectors[0], 0u);
    EXPECT_EQ(DiskTotalSectors(0), 2048u);
}

}  // namespace
}  // namespace morvick::test
