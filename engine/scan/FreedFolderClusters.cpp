#include "engine/scan/FreedFolderClusters.h"

#include "engine/ScanObserver.h"
#include "engine/fat/FatDirectoryContinuation.h"
#include "engine/fat/FatDirectoryEntry.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/fat/FatTable.h"
#include "engine/listing/ResultListing.h"
#include "engine/scan/FreeClusterClaims.h"
#include "engine/scan/FreeEntryClusterReader.h"
#include "engine/scan/FreedClusterOwners.h"
#include "engine/state/EngineState.h"
#include "engine/state/FatFolderIndex.h"

#include <algorithm>
#include <cstdint>

FreedFolderClusters::FreedFolderClusters(morvick::SectorSource& disk, morvick::FatDirectoryParser::EntrySink sink,
    std::function<bool()> stopped)
    : m_disk(disk), m_sink(std::move(sink)), m_stopped(std::move(stopped)),
      m_fat32(g_VolumeParams.browsedFileSystemType == FileSystemKind::kFat32),
      m_clusterCount(ChosenVolumeClusterCount()), m_sectorsPerCluster(g_VolumeParams.sectorsPerCluster)
{
    // Copies: the block is packed, and make_unique takes its arguments by reference.
    const FileSystemKind kind = g_VolumeParams.browsedFileSystemType;
    const uint64_t firstFat = g_VolumeParams.firstFat;
    const uint32_t sectorsPerFat = g_VolumeParams.sectorsPerFat;
    if (m_clusterCount != 0 && m_sectorsPerCluster != 0 && firstFat != 0)
        m_fat = std::make_unique<morvick::FatTable>(m_disk, kind, firstFat, sectorsPerFat, m_clusterCount);
}

FreedFolderClusters::~FreedFolderClusters() = default;

morvick::FatDirectoryParser::EntrySink FreedFolderClusters::Sink()
{
    return [this](const morvick::FatFoundEntry& e) {
        // When each deleted file was written, to tell a claim of its data from a folder's later entries.
        if (e.deleted && !e.folder) {
            uint32_t& written = m_written[e.firstCluster];
            written = std::max(written, FatStampOf(e.writeDate, e.writeTime));
        }
        m_sink(e);
    };
}

void FreedFolderClusters::NoteFolderEnd(uint32_t folderCluster, uint32_t lastCluster,
    std::unique_ptr<morvick::FatDirectoryParser> parser)
{
    if (!parser || parser->Ended() || !m_fat)
        return;
    uint32_t next = 0;
    if (!m_fat->IsDataCluster(lastCluster) || m_fat->Lookup(lastCluster, next) != morvick::FatLink::Free)
        return;
    m_liveChainCut = m_liveChainCut || !parser->ParentDeleted();
    m_ends.push_back({std::move(parser), lastCluster, folderCluster});
}

bool FreedFolderClusters::Searched()
{
    // Every time, not only where a deleted folder found sets it off: a folder made again under its
    // own name takes the old one's entry and first cluster, and a later folder deleted too leaves its
    // own start there, so nothing found tells that the old folder's later clusters lie free.
    if (!m_searched)
        FindCandidates();
    return m_free != nullptr;
}

uint64_t FreedFolderClusters::FirstSector(uint32_t cluster) const
{
    return g_VolumeParams.clusterBase + uint64_t{cluster} * m_sectorsPerCluster;
}

std::vector<uint8_t> FreedFolderClusters::ClusterBytes(uint32_t cluster)
{
    std::vector<uint8_t> bytes(size_t{m_sectorsPerCluster} * kSectorSize);
    if (!m_disk.ReadSectors(FirstSector(cluster), m_sectorsPerCluster, bytes.data()))
        bytes.clear();
    // Each cluster read is a step of its own that a Stop question holds, as each of a run is.
    CurrentScanObserver().OnPausePoint();
    return bytes;
}

