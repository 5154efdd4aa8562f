// Deleted folders that nothing found on the disk points at (make-remade-folder-disks.sh): a folder made
// again under its own name took the old one's entry and first cluster, or a later folder took the
// first cluster and was deleted too. In both scans the files of the old folder's later clusters come
// back with the bytes tsk_recover saves for them (its orphans), under "Lost Dir", each under its own
// name or its short one, and the later folder's files under its name alone, whichever of the two
// deleted entries comes first; the live entries of a deleted file's data (a floppy image's folders, a
// file of records shaped as entries) give no file. The Quick Scan lists the subfolders of a deleted
// tree whose top entry went; a long name is joined only into its own folder's next cluster where two
// trees' later clusters interleave, and where two cut names of one folder share a checksum.
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "engine/state/EngineState.h"
#include "tests/engine/scan/OracleComparedDisk.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace morvick::test {

namespace {

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(
    new DiskFixtureEnvironment({"make-remade-folder-disks.sh", "make-snapshot-disks.sh"}));

const char* const kScript = "make-remade-folder-disks.sh";
const char* const kDamagedFats = "make-snapshot-disks.sh";

class RemadeFolderDisks : public OracleComparedDisk {
protected:
    void ScanAndSave(const std::string& name) { OracleComparedDisk::ScanAndSave(kScript, name); }

    // Disk `name`: tsk_recover's `placed` files of folders come back with their bytes, its `orphans`
    // below `where`, and nothing else.
    void ExpectOrphansBelow(const std::string& name, size_t placed, size_t orphans, const std::string& where)
    {
        ASSERT_NO_FATAL_FAILURE(ScanAndSave(name));
        const auto inFolders = Theirs(false);
        ASSERT_EQ(inFolders.size(), placed);
        EXPECT_EQ(ExpectSameBytes(ours, inFolders), placed);
        const auto lost = Theirs(true);
        ASSERT_EQ(lost.size(), orphans);
        EXPECT_EQ(ExpectSavedBelow(lost, where), orphans);
        EXPECT_EQ(ours.size(), placed + orphans);
    }

    // Disk `name` of the holiday folder and the later folder (`later`) that took its first cluster:
    // the holiday folder's 38 photos of its later clusters come back under "Lost Dir", the later
    // folder's 10 notes under `later` alone, and tsk_recover's `placed` live files.
    void ExpectLaterNotesUnder(const std::string& name, const std::string& later, size_t placed)
    {
        ASSERT_NO_FATAL_FAILURE(ScanAndSave(name));
        const auto orphans = Theirs(true);
        ASSERT_EQ(orphans.size(), 38u);
        EXPECT_EQ(ExpectSavedBelow(orphans, "/lost dir/"), orphans.size());
        const auto notes = TheirsBelow(later);
        ASSERT_EQ(notes.size(), 10u);
        EXPECT_EQ(ExpectSavedBelow(notes, later), notes.size());
        EXPECT_EQ(OursBelow("/xolida~1/") + OursBelow("/holiday photos 2019/"), 0u);
        EXPECT_EQ(ours.size(), placed + orphans.size() + notes.size());
        ExpectOwnSizes("/lost dir/holiday photo number ", 31, 3, 300, 9);
    }

    // Every file of ours under `prefix` (a long name "... NNN ...", its number at `at`) has the size
    // that file had, `base` + `step` times its number: the name is that file's own.
    void ExpectOwnSizes(const std::string& prefix, size_t at, size_t digits, size_t base, size_t step) const
    {
        for (const auto& [key, path] : ours) {
            if (!Below(key, prefix))
                continue;
            const int number = std::stoi(key.substr(at, digits));
            EXPECT_EQ(ReadWholeFile(path).size(), base + step * number) << key;
        }
    }

