#include "engine/scan/ClaimOwnerBlocks.h"

#include <algorithm>

void ClaimOwnerBlocks::Latest::Add(uint64_t o, uint32_t w)
{
    Latest one;
    one.owner = o;
    one.written = w;
    *this = With(one);
}

ClaimOwnerBlocks::Latest ClaimOwnerBlocks::Latest::With(const Latest& more) const
{
    if (more.written < 0)
        return *this;
    if (written < 0)
        return more;
    Latest both;
    if (owner == more.owner) {
        both.owner = owner;
        both.written = std::max(written, more.written);
        both.otherWritten = std::max(otherWritten, more.otherWritten);
        return both;
    }
    // The latest of the two sides is the latest of all; the other side's latest is of another folder
    // than its, and later than anything else of that side.
    const bool mine = written >= more.written;
    const Latest& top = mine ? *this : more;
    const Latest& low = mine ? more : *this;
    both.owner = top.owner;
    both.written = top.written;
    both.otherWritten = std::max(top.otherWritten, low.written);
    return both;
}

void ClaimOwnerBlocks::Build(const Claims& claims)
{
    m_claims.clear();
    m_levels.clear();
    m_claims.reserve(claims.size());
    for (const auto& [first, who] : claims)
        m_claims.push_back({first, who.first, who.second});
    const size_t blocks = (m_claims.size() + kBlock - 1) / kBlock;
    if (blocks == 0)
        return;
    m_levels.emplace_back(blocks);
    for (size_t i = 0; i < m_claims.size(); ++i)
        m_levels[0][i / kBlock].Add(m_claims[i].owner, m_claims[i].written);
    for (size_t span = 2; span <= blocks; span *= 2) {
        const std::vector<Latest>& half = m_levels.back();
        std::vector<Latest> level(blocks - span + 1);
        for (size_t i = 0; i < level.size(); ++i)
            level[i] = half[i].With(half[i + span / 2]);
        m_levels.push_back(std::move(level));
    }
}

bool ClaimOwnerBlocks::OtherBetween(uint32_t a, uint32_t b, uint64_t owner, uint32_t made) const
{
    m_lastSteps = 0;
    size_t from = static_cast<size_t>(
        std::upper_bound(m_claims.begin(), m_claims.end(), a, [](uint32_t v, const Claim& c) { return v < c.first; }) -
        m_claims.begin());
    const size_t to = static_cast<size_t>(
        std::lower_bound(m_claims.begin(), m_claims.end(), b, [](const Claim& c, uint32_t v) { return c.first < v; }) -
        m_claims.begin());
    auto other = [&](size_t i) {
        ++m_lastSteps;
        return m_claims[i].owner != owner && m_claims[i].written >= made;
    };
    for (; from < to && from % kBlock != 0; ++from) {
        if (other(from))
            return true;
    }
    // The whole blocks between: two runs of 2^k blocks that cover them, overlapping where they must.
    const size_t firstBlock = from / kBlock;
    const size_t endBlock = to / kBlock;
    if (firstBlock < endBlock) {
        size_t k = 0;
        while ((size_t{2} << k) <= endBlock - firstBlock)
            ++k;
        m_lastSteps += 2;
        const Latest whole = m_levels[k][firstBlock].With(m_levels[k][endBlock - (size_t{1} << k)]);
        if (whole.NotOf(owner) >= int64_t{made})
            return true;
        from = endBlock * kBlock;
    }
    for (; from < to; ++from) {
        if (other(from))
            return true;
    }
    return false;
}
