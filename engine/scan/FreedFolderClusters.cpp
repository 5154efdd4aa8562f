#include "engine/scan/FreedFolderClusters.h"

#include "engine/ScanObserver.h"
#include "engine/fat/FatDirectoryContinuation.h"
#include "engine/fat/FatDirectoryEntry.h"
#include "engine/fat/FatDirectoryStart.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/fat/FatTable.h"
#include "engine/listing/ResultListing.h"
#include "engine/scan/FreeClusterClaims.h"
#include "engine/state/EngineState.h"
#include "engine/util/PageAlignedBuffer.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace {

// What one search reads at a time.
constexpr uint64_t kReadBytes = 1024 * 1024;
// The subfolders of a cluster whose first sector is read to learn their parent.
constexpr size_t kMaxSubfoldersAsked = 16;
// How many lost folders' parents are followed to order them parents first: more is a loop.
constexpr size_t kMaxLostStartDepth = 64;

}  // namespace

struct FreedFolderClusters::Candidate {
    uint32_t cluster = 0;
    // The bytes of a deleted file's data before its entries: the file ends in this cluster, and the
    // rest of it kept the entries of the folder that had it before.
    uint32_t dataBytes = 0;
    size_t nameTailBytes = 0;  // LeadingNameTailBytes of its bytes after dataBytes
    // It holds entries not marked deleted: a file's data, unless a live folder's numbered name runs
    // on into it (a live folder whose chain was cut in the FAT).
    bool live = false;
    bool used = false;
    bool hasParent = false;  // its subfolders name one parent, not the root
    uint32_t parent = 0;
    // One of its entries names something on the disk: a file of some bytes or a folder, whose first
    // cluster lies in the volume and, for a deleted entry, is free.
    bool namesData = false;
    std::vector<uint32_t> subfolders;
};

struct FreedFolderClusters::LostStart {
    uint32_t cluster = 0;
    uint32_t parent = 0;  // its ".." entry's cluster
    uint16_t writeDate = 0;
    uint16_t accessDate = 0;
    size_t depth = 0;    // how many lost folders lie above it
    bool named = false;  // a folder entry of a free cluster of entries names it
};

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
    return [this](const morvick::FatFoundEntry& e) { m_sink(e); };
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
    // Each cluster read is a step of its own that a Stop question holds.
    CurrentScanObserver().OnPausePoint();
    std::vector<uint8_t> bytes(size_t{m_sectorsPerCluster} * kSectorSize);
    if (!m_disk.ReadSectors(FirstSector(cluster), m_sectorsPerCluster, bytes.data()))
        bytes.clear();
    return bytes;
}

void FreedFolderClusters::CatchUp()
{
    // A record moved to the list's tail (a deleted folder that a live entry took) leaves the last one
    // walked without a next though others follow it: the walk starts again at the head.
    if (m_knownUpTo && !m_knownUpTo->next && m_knownUpTo != g_FatFolders.tail)
        m_knownUpTo = nullptr;
    for (const FatFolderRecord* f = m_knownUpTo ? m_knownUpTo->next : g_FatFolders.head; f; f = f->next) {
        m_known.insert(f->firstCluster);
        if (m_free && f->firstCluster >= 2 && f->firstCluster - 2 < m_clusterCount)
            m_free->TakeForFolder(f->firstCluster - 2);
        m_knownUpTo = f;
    }
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
            const uint32_t last =
                m_free->Claim(e->firstCluster - 2, (uint64_t{e->size} + bytesPerCluster - 1) / bytesPerCluster, owner);
            // Past the file's last byte, its last cluster keeps what it held before, from the next
            // entry's place on.
            const uint32_t used = e->size % bytesPerCluster;
            const uint32_t entries = (used + morvick::kFatDirectoryEntrySize - 1) / morvick::kFatDirectoryEntrySize *
                static_cast<uint32_t>(morvick::kFatDirectoryEntrySize);
            if (last != UINT32_MAX && used != 0 && entries < bytesPerCluster)
                m_tails.emplace(last, entries);
        }
        m_entriesUpTo = e;
    }
}

void FreedFolderClusters::FindCandidates()
{
    m_searched = true;
    if (!m_fat)
        return;
    m_free = std::make_unique<FreeClusterClaims>(m_disk, g_VolumeParams, m_clusterCount, m_stopped);
    CatchUp();
    ReadFreeClusters();
    FindParents();
    OrderLostStarts();
}

