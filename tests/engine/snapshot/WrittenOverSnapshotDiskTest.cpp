// Recovery snapshots of cards loaded over the same cards later the same day, after DOCS/REPORT.TXT was
// deleted and FILL.BIN, of its size, written in the root into its clusters and deleted in its turn
// (make-refilled-cards.sh), for the Quick Scan's and the Extensive Scan's snapshots on FAT16 and
// FAT32. REPORT.TXT's deleted entry still names its first cluster, its size, date and name: only
// FILL.BIN's entry, which the snapshot does not list, tells that the cluster was given again.
#include "engine/save/SaveState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/snapshot/LaterCardSnapshot.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-refilled-cards.sh"}));

namespace {

const char* const kCards = "make-refilled-cards.sh";

class WrittenOverSnapshot : public LaterCardSnapshot {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kCards).empty()) << "the cards were not built";
        LaterCardSnapshot::SetUp();
    }

    // The files saved, by the keys of the fixture's files whose bytes they hold ("?" for bytes of none).
    static std::multiset<std::string> Keys(const std::map<std::string, fs::path>& saved)
    {
        std::map<std::string, std::string> keyOf;
        for (const char* key : {"report", "plan", "notes", "root", "fill"})
            keyOf.emplace(ReadWholeFile(fs::u8path(FixtureFile(kCards, std::string("files/") + key + ".bin"))), key);
        std::multiset<std::string> keys;
        for (const auto& [path, file] : saved) {
            const auto it = keyOf.find(ReadWholeFile(file));
            keys.insert(it != keyOf.end() ? it->second : "?");
        }
        return keys;
    }
};

}  // namespace

// REPORT.TXT is failed with the reason and FILL.BIN's bytes are saved under no name; NOTES.TXT, deleted
// since with nothing written after it, is saved with its own bytes, and the live files with theirs.
TEST_P(WrittenOverSnapshot, AFileWhoseClustersALaterEntryNamesIsFailed)
{
    for (const char* kind : {"16", "32"}) {
        SCOPED_TRACE(std::string("FAT") + kind);
        const std::string card = std::string("refilled") + kind;
        ASSERT_NO_FATAL_FAILURE(Snapshot(kCards, card + "-a.vhd"));
        EXPECT_EQ(Keys(LoadAndSave(kCards, card + "-b.vhd")), (std::multiset<std::string>{"plan", "notes", "root"}));
        EXPECT_EQ(FailedNames(), (std::set<std::string>{"REPORT.TXT"}));
        EXPECT_EQ(g_SaveReport.changedFiles, 1u);
        EXPECT_EQ(g_SaveReport.damagedFiles, 0u);
        // Over its own card every file is saved whole.
        EXPECT_EQ(Keys(LoadAndSave(kCards, card + "-a.vhd")),
            (std::multiset<std::string>{"report", "plan", "notes", "root"}));
        EXPECT_EQ(g_SaveReport.failedFiles, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(BothScans, WrittenOverSnapshot, ::testing::Values("quick", "extensive"),
    [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });
