#include "engine/extensive/NtfsVolumeAnalysis.h"

#include "engine/ScanObserver.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FatCandidates.h"
#include "engine/extensive/NtfsCandidates.h"
#include "engine/image/SectorReader.h"
#include "engine/listing/ResultListing.h"
#include "engine/ntfs/IndexRecord.h"
#include "engine/ntfs/MftRecord.h"
#include "engine/state/EngineState.h"
#include "engine/state/FoundRecordReferences.h"
#include "engine/volume/ClusterSize.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <vector>

const char16_t kAssigningMftNumbersText[] = u"Assigning MFT numbers ( Step 1/2 ) - ";
const char16_t kAssigningMftNumbersStep2Text[] = u"Assigning MFT numbers ( Step 2/2 )...";
const char16_t kDeletingUnusedIndexEntriesText[] = u"Deleting unused index entries...";
const char16_t kSearchingUnassignedEntriesText[] = u"Searching for unassigned entries...";
const char16_t kVolumesPastSectorLimitText[] =
    u" NTFS file systems were found that keep their MFT past the first 2 TiB of the disk (past sector "
    u"4294967295), which Morvick does not read: their files are not listed.";

namespace {

// Volumes past this are not recorded: partition numbers are 16-bit, and the next would be 0xFFFF,
// which marks a record bound to none.
constexpr uint16_t kMaxPartitions = 65534;
constexpr uint32_t kInferredIndexRecordSectors = 8;

// The key of an INDX folder entry and of the record it names: parent, creation time and name.
std::u16string EntryKey(uint32_t parent, uint64_t creationTime, const char16_t* name, size_t length)
{
    std::u16string key;
    key.reserve(6 + length);
    for (int i = 0; i < 2; ++i)
        key.push_back(static_cast<char16_t>(parent >> (16 * i)));
    for (int i = 0; i < 4; ++i)
        key.push_back(static_cast<char16_t>(creationTime >> (16 * i)));
    key.append(name, length);
    return key;
}

// The size of a found record in sectors, as the search read it: 2 for a record of 1,024 bytes, 8 for
// one of 4,096 bytes (a volume of 4,096-byte sectors); 2 where nothing was kept of it.
uint32_t RecordSectors(const FoundNtfsRecord* r)
{
    const FoundRecordReference* reference = FoundRecordReferenceAt(r->sector);
    return morvick::UsableSectorsPerMftRecord(reference ? reference->recordSectors : morvick::kSectorsPerMftRecord);
}

uint64_t CreationTime(const FoundNtfsRecord* r)
{
    return (uint64_t{r->creationTimeHigh} << 32) | r->creationTimeLow;
}

size_t NameLength(const char16_t* name)
{
    size_t n = 0;
    while (name && name[n])
        ++n;
    return n;
}

// The found folder records in list order, with a fast skip over those already bound.
class FoundNtfsRecords {
public:
    FoundNtfsRecords()
    {
        for (FoundNtfsRecord* r = g_FoundNtfsRecords.head; r; r = r->next)
            m_records.push_back(r);
        m_next.resize(m_records.size() + 1);
        for (size_t i = 0; i < m_next.size(); ++i)
            m_next[i] = static_cast<uint32_t>(i);
        m_sorted = std::is_sorted(m_records.begin(), m_records.end(),
            [](const FoundNtfsRecord* a, const FoundNtfsRecord* b) { return a->sector < b->sector; });
    }

    size_t Size() const { return m_records.size(); }
    FoundNtfsRecord* operator[](size_t i) const { return m_records[i]; }

    // The first unbound record at or after position i (Size() when none).
    uint32_t NextUnbound(uint32_t i)
    {
        uint32_t root = i;
        while (root < m_records.size() && (m_next[root] != root || m_records[root]->analysisMark != 0)) {
            if (m_next[root] == root)
                m_next[root] = root + 1;
            root = m_next[root];
        }
        while (i != root) {
            uint32_t next = m_next[i];
            m_next[i] = root;
            i = next;
        }
        return root;
    }

