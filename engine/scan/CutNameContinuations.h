// The free clusters of entries that can go on with a name cut at the end of a folder's cluster,
// counted by the name they begin with: its checksum and the number of the part they begin with
// (a deleted part lost its number, so all deleted parts count as one). A cut name goes on only into
// the one cluster that can continue it: where two clusters begin with the rest of a name of the same
// checksum and part number (two deleted folders cut inside names of the same short name), either may
// be the one the folder wrote next, and the name goes on into neither.
#pragma once

#include "engine/scan/FreeEntryClusters.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class CutNameContinuations {
public:
    // Counts every cluster of `clusters` that begins inside a name (all the free clusters of entries).
    explicit CutNameContinuations(const std::vector<FreeEntryCluster>& clusters);

    // Whether no other cluster counted begins with the rest of a name of the checksum and part number
    // `c` begins with. True where that checksum is not known (a deleted short entry first) or `c`
    // begins no name's rest.
    bool OnlyOne(const FreeEntryCluster& c) const;

private:
    // The checksum and part number a cluster's first entry goes on with, or -1 where it cannot be told.
    static int32_t KeyOf(const FreeEntryCluster& c);

    std::unordered_map<int32_t, uint32_t> m_count;
};
