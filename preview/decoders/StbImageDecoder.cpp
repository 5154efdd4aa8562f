// stb_image from Debian's libstb-dev, built here with only the formats we take from it and its
// reading from memory.
#include "preview/decoders/ImageDecoder.h"

#include <climits>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_TGA
#define STBI_ONLY_GIF
#define STBI_ONLY_PNM
#define STBI_MAX_DIMENSIONS 32768
#include MORVICK_STB_IMAGE_H

namespace morvick {

bool DecodeWithStb(const uint8_t* data, size_t size, RasterImage& out) {
  out.Clear();
  if (size == 0 || size > static_cast<size_t>(INT_MAX)) return false;
  int width = 0, height = 0, components = 0;
  // The size first: a small damaged file must not make stb_image allocate for a huge picture.
  if (!stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &components)) return false;
  if (width <= 0 || height <= 0 || !RasterImage::SizeAllowed(width, height)) return false;
  stbi_uc* pixels = stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &components, 4);
  if (pixels == nullptr) return false;
  bool ok = RasterImage::SizeAllowed(width, height) && out.Allocate(width, height);
  if (ok) {
    const stbi_uc* p = pixels;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x, p += 4) {
        out.Set(x, y, OverWhite(p[0], p[3]), OverWhite(p[1], p[3]), OverWhite(p[2], p[3]));
      }
    }
  }
  stbi_image_free(pixels);
  return ok;
}

}  // namespace morvick
