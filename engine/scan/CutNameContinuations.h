// The free clusters of entries that can go on with a name cut at the end of a folder's cluster,
// counted by the name they begin with: its checksum and the number of the part they begin with
// (a deleted part lost its number, so all deleted parts count as one). A cut name goes on only into
// the one cluster after the folder's end that can continue it and that no other folder went on into
// already: where two clusters begin with the rest of a name of the same checksum and part number
// (two deleted folders cut inside names of the same short name), either may be the one the folder
// wrote next, and the name goes on into neither.
#pragma once

#include "engine/scan/FreeEntryClusters.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class CutNameContinuations {
public:
    // Counts every cluster of `clusters` that begins inside a name (all the free clusters of entries).
    explicit CutNameContinuations(const std::vector<FreeEntryCluster>& clusters);

    // Whether no other cluster counted after `after` (the folder's last cluster) and not linked
    // begins with the rest of a name of the checksum and part number `c` begins with. True where that
    // checksum is not known (a deleted short entry first) or `c` begins no name's rest.
    bool OnlyOneAfter(const FreeEntryCluster& c, uint32_t after) const;
    // `c` went on from a folder (the clusters are linked in their order).
    void Linked(const FreeEntryCluster& c);

private:
    // The checksum and part number a cluster's first entry goes on with, or -1 where it cannot be told.
    static int32_t KeyOf(const FreeEntryCluster& c);

    struct Clusters {
        std::vector<uint32_t> all;     // in order
        std::vector<uint32_t> linked;  // in order
    };
    std::unordered_map<int32_t, Clusters> m_byKey;
};
