// Loading snapshot files: messages, and the current results kept when a file is refused.
#include "engine/ntfs/NtfsEntryLists.h"
#include "engine/image/SectorReader.h"
#include "engine/io/NativeFile.h"
#include "engine/save/EngineReset.h"
#include "engine/scan/QuickScan.h"
#include "engine/snapshot/SnapshotEncoder.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/snapshot/SnapshotFormat.h"
#include "engine/state/EngineState.h"
#include "tests/engine/ntfs/MftRecordBuilder.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/save/MemoryDisk.h"
#include "tests/engine/snapshot/SnapshotTestRecords.h"
#include "tests/engine/snapshot/SnapshotTestVolumes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

// An Extensive Scan's file of an empty FILE record of the test volumes (PutNtfsFileRecord), listed
// as the search lists it.
NtfsFileRecord* AddFoundNtfsFile(const std::u16string& name, uint32_t sector, uint32_t parent)
{
    NtfsFileRecord* r = AddNtfsFileRecord(name, sector, parent, 0);
    r->changeTimeLow = static_cast<uint32_t>(kTestFileChangeTime);
    r->changeTimeHigh = static_cast<uint32_t>(kTestFileChangeTime >> 32);
    return r;
}

class SnapshotLoad : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override
    {
        disk.reset();
        ResetEngineState();
    }

    // The source the loads read: it holds the volume the block describes.
    void UseSource(const std::vector<uint8_t>& raw)
    {
        disk.reset();
        disk = std::make_unique<MemoryDisk>(raw);
        ASSERT_TRUE(disk->Opened());
    }

    // Current results that a refused load must leave alone, over a source that holds their volume.
    void MakeCurrentResults()
    {
        g_nScanMode = kScanQuick;
        UseSource(MakeFatVolume(FileSystemKind::kFat16, 63, 8, {{3, "KEEP    TXT", 4, 10}}));
        AddFatFolder(u"keep", 3, 0);
        AddFatFile(u"KEEP.TXT", 4, 3, 10);
    }
    void ExpectCurrentResultsKept()
    {
        ASSERT_EQ(g_FatFolders.count, 1u);
        EXPECT_EQ(std::u16string(g_FatFolders.head->name), u"keep");
        ASSERT_EQ(g_FatEntries.count, 1u);
        EXPECT_EQ(uint32_t{g_VolumeParams.sectorsPerCluster}, 8u);
        EXPECT_EQ(g_nScanMode, kScanQuick);
    }

    TempFolder temp;
    std::unique_ptr<MemoryDisk> disk;
};

}  // namespace

TEST_F(SnapshotLoad, SavedFileLoadsBack)
{
    g_nScanMode = kScanExtensive;
    std::vector<uint8_t> ntfs = MakeNtfsVolume(2048, 8);
    PutNtfsFileRecord(ntfs, 5000, u"a.doc", 64);
    g_VolumeParams.volumeEnd = 100000;
    AddNtfsFolder(u"docs", 64, 5);
    AddFoundNtfsFile(u"a.doc", 5000, 64);
    std::u16string path = ToPath16(temp.Path() / "snap.srzq");
    RecordingObserver observer;
    ASSERT_TRUE(SaveSnapshotFile(path));
    std::vector<uint8_t> saved = EncodeSnapshot();

    ResetEngineState();
    MakeCurrentResults();
    UseSource(ntfs);
    ASSERT_TRUE(LoadSnapshotFile(path));
    EXPECT_TRUE(observer.messages.empty());
    EXPECT_FALSE(g_MftRunTable.start.empty()) << "the MFT's runs, for the savers";
    EXPECT_EQ(g_nScanMode, kScanExtensive);
    EXPECT_EQ(g_FatFolders.count, 0u) << "the old results are gone";
    ASSERT_EQ(g_NtfsFileRecords.count, 1u);
    EXPECT_EQ(std::u16string(g_NtfsFileRecords.head->name), u"a.doc");
    EXPECT_EQ(EncodeSnapshot(), saved);
}

