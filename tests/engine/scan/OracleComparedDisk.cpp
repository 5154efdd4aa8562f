#include "tests/engine/scan/OracleComparedDisk.h"

#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/save/TempFolder.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace morvick::test {

const std::string kOrphans = "/$orphanfiles/";

bool Below(const std::string& key, const std::string& folder)
{
    return key.rfind(folder, 0) == 0;
}

void OracleComparedDisk::ScanAndSave(const std::string& script, const std::string& name)
{
    ASSERT_FALSE(FixtureFolder(script).empty()) << "the disks were not built";
    ASSERT_NO_FATAL_FAILURE(Scan(FixtureFile(script, name + ".vhd"), 0));
    const fs::path out = SaveAll("out");
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    ours = FilesBelow(out, true);
    theirs = FilesBelow(fs::u8path(FixtureFile(script, name + ".recover")), true);
    for (const auto& [key, path] : ours)
        oursByBytes.emplace(ReadWholeFile(path), key);
}

void OracleComparedDisk::ScanSaveAndLoad(const std::string& script, const std::string& name)
{
    ASSERT_NO_FATAL_FAILURE(ScanAndSave(script, name));
    const std::u16string snapshot = ToPath16(temp.Path() / (name + ".srzq"));
    ASSERT_TRUE(SaveSnapshotFile(snapshot));
    ASSERT_TRUE(LoadSnapshotFile(snapshot));
    const auto loaded = FilesBelow(SaveAll("loaded-" + name), true);
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    ASSERT_EQ(loaded.size(), ours.size());
    for (const auto& [key, path] : ours) {
        const auto it = loaded.find(key);
        ASSERT_NE(it, loaded.end()) << key;
        EXPECT_EQ(ReadWholeFile(it->second), ReadWholeFile(path)) << key;
    }
}

std::map<std::string, fs::path> OracleComparedDisk::Theirs(bool orphans, const std::string& leaveOut) const
{
    std::map<std::string, fs::path> chosen;
    for (const auto& [key, path] : theirs) {
        if (Below(key, kOrphans) == orphans && (leaveOut.empty() || !Below(key, leaveOut)))
            chosen.emplace(key, path);
    }
    return chosen;
}

std::map<std::string, fs::path> OracleComparedDisk::TheirsBelow(const std::string& folder) const
{
    std::map<std::string, fs::path> chosen;
    for (const auto& [key, path] : theirs) {
        if (Below(key, folder))
            chosen.emplace(key, path);
    }
    return chosen;
}

size_t OracleComparedDisk::ExpectSavedBelow(const std::map<std::string, fs::path>& files,
    const std::string& folder) const
{
    size_t found = 0;
    for (const auto& [key, path] : files) {
        const auto range = oursByBytes.equal_range(ReadWholeFile(path));
        const bool there =
            std::any_of(range.first, range.second, [&](const auto& e) { return Below(e.second, folder); });
        EXPECT_TRUE(there) << key << " not saved below " << folder;
        found += there;
    }
    return found;
}

size_t OracleComparedDisk::OursBelow(const std::string& folder) const
{
    return std::count_if(ours.begin(), ours.end(), [&](const auto& e) { return Below(e.first, folder); });
}

}  // namespace morvick::test
