// Saving from real volumes: hostile names written into directory entries and MFT records never
// leave the target folder, the duplicate-name, deleted-file and filter settings do what they say,
// a file stored in pieces whose chain is broken is read through the second FAT, then from the
// clusters after its first one, a size beyond what the volume holds never fills the target, and a
// torn MFT record 0 hides no file.
#include "engine/save/EngineReset.h"
#include "engine/ScanObserver.h"
#include "engine/image/VirtualDisk.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FileSavers.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/diskfixtures/SizeGuard.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;
using morvick::test::Listed;
using morvick::test::SizeGuard;

static auto* const g_disks = ::testing::AddGlobalTestEnvironment(
    new DiskFixtureEnvironment({"make-fragmented-disk.sh", "make-damaged-size-disk.sh", "make-torn-mft-disk.sh"}));

namespace {

std::vector<fs::path> RegularFiles(const fs::path& root)
{
    std::vector<fs::path> files;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
        if (e.is_regular_file())
            files.push_back(e.path());
    }
    return files;
}

size_t CountEntries(const fs::path& folder)
{
    size_t n = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        (void)e;
        ++n;
    }
    return n;
}

class SaveOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSaveState();
        ClearFileFilters();
    }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetEngineState();
    }
    uint32_t LiveFiles() const
    {
        uint32_t n = 0;
        for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next)
            n += r->deleted == 0;
        for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next)
            n += r->deleted == 0;
        return n;
    }
    uint32_t AllFiles() const { return g_FatEntries.count + g_MftEntries.count; }

    CVirtualDisk disk;
    TempFolder temp;
};

}  // namespace

TEST_F(SaveOnDisk, HostileNamesStayInsideTheTargetAndNoneIsLost)
{
    ASSERT_FALSE(FixtureFolder("make-hostile-disk.sh").empty());
    ASSERT_TRUE(OpenFixtureImage(FixtureFile("make-hostile-disk.sh", "fixed.vhd"), disk));
    for (uint32_t partition = 0; partition < 2; ++partition) {
        ASSERT_TRUE(QuickScanPartition(partition)) << partition;
        fs::path target = temp.Path() / ("target" + std::to_string(partition));
        fs::create_directories(target);
        ResetSaveState();
        SaveWholeVolume(ToPath16(target / "inner"));
        EXPECT_EQ(CountEntries(target), 1u) << "only the chosen folder is written to";
        EXPECT_EQ(CountEntries(temp.Path()), partition + 1u);
        const fs::path inner = fs::canonical(target / "inner");
        std::vector<fs::path> files = RegularFiles(inner);
        for (const fs::path& f : files) {
            const std::string canonical = fs::canonical(f).u8string();
            EXPECT_EQ(canonical.rfind(inner.u8string(), 0), 0u) << canonical;
        }
        // Every file listed was written, under its own name: colliding safe names are numbered.
        EXPECT_EQ(files.size(), AllFiles()) << partition;
        EXPECT_EQ(g_SaveReport.failedFiles, 0u);
    }
}

TEST_F(SaveOnDisk, AShortNameOfBlanksIsListedAndSavedInsideTheTarget)
{
    // The entry's eleven name bytes are blanks: it is listed with an empty name and saved under the
    // name the target can hold, inside the chosen folder.
    ASSERT_FALSE(FixtureFolder("make-hostile-disk.sh").empty());
    ASSERT_TRUE(OpenFixtureImage(FixtureFile("make-hostile-disk.sh", "fixed.vhd"), disk));
    ASSERT_TRUE(QuickScanPartition(0));
    const FatEntryRecord* blank = nullptr;
    for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next) {
        if (r->name[0] == 0)
            blank = r;
    }
    ASSERT_NE(blank, nullptr) << "the entry is listed";
    EXPECT_EQ(blank->size, 17u);
    const fs::path target = temp.Path() / "blank";
    SaveWholeVolume(ToPath16(target));
    size_t holding = 0;
    for (const fs::path& f : RegularFiles(temp.Path())) {
        if (ReadWholeFile(f) == "a name of blanks\n") {
            ++holding;
            EXPECT_EQ(f.parent_path(), target) << f.u8string();
            EXPECT_EQ(f.filename().u8string().back(), '_') << f.u8string();
        }
    }
    EXPECT_EQ(holding, 1u);
    EXPECT_EQ(g_SaveReport.failedFiles, 0u);
}

TEST_F(SaveOnDisk, AFragmentedFileWithABrokenChainTakesTheSecondFatThenConsecutiveClusters)
{
    // FRAG.BIN was written into the holes of two deleted files, then the link out of its second
    // cluster was cleared: in the first FAT only, the second FAT still holds the whole chain; in
    // both, the clusters that follow its first one are all there is to go by.
    const char* const script = "make-fragmented-disk.sh";
    ASSERT_FALSE(FixtureFolder(script).empty());
    const std::pair<const char*, const char*> cases[] = {{"fat1-broken.vhd", "frag.bin"},
        {"both-broken.vhd", "consecutive.bin"}};
    for (const auto& [image, oracle] : cases) {
        ASSERT_TRUE(OpenFixtureImage(FixtureFile(script, image), disk)) << image;
        ASSERT_TRUE(QuickScanPartition(0)) << image;
        ResetSaveState();
        const fs::path target = temp.Path() / image;
        SaveWholeVolume(ToPath16(target));
        const std::string expected = ReadWholeFile(FixtureFile(script, oracle));
        ASSERT_EQ(expected.size(), 4000u) << oracle;
        EXPECT_TRUE(ReadWholeFile(target / "FRAG.BIN") == expected) << image;
        EXPECT_FALSE(Listed(g_SaveReport.damagedPaths, u"FRAG.BIN")) << image;
        EXPECT_EQ(g_SaveReport.failedFiles, 0u) << image;
        // The deleted A4.BIN (FRAG.BIN took the entry of A2.BIN), whose clusters FRAG.BIN took, has
        // nothing left: it is saved empty and reported, not with FRAG.BIN's bytes.
        ASSERT_TRUE(fs::exists(target / "x4.BIN")) << image;
        EXPECT_EQ(fs::file_size(target / "x4.BIN"), 0u) << image;
        EXPECT_TRUE(Listed(g_SaveReport.damagedPaths, u"x4.BIN")) << image;
    }
}

TEST_F(SaveOnDisk, ASizeBeyondItsVolumeIsSavedUpToWhatThereIsAndTheNextFileFollows)
{
    // FAT: BIG.BIN's entry says 0xFFFFFF00 bytes. NTFS: broken.bin's run list breaks off after its
    // first run and its sizes read 1 TiB; huge.bin's runs are sound and its real size reads 1 TiB;
    // far.bin's run reaches past the disk's end. Each is saved before the sound file beside it.
    const char* const script = "make-damaged-size-disk.sh";
    ASSERT_FALSE(FixtureFolder(script).empty());
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(script, "damaged-size.vhd"), disk));
    for (uint32_t partition = 0; partition < 2; ++partition) {
        ASSERT_TRUE(QuickScanPartition(partition)) << partition;
        const uint64_t volumeBytes = uint64_t{g_VolumeParams.partitionSectors} * 512;
        const fs::path target = temp.Path() / ("p" + std::to_string(partition));
        ResetSaveState();
        {
            SizeGuard guard(volumeBytes);
            SaveWholeVolume(ToPath16(target));
            EXPECT_EQ(guard.outgrown, std::vector<std::string>());
        }
        for (const fs::path& f : RegularFiles(target))
            EXPECT_LE(fs::file_size(f), volumeBytes) << f.u8string();
        EXPECT_EQ(g_SaveReport.skippedFiles, 0u) << partition;
        EXPECT_EQ(g_SaveReport.damagedFiles, 1u) << partition;
        if (partition == 0) {
            EXPECT_TRUE(ReadWholeFile(target / "NEXT.TXT") == ReadWholeFile(FixtureFile(script, "NEXT.TXT")));
            // Its clusters up to the volume's end, its own bytes first; reported as damaged.
            const std::string big = ReadWholeFile(target / "BIG.BIN");
            const std::string written = ReadWholeFile(FixtureFile(script, "BIG.BIN"));
            EXPECT_GT(big.size(), written.size());
            EXPECT_TRUE(big.compare(0, written.size(), written) == 0);
            EXPECT_TRUE(Listed(g_SaveReport.damagedPaths, u"BIG.BIN"));
            EXPECT_EQ(g_SaveReport.failedFiles, 0u);
        } else {
            EXPECT_TRUE(ReadWholeFile(target / "after.txt") == ReadWholeFile(FixtureFile(script, "after.txt")));
            // Up to the end of its runs: all of what was written. Reported as damaged.
            EXPECT_TRUE(ReadWholeFile(target / "huge.bin") == ReadWholeFile(FixtureFile(script, "huge.bin")));
            EXPECT_TRUE(Listed(g_SaveReport.damagedPaths, u"huge.bin"));
            // Runs that cannot be decoded or that lie past the disk are not saved from, and reported.
            EXPECT_FALSE(fs::exists(target / "broken.bin"));
            EXPECT_FALSE(fs::exists(target / "far.bin"));
            EXPECT_EQ(g_SaveReport.failedNames, (std::vector<std::u16string>{u"broken.bin", u"far.bin"}));
        }
    }
}

TEST_F(SaveOnDisk, AQuickScanReadsATornMftRecordZeroFromTheMirrorAndEveryFileIsSaved)
{
    // Record 0 at the MFT's start fails its fix-up check (its second sector is torn); its runs and
    // the mirror's record 0 are whole.
    const char* const script = "make-torn-mft-disk.sh";
    ASSERT_FALSE(FixtureFolder(script).empty());
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(script, "torn-mft.vhd"), disk));
    ASSERT_TRUE(QuickScanPartition(0));
    EXPECT_GE(g_MftEntries.count, 20u);
    const fs::path out = temp.Path() / "out";
    SaveWholeVolume(ToPath16(out));
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    const std::map<std::string, fs::path> written = morvick::test::FilesBelow(fs::u8path(FixtureFile(script, "files")), true);
    ASSERT_EQ(written.size(), 20u);
    morvick::test::ExpectSameBytes(morvick::test::FilesBelow(out, true), written);
}

TEST_F(SaveOnDisk, SparseAndCompressedNtfsFilesComeOutWhole)
{
    ASSERT_FALSE(FixtureFolder("make-hostile-disk.sh").empty());
    ASSERT_TRUE(OpenFixtureImage(FixtureFile("make-hostile-disk.sh", "fixed.vhd"), disk));
    ASSERT_TRUE(QuickScanPartition(1));
    SaveWholeVolume(ToPath16(temp.Path() / "out"));
    std::string head, tail;
    for (int i = 0; i < 1024; ++i) {
        head += "head";
        tail += "tail";
    }
    std::string sparse = head + std::string(3 * 1024 * 1024 - head.size(), '\0') + tail;
    EXPECT_TRUE(ReadWholeFile(temp.Path() / "out" / "special" / "sparse.bin") == sparse);
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "compressible text ";
    EXPECT_TRUE(ReadWholeFile(temp.Path() / "out" / "special" / "packed" / "compressed.txt") == text);
    EXPECT_EQ(g_SaveReport.failedFiles, 0u);
    EXPECT_EQ(g_SaveReport.damagedFiles, 0u);
}

