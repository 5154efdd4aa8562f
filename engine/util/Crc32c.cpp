#include "engine/util/Crc32c.h"

#include <array>

namespace {

std::array<uint32_t, 256> MakeTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ 0x82F63B78u : (c >> 1);
        table[i] = c;
    }
    return table;
}

} // namespace

uint32_t Crc32c(uint32_t crc, const uint8_t* data, size_t size)
{
    static const std::array<uint32_t, 256> table = MakeTable();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}
