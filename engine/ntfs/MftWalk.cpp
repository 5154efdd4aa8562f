#include "engine/ntfs/MftWalk.h"

#include "engine/ntfs/AttributeList.h"
#include "engine/ntfs/DataAttribute.h"
#include "engine/ntfs/MftRecord.h"

#include <algorithm>
#include <vector>

namespace morvick {

namespace {

// The runs of the unnamed $DATA of a fixed-up record, and that attribute's first virtual cluster. A run
// past the volume's `volumeClusters` (0: not known) is damage, as in every other run list read.
bool DataRuns(const uint8_t* record, uint64_t volumeClusters, std::vector<DataRun>& runs, uint64_t& lowestVcn)
{
    for (const MftAttribute& a : ListMftAttributes(record, kMftRecordSize)) {
        if (a.type != kAttrData || a.nameLength != 0 || !a.nonResident)
            continue;
        lowestVcn = a.lowestVcn;
        return DecodeRunList(record + a.offset + a.runListOffset, a.length - a.runListOffset, runs, volumeClusters);
    }
    return false;
}

}  // namespace

bool ReadMftRecordAt(SectorSource& disk, uint64_t sector, uint8_t* record)
{
    if (!disk.ReadSectors(sector, kSectorsPerMftRecord, record))
        return false;
    MftRecordHeader header;
    return ApplyMultiSectorFixups(record, kMftRecordSize) && ParseMftRecordHeader(record, kMftRecordSize, header);
}

bool MapRecordToSector(const SectorRunTable& mft, uint32_t number, uint64_t& sector)
{
    return MapRelativeSector(mft, static_cast<uint64_t>(number) * kSectorsPerMftRecord, sector);
}

bool MapSectorToRecord(const SectorRunTable& mft, uint64_t sector, uint32_t& number)
{
    uint64_t before = 0;
    for (size_t i = 0; i < mft.start.size(); ++i) {
        const uint64_t start = mft.start[i];
        if (start != 0 && sector >= start && sector - start < mft.length[i]) {
            const uint64_t relative = before + (sector - start);
            if (relative % kSectorsPerMftRecord != 0 || relative / kSectorsPerMftRecord > 0xFFFFFFFFu)
                return false;
            number = static_cast<uint32_t>(relative / kSectorsPerMftRecord);
            return true;
        }
        before += mft.length[i];
    }
    return false;
}

bool ReadMftRecordSectors(SectorSource& disk, const SectorRunTable& mft, uint32_t number, uint8_t* record)
{
    for (uint32_t i = 0; i < kSectorsPerMftRecord; ++i) {
        uint64_t sector = 0;
        if (!MapRelativeSector(mft, static_cast<uint64_t>(number) * kSectorsPerMftRecord + i, sector) ||
            !disk.ReadSectors(sector, 1, record + i * kSectorSize))
            return false;
    }
    return true;
}

std::vector<std::pair<uint32_t, uint64_t>> SplitMftRecords(const SectorRunTable& mft)
{
    std::vector<std::pair<uint32_t, uint64_t>> split;
    uint64_t before = 0;
    for (size_t i = 0; i + 1 < mft.start.size(); ++i) {
        before += mft.length[i];
        const uint64_t number = before / kSectorsPerMftRecord;
        if (before % kSectorsPerMftRecord != 0 && mft.start[i] != 0 && mft.start[i + 1] != 0 && number <= 0xFFFFFFFFu)
            split.emplace_back(static_cast<uint32_t>(number), mft.start[i] + mft.length[i] - 1);
    }
    return split;
}

bool ReadMftRecord(SectorSource& disk, const SectorRunTable& mft, uint32_t number, uint8_t* record)
{
    if (!ReadMftRecordSectors(disk, mft, number, record))
        return false;
    MftRecordHeader header;
    return ApplyMultiSectorFixups(record, kMftRecordSize) && ParseMftRecordHeader(record, kMftRecordSize, header);
}

bool ReadMftRecordFrom(SectorSource& disk, const SectorRunTable& mft, uint64_t sector, uint8_t* record, bool& mapped,
                       uint32_t& number)
{
    mapped = MapSectorToRecord(mft, sector, number);
    return mapped ? ReadMftRecord(disk, mft, number, record) : ReadMftRecordAt(disk, sector, record);
}

bool WalkMftRecords(SectorSource& disk, uint64_t base, uint64_t mftStart, uint32_t sectorsPerCluster,
    uint64_t volumeClusters, SectorRunTable& mft)
{
    mft = SectorRunTable();
    if (sectorsPerCluster == 0)
        return false;
    // No pass reads the root folder's record (5) first: record 0 starts the table afresh anyway, and
    // a damaged root record would end the walk there with the MFT unmapped.
    uint8_t record[kMftRecordSize];
    if (!ReadMftRecordAt(disk, mftStart, record))
        return false;
    std::vector<DataRun> runs;
    uint64_t lowestVcn = 0;
    // Its runs within the volume, as its list below: a damaged run past its end would map the MFT's records
    // to another volume's sectors.
    if (!DataRuns(record, volumeClusters, runs, lowestVcn) || lowestVcn != 0 ||
        !AppendRunsToTable(runs, base, sectorsPerCluster, mft))
        return false;

    NtfsClusterMap volume;
    volume.clusterBase = base;
    volume.sectorsPerCluster = sectorsPerCluster;
    // The list read within the volume: a damaged run past its end would map MFT records to another's sectors.
    volume.clusters = volumeClusters;
    std::vector<AttributeListEntry> extents;
    for (const AttributeListEntry& e : ReadAttributeList(disk, record, volume)) {
        if (e.type == kAttrData && e.record != 0 && e.startVcn != 0)
            extents.push_back(e);
    }
    std::sort(extents.begin(), extents.end(),
        [](const AttributeListEntry& a, const AttributeListEntry& b) { return a.startVcn < b.startVcn; });
    uint64_t lastVcn = 0;
    for (const AttributeListEntry& e : extents) {
        if (e.startVcn == lastVcn)
            continue;
        uint8_t extension[kMftRecordSize];
        uint64_t sector = 0;
        if (!MapRecordToSector(mft, e.record, sector))
            sector = mftStart + static_cast<uint64_t>(e.record) * kSectorsPerMftRecord;
        if (!ReadMftRecord(disk, mft, e.record, extension) && !ReadMftRecordAt(disk, sector, extension))
            break;
        std::vector<DataRun> more;
        uint64_t vcn = 0;
        // The extent must continue the table exactly where it ends (the extents are taken by first
        // cluster, not in list order): one out of place would map every later record to wrong sectors.
        if (!DataRuns(extension, volumeClusters, more, vcn) || vcn != e.startVcn ||
            vcn * sectorsPerCluster != mft.TotalSectors() || !AppendRunsToTable(more, base, sectorsPerCluster, mft))
            break;
        lastVcn = e.startVcn;
    }
    return true;
}

}  // namespace morvick
