#include "engine/fat/FatEntryLists.h"

#include "engine/ScanObserver.h"
#include "engine/fat/FatBootSector.h"
#include "engine/fat/FatTable.h"
#include "engine/state/EngineState.h"
#include "engine/state/FatFolderIndex.h"
#include "engine/state/VolumeEnd.h"
#include "engine/volume/EngineSectorSource.h"
#include "engine/volume/PartitionFileSystem.h"

#include <algorithm>
#include <vector>

FatEntryRecord* AppendFatEntry(const std::u16string& name, uint32_t firstCluster, uint32_t parentCluster,
    uint16_t writeDate, uint16_t accessDate, uint32_t size, uint32_t deleted, uint32_t shortName)
{
    return AppendNamedRecord(g_FatEntries, name, [&](FatEntryRecord& r) {
        r.firstCluster = firstCluster;
        r.parentCluster = parentCluster;
        r.writeDate = writeDate;
        r.accessDate = accessDate;
        r.size = size;
        r.deleted = deleted;
        r.shortName = shortName;
        r.ordinal = g_nFatFileCount;
    });
}

namespace {

// True when the folder `cluster` lies on the way up from `folder` to the root (`folder` itself
// included): taking `folder` as its parent would make it its own ancestor. Each step up is one look-up
// by first cluster.
bool LiesAbove(uint32_t cluster, uint32_t folder)
{
    // Each step takes one folder; more steps than folders can only go round a loop.
    for (size_t steps = 0; steps <= g_FatFolders.count; ++steps) {
        if (folder == cluster)
            return true;
        const FatFolderRecord* f = FatFolderOfCluster(folder);
        if (!f)
            return false;
        folder = f->parentCluster;
    }
    return true;
}

// Gives the folder record the name, parent and dates of the entry that the folder is now: false,
// nothing changed, when the name cannot be copied. A parent inside its own subtree (a damaged disk)
// would cut it off the tree: not taken.
bool TakeFolderRecord(FatFolderRecord& f, const std::u16string& name, uint32_t parentCluster, uint16_t writeDate,
    uint16_t accessDate)
{
    char16_t* copy = CopyRecordName(name);
    if (!copy)
        return false;
    std::free(f.name);
    f.name = copy;
    if (!LiesAbove(f.firstCluster, parentCluster))
        f.parentCluster = parentCluster;
    f.writeDate = writeDate;
    f.accessDate = accessDate;
    return true;
}

}  // namespace

FatFolderRecord* AppendFatFolder(const std::u16string& name, uint32_t firstCluster, uint32_t parentCluster,
    uint16_t writeDate, uint16_t accessDate, uint32_t treeItem, uint32_t deleted)
{
    // Looked up by its cluster, not by walking the list: a walk per folder entry made the scan's time
    // grow with the square of the folders.
    FatFolderRecord* f = FatFolderOfCluster(firstCluster);
    if (!f)
        return AppendNewFatFolder(name, firstCluster, parentCluster, writeDate, accessDate, treeItem, deleted);
    // The live folder's parent and dates too, not its name alone: the directory is the live folder's
    // now, and under the deleted entry's parent it was listed and saved in the wrong place. At the
    // tail, where the live entry is found, a walk of the list still meets it.
    if (deleted == 0 && f->deleted != 0 && TakeFolderRecord(*f, name, parentCluster, writeDate, accessDate)) {
        f->deleted = 0;
        MoveFatFolderToTail(f);
    }
    return f;
}

void RenameDeletedFatFolder(const morvick::FatFoundEntry& entry)
{
    FatFolderRecord* f = FatFolderOfCluster(entry.firstCluster);
    if (f && f->deleted != 0)
        TakeFolderRecord(*f, entry.name, entry.parentCluster, entry.writeDate, entry.accessDate);
}

FatFolderRecord* AppendNewFatFolder(const std::u16string& name, uint32_t firstCluster, uint32_t parentCluster,
    uint16_t writeDate, uint16_t accessDate, uint32_t treeItem, uint32_t deleted)
{
    FatFolderRecord* r = NewNamedRecord<FatFolderRecord>(name, [&](FatFolderRecord& f) {
        f.firstCluster = firstCluster;
        f.parentCluster = parentCluster;
        f.writeDate = writeDate;
        f.accessDate = accessDate;
        f.treeItem = treeItem;
        f.deleted = deleted;
    });
    if (!r)
        return nullptr;
    AppendIndexedFatFolder(r);
    ++g_nFatFolderCount;
    return r;
}

namespace {

// Where the pass's percent next changes: it is worked out and reported there, not at every entry.
// The percent follows from the entry count and the clusters alone, so this holds until the count
// starts again (a new pass) or the clusters change.
struct EntryProgress {
    uint32_t clusters = 0;
    uint32_t lastEntry = 0;  // g_nEntriesParsed at the last call
    uint64_t nextAt = 0;
};
EntryProgress g_entryProgress;

// Entries against the volume's clusters, at most 99 percent.
void ReportEntryProgress()
{
    const uint32_t clusters =
        g_VolumeParams.sectorsPerCluster ? g_VolumeParams.partitionSectors / g_VolumeParams.sectorsPerCluster : 0;
    const uint32_t entries = g_nEntriesParsed;
    EntryProgress& p = g_entryProgress;
    if (clusters != p.clusters || entries <= p.lastEntry)
        p.nextAt = 0;
    p.clusters = clusters;
    p.lastEntry = entries;
    if (clusters == 0 || entries < p.nextAt)
        return;
    const uint64_t percent = std::min<uint64_t>(static_cast<uint64_t>(entries) * 100 / clusters, 99);
    CurrentScanObserver().OnProgress(static_cast<int>(percent));
    // The first count whose percent is one more.
    p.nextAt = percent >= 99 ? UINT64_MAX : ((percent + 1) * clusters + 99) / 100;
}

}  // namespace

