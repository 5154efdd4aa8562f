// The names and places the found-volume scan gives the FAT folders the search found, where deleted
// entries of more than one folder name one folder's first cluster: a folder made in an older deleted
// folder's cluster, moved (its ".." entry then names the folder it was moved to, its old entry left
// deleted) and deleted. The entry whose stamp the "." entry repeats takes the folder, then the entry of
// the folder the ".." names, whichever the scan meets first; an entry of another folder that the "."
// does not prove never does, a live entry keeps the folder, and no folder goes below itself. A folder
// moved out of a folder deleted later is live, and so are its files, also where the deleted entry of
// its old place is met before its folder is read and the live one after.
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/save/EngineReset.h"
#include "engine/state/EngineState.h"
#include "tests/engine/scan/SmallFatVolume.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace morvick::test {

namespace {

constexpr uint16_t kDate2019 = ((2019 - 1980) << 9) | (8 << 5) | 10;
constexpr uint16_t kDate2023 = ((2023 - 1980) << 9) | (3 << 5) | 2;
constexpr uint16_t kDate2024 = ((2024 - 1980) << 9) | (5 << 5) | 1;
constexpr uint16_t kTen = 10 << 11;

struct Stamp {
    uint16_t date = 0;
    uint16_t time = 0;
};
constexpr Stamp kOlder{kDate2019, kTen};
constexpr Stamp kLater{kDate2023, kTen};  // the contested folder's "." entry's
constexpr Stamp kLatest{kDate2024, kTen};

// The folders: A and B of the root (A's entry live, B's put by each test), C the contested one, whose
// ".." names B, D a subfolder of C, and E a folder of the root made for some tests.
constexpr uint16_t kA = 3, kB = 4, kC = 6, kD = 8, kE = 10;

class FoundFolderNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        ResetExtensiveScanState();
        g_nScanMode = kScanExtensive;
        PutFolder(kA, 0, kOlder);
        PutFolder(kB, 0, kOlder);
        PutFolder(kC, kB, kLater);
        PutFolder(kD, kC, kOlder);
        Put(kRootFolder, "A          ", 0x10, kA, kOlder);
    }
    void TearDown() override
    {
        ResetEngineState();
        ResetExtensiveScanState();
    }

    // A folder entry of `folder` (its first cluster, or kRootFolder) in its next free slot.
    void Put(uint16_t folder, const char* name11, uint8_t attributes, uint16_t cluster, Stamp stamp)
    {
        const uint32_t sector = folder == kRootFolder ? SmallFatVolume::kRoot : SmallFatVolume::FirstSector(folder);
        size_t& slot = m_slots[folder];
        volume.PutEntry(sector, slot, name11, attributes, cluster, 0);
        const uint64_t at = uint64_t{sector} * 512 + slot * 32;
        for (const auto& [offset, value] :
            {std::pair{14, stamp.time}, {16, stamp.date}, {22, stamp.time}, {24, stamp.date}})
            PutLittleEndian16(volume.raw, at + offset, value);
        ++slot;
    }
    // A deleted folder entry: `rest` its name after the deleted mark.
    void PutDeleted(uint16_t folder, const char* rest, uint16_t cluster, Stamp stamp)
    {
        std::string name = "\xE5" + std::string(rest);
        name.resize(11, ' ');
        Put(folder, name.c_str(), 0x10, cluster, stamp);
    }

    // Lists the volume with the search's folders in the order `found`.
    void Scan(const std::vector<uint16_t>& found)
    {
        volume.Open(0);  // the boot sector, which the scan does not read
        for (uint16_t cluster : found) {
            const uint16_t parent = cluster == kC ? kB : (cluster == kD ? kC : 0);  // E's parent is the root
            AddFoundFatDirectory(SmallFatVolume::FirstSector(cluster), cluster, parent, 1, 2);
            g_FoundFatDirectories.tail->volumeNumber = 1;
        }
        g_VolumeParams.volumeNumber = 1;
        ScanFinishedWord finished{0};
        RunFoundVolumeScan(finished);
    }

    static const FatFolderRecord* Folder(uint32_t cluster)
    {
        for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
            if (f->firstCluster == cluster)
                return f;
        }
        return nullptr;
    }
    // The folder names from the root down to the folder of `cluster`; empty where the root is not
    // reached.
    static std::string PathOf(uint32_t cluster)
    {
        std::string path;
        for (size_t steps = 0; cluster != 0 && steps <= g_FatFolders.count; ++steps) {
            const FatFolderRecord* f = Folder(cluster);
            if (!f)
                return {};
            path = "/" + std::string(f->name, f->name + std::char_traits<char16_t>::length(f->name)) + path;
            cluster = f->parentCluster;
        }
        return cluster == 0 ? path : std::string();
    }
    static bool Deleted(uint32_t cluster) { return Folder(cluster) && Folder(cluster)->deleted != 0; }
    void PutLiveB() { Put(kRootFolder, "B          ", 0x10, kB, kOlder); }

    // Scans with A's entries met before B's and after them: C is `path`, deleted or not.
    void ExpectCInBothOrders(const std::string& path, bool deleted)
    {
        for (uint16_t first : {kA, kB}) {
            SCOPED_TRACE(first);
            ASSERT_NO_FATAL_FAILURE(Scan({first, first == kA ? kB : kA, kC, kD}));
            EXPECT_EQ(PathOf(kC), path);
            EXPECT_EQ(Deleted(kC), deleted);
            EXPECT_EQ(PathOf(kD), path + "/Dir8");
            TearDown();
        }
    }

    // The files listed in the folder of `cluster`: live ones and deleted ones.
    static std::pair<size_t, size_t> FilesIn(uint32_t cluster)
    {
        std::pair<size_t, size_t> files;
        for (const FatEntryRecord* e = g_FatEntries.head; e; e = e->next) {
            if (e->parentCluster == cluster)
                ++(e->deleted ? files.second : files.first);
        }
        return files;
    }

    static constexpr uint16_t kRootFolder = 0;
    SmallFatVolume volume;

    // A folder of one cluster, its chain ended in the FATs: "." and ".." with the stamp `made`.
    void PutFolder(uint16_t cluster, uint16_t parent, Stamp made)
    {
        Put(cluster, ".          ", 0x10, cluster, made);
        Put(cluster, "..         ", 0x10, parent, made);
        volume.Link(cluster, 0xFFFF);
    }

