#include "engine/extensive/FatVolumeAnalysis.h"

#include "engine/ScanObserver.h"
#include "engine/extensive/ExtensiveScanState.h"
#include "engine/extensive/FatCandidates.h"
#include "engine/image/SectorReader.h"
#include "engine/state/EngineState.h"
#include "engine/volume/ClusterSize.h"

#include <algorithm>
#include <utility>
#include <vector>

const char16_t kAnalyzingFoundDataText[] = u"Analyzing the data found...";
uint64_t g_qwFatAnalysisSteps = 0;

namespace {

// Volumes past this are not recorded: the next partition number would be 0xFFFF, "bound to none".
constexpr uint16_t kMaxPartitions = 65534;

// The found directories in list order and, per cluster size s, their lines: (sector - cluster x s,
// position) sorted, so that the directories of one line are one range in list order.
class FatDirectoryLines {
public:
    FatDirectoryLines()
    {
        for (FoundFatDirectoryRecord* r = g_FoundFatDirectories.head; r; r = r->next)
            m_records.push_back(r);
    }

    uint32_t Count() const { return static_cast<uint32_t>(m_records.size()); }
    // The directory at a position in list order; every look is counted.
    FoundFatDirectoryRecord* Record(uint32_t at) const
    {
        ++g_qwFatAnalysisSteps;
        return m_records[at];
    }

    using Entry = std::pair<uint32_t, uint32_t>;  // line, position

    // The directories on line `base` for cluster size `s`, in list order.
    std::pair<const Entry*, const Entry*> Line(uint32_t s, uint64_t base)
    {
        const std::vector<Entry>& table = Table(s);
        if (base > 0xFFFFFFFFu)
            return {table.data(), table.data()};
        auto range = std::equal_range(table.begin(), table.end(), Entry{static_cast<uint32_t>(base), 0},
            [](const Entry& a, const Entry& b) { return a.first < b.first; });
        return {table.data() + (range.first - table.begin()), table.data() + (range.second - table.begin())};
    }

private:
    const std::vector<Entry>& Table(uint32_t s)
    {
        size_t slot = 0;
        while (kClusterSizesInSectors[slot] != s)
            ++slot;
        std::vector<Entry>& table = m_tables[slot];
        if (!m_built[slot]) {
            m_built[slot] = true;
            for (uint32_t i = 0; i < m_records.size(); ++i) {
                ++g_qwFatAnalysisSteps;
                const uint64_t offset = uint64_t{m_records[i]->firstCluster} * s;
                if (m_records[i]->sector > offset)
                    table.emplace_back(static_cast<uint32_t>(m_records[i]->sector - offset), i);
            }
            std::sort(table.begin(), table.end());
        }
        return table;
    }

