#include "engine/scan/FreeEntryClusterReader.h"

#include "engine/ScanObserver.h"
#include "engine/fat/FatDirectoryContinuation.h"
#include "engine/fat/FatDirectoryEntry.h"
#include "engine/fat/FatDirectoryParser.h"
#include "engine/fat/FatDirectoryStart.h"
#include "engine/image/SectorSize.h"
#include "engine/scan/FreeClusterClaims.h"
#include "engine/state/FoundEntryLists.h"
#include "engine/util/PageAlignedBuffer.h"

#include <algorithm>
#include <unordered_set>

namespace {

// What one read takes at a time.
constexpr uint64_t kReadBytes = 1024 * 1024;
// The subfolders of a cluster whose first sector is read to learn their parent.
constexpr size_t kMaxSubfoldersAsked = 16;
// How many lost folders' parents are followed to order them parents first: more is a loop.
constexpr size_t kMaxStartDepth = 64;
constexpr size_t kEntry = morvick::kFatDirectoryEntrySize;

// Whether the cluster holds no end of its entries, and whether its last entry is a long-name part (and
// its name's checksum).
void NoteEnd(const uint8_t* bytes, size_t size, bool& full, bool& endsInName, uint16_t& pending)
{
    full = size >= kEntry;
    for (size_t off = 0; off + kEntry <= size; off += kEntry)
        full = full && bytes[off] != 0;
    const uint8_t* last = bytes + size - kEntry;
    endsInName = full && last[11] == morvick::kFatAttrLongName;
    pending = endsInName ? last[13] : kNoName;
}

// The earliest making of the short entries of `bytes` (FatStampOf: the creation time, else the time of
// the last writing), UINT32_MAX where there is none.
uint32_t EarliestMade(const uint8_t* bytes, size_t size, bool fat32)
{
    uint32_t made = UINT32_MAX;
    for (size_t off = 0; off + kEntry <= size && bytes[off] != 0; off += kEntry) {
        if (bytes[off + 11] == morvick::kFatAttrLongName)
            continue;
        const morvick::FatShortEntry entry = morvick::DecodeFatShortEntry(bytes + off, fat32);
        made = std::min(made, entry.created.date != 0 ? FatStampOf(entry.created.date, entry.created.time)
                                                      : FatStampOf(entry.writeDate, entry.writeTime));
    }
    return made;
}

// Whether a short entry's base name ends in "~" and digits, as the short names made for long names do.
bool HasNumericTail(const uint8_t* e)
{
    size_t end = 8;
    while (end > 0 && e[end - 1] == ' ')
        --end;
    size_t digits = 0;
    while (digits < end && e[end - 1 - digits] >= '0' && e[end - 1 - digits] <= '9')
        ++digits;
    return digits != 0 && digits < end && e[end - 1 - digits] == '~';
}

}  // namespace

FreeEntryClusterReader::FreeEntryClusterReader(morvick::SectorSource& disk, const FreeClusterClaims& free,
    const EntryTypeVolume& volume, std::function<bool()> stopped)
    : m_disk(disk), m_free(free), m_volume(volume), m_stopped(std::move(stopped)), m_names(volume.clusterCount)
{
}

