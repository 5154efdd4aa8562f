// The NTFS Quick Scan over an MFT whose record 0 claims a run far past the end of a small disk, in a
// volume that claims as many sectors (a damaged boot sector and record 0, or a snapshot's block):
// the records the disk holds are listed, and nothing past its end is tried record by record.
#include "engine/ScanObserver.h"
#include "engine/save/EngineReset.h"
#include "engine/scan/QuickScan.h"
#include "engine/state/EngineState.h"
#include "tests/engine/ntfs/MftRecordBuilder.h"
#include "tests/engine/save/MemoryDisk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using morvick::test::MftRecordBuilder;

constexpr uint32_t kDiskSectors = 1024;
constexpr uint32_t kMftSector = 32;  // cluster 4 of 8 sectors

// The highest sector the scan display was given as the current one.
class CurrentSectorObserver : public ScanObserver {
public:
    void OnCurrentSector(uint64_t sector) override { highest = std::max(highest, sector); }
    uint64_t highest = 0;
};

}  // namespace

TEST(QuickScanMftPastDisk, ARunPastTheDisksEndIsNotReadRecordByRecord)
{
    ResetEngineState();
    std::vector<uint8_t> raw(size_t{kDiskSectors} * 512, 0);
    // Record 0: 32 clusters from cluster 4, then 1,048,576 clusters from cluster 1,000 (sector 8,000),
    // all of them past the disk's end.
    const std::vector<uint8_t> mft = MftRecordBuilder()
                                         .Numbered(0, 1)
                                         .FileName(u"$MFT", 5, 3)
                                         .NonResident(0x80, {0x11, 0x20, 0x04, 0x24, 0x00, 0x00, 0x10, 0x00, 0xE4, 0x03, 0x00},
                                             (32ull + 0x100000) * 4096)
                                         .Build();
    PutBytes(raw, uint64_t{kMftSector} * 512, mft.data(), mft.size());
    const std::vector<uint8_t> kept =
        MftRecordBuilder().Numbered(16, 1).FileName(u"kept.txt", 5, 1).ResidentData({1, 2, 3}).Build();
    PutBytes(raw, (uint64_t{kMftSector} + 2 * 16) * 512, kept.data(), kept.size());

    MemoryDisk disk(raw);
    ASSERT_TRUE(disk.Opened());
    CurrentSectorObserver observer;
    ScanObserver* previous = SetScanObserver(&observer);
    VolumeParameterBlock& b = g_VolumeParams;
    b.chosenFileSystemType = b.browsedFileSystemType = FileSystemKind::kNtfs;
    b.partitionSectors = 0xFFFFFF00u;
    b.partitionEnd = b.partitionSectors - 1;
    b.sectorsPerCluster = 8;
    b.mftStart = kMftSector;
    b.sectorsPerMftRecord = 2;
    g_nScanMode = kScanQuick;
    ScanFinishedWord finished{0};
    QuickScanNtfs(finished);
    SetScanObserver(previous);

    std::vector<std::u16string> names;
    for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next)
        names.push_back(r->name);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"$MFT", u"kept.txt"}));
    EXPECT_LT(observer.highest, kDiskSectors);
    ResetEngineState();
}