void FreedFolderClusters::ReadFreeClusters()
{
    const VolumeParameterBlock& b = g_VolumeParams;
    const uint32_t bytesPerCluster = m_sectorsPerCluster * static_cast<uint32_t>(kSectorSize);
    const uint32_t perRead = static_cast<uint32_t>(std::max<uint64_t>(1, kReadBytes / bytesPerCluster));
    PageAlignedBuffer buffer(size_t{perRead} * bytesPerCluster);
    ScanObserver& observer = CurrentScanObserver();
    int shown = -1;
    auto test = [&](uint32_t index, const uint8_t* cluster) {
        const auto tail = m_tails.find(index);
        const uint32_t dataBytes = tail != m_tails.end() ? tail->second : 0;
        const uint8_t* bytes = cluster + dataBytes;
        const uint32_t size = bytesPerCluster - dataBytes;
        if (!morvick::IsFatDirectoryContinuation(bytes, size, m_fat32, m_clusterCount, bytesPerCluster)) {
            if (dataBytes != 0)
                return;
            // A folder's first cluster: its "." entry names the cluster itself, and its other entries
            // pass the test of a later cluster's. The first clusters of the folders found are not
            // read: no folder found names this one.
            constexpr size_t kDots = 2 * morvick::kFatDirectoryEntrySize;
            morvick::FatDirectoryStart start;
            // A free one is a deleted folder's, whose entries are marked deleted too.
            if (morvick::ReadFatDirectoryStart(bytes, bytesPerCluster, m_fat32, start) && start.cluster == index + 2 &&
                morvick::IsFatDirectoryContinuation(bytes + kDots, bytesPerCluster - kDots, m_fat32, m_clusterCount,
                    bytesPerCluster) &&
                morvick::HoldsDeletedEntriesOnly(bytes + kDots, bytesPerCluster - kDots)) {
                m_lostStarts.push_back({index + 2, start.parentCluster, start.writeDate, start.accessDate, 0});
                m_startClusters.push_back(index + 2);
            }
            return;
        }
        Candidate c;
        c.cluster = index + 2;
        c.dataBytes = dataBytes;
        c.nameTailBytes = morvick::LeadingNameTailBytes(bytes, size);
        c.live = !morvick::HoldsDeletedEntriesOnly(bytes, size);
        // The raw short entries first: most clusters name no folder, and need no parser for names.
        bool namesFolder = false;
        for (size_t off = c.nameTailBytes; off + morvick::kFatDirectoryEntrySize <= size;
             off += morvick::kFatDirectoryEntrySize) {
            const uint8_t* e = bytes + off;
            if (e[0] == 0)
                break;
            if (e[11] == morvick::kFatAttrLongName)
                continue;
            const morvick::FatShortEntry entry = morvick::DecodeFatShortEntry(e, m_fat32);
            const bool folder = (entry.attributes & morvick::kFatAttrDirectory) != 0;
            namesFolder = namesFolder || folder;
            const bool inVolume = entry.firstCluster >= 2 && entry.firstCluster - 2 < m_clusterCount;
            // A live entry's data is in use: such a cluster is read only where the FATs cut a live
            // folder's chain, and its files' chains may be whole.
            const bool ours = e[0] != morvick::kFatDeletedMark || m_free->IsFree(entry.firstCluster - 2);
            if (inVolume && (folder || entry.size != 0) && ours)
                c.namesData = true;
        }
        if (namesFolder && (!c.live || m_liveChainCut)) {
            morvick::FatDirectoryParser subfolders(m_fat32, c.cluster, true,
                [this, &c](const morvick::FatFoundEntry& e) {
                    if (!e.folder)
                        return;
                    m_namedFolders.insert(e.firstCluster);
                    if (c.subfolders.size() < kMaxSubfoldersAsked)
                        c.subfolders.push_back(e.firstCluster);
                });
            subfolders.Feed(bytes + c.nameTailBytes, size - c.nameTailBytes);
        }
        m_candidates.push_back(std::move(c));
    };
    // The first clusters of the folders found, and the clusters the data of the deleted files found
    // is taken from: never entries, whatever their bytes look like.
    // A claimed cluster where a deleted file ends is read past the file's last byte.
    auto unread = [this](uint32_t i) {
        const bool claimed = m_free->IsClaimed(i) && m_tails.count(i) == 0;
        return claimed || m_free->IsFolders(i);
    };
    for (const auto& [runStart, runEnd] : m_free->Runs()) {
        uint32_t i = runStart;
        while (i < runEnd) {
            if (m_stopped && m_stopped())
                return;
            if (unread(i)) {
                ++i;
                continue;
            }
            uint32_t count = 1;
            while (count < perRead && i + count < runEnd && !unread(i + count))
                ++count;
            const uint64_t sector = b.clusterBase + uint64_t{i + 2} * m_sectorsPerCluster;
            observer.OnCurrentSector(sector);
            const int percent =
                static_cast<int>(std::min<uint64_t>(m_free->FreeBefore(i) * 100 / m_free->FreeCount(), 99));
            if (percent != shown) {
                shown = percent;
                observer.OnProgress(percent);
            }
            // Each cluster is a step of its own that a Stop question holds, not each read: the percent
            // is reported only where it changes, and a read is up to 1 MiB of clusters.
            if (m_disk.ReadSectors(sector, count * m_sectorsPerCluster, buffer.data())) {
                for (uint32_t k = 0; k < count; ++k) {
                    observer.OnPausePoint();
                    test(i + k, buffer.data() + size_t{k} * bytesPerCluster);
                }
            } else {
                // A run that cannot be read whole is read cluster by cluster: one bad sector loses no
                // other cluster.
                for (uint32_t k = 0; k < count; ++k) {
                    observer.OnPausePoint();
                    if (m_disk.ReadSectors(sector + uint64_t{k} * m_sectorsPerCluster, m_sectorsPerCluster,
                            buffer.data()))
                        test(i + k, buffer.data());
                }
            }
            i += count;
        }
    }
}

