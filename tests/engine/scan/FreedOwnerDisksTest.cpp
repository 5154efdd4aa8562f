// Deleted folders whose later clusters more than one folder could own (make-freed-owner-disks.sh).
// Two deleted folders cut inside long names of the same short name at the end of each cluster: no
// cluster goes on from one of them where the other's could too, also where a later file took the
// other's first cluster, so no letter is listed in the other folder or under another letter's name.
// A live folder whose chain a damaged FAT cut goes on into its own next cluster of live entries only:
// a deleted disk image's folders later on the card give no file. In both scans and from the scan's
// snapshot loaded over the disk, every file tsk_recover -e saves comes back with its bytes.
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/OracleComparedDisk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

namespace morvick::test {

namespace {

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-freed-owner-disks.sh"}));

const char* const kScript = "make-freed-owner-disks.sh";

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

class FreedOwnerDisks : public OracleComparedDisk {
protected:
    // Every file tsk_recover saved is among ours with its bytes, but the floppy's documents that it
    // reads from the folders inside the deleted image as the card's (their bytes the first bytes of
    // the card's clusters of those numbers).
    void ExpectTheirFilesAmongOurs()
    {
        for (const auto& [key, path] : theirs) {
            if (Below(key, kOrphans + "doc"))
                continue;
            EXPECT_NE(oursByBytes.count(ReadWholeFile(path)), 0u) << key;
        }
    }

    // The letters of disk `name`: each saved once, each listed under its long name holding that
    // letter's bytes, and under S/Walk only walk letters; `letters` of them besides NEW.TXT.
    void ExpectEachLetterInItsPlace(const std::string& name, size_t letters)
    {
        ASSERT_NO_FATAL_FAILURE(ScanSaveAndLoad(kScript, name));
        std::set<std::string> texts;
        for (const auto& [key, path] : ours) {
            const std::string file = key.substr(key.rfind('/') + 1);
            if (file == "new.txt")
                continue;
            const std::string bytes = ReadWholeFile(path);
            const std::string text = Lower(bytes.substr(0, bytes.find('\n')));
            EXPECT_TRUE(texts.insert(text).second) << key << " holds a letter saved once already: " << text;
            if (file.rfind("letter ", 0) == 0)
                EXPECT_EQ(text, file) << key;
            if (Below(key, "/s/walk/"))
                EXPECT_NE(text.find("walk by the lake"), std::string::npos) << key << " holds " << text;
        }
        EXPECT_EQ(texts.size(), letters);
        ExpectTheirFilesAmongOurs();
    }

    // The photos of disk `name`: all 200 saved with their bytes, and no file of the floppy's folder.
    void ExpectThePhotosAndNoDocument(const std::string& name)
    {
        ASSERT_NO_FATAL_FAILURE(ScanSaveAndLoad(kScript, name));
        size_t photos = 0;
        for (const auto& [key, path] : ours) {
            const std::string file = key.substr(key.rfind('/') + 1);
            EXPECT_NE(file.rfind("doc", 0), 0u) << key;
            if (file.rfind("img_", 0) == 0 && ReadWholeFile(path).rfind("\xff\xd8\xff\xe0", 0) == 0)
                ++photos;
        }
        EXPECT_EQ(photos, 200u);
        EXPECT_EQ(ours.size(), 200u);
        ExpectTheirFilesAmongOurs();
    }
};

}  // namespace

// NEW.TXT took Trip's first cluster: Walk's is the only folder end known, and it goes on into neither
// cluster that begins with the rest of letter 04's name. Trip's letters 01-03 went with its first
// cluster.
TEST_P(FreedOwnerDisks, ACutNameGoesOnIntoNoClusterThatTheOtherFoldersNameCouldContinue)
{
    ExpectEachLetterInItsPlace("taken", 21);
}

TEST_P(FreedOwnerDisks, ACutNameGoesOnIntoNoClusterThatTwoFoldersCouldGoOnInto)
{
    ExpectEachLetterInItsPlace("untaken", 24);
}

TEST_P(FreedOwnerDisks, ACutLiveChainGoesOnOnlyIntoItsOwnNextCluster)
{
    ExpectThePhotosAndNoDocument("cutchain");
}

TEST_P(FreedOwnerDisks, AWholeLiveChainListsItsPhotosAndNoDocument)
{
    ExpectThePhotosAndNoDocument("wholechain");
}

INSTANTIATE_TEST_SUITE_P(Scans, FreedOwnerDisks, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace morvick::test
