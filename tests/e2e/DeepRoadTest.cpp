// The Extensive Scan end to end: a disk whose master boot record is wiped, searched for FAT and then
// for NTFS file systems, and a VHDX whose FAT32 and NTFS partitions are searched each for its own file
// system; each found volume listed through the file-system page and saved whole; every live file of
// every partition is among what was saved.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "tests/e2e/ResultSteps.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/support/win/WindowCapture.h"

namespace fs = std::filesystem;

namespace morvick::e2e {
namespace {

[[maybe_unused]] auto* const kDisks =
    ::testing::AddGlobalTestEnvironment(new morvick::test::DiskFixtureEnvironment({kResultsDisks}));

// Scans the found volumes of the file-system page one after the other and saves each whole.
std::vector<fs::path> SaveEveryFoundVolume(MorvickDriver& driver, const std::wstring& gallery, const char* label)
{
    std::vector<fs::path> saved;
    EXPECT_TRUE(driver.WaitForPage(3, 120000));
    HWND tree = driver.Control(kFileSystemTree);
    std::vector<std::wstring> volumes;
    for (const TreeItemInfo& item : driver.TreeItems(tree)) {
        if (item.level == 1)
            volumes.push_back(item.text);
    }
    EXPECT_FALSE(volumes.empty());
    for (size_t i = 0; i < volumes.size(); ++i) {
        if (i > 0) {
            // Back from the results leaves no file system chosen: Next asks for one. A click on the
            // indent of the next one's row chooses it as one on its label does.
            PressAndExpect(driver, kNext, "1",
                "Please select a File System from the left panel and then click [Next] to continue with recovery.");
            EXPECT_TRUE(driver.ClickTreeItemIndent(driver.Control(kFileSystemTree), volumes[i]));
        }
        // The first file system found is shown by itself, another once it is chosen.
        EXPECT_TRUE(WaitUntil([&] { return !driver.Text(kRowValue + 1).empty(); }, kStateWaitMs))
            << "the form shows the file system";
        if (i == 0) {
            EXPECT_TRUE(driver.Capture(driver.Frame(),
                gallery + L"\\filesystem-page-" + std::wstring(label, label + strlen(label)) + L".png"));
        }
        EXPECT_TRUE(driver.Click(kNext));
        EXPECT_TRUE(driver.WaitForPage(4, 120000));
        EXPECT_TRUE(WaitForTree(driver, kResultTree, 1));
        TickRoot(driver);
        const fs::path folder = NewSaveFolder(std::string(label) + std::to_string(i));
        const LoggedMessage done = SaveInto(driver, folder);
        EXPECT_FALSE(done.text.empty()) << "the save ended with its message";
        saved.push_back(folder);
        EXPECT_TRUE(driver.Click(kBack));
        EXPECT_TRUE(driver.WaitForPage(3));
    }
    return saved;
}

// Every live file of the partitions (numbered as the oracles name them) is among the saved files
// with the same bytes.
void ExpectEveryLiveFileSaved(const std::vector<fs::path>& saved, std::initializer_list<int> partitions)
{
    std::vector<std::map<std::string, fs::path>> savedFiles;
    for (const fs::path& folder : saved)
        savedFiles.push_back(morvick::test::FilesBelow(folder, false));
    for (int n : partitions) {
        size_t compared = 0;
        for (const auto& [key, path] :
            morvick::test::FilesBelow(ResultsOracle("part" + std::to_string(n) + ".live"), false)) {
            if (key.rfind("/links/", 0) == 0)
                continue;
            const std::string bytes = ReadBytes(path);
            bool found = false;
            for (const auto& files : savedFiles) {
                auto it = files.find(key);
                found = found || (it != files.end() && ReadBytes(it->second) == bytes);
            }
            EXPECT_TRUE(found) << "partition " << n << ": not saved: " << key;
            ++compared;
        }
        EXPECT_GT(compared, 300u);
    }
}

TEST(DeepRoad, ExtensiveScanOfAWipedDiskSavesEveryLiveFile)
{
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_NO_FATAL_FAILURE(OpenImage(driver, ResultsDisk("mbr-wiped.vhd"), kExtensiveScan));
    ASSERT_NO_FATAL_FAILURE(SearchPartitions(driver, false));
    const std::wstring gallery = morvick::test::GalleryFolder("app2");
    std::vector<fs::path> saved;
    // FAT first (FAT16 and FAT32 volumes alike), then NTFS, over the whole disk.
    for (int choice : {2, 0}) {
        ASSERT_TRUE(driver.WaitForPage(2));
        ASSERT_TRUE(driver.SelectComboIndex(kFileSystemChoice, choice));
        ASSERT_TRUE(driver.SetText(kStartSector, L"0"));
        ASSERT_TRUE(driver.SetText(kEndSector, L"155647"));
        ASSERT_TRUE(driver.Click(kNext));
        const std::vector<fs::path> volumes = SaveEveryFoundVolume(driver, gallery, choice == 2 ? "fat" : "ntfs");
        saved.insert(saved.end(), volumes.begin(), volumes.end());
        ASSERT_TRUE(driver.Click(kBack));
    }
    ExpectEveryLiveFileSaved(saved, {1, 2, 3});
    driver.Kill();
}

TEST(DeepRoad, ExtensiveScanOfAVhdxSavesEveryLiveFileOfThePartitionsChosen)
{
    MorvickDriver driver;
    ASSERT_TRUE(StartProgram(driver));
    ASSERT_NE(driver.WaitForFrame(), nullptr);
    ASSERT_NO_FATAL_FAILURE(OpenImage(driver, ResultsDisk("fixed.vhdx"), kExtensiveScan));
    ASSERT_NO_FATAL_FAILURE(SearchPartitions(driver, true));
    ASSERT_TRUE(WaitForTree(driver, kPartitionTree, 4));
    const std::wstring gallery = morvick::test::GalleryFolder("app2");
    struct Case {
        const wchar_t* partition;
        int choice;  // 0 NTFS, 1 FAT 32
        const char* label;
    };
    std::vector<fs::path> saved;
    for (const Case& c : {Case{L"Partition 1", 1, "vhdx-fat32"}, Case{L"Partition 2", 0, "vhdx-ntfs"}}) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(driver.WaitForPage(2));
        ASSERT_TRUE(driver.SelectTreeItem(driver.Control(kPartitionTree), c.partition));
        ASSERT_TRUE(WaitUntil([&] { return !driver.Text(kRowValue).empty(); }, kStateWaitMs));
        ASSERT_TRUE(driver.SelectComboIndex(kFileSystemChoice, c.choice));
        ASSERT_TRUE(driver.Click(kNext));
        const std::vector<fs::path> volumes = SaveEveryFoundVolume(driver, gallery, c.label);
        saved.insert(saved.end(), volumes.begin(), volumes.end());
        ASSERT_TRUE(driver.Click(kBack));
    }
    ExpectEveryLiveFileSaved(saved, {2, 3});
    driver.Kill();
}

}  // namespace
}  // namespace morvick::e2e