TEST_F(SnapshotLoad, RefusedFilesLeaveTheResultsAndSayWhy)
{
    MakeCurrentResults();
    std::vector<uint8_t> good = EncodeSnapshot();
    struct Case {
        const char* file;
        std::vector<uint8_t> bytes;
        std::u16string message;
    };
    std::vector<uint8_t> badKind = good, badMagic = good, badVersion = good, truncated = good;
    badKind[0] = 'Q';
    badMagic[2] = 0;
    badVersion[9] = '2';
    truncated.resize(good.size() - 3);
    std::vector<Case> cases = {
        {"kind.srzq", badKind, u"Invalid File."},
        {"magic.srzq", badMagic, u"Invalid version of the file found : "},
        {"version.srzq", badVersion, u"version of file does not match with current version 1.0"},
        {"truncated.srzq", truncated, u"Invalid File."},
        {"empty.srzq", {}, u"Invalid File."},
    };
    for (const Case& c : cases) {
        WriteWholeFile(temp.Path() / c.file, std::string(c.bytes.begin(), c.bytes.end()));
        RecordingObserver observer;
        EXPECT_FALSE(LoadSnapshotFile(ToPath16(temp.Path() / c.file))) << c.file;
        ASSERT_EQ(observer.messages.size(), 1u) << c.file;
        EXPECT_EQ(observer.messages[0].first, c.message) << c.file;
        EXPECT_TRUE(observer.questions.empty()) << c.file;
        ExpectCurrentResultsKept();
    }
    RecordingObserver observer;
    std::u16string missing = ToPath16(temp.Path() / "missing.srzq");
    EXPECT_FALSE(LoadSnapshotFile(missing));
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].first, missing + u" does not exists.");
    EXPECT_EQ(observer.messages[0].second, kMessageQuestion) << "a notice with the question mark";
    EXPECT_TRUE(observer.questions.empty()) << "nothing to answer";
    ExpectCurrentResultsKept();
}

TEST_F(SnapshotLoad, OnlyASourceThatHoldsTheFatVolumeLoadsIt)
{
    // Sources built first: each sets the block as its volume is.
    const std::vector<uint8_t> elsewhere = MakeFatVolume(FileSystemKind::kFat16, 2048, 8, {{3, "KEEP    TXT", 4, 10}});
    const std::vector<uint8_t> ntfs = MakeNtfsVolume(63, 8);
    const std::vector<uint8_t> otherFiles = MakeFatVolume(FileSystemKind::kFat16, 63, 8, {{3, "OTHER   TXT", 4, 10}});
    const std::vector<uint8_t> right = MakeFatVolume(FileSystemKind::kFat16, 63, 8, {{3, "KEEP    TXT", 4, 10}});
    std::vector<uint8_t> otherClusterSize = right;
    otherClusterSize[63 * 512 + 13] = 4;
    std::vector<uint8_t> bootGone = right;
    std::fill(bootGone.begin() + 63 * 512, bootGone.begin() + 64 * 512, uint8_t{0});
    std::vector<uint8_t> bootAndFatGone = bootGone;
    std::fill(bootAndFatGone.begin() + 64 * 512, bootAndFatGone.end(), uint8_t{0});

    MakeCurrentResults();
    const std::u16string path = ToPath16(temp.Path() / "fat.srzq");
    ASSERT_TRUE(SaveSnapshotFile(path));
    struct Case {
        const char* what;
        const std::vector<uint8_t>* source;  // null: no image open
    };
    const Case refused[] = {
        {"no image", nullptr},
        {"the volume elsewhere", &elsewhere},
        {"another cluster size", &otherClusterSize},
        {"an NTFS volume", &ntfs},
        {"the same layout holding other files", &otherFiles},
        {"neither boot sector nor FAT", &bootAndFatGone},
    };
    for (const Case& c : refused) {
        if (c.source != nullptr)
            UseSource(*c.source);
        else
            disk.reset();
        RecordingObserver observer;
        EXPECT_FALSE(LoadSnapshotFile(path)) << c.what;
        ASSERT_EQ(observer.messages.size(), 1u) << c.what;
        EXPECT_EQ(observer.messages[0].first, u"Source file and load recovery snapshot mismatch") << c.what;
        EXPECT_EQ(observer.messages[0].second, kMessagePlain) << c.what;
        ExpectCurrentResultsKept();
    }
    // A volume whose boot sector is gone (an Extensive Scan rebuilt it) is known by its FAT.
    for (const std::vector<uint8_t>& source : {bootGone, right}) {
        UseSource(source);
        RecordingObserver observer;
        EXPECT_TRUE(LoadSnapshotFile(path));
        EXPECT_TRUE(observer.messages.empty());
    }
    // An Extensive Scan's volume may have been rebuilt past a boot sector that says otherwise: its
    // FAT and its files decide.
    g_nScanMode = kScanExtensive;
    const std::u16string extensive = ToPath16(temp.Path() / "fat-extensive.srzq");
    ASSERT_TRUE(SaveSnapshotFile(extensive));
    UseSource(otherClusterSize);
    RecordingObserver observer;
    EXPECT_TRUE(LoadSnapshotFile(extensive));
    EXPECT_TRUE(observer.messages.empty());
    const std::vector<uint8_t>* const notIt[] = {&bootAndFatGone, &otherFiles};
    for (const std::vector<uint8_t>* source : notIt) {
        UseSource(*source);
        EXPECT_FALSE(LoadSnapshotFile(extensive));
    }
}

