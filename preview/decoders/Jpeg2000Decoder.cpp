// JPEG 2000 (a JP2 file or a bare code stream) through openjpeg, read from memory. The picture's
// size is checked from the header before anything is decoded, and strict mode makes a truncated
// code stream fail instead of giving a half-grey picture.
#include "preview/decoders/ImageDecoder.h"

#ifdef MORVICK_HAVE_OPENJPEG
#include <openjpeg.h>

#include <cstring>
#endif

namespace morvick {

#ifndef MORVICK_HAVE_OPENJPEG

bool HaveJpeg2000Decoder() { return false; }
bool DecodeJpeg2000(const uint8_t*, size_t, RasterImage& out) {
  out.Clear();
  return false;
}

#else

namespace {

// At most this many decoded samples (all components): openjpeg keeps 32 bits for each.
constexpr uint64_t kMaxSamples = 32u * 1024u * 1024u;

struct MemorySource {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

OPJ_SIZE_T ReadMemory(void* buffer, OPJ_SIZE_T count, void* user) {
  MemorySource* src = static_cast<MemorySource*>(user);
  size_t left = src->size - src->pos;
  if (left == 0) return static_cast<OPJ_SIZE_T>(-1);
  size_t n = count < left ? count : left;
  std::memcpy(buffer, src->data + src->pos, n);
  src->pos += n;
  return n;
}

OPJ_OFF_T SkipMemory(OPJ_OFF_T count, void* user) {
  MemorySource* src = static_cast<MemorySource*>(user);
  if (count < 0) {
    if (static_cast<uint64_t>(-count) > src->pos) return -1;
    src->pos -= static_cast<size_t>(-count);
    return count;
  }
  size_t left = src->size - src->pos;
  size_t n = static_cast<uint64_t>(count) < left ? static_cast<size_t>(count) : left;
  src->pos += n;
  return static_cast<OPJ_OFF_T>(n);
}

OPJ_BOOL SeekMemory(OPJ_OFF_T pos, void* user) {
  MemorySource* src = static_cast<MemorySource*>(user);
  if (pos < 0 || static_cast<uint64_t>(pos) > src->size) return OPJ_FALSE;
  src->pos = static_cast<size_t>(pos);
  return OPJ_TRUE;
}

void Quiet(const char*, void*) {}

uint8_t To8Bits(int value, const opj_image_comp_t& comp) {
  int64_t v = value;
  if (comp.sgnd) v += int64_t(1) << (comp.prec - 1);
  if (comp.prec > 8) v >>= (comp.prec - 8);
  else if (comp.prec < 8) v = v * 255 / ((int64_t(1) << comp.prec) - 1);
  return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

uint8_t Clamp(double v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v + 0.5)); }

}  // namespace

bool HaveJpeg2000Decoder() { return true; }

bool DecodeJpeg2000(const uint8_t* data, size_t size, RasterImage& out) {
  out.Clear();
  static const uint8_t kJp2Signature[12] = {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};
  static const uint8_t kCodeStream[4] = {0xFF, 0x4F, 0xFF, 0x51};
  OPJ_CODEC_FORMAT format;
  if (size >= 12 && std::memcmp(data, kJp2Signature, 12) == 0) {
    format = OPJ_CODEC_JP2;
  } else if (size >= 4 && std::memcmp(data, kCodeStream, 4) == 0) {
    format = OPJ_CODEC_J2K;
  } else {
    return false;
  }

  MemorySource source = {data, size, 0};
  opj_stream_t* stream = opj_stream_create(64 * 1024, OPJ_TRUE);
  if (stream == nullptr) return false;
  opj_stream_set_user_data(stream, &source, nullptr);
  opj_stream_set_user_data_length(stream, size);
  opj_stream_set_read_function(stream, ReadMemory);
  opj_stream_set_skip_function(stream, SkipMemory);
  opj_stream_set_seek_function(stream, SeekMemory);

  opj_codec_t* codec = opj_create_decompress(format);
  opj_image_t* image = nullptr;
  bool ok = false;
  if (codec != nullptr) {
    opj_set_info_handler(codec, Quiet, nullptr);
    opj_set_warning_handler(codec, Quiet, nullptr);
    opj_set_error_handler(codec, Quiet, nullptr);
    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    ok = opj_setup_decoder(codec, &parameters) && opj_decoder_set_strict_mode(codec, OPJ_TRUE) &&
         opj_read_header(stream, codec, &image) && image != nullptr;
    if (ok) {
      uint64_t width = image->x1 > image->x0 ? image->x1 - image->x0 : 0;
      uint64_t height = image->y1 > image->y0 ? image->y1 - image->y0 : 0;
      ok = image->numcomps >= 1 && image->numcomps <= 4 && RasterImage::SizeAllowed(width, height) &&
           width * height * image->numcomps <= kMaxSamples;
    }
    ok = ok && opj_decode(codec, stream, image) && opj_end_decompress(codec, stream);
  }
  if (ok) {
    const uint32_t width = image->x1 - image->x0, height = image->y1 - image->y0;
    const uint32_t n = image->numcomps;
    for (uint32_t c = 0; c < n && ok; ++c) {
      const opj_image_comp_t& comp = image->comps[c];
      ok = comp.data != nullptr && comp.w > 0 && comp.h > 0 && comp.prec >= 1 && comp.prec <= 31;
    }
    ok = ok && out.Allocate(width, height);
    const bool ycc = image->color_space == OPJ_CLRSPC_SYCC && n >= 3;
    for (uint32_t y = 0; ok && y < height; ++y) {
      for (uint32_t x = 0; x < width; ++x) {
        uint8_t v[4] = {0, 0, 0, 255};
        int raw[4] = {0, 0, 0, 0};
        for (uint32_t c = 0; c < n; ++c) {
          const opj_image_comp_t& comp = image->comps[c];
          // Subsampled components are taken at the nearest sample.
          uint64_t cx = static_cast<uint64_t>(x) * comp.w / width;
          uint64_t cy = static_cast<uint64_t>(y) * comp.h / height;
          raw[c] = comp.data[cy * comp.w + cx];
          v[c] = To8Bits(raw[c], comp);
        }
        uint8_t r, g, b, a = 255;
        if (n <= 2) {
          r = g = b = v[0];
          if (n == 2) a = v[1];
        } else if (ycc) {
          double Y = v[0], cb = v[1] - 128.0, cr = v[2] - 128.0;
          r = Clamp(Y + 1.402 * cr);
          g = Clamp(Y - 0.344136 * cb - 0.714136 * cr);
          b = Clamp(Y + 1.772 * cb);
          if (n == 4) a = v[3];
        } else {
          r = v[0];
          g = v[1];
          b = v[2];
          if (n == 4) a = v[3];
        }
        out.Set(x, y, OverWhite(r, a), OverWhite(g, a), OverWhite(b, a));
      }
    }
    if (!ok) out.Clear();
  }
  if (image != nullptr) opj_image_destroy(image);
  if (codec != nullptr) opj_destroy_codec(codec);
  opj_stream_destroy(stream);
  return ok;
}

#endif

}  // namespace morvick
