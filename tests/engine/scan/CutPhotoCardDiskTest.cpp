// A deleted photo cut by a later file (make-cut-photo-card.sh, FAT32): MID.JPG took IMG_0150.JPG's
// second and third clusters and the next photos', so the free clusters after IMG_0150's first are
// other deleted photos' (IMG_0153's third, IMG_0154's first). In both scans and in the load of the
// scan's snapshot over the card, IMG_0150 is saved from its own first cluster but counted damaged,
// and listed as cut; the photos whose first cluster MID.JPG took are damaged for their missing data,
// and the photos past MID.JPG come back whole.
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/BothScansDisk.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace fs = std::filesystem;

namespace morvick::test {

namespace {

static auto* const g_disk = ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-cut-photo-card.sh"}));

const char* const kScript = "make-cut-photo-card.sh";

class CutPhotoCard : public BothScansDisk {
protected:
    std::string Photo(int number) const
    {
        char name[32];
        std::snprintf(name, sizeof name, "photos/IMG_%04d.JPG", number);
        return ReadWholeFile(FixtureFile(kScript, name));
    }

    // The save of the whole card into `out`, as the report gives it.
    void ExpectIMG0150CutAndCountedDamaged(const fs::path& out)
    {
        const auto ours = FilesBelow(out, true);
        const auto cut = ours.find("/dcim/100photo/?mg_0150.jpg");
        ASSERT_NE(cut, ours.end());
        const std::string saved = ReadWholeFile(cut->second);
        const std::string photo = Photo(150);
        ASSERT_EQ(photo.size(), 8550u);
        EXPECT_EQ(saved.size(), photo.size());
        EXPECT_TRUE(saved.substr(0, 4096) == photo.substr(0, 4096)) << "its own first cluster";
        EXPECT_TRUE(Listed(g_SaveReport.damagedPaths, u"xMG_0150.JPG"));
        ASSERT_EQ(g_SaveReport.cutPaths.size(), 1u);
        EXPECT_TRUE(Listed(g_SaveReport.cutPaths, u"xMG_0150.JPG"));

        // MID.JPG took the first clusters of IMG_0151 to IMG_0153: nothing of them is left to save.
        for (int n = 151; n <= 153; ++n) {
            EXPECT_TRUE(Listed(g_SaveReport.damagedPaths, u"xMG_015" + std::u16string(1, u'0' + n - 150) + u".JPG"))
                << n;
        }
        for (int n = 154; n <= 160; ++n) {
            char key[40];
            std::snprintf(key, sizeof key, "/dcim/100photo/?mg_%04d.jpg", n);
            ASSERT_EQ(ours.count(key), 1u) << key;
            EXPECT_TRUE(ReadWholeFile(ours.at(key)) == Photo(n)) << key;
        }
        EXPECT_TRUE(ReadWholeFile(ours.at("/mid.jpg")) == ReadWholeFile(FixtureFile(kScript, "photos/MID.JPG")));
        // Live: IMG_0141 to IMG_0149 and MID.JPG; deleted and whole: IMG_0154 to IMG_0160.
        EXPECT_EQ(g_SaveReport.savedFiles, 10u + 7u);
        EXPECT_EQ(g_SaveReport.damagedFiles, 4u);
        EXPECT_EQ(g_SaveReport.failedFiles, 0u);
    }
};

}  // namespace

TEST_P(CutPhotoCard, ADeletedPhotoCutByAFileInUseIsCountedDamaged)
{
    ASSERT_FALSE(FixtureFolder(kScript).empty()) << "the card was not built";
    ASSERT_NO_FATAL_FAILURE(Scan(FixtureFile(kScript, "card.vhd"), 0));
    {
        SCOPED_TRACE("scan");
        ExpectIMG0150CutAndCountedDamaged(SaveAll("out"));
    }
    const std::u16string snapshot = ToPath16(temp.Path() / "card.srzq");
    ASSERT_TRUE(SaveSnapshotFile(snapshot));
    ASSERT_TRUE(LoadSnapshotFile(snapshot));
    SCOPED_TRACE("snapshot loaded");
    ExpectIMG0150CutAndCountedDamaged(SaveAll("loaded"));
}

INSTANTIATE_TEST_SUITE_P(Scans, CutPhotoCard, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive), ScanKindName);

}  // namespace morvick::test