    std::vector<FoundFatDirectoryRecord*> m_records;
    std::vector<Entry> m_tables[8];
    bool m_built[8] = {};
};

void Bind(FoundFatDirectoryRecord* r)
{
    r->volumeNumber = static_cast<uint16_t>(g_wPartitionCounter + 1);
    ++g_nAnalysedCount;
    ReportAnalysisProgress();
}

void RecordVolume(FoundPartitionRecord& values)
{
    FoundPartitionRecord* r = AppendFoundPartition(values);
    if (!r)
        return;
    AddFoundVolumeItem(*r);
    ++g_wPartitionCounter;
}

// Binds the unbound directories of the boot sector's line up to its end sector. True when any was.
bool BindBootVolume(FatDirectoryLines& lines, const morvick::FatBootVolume& v)
{
    uint32_t bound = 0;
    auto line = lines.Line(v.sectorsPerCluster, v.clusterBase);
    for (const auto* e = line.first; e != line.second; ++e) {
        FoundFatDirectoryRecord* r = lines.Record(e->second);
        if (r->volumeNumber != 0 || r->sector > v.endSector)
            continue;
        Bind(r);
        ++bound;
    }
    if (bound == 0)
        return false;
    FoundPartitionRecord values = {};
    values.fileSystemType = v.fileSystemType;
    values.sectorsPerFat = v.sectorsPerFat;
    values.sectorsPerCluster = v.sectorsPerCluster;
    values.rootDirectorySectors = v.rootDirectorySectors;
    values.rootLocation = v.rootLocation;
    values.reservedSectors = v.reservedSectors;
    values.clusterBase = v.clusterBase;
    values.firstFat = v.firstFat;
    values.secondFat = v.secondFat;
    values.volumeEnd = v.endSector;
    RecordVolume(values);
    return true;
}

// The first partner of directory `a` (position `at`) after it in list order: an unbound directory on
// one of a's lines further out. Gives its cluster size and line.
bool FindPartner(FatDirectoryLines& lines, uint32_t at, uint32_t& sizeOut, uint32_t& baseOut)
{
    const FoundFatDirectoryRecord* a = lines.Record(at);
    uint32_t best = UINT32_MAX;
    for (uint32_t s : kClusterSizesInSectors) {
        const uint64_t offset = uint64_t{a->firstCluster} * s;
        if (a->sector <= offset)
            continue;
        const uint64_t base = a->sector - offset;
        auto line = lines.Line(s, base);
        const auto* e =
            std::upper_bound(line.first, line.second, FatDirectoryLines::Entry{static_cast<uint32_t>(base), at});
        for (; e != line.second && e->second < best; ++e) {
            const FoundFatDirectoryRecord* b = lines.Record(e->second);
            if (b->volumeNumber != 0 || b->firstCluster <= a->firstCluster || b->sector <= a->sector ||
                b->firstCluster >= b->sector)
                continue;
            best = e->second;
            sizeOut = s;
            baseOut = static_cast<uint32_t>(base);
            break;
        }
    }
    return best != UINT32_MAX;
}

bool InferVolume(FatDirectoryLines& lines, uint32_t at, FileSystemKind chosenType)
{
    uint32_t s = 0, base = 0;
    if (!FindPartner(lines, at, s, base))
        return false;
    uint32_t largest = 0;
    auto line = lines.Line(s, base);
    for (const auto* e = line.first; e != line.second; ++e) {
        FoundFatDirectoryRecord* r = lines.Record(e->second);
        if (r->volumeNumber != 0)
            continue;
        Bind(r);
        largest = std::max(largest, r->firstCluster);
    }
    const bool fat32 = chosenType == FileSystemKind::kFat32 || largest > 65535;
    FoundPartitionRecord values = {};
    values.fileSystemType = fat32 ? FileSystemKind::kFat32 : FileSystemKind::kFat16;
    values.sectorsPerCluster = s;
    values.rootLocation = fat32 ? 2 : 0;
    values.clusterBase = base;
    RecordVolume(values);
    return true;
}

void AssignLeftovers(FatDirectoryLines& lines, FileSystemKind chosenType, const ScanFinishedWord& finished)
{
    for (uint32_t i = 0; i < lines.Count() && !ScanStopped(finished); ++i) {
        FoundFatDirectoryRecord* r = lines.Record(i);
        if (r->volumeNumber != 0)
            continue;
        if (g_wPartitionCounter >= kMaxPartitions || !InferVolume(lines, i, chosenType)) {
            r->volumeNumber = kBoundToNone;
            ++g_nAnalysedCount;
        }
    }
    g_nLeftoverPassFinished = 1;
}

}  // namespace

void AssignLeftoverFatDirectories(FileSystemKind chosenType, const ScanFinishedWord& finished)
{
    FatDirectoryLines lines;
    AssignLeftovers(lines, chosenType, finished);
}

void AnalyzeFoundFatData(FileSystemKind chosenType, const ScanFinishedWord& finished)
{
    CurrentScanObserver().OnStatus(kAnalyzingFoundDataText);
    g_nAnalysedCount = 0;
    g_qwFatAnalysisSteps = 0;
    g_nFoundRecordTotal = g_FoundFatDirectories.count;
    FileSystemRootItem();
    FatDirectoryLines lines;
    {
        uint8_t sector[kSectorSize];
        for (const SectorNode* node = g_BootSectors.head; node && !ScanStopped(finished); node = node->next) {
            if (g_wPartitionCounter >= kMaxPartitions)
                break;
            morvick::FatBootVolume v;
            // An unreadable boot sector is passed over, not judged by what the buffer held before (that
            // would record the previous volume again).
            if (!ReadSectors(node->sector, 1, sector) || !morvick::ReadFatBootVolume(sector, node->sector, v))
                continue;
            if (BindBootVolume(lines, v) || v.backupOffset == 0)
                continue;
            // A copy of a FAT32 boot sector describes the volume whose boot sector lies before it: taken
            // at its own place it explains nothing, and a volume whose first boot sector is gone is lost.
            morvick::FatBootVolume original;
            if (morvick::ReadFatBootVolume(sector, node->sector - v.backupOffset, original))
                BindBootVolume(lines, original);
        }
    }
    AssignLeftovers(lines, chosenType, finished);
    g_nBootPassFinished = 1;
}