// Every file a FAT snapshot lists is looked for on the disk as its scan lists it: in its folder, with
// its name, first cluster, size, write date and deleted flag. One that is not there so (deleted,
// written over, moved since) stays listed, marked changed on the disk, and the snapshot still loads;
// where more files changed than were found, the disk holds another volume. A short name's characters
// above 0x7F come from the OEM code page, which may differ between computers: any such one matches.
TEST_F(SnapshotLoad, FatFilesNoLongerOnTheDiskAsListedAreMarkedChanged)
{
    struct Photo {
        const char* entry;
        uint32_t cluster;
        uint32_t size;
        uint16_t writeDate = 0;  // 0: the test files' date
    };
    const std::vector<Photo> listed = {
        {"IMG_0001JPG", 10, 5000}, {"IMG_0002JPG", 11, 5010}, {"IMG_0003JPG", 12, 5020}, {"IMG_0004JPG", 13, 5030}};
    struct Case {
        const char* what;
        std::vector<Photo> disk;  // the entries of the folder on the disk
        std::vector<bool> changed;  // of the listed files; empty: the load is refused
        std::u16string firstName = u"IMG_0001.JPG";  // as the snapshot lists the first file
    };
    auto with = [&listed](size_t i, Photo photo) {
        std::vector<Photo> disk = listed;
        disk[i] = photo;
        return disk;
    };
    const Case cases[] = {
        {"the files as listed", listed, {false, false, false, false}},
        // Its entry as it was but for the deleted mark: the same file, saved as a deleted one.
        {"one deleted since", with(0, {"\xE5MG_0001JPG", 10, 5000}), {false, false, false, false}},
        {"one deleted since and another written at its cluster", with(0, {"\xE5MG_0009JPG", 10, 5000}),
            {true, false, false, false}},
        {"one at another cluster", with(1, {"IMG_0002JPG", 21, 5010}), {false, true, false, false}},
        {"one of another size", with(2, {"IMG_0003JPG", 12, 5021}), {false, false, true, false}},
        {"one of another date", with(3, {"IMG_0004JPG", 13, 5030, 0x3066}), {false, false, false, true}},
        {"one of another name", with(0, {"IMG_0009JPG", 10, 5000}), {true, false, false, false}},
        {"a short name's OEM character read as another", with(0, {"IMG\x80" "0001JPG", 10, 5000}),
            {false, false, false, false}, u"IMG\u00C70001.JPG"},
        {"two of four changed", {{"IMG_0001JPG", 10, 5000}, {"IMG_0002JPG", 11, 5011}, {"IMG_0003JPG", 12, 5020},
                                    {"IMG_0004JPG", 23, 5030}},
            {false, true, false, true}},
        {"three of four changed", {{"IMG_0001JPG", 10, 5001}, {"IMG_0002JPG", 11, 5011}, {"IMG_0003JPG", 12, 5020},
                                      {"IMG_0004JPG", 23, 5030}},
            {}},
        {"another card's photos of the same names", {{"IMG_0001JPG", 30, 7000}, {"IMG_0002JPG", 31, 7010},
                                                        {"IMG_0003JPG", 32, 7020}, {"IMG_0004JPG", 33, 7030}},
            {}},
    };
    for (int mode : {kScanQuick, kScanExtensive}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (mode == kScanQuick ? ", Quick Scan" : ", Extensive Scan"));
            std::vector<FatTestFile> entries;
            for (const Photo& p : c.disk)
                entries.push_back({3, p.entry, p.cluster, p.size, p.writeDate});
            const std::vector<uint8_t> source = MakeFatVolume(FileSystemKind::kFat32, 63, 1, entries);
            FreeFoundEntryLists();
            g_nScanMode = mode;
            AddFatFolder(u"100PHOTO", 3, 0);
            for (size_t i = 0; i < listed.size(); ++i) {
                const std::string name = std::string(listed[i].entry, 8) + "." + std::string(listed[i].entry + 8, 3);
                AddFatFile(i == 0 ? c.firstName : std::u16string(name.begin(), name.end()), listed[i].cluster, 3,
                    listed[i].size);
            }
            const std::u16string path = ToPath16(temp.Path() / "photos.srzq");
            ASSERT_TRUE(SaveSnapshotFile(path));
            UseSource(source);
            RecordingObserver observer;
            ASSERT_EQ(LoadSnapshotFile(path), !c.changed.empty());
            if (c.changed.empty()) {
                ASSERT_EQ(observer.messages.size(), 1u);
                EXPECT_EQ(observer.messages[0].first, u"Source file and load recovery snapshot mismatch");
                continue;
            }
            EXPECT_TRUE(observer.messages.empty());
            std::vector<bool> changed;
            for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next)
                changed.push_back(r->changedOnDisk != 0);
            EXPECT_EQ(changed, c.changed);
            EXPECT_EQ(g_FatEntries.head->deleted, c.disk[0].entry[0] == '\xE5' && !c.changed[0] ? 1u : 0u)
                << "a file deleted since is listed deleted";
        }
    }
}

