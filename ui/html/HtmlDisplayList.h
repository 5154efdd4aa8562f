#pragma once
// The result of a layout: positioned drawing items and link areas, in layout coordinates
// (0, 0 is the top-left corner of the laid-out text).

#include <string>
#include <vector>

#include "ui/html/HtmlColor.h"
#include "ui/html/HtmlObject.h"
#include "ui/html/HtmlStyle.h"

namespace morvick::html {

struct HtmlRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // Edges included: a point on the right or bottom edge is inside.
  bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

struct HtmlDrawItem {
  enum Kind { kText, kLine, kFill, kBorder, kTile, kObject } kind = kText;
  HtmlRect box;  // kLine: from (left, top) to (right, bottom)
  // kText
  std::wstring text;
  HtmlFontSpec font;
  HtmlColor color = 0;       // text, line or first fill colour
  HtmlColor backColor = 0xFFFFFF;
  int backMode = 1;
  int justifyExtra = 0;      // pixels spread over justifyBreaks spaces
  int justifyBreaks = 0;
  int overlineWidth = 0;     // 0: no overline
  // kLine, kBorder
  int lineStyle = 0;
  int lineWidth = 1;
  HtmlColor darkColor = 0;   // kBorder: right and bottom edges
  // kFill
  int effect = -1;
  HtmlColor color2 = 0;
  HtmlColor color3 = 0;
  // kTile: the background image reference ("idres:12", "file:...")
  std::wstring image;
  // kObject
  HtmlObjectSpec object;
  bool hot = false;          // drawn with the object's hot style
  // Link the item belongs to.
  int linkKind = kLinkNone;
  int linkIndex = -1;
  std::wstring linkTarget;
};

struct HtmlLinkArea {
  HtmlRect rect;
  int kind = kLinkNone;
  int index = -1;
  std::wstring target;
};

struct HtmlLayoutResult {
  int width = 0;
  int height = 0;
  std::vector<HtmlDrawItem> items;
  std::vector<HtmlLinkArea> links;
};

}  // namespace morvick::html
