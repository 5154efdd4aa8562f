// Byte-order helpers for on-disk fields. Every multi-byte field read from an image goes through
// these; callers check the bounds of the buffer before calling.
#pragma once

#include <cstdint>

inline uint16_t ReadLittleEndian16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t ReadLittleEndian32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline uint64_t ReadLittleEndian64(const uint8_t* p)
{
    return static_cast<uint64_t>(ReadLittleEndian32(p)) |
           (static_cast<uint64_t>(ReadLittleEndian32(p + 4)) << 32);
}

inline uint16_t ReadBigEndian16(const uint8_t* p)
{
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

inline uint32_t ReadBigEndian32(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

inline uint64_t ReadBigEndian64(const uint8_t* p)
{
    return (static_cast<uint64_t>(ReadBigEndian32(p)) << 32) | ReadBigEndian32(p + 4);
}

inline void WriteLittleEndian32(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

inline void WriteBigEndian32(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

// Little-endian assembly of a 32-bit value from four bytes (FAT and NTFS fields).
inline uint32_t MakeDword(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3)
{
    return static_cast<uint32_t>(b0) | (static_cast<uint32_t>(b1) << 8) |
           (static_cast<uint32_t>(b2) << 16) | (static_cast<uint32_t>(b3) << 24);
}

inline bool IsPowerOfTwo(uint64_t v)
{
    return v != 0 && (v & (v - 1)) == 0;
}