// A block whose FAT16 root is larger than any (a damaged or made-up file) is refused at once: read as
// it says, the root's sectors were listed until the memory ran out.
TEST_F(SnapshotLoad, ARootLargerThanAnyIsRefused)
{
    MakeCurrentResults();
    std::vector<uint8_t> bytes = EncodeSnapshot();
    constexpr size_t kRootSectorsAt = 38;
    for (size_t i = 0; i < 4; ++i)
        bytes[kRootSectorsAt + i] = i == 3 ? 0x7F : 0xFF;
    WriteWholeFile(temp.Path() / "root.srzq", std::string(bytes.begin(), bytes.end()));
    // No boot sector to disagree: the FAT alone vouches for the volume.
    std::vector<uint8_t> bootGone = MakeFatVolume(FileSystemKind::kFat16, 63, 8, {{3, "KEEP    TXT", 4, 10}});
    std::fill(bootGone.begin() + 63 * 512, bootGone.begin() + 64 * 512, uint8_t{0});
    UseSource(bootGone);
    RecordingObserver observer;
    EXPECT_FALSE(LoadSnapshotFile(ToPath16(temp.Path() / "root.srzq")));
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].first, u"Source file and load recovery snapshot mismatch");
    ExpectCurrentResultsKept();
}

// One name deleted twice in a folder, and made again: the scan lists each entry, and so does the
// snapshot. Each is found as itself, not the first of the name for every one.
TEST_F(SnapshotLoad, EntriesOfOneNameAreFoundEachAsItself)
{
    const std::vector<uint8_t> source = MakeFatVolume(FileSystemKind::kFat32, 63, 1,
        {{3, "\xE5MG_0001JPG", 10, 5000}, {3, "\xE5MG_0001JPG", 11, 6000}, {3, "IMG_0001JPG", 12, 7000}});
    g_nScanMode = kScanQuick;
    AddFatFolder(u"100PHOTO", 3, 0);
    ScanFinishedWord finished{0};
    UseSource(source);
    QuickScanFat(finished);
    ASSERT_EQ(g_FatEntries.count, 3u);
    // Listed with the live one first: the lists are compared side by side no further than they agree.
    struct Listed {
        std::u16string name;
        uint32_t cluster, size, deleted;
    };
    std::vector<Listed> files;
    for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next)
        files.push_back({r->name, r->firstCluster, r->size, r->deleted});
    std::rotate(files.begin(), files.begin() + 2, files.end());
    FreeFoundEntryLists();
    AddFatFolder(u"100PHOTO", 3, 0);
    for (const Listed& f : files)
        AddFatFile(f.name, f.cluster, 3, f.size, f.deleted);
    const std::u16string path = ToPath16(temp.Path() / "twice.srzq");
    ASSERT_TRUE(SaveSnapshotFile(path));
    UseSource(source);
    RecordingObserver observer;
    ASSERT_TRUE(LoadSnapshotFile(path));
    for (const FatEntryRecord* r = g_FatEntries.head; r; r = r->next)
        EXPECT_EQ(r->changedOnDisk, 0u) << r->firstCluster;
}

TEST_F(SnapshotLoad, OnlyASourceThatHoldsTheNtfsVolumeLoadsIt)
{
    const std::vector<uint8_t> fat = MakeFatVolume(FileSystemKind::kFat32, 2048, 8);
    // The same layout, its records naming other files.
    std::vector<uint8_t> otherFiles = MakeNtfsVolume(2048, 8, {{64, u"other.txt", 5}});
    const uint32_t found = 2100;
    PutNtfsFileRecord(otherFiles, found, u"c.txt", 5);
    std::vector<uint8_t> right = MakeNtfsVolume(2048, 8, {{64, u"a.txt", 5}});
    const uint32_t mftStart = g_VolumeParams.mftStart;
    g_VolumeParams.volumeEnd = 100000;
    PutNtfsFileRecord(right, found, u"b.txt", 5);
    // No walkable MFT, but the FILE record where an Extensive Scan found its file.
    std::vector<uint8_t> recordsOnly(right.size(), 0);
    std::copy(right.begin() + found * 512, right.begin() + (found + 2) * 512, recordsOnly.begin() + found * 512);
    AddMftEntry(u"a.txt", 64, 5, 0, mftStart + 2 * 64);
    AddFoundNtfsFile(u"b.txt", found, 5);

    // One snapshot of each kind, saved before any load replaces the lists.
    auto pathOf = [this](int mode) { return ToPath16(temp.Path() / ("ntfs" + std::to_string(mode) + ".srzq")); };
    for (int mode : {kScanExtensive, kScanQuick, kScanFileTrace}) {
        g_nScanMode = mode;
        ASSERT_TRUE(SaveSnapshotFile(pathOf(mode)));
    }
    struct Case {
        int mode;
        const std::vector<uint8_t>* source;
        bool loads;
    };
    const Case cases[] = {
        {kScanExtensive, &right, true},
        {kScanExtensive, &recordsOnly, true},
        {kScanExtensive, &fat, false},
        {kScanExtensive, &otherFiles, false},
        {kScanQuick, &right, true},
        {kScanQuick, &fat, false},
        {kScanQuick, &recordsOnly, false},
        {kScanQuick, &otherFiles, false},
        {kScanFileTrace, &fat, true},
        {kScanFileTrace, nullptr, false},
    };
    for (const Case& c : cases) {
        if (c.source != nullptr)
            UseSource(*c.source);
        else
            disk.reset();
        RecordingObserver observer;
        EXPECT_EQ(LoadSnapshotFile(pathOf(c.mode)), c.loads) << c.mode;
        EXPECT_EQ(observer.messages.empty(), c.loads) << c.mode;
    }
}

