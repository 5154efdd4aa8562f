#include "ui/html/HtmlStrings.h"

#include <cmath>
#include <cwctype>

namespace morvick::html {

namespace {
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }
}  // namespace

std::wstring TrimLeft(const std::wstring& s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return s.substr(i);
}

std::wstring TrimRight(const std::wstring& s) {
  size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return s.substr(0, n);
}

std::wstring Trim(const std::wstring& s) { return TrimRight(TrimLeft(s)); }

std::wstring ToLower(const std::wstring& s) {
  std::wstring r(s);
  for (wchar_t& c : r) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return r;
}

std::wstring ToUpper(const std::wstring& s) {
  std::wstring r(s);
  for (wchar_t& c : r) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  return r;
}

bool EndsWith(const std::wstring& s, const wchar_t* suffix) {
  std::wstring t(suffix);
  return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

namespace {

// Where the digits of a number start (after an optional "0x", which makes it hexadecimal), and the
// value of one digit in its base (-1 for none).
size_t DigitsStart(const std::wstring& s, size_t i, int* base) {
  *base = 10;
  if (i + 1 < s.size() && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
    *base = 16;
    return i + 2;
  }
  return i;
}

int DigitValue(wchar_t c, int base) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (base == 16 && c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (base == 16 && c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

bool ParseInteger(const std::wstring& s, long long* value) {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) {
    negative = s[i] == L'-';
    ++i;
  }
  int base;
  i = DigitsStart(s, i, &base);
  long long v = 0;
  bool any = false;
  for (int d; i < s.size() && (d = DigitValue(s[i], base)) >= 0; ++i) {
    any = true;
    if (v < (1LL << 40)) v = v * base + d;  // saturates far above any useful value
  }
  if (!any) return false;
  *value = negative ? -v : v;
  return true;
}

bool ParseHandle(const std::wstring& s, std::uint64_t* value) {
  int base;
  size_t i = DigitsStart(s, 0, &base);
  std::uint64_t v = 0;
  bool any = false;
  for (int d; i < s.size() && (d = DigitValue(s[i], base)) >= 0; ++i) {
    if (v > (UINT64_MAX - d) / base) return false;
    v = v * base + d;
    any = true;
  }
  if (!any) return false;
  *value = v;
  return true;
}

int ClampToInt(long long v, int lo, int hi) {
  if (v < lo) return lo;
  if (v > hi) return hi;
  return static_cast<int>(v);
}

int ClampToInt(double v, int lo, int hi) {
  if (std::isnan(v) || v < lo) return lo;
  if (v > hi) return hi;
  return static_cast<int>(v);
}

}  // namespace morvick::html
