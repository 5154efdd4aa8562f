#pragma once
// Parsers for the attribute and property values of the markup: colours, sizes, alignments, weights.

#include <string>

#include "ui/html/HtmlColor.h"
#include "ui/html/HtmlColorTable.h"

namespace morvick::html {

// What a value may be relative to: the current font and device, and whether colours are shown.
struct HtmlValueContext {
  int fontHeight = 16;
  int xHeight = 8;
  int dpiY = 96;
  bool colorsEnabled = true;
  HtmlColor disabledColor = HtmlRgb(128, 128, 128);
  const HtmlColorTable* colors = nullptr;
};

// Every size is limited to this magnitude, so that sums over a layout never overflow.
constexpr int kMaxHtmlSize = 100000;

HtmlColor ParseHtmlColor(const std::wstring& text, HtmlColor def, const HtmlValueContext& ctx);
int ParseHtmlSize(const std::wstring& text, int def, bool allowHtmlSizes, const HtmlValueContext& ctx);
int ParseHtmlAlign(const std::wstring& text, int def);
int ParseHtmlVAlign(const std::wstring& text, int def);
int ParseHtmlFillEffect(const std::wstring& text, int def, const HtmlValueContext& ctx);
int ParseHtmlBorderStyle(const std::wstring& text, int def);
int ParseHtmlFontWeight(const std::wstring& text, int def);
int ParseHtmlTextTransform(const std::wstring& text, int def);

}  // namespace morvick::html
