// WBMP type 0: a type field and a header byte, the width and the height as variable-length
// numbers (seven bits a byte, the top bit set on every byte but the last), then rows of one bit a
// pixel, a set bit white.
#include "preview/decoders/OwnDecoders.h"

#include "preview/decoders/ByteReader.h"

namespace morvick {

namespace {

bool ReadMultiByte(ByteReader& in, uint32_t& value) {
  value = 0;
  for (int i = 0; i < 5; ++i) {
    uint8_t b;
    if (!in.ReadByte(b)) return false;
    value = (value << 7) | (b & 0x7F);
    if ((b & 0x80) == 0) return true;
    if (value > (1u << 24)) return false;
  }
  return false;
}

}  // namespace

bool DecodeWbmp(const uint8_t* data, size_t size, RasterImage& out) {
  out.Clear();
  ByteReader in(data, size);
  uint32_t type, width, height;
  uint8_t fixHeader;
  if (!ReadMultiByte(in, type) || type != 0) return false;
  if (!in.ReadByte(fixHeader)) return false;
  // Extension headers (top bit of the header byte) are not used by type 0.
  if (fixHeader & 0x80) return false;
  if (!ReadMultiByte(in, width) || !ReadMultiByte(in, height)) return false;
  if (!RasterImage::SizeAllowed(width, height)) return false;
  const uint64_t rowBytes = (static_cast<uint64_t>(width) + 7) / 8;
  if (in.Remaining() < rowBytes * height) return false;
  if (!out.Allocate(width, height)) return false;
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* row = in.Current() + y * rowBytes;
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t g = (row[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0;
      out.Set(x, y, g, g, g);
    }
  }
  return true;
}

}  // namespace morvick
