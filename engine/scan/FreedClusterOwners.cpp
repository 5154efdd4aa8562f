#include "engine/scan/FreedClusterOwners.h"

#include "engine/scan/CutNameContinuations.h"
#include "engine/scan/FreeClusterClaims.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <set>

// A cluster of entries whose folder may go on after it: a folder's last cluster found, a free folder
// start, or a free cluster of entries, none of them with an end entry.
struct FreedClusterOwners::Open {
    enum class Kind { kEnd, kStart, kCluster } kind;
    size_t index = 0;
    bool liveChain = false;  // a live folder's whose chain the FATs cut, or live entries that go on from one
    // The folder its files' claims are made for (FreeClusterClaims::Claim), as the search will list
    // them: a folder found, a folder start, the one it goes on from, its subfolders' parent, or itself
    // under "Lost Dir".
    uint64_t owner = 0;
};

FreedClusterOwners::FreedClusterOwners(const FreeClusterClaims& free, bool fat32, ClusterReader read)
    : m_free(free), m_fat32(fat32), m_read(std::move(read))
{
}

FreedClusterOwners::~FreedClusterOwners() = default;

uint32_t FreedClusterOwners::Next(uint32_t cluster) const
{
    const auto it = m_next.find(cluster);
    return it != m_next.end() ? it->second : 0;
}

bool FreedClusterOwners::LaterThanClaim(const FreeEntryCluster& c, const FreeClusterClaims& free)
{
    // The entries that the file's data covers were written after it: a later folder's, not its data.
    const uint32_t written = free.ClaimWritten(c.cluster - 2);
    return written != 0 && written != UINT32_MAX && c.made != UINT32_MAX && c.made > written;
}

bool FreedClusterOwners::GoesOn(const Open& from, const FreeEntryCluster& next,
    const std::vector<FreeEntryCluster>& candidates, const std::vector<FolderEnd>& ends)
{
    // The parts that wait at the end of the folder's cluster: the folder's own parser, or a cluster's
    // read again (only where it ends in a name and no other folder can go on into the next).
    uint32_t cluster = 0;
    const morvick::FatDirectoryParser* parser = nullptr;
    std::unique_ptr<morvick::FatDirectoryParser> own;
    if (from.kind == Open::Kind::kEnd) {
        cluster = ends[from.index].cluster;
        parser = ends[from.index].parser;
    } else {
        const bool start = from.kind == Open::Kind::kStart;
        size_t skip = 0;
        if (start) {
            if (!m_startEndsInName[from.index])
                return false;
            cluster = m_startClusters[from.index];
        } else {
            const FreeEntryCluster& c = candidates[from.index];
            if (!c.endsInName)
                return false;
            cluster = c.cluster;
            skip = c.dataBytes + c.nameTailBytes;
        }
        const std::vector<uint8_t> bytes = m_read(cluster);
        if (bytes.size() <= skip)
            return false;
        own = std::make_unique<morvick::FatDirectoryParser>(m_fat32, cluster, true, [](const morvick::FatFoundEntry&) {});
        own->Feed(bytes.data() + skip, bytes.size() - skip);
        parser = own.get();
    }
    uint8_t checksum = 0;
    if (!parser || !parser->PendingNameChecksum(checksum) || !m_continuations->OnlyOneAfter(next, cluster))
        return false;
    const std::vector<uint8_t> bytes = m_read(next.cluster);
    if (bytes.empty())
        return false;
    using Join = morvick::FatDirectoryParser::NameJoin;
    const Join join = parser->HowNameGoesOnInto(bytes.data(), bytes.size());
    if (join == Join::kByNumbers)
        return true;
    // The parts of a deleted name lost their numbers, and their checksum (8 bits) is shared by many
    // names (numbered short names repeat from folder to folder): only the folder's next cluster goes
    // on with them. Where a file or folder the FATs keep, a folder's start, or a file of another
    // folder written after the cluster's entries lies between, that one may have taken the cluster
    // that went on with the name: the file keeps its short name rather than one made up of two
    // others. Entries not marked deleted are a file's data (no deleted folder's name goes on into them).
    const uint32_t a = cluster - 2;
    const uint32_t b = next.cluster - 2;
    const auto start = std::upper_bound(m_startClusters.begin(), m_startClusters.end(), cluster);
    return join == Join::kByChecksum && !next.live && m_free.InOneRun(a, b) &&
        !m_free.OtherFolderBetween(a, b, from.owner, next.made) && (start == m_startClusters.end() || *start >= next.cluster);
}

