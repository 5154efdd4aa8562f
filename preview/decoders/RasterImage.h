// A decoded picture: 24-bit blue-green-red rows from the top down, each row padded to a multiple
// of four bytes, so that the rows are a device-independent bitmap's bits as they stand. Decoders
// refuse pictures above the pixel cap: a small damaged file must not make the preview allocate
// gigabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvick {

// At most 25 million pixels and 32768 on a side.
constexpr uint64_t kMaxImagePixels = 25000000;
constexpr uint32_t kMaxImageSide = 32768;

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

class RasterImage {
 public:
  // Sizes the picture (filled with white); false for an empty or too large size.
  bool Allocate(uint32_t width, uint32_t height);
  void Clear();

  bool IsValid() const { return m_width > 0 && m_height > 0; }
  uint32_t Width() const { return m_width; }
  uint32_t Height() const { return m_height; }
  size_t Stride() const { return m_stride; }
  uint8_t* Row(uint32_t y) { return m_bits.data() + y * m_stride; }
  const uint8_t* Row(uint32_t y) const { return m_bits.data() + y * m_stride; }
  const uint8_t* Bits() const { return m_bits.data(); }

  void Set(uint32_t x, uint32_t y, uint8_t r, uint8_t g, uint8_t b) {
    uint8_t* p = Row(y) + x * 3;
    p[0] = b;
    p[1] = g;
    p[2] = r;
  }
  Rgb At(uint32_t x, uint32_t y) const {
    const uint8_t* p = Row(y) + x * 3;
    Rgb c;
    c.b = p[0];
    c.g = p[1];
    c.r = p[2];
    return c;
  }

  // True when width x height stays within the caps.
  static bool SizeAllowed(uint64_t width, uint64_t height);

 private:
  uint32_t m_width = 0;
  uint32_t m_height = 0;
  size_t m_stride = 0;
  std::vector<uint8_t> m_bits;
};

// Over white: the colour a pixel of the given alpha (0-255) shows on a white page.
inline uint8_t OverWhite(uint32_t value, uint32_t alpha) {
  return static_cast<uint8_t>((value * alpha + 255 * (255 - alpha) + 127) / 255);
}

}  // namespace morvick