void FreedFolderClusters::FindParents()
{
    // A subfolder's ".." names the folder that held its entry: where every subfolder of a cluster
    // names the same one (not the root, whose chain is whole), the cluster is that folder's. Not
    // where that folder's first cluster is in use: the folder named was deleted, and what holds its
    // cluster now (a live folder made there later) is another.
    const VolumeParameterBlock& b = g_VolumeParams;
    ScanObserver& observer = CurrentScanObserver();
    for (size_t k = 0; k < m_candidates.size() && !(m_stopped && m_stopped()); ++k) {
        Candidate& c = m_candidates[k];
        bool agree = !c.subfolders.empty();
        uint32_t parent = 0;
        for (size_t s = 0; s < c.subfolders.size() && agree; ++s) {
            uint8_t sector[kSectorSize];
            const uint32_t sub = c.subfolders[s];
            morvick::FatDirectoryStart start;
            // Each subfolder's start read is a step of its own, as every cluster the search reads.
            observer.OnPausePoint();
            if (sub < 2 || sub - 2 >= m_clusterCount ||
                !m_disk.ReadSectors(b.clusterBase + uint64_t{sub} * m_sectorsPerCluster, 1, sector) ||
                !morvick::ReadFatDirectoryStart(sector, sizeof sector, m_fat32, start) || start.cluster != sub) {
                agree = false;
                break;
            }
            if (s == 0)
                parent = start.parentCluster;
            agree = parent == start.parentCluster;
        }
        c.subfolders.clear();
        c.subfolders.shrink_to_fit();
        if (agree && parent >= 2 && parent - 2 < m_clusterCount && parent != c.cluster && m_free->IsFree(parent - 2)) {
            c.hasParent = true;
            c.parent = parent;
        }
    }
}

void FreedFolderClusters::OrderLostStarts()
{
    // Those that a free cluster of entries names after the others, which ParkNext lists before it
    // parks such clusters, and after it too: listed there, their entry gives them their name. Parents
    // first, so that a lost folder named by another is read as that one's subfolder.
    std::unordered_map<uint32_t, uint32_t> parentOf;
    for (const LostStart& s : m_lostStarts)
        parentOf.emplace(s.cluster, s.parent);
    for (LostStart& s : m_lostStarts) {
        s.named = m_namedFolders.count(s.cluster) != 0;
        for (auto it = parentOf.find(s.parent); it != parentOf.end() && s.depth < kMaxLostStartDepth;
             it = parentOf.find(it->second))
            ++s.depth;
    }
    m_namedFolders.clear();
    std::stable_sort(m_lostStarts.begin(), m_lostStarts.end(),
        [](const LostStart& x, const LostStart& y) { return x.named != y.named ? y.named : x.depth < y.depth; });
}

