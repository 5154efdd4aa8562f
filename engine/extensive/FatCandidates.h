// What the Extensive Scan makes of single sectors of a FAT volume: a boot sector (or its copy) and
// the first sector of a directory. The bytes are decoded by the FAT layer's decoders; this holds the
// search's own rules for taking a sector as a candidate and the volume a boot sector describes.
#pragma once

#include "engine/fat/FatDirectoryStart.h"
#include "engine/volume/FileSystemKind.h"

#include <cstdint>

namespace morvick {

// The sector looks like a FAT boot sector to the search: 0x55 0xAA at 510 and the "32" of "FAT32"
// at 85 or the "16" of "FAT16" at 57. The analysis judges the rest.
bool IsFatBootCandidate(const uint8_t* sector);

// The sector at `sectorNumber` begins a directory the search takes: "." and ".." entries (their
// clusters with the high words, the kind being unknown), an own cluster of at least 2 (FAT16's
// first data cluster is 2) and below the sector number, and no cluster of all ones.
bool ReadFatDirectoryCandidate(const uint8_t* sector, uint64_t sectorNumber, FatDirectoryStart& out);

// A volume described by a boot-sector candidate found at `bootSector`, in absolute sectors.
struct FatBootVolume {
    FileSystemKind fileSystemType = FileSystemKind::kNone;  // FAT16 or FAT32
    uint32_t sectorsPerCluster = 0;
    uint32_t sectorsPerFat = 0;
    uint32_t reservedSectors = 0;
    uint32_t rootDirectorySectors = 0;  // FAT16: the sectors the root entries fill
    uint32_t rootLocation = 0;          // FAT16: first sector of the root folder; FAT32: its cluster
    uint32_t clusterBase = 0;           // sector of cluster 0
    uint32_t firstFat = 0;
    uint32_t secondFat = 0;     // 0 on a volume with one FAT
    uint64_t endSector = 0;     // boot sector + total sectors
    uint32_t backupOffset = 0;  // FAT32: where the boot sector's copy lies, 0 when unknown
};

// Works out the volume of a boot-sector candidate: the kind by its text (FAT32 by "32" at 85, else
// FAT16 by "16" at 57), the fields by ParseFatBootSector, and a cluster base of at least 63, FATs
// and a root that fit a sector field (engine/state/SectorLimit.h). False for anything else.
bool ReadFatBootVolume(const uint8_t* sector, uint64_t bootSector, FatBootVolume& out);

}  // namespace morvick
