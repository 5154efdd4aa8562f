#include "engine/scan/FreedFolderClusters.h"

#include "engine/ScanObserver.h"
#include "engine/fat/FatDirectoryContinuation.h"
#include "engine/fat/FatDirectoryEntry.h"
#include "engine/fat/FatDirectoryStart.h"
#include "engine/fat/FatEntryLists.h"
#include "engine/fat/FatTable.h"
#include "engine/listing/ResultListing.h"
#include "engine/state/EngineState.h"
#include "engine/util/PageAlignedBuffer.h"

#include <algorithm>
#include <unordered_set>

namespace {

// What one search reads at a time.
constexpr uint64_t kReadBytes = 1024 * 1024;
// The subfolders of a cluster whose first sector is read to learn their parent.
constexpr size_t kMaxSubfoldersAsked = 16;

}  // namespace

struct FreedFolderClusters::Candidate {
    uint32_t cluster = 0;
    size_t nameTailBytes = 0;  // LeadingNameTailBytes of its bytes
    bool used = false;
    bool hasParent = false;  // its subfolders name one parent, not the root
    uint32_t parent = 0;
    std::vector<uint32_t> subfolders;
};

namespace {

// The free clusters of the volume, as index ranges [start, end) of cluster - 2, in order: free in
// every FAT, so that a cluster one FAT still gives a file is never read as entries.
class FreeRuns {
public:
    FreeRuns(morvick::SectorSource& disk, const VolumeParameterBlock& b, uint32_t clusterCount,
        const std::function<bool()>& stopped)
    {
        const FileSystemKind kind = b.browsedFileSystemType;
        morvick::FatTable first(disk, kind, b.firstFat, b.sectorsPerFat, clusterCount);
        const bool hasSecond = b.secondFat != 0 && b.secondFat != b.firstFat;
        morvick::FatTable second(disk, kind, b.secondFat, b.sectorsPerFat, clusterCount);
        uint32_t runStart = 0;
        bool inRun = false;
        for (uint32_t i = 0; i < clusterCount; ++i) {
            if ((i & 0xFFFF) == 0 && stopped && stopped()) {
                m_runs.clear();
                return;
            }
            uint32_t next = 0;
            const bool free = first.Lookup(i + 2, next) == morvick::FatLink::Free &&
                (!hasSecond || second.Lookup(i + 2, next) == morvick::FatLink::Free);
            if (free && !inRun)
                runStart = i;
            else if (!free && inRun)
                m_runs.emplace_back(runStart, i);
            inRun = free;
        }
        if (inRun)
            m_runs.emplace_back(runStart, clusterCount);
    }

    const std::vector<std::pair<uint32_t, uint32_t>>& Runs() const { return m_runs; }

    // Marks in `claimed` the first `count` free clusters from index `from`: where a deleted file's
    // data is taken from, the clusters in use passed over.
    void Claim(uint32_t from, uint64_t count, std::vector<bool>& claimed) const
    {
        auto run = std::upper_bound(m_runs.begin(), m_runs.end(), from,
            [](uint32_t value, const std::pair<uint32_t, uint32_t>& r) { return value < r.second; });
        for (; run != m_runs.end() && count != 0; ++run) {
            for (uint32_t i = std::max(from, run->first); i < run->second && count != 0; ++i, --count)
                claimed[i] = true;
        }
    }

private:
    std::vector<std::pair<uint32_t, uint32_t>> m_runs;
};

}  // namespace

FreedFolderClusters::FreedFolderClusters(morvick::SectorSource& disk, morvick::FatDirectoryParser::EntrySink sink,
    std::function<bool()> stopped)
    : m_disk(disk), m_sink(std::move(sink)), m_stopped(std::move(stopped)),
      m_fat32(g_VolumeParams.browsedFileSystemType == FileSystemKind::kFat32),
      m_clusterCount(ChosenVolumeClusterCount()), m_sectorsPerCluster(g_VolumeParams.sectorsPerCluster)
{}

FreedFolderClusters::~FreedFolderClusters() = default;

void FreedFolderClusters::NoteFolderEnd(uint32_t folderCluster, uint32_t lastCluster,
    std::unique_ptr<morvick::FatDirectoryParser> parser)
{
    const VolumeParameterBlock& b = g_VolumeParams;
    if (!parser || parser->Ended() || m_clusterCount == 0 || m_sectorsPerCluster == 0 || b.firstFat == 0)
        return;
    morvick::FatTable fat(m_disk, b.browsedFileSystemType, b.firstFat, b.sectorsPerFat, m_clusterCount);
    uint32_t next = 0;
    if (!fat.IsDataCluster(lastCluster) || fat.Lookup(lastCluster, next) != morvick::FatLink::Free)
        return;
    m_ends.push_back(std::move(parser));
}

