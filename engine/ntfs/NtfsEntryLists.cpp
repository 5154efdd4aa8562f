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

namespace {
uint32_t Low(uint64_t v)
{
    return static_cast<uint32_t>(v);
}
uint32_t High(uint64_t v)
{
    return static_cast<uint32_t>(v >> 32);
}
}  // namespace

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
                               uint32_t parentRecord, uint64_t creationTime, uint64_t changeTime, uint32_t deleted,
                               uint64_t size)
{
    MftEntryRecord* r = NewRecord<MftEntryRecord>();
    if (!r)
        return nullptr;
    r->name = CopyRecordName(name);
    if (!r->name) {
        FreeRecord(r);
        return nullptr;
    }
    r->recordNumber = recordNumber;
    r->parentRecord = parentRecord;
    r->creationTimeLow = Low(creationTime);
    r->creationTimeHigh = High(creationTime);
    r->changeTimeLow = Low(changeTime);
    r->changeTimeHigh = High(changeTime);
    r->sizeLow = Low(size);
    r->sizeHigh = High(size);
    r->deleted = deleted;
    r->dataRecordSector = dataRecordSector;
    AppendRecord(g_MftEntries, r);
    return r;
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
    NtfsFolderRecord* r = NewRecord<NtfsFolderRecord>();
    if (!r)
        return nullptr;
    r->name = CopyRecordName(name);
    if (!r->name) {
        FreeRecord(r);
        return nullptr;
    }
    r->recordNumber = recordNumber;
    r->parentRecord = parentRecord;
    r->creationTimeLow = Low(creationTime);
    r->creationTimeHigh = High(creationTime);
    r->changeTimeLow = Low(changeTime);
    r->changeTimeHigh = High(changeTime);
    r->treeItem = treeItem;
    r->deleted = deleted;
    AppendRecord(g_NtfsFolders, r);
    return r;
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
        NtfsFileRecord* r = NewRecord<NtfsFileRecord>();
        if (!r)
            return 0;
        r->name = CopyRecordName(found.name);
        if (!r->name) {
            FreeRecord(r);
            return 0;
        }
        r->sector = sector;
        r->parentRecord = found.parent;
        r->creationTimeLow = Low(found.creationTime);
        r->creationTimeHigh = High(found.creationTime);
        r->changeTimeLow = Low(found.changeTime);
        r->changeTimeHigh = High(found.changeTime);
        r->sizeLow = Low(found.size);
        r->sizeHigh = High(found.size);
        r->deleted = deleted;
        AppendRecord(g_NtfsFileRecords, r);
        return 1;
    }
    FoundNtfsRecord* r = NewRecord<FoundNtfsRecord>();
    if (!r)
        return 0;
    r->name = CopyRecordName(found.name);
    if (!r->name) {
        FreeRecord(r);
        return 0;
    }
    r->sector = sector;
    r->parentRecord = found.parent;
    r->recordNumber = found.ownNumber;
    r->creationTimeLow = Low(found.creationTime);
    r->creationTimeHigh = High(found.creationTime);
    r->changeTimeLow = Low(found.changeTime);
    r->changeTimeHigh = High(found.changeTime);
    r->indexFirstCluster = found.indexAllocationCluster > 0xFFFFFFFFu ? 0 : Low(found.indexAllocationCluster);
    r->deleted = deleted;
    AppendRecord(g_FoundNtfsRecords, r);
    return 1;
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
    else if (!disk.ReadSectors(sector, size / morvick::kSectorSize, record.data()))
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
