// Decodes a file's bytes by its format code: stb_image for BMP, GIF, JPEG, PNG and TGA (after a
// check that the file holds all of its picture data); openjpeg for JPEG 2000; our own decoders for
// PCX, PNM (plain and binary), PGX, WBMP and Sun raster. Icons,
// TIFF and metafiles, and what stb_image cannot read, are left to the platform's decoders.
#pragma once

#include "preview/decoders/RasterImage.h"

#include <cstddef>
#include <cstdint>

namespace morvick {

enum class DecodeOutcome {
  kDecoded,
  kFailed,      // the file is damaged, truncated, too large or of another kind
  kNotHandled,  // for the platform's decoders to try
};

DecodeOutcome DecodeImage(const uint8_t* data, size_t size, int format, RasterImage& out);

// The library back ends on their own (false: not decoded).
bool DecodeWithStb(const uint8_t* data, size_t size, RasterImage& out);
bool DecodeJpeg2000(const uint8_t* data, size_t size, RasterImage& out);
// True when this build has a JPEG 2000 decoder.
bool HaveJpeg2000Decoder();

}  // namespace morvick
