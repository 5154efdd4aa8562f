#include "engine/image/SectorBitmap.h"

#include <cstring>

bool IsSectorPresent(const uint8_t* bitmap, size_t bitmapBytes, uint64_t sector, BitmapBitOrder order)
{
    if (sector / 8 >= bitmapBytes)
        return false;
    const uint8_t byte = bitmap[sector / 8];
    const unsigned bit = static_cast<unsigned>(sector % 8);
    return order == kBitmapMostSignificantFirst ? (byte & (0x80u >> bit)) != 0 : (byte & (1u << bit)) != 0;
}

bool ReadWithSectorBitmap(CDiskFile& file, uint64_t dataOffset, uint64_t within, size_t count, uint8_t* out,
                          const uint8_t* bitmap, size_t bitmapBytes, BitmapBitOrder order, uint32_t sectorSize)
{
    if (sectorSize == 0)
        return false;
    const uint64_t end = within + count;
    uint64_t pos = within;
    while (pos < end) {
        uint64_t sector = pos / sectorSize;
        const bool present = IsSectorPresent(bitmap, bitmapBytes, sector, order);
        uint64_t runEnd = (sector + 1) * sectorSize;
        while (runEnd < end && IsSectorPresent(bitmap, bitmapBytes, runEnd / sectorSize, order) == present)
            runEnd += sectorSize;
        if (runEnd > end)
            runEnd = end;
        uint8_t* target = out + (pos - within);
        const size_t length = static_cast<size_t>(runEnd - pos);
        if (present) {
            if (!file.ReadAt(target, dataOffset + pos, length))
                return false;
        } else {
            std::memset(target, 0, length);
        }
        pos = runEnd;
    }
    return true;
}
