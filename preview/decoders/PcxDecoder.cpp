// PCX: a 128-byte header, run-length scan lines of one or more planes, and for 256-colour
// pictures a palette behind the last line.
#include "preview/decoders/OwnDecoders.h"

#include "preview/decoders/ByteReader.h"

#include <new>
#include <vector>

namespace morvick {

bool DecodePcx(const uint8_t* data, size_t size, RasterImage& out) {
  out.Clear();
  if (size < 128 || data[0] != 0x0A || data[2] > 1) return false;
  ByteReader h(data, 128);
  uint32_t bpp, xmin, ymin, xmax, ymax, planes, bytesPerLine;
  h.Seek(3);
  h.ReadLittle(1, bpp);
  h.ReadLittle(2, xmin);
  h.ReadLittle(2, ymin);
  h.ReadLittle(2, xmax);
  h.ReadLittle(2, ymax);
  h.Seek(65);
  h.ReadLittle(1, planes);
  h.ReadLittle(2, bytesPerLine);
  if (xmax < xmin || ymax < ymin) return false;
  const uint32_t width = xmax - xmin + 1, height = ymax - ymin + 1;
  const bool rle = data[2] == 1;
  // Supported layouts: 1 bit with 1 to 4 planes, 2 or 4 bits with one plane, 8 bits with 1, 3 or 4.
  bool layout = (bpp == 1 && planes >= 1 && planes <= 4) || ((bpp == 2 || bpp == 4) && planes == 1) ||
                (bpp == 8 && (planes == 1 || planes == 3 || planes == 4));
  if (!layout || bytesPerLine == 0) return false;
  if (static_cast<uint64_t>(bytesPerLine) * 8 < static_cast<uint64_t>(width) * bpp) return false;
  if (!RasterImage::SizeAllowed(width, height)) return false;

  const uint64_t lineBytes = static_cast<uint64_t>(bytesPerLine) * planes;
  const uint64_t total = lineBytes * height;
  // A file too short to fill its lines is cut short: say so before making room for them. A run
  // gives at most 63 bytes for its two.
  const uint64_t available = size - 128;
  if (total > (rle ? (available + 1) / 2 * 63 : available)) return false;
  std::vector<uint8_t> lines;
  try {
    lines.resize(static_cast<size_t>(total));
  } catch (const std::bad_alloc&) {
    return false;
  }
  ByteReader in(data + 128, size - 128);
  if (rle) {
    uint64_t pos = 0;
    while (pos < total) {
      uint8_t c;
      if (!in.ReadByte(c)) return false;
      uint32_t count = 1;
      if ((c & 0xC0) == 0xC0) {
        count = c & 0x3F;
        if (!in.ReadByte(c)) return false;
      }
      for (uint32_t i = 0; i < count && pos < total; ++i) lines[pos++] = c;
    }
  } else if (!in.ReadBytes(lines.data(), static_cast<size_t>(total))) {
    return false;
  }

  // The palette: 16 colours in the header; 256 colours after a 0x0C mark at the end of the file.
  uint8_t palette[256 * 3];
  for (int i = 0; i < 16 * 3; ++i) palette[i] = data[16 + i];
  for (int i = 16 * 3; i < 256 * 3; ++i) palette[i] = 0;
  bool grey = false;
  if (bpp == 8 && planes == 1) {
    if (size >= 128 + 769 && data[size - 769] == 0x0C) {
      for (int i = 0; i < 768; ++i) palette[i] = data[size - 768 + i];
    } else if (data[1] >= 5) {
      return false;  // version 5 keeps its 256 colours at the end: a file cut short lost them
    } else {
      grey = true;
    }
  }
  if (bpp == 1 && planes == 1) {  // black and white
    palette[0] = palette[1] = palette[2] = 0;
    palette[3] = palette[4] = palette[5] = 255;
  }

  if (!out.Allocate(width, height)) return false;
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* line = lines.data() + y * lineBytes;
    for (uint32_t x = 0; x < width; ++x) {
      if (bpp == 8 && planes >= 3) {
        uint8_t r = line[x], g = line[bytesPerLine + x], b = line[2 * bytesPerLine + x];
        if (planes == 4) {
          uint8_t a = line[3 * bytesPerLine + x];
          r = OverWhite(r, a);
          g = OverWhite(g, a);
          b = OverWhite(b, a);
        }
        out.Set(x, y, r, g, b);
        continue;
      }
      uint32_t index = 0;
      if (bpp == 8) {
        index = line[x];
      } else if (bpp == 1) {
        for (uint32_t p = 0; p < planes; ++p)
          index |= ((line[p * bytesPerLine + x / 8] >> (7 - x % 8)) & 1u) << p;
      } else {
        uint32_t bit = x * bpp;
        index = (line[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
      }
      if (grey) {
        out.Set(x, y, static_cast<uint8_t>(index), static_cast<uint8_t>(index), static_cast<uint8_t>(index));
      } else {
        out.Set(x, y, palette[index * 3], palette[index * 3 + 1], palette[index * 3 + 2]);
      }
    }
  }
  return true;
}

}  // namespace morvick
