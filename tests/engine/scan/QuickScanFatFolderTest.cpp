// The Quick Scan's reading of FAT folders on a small FAT16 volume built sector by sector, in a
// dynamic VHD of one sector per block so that a single sector can be made unreadable (its block
// placed past the end of the file).
#include "engine/save/EngineReset.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "tests/engine/scan/SmallFatVolume.h"

#include <gtest/gtest.h>

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
