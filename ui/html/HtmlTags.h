#pragma once
// The tags of the markup: their ids and the style names under which they sit on the style stack.

#include <string>

namespace morvick::html {

enum HtmlTagId {
  kTagUnknown = 0,
  kTagBold = 1,
  kTagItalic = 2,
  kTagUnderline = 3,
  kTagStrikeout = 4,
  kTagFont = 5,
  kTagRule = 6,
  kTagBreak = 7,
  kTagTab = 8,
  kTagLeft = 9,
  kTagCenter = 10,
  kTagRight = 11,
  kTagJustify = 12,
  kTagBaseline = 13,
  kTagTop = 14,
  kTagVCenter = 15,
  kTagBottom = 16,
  kTagBitmap = 17,
  kTagIcon = 18,
  kTagImageList = 19,
  kTagString = 20,
  kTagStyleSheet = 21,
  kTagSpan = 22,
  kTagLink = 23,
  kTagTable = 100,  // table, tr and td belong to the table layout
  kTagRow = 101,
  kTagCell = 102,
};

struct HtmlTagInfo {
  HtmlTagId id = kTagUnknown;
  const wchar_t* styleName = nullptr;  // null: the tag never touches the style stack
};

// Looks a tag name up exactly as written (the names are lower case).
HtmlTagInfo FindHtmlTag(const std::wstring& name);

}  // namespace morvick::html
