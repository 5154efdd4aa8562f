// The file allocation table of a FAT16 or FAT32 volume, read sector by sector through a small cache,
// and the cluster chains it links.
#pragma once

#include "engine/fat/FatBootSector.h"
#include "engine/volume/SectorSource.h"

#include <functional>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace morvick {

enum class FatLink {
    Next,        // the chain goes on to a valid cluster
    End,         // an end-of-chain mark (FAT32 0x?FFFFFF8 and above, FAT16 0xFFF8 and above)
    Free,        // 0: the cluster is free
    Bad,         // the bad-cluster mark
    Invalid,     // 1, a reserved value, or a cluster outside the volume
    Unreadable,  // the FAT sector could not be read
};

class FatTable {
public:
    // `fatStart` is the FAT's first sector; `clusterCount` bounds the valid cluster numbers.
    FatTable(SectorSource& disk, FileSystemKind fileSystem, uint64_t fatStart, uint32_t sectorsPerFat,
        uint32_t clusterCount);

    // The FAT entry of `cluster`. `next` gets the entry (FAT32 entries without their top 4 bits).
    FatLink Lookup(uint32_t cluster, uint32_t& next);

    // A chain ends at a cluster past the volume's last, not only below 2: following it would read
    // sectors of whatever lies beyond the volume as the file's data.
    bool IsDataCluster(uint32_t cluster) const { return cluster >= 2 && cluster - 2 < m_clusterCount; }
    uint32_t ClusterCount() const { return m_clusterCount; }

    // False when the FAT sector that holds `cluster`'s entry was read and holds no free entry: a walk
    // for free clusters passes over all of that sector's clusters at once.
    bool SectorMayHoldFree(uint32_t cluster);
    uint32_t EntriesPerSector() const { return m_fileSystem == FileSystemKind::kFat32 ? 128 : 256; }

    // True when the FAT's first sector begins with the media byte (0xF0 and above) and 0xFF, as every
    // FAT does: a FAT that was wiped would give every cluster as free.
    bool BeginsWithMediaEntry();

private:
    const uint8_t* Sector(uint64_t index);
    // Entry `slot` of a FAT sector, a FAT32 entry masked to its 28 bits.
    uint32_t EntryAt(const uint8_t* sector, uint32_t slot) const;

    SectorSource& m_disk;
    FileSystemKind m_fileSystem;
    uint64_t m_fatStart;
    uint32_t m_sectorsPerFat;
    uint32_t m_clusterCount;
    std::unordered_map<uint64_t, std::vector<uint8_t>> m_cache;
};

// How the walk of a chain ended.
enum class FatChainEnd {
    EndMark,  // at an end-of-chain mark: the chain is whole
    Limit,    // at the length asked for
    Stopped,  // when asked to stop
    Broken,   // at a free, bad or invalid entry, an unreadable FAT sector or a loop: damage
};

// The chain from `first`: `first` itself and then each following cluster, at most `limit` clusters
// in all. Ends at an end mark, a free, bad or invalid entry, an unreadable FAT sector, a cluster
// already in the chain (a loop) or when `stopRequested` says so; `end`, when given, tells which. A
// `first` outside the volume gives an empty chain (Broken).
std::vector<uint32_t> FollowClusterChain(FatTable& fat, uint32_t first, size_t limit,
    const std::function<bool()>& stopRequested = {}, FatChainEnd* end = nullptr);

// The clusters of a deleted file of `count` clusters from `first`, whose chain was freed with it:
// `first`, then each following cluster that `fat` gives as free, up to the volume's last cluster. A
// cluster whose entry is anything but free belongs to another file and is passed over; one whose FAT
// sector cannot be read is taken. Empty when `first` itself is not free: another file was written
// over the file's start. `stopRequested` ends the walk between clusters. `cut`, when given, is set
// when a cluster in use (not free, unreadable or marked bad) lies within the file's `count` clusters
// after `first`: the file was cut there, and the free clusters taken past it may be other files'.
std::vector<uint32_t> FollowFreeClusters(FatTable& fat, uint32_t first, size_t count,
    const std::function<bool()>& stopRequested = {}, bool* cut = nullptr);

// The chain of a folder, which unlike a file has no size to check its chain by: from `first` in the
// first FAT and, where that chain breaks off (a free, bad or out-of-range entry, an unreadable
// sector, a loop), again in the second FAT (null for none), which is taken when it goes further, or
// as far without breaking off.
// The start of a volume, where the first FAT lies, is where damage lands first.
std::vector<uint32_t> FollowFolderChain(FatTable& first, FatTable* second, uint32_t cluster, size_t limit,
    const std::function<bool()>& stopRequested = {});

}  // namespace morvick
