#pragma once
// The text style in force at one point of a marked-up text; one copy per open tag on the style stack.

#include <string>

#include "ui/html/HtmlColor.h"

namespace morvick::html {

enum HtmlAlign { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2, kAlignJustify = 3 };
enum HtmlVAlign { kVAlignTop = 0, kVAlignMiddle = 1, kVAlignBottom = 2, kVAlignBaseline = 3 };
enum HtmlBorderStyle { kBorderNone = 0, kBorderSolid = 1, kBorderDashed = 2, kBorderDotted = 3, kBorderDouble = 6 };
enum HtmlLinkKind { kLinkNone = 0, kLinkDocument = 1, kLinkMessage = 2 };

struct HtmlStyle {
  std::wstring tagName;
  int fontSize = 16;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  bool overline = false;
  std::wstring face = L"Verdana";
  HtmlColor textColor = 0;
  HtmlColor backColor = 0xFFFFFF;
  HtmlColor borderLight = 0;
  HtmlColor borderDark = 0;
  HtmlColor midColor = 0xFFFFFF;
  HtmlColor endColor = 0xFFFFFF;
  int backMode = 1;  // 1 transparent, 2 opaque with the background colour
  int fillEffect = -1;
  std::wstring backImage;
  int hAlign = kAlignLeft;
  int vAlign = kVAlignBaseline;
  int borderStyle = kBorderNone;
  int borderWidth = 0;
  int width = 0;   // 0: none given
  int height = 0;  // 0: none given
  int textTransform = 0;  // 0 none, 1 upper, 2 lower, 3 capitalise
  int cellPadding = 2;
  int cellSpacing = 0;
  int linkKind = kLinkNone;
  std::wstring linkTarget;
  int linkIndex = -1;
};

// The part of a style that chooses a font; equal specs give the same font.
struct HtmlFontSpec {
  std::wstring face;
  int size = 16;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;

  static HtmlFontSpec Of(const HtmlStyle& s) {
    return HtmlFontSpec{s.face, s.fontSize, s.weight, s.italic, s.underline, s.strikeout};
  }
  bool operator==(const HtmlFontSpec& o) const {
    return face == o.face && size == o.size && weight == o.weight && italic == o.italic &&
           underline == o.underline && strikeout == o.strikeout;
  }
  bool operator!=(const HtmlFontSpec& o) const { return !(*this == o); }
};

}  // namespace morvick::html
