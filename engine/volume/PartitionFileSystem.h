// The file-system type codes of the engine and how a boot sector or a partition type byte maps to
// them.
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

// The partition search's test of a sector that ends in 55 AA: "32" at 85, "16" at 57, "NTFS" at 3.
FileSystemKind FileSystemFromSearchText(const uint8_t* sector, size_t size);

// Sectors of the volume that a boot sector describes: FAT takes the 16-bit total at 19 when it is
// not 0, else the 32-bit total at 32; NTFS the 64-bit total at 40, capped to 32 bits.
uint32_t BootSectorTotalSectors(const uint8_t* sector, size_t size, FileSystemKind fileSystem);

}  // namespace morvick
