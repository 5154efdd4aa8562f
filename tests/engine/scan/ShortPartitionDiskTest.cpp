// A FAT16 volume longer than its partition entry (make-short-partition-disk.sh): END/TAIL.BIN takes
// the volume's last two clusters, and the entry ends 2 sectors into the last. Both scans save it
// whole, as tsk_recover does, where the image holds the volume and nothing else lies past the
// entry's end; where the image is cut there or another partition starts there, the Quick Scan keeps
// to the entry and saves the file cut, reported damaged.
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/BothScansDisk.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace morvick::test {

namespace {

static auto* const g_disk =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-short-partition-disk.sh"}));

const char* const kScript = "make-short-partition-disk.sh";

using ShortPartition = BothScansDisk;

TEST_P(ShortPartition, TheFileAtTheVolumesEndIsSavedWhole)
{
    ASSERT_FALSE(FixtureFolder(kScript).empty());
    Scan(FixtureFile(kScript, "short.vhd"), 0);
    const fs::path out = SaveAll("out");
    const std::string tail = ReadWholeFile(FixtureFile(kScript, "TAIL.BIN"));
    ASSERT_EQ(tail.size(), 6044u);
    EXPECT_TRUE(ReadWholeFile(FixtureFile(kScript, "recover/END/TAIL.BIN")) == tail);
    EXPECT_TRUE(ReadWholeFile(out / "END" / "TAIL.BIN") == tail);
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
}

INSTANTIATE_TEST_SUITE_P(Scans, ShortPartition, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

// The Extensive Scan goes by the boot sector alone: only the Quick Scan keeps to the entry.
using QuickScanOfShortPartition = ScannedDisk;

TEST_F(QuickScanOfShortPartition, AFileCutAtThePartitionsEndIsReportedDamaged)
{
    ASSERT_FALSE(FixtureFolder(kScript).empty());
    const std::string tail = ReadWholeFile(FixtureFile(kScript, "TAIL.BIN"));
    for (const char* image : {"short-cut.vhd", "short-next.vhd"}) {
        Scan(ScanKind::kQuick, FixtureFile(kScript, image), 0);
        const uint32_t sectors = g_VolumeParams.partitionSectors;  // the block is packed: no references into it
        EXPECT_EQ(sectors, 32762u) << image;
        const fs::path out = SaveAll(image);
        // Its first cluster, the one that lies inside the entry.
        EXPECT_TRUE(ReadWholeFile(out / "END" / "TAIL.BIN") == tail.substr(0, 4096)) << image;
        EXPECT_EQ(g_SaveReport.damagedFiles, 1u) << image;
        EXPECT_TRUE(Listed(g_SaveReport.damagedPaths, u"TAIL.BIN")) << image;
        EXPECT_EQ(g_SaveReport.failedFiles, 0u) << image;
    }
}

}  // namespace

}  // namespace morvick::test
