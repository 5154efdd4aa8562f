#include "engine/extensive/ExtensiveScanState.h"

#include "engine/ScanObserver.h"
#include "engine/listing/ResultListing.h"
#include "engine/state/EngineState.h"
#include "engine/state/SectorLimit.h"

#include <algorithm>

uint32_t g_nFoundRecordTotal = 0;
uint32_t g_nAnalysedCount = 0;
uint16_t g_wPartitionCounter = 0;
int32_t g_nBootPassFinished = 0;
int32_t g_nLeftoverPassFinished = 0;
IndexRecordSectors g_IndexRecordSectors;

namespace {
uint32_t g_nRootItem = 0;
bool g_bRootItemAdded = false;
}  // namespace

void ResetExtensiveScanState()
{
    g_nFoundRecordTotal = 0;
    g_nAnalysedCount = 0;
    g_wPartitionCounter = 0;
    g_nBootPassFinished = 0;
    g_nLeftoverPassFinished = 0;
    g_IndexRecordSectors = IndexRecordSectors();
    g_nRootItem = 0;
    g_bRootItemAdded = false;
}

void ListIndexRecordSector(uint32_t sector)
{
    IndexRecordSectors& list = g_IndexRecordSectors;
    if (list.full)
        return;
    if (list.sectors.size() >= kMaxListedIndexSectors) {
        list.full = true;
        list.searchedEnd = sector;
        return;
    }
    list.sectors.push_back(sector);
}

void MarkIndexSectorsSearched(uint64_t end)
{
    if (!g_IndexRecordSectors.full)
        g_IndexRecordSectors.searchedEnd = end;
}

bool AppendSectorNode(uint32_t sector)
{
    SectorNode* node = NewRecord<SectorNode>();
    if (!node)
        return false;
    node->sector = sector;
    AppendRecord(g_BootSectors, node);
    return true;
}

bool AddFoundFatDirectory(uint32_t sector, uint32_t cluster, uint32_t parentCluster, uint16_t writeDate,
    uint16_t accessDate)
{
    FoundFatDirectoryRecord* r = NewRecord<FoundFatDirectoryRecord>();
    if (!r)
        return false;
    r->sector = sector;
    r->firstCluster = cluster;
    r->parentCluster = parentCluster;
    r->dotValue1 = writeDate;
    r->dotValue2 = accessDate;
    r->volumeNumber = 0;
    AppendRecord(g_FoundFatDirectories, r);
    return true;
}

FoundPartitionRecord* AppendFoundPartition(const FoundPartitionRecord& values)
{
    FoundPartitionRecord* r = NewRecord<FoundPartitionRecord>();
    if (!r)
        return nullptr;
    *r = values;
    AppendRecord(g_FoundPartitions, r);
    return r;
}

uint32_t FileSystemRootItem()
{
    if (!g_bRootItemAdded) {
        g_nRootItem = CurrentScanObserver().OnItemFound(FoundItem{kFoundVolume, u"File System", nullptr, 0});
        g_bRootItemAdded = true;
    }
    return g_nRootItem;
}

std::u16string FoundVolumeText(const FoundPartitionRecord& r)
{
    const char16_t* kind = r.fileSystemType == FileSystemKind::kNtfs ? u"NTFS @"
        : r.fileSystemType == FileSystemKind::kFat32                 ? u"FAT32 @"
                                                                     : u"FAT16 @";
    return kind + DecimalText(r.clusterBase);
}

void AddFoundVolumeItem(FoundPartitionRecord& record)
{
    const uint32_t root = FileSystemRootItem();
    record.treeItem =
        CurrentScanObserver().OnItemFound(FoundItem{kFoundVolume, FoundVolumeText(record), &record, root});
}

int ProgressPercent(uint64_t part, uint64_t whole)
{
    return whole == 0 ? 0 : static_cast<int>(std::min<uint64_t>(part * 100 / whole, 99));
}

void ReportAnalysisProgress()
{
    if (g_nFoundRecordTotal != 0)
        CurrentScanObserver().OnProgress(ProgressPercent(g_nAnalysedCount, g_nFoundRecordTotal));
}

bool ChooseFoundVolume(uint16_t number)
{
    uint16_t position = 0;
    for (const FoundPartitionRecord* r = g_FoundPartitions.head; r; r = r->next) {
        if (++position != number)
            continue;
        VolumeParameterBlock& b = g_VolumeParams;
        b.browsedFileSystemType = r->fileSystemType;
        b.sectorsPerFat = r->sectorsPerFat;
        b.sectorsPerCluster = r->sectorsPerCluster;
        b.rootDirectorySectors = r->rootDirectorySectors;
        b.rootLocation = r->rootLocation;
        b.reservedSectors = r->reservedSectors;
        b.clusterBase = r->clusterBase;
        b.firstFat = r->firstFat;
        b.secondFat = r->secondFat;
        b.mftStart = r->mftStart;
        b.mftMirrorStart = r->mftMirrorStart;
        b.sectorsPerMftRecord = r->sectorsPerMftRecord;
        b.sectorsPerIndexRecord = r->sectorsPerIndexRecord;
        // Held at the last sector the field holds where it ends past it; VolumeEndSector takes the
        // whole end from this record.
        b.volumeEnd = HeldSector(r->volumeEnd);
        b.volumeNumber = number;
        return true;
    }
    return false;
}
