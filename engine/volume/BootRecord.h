// A master or extended boot record: the partition entries at byte 446 and the 55 AA signature.
#pragma once

#include "engine/image/SectorSize.h"

#include <cstddef>
#include <cstdint>

namespace morvick {

struct BootRecordEntry {
    uint8_t type = 0;
    uint32_t firstSector = 0;
    uint32_t sectorCount = 0;
};

struct BootRecord {
    bool hasSignature = false;
    BootRecordEntry entries[4];
};

// True when bytes 510 and 511 are 55 AA. False for a buffer shorter than a sector. (Inline: the
// Extensive Scan asks it of every sector.)
inline bool HasBootSignature(const uint8_t* sector, size_t size)
{
    return size >= kSectorSize && sector[510] == 0x55 && sector[511] == 0xAA;
}

// Decodes the four entries. A buffer shorter than a sector gives an empty record.
BootRecord ParseBootRecord(const uint8_t* sector, size_t size);

bool IsExtendedPartitionType(uint8_t type);

}  // namespace morvick
