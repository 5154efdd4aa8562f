// Both scans on sparse 2.5 TiB VHDX disks whose NTFS and FAT volumes reach past sector 2^32
// (make-past-2tib-disks.sh). The engine's sector fields hold the first 2^32 sectors: a record past
// them is left out with its reason and never read at its sector cut to 32 bits (where a volume at the
// disk's start keeps its own records), both scans list the same files and say how many they left out
// (a file whose base record lies before 2^32 is listed by it, where its name or the first piece of its
// data lies past it), every file listed is saved byte for byte as tsk_recover saves it (its clusters
// past 2 TiB too), and a snapshot of the Quick Scan loads over its own image.
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/extensive/NtfsVolumeAnalysis.h"
#include "engine/listing/ResultListing.h"
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/scan/QuickScan.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/RecordingObserver.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace fs = std::filesystem;
using morvick::test::DiskFixtureEnvironment;
using morvick::test::FixtureFile;
using morvick::test::FixtureFolder;

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-past-2tib-disks.sh"}));

namespace {

const char* const kDisk = "make-past-2tib-disks.sh";
constexpr uint32_t kCrossingPartition = 1;  // the second entry of the crossing disk's table

// Saved files by comparable path, NTFS's own metadata files and their copies from the MFT mirror
// left aside (sleuthkit saves them under other names).
std::map<std::string, fs::path> UserFilesBelow(const fs::path& root, bool maskDeletedMark = false)
{
    std::map<std::string, fs::path> files;
    for (const auto& [key, path] : morvick::test::FilesBelow(root, maskDeletedMark)) {
        if (key.find('$') == std::string::npos)
            files.emplace(key, path);
    }
    return files;
}

std::set<std::string> Keys(const std::map<std::string, fs::path>& files)
{
    std::set<std::string> keys;
    for (const auto& [key, path] : files)
        keys.insert(key);
    return keys;
}

// One of the fixture's disks opened as the source, with its partition table walked.
class PastTwoTebibyteImage : public ::testing::Test {
protected:
    void Open(const char* image, uint32_t partitions)
    {
        ASSERT_FALSE(FixtureFolder(kDisk).empty()) << "the disks were not built";
        ASSERT_TRUE(OpenFixtureImage(FixtureFile(kDisk, image), disk));
        ASSERT_EQ(g_nPartitionCount, partitions);
        ResetSaveState();
        ClearFileFilters();
    }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetEngineState();
    }

    // Runs the Extensive Scan over partition `index` with `type` chosen: it finds one volume, which is
    // then listed.
    void ExtensiveScanTheVolume(uint32_t index, FileSystemKind type)
    {
        ASSERT_EQ(ExtensiveScanPartition(index, type), ExtensiveSearchResult::kCompleted);
        ASSERT_EQ(g_FoundPartitions.count, 1u);
        ASSERT_TRUE(BrowseFoundVolume(1));
    }

    // Saves the listed volume into `out`: no file fails, and what is saved is `theirs` (tsk_recover's
    // files by comparable path, keyed with `maskDeletedMark`), byte for byte.
    void ExpectSavedAs(const fs::path& out, const std::map<std::string, fs::path>& theirs, bool maskDeletedMark = false)
    {
        SaveWholeVolume(ToPath16(out));
        EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
        const std::map<std::string, fs::path> ours = UserFilesBelow(out, maskDeletedMark);
        EXPECT_EQ(morvick::test::ExpectSameBytes(ours, theirs), theirs.size());
        EXPECT_EQ(Keys(ours), Keys(theirs));
    }

    CVirtualDisk disk;
    TempFolder temp;
};

class PastTwoTebibyteDisk : public PastTwoTebibyteImage {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(Open("crossing.vhdx", 2));
        ASSERT_EQ(uint64_t{g_PartitionTable[kCrossingPartition].startSector} +
                g_PartitionTable[kCrossingPartition].sectorCount,
            kLastHeldSector + 1 + 63488);
    }

    // The crossing volume's files and folders (fls) whose MFT records lie past the sectors the
    // engine holds, through the MFT's runs as the Quick Scan walked them; and tsk_recover's files
    // whose records lie before them.
    void SplitSleuthkitFiles(std::set<uint64_t>& pastRecords, std::map<std::string, fs::path>& theirs) const
    {
        std::map<std::string, uint64_t> records;
        for (const morvick::test::FlsEntry& e : morvick::test::ReadFls(FixtureFile(kDisk, "part2.fls"))) {
            if (e.type != "r/r" && e.type != "d/d")
                continue;
            uint64_t sector = 0;
            EXPECT_TRUE(MapVcnToLcn(static_cast<uint32_t>(e.inode), sector)) << e.path;
            if (!FitsSectorField(sector))
                pastRecords.insert(e.inode);
            records[morvick::test::ComparablePath(fs::u8path(e.path), false)] = e.inode;
        }
        for (const auto& [key, path] : UserFilesBelow(fs::u8path(FixtureFile(kDisk, "part2.recover")))) {
            auto it = records.find(key);
            ASSERT_NE(it, records.end()) << key;
            if (!pastRecords.count(it->second))
                theirs.emplace(key, path);
        }
    }
};

}  // namespace

// Of the files and folders whose records lie past 2^32 none is listed, and the scan says how many it
// left out; the others are saved whole, their clusters past 2 TiB read where they lie. Read at their
// sectors cut to 32 bits, those records were the other volume's, whose bytes were saved as theirs.
// data-past.bin, whose base record lies before 2^32 and the first piece of its data past it, is listed
// by its base record: it was left out and counted with those past 2^32.
TEST_F(PastTwoTebibyteDisk, TheQuickScanLeavesOutRecordsPastTheLimitAndSavesTheRestWhole)
{
    morvick::test::RecordingObserver observer;
    ASSERT_TRUE(QuickScanPartition(kCrossingPartition));
    std::set<uint64_t> pastRecords;
    std::map<std::string, fs::path> theirs;
    SplitSleuthkitFiles(pastRecords, theirs);
    ASSERT_GT(pastRecords.size(), 100u);
    ASSERT_GT(theirs.size(), 900u);
    ASSERT_TRUE(theirs.count("/docs/data-past.bin") && theirs.count("/docs/name-past.bin"));
    EXPECT_EQ(observer.messages,
        std::vector<std::u16string>{DecimalText(pastRecords.size()) + kRecordsPastSectorLimitText});
    for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next)
        EXPECT_FALSE(pastRecords.count(r->recordNumber)) << fs::path(r->name).u8string();
    for (const NtfsFolderRecord* r = g_NtfsFolders.head; r; r = r->next)
        EXPECT_FALSE(pastRecords.count(r->recordNumber)) << fs::path(r->name).u8string();

    ExpectSavedAs(temp.Path() / "quick", theirs);
}

// The Extensive Scan of the partition's range finds the volume, lists what the Quick Scan lists (the
// search reads no record past 2^32 either), says how many it left out as the Quick Scan does, and
// saves it whole: the found volume's end lies past 2^32, and held at the last sector it failed every
// file whose clusters lie past it. name-past.bin and data-past.bin, whose names lie past 2^32 where
// the search does not look, are named through the MFT's runs: the search dropped them without a word.
TEST_F(PastTwoTebibyteDisk, TheExtensiveScanListsAndSavesWhatTheQuickScanDoes)
{
    std::vector<std::u16string> quickMessages;
    std::map<std::string, fs::path> quickSaved;
    {
        morvick::test::RecordingObserver observer;
        ASSERT_TRUE(QuickScanPartition(kCrossingPartition));
        quickMessages = observer.messages;
    }
    std::set<uint64_t> pastRecords;
    std::map<std::string, fs::path> theirs;
    SplitSleuthkitFiles(pastRecords, theirs);
    ASSERT_TRUE(theirs.count("/docs/data-past.bin") && theirs.count("/docs/name-past.bin"));
    ExpectSavedAs(temp.Path() / "quick", theirs);
    ASSERT_EQ(quickMessages.size(), 1u);

    const uint64_t partitionEnd = PartitionLastSector(g_VolumeParams);
    {
        morvick::test::RecordingObserver observer;
        ASSERT_NO_FATAL_FAILURE(ExtensiveScanTheVolume(kCrossingPartition, FileSystemKind::kNtfs));
        EXPECT_EQ(observer.messages, quickMessages);
    }
    EXPECT_EQ(g_FoundPartitions.head->volumeEnd, partitionEnd);
    ExpectSavedAs(temp.Path() / "extensive", theirs);
    EXPECT_EQ(Keys(UserFilesBelow(temp.Path() / "extensive")), Keys(UserFilesBelow(temp.Path() / "quick")));

    // Its end is past what a snapshot holds: none is written, and the user is told why.
    morvick::test::RecordingObserver observer;
    const fs::path snapshot = temp.Path() / "extensive.srzq";
    EXPECT_FALSE(SaveSnapshotFile(ToPath16(snapshot)));
    EXPECT_FALSE(fs::exists(snapshot));
    EXPECT_EQ(observer.messages, std::vector<std::u16string>{kSnapshotPastSectorLimitText});
}

// The partition crosses 2^32: its end is held in the block, and the snapshot of its Quick Scan loads
// over its own image (its end cut to 32 bits lay before its start) and saves the same files.
TEST_F(PastTwoTebibyteDisk, AQuickScanSnapshotLoadsOverItsOwnImage)
{
    ASSERT_TRUE(QuickScanPartition(kCrossingPartition));
    EXPECT_EQ(uint64_t{g_VolumeParams.partitionEnd}, kLastHeldSector);
    EXPECT_EQ(PartitionLastSector(g_VolumeParams), kLastHeldSector + 63488);
    const uint32_t files = g_MftEntries.count;
    const fs::path snapshot = temp.Path() / "quick.srzq";
    ASSERT_TRUE(SaveSnapshotFile(ToPath16(snapshot)));
    ResetEngineState();
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kDisk, "crossing.vhdx"), disk));
    ASSERT_TRUE(LoadSnapshotFile(ToPath16(snapshot)));
    EXPECT_EQ(g_MftEntries.count, files);
    SaveWholeVolume(ToPath16(temp.Path() / "loaded"));
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    EXPECT_EQ(g_SaveReport.savedFiles, files);
}

// A volume whose MFT and mirror both lie past 2^32: the Quick Scan says so, rather than sending the
// user to the Extensive Scan, which reads no record there either and finds no volume; it says so too,
// where it found nothing without a word.
TEST_F(PastTwoTebibyteImage, AVolumeWhoseMftLiesPastTheLimitIsLeftOutWithItsReason)
{
    ASSERT_NO_FATAL_FAILURE(Open("mft-past.vhdx", 1));
    EXPECT_FALSE(QuickScanPartition(0));
    EXPECT_EQ(std::u16string(NoParametersText()), kVolumePastSectorLimitText);

    morvick::test::RecordingObserver observer;
    ASSERT_EQ(ExtensiveScanPartition(0, FileSystemKind::kNtfs), ExtensiveSearchResult::kCompleted);
    EXPECT_EQ(g_FoundPartitions.count, 0u);
    EXPECT_EQ(observer.messages, std::vector<std::u16string>{u"1" + std::u16string(kVolumesPastSectorLimitText)});
}

// A FAT32 volume that starts before 2^32 and keeps a folder and its files past it: both scans read the
// folder's clusters where they lie and save every file as tsk_recover does. The Quick Scan cut their
// sectors to 32 bits; the Extensive Scan's search cannot meet a folder there, which its parent's entry
// now lists.
class PastTwoTebibyteFatDisk : public PastTwoTebibyteImage {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(Open("fat-crossing.vhdx", 1)); }

    // The folder "DEEP" lies past 2^32, and the volume saved into `out` is tsk_recover's, byte for byte.
    void ExpectSavedAsSleuthkit(const fs::path& out)
    {
        const FatFolderRecord* deep = nullptr;
        for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
            if (std::u16string(f->name) == u"DEEP")
                deep = f;
        }
        ASSERT_NE(deep, nullptr);
        const VolumeParameterBlock& b = g_VolumeParams;
        EXPECT_FALSE(FitsSectorField(uint64_t{b.clusterBase} + uint64_t{deep->firstCluster} * b.sectorsPerCluster));

        const std::map<std::string, fs::path> theirs =
            morvick::test::FilesBelow(fs::u8path(FixtureFile(kDisk, "fat.recover")), false);
        ASSERT_EQ(theirs.size(), 6u);
        ExpectSavedAs(out, theirs);
    }
};

TEST_F(PastTwoTebibyteFatDisk, TheQuickScanReadsItsFoldersPastTheLimit)
{
    ASSERT_TRUE(QuickScanPartition(0));
    ExpectSavedAsSleuthkit(temp.Path() / "quick");
}

TEST_F(PastTwoTebibyteFatDisk, TheExtensiveScanReadsItsFoldersPastTheLimit)
{
    ASSERT_NO_FATAL_FAILURE(ExtensiveScanTheVolume(0, FileSystemKind::kFat32));
    ExpectSavedAsSleuthkit(temp.Path() / "extensive");
}

// A FAT16 volume from 4,096 sectors before 2^32 whose deleted folder GONE has its first cluster below
// 2^32 and its second, with subfolder SUB, past it (fat-deleted.vhdx). Both scans save every file
// tsk_recover saves, byte for byte: those of GONE's first cluster in it, those of its second cluster
// (orphans to tsk_recover) in GONE too, which SUB names as its parent, and SUB's files in SUB. The
// browse of a found volume listed SUB, which only that free cluster names, but never read it.
class PastTwoTebibyteDeletedFatDisk : public PastTwoTebibyteImage {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(Open("fat-deleted.vhdx", 1)); }

    // tsk_recover's files, its orphans in GONE, and the volume saved into `out` is those, byte for byte.
    void ExpectSavedAsSleuthkit(const fs::path& out)
    {
        const std::string orphans = "/$orphanfiles/";
        std::map<std::string, fs::path> theirs;
        for (const auto& [key, path] :
            morvick::test::FilesBelow(fs::u8path(FixtureFile(kDisk, "fat-deleted.recover")), true)) {
            theirs.emplace(key.rfind(orphans, 0) == 0 ? "/?one/" + key.substr(orphans.size()) : key, path);
        }
        ASSERT_EQ(theirs.size(), 14u + 15u + 4u + 3u);
        ExpectSavedAs(out, theirs, true);
    }
};

TEST_F(PastTwoTebibyteDeletedFatDisk, TheQuickScanReadsTheDeletedFolderPastTheLimit)
{
    ASSERT_TRUE(QuickScanPartition(0));
    ExpectSavedAsSleuthkit(temp.Path() / "quick");
}

TEST_F(PastTwoTebibyteDeletedFatDisk, TheExtensiveScanReadsTheDeletedFolderPastTheLimit)
{
    ASSERT_NO_FATAL_FAILURE(ExtensiveScanTheVolume(0, FileSystemKind::kFat16));
    ExpectSavedAsSleuthkit(temp.Path() / "extensive");
}

// The same volume behind a partition entry one sector short, which cuts TAIL.BIN's last cluster: the
// Quick Scan reads the volume to its own end, past 2^32, where its boot sector and FAT agree on it, as
// it does below 2^32. It kept to the entry there, and saved the file cut (reported damaged).
TEST_F(PastTwoTebibyteImage, AFatVolumeCrossingTheLimitIsReadToItsOwnEndPastAShortEntry)
{
    ASSERT_NO_FATAL_FAILURE(Open("fat-short.vhdx", 1));
    ASSERT_EQ(g_PartitionTable[0].sectorCount, 8191u);
    ASSERT_TRUE(QuickScanPartition(0));
    EXPECT_EQ(PartitionLastSector(g_VolumeParams), kLastHeldSector - 4095 + 8191);
    EXPECT_EQ(uint64_t{g_VolumeParams.partitionEnd}, kLastHeldSector);
    const fs::path out = temp.Path() / "short";
    SaveWholeVolume(ToPath16(out));
    EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles, 0u);
    const std::string tail = ReadWholeFile(FixtureFile(kDisk, "TAIL.BIN"));
    ASSERT_EQ(tail.size(), 1000u);
    EXPECT_TRUE(ReadWholeFile(out / "TAIL.BIN") == tail);
}