bool FreedFolderClusters::Judge(size_t k)
{
    CatchUp();
    Candidate& c = m_candidates[k];
    if (!c.used && c.dataBytes == 0 && m_free->IsClaimed(c.cluster - 2))
        c.used = true;
    return !c.used;
}

void FreedFolderClusters::Take(size_t k)
{
    Candidate& c = m_candidates[k];
    c.used = true;
    m_free->TakeForFolder(c.cluster - 2);
}

bool FreedFolderClusters::NameGoesOn(const End& end, const Candidate& next, const uint8_t* data, size_t size) const
{
    using Join = morvick::FatDirectoryParser::NameJoin;
    const Join join = end.parser->HowNameGoesOnInto(data, size);
    if (join == Join::kByNumbers)
        return true;
    // The parts of a deleted name lost their numbers, and their checksum (8 bits) is shared by many
    // names (short names repeat from folder to folder): only the folder's next cluster goes on with
    // them. Where a file or folder the FATs keep, a cluster of another folder, or a file of another
    // folder (live or deleted) lies between the two clusters, that one may have taken the cluster
    // that went on with the name. Such a name is not joined: the file keeps its short name rather
    // than one made up of two others. Entries not marked deleted are a file's data (no deleted
    // folder's name goes on into them).
    const uint32_t a = end.cluster - 2;
    const uint32_t b = next.cluster - 2;
    const auto start = std::upper_bound(m_startClusters.begin(), m_startClusters.end(), end.cluster);
    return join == Join::kByChecksum && !next.live && m_free->InOneRun(a, b) &&
        !m_free->OtherFolderBetween(a, b, end.owner) && (start == m_startClusters.end() || *start >= next.cluster);
}

FreedFolderClusters::Candidate* FreedFolderClusters::NextOfName(const End& end, std::vector<uint8_t>& bytes)
{
    uint8_t checksum = 0;
    if (!end.parser->PendingNameChecksum(checksum))
        return nullptr;
    // The candidates lie in the order of their clusters: the first one after the end's cluster is
    // the only one tried, each end once, so that the search's time grows with the clusters it reads.
    // A name cut just before its short entry goes on into a cluster that begins with that entry.
    const auto next = std::upper_bound(m_candidates.begin(), m_candidates.end(), end.cluster,
        [](uint32_t cluster, const Candidate& c) { return cluster < c.cluster; });
    if (next == m_candidates.end())
        return nullptr;
    const size_t k = static_cast<size_t>(next - m_candidates.begin());
    // One that begins with a file's data does not go on with a name.
    if (next->dataBytes != 0 || !Judge(k))
        return nullptr;
    bytes = ClusterBytes(m_candidates[k].cluster);
    if (bytes.empty() || !NameGoesOn(end, m_candidates[k], bytes.data(), bytes.size()))
        return nullptr;
    Take(k);
    return &m_candidates[k];
}

void FreedFolderClusters::Parse(uint32_t folder, uint32_t cluster, const std::vector<uint8_t>& bytes, size_t from,
    bool liveFolders)
{
    // The entries of a free cluster are deleted whatever their first byte: no live folder holds them.
    // Not in a live folder's cluster that the FATs gave free: its live files keep their chains, and
    // are saved by them (as deleted files they would take no cluster in use, and come out empty).
    // The clusters parked under "Lost Dir" are each a folder of its own, for the claims of their files.
    const uint64_t owner = folder != kLostDirCluster ? folder : (uint64_t{1} << 32) | cluster;
    auto sink = [this, owner](const morvick::FatFoundEntry& e) {
        if (e.parentCluster == kLostDirCluster && !e.folder)
            m_lostOwners.emplace(e.firstCluster, owner);
        m_sink(e);
    };
    auto parser = std::make_unique<morvick::FatDirectoryParser>(m_fat32, folder, !liveFolders, sink);
    parser->SetStopTest(m_stopped);
    parser->Feed(bytes.data() + from, bytes.size() - from);
    m_ends.push_back({std::move(parser), cluster, owner});
}

