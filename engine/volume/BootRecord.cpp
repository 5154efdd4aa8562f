#include "engine/volume/BootRecord.h"

#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"
#include "engine/volume/SectorSource.h"

namespace morvick {

namespace {
constexpr size_t kFirstEntry = 446;
constexpr size_t kEntrySize = 16;
}  // namespace

BootRecord ParseBootRecord(const uint8_t* sector, size_t size)
{
    BootRecord record;
    if (size < kSectorSize)
        return record;
    record.hasSignature = HasBootSignature(sector, size);
    for (size_t i = 0; i < 4; ++i) {
        const uint8_t* e = sector + kFirstEntry + i * kEntrySize;
        record.entries[i].type = e[4];
        record.entries[i].firstSector = ReadLittleEndian32(e + 8);
        record.entries[i].sectorCount = ReadLittleEndian32(e + 12);
    }
    return record;
}

bool IsExtendedPartitionType(uint8_t type)
{
    return type == 5 || type == 15;
}

}  // namespace morvick
