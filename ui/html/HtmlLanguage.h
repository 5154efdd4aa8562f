#pragma once
// The dictionaries and settings that a drawer keeps between texts: colour names, the style sheet,
// multi-line and colour switches, the tab width.

#include <functional>

#include "ui/html/HtmlColorTable.h"
#include "ui/html/HtmlStyleSheet.h"

namespace morvick::html {

struct HtmlLanguage {
  explicit HtmlLanguage(const std::function<HtmlColor(int)>& sysColor = nullptr)
      : colors(sysColor), disabledColor(sysColor ? sysColor(16) : HtmlColorTable::DefaultSystemColor(16)) {}

  HtmlColorTable colors;
  HtmlStyleSheet styleSheet;
  bool multiLine = true;
  bool colorsEnabled = true;
  HtmlColor disabledColor;  // COLOR_BTNSHADOW unless set
  int tabWidth = 32;
};

}  // namespace morvick::html
