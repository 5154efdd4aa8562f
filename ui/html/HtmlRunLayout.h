#pragma once
// Lays out a run block: text and tags on lines, with word wrap, alignment, justification, tab
// stops, rules and inline objects.

#include <vector>

#include "ui/html/HtmlDisplayList.h"
#include "ui/html/HtmlLayoutContext.h"

namespace morvick::html {

class HtmlRunLayout {
 public:
  // availableWidth 0: no limit (nothing wraps, nothing is aligned).
  HtmlRunLayout(HtmlLayoutContext& ctx, int availableWidth);

  // Lays out text[begin, end) and appends the items to out, from (0, 0); returns the size.
  HtmlSize Layout(size_t begin, size_t end, std::vector<HtmlDrawItem>* out);

  // The break characters of word wrap; the break character stays on the first line.
  static bool IsBreakChar(wchar_t c);

 private:
  struct Placed {
    HtmlDrawItem item;
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int vAlign = kVAlignBaseline;
    bool isObject = false;
    int rulePercent = -1;  // rules: width in percent of the available width
  };

  void AddText(std::wstring text);
  void AddTag(const HtmlToken& token);
  void AddRule(const HtmlAttributes& attributes);
  void AddObject(const HtmlToken& token, HtmlTagId tag);
  void PlaceText(const std::wstring& piece, int width);
  void EndLine(bool wrapped);
  int Remaining() const;
  void TagLink(HtmlDrawItem* item) const;

  HtmlLayoutContext& ctx_;
  HtmlStyleState& state_;
  int available_;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int lineAlign_ = -1;
  std::vector<Placed> line_;
  std::vector<HtmlDrawItem>* out_ = nullptr;
  std::vector<size_t> rules_;  // items of out_ whose width is resolved at the end
  std::vector<int> rulePercents_;
  std::vector<int> cumulative_;
};

}  // namespace morvick::html
