// The walks that tell a truncated BMP, TGA, GIF, JPEG or TIFF apart read recovered bytes: they must stay
// inside them and end on any input.
#include "preview/decoders/CompleteData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    morvick::BmpDataComplete(data, size);
    morvick::TgaDataComplete(data, size);
    morvick::GifDataComplete(data, size);
    morvick::JpegDataComplete(data, size);
    morvick::TiffDataComplete(data, size);
    return 0;
}
