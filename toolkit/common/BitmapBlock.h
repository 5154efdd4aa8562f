// One bitmap of a saved command icon as it is kept in an archive: a counted header (a 40-byte
// bitmap info header and 12 more bytes: colour masks or a two-entry colour table), then the counted
// pixel rows, always width x height x 4 bytes long. A header count of 0 is an empty block.
#pragma once

#include "classlib/core/CArchive.h"

#include <cstdint>
#include <vector>

struct TKPBitmapBlock
{
  enum { kInfoHeaderSize = 40, kHeaderSize = 52 };

  bool IsEmpty() const { return pixels.empty(); }
  std::int32_t Width() const;
  std::int32_t Height() const;  // negative for top-down rows
  std::uint16_t BitCount() const;

  // The info header and the 12 bytes after it, little-endian as stored.
  std::uint8_t header[kHeaderSize] = {};
  // Exactly Width() x |Height()| x 4 bytes: the rows, then padding.
  std::vector<std::uint8_t> pixels;
};

// Writes the block (an empty block as a single count of 0).
void TKPWriteBitmapBlock(CArchive& ar, const TKPBitmapBlock& block);

// Reads one block, always consuming exactly what was stored so that the next block stays in step.
// A damaged block (a header outside 40 to 52 bytes, a size that is not positive or too large, a
// colour depth whose table would not fit, a pixel count other than width x height x 4) reads as an
// empty block. Archive exceptions (a stream that ends early) pass to the caller.
void TKPReadBitmapBlock(CArchive& ar, TKPBitmapBlock& block);
