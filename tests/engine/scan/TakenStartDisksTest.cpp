// Deleted folders whose first cluster, or a middle one, a later file or folder took
// (make-taken-start-disks.sh, each write into the first free clusters). Nothing else on these disks
// sets the search for a deleted folder's later clusters off: the folder whose start is gone does, and
// in both scans every file of its later clusters comes back with the bytes tsk_recover saves for it
// (its orphans), under "Lost Dir" and each under its own name or its short one, also from the scan's
// recovery snapshot loaded over the disk. The subfolders of a
// folder whose first cluster a live folder took come back with their files; a long name whose parts
// lie on both sides of a cluster that a later file took (kept, or deleted since) is not joined; the
// entries past a deleted file's last byte in its last cluster come back, also where that file's entry
// lies in a free cluster; a file's data of live entries whose own entry went gives no file and hides
// no letter.
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/OracleComparedDisk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string>

namespace morvick::test {

namespace {

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-taken-start-disks.sh"}));

const char* const kScript = "make-taken-start-disks.sh";

class TakenStartDisks : public OracleComparedDisk {
protected:
    void ScanAndSave(const std::string& name) { OracleComparedDisk::ScanAndSave(kScript, name); }

    // How many travel letters are listed under a long name, failing for each whose bytes are not
    // that name's text.
    size_t TravelLetters() const
    {
        size_t letters = 0;
        for (const auto& [key, path] : ours) {
            const std::string name = key.substr(key.rfind('/') + 1);
            if (name.find(" charlie travel number ") == std::string::npos)
                continue;
            ++letters;
            std::string text = ReadWholeFile(path).substr(0, name.size());
            for (char& c : text)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            EXPECT_EQ(text, name) << key;
        }
        return letters;
    }

    // Where the file whose bytes begin with `start` was saved; empty when none was.
    std::string SavedAs(const std::string& start) const
    {
        const auto saved = std::find_if(oursByBytes.begin(), oursByBytes.end(),
            [&](const auto& e) { return e.first.rfind(start, 0) == 0; });
        return saved != oursByBytes.end() ? saved->second : "";
    }