TEST_F(SaveOnDisk, ATickedFolderInsideATickedFolderIsSavedOnce)
{
    ASSERT_TRUE(OpenFixtureImage(FixtureFile("make-scan-disk.sh", "containers/fixed.vhdx"), disk));
    ASSERT_TRUE(QuickScanPartition(0));
    // The tree items the result tree would give "docs" and "docs/sub".
    FatFolderRecord* docs = nullptr;
    FatFolderRecord* sub = nullptr;
    for (FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
        std::u16string name(f->name);
        if (name == u"DOCS" || name == u"docs")
            docs = f;
    }
    ASSERT_NE(docs, nullptr);
    for (FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
        if (f->parentCluster == docs->firstCluster &&
            (std::u16string(f->name) == u"SUB" || std::u16string(f->name) == u"sub"))
            sub = f;
    }
    ASSERT_NE(sub, nullptr);
    docs->treeItem = 100;
    sub->treeItem = 101;
    fs::create_directories(temp.Path() / "ticked");
    g_strSavePath = ToPath16(temp.Path() / "ticked");
    SaveSelection selection;
    selection.folderItems = {101, 100};
    SaveCheckedTreeItems(selection);
    EXPECT_EQ(CountEntries(temp.Path() / "ticked"), 1u) << "docs only; sub is inside it";
    for (const fs::path& f : RegularFiles(temp.Path() / "ticked"))
        EXPECT_EQ(f.filename().u8string().rfind("Copy (", 0), std::string::npos) << f.u8string();
    EXPECT_EQ(g_SaveReport.failedFiles, 0u);
    // Once, and whole: sub and everything below it, as sleuthkit recovers that folder.
    const auto saved =
        morvick::test::FilesBelow(temp.Path() / "ticked" / fs::path(std::u16string(docs->name)) /
                                      fs::path(std::u16string(sub->name)),
            true);
    const auto expected =
        morvick::test::FilesBelow(fs::u8path(FixtureFile("make-scan-disk.sh", "part1.recover")) / "docs" / "sub", true);
    ASSERT_GT(expected.size(), 2u);
    for (const auto& [key, path] : expected) {
        auto it = saved.find(key);
        if (it == saved.end())
            ADD_FAILURE() << "not saved: " << key;
        else
            EXPECT_TRUE(ReadWholeFile(it->second) == ReadWholeFile(path)) << key;
    }
    EXPECT_EQ(saved.size(), expected.size());
}

TEST_F(SaveOnDisk, DuplicateNameSettings)
{
    ASSERT_TRUE(OpenFixtureImage(FixtureFile("make-scan-disk.sh", "containers/fixed.vhd"), disk));
    ASSERT_TRUE(QuickScanPartition(1));
    const fs::path target = temp.Path() / "dup";
    SaveWholeVolume(ToPath16(target));
    const size_t first = RegularFiles(target).size();
    ASSERT_EQ(first, AllFiles());

    g_wDuplicateNames = kDuplicateSkip;
    ResetSaveState();
    SaveWholeVolume(ToPath16(target));
    EXPECT_EQ(RegularFiles(target).size(), first) << "Skip writes nothing";
    EXPECT_EQ(g_nSavedFileCount.load(), 0u);

    g_wDuplicateNames = kDuplicateOverwrite;
    ResetSaveState();
    SaveWholeVolume(ToPath16(target));
    EXPECT_EQ(RegularFiles(target).size(), first) << "Overwrite replaces";
    EXPECT_EQ(g_nSavedFileCount.load(), first);

    g_wDuplicateNames = kDuplicateRename;
    ResetSaveState();
    SaveWholeVolume(ToPath16(target));
    std::vector<fs::path> all = RegularFiles(target);
    EXPECT_EQ(all.size(), 2 * first);
    size_t copies = 0;
    for (const fs::path& f : all)
        copies += f.filename().u8string().rfind("Copy (1 ) of ", 0) == 0;
    EXPECT_EQ(copies, first);
}