// The partition search records an NTFS volume with its boot sector's count, which leaves out the boot
// sector's copy after it; a partition table's entry holds the copy. Either way the volume must fit
// its partition, and either boot sector vouches for it.
TEST_F(SnapshotLoad, AnNtfsVolumeIsJudgedByItsBootSectorsWhereverItsPartitionEnds)
{
    constexpr uint32_t kStart = 2048;
    constexpr uint32_t kTotal = 8191;  // the copy at 10239
    std::vector<uint8_t> right = MakeNtfsVolume(kStart, 8, {{64, u"a.txt", 5}});
    const uint32_t mftStart = g_VolumeParams.mftStart;
    right.resize(size_t{kStart + kTotal + 200} * 512);
    PutNtfsBootSector(right, kStart, 8, kTotal);
    PutNtfsBootSector(right, kStart + kTotal, 8, kTotal);
    // A first boot sector that says otherwise, the copy still as it was.
    std::vector<uint8_t> copyOnly = right;
    PutNtfsBootSector(copyOnly, kStart, 4, kTotal);
    // A larger volume at the same place: both its boot sectors say so.
    std::vector<uint8_t> larger = right;
    std::fill(larger.begin() + size_t{kStart + kTotal} * 512, larger.begin() + size_t{kStart + kTotal + 1} * 512,
        uint8_t{0});
    PutNtfsBootSector(larger, kStart, 8, kTotal + 100);
    PutNtfsBootSector(larger, kStart + kTotal + 100, 8, kTotal + 100);
    AddMftEntry(u"a.txt", 64, 5, 0, mftStart + 2 * 64);
    g_nScanMode = kScanQuick;

    struct Partition {
        const char* what;
        uint32_t sectors;
    };
    const Partition partitions[] = {{"searched", kTotal}, {"from the table", kTotal + 1}};
    for (const Partition& p : partitions) {
        g_VolumeParams.partitionSectors = p.sectors;
        g_VolumeParams.partitionEnd = kStart + p.sectors - 1;
        ASSERT_TRUE(SaveSnapshotFile(ToPath16(temp.Path() / (std::string(p.what) + ".srzq"))));
    }
    for (const Partition& p : partitions) {
        const std::u16string path = ToPath16(temp.Path() / (std::string(p.what) + ".srzq"));
        struct Case {
            const char* what;
            const std::vector<uint8_t>* source;
            bool loads;
        };
        const Case cases[] = {{"both boot sectors", &right, true}, {"the copy alone", &copyOnly, true},
            {"a larger volume", &larger, false}};
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(p.what) + ", " + c.what);
            UseSource(*c.source);
            RecordingObserver observer;
            EXPECT_EQ(LoadSnapshotFile(path), c.loads);
            EXPECT_EQ(observer.messages.empty(), c.loads);
        }
    }
}

// A snapshot written before the scans broke loops of parent references keeps one: ping and pong name
// each other. Loaded, the loop is broken into "Lost Dir" as the scans break it; its folders and its
// file hung under no folder of the tree.
TEST_F(SnapshotLoad, FoldersWhoseParentsLoopAreBrokenIntoLostDirOnLoad)
{
    const std::vector<uint8_t> volume = MakeNtfsVolume(2048, 8, {{64, u"a.txt", 66}});
    const uint32_t mftStart = g_VolumeParams.mftStart;
    g_nScanMode = kScanQuick;
    AddNtfsFolder(u"ping", 66, 67);
    AddNtfsFolder(u"pong", 67, 66);
    AddNtfsFolder(u"Lost Dir", kLostDirRecordNumber, 5);
    AddMftEntry(u"a.txt", 64, 66, 0, mftStart + 2 * 64);
    const std::u16string path = ToPath16(temp.Path() / "loop.srzq");
    ASSERT_TRUE(SaveSnapshotFile(path));

    ResetEngineState();
    UseSource(volume);
    ASSERT_TRUE(LoadSnapshotFile(path));
    ASSERT_EQ(g_NtfsFolders.count, 3u);
    EXPECT_EQ(g_NtfsFolders.head->parentRecord, kLostDirRecordNumber);
    EXPECT_EQ(g_NtfsFolders.head->next->parentRecord, 66u);
}

