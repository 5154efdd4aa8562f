// The format codes of the image layer, chosen by the ending of a file's name (compared without case).
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

// The code of a file name by how it ends: its last three characters against the three-letter
// names, its last four against "jpeg", "tiff" and "wbmp", without case and without needing a dot
// ("PHOTO.JPG" and "nodotjpg" both give 3); 0 for any other ending. Characters beyond ASCII never
// match.
int ImageFormatFromFileName(const std::u16string& name);

}  // namespace morvick
