// ReadSectors over its two sources: the logical drive handle and the facade; and the facade's
// dispatch when no reader or no image is there.
#include "ImageWriters.h"

#include "engine/save/EngineReset.h"
#include "engine/image/SectorReader.h"
#include "engine/image/VhdDisk.h"
#include "engine/image/VirtualDisk.h"
#include "engine/io/NativeFile.h"
#include "engine/util/Utf.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

constexpr uint64_t MiB = 1u << 20;

class SectorReaderTest : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetEngineState();
    }
};

TEST_F(SectorReaderTest, NoFacadeNoRead)
{
    g_wSourceType = kSourceDisk;
    uint8_t buffer[512];
    EXPECT_EQ(ReadSectors(CurrentDevicePath(), 0, 0, 1, buffer), 0);
}

TEST_F(SectorReaderTest, FacadeWithoutReaderOrImageFails)
{
    CVirtualDisk disk;
    uint8_t buffer[512];
    EXPECT_EQ(disk.Create(7), nullptr);
    EXPECT_EQ(disk.Open(u"whatever.vhd"), 0);
    EXPECT_EQ(disk.Seek(0), 0);
    EXPECT_EQ(disk.Read(buffer, 512), 0);
    EXPECT_EQ(disk.Close(), 0);
    EXPECT_EQ(disk.GetDiskSize(), 0u);
    ASSERT_NE(disk.Create(CVirtualDisk::kVhdx), nullptr);
    SetCurrentVirtualDisk(&disk);
    g_wSourceType = kSourceDisk;
    EXPECT_EQ(ReadSectors(CurrentDevicePath(), 0, 0, 1, buffer), 0);  // created, never opened
    EXPECT_EQ(disk.GetCylinders(), 0);
    EXPECT_EQ(disk.GetSectorsPerTrack(), 0);
}

TEST_F(SectorReaderTest, TheReaderIsChosenByTheNameAndAFailedOpenSaysWhy)
{
    EXPECT_EQ(VirtualDiskTypeOfPath(u"C:\\images\\disk.vhd"), CVirtualDisk::kVhd);
    EXPECT_EQ(VirtualDiskTypeOfPath(u"/images/Disk.VHDX"), CVirtualDisk::kVhdx);
    EXPECT_EQ(VirtualDiskTypeOfPath(u"disk.vhd.bak"), CVirtualDisk::kNone);
    EXPECT_EQ(VirtualDiskTypeOfPath(u"disk"), CVirtualDisk::kNone);
    EXPECT_EQ(VirtualDiskTypeOfPath(u"folder.vhd/disk"), CVirtualDisk::kNone);

    CVirtualDisk disk;
    EXPECT_EQ(disk.OpenFailure(), ImageOpenFailure::kUnknownKind);
    ASSERT_NE(disk.Create(CVirtualDisk::kVhdx), nullptr);
    const Bytes notVhdx = MakeFixedVhd(MakePatternDisk(1 << 20, {{0, 512}}));
    EXPECT_EQ(disk.OpenMemory(notVhdx.data(), notVhdx.size()), 0);
    EXPECT_EQ(disk.OpenFailure(), ImageOpenFailure::kNoVhdxIdentifier);
    EXPECT_STRNE(ImageOpenFailureText(disk.OpenFailure()), ImageOpenFailureText(ImageOpenFailure::kEndsBeforeData));
}

TEST_F(SectorReaderTest, GeometryComesFromAVhdOnly)
{
    const Bytes image = MakeFixedVhd(MakePatternDisk(2 * MiB, {{0, 512}}));
    CVirtualDisk disk;
    disk.Create(CVirtualDisk::kVhd);
    ASSERT_EQ(disk.OpenMemory(image.data(), image.size()), 1);
    EXPECT_EQ(disk.GetHeads(), 16);
    EXPECT_EQ(disk.GetSectorsPerTrack(), 63);
    EXPECT_EQ(disk.GetCylinders(), static_cast<int32_t>(2 * MiB / 512 / (16 * 63)));
    EXPECT_EQ(disk.GetDiskSize(), 2 * MiB);
    // Replacing the reader drops the old image.
    ASSERT_NE(disk.Create(CVirtualDisk::kVhd), nullptr);
    uint8_t buffer[512];
    EXPECT_EQ(disk.ReadAt(0, buffer, 512), 0);
}

TEST_F(SectorReaderTest, FirstSectorOfAFixedVhdIsTheFilesFirstSector)
{
    const Bytes image = MakeFixedVhd(MakePatternDisk(MiB, {{0, 4096}}));
    CVirtualDisk disk;
    disk.Create(CVirtualDisk::kVhd);
    ASSERT_EQ(disk.OpenMemory(image.data(), image.size()), 1);
    SetCurrentVirtualDisk(&disk);
    g_wSourceType = kSourceDisk;
    uint8_t buffer[512];
    ASSERT_EQ(ReadSectors(0, 1, buffer), 1);
    EXPECT_EQ(0, std::memcmp(buffer, image.data(), 512));
    EXPECT_EQ(ReadSectors(0, 0, buffer), 1);  // nothing asked, nothing read
}

