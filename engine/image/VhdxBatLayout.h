// The layout of the VHDX block allocation table: payload block entries, with one sector-bitmap
// entry after every chunk-ratio payload entries.
#pragma once

#include <cstdint>

struct VhdxBatLayout {
    uint64_t chunkRatio = 0;      // payload blocks per sector-bitmap block: 2^23 x logical sector / block size
    uint64_t dataBlocks = 0;      // ceiling(disk size / block size)
    uint64_t bitmapBlocks = 0;    // ceiling(data blocks / chunk ratio)
    uint64_t totalEntries = 0;    // data blocks + floor((data blocks - 1) / chunk ratio)
};

// Computes the layout in integers. False when a value is zero or the ratio is not whole.
bool ComputeVhdxBatLayout(uint64_t diskSize, uint32_t blockSize, uint32_t logicalSectorSize, VhdxBatLayout& layout);

// The table index of payload block b, and of the sector-bitmap entry of chunk c.
inline uint64_t VhdxPayloadEntryIndex(const VhdxBatLayout& layout, uint64_t b)
{
    return b + b / layout.chunkRatio;
}
inline uint64_t VhdxBitmapEntryIndex(const VhdxBatLayout& layout, uint64_t c)
{
    return c * (layout.chunkRatio + 1) + layout.chunkRatio;
}
