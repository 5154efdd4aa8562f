#include "tests/e2e/ResultSteps.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"

namespace fs = std::filesystem;

namespace morvick::e2e {

const char kResultsDisks[] = "make-results-disks.sh";

std::wstring ResultsDisk(const char* name)
{
    return WindowsPath(morvick::test::FixtureFolder(kResultsDisks) + "/" + name);
}

fs::path ResultsOracle(const std::string& name)
{
    return fs::u8path(morvick::test::FixtureFile(kResultsDisks, name));
}

namespace {

// The save folders of this run, removed at its end.
class SaveFolders : public ::testing::Environment {
public:
    void TearDown() override
    {
        std::error_code ignored;
        for (const fs::path& folder : folders)
            fs::remove_all(folder, ignored);
    }
    std::vector<fs::path> folders;
};

SaveFolders* const g_saveFolders = static_cast<SaveFolders*>(::testing::AddGlobalTestEnvironment(new SaveFolders));

}  // namespace

fs::path NewSaveFolder(const std::string& name)
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    fs::path folder = fs::path(temp) / ("morvick-saved-" + name + "-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    g_saveFolders->folders.push_back(folder);
    return folder;
}

fs::path SaveStaging()
{
    static const fs::path staging = [] {
        fs::path folder = NewSaveFolder("staging");
        fs::create_directories(folder);
        return folder;
    }();
    return staging;
}

bool StartProgram(MorvickDriver& driver, const std::wstring& args)
{
    MorvickDriver::SetSaveFolder(SaveStaging().wstring());
    return driver.Start(args);
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

::testing::AssertionResult WaitForBytes(const fs::path& path, const std::string& expected)
{
    std::string held;
    if (WaitUntil([&] { return (held = ReadBytes(path)) == expected; }, kStateWaitMs))
        return ::testing::AssertionSuccess();
    size_t same = 0;
    while (same < held.size() && same < expected.size() && held[same] == expected[same])
        ++same;
    return ::testing::AssertionFailure() << path.filename().u8string() << " holds " << held.size() << " bytes, not the "
                                         << expected.size() << " expected; the first " << same << " of them agree";
}

void ScanToResults(MorvickDriver& driver, const std::wstring& image, UINT mode, const std::wstring& partition)
{
    ASSERT_NO_FATAL_FAILURE(OpenImage(driver, image, mode));
    ASSERT_NO_FATAL_FAILURE(SearchPartitions(driver, true));
    ASSERT_TRUE(WaitForTree(driver, kPartitionTree, 2));
    ASSERT_NO_FATAL_FAILURE(ScanAnotherPartition(driver, partition, mode));
}

void ScanAnotherPartition(MorvickDriver& driver, const std::wstring& partition, UINT mode)
{
    ASSERT_TRUE(driver.WaitForPage(2));
    ASSERT_TRUE(driver.SelectTreeItem(driver.Control(kPartitionTree), partition)) << Utf8(partition);
    // The pane names the partition's type once it is chosen.
    ASSERT_TRUE(WaitUntil([&] { return !driver.Text(kRowValue).empty(); }, kStateWaitMs));
    const size_t before = driver.MessageCount();
    ASSERT_TRUE(driver.Click(kNext));
    ASSERT_TRUE(driver.WaitForPage(4, 120000)) << "the results page did not come";
    if (mode == kQuickScan) {
        // A Quick Scan ends with its hint on the results page.
        LoggedMessage hint;
        ASSERT_TRUE(driver.WaitForMessage(before, hint, 60000)) << "no closing hint";
        EXPECT_EQ(hint.kind, "1");
        ASSERT_TRUE(driver.AnswerMessage(IDOK));
    }
    ASSERT_TRUE(WaitForTree(driver, kResultTree, 1));
}

void ExpectPartitionRowsBack(MorvickDriver& driver)
{
    EXPECT_TRUE(WaitUntil([&] { return driver.Text(kRowLabel) == L"Partition type\t\t:"; }, kStateWaitMs))
        << "the first row reads " << Utf8(driver.Text(kRowLabel));
    EXPECT_EQ(driver.Text(kRowLabel + 1), L"Partition Start\t\t:");
    for (UINT row = 0; row < 5; ++row)
        EXPECT_EQ(driver.Text(kRowValue + row), L"") << "row " << row + 1 << " keeps a value of the scan";
}

void LoadSnapshotOver(MorvickDriver& driver, const std::wstring& snapshot, const std::wstring& image)
{
    ASSERT_TRUE(driver.SendCommand(kLoadSnapshotCommand));
    ASSERT_TRUE(driver.AnswerFileDialog(L"Open", snapshot));
    ASSERT_TRUE(driver.AnswerFileDialog(kSnapshotImageTitle, image));
}

void TickRoot(MorvickDriver& driver)
{
    ASSERT_TRUE(driver.TickTreeItem(driver.Control(kResultTree), L"Root", 2)) << "the top item was not ticked";
}

int CheckOf(const std::vector<ListRowInfo>& rows, const std::wstring& name)
{
    for (const ListRowInfo& row : rows) {
        if (!row.texts.empty() && row.texts[0] == name)
            return row.Check();
    }
    return -1;
}

bool RenameListRow(MorvickDriver& driver, HWND list, const std::wstring& from, const std::wstring& to)
{
    const int row = driver.FindListRow(list, from);
    if (row < 0 || !driver.ClickListRow(list, row))
        return false;
    if (!WaitUntil(
            [&] {
                return (SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) &
                           LVIS_SELECTED) != 0;
            },
            kStateWaitMs))
        return false;
    PostMessageW(list, WM_KEYDOWN, VK_F2, 0);
    PostMessageW(list, WM_KEYUP, VK_F2, 0xC0000000);
    HWND edit = nullptr;
    if (!WaitUntil([&] { return (edit = MorvickDriver::ListEditBox(list)) != nullptr; }, kStateWaitMs))
        return false;
    DWORD_PTR result = 0;
    MorvickDriver::Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(to.c_str()), &result);
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    return WaitUntil([&] { return driver.FindListRow(list, to) >= 0; }, kStateWaitMs);
}