    // The position of the first record after sector `first` (0 when the list is not in sector order).
    uint32_t FirstAfter(uint32_t first) const
    {
        if (!m_sorted)
            return 0;
        auto it = std::upper_bound(m_records.begin(), m_records.end(), first,
            [](uint32_t s, const FoundNtfsRecord* r) { return s < r->sector; });
        return static_cast<uint32_t>(it - m_records.begin());
    }

private:
    std::vector<FoundNtfsRecord*> m_records;
    std::vector<uint32_t> m_next;
    bool m_sorted = true;
};

// Whether a sector begins with "INDX": inside the searched range by the sectors the search listed,
// beyond it by reading the sector, each sector once.
class IndexSignatureTest {
public:
    IndexSignatureTest() { std::sort(g_IndexRecordSectors.sectors.begin(), g_IndexRecordSectors.sectors.end()); }

    bool At(uint64_t sector)
    {
        const IndexRecordSectors& known = g_IndexRecordSectors;
        if (sector >= known.searchedFirst && sector < known.searchedEnd)
            return std::binary_search(known.sectors.begin(), known.sectors.end(), static_cast<uint32_t>(sector));
        // Read past 2 TiB too: a volume that starts before it keeps indexes there.
        auto [it, added] = m_read.emplace(sector, false);
        if (added) {
            uint8_t buffer[kSectorSize];
            it->second = ReadSectors(sector, 1, buffer) && morvick::IsIndexRecordCandidate(buffer);
        }
        return it->second;
    }

private:
    std::unordered_map<uint64_t, bool> m_read;
};

// Binds the unbound records after `first` and up to `end` whose index allocation, counted from
// `first` in clusters of `s` sectors, begins with "INDX". Returns the size in sectors of the first
// record bound (the volume's records), 0 when none was. A boot sector gives the volume's end (step 1):
// an index past it is no part of the volume. An inferred volume's end (step 2) is only where the
// search stopped, and its folders' indexes may lie beyond it.
uint32_t ClassifyNtfsRecords(FoundNtfsRecords& records, IndexSignatureTest& indexAt, uint64_t first, uint32_t s,
    uint64_t end, int step, const ScanFinishedWord& finished)
{
    uint32_t recordSectors = 0;
    const char16_t* text =
        step == 1 ? u"Analyzing Classification ( Step 1/2 ) - " : u"Analyzing Classification ( Step 2/2 ) - ";
    for (uint32_t i =
             records.NextUnbound(records.FirstAfter(static_cast<uint32_t>(std::min<uint64_t>(first, 0xFFFFFFFFu))));
         i < records.Size(); i = records.NextUnbound(i + 1)) {
        if (ScanStopped(finished))
            break;
        FoundNtfsRecord* r = records[i];
        if (r->sector > end)
            break;
        if (r->sector <= first || r->indexFirstCluster == 0)
            continue;
        const uint64_t target = first + uint64_t{r->indexFirstCluster} * s;
        if ((step == 1 && target > end) || !indexAt.At(target))
            continue;
        r->analysisMark = static_cast<uint16_t>(g_wPartitionCounter + 1);
        ++g_nAnalysedCount;
        if (recordSectors == 0)
            recordSectors = RecordSectors(r);
        CurrentScanObserver().OnStatus(
            text + DecimalText(g_nAnalysedCount) + u" \\ " + DecimalText(g_nFoundRecordTotal));
        ReportAnalysisProgress();
    }
    return recordSectors;
}

void RecordNtfsVolume(uint32_t first, uint32_t s, uint32_t mft, uint32_t mirror, uint32_t recordSectors,
    uint32_t indexSectors, uint64_t end)
{
    ++g_wPartitionCounter;
    FoundPartitionRecord values = {};
    values.fileSystemType = FileSystemKind::kNtfs;
    values.sectorsPerCluster = s;
    values.clusterBase = first;
    values.mftStart = mft;
    values.mftMirrorStart = mirror;
    // Kept as 0 for the usual 1,024-byte records, as found volumes have always kept it.
    values.sectorsPerMftRecord = recordSectors == morvick::kSectorsPerMftRecord ? 0 : recordSectors;
    values.sectorsPerIndexRecord = indexSectors;
    values.volumeEnd = end;
    if (FoundPartitionRecord* r = AppendFoundPartition(values))
        AddFoundVolumeItem(*r);
}

// The volumes tried, each once, by first sector and cluster size; those recorded by first sector.
struct TriedVolumes {
    std::unordered_set<uint64_t> tried;
    std::unordered_set<uint32_t> recorded;
};

bool ClassifyBootVolume(FoundNtfsRecords& records, IndexSignatureTest& indexAt, const morvick::NtfsBootVolume& v,
    TriedVolumes& volumes, const ScanFinishedWord& finished)
{
    // A volume is tried once: a boot sector met again (the search lists repeats) would add the same
    // volume a second time, as an empty one.
    const uint64_t key = (uint64_t{v.firstSector} << 8) | v.sectorsPerCluster;
    if (!volumes.tried.insert(key).second)
        return false;
    if (ClassifyNtfsRecords(records, indexAt, v.firstSector, v.sectorsPerCluster, v.endSector, 1, finished) == 0)
        return false;
    RecordNtfsVolume(v.firstSector, v.sectorsPerCluster, v.mftStart, v.mftMirrorStart, v.sectorsPerMftRecord,
        v.sectorsPerIndexRecord, v.endSector);
    volumes.recorded.insert(v.firstSector);
    return true;
}

}  // namespace

