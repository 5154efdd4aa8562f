#pragma once
// The style sheet of the text drawer: rules by selector, and how their declarations change a style.

#include <map>
#include <string>

#include "ui/html/HtmlStyle.h"
#include "ui/html/HtmlValues.h"

namespace morvick::html {

class HtmlStyleSheet {
 public:
  HtmlStyleSheet();  // starts with the default sheet

  // Replaces every rule; null loads the default sheet.
  void Set(const wchar_t* text);
  // The declarations of a selector (looked up in lower case); empty when there is no rule.
  std::wstring Get(const std::wstring& selector) const;
  // Applies the rule of a selector to a style.
  void Apply(const std::wstring& selector, HtmlStyle* style, const HtmlValueContext& ctx) const;

  static const wchar_t* DefaultText();

 private:
  std::map<std::wstring, std::wstring> rules_;
};

// Applies a declaration block ("name: value; ...") to a style.
void ApplyHtmlDeclarations(const std::wstring& declarations, HtmlStyle* style, const HtmlValueContext& ctx);
// Applies one property; unknown names change nothing.
void ApplyHtmlProperty(const std::wstring& lowerName, const std::wstring& value, HtmlStyle* style,
                       const HtmlValueContext& ctx);

}  // namespace morvick::html
