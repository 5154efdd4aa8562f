// The Photoshop document reader: header, colour mode data (the palette of indexed images), the
// image resources that matter, the layer section skipped, and the merged image (raw or run-length,
// 8 or 16 bits per channel) turned into 24-bit pixels. Every length in the file is checked
// against what is left of its section and of the file; sizes are capped before anything is
// allocated. Multi-byte values are big-endian.
#pragma once

#include "preview/decoders/RasterImage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvick {

// Result codes of a load.
enum PsdResult {
  kPsdOk = 0,                 // also without an image: the file ends before the first pixel, or
                              // bitmap mode at 8 or 16 bits
  kPsdCannotOpen = -1,        // the file cannot be read (reported by the caller that opens it)
  kPsdBadHeader = -2,
  kPsdBadColorModeData = -3,
  kPsdBadResources = -4,
  kPsdBadImageData = -6,      // the image data cannot be decoded (too large included)
  kPsdNoBitmap = -9,          // no picture made: a depth other than 8 or 16 bits, or no converter
  kPsdZip = -10,
  kPsdZipPredicted = -11,
  kPsdUnknownCompression = -12,
};

enum PsdColorMode {
  kPsdBitmap = 0,
  kPsdGrayscale = 1,
  kPsdIndexed = 2,
  kPsdRgb = 3,
  kPsdCmyk = 4,
  kPsdMultichannel = 7,
  kPsdDuotone = 8,
  kPsdLab = 9,
};

// Limits of the header fields that the reader accepts.
constexpr int kPsdMaxChannels = 56;
constexpr int kPsdMaxSide = 30000;

struct PsdHeader {
  int16_t channels = -1;
  int32_t height = -1;
  int32_t width = -1;
  int16_t depth = -1;
  int16_t mode = -1;
};

struct PsdResolution {       // resource 1005
  uint16_t hRes = 0;         // whole dots per inch
  uint32_t hResFraction = 0;
  uint16_t widthUnit = 0;
  uint16_t vRes = 0;
  uint32_t vResFraction = 0;
  uint16_t heightUnit = 0;
  bool present = false;
};

struct PsdOldHeader {        // resource 1000
  uint16_t values[5] = {65535, 65535, 65535, 65535, 65535};
  bool present = false;
};

struct PsdDisplayInfo {      // resource 1007
  uint16_t colorSpace = 0;
  uint16_t color[4] = {0, 0, 0, 0};
  uint16_t opacity = 0;
  uint8_t kind = 0;
  uint8_t spare = 0;
  bool present = false;
};

struct PsdThumbnailInfo {    // resources 1033 and 1036
  int32_t format = -1, width = -1, height = -1, rowBytes = -1, totalSize = -1, compressedSize = -1;
  int16_t bitsPerPixel = -1, planes = -1;
  bool present = false;
};

class PsdReader {
 public:
  // Reads a whole file held in memory. Returns a PsdResult code; the picture exists only when the
  // code is kPsdOk and HasImage() is true.
  int Read(const uint8_t* data, size_t size);

  bool HasImage() const { return m_image.IsValid(); }
  const RasterImage& Image() const { return m_image; }
  RasterImage& Image() { return m_image; }
  const PsdHeader& Header() const { return m_header; }

  // Pixels per metre for the bitmap: from resource 1005, else 3780 (96 dots per inch).
  int32_t PixelsPerMeterX() const;
  int32_t PixelsPerMeterY() const;

  int32_t ColorModeDataLength() const { return m_colorModeLength; }
  const std::vector<uint8_t>& ColorModeData() const { return m_colorModeData; }
  int16_t IndexedColorCount() const { return m_indexedColorCount; }
  int16_t TransparencyIndex() const { return m_transparencyIndex; }
  int32_t GlobalAngle() const { return m_globalAngle; }
  uint8_t CopyrightFlag() const { return m_flag1034; }
  const PsdResolution& Resolution() const { return m_resolution; }
  const PsdOldHeader& OldHeader() const { return m_oldHeader; }
  const PsdDisplayInfo& DisplayInfo() const { return m_displayInfo; }
  const PsdThumbnailInfo& ThumbnailInfo() const { return m_thumbnail; }

  // The colour conversions of the modes, exposed for their tests. Values in 0-1.
  static Rgb CmykToRgb(double c, double m, double y, double k);
  static Rgb LabToRgb(int L, int a, int b);

 private:
  int ReadHeader(class ByteReader& in);
  int ReadColorModeData(ByteReader& in);
  int ReadImageResources(ByteReader& in);
  void SkipLayerAndMaskInfo(ByteReader& in);
  int ReadImageData(ByteReader& in);
  bool ConvertPlanes(const uint8_t* planes);

  PsdHeader m_header;
  int32_t m_colorModeLength = -1;
  std::vector<uint8_t> m_colorModeData;
  int16_t m_indexedColorCount = -1;
  int16_t m_transparencyIndex = -1;
  int32_t m_globalAngle = 30;
  uint8_t m_flag1034 = 0;
  PsdResolution m_resolution;
  PsdOldHeader m_oldHeader;
  PsdDisplayInfo m_displayInfo;
  PsdThumbnailInfo m_thumbnail;
  RasterImage m_image;
};

}  // namespace morvick
