#include "engine/image/VhdDynamicHeader.h"

#include "engine/util/Endian.h"

#include <cstring>

uint32_t ComputeVhdDynamicHeaderChecksum(const uint8_t* header)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < kVhdDynamicHeaderSize; ++i) {
        if (i < 36 || i >= 40)
            sum += header[i];
    }
    return ~sum;
}

bool ParseVhdDynamicHeader(const uint8_t* data, size_t size, VhdDynamicHeader& header)
{
    header = VhdDynamicHeader();
    if (!data || size < kVhdDynamicHeaderSize)
        return false;
    header.cookieValid = std::memcmp(data, "cxsparse", 8) == 0;
    header.checksumValid = ReadBigEndian32(data + 36) == ComputeVhdDynamicHeaderChecksum(data);
    header.tableOffset = ReadBigEndian64(data + 16);
    header.maxTableEntries = ReadBigEndian32(data + 28);
    header.blockSize = ReadBigEndian32(data + 32);
    return true;
}
