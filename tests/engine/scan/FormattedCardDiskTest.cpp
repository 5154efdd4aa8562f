// Camera cards formatted again after use, on which the camera made its photo folder again and took 10
// new photos (make-formatted-card.sh, FAT32 and FAT16 of 8 KiB clusters). The old folders' later
// clusters, and the first of the old folder the new one did not take, lie free with their entries
// live: the photos they name begin with the JPEG signature at their first clusters, so they are this
// volume's, and in both scans, and from their snapshots loaded over the disk, every photo that
// tsk_recover saves comes back with its bytes: the 10 new in the new folder, the 546 old ones
// besides.
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/scan/OracleComparedDisk.h"

#include <gtest/gtest.h>

#include <string>

namespace morvick::test {

namespace {

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-formatted-card.sh"}));

const char* const kScript = "make-formatted-card.sh";

class FormattedCard : public OracleComparedDisk {};

}  // namespace

TEST_P(FormattedCard, TheOldFoldersLaterPhotosComeBackBesideTheNewOnes)
{
    for (const char* card : {"card32", "card16"}) {
        SCOPED_TRACE(card);
        oursByBytes.clear();
        std::filesystem::remove_all(temp.Path() / "out");
        ASSERT_NO_FATAL_FAILURE(ScanSaveAndLoad(kScript, card));
        const auto taken = Theirs(false);
        ASSERT_EQ(taken.size(), 10u);
        EXPECT_EQ(ExpectSavedBelow(taken, "/dcim/100canon/"), taken.size());
        const auto old = Theirs(true);
        ASSERT_EQ(old.size(), 546u);
        EXPECT_EQ(ExpectSavedBelow(old, "/"), old.size());
        EXPECT_EQ(ours.size(), 556u);
    }
}

INSTANTIATE_TEST_SUITE_P(Scans, FormattedCard, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace morvick::test
