#include "preview/decoders/PsdReader.h"

#include "preview/decoders/ByteReader.h"

#include <cmath>
#include <cstring>
#include <new>

namespace morvick {

namespace {

// The image data that a reader holds at most while decoding run-length planes.
constexpr uint64_t kMaxPlaneBytes = 128u * 1024u * 1024u;

uint8_t Clamp255(double v) {
  if (!(v > 0)) return 0;  // negative or not a number
  if (v > 255) return 255;
  return static_cast<uint8_t>(v);
}


bool ValidMode(int mode) {
  switch (mode) {
    case kPsdBitmap: case kPsdGrayscale: case kPsdIndexed: case kPsdRgb: case kPsdCmyk:
    case kPsdMultichannel: case kPsdDuotone: case kPsdLab:
      return true;
    default:
      return false;
  }
}

// The number of planes the picture is made from.
int PlanesUsed(int mode, int channels) {
  switch (mode) {
    case kPsdRgb: case kPsdLab: return 3;
    case kPsdCmyk: return 4;
    case kPsdMultichannel: return channels >= 4 ? 4 : 3;
    default: return 1;
  }
}

// Run-length (PackBits) data into out, until out is full or the input ends; a literal run cut by
// the end gives the bytes that are there. Returns the number of bytes decoded.
uint64_t UnpackBits(ByteReader& in, uint8_t* out, uint64_t outSize) {
  uint64_t pos = 0;
  while (pos < outSize) {
    uint8_t n;
    if (!in.ReadByte(n)) return pos;
    if (n < 128) {
      uint64_t count = static_cast<uint64_t>(n) + 1;
      if (in.Remaining() < count) count = in.Remaining();
      uint64_t take = count < outSize - pos ? count : outSize - pos;
      std::memcpy(out + pos, in.Current(), static_cast<size_t>(take));
      in.Skip(count);
      pos += take;
    } else if (n > 128) {
      uint8_t value;
      if (!in.ReadByte(value)) return pos;
      uint64_t count = 257 - static_cast<uint64_t>(n);
      uint64_t take = count < outSize - pos ? count : outSize - pos;
      std::memset(out + pos, value, static_cast<size_t>(take));
      pos += take;
    }
    // 128: no operation.
  }
  return pos;
}

}  // namespace

int PsdReader::Read(const uint8_t* data, size_t size) {
  *this = PsdReader();
  ByteReader in(data, size);
  int rc = ReadHeader(in);
  if (rc != kPsdOk) return rc;
  rc = ReadColorModeData(in);
  if (rc != kPsdOk) return rc;
  rc = ReadImageResources(in);
  if (rc != kPsdOk) return rc;
  SkipLayerAndMaskInfo(in);
  return ReadImageData(in);
}

int PsdReader::ReadHeader(ByteReader& in) {
  uint8_t raw[26];
  if (!in.ReadBytes(raw, sizeof raw)) return kPsdBadHeader;
  if (std::memcmp(raw, "8BPS", 4) != 0) return kPsdBadHeader;
  if (raw[4] != 0 || raw[5] != 1) return kPsdBadHeader;
  for (int i = 6; i < 12; ++i)
    if (raw[i] != 0) return kPsdBadHeader;
  ByteReader h(raw + 12, 14);
  uint32_t channels, height, width, depth, mode;
  h.ReadBig(2, channels);
  h.ReadBig(4, height);
  h.ReadBig(4, width);
  h.ReadBig(2, depth);
  h.ReadBig(2, mode);
  m_header.channels = static_cast<int16_t>(channels);
  m_header.height = static_cast<int32_t>(height);
  m_header.width = static_cast<int32_t>(width);
  m_header.depth = static_cast<int16_t>(depth);
  m_header.mode = static_cast<int16_t>(mode);

  // Values no picture has are refused here: they would size the buffers or send the conversion to absent planes.
  if (channels < 1 || channels > kPsdMaxChannels) return kPsdBadHeader;
  if (height < 1 || height > kPsdMaxSide || width < 1 || width > kPsdMaxSide) return kPsdBadHeader;
  if (depth != 1 && depth != 8 && depth != 16 && depth != 32) return kPsdBadHeader;
  if (!ValidMode(static_cast<int>(mode))) return kPsdBadHeader;
  // The planes the conversion reads must be there.
  if (static_cast<int>(channels) < PlanesUsed(static_cast<int>(mode), static_cast<int>(channels)))
    return kPsdBadHeader;
  if (mode == kPsdIndexed && depth != 8) return kPsdBadHeader;
  return kPsdOk;
}

int PsdReader::ReadColorModeData(ByteReader& in) {
  uint32_t length = 0;
  if (!in.ReadBig(4, length)) {
    m_colorModeLength = 0;
    return kPsdOk;
  }
  m_colorModeLength = static_cast<int32_t>(length);
  // Data that runs past the end of the file: the file ends here, and so there is no picture (and
  // nothing is allocated for bytes the file does not hold).
  if (length > in.Remaining()) {
    in.Skip(in.Remaining());
    return kPsdOk;
  }
  if (length > 0) {
    try {
      m_colorModeData.assign(in.Current(), in.Current() + length);
    } catch (const std::bad_alloc&) {
      return kPsdBadColorModeData;
    }
    in.Skip(length);
  }
  return kPsdOk;
}

int PsdReader::ReadImageResources(ByteReader& in) {
  uint32_t sectionLength = 0;
  if (!in.ReadBig(4, sectionLength) || in.Ended()) return sectionLength == 0 ? kPsdOk : kPsdBadResources;
  if (sectionLength > in.Remaining()) return kPsdBadResources;
  const uint64_t total = sectionLength;
  uint64_t consumed = 0;
  auto left = [&]() { return consumed < total ? total - consumed : 0; };
  uint32_t v;
  while (consumed < total) {
    uint8_t signature[4];
    if (!in.ReadBytes(signature, 4)) break;
    consumed += 4;
    if (std::memcmp(signature, "8BIM", 4) != 0) continue;

    uint32_t id, nameLength;
    if (!in.ReadBig(2, id) || !in.ReadBig(1, nameLength)) break;
    consumed += 3;
    // The length byte and the name together are of even length.
    uint64_t nameBytes = nameLength + (nameLength % 2 == 0 ? 1 : 0);
    if (!in.Skip(nameBytes)) break;
    consumed += nameBytes;
    uint32_t dataSize32;
    if (!in.ReadBig(4, dataSize32)) break;
    consumed += 4;
    uint64_t dataSize = dataSize32;
    if (dataSize % 2 == 1) ++dataSize;
    if (dataSize < 1) continue;

    bool ok = true;
    switch (id) {
      case 1000:
        for (int i = 0; i < 5 && ok; ++i) {
          ok = in.ReadBig(2, v);
          m_oldHeader.values[i] = static_cast<uint16_t>(v);
        }
        consumed += 10;
        m_oldHeader.present = ok;
        break;
      case 1005: {
        uint32_t f[6] = {0, 0, 0, 0, 0, 0};
        static const size_t sizes[6] = {2, 4, 2, 2, 4, 2};
        for (int i = 0; i < 6 && ok; ++i) ok = in.ReadBig(sizes[i], f[i]);
        consumed += 16;
        m_resolution.hRes = static_cast<uint16_t>(f[0]);
        m_resolution.hResFraction = f[1];
        m_resolution.widthUnit = static_cast<uint16_t>(f[2]);
        m_resolution.vRes = static_cast<uint16_t>(f[3]);
        m_resolution.vResFraction = f[4];
        m_resolution.heightUnit = static_cast<uint16_t>(f[5]);
        m_resolution.present = ok;
        break;
      }
      case 1007: {
        uint32_t f[8] = {0, 0, 0, 0, 0, 0, 0, 0};
        static const size_t sizes[8] = {2, 2, 2, 2, 2, 2, 1, 1};
        for (int i = 0; i < 8 && ok; ++i) ok = in.ReadBig(sizes[i], f[i]);
        consumed += 14;
        m_displayInfo.colorSpace = static_cast<uint16_t>(f[0]);
        for (int i = 0; i < 4; ++i) m_displayInfo.color[i] = static_cast<uint16_t>(f[1 + i]);
        m_displayInfo.opacity = static_cast<uint16_t>(f[5]);
        m_displayInfo.kind = f[6] == 1 ? 1 : 0;
        m_displayInfo.spare = static_cast<uint8_t>(f[7]);
        m_displayInfo.present = ok;
        break;
      }
      case 1033:
      case 1036: {
        uint32_t f[8] = {0, 0, 0, 0, 0, 0, 0, 0};
        for (int i = 0; i < 8 && ok; ++i) ok = in.ReadBig(i < 6 ? 4 : 2, f[i]);
        consumed += 28;
        m_thumbnail.format = static_cast<int32_t>(f[0]);
        m_thumbnail.width = static_cast<int32_t>(f[1]);
        m_thumbnail.height = static_cast<int32_t>(f[2]);
        m_thumbnail.rowBytes = static_cast<int32_t>(f[3]);
        m_thumbnail.totalSize = static_cast<int32_t>(f[4]);
        m_thumbnail.compressedSize = static_cast<int32_t>(f[5]);
        m_thumbnail.bitsPerPixel = static_cast<int16_t>(f[6]);
        m_thumbnail.planes = static_cast<int16_t>(f[7]);
        m_thumbnail.present = ok;
        if (ok && dataSize > 28) {
          uint64_t rest = dataSize - 28;
          if (rest > left()) return kPsdBadResources;
          ok = in.Skip(rest);
          consumed += rest;
        }
        break;
      }
      case 1034:
        ok = in.ReadBig(2, v);
        consumed += 2;
        m_flag1034 = v == 1 ? 1 : 0;
        break;
      case 1037:
        ok = in.ReadBig(4, v);
        consumed += 4;
        m_globalAngle = static_cast<int32_t>(v);
        break;
      case 1046:
        ok = in.ReadBig(2, v);
        consumed += 2;
        m_indexedColorCount = static_cast<int16_t>(v);
        break;
      case 1047:
        ok = in.ReadBig(2, v);
        consumed += 2;
        m_transparencyIndex = static_cast<int16_t>(v);
        break;
      default:
        // Never skip past the section.
        if (dataSize > left()) return kPsdBadResources;
        ok = in.Skip(dataSize);
        consumed += dataSize;
        break;
    }
    if (!ok || in.Ended()) break;
  }
  return consumed == total ? kPsdOk : kPsdBadResources;
}

void PsdReader::SkipLayerAndMaskInfo(ByteReader& in) {
  uint32_t length;
  if (!in.ReadBig(4, length)) return;
  in.Skip(length);  // stops at the end of the file
}

int PsdReader::ReadImageData(ByteReader& in) {
  uint32_t compression;
  if (in.Ended() || !in.ReadBig(2, compression)) return kPsdOk;  // no image data: no picture
  if (compression == 2) return kPsdZip;
  if (compression == 3) return kPsdZipPredicted;
  if (compression > 3) return kPsdUnknownCompression;

  const int depth = m_header.depth;
  const int mode = m_header.mode;
  if (depth != 8 && depth != 16) return kPsdNoBitmap;
  // Bitmap mode at 8 or 16 bits has no conversion: no picture rather than an all-white one, which
  // would pass for the picture itself.
  if (mode == kPsdBitmap) return kPsdOk;
  // No palette, no picture: an all-white bitmap would pass for the indexed picture itself.
  if (mode == kPsdIndexed && m_colorModeData.size() != 768) return kPsdBadColorModeData;

  const uint64_t width = static_cast<uint64_t>(m_header.width);
  const uint64_t height = static_cast<uint64_t>(m_header.height);
  if (!RasterImage::SizeAllowed(width, height)) return kPsdBadImageData;
  const uint64_t planeBytes = width * height * static_cast<uint64_t>(depth / 8);
  const int planesUsed = PlanesUsed(mode, m_header.channels);
  const uint64_t usedBytes = planeBytes * static_cast<uint64_t>(planesUsed);
  if (usedBytes > kMaxPlaneBytes) return kPsdBadImageData;

  std::vector<uint8_t> unpacked;
  const uint8_t* planes = nullptr;
  if (compression == 0) {
    // Only the planes the picture uses must be there: counting every channel lost RGB pictures with an alpha plane.
    if (in.Remaining() < usedBytes) return kPsdOk;  // incomplete raw data: no picture
    planes = in.Current();
  } else {
    // The byte counts of every row of every channel, then the rows back to back.
    uint64_t counts = static_cast<uint64_t>(m_header.channels) * height * 2;
    in.Skip(counts);  // stops at the end of the file
    try {
      unpacked.assign(static_cast<size_t>(usedBytes), 254);
    } catch (const std::bad_alloc&) {
      return kPsdBadImageData;
    }
    // Data cut short by the end of the file gives the picture decoded so far, the rest left at 254;
    // cut before its first pixel it gives no picture, not a uniform grey one.
    if (UnpackBits(in, unpacked.data(), usedBytes) == 0) return kPsdOk;
    planes = unpacked.data();
  }
  if (!m_image.Allocate(static_cast<uint32_t>(width), static_cast<uint32_t>(height)))
    return kPsdBadImageData;
  if (!ConvertPlanes(planes)) {
    m_image.Clear();
    return kPsdNoBitmap;
  }
  return kPsdOk;
}

bool PsdReader::ConvertPlanes(const uint8_t* planes) {
  const uint32_t width = static_cast<uint32_t>(m_header.width);
  const uint32_t height = static_cast<uint32_t>(m_header.height);
  const size_t b = static_cast<size_t>(m_header.depth / 8);
  const size_t planeBytes = static_cast<size_t>(width) * height * b;
  const int mode = m_header.mode;
  const double max = b == 2 ? 65536.0 : 256.0;
  auto sample = [&](int plane, size_t i) -> uint32_t {
    const uint8_t* p = planes + plane * planeBytes + i * b;
    return b == 2 ? (static_cast<uint32_t>(p[0]) << 8) | p[1] : p[0];
  };
  // The most significant byte of a sample.
  auto high = [&](int plane, size_t i) -> uint8_t { return planes[plane * planeBytes + i * b]; };

  size_t i = 0;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x, ++i) {
      switch (mode) {
        case kPsdGrayscale:
        case kPsdDuotone: {
          // From the first plane alone: the planes lie one after the other, so stepping over every
          // channel for each pixel would mix an alpha or spot plane into the grey.
          uint8_t v = high(0, i);
          m_image.Set(x, y, v, v, v);
          break;
        }
        case kPsdIndexed: {
          // The palette is used without a colour-count resource, which many writers leave out: those stayed white.
          uint8_t k = high(0, i);
          const uint8_t* pal = m_colorModeData.data();
          m_image.Set(x, y, pal[k], pal[256 + k], pal[512 + k]);
          break;
        }
        case kPsdRgb:
          m_image.Set(x, y, high(0, i), high(1, i), high(2, i));
          break;
        case kPsdCmyk:
        case kPsdMultichannel: {
          double c = 1 - sample(0, i) / max;
          double m = 1 - sample(1, i) / max;
          double ye = 1 - sample(2, i) / max;
          double k = 0;
          if (mode == kPsdCmyk || m_header.channels >= 4) k = 1 - sample(3, i) / max;
          Rgb rgb = CmykToRgb(c, m, ye, k);
          m_image.Set(x, y, rgb.r, rgb.g, rgb.b);
          break;
        }
        case kPsdLab: {
          int L = static_cast<int>(sample(0, i) / (max * 0.01));
          int a = static_cast<int>(sample(1, i) / (max / 256) - 128);
          int bb = static_cast<int>(sample(2, i) / (max / 256) - 128);
          Rgb rgb = LabToRgb(L, a, bb);
          m_image.Set(x, y, rgb.r, rgb.g, rgb.b);
          break;
        }
        default:
          return false;
      }
    }
  }
  return true;
}

