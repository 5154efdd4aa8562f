#pragma once
// Splits prepared markup into text runs and tags, and reads a tag's attributes.

#include <string>
#include <vector>

namespace morvick::html {

struct HtmlToken {
  enum Kind { kText, kTag } kind = kText;
  std::wstring text;   // kText: the literal text; kTag: the tag as written, "<...>" included
  std::wstring name;   // kTag: the name without the slash of a closing tag
  bool closing = false;
  std::wstring attributes;  // kTag: what follows the name, left-trimmed
};

// Reads tokens from a text. "<<" is one literal "<"; a "<" that opens no tag is text.
class HtmlScanner {
 public:
  explicit HtmlScanner(const std::wstring& text, size_t begin = 0, size_t end = std::wstring::npos);
  bool Next(HtmlToken* token);
  size_t Position() const { return pos_; }

 private:
  // The ">" that closes a tag starting at "at", or npos when no tag starts there: a tag is a "<"
  // (not doubled) followed by text without "<" up to a ">".
  size_t TagEnd(size_t at) const;

  const std::wstring& text_;
  size_t pos_;
  size_t end_;
};

struct HtmlAttribute {
  std::wstring name;
  std::wstring value;
  bool hasValue = false;
};

class HtmlAttributes {
 public:
  HtmlAttributes() = default;
  explicit HtmlAttributes(const std::wstring& text);
  // True when the attribute is present; value gets its value (empty when it has none).
  bool Get(const wchar_t* name, std::wstring* value) const;
  bool Has(const wchar_t* name) const;
  const std::vector<HtmlAttribute>& All() const { return items_; }

 private:
  std::vector<HtmlAttribute> items_;
};

}  // namespace morvick::html