// An extension record is no file of its own, whatever name it holds: $MFT's extension records name
// record 0, so only the whole base reference (its sequence part) tells them from base records. A
// snapshot that lists one as a file (by its number, or by its sector for an Extensive Scan) was made
// of another volume, whose record there was a file's.
TEST_F(SnapshotLoad, AnExtensionRecordOfTheMftIsNoListedFile)
{
    constexpr uint32_t kNumber = 16;
    std::vector<uint8_t> extension = MakeNtfsVolume(2048, 8, {{64, u"a.txt", 5}});
    const uint32_t sector = g_VolumeParams.mftStart + 2 * kNumber;
    g_VolumeParams.volumeEnd = 100000;
    // The same record as a base record of its own, where the snapshot's file lies.
    std::vector<uint8_t> base = extension;
    const auto record = [](bool ofMft) {
        morvick::test::MftRecordBuilder builder;
        if (ofMft)
            builder.BaseRecord(0, 1);
        return builder.Numbered(kNumber, 1).FileName(u"$MFT", 5, 3, kTestFileCreationTime, kTestFileChangeTime).Build();
    };
    PutBytes(extension, uint64_t{sector} * 512, record(true).data(), 1024);
    PutBytes(base, uint64_t{sector} * 512, record(false).data(), 1024);
    AddMftEntry(u"$MFT", kNumber, 5, 0, sector);
    AddFoundNtfsFile(u"$MFT", sector, 5);
    auto pathOf = [this](int mode) { return ToPath16(temp.Path() / ("mft" + std::to_string(mode) + ".srzq")); };
    for (int mode : {kScanQuick, kScanExtensive}) {
        g_nScanMode = mode;
        ASSERT_TRUE(SaveSnapshotFile(pathOf(mode)));
    }

    for (int mode : {kScanQuick, kScanExtensive}) {
        SCOPED_TRACE(mode);
        UseSource(extension);
        RecordingObserver observer;
        EXPECT_FALSE(LoadSnapshotFile(pathOf(mode)));
        EXPECT_EQ(observer.messages.size(), 1u);
        for (const auto& message : observer.messages)
            EXPECT_EQ(message.first, u"Source file and load recovery snapshot mismatch");
        UseSource(base);
        EXPECT_TRUE(LoadSnapshotFile(pathOf(mode)));
        EXPECT_EQ(observer.messages.size(), 1u);
    }
}

// The Extensive Scan rebuilds a volume from its folders alone when no boot sector names it: no MFT
// place is known, and there may be no file record inside it. Such a snapshot loads; one that lists
// files loads only where they are found.
TEST_F(SnapshotLoad, AnExtensiveNtfsVolumeOfFoldersAloneLoads)
{
    const std::vector<uint8_t> source = MakeNtfsVolume(2048, 8, {{64, u"a.txt", 5}});
    g_nScanMode = kScanExtensive;
    VolumeParameterBlock& b = g_VolumeParams;
    b.mftStart = 0;
    b.mftMirrorStart = 0;
    b.clusterBase = 4096;
    b.volumeEnd = 100000;
    AddNtfsFolder(u"docs", 64, 5);
    AddNtfsFolder(u"old", 65, 5, 1);
    // A record before the volume's first sector is no file of it: the snapshot lists none.
    AddNtfsFileRecord(u"before.txt", 4000, 5, 10);
    const std::u16string folders = ToPath16(temp.Path() / "folders.srzq");
    ASSERT_TRUE(SaveSnapshotFile(folders));
    AddNtfsFileRecord(u"missing.txt", 5000, 64, 10);
    const std::u16string withFile = ToPath16(temp.Path() / "with-file.srzq");
    ASSERT_TRUE(SaveSnapshotFile(withFile));

    UseSource(source);
    RecordingObserver observer;
    EXPECT_FALSE(LoadSnapshotFile(withFile));
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].first, u"Source file and load recovery snapshot mismatch");
    ASSERT_TRUE(LoadSnapshotFile(folders));
    EXPECT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(g_NtfsFolders.count, 2u);
    EXPECT_EQ(g_NtfsFileRecords.count, 0u);
    EXPECT_EQ(g_nScanMode, kScanExtensive);
}

// Nothing a load does opens a logical drive: a snapshot made from one would read nothing of it.
TEST_F(SnapshotLoad, ASnapshotOfALogicalDriveIsRefused)
{
    MakeCurrentResults();
    g_wSourceType = kSourceLogicalDrive;
    const std::u16string path = ToPath16(temp.Path() / "drive.srzq");
    ASSERT_TRUE(SaveSnapshotFile(path));
    g_wSourceType = kSourceDisk;
    RecordingObserver observer;
    EXPECT_FALSE(LoadSnapshotFile(path));
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].first, u"Source file and load recovery snapshot mismatch");
    ExpectCurrentResultsKept();
}

