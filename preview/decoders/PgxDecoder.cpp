// PGX, the one-component test format of JPEG 2000: a text line "PG", the byte order ("ML" most
// significant first, "LM" least), an optional sign, the bit depth, the width and the height, then
// the samples, one to four bytes each by the depth.
#include "preview/decoders/OwnDecoders.h"

#include "preview/decoders/ByteReader.h"

namespace morvick {

namespace {

bool IsSpace(uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool ReadNumber(const uint8_t* data, size_t size, size_t& pos, uint32_t& value) {
  while (pos < size && IsSpace(data[pos]) && data[pos] != '\n') ++pos;
  if (pos >= size || data[pos] < '0' || data[pos] > '9') return false;
  value = 0;
  while (pos < size && data[pos] >= '0' && data[pos] <= '9') {
    value = value * 10 + (data[pos++] - '0');
    if (value > 1000000) return false;
  }
  return true;
}

}  // namespace

bool DecodePgx(const uint8_t* data, size_t size, RasterImage& out) {
  out.Clear();
  if (size < 8 || data[0] != 'P' || data[1] != 'G') return false;
  size_t pos = 2;
  while (pos < size && (data[pos] == ' ' || data[pos] == '\t')) ++pos;
  if (pos + 2 > size) return false;
  bool bigEndian;
  if (data[pos] == 'M' && data[pos + 1] == 'L') {
    bigEndian = true;
  } else if (data[pos] == 'L' && data[pos + 1] == 'M') {
    bigEndian = false;
  } else {
    return false;
  }
  pos += 2;
  while (pos < size && (data[pos] == ' ' || data[pos] == '\t')) ++pos;
  bool isSigned = false;
  if (pos < size && (data[pos] == '+' || data[pos] == '-')) isSigned = data[pos++] == '-';
  uint32_t depth, width, height;
  if (!ReadNumber(data, size, pos, depth) || !ReadNumber(data, size, pos, width) ||
      !ReadNumber(data, size, pos, height))
    return false;
  if (depth < 1 || depth > 32 || !RasterImage::SizeAllowed(width, height)) return false;
  // The header ends with its line.
  while (pos < size && data[pos] != '\n') {
    if (!IsSpace(data[pos])) return false;
    ++pos;
  }
  if (pos >= size) return false;
  ++pos;

  const size_t sampleBytes = depth <= 8 ? 1 : (depth <= 16 ? 2 : 4);
  const uint64_t needed = static_cast<uint64_t>(width) * height * sampleBytes;
  if (size - pos < needed) return false;
  if (!out.Allocate(width, height)) return false;
  ByteReader in(data + pos, size - pos);
  const double range = depth == 32 ? 4294967295.0 : static_cast<double>((uint64_t(1) << depth) - 1);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      uint32_t raw = 0;
      if (bigEndian) {
        in.ReadBig(sampleBytes, raw);
      } else {
        in.ReadLittle(sampleBytes, raw);
      }
      if (depth < 32) raw &= static_cast<uint32_t>((uint64_t(1) << depth) - 1);
      double v = raw;
      if (isSigned) {
        // Two's complement of the depth, moved up by half the range.
        double half = static_cast<double>(uint64_t(1) << (depth - 1));
        v = raw >= half ? raw - 2 * half : raw;
        v += half;
      }
      uint8_t g = static_cast<uint8_t>(v / range * 255 + 0.5);
      out.Set(x, y, g, g, g);
    }
  }
  return true;
}

}  // namespace morvick
