// Recovery snapshots of a memory card loaded over other cards of the same camera, formatted alike
// (make-alike-cards.sh: FAT32 of 4 KiB clusters, DCIM/100PHOTO of 200 photos of the same names,
// DCIM deleted). Boot sectors and folder clusters agree; only the photos' first clusters and sizes
// in the deleted folder tell the cards apart, and the folder's chain ends with its first cluster.
// The snapshot of each scan of the first card is refused over the others, with the program's
// message and nothing loaded, and loads over its own card, whose every photo it saves with the bytes
// tsk_recover saves.
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_cards = ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-alike-cards.sh"}));

namespace {

const char* const kCards = "make-alike-cards.sh";
const std::string kOrphans = "/$orphanfiles/";

class AlikeCards : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FixtureFolder(kCards).empty()) << "the cards were not built";
        Open("first.vhd");
        ResetSaveState();
        ClearFileFilters();
        if (std::string(GetParam()) == "quick")
            ASSERT_TRUE(QuickScanPartition(0));
        else
            ASSERT_TRUE(ExtensiveScanAndBrowsePartition(0));
        ASSERT_EQ(g_FatEntries.count, 200u);
        snapshot = ToPath16(temp.Path() / "first.srzq");
        ASSERT_TRUE(SaveSnapshotFile(snapshot));
    }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetExtensiveScanState();
        ResetEngineState();
        ResetSaveState();
    }

    // Loads the snapshot over the image: refused with the program's message, nothing loaded.
    void ExpectRefused(const char* image)
    {
        SCOPED_TRACE(image);
        Open(image);
        RecordingObserver observer;
        EXPECT_FALSE(LoadSnapshotFile(snapshot));
        ASSERT_EQ(observer.messages.size(), 1u);
        EXPECT_EQ(observer.messages[0].first, u"Source file and load recovery snapshot mismatch");
        EXPECT_EQ(g_FatEntries.count + g_FatFolders.count, 0u) << "nothing of the snapshot is loaded";
    }

    void Open(const char* image)
    {
        SetCurrentVirtualDisk(nullptr);
        ResetExtensiveScanState();
        ASSERT_TRUE(OpenFixtureImage(FixtureFile(kCards, image), disk)) << image;
    }

    CVirtualDisk disk;
    TempFolder temp;
    std::u16string snapshot;
};

}  // namespace

TEST_P(AlikeCards, TheSnapshotIsRefusedOverAnotherCard)
{
    ExpectRefused("other.vhd");    // other photos at other clusters
    ExpectRefused("resized.vhd");  // the same photos' clusters with other sizes
}

TEST_P(AlikeCards, TheSnapshotLoadsOverItsCardAndSavesEveryPhoto)
{
    Open("first.vhd");
    RecordingObserver observer;
    ASSERT_TRUE(LoadSnapshotFile(snapshot));
    EXPECT_TRUE(observer.messages.empty());
    ASSERT_EQ(g_FatEntries.count, 200u);

    const fs::path out = temp.Path() / "out";
    SaveWholeVolume(ToPath16(out));
    EXPECT_EQ(g_SaveReport.savedFiles, 200u);
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    const std::map<std::string, fs::path> ours = morvick::test::FilesBelow(out, true);
    const std::map<std::string, fs::path> theirs =
        morvick::test::FilesBelow(fs::u8path(FixtureFile(kCards, "first.recover")), true);
    ASSERT_EQ(theirs.size(), 200u);
    ASSERT_EQ(ours.size(), 200u);
    // The photos of the folder's first cluster where tsk_recover puts them; those of its second,
    // which nothing ties to the folder (orphans to tsk_recover), by their bytes wherever they are.
    std::map<std::string, fs::path> placed;
    std::map<std::string, std::string> oursByBytes;
    for (const auto& [key, path] : ours)
        oursByBytes.emplace(ReadWholeFile(path), key);
    size_t orphans = 0;
    for (const auto& [key, path] : theirs) {
        if (key.rfind(kOrphans, 0) != 0) {
            placed.emplace(key, path);
            continue;
        }
        ++orphans;
        EXPECT_EQ(oursByBytes.count(ReadWholeFile(path)), 1u) << "not saved: " << key;
    }
    EXPECT_EQ(placed.size(), 126u);
    EXPECT_EQ(orphans, 74u);
    EXPECT_EQ(morvick::test::ExpectSameBytes(ours, placed), placed.size());
}

INSTANTIATE_TEST_SUITE_P(BothScans, AlikeCards, ::testing::Values("quick", "extensive"),
    [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });
