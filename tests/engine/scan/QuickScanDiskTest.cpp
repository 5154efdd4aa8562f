// The Quick Scan and the save end to end: the fixture disk (FAT16, FAT32, NTFS, one-FAT FAT16) in
// every container, scanned partition by partition and saved whole, compared with what sleuthkit's
// tsk_recover and fls make of the same partitions.
#include "engine/save/EngineReset.h"
#include "engine/image/VirtualDisk.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/scan/QuickScan.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-scan-disk.sh", "make-hostile-disk.sh"}));

namespace {

const char* const kDisk = "make-scan-disk.sh";
const char* const kContainers[] = {"fixed.vhd", "dynamic.vhd", "fixed.vhdx", "dynamic-1M.vhdx"};

std::string Key(const fs::path& relative)
{
    return morvick::test::ComparablePath(relative, true);
}

std::map<std::string, fs::path> FilesBelow(const fs::path& root)
{
    return morvick::test::FilesBelow(root, true);
}

uint64_t LastWriteSeconds(const fs::path& path)
{
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    uint64_t ft =
        (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    return ft / 10000000ULL - 11644473600ULL;
#else
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? static_cast<uint64_t>(st.st_mtime) : 0;
#endif
}

// True when `folder` holds an entry of exactly this name (the listing gives the case as written,
// also where the file system ignores case).
bool HoldsExactly(const fs::path& folder, const std::string& name)
{
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().filename().u8string() == name)
            return true;
    }
    return false;
}

// fls -m lines: name -> (mtime, crtime) of live entries.
std::map<std::string, std::pair<uint64_t, uint64_t>> ReadBodyTimes(const std::string& path)
{
    std::map<std::string, std::pair<uint64_t, uint64_t>> times;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream ss(line);
        std::string field;
        while (std::getline(ss, field, '|'))
            f.push_back(field);
        if (f.size() < 11 || f[1].find("(deleted") != std::string::npos)
            continue;
        times[Key(fs::u8path(f[1].substr(1)))] = {std::stoull(f[8]), std::stoull(f[10])};
    }
    return times;
}

struct PartitionCase {
    int number;  // 1-based, as the fixture names them
    FileSystemKind fileSystem;
};

const PartitionCase kPartitions[] = {{1, FileSystemKind::kFat16}, {2, FileSystemKind::kFat32},
    {3, FileSystemKind::kNtfs}, {4, FileSystemKind::kFat16}};

class QuickScanDisk : public ::testing::TestWithParam<std::tuple<const char*, PartitionCase>> {
protected:
    void SetUp() override
    {
        ResetEngineState();
        ASSERT_FALSE(FixtureFolder(kDisk).empty());
        std::string image = FixtureFile(kDisk, std::string("containers/") + std::get<0>(GetParam()));
        ASSERT_TRUE(OpenFixtureImage(image, disk)) << image;
    }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetEngineState();
    }

    // Chooses the partition as the partition page does and scans it.
    void Scan()
    {
        const PartitionCase c = std::get<1>(GetParam());
        ASSERT_LE(static_cast<uint32_t>(c.number), g_nPartitionCount);
        ASSERT_EQ(g_PartitionTable[c.number - 1].fileSystemType, c.fileSystem);
        ASSERT_TRUE(QuickScanPartition(c.number - 1));
    }
    std::string Part() const { return "part" + std::to_string(std::get<1>(GetParam()).number); }
    bool IsNtfs() const { return std::get<1>(GetParam()).fileSystem == FileSystemKind::kNtfs; }

    CVirtualDisk disk;
    TempFolder temp;
};

}  // namespace

TEST_P(QuickScanDisk, SavesWhatSleuthkitRecoversByteForByte)
{
    Scan();
    fs::path out = temp.Path() / "out";
    SaveWholeVolume(ToPath16(out));
    EXPECT_EQ(g_SaveReport.failedFiles, 0u);
    EXPECT_EQ(g_SaveReport.damagedFiles, 0u);

    std::map<std::string, fs::path> ours = FilesBelow(out);
    std::map<std::string, fs::path> theirs = FilesBelow(fs::u8path(FixtureFile(kDisk, Part() + ".recover")));
    ASSERT_FALSE(theirs.empty());
    // A file with many hard links is one record: the Quick Scan lists it under one name.
    const size_t compared = morvick::test::ExpectSameBytes(ours, morvick::test::FilesOutside(theirs, "/links/"));
    // Everything we saved is something sleuthkit recovers too, but NTFS's own metadata files.
    size_t ownFiles = 0;
    for (const auto& [key, path] : ours) {
        if (IsNtfs() && key.rfind("/$", 0) == 0)
            continue;
        ++ownFiles;
        EXPECT_TRUE(theirs.count(key)) << "saved but not recovered by tsk_recover: " << key;
    }
    EXPECT_EQ(ownFiles, compared);
    EXPECT_GT(compared, 300u);
    // mtools keeps "short.txt", "docs" and "leaf.txt" as short entries whose byte 12 asks for lower
    // case (sleuthkit's names follow it): the engine takes the bytes as they stand.
    if (!IsNtfs()) {
        EXPECT_TRUE(HoldsExactly(out, "SHORT.TXT"));
        EXPECT_TRUE(HoldsExactly(out, "DOCS"));
        EXPECT_TRUE(HoldsExactly(out / "DOCS" / "SUB" / "DEEPER", "LEAF.TXT"));
    }
}

