// A deleted file of 2,048 records shaped as live 8.3 entries, each naming a photo's first cluster:
// half the live photos of DCIM/100CANON, half those of the deleted DCIM/101CANON
// (make-entry-record-disks.sh: FAT32 and FAT16 of 512-byte clusters, the file's deleted entry found
// or gone). Every photo the records name is named by another entry, or in use: the records prove
// nothing, give no file and hide none of 101CANON's clusters. Both scans, and their snapshots loaded
// over the disk, save every file that tsk_recover saves, and no other.
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/scan/OracleComparedDisk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace morvick::test {

namespace {

const char* const kScript = "make-entry-record-disks.sh";

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({kScript}));

class EntryRecordDisk : public OracleComparedDisk {};

}  // namespace

TEST_P(EntryRecordDisk, RecordsNamingOtherPhotosGiveNoFileAndHideNoFolder)
{
    for (const char* name : {"fat32", "fat32-bare", "fat16", "fat16-bare"}) {
        SCOPED_TRACE(name);
        oursByBytes.clear();
        std::filesystem::remove_all(temp.Path() / "out");
        ASSERT_NO_FATAL_FAILURE(ScanSaveAndLoad(kScript, name));
        EXPECT_EQ(std::count_if(ours.begin(), ours.end(),
                      [](const auto& e) { return e.first.find("/pic_") != std::string::npos; }),
            0);
        const auto live = TheirsBelow("/dcim/100canon/");
        ASSERT_EQ(live.size(), 1024u);
        EXPECT_EQ(ExpectSavedBelow(live, "/dcim/100canon/"), live.size());
        // tsk_recover knows the deleted folder by its first cluster alone: the others are its orphans,
        // and ours are under Lost Dir (nothing ties 101CANON's later clusters of short names to it).
        auto old = TheirsBelow("/dcim/?01canon/");
        const auto orphans = Theirs(true);
        old.insert(orphans.begin(), orphans.end());
        ASSERT_EQ(old.size(), 1024u);
        EXPECT_EQ(ExpectSavedBelow(old, "/"), old.size());
        EXPECT_EQ(ours.size(), theirs.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Scans, EntryRecordDisk, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace morvick::test