void FreedClusterOwners::Decide(std::vector<FreeEntryCluster>& candidates, const std::vector<FreeFolderStart>& starts,
    const std::vector<FolderEnd>& ends)
{
    m_startClusters.clear();
    m_startEndsInName.clear();
    m_continuations = std::make_unique<CutNameContinuations>(candidates);
    std::vector<const FreeFolderStart*> byCluster;
    for (const FreeFolderStart& s : starts)
        byCluster.push_back(&s);
    std::sort(byCluster.begin(), byCluster.end(),
        [](const FreeFolderStart* x, const FreeFolderStart* y) { return x->cluster < y->cluster; });
    for (const FreeFolderStart* s : byCluster) {
        m_startClusters.push_back(s->cluster);
        m_startEndsInName.push_back(s->endsInName);
    }
    std::vector<size_t> endOrder(ends.size());
    for (size_t i = 0; i < ends.size(); ++i)
        endOrder[i] = i;
    std::sort(endOrder.begin(), endOrder.end(), [&ends](size_t x, size_t y) { return ends[x].cluster < ends[y].cluster; });

    // The folders that can go on, by the name their last cluster ends in (kNoName: a whole entry) and
    // by that cluster: those met so far (clusters before the one decided) whose next cluster is not known.
    std::array<std::map<uint32_t, Open>, kNoName + 1> open;
    std::array<std::set<uint32_t>, kNoName + 1> liveChains;  // the clusters of those that are liveChain
    auto add = [&](uint16_t pending, uint32_t cluster, const Open& o) {
        if (open[pending].emplace(cluster, o).second && o.liveChain)
            liveChains[pending].insert(cluster);
    };
    auto close = [&](uint16_t key, uint32_t cluster) {
        open[key].erase(cluster);
        liveChains[key].erase(cluster);
    };
    size_t e = 0;
    size_t s = 0;
    for (size_t k = 0; k < candidates.size(); ++k) {
        FreeEntryCluster& c = candidates[k];
        for (; e < endOrder.size() && ends[endOrder[e]].cluster < c.cluster; ++e) {
            const FolderEnd& end = ends[endOrder[e]];
            uint8_t checksum = 0;
            add(end.parser && end.parser->PendingNameChecksum(checksum) ? checksum : kNoName, end.cluster,
                {Open::Kind::kEnd, endOrder[e], end.live, end.owner});
        }
        for (; s < byCluster.size() && byCluster[s]->cluster < c.cluster; ++s) {
            if (byCluster[s]->full)
                add(byCluster[s]->pending, byCluster[s]->cluster, {Open::Kind::kStart, s, false, byCluster[s]->cluster});
        }
        // 1. A file's data.
        if (c.dataBytes == 0 && m_free.IsClaimed(c.cluster - 2) && !LaterThanClaim(c, m_free))
            continue;
        // 2. The folders that can go on into it: one that ends with a whole entry goes on with a whole
        // one (a name's end part or a short entry, not one whose numeric tail tells that its long
        // name's parts come before it), one that ends inside a name with the rest of that name (its
        // checksum). A file's data before its entries leaves no folder going on into it.
        std::array<uint16_t, 2> keys = {kNoName, kNoName};
        size_t keyCount = 0;
        bool anyName = false;
        if (c.dataBytes == 0) {
            if (c.nameTailBytes == 0 && !c.leadEndsName)
                keys[keyCount++] = kNoName;
            if (c.nameTailBytes != 0 || c.leadShort) {
                if (c.lead != kNoName)
                    keys[keyCount++] = c.lead;
                else
                    anyName = true;  // a deleted short entry: its name's checksum is not known
            }
        }
        size_t competitors = 0;
        const Open* only = nullptr;
        uint32_t onlyCluster = 0;
        // The nearest cut live chain that can go on into it, and the key it waits under.
        uint16_t chainKey = kNoName;
        uint32_t chainCluster = 0;
        auto look = [&](uint16_t key) {
            competitors += open[key].size();
            if (!liveChains[key].empty() && *liveChains[key].rbegin() >= chainCluster) {
                chainKey = key;
                chainCluster = *liveChains[key].rbegin();
            }
            if (open[key].size() == 1) {
                only = &open[key].begin()->second;
                onlyCluster = open[key].begin()->first;
            }
        };
        if (anyName) {
            for (uint16_t key = 0; key < (c.leadEndsName ? kNoName : kNoName + 1); ++key)
                look(key);
        } else {
            for (size_t i = 0; i < keyCount; ++i)
                look(keys[i]);
        }
        // 3. Live entries: only the one cluster that goes on from a cut live chain, the nearest before
        // it, is read as that chain's entries; the chain is closed then, and goes on again only from
        // that cluster where its last entry slot is used.
        c.liveChain = c.live && chainCluster != 0;
        if (c.live && !c.typed && !c.liveChain)
            continue;
        c.admitted = true;
        // 4. The one folder that can go on into it, where a name runs on.
        // The files parked under "Lost Dir" are each a folder of their own, for the claims of their files.
        uint64_t owner = c.hasParent ? c.parent : (uint64_t{1} << 32) | c.cluster;
        if (competitors == 1 && GoesOn(*only, c, candidates, ends)) {
            owner = only->owner;
            m_next[onlyCluster] = c.cluster;
            c.linked = true;
            m_continuations->Linked(c);
            for (size_t key = 0; key < open.size(); ++key) {
                if (open[key].count(onlyCluster) != 0) {
                    close(static_cast<uint16_t>(key), onlyCluster);
                    break;
                }
            }
        }
        if (c.liveChain)
            close(chainKey, chainCluster);
        if (c.full)
            add(c.pending, c.cluster, {Open::Kind::kCluster, k, c.liveChain, owner});
    }
}