void FreedFolderClusters::CatchUp()
{
    // From the first record that came to the list's tail since the last walk, not from the record
    // after the last one walked: moved to the tail (a deleted folder that a live entry took,
    // FatEntryLists), that one leaves behind it the records added after it, which were never taken in.
    for (const FatFolderRecord* f = FirstFatFolderAfter(m_knownUpTo); f; f = f->next) {
        m_known.insert(f->firstCluster);
        if (m_free && f->firstCluster >= 2 && f->firstCluster - 2 < m_clusterCount)
            m_free->TakeForFolder(f->firstCluster - 2);
    }
    m_knownUpTo = FatFolderTailMark();
    if (!m_free)
        return;
    const uint32_t bytesPerCluster = m_sectorsPerCluster * static_cast<uint32_t>(kSectorSize);
    for (const FatEntryRecord* e = m_entriesUpTo ? m_entriesUpTo->next : g_FatEntries.head; e; e = e->next) {
        if (e->deleted != 0 && e->firstCluster >= 2 && e->firstCluster - 2 < m_clusterCount) {
            // The files parked under "Lost Dir" belong to the cluster they were listed from.
            uint64_t owner = e->parentCluster;
            if (e->parentCluster == kLostDirCluster) {
                const auto it = m_lostOwners.find(e->firstCluster);
                if (it != m_lostOwners.end())
                    owner = it->second;
            }
            const auto written = m_written.find(e->firstCluster);
            const uint32_t last = m_free->Claim(e->firstCluster - 2,
                (uint64_t{e->size} + bytesPerCluster - 1) / bytesPerCluster, owner,
                written != m_written.end() ? written->second : UINT32_MAX);
            // Past the file's last byte, its last cluster keeps what it held before, from the next
            // entry's place on: read with the free clusters, or, for a file found since, once after
            // the clusters found are listed.
            const uint32_t used = e->size % bytesPerCluster;
            const uint32_t entries = (used + morvick::kFatDirectoryEntrySize - 1) / morvick::kFatDirectoryEntrySize *
                static_cast<uint32_t>(morvick::kFatDirectoryEntrySize);
            if (last != UINT32_MAX && used != 0 && entries < bytesPerCluster) {
                if (!m_searched)
                    m_tails.emplace(last, entries);
                else if (m_lateTailClusters.insert(last).second)
                    m_lateTails.push_back({last + 2, entries});
            }
        }
        m_entriesUpTo = e;
    }
}

void FreedFolderClusters::FindCandidates()
{
    m_searched = true;
    if (!m_fat)
        return;
    const VolumeParameterBlock& b = g_VolumeParams;
    m_free = std::make_unique<FreeClusterClaims>(m_disk, b, m_clusterCount, m_stopped);
    m_searched = false;
    CatchUp();
    m_searched = true;
    const EntryTypeVolume volume{m_fat32, m_clusterCount, b.clusterBase, m_sectorsPerCluster};
    FreeEntryClusterReader reader(m_disk, *m_free, volume, m_stopped);
    reader.Read(m_tails, m_liveChainCut);
    m_tails.clear();
    m_candidates = std::move(reader.candidates);
    m_lostStarts = std::move(reader.starts);
    if (m_stopped && m_stopped())
        return;
    m_owners = std::make_unique<FreedClusterOwners>(*m_free, m_fat32, [this](uint32_t c) { return ClusterBytes(c); });
    std::vector<FreedClusterOwners::FolderEnd> ends;
    for (const End& end : m_ends)
        ends.push_back({end.cluster, end.parser.get(), end.owner, !end.parser->ParentDeleted()});
    m_owners->Decide(m_candidates, m_lostStarts, ends);
}

size_t FreedFolderClusters::CandidateAt(uint32_t cluster) const
{
    const auto it = std::lower_bound(m_candidates.begin(), m_candidates.end(), cluster,
        [](const FreeEntryCluster& c, uint32_t value) { return c.cluster < value; });
    return it != m_candidates.end() && it->cluster == cluster ? static_cast<size_t>(it - m_candidates.begin())
                                                              : m_candidates.size();
}

bool FreedFolderClusters::Judge(size_t k)
{
    CatchUp();
    FreeEntryCluster& c = m_candidates[k];
    // A deleted file found since claims it: its data, unless the entries were made after the file.
    if (!c.used && c.dataBytes == 0 && m_free->IsClaimed(c.cluster - 2) && !FreedClusterOwners::LaterThanClaim(c, *m_free))
        c.used = true;
    return !c.used;
}

