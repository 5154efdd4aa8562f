// A live folder moved out of a folder deleted afterwards (make-moved-live-folder-disks.sh): Acme, moved
// from Work/Clients to "Archive/Acme 2022" before Work was deleted, is named by the deleted "Acme" entry
// of Clients and by the live entry of Archive, which its ".." names. Where Work was made first the
// deleted entry lies before the live one on the disk. Both scans list the folder's 15 documents as live
// files under "Archive/Acme 2022" and save them with the bytes mtools wrote, whichever entry comes first,
// on FAT16 and on FAT32; Beta's ten documents are the only deleted files, and every file is saved whole.
#include "engine/state/EngineState.h"
#include "engine/state/FoundEntryLists.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/OracleComparedDisk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace morvick::test {

namespace {

const char* const kScript = "make-moved-live-folder-disks.sh";

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({kScript}));

class MovedLiveFolderDisks : public OracleComparedDisk {
protected:
    void ExpectTheMovedFolderLive(const std::string& name)
    {
        ASSERT_NO_FATAL_FAILURE(ScanAndSave(kScript, name));
        const FatFolderRecord* moved = nullptr;
        for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
            if (f->name && std::u16string(f->name) == u"Acme 2022")
                moved = f;
        }
        ASSERT_NE(moved, nullptr);
        EXPECT_EQ(moved->deleted, 0u);
        size_t live = 0, deleted = 0, files = 0;
        for (const FatEntryRecord* e = g_FatEntries.head; e; e = e->next) {
            ++files;
            deleted += e->deleted != 0;
            live += e->parentCluster == moved->firstCluster && e->deleted == 0;
        }
        EXPECT_EQ(live, 15u);
        EXPECT_EQ(deleted, 10u);  // Beta's documents
        EXPECT_EQ(files, 36u);

        // The documents as mtools wrote them, and as tsk_recover saved them.
        const std::string folder = "/archive/acme 2022";
        std::map<std::string, std::filesystem::path> kept;
        for (const auto& [key, path] : FilesBelow(std::filesystem::u8path(FixtureFile(kScript, name + ".kept")), true))
            kept.emplace(folder + key, path);
        ASSERT_EQ(kept.size(), 15u);
        EXPECT_EQ(ExpectSameBytes(ours, kept), 15u);
        EXPECT_EQ(ExpectSameBytes(ours, TheirsBelow(folder + "/")), 15u);
        EXPECT_EQ(ours.size(), 36u);
    }
};

}  // namespace

TEST_P(MovedLiveFolderDisks, TheDeletedEntryOfTheOldFolderMetFirst)
{
    ExpectTheMovedFolderLive("work-first");
}

TEST_P(MovedLiveFolderDisks, TheLiveEntryMetFirst)
{
    ExpectTheMovedFolderLive("archive-first");
}

TEST_P(MovedLiveFolderDisks, TheDeletedEntryMetFirstOnFat32)
{
    ExpectTheMovedFolderLive("work-first32");
}

INSTANTIATE_TEST_SUITE_P(Scans, MovedLiveFolderDisks, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive),
    ScanKindName);

}  // namespace morvick::test
