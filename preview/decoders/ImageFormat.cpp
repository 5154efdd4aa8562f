#include "preview/decoders/ImageFormat.h"

namespace morvick {

int ImageFormatFromExtension(const std::string& extension) {
  std::string e;
  for (char c : extension) e += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  static const struct {
    const char* ext;
    int code;
  } table[] = {
      {"bmp", kImageBmp},      {"gif", kImageGif},      {"jpg", kImageJpeg},     {"jpeg", kImageJpeg},
      {"png", kImagePng},      {"ico", kImageIcon},     {"tif", kImageTiff},     {"tiff", kImageTiff},
      {"tga", kImageTga},      {"pcx", kImagePcx},      {"wbmp", kImageWbmp},    {"wmf", kImageMetafile},
      {"emf", kImageMetafile}, {"j2k", kImageJp2},      {"jp2", kImageJp2},      {"j2c", kImageJ2k},
      {"jpc", kImageJ2k},      {"pgx", kImagePgx},      {"pnm", kImagePnm},      {"pgm", kImagePnm},
      {"ppm", kImagePnm},      {"ras", kImageSunRaster},
  };
  for (const auto& row : table)
    if (e == row.ext) return row.code;
  return kImageUnknown;
}

int ImageFormatFromFileName(const std::u16string& name) {
  size_t dot = name.find_last_of(u'.');
  if (dot == std::u16string::npos) return kImageUnknown;
  size_t slash = name.find_last_of(u"\\/");
  if (slash != std::u16string::npos && slash > dot) return kImageUnknown;
  std::string ext;
  for (size_t i = dot + 1; i < name.size(); ++i) {
    if (name[i] >= 0x80 || name[i] == 0) return kImageUnknown;
    ext += static_cast<char>(name[i]);
  }
  return ImageFormatFromExtension(ext);
}

}  // namespace morvick
