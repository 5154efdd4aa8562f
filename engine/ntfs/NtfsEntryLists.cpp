#include "engine/ntfs/NtfsEntryLists.h"

#include "engine/ntfs/ExtensionNames.h"
#include "engine/ntfs/FoundMftRecord.h"
#include "engine/ntfs/IndexRecord.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/ntfs/MftWalk.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundRecordReferences.h"
#include "engine/state/VolumeEnd.h"
#include "engine/volume/EngineSectorSource.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

morvick::SectorRunTable g_MftRunTable;

namespace {

uint32_t ChosenMftRecordSectors()
{
    return morvick::UsableSectorsPerMftRecord(g_VolumeParams.sectorsPerMftRecord);
}

}  // namespace

uint32_t CurrentMftRecordSectors()
{
    return morvick::UsableSectorsPerMftRecord(g_MftRunTable.recordSectors);
}

size_t CurrentMftRecordBytes()
{
    return size_t{CurrentMftRecordSectors()} * kSectorSize;
}

int WalkMftRecords(uint32_t base, uint32_t mftStart, uint32_t sectorsPerCluster)
{
    morvick::EngineSectorSource disk;
    if (morvick::WalkMftRecords(disk, base, mftStart, sectorsPerCluster, ChosenMftRecordSectors(),
            ChosenVolumeClusters(disk), g_MftRunTable))
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
    g_MftRunTable = morvick::EmptyMftRunTable(ChosenMftRecordSectors());
}

std::vector<morvick::AttributeListEntry> ReadAttributeListEntries(const uint8_t* record)
{
    morvick::EngineSectorSource disk;
    const VolumeParameterBlock& b = g_VolumeParams;
    morvick::NtfsClusterMap volume;
    volume.clusterBase = b.clusterBase;
    volume.sectorsPerCluster = b.sectorsPerCluster;
    volume.clusters = ChosenVolumeClusters(disk);
    return morvick::ReadAttributeList(disk, record, CurrentMftRecordBytes(), volume);
}

namespace {

// True when the record holds the unnamed $DATA from its first virtual cluster on.
bool HoldsFirstDataPiece(const uint8_t* record)
{
    for (const morvick::MftAttribute& a : morvick::ListMftAttributes(record, CurrentMftRecordBytes())) {
        if (a.type == morvick::kAttrData && a.nameLength == 0)
            return !a.nonResident || a.lowestVcn == 0;
    }
    return false;
}

}  // namespace