    // Each file of ours whose bytes begin with `text` (a letter whose bytes are its name) and whose
    // name begins with `prefix` (a long name, not the short one) holds that name: no letter got
    // another's name. Gives the number of files of ours whose bytes begin with `text`.
    size_t ExpectLongNamesOwnText(const std::string& text, const std::string& prefix) const
    {
        size_t letters = 0;
        for (const auto& [key, path] : ours) {
            const std::string bytes = ReadWholeFile(path);
            if (bytes.rfind(text, 0) != 0)
                continue;
            ++letters;
            std::string name = key.substr(key.rfind('/') + 1);
            // Two letters of one name in one folder: the save names the second "Copy (1 ) of ...".
            if (name.rfind("copy (", 0) == 0 && name.find(") of ") != std::string::npos)
                name = name.substr(name.find(") of ") + 5);
            if (name.rfind(prefix, 0) != 0)
                continue;
            std::string lower = bytes.substr(0, name.size());
            for (char& c : lower)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            EXPECT_EQ(lower, name) << key;
        }
        return letters;
    }
};

}  // namespace

// DCIM/100PHOTO made again over the old one: the old folder's two later clusters give their 174
// photos beside the 20 new ones.
TEST_P(RemadeFolderDisks, AFolderMadeAgainUnderItsOwnNameLeavesTheOldOnesLaterPhotos)
{
    ExpectOrphansBelow("remade", 20, 174, "/lost dir/");
}

// "Backup/" made again in the old one's root slots and first cluster, on 512-byte clusters: the 38
// letters of the old folder's later clusters come back, each under its own long name (but the first,
// whose name began in the first cluster): also those whose names were cut just before their short
// entries, after a cluster that ends with a whole entry (a short name that a writer made for a long
// one, "LETTE~22", does not begin a file of its own).
TEST_P(RemadeFolderDisks, ALongNamedFolderMadeAgainLeavesTheOldOnesLaterLetters)
{
    ASSERT_NO_FATAL_FAILURE(ExpectOrphansBelow("backup16", 1, 38, "/lost dir/"));
    ExpectOwnSizes("/lost dir/letter ", 17, 2, 100, 5);
    EXPECT_EQ(OursBelow("/lost dir/letter "), 37u);
}

// The same on FAT32, of 512-byte clusters (13 clusters of entries) and of 4 KiB clusters (two): every
// letter of the old folder's later clusters comes back, each under its own long name (but the first).
TEST_P(RemadeFolderDisks, ALongNamedFolderMadeAgainOnFat32LeavesTheOldOnesLaterLetters)
{
    ASSERT_NO_FATAL_FAILURE(ExpectOrphansBelow("backup32", 1, 38, "/lost dir/"));
    ExpectOwnSizes("/lost dir/letter ", 17, 2, 100, 5);
    EXPECT_EQ(OursBelow("/lost dir/letter "), 37u);
}

TEST_P(RemadeFolderDisks, ALongNamedFolderMadeAgainOnFat32Of4KiBClustersLeavesTheOldOnesLaterLetters)
{
    ASSERT_NO_FATAL_FAILURE(ExpectOrphansBelow("backup32k", 1, 15, "/lost dir/"));
    ExpectOwnSizes("/lost dir/letter ", 17, 2, 100, 5);
}

// "Later/" took the holiday folder's first cluster and was deleted too: both deleted entries name
// the cluster, whose "." entry has Later's stamp. The holiday folder's later clusters give their
// photos all the same, and Later's notes come back once, under Later's name, never under the holiday
// folder's. Later's entry took the holiday folder's root slots (before the holiday folder's short
// entry), or lies after the holiday folder's whole entry (a live file kept Later out of its slots).
TEST_P(RemadeFolderDisks, AFolderWhoseFirstClusterALaterDeletedFolderTookLeavesItsLaterPhotos)
{
    ExpectLaterNotesUnder("later", "/later/", 0);
}

TEST_P(RemadeFolderDisks, ALaterDeletedFolderWhoseEntryFollowsTheOlderOnesKeepsItsNotes)
{
    ExpectLaterNotesUnder("laterafter", "/later notes written after the trip/", 1);
}

// FLOPPY.IMG's folder clusters and RECORDS.DAT's records lie among the free clusters with live
// entries and no entry of theirs left: they are a file's data, and give no file; the folder's photos
// come back.
TEST_P(RemadeFolderDisks, LiveEntriesAmongFreeClustersAreAFilesDataNotFiles)
{
    ASSERT_NO_FATAL_FAILURE(ScanAndSave("images"));
    const auto photos = TheirsBelow(kOrphans + "?mg_");
    ASSERT_EQ(photos.size(), 300u - 126u + 2u);
    EXPECT_EQ(ExpectSavedBelow(photos, "/lost dir/"), photos.size());
    EXPECT_EQ(ours.size(), photos.size());
}

