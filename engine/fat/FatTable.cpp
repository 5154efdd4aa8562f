#include "engine/fat/FatTable.h"

#include "engine/volume/PartitionFileSystem.h"
#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"

#include <unordered_set>

namespace morvick {

namespace {
// Enough for the whole FAT of volumes of several GiB; beyond it the cache starts again.
constexpr size_t kMaxCachedSectors = 8192;
}  // namespace

FatTable::FatTable(SectorSource& disk, FileSystemKind fileSystem, uint64_t fatStart, uint32_t sectorsPerFat,
    uint32_t clusterCount)
    : m_disk(disk), m_fileSystem(fileSystem), m_fatStart(fatStart), m_sectorsPerFat(sectorsPerFat),
      m_clusterCount(clusterCount)
{}

const uint8_t* FatTable::Sector(uint64_t index)
{
    auto it = m_cache.find(index);
    if (it != m_cache.end())
        return it->second.data();
    std::vector<uint8_t> bytes(kSectorSize);
    if (!m_disk.ReadSectors(m_fatStart + index, 1, bytes.data()))
        return nullptr;
    if (m_cache.size() >= kMaxCachedSectors)
        m_cache.clear();
    return m_cache.emplace(index, std::move(bytes)).first->second.data();
}

uint32_t FatTable::EntryAt(const uint8_t* sector, uint32_t slot) const
{
    return m_fileSystem == FileSystemKind::kFat32 ? ReadLittleEndian32(sector + slot * 4) & 0x0FFFFFFFu
                                                  : ReadLittleEndian16(sector + slot * 2);
}

bool FatTable::BeginsWithMediaEntry()
{
    const uint8_t* sector = m_fatStart != 0 && m_sectorsPerFat != 0 ? Sector(0) : nullptr;
    return sector != nullptr && sector[0] >= 0xF0 && sector[1] == 0xFF;
}

bool FatTable::SectorMayHoldFree(uint32_t cluster)
{
    const uint64_t index = cluster / EntriesPerSector();
    const uint8_t* sector = index < m_sectorsPerFat ? Sector(index) : nullptr;
    if (sector == nullptr)
        return true;
    for (uint32_t i = 0; i < EntriesPerSector(); ++i) {
        if (EntryAt(sector, i) == 0)
            return true;
    }
    return false;
}

FatLink FatTable::Lookup(uint32_t cluster, uint32_t& next)
{
    next = 0;
    if (m_fatStart == 0 || (m_fileSystem != FileSystemKind::kFat16 && m_fileSystem != FileSystemKind::kFat32))
        return FatLink::Unreadable;
    const bool fat32 = m_fileSystem == FileSystemKind::kFat32;
    const uint64_t index = cluster / EntriesPerSector();
    if (index >= m_sectorsPerFat)
        return FatLink::Invalid;
    const uint8_t* sector = Sector(index);
    if (!sector)
        return FatLink::Unreadable;
    // FAT32 entries are masked to their 28 bits (the top four are reserved, and a FAT that sets them
    // would send chains out of the volume), and every end mark ends a chain, not the all-ones value
    // alone: chains that end in 0x0FFFFFF8 (or 0xFFF8) would be followed into a cluster of that number.
    const uint32_t value = EntryAt(sector, cluster % EntriesPerSector());
    next = value;
    if (value >= (fat32 ? 0x0FFFFFF8u : 0xFFF8u))
        return FatLink::End;
    if (value == (fat32 ? 0x0FFFFFF7u : 0xFFF7u))
        return FatLink::Bad;
    if (value == 0)
        return FatLink::Free;
    return IsDataCluster(value) ? FatLink::Next : FatLink::Invalid;
}

std::vector<uint32_t> FollowClusterChain(FatTable& fat, uint32_t first, size_t limit,
    const std::function<bool()>& stopRequested, FatChainEnd* end)
{
    FatChainEnd ended = FatChainEnd::Limit;
    std::vector<uint32_t> chain;
    if (!fat.IsDataCluster(first) || limit == 0) {
        if (end)
            *end = limit == 0 ? FatChainEnd::Limit : FatChainEnd::Broken;
        return chain;
    }
    // A cluster met a second time ends the chain: a looped FAT would otherwise repeat the same
    // clusters up to the limit, and save them again and again as the file's data.
    std::unordered_set<uint32_t> seen;
    uint32_t c = first;
    chain.push_back(c);
    seen.insert(c);
    while (chain.size() < limit) {
        if (stopRequested && stopRequested()) {
            ended = FatChainEnd::Stopped;
            break;
        }
        uint32_t next = 0;
        const FatLink link = fat.Lookup(c, next);
        if (link != FatLink::Next || !seen.insert(next).second) {
            ended = link == FatLink::End ? FatChainEnd::EndMark : FatChainEnd::Broken;
            break;
        }
        chain.push_back(next);
        c = next;
    }
    if (end)
        *end = ended;
    return chain;
}

std::vector<uint32_t> FollowFreeClusters(FatTable& fat, uint32_t first, size_t count,
    const std::function<bool()>& stopRequested, bool* cut)
{
    std::vector<uint32_t> clusters;
    uint32_t next = 0;
    if (cut)
        *cut = false;
    if (count == 0 || !fat.IsDataCluster(first))
        return clusters;
    const FatLink own = fat.Lookup(first, next);
    if (own != FatLink::Free && own != FatLink::Unreadable)
        return clusters;
    clusters.push_back(first);
    for (uint32_t c = first + 1; clusters.size() < count && fat.IsDataCluster(c); ++c) {
        if (stopRequested && stopRequested())
            break;
        // A FAT sector without a free entry is passed over whole: a volume full after the file's
        // first cluster is walked a FAT sector at a time.
        if (c % fat.EntriesPerSector() == 0 && !fat.SectorMayHoldFree(c)) {
            if (cut)
                *cut = true;
            c += fat.EntriesPerSector() - 1;
            continue;
        }
        const FatLink link = fat.Lookup(c, next);
        if (link == FatLink::Free || link == FatLink::Unreadable)
            clusters.push_back(c);
        else if (link != FatLink::Bad && cut)
            *cut = true;
    }
    return clusters;
}

std::vector<uint32_t> FollowFolderChain(FatTable& first, FatTable* second, uint32_t cluster, size_t limit,
    const std::function<bool()>& stopRequested)
{
    FatChainEnd end = FatChainEnd::EndMark;
    std::vector<uint32_t> chain = FollowClusterChain(first, cluster, limit, stopRequested, &end);
    if (end != FatChainEnd::Broken || second == nullptr)
        return chain;
    FatChainEnd otherEnd = FatChainEnd::EndMark;
    std::vector<uint32_t> other = FollowClusterChain(*second, cluster, limit, stopRequested, &otherEnd);
    const bool further =
        other.size() > chain.size() || (other.size() == chain.size() && otherEnd != FatChainEnd::Broken);
    return further ? other : chain;
}

}  // namespace morvick
