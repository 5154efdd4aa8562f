#include "ui/html/HtmlValues.h"

#include <cmath>
#include <cstdlib>

#include "ui/html/HtmlStrings.h"

namespace morvick::html {

namespace {

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Reads the leading decimal number of s (digits and at most one point).
bool ParseDecimal(const std::wstring& s, double* value) {
  std::string ascii;
  for (wchar_t c : s) {
    if ((c >= L'0' && c <= L'9') || c == L'.') {
      ascii.push_back(static_cast<char>(c));
    } else {
      break;
    }
  }
  if (ascii.empty() || ascii == ".") return false;
  *value = std::strtod(ascii.c_str(), nullptr);
  return true;
}

}  // namespace

HtmlColor ParseHtmlColor(const std::wstring& raw, HtmlColor def, const HtmlValueContext& ctx) {
  std::wstring text = Trim(raw);
  if (text.empty()) return def;
  HtmlColor color = def;
  bool found = false;
  if (text[0] == L'#') {
    if (text.size() == 7) {
      int d[6];
      found = true;
      for (int i = 0; i < 6; ++i) {
        d[i] = HexDigit(text[1 + i]);
        if (d[i] < 0) found = false;
      }
      if (found) color = HtmlRgb(d[0] * 16 + d[1], d[2] * 16 + d[3], d[4] * 16 + d[5]);
    }
  } else if (text[0] >= L'0' && text[0] <= L'9') {
    long long v = 0;
    found = ParseInteger(text, &v);
    if (found) color = static_cast<HtmlColor>(v) & 0xFFFFFFu;
  } else if (ctx.colors) {
    found = ctx.colors->Find(ToLower(text), &color);
  }
  if (!ctx.colorsEnabled) return ctx.disabledColor;
  return found ? color : def;
}

int ParseHtmlSize(const std::wstring& raw, int def, bool allowHtmlSizes, const HtmlValueContext& ctx) {
  std::wstring text = Trim(raw);
  if (text.empty()) return def;
  if (text.back() == L'%') {
    double pct = 0;
    if (!ParseDecimal(text, &pct)) return def;
    return ClampToInt(std::floor(static_cast<double>(def) * pct / 100.0 + 0.5), -kMaxHtmlSize, kMaxHtmlSize);
  }
  if (text[0] == L'+' || text[0] == L'-') text.erase(0, 1);
  if (text.empty()) return def;
  double number = 0;
  double factor = 0;
  bool unit = true;
  if (EndsWith(text, L"px")) {
    factor = 1;
  } else if (EndsWith(text, L"ex")) {
    factor = ctx.xHeight;
  } else if (EndsWith(text, L"em")) {
    factor = ctx.fontHeight;
  } else if (EndsWith(text, L"in")) {
    factor = ctx.dpiY;
  } else if (EndsWith(text, L"cm")) {
    factor = ctx.dpiY * 0.39370078740157477;
  } else if (EndsWith(text, L"mm")) {
    factor = ctx.dpiY * 0.03937007874015748;
  } else if (EndsWith(text, L"pt")) {
    factor = ctx.dpiY / 72.0;
  } else if (EndsWith(text, L"pc")) {
    factor = ctx.dpiY / 6.0;
  } else {
    unit = false;
  }
  if (unit) {
    if (!ParseDecimal(text, &number)) return def;
    return ClampToInt(number * factor, 0, kMaxHtmlSize);
  }
  long long v = 0;
  if (!ParseInteger(text, &v)) return def;
  if (allowHtmlSizes && v >= 1 && v <= 7) {
    static const int kHtmlSizes[] = {8, 10, 12, 14, 18, 24, 36};
    return kHtmlSizes[v - 1];
  }
  return ClampToInt(v, 0, kMaxHtmlSize);
}

int ParseHtmlAlign(const std::wstring& raw, int def) {
  std::wstring t = ToLower(Trim(raw));
  if (t.empty() || t == L"left") return 0;
  if (t == L"center") return 1;
  if (t == L"right") return 2;
  return def;
}

int ParseHtmlVAlign(const std::wstring& raw, int def) {
  std::wstring t = ToLower(Trim(raw));
  if (t.empty() || t == L"baseline") return 3;
  if (t == L"middle" || t == L"vcenter") return 1;
  if (t == L"top") return 0;
  if (t == L"bottom") return 2;
  return def;
}

int ParseHtmlFillEffect(const std::wstring& raw, int def, const HtmlValueContext& ctx) {
  static const wchar_t* const kNames[] = {L"transparent", L"solid",    L"hgradient", L"vgradient",
                                          L"hcgradient",  L"vcgradient", L"3hgradient", L"3vgradient",
                                          L"noise",       L"diagshade", L"hshade",    L"vshade",
                                          L"hbump",       L"vbump",    L"softbump",  L"hardbump",
                                          L"metal"};
  std::wstring t = ToLower(Trim(raw));
  if (t.empty()) return def;
  for (int i = 0; i < static_cast<int>(sizeof(kNames) / sizeof(kNames[0])); ++i) {
    if (t == kNames[i]) return i - 1;
  }
  long long v = 0;
  if (!ParseInteger(t, &v)) return def;
  return ClampToInt(v, -1000, 1000);
}

int ParseHtmlBorderStyle(const std::wstring& raw, int def) {
  std::wstring t = ToLower(Trim(raw));
  if (t.empty() || t == L"none") return 0;
  if (t == L"solid") return 1;
  if (t == L"dashed") return 2;
  if (t == L"dotted") return 3;
  if (t == L"double") return 6;
  return def;
}

int ParseHtmlFontWeight(const std::wstring& raw, int def) {
  std::wstring t = ToLower(Trim(raw));
  if (t.empty() || t == L"normal") return 400;
  if (t == L"bold") return 700;
  if (t == L"bolder") return 900;
  if (t == L"lighter") return 100;
  long long v = 0;
  if (!ParseInteger(t, &v)) return def;
  return ClampToInt(v, 0, 1000);
}

int ParseHtmlTextTransform(const std::wstring& raw, int def) {
  std::wstring t = ToLower(Trim(raw));
  if (t.empty() || t == L"none") return 0;
  if (t == L"uppercase") return 1;
  if (t == L"lowercase") return 2;
  if (t == L"capitalize") return 3;
  return def;
}

}  // namespace morvick::html