TEST_F(SectorReaderTest, LogicalDriveReadsExactCountsWithoutWrapping)
{
    // A raw file stands in for the logical drive.
    // Other test runs on this machine may run at the same time: the name carries the process id.
    const std::string path = ::testing::TempDir() + "morvick-logical-drive-" + std::to_string(getpid()) + ".raw";
    const Bytes contents = MakePatternDisk(33 * MiB, {{0, 33 * MiB}});
    {
        FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        ASSERT_EQ(std::fwrite(contents.data(), 1, contents.size(), out), contents.size());
        std::fclose(out);
    }
    g_wSourceType = kSourceLogicalDrive;
    g_hVolume = OpenNativeFileForReading(Utf8ToUtf16(path), true);
    ASSERT_NE(g_hVolume, kInvalidEngineHandle);
    Bytes buffer(65536 * 512);
    // 65,536 sectors is a whole count, not 0.
    ASSERT_EQ(ReadSectors(CurrentDevicePath(), 10, 0, 65536, buffer.data()), 1);
    EXPECT_EQ(0, std::memcmp(buffer.data(), contents.data() + 10 * 512, buffer.size()));
    // A read running past the end of the drive fails rather than returning fewer bytes.
    const uint32_t last = static_cast<uint32_t>(contents.size() / 512 - 1);
    EXPECT_EQ(ReadSectors(CurrentDevicePath(), last, 0, 2, buffer.data()), 0);
    EXPECT_EQ(ReadSectors(CurrentDevicePath(), last, 0, 1, buffer.data()), 1);
    ResetEngineState();  // closes the handle
    EXPECT_EQ(g_hVolume, 0);
    std::remove(path.c_str());
}

TEST_F(SectorReaderTest, LogicalDriveOpensByItsLetterOnly)
{
    EXPECT_EQ(LogicalDrivePath(u"C:\\ (System)"), u"\\\\.\\C:");
    EXPECT_EQ(LogicalDrivePath(u"d:"), u"\\\\.\\d:");
    EXPECT_EQ(LogicalDrivePath(u""), u"");
    EXPECT_EQ(LogicalDrivePath(u"C"), u"");
    EXPECT_EQ(LogicalDrivePath(u"1:"), u"");
    EXPECT_EQ(LogicalDrivePath(u"..\\x"), u"");

    // A drive that cannot be opened leaves no handle behind, also not the one open before.
    const std::string path = ::testing::TempDir() + "morvick-logical-drive-open-" + std::to_string(getpid()) + ".raw";
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fclose(out);
    g_hVolume = OpenNativeFileForReading(Utf8ToUtf16(path), true);
    ASSERT_NE(g_hVolume, kInvalidEngineHandle);
    EXPECT_EQ(OpenLogicalDriveVolume(u"1:"), 0);
    EXPECT_EQ(g_hVolume, 0);
#ifndef _WIN32
    EXPECT_EQ(OpenLogicalDriveVolume(u"Q:"), 0);
    EXPECT_EQ(g_hVolume, 0);
#endif
    std::remove(path.c_str());
}

// The device path of g_wDeviceIndex opens into g_hDevice, the handle open before being closed first;
// a drive that is not there (the tenth here) leaves the failure's handle.
TEST_F(SectorReaderTest, PhysicalDriveOpenFailsCleanly)
{
    // The handle open before is a file's, which cannot be removed while it is open on Windows (and
    // whose descriptor is gone once closed elsewhere).
    const std::string path = ::testing::TempDir() + "morvick-device-open-" + std::to_string(getpid()) + ".raw";
    struct RemovedAtEnd {
        const std::string& path;
        ~RemovedAtEnd() { std::remove(path.c_str()); }
    } removedAtEnd{path};
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fclose(out);
    const EngineHandle before = OpenNativeFileForReading(Utf8ToUtf16(path));
    ASSERT_NE(before, kInvalidEngineHandle);
    g_hDevice = before;
    g_wDeviceIndex = 9;
    // What the device path gives when this test opens it itself: nothing on Linux and under Wine, a
    // handle on a computer with ten disks.
    const EngineHandle direct = OpenNativeFileForReading(Utf8ToUtf16(CurrentDevicePath()));
    const bool driveThere = direct != kInvalidEngineHandle;
    if (driveThere)
        CloseNativeFile(direct);
    const EngineHandle opened = OpenPhysicalDrive();
    EXPECT_EQ(std::remove(path.c_str()), 0) << "the handle open before is closed";
#ifndef _WIN32
    EXPECT_EQ(fcntl(before, F_GETFD), -1) << "the handle open before is closed";
    EXPECT_FALSE(driveThere) << "physical drives open only on Windows";
#endif
    if (driveThere) {
        EXPECT_NE(g_hDevice, kInvalidEngineHandle) << "the drive is there but was not opened";
        EXPECT_NE(g_hDevice, before);
    } else {
        EXPECT_EQ(g_hDevice, kInvalidEngineHandle) << "the device handle is not the failed open's";
    }
    EXPECT_EQ(opened, g_hDevice) << "the handle returned is not the device handle";
    if (g_hDevice != kInvalidEngineHandle && g_hDevice != before)
        CloseNativeFile(g_hDevice);
    g_hDevice = 0;
}

}  // namespace