bool ReadFirstDataExtension(const uint8_t* record, const morvick::MftRecordHeader& header, uint32_t number,
    uint64_t& sector, uint8_t* extension)
{
    // Records looked at: a hostile list may name any number of them.
    constexpr size_t kMaxTried = 64;
    morvick::EngineSectorSource disk;
    std::vector<uint32_t> tried;
    for (const morvick::AttributeListEntry& e : ReadAttributeListEntries(record)) {
        if (e.type != morvick::kAttrData || e.startVcn != 0 || e.record == number ||
            std::find(tried.begin(), tried.end(), e.record) != tried.end())
            continue;
        if (tried.size() >= kMaxTried)
            break;
        tried.push_back(e.record);
        morvick::MftRecordHeader other;
        // Read through the runs, each sector where its run puts it (a record may lie split across two),
        // and proven by the number it keeps: a record at another's place is no extension of this file.
        if (MapVcnToLcn(e.record, sector) && morvick::ReadMftRecord(disk, g_MftRunTable, e.record, extension) &&
            morvick::ParseMftRecordHeader(extension, CurrentMftRecordBytes(), other) &&
            (!other.numbered || other.number == e.record) && morvick::IsExtensionRecordOf(other, number, header) &&
            HoldsFirstDataPiece(extension))
            return true;
    }
    return false;
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

uint32_t FoundMftRecordSectors(const uint8_t* firstSector)
{
    morvick::MftRecordHeader header;
    return morvick::ParseMftRecordHeader(firstSector, kSectorSize, header) ? morvick::MftRecordSectorsOf(header)
                                                                           : morvick::kSectorsPerMftRecord;
}

int ProcessFoundMftRecord(uint32_t sector)
{
    morvick::EngineSectorSource disk;
    uint8_t record[morvick::kLargestMftRecordSize];
    if (!disk.ReadSectors(sector, 1, record))
        return 0;
    const uint32_t sectors = FoundMftRecordSectors(record);
    if (!disk.ReadSectors(sector + 1, sectors - 1, record + kSectorSize))
        return 0;
    return ProcessFoundMftRecordBytes(sector, record, size_t{sectors} * kSectorSize);
}

namespace {

// Gives a record a copy of `name` in place of its own. False, with the old name kept, when the copy
// cannot be made.
bool ReplaceRecordName(char16_t*& name, const std::u16string& text)
{
    char16_t* copy = CopyRecordName(text);
    if (!copy)
        return false;
    std::free(name);
    name = copy;
    return true;
}

void KeepReference(uint32_t sector, const morvick::FoundMftRecord& found)
{
    FoundRecordReference reference;
    reference.parent = found.parent;
    reference.parentHigh = found.parentHigh;
    reference.parentSequence = found.parentSequence;
    reference.sequence = found.sequence;
    reference.inUse = !found.deleted;
    reference.dataElsewhere = found.dataElsewhere;
    reference.nameless = found.nameless;
    reference.recordSectors = found.recordSectors;
    KeepFoundRecordReference(sector, reference);
}

}  // namespace

bool SetFoundRecordFields(FoundNtfsRecord& record, const morvick::FoundMftRecord& found)
{
    if (!ReplaceRecordName(record.name, found.name))
        return false;
    KeepReference(record.sector, found);
    record.parentRecord = found.parent;
    record.recordNumber = found.ownNumber;
    SetRecordTimes(record, found.creationTime, found.changeTime);
    record.indexFirstCluster =
        found.indexAllocationCluster > 0xFFFFFFFFu ? 0 : static_cast<uint32_t>(found.indexAllocationCluster);
    record.deleted = found.deleted ? 1 : 0;
    return true;
}

bool SetFoundRecordFields(NtfsFileRecord& record, const morvick::FoundMftRecord& found)
{
    if (!ReplaceRecordName(record.name, found.name))
        return false;
    KeepReference(record.sector, found);
    record.parentRecord = found.parent;
    SetRecordTimes(record, found.creationTime, found.changeTime);
    SetRecordSize(record, found.size);
    record.deleted = found.deleted ? 1 : 0;
    return true;
}

namespace {

// Appends a record at `sector` with the fields of `found`.
template <class T>
int AppendFoundRecord(RecordList<T>& list, uint32_t sector, const morvick::FoundMftRecord& found)
{
    T* record = NewRecord<T>();
    if (!record)
        return 0;
    record->sector = sector;
    if (!SetFoundRecordFields(*record, found)) {
        FreeRecord(record);
        return 0;
    }
    AppendRecord(list, record);
    return 1;
}

}  // namespace

int ProcessFoundMftRecordBytes(uint32_t sector, const uint8_t* bytes, size_t recordBytes)
{
    // Of the record's own size, not 1,024 bytes always: a record of 4,096 bytes (a volume of
    // 4,096-byte sectors) failed its fix-ups and its volume's files were not found.
    if (!morvick::IsMftRecordSize(recordBytes))
        return 0;
    const size_t size = recordBytes;
    const uint32_t sectors = static_cast<uint32_t>(recordBytes / kSectorSize);
    uint8_t record[morvick::kLargestMftRecordSize];
    std::memcpy(record, bytes, size);
    morvick::MftRecordHeader header;
    if (!morvick::ApplyMultiSectorFixups(record, size) || !morvick::ParseMftRecordHeader(record, size, header))
        return 0;
    morvick::FoundMftRecord found;
    if (morvick::DecodeFoundMftRecord(record, size, found)) {
        found.recordSectors = sectors;
        return found.folder ? AppendFoundRecord(g_FoundNtfsRecords, sector, found)
                            : AppendFoundRecord(g_NtfsFileRecords, sector, found);
    }
    // A name that lies in an extension record is given to its base record once the search is over:
    // the base record is listed in its place now, its name to come. Left without one, it would be
    // lost, and with it a folder's files.
    morvick::NtfsFileName name;
    if (morvick::ReadExtensionFileName(record, size, header, name)) {
        KeepFoundExtensionName(sector, header);
        return 0;
    }
    if (header.numbered && morvick::AwaitsExtensionFileName(record, size)) {
        if (!AwaitFoundExtensionName(sector, header))
            return 0;
        found = morvick::FoundMftRecord();
        found.folder = (header.flags & 2) != 0;
        found.nameless = true;
        found.recordSectors = sectors;
        return found.folder ? AppendFoundRecord(g_FoundNtfsRecords, sector, found)
                            : AppendFoundRecord(g_NtfsFileRecords, sector, found);
    }
    // A file with its data but no name left is listed under a name made from its number, not passed
    // over: no folder leads to it, and its bytes were lost.
    if (morvick::DecodeNamelessFoundMftRecord(record, size, found)) {
        found.recordSectors = sectors;
        return AppendFoundRecord(g_NtfsFileRecords, sector, found);
    }
    return 0;
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
