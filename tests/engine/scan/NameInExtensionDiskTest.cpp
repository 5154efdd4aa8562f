// Files and folders whose $FILE_NAME lies in an extension record (NTFS moves it there when the base
// record fills up): both scans list each once, where it lies, under its base record, and save it
// whole. The disk is made by ntfs-3g (make-name-extension-disk.sh): the folder fill, whose index
// overflowed its record, with 1,600 files (half of them deleted); big.bin and the deleted lost.bin,
// each in some 200 pieces. Compared with what sleuthkit's tsk_recover saves and with the files as
// written (sleuthkit finds no name for lost.bin). On the same disk: a Quick Scan's snapshot that
// carries another volume's end, as earlier builds wrote it, saves every file once loaded.
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/image/VirtualDisk.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;
using morvick::test::ReadTextFile;

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-name-extension-disk.sh"}));

namespace {

const char* const kScript = "make-name-extension-disk.sh";

std::vector<std::string> Lines(const std::string& path)
{
    std::vector<std::string> lines;
    std::istringstream in(ReadTextFile(FixtureFile(kScript, path)));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

// records.txt: a name, its base record and the record that holds its $FILE_NAME.
uint32_t BaseRecordOf(const std::string& name)
{
    for (const std::string& line : Lines("records.txt")) {
        std::istringstream fields(line);
        std::string n;
        uint32_t base = 0, holder = 0;
        fields >> n >> base >> holder;
        if (n == name && holder != base)
            return base;
    }
    return 0;
}

std::string Utf8(const char16_t* name)
{
    return fs::path(std::u16string(name)).u8string();
}

// What a scan listed of the volume: folders and files by name, as (own or parent record, deleted).
struct Listed {
    std::multimap<std::string, std::pair<uint32_t, uint32_t>> folders;  // name -> (own number, deleted)
    std::multimap<std::string, std::pair<uint32_t, uint32_t>> files;    // name -> (parent, deleted)
    std::map<std::string, uint32_t> fileSectors;                        // name -> sector of its record
    std::map<std::string, uint64_t> fileSizes;                          // name -> size listed
};

Listed QuickScanListing()
{
    Listed l;
    for (const NtfsFolderRecord* r = g_NtfsFolders.head; r; r = r->next)
        l.folders.insert({Utf8(r->name), {r->recordNumber, r->deleted}});
    for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next) {
        l.files.insert({Utf8(r->name), {r->parentRecord, r->deleted}});
        l.fileSectors[Utf8(r->name)] = r->dataRecordSector;
        l.fileSizes[Utf8(r->name)] = (uint64_t{r->sizeHigh} << 32) | r->sizeLow;
    }
    return l;
}

Listed ExtensiveListing()
{
    Listed l;
    for (const NtfsFolderRecord* r = g_NtfsFolders.head; r; r = r->next)
        l.folders.insert({Utf8(r->name), {r->recordNumber, r->deleted}});
    const VolumeParameterBlock& b = g_VolumeParams;
    for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r; r = r->next) {
        if (r->sector <= b.clusterBase || r->sector > b.volumeEnd)
            continue;
        l.files.insert({Utf8(r->name), {r->parentRecord, r->deleted}});
        l.fileSectors[Utf8(r->name)] = r->sector;
        l.fileSizes[Utf8(r->name)] = (uint64_t{r->sizeHigh} << 32) | r->sizeLow;
    }
    return l;
}

// Every file listed under fill is one written there, listed once; the files ntfs-3g kept are all
// there, deleted as `keptDeleted` says. Returns the number of files listed under fill.
size_t ExpectFilesOfFill(const Listed& listed, uint32_t fill, uint32_t keptDeleted)
{
    const std::vector<std::string> names = Lines("fill.names");
    EXPECT_EQ(names.size(), 1600u);
    const std::set<std::string> written(names.begin(), names.end());
    size_t inFill = 0;
    for (const auto& [name, where] : listed.files) {
        if (where.first != fill)
            continue;
        ++inFill;
        EXPECT_EQ(written.count(name), 1u) << name;
        EXPECT_EQ(listed.files.count(name), 1u) << name;
    }
    const std::vector<std::string> kept = Lines("fill.kept");
    EXPECT_EQ(kept.size(), 800u);
    for (const std::string& name : kept) {
        EXPECT_EQ(listed.files.count(name), 1u) << name;
        auto it = listed.files.find(name);
        if (it != listed.files.end()) {
            EXPECT_EQ(it->second, std::make_pair(fill, keptDeleted)) << name;
        }
    }
    return inFill;
}

// The files saved below out/folder, and that none of fill's names was saved anywhere else.
size_t SavedBelow(const fs::path& out, const std::string& folder)
{
    const std::vector<std::string> names = Lines("fill.names");
    const std::set<std::string> written(names.begin(), names.end());
    size_t below = 0;
    for (const auto& [key, path] : morvick::test::FilesBelow(out, false)) {
        if (key.rfind("/" + folder + "/", 0) == 0)
            ++below;
        else
            EXPECT_EQ(written.count(path.filename().u8string()), 0u) << key;
    }
    return below;
}