TEST_F(SnapshotLoad, SaveFailureIsReported)
{
    MakeCurrentResults();
    RecordingObserver observer;
    EXPECT_FALSE(SaveSnapshotFile(ToPath16(temp.Path() / "no-such-folder" / "x.srzq")));
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].first, u"Unable to open the file");
    EXPECT_EQ(observer.messages[0].second, kMessageError);
}

TEST_F(SnapshotLoad, ExistingFileIsReplacedOnlyOnYes)
{
    MakeCurrentResults();
    const std::vector<uint8_t> current = EncodeSnapshot();
    const std::u16string typed = ToPath16(temp.Path() / "result");
    const std::u16string path = typed + u".srzq";

    {
        // A new file is written without a question.
        RecordingObserver observer;
        ASSERT_TRUE(SaveSnapshotAs(typed));
        EXPECT_TRUE(observer.messages.empty());
        const std::string written = ReadWholeFile(FromPath16(path));
        EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), current);
    }
    {
        RecordingObserver no(false);
        WriteWholeFile(FromPath16(path), "older");
        EXPECT_FALSE(SaveSnapshotAs(typed));
        ASSERT_EQ(no.messages.size(), 1u);
        EXPECT_EQ(no.questions.size(), 1u) << "asked Yes or No";
        EXPECT_EQ(no.messages[0].first,
            NormaliseSnapshotPath(path) + u" already exists.\r\nDo you want to replace it?");
        EXPECT_EQ(no.messages[0].second, kMessageQuestion);
        EXPECT_EQ(ReadWholeFile(FromPath16(path)), "older");
    }
    {
        RecordingObserver yes(true);
        EXPECT_TRUE(SaveSnapshotAs(path));
        EXPECT_EQ(yes.messages.size(), 1u);
        const std::string written = ReadWholeFile(FromPath16(path));
        EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), current);
    }
}

TEST_F(SnapshotLoad, QuotesOfACommandLineAreDropped)
{
    MakeCurrentResults();
    const std::u16string path = ToPath16(temp.Path() / "quoted.srzq");
    ASSERT_TRUE(SaveSnapshotFile(path));
    ResetEngineState();
    RecordingObserver observer;
    ASSERT_TRUE(LoadSnapshotFile(u"\"" + path + u"\""));
    EXPECT_TRUE(observer.messages.empty());
    ExpectCurrentResultsKept();
}

TEST_F(SnapshotLoad, ProgressFollowsEachSectionsRecords)
{
    struct ProgressObserver : ScanObserver {
        std::vector<int> shown;
        void OnProgress(int percent) override { shown.push_back(percent); }
    } observer;
    UseSource(MakeFatVolume(FileSystemKind::kFat32, 0, 1,
        {{3, "F          ", 10, 1}, {3, "F          ", 11, 1}, {3, "F          ", 12, 1}, {3, "F          ", 13, 1}}));
    AddFatFolder(u"one", 3, 0);
    for (uint32_t i = 0; i < 4; ++i)
        AddFatFile(u"F", 10 + i, 3, 1);
    const std::u16string path = ToPath16(temp.Path() / "progress.srzq");
    ASSERT_TRUE(SaveSnapshotFile(path));
    ResetEngineState();
    ScanObserver* previous = SetScanObserver(&observer);
    EXPECT_TRUE(LoadSnapshotFile(path));
    SetScanObserver(previous);
    EXPECT_EQ(observer.shown, (std::vector<int>{100, 25, 50, 75, 100}));
}

TEST_F(SnapshotLoad, VolumeIsOpenedAgainOnlyForALogicalDrive)
{
    g_wSourceType = kSourceDisk;
    EXPECT_EQ(OpenSnapshotVolume(3, u""), 1);
    EXPECT_EQ(uint16_t{g_VolumeParams.partitionIndex}, 0u);
    g_wSourceType = kSourceLogicalDrive;
    EXPECT_EQ(OpenSnapshotVolume(3, u"not a drive"), 0);
    EXPECT_EQ(uint16_t{g_VolumeParams.partitionIndex}, 3u);
    EXPECT_EQ(g_hVolume, 0);

    // A load of an image's snapshot goes through it and leaves the volume handle alone; a refused
    // load of a drive's does not get that far.
    ResetEngineState();
    MakeCurrentResults();
    g_VolumeParams.partitionIndex = 2;
    g_wSourceType = kSourceDisk;
    const std::u16string image = ToPath16(temp.Path() / "image.srzq");
    ASSERT_TRUE(SaveSnapshotFile(image));
    g_wSourceType = kSourceLogicalDrive;
    const std::u16string drive = ToPath16(temp.Path() / "drive.srzq");
    ASSERT_TRUE(SaveSnapshotFile(drive));
    const EngineHandle volume = OpenNativeFileForReading(image);
    ASSERT_NE(volume, kInvalidEngineHandle);
    g_hVolume = volume;
    g_VolumeParams.partitionIndex = 0;
    g_wSourceType = kSourceDisk;
    RecordingObserver observer;
    EXPECT_FALSE(LoadSnapshotFile(drive));
    EXPECT_EQ(g_hVolume, volume);
    EXPECT_EQ(uint16_t{g_VolumeParams.partitionIndex}, 0u);
    EXPECT_TRUE(LoadSnapshotFile(image));
    EXPECT_EQ(g_hVolume, volume);
    EXPECT_EQ(uint16_t{g_VolumeParams.partitionIndex}, 2u);
    CloseNativeFile(volume);
    g_hVolume = 0;
}

