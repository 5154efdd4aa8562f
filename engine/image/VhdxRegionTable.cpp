#include "engine/image/VhdxRegionTable.h"

#include "engine/image/VhdxGuids.h"
#include "engine/util/Crc32c.h"
#include "engine/util/Endian.h"

#include <cstring>

int ParseVhdxRegionTable(const uint8_t* data, size_t size, uint64_t fileSize, VhdxRegionTable& table, bool fieldsOnly)
{
    table = VhdxRegionTable();
    if (!data || size < kVhdxRegionTableSize)
        return kVhdxRejected;
    uint8_t zero[4] = {};
    uint32_t crc = Crc32c(0, data, 4);
    crc = Crc32c(crc, zero, 4);
    crc = Crc32c(crc, data + 8, kVhdxRegionTableSize - 8);
    table.intact = std::memcmp(data, "regi", 4) == 0 && crc == ReadLittleEndian32(data + 4);
    if (!table.intact && !fieldsOnly)
        return kVhdxRejected;
    const uint32_t count = ReadLittleEndian32(data + 8);
    if (count > kVhdxMaxRegionEntries)
        return kVhdxRejected;
    bool haveBat = false, haveMetadata = false;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* entry = data + 16 + 32 * static_cast<size_t>(i);
        const std::u16string name = GetVhdxItemName(entry);
        VhdxRegion region{name, ReadLittleEndian64(entry + 16), ReadLittleEndian32(entry + 24)};
        const bool required = (ReadLittleEndian32(entry + 28) & 1) != 0;
        bool* seen = nullptr;
        if (name == u"Bat Guid")
            seen = &haveBat;
        else if (name == u"MetaData_Guid")
            seen = &haveMetadata;
        if (!seen) {
            if (required)
                return kVhdxUnknownRequired;
            continue;
        }
        if (*seen)
            return kVhdxRejected;
        *seen = true;
        // Inside the file only: a damaged entry would size buffers and tables from what it claims.
        if (region.fileOffset > fileSize || region.length > fileSize - region.fileOffset)
            return kVhdxRejected;
        table.regions.push_back(region);
    }
    // The metadata and the BAT cannot share bytes: a table naming overlapping regions is damaged.
    if (table.regions.size() == 2) {
        const VhdxRegion& a = table.regions[0];
        const VhdxRegion& b = table.regions[1];
        if (a.fileOffset < b.fileOffset + b.length && b.fileOffset < a.fileOffset + a.length)
            return kVhdxRejected;
    }
    return kVhdxOk;
}
