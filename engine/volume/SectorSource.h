// What the partition, FAT and NTFS readers need of a disk: whole 512-byte sectors by number. The
// engine's sector reader stands behind it in the program; tests and fuzzers give memory or a raw file.
#pragma once

#include "engine/image/SectorSize.h"

#include <cstdint>

namespace morvick {

class SectorSource {
public:
    virtual ~SectorSource() = default;
    // Reads `count` sectors from `sector` into `buffer` (count x 512 bytes). False when any of them
    // cannot be read; the buffer's contents are then unspecified.
    virtual bool ReadSectors(uint64_t sector, uint32_t count, uint8_t* buffer) = 0;
    // Sectors of the disk, or 0 when unknown.
    virtual uint64_t SectorCount() const = 0;
};

}  // namespace morvick
