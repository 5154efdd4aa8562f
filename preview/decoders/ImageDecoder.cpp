#include "preview/decoders/ImageDecoder.h"

#include "preview/decoders/CompleteData.h"
#include "preview/decoders/ImageFormat.h"
#include "preview/decoders/OwnDecoders.h"

namespace morvick {

DecodeOutcome DecodeImage(const uint8_t* data, size_t size, int format, RasterImage& out) {
  out.Clear();
  if (data == nullptr || size == 0) return DecodeOutcome::kFailed;
  auto own = [&](bool ok) { return ok ? DecodeOutcome::kDecoded : DecodeOutcome::kFailed; };
  switch (format) {
    case kImageBmp:
    case kImageGif:
    case kImageJpeg:
    case kImagePng:
    case kImageTga:
      // A truncated file shows as corrupt, not as half a picture.
      if (!LibraryDataComplete(data, size, format == kImageTga)) return DecodeOutcome::kFailed;
      return DecodeWithStb(data, size, out) ? DecodeOutcome::kDecoded : DecodeOutcome::kNotHandled;
    case kImagePnm:
      // Our own, binary maps included: stb_image reads a short binary map as a whole one.
      return own(DecodePnm(data, size, out));
    case kImagePcx:
      return own(DecodePcx(data, size, out));
    case kImageWbmp:
      return own(DecodeWbmp(data, size, out));
    case kImagePgx:
      return own(DecodePgx(data, size, out));
    case kImageSunRaster:
      return own(DecodeSunRaster(data, size, out));
    case kImageJp2:
    case kImageJ2k:
      if (!HaveJpeg2000Decoder()) return DecodeOutcome::kNotHandled;
      return own(DecodeJpeg2000(data, size, out));
    case kImageTiff:
      // The platform's reader shows a short file as half a picture: refuse it here.
      return TiffDataComplete(data, size) ? DecodeOutcome::kNotHandled : DecodeOutcome::kFailed;
    case kImageIcon:
    case kImageMetafile:
      return DecodeOutcome::kNotHandled;
    default:
      return DecodeOutcome::kFailed;
  }
}

}  // namespace morvick
