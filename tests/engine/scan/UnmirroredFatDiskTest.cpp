// A FAT32 volume whose FATs are not mirrored and whose second FAT is the active one, the first
// stale (make-unmirrored-fat-disk.sh): in both scans FRAG.BIN, stored in pieces, is saved byte for
// byte (its first cluster starts another chain of as many clusters in the stale FAT), and LIST/
// lists and saves all 40 of its files (in the stale FAT it ends after its first cluster). A snapshot
// of the Quick Scan loads back and saves the same. With the stale FAT's first sector zeroed, the
// volume is read all the same: the active FAT is the one its boot sector is checked by.
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/BothScansDisk.h"

#include <gtest/gtest.h>

#include <string>

namespace fs = std::filesystem;

namespace morvick::test {

namespace {

static auto* const g_disk =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-unmirrored-fat-disk.sh"}));

const char* const kScript = "make-unmirrored-fat-disk.sh";

// FRAG.BIN and the 40 files of LIST/ below `out`, each as written; the test fails for each other.
void ExpectChainsOfTheActiveFat(const fs::path& out)
{
    const std::string frag = ReadWholeFile(FixtureFile(kScript, "files/FRAG.BIN"));
    ASSERT_EQ(frag.size(), 4000u);
    EXPECT_TRUE(ReadWholeFile(out / "FRAG.BIN") == frag);
    size_t listed = 0;
    for (const auto& [key, path] : FilesBelow(out / "LIST", false)) {
        EXPECT_TRUE(ReadWholeFile(path) == ReadWholeFile(FixtureFile(kScript, "files/" + path.filename().u8string())))
            << key;
        ++listed;
    }
    EXPECT_EQ(listed, 40u);
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
}

using UnmirroredFat = BothScansDisk;

TEST_P(UnmirroredFat, ChainsAreReadFromTheActiveFat)
{
    ASSERT_FALSE(FixtureFolder(kScript).empty());
    Scan(FixtureFile(kScript, "unmirrored.vhd"), 0);
    ExpectChainsOfTheActiveFat(SaveAll("out"));
    if (GetParam() != ScanKind::kQuick)
        return;

    const std::u16string snapshot = ToPath16(temp.Path() / "unmirrored.srzq");
    ASSERT_TRUE(SaveSnapshotFile(snapshot));
    FreeFoundEntryLists();
    g_VolumeParams = VolumeParameterBlock();
    ASSERT_TRUE(LoadSnapshotFile(snapshot));
    ExpectChainsOfTheActiveFat(SaveAll("loaded"));
}

TEST_P(UnmirroredFat, AStaleFirstFatWhoseFirstSectorIsDamagedLeavesTheVolumeRead)
{
    ASSERT_FALSE(FixtureFolder(kScript).empty());
    Scan(FixtureFile(kScript, "damaged.vhd"), 0);
    ExpectChainsOfTheActiveFat(SaveAll("out"));
}

INSTANTIATE_TEST_SUITE_P(Scans, UnmirroredFat, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive), ScanKindName);

}  // namespace

}  // namespace morvick::test