// A snapshot past 512 MiB, as the writer streams it for a large scan, loads: it is written sparse
// here, its folder records as long as a length word allows with all-zero names and fields.
TEST_F(SnapshotLoad, ASnapshotLargerThanMemoryWouldHoldWholeLoads)
{
    MakeCurrentResults();
    const std::vector<uint8_t> good = EncodeSnapshot();
    const size_t firstFolder = kSnapshotHeaderSize + 4;
    const size_t foldersEnd = firstFolder + 2 + (good[firstFolder] | good[firstFolder + 1] << 8);
    constexpr uint64_t kLongRecord = 2 + 0xFFFF;
    constexpr uint32_t kLongRecords = 8193;  // 8193 x 64 KiB: just over 512 MiB
    const std::filesystem::path path = temp.Path() / "large.srzq";
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(good.data()), static_cast<std::streamsize>(foldersEnd));
        uint64_t at = foldersEnd;
        for (uint32_t i = 0; i < kLongRecords; ++i, at += kLongRecord) {
            out.seekp(static_cast<std::streamoff>(at));
            out.write("\xFF\xFF", 2);
        }
        out.seekp(static_cast<std::streamoff>(at));
        out.write(reinterpret_cast<const char*>(good.data() + foldersEnd),
            static_cast<std::streamsize>(good.size() - foldersEnd));
        // The folder count takes the long records in.
        const uint32_t folders = 1 + kLongRecords;
        out.seekp(static_cast<std::streamoff>(kSnapshotHeaderSize));
        const char count[4] = {static_cast<char>(folders), static_cast<char>(folders >> 8),
            static_cast<char>(folders >> 16), static_cast<char>(folders >> 24)};
        out.write(count, 4);
        ASSERT_TRUE(out.good());
    }
    ASSERT_GT(std::filesystem::file_size(path), 512ull * 1024 * 1024);
    ResetEngineState();
    UseSource(MakeFatVolume(FileSystemKind::kFat16, 63, 8, {{3, "KEEP    TXT", 4, 10}}));
    RecordingObserver observer;
    EXPECT_TRUE(LoadSnapshotFile(ToPath16(path)));
    EXPECT_TRUE(observer.messages.empty());
    ASSERT_EQ(g_FatFolders.count, 1u + kLongRecords);
    EXPECT_EQ(std::u16string(g_FatFolders.head->name), u"keep");
    ASSERT_EQ(g_FatEntries.count, 1u);
    EXPECT_EQ(std::u16string(g_FatEntries.head->name), u"KEEP.TXT");
}

TEST(SnapshotPath, KeptInItsCaseWithTheExtensionOnce)
{
    EXPECT_EQ(NormaliseSnapshotPath(u"C:\\Data\\Snap"), u"C:\\Data\\Snap.srzq");
    EXPECT_EQ(NormaliseSnapshotPath(u"C:\\Data\\Snap.SRZQ"), u"C:\\Data\\Snap.SRZQ");
    EXPECT_EQ(NormaliseSnapshotPath(u"C:\\Data\\Snap.Srzq"), u"C:\\Data\\Snap.Srzq");
    EXPECT_EQ(NormaliseSnapshotPath(u"srzq"), u"srzq.srzq");
}

// A name with capitals is written as the user gave it and loads by that name, in a folder where case
// tells names apart as in any other.
TEST_F(SnapshotLoad, ANameWithCapitalsIsSavedAndLoadedAsGiven)
{
    MakeCurrentResults();
    RecordingObserver observer;
    ASSERT_TRUE(SaveSnapshotAs(ToPath16(temp.Path() / "Road Trip")));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(temp.Path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"Road Trip.srzq"});
    ResetEngineState();
    MakeCurrentResults();
    EXPECT_TRUE(LoadSnapshotFile(NormaliseSnapshotPath(ToPath16(temp.Path() / "Road Trip.srzq"))));
    EXPECT_TRUE(observer.messages.empty());
}
