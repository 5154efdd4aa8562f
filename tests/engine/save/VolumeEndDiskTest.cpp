// Saving from images that end elsewhere than their volumes, after a Quick Scan and after an Extensive
// Scan. A cut image gives what it still holds of a file and zeros past the cut, reported as damaged.
// On an image far larger than its volumes, a run that reaches past its volume is not saved from
// (though the image holds its clusters), a FAT size beyond the volume is cut at the volume's end, and
// the files beside them come back whole.
#include "engine/extensive/ExtensiveScan.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FoundVolumeScan.h"
#include "engine/save/EngineReset.h"
#include "engine/save/FileFilters.h"
#include "engine/save/FolderTreeSave.h"
#include "engine/save/SaveState.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "tests/engine/diskfixtures/DiskFixture.h"
#include "tests/engine/diskfixtures/SavedFiles.h"
#include "tests/engine/diskfixtures/SizeGuard.h"
#include "tests/engine/save/TempFolder.h"
#include "tests/engine/scan/ScanFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace fs = std::filesystem;

namespace morvick::test {

namespace {

static auto* const g_disks =
    ::testing::AddGlobalTestEnvironment(new DiskFixtureEnvironment({"make-volume-end-disks.sh"}));

const char* const kScript = "make-volume-end-disks.sh";

enum class ScanKind { kQuick, kExtensive };

const char* KindName(ScanKind kind)
{
    return kind == ScanKind::kQuick ? "quick" : "extensive";
}

class VolumeEndDisk : public ::testing::Test {
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
        ResetExtensiveScanState();
    }

    // Lists the volume of partition `index`: by its Quick Scan, or by an Extensive Scan from the
    // partition's start to the image's end, choosing the found volume that lies in the partition.
    void List(ScanKind kind, uint32_t index)
    {
        ASSERT_TRUE(ChooseFixturePartition(index));
        const PartitionTableEntry p = g_PartitionTable[index];
        m_volumeBytes = uint64_t{p.sectorCount} * 512;
        if (kind == ScanKind::kQuick) {
            ASSERT_TRUE(QuickScanPartition(index));
            return;
        }
        g_nScanMode = kScanExtensive;
        const uint64_t diskSectors = disk.GetDiskSize() / 512;
        ASSERT_GT(diskSectors, p.startSector);
        g_VolumeParams.partitionSectors = static_cast<uint32_t>(diskSectors - p.startSector);
        g_VolumeParams.partitionEnd = static_cast<uint32_t>(diskSectors - 1);
        ScanFinishedWord finished{0};
        RunExtensiveScan(finished);
        uint16_t number = 0, position = 0;
        for (const FoundPartitionRecord* r = g_FoundPartitions.head; r; r = r->next) {
            ++position;
            if (r->clusterBase >= p.startSector && r->clusterBase < p.startSector + p.sectorCount)
                number = position;
        }
        ASSERT_NE(number, 0) << "no volume found in partition " << index;
        ASSERT_TRUE(ChooseFoundVolume(number));
        RunFoundVolumeScan(finished);
    }

    // Saves the listed volume whole into a new folder and returns it. A file that grows past the
    // volume's size is skipped (the test stays bounded), and that is a failure.
    fs::path SaveAll(const std::string& name)
    {
        const fs::path target = temp.Path() / name;
        ResetSaveState();
        SizeGuard guard(m_volumeBytes);
        SaveWholeVolume(ToPath16(target));
        EXPECT_EQ(guard.outgrown, std::vector<std::string>()) << name;
        EXPECT_EQ(g_SaveReport.skippedFiles, 0u) << name;
        for (const auto& [key, path] : FilesBelow(target, false))
            EXPECT_LE(fs::file_size(path), m_volumeBytes) << name << key;
        return target;
    }

    CVirtualDisk disk;
    TempFolder temp;

private:
    uint64_t m_volumeBytes = 0;
};

// The one file called `name` (any case) below `root`; empty when there is none.
fs::path SavedFile(const fs::path& root, const std::string& name)
{
    fs::path found;
    for (const auto& [key, path] : FilesBelow(root, false)) {
        if (ComparablePath(path.filename(), false) == ComparablePath(fs::u8path(name), false)) {
            EXPECT_TRUE(found.empty()) << name << " is saved twice";
            found = path;
        }
    }
    return found;
}

// True when the file called `name` below `root` holds the bytes of the fixture's `file`.
bool SavedAs(const fs::path& root, const std::string& name, const std::string& file)
{
    const fs::path saved = SavedFile(root, name);
    return !saved.empty() && ReadWholeFile(saved) == ReadWholeFile(fs::u8path(FixtureFile(kScript, file)));
}

}  // namespace

