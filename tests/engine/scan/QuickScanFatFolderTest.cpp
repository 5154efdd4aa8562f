// The Quick Scan's reading of FAT folders on a small FAT16 volume built sector by sector, in a
// dynamic VHD of one sector per block so that a single sector can be made unreadable (its block
// placed past the end of the file).
#include "engine/fat/FatDirectoryEntry.h"
#include "engine/save/EngineReset.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "tests/engine/scan/SmallFatVolume.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using morvick::test::SmallFatVolume;

class QuickScanFatFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineState();
        volume.PutEntry(SmallFatVolume::kRoot, 0, "AAA        ", 0x10, 2, 0);
        volume.PutEntry(SmallFatVolume::kRoot, 1, "BBB        ", 0x10, 3, 0);
        volume.PutFolder(2, 0, "AONE    TXT", "ATWO    TXT");
        volume.PutFolder(3, 0, "BONE    TXT", "BTWO    TXT");
    }
    void TearDown() override
    {
        SetCurrentVirtualDisk(nullptr);
        ResetEngineState();
    }

    // The names of the files the Quick Scan lists, with the sector `unreadable` unreadable.
    std::vector<std::string> ScanFileNames(uint32_t unreadable)
    {
        volume.Open(unreadable);
        ScanFinishedWord finished{0};
        QuickScanFat(finished);
        return morvick::test::ListedFatFileNames();
    }

    SmallFatVolume volume;
};

}  // namespace

// Without its first sector a folder cannot be told from whatever else its cluster may hold now: its
// other sectors are not read as entries. An unreadable later sector loses only its own entries.
TEST_F(QuickScanFatFolder, AFolderWhoseFirstSectorCannotBeReadIsSkipped)
{
    EXPECT_EQ(ScanFileNames(SmallFatVolume::FirstSector(3)), (std::vector<std::string>{"AONE.TXT", "ATWO.TXT"}));
    ResetEngineState();
    EXPECT_EQ(ScanFileNames(SmallFatVolume::FirstSector(3) + 1),
        (std::vector<std::string>{"AONE.TXT", "ATWO.TXT", "BONE.TXT"}));
}

namespace {

// A short entry of a folder that the FATs cut: its name, attributes and first cluster.
struct Listed {
    const char* name11;
    uint8_t attributes;
    uint16_t cluster;
};

// The live folder LIVE at cluster 20 in the root, whose chain the FATs cut: cluster 20, free in the
// FATs, is full and ends with the long name "Alpha folder" of the short entry that begins cluster 21,
// free too, which holds the entries `goesOn` (the first one that entry). The scan reads the root's
// other entries before it goes on into cluster 21.
void PutCutLiveFolder(SmallFatVolume& volume, const std::vector<Listed>& goesOn)
{
    volume.PutEntry(SmallFatVolume::kRoot, 0, "LIVE       ", 0x10, 20, 0);
    const uint32_t live = SmallFatVolume::FirstSector(20);
    volume.PutEntry(live, 0, ".          ", 0x10, 20, 0);
    volume.PutEntry(live, 1, "..         ", 0x10, 0, 0);
    for (size_t slot = 2; slot < 31; ++slot)
        volume.PutEntry(live + slot / 16, slot % 16, "\xE5UNUSED    ", 0x08, 0, 0);
    const uint64_t part = (uint64_t{live} + 1) * 512 + 15 * 32;
    const char16_t name[13] = u"Alpha folder";
    volume.raw[part] = 0x41;
    volume.raw[part + 11] = morvick::kFatAttrLongName;
    volume.raw[part + 13] = morvick::FatShortNameChecksum(reinterpret_cast<const uint8_t*>(goesOn.front().name11));
    for (size_t i = 0; i < 13; ++i) {
        const size_t at = i < 5 ? 1 + 2 * i : i < 11 ? 14 + 2 * (i - 5) : 28 + 2 * (i - 11);
        PutLittleEndian16(volume.raw, part + at, name[i]);
    }
    const uint32_t next = SmallFatVolume::FirstSector(21);
    for (size_t slot = 0; slot < goesOn.size(); ++slot) {
        volume.PutEntry(next, slot, goesOn[slot].name11, goesOn[slot].attributes, goesOn[slot].cluster, 0);
        PutLittleEndian16(volume.raw, uint64_t{next} * 512 + slot * 32 + 24, ((2024 - 1980) << 9) | (3 << 5) | 5);
    }
}

// The Quick Scan's files; those of `expected` missing from them.
std::vector<std::string> MissingAfterScan(SmallFatVolume& volume, const std::vector<std::string>& expected)
{
    volume.Open(0);
    ScanFinishedWord finished{0};
    QuickScanFat(finished);
    const std::vector<std::string> names = morvick::test::ListedFatFileNames();
    std::vector<std::string> missing;
    for (const std::string& file : expected) {
        if (std::find(names.begin(), names.end(), file) == names.end())
            missing.push_back(file);
    }
    return missing;
}

}  // namespace