private:
    std::map<uint16_t, size_t> m_slots;
};

}  // namespace

// The later folder's old entry in A, whose stamp the "." repeats, over the older folder's entry in B,
// which the ".." names: met first or last.
TEST_F(FoundFolderNames, TheEntryWhoseStampTheDotRepeatsTakesTheFolderFromAnotherFolder)
{
    PutLiveB();
    PutDeleted(kA, "ATER", kC, kLater);
    PutDeleted(kB, "LDER", kC, kOlder);
    ExpectCInBothOrders("/A/xATER", true);
}

// Of two entries of the stamp the "." repeats, the one of the folder the ".." names: where the other
// was met first, the folder goes back under B.
TEST_F(FoundFolderNames, OfOneStampTheEntryOfTheFolderTheDotDotNamesKeepsIt)
{
    PutLiveB();
    PutDeleted(kA, "ATER", kC, kLater);
    PutDeleted(kB, "OVED", kC, kLater);
    ExpectCInBothOrders("/B/xOVED", true);
}

// An entry of another folder whose stamp the "." does not repeat names an older folder of the
// cluster: alone it leaves the folder under B by its cluster, and it does not outweigh B's entry by
// being the later made.
TEST_F(FoundFolderNames, AnEntryOfAnotherFolderThatTheDotDoesNotProveNeverTakesIt)
{
    PutLiveB();
    PutDeleted(kA, "THER", kC, kLatest);
    ExpectCInBothOrders("/B/Dir6", false);

    PutDeleted(kB, "LDER", kC, kOlder);
    ExpectCInBothOrders("/B/xLDER", true);
}