std::vector<uint8_t> FreedFolderClusters::ClusterBytes(uint32_t cluster)
{
    std::vector<uint8_t> bytes(size_t{m_sectorsPerCluster} * kSectorSize);
    const uint64_t sector = g_VolumeParams.clusterBase + uint64_t{cluster} * m_sectorsPerCluster;
    if (!m_disk.ReadSectors(sector, m_sectorsPerCluster, bytes.data()))
        bytes.clear();
    return bytes;
}

void FreedFolderClusters::FindCandidates()
{
    m_searched = true;
    const VolumeParameterBlock& b = g_VolumeParams;
    if (m_clusterCount == 0 || m_sectorsPerCluster == 0 || b.firstFat == 0)
        return;
    const FreeRuns free(m_disk, b, m_clusterCount, m_stopped);

    // The first clusters of the folders found, and the clusters the data of the deleted files found
    // is taken from: never entries, whatever their bytes look like.
    const uint32_t bytesPerCluster = m_sectorsPerCluster * static_cast<uint32_t>(kSectorSize);
    std::vector<bool> claimed(m_clusterCount, false);
    for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next) {
        if (f->firstCluster >= 2 && f->firstCluster - 2 < m_clusterCount)
            claimed[f->firstCluster - 2] = true;
    }
    for (const FatEntryRecord* e = g_FatEntries.head; e; e = e->next) {
        if (e->deleted != 0 && e->firstCluster >= 2 && e->firstCluster - 2 < m_clusterCount)
            free.Claim(e->firstCluster - 2, (uint64_t{e->size} + bytesPerCluster - 1) / bytesPerCluster, claimed);
    }

    const uint32_t perRead = static_cast<uint32_t>(std::max<uint64_t>(1, kReadBytes / bytesPerCluster));
    PageAlignedBuffer buffer(size_t{perRead} * bytesPerCluster);
    ScanObserver& observer = CurrentScanObserver();
    auto test = [&](uint32_t index, const uint8_t* bytes) {
        if (!morvick::IsFatDirectoryContinuation(bytes, bytesPerCluster, m_fat32, m_clusterCount, bytesPerCluster))
            return;
        Candidate c;
        c.cluster = index + 2;
        c.nameTailBytes = morvick::LeadingNameTailBytes(bytes, bytesPerCluster);
        morvick::FatDirectoryParser subfolders(m_fat32, c.cluster, true, [&c](const morvick::FatFoundEntry& e) {
            if (e.folder && c.subfolders.size() < kMaxSubfoldersAsked)
                c.subfolders.push_back(e.firstCluster);
        });
        subfolders.Feed(bytes + c.nameTailBytes, bytesPerCluster - c.nameTailBytes);
        // A cluster that begins inside a name may finish one that a folder's last cluster began.
        if (c.nameTailBytes != 0)
            m_byLeadingChecksum.emplace(bytes[13], m_candidates.size());
        m_candidates.push_back(std::move(c));
    };
    for (const auto& [runStart, runEnd] : free.Runs()) {
        uint32_t i = runStart;
        while (i < runEnd) {
            if (m_stopped && m_stopped())
                return;
            if (claimed[i]) {
                ++i;
                continue;
            }
            uint32_t count = 1;
            while (count < perRead && i + count < runEnd && !claimed[i + count])
                ++count;
            const uint64_t sector = b.clusterBase + uint64_t{i + 2} * m_sectorsPerCluster;
            observer.OnCurrentSector(sector);
            if (m_disk.ReadSectors(sector, count * m_sectorsPerCluster, buffer.data())) {
                for (uint32_t k = 0; k < count; ++k)
                    test(i + k, buffer.data() + size_t{k} * bytesPerCluster);
            } else {
                // A run that cannot be read whole is read cluster by cluster: one bad sector loses no
                // other cluster.
                for (uint32_t k = 0; k < count; ++k) {
                    if (m_disk.ReadSectors(sector + uint64_t{k} * m_sectorsPerCluster, m_sectorsPerCluster,
                            buffer.data()))
                        test(i + k, buffer.data());
                }
            }
            i += count;
        }
    }

    // A subfolder's ".." names the folder that held its entry: where every subfolder of a cluster
    // names the same one (not the root, whose chain is whole), the cluster is that folder's.
    for (size_t k = 0; k < m_candidates.size(); ++k) {
        Candidate& c = m_candidates[k];
        bool agree = !c.subfolders.empty();
        uint32_t parent = 0;
        for (size_t s = 0; s < c.subfolders.size() && agree; ++s) {
            uint8_t sector[kSectorSize];
            const uint32_t sub = c.subfolders[s];
            morvick::FatDirectoryStart start;
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
        if (agree && parent != 0 && parent != c.cluster) {
            c.hasParent = true;
            c.parent = parent;
        }
    }
}