void FreedFolderClusters::Take(size_t k)
{
    FreeEntryCluster& c = m_candidates[k];
    c.used = true;
    m_free->TakeForFolder(c.cluster - 2);
}

void FreedFolderClusters::Parse(uint32_t folder, uint32_t cluster, const std::vector<uint8_t>& bytes, size_t from,
    bool liveFolders)
{
    // The entries of a free cluster are deleted whatever their first byte: no live folder holds them.
    // Not in a live folder's cluster that the FATs gave free: its live files keep their chains, and
    // are saved by them (as deleted files they would take no cluster in use, and come out empty).
    // The clusters parked under "Lost Dir" are each a folder of their own, for the claims of their files.
    const uint64_t owner = folder != kLostDirCluster ? folder : (uint64_t{1} << 32) | cluster;
    auto sink = [this, owner](const morvick::FatFoundEntry& e) {
        if (e.parentCluster == kLostDirCluster && !e.folder)
            m_lostOwners.emplace(e.firstCluster, owner);
        Sink()(e);
    };
    auto parser = std::make_unique<morvick::FatDirectoryParser>(m_fat32, folder, !liveFolders, sink);
    parser->SetStopTest(m_stopped);
    parser->Feed(bytes.data() + from, bytes.size() - from);
    m_ends.push_back({std::move(parser), cluster, owner});
}

bool FreedFolderClusters::AttachToTheirFolders()
{
    if (!Searched() || !m_owners)
        return false;
    bool attached = false;
    // Each end once: the cluster that goes on from its cluster, and from that one, while each is
    // still entries (a file found since may claim one).
    for (; m_endsDone < m_ends.size() && !(m_stopped && m_stopped()); ++m_endsDone) {
        End& end = m_ends[m_endsDone];
        for (uint32_t next = m_owners->Next(end.cluster); next != 0; next = m_owners->Next(end.cluster)) {
            const size_t k = CandidateAt(next);
            if (k == m_candidates.size() || !Judge(k))
                break;
            const std::vector<uint8_t> bytes = ClusterBytes(next);
            if (bytes.empty())
                break;
            Take(k);
            end.parser->Feed(bytes.data(), bytes.size());
            end.cluster = next;
            attached = true;
        }
        end.parser.reset();
    }
    return attached;
}

void FreedFolderClusters::Known(const FatFolderRecord* appended)
{
    // Appended at the tail after CatchUp walked the list: the walk goes on after it.
    if (appended)
        m_knownUpTo = FatFolderTailMark();
}

uint32_t FreedFolderClusters::ParkingFolder(bool hasParent, uint32_t parent)
{
    // The folders known so far by their first cluster (CatchUp walked them).
    CatchUp();
    if (m_known.insert(kLostDirCluster).second)
        Known(AppendNewFatFolder(u"Lost Dir", kLostDirCluster, 0, 0, 0, 0, 0));
    if (!hasParent)
        return kLostDirCluster;
    // A parent whose own entry was not found stands under "Lost Dir" by its cluster, as the folders
    // of a found volume whose parent is missing do.
    if (m_known.insert(parent).second)
        Known(AppendNewFatFolder(u"Dir" + DecimalText(parent), parent, kLostDirCluster, 0, 0, 0, 0));
    return parent;
}

void FreedFolderClusters::Adopt(const FreeFolderStart& start)
{
    // Under the folder its ".." names only where that folder's first cluster is free: where the FATs
    // give it to a folder, that one may be a later folder made there, not the deleted parent.
    const bool hasParent = start.parent >= 2 && start.parent - 2 < m_clusterCount && start.parent != start.cluster &&
        m_free->IsFree(start.parent - 2);
    const uint32_t parent = ParkingFolder(hasParent, start.parent);
    m_known.insert(start.cluster);
    m_free->TakeForFolder(start.cluster - 2);
    Known(AppendNewFatFolder(u"Dir" + DecimalText(start.cluster), start.cluster, parent, start.writeDate,
        start.accessDate, 0, 1));
}

