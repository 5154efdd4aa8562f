// Recovered pictures are hostile: the decoder must fail cleanly on any bytes, and a picture it
// returns must lie within the size caps.
#include "preview/decoders/OwnDecoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    morvick::RasterImage image;
    if (morvick::DecodeSunRaster(data, size, image) &&
        (!image.IsValid() || !morvick::RasterImage::SizeAllowed(image.Width(), image.Height())))
        __builtin_trap();
    return 0;
}
