// Reading a block whose sectors are only partly present in the image: the sector bitmap of a
// differencing VHD block, or of a partially present VHDX block. Present sectors come from the
// block's data; the others belong to the parent image, which is never opened, and read as zeros.
#pragma once

#include "engine/io/DiskFile.h"

#include <cstddef>
#include <cstdint>

enum BitmapBitOrder { kBitmapMostSignificantFirst, kBitmapLeastSignificantFirst };

// True when sector index is marked present; sectors beyond the bitmap are not present.
bool IsSectorPresent(const uint8_t* bitmap, size_t bitmapBytes, uint64_t sector, BitmapBitOrder order);

// Reads count bytes starting at byte within of a block whose data begins at dataOffset in the file,
// one read per run of present sectors and zeros for the rest. False when a present run cannot be read.
bool ReadWithSectorBitmap(CDiskFile& file, uint64_t dataOffset, uint64_t within, size_t count, uint8_t* out,
                          const uint8_t* bitmap, size_t bitmapBytes, BitmapBitOrder order, uint32_t sectorSize);
