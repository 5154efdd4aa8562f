#include "ui/html/HtmlTags.h"

#include <map>

namespace morvick::html {

namespace {

const std::map<std::wstring, HtmlTagInfo>& Table() {
  static const std::map<std::wstring, HtmlTagInfo> table = {
      {L"b", {kTagBold, L"bold"}},
      {L"i", {kTagItalic, L"italic"}},
      {L"em", {kTagItalic, L"italic"}},
      {L"u", {kTagUnderline, L"underline"}},
      {L"s", {kTagStrikeout, L"strikeout"}},
      {L"strike", {kTagStrikeout, L"strikeout"}},
      {L"font", {kTagFont, L"font"}},
      {L"hr", {kTagRule, nullptr}},
      {L"br", {kTagBreak, nullptr}},
      {L"t", {kTagTab, nullptr}},
      {L"left", {kTagLeft, L"left"}},
      {L"center", {kTagCenter, L"center"}},
      {L"right", {kTagRight, L"right"}},
      {L"justify", {kTagJustify, L"justify"}},
      {L"baseline", {kTagBaseline, L"baseline"}},
      {L"top", {kTagTop, L"top"}},
      {L"vcenter", {kTagVCenter, L"vcenter"}},
      {L"middle", {kTagVCenter, L"vcenter"}},
      {L"bottom", {kTagBottom, L"vcenter"}},
      {L"bmp", {kTagBitmap, nullptr}},
      {L"icon", {kTagIcon, nullptr}},
      {L"ilst", {kTagImageList, nullptr}},
      {L"string", {kTagString, nullptr}},
      {L"body", {kTagStyleSheet, L"body"}},
      {L"h1", {kTagStyleSheet, L"h1"}},
      {L"h2", {kTagStyleSheet, L"h2"}},
      {L"h3", {kTagStyleSheet, L"h3"}},
      {L"h4", {kTagStyleSheet, L"h4"}},
      {L"h5", {kTagStyleSheet, L"h5"}},
      {L"h6", {kTagStyleSheet, L"h6"}},
      {L"code", {kTagStyleSheet, L"code"}},
      {L"pre", {kTagStyleSheet, L"pre"}},
      {L"big", {kTagStyleSheet, L"big"}},
      {L"small", {kTagStyleSheet, L"small"}},
      {L"sub", {kTagStyleSheet, L"sub"}},
      {L"sup", {kTagStyleSheet, L"sup"}},
      {L"span", {kTagSpan, L"span"}},
      {L"a", {kTagLink, L"link"}},
      {L"table", {kTagTable, nullptr}},
      {L"tr", {kTagRow, nullptr}},
      {L"td", {kTagCell, nullptr}},
  };
  return table;
}

}  // namespace

HtmlTagInfo FindHtmlTag(const std::wstring& name) {
  auto it = Table().find(name);
  return it == Table().end() ? HtmlTagInfo() : it->second;
}

}  // namespace morvick::html
