// Deleted folders whose later clusters another deleted folder could as well have grown into, and a
// deleted folder's cluster that an older deleted file's clusters cover (make-shared-cluster-disks.sh).
// Each letter's or document's bytes are its name, again and again, and its short name repeats in the
// other folder: in both scans, and from their snapshots loaded over the disk, every one comes back
// with its bytes, none under another one's long name, and none in the other folder; a cluster that
// either folder could have grown into is listed under "Lost Dir". A stale claim of a deleted file
// older than a folder's entries hides none of them.
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/OracleComparedDisk.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>

namespace morvick::test {

namespace {

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-shared-cluster-disks.sh"}));

const char* const kScript = "make-shared-cluster-disks.sh";

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

class SharedClusterDisks : public OracleComparedDisk {
protected:
    void ScanSaveAndLoad(const std::string& name) { OracleComparedDisk::ScanSaveAndLoad(kScript, name); }

    // Our files whose bytes begin with `text`, by the name their bytes give (their first line, lower
    // case), failing for a file listed under a long name that is not its own and for one listed
    // below a folder of `folders` ("/trip/") whose word (" sea.txt") its name lacks.
    std::map<std::string, std::string> Texts(const std::string& text, const std::map<std::string, std::string>& folders)
    {
        std::map<std::string, std::string> found;
        for (const auto& [key, path] : ours) {
            const std::string bytes = ReadWholeFile(path);
            if (bytes.rfind(text, 0) != 0)
                continue;
            const std::string own = Lower(bytes.substr(0, bytes.find('\n')));
            EXPECT_TRUE(found.emplace(own, key).second) << own << " saved twice";
            const std::string name = key.substr(key.rfind('/') + 1);
            if (name.find('~') == std::string::npos) {
                EXPECT_EQ(name, own) << key;
            }
            for (const auto& [folder, word] : folders) {
                if (Below(key, folder)) {
                    EXPECT_NE(own.find(word), std::string::npos) << key << " holds " << own;
                }
            }
        }
        return found;
    }

    // How many of `found` (Texts) lie below `folder`.
    static size_t CountBelow(const std::map<std::string, std::string>& found, const std::string& folder)
    {
        size_t count = 0;
        for (const auto& [own, key] : found)
            count += Below(key, folder);
        return count;
    }
};

}  // namespace

// Walk's and Trip's later clusters alternate, each of Walk's first, and each folder's first cluster
// ends in letter 04's name: Trip's end could go on into Walk's second cluster as well as into its own,
// and Walk's into Trip's. Every letter comes back, and none in the other one's folder or under the
// other one's name: letters 01-03 of each in their folders, the others under "Lost Dir".
TEST_P(SharedClusterDisks, ALaterClusterThatTwoFoldersCouldGoOnIntoGoesToNeither)
{
    ASSERT_NO_FATAL_FAILURE(ScanSaveAndLoad("walk"));
    EXPECT_EQ(ExpectSavedBelow(theirs, "/"), theirs.size());
    const auto letters = Texts("Letter ", {{"/trip/", " sea.txt"}, {"/s/walk/", " lake.txt"}});
    EXPECT_EQ(letters.size(), 24u);
    EXPECT_EQ(CountBelow(letters, "/trip/"), 3u);
    EXPECT_EQ(CountBelow(letters, "/s/walk/"), 3u);
    EXPECT_EQ(CountBelow(letters, "/lost dir/"), 18u);
    EXPECT_EQ(ours.size(), 24u);
}

// Rome's and Oslo's first clusters end in document 0032's name (four on 512-byte clusters), and each
// folder's second cluster was made after the other one's files: on FAT32 of 4 KiB and of 512-byte
// clusters, no document is listed in the other folder or under the other one's name.
TEST_P(SharedClusterDisks, ANameCutAtAFoldersEndIsNotJoinedIntoAnotherFoldersCluster)
{
    for (const auto& [disk, count, first] :
        {std::make_tuple("rome32k", 51u, 31u), std::make_tuple("rome512", 23u, 3u)}) {
        SCOPED_TRACE(disk);
        oursByBytes.clear();
        std::filesystem::remove_all(temp.Path() / "out");
        ASSERT_NO_FATAL_FAILURE(ScanSaveAndLoad(disk));
        EXPECT_EQ(ExpectSavedBelow(theirs, "/"), theirs.size());
        const auto docs = Texts("Doc ", {{"/rome/", " rome.txt"}, {"/oslo/", " oslo.txt"}});
        EXPECT_EQ(docs.size(), 2 * count);
        EXPECT_EQ(CountBelow(docs, "/rome/"), first);
        EXPECT_EQ(CountBelow(docs, "/oslo/"), first);
        EXPECT_EQ(ours.size(), 2 * count);
    }
}

// F's second cluster is the last of G.BIN's, which was deleted before F's letters 04-12 were written:
// the entries of the cluster are dated after G's last writing, so G's claim is stale, and F's twelve
// letters come back in F under their own names, as on the same disk made without G.
TEST_P(SharedClusterDisks, AClaimOfAFileOlderThanAClustersEntriesHidesNoneOfThem)
{
    for (const auto& [disk, files] : {std::make_pair("stale", 14u), std::make_pair("stalefree", 13u)}) {
        SCOPED_TRACE(disk);
        oursByBytes.clear();
        std::filesystem::remove_all(temp.Path() / "out");
        ASSERT_NO_FATAL_FAILURE(ScanSaveAndLoad(disk));
        // F's short name lost its first character with its deleting.
        EXPECT_EQ(ExpectSavedBelow(Theirs(true), "/?/"), Theirs(true).size());
        const auto letters = Texts("Letter ", {});
        EXPECT_EQ(letters.size(), 12u);
        EXPECT_EQ(CountBelow(letters, "/?/letter "), 12u);
        EXPECT_EQ(ours.size(), files);
    }
}

INSTANTIATE_TEST_SUITE_P(Scans, SharedClusterDisks, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace morvick::test
