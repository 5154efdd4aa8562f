#include "ui/html/HtmlStyleSheet.h"

#include "ui/html/HtmlStrings.h"

namespace morvick::html {

namespace {

bool IsRuleStart(wchar_t c) { return IsAsciiAlnum(c) || c == L'.'; }

std::wstring Unquote(const std::wstring& s) {
  std::wstring t = Trim(s);
  if (t.size() >= 2 && (t.front() == L'"' || t.front() == L'\'') && t.back() == t.front()) {
    return t.substr(1, t.size() - 2);
  }
  return t;
}

void ApplyDecoration(const std::wstring& value, HtmlStyle* style) {
  std::wstring v = ToLower(Trim(value));
  if (v.empty()) {
    style->underline = style->strikeout = style->overline = false;
    return;
  }
  size_t i = 0;
  while (i < v.size()) {
    while (i < v.size() && (v[i] == L' ' || v[i] == L',')) ++i;
    size_t j = i;
    while (j < v.size() && v[j] != L' ' && v[j] != L',') ++j;
    std::wstring word = v.substr(i, j - i);
    if (word == L"none") {
      style->underline = style->strikeout = style->overline = false;
    } else if (word == L"underline") {
      style->underline = true;
    } else if (word == L"line-through") {
      style->strikeout = true;
    } else if (word == L"overline") {
      style->overline = true;
    }
    i = j;
  }
}

}  // namespace

const wchar_t* HtmlStyleSheet::DefaultText() {
  return L"body {font-size: 10pt; color:black; font-family:Verdana}\r\n"
         L"p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
         L"h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
         L"h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
         L"h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}\r\n"
         L"h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
         L"h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
         L"h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}\r\n"
         L"pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}\r\n"
         L"code {color:#990000; font-family:Arial}\r\n"
         L"a:link {text-decoration:none; color:blue}\r\n"
         L"a:hover {text-decoration:underline; color:blue}\r\n"
         L"sub {font-size:65%; vertical-align:bottom}\r\n"
         L"sup {font-size:65%; vertical-align:top}\r\n"
         L"big {font-size:125%}\r\n"
         L"small {font-size:75%}\r\n"
         L".cpp-comment {color:green; font-style:italic}\r\n";
}

HtmlStyleSheet::HtmlStyleSheet() { Set(nullptr); }

void HtmlStyleSheet::Set(const wchar_t* text) {
  rules_.clear();
  std::wstring s = text ? std::wstring(text) : std::wstring(DefaultText());
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && !IsRuleStart(s[i])) ++i;
    if (i >= s.size()) break;
    size_t j = i;
    while (j < s.size() && s[j] != L' ' && s[j] != L'{') ++j;
    std::wstring selector = ToLower(s.substr(i, j - i));
    size_t open = s.find(L'{', j);
    if (open == std::wstring::npos) break;
    size_t close = s.find(L'}', open + 1);
    if (close == std::wstring::npos) close = s.size();
    rules_[selector] = s.substr(open + 1, close - open - 1);
    i = close + 1;
  }
}

std::wstring HtmlStyleSheet::Get(const std::wstring& selector) const {
  auto it = rules_.find(ToLower(selector));
  return it == rules_.end() ? std::wstring() : it->second;
}

void HtmlStyleSheet::Apply(const std::wstring& selector, HtmlStyle* style, const HtmlValueContext& ctx) const {
  auto it = rules_.find(ToLower(selector));
  if (it != rules_.end()) ApplyHtmlDeclarations(it->second, style, ctx);
}

void ApplyHtmlDeclarations(const std::wstring& d, HtmlStyle* style, const HtmlValueContext& ctx) {
  size_t i = 0;
  while (i < d.size()) {
    while (i < d.size() && !IsRuleStart(d[i])) ++i;
    if (i >= d.size()) break;
    size_t j = i;
    while (j < d.size() && d[j] != L' ' && d[j] != L':') ++j;
    std::wstring name = ToLower(d.substr(i, j - i));
    size_t colon = d.find(L':', j);
    if (colon == std::wstring::npos) break;
    size_t end = d.find(L';', colon + 1);
    if (end == std::wstring::npos) end = d.size();
    ApplyHtmlProperty(name, TrimLeft(d.substr(colon + 1, end - colon - 1)), style, ctx);
    i = end;
  }
}

void ApplyHtmlProperty(const std::wstring& name, const std::wstring& rawValue, HtmlStyle* s,
                       const HtmlValueContext& ctx) {
  std::wstring value = Trim(rawValue);
  std::wstring lower = ToLower(value);
  if (name == L"font-size") {
    s->fontSize = ParseHtmlSize(value, s->fontSize, true, ctx);
  } else if (name == L"font-family") {
    std::wstring face = Unquote(value);  // a quoted name ('Courier New') names no font with its quotes
    if (!face.empty()) s->face = face;
  } else if (name == L"font-style") {
    if (lower.empty() || lower == L"normal") s->italic = false;
    else if (lower == L"italic" || lower == L"oblique") s->italic = true;
  } else if (name == L"font-weight") {
    s->weight = ParseHtmlFontWeight(value, s->weight);
  } else if (name == L"text-align") {
    s->hAlign = ParseHtmlAlign(value, s->hAlign);
  } else if (name == L"text-transform") {
    s->textTransform = ParseHtmlTextTransform(value, s->textTransform);
  } else if (name == L"color") {
    s->textColor = ParseHtmlColor(value, s->textColor, ctx);
  } else if (name == L"background-color") {
    if (lower == L"transparent") {
      s->backMode = 1;
    } else if (!value.empty()) {
      s->backMode = 2;
      s->backColor = ParseHtmlColor(value, s->backColor, ctx);
    }
  } else if (name == L"text-decoration") {
    ApplyDecoration(value, s);
  } else if (name == L"vertical-align") {
    s->vAlign = ParseHtmlVAlign(value, s->vAlign);
  } else if (name == L"border-color") {
    s->borderLight = s->borderDark = ParseHtmlColor(value, s->borderLight, ctx);
  } else if (name == L"border-width" || name == L"size") {
    if (lower == L"thin") {
      s->borderWidth = s->borderWidth * 75 / 100;
    } else if (lower == L"thick") {
      s->borderWidth = s->borderWidth * 125 / 100;
    } else if (lower != L"medium") {
      s->borderWidth = ParseHtmlSize(value, s->borderWidth, false, ctx);
    }
    if (s->borderWidth != 0 && s->borderStyle == kBorderNone) s->borderStyle = kBorderSolid;
    if (s->borderWidth == 0) s->borderStyle = kBorderNone;
  } else if (name == L"border-style") {
    s->borderStyle = ParseHtmlBorderStyle(value, s->borderStyle);
    if (s->borderStyle != kBorderNone && s->borderWidth == 0) s->borderWidth = 1;
  } else if (name == L"margin") {
    s->cellPadding = ParseHtmlSize(value, s->cellPadding, false, ctx);
  } else if (name == L"padding") {
    s->cellSpacing = ParseHtmlSize(value, s->cellSpacing, false, ctx);
  }
}

}  // namespace morvick::html
