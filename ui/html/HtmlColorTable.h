#pragma once
// Colour names of the markup: the fixed named colours and the names of system colours.

#include <functional>
#include <map>
#include <string>

#include "ui/html/HtmlColor.h"

namespace morvick::html {

class HtmlColorTable {
 public:
  // sysColor gives the current colour of a system colour index; it is read once, here.
  explicit HtmlColorTable(const std::function<HtmlColor(int)>& sysColor);

  // Looks a name up (lower case); false when it is no colour name.
  bool Find(const std::wstring& lowerName, HtmlColor* color) const;

  // The colour of a system colour index as the platform reports it; a fixed default elsewhere.
  static HtmlColor DefaultSystemColor(int index);

 private:
  std::map<std::wstring, HtmlColor> colors_;
};

}  // namespace morvick::html