std::vector<fs::path> PreviewCopies(const MorvickDriver& driver)
{
    std::vector<fs::path> copies;
    if (driver.TempFolder().empty())
        return copies;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(driver.TempFolder()), error)) {
        const std::string name = entry.path().filename().u8string();
        if (name.rfind("tmp", 0) == 0 && name.size() > 3 && std::isdigit(static_cast<unsigned char>(name[3])))
            copies.push_back(entry.path());
    }
    return copies;
}

SaveHold::SaveHold(DWORD limitMs)
{
    const std::wstring name = L"morvick-e2e-save-hold-" + std::to_wstring(GetCurrentProcessId());
    m_free = CreateEventW(nullptr, TRUE, TRUE, (name + L"-free").c_str());
    m_step = CreateEventW(nullptr, FALSE, FALSE, (name + L"-step").c_str());
    SetEnvironmentVariableW(L"MORVICK_TEST_SAVE_HOLD", name.c_str());
    if (limitMs != 0)
        SetEnvironmentVariableW(L"MORVICK_TEST_SAVE_HOLD_MS", std::to_wstring(limitMs).c_str());
}

SaveHold::~SaveHold()
{
    SetEnvironmentVariableW(L"MORVICK_TEST_SAVE_HOLD", nullptr);
    SetEnvironmentVariableW(L"MORVICK_TEST_SAVE_HOLD_MS", nullptr);
    Free();
    CloseHandle(m_free);
    CloseHandle(m_step);
}

void SaveHold::Hold()
{
    ResetEvent(m_free);
}

void SaveHold::Step()
{
    SetEvent(m_step);
}

void SaveHold::Free()
{
    SetEvent(m_free);
}

