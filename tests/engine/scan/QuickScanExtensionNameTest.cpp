// The NTFS Quick Scan over base records whose $FILE_NAME lies in an extension record, on a small
// volume in memory: the name is read from the record the attribute list names (a resident list or
// one in a cluster of its own), for $MFT itself too, and only from a record that still belongs to the
// file; a file that keeps its data and no name is listed by its number. And over an MFT whose record
// 0 claims a run far past the end of the disk, in a volume that claims as many sectors (a damaged
// boot sector and record 0, or a snapshot's block): nothing past the disk's end is tried record by
// record.
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

constexpr uint32_t kMftSector = 32;  // cluster 4 of 8 sectors
constexpr uint32_t kListCluster = 100;

void Put(std::vector<uint8_t>& raw, uint64_t sector, const std::vector<uint8_t>& bytes)
{
    PutBytes(raw, sector * 512, bytes.data(), bytes.size());
}

void PutRecord(std::vector<uint8_t>& raw, uint32_t number, const std::vector<uint8_t>& record)
{
    Put(raw, kMftSector + 2 * number, record);
}

// An attribute list's entries as they lie in a cluster.
std::vector<uint8_t> ListValue(const std::vector<MftRecordBuilder::ListEntry>& entries)
{
    std::vector<uint8_t> v;
    for (const MftRecordBuilder::ListEntry& e : entries) {
        std::vector<uint8_t> entry(32, 0);
        entry[0] = static_cast<uint8_t>(e.type);
        entry[4] = 32;
        for (int i = 0; i < 8; ++i)
            entry[8 + i] = static_cast<uint8_t>(e.startVcn >> (8 * i));
        for (int i = 0; i < 4; ++i)
            entry[16 + i] = static_cast<uint8_t>(e.record >> (8 * i));
        v.insert(v.end(), entry.begin(), entry.end());
    }
    return v;
}

struct Listed {
    std::u16string name;
    uint32_t number;
    uint32_t sector;
    uint32_t deleted;
    bool operator==(const Listed& o) const
    {
        return name == o.name && number == o.number && sector == o.sector && deleted == o.deleted;
    }
};

void PrintTo(const Listed& l, std::ostream* out)
{
    *out << std::string(l.name.begin(), l.name.end()) << " (record " << l.number << " at " << l.sector
         << (l.deleted ? ", deleted)" : ")");
}

// The highest sector the scan display was given as the current one.
class CurrentSectorObserver : public ScanObserver {
public:
    void OnCurrentSector(uint64_t sector) override { highest = std::max(highest, sector); }
    uint64_t highest = 0;
};

class QuickScanExtensionName : public ::testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }

    // The files listed of the volume of `raw`, of `partitionSectors` sectors (0: those of `raw`).
    std::vector<Listed> Scan(const std::vector<uint8_t>& raw, uint32_t partitionSectors = 0)
    {
        MemoryDisk disk(raw);
        EXPECT_TRUE(disk.Opened());
        VolumeParameterBlock& b = g_VolumeParams;
        b.chosenFileSystemType = b.browsedFileSystemType = FileSystemKind::kNtfs;
        b.partitionStart = 0;
        b.partitionSectors = partitionSectors != 0 ? partitionSectors : static_cast<uint32_t>(raw.size() / 512);
        b.partitionEnd = b.partitionSectors - 1;
        b.sectorsPerCluster = 8;
        b.clusterBase = 0;
        b.mftStart = kMftSector;
        b.sectorsPerMftRecord = 2;
        g_nScanMode = kScanQuick;
        ScanFinishedWord finished{0};
        QuickScanNtfs(finished);
        std::vector<Listed> files;
        for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next)
            files.push_back({r->name, r->recordNumber, r->dataRecordSector, r->deleted});
        return files;
    }
};

}  // namespace

