#include "engine/fat/FatBootSector.h"

#include "engine/image/SectorSize.h"
#include "engine/util/Endian.h"
#include "engine/volume/BootRecord.h"
#include "engine/volume/ClusterSize.h"
#include "engine/volume/PartitionFileSystem.h"

#include <algorithm>
#include <utility>

namespace morvick {

namespace {
constexpr uint32_t kDirectoryEntryBytes = 32;
// FAT32 entries are 28 bits wide; the top values mark the end of a chain and bad clusters.
constexpr uint64_t kMaxDataClusters = 0x0FFFFFF0u;
// A FAT16 volume has fewer than 65,525 clusters: its 16-bit entries name no cluster past them.
constexpr uint64_t kMaxFat16DataClusters = 65524;
}  // namespace

bool ParseFatBootSector(const uint8_t* sector, size_t size, FileSystemKind kind, FatBootSector& out)
{
    if (!IsFatFileSystem(kind) || !HasBootSignature(sector, size))
        return false;
    // The counts in the engine's 512-byte sectors by the volume's own sector size, not taken as they
    // stand: on a volume of 4,096-byte sectors the FATs, the root and every cluster were looked for at
    // an eighth of their places, and files were saved with other clusters' bytes.
    FatBootSector b;
    b.bytesPerSector = VolumeSectorBytes(sector, size);
    if (b.bytesPerSector == 0)
        return false;
    const uint32_t units = b.bytesPerSector / kSectorSize;
    b.fileSystem = kind;
    b.sectorsPerCluster = sector[13] * units;
    b.reservedSectors = ReadLittleEndian16(sector + 14) * units;
    // One FAT when byte 16 says so, not two always: on a one-FAT volume the root and the data would be
    // looked for a whole FAT too far on, and every file read from the wrong clusters.
    b.numberOfFats = sector[16] == 1 ? 1 : 2;
    b.totalSectors = BootSectorTotalSectors(sector, size, kind);
    uint64_t sectorsPerFat = 0;
    if (kind == FileSystemKind::kFat32) {
        sectorsPerFat = uint64_t{ReadLittleEndian32(sector + 36)} * units;
        b.rootCluster = ReadLittleEndian32(sector + 44);
        const uint16_t backup = ReadLittleEndian16(sector + 50);
        b.backupBootSector = backup == 0xFFFF ? 0 : backup * units;
        // Bit 7: only the FAT that bits 0-3 number is kept up to date; the other may be stale.
        const uint16_t flags = ReadLittleEndian16(sector + 40);
        if ((flags & 0x80) != 0 && (flags & 0x0F) < b.numberOfFats)
            b.activeFat = flags & 0x0F;
    } else {
        sectorsPerFat = uint64_t{ReadLittleEndian16(sector + 22)} * units;
        b.rootEntries = ReadLittleEndian16(sector + 17);
        // Rounded up, not root entries / 16: a root whose entries do not fill its last sector still
        // takes that sector, and the data would be looked for one sector early.
        b.rootDirectorySectors =
            (b.rootEntries * kDirectoryEntryBytes + b.bytesPerSector - 1) / b.bytesPerSector * units;
    }
    // A cluster size that is no power of two up to 128, no reserved sector (the FAT would lie on the
    // boot sector) or no FAT describes no volume; taken, they divide by zero or read garbage as files.
    // A FAT larger than a sector field holds is damage too (a FAT32 FAT has at most 2^28 entries).
    if (!IsClusterSizeInSectors(b.sectorsPerCluster) || b.reservedSectors == 0 || sectorsPerFat == 0 ||
        sectorsPerFat > UINT32_MAX)
        return false;
    b.sectorsPerFat = static_cast<uint32_t>(sectorsPerFat);
    out = b;
    return true;
}

FatLayout MakeFatLayout(const FatBootSector& boot, uint64_t volumeStart)
{
    FatLayout l;
    l.fileSystem = boot.fileSystem;
    l.sectorsPerCluster = boot.sectorsPerCluster;
    l.sectorsPerFat = boot.sectorsPerFat;
    l.firstFat = volumeStart + boot.reservedSectors;
    l.secondFat = boot.numberOfFats > 1 ? l.firstFat + boot.sectorsPerFat : 0;
    l.rootDirectory = l.firstFat + uint64_t{boot.numberOfFats} * boot.sectorsPerFat;
    l.rootDirectorySectors = boot.rootDirectorySectors;
    l.rootCluster = boot.rootCluster;
    l.dataStart = l.rootDirectory + boot.rootDirectorySectors;
    l.clusterBase = l.dataStart - 2ull * boot.sectorsPerCluster;
    // The active FAT first where the FATs are not mirrored, not the first always: the stale one would
    // give old chains, whose clusters hold other files' bytes, and folders that end too early.
    if (boot.activeFat == 1 && l.secondFat != 0)
        std::swap(l.firstFat, l.secondFat);
    const uint64_t volumeEnd = boot.totalSectors != 0 ? volumeStart + boot.totalSectors : 0;
    l.clusterCount =
        FatDataClusterCount(boot.fileSystem, boot.sectorsPerFat, boot.sectorsPerCluster, l.dataStart, volumeEnd);
    return l;
}

uint32_t FatDataClusterCount(FileSystemKind kind, uint32_t sectorsPerFat, uint32_t sectorsPerCluster,
    uint64_t dataStart, uint64_t volumeEnd)
{
    if (!IsFatFileSystem(kind) || sectorsPerCluster == 0 || sectorsPerFat == 0)
        return 0;
    const uint64_t entries = uint64_t{sectorsPerFat} * kSectorSize / (kind == FileSystemKind::kFat32 ? 4 : 2);
    uint64_t clusters = entries > 2 ? entries - 2 : 0;
    if (volumeEnd > dataStart)
        clusters = std::min<uint64_t>(clusters, (volumeEnd - dataStart) / sectorsPerCluster);
    // FAT16's count held to what its entries can name, not to FAT32's: a FAT that a damaged boot
    // sector or snapshot makes huge had the free-cluster search walk millions of clusters no file has.
    return static_cast<uint32_t>(
        std::min(clusters, kind == FileSystemKind::kFat32 ? kMaxDataClusters : kMaxFat16DataClusters));
}

}  // namespace morvick
