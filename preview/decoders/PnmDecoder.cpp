// PNM: P1 to P3 are plain text (bit map, grey map, pixel map), P4 to P6 the same in binary; the
// maximum value may go up to 65535 (then binary samples take two bytes, most significant first).
#include "preview/decoders/OwnDecoders.h"

#include "preview/decoders/ByteReader.h"

namespace morvick {

namespace {

class PnmText {
 public:
  PnmText(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  // The next unsigned number, skipping white space and comments; false at the end or on a
  // character that is no digit. Values above 65535 are refused.
  bool Number(uint32_t& value, bool singleDigit = false) {
    SkipSpace();
    if (m_pos >= m_size || m_data[m_pos] < '0' || m_data[m_pos] > '9') return false;
    value = 0;
    size_t digits = 0;
    while (m_pos < m_size && m_data[m_pos] >= '0' && m_data[m_pos] <= '9') {
      value = value * 10 + (m_data[m_pos++] - '0');
      if (value > 65535) return false;
      if (singleDigit || ++digits > 6) break;
    }
    return true;
  }
  void SkipSpace() {
    while (m_pos < m_size) {
      uint8_t c = m_data[m_pos];
      if (c == '#') {
        while (m_pos < m_size && m_data[m_pos] != '\n' && m_data[m_pos] != '\r') ++m_pos;
      } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
        ++m_pos;
      } else {
        break;
      }
    }
  }
  size_t Position() const { return m_pos; }
  void Advance() { ++m_pos; }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
};

uint8_t Scale(uint32_t v, uint32_t maxval) {
  if (v > maxval) v = maxval;
  return static_cast<uint8_t>((v * 255 + maxval / 2) / maxval);
}

}  // namespace

bool DecodePnm(const uint8_t* data, size_t size, RasterImage& out) {
  out.Clear();
  if (size < 3 || data[0] != 'P' || data[1] < '1' || data[1] > '6') return false;
  const int kind = data[1] - '0';
  PnmText text(data, size);
  text.Advance();
  text.Advance();
  uint32_t width, height, maxval = 1;
  if (!text.Number(width) || !text.Number(height)) return false;
  if (kind != 1 && kind != 4 && (!text.Number(maxval) || maxval == 0)) return false;
  if (!RasterImage::SizeAllowed(width, height)) return false;
  // No kind packs more than eight pixels into a byte: a file too short for its picture is cut short.
  if (static_cast<uint64_t>(width) * height > static_cast<uint64_t>(size) * 8) return false;
  if (!out.Allocate(width, height)) return false;

  const bool bitmap = kind == 1 || kind == 4;
  const bool colour = kind == 3 || kind == 6;
  if (kind <= 3) {
    for (uint32_t y = 0; y < height; ++y) {
      for (uint32_t x = 0; x < width; ++x) {
        uint32_t v[3];
        for (int c = 0; c < (colour ? 3 : 1); ++c) {
          // Bits of a plain bit map need no separators.
          if (!text.Number(v[c], bitmap)) {
            out.Clear();
            return false;
          }
        }
        if (bitmap) {
          uint8_t g = v[0] ? 0 : 255;
          out.Set(x, y, g, g, g);
        } else if (colour) {
          out.Set(x, y, Scale(v[0], maxval), Scale(v[1], maxval), Scale(v[2], maxval));
        } else {
          uint8_t g = Scale(v[0], maxval);
          out.Set(x, y, g, g, g);
        }
      }
    }
    return true;
  }

  // Binary data starts after exactly one white-space character.
  ByteReader in(data, size);
  in.Seek(text.Position() + 1);
  if (text.Position() >= size) {
    out.Clear();
    return false;
  }
  const size_t sampleBytes = maxval > 255 ? 2 : 1;
  for (uint32_t y = 0; y < height; ++y) {
    if (bitmap) {
      const uint64_t rowBytes = (static_cast<uint64_t>(width) + 7) / 8;
      if (in.Remaining() < rowBytes) {
        out.Clear();
        return false;
      }
      const uint8_t* row = in.Current();
      for (uint32_t x = 0; x < width; ++x) {
        uint8_t g = (row[x / 8] >> (7 - x % 8)) & 1 ? 0 : 255;
        out.Set(x, y, g, g, g);
      }
      in.Skip(rowBytes);
      continue;
    }
    for (uint32_t x = 0; x < width; ++x) {
      uint32_t v[3];
      for (int c = 0; c < (colour ? 3 : 1); ++c) {
        if (!in.ReadBig(sampleBytes, v[c])) {
          out.Clear();
          return false;
        }
      }
      if (colour) {
        out.Set(x, y, Scale(v[0], maxval), Scale(v[1], maxval), Scale(v[2], maxval));
      } else {
        uint8_t g = Scale(v[0], maxval);
        out.Set(x, y, g, g, g);
      }
    }
  }
  return true;
}

}  // namespace morvick
