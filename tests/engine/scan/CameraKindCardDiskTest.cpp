// Camera cards of HEIC, CR2 and NEF photos, formatted again after use, on which the camera took 10 new
// photos or none (make-camera-kind-cards.sh, FAT32 of 8 KiB clusters). The old folders' clusters lie
// free with their entries live; the photos they name begin as their kinds do, which the File Trace's
// table does not know: they prove the folders this volume's all the same. Both scans, and their
// snapshots loaded over the disk, save every photo that tsk_recover saves: the new ones in the new
// folder, the old ones besides.
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/scan/OracleComparedDisk.h"

#include <gtest/gtest.h>

#include <string>

namespace morvick::test {

namespace {

const char* const kScript = "make-camera-kind-cards.sh";

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({kScript}));

class CameraKindCard : public OracleComparedDisk {};

}  // namespace

TEST_P(CameraKindCard, TheOldPhotosComeBackBesideTheNewOnes)
{
    struct Card {
        const char* name;
        const char* folder;
        size_t taken;
    };
    for (const Card& card : {Card{"heic", "/dcim/100apple/", 10}, Card{"cr2", "/dcim/100canon/", 10},
             Card{"nef", "/dcim/100nikon/", 10}, Card{"heic-bare", "", 0}, Card{"cr2-bare", "", 0}}) {
        SCOPED_TRACE(card.name);
        oursByBytes.clear();
        std::filesystem::remove_all(temp.Path() / "out");
        ASSERT_NO_FATAL_FAILURE(ScanSaveAndLoad(kScript, card.name));
        const auto taken = Theirs(false);
        ASSERT_EQ(taken.size(), card.taken);
        if (card.taken != 0)
            EXPECT_EQ(ExpectSavedBelow(taken, card.folder), taken.size());
        const auto old = Theirs(true);
        ASSERT_GE(old.size(), 40u);
        EXPECT_EQ(ExpectSavedBelow(old, "/"), old.size());
        EXPECT_EQ(ours.size(), theirs.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Scans, CameraKindCard, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace morvick::test
