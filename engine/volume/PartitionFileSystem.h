// How the partition layer tells the file system of a partition: by its boot sector's texts or by
// its partition type byte, and the size its boot sector gives it.
#pragma once

#include "engine/volume/FileSystemKind.h"

#include <cstddef>
#include <cstdint>

namespace morvick {

// The file system named by the boot sector's texts: "FAT32" at 82, "FAT16" at 54, "NTFS" at 3 (in
// this order), else FileSystemKind::kNone.
FileSystemKind FileSystemFromBootText(const uint8_t* sector, size_t size);

// The file system named by a partition type byte: 4, 6, 14 FAT16; 11, 12 FAT32; 7 NTFS; 1 FAT16
// inside an extended partition only. Everything else (extended types included) is FileSystemKind::kNone.
FileSystemKind FileSystemFromTypeByte(uint8_t type, bool insideExtended);

// True when the boot sector declares a file system that the engine cannot read although the
// partition type byte suggests one it can: exFAT (type 7) and FAT12 (types 1, 4, 6, 14).
bool IsUnsupportedFileSystem(const uint8_t* sector, size_t size);

// The short texts by which the searches know a boot sector (the partition search and the Extensive
// Scan test them on sectors that end in 55 AA): "32" at 85 (of "FAT32") gives FAT32, else "16" at 57
// (of "FAT16") FAT16; "NTFS" at 3.
FileSystemKind FatKindFromSearchText(const uint8_t* sector, size_t size);
bool HasNtfsSearchText(const uint8_t* sector, size_t size);
// The partition search's verdict on such a sector: the FAT texts first, then the NTFS one.
FileSystemKind FileSystemFromSearchText(const uint8_t* sector, size_t size);

// The size of the volume's own sectors that a FAT or NTFS boot sector gives (the 16-bit value at 11):
// 512, 1,024, 2,048 or 4,096 bytes; 0 for any other value (the engine reads no other) and for a
// buffer shorter than a sector. The engine counts in 512-byte sectors (kSectorSize): the boot
// sector's counts are converted where they are read.
uint32_t VolumeSectorBytes(const uint8_t* sector, size_t size);

// Sectors of the volume that a boot sector describes, in 512-byte sectors: FAT takes the 16-bit
// total at 19 when it is not 0, else the 32-bit total at 32; NTFS the 64-bit total at 40; each counts
// the volume's own sectors (VolumeSectorBytes; a size the engine does not read counts as 512 bytes).
// 0 for a buffer shorter than a sector.
uint64_t BootSectorTotalSectors(const uint8_t* sector, size_t size, FileSystemKind fileSystem);

}  // namespace morvick