void FreeEntryClusterReader::Test(uint32_t index, const uint8_t* cluster, uint32_t dataBytes)
{
    const bool fat32 = m_volume.fat32;
    const uint32_t count = m_volume.clusterCount;
    const uint32_t bytesPerCluster = m_volume.sectorsPerCluster * static_cast<uint32_t>(kSectorSize);
    // Where a deleted file ends: a whole cluster of entries made after the file was written is a
    // later folder's, written over the file's last cluster.
    if (dataBytes != 0 && morvick::IsFatDirectoryContinuation(cluster, bytesPerCluster, fat32, count, bytesPerCluster)) {
        const uint32_t made = EarliestMade(cluster, bytesPerCluster, fat32);
        const uint32_t written = m_free.ClaimWritten(index);
        if (made != UINT32_MAX && written != 0 && written != UINT32_MAX && made > written)
            dataBytes = 0;
    }
    const uint8_t* bytes = cluster + dataBytes;
    const uint32_t size = bytesPerCluster - dataBytes;
    if (!morvick::IsFatDirectoryContinuation(bytes, size, fat32, count, bytesPerCluster)) {
        if (dataBytes != 0)
            return;
        // A folder's first cluster: its "." entry names the cluster itself, and its other entries
        // pass the test of a later cluster's: all marked deleted (a deleted folder's), or naming files
        // that begin with their types' signatures (a formatted volume's old folder).
        constexpr size_t kDots = 2 * kEntry;
        morvick::FatDirectoryStart start;
        if (morvick::ReadFatDirectoryStart(bytes, bytesPerCluster, fat32, start) && start.cluster == index + 2) {
            if (morvick::IsFatDirectoryContinuation(bytes + kDots, bytesPerCluster - kDots, fat32, count,
                    bytesPerCluster)) {
                FreeFolderStart s{index + 2, start.parentCluster, start.writeDate, start.accessDate};
                NoteNamedClusters(m_volume, bytes + kDots, bytesPerCluster - kDots, m_names);
                NoteEnd(bytes, bytesPerCluster, s.full, s.endsInName, s.pending);
                if (morvick::HoldsDeletedEntriesOnly(bytes + kDots, bytesPerCluster - kDots))
                    starts.push_back(s);
                else
                    m_liveStarts.push_back({s, TypedFilesOf(m_volume, bytes + kDots, bytesPerCluster - kDots)});
            }
        }
        return;
    }
    FreeEntryCluster c;
    c.cluster = index + 2;
    c.dataBytes = dataBytes;
    c.nameTailBytes = morvick::LeadingNameTailBytes(bytes, size);
    c.live = !morvick::HoldsDeletedEntriesOnly(bytes, size);
    NoteEnd(bytes, size, c.full, c.endsInName, c.pending);
    c.leadShort = bytes[11] != morvick::kFatAttrLongName;
    c.leadEndsName = c.leadShort && HasNumericTail(bytes);
    c.leadOrder = c.leadShort ? 0 : bytes[0] == morvick::kFatDeletedMark ? bytes[0] : bytes[0] & 0x3F;
    // A deleted short entry lost its first character, and so the checksum its name's parts carry.
    c.lead = !c.leadShort ? bytes[13] : bytes[0] != morvick::kFatDeletedMark ? morvick::FatShortNameChecksum(bytes) : kNoName;
    c.made = EarliestMade(bytes + c.nameTailBytes, size - c.nameTailBytes, fat32);
    // The raw short entries first: most clusters name no folder, and need no parser for names.
    bool namesFolder = false;
    for (size_t off = c.nameTailBytes; off + kEntry <= size; off += kEntry) {
        const uint8_t* e = bytes + off;
        if (e[0] == 0)
            break;
        if (e[11] == morvick::kFatAttrLongName)
            continue;
        const morvick::FatShortEntry entry = morvick::DecodeFatShortEntry(e, fat32);
        const bool folder = (entry.attributes & morvick::kFatAttrDirectory) != 0;
        namesFolder = namesFolder || folder;
        const bool inVolume = entry.firstCluster >= 2 && entry.firstCluster - 2 < count;
        // A live entry's data is in use where its chain is whole.
        const bool ours = e[0] != morvick::kFatDeletedMark || m_free.IsFree(entry.firstCluster - 2);
        if (inVolume && (folder || entry.size != 0) && ours)
            c.namesData = true;
    }
    NoteNamedClusters(m_volume, bytes + c.nameTailBytes, size - c.nameTailBytes, m_names);
    if (c.live)
        m_typedFiles.emplace_back(candidates.size(), TypedFilesOf(m_volume, bytes + c.nameTailBytes, size - c.nameTailBytes));
    if (namesFolder && (!c.live || m_liveSubfolders || !m_typedFiles.back().second.empty())) {
        morvick::FatDirectoryParser subfolders(fat32, c.cluster, true, [this, &c](const morvick::FatFoundEntry& e) {
            if (!e.folder)
                return;
            m_namedFolders.push_back(e.firstCluster);
            if (c.subfolders.size() < kMaxSubfoldersAsked)
                c.subfolders.push_back(e.firstCluster);
        });
        subfolders.Feed(bytes + c.nameTailBytes, size - c.nameTailBytes);
    }
    candidates.push_back(std::move(c));
}

void FreeEntryClusterReader::Read(const std::unordered_map<uint32_t, uint32_t>& tails, bool liveSubfolders)
{
    m_liveSubfolders = liveSubfolders;
    const uint32_t sectorsPerCluster = m_volume.sectorsPerCluster;
    const uint32_t bytesPerCluster = sectorsPerCluster * static_cast<uint32_t>(kSectorSize);
    const uint32_t perRead = static_cast<uint32_t>(std::max<uint64_t>(1, kReadBytes / bytesPerCluster));
    PageAlignedBuffer buffer(size_t{perRead} * bytesPerCluster);
    ScanObserver& observer = CurrentScanObserver();
    int shown = -1;
    auto test = [&](uint32_t index, const uint8_t* cluster) {
        const auto tail = tails.find(index);
        Test(index, cluster, tail != tails.end() ? tail->second : 0);
    };
    // The first clusters of the folders found are never entries of another; a cluster that a deleted
    // file found claims is read too: its entries may be later than the file (FreedClusterOwners).
    for (const auto& [runStart, runEnd] : m_free.Runs()) {
        uint32_t i = runStart;
        while (i < runEnd) {
            if (m_stopped && m_stopped())
                return;
            if (m_free.IsFolders(i)) {
                ++i;
                continue;
            }
            uint32_t count = 1;
            while (count < perRead && i + count < runEnd && !m_free.IsFolders(i + count))
                ++count;
            const uint64_t sector = m_volume.clusterBase + uint64_t{i + 2} * sectorsPerCluster;
            observer.OnCurrentSector(sector);
            const int percent = static_cast<int>(std::min<uint64_t>(m_free.FreeBefore(i) * 100 / m_free.FreeCount(), 99));
            if (percent != shown) {
                shown = percent;
                observer.OnProgress(percent);
            }
            // Each cluster is a step of its own that a Stop question holds, not each read: the percent
            // is reported only where it changes, and a read is up to 1 MiB of clusters.
            if (m_disk.ReadSectors(sector, count * sectorsPerCluster, buffer.data())) {
                for (uint32_t k = 0; k < count; ++k) {
                    observer.OnPausePoint();
                    test(i + k, buffer.data() + size_t{k} * bytesPerCluster);
                }
            } else {
                // A run that cannot be read whole is read cluster by cluster: one bad sector loses no
                // other cluster.
                for (uint32_t k = 0; k < count; ++k) {
                    const bool read =
                        m_disk.ReadSectors(sector + uint64_t{k} * sectorsPerCluster, sectorsPerCluster, buffer.data());
                    observer.OnPausePoint();
                    if (read)
                        test(i + k, buffer.data());
                }
            }
            i += count;
        }
    }
    ProveTypes();
    FindParents();
    OrderStarts();
}

