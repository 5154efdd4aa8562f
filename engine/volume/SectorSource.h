// What the partition, FAT and NTFS readers need of a disk: whole 512-byte sectors by number, and the
// size of the disk's own sectors, in which its partition tables count. The engine's sector reader
// stands behind it in the program; tests and fuzzers give memory or a raw file.
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
    // The size of the disk's own (logical) sectors: 512 bytes, or 4,096 for a disk of 4 KiB sectors
    // (a VHDX image can say so). Its partition tables count in them; it is still read in 512-byte
    // sectors.
    virtual uint32_t LogicalSectorSize() const { return kSectorSize; }
};

}  // namespace morvick