TEST_P(QuickScanDisk, TheCurrentSectorRowNamesEachSectorAsItIsRead)
{
    morvick::test::RecordingObserver observer;
    Scan();
    ASSERT_FALSE(observer.sectors.empty());
    const VolumeParameterBlock& b = g_VolumeParams;
    if (IsNtfs()) {
        // Each MFT record's own sector, in the MFT's order, record 0 first.
        std::vector<uint64_t> records;
        for (size_t run = 0; run < g_MftRunTable.start.size(); ++run) {
            for (uint64_t at = 0; g_MftRunTable.start[run] != 0 && at + 2 <= g_MftRunTable.length[run]; at += 2)
                records.push_back(g_MftRunTable.start[run] + at);
        }
        EXPECT_EQ(observer.sectors.front(), uint64_t{b.mftStart});
        EXPECT_EQ(observer.sectors, records);
        return;
    }
    // Each directory sector, the root's first; all of them inside the partition.
    const uint64_t root = b.browsedFileSystemType == FileSystemKind::kFat32
        ? uint64_t{b.clusterBase} + uint64_t{b.rootLocation} * b.sectorsPerCluster
        : uint64_t{b.rootLocation};
    EXPECT_EQ(observer.sectors.front(), root);
    for (uint64_t sector : observer.sectors) {
        EXPECT_GE(sector, uint64_t{b.partitionStart});
        EXPECT_LT(sector, uint64_t{b.partitionStart} + b.partitionSectors);
    }
}

TEST_P(QuickScanDisk, RestoresModificationTimes)
{
    Scan();
    fs::path out = temp.Path() / "out";
    SaveWholeVolume(ToPath16(out));
    auto times = ReadBodyTimes(FixtureFile(kDisk, Part() + ".body"));
    size_t checked = 0;
    for (const auto& [key, path] : FilesBelow(out)) {
        auto it = times.find(key);
        // NTFS's own metadata files carry other times in their $FILE_NAME than in the body.
        if (it == times.end() || key.rfind("/$", 0) == 0)
            continue;
        uint64_t saved = LastWriteSeconds(path);
        if (IsNtfs()) {
            // The file's creation time, as the scan found it.
            EXPECT_EQ(saved, it->second.second) << key;
        } else {
            // A FAT entry keeps the date only: the day must be the one of its write time.
            EXPECT_EQ(saved / 86400, it->second.first / 86400) << key;
        }
        ++checked;
    }
    EXPECT_GT(checked, 300u);
}

TEST_P(QuickScanDisk, SnapshotLoadsBackAndSavesTheSameBytes)
{
    Scan();
    fs::path first = temp.Path() / "first";
    SaveWholeVolume(ToPath16(first));
    const uint32_t files = g_FatEntries.count + g_MftEntries.count;
    const uint32_t folders = g_FatFolders.count + g_NtfsFolders.count;
    std::u16string snapshot = ToPath16(temp.Path() / "scan.srzq");
    ASSERT_TRUE(SaveSnapshotFile(snapshot));

    FreeFoundEntryLists();
    g_VolumeParams = VolumeParameterBlock();
    ASSERT_TRUE(LoadSnapshotFile(snapshot));
    EXPECT_EQ(g_FatEntries.count + g_MftEntries.count, files);
    EXPECT_EQ(g_FatFolders.count + g_NtfsFolders.count, folders);
    fs::path second = temp.Path() / "second";
    SaveWholeVolume(ToPath16(second));
    std::map<std::string, fs::path> a = FilesBelow(first), b = FilesBelow(second);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [key, path] : a) {
        ASSERT_TRUE(b.count(key)) << key;
        EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(b[key])) << key;
    }
}

namespace {

// Stops the scan as the first directory entry is listed, as Stop pressed at that moment does.
class StopAtFirstEntry : public morvick::test::RecordingObserver {
public:
    explicit StopAtFirstEntry(ScanFinishedWord& finished) : m_finished(finished) {}
    void OnProgress(int percent) override
    {
        RecordingObserver::OnProgress(percent);
        if (g_nEntriesParsed >= 1)
            m_finished = 1;
    }

private:
    ScanFinishedWord& m_finished;
};

}  // namespace

// Stop takes effect at the next directory entry, not at the end of the sector being parsed.
TEST(QuickScanStop, EndsTheDirectoryParseBetweenEntries)
{
    ASSERT_FALSE(FixtureFolder(kDisk).empty());
    CVirtualDisk disk;
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kDisk, "containers/fixed.vhd"), disk));
    for (uint32_t partition : {0u, 1u}) {
        ASSERT_TRUE(ChooseFixturePartition(partition));
        g_nScanMode = kScanQuick;
        ScanFinishedWord finished{0};
        {
            StopAtFirstEntry observer(finished);
            EXPECT_EQ(RunQuickScan(finished), QuickScanResult::kStopped) << partition;
        }
        EXPECT_EQ(g_nEntriesParsed, 1u) << partition;
        EXPECT_EQ(g_FatEntries.count + g_FatFolders.count, 1u) << partition;
        ASSERT_TRUE(QuickScanPartition(partition));
        EXPECT_GT(g_nEntriesParsed, 1u) << partition;
    }
    SetCurrentVirtualDisk(nullptr);
    ResetEngineState();
}

INSTANTIATE_TEST_SUITE_P(Containers, QuickScanDisk,
    ::testing::Combine(::testing::ValuesIn(kContainers), ::testing::ValuesIn(kPartitions)),
    [](const ::testing::TestParamInfo<QuickScanDisk::ParamType>& info) {
        std::string name =
            std::string(std::get<0>(info.param)) + "_part" + std::to_string(std::get<1>(info.param).number);
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return name;
    });