TEST_F(SaveOnDisk, DeletedFileSettingsAndFilters)
{
    ASSERT_TRUE(OpenFixtureImage(FixtureFile("make-scan-disk.sh", "containers/dynamic-1M.vhdx"), disk));
    ASSERT_TRUE(QuickScanPartition(2));
    const uint32_t live = LiveFiles();
    ASSERT_LT(live, AllFiles()) << "the fixture has deleted files";

    g_wDeletedFiles = kDeletedExclude;
    SaveWholeVolume(ToPath16(temp.Path() / "live"));
    EXPECT_EQ(RegularFiles(temp.Path() / "live").size(), live);

    g_wDeletedFiles = kDeletedOnly;
    ResetSaveState();
    SaveWholeVolume(ToPath16(temp.Path() / "deleted"));
    EXPECT_EQ(RegularFiles(temp.Path() / "deleted").size(), AllFiles() - live);

    g_wDeletedFiles = kDeletedInclude;
    AddFileFilter(u"*.BIN");
    ResetSaveState();
    SaveWholeVolume(ToPath16(temp.Path() / "filtered"));
    std::vector<fs::path> filtered = RegularFiles(temp.Path() / "filtered");
    EXPECT_FALSE(filtered.empty());
    for (const fs::path& f : filtered)
        EXPECT_EQ(f.extension().u8string(), ".bin") << f.u8string();
}

namespace {

// The name and bytes of every file directly in a folder.
std::map<std::string, std::string> FolderFiles(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& e : fs::directory_iterator(folder))
        files[e.path().filename().u8string()] = ReadWholeFile(e.path());
    return files;
}

// The record of each key found by walking the list, first match, each saved by itself: what the
// Find dialog's save of these keys must write.
void SaveKeysOneByOne(const std::vector<uint32_t>& keys, const std::u16string& folder)
{
    for (uint32_t key : keys) {
        if (g_VolumeParams.browsedFileSystemType == FileSystemKind::kNtfs) {
            for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next) {
                if (r->dataRecordSector == key) {
                    g_qwSaveFileTime = (uint64_t{r->creationTimeHigh} << 32) | r->creationTimeLow;
                    SaveNtfsFile(folder, r->name, r->dataRecordSector, r->recordNumber, 0, 1, r->deleted);
                    break;
                }
            }
            continue;
        }
        for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next) {
            if (r->ordinal == key) {
                g_qwSaveFileTime = r->writeDate;
                SaveFatFile(folder, r->name, r->firstCluster, r->size, 1, r->deleted);
                break;
            }
        }
    }
}

}  // namespace

TEST_F(SaveOnDisk, FindHitsSaveTheFilesOfTheirKeysEachOnce)
{
    ASSERT_TRUE(OpenFixtureImage(FixtureFile("make-scan-disk.sh", "containers/fixed.vhd"), disk));
    for (uint32_t partition = 0; partition < 3; ++partition) {
        ASSERT_TRUE(QuickScanPartition(partition)) << partition;
        // Every file's key, last first, then the first key again and a key no record has.
        std::vector<uint32_t> keys;
        for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next)
            keys.insert(keys.begin(), r->ordinal);
        for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next)
            keys.insert(keys.begin(), r->dataRecordSector);
        ASSERT_GT(keys.size(), 10u) << partition;
        keys.push_back(keys.front());
        keys.push_back(0xFFFFFFF0u);

        const fs::path hits = temp.Path() / ("hits" + std::to_string(partition));
        const fs::path oneByOne = temp.Path() / ("one-by-one" + std::to_string(partition));
        fs::create_directories(hits);
        fs::create_directories(oneByOne);
        ResetSaveState();
        g_strSavePath = ToPath16(hits);
        SaveSelection selection;
        selection.fileKeys = keys;
        SaveCheckedTreeItems(selection);
        EXPECT_EQ(g_nSavedFileCount.load(), keys.size() - 1) << "the key given twice is saved twice";
        ResetSaveState();
        SaveKeysOneByOne(keys, ToPath16(oneByOne));
        const std::map<std::string, std::string> saved = FolderFiles(hits);
        EXPECT_EQ(saved.size(), keys.size() - 1) << partition;
        EXPECT_TRUE(saved == FolderFiles(oneByOne)) << partition;
    }
}
