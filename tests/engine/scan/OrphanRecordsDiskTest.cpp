// Files that no folder of the volume leads to (make-orphan-records-disk.sh, mkntfs and ntfs-3g):
// selfish names itself as its parent, ping and pong name each other, and so do the deleted gone and
// back; one.bin and two.bin were deleted name by name until their records kept their data and no
// name. Both scans break each loop into "Lost Dir" at its first folder, list the nameless records
// there as "File" and their numbers, and save every file they count, byte for byte as tsk_recover
// saves it. Each loop and nameless file hung under no folder of the tree: counted, but neither shown
// nor saved, and no failure said. A snapshot of either scan writes and loads them.
#include "engine/save/EngineReset.h"
#include "engine/save/SaveState.h"
#include "engine/snapshot/SnapshotFile.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/Oracles.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/scan/BothScansDisk.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace morvick::test {

namespace {

static auto* const g_disk =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-orphan-records-disk.sh"}));

const char* const kScript = "make-orphan-records-disk.sh";
const char* const kImage = "orphan-records.vhd";

// The nameless records by the name each file had: "one.bin" and "two.bin" (nameless.txt).
std::map<std::string, uint32_t> NamelessRecords()
{
    std::map<std::string, uint32_t> records;
    std::istringstream lines(ReadTextFile(FixtureFile(kScript, "nameless.txt")));
    uint32_t number = 0;
    std::string name;
    while (lines >> number >> name)
        records[name] = number;
    return records;
}

// Where our save puts each file (comparable path) and where tsk_recover does: the loops' folders
// under "Lost Dir" (tsk_recover follows the live ones from the root's index, and keeps the deleted pair
// in "$OrphanFiles"), the nameless records there as "file" and their numbers (tsk_recover finds them
// through the links' folder, whose index still names them).
std::map<std::string, std::string> OursAndTheirs()
{
    std::map<std::string, std::string> paths = {{"/keep/keep.txt", "/keep/keep.txt"},
        {"/lost dir/selfish/s1.txt", "/selfish/s1.txt"}, {"/lost dir/selfish/s2.txt", "/selfish/s2.txt"},
        {"/lost dir/ping/p.txt", "/ping/p.txt"}, {"/lost dir/ping/pong/q.txt", "/ping/pong/q.txt"},
        {"/lost dir/gone/g.txt", "/$orphanfiles/gone/g.txt"},
        {"/lost dir/gone/back/b.txt", "/$orphanfiles/gone/back/b.txt"}};
    const std::map<std::string, uint32_t> nameless = NamelessRecords();
    paths["/lost dir/file" + std::to_string(nameless.at("one.bin"))] =
        "/links/one, a name long enough to fill the record sooner, link 09.bin";
    paths["/lost dir/file" + std::to_string(nameless.at("two.bin"))] =
        "/links/two, a name long enough to fill the record sooner, link 04.bin";
    return paths;
}

// The files a scan counts: the Quick Scan's MFT entries, the Extensive Scan's file records of the
// browsed volume.
uint32_t ListedFiles()
{
    if (g_nScanMode != kScanExtensive)
        return g_MftEntries.count;
    uint32_t files = 0;
    for (const NtfsFileRecord* r = g_NtfsFileRecords.head; r; r = r->next)
        files += r->sector > g_VolumeParams.clusterBase && r->sector <= g_VolumeParams.volumeEnd ? 1 : 0;
    return files;
}

class OrphanRecords : public BothScansDisk {
protected:
    // Saves the listed volume into `name`: every file counted is saved whole, and each of ours has
    // tsk_recover's bytes. Returns what was saved, by comparable path.
    std::map<std::string, fs::path> ExpectEveryFileSaved(const std::string& name)
    {
        const uint32_t listed = ListedFiles();
        const fs::path out = SaveAll(name);
        EXPECT_EQ(g_SaveReport.failedFiles + g_SaveReport.damagedFiles + g_SaveReport.skippedFiles, 0u);
        EXPECT_EQ(g_SaveReport.savedFiles, listed) << "every file counted is saved";
        const std::map<std::string, fs::path> ours = FilesBelow(out, false);
        const std::map<std::string, fs::path> theirs =
            FilesBelow(fs::u8path(FixtureFile(kScript, "orphans.recover")), false);
        std::map<std::string, fs::path> pairs, expected;
        for (const auto& [mine, sleuthkit] : OursAndTheirs()) {
            EXPECT_EQ(theirs.count(sleuthkit), 1u) << sleuthkit;
            if (ours.count(mine) && theirs.count(sleuthkit)) {
                pairs.emplace(mine, ours.at(mine));
                expected.emplace(mine, theirs.at(sleuthkit));
            } else {
                ADD_FAILURE() << "not saved: " << mine;
            }
        }
        ExpectSameBytes(pairs, expected);
        return ours;
    }
};

}  // namespace

TEST_P(OrphanRecords, FoldersWhoseParentsLoopAndNamelessFilesAreSavedUnderLostDir)
{
    ASSERT_FALSE(FixtureFolder(kScript).empty()) << "the disk was not built";
    Scan(FixtureFile(kScript, kImage), 0);
    const std::map<std::string, fs::path> ours = ExpectEveryFileSaved("out");
    // The records' own bytes, as they were written; no other record is taken for a nameless file.
    const fs::path lost = temp.Path() / "out" / "Lost Dir";
    std::set<std::string> inLostDir;
    for (const auto& [key, path] : ours) {
        if (key.rfind("/lost dir/", 0) == 0 && key.find('/', 10) == std::string::npos)
            inLostDir.insert(key);
    }
    std::set<std::string> nameless;
    for (const auto& [name, number] : NamelessRecords()) {
        nameless.insert("/lost dir/file" + std::to_string(number));
        EXPECT_TRUE(ReadWholeFile(lost / ("File" + std::to_string(number))) ==
            ReadWholeFile(FixtureFile(kScript, "written/" + name)))
            << name;
    }
    EXPECT_EQ(inLostDir, nameless);
}

TEST_P(OrphanRecords, ASnapshotWritesAndLoadsThem)
{
    ASSERT_FALSE(FixtureFolder(kScript).empty()) << "the disk was not built";
    Scan(FixtureFile(kScript, kImage), 0);
    const uint32_t listed = ListedFiles();
    const std::u16string path = ToPath16(temp.Path() / "orphans.srzq");
    ASSERT_TRUE(SaveSnapshotFile(path));

    const int32_t mode = g_nScanMode;
    ResetEngineState();
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kScript, kImage), disk));
    ASSERT_TRUE(LoadSnapshotFile(path)) << "refused as another volume's";
    ASSERT_EQ(g_nScanMode, mode);
    EXPECT_EQ(ListedFiles(), listed);
    ExpectEveryFileSaved("loaded");
}

INSTANTIATE_TEST_SUITE_P(Scans, OrphanRecords, ::testing::Values(ScanKind::kQuick, ScanKind::kExtensive), ScanKindName);

}  // namespace morvick::test
