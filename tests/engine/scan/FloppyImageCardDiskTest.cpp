// A card that once held a floppy image whose folder DOCS lists 300 files DOC00001.JPG ... at the
// floppy's cluster numbers (make-floppy-image-card.sh, FAT32 of 4 KiB clusters). DOCS's clusters lie
// free on the card with their entries live; on the card those numbers hold the live photos (in use,
// named by their own entries) and the image's own bytes: the entries prove nothing and give no file.
// Both scans, and their snapshots loaded over the disk, save the 200 photos and nothing else;
// tsk_recover saves the 300 DOC files too, as orphans, with the card's bytes at the floppy's numbers.
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/scan/OracleComparedDisk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace morvick::test {

namespace {

const char* const kScript = "make-floppy-image-card.sh";

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({kScript}));

class FloppyImageCard : public OracleComparedDisk {};

}  // namespace

TEST_P(FloppyImageCard, AnotherVolumesFolderGivesNoFile)
{
    ASSERT_NO_FATAL_FAILURE(ScanSaveAndLoad(kScript, "card"));
    const auto photos = TheirsBelow("/dcim/100photo/");
    ASSERT_EQ(photos.size(), 200u);
    EXPECT_EQ(ExpectSavedBelow(photos, "/dcim/100photo/"), photos.size());
    EXPECT_EQ(std::count_if(ours.begin(), ours.end(),
                  [](const auto& e) { return e.first.find("/doc0") != std::string::npos; }),
        0);
    EXPECT_EQ(ours.size(), photos.size());
}

INSTANTIATE_TEST_SUITE_P(Scans, FloppyImageCard, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace morvick::test