class NameInExtensionDisk : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ResetEngineState();
        ResetSaveState();
        ClearFileFilters();
        ASSERT_FALSE(FixtureFolder(kScript).empty());
    }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetExtensiveScanState();
        ResetEngineState();
    }
    bool Extensive() const { return GetParam(); }

    // Opens the image and lists its one NTFS volume with the scan of the parameter.
    Listed Scan(const char* image)
    {
        Listed none;
        EXPECT_TRUE(OpenFixtureImage(FixtureFile(kScript, image), disk)) << image;
        if (!Extensive()) {
            EXPECT_TRUE(QuickScanPartition(0));
            return QuickScanListing();
        }
        if (!ChooseFixturePartition(0))
            return none;
        g_nScanMode = kScanExtensive;
        ScanFinishedWord finished{0};
        EXPECT_EQ(RunExtensiveScan(finished).search, ExtensiveSearchResult::kCompleted);
        EXPECT_EQ(g_FoundPartitions.count, 1u);
        if (!ChooseFoundVolume(1))
            return none;
        finished = 0;
        RunFoundVolumeScan(finished);
        return ExtensiveListing();
    }

    // The sector of record `number` through the MFT's runs.
    static uint32_t RecordSector(uint32_t number)
    {
        uint64_t sector = 0;
        EXPECT_EQ(MapVcnToLcn(number, sector), 1) << number;
        return static_cast<uint32_t>(sector);
    }

    CVirtualDisk disk;
    TempFolder temp;
};

}  // namespace

TEST_P(NameInExtensionDisk, FilesAndTheFolderAreListedOnceUnderTheirBaseRecordsAndSavedWhole)
{
    const uint32_t fill = BaseRecordOf("fill");
    const uint32_t big = BaseRecordOf("big.bin");
    const uint32_t lost = BaseRecordOf("lost.bin");
    ASSERT_NE(fill, 0u);
    ASSERT_NE(big, 0u);
    ASSERT_NE(lost, 0u);
    const Listed listed = Scan("name-ext.vhd");

    ASSERT_EQ(listed.folders.count("fill"), 1u);
    EXPECT_EQ(listed.folders.find("fill")->second, std::make_pair(fill, 0u));
    ASSERT_EQ(listed.files.count("big.bin"), 1u);
    EXPECT_EQ(listed.files.find("big.bin")->second, std::make_pair(5u, 0u));
    ASSERT_EQ(listed.files.count("lost.bin"), 1u);
    EXPECT_EQ(listed.files.find("lost.bin")->second, std::make_pair(5u, 1u));
    // Under the base record's sector, which the save reads, not the one that holds the name.
    EXPECT_EQ(listed.fileSectors.at("big.bin"), RecordSector(big));
    EXPECT_EQ(listed.fileSectors.at("lost.bin"), RecordSector(lost));
    // Its files: those ntfs-3g kept, and those it deleted whose records were not used again.
    const size_t inFill = ExpectFilesOfFill(listed, fill, 0);
    EXPECT_GT(inFill, 1500u);

    const fs::path out = temp.Path() / "out";
    SaveWholeVolume(ToPath16(out));
    // fill's deleted files lay in the one-cluster holes that big.bin and lost.bin took: those under
    // big.bin fail for that reason, and nothing else fails. lost.bin, deleted too, left its clusters
    // free: the files under it are saved with its bytes, as tsk_recover saves them (no bitmap tells).
    EXPECT_GT(g_SaveReport.failedFiles, 300u);
    EXPECT_EQ(g_SaveReport.failedFiles, g_SaveReport.reusedClusterFiles);
    EXPECT_EQ(g_SaveReport.damagedFiles, 0u);
    EXPECT_TRUE(ReadWholeFile(out / "big.bin") == ReadWholeFile(FixtureFile(kScript, "big.bin")));
    EXPECT_TRUE(ReadWholeFile(out / "lost.bin") == ReadWholeFile(FixtureFile(kScript, "lost.bin")));
    // fill's files at their place, live and deleted, as tsk_recover saves them, but those failed
    // (tsk_recover saves big.bin's bytes under their names).
    const fs::path recovered = fs::u8path(FixtureFile(kScript, "name-ext.recover"));
    EXPECT_TRUE(ReadWholeFile(out / "big.bin") == ReadWholeFile(recovered / "big.bin"));
    std::map<std::string, fs::path> theirs = morvick::test::FilesBelow(recovered / "fill", false);
    EXPECT_GE(theirs.size(), 1590u);
    for (const std::u16string& name : g_SaveReport.failedNames)
        theirs.erase(morvick::test::ComparablePath(fs::path(name), false));
    EXPECT_EQ(theirs.size() + g_SaveReport.failedFiles, morvick::test::FilesBelow(recovered / "fill", false).size());
    EXPECT_EQ(morvick::test::ExpectSameBytes(morvick::test::FilesBelow(out / "fill", false), theirs), theirs.size());
    EXPECT_EQ(SavedBelow(out, "fill") + g_SaveReport.failedFiles, inFill)
        << "each file of fill once, and nothing of it elsewhere";
}

