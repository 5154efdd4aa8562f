#include "preview/decoders/ImageFormat.h"

namespace morvick {

int ImageFormatFromExtension(const std::string& extension)
{
    std::string e;
    for (char c : extension)
        e += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    static const struct {
        const char* ext;
        int code;
    } table[] = {
        {"bmp", kImageBmp},
        {"gif", kImageGif},
        {"jpg", kImageJpeg},
        {"jpeg", kImageJpeg},
        {"png", kImagePng},
        {"ico", kImageIcon},
        {"tif", kImageTiff},
        {"tiff", kImageTiff},
        {"tga", kImageTga},
        {"pcx", kImagePcx},
        {"wbmp", kImageWbmp},
        {"wmf", kImageMetafile},
        {"emf", kImageMetafile},
        {"j2k", kImageJp2},
        {"jp2", kImageJp2},
        {"j2c", kImageJ2k},
        {"jpc", kImageJ2k},
        {"pgx", kImagePgx},
        {"pnm", kImagePnm},
        {"pgm", kImagePnm},
        {"ppm", kImagePnm},
        {"ras", kImageSunRaster},
    };
    for (const auto& row : table)
        if (e == row.ext)
            return row.code;
    return kImageUnknown;
}

int ImageFormatFromFileName(const std::u16string& name)
{
    // The last four characters can only match the four-letter names (jpeg, tiff, wbmp), the last three
    // the others; no dot is needed. The longer ending goes first, since "wbmp" also ends in "bmp".
    auto ending = [&name](size_t length) {
        std::string tail;
        if (name.size() < length)
            return tail;
        for (size_t i = name.size() - length; i < name.size(); ++i) {
            if (name[i] >= 0x80 || name[i] == 0)
                return std::string();
            tail += static_cast<char>(name[i]);
        }
        return tail;
    };
    int code = ImageFormatFromExtension(ending(4));
    return code != kImageUnknown ? code : ImageFormatFromExtension(ending(3));
}

}  // namespace morvick
