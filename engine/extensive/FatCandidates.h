// What the Extensive Scan makes of single sectors of a FAT volume: a boot sector (or its copy) and
// the first sector of a directory, recognised by its "." and ".." entries. Pure byte logic over one
// 512-byte sector; nothing in it is trusted beyond what is checked here.
#pragma once

#include "engine/volume/FileSystemKind.h"

#include <cstdint>

namespace morvick {

// The sector looks like a FAT boot sector to the search: 0x55 0xAA at 510 and the "32" of "FAT32"
// at 85 or the "16" of "FAT16" at 57. The analysis judges the rest.
bool IsFatBootCandidate(const uint8_t* sector);

struct FatDirectoryCandidate {
    uint32_t firstCluster = 0;    // the "." entry's cluster
    uint32_t parentCluster = 0;   // the ".." entry's cluster (0 for a folder of the root)
    uint16_t writeDate = 0;       // of the "." entry
    uint16_t accessDate = 0;
};

// The sector at `sectorNumber` begins a directory: "." and ".." entries, an own cluster above 2 and
// below the sector number, and no cluster of all ones.
bool ReadFatDirectoryCandidate(const uint8_t* sector, uint64_t sectorNumber, FatDirectoryCandidate& out);

// A volume described by a boot-sector candidate found at `bootSector`, in absolute sectors.
struct FatBootVolume {
    FileSystemKind fileSystemType = FileSystemKind::kNone;  // FAT16 or FAT32
    uint32_t sectorsPerCluster = 0;
    uint32_t sectorsPerFat = 0;
    uint32_t reservedSectors = 0;
    uint32_t rootDirectorySectors = 0;   // FAT16: root entries / 16
    uint32_t rootLocation = 0;           // FAT16: first sector of the root folder; FAT32: its cluster
    uint32_t clusterBase = 0;            // sector of cluster 0
    uint32_t firstFat = 0;
    uint32_t secondFat = 0;              // 0 on a volume with one FAT
    uint32_t endSector = 0;              // boot sector + total sectors
    uint32_t backupOffset = 0;           // FAT32: where the boot sector's copy lies, 0 when unknown
};

// Works out the volume of a boot-sector candidate: FAT32 by "32" at 85, else FAT16 by "16" at 57; a
// power-of-two cluster size up to 128 sectors; a nonzero FAT size; a cluster base of at least 63
// that fits a sector number. The total is the 16-bit one at 19 when set, else the 32-bit one at 32;
// the FAT count at 16 is honoured when it is 1, else two FATs are taken. False for anything else.
bool ReadFatBootVolume(const uint8_t* sector, uint64_t bootSector, FatBootVolume& out);

// True for 1, 2, 4, ... 128.
bool IsClusterSizeInSectors(uint64_t sectors);

}  // namespace morvick
