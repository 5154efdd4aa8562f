// Deleted files whose clusters other files took or lie between (make-deleted-around-live-disk.sh,
// FAT16): in both scans, DIR/AROUND.BIN, deleted after it was written around DIR/LIVE.BIN, is saved
// byte for byte as tsk_recover saves it, but counted damaged: the FAT no longer tells it from a file
// cut by one written into it later. GONE.BIN, whose clusters OTHER/NEW.BIN took, is saved with none
// of NEW.BIN's bytes and reported damaged.
#include "engine/save/SaveState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/BothScansDisk.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace morvick::test {

namespace {

static auto* const g_disk =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-deleted-around-live-disk.sh"}));

const char* const kScript = "make-deleted-around-live-disk.sh";

using DeletedAroundLive = BothScansDisk;

TEST_P(DeletedAroundLive, ADeletedFileTakesNoClusterOfAnotherFile)
{
    ASSERT_FALSE(FixtureFolder(kScript).empty());
    Scan(FixtureFile(kScript, "around.vhd"), 0);
    const fs::path out = SaveAll("out");

    const std::string around = ReadWholeFile(FixtureFile(kScript, "files/AROUND.BIN"));
    ASSERT_EQ(around.size(), 2560u);
    EXPECT_TRUE(ReadWholeFile(out / "DIR" / "xROUND.BIN") == around);
    EXPECT_TRUE(ReadWholeFile(FixtureFile(kScript, "recover/DIR/_ROUND.BIN")) == around);
    EXPECT_TRUE(ReadWholeFile(out / "DIR" / "LIVE.BIN") == ReadWholeFile(FixtureFile(kScript, "files/LIVE.BIN")));
    EXPECT_TRUE(ReadWholeFile(out / "OTHER" / "NEW.BIN") == ReadWholeFile(FixtureFile(kScript, "files/NEW.BIN")));

    // GONE.BIN's first cluster is NEW.BIN's now: nothing of it is left to save.
    ASSERT_TRUE(fs::exists(out / "xONE.BIN"));
    EXPECT_EQ(fs::file_size(out / "xONE.BIN"), 0u);
    EXPECT_TRUE(Listed(g_SaveReport.damagedPaths, u"xONE.BIN"));
    // LIVE.BIN lies within AROUND.BIN's size after its first cluster: its bytes past LIVE.BIN could
    // as well be another deleted file's.
    EXPECT_TRUE(Listed(g_SaveReport.damagedPaths, u"xROUND.BIN"));
    EXPECT_EQ(g_SaveReport.cutPaths.size(), 1u);
    EXPECT_TRUE(Listed(g_SaveReport.cutPaths, u"xROUND.BIN"));
    EXPECT_EQ(g_SaveReport.damagedFiles, 2u);
    EXPECT_EQ(g_SaveReport.savedFiles, 2u);
    EXPECT_EQ(g_SaveReport.failedFiles, 0u);
}

INSTANTIATE_TEST_SUITE_P(Scans, DeletedAroundLive, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace

}  // namespace morvick::test
