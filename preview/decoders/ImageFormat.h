// The format codes of the image layer, chosen by a file's extension (compared without case).
#pragma once

#include <string>

namespace morvick {

enum ImageFormat {
  kImageUnknown = 0,
  kImageBmp = 1,
  kImageGif = 2,
  kImageJpeg = 3,
  kImagePng = 4,
  kImageIcon = 5,
  kImageTiff = 6,
  kImageTga = 7,
  kImagePcx = 8,
  kImageWbmp = 9,
  kImageMetafile = 10,
  kImageJp2 = 11,
  kImageJ2k = 12,
  kImagePgx = 13,
  kImagePnm = 14,
  kImageSunRaster = 15,
};

// The code of an extension given without its dot ("jpg", "TIFF"); 0 for any other.
int ImageFormatFromExtension(const std::string& extension);

// The code of a file name by the text after its last dot (also after the last path separator);
// 0 when the name has no extension or an unknown one. Characters beyond ASCII never match.
int ImageFormatFromFileName(const std::u16string& name);

}  // namespace morvick
