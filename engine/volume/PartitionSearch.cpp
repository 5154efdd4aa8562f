#include "engine/volume/PartitionSearch.h"

#include "engine/state/SectorLimit.h"
#include "engine/volume/BootRecord.h"
#include "engine/volume/PartitionFileSystem.h"

#include <algorithm>

namespace morvick {

namespace {

constexpr uint32_t kSearchHeads = 255;
constexpr uint32_t kSearchSectorsPerTrack = 63;
constexpr uint64_t kSectorsPerSearchCylinder = kSearchHeads * kSearchSectorsPerTrack;  // 16065
// Current partitioning tools start partitions on 1 MiB boundaries: probing cylinder starts alone never
// finds them once the table is lost.
constexpr uint64_t kAlignmentSectors = 2048;

class Searcher {
public:
    Searcher(SectorSource& disk, std::vector<DiskPartition>& table, const PartitionSearchEvents& events)
        : m_disk(disk), m_table(table), m_events(events), m_diskSectors(disk.SectorCount())
    {}

    // Reads `sector` and, when it is a boot sector, records its volume. Returns true when the sector
    // ended in 55 AA.
    bool Probe(uint64_t sector)
    {
        if (PastEnd(sector))
            return false;
        ++m_probed;
        uint8_t buffer[kSectorSize];
        if (!m_disk.ReadSectors(sector, 1, buffer) || !HasBootSignature(buffer, sizeof buffer))
            return false;
        const FileSystemKind fs = FileSystemFromSearchText(buffer, sizeof buffer);
        if (fs == FileSystemKind::kNone)
            return true;
        const uint32_t start = static_cast<uint32_t>(sector);
        const bool known =
            std::any_of(m_table.begin(), m_table.end(), [&](const DiskPartition& p) { return p.startSector == start; });
        if (known)
            return true;
        const uint64_t total = BootSectorTotalSectors(buffer, sizeof buffer, fs);
        // A total past 32 bits is held at the largest count, not cut to its low half (a tiny volume).
        m_table.push_back({start, HeldSector(total), fs});
        if (m_events.listed)
            m_events.listed(m_table.size() - 1);
        return true;
    }

    bool Full() const { return m_table.size() >= kMaxDiskPartitions; }
    // No partition is looked for past the sectors the partition table holds (engine/state/SectorLimit.h).
    bool PastEnd(uint64_t sector) const
    {
        return !FitsSectorField(sector) || (m_diskSectors != 0 && sector >= m_diskSectors);
    }
    uint64_t Probed() const { return m_probed; }

private:
    SectorSource& m_disk;
    std::vector<DiskPartition>& m_table;
    const PartitionSearchEvents& m_events;
    uint64_t m_diskSectors;
    uint64_t m_probed = 0;
};

}  // namespace

DiskGeometry NormaliseSearchGeometry(const DiskGeometry& geometry)
{
    if (geometry.sectorsPerTrack == kSearchSectorsPerTrack)
        return geometry;
    const uint64_t sectors = static_cast<uint64_t>(geometry.cylinders) * geometry.heads * geometry.sectorsPerTrack;
    DiskGeometry g;
    g.cylinders = static_cast<uint32_t>(std::min<uint64_t>(sectors / kSectorsPerSearchCylinder, 0xFFFFFFFFu));
    g.heads = kSearchHeads;
    g.sectorsPerTrack = kSearchSectorsPerTrack;
    return g;
}

DiskGeometry GeometryFromSectorCount(uint64_t sectors)
{
    DiskGeometry g;
    g.cylinders = static_cast<uint32_t>(std::min<uint64_t>(sectors / kSectorsPerSearchCylinder, 0xFFFFFFFFu));
    g.heads = kSearchHeads;
    g.sectorsPerTrack = kSearchSectorsPerTrack;
    return g;
}

uint64_t SearchPartitions(SectorSource& disk, const DiskGeometry& geometry, bool searchDisk,
    std::vector<DiskPartition>& table, const PartitionSearchEvents& events)
{
    for (size_t i = 0; i < table.size(); ++i) {
        if (events.listed)
            events.listed(i);
    }
    const DiskGeometry g = NormaliseSearchGeometry(geometry);
    const uint64_t cylinderSectors = static_cast<uint64_t>(g.heads) * g.sectorsPerTrack;
    // The cylinders that start within the sectors the search reads (engine/state/SectorLimit.h), not all
    // of a disk past 2 TiB: the bar stopped where the search does, halfway on a disk of 4 TiB.
    const uint64_t cylinders =
        cylinderSectors == 0 ? g.cylinders : std::min<uint64_t>(g.cylinders, kLastHeldSector / cylinderSectors + 1);
    Searcher searcher(disk, table, events);
    if (searchDisk && searcher.Full())
        return 0;
    int shown = -1;
    for (uint64_t c = 0; c < cylinders; ++c) {
        if (events.stopRequested && events.stopRequested())
            break;
        // Each percent once, not once per cylinder: a disk of millions of cylinders spent its time
        // reporting the same figure.
        const int percent = static_cast<int>(std::min<uint64_t>(99, 100 * c / cylinders));
        if (events.progress && percent != shown)
            events.progress(percent);
        shown = percent;
        if (!searchDisk)
            continue;
        const uint64_t first = c * cylinderSectors;
        if (searcher.PastEnd(first))
            break;
        const uint64_t afterTrack = first + g.sectorsPerTrack;
        if (!searcher.Probe(afterTrack))
            searcher.Probe(first);
        if (searcher.Full())
            break;
        // Every 1 MiB boundary inside this cylinder that the probes above did not read.
        for (uint64_t m = (first + kAlignmentSectors - 1) / kAlignmentSectors * kAlignmentSectors;
             m < first + cylinderSectors && !searcher.Full(); m += kAlignmentSectors) {
            if (m != first && m != afterTrack)
                searcher.Probe(m);
        }
        if (searcher.Full())
            break;
    }
    return searcher.Probed();
}

}  // namespace morvick
