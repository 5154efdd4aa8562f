#include "preview/decoders/CompleteData.h"

#include "preview/decoders/ByteReader.h"

namespace morvick {

bool BmpDataComplete(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  uint32_t offBits, headerSize, width, height, bpp, compression = 0;
  in.Seek(10);
  if (!in.ReadLittle(4, offBits) || !in.ReadLittle(4, headerSize)) return false;
  if (headerSize == 12) {
    if (!in.ReadLittle(2, width) || !in.ReadLittle(2, height) || !in.Skip(2) || !in.ReadLittle(2, bpp)) return false;
  } else {
    if (!in.ReadLittle(4, width) || !in.ReadLittle(4, height) || !in.Skip(2) || !in.ReadLittle(2, bpp) ||
        !in.ReadLittle(4, compression))
      return false;
    if (height & 0x80000000u) height = 0u - height;  // top-down rows
  }
  // Compressed rows are the decoder's business (stb_image refuses them).
  if (compression != 0 && compression != 3 && compression != 6) return true;
  uint64_t stride = ((static_cast<uint64_t>(width) * bpp + 31) / 32) * 4;
  return static_cast<uint64_t>(offBits) + stride * height <= size;
}

bool TgaDataComplete(const uint8_t* data, size_t size) {
  if (size < 18) return false;
  const uint32_t idLength = data[0], type = data[2];
  const uint32_t mapLength = data[5] | (data[6] << 8), mapBits = data[7];
  const uint64_t width = data[12] | (data[13] << 8), height = data[14] | (data[15] << 8);
  const uint64_t pixelBytes = (data[16] + 7) / 8;
  uint64_t pos = 18 + idLength + (data[1] ? static_cast<uint64_t>(mapLength) * ((mapBits + 7) / 8) : 0);
  uint64_t pixels = width * height;
  if (type == 1 || type == 2 || type == 3) return pos + pixels * pixelBytes <= size;
  if (type == 9 || type == 10 || type == 11) {
    // Packets: a header byte, then one pixel (a run) or n pixels (raw).
    while (pixels > 0) {
      if (pos >= size) return false;
      uint8_t header = data[pos++];
      uint64_t n = (header & 0x7F) + 1u;
      pos += (header & 0x80) ? pixelBytes : n * pixelBytes;
      if (pos > size) return false;
      pixels -= n < pixels ? n : pixels;
    }
    return true;
  }
  return true;
}

namespace {

// Sub-blocks (a length byte and that many bytes) up to the empty one.
bool SkipGifSubBlocks(ByteReader& in) {
  for (;;) {
    uint8_t n;
    if (!in.ReadByte(n)) return false;
    if (n == 0) return true;
    if (!in.Skip(n)) return false;
  }
}

}  // namespace

bool GifDataComplete(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  uint8_t flags;
  if (!in.Skip(10) || !in.ReadByte(flags) || !in.Skip(2)) return false;
  if ((flags & 0x80) && !in.Skip(3u << ((flags & 7) + 1))) return false;
  for (;;) {
    uint8_t block;
    if (!in.ReadByte(block)) return false;
    if (block == 0x21) {
      if (!in.Skip(1) || !SkipGifSubBlocks(in)) return false;
    } else if (block == 0x2C) {
      uint8_t imageFlags;
      if (!in.Skip(8) || !in.ReadByte(imageFlags)) return false;
      if ((imageFlags & 0x80) && !in.Skip(3u << ((imageFlags & 7) + 1))) return false;
      return in.Skip(1) && SkipGifSubBlocks(in);
    } else {
      return block == 0x3B;  // the trailer: a file without pictures, refused by the decoder
    }
  }
}

bool JpegDataComplete(const uint8_t* data, size_t size) {
  if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return false;
  size_t pos = 2;
  bool inScan = false;
  while (pos + 1 < size) {
    if (inScan) {
      // Entropy-coded data: 0xFF is followed by 0 (a stuffed byte) or a restart marker inside it.
      if (data[pos] != 0xFF || data[pos + 1] == 0x00 || (data[pos + 1] >= 0xD0 && data[pos + 1] <= 0xD7) ||
          data[pos + 1] == 0xFF) {
        ++pos;
        continue;
      }
      inScan = false;
    }
    if (data[pos] != 0xFF) return false;
    uint8_t marker = data[pos + 1];
    if (marker == 0xFF) {  // fill byte
      ++pos;
      continue;
    }
    if (marker == 0xD9) return true;
    pos += 2;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
    if (pos + 2 > size) return false;
    size_t length = (static_cast<size_t>(data[pos]) << 8) | data[pos + 1];
    if (length < 2 || length > size - pos) return false;
    pos += length;
    if (marker == 0xDA) inScan = true;
  }
  return false;
}

namespace {

uint32_t TiffValue(const uint8_t* p, size_t n, bool big) {
  uint32_t v = 0;
  for (size_t i = 0; i < n; ++i) v |= static_cast<uint32_t>(p[big ? i : n - 1 - i]) << (8 * (n - 1 - i));
  return v;
}

}  // namespace

bool TiffDataComplete(const uint8_t* data, size_t size) {
  if (size < 8) return false;
  const bool big = data[0] == 'M';
  if (!((data[0] == 'I' && data[1] == 'I') || (data[0] == 'M' && data[1] == 'M')) || TiffValue(data + 2, 2, big) != 42)
    return false;
  const uint64_t ifd = TiffValue(data + 4, 4, big);
  if (ifd + 2 > size) return false;
  const uint32_t count = TiffValue(data + ifd, 2, big);
  if (ifd + 2 + 12ull * count > size) return false;
  // Offsets (273 strips, 324 tiles) and byte counts (279, 325): entry type 3 (short) or 4 (long).
  struct Array {
    uint32_t type = 0, n = 0;
    const uint8_t* at = nullptr;
  } offsets, counts;
  static const uint8_t kTypeSizes[13] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* e = data + ifd + 2 + 12ull * i;
    uint32_t tag = TiffValue(e, 2, big), type = TiffValue(e + 2, 2, big), n = TiffValue(e + 4, 4, big);
    // Every value kept outside its entry (the colour map among them) must be in the file.
    if (type >= 1 && type <= 12) {
      uint64_t bytes = static_cast<uint64_t>(n) * kTypeSizes[type];
      if (bytes > 4 && TiffValue(e + 8, 4, big) + bytes > size) return false;
    }
    if (tag != 273 && tag != 279 && tag != 324 && tag != 325) continue;
    if ((type != 3 && type != 4) || n == 0) return false;
    uint64_t bytes = static_cast<uint64_t>(n) * (type == 3 ? 2 : 4);
    const uint8_t* values = e + 8;
    if (bytes > 4) {
      uint64_t at = TiffValue(e + 8, 4, big);
      if (at + bytes > size) return false;
      values = data + at;
    }
    Array& a = (tag == 273 || tag == 324) ? offsets : counts;
    a.type = type;
    a.n = n;
    a.at = values;
  }
  if (offsets.at == nullptr || counts.at == nullptr || offsets.n != counts.n) return false;
  for (uint32_t i = 0; i < offsets.n; ++i) {
    size_t ow = offsets.type == 3 ? 2 : 4, cw = counts.type == 3 ? 2 : 4;
    uint64_t start = TiffValue(offsets.at + i * ow, ow, big), length = TiffValue(counts.at + i * cw, cw, big);
    if (start + length > size) return false;
  }
  return true;
}

bool LibraryDataComplete(const uint8_t* data, size_t size, bool tgaByName) {
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return BmpDataComplete(data, size);
  if (size >= 4 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F' && data[3] == '8') return GifDataComplete(data, size);
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) return JpegDataComplete(data, size);
  if (size >= 8 && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G') return true;
  if (size >= 4 && ((data[0] == 'I' && data[1] == 'I') || (data[0] == 'M' && data[1] == 'M'))) return TiffDataComplete(data, size);
  if (tgaByName) return TgaDataComplete(data, size);
  return true;
}

}  // namespace morvick
