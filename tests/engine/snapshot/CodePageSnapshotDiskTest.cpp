// Recovery snapshots of cards of short names written under OEM code page 850, and one under 936
// (make-code-page-cards.sh), loaded over the same cards later the same day, after four files were
// replaced by files of their sizes in their entries and clusters under names one byte apart, for the
// Quick Scan's and the Extensive Scan's snapshots. The snapshot's names are read through one code
// page, the one that reads most of them now: code page 1258 reads the new bytes of FAÃADE, MÍLLER and
// ESPAÐA as the old names, but the names that stayed vote for 850. A name the snapshot's computer read
// with a stand-in (会议 on a computer of 932, which reads 会意 alike) matches no bytes.
#include "engine/save/SaveState.h"
#include "engine/util/OemText.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/snapshot/LaterCardSnapshot.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-code-page-cards.sh"}));

namespace {

const char* const kCards = "make-code-page-cards.sh";

// The files that stay, the four that later files replaced, and those later files, by their keys.
const std::vector<std::string> kKept = {"arger", "senor", "garcon", "soren", "plain", "list", "map", "todo"};
const std::vector<std::string> kReplaced = {"facade", "moller", "espana", "meeting"};
const std::vector<std::string> kLater = {"fahade", "miller", "espada", "sense"};

class CodePageSnapshot : public LaterCardSnapshot {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kCards).empty()) << "the cards were not built";
        LaterCardSnapshot::SetUp();
    }
    void TearDown() override
    {
        SetOemCodePage(0);
        LaterCardSnapshot::TearDown();
    }

    // The morning's snapshot made on a computer of `made`, loaded over `later` on one of `loaded` and
    // saved whole: the files saved, by the keys of the fixture's files whose bytes they hold ("?" for
    // bytes of none).
    std::multiset<std::string> SavedKeys(const std::string& kind, uint32_t made, uint32_t loaded, const char* later)
    {
        SetOemCodePage(made);
        Snapshot(kCards, "pages" + kind + "-a.vhd");
        EXPECT_EQ(listed, kKept.size() + kReplaced.size());
        SetOemCodePage(loaded);
        return LaterCardSnapshot::SavedKeys(kCards, "pages" + kind + later, {&kKept, &kReplaced, &kLater});
    }
};

}  // namespace

// Made on a computer of 850 and loaded on one of 437, 850 or 936 (or made and loaded on 437, which
// reads the kept names alike and the new ones otherwise): the four replaced files fail with the
// reason, and no later file's bytes are saved under an old name.
TEST_P(CodePageSnapshot, NamesOneByteApartAreReadThroughTheSnapshotsPage)
{
    const std::pair<uint32_t, uint32_t> computers[] = {{850, 437}, {850, 850}, {850, 936}, {437, 437}};
    for (const char* kind : {"16", "32"}) {
        for (const auto& [made, loaded] : computers) {
            SCOPED_TRACE(std::string("FAT") + kind + ", made on " + std::to_string(made) + ", loaded on " +
                std::to_string(loaded));
            EXPECT_EQ(SavedKeys(kind, made, loaded, "-b.vhd"), Keys({kKept}));
            EXPECT_EQ(g_SaveReport.savedFiles, kKept.size());
            EXPECT_EQ(g_SaveReport.changedFiles, kReplaced.size());
            EXPECT_EQ(g_SaveReport.damagedFiles, 0u);
        }
        // Over its own card every file is saved with its own bytes.
        SCOPED_TRACE(std::string("FAT") + kind + ", over its own card");
        EXPECT_EQ(SavedKeys(kind, 850, 437, "-a.vhd"), Keys({kKept, kReplaced}));
        EXPECT_EQ(g_SaveReport.failedFiles, 0u);
    }
}

// Made and loaded on a computer of 932, which reads 会议 (936) and 会意 alike, a lead byte with
// nothing after it: the listed name holds a stand-in and matches no bytes, over the later card and
// over its own. (The C library's 932 has no character for 0x80, which Windows reads as U+0080:
// FAÇADE and GARÇON hold a stand-in here too, and are failed or saved whole, never other bytes.)
TEST_P(CodePageSnapshot, ANameListedWithAStandInIsFailed)
{
    const std::multiset<std::string> sure = {
        "arger", "senor", "soren", "plain", "list", "map", "todo", "moller", "espana"};
    for (const char* kind : {"16", "32"}) {
        SCOPED_TRACE(std::string("FAT") + kind);
        std::multiset<std::string> saved = SavedKeys(kind, 932, 932, "-b.vhd");
        saved.erase("garcon");
        EXPECT_EQ(saved, Keys({{"arger", "senor", "soren", "plain", "list", "map", "todo"}}));
        EXPECT_GE(g_SaveReport.changedFiles, kReplaced.size());
        saved = SavedKeys(kind, 932, 932, "-a.vhd");
        EXPECT_EQ(saved.count("meeting"), 0u);
        saved.erase("facade");
        saved.erase("garcon");
        EXPECT_EQ(saved, sure);
        EXPECT_EQ(g_SaveReport.changedFiles + g_SaveReport.savedFiles, listed);
    }
}

INSTANTIATE_TEST_SUITE_P(BothScans, CodePageSnapshot, ::testing::Values("quick", "extensive"),
    [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });
