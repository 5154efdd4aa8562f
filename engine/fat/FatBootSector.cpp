#include "engine/fat/FatBootSector.h"

#include "engine/volume/PartitionFileSystem.h"
#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"
#include "engine/volume/SectorSource.h"

#include <algorithm>

namespace morvick {

bool ParseFatBootSector(const uint8_t* sector, size_t size, FatBootSector& out)
{
    if (size < kSectorSize)
        return false;
    if (ReadLittleEndian16(sector + 11) != kSectorSize)
        return false;
    const uint32_t spc = sector[13];
    if (spc == 0 || spc > 128 || (spc & (spc - 1)) != 0)
        return false;
    FatBootSector b;
    b.sectorsPerCluster = spc;
    b.reservedSectors = ReadLittleEndian16(sector + 14);
    b.numberOfFats = sector[16];
    b.rootEntries = ReadLittleEndian16(sector + 17);
    b.totalSectors = BootSectorTotalSectors(sector, size, FileSystemKind::kFat16);
    const uint16_t spf16 = ReadLittleEndian16(sector + 22);
    if (spf16 != 0) {
        b.fileSystem = FileSystemKind::kFat16;
        b.sectorsPerFat = spf16;
    } else {
        b.fileSystem = FileSystemKind::kFat32;
        b.sectorsPerFat = ReadLittleEndian32(sector + 36);
        b.rootCluster = ReadLittleEndian32(sector + 44);
        b.rootEntries = 0;
    }
    if (b.reservedSectors == 0 || b.numberOfFats == 0 || b.numberOfFats > 2 || b.sectorsPerFat == 0 ||
        b.totalSectors == 0)
        return false;
    out = b;
    return true;
}

bool MakeFatLayout(const FatBootSector& boot, uint64_t volumeStart, FatLayout& out)
{
    FatLayout l;
    l.fileSystem = boot.fileSystem;
    l.sectorsPerCluster = boot.sectorsPerCluster;
    l.sectorsPerFat = boot.sectorsPerFat;
    l.firstFat = volumeStart + boot.reservedSectors;
    l.secondFat = boot.numberOfFats > 1 ? l.firstFat + boot.sectorsPerFat : 0;
    l.rootDirectorySectors = (boot.rootEntries * 32 + kSectorSize - 1) / kSectorSize;
    l.rootDirectory = l.firstFat + static_cast<uint64_t>(boot.numberOfFats) * boot.sectorsPerFat;
    l.rootCluster = boot.rootCluster;
    const uint64_t dataStart = l.rootDirectory + l.rootDirectorySectors;
    const uint64_t volumeEnd = volumeStart + boot.totalSectors;
    if (dataStart >= volumeEnd)
        return false;
    l.clusterBase = dataStart - 2ull * boot.sectorsPerCluster;
    const uint64_t clusters = (volumeEnd - dataStart) / boot.sectorsPerCluster;
    // The FAT must be able to hold an entry for every cluster.
    const uint64_t entriesPerFat = static_cast<uint64_t>(boot.sectorsPerFat) * kSectorSize /
                                   (boot.fileSystem == FileSystemKind::kFat32 ? 4 : 2);
    l.clusterCount = static_cast<uint32_t>(std::min<uint64_t>(clusters, entriesPerFat >= 2 ? entriesPerFat - 2 : 0));
    if (l.clusterCount == 0)
        return false;
    if (l.fileSystem == FileSystemKind::kFat32 && (l.rootCluster < 2 || l.rootCluster >= l.clusterCount + 2ull))
        return false;
    out = l;
    return true;
}

}  // namespace morvick