void AssignMftNumbers(const ScanFinishedWord& finished)
{
    ScanObserver& observer = CurrentScanObserver();
    observer.OnProgress(0);
    observer.OnStatus(kAssigningMftNumbersText);

    // Unnumbered records by (parent, creation time, name), in list order.
    std::unordered_map<std::u16string, std::vector<FoundNtfsRecord*>> unnumbered;
    for (FoundNtfsRecord* r = g_FoundNtfsRecords.head; r; r = r->next) {
        if (r->recordNumber == 0)
            unnumbered[EntryKey(r->parentRecord, CreationTime(r), r->name, NameLength(r->name))].push_back(r);
    }
    std::unordered_map<std::u16string, size_t> taken;

    std::vector<uint8_t> record;
    uint32_t number = 0;
    const uint32_t count = g_IndexRecords.count;
    for (const IndexRecordNode* node = g_IndexRecords.head; node && !unnumbered.empty(); node = node->next) {
        if (ScanStopped(finished))
            break;
        ++number;
        observer.OnStatus(kAssigningMftNumbersText + DecimalText(number) + u" \\ " + DecimalText(count));
        observer.OnProgress(ProgressPercent(number, count));
        record.assign(size_t{node->sectors} * kSectorSize, 0);
        if (record.empty() || !ReadSectors(node->sector, node->sectors, record.data()) ||
            !morvick::IsIndexRecordCandidate(record.data()) ||
            !morvick::ApplyMultiSectorFixups(record.data(), record.size()))
            continue;
        morvick::ForEachIndexFolderEntry(record.data(), record.size(), [&](const morvick::IndexFolderEntry& e) {
            const std::u16string key = EntryKey(e.parentReference, e.creationTime, e.name.data(), e.name.size());
            auto it = unnumbered.find(key);
            if (it == unnumbered.end())
                return;
            size_t& next = taken[key];
            while (next < it->second.size() && it->second[next]->recordNumber != 0)
                ++next;
            if (next < it->second.size())
                it->second[next++]->recordNumber = e.fileReference;
        });
    }

    observer.OnStatus(kAssigningMftNumbersStep2Text);
    uint32_t previousSector = 0, previousNumber = 1, walked = 0;
    for (FoundNtfsRecord* r = g_FoundNtfsRecords.head; r; r = r->next) {
        observer.OnProgress(ProgressPercent(walked++, g_FoundNtfsRecords.count));
        if (r->recordNumber == 0) {
            // In records of this one's size, not of two sectors always: on a volume of 4,096-byte
            // records the numbers came out four times too large.
            const uint32_t distance = r->sector - previousSector;
            const uint32_t sectors = RecordSectors(r);
            r->recordNumber = (previousSector == 0 || distance % sectors != 0) ? previousNumber + 1
                                                                               : previousNumber + distance / sectors;
        }
        previousSector = r->sector;
        previousNumber = r->recordNumber;
    }
}

