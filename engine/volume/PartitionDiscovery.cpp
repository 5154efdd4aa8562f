#include "engine/volume/PartitionDiscovery.h"

#include "engine/ScanObserver.h"
#include "engine/image/VirtualDisk.h"
#include "engine/scan/ScanStop.h"
#include "engine/state/EngineState.h"
#include "engine/volume/EngineSectorSource.h"
#include "engine/volume/PartitionFileSystem.h"
#include "engine/volume/PartitionSearch.h"
#include "engine/volume/PartitionTableWalk.h"

#include <algorithm>
#include <string>
#include <vector>

const char16_t kSearchingPartitionsText[] = u"Please wait, searching for Partition...";

namespace {

std::vector<morvick::DiskPartition> TableCopy()
{
    std::vector<morvick::DiskPartition> table;
    for (uint32_t i = 0; i < g_nPartitionCount && i < kMaxPartitionTableEntries; ++i)
        table.push_back(
            {g_PartitionTable[i].startSector, g_PartitionTable[i].sectorCount, g_PartitionTable[i].fileSystemType});
    return table;
}

void ReportPartition(uint32_t diskItem, size_t index, int number)
{
    const std::string text = "Partition " + std::to_string(number);
    FoundItem item{kFoundPartition, std::u16string(text.begin(), text.end()), &g_PartitionTable[index], diskItem};
    CurrentScanObserver().OnItemFound(item);
}

}  // namespace

uint32_t WalkPartitionTable(uint32_t mbrSector)
{
    g_bSearchPartitions = 0;
    ClearPartitionTable();
    morvick::EngineSectorSource disk;
    for (const morvick::DiskPartition& p : morvick::WalkPartitionTable(disk, mbrSector))
        AddPartitionTableEntry(p.startSector, p.sectorCount, p.fileSystem);
    return g_nPartitionCount;
}

void SearchPartitions(bool searchRequested, uint32_t diskItem, const std::atomic<int32_t>* finished)
{
    g_bSearchPartitions = (g_nPartitionCount == 0 || searchRequested) ? 1 : 0;
    ScanObserver& observer = CurrentScanObserver();
    if (g_bSearchPartitions)
        observer.OnStatus(kSearchingPartitionsText);

    morvick::DiskGeometry geometry;
    morvick::EngineSectorSource disk;
    if (g_nImageKind == kImageVhdx) {
        // A VHDX has no geometry of its own: it is searched over cylinders made from its size, not
        // passed over behind ten seconds of progress, which left a VHDX whose table is lost with nothing.
        geometry = morvick::GeometryFromSectorCount(disk.SectorCount());
    } else if (g_wDeviceIndex < kMaxDevices) {
        geometry = {g_DeviceGeometry.cylinders[g_wDeviceIndex], g_DeviceGeometry.heads[g_wDeviceIndex],
            g_DeviceGeometry.sectorsPerTrack[g_wDeviceIndex]};
        // Cylinders from the disk's size where the geometry, which stops at 65535 x 16 x 255, covers less.
        const uint64_t sectors = disk.SectorCount();
        const uint64_t perCylinder = uint64_t{geometry.heads} * geometry.sectorsPerTrack;
        if (perCylinder == 0)
            geometry = morvick::GeometryFromSectorCount(sectors);
        else if (uint64_t{geometry.cylinders} * perCylinder < sectors)
            geometry.cylinders = static_cast<uint32_t>(std::min<uint64_t>(sectors / perCylinder, 0xFFFFFFFFu));
    }

    std::vector<morvick::DiskPartition> table = TableCopy();
    const size_t listedBefore = table.size();
    morvick::PartitionSearchEvents events;
    // The finished word's test at each cylinder is a pause point: with the percent reported only where
    // it changes, the search ran on behind a Stop question.
    if (finished)
        events.stopRequested = [finished] { return ScanStopped(*finished); };
    events.progress = [&](int percent) { observer.OnProgress(percent); };
    events.listed = [&](size_t index) {
        if (index < listedBefore) {
            ReportPartition(diskItem, index, static_cast<int>(index));
            return;
        }
        const morvick::DiskPartition& p = table[index];
        if (!AddPartitionTableEntry(p.startSector, p.sectorCount, p.fileSystem))
            return;
        // Found FAT volumes are numbered by the new count, NTFS ones by the count before it.
        const int number =
            p.fileSystem == FileSystemKind::kNtfs ? static_cast<int>(index) : static_cast<int>(index + 1);
        ReportPartition(diskItem, index, number);
    };
    morvick::SearchPartitions(disk, geometry, g_bSearchPartitions != 0, table, events);
}
