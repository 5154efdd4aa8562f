#include "engine/scan/CutNameContinuations.h"

#include <algorithm>
#include <iterator>

CutNameContinuations::CutNameContinuations(const std::vector<FreeEntryCluster>& clusters)
{
    for (const FreeEntryCluster& c : clusters) {
        const int32_t key = KeyOf(c);
        if (key >= 0)
            m_byKey[key].all.push_back(c.cluster);
    }
    for (auto& [key, found] : m_byKey)
        std::sort(found.all.begin(), found.all.end());
}

int32_t CutNameContinuations::KeyOf(const FreeEntryCluster& c)
{
    // A file's data before its entries, a whole name first, or a short entry whose checksum went with
    // its deleted first character: nothing to count by.
    if (c.dataBytes != 0 || (c.nameTailBytes == 0 && !c.leadShort) || c.lead == kNoName)
        return -1;
    return static_cast<int32_t>(c.lead) << 8 | c.leadOrder;
}

bool CutNameContinuations::OnlyOneAfter(const FreeEntryCluster& c, uint32_t after) const
{
    const int32_t key = KeyOf(c);
    if (key < 0)
        return true;
    const auto it = m_byKey.find(key);
    if (it == m_byKey.end())
        return true;
    auto laterThan = [after](const std::vector<uint32_t>& v) {
        return static_cast<size_t>(std::distance(std::upper_bound(v.begin(), v.end(), after), v.end()));
    };
    return laterThan(it->second.all) - laterThan(it->second.linked) <= 1;
}

void CutNameContinuations::Linked(const FreeEntryCluster& c)
{
    const int32_t key = KeyOf(c);
    if (key < 0)
        return;
    const auto it = m_byKey.find(key);
    if (it != m_byKey.end() && (it->second.linked.empty() || it->second.linked.back() < c.cluster))
        it->second.linked.push_back(c.cluster);
}