void DeleteUnusedIndexEntries()
{
    ScanObserver& observer = CurrentScanObserver();
    observer.OnStatus(kDeletingUnusedIndexEntriesText);
    observer.OnProgress(0);
    const uint32_t atStart = g_IndexRecords.count;
    RecordList<IndexRecordNode> kept;
    uint32_t walked = 0;
    for (IndexRecordNode* node = g_IndexRecords.head; node;) {
        IndexRecordNode* next = node->next;
        if (node->vcn == 0)
            AppendRecord(kept, node);
        else
            FreeRecord(node);
        node = next;
        observer.OnProgress(ProgressPercent(++walked, atStart));
    }
    g_IndexRecords = kept;
}

void AnalyzeFoundNtfsBootSectors(const ScanFinishedWord& finished)
{
    FileSystemRootItem();
    FoundNtfsRecords records;
    IndexSignatureTest indexAt;
    TriedVolumes volumes;
    // Boot sectors whose MFT lies past the sectors the search reads, by their first sector and that of
    // the volume whose copy at its end they may be.
    std::vector<std::pair<uint32_t, uint32_t>> pastLimit;
    uint8_t sector[kSectorSize];
    for (const SectorNode* node = g_BootSectors.head; node && !ScanStopped(finished); node = node->next) {
        if (g_wPartitionCounter >= kMaxPartitions)
            break;
        morvick::NtfsBootVolume v, original;
        if (!ReadSectors(node->sector, 1, sector) || !morvick::IsNtfsBootCandidate(sector) ||
            !morvick::ReadNtfsBootVolume(sector, node->sector, v))
            continue;
        // A boot sector that explains nothing at its own place may be the copy at the volume's end: the
        // volume is then taken from where the copy says it starts, or it would be lost with its first
        // boot sector.
        const bool backup = morvick::NtfsVolumeOfBackup(v, original);
        if (!ClassifyBootVolume(records, indexAt, v, volumes, finished) && backup)
            ClassifyBootVolume(records, indexAt, original, volumes, finished);
        if (v.mftPastLimit)
            pastLimit.emplace_back(v.firstSector, backup ? original.firstSector : v.firstSector);
    }
    // Told, not passed over without a word: no record of such a volume is read, and it gives no volume,
    // where its boot sector is all the user would expect one from. A copy at the end of a volume that
    // was found (from the volume's first sector) explains itself.
    std::unordered_set<uint32_t> left;
    for (const auto& [first, ofCopy] : pastLimit) {
        if (!volumes.recorded.count(first) && !volumes.recorded.count(ofCopy))
            left.insert(first);
    }
    if (!left.empty() && !ScanStopped(finished))
        ShowEngineMessage(DecimalText(left.size()) + kVolumesPastSectorLimitText, kMessageInformation);
    g_nBootPassFinished = 1;
}