Rgb PsdReader::CmykToRgb(double c, double m, double y, double k) {
  Rgb out;
  out.r = Clamp255(std::floor((1 - (c * (1 - k) + k)) * 255 + 0.5));
  out.g = Clamp255(std::floor((1 - (m * (1 - k) + k)) * 255 + 0.5));
  out.b = Clamp255(std::floor((1 - (y * (1 - k) + k)) * 255 + 0.5));
  return out;
}

Rgb PsdReader::LabToRgb(int L, int a, int b) {
  double fy = (L + 16) * 0.008620689655172414;
  double fx = a * 0.002 + fy;
  double fz = fy - b * 0.005;
  auto lin = [](double f) {
    double f3 = f * f * f;
    // The dark end takes off 16/116 before its slope: f / 7.787 alone turns black into grey (36, 36, 36).
    return f3 > 0.008856 ? f3 : (f - 16.0 / 116.0) * 0.1284191601386927;
  };
  double x = lin(fx) * 95.047 * 0.01;
  double yy = lin(fy) * 100.0 * 0.01;
  double z = lin(fz) * 108.883 * 0.01;
  double r = 3.2406 * x - 1.5372 * yy - 0.4986 * z;
  double g = -0.9689 * x + 1.8758 * yy + 0.0415 * z;
  double bl = 0.0557 * x - 0.204 * yy + 1.057 * z;
  auto gamma = [](double v) { return v > 0.0031308 ? 1.055 * std::pow(v, 0.4166666666666667) - 0.055 : 12.92 * v; };
  Rgb out;
  out.r = Clamp255(gamma(r) * 256);
  out.g = Clamp255(gamma(g) * 256);
  out.b = Clamp255(gamma(bl) * 256);
  return out;
}

int32_t PsdReader::PixelsPerMeterX() const {
  return m_resolution.present ? static_cast<int32_t>(m_resolution.hRes) * 10000 / 254 : 3780;
}

int32_t PsdReader::PixelsPerMeterY() const {
  return m_resolution.present ? static_cast<int32_t>(m_resolution.vRes) * 10000 / 254 : 3780;
}

}  // namespace morvick
