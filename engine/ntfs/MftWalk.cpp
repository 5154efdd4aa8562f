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
bool DataRuns(const uint8_t* record, size_t length, uint64_t volumeClusters, std::vector<DataRun>& runs,
    uint64_t& lowestVcn)
{
    for (const MftAttribute& a : ListMftAttributes(record, length)) {
        if (a.type != kAttrData || a.nameLength != 0 || !a.nonResident)
            continue;
        lowestVcn = a.lowestVcn;
        return DecodeRunList(record + a.offset + a.runListOffset, a.length - a.runListOffset, runs, volumeClusters);
    }
    return false;
}

// The table's record size (one the engine reads), by which numbers map onto sectors, not 2 sectors
// always: on a volume of 4,096-byte records every record was looked for at a quarter of its place.
uint32_t RecordSectors(const SectorRunTable& mft)
{
    return UsableSectorsPerMftRecord(mft.recordSectors);
}

}  // namespace

SectorRunTable EmptyMftRunTable(uint32_t recordSectors)
{
    SectorRunTable table;
    table.recordSectors = UsableSectorsPerMftRecord(recordSectors);
    return table;
}

bool ReadMftRecordAt(SectorSource& disk, uint64_t sector, uint32_t recordSectors, uint8_t* record)
{
    recordSectors = UsableSectorsPerMftRecord(recordSectors);
    if (!disk.ReadSectors(sector, recordSectors, record))
        return false;
    const size_t length = size_t{recordSectors} * kSectorSize;
    MftRecordHeader header;
    return ApplyMultiSectorFixups(record, length) && ParseMftRecordHeader(record, length, header);
}

bool MapRecordToSector(const SectorRunTable& mft, uint32_t number, uint64_t& sector)
{
    return MapRelativeSector(mft, static_cast<uint64_t>(number) * RecordSectors(mft), sector);
}

bool MapSectorToRecord(const SectorRunTable& mft, uint64_t sector, uint32_t& number)
{
    uint64_t before = 0;
    for (size_t i = 0; i < mft.start.size(); ++i) {
        const uint64_t start = mft.start[i];
        if (start != 0 && sector >= start && sector - start < mft.length[i]) {
            const uint64_t relative = before + (sector - start);
            const uint32_t recordSectors = RecordSectors(mft);
            if (relative % recordSectors != 0 || relative / recordSectors > 0xFFFFFFFFu)
                return false;
            number = static_cast<uint32_t>(relative / recordSectors);
            return true;
        }
        before += mft.length[i];
    }
    return false;
}

bool ReadMftRecordSectors(SectorSource& disk, const SectorRunTable& mft, uint32_t number, uint8_t* record)
{
    const uint32_t recordSectors = RecordSectors(mft);
    for (uint32_t i = 0; i < recordSectors; ++i) {
        uint64_t sector = 0;
        if (!MapRelativeSector(mft, static_cast<uint64_t>(number) * recordSectors + i, sector) ||
            !disk.ReadSectors(sector, 1, record + i * kSectorSize))
            return false;
    }
    return true;
}

std::vector<std::pair<uint32_t, uint64_t>> SplitMftRecords(const SectorRunTable& mft)
{
    std::vector<std::pair<uint32_t, uint64_t>> split;
    const uint32_t recordSectors = RecordSectors(mft);
    uint64_t before = 0;
    for (size_t i = 0; i + 1 < mft.start.size(); ++i) {
        before += mft.length[i];
        const uint64_t number = before / recordSectors;
        uint64_t first = 0;
        if (before % recordSectors != 0 && mft.start[i + 1] != 0 && number <= 0xFFFFFFFFu &&
            MapRelativeSector(mft, number * recordSectors, first))
            split.emplace_back(static_cast<uint32_t>(number), first);
    }
    return split;
}

bool ReadMftRecord(SectorSource& disk, const SectorRunTable& mft, uint32_t number, uint8_t* record)
{
    if (!ReadMftRecordSectors(disk, mft, number, record))
        return false;
    const size_t length = size_t{RecordSectors(mft)} * kSectorSize;
    MftRecordHeader header;
    return ApplyMultiSectorFixups(record, length) && ParseMftRecordHeader(record, length, header);
}

bool ReadMftRecordFrom(SectorSource& disk, const SectorRunTable& mft, uint64_t sector, uint8_t* record, bool& mapped,
                       uint32_t& number)
{
    mapped = MapSectorToRecord(mft, sector, number);
    return mapped ? ReadMftRecord(disk, mft, number, record)
                  : ReadMftRecordAt(disk, sector, RecordSectors(mft), record);
}

bool WalkMftRecords(SectorSource& disk, uint64_t base, uint64_t mftStart, uint32_t sectorsPerCluster,
    uint32_t recordSectors, uint64_t volumeClusters, SectorRunTable& mft)
{
    mft = EmptyMftRunTable(recordSectors);
    recordSectors = mft.recordSectors;
    const size_t length = size_t{recordSectors} * kSectorSize;
    if (sectorsPerCluster == 0)
        return false;
    // No pass reads the root folder's record (5) first: record 0 starts the table afresh anyway, and
    // a damaged root record would end the walk there with the MFT unmapped.
    uint8_t record[kLargestMftRecordSize];
    if (!ReadMftRecordAt(disk, mftStart, recordSectors, record))
        return false;
    std::vector<DataRun> runs;
    uint64_t lowestVcn = 0;
    // Its runs within the volume, as its list below: a damaged run past its end would map the MFT's records
    // to another volume's sectors.
    if (!DataRuns(record, length, volumeClusters, runs, lowestVcn) || lowestVcn != 0 ||
        !AppendRunsToTable(runs, base, sectorsPerCluster, mft))
        return false;

    NtfsClusterMap volume;
    volume.clusterBase = base;
    volume.sectorsPerCluster = sectorsPerCluster;
    // The list read within the volume: a damaged run past its end would map MFT records to another's sectors.
    volume.clusters = volumeClusters;
    std::vector<AttributeListEntry> extents;
    for (const AttributeListEntry& e : ReadAttributeList(disk, record, length, volume)) {
        if (e.type == kAttrData && e.record != 0 && e.startVcn != 0)
            extents.push_back(e);
    }
    std::sort(extents.begin(), extents.end(),
        [](const AttributeListEntry& a, const AttributeListEntry& b) { return a.startVcn < b.startVcn; });
    uint64_t lastVcn = 0;
    for (const AttributeListEntry& e : extents) {
        if (e.startVcn == lastVcn)
            continue;
        uint8_t extension[kLargestMftRecordSize];
        uint64_t sector = 0;
        if (!MapRecordToSector(mft, e.record, sector))
            sector = mftStart + static_cast<uint64_t>(e.record) * recordSectors;
        if (!ReadMftRecord(disk, mft, e.record, extension) && !ReadMftRecordAt(disk, sector, recordSectors, extension))
            break;
        std::vector<DataRun> more;
        uint64_t vcn = 0;
        // The extent must continue the table exactly where it ends (the extents are taken by first
        // cluster, not in list order): one out of place would map every later record to wrong sectors.
        if (!DataRuns(extension, length, volumeClusters, more, vcn) || vcn != e.startVcn ||
            vcn * sectorsPerCluster != mft.TotalSectors() || !AppendRunsToTable(more, base, sectorsPerCluster, mft))
            break;
        lastVcn = e.startVcn;
    }
    return true;
}

}  // namespace morvick
