// The snapshot of a scan the user stopped (the window offers to save it), loaded over its own image:
// for the Quick Scan and the Extensive Scan's reading of a found volume, stopped at pause points spread
// over the whole scan, on a FAT32 volume with deleted folders (make-deleted-folders-disk.sh) and an
// NTFS volume whose deleted folders' records new folders took (make-reused-record-disk.sh). The load
// reads the volume to its end and finds more than the stopped scan listed, placed where a finished
// scan places it; every file the snapshot lists is found as listed, none marked changed, and the
// save writes each as the stopped scan's results would: at the same path, with the same bytes.
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/scan/QuickScan.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(
    new DiskFixtureEnvironment({"make-deleted-folders-disk.sh", "make-reused-record-disk.sh"}));

namespace {

// Sets the finished word at the scan's `stopAt`th pause point (0: never), as the user's Stop does, and
// counts the pause points passed.
class StopAtPausePoint : public ScanObserver {
public:
    StopAtPausePoint(ScanFinishedWord& finished, uint64_t stopAt) : m_finished(finished), m_stopAt(stopAt)
    {
        m_previous = SetScanObserver(this);
    }
    ~StopAtPausePoint() override { SetScanObserver(m_previous); }

    void OnPausePoint() override
    {
        if (++passed == m_stopAt)
            m_finished = 1;
    }

    uint64_t passed = 0;

private:
    ScanFinishedWord& m_finished;
    uint64_t m_stopAt;
    ScanObserver* m_previous = nullptr;
};

struct Disk {
    const char* script;
    const char* image;
};

const Disk kFatDisk = {"make-deleted-folders-disk.sh", "deleted.vhd"};
const Disk kNtfsDisk = {"make-reused-record-disk.sh", "reused-record.vhd"};

uint32_t ListedFiles()
{
    return g_FatEntries.count + g_MftEntries.count + g_NtfsFileRecords.count;
}

uint32_t ChangedFiles()
{
    uint32_t changed = 0;
    for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next)
        changed += r->changedOnDisk != 0 ? 1 : 0;
    for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next)
        changed += r->changedOnDisk != 0 ? 1 : 0;
    for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r; r = r->next)
        changed += r->changedOnDisk != 0 ? 1 : 0;
    return changed;
}

