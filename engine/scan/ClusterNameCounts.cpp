#include "engine/scan/ClusterNameCounts.h"

ClusterNameCounts::ClusterNameCounts(uint32_t clusterCount)
    : m_clusterCount(clusterCount), m_bits((uint64_t{clusterCount} + 3) / 4, 0)
{
}

void ClusterNameCounts::Note(uint32_t cluster)
{
    if (cluster < 2 || cluster - 2 >= m_clusterCount)
        return;
    const uint32_t index = cluster - 2;
    const unsigned shift = (index % 4) * 2;
    uint8_t& byte = m_bits[index / 4];
    const unsigned count = (byte >> shift) & 3u;
    if (count < 2)
        byte = static_cast<uint8_t>((byte & ~(3u << shift)) | ((count + 1) << shift));
}

unsigned ClusterNameCounts::Count(uint32_t cluster) const
{
    if (cluster < 2 || cluster - 2 >= m_clusterCount)
        return 0;
    const uint32_t index = cluster - 2;
    return (m_bits[index / 4] >> ((index % 4) * 2)) & 3u;
}
