#include "engine/image/VhdFooter.h"

#include "engine/util/Endian.h"

#include <cstring>

uint32_t ComputeVhdFooterChecksum(const uint8_t* footer)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < kVhdFooterSize; ++i) {
        if (i < 64 || i >= 68)
            sum += footer[i];
    }
    return ~sum;
}

bool ParseVhdFooter(const uint8_t* data, size_t size, VhdFooter& footer)
{
    footer = VhdFooter();
    if (!data || size < kVhdFooterSize)
        return false;
    footer.cookieValid = std::memcmp(data, "conectix", 8) == 0;
    footer.checksumValid = ReadBigEndian32(data + 64) == ComputeVhdFooterChecksum(data);
    footer.dataOffset = ReadBigEndian64(data + 16);
    footer.originalSize = ReadBigEndian64(data + 40);
    footer.currentSize = ReadBigEndian64(data + 48);
    footer.cylinders = ReadBigEndian16(data + 56);
    footer.heads = data[58];
    footer.sectorsPerTrack = data[59];
    footer.diskType = ReadBigEndian32(data + 60);
    return true;
}