bool FreedFolderClusters::AdoptLostStart(bool named)
{
    for (; m_startAt < m_lostStarts.size() && !(m_stopped && m_stopped()); ++m_startAt) {
        const FreeFolderStart& start = m_lostStarts[m_startAt];
        if (!named && start.named)
            return false;
        CatchUp();
        // Named meanwhile by a folder read since, or claimed as a file's data.
        if (m_known.count(start.cluster) != 0 || m_free->IsClaimed(start.cluster - 2))
            continue;
        Adopt(start);
        ++m_startAt;
        return true;
    }
    return false;
}

bool FreedFolderClusters::ParkFrom(const std::vector<size_t>& order)
{
    size_t& at = &order == &m_parkOrder ? m_parkAt : m_linkedAt;
    while (at < order.size() && !(m_stopped && m_stopped()) && !Judge(order[at]))
        ++at;
    if (at == order.size() || (m_stopped && m_stopped()))
        return false;
    const size_t k = order[at];
    Take(k);
    const FreeEntryCluster& c = m_candidates[k];
    const std::vector<uint8_t> bytes = ClusterBytes(c.cluster);
    if (!bytes.empty())
        Parse(ParkingFolder(c.hasParent, c.parent), c.cluster, bytes, c.dataBytes + c.nameTailBytes, c.liveChain);
    return true;
}

bool FreedFolderClusters::ParkLateTail()
{
    const uint32_t bytesPerCluster = m_sectorsPerCluster * static_cast<uint32_t>(kSectorSize);
    for (; m_lateTailAt < m_lateTails.size() && !(m_stopped && m_stopped()); ++m_lateTailAt) {
        const LateTail tail = m_lateTails[m_lateTailAt];
        if (m_free->IsFolders(tail.cluster - 2) || CandidateAt(tail.cluster) != m_candidates.size())
            continue;
        const std::vector<uint8_t> bytes = ClusterBytes(tail.cluster);
        if (bytes.size() != bytesPerCluster ||
            !morvick::IsFatDirectoryContinuation(bytes.data() + tail.dataBytes, bytesPerCluster - tail.dataBytes,
                m_fat32, m_clusterCount, bytesPerCluster))
            continue;
        m_free->TakeForFolder(tail.cluster - 2);
        Parse(ParkingFolder(false, 0), tail.cluster, bytes, tail.dataBytes, false);
        ++m_lateTailAt;
        return true;
    }
    return false;
}

bool FreedFolderClusters::ParkNext()
{
    if (!Searched() || !m_owners)
        return false;
    // The lost folders first that no free cluster of entries names: the clusters that go on from them
    // attach to them by their names.
    if (AdoptLostStart(false))
        return true;
    if (m_parkOrder.empty() && m_linkedOrder.empty() && !m_candidates.empty()) {
        // Clusters that begin with a whole entry first: one that begins inside a name is more likely
        // to go on from another, and parked after it when it does. Those whose subfolders name their
        // folder last: that folder may yet be found in another.
        // Not one whose entries name nothing to save (empty files, or data outside the volume or in
        // use): nothing ties it to a folder, and a deleted file's data shaped as entries would give
        // files of no bytes by the hundred thousand. Its entries still come back where it goes on
        // from a folder's cluster.
        for (size_t k = 0; k < m_candidates.size(); ++k) {
            const FreeEntryCluster& c = m_candidates[k];
            if (c.admitted && c.namesData)
                (c.linked ? m_linkedOrder : m_parkOrder).push_back(k);
        }
        auto rank = [this](size_t k) {
            return (m_candidates[k].hasParent ? 2 : 0) + (m_candidates[k].nameTailBytes != 0 ? 1 : 0);
        };
        std::stable_sort(m_parkOrder.begin(), m_parkOrder.end(),
            [&rank](size_t x, size_t y) { return rank(x) < rank(y); });
    }
    return ParkFrom(m_parkOrder) || AdoptLostStart(true) || ParkFrom(m_linkedOrder) || ParkLateTail();
}
