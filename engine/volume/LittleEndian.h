// Little-endian field access for on-disk structures. Every reader goes through these helpers so that
// no structure is ever cast over a buffer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvick {

inline uint16_t ReadU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t ReadU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline uint64_t ReadU64(const uint8_t* p)
{
    return static_cast<uint64_t>(ReadU32(p)) | (static_cast<uint64_t>(ReadU32(p + 4)) << 32);
}

// True when [offset, offset + length) lies inside a buffer of `size` bytes, without overflow.
inline bool FitsIn(size_t size, size_t offset, size_t length)
{
    return offset <= size && length <= size - offset;
}

}  // namespace morvick
