// Which of the deleted folder entries that name one first cluster the folder there is read as. A
// folder deleted, then a later folder made in its first cluster and deleted too, leave two deleted
// entries naming that cluster, which holds the later folder's entries: read as the older folder's,
// they were listed under a name they never had. The "." and ".." entries that the later folder
// wrote there repeat the stamps and the parent of its own entry, and tell the two apart.
#pragma once

#include "engine/fat/FatDirectoryParser.h"
#include "engine/fat/FatDirectoryStart.h"
#include "engine/volume/SectorSource.h"

#include <cstdint>
#include <unordered_map>

namespace morvick {

// True when the folder entry `other` has the better claim than `named` to the folder whose first
// cluster both name, `start` being that cluster's "." and ".." entries (null where it holds none).
// The better claim is the entry whose stamp the "." entry repeats (the time it was made, else where
// the "." holds none the time it was written), then the one whose parent the ".." names; where
// neither tells them apart, the later made: the cluster holds what was written in it last, and the
// older folder's name is the one it can no longer hold. Where that too is equal, `named` keeps it.
bool ClaimsFolderBetter(const FatFoundEntry& other, const FatFoundEntry& named, const FatDirectoryStart* start);

class DeletedFolderClaims {
public:
    // The clusters of a volume of `clusterCount` data clusters of `sectorsPerCluster` sectors, its
    // cluster 0 at sector `clusterBase` (the first data cluster is 2), read from `disk`.
    DeletedFolderClaims(SectorSource& disk, bool fat32, uint64_t clusterBase, uint32_t sectorsPerCluster,
        uint32_t clusterCount);

    enum class Claim {
        kFirst,   // no deleted folder entry weighed before names its first cluster
        kBetter,  // it takes the folder from the one weighed before (ClaimsFolderBetter)
        kWorse,   // the one weighed before keeps it
    };
    // Weighs a deleted folder entry against the one that names its first cluster now; the cluster's
    // first sector is read once, when a second entry names it.
    Claim Weigh(const FatFoundEntry& entry);
    // Whether the "." entry of the entry's first cluster repeats its stamp (the time it was made, else
    // the time written): the folder there was made as that entry's, wherever it was moved since. The
    // cluster's first sector is read once, also for Weigh.
    bool DotRepeatsStamp(const FatFoundEntry& entry);

private:
    struct Named {
        bool weighed = false;  // `entry` holds the best claim weighed
        FatFoundEntry entry;
        bool startRead = false;
        bool hasStart = false;
        FatDirectoryStart start;
    };
    void ReadStart(uint32_t cluster, Named& named);

    SectorSource& m_disk;
    bool m_fat32;
    uint64_t m_clusterBase;
    uint32_t m_sectorsPerCluster;
    uint32_t m_clusterCount;
    std::unordered_map<uint32_t, Named> m_named;  // by first cluster
};

}  // namespace morvick
