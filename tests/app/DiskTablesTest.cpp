// The drive page's table of the opened image: exactly one entry however often the image is chosen
// again, and a geometry that never describes more than the disk holds.
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
    EXPECT_EQ(g_TotalSectors[0], 40800u);

    // The Extensive Scan's first range is that whole disk.
    ChooseWholeDisk(0);
    EXPECT_EQ(g_VolumeParams.chosenFileSystemType, FileSystemKind::kNtfs);
    EXPECT_EQ(g_VolumeParams.partitionStart, 0u);
    EXPECT_EQ(g_VolumeParams.partitionSectors, 40800u);
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
