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

// Lists the partition of `type` that starts at `start` and holds `count` sectors (both in 512-byte
// sectors) when its boot sector or type names a file system the engine reads. False once the table
// is full.
bool AddPartition(SectorSource& disk, uint64_t start, uint64_t count, uint8_t type, bool insideExtended,
    std::vector<DiskPartition>& table)
{
    // Past the sectors the partition table holds: left out (engine/state/SectorLimit.h).
    if (!FitsSectorField(start))
        return true;
    uint8_t boot[kSectorSize];
    ReadOrZero(disk, start, boot);
    const FileSystemKind fs = ClassifyPartition(boot, type, insideExtended);
    if (fs != FileSystemKind::kNone)
        table.push_back({static_cast<uint32_t>(start), HeldSector(count), fs});
    return table.size() < kMaxDiskPartitions;
}

// The 512-byte sectors in one of the disk's own sectors, in which its tables count: 1, or 8 on a disk
// of 4 KiB sectors.
uint64_t TableUnits(const SectorSource& disk)
{
    const uint32_t bytes = disk.LogicalSectorSize();
    return bytes >= kSectorSize && bytes % kSectorSize == 0 ? bytes / kSectorSize : 1;
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

    // The table counts in the disk's own sectors, converted here into the engine's 512-byte ones: on a
    // disk of 4 KiB sectors a partition was looked for at an eighth of its place, and found an eighth
    // of its size.
    const uint64_t units = TableUnits(disk);
    bool haveExtended = false;
    uint64_t extendedBase = 0;
    for (const BootRecordEntry& e : mbr.entries) {
        if (e.type == 0)
            continue;
        if (IsExtendedPartitionType(e.type)) {
            haveExtended = true;
            extendedBase = e.firstSector;
        } else if (!AddPartition(disk, e.firstSector * units, e.sectorCount * units, e.type, false, table)) {
            return table;
        }
    }
    if (!haveExtended)
        return table;

    std::set<uint64_t> visited;
    uint64_t next = 0;
    bool linked = true;
    while (linked && visited.size() < kMaxExtendedBootRecords) {
        // In the disk's own sectors; in the engine's below.
        const uint64_t record = extendedBase + next;
        const uint64_t recordSector = record * units;
        if (!FitsSectorField(recordSector) || !visited.insert(record).second)
            break;
        linked = false;
        if (!disk.ReadSectors(recordSector, 1, sector))
            break;
        const BootRecord ebr = ParseBootRecord(sector, sizeof sector);
        for (size_t i = 0; i < 2; ++i) {
            const BootRecordEntry& e = ebr.entries[i];
            if (e.type == 0)
                continue;
            if (IsExtendedPartitionType(e.type)) {
                next = e.firstSector;
                linked = true;
            } else if (!AddPartition(
                           disk, recordSector + e.firstSector * units, e.sectorCount * units, e.type, true, table)) {
                return table;
            }
        }
    }
    return table;
}

}  // namespace morvick
