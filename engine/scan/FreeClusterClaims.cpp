#include "engine/scan/FreeClusterClaims.h"

#include "engine/fat/FatTable.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

FreeClusterClaims::FreeClusterClaims(morvick::SectorSource& disk, const VolumeParameterBlock& b, uint32_t clusterCount,
    const std::function<bool()>& stopped)
{
    // Free in every FAT, so that a cluster one FAT still gives a file is never read as entries.
    const FileSystemKind kind = b.browsedFileSystemType;
    morvick::FatTable first(disk, kind, b.firstFat, b.sectorsPerFat, clusterCount);
    const bool hasSecond = b.secondFat != 0 && b.secondFat != b.firstFat;
    morvick::FatTable second(disk, kind, b.secondFat, b.sectorsPerFat, clusterCount);
    const uint64_t diskEnd = disk.SectorCount();
    uint32_t runStart = 0;
    bool inRun = false;
    for (uint32_t i = 0; i < clusterCount; ++i) {
        // Each cluster's test is a pause point (the stop test is one), so that a Stop question holds the
        // walk at once and not after up to 65,536 more clusters.
        if (stopped && stopped()) {
            m_runs.clear();
            return;
        }
        uint32_t next = 0;
        const morvick::FatLink link = first.Lookup(i + 2, next);
        const bool free =
            link == morvick::FatLink::Free && (!hasSecond || second.Lookup(i + 2, next) == morvick::FatLink::Free);
        if (free && !inRun)
            runStart = i;
        else if (!free && inRun)
            m_runs.emplace_back(runStart, i);
        inRun = free;
        // A FAT sector that cannot be read frees none of its clusters: passed over whole, not read again
        // for each, and past the disk's end so is every later one. A FAT that a damaged boot sector or
        // snapshot puts past the disk's end was walked one failed read per cluster, for billions.
        if (link == morvick::FatLink::Unreadable) {
            const uint64_t perSector = first.EntriesPerSector();
            const uint64_t fatSector = (uint64_t{i} + 2) / perSector;
            if (diskEnd != 0 && uint64_t{b.firstFat} + fatSector >= diskEnd)
                break;
            const uint64_t sectorEnd = (fatSector + 1) * perSector - 2;
            i = static_cast<uint32_t>(std::min<uint64_t>(sectorEnd, clusterCount) - 1);
        }
    }
    if (inRun)
        m_runs.emplace_back(runStart, clusterCount);
    m_freeBefore.reserve(m_runs.size());
    for (const auto& [start, end] : m_runs) {
        m_freeBefore.push_back(m_freeCount);
        m_freeCount += end - start;
    }
}

size_t FreeClusterClaims::RunAtOrAfter(uint32_t index) const
{
    auto run = std::upper_bound(m_runs.begin(), m_runs.end(), index,
        [](uint32_t value, const std::pair<uint32_t, uint32_t>& r) { return value < r.second; });
    return static_cast<size_t>(run - m_runs.begin());
}

bool FreeClusterClaims::IsFree(uint32_t index) const
{
    const size_t k = RunAtOrAfter(index);
    return k < m_runs.size() && m_runs[k].first <= index;
}

bool FreeClusterClaims::InOneRun(uint32_t a, uint32_t b) const
{
    const size_t k = RunAtOrAfter(a);
    return IsFree(a) && IsFree(b) && k == RunAtOrAfter(b);
}

uint64_t FreeClusterClaims::FreeBefore(uint32_t index) const
{
    const size_t k = RunAtOrAfter(index);
    if (k == m_runs.size())
        return m_freeCount;
    return m_freeBefore[k] + (index > m_runs[k].first ? index - m_runs[k].first : 0);
}

void FreeClusterClaims::TakeForFolder(uint32_t index)
{
    if (IsFree(index))
        m_folders.insert(index);
}

uint32_t FreeClusterClaims::Claim(uint32_t first, uint64_t count, uint64_t owner, uint32_t written)
{
    if (count == 0 || !IsFree(first) || IsFolders(first))
        return UINT32_MAX;
    m_owners.emplace(first, std::make_pair(owner, written));
    m_ownerBlocksBuilt = false;
    Add(first, count, written);
    const uint64_t end = ClaimEnd(first, count);
    return end - FreeBefore(first) == count ? FreeClusterAt(end - 1) : UINT32_MAX;
}

uint64_t FreeClusterClaims::ClaimEnd(uint32_t first, uint64_t count) const
{
    const uint64_t to = std::min(FreeBefore(first) + count, m_freeCount);
    const auto folder = m_folders.upper_bound(first);
    return folder != m_folders.end() ? std::min(to, FreeBefore(*folder)) : to;
}

uint32_t FreeClusterClaims::FreeClusterAt(uint64_t n) const
{
    const size_t k =
        static_cast<size_t>(std::upper_bound(m_freeBefore.begin(), m_freeBefore.end(), n) - m_freeBefore.begin()) - 1;
    return static_cast<uint32_t>(m_runs[k].first + (n - m_freeBefore[k]));
}

bool FreeClusterClaims::OtherFolderBetween(uint32_t a, uint32_t b, uint64_t owner, uint32_t made) const
{
    const auto folder = m_folders.upper_bound(a);
    if (folder != m_folders.end() && *folder < b)
        return true;
    // Asked for every later cluster that only this folder could go on into: the claims between are
    // not walked one by one each time (a card of many deleted files between two folders' clusters).
    if (!m_ownerBlocksBuilt) {
        m_ownerBlocks.Build(m_owners);
        m_ownerBlocksBuilt = true;
    }
    return m_ownerBlocks.OtherBetween(a, b, owner, made);
}

void FreeClusterClaims::Claim(uint32_t first, uint64_t count)
{
    Add(first, count, UINT32_MAX);
}

void FreeClusterClaims::Add(uint32_t first, uint64_t count, uint32_t written)
{
    if (count == 0 || !IsFree(first) || IsFolders(first))
        return;
    uint64_t from = FreeBefore(first);
    uint64_t to = ClaimEnd(first, count);
    // Joined with the claims it touches, so that they stay disjoint.
    auto it = m_claims.upper_bound(from);
    if (it != m_claims.begin() && std::prev(it)->second.end >= from) {
        --it;
        from = it->first;
        to = std::max(to, it->second.end);
        written = std::max(written, it->second.written);
        it = m_claims.erase(it);
    }
    while (it != m_claims.end() && it->first <= to) {
        to = std::max(to, it->second.end);
        written = std::max(written, it->second.written);
        it = m_claims.erase(it);
    }
    m_claims.emplace(from, Range{to, written});
}

bool FreeClusterClaims::IsClaimed(uint32_t index) const
{
    return ClaimWritten(index) != 0;
}

uint32_t FreeClusterClaims::ClaimWritten(uint32_t index) const
{
    if (!IsFree(index))
        return 0;
    const uint64_t at = FreeBefore(index);
    const auto it = m_claims.upper_bound(at);
    return it != m_claims.begin() && at < std::prev(it)->second.end ? std::max<uint32_t>(std::prev(it)->second.written, 1)
                                                                    : 0;
}