// The folders that the entries found in free clusters list are all read, whichever folder record a
// live entry among them takes and moves to the list's tail.
class QuickScanCutChainFolders : public QuickScanFatFolder {
protected:
    void SetUp() override { ResetEngineState(); }
};

// The deleted folder OLD was the last folder the scan had read when the cut folder's entries went on
// into cluster 21, which lists ALPHA and BETA, then OLD again, live, and GAMMA: OLD's record moves
// after ALPHA's and BETA's, and all four are read next, not GAMMA alone.
TEST_F(QuickScanCutChainFolders, FoldersListedBeforeTheLastFolderReadMovedAreRead)
{
    volume.PutEntry(SmallFatVolume::kRoot, 1, "\xE5OLD       ", 0x10, 9, 0);
    PutCutLiveFolder(volume, {{"ALPHAF~1   ", 0x10, 5}, {"BETA       ", 0x10, 6}, {"OLD        ", 0x10, 9},
                                 {"GAMMA      ", 0x10, 7}});
    volume.PutFolder(5, 20, "AONE    TXT", "ATWO    TXT");
    volume.PutFolder(6, 20, "BONE    TXT", "BTWO    TXT");
    volume.PutFolder(7, 20, "GONE    TXT", "GTWO    TXT");
    volume.PutFolder(9, 20, "OONE    TXT", "OTWO    TXT");
    EXPECT_EQ(MissingAfterScan(volume, {"AONE.TXT", "ATWO.TXT", "BONE.TXT", "BTWO.TXT", "GONE.TXT", "GTWO.TXT"}),
        std::vector<std::string>{});
}

// Cluster 21 lists the deleted folder PRIOR, the live LIVE2 and the deleted OTHER. LIVE2, read live,
// lists PRIOR live again: PRIOR's record, the first of the three, moves to the tail, and the reading
// of the deleted folders still begins at the first of those added since (OTHER is read).
TEST_F(QuickScanCutChainFolders, TheDeletedFoldersAfterOneThatTheLivePassMovedAreRead)
{
    PutCutLiveFolder(volume, {{"ALPHAF~1TXT", 0x20, 0}, {"\xE5RIOR      ", 0x10, 11}, {"LIVE2      ", 0x10, 12},
                                 {"\xE5THER      ", 0x10, 13}});
    volume.PutFolder(11, 20, "PONE    TXT", "PTWO    TXT");
    volume.PutFolder(12, 20, "LONE    TXT", "LTWO    TXT");
    volume.PutEntry(SmallFatVolume::FirstSector(12), 3, "PRIOR      ", 0x10, 11, 0);
    volume.PutFolder(13, 20, "EONE    TXT", "ETWO    TXT");
    EXPECT_EQ(MissingAfterScan(volume, {"PONE.TXT", "PTWO.TXT", "LONE.TXT", "LTWO.TXT", "EONE.TXT", "ETWO.TXT"}),
        std::vector<std::string>{});
}
