#include "engine/scan/ClaimOwnerBlocks.h"

#include <algorithm>

void ClaimOwnerBlocks::Latest::Add(uint64_t o, uint32_t w)
{
    if (written < 0 || o == owner) {
        owner = o;
        written = std::max<int64_t>(written, w);
    } else if (w > written) {
        // The one it replaces was the latest of all: the latest of a folder other than the new one.
        otherWritten = written;
        owner = o;
        written = w;
    } else {
        otherWritten = std::max<int64_t>(otherWritten, w);
    }
}

void ClaimOwnerBlocks::Build(const Claims& claims)
{
    m_claims.clear();
    m_blocks.clear();
    m_claims.reserve(claims.size());
    for (const auto& [first, who] : claims)
        m_claims.push_back({first, who.first, who.second});
    m_blocks.resize((m_claims.size() + kBlock - 1) / kBlock);
    for (size_t i = 0; i < m_claims.size(); ++i)
        m_blocks[i / kBlock].Add(m_claims[i].owner, m_claims[i].written);
}

bool ClaimOwnerBlocks::OtherBetween(uint32_t a, uint32_t b, uint64_t owner, uint32_t made) const
{
    auto firstOf = [](const Claim& c, uint32_t v) { return c.first < v; };
    size_t from = static_cast<size_t>(
        std::upper_bound(m_claims.begin(), m_claims.end(), a, [](uint32_t v, const Claim& c) { return v < c.first; }) -
        m_claims.begin());
    const size_t to = static_cast<size_t>(std::lower_bound(m_claims.begin(), m_claims.end(), b, firstOf) - m_claims.begin());
    auto other = [&](const Claim& c) { return c.owner != owner && c.written >= made; };
    for (; from < to && from % kBlock != 0; ++from) {
        if (other(m_claims[from]))
            return true;
    }
    for (; from + kBlock <= to; from += kBlock) {
        if (m_blocks[from / kBlock].NotOf(owner) >= int64_t{made})
            return true;
    }
    for (; from < to; ++from) {
        if (other(m_claims[from]))
            return true;
    }
    return false;
}
