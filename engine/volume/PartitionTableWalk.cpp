#include "engine/volume/PartitionTableWalk.h"

#include "engine/state/SectorLimit.h"
#include "engine/volume/BootRecord.h"
#include "engine/volume/PartitionFileSystem.h"

#include <cstring>
#include <set>

namespace morvick {

namespace {

// The file system of the partition whose boot sector is in `boot`: its texts first, then the type
// byte, unless the boot sector names a file system that the engine does not read.
FileSystemKind ClassifyPartition(const uint8_t* boot, uint8_t type, bool insideExtended)
{
    const FileSystemKind byText = FileSystemFromBootText(boot, kSectorSize);
    if (byText != FileSystemKind::kNone)
        return byText;
    // exFAT behind type 7 or FAT12 behind a FAT16 type is not listed: read as NTFS or FAT16, its
    // structures would be taken for others and give garbage as files.
    if (IsUnsupportedFileSystem(boot, kSectorSize))
        return FileSystemKind::kNone;
    return FileSystemFromTypeByte(type, insideExtended);
}

// Reads one sector; an unreadable one reads as zeros (no texts, no signature), not as the sector read
// before it, whose texts would classify this partition as that one.
void ReadOrZero(SectorSource& disk, uint64_t sector, uint8_t* buffer)
{
    if (!disk.ReadSectors(sector, 1, buffer))
        std::memset(buffer, 0, kSectorSize);
}

}  // namespace

std::vector<DiskPartition> WalkPartitionTable(SectorSource& disk, uint32_t mbrSector)
{
    std::vector<DiskPartition> table;
    uint8_t sector[kSectorSize];
    if (!disk.ReadSectors(mbrSector, 1, sector))
        return table;
    const BootRecord mbr = ParseBootRecord(sector, sizeof sector);
    if (!mbr.hasSignature)
        return table;

    bool haveExtended = false;
    uint32_t extendedBase = 0;
    uint8_t boot[kSectorSize];
    for (const BootRecordEntry& e : mbr.entries) {
        if (e.type == 0)
            continue;
        ReadOrZero(disk, e.firstSector, boot);
        const FileSystemKind fs =
            IsExtendedPartitionType(e.type) ? FileSystemKind::kNone : ClassifyPartition(boot, e.type, false);
        if (fs != FileSystemKind::kNone) {
            table.push_back({e.firstSector, e.sectorCount, fs});
            if (table.size() >= kMaxDiskPartitions)
                return table;
        }
        if (IsExtendedPartitionType(e.type)) {
            haveExtended = true;
            extendedBase = e.firstSector;
        }
    }
    if (!haveExtended)
        return table;

    std::set<uint64_t> visited;
    uint64_t next = 0;
    bool linked = true;
    while (linked && visited.size() < kMaxExtendedBootRecords) {
        const uint64_t recordSector = static_cast<uint64_t>(extendedBase) + next;
        if (!FitsSectorField(recordSector) || !visited.insert(recordSector).second)
            break;
        linked = false;
        if (!disk.ReadSectors(recordSector, 1, sector))
            break;
        const BootRecord ebr = ParseBootRecord(sector, sizeof sector);
        for (size_t i = 0; i < 2; ++i) {
            const BootRecordEntry& e = ebr.entries[i];
            if (e.type == 0)
                continue;
            const uint64_t start = recordSector + e.firstSector;
            if (IsExtendedPartitionType(e.type)) {
                next = e.firstSector;
                linked = true;
                continue;
            }
            // Past the sectors the partition table holds: left out (engine/state/SectorLimit.h).
            if (!FitsSectorField(start))
                continue;
            ReadOrZero(disk, start, boot);
            const FileSystemKind fs = ClassifyPartition(boot, e.type, true);
            if (fs == FileSystemKind::kNone)
                continue;
            table.push_back({static_cast<uint32_t>(start), e.sectorCount, fs});
            if (table.size() >= kMaxDiskPartitions)
                return table;
        }
    }
    return table;
}

}  // namespace morvick
