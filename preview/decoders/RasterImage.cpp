#include "preview/decoders/RasterImage.h"

#include <new>

namespace morvick {

bool RasterImage::SizeAllowed(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

bool RasterImage::Allocate(uint32_t width, uint32_t height) {
  Clear();
  if (!SizeAllowed(width, height)) return false;
  size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
  try {
    m_bits.assign(stride * height, 0xFF);
  } catch (const std::bad_alloc&) {
    return false;
  }
  m_width = width;
  m_height = height;
  m_stride = stride;
  return true;
}

void RasterImage::Clear() {
  m_width = m_height = 0;
  m_stride = 0;
  std::vector<uint8_t>().swap(m_bits);
}

}  // namespace morvick
