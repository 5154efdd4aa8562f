// A folder made in Sorted, moved to the root and deleted there, whose first cluster an older deleted
// folder of the root named too (make-moved-folder-disk.sh): the later folder's old entry in Sorted
// keeps the stamp that the cluster's "." entry repeats, and the holiday folder's entry lies in the
// root that its ".." entry names. The stamp decides: both scans list the three notes once, under the
// later folder's name in Sorted, with the bytes tsk_recover saves for them there (it lists them under
// both names), and none under the holiday folder's; the Extensive Scan, which finds the folder by its
// "." and ".." entries under the root, moves it into Sorted for that entry. A snapshot of either scan
// loaded over the disk saves the same files.
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/OracleComparedDisk.h"

#include <gtest/gtest.h>

#include <string>

namespace morvick::test {

namespace {

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-moved-folder-disk.sh"}));

class MovedFolderDisk : public OracleComparedDisk {};

}  // namespace

TEST_P(MovedFolderDisk, TheStampTheDotEntryRepeatsOutweighsTheParentItsDotDotNames)
{
    ASSERT_NO_FATAL_FAILURE(ScanSaveAndLoad("make-moved-folder-disk.sh", "moved"));
    const std::string later = "/sorted/later notes written after the trip/";
    const auto notes = TheirsBelow(later);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(ExpectSavedBelow(notes, later), notes.size());
    EXPECT_EQ(OursBelow("/holiday photos 2019/"), 0u);
    EXPECT_EQ(ExpectSameBytes(ours, TheirsBelow("/trip plan.txt")), 1u);
    EXPECT_EQ(ours.size(), 4u + 1u);  // the notes, the plan and the empty letter
}

INSTANTIATE_TEST_SUITE_P(Scans, MovedFolderDisk, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace morvick::test
