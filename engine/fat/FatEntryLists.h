// The FAT side of the found-entry lists: appending files and folders found in directories, and the
// cluster chain that the Quick Scan and the savers follow, all over the chosen volume
// (g_VolumeParams) of the engine's current source.
#pragma once

#include "engine/fat/FatDirectoryParser.h"
#include "engine/volume/SectorSource.h"

#include <functional>
#include <cstdint>
#include <string>
#include <vector>

struct FatEntryRecord;
struct FatFolderRecord;
struct VolumeParameterBlock;

// Appends a file record at the tail of the FAT entry list; its ordinal is g_nFatFileCount. Null
// after the out-of-memory report. `shortName` 1: the name came from the entry's short name.
FatEntryRecord* AppendFatEntry(const std::u16string& name, uint32_t firstCluster, uint32_t parentCluster,
                               uint16_t writeDate, uint16_t accessDate, uint32_t size, uint32_t deleted,
                               uint32_t shortName = 0);

// Appends a folder record unless one with the same first cluster exists (found by its cluster,
// FatFolderIndex.h, not by a walk of the list). A live entry found after a deleted one (a folder made
// in a deleted folder's cluster) makes that record its own: its name, parent and dates, the deleted
// flag cleared, and the record moved to the list's tail; a parent that would make the folder its own
// ancestor is not taken. g_nFatFolderCount counts the records appended.
FatFolderRecord* AppendFatFolder(const std::u16string& name, uint32_t firstCluster, uint32_t parentCluster,
                                 uint16_t writeDate, uint16_t accessDate, uint32_t treeItem, uint32_t deleted);
// Gives the deleted folder record of the entry's first cluster the entry's name, parent and dates: a
// deleted folder entry that proves the folder its own better than the one that named it
// (morvick::DeletedFolderClaims). A live record, or a parent that would make the folder its own
// ancestor, is not changed.
void RenameDeletedFatFolder(const morvick::FatFoundEntry& entry);
// The same without looking for a record of the same first cluster (the caller knows there is none);
// the record is indexed by its cluster.
FatFolderRecord* AppendNewFatFolder(const std::u16string& name, uint32_t firstCluster, uint32_t parentCluster,
                                    uint16_t writeDate, uint16_t accessDate, uint32_t treeItem, uint32_t deleted);

// Puts one parsed directory entry into the lists: a folder through AppendFatFolder, a file through
// AppendFatEntry with g_qwFoundBytes and g_nFatFileCount; counts it in g_nEntriesParsed and reports
// the pass's progress (entries against the volume's clusters).
void AddFatDirectoryEntry(const morvick::FatFoundEntry& entry);

// The data clusters of a FAT volume, from its parameter block: as many as its FAT describes, and no
// more than lie before its end (VolumeEndSector; 0 when they cannot be worked out).
uint32_t VolumeClusterCount(const VolumeParameterBlock& block);
// The same for the chosen volume (g_VolumeParams).
uint32_t ChosenVolumeClusterCount();

// Rebuilds g_ClusterChain with the chain of the folder whose first cluster is `first`, up to the
// volume's cluster count: from the first FAT, or from the second where the first breaks off and the
// second goes further (morvick::FollowFolderChain). Nothing for a volume that is not FAT16 or FAT32.
void BuildClusterChain(uint32_t first);

// The chain of a folder of the volume that `block` describes, as BuildClusterChain follows it, at
// most `limit` clusters, its FATs read from `disk`. Empty when the volume is not FAT16 or FAT32 or
// has no first FAT.
std::vector<uint32_t> FolderClusterChain(morvick::SectorSource& disk, const VolumeParameterBlock& block, uint32_t first,
    size_t limit);

// Rebuilds g_ClusterChain for saving from FAT 1 (selector 1) or FAT 2 (selector 2): `first` and at
// most `limit` further clusters. `stopRequested` (the save's stop or skip flag) ends the walk
// between steps.
void ReadClusterChain(uint32_t first, uint32_t limit, int selector, const std::function<bool()>& stopRequested = {});
// The same chain returned instead, its FAT read from `disk`: empty when that FAT is not known (0) or
// the volume is not FAT16 or FAT32.
std::vector<uint32_t> ReadClusterChain(morvick::SectorSource& disk, uint32_t first, uint32_t limit, int selector,
    const std::function<bool()>& stopRequested = {});

// The clusters of a deleted file of the chosen volume, its chain freed with it: `first` and the free
// clusters after it, as the FAT read first gives them (morvick::FollowFreeClusters), or the second
// where the first was wiped. False, with nothing in `clusters`, when neither FAT can tell: the volume
// is not FAT16 or FAT32, or no FAT of it is known or begins as a FAT does. `cut`, when given, tells
// whether a cluster in use lay within the file's clusters after `first` (morvick::FollowFreeClusters).
bool ReadFreeClusters(morvick::SectorSource& disk, uint32_t first, uint32_t count,
    const std::function<bool()>& stopRequested, std::vector<uint32_t>& clusters, bool* cut = nullptr);

// Appends a cluster node at the chain's tail.
void AppendClusterNode(uint32_t cluster);