TEST_F(QuickScanExtensionName, ANameInAnExtensionRecordNamesItsBaseRecordOnce)
{
    std::vector<uint8_t> raw(1024 * 512, 0);
    // $MFT: record 0 keeps its runs, its name went to record 16 (whose reference names record 0).
    PutRecord(raw, 0,
        MftRecordBuilder()
            .Numbered(0, 1)
            .AttributeList({{0x10, 0, 0}, {0x30, 0, 16}, {0x80, 0, 0}})
            .NonResident(0x80, {0x11, 0x20, 0x04, 0x00}, 32 * 4096)
            .Build());
    PutRecord(raw, 16, MftRecordBuilder().Numbered(16, 1).BaseRecord(0, 1).FileName(u"$MFT", 5, 3).Build());
    // Record 64: its attribute list outgrew the record and lies in a cluster of its own.
    PutRecord(raw, 64,
        MftRecordBuilder()
            .Numbered(64, 1)
            .NonResident(0x20, {0x11, 0x01, static_cast<uint8_t>(kListCluster), 0x00}, 96)
            .ResidentData({1, 2, 3, 4})
            .Build());
    Put(raw, kListCluster * 8, ListValue({{0x10, 0, 64}, {0x30, 0, 66}, {0x80, 0, 64}}));
    PutRecord(raw, 66, MftRecordBuilder().Numbered(66, 1).BaseRecord(64, 1).FileName(u"moved.txt", 5, 1).Build());
    // Record 70 was deleted; the record that held its name now holds the name of record 80. It keeps
    // its data, and is listed in "Lost Dir" under a name made from its number.
    PutRecord(raw, 70, MftRecordBuilder(0).Numbered(70, 3).AttributeList({{0x30, 0, 72}}).ResidentData({7}).Build());
    PutRecord(raw, 72, MftRecordBuilder().Numbered(72, 2).BaseRecord(80, 1).FileName(u"other.txt", 5, 1).Build());
    PutRecord(raw, 80, MftRecordBuilder().Numbered(80, 1).AttributeList({{0x30, 0, 72}}).ResidentData({8}).Build());
    // Record 90, deleted as Windows deletes: the name stays in its extension record 92.
    PutRecord(raw, 90, MftRecordBuilder(0).Numbered(90, 5).AttributeList({{0x30, 0, 92}}).ResidentData({9}).Build());
    PutRecord(raw, 92, MftRecordBuilder(0).Numbered(92, 2).BaseRecord(90, 4).FileName(u"gone.txt", 5, 1).Build());

    EXPECT_EQ(Scan(raw),
        (std::vector<Listed>{{u"$MFT", 0, kMftSector, 0}, {u"moved.txt", 64, kMftSector + 128, 0},
            {u"File70", 70, kMftSector + 140, 1}, {u"other.txt", 80, kMftSector + 160, 0},
            {u"gone.txt", 90, kMftSector + 180, 1}}));
    for (const MftEntryRecord* r = g_MftEntries.head; r; r = r->next)
        EXPECT_EQ(r->parentRecord, r->recordNumber == 70 ? kLostDirRecordNumber : 5u) << r->recordNumber;
}

TEST_F(QuickScanExtensionName, AnMftRunPastTheDisksEndIsNotReadRecordByRecord)
{
    std::vector<uint8_t> raw(1024 * 512, 0);
    // Record 0: 32 clusters from cluster 4, then 1,048,576 clusters from cluster 1,000 (sector 8,000),
    // all of them past the disk's end.
    PutRecord(raw, 0,
        MftRecordBuilder()
            .Numbered(0, 1)
            .FileName(u"$MFT", 5, 3)
            .NonResident(0x80, {0x11, 0x20, 0x04, 0x24, 0x00, 0x00, 0x10, 0x00, 0xE4, 0x03, 0x00},
                (32ull + 0x100000) * 4096)
            .Build());
    PutRecord(raw, 16, MftRecordBuilder().Numbered(16, 1).FileName(u"kept.txt", 5, 1).ResidentData({1, 2, 3}).Build());
    CurrentSectorObserver observer;
    ScanObserver* previous = SetScanObserver(&observer);
    const std::vector<Listed> files = Scan(raw, 0xFFFFFF00u);
    SetScanObserver(previous);
    EXPECT_EQ(files, (std::vector<Listed>{{u"$MFT", 0, kMftSector, 0}, {u"kept.txt", 16, kMftSector + 32, 0}}));
    EXPECT_LT(observer.highest, raw.size() / 512);
}
