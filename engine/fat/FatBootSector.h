// The BIOS parameter block of a FAT16 or FAT32 boot sector, and the volume layout it gives.
#pragma once

#include "engine/volume/FileSystemKind.h"

#include <cstddef>
#include <cstdint>

namespace morvick {

struct FatBootSector {
    FileSystemKind fileSystem = FileSystemKind::kNone;  // FAT16 or FAT32
    uint32_t sectorsPerCluster = 0;
    uint32_t reservedSectors = 0;
    uint32_t numberOfFats = 0;
    uint32_t rootEntries = 0;        // FAT16
    uint32_t totalSectors = 0;       // the 16-bit total when set, else the 32-bit one
    uint32_t sectorsPerFat = 0;
    uint32_t rootCluster = 0;        // FAT32
};

// Decodes and checks a boot sector: 512-byte sectors, a power-of-two cluster size up to 128
// sectors, at least one reserved sector, one or two FATs, nonzero FAT and volume sizes. False for
// anything else.
bool ParseFatBootSector(const uint8_t* sector, size_t size, FatBootSector& out);

// Where things are on a FAT volume, in absolute sectors.
struct FatLayout {
    FileSystemKind fileSystem = FileSystemKind::kNone;
    uint32_t sectorsPerCluster = 0;
    uint64_t firstFat = 0;
    uint64_t secondFat = 0;          // 0 on a volume with one FAT
    uint32_t sectorsPerFat = 0;
    uint64_t rootDirectory = 0;      // FAT16: first sector of the fixed root folder
    uint32_t rootDirectorySectors = 0;
    uint32_t rootCluster = 0;        // FAT32
    uint64_t clusterBase = 0;        // sector of cluster 0: cluster n starts at base + n x spc
    uint32_t clusterCount = 0;       // data clusters: valid cluster numbers are 2 .. count + 1
};

// The layout of a volume that starts at `volumeStart`. False when the data area would not fit the
// volume.
bool MakeFatLayout(const FatBootSector& boot, uint64_t volumeStart, FatLayout& out);

}  // namespace morvick
