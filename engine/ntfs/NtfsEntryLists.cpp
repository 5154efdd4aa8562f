#include "engine/ntfs/NtfsEntryLists.h"

#include "engine/ntfs/FoundMftRecord.h"
#include "engine/ntfs/IndexRecord.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/state/EngineState.h"
#include "engine/volume/EngineSectorSource.h"

#include <cstring>
#include <vector>

morvick::SectorRunTable g_MftRunTable;

int WalkMftRecords(uint32_t base, uint32_t mftStart, uint32_t sectorsPerCluster)
{
    morvick::EngineSectorSource disk;
    if (morvick::WalkMftRecords(disk, base, mftStart, sectorsPerCluster, g_MftRunTable))
        return 1;
    FreeMftRunTable();
    return 0;
}

int MapVcnToLcn(uint32_t number, uint64_t& sector)
{
    return morvick::MapRecordToSector(g_MftRunTable, number, sector) ? 1 : 0;
}

void FreeMftRunTable()
{
    g_MftRunTable = morvick::SectorRunTable();
}

MftEntryRecord* AppendMftEntry(uint32_t dataRecordSector, const std::u16string& name, uint32_t recordNumber,
    uint32_t parentRecord, uint64_t creationTime, uint64_t changeTime, uint32_t deleted, uint64_t size)
{
    return AppendNamedRecord(g_MftEntries, name, [&](MftEntryRecord& r) {
        r.recordNumber = recordNumber;
        r.parentRecord = parentRecord;
        SetRecordTimes(r, creationTime, changeTime);
        SetRecordSize(r, size);
        r.deleted = deleted;
        r.dataRecordSector = dataRecordSector;
    });
}

NtfsFolderRecord* AppendNtfsFolder(const std::u16string& name, uint32_t recordNumber, uint32_t parentRecord,
    uint64_t creationTime, uint64_t changeTime, uint32_t treeItem, uint32_t deleted)
{
    if (g_nScanMode == kScanExtensive) {
        for (NtfsFolderRecord* f = g_NtfsFolders.head; f; f = f->next) {
            if (f->recordNumber == recordNumber)
                return f;
        }
    }
    return AppendNewNtfsFolder(name, recordNumber, parentRecord, creationTime, changeTime, treeItem, deleted);
}

NtfsFolderRecord* AppendNewNtfsFolder(const std::u16string& name, uint32_t recordNumber, uint32_t parentRecord,
    uint64_t creationTime, uint64_t changeTime, uint32_t treeItem, uint32_t deleted)
{
    return AppendNamedRecord(g_NtfsFolders, name, [&](NtfsFolderRecord& r) {
        r.recordNumber = recordNumber;
        r.parentRecord = parentRecord;
        SetRecordTimes(r, creationTime, changeTime);
        r.treeItem = treeItem;
        r.deleted = deleted;
    });
}

int ProcessFoundMftRecord(uint32_t sector)
{
    morvick::EngineSectorSource disk;
    uint8_t record[morvick::kMftRecordSize];
    if (!disk.ReadSectors(sector, morvick::kSectorsPerMftRecord, record))
        return 0;
    return ProcessFoundMftRecordBytes(sector, record);
}

int ProcessFoundMftRecordBytes(uint32_t sector, const uint8_t* bytes)
{
    uint8_t record[morvick::kMftRecordSize];
    std::memcpy(record, bytes, sizeof record);
    morvick::MftRecordHeader header;
    morvick::FoundMftRecord found;
    if (!morvick::ApplyMultiSectorFixups(record, sizeof record) ||
        !morvick::ParseMftRecordHeader(record, sizeof record, header) ||
        !morvick::DecodeFoundMftRecord(record, sizeof record, found))
        return 0;
    const uint32_t deleted = found.deleted ? 1 : 0;
    if (!found.folder) {
        return AppendNamedRecord(g_NtfsFileRecords, found.name,
                   [&](NtfsFileRecord& r) {
                       r.sector = sector;
                       r.parentRecord = found.parent;
                       SetRecordTimes(r, found.creationTime, found.changeTime);
                       SetRecordSize(r, found.size);
                       r.deleted = deleted;
                   })
            ? 1
            : 0;
    }
    return AppendNamedRecord(g_FoundNtfsRecords, found.name,
               [&](FoundNtfsRecord& r) {
                   r.sector = sector;
                   r.parentRecord = found.parent;
                   r.recordNumber = found.ownNumber;
                   SetRecordTimes(r, found.creationTime, found.changeTime);
                   r.indexFirstCluster = found.indexAllocationCluster > 0xFFFFFFFFu
                       ? 0
                       : static_cast<uint32_t>(found.indexAllocationCluster);
                   r.deleted = deleted;
               })
        ? 1
        : 0;
}

int AppendIndexRecord(uint32_t sector, const uint8_t* header, size_t length)
{
    const uint32_t size = morvick::IndexRecordSize(header, length);
    if (size == 0)
        return 0;
    std::vector<uint8_t> record(size);
    morvick::EngineSectorSource disk;
    if (length >= size)
        std::memcpy(record.data(), header, size);
    else if (!disk.ReadSectors(sector, size / kSectorSize, record.data()))
        return 0;
    morvick::IndexRecordInfo info;
    if (!morvick::ParseIndexRecord(record.data(), record.size(), info))
        return 0;
    IndexRecordNode* node = NewRecord<IndexRecordNode>();
    if (!node)
        return 0;
    node->sector = sector;
    node->ownerRecord = info.owner;
    node->vcn = info.vcn;
    node->mark = kIndexRecordUnmarked;
    node->sectors = info.sectors;
    AppendRecord(g_IndexRecords, node);
    return 1;
}
