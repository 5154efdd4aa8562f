// The boot sector of a FAT16 or FAT32 volume (its BIOS parameter block), the one decoder of it that
// the Quick Scan, the Extensive Scan, the tests and the fuzzers share, and the layout it gives.
#pragma once

#include "engine/volume/FileSystemKind.h"

#include <cstddef>
#include <cstdint>

namespace morvick {

// Every count is in the engine's 512-byte sectors: a volume of larger sectors has its counts
// converted as they are read.
struct FatBootSector {
    FileSystemKind fileSystem = FileSystemKind::kNone;  // the layout it was read in: FAT16 or FAT32
    uint32_t bytesPerSector = 0;                        // of the volume: 512, 1,024, 2,048 or 4,096
    uint32_t sectorsPerCluster = 0;
    uint32_t reservedSectors = 0;
    uint32_t numberOfFats = 0;          // 1, or 2 for every other count
    uint32_t rootEntries = 0;           // FAT16
    uint32_t rootDirectorySectors = 0;  // FAT16: the sectors the root entries fill
    uint64_t totalSectors = 0;          // the 16-bit total when set, else the 32-bit one; may be 0
    uint32_t sectorsPerFat = 0;
    uint32_t rootCluster = 0;       // FAT32
    uint32_t backupBootSector = 0;  // FAT32: where the copy lies, in sectors from this one; 0 for none
    uint32_t activeFat = 0;         // FAT32 whose FATs are not mirrored: the one kept up to date, from 0
};

// Decodes a boot sector in the layout of `kind` (FAT16: the FAT size at 22 and the root entries at
// 17; FAT32: the FAT size at 36, the flags at 40 (mirroring off and the active FAT), the root cluster
// at 44 and the copy's place at 50). The caller knows
// the kind: the chosen partition's type, or the text by which the search found the sector. The
// volume's sector size at 11 (512, 1,024, 2,048 or 4,096 bytes) converts its counts into 512-byte
// sectors. Checked, as is right for a damaged disk, only where the volume could not be found without
// the field: 55 AA at 510, a sector size of those, a power-of-two cluster size of up to 128 512-byte
// sectors (64 KiB), at least one reserved sector (the boot sector itself) and a FAT of at least one
// sector. A FAT count other than 1 is read as the usual two, and a total of 0 is kept for the caller
// to judge. False when a check fails or `kind` is not FAT16 or FAT32.
bool ParseFatBootSector(const uint8_t* sector, size_t size, FileSystemKind kind, FatBootSector& out);

// Where things are on the volume whose boot sector lies at `volumeStart`, in absolute sectors. The
// sums are plain 64-bit arithmetic: a damaged boot sector may put them anywhere, and each caller
// judges them (the cluster base lies two clusters before the data area, and wraps when the data
// area starts within two clusters of sector 0).
struct FatLayout {
    FileSystemKind fileSystem = FileSystemKind::kNone;
    uint32_t sectorsPerCluster = 0;
    // The FAT that chains are read from first, and the other one (0 on a volume with one FAT): the
    // volume's first and second FAT, or the other way round on a FAT32 volume whose FATs are not
    // mirrored and whose second FAT is the active one.
    uint64_t firstFat = 0;
    uint64_t secondFat = 0;
    uint32_t sectorsPerFat = 0;
    uint64_t rootDirectory = 0;  // FAT16: first sector of the fixed root folder
    uint32_t rootDirectorySectors = 0;
    uint32_t rootCluster = 0;   // FAT32
    uint64_t dataStart = 0;     // the first sector of cluster 2
    uint64_t clusterBase = 0;   // sector of cluster 0: cluster n starts at base + n x spc
    uint32_t clusterCount = 0;  // data clusters (FatDataClusterCount over the boot sector's total)
};
FatLayout MakeFatLayout(const FatBootSector& boot, uint64_t volumeStart);

// The data clusters of a volume: as many whole clusters as lie between `dataStart` and `volumeEnd`
// (one past the volume's last sector; 0 when unknown) and as the FAT has entries for, at most
// 0x0FFFFFF0 (FAT16: 65,524). Valid cluster numbers are 2 .. count + 1. An end at or before the data
// area is a damaged size, not an empty volume: the FAT alone counts then.
uint32_t FatDataClusterCount(FileSystemKind kind, uint32_t sectorsPerFat, uint32_t sectorsPerCluster,
    uint64_t dataStart, uint64_t volumeEnd);

}  // namespace morvick
