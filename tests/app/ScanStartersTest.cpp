// The starters of the scans on a small FAT16 disk in memory: a Quick Scan that finds no partition
// parameters says so through its result and marks the failure, and the next scan starts with the
// mark cleared, so that a scan that works afterwards is not taken for a failed one.
#include <gtest/gtest.h>

#include "app/workers/ScanStarters.h"
#include "app/workers/WizardScanObserver.h"
#include "app/workers/WorkerProtocol.h"
#include "engine/save/EngineReset.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "tests/app/AppTestSupport.h"
#include "tests/engine/save/MemoryDisk.h"

namespace morvick::test {
namespace {

constexpr uint32_t kSectors = 64;

// A FAT16 volume of 64 sectors from sector 0: one reserved sector, two FATs of one sector, an empty
// root folder of 32 sectors. Without the boot sector and the FATs it is all zeros.
std::vector<uint8_t> Fat16Disk(bool formatted)
{
    std::vector<uint8_t> raw(kSectors * 512, 0);
    if (!formatted)
        return raw;
    Put16(raw, 11, 512);
    raw[13] = 1;        // sectors per cluster
    Put16(raw, 14, 1);  // reserved sectors
    raw[16] = 2;        // FATs
    Put16(raw, 17, 512);
    Put16(raw, 19, static_cast<uint16_t>(kSectors));
    raw[21] = 0xF8;
    Put16(raw, 22, 1);  // sectors per FAT
    PutBytes(raw, 54, "FAT16   ", 8);
    raw[510] = 0x55;
    raw[511] = 0xAA;
    for (uint64_t fat : {512u, 1024u}) {
        raw[fat] = 0xF8;
        raw[fat + 1] = 0xFF;
        raw[fat + 2] = 0xFF;
        raw[fat + 3] = 0xFF;
    }
    return raw;
}

class QuickScanStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        wizard::ResetWorkerProtocolForTests();
        wizard::InstallWizardObserver();
        wizard::SetWorkerReportSink(nullptr);
    }
    void TearDown() override
    {
        EXPECT_TRUE(wizard::StopWorkerAndWait(10000));
        wizard::UninstallWizardObserver();
        wizard::ResetWorkerProtocolForTests();
        ResetEngineState();
    }

    // Chooses the whole disk as a FAT16 partition and runs the Quick Scan to its end.
    int Scan()
    {
        g_wSourceType = kSourceDisk;
        g_nScanMode = kScanQuick;
        g_VolumeParams = VolumeParameterBlock();
        g_VolumeParams.chosenFileSystemType = FileSystemKind::kFat16;
        g_VolumeParams.partitionStart = 0;
        g_VolumeParams.partitionSectors = kSectors;
        g_VolumeParams.partitionEnd = kSectors - 1;
        EXPECT_TRUE(wizard::StartQuickScan(nullptr, nullptr));
        EXPECT_TRUE(PumpUntil([] { return wizard::IsWorkerOver(); }));
        return wizard::WorkerResult();
    }
};

TEST_F(QuickScanStart, AFailedScanIsReportedAndTheNextOneStartsWithTheMarkCleared)
{
    {
        MemoryDisk blank(Fat16Disk(false));
        ASSERT_TRUE(blank.Opened());
        EXPECT_EQ(Scan(), wizard::kOutcomeNoParameters);
        EXPECT_EQ(g_nScanFailed, 1);
    }
    MemoryDisk formatted(Fat16Disk(true));
    ASSERT_TRUE(formatted.Opened());
    EXPECT_EQ(Scan(), wizard::kOutcomeCompleted);
    EXPECT_EQ(g_nScanFailed, 0) << "the earlier failure no longer marks this scan";
}

}  // namespace
}  // namespace morvick::test
