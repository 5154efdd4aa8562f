// Deleted folders whose later clusters lie among free clusters of file data (make-freed-folder-disks.sh,
// FAT32 of 4 KiB clusters, each write into the first free clusters). In both scans every file of a
// folder's later cluster comes back with the bytes tsk_recover saves for it: in its folder where a
// long name runs on into the cluster, else under "Lost Dir". An older deleted file whose first
// cluster a folder took claims nothing; a file listed in a later cluster claims its data, which then
// gives no entry; a name cut just before its short entry joins the next cluster; a live folder made at
// a deleted folder's first cluster gets none of that folder's later clusters; a live folder's cluster
// that both FATs lost gives its files. The bar moves while the free clusters are read.
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/OracleComparedDisk.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace morvick::test {

namespace {

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-freed-folder-disks.sh"}));

const char* const kScript = "make-freed-folder-disks.sh";

class FreedFolderDisks : public OracleComparedDisk {
protected:
    void ScanAndSave(const std::string& name) { OracleComparedDisk::ScanAndSave(kScript, name); }
};

}  // namespace

// BIG.MOV's first cluster is DCIM's: it claims nothing, and 100PHOTO's second cluster, in the clusters
// BIG.MOV had, gives its 74 photos (under "Lost Dir": nothing ties them to their folder).
TEST_P(FreedFolderDisks, AnOlderDeletedFileWhoseFirstClusterAFolderTookClaimsNothing)
{
    ASSERT_NO_FATAL_FAILURE(ScanAndSave("older"));
    // BIG.MOV's bytes are lost to the photos written over them: neither saver has them.
    const auto placed = Theirs(false, "/old/");
    ASSERT_EQ(placed.size(), 126u);
    EXPECT_EQ(ExpectSameBytes(ours, placed), placed.size());
    const auto orphans = Theirs(true);
    ASSERT_EQ(orphans.size(), 74u);
    EXPECT_EQ(ExpectSavedBelow(orphans, "/lost dir/"), orphans.size());
    EXPECT_EQ(ours.size(), 201u);
}

// TABLE.BIN and HELLO.TXT, listed in 100PHOTO's second cluster, claim their clusters before those are
// judged: none of TABLE.BIN's records (which tsk_recover takes for entries) nor HELLO.TXT's bytes
// gives a file.
TEST_P(FreedFolderDisks, AFileListedInALaterClusterClaimsItsDataBeforeThatIsJudged)
{
    ASSERT_NO_FATAL_FAILURE(ScanAndSave("tables"));
    const auto placed = Theirs(false);
    ASSERT_EQ(placed.size(), 126u);
    EXPECT_EQ(ExpectSameBytes(ours, placed), placed.size());
    const auto orphans = Theirs(true, kOrphans + "?ake");
    ASSERT_EQ(orphans.size(), 76u);
    EXPECT_EQ(ExpectSavedBelow(orphans, "/lost dir/"), orphans.size());
    EXPECT_EQ(ours.count("/lost dir/?able.bin"), 1u);
    ASSERT_EQ(ours.count("/lost dir/?ello.txt"), 1u);
    EXPECT_EQ(ReadWholeFile(ours.at("/lost dir/?ello.txt")), "HELLO WORLD");
    EXPECT_EQ(ours.size(), 126u + 76u);
}

// Notes/ ends its first and second clusters with the long-name part of a name whose short entry
// begins the next: all 151 files stay in Notes/, every note under its long name.
TEST_P(FreedFolderDisks, ANameCutJustBeforeItsShortEntryJoinsTheNextCluster)
{
    ASSERT_NO_FATAL_FAILURE(ScanAndSave("cut"));
    const auto placed = Theirs(false);
    ASSERT_EQ(placed.size(), 63u);
    EXPECT_EQ(ExpectSameBytes(ours, placed), placed.size());
    const auto orphans = Theirs(true);
    ASSERT_EQ(orphans.size(), 88u);
    EXPECT_EQ(ExpectSavedBelow(orphans, "/notes/"), orphans.size());
    EXPECT_EQ(OursBelow("/notes/note "), 150u);
    EXPECT_EQ(ours.count("/notes/?irst.txt"), 1u);
    EXPECT_EQ(ours.size(), 151u);
}

// NEW, live, took TRIP's first cluster: TRIP's second cluster, whose subfolder SUB names that cluster
// as its parent, goes under "Lost Dir", not into NEW.
TEST_P(FreedFolderDisks, AClusterGoesIntoNoLiveFolderMadeAtItsFoldersFirstCluster)
{
    ASSERT_NO_FATAL_FAILURE(ScanAndSave("reused"));
    const auto photos = TheirsBelow(kOrphans + "?mg_");
    ASSERT_EQ(photos.size(), 14u);
    EXPECT_EQ(ExpectSavedBelow(photos, "/lost dir/"), photos.size());
    EXPECT_EQ(OursBelow("/notes/"), 151u);
    EXPECT_EQ(ours.count("/new/keep.txt"), 1u);
    // The Extensive Scan places SUB itself, a folder it found on the disk, by its ".." entry.
    if (GetParam() == ScanKind::kQuick) {
        EXPECT_EQ(OursBelow("/new/"), 1u);
        const auto sub = TheirsBelow(kOrphans + "?ub/");
        ASSERT_EQ(sub.size(), 2u);
        EXPECT_EQ(ExpectSavedBelow(sub, "/lost dir/?ub/"), sub.size());
    }
}

namespace {

// The sectors and percents reported, in the order reported.
class EventLog : public RecordingObserver {
public:
    void OnProgress(int percent) override { events.emplace_back(false, percent); }
    void OnCurrentSector(uint64_t sector) override { events.emplace_back(true, sector); }

    std::vector<std::pair<bool, uint64_t>> events;  // (a sector, the sector or percent)
};

}  // namespace

// Both FATs lost the entries of the live 100PHOTO's clusters, not its photos' chains: its second
// cluster lies free with live entries whose files are in use, and gives its 74 photos, by their
// chains, with the 126 of its first cluster (the fixture's own photos, which sleuthkit cuts short),
// also from its snapshot loaded over the disk. The live entries of the folder of a floppy image
// written after them, whose own entry is gone, go on from no live folder's chain and give no file.
TEST_P(FreedFolderDisks, ALiveFoldersClusterThatTheFatsGiveFreeGivesItsFilesInUse)
{
    ASSERT_NO_FATAL_FAILURE(ScanSaveAndLoad(kScript, "chaincut"));
    const auto written = Theirs(false);
    ASSERT_EQ(written.size(), 200u);
    EXPECT_EQ(ExpectSavedBelow(written, "/"), written.size());
    EXPECT_EQ(OursBelow("/dcim/100photo/"), 126u);
    EXPECT_EQ(ours.size(), 200u);
}

// While the free clusters are read, from the first free one up to the volume's end, the bar goes up
// with them: the percents reported among the last rising run of sectors go past 90.
TEST_P(FreedFolderDisks, TheBarMovesWhileTheFreeClustersAreRead)
{
    EventLog log;
    ASSERT_FALSE(FixtureFolder(kScript).empty()) << "the disks were not built";
    ASSERT_NO_FATAL_FAILURE(Scan(FixtureFile(kScript, "tables.vhd"), 0));
    size_t from = log.events.size();
    uint64_t later = UINT64_MAX;
    while (from > 0 && (!log.events[from - 1].first || log.events[from - 1].second < later)) {
        --from;
        if (log.events[from].first)
            later = log.events[from].second;
    }
    std::set<uint64_t> percents;
    for (size_t i = from; i < log.events.size(); ++i) {
        if (!log.events[i].first)
            percents.insert(log.events[i].second);
    }
    EXPECT_GE(percents.size(), 20u);
    EXPECT_GE(percents.empty() ? 0 : *percents.rbegin(), 90u);
}

INSTANTIATE_TEST_SUITE_P(Scans, FreedFolderDisks, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace morvick::test
