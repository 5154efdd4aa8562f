#include "engine/scan/CutNameContinuations.h"

CutNameContinuations::CutNameContinuations(const std::vector<FreeEntryCluster>& clusters)
{
    for (const FreeEntryCluster& c : clusters) {
        const int32_t key = KeyOf(c);
        if (key >= 0)
            ++m_count[key];
    }
}

int32_t CutNameContinuations::KeyOf(const FreeEntryCluster& c)
{
    // A file's data before its entries, a whole name first, or a short entry whose checksum went with
    // its deleted first character: nothing to count by.
    if (c.dataBytes != 0 || (c.nameTailBytes == 0 && !c.leadShort) || c.lead == kNoName)
        return -1;
    return static_cast<int32_t>(c.lead) << 8 | c.leadOrder;
}

bool CutNameContinuations::OnlyOne(const FreeEntryCluster& c) const
{
    const int32_t key = KeyOf(c);
    if (key < 0)
        return true;
    const auto it = m_count.find(key);
    return it == m_count.end() || it->second <= 1;
}