void InferNtfsPartitions(uint64_t rangeEnd, const ScanFinishedWord& finished)
{
    FileSystemRootItem();
    FoundNtfsRecords records;
    IndexSignatureTest indexAt;
    // The first INDX record (VCN 0) of each folder, by the folder's number.
    std::unordered_map<uint32_t, uint32_t> firstIndexRecord;
    for (const IndexRecordNode* node = g_IndexRecords.head; node; node = node->next) {
        if (node->vcn == 0 && node->mark == kIndexRecordUnmarked)
            firstIndexRecord.emplace(node->ownerRecord, node->sector);
    }
    std::vector<uint32_t> indexSector(records.Size(), 0);
    for (size_t i = 0; i < records.Size(); ++i) {
        auto it =
            records[i]->indexFirstCluster ? firstIndexRecord.find(records[i]->recordNumber) : firstIndexRecord.end();
        if (it != firstIndexRecord.end())
            indexSector[i] = it->second;
    }
    // Per cluster size, the records by their line: (INDX sector - cluster x s, position), sorted.
    using Entry = std::pair<uint32_t, uint32_t>;
    std::vector<Entry> lines[8];
    for (size_t slot = 0; slot < 8; ++slot) {
        for (uint32_t i = 0; i < records.Size(); ++i) {
            const uint64_t offset = uint64_t{records[i]->indexFirstCluster} * kClusterSizesInSectors[slot];
            if (indexSector[i] != 0 && records[i]->indexFirstCluster != 0 && indexSector[i] >= offset)
                lines[slot].emplace_back(static_cast<uint32_t>(indexSector[i] - offset), i);
        }
        std::sort(lines[slot].begin(), lines[slot].end());
    }
    std::unordered_set<uint64_t> tried;

    for (uint32_t a = 0; a < records.Size() && !ScanStopped(finished); ++a) {
        FoundNtfsRecord* ra = records[a];
        if (ra->analysisMark != 0)
            continue;
        if (ra->indexFirstCluster == 0 || indexSector[a] == 0) {
            ra->analysisMark = kBoundToNone;
            continue;
        }
        // The first partner on each of a's lines: (position, slot, base).
        std::vector<std::tuple<uint32_t, size_t, uint32_t>> partners;
        for (size_t slot = 0; slot < 8; ++slot) {
            const uint64_t offset = uint64_t{ra->indexFirstCluster} * kClusterSizesInSectors[slot];
            if (indexSector[a] < offset)
                continue;
            const uint32_t base = static_cast<uint32_t>(indexSector[a] - offset);
            if (tried.count((uint64_t{base} << 8) | kClusterSizesInSectors[slot]))
                continue;
            auto it = std::upper_bound(lines[slot].begin(), lines[slot].end(), Entry{base, a});
            for (; it != lines[slot].end() && it->first == base; ++it) {
                const FoundNtfsRecord* rb = records[it->second];
                if (rb->analysisMark != 0 || indexSector[it->second] == indexSector[a] ||
                    rb->indexFirstCluster == ra->indexFirstCluster)
                    continue;
                partners.emplace_back(it->second, slot, base);
                break;
            }
        }
        std::sort(partners.begin(), partners.end());
        for (const auto& [position, slot, base] : partners) {
            if (ScanStopped(finished) || g_wPartitionCounter >= kMaxPartitions)
                break;
            const uint32_t s = kClusterSizesInSectors[slot];
            if (!tried.insert((uint64_t{base} << 8) | s).second)
                continue;
            // Its records of the size of those it binds: a volume without a boot sector gives none.
            const uint32_t recordSectors = ClassifyNtfsRecords(records, indexAt, base, s, rangeEnd, 2, finished);
            if (recordSectors != 0)
                RecordNtfsVolume(base, s, 0, 0, recordSectors, kInferredIndexRecordSectors, rangeEnd);
        }
    }
    g_nLeftoverPassFinished = 1;
}

void AnalyzeNtfsStructures(uint64_t rangeEnd, ScanFinishedWord& finished)
{
    finished.store(0);
    AssignMftNumbers(finished);
    DeleteUnusedIndexEntries();
    g_nAnalysedCount = 0;
    g_nFoundRecordTotal = g_FoundNtfsRecords.count;
    finished.store(0);
    AnalyzeFoundNtfsBootSectors(finished);
    InferNtfsPartitions(rangeEnd, finished);

    ScanObserver& observer = CurrentScanObserver();
    observer.OnStatus(kSearchingUnassignedEntriesText);
    uint16_t carried = 1;
    uint32_t walked = 0;
    for (FoundNtfsRecord* r = g_FoundNtfsRecords.head; r; r = r->next) {
        if (r->analysisMark == kBoundToNone)
            r->analysisMark = carried;
        carried = r->analysisMark;
        observer.OnProgress(ProgressPercent(++walked, g_FoundNtfsRecords.count));
    }
}