void FreedFolderClusters::Parse(uint32_t folder, const std::vector<uint8_t>& bytes, size_t from)
{
    // The entries of a free cluster are deleted whatever their first byte: no live folder holds them.
    auto parser = std::make_unique<morvick::FatDirectoryParser>(m_fat32, folder, true, m_sink);
    parser->SetStopTest(m_stopped);
    parser->Feed(bytes.data() + from, bytes.size() - from);
    m_ends.push_back(std::move(parser));
}

bool FreedFolderClusters::AttachToTheirFolders()
{
    if (m_ends.empty())
        return false;
    if (!m_searched)
        FindCandidates();
    bool attached = false;
    // Names that go on: each end whose last long name waits for its short entry, in the cluster that
    // finishes that name. An end is looked at once: the clusters found only get used after that.
    for (; m_endsDone < m_ends.size() && !(m_stopped && m_stopped()); ++m_endsDone) {
        morvick::FatDirectoryParser& parser = *m_ends[m_endsDone];
        uint8_t checksum = 0;
        while (parser.PendingNameChecksum(checksum)) {
            std::vector<uint8_t> bytes;
            Candidate* next = nullptr;
            auto range = m_byLeadingChecksum.equal_range(checksum);
            for (auto it = range.first; it != range.second && !next; ++it) {
                Candidate& c = m_candidates[it->second];
                if (c.used)
                    continue;
                bytes = ClusterBytes(c.cluster);
                if (!bytes.empty() && parser.NameGoesOnInto(bytes.data(), bytes.size()))
                    next = &c;
            }
            if (!next)
                break;
            next->used = true;
            parser.Feed(bytes.data(), bytes.size());
            attached = true;
        }
        m_ends[m_endsDone].reset();
    }
    return attached;
}

uint32_t FreedFolderClusters::ParkingFolder(const Candidate& c)
{
    // The folders known so far by their first cluster; the lists only grow at their tail (a record
    // moved there keeps its cluster).
    const FatFolderRecord* f = m_knownUpTo ? m_knownUpTo->next : g_FatFolders.head;
    for (; f; f = f->next) {
        m_known.insert(f->firstCluster);
        m_knownUpTo = f;
    }
    if (m_known.insert(kLostDirCluster).second)
        m_knownUpTo = AppendNewFatFolder(u"Lost Dir", kLostDirCluster, 0, 0, 0, 0, 0);
    if (!c.hasParent)
        return kLostDirCluster;
    // A parent whose own entry was not found stands under "Lost Dir" by its cluster, as the folders
    // of a found volume whose parent is missing do.
    if (m_known.insert(c.parent).second)
        m_knownUpTo = AppendNewFatFolder(u"Dir" + DecimalText(c.parent), c.parent, kLostDirCluster, 0, 0, 0, 0);
    return c.parent;
}

bool FreedFolderClusters::ParkNext()
{
    if (!m_searched)
        return false;
    if (m_parkOrder.empty() && !m_candidates.empty()) {
        // Clusters that begin with a whole entry first: one that begins inside a name is more likely
        // to go on from another, and parked after it when it does. Those whose subfolders name their
        // folder last: that folder may yet be found in another.
        for (size_t k = 0; k < m_candidates.size(); ++k)
            m_parkOrder.push_back(k);
        auto rank = [this](size_t k) {
            return (m_candidates[k].hasParent ? 2 : 0) + (m_candidates[k].nameTailBytes != 0 ? 1 : 0);
        };
        std::stable_sort(m_parkOrder.begin(), m_parkOrder.end(),
            [&rank](size_t x, size_t y) { return rank(x) < rank(y); });
    }
    while (m_parkAt < m_parkOrder.size() && m_candidates[m_parkOrder[m_parkAt]].used)
        ++m_parkAt;
    if (m_parkAt == m_parkOrder.size() || (m_stopped && m_stopped()))
        return false;
    Candidate& c = m_candidates[m_parkOrder[m_parkAt]];
    c.used = true;
    const std::vector<uint8_t> bytes = ClusterBytes(c.cluster);
    if (!bytes.empty()) {
        const uint32_t folder = ParkingFolder(c);
        Parse(folder, bytes, c.nameTailBytes);
    }
    return true;
}
