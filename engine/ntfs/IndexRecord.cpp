#include "engine/ntfs/IndexRecord.h"

#include "engine/ntfs/MftRecord.h"
#include "engine/volume/BufferBounds.h"
#include "engine/util/Endian.h"
#include "engine/volume/SectorSource.h"

#include <cstring>

namespace morvick {

uint32_t IndexRecordSize(const uint8_t* header, size_t length)
{
    if (length < 36 || std::memcmp(header, "INDX", 4) != 0)
        return 0;
    const uint64_t size = static_cast<uint64_t>(ReadLittleEndian32(header + 32)) + 24;
    if (size < kSectorSize || size > kMaxIndexRecordSize || size % kSectorSize != 0)
        return 0;
    return static_cast<uint32_t>(size);
}

bool ParseIndexRecord(uint8_t* record, size_t length, IndexRecordInfo& out)
{
    const uint32_t size = IndexRecordSize(record, length);
    if (size == 0 || size != length || !ApplyMultiSectorFixups(record, length))
        return false;
    const uint64_t entries = ReadLittleEndian32(record + 24);
    if (entries + 44 > length)
        return false;
    const uint32_t owner = ReadLittleEndian32(record + entries + 40);
    if (owner <= 4 || owner == 0xFFFFFFFFu)
        return false;
    out.owner = owner;
    out.vcn = ReadLittleEndian32(record + 16);
    out.sectors = static_cast<uint8_t>(length / kSectorSize);
    return true;
}

}  // namespace morvick