void FreeEntryClusterReader::ProveTypes()
{
    // The entries found name clusters too: a file named there is not a free cluster's to prove it by.
    for (const FatEntryRecord* e = g_FatEntries.head; e; e = e->next)
        m_names.Note(e->firstCluster);
    for (const FatFolderRecord* f = g_FatFolders.head; f; f = f->next)
        m_names.Note(f->firstCluster);
    const auto isFree = [this](uint32_t cluster) { return cluster >= 2 && m_free.IsFree(cluster - 2); };
    // After the read: each file's first sector is read apart from the runs of free clusters.
    for (const auto& [k, files] : m_typedFiles) {
        if (m_stopped && m_stopped())
            return;
        FreeEntryCluster& c = candidates[k];
        c.typed = !files.empty() && FilesBeginWithTheirTypes(m_disk, m_volume, files, isFree, m_names);
        // A file's data: the parents of its subfolders are not asked.
        if (!c.typed && !m_liveSubfolders)
            c.subfolders.clear();
    }
    for (const auto& [start, files] : m_liveStarts) {
        if (m_stopped && m_stopped())
            return;
        if (!files.empty() && FilesBeginWithTheirTypes(m_disk, m_volume, files, isFree, m_names))
            starts.push_back(start);
    }
    m_typedFiles.clear();
    m_liveStarts.clear();
}

void FreeEntryClusterReader::FindParents()
{
    // A subfolder's ".." names the folder that held its entry: where every subfolder of a cluster
    // names the same one (not the root, whose chain is whole), the cluster is that folder's. Not
    // where that folder's first cluster is in use: the folder named was deleted, and what holds its
    // cluster now (a live folder made there later) is another.
    ScanObserver& observer = CurrentScanObserver();
    for (size_t k = 0; k < candidates.size() && !(m_stopped && m_stopped()); ++k) {
        FreeEntryCluster& c = candidates[k];
        bool agree = !c.subfolders.empty();
        uint32_t parent = 0;
        for (size_t s = 0; s < c.subfolders.size() && agree; ++s) {
            uint8_t sector[kSectorSize];
            const uint32_t sub = c.subfolders[s];
            morvick::FatDirectoryStart start;
            const bool read = sub >= 2 && sub - 2 < m_volume.clusterCount &&
                m_disk.ReadSectors(m_volume.clusterBase + uint64_t{sub} * m_volume.sectorsPerCluster, 1, sector);
            // Each subfolder's start read is a step of its own, as every cluster the search reads.
            observer.OnPausePoint();
            if (!read || !morvick::ReadFatDirectoryStart(sector, sizeof sector, m_volume.fat32, start) ||
                start.cluster != sub) {
                agree = false;
                break;
            }
            if (s == 0)
                parent = start.parentCluster;
            agree = parent == start.parentCluster;
        }
        c.subfolders.clear();
        c.subfolders.shrink_to_fit();
        if (agree && parent >= 2 && parent - 2 < m_volume.clusterCount && parent != c.cluster &&
            m_free.IsFree(parent - 2)) {
            c.hasParent = true;
            c.parent = parent;
        }
    }
}

void FreeEntryClusterReader::OrderStarts()
{
    // Those that a free cluster of entries names after the others, which the search lists before it
    // parks such clusters, and after it too: listed there, their entry gives them their name. Parents
    // first, so that a lost folder named by another is read as that one's subfolder.
    std::unordered_map<uint32_t, uint32_t> parentOf;
    for (const FreeFolderStart& s : starts)
        parentOf.emplace(s.cluster, s.parent);
    const std::unordered_set<uint32_t> named(m_namedFolders.begin(), m_namedFolders.end());
    for (FreeFolderStart& s : starts) {
        s.named = named.count(s.cluster) != 0;
        for (auto it = parentOf.find(s.parent); it != parentOf.end() && s.depth < kMaxStartDepth;
             it = parentOf.find(it->second))
            ++s.depth;
    }
    m_namedFolders.clear();
    std::stable_sort(starts.begin(), starts.end(), [](const FreeFolderStart& x, const FreeFolderStart& y) {
        return x.named != y.named ? y.named : x.depth < y.depth;
    });
}