    // The deleted letters' folder on disk `name`: the file that took its first cluster (live, or
    // deleted since) or the file of the folder that took it, and Kept/KEEP.TXT where tsk_recover has
    // them, and the `later` letters of the folder's later clusters under "Lost Dir", all with their
    // bytes; nothing else. A letter listed under its long name has the size of that letter (200 + 3 n
    // bytes for letter n); `longNames` have theirs (all but one whose name began in the lost first
    // cluster, where one did).
    void ExpectTheLaterLettersBack(const std::string& name, size_t later, size_t longNames)
    {
        ASSERT_NO_FATAL_FAILURE(ScanAndSave(name));
        const auto placed = Theirs(false);
        ASSERT_EQ(placed.size(), 2u);
        EXPECT_EQ(ExpectSameBytes(ours, placed), placed.size());
        // tsk_recover's orphans of the letters: it also makes files of entry-shaped data.
        const auto orphans = TheirsBelow(kOrphans + "?ett");
        ASSERT_EQ(orphans.size(), later);
        EXPECT_EQ(ExpectSavedBelow(orphans, "/lost dir/"), later);
        EXPECT_EQ(ours.size(), placed.size() + later);
        const std::string letter = "/lost dir/letter ";
        size_t named = 0;
        for (const auto& [key, path] : ours) {
            if (!Below(key, letter))
                continue;
            ++named;
            const int number = std::stoi(key.substr(letter.size(), 3));
            EXPECT_EQ(ReadWholeFile(path).size(), 200u + 3u * number) << key;
        }
        EXPECT_EQ(named, longNames);
    }
};

// The first cluster of the fixture's folder `folder` ("sub", "deeper", ...), from NAME.clusters.
std::string FolderCluster(const std::string& disk, const std::string& folder)
{
    std::ifstream in(FixtureFile(kScript, disk + ".clusters"));
    std::string word, cluster;
    while (in >> word >> cluster) {
        if (word == folder)
            return cluster;
    }
    return "";
}

}  // namespace

TEST_P(TakenStartDisks, TheLaterClustersOfAFolderWhoseFirstAFileTookComeBackOnFat16Of32KibClusters)
{
    ExpectTheLaterLettersBack("letters16", 307, 307);
}

TEST_P(TakenStartDisks, TheLaterClustersOfAFolderWhoseFirstAFileTookComeBackOnFat32)
{
    ExpectTheLaterLettersBack("letters32", 39, 38);
}

TEST_P(TakenStartDisks, TheLaterClustersOfAFolderWhoseFirstAFileTookComeBackOnFat16Of2KibClusters)
{
    ExpectTheLaterLettersBack("letters2k", 19, 19);
}

// The scan's snapshot, loaded over the same disk, lists the later letters too and saves every file
// the scan saved, with the same bytes under the same names: none is taken for changed on the disk.
TEST_P(TakenStartDisks, TheScansSnapshotSavesTheLaterLettersToo)
{
    for (const char* name : {"letters16", "letters32", "letters2k", "hidden"}) {
        SCOPED_TRACE(name);
        oursByBytes.clear();
        std::filesystem::remove_all(temp.Path() / "out");
        ASSERT_NO_FATAL_FAILURE(ScanSaveAndLoad(kScript, name));
    }
}

// The file that took the folder's first cluster was deleted again: the cluster is free, but holds
// the file's bytes, not the folder's start.
TEST_P(TakenStartDisks, TheLaterClustersComeBackAlsoWhereTheFileThatTookTheFirstWasDeletedSince)
{
    ExpectTheLaterLettersBack("overwritten", 39, 38);
}

// The folder's first files were a floppy image, whose DOCS folder lies in it as live entries, and
// RECORDS.DAT, records shaped as live entries that name the clusters after it (the letters' and the
// folder's second); their entries went with the first cluster, which a live folder took. Neither
// file's data gives a file, and nothing made of it keeps the letters of the second cluster from
// coming back.
TEST_P(TakenStartDisks, EntryShapedDataOfAFileWhoseEntryWentGivesNoFileAndHidesNoLetter)
{
    ExpectTheLaterLettersBack("hidden", 16, 15);
}

// Alpha's first cluster is the live folder's, and with it the entry of "Sub one": "Sub one", whose
// first cluster begins a folder that no folder found names, comes back with its three files and its
// subfolder "Deeper two" with three. The Quick Scan lists it as a deleted folder "Dir" and its
// cluster under "Lost Dir" (the folder its ".." names is the live one now); the Extensive Scan, which
// found it on the disk, under that live folder.
TEST_P(TakenStartDisks, TheSubfoldersOfAFolderWhoseFirstClusterALiveFolderTookComeBack)
{
    ASSERT_NO_FATAL_FAILURE(ScanAndSave("alpha"));
    const std::string sub = FolderCluster("alpha", "sub");
    ASSERT_FALSE(sub.empty());
    const std::string where = GetParam() == ScanKind::kQuick ? "/lost dir/dir" + sub + "/"
                                                             : "/a folder made after alpha was deleted/dir" + sub + "/";
    const auto deeper = TheirsBelow(kOrphans + "?eeper~1/");
    ASSERT_EQ(deeper.size(), 3u);
    EXPECT_EQ(ExpectSavedBelow(deeper, where + "deeper two/"), deeper.size());
    const auto orphans = Theirs(true);
    ASSERT_EQ(orphans.size(), 6u);
    EXPECT_EQ(ExpectSavedBelow(orphans, where), orphans.size());
    const auto placed = Theirs(false);
    EXPECT_EQ(ExpectSameBytes(ours, placed), placed.size());
    EXPECT_EQ(ours.size(), 8u);
}

// Letter 013's name runs from the end of the folder's first cluster into its middle one, which the
// cover took; letter 032's from the end of the middle one into the last, and its short name has the
// same checksum as 013's. Joined, the parts would make "032 Charlie travel number 013.txt" of letter
// 032: it keeps its short name instead, also where the cover (a whole cluster) was deleted since: its
// claim on the middle cluster tells that another file was written there. Every file has its bytes,
// and each letter listed under a long name holds that letter's own text.
TEST_P(TakenStartDisks, ANameIsNotJoinedAcrossAClusterThatALaterFileTook)
{
    for (const char* disk : {"middle", "middle-deleted"}) {
        SCOPED_TRACE(disk);
        oursByBytes.clear();
        std::filesystem::remove_all(temp.Path() / "out");
        ASSERT_NO_FATAL_FAILURE(ScanAndSave(disk));
        EXPECT_EQ(ExpectSavedBelow(theirs, "/"), theirs.size());
        EXPECT_EQ(ours.size(), theirs.size());
        EXPECT_EQ(TravelLetters(), 12u + 18u);
        EXPECT_EQ(SavedAs("032 Charlie travel number 032.txt\n"), "/lost dir/?32cha~1.txt");
    }
}

// The cover, 3,000 bytes, was deleted since: past its last byte the middle cluster keeps the folder's
// entries, from the next entry's place on (scans 097 to 128 and the start of letter 032's name), and
// they come back where tsk_recover loses the two that share a sector with the cover's end. Letter 032
// keeps its short name: the first cluster, which ends in letter 013's name of the same checksum, could
// go on into the last cluster as well as the middle one.
TEST_P(TakenStartDisks, TheEntriesPastTheLastByteOfADeletedFileComeBack)
{
    ASSERT_NO_FATAL_FAILURE(ScanAndSave("middle-tail"));
    EXPECT_EQ(ExpectSavedBelow(theirs, "/"), theirs.size());
    EXPECT_EQ(ours.size(), theirs.size() + 2);
    EXPECT_EQ(TravelLetters(), 12u + 18u);
    EXPECT_EQ(SavedAs("032 Charlie travel number 032.txt\n"), "/lost dir/?32cha~1.txt");
    for (int scan : {97, 98}) {
        const std::string name = "/lost dir/?can00" + std::to_string(scan) + ".jpg";
        EXPECT_EQ(ours.count(name), 1u) << name;
    }
}

// The same, the cover listed in a later cluster of a deleted folder (Covers/), which only the search
// for such clusters finds: the entries past the cover's last byte come back all the same, whenever its
// entry is found.
TEST_P(TakenStartDisks, TheEntriesPastTheLastByteOfAFileFoundInAFreeClusterComeBack)
{
    ASSERT_NO_FATAL_FAILURE(ScanAndSave("middle-late"));
    EXPECT_EQ(ExpectSavedBelow(theirs, "/"), theirs.size());
    EXPECT_EQ(ours.size(), theirs.size() + 2);
    for (int scan = 97; scan <= 128; ++scan) {
        const std::string name = "/lost dir/?can0" + std::string(scan < 100 ? "0" : "") + std::to_string(scan) + ".jpg";
        EXPECT_EQ(ours.count(name), 1u) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Scans, TakenStartDisks, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace morvick::test
