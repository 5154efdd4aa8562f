// Small decoders of our own for the formats that the libraries at hand do not read: PCX, the
// whole PNM family (the plain-text variants and 16-bit samples included), PGX (the JPEG 2000 test
// format), WBMP and Sun raster. Each takes the file's bytes and fills the picture, or fails on a
// damaged, truncated or oversized file.
#pragma once

#include "preview/decoders/RasterImage.h"

#include <cstddef>
#include <cstdint>

namespace morvick {

bool DecodePcx(const uint8_t* data, size_t size, RasterImage& out);
bool DecodePnm(const uint8_t* data, size_t size, RasterImage& out);
bool DecodePgx(const uint8_t* data, size_t size, RasterImage& out);
bool DecodeWbmp(const uint8_t* data, size_t size, RasterImage& out);
bool DecodeSunRaster(const uint8_t* data, size_t size, RasterImage& out);

}  // namespace morvick
