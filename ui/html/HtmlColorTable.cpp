#include "ui/html/HtmlColorTable.h"

namespace morvick::html {

namespace {

struct NamedColor {
  const wchar_t* name;
  unsigned rgb;  // 0xRRGGBB as written in the markup
};

const NamedColor kNamedColors[] = {
    {L"aqua", 0x00ffff},
    {L"black", 0x000000},
    {L"blue", 0x0000ff},
    {L"brown", 0xa52a2a},
    {L"cyan", 0x00ffff},
    {L"gold", 0xffd700},
    {L"gray", 0x808080},
    {L"green", 0x008000},
    {L"magenta", 0xff00ff},
    {L"maroon", 0x800000},
    {L"navy", 0x000080},
    {L"olive", 0x808000},
    {L"orange", 0xffa500},
    {L"pink", 0xffc0cb},
    {L"purple", 0x800080},
    {L"red", 0xff0000},
    {L"silver", 0xc0c0c0},
    {L"snow", 0xfffafa},
    {L"violet", 0xee82ee},
    {L"white", 0xffffff},
    {L"yellow", 0xffff00},
    {L"aliceblue", 0xf0f8ff},
    {L"antiquewhite", 0xfaebd7},
    {L"aquamarine", 0x7fffd4},
    {L"azure", 0xf0ffff},
    {L"beige", 0xf5f5dc},
    {L"bisque", 0xffe4c4},
    {L"blanchedalmond", 0xffebcd},
    {L"blueviolet", 0x8a2be2},
    {L"burlywood", 0xdeb887},
    {L"cadetblue", 0x5f9ea0},
    {L"chartreuse", 0x7fff00},
    {L"chocolate", 0xd2691e},
    {L"coral", 0xff7f50},
    {L"cornflowerblue", 0x6495ed},
    {L"cornsilk", 0xfff8dc},
    {L"crimson", 0xdc143c},
    {L"darkblue", 0x00008b},
    {L"darkcyan", 0x008b8b},
    {L"darkgoldenrod", 0xb8860b},
    {L"darkgray", 0xa9a9a9},
    {L"darkgreen", 0x006400},
    {L"darkkhaki", 0xbdb76b},
    {L"darkmagenta", 0x8b008b},
    {L"darkolivegreen", 0x556b2f},
    {L"darkorange", 0xff8c00},
    {L"darkorchid", 0x9932cc},
    {L"darkred", 0x8b0000},
    {L"darksalmon", 0xe9967a},
    {L"darkseagreen", 0x8fbc8b},
    {L"darkslateblue", 0x483d8b},
    {L"darkslategray", 0x2f4f4f},
    {L"darkturquoise", 0x00ced1},
    {L"darkviolet", 0x9400d3},
    {L"deeppink", 0xff1493},
    {L"deepskyblue", 0x00bfff},
    {L"dimgray", 0x696969},
    {L"dodgerblue", 0x1e90ff},
    {L"firebrick", 0xb22222},
    {L"floralwhite", 0xfffaf0},
    {L"forestgreen", 0x228b22},
    {L"fuchsia", 0xff00ff},
    {L"gainsboro", 0xdcdcdc},
    {L"ghostwhite", 0xf8f8ff},
    {L"goldenrod", 0xdaa520},
    {L"greenyellow", 0xadff2f},
    {L"honeydew", 0xf0fff0},
    {L"hotpink", 0xff69b4},
    {L"indianred", 0xcd5c5c},
    {L"indigo", 0x4b0082},
    {L"ivory", 0xfffff0},
    {L"khaki", 0xf0e68c},
    {L"lavender", 0xe6e6fa},
    {L"lavenderblush", 0xfff0f5},
    {L"lawngreen", 0x7cfc00},
    {L"lemonchiffon", 0xfffacd},
    {L"lightblue", 0xadd8e6},
    {L"lightcoral", 0xf08080},
    {L"lightcyan", 0xe0ffff},
    {L"lightgoldenrodyellow", 0xfafad2},
    {L"lightgreen", 0x90ee90},
    {L"lightgrey", 0xd3d3d3},
    {L"lightpink", 0xffb6c1},
    {L"lightsalmon", 0xffa07a},
    {L"lightseagreen", 0x20b2aa},
    {L"lightskyblue", 0x87cefa},
    {L"lightslategray", 0x778899},
    {L"lightsteelblue", 0xb0c4de},
    {L"lightyellow", 0xffffe0},
    {L"lime", 0x00ff00},
    {L"limegreen", 0x32cd32},
    {L"linen", 0xfaf0e6},
    {L"mediumaquamarine", 0x66cdaa},
    {L"mediumblue", 0x0000cd},
    {L"mediumorchid", 0xba55d3},
    {L"mediumpurple", 0x9370db},
    {L"mediumseagreen", 0x3cb371},
    {L"mediumslateblue", 0x7b68ee},
    {L"mediumspringgreen", 0x00fa9a},
    {L"mediumturquoise", 0x48d1cc},
    {L"mediumvioletred", 0xc71585},
    {L"midnightblue", 0x191970},
    {L"mintcream", 0xf5fffa},
    {L"mistyrose", 0xffe4e1},
    {L"moccasin", 0xffe4b5},
    {L"navajowhite", 0xffdead},
    {L"oldlace", 0xfdf5e6},
    {L"olivedrab", 0x6b8e23},
    {L"orangered", 0xff4500},
    {L"orchid", 0xda70d6},
    {L"palegoldenrod", 0xeee8aa},
    {L"palegreen", 0x98fb98},
    {L"paleturquoise", 0xafeeee},
    {L"palevioletred", 0xdb7093},
    {L"papayawhip", 0xffefd5},
    {L"peachpuff", 0xffdab9},
    {L"peru", 0xcd853f},
    {L"plum", 0xdda0dd},
    {L"powderblue", 0xb0e0e6},
    {L"rosybrown", 0xbc8f8f},
    {L"royalblue", 0x4169e1},
    {L"saddlebrown", 0x8b4513},
    {L"salmon", 0xfa8072},
    {L"sandybrown", 0xf4a460},
    {L"seagreen", 0x2e8b57},
    {L"seashell", 0xfff5ee},
    {L"sienna", 0xa0522d},
    {L"skyblue", 0x87ceeb},
    {L"slateblue", 0x6a5acd},
    {L"slategray", 0x708090},
    {L"springgreen", 0x00ff7f},
    {L"steelblue", 0x4682b4},
    {L"tan", 0xd2b48c},
    {L"teal", 0x008080},
    {L"thistle", 0xd8bfd8},
    {L"tomato", 0xff6347},
    {L"turquoise", 0x40e0d0},
    {L"wheat", 0xf5deb3},
    {L"whitesmoke", 0xf5f5f5},
    {L"yellowgreen", 0x9acd32},
};

struct SystemColorName {
  const wchar_t* name;
  int index;
};

const SystemColorName kSystemColors[] = {
    {L"activeborder", 10},
    {L"activecaption", 2},
    {L"appworkspace", 12},
    {L"background", 1},
    {L"buttonface", 15},
    {L"buttonhighlight", 20},
    {L"buttonshadow", 16},
    {L"buttontext", 18},
    {L"captiontext", 9},
    {L"graytext", 17},
    {L"highlight", 13},
    {L"highlighttext", 14},
    {L"inactiveborder", 11},
    {L"inactivecaption", 3},
    {L"inactivecaptiontext", 19},
    {L"infobackground", 24},
    {L"infotext", 23},
    {L"menu", 4},
    {L"menutext", 7},
    {L"scrollbar", 0},
    {L"threeddarkshadow", 21},
    {L"threedface", 15},
    {L"threedhighlight", 20},
    {L"threedlightshadow", 22},
    {L"threedshadow", 16},
    {L"window", 5},
    {L"windowframe", 6},
    {L"windowtext", 8},
};

}  // namespace

HtmlColorTable::HtmlColorTable(const std::function<HtmlColor(int)>& sysColor) {
  for (const NamedColor& c : kNamedColors) {
    colors_[c.name] = HtmlRgb(c.rgb >> 16, c.rgb >> 8, c.rgb);
  }
  for (const SystemColorName& c : kSystemColors) {
    colors_[c.name] = sysColor ? sysColor(c.index) : DefaultSystemColor(c.index);
  }
}

bool HtmlColorTable::Find(const std::wstring& lowerName, HtmlColor* color) const {
  auto it = colors_.find(lowerName);
  if (it == colors_.end()) return false;
  *color = it->second;
  return true;
}

HtmlColor HtmlColorTable::DefaultSystemColor(int index) {
  // The classic scheme, for builds and tests without a window system.
  static const HtmlColor kClassic[] = {
      HtmlRgb(200, 200, 200), HtmlRgb(0, 0, 0),       HtmlRgb(10, 36, 106),   HtmlRgb(128, 128, 128),
      HtmlRgb(212, 208, 200), HtmlRgb(255, 255, 255), HtmlRgb(0, 0, 0),       HtmlRgb(0, 0, 0),
      HtmlRgb(0, 0, 0),       HtmlRgb(255, 255, 255), HtmlRgb(212, 208, 200), HtmlRgb(212, 208, 200),
      HtmlRgb(128, 128, 128), HtmlRgb(10, 36, 106),   HtmlRgb(255, 255, 255), HtmlRgb(212, 208, 200),
      HtmlRgb(128, 128, 128), HtmlRgb(128, 128, 128), HtmlRgb(0, 0, 0),       HtmlRgb(212, 208, 200),
      HtmlRgb(255, 255, 255), HtmlRgb(64, 64, 64),    HtmlRgb(212, 208, 200), HtmlRgb(0, 0, 0),
      HtmlRgb(255, 255, 225)};
  if (index < 0 || index >= static_cast<int>(sizeof(kClassic) / sizeof(kClassic[0]))) return 0;
  return kClassic[index];
}

}  // namespace morvick::html
