#include "ui/html/HtmlScanner.h"

#include "ui/html/HtmlStrings.h"

namespace morvick::html {

HtmlScanner::HtmlScanner(const std::wstring& text, size_t begin, size_t end)
    : text_(text), pos_(begin), end_(end > text.size() ? text.size() : end) {
  if (pos_ > end_) pos_ = end_;
}

size_t HtmlScanner::TagEnd(size_t at) const {
  if (text_[at] != L'<' || (at + 1 < end_ && text_[at + 1] == L'<')) return std::wstring::npos;
  size_t next = text_.find_first_of(L"<>", at + 1);
  if (next >= end_ || text_[next] != L'>') return std::wstring::npos;
  return next;
}

bool HtmlScanner::Next(HtmlToken* token) {
  if (pos_ >= end_) return false;
  *token = HtmlToken();
  size_t close = TagEnd(pos_);
  if (close != std::wstring::npos) {
    token->kind = HtmlToken::kTag;
    token->text = text_.substr(pos_, close - pos_ + 1);
    std::wstring content = text_.substr(pos_ + 1, close - pos_ - 1);
    size_t split = content.find_first_of(L" =");
    std::wstring name = content.substr(0, split);
    if (!name.empty() && name[0] == L'/') {
      token->closing = true;
      name.erase(0, 1);
    }
    token->name = name;
    if (split != std::wstring::npos) token->attributes = TrimLeft(content.substr(split));
    pos_ = close + 1;
    return true;
  }
  // Text up to the next tag; "<<" and a "<" without a ">" after it stay in the text.
  token->kind = HtmlToken::kText;
  while (pos_ < end_) {
    wchar_t c = text_[pos_];
    if (c == L'<') {
      if (pos_ + 1 < end_ && text_[pos_ + 1] == L'<') {
        token->text.push_back(L'<');
        pos_ += 2;
        continue;
      }
      if (TagEnd(pos_) != std::wstring::npos) break;
      // Text: taken as a tag, a lone "<" (as in "size < 5") would swallow the message up to a later tag's ">".
      token->text.push_back(L'<');
      ++pos_;
      continue;
    }
    token->text.push_back(c);
    ++pos_;
  }
  return true;
}

HtmlAttributes::HtmlAttributes(const std::wstring& s) {
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && !(IsAsciiAlnum(s[i]) || s[i] == L'.')) ++i;
    if (i >= s.size()) break;
    size_t j = i;
    while (j < s.size() && s[j] != L' ' && s[j] != L'=') ++j;
    HtmlAttribute a;
    a.name = s.substr(i, j - i);
    size_t k = j;
    while (k < s.size() && s[k] == L' ') ++k;
    if (k < s.size() && s[k] == L'=') {
      ++k;
      while (k < s.size() && s[k] == L' ') ++k;
      a.hasValue = true;
      if (k < s.size() && (s[k] == L'"' || s[k] == L'\'')) {
        wchar_t q = s[k];
        size_t e = s.find(q, k + 1);
        if (e == std::wstring::npos) e = s.size();
        a.value = s.substr(k + 1, e - k - 1);
        i = e < s.size() ? e + 1 : e;
      } else {
        size_t e = s.find(L' ', k);
        if (e == std::wstring::npos) e = s.size();
        a.value = s.substr(k, e - k);
        i = e;
      }
    } else {
      i = j;
    }
    items_.push_back(a);
  }
}

bool HtmlAttributes::Get(const wchar_t* name, std::wstring* value) const {
  for (const HtmlAttribute& a : items_) {
    if (a.name == name) {
      if (value) *value = a.value;
      return true;
    }
  }
  return false;
}

bool HtmlAttributes::Has(const wchar_t* name) const { return Get(name, nullptr); }

}  // namespace morvick::html
