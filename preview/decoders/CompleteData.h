// Checks that a file of a library-decoded format holds all of its picture data. stb_image reads
// short files as if they ended in zero bytes, so a truncated BMP, TGA, GIF or JPEG would show half
// a picture as if it were good (and the platform's TIFF reader does the same); these walks of the formats' own structure tell such a file apart.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvick {

bool BmpDataComplete(const uint8_t* data, size_t size);
bool TgaDataComplete(const uint8_t* data, size_t size);
// The first picture of the file: its data blocks up to their terminator.
bool GifDataComplete(const uint8_t* data, size_t size);
// The marker segments and the scans up to the end-of-image marker.
bool JpegDataComplete(const uint8_t* data, size_t size);
// The first directory of a TIFF file and every strip or tile it points to.
bool TiffDataComplete(const uint8_t* data, size_t size);

// By the file's signature (BMP, GIF, JPEG, TIFF); TGA, which has none, when tgaByName is set. Files of
// other kinds pass.
bool LibraryDataComplete(const uint8_t* data, size_t size, bool tgaByName);

}  // namespace morvick