// Trip's root slots and first cluster went to Notes.txt: the Day folders, whose first clusters name
// themselves, come back with their files, in the Quick Scan too.
TEST_P(RemadeFolderDisks, TheSubfoldersOfADeletedTreeWhoseTopEntryWasTakenComeBack)
{
    ExpectOrphansBelow("tree", 1, 10, GetParam() == ScanKind::kQuick ? "/lost dir/" : "/");
}

// The two Inner folders' later clusters alternate, and their letters' short names and checksums
// repeat from folder to folder: a name is joined only into its own folder's next cluster, so each
// letter that comes back under a long name holds that name's text (its bytes), and every letter comes
// back.
TEST_P(RemadeFolderDisks, ANameIsJoinedOnlyIntoItsOwnFoldersNextCluster)
{
    ASSERT_NO_FATAL_FAILURE(ScanAndSave("interleaved"));
    EXPECT_EQ(ExpectSavedBelow(theirs, "/"), theirs.size());
    EXPECT_EQ(ExpectLongNamesOwnText("Letter ", "letter "), 48u);
}

// Two letters of a deleted folder, their names cut across its clusters, share a checksum: each keeps
// its own long name or its short one, never one made of both, and the 33 letters of the folder's
// later clusters come back beside the 12 of its first.
TEST_P(RemadeFolderDisks, TwoCutNamesOfOneChecksumKeepTheirOwnLetters)
{
    ASSERT_NO_FATAL_FAILURE(ExpectOrphansBelow("collide", 12, 33, "/"));
    EXPECT_EQ(ExpectLongNamesOwnText("Ref", "ref"), 45u);
}

// Both boot sectors and both FATs of the FAT32 volume zeroed: the FATs give every cluster free, the
// root's chain ends after its first cluster, and its second one, of live entries among free clusters,
// is still listed: the six "Report top N.dat" of the root come back once each, the three of its first
// cluster in the root and the three of its second under "Lost Dir" (the root's first cluster, free
// too, is not read again as a cluster of entries).
TEST(DamagedFatDisk, LiveEntriesAmongFreeClustersComeBackWhereTheFatsCutLiveFoldersShort)
{
    ASSERT_FALSE(FixtureFolder(kDamagedFats).empty()) << "the disks were not built";
    CVirtualDisk disk;
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kDamagedFats, "first-fat-lost.vhd"), disk));
    ASSERT_TRUE(QuickScanPartition(0));
    std::multiset<std::u16string> reports;
    size_t lost = 0;
    for (const FatEntryRecord* e = g_FatEntries.head; e; e = e->next) {
        const std::u16string name = e->name ? e->name : u"";
        if (name.rfind(u"Report top ", 0) != 0)
            continue;
        reports.insert(name);
        lost += e->parentCluster == kLostDirCluster;
    }
    SetCurrentVirtualDisk(nullptr);
    EXPECT_EQ(reports.size(), 6u);
    EXPECT_EQ(std::set<std::u16string>(reports.begin(), reports.end()).size(), 6u);
    EXPECT_EQ(lost, 3u);
}

// CUTS.BIN's 400 clusters, its entry gone with its folder's first cluster, are each shaped as a
// deleted folder's cluster whose files are empty or lie at a cluster in use: sleuthkit lists them,
// but nothing ties them to a folder and they name nothing to save, so none gives a file.
TEST_P(RemadeFolderDisks, AFilesRecordsShapedAsEntriesThatNameNothingToSaveGiveNoFile)
{
    ASSERT_NO_FATAL_FAILURE(ScanAndSave("cuts"));
    const auto placed = Theirs(false);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(ExpectSameBytes(ours, placed), placed.size());
    EXPECT_FALSE(Theirs(true).empty());
    EXPECT_EQ(ours.size(), placed.size());
}

INSTANTIATE_TEST_SUITE_P(Scans, RemadeFolderDisks, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace morvick::test
