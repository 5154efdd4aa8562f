#include "ui/html/HtmlText.h"

#include <cstring>
#include <cwchar>

namespace morvick::html {

namespace {

struct Entity {
  const wchar_t* name;
  const wchar_t* text;
};

// "&lt;" becomes two less-than signs, which the scanner reads as one literal less-than sign.
const Entity kEntities[] = {
    {L"&amp;", L"&"},        {L"&bull;", L"\x2022"},  {L"&copy;", L"\x00A9"}, {L"&euro;", L"\x20AC"},
    {L"&gt;", L">"},         {L"&iquest;", L"\x00BF"}, {L"&lt;", L"<<"},       {L"&nbsp;", L" "},
    {L"&para;", L"\x00B6"},  {L"&pound;", L"\x00A3"}, {L"&quot;", L"\""},     {L"&reg;", L"\x00AE"},
    {L"&trade;", L"\x2122"},
};

}  // namespace

// One pass over the text, not one replacement after another: replaced in turn, the "&amp;" of an
// escaped "&amp;lt;" made a "&lt;" that the next turn decoded, so escaped names showed changed.
std::wstring DecodeHtmlEntities(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == L'&') {
      const Entity* match = nullptr;
      for (const Entity& e : kEntities) {
        size_t n = std::wcslen(e.name);
        if (text.compare(i, n, e.name) == 0) {
          match = &e;
          break;
        }
      }
      if (match) {
        out += match->text;
        i += std::wcslen(match->name);
        continue;
      }
    }
    out.push_back(text[i]);
    ++i;
  }
  return out;
}

std::wstring PrepareHtmlText(const std::wstring& text, bool multiLine) {
  std::wstring decoded = DecodeHtmlEntities(text);
  std::wstring out = L"<body>";
  out.reserve(decoded.size() + 16);
  for (wchar_t c : decoded) {
    if (c == L'\r') continue;
    if (c == L'\n') {
      if (multiLine) out += L"<br>";
    } else if (c == L'\t') {
      if (multiLine) out += L"<t>";
    } else {
      out.push_back(c);
    }
  }
  out += L"</body>";
  return out;
}

std::wstring EscapeHtml(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size() + 8);
  for (wchar_t c : text) {
    if (c == L'&') {
      out += L"&amp;";
    } else if (c == L'<') {
      out += L"&lt;";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace morvick::html