void AddFatDirectoryEntry(const morvick::FatFoundEntry& e)
{
    const uint32_t deleted = e.deleted ? 1 : 0;
    if (e.folder) {
        AppendFatFolder(e.name, e.firstCluster, e.parentCluster, e.writeDate, e.accessDate, 0, deleted);
    } else if (AppendFatEntry(e.name, e.firstCluster, e.parentCluster, e.writeDate, e.accessDate, e.size, deleted,
                   e.shortName ? 1 : 0)) {
        g_qwFoundBytes += e.size;
        ++g_nFatFileCount;
    }
    ++g_nEntriesParsed;
    ReportEntryProgress();
}

uint32_t VolumeClusterCount(const VolumeParameterBlock& v)
{
    const FileSystemKind kind =
        v.browsedFileSystemType == FileSystemKind::kFat32 ? FileSystemKind::kFat32 : FileSystemKind::kFat16;
    const uint64_t firstData = static_cast<uint64_t>(v.clusterBase) + 2ull * v.sectorsPerCluster;
    return morvick::FatDataClusterCount(kind, v.sectorsPerFat, v.sectorsPerCluster, firstData, VolumeEndSector(v));
}

uint32_t ChosenVolumeClusterCount()
{
    return VolumeClusterCount(g_VolumeParams);
}

void AppendClusterNode(uint32_t cluster)
{
    ClusterNode* node = NewRecord<ClusterNode>();
    if (!node)
        return;
    node->cluster = cluster;
    AppendRecord(g_ClusterChain, node);
}

namespace {

// The chain from `first` in the FAT at `fatStart` of the chosen volume, read from `disk`.
std::vector<uint32_t> FollowChosenVolumeChain(morvick::SectorSource& disk, uint32_t fatStart, uint32_t first,
    size_t limit, const std::function<bool()>& stopRequested)
{
    const FileSystemKind type = g_VolumeParams.browsedFileSystemType;
    if ((type != FileSystemKind::kFat16 && type != FileSystemKind::kFat32) || fatStart == 0)
        return {};
    morvick::FatTable fat(disk, type, fatStart, g_VolumeParams.sectorsPerFat, ChosenVolumeClusterCount());
    return morvick::FollowClusterChain(fat, first, limit, stopRequested);
}

void FillClusterChain(uint32_t fatStart, uint32_t first, size_t limit, const std::function<bool()>& stopRequested)
{
    FreeClusterChain();
    morvick::EngineSectorSource disk;
    for (uint32_t cluster : FollowChosenVolumeChain(disk, fatStart, first, limit, stopRequested))
        AppendClusterNode(cluster);
}

uint32_t SelectedFat(int selector)
{
    return selector == 2 ? g_VolumeParams.secondFat : g_VolumeParams.firstFat;
}

}  // namespace

bool ReadFreeClusters(morvick::SectorSource& disk, uint32_t first, uint32_t count,
    const std::function<bool()>& stopRequested, std::vector<uint32_t>& clusters, bool* cut)
{
    clusters.clear();
    if (cut)
        *cut = false;
    const FileSystemKind type = g_VolumeParams.browsedFileSystemType;
    if (type != FileSystemKind::kFat16 && type != FileSystemKind::kFat32)
        return false;
    const uint32_t volumeClusters = ChosenVolumeClusterCount();
    for (int selector = 1; selector <= 2; ++selector) {
        const uint32_t fatStart = SelectedFat(selector);
        if (fatStart == 0)
            continue;
        morvick::FatTable fat(disk, type, fatStart, g_VolumeParams.sectorsPerFat, volumeClusters);
        if (!fat.BeginsWithMediaEntry())
            continue;
        clusters = morvick::FollowFreeClusters(fat, first, count, stopRequested, cut);
        return true;
    }
    return false;
}

std::vector<uint32_t> FolderClusterChain(morvick::SectorSource& disk, const VolumeParameterBlock& block, uint32_t first,
    size_t limit)
{
    const FileSystemKind type = block.browsedFileSystemType;
    if ((type != FileSystemKind::kFat16 && type != FileSystemKind::kFat32) || block.firstFat == 0)
        return {};
    const uint32_t clusters = VolumeClusterCount(block);
    morvick::FatTable fat1(disk, type, block.firstFat, block.sectorsPerFat, clusters);
    // A volume with one FAT names it as both.
    const bool hasSecond = block.secondFat != 0 && block.secondFat != block.firstFat;
    morvick::FatTable fat2(disk, type, block.secondFat, block.sectorsPerFat, clusters);
    return morvick::FollowFolderChain(fat1, hasSecond ? &fat2 : nullptr, first, limit);
}

void BuildClusterChain(uint32_t first)
{
    // The whole chain, not its first 100 clusters, and from the second FAT where the first breaks
    // off: the later entries of a large folder, or a folder whose first FAT is damaged, would be lost.
    FreeClusterChain();
    morvick::EngineSectorSource disk;
    for (uint32_t cluster : FolderClusterChain(disk, g_VolumeParams, first, ChosenVolumeClusterCount()))
        AppendClusterNode(cluster);
}

void ReadClusterChain(uint32_t first, uint32_t limit, int selector, const std::function<bool()>& stopRequested)
{
    FillClusterChain(SelectedFat(selector), first, static_cast<size_t>(limit) + 1, stopRequested);
}

std::vector<uint32_t> ReadClusterChain(morvick::SectorSource& disk, uint32_t first, uint32_t limit, int selector,
    const std::function<bool()>& stopRequested)
{
    return FollowChosenVolumeChain(disk, SelectedFat(selector), first, static_cast<size_t>(limit) + 1, stopRequested);
}
