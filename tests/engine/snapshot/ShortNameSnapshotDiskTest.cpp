// Recovery snapshots of cards whose files have short names only, their bytes above 0x7F written in the
// OEM code pages 437, 850, 932 and 936 (make-later-short-names.sh), made on a computer of one OEM code
// page and loaded on a computer of another, for the Quick Scan's and the Extensive Scan's snapshots.
// A short name is the listed one only where the snapshot's one code page (the real one that reads most
// of its names) reads its bytes as the listed name exactly: over the card later, a file deleted and another written
// in its entry and clusters under a name that differs above 0x7F (MÜLLER.TXT and MÖLLER.TXT, MÄRZ.TXT
// and MÖZ.TXT) is failed with the reason and its bytes never saved under the old name; over its own
// card the snapshot loads and saves every file, and files deleted since are saved as deleted files.
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
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-later-short-names.sh"}));

namespace {

const char* const kNames = "make-later-short-names.sh";

// The files that stay, those deleted since (nothing written), the five that later files replaced, and
// those later files, by their keys in the fixture.
const std::vector<std::string> kKept = {"arger", "papers", "beijing", "plain"};
const std::vector<std::string> kGone = {"ol", "table", "shanghai"};
const std::vector<std::string> kReplaced = {"muller", "meeting", "marz-a", "marz-b", "mab"};
const std::vector<std::string> kLater = {"moller", "project", "morz", "moz", "mocb"};

// The code page of the computer that makes the snapshot and of the one that loads it.
struct Computers {
    uint32_t snapshot;
    uint32_t load;
};

class ShortNameSnapshot : public LaterCardSnapshot {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kNames).empty()) << "the cards were not built";
        LaterCardSnapshot::SetUp();
    }
    void TearDown() override
    {
        SetOemCodePage(0);
        LaterCardSnapshot::TearDown();
    }

    // The snapshot of the card in the morning made on the first computer, loaded over `later` on the
    // second and saved whole: the files saved, by the keys of the fixture's files whose bytes they hold
    // ("?" for bytes of none).
    std::multiset<std::string> SavedKeys(const std::string& kind, const Computers& computers, const char* later)
    {
        SetOemCodePage(computers.snapshot);
        Snapshot(kNames, "names" + kind + "-a.vhd");
        EXPECT_EQ(listed, kKept.size() + kGone.size() + kReplaced.size());
        SetOemCodePage(computers.load);
        return LaterCardSnapshot::SavedKeys(kNames, "names" + kind + later, {&kKept, &kGone, &kReplaced, &kLater});
    }
};

const Computers kComputers[] = {{437, 437}, {850, 936}, {936, 437}, {437, 932}, {850, 850}};

}  // namespace

// Later the same day, each of the five files replaced by a file of its size in its entry and clusters,
// named otherwise above 0x7F; then three files deleted. The five are failed with the reason, the others
// saved with their own bytes (those deleted since as deleted files), and no later file's bytes saved.
TEST_P(ShortNameSnapshot, FilesWrittenInPlaceUnderOtherBytesAreFailed)
{
    for (const char* kind : {"16", "32"}) {
        for (const Computers& computers : kComputers) {
            SCOPED_TRACE(std::string("FAT") + kind + ", snapshot on " + std::to_string(computers.snapshot) +
                ", loaded on " + std::to_string(computers.load));
            EXPECT_EQ(SavedKeys(kind, computers, "-b.vhd"), Keys({kKept, kGone}));
            EXPECT_EQ(g_SaveReport.savedFiles, kKept.size() + kGone.size());
            EXPECT_EQ(g_SaveReport.failedFiles, kReplaced.size());
            EXPECT_EQ(g_SaveReport.changedFiles, kReplaced.size());
            EXPECT_EQ(g_SaveReport.damagedFiles, 0u);
        }
    }
}

// Over its own card the snapshot saves every file with its bytes, wherever it was made and loaded; a
// name that the code page of the computer that made the snapshot could not read (code page 932 reads
// the last byte of 会议's base, 0xE9, as the start of a character that the name lacks) holds a stand-in
// and matches no bytes, and that one file is counted changed, on a computer of 932 too.
TEST_P(ShortNameSnapshot, ASnapshotLoadsOverItsOwnCardOnAComputerOfAnotherCodePage)
{
    for (const char* kind : {"16", "32"}) {
        for (const Computers& computers : kComputers) {
            SCOPED_TRACE(std::string("FAT") + kind + ", snapshot on " + std::to_string(computers.snapshot) +
                ", loaded on " + std::to_string(computers.load));
            EXPECT_EQ(SavedKeys(kind, computers, "-a.vhd"), Keys({kKept, kGone, kReplaced}));
            EXPECT_EQ(g_SaveReport.savedFiles, listed);
            EXPECT_EQ(g_SaveReport.failedFiles, 0u);
        }
        SCOPED_TRACE(std::string("FAT") + kind + ", snapshot on 932, loaded on 850");
        std::multiset<std::string> all = Keys({kKept, kGone, kReplaced});
        all.erase("meeting");
        EXPECT_EQ(SavedKeys(kind, {932, 850}, "-a.vhd"), all);
        EXPECT_EQ(g_SaveReport.changedFiles, 1u);
        // On a computer of 932 too: the stand-in stood for bytes that no one can tell now.
        EXPECT_EQ(SavedKeys(kind, {932, 932}, "-a.vhd"), all);
        EXPECT_EQ(g_SaveReport.changedFiles, 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(BothScans, ShortNameSnapshot, ::testing::Values("quick", "extensive"),
    [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });
