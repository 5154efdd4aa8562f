// Sun raster: a 32-byte big-endian header (magic, width, height, depth, data length, type, colour
// map type and length), an optional colour map of red, green and blue planes, then rows padded to
// an even byte count: 1 bit (set = black without a map), 8 bits (map index or grey), 24 bits
// (blue, green, red; red first in type 3) or 32 bits (a pad byte first). Type 2 compresses the
// bytes with 0x80 runs.
#include "preview/decoders/OwnDecoders.h"

#include "preview/decoders/ByteReader.h"

#include <new>
#include <vector>

namespace morvick {

namespace {

constexpr uint32_t kMagic = 0x59A66A95;

// Type 2: 0x80 0x00 is one 0x80; 0x80 n v is n + 1 copies of v; anything else stands for itself.
bool UnpackSunRle(ByteReader& in, std::vector<uint8_t>& out, uint64_t total) {
  uint64_t pos = 0;
  while (pos < total) {
    uint8_t c;
    if (!in.ReadByte(c)) return false;
    if (c != 0x80) {
      out[pos++] = c;
      continue;
    }
    uint8_t n;
    if (!in.ReadByte(n)) return false;
    if (n == 0) {
      out[pos++] = 0x80;
      continue;
    }
    uint8_t v;
    if (!in.ReadByte(v)) return false;
    for (uint32_t i = 0; i <= n && pos < total; ++i) out[pos++] = v;
  }
  return true;
}

}  // namespace

bool DecodeSunRaster(const uint8_t* data, size_t size, RasterImage& out) {
  out.Clear();
  ByteReader in(data, size);
  uint32_t magic, width, height, depth, length, type, mapType, mapLength;
  if (!in.ReadBig(4, magic) || magic != kMagic) return false;
  if (!in.ReadBig(4, width) || !in.ReadBig(4, height) || !in.ReadBig(4, depth) || !in.ReadBig(4, length) ||
      !in.ReadBig(4, type) || !in.ReadBig(4, mapType) || !in.ReadBig(4, mapLength))
    return false;
  if (depth != 1 && depth != 8 && depth != 24 && depth != 32) return false;
  if (type > 3 || mapType > 1) return false;
  if (!RasterImage::SizeAllowed(width, height)) return false;

  std::vector<uint8_t> map;
  uint32_t mapEntries = 0;
  if (mapType == 1 && mapLength > 0) {
    if (mapLength % 3 != 0 || mapLength > 768 || in.Remaining() < mapLength) return false;
    map.assign(in.Current(), in.Current() + mapLength);
    in.Skip(mapLength);
    mapEntries = mapLength / 3;
  } else if (!in.Skip(mapLength)) {
    return false;
  }

  const uint64_t rowBits = static_cast<uint64_t>(width) * depth;
  const uint64_t rowBytes = ((rowBits + 15) / 16) * 2;
  const uint64_t total = rowBytes * height;
  std::vector<uint8_t> unpacked;
  const uint8_t* pixels;
  if (type == 2) {
    // Three bytes of a run give at most 256: a file too short to fill the picture is cut short.
    if (total > static_cast<uint64_t>(in.Remaining()) * 86) return false;
    try {
      unpacked.resize(static_cast<size_t>(total));
    } catch (const std::bad_alloc&) {
      return false;
    }
    if (!UnpackSunRle(in, unpacked, total)) return false;
    pixels = unpacked.data();
  } else {
    if (in.Remaining() < total) return false;
    pixels = in.Current();
  }

  if (!out.Allocate(width, height)) return false;
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* row = pixels + y * rowBytes;
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t r, g, b;
      if (depth == 1 || depth == 8) {
        uint32_t index = depth == 1 ? (row[x / 8] >> (7 - x % 8)) & 1 : row[x];
        if (mapEntries > 0) {
          if (index >= mapEntries) index = mapEntries - 1;
          r = map[index];
          g = map[mapEntries + index];
          b = map[2 * mapEntries + index];
        } else if (depth == 1) {
          r = g = b = index ? 0 : 255;
        } else {
          r = g = b = static_cast<uint8_t>(index);
        }
      } else {
        const uint8_t* p = row + x * (depth / 8) + (depth == 32 ? 1 : 0);
        if (type == 3) {
          r = p[0];
          g = p[1];
          b = p[2];
        } else {
          b = p[0];
          g = p[1];
          r = p[2];
        }
      }
      out.Set(x, y, r, g, b);
    }
  }
  return true;
}

}  // namespace morvick