TEST_F(VolumeEndDisk, ACutImageGivesWhatItHoldsOfAFileAndZerosPastTheCut)
{
    // NTFS: big.bin lies in one run, half of it past the cut; FAT: BIG.BIN the same, and TAIL.TXT
    // lies wholly past the cut. The fixture writes each such file as it reads from the cut image.
    struct Case {
        const char* image;
        const char* cutFolder;
        std::vector<std::string> names;
    };
    const Case cases[] = {{"cut.vhd", "cut", {"notes.txt", "big.bin", "tail.txt"}},
        {"cut-fat.vhd", "cut-fat", {"NOTES.TXT", "BIG.BIN", "TAIL.TXT"}}};
    ASSERT_FALSE(FixtureFolder(kScript).empty());
    for (const Case& c : cases) {
        for (ScanKind kind : {ScanKind::kQuick, ScanKind::kExtensive}) {
            SCOPED_TRACE(std::string(c.image) + " " + KindName(kind));
            ASSERT_TRUE(OpenFixtureImage(FixtureFile(kScript, c.image), disk));
            List(kind, 0);
            if (HasFatalFailure())
                return;
            const fs::path target = SaveAll(std::string(c.cutFolder) + "-" + KindName(kind));
            EXPECT_EQ(g_SaveReport.failedFiles, 0u);
            uint32_t cut = 0;
            for (const std::string& name : c.names) {
                const std::string asCut = std::string(c.cutFolder) + "/" + name;
                const bool wasCut = fs::exists(fs::u8path(FixtureFile(kScript, asCut)));
                cut += wasCut;
                EXPECT_TRUE(SavedAs(target, name, wasCut ? asCut : "files/" + name)) << name;
                EXPECT_EQ(Listed(g_SaveReport.damagedPaths, fs::u8path(name).u16string()), wasCut) << name;
            }
            EXPECT_GE(cut, 1u);
            SetCurrentVirtualDisk(nullptr);
        }
    }
}

TEST_F(VolumeEndDisk, OnAnImageFarLargerThanItsVolumesNothingIsSavedFromPastAVolume)
{
    // NTFS: big.bin's one run claims 32,767 clusters (128 MiB) of the 32 MiB volume, all of them
    // inside the 1 GiB image, and its sizes read 1 TiB; hole.bin is one sparse run of 2^40 clusters,
    // its sizes 1 TiB. FAT: BIG.BIN's entry says 0xFFFFFF00 bytes.
    ASSERT_FALSE(FixtureFolder(kScript).empty());
    for (ScanKind kind : {ScanKind::kQuick, ScanKind::kExtensive}) {
        SCOPED_TRACE(KindName(kind));
        ASSERT_TRUE(OpenFixtureImage(FixtureFile(kScript, "large.vhd"), disk));
        ASSERT_EQ(g_nPartitionCount, 2u);

        List(kind, 0);
        if (HasFatalFailure())
            return;
        fs::path target = SaveAll(std::string("ntfs-") + KindName(kind));
        EXPECT_TRUE(SavedFile(target, "big.bin").empty());
        EXPECT_EQ(g_SaveReport.failedNames, std::vector<std::u16string>{u"big.bin"});
        for (const std::string name : {"notes.txt", "tail.txt"})
            EXPECT_TRUE(SavedAs(target, name, "files/" + name)) << name;
        // Zeros up to the volume's size at the most (the guard above holds it there), reported.
        const std::string hole = ReadWholeFile(SavedFile(target, "hole.bin"));
        EXPECT_GT(hole.size(), 0u);
        EXPECT_EQ(hole.find_first_not_of('\0'), std::string::npos);
        EXPECT_EQ(g_SaveReport.damagedFiles, 1u);
        EXPECT_TRUE(Listed(g_SaveReport.damagedPaths, u"hole.bin"));

        List(kind, 1);
        if (HasFatalFailure())
            return;
        target = SaveAll(std::string("fat-") + KindName(kind));
        EXPECT_EQ(g_SaveReport.failedFiles, 0u);
        EXPECT_TRUE(SavedAs(target, "NEXT.TXT", "files/NEXT.TXT"));
        // Its clusters up to the volume's end, its own bytes first; reported as damaged.
        const std::string big = ReadWholeFile(SavedFile(target, "BIG.BIN"));
        const std::string written = ReadWholeFile(fs::u8path(FixtureFile(kScript, "files/DAMAGED.BIN")));
        EXPECT_GT(big.size(), written.size());
        EXPECT_TRUE(big.compare(0, written.size(), written) == 0);
        EXPECT_TRUE(Listed(g_SaveReport.damagedPaths, u"BIG.BIN"));
        SetCurrentVirtualDisk(nullptr);
    }
}

TEST_F(VolumeEndDisk, AQuickScanAfterAnExtensiveScanBoundsItsVolumeByItsPartition)
{
    // The wizard chooses a partition by its start, size and type alone: the block still holds the
    // end of the volume that an earlier Extensive Scan chose, here one inside this partition.
    ASSERT_FALSE(FixtureFolder(kScript).empty());
    ASSERT_TRUE(OpenFixtureImage(FixtureFile(kScript, "large.vhd"), disk));
    ASSERT_TRUE(ChooseFixturePartition(0));
    g_VolumeParams.volumeEnd = g_VolumeParams.partitionStart + 1024;
    g_VolumeParams.volumeNumber = 1;
    g_nScanMode = kScanQuick;
    ScanFinishedWord finished{0};
    ASSERT_EQ(RunQuickScan(finished), QuickScanResult::kCompleted);
    const fs::path target = temp.Path() / "after-extensive";
    SaveWholeVolume(ToPath16(target));
    EXPECT_EQ(g_SaveReport.failedNames, std::vector<std::u16string>{u"big.bin"});
    for (const std::string name : {"notes.txt", "tail.txt"})
        EXPECT_TRUE(SavedAs(target, name, "files/" + name)) << name;
}

}  // namespace morvick::test