bool FreedFolderClusters::AttachToTheirFolders()
{
    if (!Searched())
        return false;
    bool attached = false;
    // Names that go on: each end whose last long name waits for its short entry, in the cluster that
    // finishes that name. An end is looked at once: the clusters found only get used after that.
    for (; m_endsDone < m_ends.size() && !(m_stopped && m_stopped()); ++m_endsDone) {
        End& end = m_ends[m_endsDone];
        std::vector<uint8_t> bytes;
        while (const Candidate* next = NextOfName(end, bytes)) {
            end.parser->Feed(bytes.data(), bytes.size());
            end.cluster = next->cluster;
            attached = true;
        }
        end.parser.reset();
    }
    return attached;
}

uint32_t FreedFolderClusters::ParkingFolder(bool hasParent, uint32_t parent)
{
    // The folders known so far by their first cluster (CatchUp walked them).
    CatchUp();
    if (m_known.insert(kLostDirCluster).second)
        m_knownUpTo = AppendNewFatFolder(u"Lost Dir", kLostDirCluster, 0, 0, 0, 0, 0);
    if (!hasParent)
        return kLostDirCluster;
    // A parent whose own entry was not found stands under "Lost Dir" by its cluster, as the folders
    // of a found volume whose parent is missing do.
    if (m_known.insert(parent).second)
        m_knownUpTo = AppendNewFatFolder(u"Dir" + DecimalText(parent), parent, kLostDirCluster, 0, 0, 0, 0);
    return parent;
}

void FreedFolderClusters::Adopt(const LostStart& start)
{
    // Under the folder its ".." names only where that folder's first cluster is free: where the FATs
    // give it to a folder, that one may be a later folder made there, not the deleted parent.
    const bool hasParent = start.parent >= 2 && start.parent - 2 < m_clusterCount && start.parent != start.cluster &&
        m_free->IsFree(start.parent - 2);
    const uint32_t parent = ParkingFolder(hasParent, start.parent);
    m_known.insert(start.cluster);
    m_free->TakeForFolder(start.cluster - 2);
    m_knownUpTo = AppendNewFatFolder(u"Dir" + DecimalText(start.cluster), start.cluster, parent, start.writeDate,
        start.accessDate, 0, 1);
}

bool FreedFolderClusters::AdoptLostStart(bool named)
{
    for (; m_startAt < m_lostStarts.size() && !(m_stopped && m_stopped()); ++m_startAt) {
        const LostStart& start = m_lostStarts[m_startAt];
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

bool FreedFolderClusters::ParkNext()
{
    if (!Searched())
        return false;
    // The lost folders first that no free cluster of entries names: the clusters that go on from them
    // attach to them by their names.
    if (AdoptLostStart(false))
        return true;
    if (m_parkOrder.empty() && !m_candidates.empty()) {
        // Clusters that begin with a whole entry first: one that begins inside a name is more likely
        // to go on from another, and parked after it when it does. Those whose subfolders name their
        // folder last: that folder may yet be found in another.
        // A cluster of live entries is not parked: among free clusters it is a file's data, unless the
        // FATs cut a live folder's chain (a damaged FAT gives live folders' later clusters free).
        // Nor one whose entries name nothing to save (empty files, or data outside the volume or in
        // use): nothing ties it to a folder, and a deleted file's data shaped as entries would give
        // files of no bytes by the hundred thousand. Its entries still come back where a name of a
        // folder's cluster goes on into it.
        for (size_t k = 0; k < m_candidates.size(); ++k) {
            if ((!m_candidates[k].live || m_liveChainCut) && m_candidates[k].namesData)
                m_parkOrder.push_back(k);
        }
        auto rank = [this](size_t k) {
            return (m_candidates[k].hasParent ? 2 : 0) + (m_candidates[k].nameTailBytes != 0 ? 1 : 0);
        };
        std::stable_sort(m_parkOrder.begin(), m_parkOrder.end(),
            [&rank](size_t x, size_t y) { return rank(x) < rank(y); });
    }
    while (m_parkAt < m_parkOrder.size() && !(m_stopped && m_stopped()) && !Judge(m_parkOrder[m_parkAt]))
        ++m_parkAt;
    if (m_stopped && m_stopped())
        return false;
    if (m_parkAt == m_parkOrder.size())
        return AdoptLostStart(true);
    const size_t k = m_parkOrder[m_parkAt];
    Take(k);
    const Candidate& c = m_candidates[k];
    const std::vector<uint8_t> bytes = ClusterBytes(c.cluster);
    if (!bytes.empty())
        Parse(ParkingFolder(c.hasParent, c.parent), c.cluster, bytes, c.dataBytes + c.nameTailBytes,
            c.live && m_liveChainCut);
    return true;
}
