// How many directory entries name each cluster of a volume as their first: none, one, or more than
// one; two bits a cluster, so that every entry read can be noted in one pass, whatever their number.
#pragma once

#include <cstdint>
#include <vector>

class ClusterNameCounts {
public:
    explicit ClusterNameCounts(uint32_t clusterCount);

    // An entry names `cluster` (cluster numbers from 2); one outside the volume is passed over.
    void Note(uint32_t cluster);
    // 0, 1, or 2 for more than one.
    unsigned Count(uint32_t cluster) const;

private:
    uint32_t m_clusterCount;
    std::vector<uint8_t> m_bits;  // four clusters a byte, by index (cluster - 2)
};