LoggedMessage SaveInto(MorvickDriver& driver, const fs::path& folder, UINT command)
{
    LoggedMessage message;
    const size_t before = driver.MessageCount();
    if (command != 0) {
        EXPECT_TRUE(driver.SendCommand(command));
    } else {
        EXPECT_TRUE(driver.Click(kSave));
    }
    if (!driver.ChooseSaveFolder()) {
        ADD_FAILURE() << "no folder browser";
        return message;
    }
    // The save is over when its message comes (the saving dialog, which a short save may close before
    // it is seen, has gone by then). One that has not ended is a failure, and its folder stays where
    // the program writes.
    if (!driver.WaitForMessage(before, message, kSaveWaitMs)) {
        ADD_FAILURE() << "the save did not end within " << kSaveWaitMs / 1000 << " s";
        return message;
    }
    EXPECT_TRUE(driver.AnswerMessage(IDOK));
    if (!folder.empty()) {
        std::error_code error;
        fs::rename(SaveStaging(), folder, error);
        EXPECT_FALSE(error) << error.message();
        fs::create_directories(SaveStaging());
    }
    return message;
}

namespace {

uint64_t LastWriteSeconds(const fs::path& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    const uint64_t ft =
        (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return ft / 10000000ULL - 11644473600ULL;
}

// fls -m lines of live entries: comparable path -> (mtime, crtime).
std::map<std::string, std::pair<uint64_t, uint64_t>> BodyTimes(const fs::path& body)
{
    std::map<std::string, std::pair<uint64_t, uint64_t>> times;
    std::ifstream in(body, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '|'))
            f.push_back(field);
        if (f.size() < 11 || f[1].find("(deleted") != std::string::npos || f[1].size() < 2)
            continue;
        times[morvick::test::ComparablePath(fs::u8path(f[1].substr(1)), true)] = {std::stoull(f[8]),
            std::stoull(f[10])};
    }
    return times;
}

}  // namespace

size_t ExpectSameAsRecovered(const fs::path& saved, int partition, bool ntfs)
{
    const std::string part = "part" + std::to_string(partition);
    const auto ours = morvick::test::FilesBelow(saved, true);
    const auto theirs = morvick::test::FilesBelow(ResultsOracle(part + ".recover"), true);
    const auto times = BodyTimes(ResultsOracle(part + ".body"));
    EXPECT_FALSE(theirs.empty());
    size_t compared = 0;
    for (const auto& [key, path] : theirs) {
        // A file with many hard links is one record: it is saved under one of its names. Files whose
        // folder entry is gone are found by sleuthkit's search for orphans only.
        if (key.rfind("/links/", 0) == 0 || key.rfind("/$orphanfiles/", 0) == 0)
            continue;
        auto it = ours.find(key);
        if (it == ours.end()) {
            ADD_FAILURE() << "not saved: " << key;
            continue;
        }
        EXPECT_EQ(ReadBytes(it->second), ReadBytes(path)) << key;
        auto time = times.find(key);
        if (time != times.end() && key.rfind("/$", 0) != 0) {
            const uint64_t written = LastWriteSeconds(it->second);
            if (ntfs)
                EXPECT_EQ(written, time->second.second) << "creation time of " << key;
            else
                EXPECT_EQ(written / 86400, time->second.first / 86400) << "day of " << key;
        }
        ++compared;
    }
    for (const auto& [key, path] : ours) {
        if (ntfs && key.rfind("/$", 0) == 0)
            continue;
        if (key.rfind("/links/", 0) == 0 || key == "/linked.txt")
            continue;
        // A file of a deleted folder that no entry found names is saved under "Lost Dir" and the
        // folder's cluster; sleuthkit finds it by its search for orphans, under the same name.
        if (key.rfind("/lost dir/", 0) == 0) {
            const auto orphan = theirs.find("/$orphanfiles/" + key.substr(key.rfind('/') + 1));
            if (orphan == theirs.end())
                ADD_FAILURE() << "saved but not recovered by sleuthkit, even as an orphan: " << key;
            else
                EXPECT_EQ(ReadBytes(path), ReadBytes(orphan->second)) << key;
            continue;
        }
        EXPECT_TRUE(theirs.count(key)) << "saved but not recovered by sleuthkit: " << key;
    }
    return compared;
}

}  // namespace morvick::e2e