// A folder a live entry names is that entry's: the deleted entry of its old name, after the live one
// in B (a folder renamed in place), and the later folder's stamped entry in A, met before or after.
TEST_F(FoundFolderNames, ALiveEntryKeepsTheFolder)
{
    PutLiveB();
    PutDeleted(kA, "ATER", kC, kLater);
    Put(kB, "KEEP       ", 0x10, kC, kLater);
    PutDeleted(kB, "LDNAME", kC, kLater);
    ExpectCInBothOrders("/B/KEEP", false);
}

// No folder goes below itself (a damaged volume): the stamped entry in C's own subfolder D does not
// take C.
TEST_F(FoundFolderNames, AnEntryOfTheFoldersOwnSubfolderDoesNotTakeIt)
{
    PutLiveB();
    PutDeleted(kD, "ATER", kC, kLater);
    ASSERT_NO_FATAL_FAILURE(Scan({kC, kD, kA, kB}));
    EXPECT_EQ(PathOf(kC), "/B/Dir6");
}

// Nor back under its parent where that went below it: A's stamped entry takes C, then C's stamped entry
// takes B from B's deleted root entry (which the "." does not prove), and B's live entry gives C its
// name but leaves it under A.
TEST_F(FoundFolderNames, NoEntryPutsAFolderBackBelowItself)
{
    PutDeleted(kRootFolder, "", kB, kLatest);
    PutDeleted(kA, "ATER", kC, kLater);
    PutDeleted(kC, "BEE", kB, kOlder);
    Put(kB, "KEEP       ", 0x10, kC, kLater);
    ASSERT_NO_FATAL_FAILURE(Scan({kA, kC, kB, kD}));
    EXPECT_EQ(PathOf(kC), "/A/KEEP");
    EXPECT_EQ(PathOf(kB), "/A/KEEP/xBEE");
}

// A folder moved from A into B (its ".." names B) before A was deleted: A's deleted entry is met
// before C is read, B's live entry after. C is B's live folder, and its file a live file: read as a
// deleted folder's, it was listed deleted and saved empty where the FAT still holds its chain.
TEST_F(FoundFolderNames, TheLiveEntryOfTheFolderTheDotDotNamesKeepsTheFolderMetAfterItIsRead)
{
    PutLiveB();
    PutDeleted(kA, "CME", kC, kLater);
    Put(kB, "ACME2022   ", 0x10, kC, kLater);
    Put(kC, "REPORT  TXT", 0x20, 12, kLater);
    ASSERT_NO_FATAL_FAILURE(Scan({kA, kC, kB, kD}));
    EXPECT_EQ(PathOf(kC), "/B/ACME2022");
    EXPECT_FALSE(Deleted(kC));
    EXPECT_EQ(FilesIn(kC), std::make_pair(size_t{1}, size_t{0}));
}

// A live entry of another folder than the one the ".." names takes the folder from A's deleted entry,
// met before it or after it.
TEST_F(FoundFolderNames, ALiveEntryOfAnotherFolderTakesTheFolderFromADeletedOne)
{
    PutLiveB();
    PutFolder(kE, 0, kOlder);
    Put(kRootFolder, "E          ", 0x10, kE, kOlder);
    PutDeleted(kA, "CME", kC, kLater);
    Put(kE, "ACME2022   ", 0x10, kC, kLater);
    ASSERT_NO_FATAL_FAILURE(Scan({kA, kC, kB, kD, kE}));
    EXPECT_EQ(PathOf(kC), "/E/ACME2022");
    EXPECT_FALSE(Deleted(kC));
    TearDown();

    ASSERT_NO_FATAL_FAILURE(Scan({kE, kA, kC, kB, kD}));
    EXPECT_EQ(PathOf(kC), "/E/ACME2022");
    EXPECT_FALSE(Deleted(kC));
}

}  // namespace morvick::test
