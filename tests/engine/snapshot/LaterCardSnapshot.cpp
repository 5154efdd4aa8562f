#include "tests/engine/snapshot/LaterCardSnapshot.h"

#include "engine/extensive/ExtensiveScanState.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/ScanFixture.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"

namespace fs = std::filesystem;

void LaterCardSnapshot::SetUp()
{
    ResetSaveState();
    ClearFileFilters();
}

void LaterCardSnapshot::TearDown()
{
    SetCurrentVirtualDisk(nullptr);
    ResetExtensiveScanState();
    ResetEngineState();
    ResetSaveState();
}

void LaterCardSnapshot::Open(const char* fixture, const std::string& image)
{
    SetCurrentVirtualDisk(nullptr);
    ResetExtensiveScanState();
    ASSERT_TRUE(OpenFixtureImage(morvick::test::FixtureFile(fixture, image), disk)) << image;
}

void LaterCardSnapshot::Snapshot(const char* fixture, const std::string& image,
    const std::function<void(FatEntryRecord&)>& rename)
{
    SCOPED_TRACE(image);
    ASSERT_NO_FATAL_FAILURE(Open(fixture, image));
    if (Quick())
        ASSERT_TRUE(QuickScanPartition(0));
    else
        ASSERT_TRUE(ExtensiveScanAndBrowsePartition(0));
    for (FatEntryRecord* r = g_FatEntries.head; r && rename; r = r->next)
        rename(*r);
    listed = g_FatEntries.count + g_MftEntries.count + g_NtfsFileRecords.count;
    ASSERT_GT(listed, 0u);
    snapshot = ToPath16(temp.Path() / (image + ".srzq"));
    ASSERT_TRUE(SaveSnapshotFile(snapshot));
}

void LaterCardSnapshot::ExpectRefused(const char* fixture, const std::string& image)
{
    SCOPED_TRACE(image);
    ASSERT_NO_FATAL_FAILURE(Open(fixture, image));
    RecordingObserver observer;
    EXPECT_FALSE(LoadSnapshotFile(snapshot));
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].first, u"Source file and load recovery snapshot mismatch");
    EXPECT_EQ(g_FatEntries.count + g_MftEntries.count + g_NtfsFileRecords.count, 0u);
}

std::map<std::string, fs::path> LaterCardSnapshot::LoadAndSave(const char* fixture, const std::string& image,
    DeletedFilePolicy deletedFiles)
{
    SCOPED_TRACE(image);
    Open(fixture, image);
    RecordingObserver observer;
    EXPECT_TRUE(LoadSnapshotFile(snapshot));
    EXPECT_TRUE(observer.messages.empty());
    EXPECT_EQ(g_FatEntries.count + g_MftEntries.count + g_NtfsFileRecords.count, listed) << "every file listed";
    const fs::path out = temp.Path() / ("out-" + std::to_string(++saves) + "-" + image);
    ResetSaveState();
    // Set after the image is opened, which puts every setting back.
    g_wDeletedFiles = deletedFiles;
    SaveWholeVolume(ToPath16(out));
    return morvick::test::FilesBelow(out, false);
}

std::set<std::string> FailedNames()
{
    std::set<std::string> failed;
    for (const std::u16string& name : g_SaveReport.failedNames)
        failed.insert(fs::path(name).u8string());
    return failed;
}

std::multiset<std::string> LaterCardSnapshot::SavedKeys(const char* fixture, const std::string& image,
    const std::vector<const std::vector<std::string>*>& keys)
{
    std::map<std::string, std::string> keyOf;
    for (const std::vector<std::string>* list : keys) {
        for (const std::string& key : *list)
            keyOf.emplace(ReadWholeFile(fs::u8path(morvick::test::FixtureFile(fixture, "files/" + key + ".bin"))), key);
    }
    std::multiset<std::string> saved;
    for (const auto& [path, file] : LoadAndSave(fixture, image)) {
        const auto it = keyOf.find(ReadWholeFile(file));
        saved.insert(it != keyOf.end() ? it->second : "?");
    }
    return saved;
}

std::multiset<std::string> Keys(const std::vector<std::vector<std::string>>& lists)
{
    std::multiset<std::string> keys;
    for (const std::vector<std::string>& list : lists)
        keys.insert(list.begin(), list.end());
    return keys;
}

std::set<std::string> SavedWhole(const std::map<std::string, fs::path>& saved, const std::string& written,
    const fs::path& folder)
{
    std::set<std::string> whole;
    for (const auto& entry : fs::directory_iterator(fs::u8path(written))) {
        const auto it = saved.find(morvick::test::ComparablePath(folder / entry.path().filename(), false));
        if (it != saved.end() && ReadWholeFile(it->second) == ReadWholeFile(entry.path()))
            whole.insert(entry.path().filename().u8string());
    }
    return whole;
}