TEST_P(NameInExtensionDisk, ADeletedFolderWhoseNameLiesInAnExtensionRecordKeepsItsFiles)
{
    const uint32_t fill = BaseRecordOf("fill");
    ASSERT_NE(fill, 0u);
    const Listed listed = Scan("fill-deleted.vhd");
    ASSERT_EQ(listed.folders.count("fill"), 1u);
    EXPECT_EQ(listed.folders.find("fill")->second, std::make_pair(fill, 1u));
    const size_t inFill = ExpectFilesOfFill(listed, fill, 1);

    const fs::path out = temp.Path() / "out";
    SaveWholeVolume(ToPath16(out));
    // Only the files deleted before big.bin took their clusters fail.
    EXPECT_EQ(g_SaveReport.failedFiles, g_SaveReport.reusedClusterFiles);
    EXPECT_EQ(SavedBelow(out, "fill") + g_SaveReport.failedFiles, inFill);
    // The files that were there until fill was deleted still hold what they held.
    const fs::path recovered = fs::u8path(FixtureFile(kScript, "name-ext.recover")) / "fill";
    std::map<std::string, fs::path> kept;
    for (const std::string& name : Lines("fill.kept"))
        kept[morvick::test::ComparablePath(fs::u8path(name), false)] = recovered / fs::u8path(name);
    ASSERT_EQ(kept.size(), 800u);
    EXPECT_EQ(morvick::test::ExpectSameBytes(morvick::test::FilesBelow(out / "fill", false), kept), kept.size());
}

// big.bin's base record keeps no piece of its data: its attribute list places the first in the
// record that holds its name. Listed with its size, saved whole, as sleuthkit reads it.
TEST_P(NameInExtensionDisk, AFileWhoseDataBeginsInAnExtensionRecordIsListedWithItsSizeAndSavedWhole)
{
    const uint32_t big = BaseRecordOf("big.bin");
    ASSERT_NE(big, 0u);
    const Listed listed = Scan("data-moved.vhd");
    ASSERT_EQ(listed.files.count("big.bin"), 1u);
    EXPECT_EQ(listed.files.find("big.bin")->second, std::make_pair(5u, 0u));
    const std::string written = ReadWholeFile(FixtureFile(kScript, "big.bin"));
    EXPECT_EQ(listed.fileSizes.at("big.bin"), written.size());

    ASSERT_TRUE(AddFileFilter(u"big.bin"));
    const fs::path out = temp.Path() / "out";
    SaveWholeVolume(ToPath16(out));
    EXPECT_EQ(g_SaveReport.failedFiles, 0u);
    EXPECT_EQ(g_SaveReport.damagedFiles, 0u);
    EXPECT_TRUE(ReadWholeFile(out / "big.bin") == written);
}

TEST(NameInExtensionSnapshot, AQuickScanSnapshotCarryingAnotherVolumesEndSavesEveryFile)
{
    ResetEngineState();
    ResetSaveState();
    ClearFileFilters();
    CVirtualDisk disk;
    TempFolder temp;
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kScript, "name-ext.vhd"), disk));
    ASSERT_TRUE(QuickScanPartition(0));
    const uint32_t files = g_MftEntries.count;
    ASSERT_GT(files, 1500u);
    // Earlier builds kept the end of the volume an Extensive Scan had found before in the same run,
    // here a FAT16 volume of 16 MiB at sector 2048 of another disk: it ends inside this volume.
    const uint32_t otherEnd = 2048 + 32768;
    ASSERT_GT(otherEnd, uint32_t{g_VolumeParams.clusterBase});
    ASSERT_LT(otherEnd, uint32_t{g_VolumeParams.partitionEnd});
    g_VolumeParams.volumeEnd = otherEnd;
    g_VolumeParams.volumeNumber = 1;
    const std::u16string snapshot = ToPath16(temp.Path() / "quick.srzq");
    ASSERT_TRUE(SaveSnapshotFile(snapshot));

    ResetEngineState();
    SetCurrentVirtualDisk(&disk);
    g_wSourceType = kSourceDisk;
    ASSERT_TRUE(LoadSnapshotFile(snapshot));
    ASSERT_EQ(g_MftEntries.count, files);
    const fs::path out = temp.Path() / "out";
    SaveWholeVolume(ToPath16(out));
    // fill's deleted files whose clusters big.bin took fail for that reason alone.
    EXPECT_GT(g_SaveReport.failedFiles, 300u);
    EXPECT_EQ(g_SaveReport.failedFiles, g_SaveReport.reusedClusterFiles);
    EXPECT_EQ(g_SaveReport.damagedFiles, 0u);
    EXPECT_EQ(g_SaveReport.savedFiles + g_SaveReport.failedFiles, files);
    EXPECT_TRUE(ReadWholeFile(out / "big.bin") == ReadWholeFile(FixtureFile(kScript, "big.bin")));
    SetCurrentVirtualDisk(nullptr);
    ResetEngineState();
}

INSTANTIATE_TEST_SUITE_P(BothScans, NameInExtensionDisk, ::testing::Values(false, true),
    [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Extensive" : "Quick"; });
