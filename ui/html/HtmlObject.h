#pragma once
// An inline object of the markup (bmp, icon, ilst, string) with its attributes read.

#include <cstdint>
#include <string>

#include "ui/html/HtmlColor.h"
#include "ui/html/HtmlScanner.h"
#include "ui/html/HtmlTags.h"
#include "ui/html/HtmlValues.h"

namespace morvick::html {

// Image style bits.
enum HtmlImageStyle : std::uint32_t {
  kImageGrey = 0x1,
  kImageDark = 0x2,
  kImageLight = 0x4,
  kImageFill = 0x8,
  kImageHardShadow = 0x100,
  kImageBlurShadow = 0x200,
  kImageInvert = 0x8000,
  kImageShadowRequest = 0x10000,  // "s": the drawer turns it into a hard or blurred shadow
};

struct HtmlObjectSpec {
  HtmlTagId tag = kTagUnknown;
  int index = -1;
  int idres = 0;
  int iddll = 0;
  std::uint64_t handle = 0;  // every bit of it: a 64-bit program's image lists lie above 4 GiB
  std::wstring file;
  std::wstring srcdll;
  bool hasMask = false;
  HtmlColor mask = 0;
  std::uint32_t style = 0;
  std::uint32_t hotStyle = 0;
  int cx = 0;
  int cy = 0;
  std::wstring width;   // a size, or a percentage when it ends in "%"
  std::wstring height;
  int speed = 0;

  static HtmlObjectSpec Parse(HtmlTagId tag, const HtmlAttributes& attributes, const HtmlValueContext& ctx);
  static std::uint32_t ParseStyleLetters(const std::wstring& letters);
};

}  // namespace morvick::html