class StoppedScanSnapshot : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ResetSaveState();
        ClearFileFilters();
    }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetExtensiveScanState();
        ResetEngineState();
        ResetSaveState();
    }
    bool Extensive() const { return GetParam(); }

    void Open(const Disk& d)
    {
        SetCurrentVirtualDisk(nullptr);
        ResetExtensiveScanState();
        ASSERT_TRUE(OpenFixtureImage(FixtureFile(d.script, d.image), disk)) << d.image;
    }

    // The scan of the test's kind of partition 0, stopped at its `stopAt`th pause point (0: never;
    // the Extensive Scan's search runs whole, its reading of the found volume is stopped); the pause
    // points it passed.
    uint64_t Scan(const Disk& d, uint64_t stopAt)
    {
        Open(d);
        if (!ChooseFixturePartition(0))
            return 0;
        ScanFinishedWord finished{0};
        if (!Extensive()) {
            g_nScanMode = kScanQuick;
            StopAtPausePoint stop(finished, stopAt);
            RunQuickScan(finished);
            return stop.passed;
        }
        g_nScanMode = kScanExtensive;
        EXPECT_EQ(RunExtensiveScan(finished).search, ExtensiveSearchResult::kCompleted);
        EXPECT_EQ(g_FoundPartitions.count, 1u);
        if (!ChooseFoundVolume(1))
            return 0;
        StopAtPausePoint stop(finished, stopAt);
        RunFoundVolumeScan(finished);
        return stop.passed;
    }

    // Stops the scan at pause points spread over it and at its last ones, and loads each stopped
    // scan's snapshot over its own image: every file it lists is found as listed. At the last points
    // and a few of the others, the loaded snapshot saves each file as the stopped scan's results do.
    void ExpectStoppedSnapshotsLoad(const Disk& d)
    {
        const uint64_t points = Scan(d, 0);
        ASSERT_GT(points, 3u);
        constexpr uint64_t kSpread = 24, kSavedEvery = 8, kLast = 3;
        std::vector<uint64_t> stops;
        for (uint64_t i = 1; i < kSpread; ++i)
            stops.push_back(std::max<uint64_t>(1, points * i / kSpread));
        for (uint64_t back = kLast; back >= 1; --back)
            stops.push_back(points - back);
        for (size_t i = 0; i < stops.size(); ++i) {
            const uint64_t stopAt = stops[i];
            SCOPED_TRACE("stopped at pause point " + std::to_string(stopAt) + " of " + std::to_string(points));
            Scan(d, stopAt);
            const uint32_t listed = ListedFiles();
            if (listed == 0)
                continue;
            const std::u16string snapshot = ToPath16(temp.Path() / "stopped.srzq");
            ASSERT_TRUE(SaveSnapshotFile(snapshot));
            const bool save = i % kSavedEvery == 0 || stopAt + kLast >= points;
            const SaveReport scanned = save ? SaveAll("scanned-" + std::to_string(stopAt)) : SaveReport();
            Open(d);
            RecordingObserver observer;
            ASSERT_TRUE(LoadSnapshotFile(snapshot)) << listed << " files listed";
            EXPECT_TRUE(observer.messages.empty());
            EXPECT_EQ(ListedFiles(), listed);
            EXPECT_EQ(ChangedFiles(), 0u) << "of " << listed;
            if (!save)
                continue;
            const SaveReport loaded = SaveAll("loaded-" + std::to_string(stopAt));
            EXPECT_EQ(loaded.changedFiles, 0u);
            EXPECT_EQ(loaded.savedFiles, scanned.savedFiles) << "as the stopped scan's own results save";
            EXPECT_EQ(loaded.damagedFiles, scanned.damagedFiles);
            EXPECT_EQ(loaded.failedFiles, scanned.failedFiles);
            ExpectSameFiles("scanned-" + std::to_string(stopAt), "loaded-" + std::to_string(stopAt));
        }
    }

    // The whole volume saved into a new folder of the temporary one: the save's report.
    SaveReport SaveAll(const std::string& folder)
    {
        ResetSaveState();
        SaveWholeVolume(ToPath16(temp.Path() / folder));
        return g_SaveReport;
    }

    // The two saves wrote the same files: each at the same path (in its case) with the same bytes.
    void ExpectSameFiles(const std::string& scannedFolder, const std::string& loadedFolder)
    {
        const std::map<std::string, fs::path> scanned = SavedFiles(temp.Path() / scannedFolder);
        const std::map<std::string, fs::path> loaded = SavedFiles(temp.Path() / loadedFolder);
        ASSERT_FALSE(scanned.empty());
        for (const auto& [path, file] : scanned) {
            const auto it = loaded.find(path);
            if (it == loaded.end())
                ADD_FAILURE() << path << " was not saved from the snapshot";
            else
                EXPECT_EQ(ReadWholeFile(it->second), ReadWholeFile(file)) << path;
        }
        for (const auto& [path, file] : loaded)
            EXPECT_EQ(scanned.count(path), 1u) << path << " was saved from the snapshot alone";
    }

    // Every file below `root` by its path below it, exactly as written.
    static std::map<std::string, fs::path> SavedFiles(const fs::path& root)
    {
        std::map<std::string, fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.is_regular_file())
                files.emplace(entry.path().lexically_relative(root).u8string(), entry.path());
        }
        return files;
    }

    CVirtualDisk disk;
    TempFolder temp;
};

}  // namespace

TEST_P(StoppedScanSnapshot, FatVolumeWithDeletedFolders)
{
    ASSERT_FALSE(FixtureFolder(kFatDisk.script).empty()) << "the disk was not built";
    ExpectStoppedSnapshotsLoad(kFatDisk);
}

// Stopped after its last record, the NTFS pass had not yet placed the deleted files whose folders'
// records new folders took: it lists them under the numbers those records have now.
TEST_P(StoppedScanSnapshot, NtfsVolumeWithReusedFolderRecords)
{
    ASSERT_FALSE(FixtureFolder(kNtfsDisk.script).empty()) << "the disk was not built";
    ExpectStoppedSnapshotsLoad(kNtfsDisk);
}

INSTANTIATE_TEST_SUITE_P(BothScans, StoppedScanSnapshot, ::testing::Values(false, true),
    [](const ::testing::TestParamInfo<bool>& info) { return std::string(info.param ? "extensive" : "quick"); });
